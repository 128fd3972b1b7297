#include "dialogs/game_setup_dialogs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

#include "dialogs/dialog_frame.h"
#include "dialogs/dialog_state.h"
#include "dialogs/message_boxes.h"
#include "flow/money_text.h"
#include "flow/resignation.h"
#include "flow/sessions.h"
#include "flow/turn_services.h"
#include "runtime/core/format.h"
#include "runtime/qt/controls.h"
#include "state/cube_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/settings.h"
#include "state/shell_services.h"

namespace bg {

namespace {

constexpr int16_t kOk = 1;
constexpr int16_t kCancel = 2;

constexpr int16_t kPointsField = 3;
constexpr std::string_view kDefaultConcedePoints = "2";
constexpr double kSingleGameLevel = 1;
constexpr double kBackgammonLevel = 3;
constexpr int16_t kConcede = 1;
constexpr int16_t kCancelConcession = 2;

constexpr int16_t kCrawfordBox = 3;
constexpr int16_t kMatchLengthField = 4;
constexpr int16_t kStartScoreFields[2] = {5, 6};
constexpr std::string_view kDefaultMatchLength = "11";
constexpr std::size_t kSetupTextLength = 15;

constexpr int16_t kFirstRollGroup = 3;

constexpr int16_t kWagerField = 3;
constexpr int16_t kCurrencyField = 4;
constexpr int16_t kSymbolField = 5;
constexpr int16_t kSymbolPlaceGroup = 6;
constexpr int16_t kWagerSentence = 7;
constexpr int16_t kSymbolBefore = 12;
constexpr int16_t kSymbolAfter = 13;

constexpr uint8_t kOn = 255;
constexpr double kLargest16Bit = std::numeric_limits<int16_t>::max();

// The integer part (toward zero) of the number a text starts with, 0 for none.
double wholePart(std::string_view text) { return std::trunc(val(text)); }

bool fits16Bits(double v) { return std::fabs(v) <= kLargest16Bit; }

std::string fieldText(int16_t window, int16_t id, std::size_t longest) {
  std::string t = controlText(window, id);
  if (t.size() > longest) t.resize(longest);
  return t;
}

// --- Concede points --------------------------------------------------------------------

void fillConcedePoints() {
  setControlText(kConcedePointsWindow, kPointsField, kDefaultConcedePoints);
  focusControl(kConcedePointsWindow, kPointsField);
}

// --- Tournament set-up -----------------------------------------------------------------

struct StartingScores {
  int32_t side0;
  int32_t side1;
};

void fillTournamentSetup() {
  setControlValue(kTournamentSetupWindow, kCrawfordBox, cube.crawfordRule != 0 ? 1 : 0);
  setControlText(kTournamentSetupWindow, kMatchLengthField, kDefaultMatchLength);
  for (int16_t id : kStartScoreFields) setControlText(kTournamentSetupWindow, id, "0");
  focusControl(kTournamentSetupWindow, kMatchLengthField);
}

// The match length and starting scores the fields hold, or nothing after telling the user
// what is wrong.
std::optional<StartingScores> checkedTournamentFields(int16_t& length) {
  const double points = wholePart(fieldText(kTournamentSetupWindow, kMatchLengthField, kSetupTextLength));
  if (points < 1 || !fits16Bits(points)) {
    showMessageBox(kBadMatchLengthText);
    focusControl(kTournamentSetupWindow, kMatchLengthField);
    return std::nullopt;
  }
  length = static_cast<int16_t>(points);
  double start[2] = {};
  for (int side = 0; side < 2; ++side) {
    start[side] = wholePart(fieldText(kTournamentSetupWindow, kStartScoreFields[side], kSetupTextLength));
    if (start[side] < 0 || start[side] >= points) {
      showMessageBox(kBadStartingScoreText);
      focusControl(kTournamentSetupWindow, kStartScoreFields[side]);
      return std::nullopt;
    }
  }
  return StartingScores{static_cast<int32_t>(start[0]), static_cast<int32_t>(start[1])};
}

void handleTournamentSetup(int16_t length) {
  cube.crawfordRule = controlValue(kTournamentSetupWindow, kCrawfordBox) != 0 ? kOn : 0;
  flow.tournamentPoints = length;
  flow.crawfordRestrictions[0] = 0;
  flow.crawfordRestrictions[1] = 0;
  flow.tournamentItemText = kEndTournamentText;
  hook::setMenuItemState(kGameMenu, kTournamentItem, kItemEnabled, flow.tournamentItemText.view());
  flow.tournamentGoing = kOn;
  flow.savedAutoDoubleMax = cube.autoDoubleMax;
  hook::chooseAutoDoubleMax(0);
  flow.savedBeaverAllowed = cube.beaverAllowed;
  if (cube.beaverAllowed != 0) hook::toggleBeaverOption();
  flow.savedJacobyRule = cube.jacobyRule;
  if (cube.jacobyRule != 0) hook::toggleJacobyOption();
  flow.savedWhoRollsFirst = settings.whoRollsFirst;
  settings.whoRollsFirst = 1;
  flow.savedRollOverOnce = options.rollOverOnce;
  if (options.rollOverOnce != 0) hook::updateRollOverDisplay();
  flow.savedRerollFirstRoll = settings.rerollFirstRoll;
  if (settings.rerollFirstRoll != 0) hook::toggleRerollOption();
  flow.savedAcceptDoubles = cube.acceptDoubles;
  if (cube.acceptDoubles != 0) hook::toggleAcceptDoublesOption();
}

// --- Money game ------------------------------------------------------------------------

void fillMoneyGame() {
  setControlText(kMoneyGameWindow, kWagerField, intText(options.wagerAmount));
  setControlText(kMoneyGameWindow, kCurrencyField, options.wagerCurrency.view());
  setControlText(kMoneyGameWindow, kSymbolField, options.wagerSymbol.view());
  setControlText(kMoneyGameWindow, kWagerSentence, wagerText());
  setControlValue(kMoneyGameWindow, kSymbolPlaceGroup, options.wagerSymbolLocation == kSymbolBefore ? 1 : 2);
  // The sentence follows the stake as it is typed, so it says what OK will take.
  for (const int16_t field : {kWagerField, kCurrencyField, kSymbolField}) reportTextEdits(kMoneyGameWindow, field);
  focusControl(kMoneyGameWindow, kWagerField);
}

// The sentence for the fields as they stand; an amount OK would refuse leaves it as it was.
void showTypedWager() {
  const double amount = wholePart(controlText(kMoneyGameWindow, kWagerField));
  if (amount < 0 || !fits16Bits(amount)) return;
  const int16_t location = controlValue(kMoneyGameWindow, kSymbolPlaceGroup) == 1 ? kSymbolBefore : kSymbolAfter;
  setControlText(kMoneyGameWindow, kWagerSentence,
                 wagerText(static_cast<int16_t>(amount), controlText(kMoneyGameWindow, kCurrencyField),
                           controlText(kMoneyGameWindow, kSymbolField), location));
}

// False after telling the user what is wrong with the amount.
bool readMoneyGame() {
  const double amount = wholePart(controlText(kMoneyGameWindow, kWagerField));
  if (amount < 0 || !fits16Bits(amount)) {
    showMessageBox(kBadWagerText);
    focusControl(kMoneyGameWindow, kWagerField);
    return false;
  }
  options.wagerAmount = static_cast<int16_t>(amount);
  options.wagerCurrency = std::string_view(controlText(kMoneyGameWindow, kCurrencyField));
  options.wagerSymbol = std::string_view(controlText(kMoneyGameWindow, kSymbolField));
  options.wagerSymbolLocation = controlValue(kMoneyGameWindow, kSymbolPlaceGroup) == 1 ? kSymbolBefore : kSymbolAfter;
  return true;
}

}  // namespace

void getConcedePointsDialog() {
  openNibDialog(kConcedePointsWindow, "getConcedePointsDialog", fillConcedePoints, DialogOpening::kFromBoard);
}

std::string getConcedePointsValue() {
  const std::string text = controlText(kConcedePointsWindow, kPointsField);
  const bool number = std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  return number ? text : std::string(kDefaultConcedePoints);
}

void concedePointsEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) {
    // A resignation gives up a single game, a gammon or a backgammon times the cube.
    const double points = wholePart(getConcedePointsValue());
    if (points < kSingleGameLevel || points > kBackgammonLevel) {
      showMessageBox(kBadConcedePointsText);
      focusControl(kConcedePointsWindow, kPointsField);
      return;
    }
    flow.concessionLevel = static_cast<int16_t>(points);
    dialogOkTail();
    concedeOrCancel(kConcede);
  } else if (id == kCancel) {
    returnToBoardWindow();
    concedeOrCancel(kCancelConcession);
  }
}

void tournamentSetupDialog() {
  openNibDialog(kTournamentSetupWindow, "tournamentSetupDialog", fillTournamentSetup, DialogOpening::kFromBoard);
}

void tournamentSetupEvent(int16_t /*kind*/, int16_t id) {
  if (id == kCancel) {
    returnToBoardWindow();
    return;
  }
  if (id != kOk) return;
  int16_t length = 0;
  const std::optional<StartingScores> start = checkedTournamentFields(length);
  if (!start) return;
  handleTournamentSetup(length);
  dialogOkTail();
  // The ending session is credited by its own scores; the starting scores come after.
  closeSessionTotals();
  flow.scores[0] = start->side0;
  flow.scores[1] = start->side1;
  hook::drawPipCounts();
}

void whoGetsFirstRollDialog() {
  openNibDialog(kWhoGetsFirstRollWindow, "whoGetsFirstRollDialog",
                [] { setControlValue(kWhoGetsFirstRollWindow, kFirstRollGroup, settings.whoRollsFirst); },
                DialogOpening::kFromBoard);
}

void readWhoGetsFirstRoll() {
  const int16_t v = controlValue(kWhoGetsFirstRollWindow, kFirstRollGroup);
  // A group with nothing chosen keeps the setting.
  if (v > 0) settings.whoRollsFirst = v;
}

void moneyGameDialog() {
  openNibDialog(kMoneyGameWindow, "moneyGameDialog", fillMoneyGame, DialogOpening::kFromBoard);
}

void moneyGameEvent(int16_t /*kind*/, int16_t id) {
  if (id == kOk) {
    if (!readMoneyGame()) return;
    dialogOkTail();
  } else if (id == kCancel) {
    returnToBoardWindow();
  } else if (id == kWagerField || id == kCurrencyField || id == kSymbolField || id == kSymbolPlaceGroup) {
    showTypedWager();
  }
}

std::string wagerText() {
  return wagerText(options.wagerAmount, options.wagerCurrency.view(), options.wagerSymbol.view(),
                   options.wagerSymbolLocation);
}

std::string wagerText(int16_t amount, std::string_view currency, std::string_view symbol, int16_t symbolLocation) {
  const std::string number = intText(amount);
  // The digits without the leading blank or the sign: a negative amount read from an old
  // file shows its digits only.
  const std::string digits = number.substr(1);
  std::string text = "The wager amount is" + number + " " + currencyNameFor(std::string(currency), amount) + " ( ";
  if (symbolLocation == kSymbolBefore) text += symbol;
  text += digits;
  if (symbolLocation == kSymbolAfter) text += symbol;
  return text + " )";
}

}  // namespace bg
