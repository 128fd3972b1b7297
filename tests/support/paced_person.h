#pragma once
// A person clicking the board window at a pace of his own, whatever the program is doing:
// each click is pressed when its time comes on the virtual clock, the pointer jumping to
// its place and the button held a moment; the window system keeps the press and release
// until the program pumps. Installed as the clock source for its lifetime, so it sees every
// moment the program spends; a pump that lets a moment go by (pumpEvents) lets him go on
// while the program waits.
#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

#include <cstdint>
#include <deque>
#include <functional>
#include <utility>

#include "runtime/core/clock.h"
#include "support/scripted_board.h"

namespace bg::testing {

class PacedPerson final : public ClockSource {
 public:
  PacedPerson(VirtualClock& clock, double secondsApart)
      : clock_(clock), apartUs_(static_cast<std::uint64_t>(secondsApart * 1e6)), next_(clock.now() + apartUs_) {
    previous_ = setClockSource(this);
  }
  ~PacedPerson() override { setClockSource(previous_); }
  PacedPerson(const PacedPerson&) = delete;
  PacedPerson& operator=(const PacedPerson&) = delete;

  // A click at the place `where` gives when its turn comes, the button held a moment; a
  // quick one on a box's button (its tracking follows the button, not the clock).
  void click(std::function<Point()> where) { clicks_.push_back({std::move(where), kHoldUs}); }
  void quickClick(std::function<Point()> where) { clicks_.push_back({std::move(where), 0}); }
  bool done() const { return clicks_.empty() && !held_; }
  // The program's event pump, which takes a millisecond of the person's time.
  static void pumpEvents() {
    delayMs(1);
    pumpingScript()->pump();
  }

  std::uint64_t microseconds() override {
    const std::uint64_t now = clock_.microseconds();
    if (held_ && now >= releaseAt_) {
      held_ = false;
      send(QEvent::MouseButtonRelease, at_);
    } else if (!held_ && !clicks_.empty() && now >= next_) {
      const Click c = std::move(clicks_.front());
      clicks_.pop_front();
      at_ = c.where();
      next_ = now + apartUs_;
      send(QEvent::MouseButtonPress, at_);
      held_ = c.holdUs > 0;
      releaseAt_ = now + c.holdUs;
      if (!held_) send(QEvent::MouseButtonRelease, at_);
    }
    return now;
  }
  LocalTime localTime() override { return clock_.localTime(); }
  void sleepMicroseconds(std::uint64_t us) override {
    clock_.sleepMicroseconds(us);
    microseconds();
  }

 private:
  static constexpr std::uint64_t kHoldUs = 80000;  // a person's click holds the button this long

  // The pointer and button as the window system reports them now; the event waits in its queue.
  static void send(QEvent::Type type, Point at) {
    const bool down = type == QEvent::MouseButtonPress;
    const Point global = MouseScript::globalOf(at);
    simulateMouse(global, down);
    QWindow* board = presentWindowHandle(1);
    if (board == nullptr) return;
    QCoreApplication::postEvent(board, new QMouseEvent(type, QPointF(widgetPointOf(1, at)), QPointF(global.h, global.v),
                                                       Qt::LeftButton, down ? Qt::LeftButton : Qt::NoButton,
                                                       Qt::NoModifier));
  }

  VirtualClock& clock_;
  ClockSource* previous_ = nullptr;
  std::uint64_t apartUs_;
  std::uint64_t next_;
  std::uint64_t releaseAt_ = 0;
  bool held_ = false;
  Point at_{};
  struct Click {
    std::function<Point()> where;
    std::uint64_t holdUs;
  };
  std::deque<Click> clicks_;
};

}  // namespace bg::testing
