// A person who does anything at random in the whole program, started as the application
// starts it with its own main loop: menu choices (every enabled item of every reachable
// menu), clicks anywhere on the board window or where the game reads them, keys, mouse
// moves, drags and resizes; the boxes and windows answered and their controls used; the
// file and print dialogs answered with files of its own. After every action: 15 checkers a
// side (board, bar, hand, tray; not while a search tries plays on the board, nor while a
// checker is in the air between its point and its landing), a hand that holds what its
// count says, dice 0..6 and a cube that is a power of two up to 64. A watchdog thread
// reports a wait that no longer pumps events, with the main thread's stack.
//
// Each seed and mix is a test of its own. RANDOM_ACTIONS sets the actions of a run (a few
// thousand find more), RANDOM_SEED another seed for the run, RANDOM_HANG_S the watchdog's
// limit, RANDOM_LOG_DIR a folder for a log of every action, written before the action runs.
// Every broken invariant fails the run.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>
#include <execinfo.h>
#include <pthread.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "audio/speech_engine.h"
#include "dialogs/blot_risk_window.h"
#include "dialogs/dialogs_install.h"
#include "display/audio_install.h"
#include "display/board_layout.h"
#include "display/checker_animation.h"
#include "display/board_rebuild.h"
#include "display/checker_stacks.h"
#include "display/score_display.h"
#include "display/upper_services.h"
#include "display/world_housekeeping.h"
#include "flow/game_loop.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/interaction_install.h"
#include "interaction/move_entry_state.h"
#include "rollout/rollout_engine.h"
#include "runtime/core/clock.h"
#include "runtime/core/fatal.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/file_chooser.h"
#include "runtime/qt/input.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/save_file_chooser.h"
#include "runtime/qt/user_folders.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_window.h"
#include "shell/board_window_events.h"
#include "shell/menu_dispatch.h"
#include "shell/preference_install.h"
#include "shell/saved_game_commands.h"
#include "shell/shared_services.h"
#include "shell/startup.h"
#include "shell/started_program.h"
#include "state/board_command_services.h"
#include "state/board_state.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/flow_state.h"
#include "state/interaction_state.h"
#include "state/menu_numbers.h"
#include "state/play_search_state.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/quit_services.h"
#include "state/shell_flags.h"
#include "support/qt_helpers.h"
#include "support/scripted_board.h"

namespace bg {
namespace {

int envInt(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' ? std::atoi(v) : fallback;
}

// Play: mostly clicks where the game reads them; Editor: mostly the position editor, its
// trays and points clicked and dragged, the window resized under it.
enum class Mix { Anything, Play, Editor };

struct RandomUser {
  uint32_t seed = 0;
  Mix mix = Mix::Anything;
  std::mt19937 rng;
  int wanted = 0;
  int done = 0;
  bool finishing = false;
  int depth = 0;
  int games = 0;
  int modalTicks = 0;
  int modalUses = 0;                            // controls used in the box now up
  std::map<std::string, int> counts;            // actions by kind
  std::map<std::string, int> violations;        // broken invariants by kind
  std::map<std::string, std::string> firstSeen; // kind -> what and the action before it
  std::vector<std::string> recent;              // the last actions, for the report
  // The window taking the input since the last progress (a game ended, another window),
  // and for how many actions.
  int16_t stillFront = 0;
  int stillFor = 0;
  int gamesAtStill = 0;
  FILE* log = nullptr;
};
RandomUser* user = nullptr;
std::atomic<long> progress{0};
std::atomic<bool> watching{false};
pthread_t mainThread;
constexpr int kMaxDepth = 40;
constexpr size_t kRecentKept = 60;
constexpr int kMostHeld = 9;
// Actions on one window other than the board, with no game ended, that mean a stuck run.
constexpr int kMostActionsWithoutProgress = 300;

int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(user->rng); }
int between(int lo, int hi) { return lo >= hi ? lo : std::uniform_int_distribution<int>(lo, hi)(user->rng); }

void printStack() {
  void* frames[64];
  backtrace_symbols_fd(frames, backtrace(frames, 64), STDERR_FILENO);
}

void note(const std::string& line) {
  if (user == nullptr) return;
  const std::string full = "#" + std::to_string(user->done) + " d" + std::to_string(user->depth) + " " + line;
  user->recent.push_back(full);
  if (user->recent.size() > kRecentKept) user->recent.erase(user->recent.begin());
  if (user->log != nullptr) {
    std::fprintf(user->log, "%s\n", full.c_str());
    std::fflush(user->log);
  }
}

void dumpRecent(const char* why) {
  if (user == nullptr) return;
  std::fprintf(stderr, "RANDOM USER %s (seed %u, after %d actions). Last actions:\n", why, user->seed, user->done);
  for (const std::string& s : user->recent) std::fprintf(stderr, "  %s\n", s.c_str());
  std::fflush(stderr);
}

// ---- invariants -------------------------------------------------------------------

void violation(const std::string& kind, const std::string& detail) {
  if (user->violations[kind]++ == 0) {
    user->firstSeen[kind] = detail + " | after " + (user->recent.empty() ? std::string("-") : user->recent.back());
    std::fprintf(stderr, "RANDOM USER broke %s: %s\n", kind.c_str(), detail.c_str());
    dumpRecent("first time");
  }
  note("  BROKEN " + kind + ": " + detail);
}

void checkInvariants() {
  // New Game abandons the old game by emptying both sides until the new one is set up; a
  // running search tries plays on the board itself and pumps between them; a landing's
  // sound pumps while a hit checker is still on its way to the bar.
  bool emptyBoard = true;
  for (int p = 0; p <= 25; ++p) emptyBoard = emptyBoard && position.board[p] == 0;
  const bool abandoned = flow.newGameRequested != 0 &&
                         ((position.piecesOnBoard[0] == 0 && position.piecesOnBoard[1] == 0) || emptyBoard);
  if (!abandoned && playSearch.searchDepth == 0 && animation.movesUnderWay == 0) {
    const bool sideZeroPositive = position.playerDirection[0] > 0;
    int on[2] = {0, 0};
    for (int p = 0; p <= 25; ++p) {
      const int c = position.board[p];
      if (c != 0) on[(c > 0) == sideZeroPositive ? 0 : 1] += std::abs(c);
    }
    for (int s = 0; s <= 1; ++s) {
      const int held = s == position.currentPlayer ? boardInput.pickedCount : 0;
      const int off = kCheckersPerSide - position.piecesOnBoard[s];
      if (on[s] + held + off == kCheckersPerSide && off >= 0 && off <= kCheckersPerSide && held >= 0) continue;
      char b[200];
      std::snprintf(b, sizeof b, "side %d: board and bar %d, hand %d, tray %d (side on roll %d)", s, on[s], held, off,
                    static_cast<int>(position.currentPlayer));
      violation("15 checkers", b);
    }
  }
  // The hand holds what its count says: never less than empty, no empty slot inside it.
  const int held = boardInput.pickedCount;
  if (held < 0 || held > kMostHeld) violation("hand", "the hand counts " + std::to_string(held));
  for (int k = 1; k <= std::min(held, kMostHeld); ++k)
    if (interactionDisplay.pickedCheckers[k] == kEmptyPickSlot)
      violation("hand", "slot " + std::to_string(k) + " of " + std::to_string(held) + " held is empty");
  for (int k = 0; k <= 3; ++k) {
    const int v = diceState.dice[k].value;
    if (v < 0 || v > 6) violation("dice", "die " + std::to_string(k) + " is " + std::to_string(v));
  }
  const int c = cube.cubeValue;
  if (c < 1 || c > 64 || (c & (c - 1)) != 0) violation("cube", "the cube is " + std::to_string(c));
}

// An app-modal window other than the board, which takes all input as Qt gives it all to it
// for a real user; 0 without one.
int16_t appModalWindow() {
  if (QWidget* modal = QApplication::activeModalWidget())
    if (const int16_t n = detail::windowNumberOf(modal); n > 1) return n;
  return 0;
}

// The same window taking the input action after action with no game ended is a run going
// nowhere (the board below may still change: a game goes on under a box nobody can close).
void checkProgress() {
  RandomUser& u = *user;
  const int16_t front = appModalWindow() != 0 ? appModalWindow() : frontWindow();
  if (front <= 1 || front != u.stillFront || u.games != u.gamesAtStill) {
    u.stillFront = front;
    u.stillFor = 0;
    u.gamesAtStill = u.games;
    return;
  }
  if (++u.stillFor == kMostActionsWithoutProgress)
    violation("progress", "window " + std::to_string(front) + " took the input for " + std::to_string(u.stillFor) +
                              " actions with no game ended");
}

// ---- the watchdog -------------------------------------------------------------------

void onHangSignal(int) {
  std::fprintf(stderr, "RANDOM USER: the main thread where it hangs:\n");
  printStack();
  dumpRecent("HANG");
  std::_Exit(3);
}

void watchdog(int seconds) {
  long last = progress.load();
  auto since = std::chrono::steady_clock::now();
  while (watching.load()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    if (const long now = progress.load(); now != last) {
      last = now;
      since = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(seconds)) {
      std::fprintf(stderr, "RANDOM USER: no action for %d s, a wait that does not pump\n", seconds);
      pthread_kill(mainThread, SIGUSR2);
      std::this_thread::sleep_for(std::chrono::seconds(10));
      std::_Exit(3);
    }
  }
}

// ---- the file and print dialogs -----------------------------------------------------

std::filesystem::path gSaves;
int gSaveCounter = 0;

std::filesystem::path answerOpen(std::string_view prompt, const std::filesystem::path&) {
  ++progress;
  ++user->counts["open-dialog"];
  std::vector<std::filesystem::path> games;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(gSaves, ec)) games.push_back(e.path());
  std::sort(games.begin(), games.end());
  std::filesystem::path chosen;
  if (!games.empty() && pick(3) != 0) chosen = games[static_cast<size_t>(pick(static_cast<int>(games.size())))];
  note("open dialog \"" + std::string(prompt) + "\": " + (chosen.empty() ? "cancel" : chosen.filename().string()));
  return chosen;
}

std::filesystem::path answerSave(std::string_view prompt, const std::filesystem::path& suggested) {
  ++progress;
  ++user->counts["save-dialog"];
  std::filesystem::path chosen;
  switch (pick(3)) {
    case 0: break;  // cancel
    case 1: chosen = gSaves / ("game-" + std::to_string(++gSaveCounter)); break;
    default: chosen = gSaves / suggested.filename(); break;
  }
  note("save dialog \"" + std::string(prompt) + "\": " + (chosen.empty() ? "cancel" : chosen.filename().string()));
  return chosen;
}

PrintDialogAnswer answerPrint() {
  ++progress;
  ++user->counts["print-dialog"];
  if (pick(3) == 0) {
    note("print dialog: cancel");
    return {};
  }
  note("print dialog: into a file");
  return {true, QString::fromStdString((gSaves.parent_path() / "print.pdf").string())};
}

// ---- boxes --------------------------------------------------------------------------

const char* const kNames[] = {"", "A", "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m", "\xE5\x90\x8D\xE5\x89\x8D",
                              "a b c d e f g h i j k l m n o p q r s t u v w x y z"};
const char* const kFieldTexts[] = {"0", "1", "-1", "7", "25", "64", "99999", "2147483648", "abc", " 3 ", "3.7"};

void typeInto(QLineEdit* edit, const char* text) {
  edit->setFocus();
  edit->selectAll();
  const QString t = QString::fromUtf8(text);
  bool ascii = true;
  for (QChar ch : t) ascii = ascii && ch.unicode() < 128;
  if (ascii && !t.isEmpty())
    QTest::keyClicks(edit, t);
  else
    edit->insert(t);  // QTest types ASCII only: as a paste
}

constexpr int16_t kEndOfGameBox = 339;
constexpr int16_t kEndOfGameQuit = 2;

// The numbered controls of window n that can be used now (the Quit buttons are left alone,
// like the menus' Quit items).
bool isQuitButton(const QWidget* w) {
  const auto* button = qobject_cast<const QAbstractButton*>(w);
  return button != nullptr && button->text().remove(QLatin1Char('&')).startsWith(QLatin1String("Quit"));
}

std::vector<int16_t> usableControls(int16_t n) {
  std::vector<int16_t> ids;
  for (int16_t id = 1; id <= 120; ++id) {
    if (!controlExists(n, id) || (n == kEndOfGameBox && id == kEndOfGameQuit)) continue;
    QWidget* w = controlWidget(n, id);
    if (isQuitButton(w)) continue;
    if (w != nullptr && w->isVisible() && w->isEnabled()) ids.push_back(id);
  }
  return ids;
}

void useControl(int16_t n, int16_t id) {
  QWidget* w = controlWidget(n, id);
  if (w == nullptr) return;
  const std::string where = "window " + std::to_string(n) + " control " + std::to_string(id);
  ++user->counts["control"];
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (combo->count() == 0) return;
    const int i = pick(combo->count());
    note(where + ": pop-up item " + std::to_string(i));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
    return;
  }
  if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    const char* text = pick(2) == 0 ? kFieldTexts[pick(static_cast<int>(std::size(kFieldTexts)))]
                                    : kNames[pick(static_cast<int>(std::size(kNames)))];
    note(where + ": types \"" + text + "\"");
    typeInto(edit, text);
    return;
  }
  if (qobject_cast<QAbstractButton*>(w) == nullptr) {
    const QList<QAbstractButton*> buttons = w->findChildren<QAbstractButton*>();
    if (!buttons.isEmpty()) {
      const int i = pick(static_cast<int>(buttons.size()));
      note(where + ": radio button " + std::to_string(i));
      QTest::mouseClick(buttons[i], Qt::LeftButton);
      return;
    }
  }
  note(where + ": click");
  QTest::mouseClick(w, Qt::LeftButton);
}

// Typing in a text area of window n (the note pad, the help pages); false when it has none.
bool typeInTextArea(int16_t n) {
  QWidget* top = contentWidget(n);
  if (top == nullptr) return false;
  QWidget* area = top->findChild<QTextEdit*>();
  if (area == nullptr) area = top->findChild<QPlainTextEdit*>();
  if (area == nullptr || !area->isVisible()) return false;
  ++user->counts["text-area"];
  area->setFocus();
  if (pick(2) == 0) {
    note("window " + std::to_string(n) + ": text area, Backspace x5");
    for (int i = 0; i < 5; ++i) QTest::keyClick(area, Qt::Key_Backspace);
  } else {
    note("window " + std::to_string(n) + ": text area, types a line");
    QTest::keyClicks(area, QStringLiteral("notes on game 7: ok"));
    QTest::keyClick(area, Qt::Key_Return);
  }
  return true;
}

// On every pass of the event loop: a box that has been up for a few passes is answered,
// now and then after its own controls are used.
void answerModal() {
  if (user == nullptr) return;
  const int16_t n = modalLoopWindow();
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (n == 0 && dialog == nullptr) {
    user->modalTicks = 0;
    return;
  }
  if (++user->modalTicks < 3) return;
  user->modalTicks = 0;
  ++progress;
  if (n != 0 && user->modalUses < 6 && pick(3) == 0) {
    ++user->modalUses;
    const std::vector<int16_t> ids = usableControls(n);
    if (!ids.empty()) {
      useControl(n, ids[static_cast<size_t>(pick(static_cast<int>(ids.size())))]);
      return;
    }
  }
  user->modalUses = 0;
  if (n == 0) {
    // A box of Qt's own that the program did not expect to show (a fatal stop's box is one).
    std::string text;
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) text = box->text().toStdString();
    violation("a box of Qt's own", text);
    dialog->done(0);
    return;
  }
  QWidget* w = contentWidget(n);
  if (w == nullptr) return;
  if (auto* edit = w->findChild<QLineEdit*>()) typeInto(edit, kNames[pick(static_cast<int>(std::size(kNames)))]);
  switch (pick(5)) {
    case 0:
      note("answer box " + std::to_string(n) + ": close box");
      testing::clickCloseBox(n);
      break;
    case 1:
    case 2:
      note("answer box " + std::to_string(n) + ": default button");
      pressButton(n, 1);
      break;
    case 3:
      note("answer box " + std::to_string(n) + ": Return");
      QTest::keyClick(w->windowHandle(), Qt::Key_Return);
      break;
    default:
      note("answer box " + std::to_string(n) + ": Escape");
      QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
      break;
  }
}

// ---- actions ------------------------------------------------------------------------

struct Item {
  int16_t menu, item;
};

// The submenus and the items they hang from.
struct Host {
  int16_t sub, menu, item;
};
constexpr Host kHosts[] = {{11, 5, 2}, {21, 5, 3}, {25, 6, 7}, {23, 8, 3}, {13, 8, 6},
                           {12, 23, 1}, {20, 23, 2}, {24, 23, 3}};

bool reachable(int16_t menu) {
  for (int16_t m : menuBarMenus())
    if (m == menu) return menuItemEnabled(menu, 0);
  for (const Host& h : kHosts)
    if (h.sub == menu && submenuInserted(menu))
      return menuItemEnabled(menu, 0) && reachable(h.menu) && menuItemEnabled(h.menu, h.item);
  return false;
}

bool isQuit(int16_t menu, int16_t item) {
  return (menu == kFileMenu && item == kQuitItem) || (menu == kGameMenu && item == kQuitGameItem) ||
         (menu == kHiddenGameMenu && item == kHiddenQuitItem);
}

std::vector<Item> enabledItems() {
  std::vector<Item> out;
  for (int16_t m = 1; m <= 127; ++m) {
    if (!menuExists(m) || !reachable(m)) continue;
    for (int16_t i = 1; i <= menuItemCount(m); ++i) {
      if (!menuItemEnabled(m, i) || isQuit(m, i)) continue;
      const std::string t = menuItemText(m, i);
      if (t.empty() || t == "-" || t.rfind("(-", 0) == 0) continue;
      bool host = false;
      for (const Host& h : kHosts) host = host || (h.menu == m && h.item == i);
      if (!host) out.push_back({m, i});
    }
  }
  return out;
}

void choose(Item it, const char* kind) {
  note("menu " + std::to_string(it.menu) + "/" + std::to_string(it.item) + " \"" + menuItemText(it.menu, it.item) + "\"");
  ++user->counts[kind];
  chooseMenuItem(it.menu, it.item);
}

std::string pt(Point p) { return std::to_string(p.h) + "," + std::to_string(p.v); }

// A point of the board window in its local coordinates: anywhere in its content, or a
// place the game reads (points, dice, trays, cube, the panel's buttons).
Point randomBoardPoint(bool anywhere) {
  QWidget* w = contentWidget(1);
  const int bar = detail::menuBarHeightOf(1);
  const QPoint o = windowPort(1)->origin;
  if (anywhere || layout.pieceWidth <= 0) {
    const int x = between(0, std::max(0, w->width() - 1));
    const int y = between(bar, std::max(bar, w->height() - 1));
    return {static_cast<int16_t>(x + o.x()), static_cast<int16_t>(y - bar + o.y())};
  }
  switch (pick(6)) {
    case 0:
    case 1: {
      const int p = pick(26);
      return {static_cast<int16_t>(layout.pointGeometry[p][5] + layout.pieceWidth / 2),
              static_cast<int16_t>(layout.pointGeometry[p][pick(5)] + layout.pieceHeight / 2)};
    }
    case 2: {
      const Point d = testing::diceSpot();
      return {static_cast<int16_t>(d.h + between(-20, 20)), static_cast<int16_t>(d.v + between(-10, 10))};
    }
    case 3:
      return {static_cast<int16_t>(layout.trayLeft[pick(2)] + layout.trayWidth / 2),
              static_cast<int16_t>(layout.fieldBottom - layout.trayHeight / 2)};
    case 4: return testing::middleOf(layout.cubeRects[pick(2)]);
    default: return testing::middleOf(pick(2) == 0 ? interactionDisplay.yesButtonRect : interactionDisplay.noButtonRect);
  }
}

void clickAt(Point p, Qt::MouseButton button = Qt::LeftButton) {
  const Point g = testing::MouseScript::globalOf(p);
  testing::simulateMouse(g, true);
  testing::clickAt(1, p, button);
  testing::simulateMouse(g, false);
}

void actMenu() {
  const std::vector<Item> items = enabledItems();
  if (items.empty()) {
    note("menu: none enabled");
    return;
  }
  choose(items[static_cast<size_t>(pick(static_cast<int>(items.size())))], "menu");
}

void actClick() {
  const bool anywhere = pick(2) == 0;
  const Point p = randomBoardPoint(anywhere);
  const int kind = pick(10);
  ++user->counts[anywhere ? "click-anywhere" : "click-target"];
  if (kind <= 5) {
    note("click " + pt(p));
    clickAt(p);
  } else if (kind == 6) {
    note("right-click " + pt(p));
    clickAt(p, Qt::RightButton);
  } else if (kind == 7) {
    const uint16_t bits = pick(2) == 0 ? kShiftKeyBit : kCmdKeyBit;
    note(std::string(bits == kShiftKeyBit ? "shift" : "ctrl") + "-click " + pt(p));
    testing::setModifiers(bits);  // held until the next action, when the wait reads them
    const Point g = testing::MouseScript::globalOf(p);
    testing::simulateMouse(g, true);
    testing::pressAt(1, p);
    testing::simulateMouse(g, false);
    testing::releaseAt(1, p);
  } else {
    const Point q = randomBoardPoint(pick(2) == 0);
    note("press-drag-release " + pt(p) + " -> " + pt(q));
    testing::simulateMouse(testing::MouseScript::globalOf(p), true);
    testing::pressAt(1, p);
    for (int i = 1; i <= 4; ++i)
      testing::simulateMouse(testing::MouseScript::globalOf({static_cast<int16_t>(p.h + (q.h - p.h) * i / 4),
                                                             static_cast<int16_t>(p.v + (q.v - p.v) * i / 4)}),
                             true);
    testing::simulateMouse(testing::MouseScript::globalOf(q), false);
    testing::releaseAt(1, q);
  }
}

void actClickTarget() {
  const Point p = randomBoardPoint(pick(10) == 0);
  ++user->counts["click-play"];
  note("click " + pt(p));
  clickAt(p);
}

void actMove() {
  const Point p = randomBoardPoint(pick(2) == 0);
  note("mouse-move " + pt(p));
  ++user->counts["move"];
  testing::simulateMouse(testing::MouseScript::globalOf(p), false);
}

struct KeyChoice {
  Qt::Key key;
  const char* name;
};
const KeyChoice kSpecialKeys[] = {{Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"},   {Qt::Key_Escape, "Escape"},
                                  {Qt::Key_Space, "Space"},   {Qt::Key_Backspace, "Bksp"}, {Qt::Key_Delete, "Del"},
                                  {Qt::Key_Tab, "Tab"},       {Qt::Key_Left, "Left"},     {Qt::Key_Right, "Right"},
                                  {Qt::Key_Up, "Up"},         {Qt::Key_Down, "Down"},     {Qt::Key_F1, "F1"},
                                  {Qt::Key_Help, "Help"},     {Qt::Key_Period, "."},      {Qt::Key_Question, "?"}};

void actKey() {
  Qt::Key key;
  std::string name;
  const int k = pick(3);
  if (k == 0) {
    const KeyChoice& c = kSpecialKeys[pick(static_cast<int>(std::size(kSpecialKeys)))];
    key = c.key;
    name = c.name;
  } else if (k == 1) {
    const int d = pick(10);
    key = static_cast<Qt::Key>(Qt::Key_0 + d);
    name = std::to_string(d);
  } else {
    const int l = pick(26);
    key = static_cast<Qt::Key>(Qt::Key_A + l);
    name = std::string(1, static_cast<char>('A' + l));
  }
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  const int m = pick(20);
  if (m == 0 && key != Qt::Key_Q) mods = Qt::ControlModifier;  // Ctrl+Q ends the process
  if (m == 1) mods = Qt::ShiftModifier;
  if (m == 2) mods = Qt::AltModifier;
  int16_t front = frontWindow();
  if (front <= 0 || contentWidget(front) == nullptr) front = 1;
  note("key " + name + (mods == Qt::ControlModifier ? "+ctrl" : mods == Qt::ShiftModifier ? "+shift" : mods == Qt::AltModifier ? "+alt" : "") +
       " to window " + std::to_string(front));
  ++user->counts["key"];
  testing::typeKey(front, key, mods);
}

void actResize() {
  const ShellWindowState& s = shellWindow;
  const int maxW = s.windowMaxWidth > 0 ? s.windowMaxWidth : 1024;
  const int maxH = s.windowMaxHeight > 0 ? s.windowMaxHeight : 746;
  const int w = between(s.windowMinWidth, std::max<int>(s.windowMinWidth, maxW));
  const int h = between(s.windowMinHeight, std::max<int>(s.windowMinHeight, maxH));
  note("resize " + std::to_string(w) + "x" + std::to_string(h));
  ++user->counts["resize"];
  testing::userResize(1, w, h);
}

// A window other than the board (a dialog, the rollout windows, the help window, the note
// pad): its controls, its text area, Return, Escape, its close box or a click in it.
void actAnswerFront(int16_t front) {
  ++user->counts["answer-front"];
  QWidget* w = contentWidget(front);
  const int k = pick(20);
  const std::string where = "window " + std::to_string(front);
  if (k < 7) {
    const std::vector<int16_t> ids = usableControls(front);
    if (!ids.empty()) {
      useControl(front, ids[static_cast<size_t>(pick(static_cast<int>(ids.size())))]);
      return;
    }
  }
  if (k < 9 && typeInTextArea(front)) return;
  if (k < 12) {
    note(where + ": Return");
    testing::typeKey(front, Qt::Key_Return);
  } else if (k < 15) {
    note(where + ": Escape");
    testing::typeKey(front, Qt::Key_Escape);
  } else if (k < 17) {
    note(where + ": close box");
    testing::clickCloseBox(front);
  } else {
    const QPoint p(between(0, std::max(0, w->width() - 1)), between(0, std::max(0, w->height() - 1)));
    QWidget* hit = w->childAt(p);
    // A click that lands on a Quit button is left alone, as the Quit controls are.
    const QWidget* quit = front == kEndOfGameBox ? controlWidget(front, kEndOfGameQuit) : nullptr;
    if (hit != nullptr && ((quit != nullptr && (hit == quit || quit->isAncestorOf(hit))) || isQuitButton(hit))) return;
    note(where + ": click at " + std::to_string(p.x()) + "," + std::to_string(p.y()));
    if (QWidget* child = hit)
      QTest::mouseClick(child, Qt::LeftButton, Qt::NoModifier, child->mapFrom(w, p));
    else
      QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
  }
}

// Any open window other than the board, one kept behind or beside it too.
int16_t someOtherWindow() {
  std::vector<int16_t> open;
  for (int16_t n = 2; n <= 600; ++n)
    if (windowExists(n) && windowVisible(n) && contentWidget(n) != nullptr) open.push_back(n);
  return open.empty() ? int16_t{0} : open[static_cast<size_t>(pick(static_cast<int>(open.size())))];
}

// The centre of place n (1..15) of side's tray.
Point trayPlace(int16_t side, int16_t n) {
  const Point p = trayPiecePosition(side, n);
  return {static_cast<int16_t>(p.h + layout.pieceWidth / 2), static_cast<int16_t>(p.v + layout.trayPieceThickness / 2)};
}

// On point or bar p: slot 0 is the place nearest the edge, a stack wraps after five.
Point stackPlace(int16_t p, int16_t slot) {
  const BoardLayout& L = layout;
  const int step = std::abs(L.stackStep);
  const auto x = static_cast<int16_t>(L.pointGeometry[p][5] + L.pieceWidth / 2);
  slot = static_cast<int16_t>(slot % kStackWrap);
  if (p >= 13) return {x, static_cast<int16_t>(L.fieldBottom - slot * step - step / 2)};
  return {x, static_cast<int16_t>(L.fieldTop + L.pointMargin / 2 + slot * step + step / 2)};
}

// A place the editor reads: a tray's checkers or its empty end, a stack's checkers or the
// place above it, on the field or the bar.
Point editorPlace() {
  if (pick(5) < 2) {
    const auto side = static_cast<int16_t>(pick(2));
    const int out = kCheckersPerSide - position.piecesOnBoard[side];
    const int n = pick(3) == 0 ? between(1, 15) : std::clamp(out + pick(2), 1, 15);
    return trayPlace(side, static_cast<int16_t>(n));
  }
  const auto p = static_cast<int16_t>(pick(26));
  const int n = std::abs(position.board[p]);
  return stackPlace(p, static_cast<int16_t>(pick(3) == 0 ? 0 : std::max(0, n - pick(2))));
}

void actEditor() {
  InteractionDisplayState& ui = interactionDisplay;
  if (ui.doneButtonShown == 0) {
    // A chooser: one of its answers, the middle (the cube's value), or a resize.
    const int k = pick(10);
    if (k < 2) {
      actResize();
    } else {
      const Rect& r = k < 5 ? ui.yesButtonRect : k < 8 ? ui.noButtonRect : ui.middleButtonRect;
      note("chooser: click " + pt(testing::middleOf(r)));
      ++user->counts["editor-chooser"];
      clickAt(testing::middleOf(r));
    }
    return;
  }
  const int r = pick(100);
  if (r < 55) {
    const Point p = editorPlace();
    note("editor: click " + pt(p));
    ++user->counts["editor-click"];
    clickAt(p);
  } else if (r < 65) {
    const Point a = editorPlace();
    const Point b = pick(3) == 0 ? randomBoardPoint(true) : editorPlace();
    note("editor: press-drag-release " + pt(a) + " -> " + pt(b));
    ++user->counts["editor-drag"];
    testing::simulateMouse(testing::MouseScript::globalOf(a), true);
    testing::pressAt(1, a);
    for (int i = 1; i <= 4; ++i)
      testing::simulateMouse(testing::MouseScript::globalOf({static_cast<int16_t>(a.h + (b.h - a.h) * i / 4),
                                                             static_cast<int16_t>(a.v + (b.v - a.v) * i / 4)}),
                             true);
    testing::simulateMouse(testing::MouseScript::globalOf(b), false);
    testing::releaseAt(1, b);
  } else if (r < 80) {
    actResize();
  } else if (r < 86) {
    actMenu();
  } else if (r < 90) {
    actKey();
  } else if (r < 94) {
    note("editor: Done");
    ++user->counts["editor-done"];
    clickAt(testing::middleOf(ui.doneButtonRect));
  } else {
    actClick();
  }
}

void act() {
  testing::clearSimulatedModifiers();
  if (const int16_t n = appModalWindow(); n != 0) {
    actAnswerFront(n);
    return;
  }
  const int16_t front = frontWindow();
  if (front > 1 && contentWidget(front) != nullptr && pick(2) == 0) {
    actAnswerFront(front);
    return;
  }
  if (pick(40) == 0) {
    if (const int16_t other = someOtherWindow(); other != 0) {
      actAnswerFront(other);
      return;
    }
  }
  if (user->mix == Mix::Editor) {
    if (boardState.setupInProgress != 0) {
      actEditor();
      return;
    }
    // Into the editor, from the position or from a cleared board, when it can start.
    const Item it{kSettingsMenu, pick(2) == 0 ? kSetupCurrentItem : kSetupEmptyItem};
    if (pick(2) == 0 && reachable(it.menu) && menuItemEnabled(it.menu, it.item)) {
      choose(it, "menu-editor");
      return;
    }
  }
  const bool play = user->mix == Mix::Play;
  const int r = pick(100);
  if (play && r < 8) {
    // The play mix moves the game on: the dice action or the best move, when enabled.
    const Item it = pick(2) == 0 ? Item{kComputerMenu, kDiceActionItem} : Item{kComputerMenu, kMakeBestMoveItem};
    if (reachable(it.menu) && menuItemEnabled(it.menu, it.item)) {
      choose(it, "menu-play");
      return;
    }
  }
  if (r < (play ? 14 : 30))
    actMenu();
  else if (r < (play ? 90 : 72))
    play ? actClickTarget() : actClick();
  else if (r < (play ? 96 : 87))
    actKey();
  else if (r < (play ? 98 : 94))
    actMove();
  else
    actResize();
}

void oneAction() {
  ++user->depth;
  act();
  --user->depth;
  ++user->done;
  ++progress;
  checkProgress();
}

// The program waits in a loop of its own that runs the layer's pump but not the game's
// (the help window's wait, a pause): the person acts there too, from a timer.
int ticksWithoutPump = 0;
bool innerPending = false;
int innerSincePump = 0;
constexpr int kTicksBeforeActing = 25;
constexpr int kMostInnerActions = 1000;

void innerLoopAction() {
  if (user == nullptr || user->finishing) return;
  if (modalLoopWindow() != 0 || qobject_cast<QDialog*>(QApplication::activeModalWidget()) != nullptr) {
    ticksWithoutPump = 0;
    return;
  }
  if (++ticksWithoutPump < kTicksBeforeActing || innerPending) return;
  ticksWithoutPump = 0;
  // Past the wanted count the person still acts here, so that the game gets back to its
  // own pump and can be left.
  if (user->depth >= kMaxDepth || user->done >= user->wanted + kMostInnerActions) return;
  if (++innerSincePump > kMostInnerActions) {
    std::fprintf(stderr, "RANDOM USER stuck: %d actions in a loop of the program's own\n", kMostInnerActions);
    printStack();
    dumpRecent("STUCK");
    std::_Exit(3);
  }
  // A timer of its own: an action that opens a wait of its own leaves this one free.
  innerPending = true;
  QTimer::singleShot(0, [] {
    innerPending = false;
    if (user == nullptr || user->finishing) return;
    ++user->counts["inner-loop"];
    note("(the program waits in a loop of its own)");
    oneAction();
  });
}

// Leaves every wait and the main loop.
void leaveEverything() {
  shellFlags.quitRequested = -1;
  flow.newGameRequested = -1;
  shellFlags.modalBusy = 1;
  flow.abortTurn = kLeaveTurn;
}

// The game's event pump as the person at the board meets it: a slice of the real pump,
// the invariants, then one action.
void userPump() {
  FBHandleEvents();
  ticksWithoutPump = 0;
  innerSincePump = 0;
  if (user == nullptr) return;
  if (user->finishing) {
    leaveEverything();
    return;
  }
  checkInvariants();
  if (user->depth >= kMaxDepth) return;
  oneAction();
  if (user->done >= user->wanted) {
    user->finishing = true;
    leaveEverything();
  }
}

struct Run {
  uint32_t seed;
  Mix mix;
};

class RandomActions : public ::testing::TestWithParam<Run> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(saves_.isValid());
    gSaves = saves_.path().toStdString();
    gSaveCounter = 0;
    // A run starts with no window up, whatever ran before it in this process.
    releaseEveryWindow();
    resetProgramState();
    mainThread = pthread_self();
    std::signal(SIGUSR2, onHangSignal);
  }
  void TearDown() override {
    watching = false;
    if (dog_.joinable()) dog_.join();
    timer_.stop();
    setFatalHandler(nullptr);
    setOpenFilePresenter(nullptr);
    setSaveFilePresenter(nullptr);
    setPrintDialogResponder(nullptr);
    setSpeechEngine(previousEngine_);
    testing::clearSimulatedMouse();
    testing::clearSimulatedModifiers();
    // Every window the run leaves up goes with it: the End Of Game box of the game its end
    // finished, too, which would otherwise take all input of the next run.
    releaseEveryWindow();
    resetProgramState();
    setEventSlice(2);
    if (user_.log != nullptr) std::fclose(user_.log);
    user = nullptr;
  }
  QTemporaryDir saves_;
  SpeechEngine* previousEngine_ = nullptr;
  testing::OneVoiceEngine voice_;
  RandomUser user_;
  QTimer timer_;
  std::thread dog_;
  UseVirtualClock clock_;
};

TEST_P(RandomActions, KeepTheInvariants) {
  // The whole area's shuffled run would spend minutes here: each seed has its own entry.
  if (GTEST_FLAG_GET(shuffle)) GTEST_SKIP() << "runs in its own entries";
  RandomUser& u = user_;
  u.seed = static_cast<uint32_t>(envInt("RANDOM_SEED", static_cast<int>(GetParam().seed)));
  u.mix = GetParam().mix;
  u.rng.seed(u.seed);
  u.wanted = envInt("RANDOM_ACTIONS", 800);
  if (const char* dir = std::getenv("RANDOM_LOG_DIR"))
    u.log = std::fopen((std::string(dir) + "/random-" + std::to_string(u.seed) + (u.mix == Mix::Play ? "-play" : u.mix == Mix::Editor ? "-editor" : "") + ".log").c_str(), "w");
  user = &u;
  setOpenFilePresenter(answerOpen);
  setSaveFilePresenter(answerSave);
  setPrintDialogResponder(answerPrint);
  previousEngine_ = setSpeechEngine(&voice_);
  setFatalHandler([](const std::string& text) {
    dumpRecent(("fatal stop: " + text).c_str());
    printStack();
  });

  // Boxes are answered and hangs reported from the start (a first start may greet).
  timer_.setInterval(0);
  QObject::connect(&timer_, &QTimer::timeout, [] {
    answerModal();
    innerLoopAction();
  });
  timer_.start();
  watching = true;
  dog_ = std::thread(watchdog, envInt("RANDOM_HANG_S", 60));

  // runApplication, step by step, with the random user as the event pump.
  static int argc = 1;
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  rtInit(argc, argv);
  installMenuCommands();
  setMouseVector(mouseEventHook);
  setDialogVector(doDialogEvent);
  setEventSlice(0);  // no pump waits for real time
  ASSERT_TRUE(initUserFolders());
  installFlowServices();
  turnServices.pumpEvents = userPump;
  turnServices.quitGame = [] {
    note("the program asked to quit");
    violation("quit", "the program quit by itself");
    user->finishing = true;
    leaveEverything();
  };
  turnServices.endGameHook = [] {
    ++user->games;
    note("game ended");
  };
  installShellServices();
  setFileErrorAlertPresenter(showFileErrorAlert);
  installPreferenceServices();
  installDialogServices();
  installSavedGameServices();
  quitServices.endProcess = [](int status) {
    note("the program ends its process, status " + std::to_string(status));
    violation("quit", "the program ended its process");
    user->finishing = true;
    leaveEverything();
  };
  upperServices.endWaitLoop = endWaitLoop;
  installAudioServices();
  initProgram();
  installBoardServices();
  runMainLoop();

  std::string kinds;
  for (const auto& [k, n] : u.counts) kinds += " " + k + "=" + std::to_string(n);
  std::printf("RANDOM USER seed %u: %d actions, %d games ended;%s\n", u.seed, u.done, u.games, kinds.c_str());
  for (const auto& [k, n] : u.violations)
    ADD_FAILURE() << k << " broken " << n << " times, first: " << u.firstSeen[k];
  EXPECT_GE(u.done, u.wanted);
}

std::string runName(const ::testing::TestParamInfo<Run>& info) {
  const char* mix = info.param.mix == Mix::Play ? "Play" : info.param.mix == Mix::Editor ? "Editor" : "Anything";
  return mix + std::to_string(info.param.seed);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomActions,
                         ::testing::Values(Run{1, Mix::Anything}, Run{2, Mix::Anything}, Run{3, Mix::Anything}, Run{4, Mix::Anything},
                                           Run{1, Mix::Play}, Run{2, Mix::Play}, Run{3, Mix::Play},
                                           Run{1, Mix::Editor}, Run{11, Mix::Editor}),
                         runName);

}  // namespace
}  // namespace bg
