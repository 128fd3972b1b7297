// The board's callbacks and application events, and the shared pauses and menu states.
#include <gtest/gtest.h>

#include "state/board_command_services.h"
#include "dialogs/dialog_state.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "runtime/core/clock.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/shared_services.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/interaction_state.h"
#include "state/display_services.h"
#include "state/program_state.h"
#include "state/rollout_state.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/speech_state.h"
#include "state/program_state.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

constexpr int16_t kDialogWindow = 400;
int redraws = 0;
uint8_t rolloutFlagDuringRedraw = 0;
int menuChoices = 0;

class AppEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    redraws = 0;
    menuChoices = 0;
    windowOpen(1, "board", makeRect(0, 0, 300, 200), kDocumentWindow, true);
    setOutputWindow(1);
    setDialogVector(doDialogEvent);
    setMouseVector(mouseEventHook);
    setMenuVector([] { ++menuChoices; });
    installAppEventHandlers();
    displayServices.redrawBoardWindow = [] {
      ++redraws;
      rolloutFlagDuringRedraw = rollout.rolloutRunning;
    };
  }
  void TearDown() override {
    windowClose(kDialogWindow);
    windowClose(1);
    setMenuVector(nullptr);
    setEventSlice(2);
  }
  static void deliver(int16_t kind, int16_t id) {
    FBRaiseDialogEvent(kind, id);
    testing::pumpUntil([] { return false; }, 3);
  }
};

TEST_F(AppEvents, DialogEventsSetTheirFlags) {
  const struct {
    int16_t kind, id, rebuilding;
    int16_t waitEnded, noPump;
  } rows[] = {{4, 5, 0, -1, 0}, {4, 6, 0, -1, 0}, {4, 2, 0, 0, 0},  {4, 3, 0, 0, 0}, {19, 1, 0, 0, -1},
              {19, 2, 0, 0, 0}, {19, 5, 0, 0, -1}, {4, 5, -1, 0, 0}, {19, 1, -1, 0, 0}};
  for (const auto& r : rows) {
    // Activation from the window system, if any, comes first.
    testing::pumpUntil([] { return false; }, 3);
    flushEvents();
    appEvents = AppEventState{};
    settings.noPumpDuringSearch = 0;
    shellWindow.boardRebuilding = r.rebuilding;
    deliver(r.kind, r.id);
    EXPECT_EQ(appEvents.waitEnded, r.waitEnded) << r.kind << "/" << r.id << " " << r.rebuilding;
    EXPECT_EQ(settings.noPumpDuringSearch, r.noPump) << r.kind << "/" << r.id << " " << r.rebuilding;
  }
}

TEST_F(AppEvents, ReactivationRedrawsOnceOnlyDuringARollout) {
  for (uint8_t running : {uint8_t{0}, uint8_t{255}}) {
    redraws = 0;
    rollout.rolloutRunning = running;
    deliver(kDialogActivation, 1);
    EXPECT_EQ(redraws, running != 0 ? 1 : 0);
    EXPECT_EQ(rollout.rolloutRunning, running);
  }
  EXPECT_EQ(rolloutFlagDuringRedraw, 0) << "the redraw runs as outside a rollout";
}

TEST_F(AppEvents, BoardKeysAreUpperCasedUnlessCtrlIsHeld) {
  windowSelect(1);
  static std::vector<std::string> seen;
  seen.clear();
  boardCommandServices.showBlotRisk = [] { seen.push_back(interactionDisplay.keyBuffer.str()); };
  testing::typeKey(1, Qt::Key_B, Qt::ControlModifier);
  EXPECT_TRUE(seen.empty());
  testing::typeKey(1, Qt::Key_B);
  EXPECT_EQ(seen, std::vector<std::string>{"B"});
  EXPECT_TRUE(interactionDisplay.keyBuffer.empty()) << "emptied after every key";
}

// A click on the board counts unless the plain help shows or another window is drawn to
// (the rollout's, as it counts): the board is not where the program works then.
TEST_F(AppEvents, ABoardClickCountsUnlessThePlainHelpShows) {
  windowOpen(kDialogWindow, "dialog", makeRect(0, 0, 200, 100), kFixedWindow, false);
  const struct {
    int16_t help, output;
    uint8_t counted;
  } rows[] = {{-1, 1, 0}, {0, 1, 255}, {0, kDialogWindow, 0}};
  for (const auto& r : rows) {
    interactionDisplay.boardInputEvent = 0;
    appEvents.helpTextShowing = r.help;
    setOutputWindow(r.output);
    testing::clickAt(1, Point{40, 40});
    EXPECT_EQ(interactionDisplay.boardInputEvent, r.counted) << r.help << " " << r.output;
  }
}

TEST_F(AppEvents, ReturnAndEscapeInADialogAreHandledOnceAndFlashTheirButton) {
  windowOpen(kDialogWindow, "dialog", makeRect(0, 0, 200, 100), kFixedWindow, true);
  addPushButton(kDialogWindow, 1, "OK", makeRect(100, 60, 180, 80));
  dialogWindows.dialogFlags[1] = kButtonPresent;
  UseVirtualClock clock;
  const struct {
    uint8_t charCode;
    bool handled;
  } rows[] = {{kReturnChar, true}, {kEnterChar, true}, {kEscapeChar, true}, {'x', false}};
  for (const auto& r : rows) {
    AppEvent e;
    e.kind = AppEvent::kKeyDown;
    e.window = kDialogWindow;
    e.charCode = r.charCode;
    const uint64_t before = clock.clock.slept();
    EXPECT_EQ(appEventHandler(e), r.handled) << int(r.charCode);
    // Only button 1 exists: Return, Enter and Escape (the box has nothing to cancel) flash it
    // for 100 ms.
    const bool flashed = r.charCode == kReturnChar || r.charCode == kEnterChar || r.charCode == kEscapeChar;
    EXPECT_EQ(clock.clock.slept() - before, flashed ? 100000u : 0u) << int(r.charCode);
  }
}

TEST_F(AppEvents, ControlHitsAreLeftToTheDialogCallbackInEveryWindow) {
  for (int16_t window : {kDialogWindow, int16_t{1}, int16_t{500}, int16_t{239}, int16_t{226}, int16_t{323}}) {
    AppEvent e;
    e.kind = AppEvent::kControlHit;
    e.window = window;
    e.control = 3;
    EXPECT_FALSE(appEventHandler(e)) << window;
  }
}

TEST_F(AppEvents, PausesSkipInRolloutsFastPlayAndSpeechAndNeverRunTheMenus) {
  UseVirtualClock clock;
  postMenuSelection(3, 1);
  const struct {
    uint8_t rollout, fastPlay;
    int16_t speech;
    bool pauseWaits, afterMoveWaits;
  } rows[] = {{0, 0, 0, true, true}, {255, 0, 0, false, false}, {0, 255, 0, false, false}, {0, 0, -1, true, false}};
  for (const auto& r : rows) {
    rollout.rolloutRunning = r.rollout;
    shellFlags.fastPlay = r.fastPlay;
    speech.speechOn = r.speech;
    uint64_t before = clock.clock.slept();
    pauseSeconds(0.2);
    EXPECT_EQ(clock.clock.slept() - before, r.pauseWaits ? 200000u : 0u);
    before = clock.clock.slept();
    pauseAfterMove(0.2);
    EXPECT_EQ(clock.clock.slept() - before, r.afterMoveWaits ? 200000u : 0u);
  }
  EXPECT_EQ(menuChoices, 0);
  flushEvents();
}

// A stand-in voice that takes the time a row gives, on the virtual clock.
VirtualClock* speechClock = nullptr;
uint64_t speechTakesUs = 0;
void speakForAWhile(std::string_view) { speechClock->advance(speechTakesUs); }

TEST_F(AppEvents, AMessageStaysItsTimeOnTheLineWhetherOrNotItIsSpoken) {
  UseVirtualClock clock;
  speechClock = &clock.clock;
  upperServices.speakText = speakForAWhile;
  const struct {
    int16_t speech;
    uint64_t speechUs, onLineAtLeastUs;
  } rows[] = {{-1, 0, 1990000}, {-1, 1500000, 1990000}, {-1, 3000000, 3000000}, {0, 0, 1990000}};  // ms slices
  for (const auto& r : rows) {
    speech.speechOn = r.speech;
    speech.voiceName = "Alex";
    speechTakesUs = r.speechUs;
    const uint64_t start = clock.clock.now();
    interaction.messageText = "MMYou can't make any moves";
    interaction.messageNumber = kNoMessage;
    displayMessage();
    pauseAfterMove(2);
    const uint64_t onLine = clock.clock.now() - start;
    EXPECT_GE(onLine, r.onLineAtLeastUs) << r.speech << " " << r.speechUs;
    // A long speech is not followed by the whole pause again.
    EXPECT_LT(onLine, std::max(r.speechUs, uint64_t{2000000}) + 500000) << r.speechUs;
    clearMessageLine(0);
  }
}

TEST_F(AppEvents, SharedServicesAnswerAsDocumented) {
  loadMenu(3);
  const std::string before = menuItemText(3, 1);
  setMenuItemState(3, 1, kItemDisabled, "x");
  EXPECT_EQ(menuItemText(3, 1), before);
  EXPECT_FALSE(menuItemEnabled(3, 1));
  setMenuItemState(3, 1, 7, "Renamed");
  EXPECT_EQ(menuItemText(3, 1), "Renamed");
  EXPECT_FALSE(menuItemEnabled(3, 1)) << "other states change the text only";
  EXPECT_EQ(openURLString("not a url"), kBadUrlStatus);
  // No key held, whatever an earlier test's last key event left in the platform's state.
  testing::setModifiers(0);
  boardInput.rightClickEmulation = -1;
  EXPECT_EQ(isModifierDown(kControlKeyCode), -1);
  EXPECT_EQ(isModifierDown(kCommandKeyCode), 0);
  testing::clearSimulatedModifiers();
}

}  // namespace
}  // namespace bg
