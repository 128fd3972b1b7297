#include "storage/preference_appliers.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "computer/personalities.h"
#include "flow/roll_stage.h"
#include "flow/sessions.h"
#include "flow/turn_services.h"
#include "runtime/core/format.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/fast_play_saved.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/storage_state.h"
#include "storage/file_services.h"
#include "storage/preference_services.h"
#include "storage/resume_lines.h"

namespace bg {

namespace {

constexpr int16_t kSoundMenu = 24;
constexpr int16_t kSoundOffItem = 1;
constexpr int16_t kLowestSoundLevel = 1;
constexpr int16_t kHighestSoundLevel = 10;
constexpr int16_t kHighestPersonality = 3;
constexpr int16_t kLowestCubeMaximum = 2;
constexpr int16_t kHighestCubeMaximum = 64;
constexpr int16_t kHighestAutoDoubleMax = 8;   // menu 11: Off, then 1 to 8
constexpr int16_t kLowestPieceSize = 0;        // the checker width is the board unit +/- 3
constexpr int16_t kHighestPieceSize = 6;
constexpr int16_t kHighestWhoRollsFirst = 5;
constexpr int16_t kDefaultPieceShape = 3;
constexpr int16_t kHighestPieceShape = 8;
constexpr int16_t kHighestPieceSpeed = 11;
constexpr std::size_t kFastPlaySavedFields = 13;
constexpr int16_t kSpeechOffItem = 1;  // the voice menu's first item
constexpr uint8_t kHighestAutoMoves = 15;
constexpr int16_t kHighestColourScheme = 16;
constexpr int16_t kHighestFrameDesign = 8;
constexpr int16_t kSizeMatchPixels = 8;      // a width this close to a table width is that size
constexpr int16_t kWidthRoundUpPixels = 2;   // a width this little below the minimum is the minimum
constexpr int16_t kSymbolBefore = 12;
constexpr int16_t kSymbolAfter = 13;
constexpr int16_t kHighestPlayerRecord = 4;
constexpr int16_t kPlayerScoreFirstNumber = 4;  // after the index digit, the side letter and a blank
constexpr double kExtendedScoreVersion = 2.84;
constexpr int kShortScoreNumbers = 10;
constexpr int kCounterPairs = 11;
// The file's order of the counter pairs: pair 10 comes before 8 and 9.
constexpr int kPairOfField[kCounterPairs] = {1, 2, 3, 4, 5, 6, 7, 10, 8, 9, 11};

int16_t number(std::string_view value) { return int16Of(val(value)); }

bool isFlagValue(int16_t n) { return n == 0 || n == -1; }

// T: a flag value other than the one in force goes through the toggle; anything that is
// not a flag changes nothing.
void toggleWhenChanged(std::string_view value, int16_t current, PrefToggle t) {
  const int16_t n = number(value);
  if (isFlagValue(n) && n != current) hook::togglePrefOption(t);
}

// F: 0, -1 or 1; the toggle takes the setting to the wanted state.
template <typename Flag>
void flagThroughToggle(std::string_view value, Flag& setting, Flag on, PrefToggle t) {
  const int16_t n = number(value);
  if (n != 0 && n != -1 && n != 1) return;
  const bool wanted = n != 0;
  if (wanted == (setting != 0)) return;
  setting = wanted ? Flag{0} : on;
  hook::togglePrefOption(t);
}

bool within(int16_t n, int16_t low, int16_t high) { return n >= low && n <= high; }

void markSoundMenu() {
  const SoundOptions& s = settings.soundOptions;
  hook::checkPrefMenuItemOnly(kSoundMenu, s.soundOn != 0 ? static_cast<int16_t>(s.soundLevel + 1) : kSoundOffItem);
}

int16_t clampedBoardWidth(int16_t w) {
  const ShellWindowState& S = shellWindow;
  if (w == 0 || w > S.boardWidthFallback) return S.boardWidthFallback;
  if (w < S.boardWidthMin) return S.boardWidthMin - w <= kWidthRoundUpPixels ? S.boardWidthMin : S.boardWidthFallback;
  return w;
}

// The name after the last number (which starts at `lastNumber`), cut to the record's
// length. One blank separates them, as the writer puts it: a name's own leading blanks
// are the name's, and an empty name comes back empty.
Str40 recordName(std::string_view value, int16_t lastNumber) {
  std::size_t at = lastNumber < 1 ? value.size() : static_cast<std::size_t>(lastNumber - 1);
  while (at < value.size() && value[at] != ' ') ++at;
  if (at < value.size()) ++at;
  return Str40(value.substr(std::min(at, value.size())));
}

}  // namespace

void applyPrefShowRowNumbers(std::string_view value) {
  const int16_t n = number(value);
  if (isFlagValue(n)) displaySettings.rowNumbersShown = n;
}

void applyPrefShowPipCount(std::string_view value) {
  const int16_t n = number(value);
  options.showPipCounts = within(n, -1, 1) ? n : int16_t{0};
}

void applyPrefSelectOneOnly(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, -1, 1) && n != options.selectOneOnly) hook::togglePrefOption(PrefToggle::kSelectOneOnly);
}

void applyPrefInputDice(std::string_view value) { toggleWhenChanged(value, settings.inputDice, PrefToggle::kInputDice); }

void applyPrefSound(std::string_view value) {
  settings.soundOptions.soundOn = number(value) != 0 ? 255 : 0;
  markSoundMenu();
}

void applyPrefSoundLevel(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, kLowestSoundLevel, kHighestSoundLevel)) settings.soundOptions.soundLevel = n;
}

void applyPrefDiceSound(std::string_view value) {
  const int16_t n = number(value);
  settings.soundOptions.diceSoundOn = within(n, -1, 1) ? static_cast<uint8_t>(n) : uint8_t{255};
}

void applyPrefLongDiceSound(std::string_view value) {
  const int16_t n = number(value);
  settings.longDiceSound = within(n, -1, 1) ? n : int16_t{-1};
}

void applyPrefPieceSize(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, kLowestPieceSize, kHighestPieceSize)) displaySettings.pieceSize = n;
}

void applyPrefSkillLevel(std::string_view value) {
  const int16_t n = number(value);
  // The skill indexes the skill names, the error odds and the skill menu.
  if (!within(n, 1, kHighestSkillLevel) || n == skill.skillLevel) return;
  skill.skillLevel = n;
  skill.skillFactor = skillFactorFor(n);
  hook::markPrefSkillMenus();
}

void applyPrefPersonality(std::string_view value) {
  const int16_t n = number(value);
  skill.personality = within(n, 1, kHighestPersonality) ? n : kDefaultPersonality;
  hook::checkPrefMenuItemOnly(kPersonalityMenu, skill.personality);
}

void applyPrefCubeUsed(std::string_view value) { toggleWhenChanged(value, cube.cubeUsed, PrefToggle::kCubeUsed); }

void applyPrefCubeMaximum(std::string_view value) {
  const int16_t n = number(value);
  for (int16_t v = kLowestCubeMaximum, item = 1; v <= kHighestCubeMaximum; v = static_cast<int16_t>(v * 2), ++item) {
    if (n != v) continue;
    cube.cubeMaximum = n;
    hook::checkPrefMenuItemOnly(kCubeMaximumMenu, item);
    return;
  }
}

void applyPrefAutoDoubleMax(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, 0, kHighestAutoDoubleMax) && n != cube.autoDoubleMax) hook::choosePrefAutoDoubleMax(n);
}

void applyPrefBeaverAllowed(std::string_view value) {
  toggleWhenChanged(value, cube.beaverAllowed, PrefToggle::kBeaverAllowed);
}

void applyPrefAcceptDoubles(std::string_view value) {
  toggleWhenChanged(value, cube.acceptDoubles, PrefToggle::kAcceptDoubles);
}

void applyPrefRollOverOnce(std::string_view value) {
  if (number(value) != options.rollOverOnce) hook::updateRollOverDisplay();
}

void applyPrefJacobyRule(std::string_view value) { toggleWhenChanged(value, cube.jacobyRule, PrefToggle::kJacobyRule); }

void applyPrefTournamentGoing(std::string_view value) {
  flow.tournamentGoing = 255;
  int16_t at = 1;
  flow.tournamentPoints = static_cast<int16_t>(parseFieldList(at, value));
  flow.crawfordRestrictions[0] = static_cast<int16_t>(parseFieldList(at, value));
  flow.crawfordRestrictions[1] = static_cast<int16_t>(parseFieldList(at, value));
  // The options a match switched off come back at its end: the file does not keep the
  // ones from before it, so the ones in force now stand in for them.
  flow.savedAutoDoubleMax = cube.autoDoubleMax;
  flow.savedBeaverAllowed = cube.beaverAllowed;
  flow.savedJacobyRule = cube.jacobyRule;
  flow.savedWhoRollsFirst = settings.whoRollsFirst;
  flow.savedRollOverOnce = options.rollOverOnce;
  flow.savedRerollFirstRoll = settings.rerollFirstRoll;
  flow.savedAcceptDoubles = cube.acceptDoubles;
  flow.tournamentItemText = kEndTournamentText;
  hook::setMenuItemState(kGameMenu, kTournamentItem, kItemEnabled, kEndTournamentText);
}

void applyPrefScores(std::string_view value) {
  int16_t at = 1;
  const double first = parseFieldValue(at, value);
  const double second = parseFieldValue(at, value);
  // A score past its limit is damage, not a session: the scores stay as they are.
  const auto fits = [](double score) { return score >= -kHighestScore && score <= kHighestScore; };
  if (!fits(first) || !fits(second)) return;
  flow.scores[0] = int32Of(first);
  flow.scores[1] = int32Of(second);
}

void applyPrefMoneySessionGoing(std::string_view value) {
  moneySessionCommand();
  int16_t at = 1;
  shell.moneySessionGoing = static_cast<int16_t>(parseFieldList(at, value));
}

void applyPrefWagerAmount(std::string_view value) { options.wagerAmount = number(value); }
void applyPrefWagerCurrency(std::string_view value) { options.wagerCurrency = value; }
void applyPrefWagerSymbol(std::string_view value) { options.wagerSymbol = value; }

void applyPrefWagerSymbolLocation(std::string_view value) {
  const int16_t n = number(value);
  options.wagerSymbolLocation = (n == kSymbolBefore || n == kSymbolAfter) ? n : kSymbolBefore;
}

void applyPrefBackgammonAllowed(std::string_view value) {
  toggleWhenChanged(value, signedByte(settings.backgammonAllowed), PrefToggle::kBackgammonAllowed);
}

void applyPrefRerollFirstRoll(std::string_view value) {
  toggleWhenChanged(value, signedByte(settings.rerollFirstRoll), PrefToggle::kRerollFirstRoll);
}

void applyPrefWhoRollsFirst(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, 1, kHighestWhoRollsFirst)) settings.whoRollsFirst = n;
}

void applyPrefAutoConcessions(std::string_view value) {
  toggleWhenChanged(value, options.autoConcessions, PrefToggle::kAutoConcessions);
}

void applyPrefPieceShape(std::string_view value) {
  const int16_t n = number(value);
  const int16_t shape = within(n, 1, kHighestPieceShape) ? n : kDefaultPieceShape;
  if (shape != displaySettings.pieceShapeApplied) hook::choosePrefPieceShape(shape);
}

void applyPrefPieceSpeed(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, 1, kHighestPieceSpeed) && n != displaySettings.pieceSpeed) hook::choosePrefPieceSpeed(n);
}

void applyPrefClickAfterMove(std::string_view value, std::string_view key) {
  const int16_t n = number(value);
  const uint8_t flag = n == -1 ? 255 : 0;
  if (key == "CLICKAFTERHUMANMOVE") options.clickAfterHumanMove = flag;
  else options.clickAfterComputerMove = flag;
}

void applyPrefAutomaticRolls(std::string_view value) {
  toggleWhenChanged(value, settings.automaticRolls, PrefToggle::kAutomaticRolls);
}

void applyPrefAutoPass(std::string_view value) {
  flagThroughToggle(value, options.autoPass, uint8_t{255}, PrefToggle::kAutoPass);
}

void applyPrefEasyMoves(std::string_view value) {
  flagThroughToggle(value, options.easyMoves, int16_t{-1}, PrefToggle::kEasyMoves);
}

void applyPrefAutoMoves(std::string_view value) {
  const int16_t n = number(value);
  if (!within(n, 1, kHighestAutoMoves)) return;
  options.autoMoves = static_cast<uint8_t>(n);
  // Each bit set turns its automatic-move flag on.
  constexpr uint8_t kEnterFromBarBit = 1, kBearOffBit = 2, kPlayForHumanBit = 4, kPlayForcedBit = 8;
  if ((n & kEnterFromBarBit) != 0) options.autoEnterFromBarOn = -1;
  if ((n & kBearOffBit) != 0) options.autoBearOffOn = -1;
  if ((n & kPlayForHumanBit) != 0) options.autoPlayForHumanOn = -1;
  if ((n & kPlayForcedBit) != 0) options.autoPlayForcedOn = -1;
}

void applyPrefDisplay4OnDoubles(std::string_view value) {
  const int16_t n = number(value);
  if (n != 0 && n != -1 && n != 1) return;
  const bool wanted = n != 0;
  if (wanted == (settings.display4OnDoubles != 0)) return;
  settings.display4OnDoubles = wanted ? 0 : -1;
  copyPartMoveDice();  // flips it and draws the dice again
}

void applyPrefSolidPieceColors(std::string_view value) {
  const int16_t n = number(value);
  if (within(n, -1, 1)) displaySettings.solidPieceColors = n;
}

void applyPrefSaveGameOnExit(std::string_view value) {
  const int16_t n = number(value);
  if (isFlagValue(n) && n != shell.saveGameOnExit) hook::togglePrefOption(PrefToggle::kSaveGameOnExit);
}

namespace {

// Either line of the game to resume, taken by their one rule from the values in force; the
// switch goes through its command, for its mark.
void applyResumeLine(std::string_view key, std::string_view value) {
  ResumeLines lines{storage.loadGameOnStartup, shell.savedGameName.str()};
  takeResumeLine(lines, key, value);
  if (lines.loadGameOnStartup != storage.loadGameOnStartup) hook::togglePrefOption(PrefToggle::kLoadGameOnStartup);
  shell.savedGameName.assign(lines.savedGameName);
  storage.gameWasSaved = lines.savedGameName.empty() ? 0 : -1;
}

}  // namespace

void applyPrefLoadGameOnStartup(std::string_view value) { applyResumeLine(kLoadGameOnStartupKey, value); }

void applyPrefRightMouseActionP(std::string_view value) {
  const int16_t n = number(value);
  if (n == kRightClickCentre || n == kRightClickCentre + 1) options.rightMouseActionP = n;
}

void applyPrefRightMouseActionNP(std::string_view value) {
  const int16_t n = number(value);
  if (n == kRightClickTakesBack - 1 || n == kRightClickTakesBack) options.rightMouseActionNP = n;
}

void applyPrefGameWasSaved(std::string_view value) { applyResumeLine(kGameWasSavedKey, value); }

void applyPrefPlayDirection(std::string_view value) {
  const int16_t n = number(value);
  if (!within(n, 0, 1)) return;  // the home side: 0 or 1
  displaySettings.playDirection = n;
  if (n != 0) hook::mirrorPrefPointTables();
}

void applyPrefPlayerColor(std::string_view value) {
  const int16_t n = number(value);
  if (!within(n, 0, 1)) return;  // each side one of the two colour sets
  display.playerColors[0] = n;
  display.playerColors[1] = static_cast<int16_t>(1 - n);
}

void applyPrefBoardColor(std::string_view value) {
  const int16_t n = number(value);
  if (!within(n, 1, kHighestColourScheme) || n == display.boardColor) return;
  hook::setMenuItemState(kBoardColourMenu, display.boardColor, kItemEnabled, "");
  display.boardColor = n;
  hook::setMenuItemState(kBoardColourMenu, n, kItemChecked, "");
  if (n == kCustomColours) hook::readPrefCustomColors();
}

void applyPrefBoardFrameDesign(std::string_view value) {
  const int16_t n = number(value);
  boardState.frameDesignChoice = within(n, 0, kHighestFrameDesign) ? n : boardState.boardFrameDesign;
  hook::invalidatePrefBoard();
}

void applyPrefBoardWidth(std::string_view value) {
  ShellWindowState& S = shellWindow;
  const int16_t keptIndex = S.boardSizeIndex;
  S.boardSizeIndex = 0;
  const int16_t width = clampedBoardWidth(number(value));
  const int16_t halfStep = static_cast<int16_t>((S.boardSizeTable[kBoardSizeHighest] - S.boardWidthMin) / 6 / 2);
  for (int16_t k = kBoardSizeHighest; k >= 1; --k) {
    if (width <= S.boardSizeTable[k] - halfStep) continue;
    if (std::abs(width - S.boardSizeTable[k]) < kSizeMatchPixels) S.boardSizeIndex = k;
    break;
  }
  display.boardWidth = width;
  if (display.boardColor == kPictureBoard) S.boardSizeIndex = keptIndex;
}

void applyPrefPlayerName(std::string_view value) {
  shell.playerNames[0] = value;
  const long active = within(players.activePlayers, 0, kHighestPlayerRecord) ? players.activePlayers : 1;
  players.playerRecords[active].secondName = shell.playerNames[0].view();
}

void applyPrefFastPlay(std::string_view value) {
  if (number(value) != -1) return;
  shellFlags.fastPlay = kFastPlayOn;
  hook::markPrefFastPlay();
}

// Taken whole or not at all: a damaged line leaves nothing kept, and turning Fast Play off
// then only clears its flag, as with preferences that never kept the options.
void applyPrefFastPlaySaved(std::string_view value) {
  std::vector<int16_t> n;
  for (std::size_t pos = 0; pos < value.size();) {
    const std::size_t end = std::min(value.find(' ', pos), value.size());
    if (end > pos) n.push_back(number(value.substr(pos, end - pos)));
    pos = end + 1;
  }
  if (n.size() != kFastPlaySavedFields || !within(n[0], 1, kHighestPieceSpeed) || n[8] < 0 ||
      n[8] > kHighestAutoMoves || n[12] < kSpeechOffItem)
    return;
  for (const std::size_t flag : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11})
    if (!isFlagValue(n[flag])) return;
  const auto byteFlag = [](int16_t f) { return f != 0 ? uint8_t{255} : uint8_t{0}; };
  FastPlaySaved& s = fastPlaySaved;
  s.pieceSpeed = n[0];
  s.clickAfterHumanMove = byteFlag(n[1]);
  s.clickAfterComputerMove = byteFlag(n[2]);
  s.autoPass = byteFlag(n[3]);
  s.autoEnterFromBarOn = byteFlag(n[4]);
  s.autoBearOffOn = byteFlag(n[5]);
  s.autoPlayForHumanOn = byteFlag(n[6]);
  s.autoPlayForcedOn = byteFlag(n[7]);
  s.autoMoves = n[8];
  s.soundOn = byteFlag(n[9]);
  s.automaticRolls = byteFlag(n[10]);
  s.speechOn = byteFlag(n[11]);
  s.voiceIndex = n[12];
  s.savedMarker = 255;
}

void applyPrefShowPossibleMoves(std::string_view value) {
  toggleWhenChanged(value, displaySettings.showPossibleMoves, PrefToggle::kShowPossibleMoves);
}

void applyPrefPlayerScore(std::string_view value) {
  const int16_t index = number(value.substr(0, 1));
  if (value.empty() || !std::isdigit(static_cast<unsigned char>(value[0])) || index > kHighestPlayerRecord) return;
  const bool right = value.size() > 1 && value[1] == 'R';
  int16_t at = kPlayerScoreFirstNumber;
  double numbers[kCounterPairs + 1] = {};
  const bool extended = val(storage.prefsVersion.view()) > kExtendedScoreVersion;
  const int count = extended ? kCounterPairs + 1 : kShortScoreNumbers;
  int16_t lastNumber = at;
  for (int i = 0; i < count; ++i) {
    lastNumber = at;
    numbers[i] = parseFieldValue(at, value);
  }
  PlayerRecord& r = players.playerRecords[index];
  const int side = right ? 1 : 0;
  // A number too wide for its field is damage: that count stays as it was.
  for (int i = 0; i < kCounterPairs; ++i) {
    if (fitsCountField<int16_t>(numbers[i])) r.counters[2 * (kPairOfField[i] - 1) + side] = int16Of(numbers[i]);
  }
  if (fitsCountField<int32_t>(numbers[kCounterPairs])) r.pipsRolled[side] = int32Of(numbers[kCounterPairs]);
  if (right) r.secondName = recordName(value, lastNumber);
  else r.firstName = recordName(value, lastNumber);
}

void applyPrefActivePlayers(std::string_view value) {
  const int16_t n = number(value);
  players.activePlayers = within(n, 1, kHighestPlayerRecord) ? n : int16_t{1};
  const PlayerRecord& r = players.playerRecords[players.activePlayers];
  shell.playerNames[0] = r.secondName.view();
  shell.playerNames[1] = r.firstName.view();
}

}  // namespace bg
