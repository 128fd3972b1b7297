#pragma once
// A scripted person at the board window (window 1). The game loop holds the thread, so
// the script runs inside the program's waits: install pump() as the event pump and each
// pump runs one step, which sends real mouse events to the window; the held checker
// follows the simulated mouse. When the steps run out the planner adds more. The pump
// budget ends a script that goes wrong instead of letting it hang.
#include <deque>
#include <functional>
#include <utility>

#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "support/qt_helpers.h"

namespace bg::testing {

class MouseScript {
 public:
  using Step = std::function<void()>;
  std::function<void()> planner;
  std::function<void()> onBudgetSpent;
  long budget = 200000;
  long pumps = 0;
  bool spent = false;

  static Point globalOf(Point local) {
    const Rect c = windowContentRect(1);
    const GrafPort* port = windowPort(1);
    if (port == nullptr) ADD_FAILURE() << "the board window is not there";
    const QPoint o = port != nullptr ? port->origin : QPoint();
    return {static_cast<int16_t>(local.h - o.x() + c.left), static_cast<int16_t>(local.v - o.y() + c.top)};
  }
  void moveTo(Point p) {
    steps_.push_back([p] { simulateMouse(globalOf(p), false); });
  }
  // Press and release at p, the mouse left there.
  void click(Point p) {
    clickWhere([p] { return p; });
  }
  // The same at a place found when the step comes (a button laid out by then).
  void clickWhere(std::function<Point()> where) {
    steps_.push_back([where = std::move(where)] { clickNow(where()); });
  }
  // Press and release at p at once, inside the step that calls it.
  static void clickNow(Point p) {
    simulateMouse(globalOf(p), true);
    pressAt(1, p);
    simulateMouse(globalOf(p), false);
    releaseAt(1, p);
  }
  // The mouse moves from a to b in n steps, one per pump.
  void drag(Point a, Point b, int n) {
    for (int i = 1; i <= n; ++i)
      moveTo({static_cast<int16_t>(a.h + (b.h - a.h) * i / n), static_cast<int16_t>(a.v + (b.v - a.v) * i / n)});
  }
  void then(Step s) { steps_.push_back(std::move(s)); }
  bool idle() const { return steps_.empty(); }

  void pump() {
    if (spent) return;
    if (++pumps > budget) {
      spent = true;
      if (onBudgetSpent) onBudgetSpent();
      return;
    }
    FBHandleEvents();
    if (steps_.empty() && planner) planner();
    if (steps_.empty()) return;
    Step s = std::move(steps_.front());
    steps_.pop_front();
    s();
  }

 private:
  std::deque<Step> steps_;
};

}  // namespace bg::testing
