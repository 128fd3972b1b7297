#include "dialogs/about_box.h"

#include <algorithm>

#include "dialogs/dialog_dispatch.h"
#include "dialogs/dialog_state.h"
#include "runtime/core/format.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/cursors.h"
#include "runtime/qt/designed_windows.h"
#include "runtime/qt/drawing.h"
#include "runtime/qt/events.h"
#include "runtime/qt/ports.h"
#include "runtime/qt/text.h"
#include "runtime/qt/windows.h"
#include "state/app_constants.h"

namespace bg {

namespace {

constexpr int kBoxWidth = 320;
constexpr int kBoxHeight = 188;
constexpr int16_t kNameControl = 10;
constexpr int16_t kVersionControl = 11;
constexpr int16_t kDoneButton = 1;
constexpr int16_t kBoxFont = 5;
constexpr int16_t kNameSize = 18;
constexpr int16_t kVersionSize = 14;
constexpr int16_t kButtonTextSize = 12;
constexpr int kButtonPadding = 35;
constexpr int kButtonMinWidth = 72;
constexpr int kButtonBottomGap = 30;
constexpr int kButtonHeight = 21;
constexpr RGBColor kTextColour{0, 25000, 6000};
constexpr RGBColor kFrameColour{24000, 24000, 24000};
constexpr int kFrameWidth = 2;

// Nothing else draws the box's border when no window manager frames it: over the note
// pad's white page the box would read as part of the notes.
void frameTheBox() {
  penSize(kFrameWidth, kFrameWidth);
  rgbForeColor(kFrameColour);
  frameRect(makeRect(0, 0, kBoxWidth, kBoxHeight));
  penNormal();
  foreColor(kBlackColor);
}

}  // namespace

std::string versionText() {
  std::string line = "Version " + appConstants.versionText.str();
  if (val(appConstants.buildText.view()) > 0) line += " b" + appConstants.buildText.str();
  return line;
}

void showAboutBox() {
  if (frontWindow() != kBoardWindowNumber) return;
  windowOpen(kAboutWindow, "", makeRect(0, 0, kBoxWidth, kBoxHeight), kFixedWindow, false);
  if (!windowExists(kAboutWindow)) return;
  dialogWindows.modalDialogWnd = kAboutWindow;
  // The box closes back to the board.
  dialogWindows.savedOutputWnd = kBoardWindowNumber;
  setOutputWindow(kAboutWindow);
  frameTheBox();
  textFont(kBoxFont);
  textSize(kButtonTextSize);
  const int width = std::max(kButtonMinWidth, stringWidth("Done") + kButtonPadding);
  const int left = kBoxWidth / 2 - width / 2;
  const int top = kBoxHeight - kButtonBottomGap;
  addPushButton(kAboutWindow, kDoneButton, "Done", makeRect(left, top, left + width, top + kButtonHeight));
  dialogWindows.dialogFlags[1] = kButtonPresent;
  dialogWindows.dialogFlags[2] = 0;
  std::string version = versionText();
  if (appConstants.betaMarker != 0) version += "-beta";
  struct Line {
    int16_t id;
    std::string text;
    Rect r;
    int16_t size;
  };
  const Line lines[] = {{kNameControl, appConstants.programName.str(), makeRect(1, 15, 319, 44), kNameSize},
                        {kVersionControl, version, makeRect(1, 47, 319, 66), kVersionSize}};
  for (const Line& l : lines) {
    addStaticText(kAboutWindow, l.id, l.text, l.r, true);
    setControlFont(kAboutWindow, l.id, kBoxFont, l.size);
    setControlTextColour(kAboutWindow, l.id, kTextColour);
  }
  showModalWindow(kAboutWindow);
  setDialogVector(dialogEventHandler);
  FBInstallDialogHandler();
  setCursor(kArrowCursor);
  disableAllMenus();
}

}  // namespace bg
