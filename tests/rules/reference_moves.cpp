#include "reference_moves.h"

#include <algorithm>
#include <set>
#include <utility>

namespace bg::testing {
namespace {

struct Side {
  int dir;       // +1 player 0, -1 player 1
  int bar;       // own bar index
  int enemyBar;  // opponent's bar index
};

Side sideOf(int player) { return player == 0 ? Side{+1, 25, 0} : Side{-1, 0, 25}; }

int own(const RefPosition& pos, int i, const Side& s) { return pos.board[i] * s.dir; }

// Distance from point q to off the board for this side.
int pipsToOff(int q, const Side& s) { return s.dir > 0 ? 25 - q : q; }

bool allHome(const RefPosition& pos, const Side& s) {
  if (own(pos, s.bar, s) > 0) return false;
  for (int q = 1; q <= 24; ++q) {
    if (own(pos, q, s) > 0 && pipsToOff(q, s) > 6) return false;
  }
  return true;
}

// Lands one checker of side s on point t (open: at most one opposing checker).
bool landOn(RefPosition& pos, int t, const Side& s) {
  const int there = own(pos, t, s);
  if (there < -1) return false;
  if (there == -1) {
    pos.board[t] = 0;
    pos.board[s.enemyBar] -= s.dir;  // the opponent's bar holds its own sign
  }
  pos.board[t] += s.dir;
  return true;
}

// Every position reachable by moving one checker d pips.
std::vector<RefPosition> singleMoves(const RefPosition& pos, int player, int d) {
  const Side s = sideOf(player);
  std::vector<RefPosition> out;
  if (own(pos, s.bar, s) > 0) {
    RefPosition next = pos;
    next.board[s.bar] -= s.dir;
    const int entry = s.dir > 0 ? d : 25 - d;
    if (landOn(next, entry, s)) out.push_back(next);
    return out;
  }
  const bool home = allHome(pos, s);
  for (int q = 1; q <= 24; ++q) {
    if (own(pos, q, s) <= 0) continue;
    const int t = q + d * s.dir;
    RefPosition next = pos;
    next.board[q] -= s.dir;
    if (t >= 1 && t <= 24) {
      if (landOn(next, t, s)) out.push_back(next);
      continue;
    }
    if (!home) continue;
    if (pipsToOff(q, s) < d) {
      // A larger die may only bear off the rearmost checker.
      bool fartherBack = false;
      for (int r = 1; r <= 24; ++r) {
        if (own(pos, r, s) > 0 && pipsToOff(r, s) > pipsToOff(q, s)) fartherBack = true;
      }
      if (fartherBack) continue;
    }
    next.off[player] += 1;
    out.push_back(next);
  }
  return out;
}

// The pips used fix which dice are left, so (pips, position) identifies a node.
using Seen = std::set<std::pair<int, RefPosition>>;

void explore(const RefPosition& pos, int player, std::vector<int> dice, int pips, Seen& seen) {
  if (!seen.insert({pips, pos}).second) return;
  if (dice.empty()) return;
  std::sort(dice.begin(), dice.end());
  for (std::size_t i = 0; i < dice.size(); ++i) {
    if (i > 0 && dice[i] == dice[i - 1]) continue;
    std::vector<int> rest = dice;
    rest.erase(rest.begin() + static_cast<long>(i));
    for (const RefPosition& next : singleMoves(pos, player, dice[i])) {
      explore(next, player, rest, pips + dice[i], seen);
    }
  }
}

}  // namespace

RefResult referencePlays(const RefPosition& start, int player, std::vector<int> dice) {
  Seen seen;
  explore(start, player, std::move(dice), 0, seen);
  RefResult result;
  result.maxPips = seen.rbegin()->first;
  for (auto n = seen.rbegin(); result.maxPips > 0 && n != seen.rend() && n->first == result.maxPips; ++n) {
    result.finals.insert(n->second);
  }
  return result;
}

}  // namespace bg::testing
