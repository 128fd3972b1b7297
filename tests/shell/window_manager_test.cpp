// The program on a real X server with a window manager (openbox): each window the game waits
// on or keeps beside the board is still above the board after a click on the board's title
// bar, which makes the window manager raise the board. Only a window that stays above no
// other asks for a minimise button (openbox minimises a window with every window it stays
// above), and only a window that can be resized for a maximise one. A box minimised all the
// same (openbox draws the button whatever is asked), the game's own or a file or print box
// of the toolkit's, comes straight back with the board; the board minimised by itself, or
// from a task bar, stays so.
#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/about_box.h"
#include "dialogs/help_window.h"
#include "dialogs/message_boxes.h"
#include "dialogs/note_pad.h"
#include "dialogs/scoreboard_dialogs.h"
#include "dialogs/text_windows.h"
#include "rollout/rollout_engine.h"
#include "rollout/rollout_results_window.h"
#include "rollout/rollout_settings.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/help_text_window.h"
#include "shell/hide_game.h"
#include "shell/startup.h"
#include "state/menu_numbers.h"
#include "state/rollout_state.h"
#include "support/private_x_server.h"
#include "own_folders.h"

namespace bg {
namespace {

constexpr char kChildTest[] = "WindowManager.DISABLED_TheProgramUnderOpenbox";
constexpr int kStuck = 5;
constexpr int kBuried = 6;
constexpr int kWrongButtons = 7;
constexpr int kWrongRestore = 8;
constexpr int kStepTicks = 4000;  // the watcher's ticks a step may wait before giving up
constexpr int kTickMs = 5;
constexpr int kClickAgainTicks = 400;
constexpr int kMinimiseSettleTicks = 200;  // the window manager's minimise has happened by then
constexpr int kChildMs = 90000;
constexpr int16_t kBoard = 1;
constexpr int16_t kRolloutSetupWindow = 340;
constexpr int16_t kSetupOk = 1;
constexpr int16_t kSetupCancel = 2;
constexpr int16_t kSetupHelp = 14;
constexpr int16_t kInfoDone = 1;
// Unseen, the rollout's games go fast, the more so in an optimised build: the long one has as
// many games as may be asked, so it is still running when it is looked at.
constexpr int16_t kLongRollout = kMostRolloutGames;
constexpr int16_t kShortRollout = 1;
constexpr int kSentinelSide = 60;
constexpr int kTitleButtonsRoom = 100;  // the window manager's buttons at the title's ends
constexpr int16_t kScoreboardCancel = 2;
// The Motif hints a window gives the window manager: which of its buttons to draw.
constexpr uint32_t kHintsDecorations = 0x2;  // the flag: the decorations are named
constexpr uint32_t kDecorateAll = 0x1;       // every decoration but those named
constexpr uint32_t kDecorateMinimise = 0x20;
constexpr uint32_t kDecorateMaximise = 0x40;
constexpr int kHintsFlagsAt = 0;
constexpr int kHintsDecorationsAt = 2;

void run(const QStringList& command) {
  if (QProcess::execute(command.first(), command.mid(1)) != 0) {
    std::fprintf(stderr, "%s failed\n", command.join(' ').toLocal8Bit().constData());
    std::_Exit(kStuck);
  }
}

// The client windows as the window manager stacks them, bottom first.
std::vector<WId> stacking() {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
  xprop.waitForFinished();
  const QByteArray out = xprop.readAllStandardOutput();
  std::vector<WId> ids;
  const int hash = out.indexOf('#');
  if (hash < 0) return ids;
  for (const QByteArray& id : out.mid(hash + 1).split(',')) {
    bool ok = false;
    const WId w = id.trimmed().toULongLong(&ok, 16);
    if (ok) ids.push_back(w);
  }
  return ids;
}

int placeIn(const std::vector<WId>& stack, WId w) {
  for (size_t i = 0; i < stack.size(); ++i) {
    if (stack[i] == w) return static_cast<int>(i);
  }
  return -1;
}

WId xWindowOf(int16_t n) { return contentWidget(n)->winId(); }

// True when window n asks the window manager for the button: it names no decorations (the
// window manager then draws them all), or names the button.
bool asksFor(int16_t n, uint32_t button) {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"),
              {QStringLiteral("-id"), QString::number(xWindowOf(n)), QStringLiteral("_MOTIF_WM_HINTS")});
  xprop.waitForFinished();
  const QByteArray out = xprop.readAllStandardOutput();
  const int equals = out.indexOf('=');
  if (equals < 0) return true;
  std::vector<uint32_t> hints;
  for (const QByteArray& v : out.mid(equals + 1).split(',')) hints.push_back(v.trimmed().toUInt(nullptr, 16));
  if (hints.size() <= kHintsDecorationsAt || (hints[kHintsFlagsAt] & kHintsDecorations) == 0) return true;
  const uint32_t decorations = hints[kHintsDecorationsAt];
  return ((decorations & button) != 0) != ((decorations & kDecorateAll) != 0);
}

// Another application's window, raised above the board before each click: once the board is
// above it again, the window manager has done the raise the click asked for.
QWidget& sentinel() {
  static QWidget* w = [] {
    auto* s = new QWidget(nullptr, Qt::Window);
    s->setWindowTitle(QStringLiteral("another application"));
    s->setGeometry(0, 0, kSentinelSide, kSentinelSide);
    s->show();
    return s;
  }();
  return *w;
}

// A point on the board's title bar that no other window covers.
QPoint boardTitlePoint() {
  const QWidget* board = contentWidget(kBoard);
  const QRect frame = board->frameGeometry();
  const int y = frame.top() + (board->geometry().top() - frame.top()) / 2;
  for (int x = frame.left() + kTitleButtonsRoom; x < frame.right() - kTitleButtonsRoom; x += kSentinelSide) {
    bool covered = false;
    for (QWidget* w : QApplication::topLevelWidgets())
      covered |= w != board && w->isVisible() && w->frameGeometry().contains(x, y);
    if (!covered) return {x, y};
  }
  return {frame.left() + kTitleButtonsRoom, y};
}

using Step = std::function<bool()>;
std::vector<Step> steps;
size_t step = 0;
int ticks = 0;
std::string buried;
std::string wrongButtons;
std::string wrongRestores;
std::string lastLook;  // what the last look at the stacking saw, for a step that never ends

Step waitFor(std::function<bool()> done) { return done; }
// Run from a timer of its own: a box it opens runs its loop there while the watcher ticks on.
Step act(std::function<void()> what) {
  return [what] {
    QTimer::singleShot(0, what);
    return true;
  };
}

void clickAt(const QPoint& p) {
  run({QStringLiteral("xdotool"), QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
       QStringLiteral("click"), QStringLiteral("1")});
}

// The sentinel raised, a click on the board's title, then each window is to be above the board.
Step aboveAfterAClick(std::string what, std::vector<int16_t> windows) {
  auto stage = std::make_shared<int>(0);
  auto waited = std::make_shared<int>(0);
  return [what, windows, stage, waited] {
    const std::vector<WId> stack = stacking();
    const int board = placeIn(stack, xWindowOf(kBoard));
    const int other = placeIn(stack, sentinel().winId());
    lastLook = "stage " + std::to_string(*stage) + ", board at " + std::to_string(board) + ", the other window at " +
               std::to_string(other) + " of " + std::to_string(stack.size());
    switch (*stage) {
      case 0:
        run({QStringLiteral("xdotool"), QStringLiteral("windowraise"), QString::number(sentinel().winId())});
        break;
      case 1:
        // A raise the window manager let pass (it was busy) is asked again.
        if (other < board) {
          if (++*waited % kClickAgainTicks == 0) *stage = 0;
          return false;
        }
        // A click there first: two on the title in a row would be a double click, which zooms.
        clickAt(sentinel().geometry().center());
        break;
      case 2:
        clickAt(boardTitlePoint());
        break;
      default:
        // A click the window manager let pass (it was busy, or took it for part of a drag)
        // is made again from the start.
        if (board < other && ++*waited % kClickAgainTicks == 0) *stage = 0;
        if (board < other) return false;
        for (int16_t n : windows) {
          if (!windowVisible(n) || placeIn(stack, xWindowOf(n)) < board)
            buried += what + " (window " + std::to_string(n) + "); ";
        }
        return true;
    }
    ++*stage;
    return false;
  };
}

// Each window is to ask for no minimise button, and a box of fixed size for no maximise;
// the board asks for both.
Step buttonsAsked(std::string what, std::vector<int16_t> windows, bool resizable) {
  return [what, windows, resizable] {
    if (!asksFor(kBoard, kDecorateMinimise) || !asksFor(kBoard, kDecorateMaximise))
      wrongButtons += "the board offers no minimise or maximise; ";
    for (int16_t n : windows) {
      const std::string window = what + " (window " + std::to_string(n) + ")";
      if (asksFor(n, kDecorateMinimise)) wrongButtons += window + " offers minimise; ";
      if (!resizable && asksFor(n, kDecorateMaximise)) wrongButtons += window + " offers maximise; ";
    }
    return true;
  };
}

bool holdsTheKeys(int16_t n) { return windowVisible(n) && QApplication::activeWindow() == contentWidget(n); }

void type(const QString& what) { run({QStringLiteral("xdotool"), QStringLiteral("type"), what}); }
void key(const QString& what) { run({QStringLiteral("xdotool"), QStringLiteral("key"), what}); }

// Whether the window manager shows the window (its WM_STATE), not minimised.
bool shownByTheWindowManager(WId w) {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(w), QStringLiteral("WM_STATE")});
  xprop.waitForFinished();
  return xprop.readAllStandardOutput().contains("window state: Normal");
}

// A box of the toolkit's own the game waits on (a file box, the print box).
QWidget* toolkitBox() {
  QWidget* w = QApplication::activeModalWidget();
  return w != nullptr && w->inherits("QDialog") && w->isVisible() ? w : nullptr;
}

// The window's own minimise, as its title bar button gives it: the window holds the keys,
// then the window manager minimises it, and the board first when it minimises both. The
// board is to be shown again, and the window too, holding the keys again.
enum class Minimised { kAlone, kWithTheBoard };
Step minimisedComesBack(std::function<QWidget*()> window, Minimised how = Minimised::kAlone) {
  auto phase = std::make_shared<int>(0);
  return [window, how, phase] {
    QWidget* w = window();
    if (w == nullptr) return false;
    const QString id = QString::number(w->winId());
    switch (*phase) {
      case 0:
        run({QStringLiteral("xdotool"), QStringLiteral("windowactivate"), id});
        ++*phase;
        return false;
      case 1:
        if (w->isVisible() && QApplication::activeWindow() == w) {
          if (how == Minimised::kWithTheBoard)
            run({QStringLiteral("xdotool"), QStringLiteral("windowminimize"), QString::number(xWindowOf(kBoard))});
          run({QStringLiteral("xdotool"), QStringLiteral("windowminimize"), id});
          ++*phase;
        }
        return false;
      default:
        if (++*phase < kMinimiseSettleTicks) return false;
        lastLook = std::string("the board ") + (shownByTheWindowManager(xWindowOf(kBoard)) ? "shown" : "minimised") +
                   ", the window " + (shownByTheWindowManager(w->winId()) ? "shown" : "minimised") +
                   (QApplication::activeWindow() == w ? ", holding the keys" : ", without the keys");
        return shownByTheWindowManager(xWindowOf(kBoard)) && shownByTheWindowManager(w->winId()) &&
               QApplication::activeWindow() == w;
    }
  };
}
Step minimisedComesBack(int16_t n) {
  return minimisedComesBack([n] { return windowExists(n) ? contentWidget(n) : nullptr; });
}

// Window n minimised while window `holder` holds the keys: by its own title bar button (n
// itself), or from a task bar. No window above the board went with the board, and the
// program brings back only the board, so n stays minimised; then it is shown again as a task
// bar click does.
Step minimisedStaysDown(int16_t n, int16_t holder) {
  auto phase = std::make_shared<int>(0);
  return [n, holder, phase] {
    const QString id = QString::number(xWindowOf(n));
    switch (*phase) {
      case 0:
        run({QStringLiteral("xdotool"), QStringLiteral("windowactivate"), QString::number(xWindowOf(holder))});
        ++*phase;
        return false;
      case 1:
        if (holdsTheKeys(holder)) {
          run({QStringLiteral("xdotool"), QStringLiteral("windowminimize"), id});
          ++*phase;
        }
        return false;
      case kMinimiseSettleTicks:
        if (shownByTheWindowManager(xWindowOf(n)))
          wrongRestores += "window " + std::to_string(n) + " minimised with window " + std::to_string(holder) +
                           " in front came back; ";
        run({QStringLiteral("xdotool"), QStringLiteral("windowactivate"), id});
        ++*phase;
        return false;
      default:
        if (*phase < kMinimiseSettleTicks) {
          ++*phase;
          return false;
        }
        return shownByTheWindowManager(xWindowOf(n));
    }
  };
}

// A file box or the print box, opened by its item, minimised alone and with the board, then
// cancelled.
std::vector<Step> toolkitBoxMinimised(int16_t menu, int16_t item) {
  return {
      waitFor([] { return frontWindow() == kBoard && !modalWindowUp() && toolkitBox() == nullptr; }),
      act([menu, item] { chooseMenuItem(menu, item); }),
      waitFor([] { return toolkitBox() != nullptr; }),
      minimisedComesBack(toolkitBox),
      minimisedComesBack(toolkitBox, Minimised::kWithTheBoard),
      act([] {
        if (auto* box = qobject_cast<QDialog*>(toolkitBox())) box->reject();
      }),
      waitFor([] { return toolkitBox() == nullptr; }),
  };
}

Step openTheRollout(int16_t games) {
  return act([games] {
    rollout.rolloutShowBoard = 0;
    rolloutSettings.gamesWanted = games;
    chooseMenuItem(kGameMenu, kRolloutItem);
  });
}

void buildSteps() {
  const auto boardInFront = [] { return frontWindow() == kBoard && !modalWindowUp(); };
  const auto shown = [](int16_t n) { return [n] { return windowVisible(n); }; };
  const auto gone = [](int16_t n) { return [n] { return !windowExists(n); }; };
  steps = {
      // The first start's boxes, answered at the keyboard.
      waitFor([] { return holdsTheKeys(kLargeMessageWindow); }),
      buttonsAsked("the welcome box", {kLargeMessageWindow}, false),
      [] { return holdsTheKeys(kLargeMessageWindow) && (key(QStringLiteral("Return")), true); },
      [] { return holdsTheKeys(kNameEntryWindow) && (type(QStringLiteral("Ann")), key(QStringLiteral("Return")), true); },
      waitFor(boardInFront),
      // A rollout running, paused by Stop, then ended by Return; then one of a game, finished.
      openTheRollout(kLongRollout),
      waitFor(shown(kRolloutSetupWindow)),
      act([] { pressButton(kRolloutSetupWindow, kSetupOk); }),
      waitFor([] { return windowVisible(kRolloutResultsWindow) && rolloutInProgress(); }),
      buttonsAsked("the rollout's window", {kRolloutResultsWindow}, false),
      aboveAfterAClick("the running rollout", {kRolloutResultsWindow}),
      act([] { pressButton(kRolloutResultsWindow, kStartStopButton); }),
      waitFor(rolloutPaused),
      aboveAfterAClick("the paused rollout", {kRolloutResultsWindow}),
      act([] { pressButton(kRolloutResultsWindow, kReturnButton); }),
      waitFor([] { return !windowExists(kRolloutResultsWindow) && !rolloutInProgress(); }),
      waitFor(boardInFront),
      openTheRollout(kShortRollout),
      waitFor(shown(kRolloutSetupWindow)),
      act([] { pressButton(kRolloutSetupWindow, kSetupOk); }),
      // Finished: Start is off.
      waitFor([] { return windowVisible(kRolloutResultsWindow) && !controlEnabled(kRolloutResultsWindow, kStartStopButton); }),
      aboveAfterAClick("the finished rollout", {kRolloutResultsWindow}),
      act([] { pressButton(kRolloutResultsWindow, kReturnButton); }),
      waitFor(gone(kRolloutResultsWindow)),
      waitFor(boardInFront),
      // The context help, the note pad and a help page.
      act([] { showContextHelp(); }),
      waitFor(shown(kHelpTextWindow)),
      buttonsAsked("the context help", {kHelpTextWindow}, true),
      aboveAfterAClick("the context help", {kHelpTextWindow}),
      act([] { dismissHelpText(); }),
      waitFor([] { return !windowVisible(kHelpTextWindow); }),
      act([] { openNotePad(); }),
      waitFor(shown(kNotePadWindow)),
      buttonsAsked("the note pad", {kNotePadWindow}, true),
      aboveAfterAClick("the note pad", {kNotePadWindow}),
      minimisedComesBack(kNotePadWindow),
      act([] { saveNotePad(); }),
      waitFor(gone(kNotePadWindow)),
      act([] { openHelpWindow(kInfoMenu, 1); }),
      waitFor(shown(kHelpWindow)),
      buttonsAsked("a help page", {kHelpWindow}, true),
      aboveAfterAClick("a help page", {kHelpWindow}),
      act([] { closeHelpWindow(); }),
      waitFor(gone(kHelpWindow)),
      // A box over a box: Position Rollout > Help.
      waitFor(boardInFront),
      act([] { chooseMenuItem(kGameMenu, kRolloutItem); }),
      waitFor(shown(kRolloutSetupWindow)),
      act([] { pressButton(kRolloutSetupWindow, kSetupHelp); }),
      waitFor(shown(kInfoBoxWindow)),
      aboveAfterAClick("a box over a box", {kRolloutSetupWindow, kInfoBoxWindow}),
      buttonsAsked("a box over a box", {kRolloutSetupWindow, kInfoBoxWindow}, false),
      act([] { pressButton(kInfoBoxWindow, kInfoDone); }),
      waitFor(gone(kInfoBoxWindow)),
      act([] { pressButton(kRolloutSetupWindow, kSetupCancel); }),
      waitFor(gone(kRolloutSetupWindow)),
      waitFor(boardInFront),
      act([] { chooseMenuItem(kInfoMenu, kInfoAboutItem); }),
      waitFor(shown(kAboutWindow)),
      buttonsAsked("About", {kAboutWindow}, false),
      minimisedComesBack(kAboutWindow),
      act([] { pressButton(kAboutWindow, 1); }),
      waitFor(gone(kAboutWindow)),
      waitFor(boardInFront),
      act([] { chooseMenuItem(kPlayerMenu, kScoreboardItem); }),
      waitFor(shown(kScoreboardWindow)),
      buttonsAsked("the scoreboard", {kScoreboardWindow}, false),
      act([] { pressButton(kScoreboardWindow, kScoreboardCancel); }),
      waitFor(gone(kScoreboardWindow)),
      waitFor(boardInFront),
      minimisedStaysDown(kBoard, kBoard),
      waitFor(boardInFront),
      // The note pad opened while the game is hidden is a window of its own, beside the board
      // once the game is shown again.
      act([] { toggleHideGame(); }),
      waitFor([] { return windowVisible(kHiddenGameWindow) && !windowVisible(kBoard); }),
      act([] { openNotePad(); }),
      waitFor(shown(kNotePadWindow)),
      act([] { toggleHideGame(); }),
      waitFor([] { return windowVisible(kBoard) && !windowExists(kHiddenGameWindow); }),
      minimisedStaysDown(kBoard, kNotePadWindow),
      // A box over that note pad, and the note pad minimised from a task bar: the box goes
      // with it, the board stays, and nothing comes back.
      [] {
        if (holdsTheKeys(kNotePadWindow)) return true;
        run({QStringLiteral("xdotool"), QStringLiteral("windowactivate"), QString::number(xWindowOf(kNotePadWindow))});
        return false;
      },
      act([] { showMessageBox("Over the note pad."); }),
      waitFor(shown(kInformationWindow)),
      minimisedStaysDown(kNotePadWindow, kInformationWindow),
      act([] { pressButton(kInformationWindow, 1); }),
      waitFor(gone(kInformationWindow)),
      act([] { saveNotePad(); }),
      waitFor(gone(kNotePadWindow)),
  };
  // Open Game..., Save Game As... and Print Game Record... in the File menu.
  for (const int16_t item : {kOpenGameItem, kSaveGameAsItem, kPrintRecordItem}) {
    const std::vector<Step> more = toolkitBoxMinimised(kFileMenu, item);
    steps.insert(steps.end(), more.begin(), more.end());
  }
}

void watch() {
  if (step == steps.size()) {
    std::fprintf(stderr, "buried: %s\nwrong buttons: %s\nwrong restores: %s\n", buried.c_str(), wrongButtons.c_str(),
                 wrongRestores.c_str());
    std::_Exit(!buried.empty()          ? kBuried
               : !wrongButtons.empty()  ? kWrongButtons
               : !wrongRestores.empty() ? kWrongRestore
                                        : 0);
  }
  if (steps[step]()) {
    std::fprintf(stderr, "step %zu done\n", step);
    ++step;
    ticks = 0;
  } else if (++ticks > kStepTicks) {
    std::fprintf(stderr, "stuck at step %zu (%s); buried: %s\n", step, lastLook.c_str(), buried.c_str());
    std::_Exit(kStuck);
  }
}

// Run only by the test below, in a process of its own on the private X server.
TEST(WindowManager, DISABLED_TheProgramUnderOpenbox) {
  testing::OwnFolders::enter(std::filesystem::path(qgetenv(testing::kChildFoldersVariable).toStdString()));
  buildSteps();
  static QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, watch);
  watcher.start(kTickMs);
  static char name[] = "backgammon";
  static char* argv[] = {name, nullptr};
  runApplication(1, argv);
}

TEST(WindowManager, TheGamesWindowsStayAboveTheBoardItsClickRaises) {
  testing::PrivateXServer x;
  if (!x.running()) GTEST_SKIP() << x.problem().toStdString();
  for (const char* tool : {"openbox", "xdotool", "xprop"}) {
    if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
      GTEST_SKIP() << tool << " is missing: tools/deps.sh installs it";
  }
  ASSERT_TRUE(x.startWindowManager()) << x.problem().toStdString();
  const testing::OwnFolders folders("bg-wm-");
  const testing::ChildRun run = x.runChildTest(kChildTest, folders.root(), kChildMs);
  ASSERT_TRUE(run.ended) << run.said;
  EXPECT_EQ(run.exitCode, 0) << run.said;
}

}  // namespace
}  // namespace bg
