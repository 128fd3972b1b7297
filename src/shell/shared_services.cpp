#include "shell/shared_services.h"

#include <QDesktopServices>

#include <algorithm>
#include <string>
#include <QUrl>

#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "flow/turn_services.h"
#include "runtime/core/clock.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/events.h"
#include "runtime/qt/input.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "shell/option_toggles.h"
#include "shell/pending_items.h"
#include "shell/radio_groups.h"
#include "shell/shell_settings.h"
#include "shell/submenus.h"
#include "shell/display_settings_window.h"
#include "state/board_input.h"
#include "state/menu_numbers.h"
#include "state/rollout_state.h"
#include "state/shell_flags.h"
#include "state/speech_state.h"

namespace bg {

namespace {
constexpr int32_t kX86Architecture = 10;
constexpr int32_t kModernProcessor = 5;

// Rollouts and Fast Play skip every pause.
bool pausesSkipped() { return rollout.rolloutRunning != 0 || shellFlags.fastPlay != 0; }

constexpr int64_t kPauseSliceMs = 50;

// Sleeps in short slices, so that a close box or a quit request is answered during a
// long pause; menu choices still wait for the pump.
void sleepFor(double seconds) {
  int64_t left = static_cast<int64_t>(seconds * 1000);
  while (left > 0) {
    const int64_t slice = std::min(left, kPauseSliceMs);
    delayMs(slice);
    left -= slice;
    if (left > 0) pollEvents();
  }
}
}  // namespace

void setMenuItemState(int16_t menu, int16_t item, int16_t state, std::string_view text) {
  if (item == kInsertAsSubmenu) {
    insertSubmenu(menu);
    return;
  }
  switch (state) {
    case kItemDisabled:
      setMenuItemEnabled(menu, item, false);
      return;
    case kItemEnabled:
    case kItemChecked:
      // An item one past the end is added (the voices); any other is renamed.
      if (!text.empty() && item == menuItemCount(menu) + 1)
        appendMenuItem(menu, text);
      else if (!text.empty())
        setMenuItemText(menu, item, text);
      setMenuItemEnabled(menu, item, true);
      if (item > 0) setMenuItemChecked(menu, item, state == kItemChecked);
      // An item whose command has not landed keeps its check but stays greyed.
      if (itemAwaitsCommand(menu, item)) setMenuItemEnabled(menu, item, false);
      return;
    default:
      if (!text.empty()) setMenuItemText(menu, item, text);
      return;
  }
}

int32_t gestaltValue(std::string_view selector) {
  if (selector == "sysa") return kX86Architecture;
  if (selector == "proc") return kModernProcessor;
  return 0;
}

void setTextStyle(int16_t font, int16_t size, int16_t face, int16_t mode) {
  textFont(font);
  textSize(size);
  textFace(face);
  textMode(mode);
}

void pollEvents() {
  eventAvail();
  deliverWindowNotifications();
}

void pauseSeconds(double seconds) {
  if (pausesSkipped()) return;
  pollEvents();
  sleepFor(seconds);
}

// With a voice on, the speech paces the game; but a message still stays its time on the
// line when the speech is short or silent (no sound device), so only the rest is waited.
void pauseAfterMove(double seconds) {
  if (pausesSkipped() || rollout.noPause != 0) return;
  if (speech.speechOn == -1) {
    if (messageLine.messageLineShown != -1) return;
    seconds -= static_cast<double>(microseconds() - messageLine.shownAtUs) / 1e6;
    if (seconds <= 0) return;
  }
  flushWindow(outputWindow());
  pollEvents();
  sleepFor(seconds);
}

int16_t isModifierDown(int16_t code) {
  const uint16_t mods = currentKeyModifiers();
  bool down = false;
  switch (code) {
    case kCommandKeyCode: down = (mods & kCmdKeyBit) != 0; break;
    case kShiftKeyCode: down = (mods & kShiftKeyBit) != 0; break;
    case kOptionKeyCode: down = (mods & kOptionKeyBit) != 0; break;
    case kControlKeyCode: down = (mods & kControlKeyBit) != 0 || boardInput.rightClickEmulation != 0; break;
    default: break;
  }
  return down ? int16_t{-1} : int16_t{0};
}

int32_t openURLString(std::string_view text) {
  const QUrl url(QString::fromLatin1(text.data(), static_cast<int>(text.size())), QUrl::StrictMode);
  if (!url.isValid() || url.scheme().isEmpty()) return kBadUrlStatus;
  return QDesktopServices::openUrl(url) ? 0 : kBadUrlStatus;
}

void openURL(std::string_view text) { openURLString(text); }

void showInformation(std::string_view text) { showMessageBox(text); }

void showFileErrorAlert(std::string_view text, int32_t error) {
  showMessageBox(std::string(text) + " (error " + std::to_string(error) + ")");
}

void installShellServices() {
  shellServices.setMenuItemState = setMenuItemState;
  shellServices.pauseSeconds = pauseSeconds;
  shellServices.pauseAfterMove = pauseAfterMove;
  shellServices.toggleBeaverAllowed = toggleBeaverAllowed;
  shellServices.toggleJacobyRule = toggleJacobyRule;
  shellServices.toggleRerollFirstRoll = toggleRerollFirstRoll;
  shellServices.toggleAcceptDoubles = toggleAcceptDoubles;
  shellServices.selectAutoDoubleMax = [](int16_t choice) {
    shellSettings.autoDoubleMaxChoice = choice;
    selectAutoDoubleMax();
  };
  shellServices.installSubmenus = installSubmenus;
  shellServices.displaySettingsEvent = displaySettingsEvent;
  upperServices.showInformation = showInformation;
  turnServices.pollEvents = pollEvents;
  turnServices.isModifierDown = [](int16_t code) { return isModifierDown(code) != 0; };
  turnServices.setCursor = [](int16_t cursor) { setCursor(cursor); };
  turnServices.enableAllMenus = enableAllMenus;
}

}  // namespace bg
