#include "storage/preferences_reader.h"

#include <string>

#include "runtime/core/format.h"
#include "runtime/core/pstring.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/play_options.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/preference_appliers.h"
#include "storage/preferences_writer.h"
#include "storage/resume_lines.h"

namespace bg {

namespace {

constexpr std::string_view kEndKey = "ENDOFPREFERENCES";
constexpr std::size_t kLineLimit = 255;
constexpr int16_t kScreenRightSlack = 50;
constexpr int16_t kScreenLeftSlack = -10;
constexpr int16_t kScreenBottomSlack = 4;
constexpr int16_t kBelowTitleBar = 2;

int16_t number(std::string_view value) { return int16Of(val(value)); }

using Applier = void (*)(std::string_view value);

struct KeyAction {
  std::string_view key;
  Applier apply;
};

// The keys stored here rather than by an applier.
void storeLanguage(std::string_view v) { shell.languageName = v; }
void storeVersion(std::string_view v) { storage.prefsVersion = v; }
void storeCrawfordRule(std::string_view v) { cube.crawfordRule = byteOf(val(v)); }
void storeCustomColorFile(std::string_view v) { displaySettings.customColorsFileName = v; }
void storeVoiceName(std::string_view v) { speech.voiceName = v; }
void storeWindowX1(std::string_view v) { windowPlacement.windowX1 = number(v); }
void storeWindowY1(std::string_view v) { windowPlacement.windowY1 = number(v); }
void storeWindowY2(std::string_view v) { windowPlacement.windowY2 = number(v); }
void storeWindowX2(std::string_view v) {
  const int16_t n = number(v);
  windowPlacement.windowX2 = n < 0 ? int16_t{0} : n;
}
void storeWidthOffset(std::string_view v) { windowPlacement.boardWidthOffset = number(v); }
void storeHeightOffset(std::string_view v) { windowPlacement.boardHeightOffset = number(v); }
// Dice speech flags: 0 or -1.
int16_t flagOf(std::string_view v) { return number(v) != 0 ? int16_t{-1} : int16_t{0}; }
void storeSpeakHumanDice(std::string_view v) { options.speakHumanDice = flagOf(v); }
void storeSpeakComputerDice(std::string_view v) { options.speakComputerDice = flagOf(v); }
void storeShortDiceMessage(std::string_view v) { options.shortDiceMessage = flagOf(v); }
void clickAfterHuman(std::string_view v) { applyPrefClickAfterMove(v, "CLICKAFTERHUMANMOVE"); }
void clickAfterComputer(std::string_view v) { applyPrefClickAfterMove(v, "CLICKAFTERCOMPUTERMOVE"); }

constexpr KeyAction kKeys[] = {
    {"SHOWROWNUMBERS", applyPrefShowRowNumbers},
    {"SHOWPIPCOUNT", applyPrefShowPipCount},
    {"SELECTONEONLY", applyPrefSelectOneOnly},
    {"LANGUAGE", storeLanguage},
    {"VERSION", storeVersion},
    {"INPUTDICE", applyPrefInputDice},
    {"SOUND", applyPrefSound},
    {"SOUNDLEVEL", applyPrefSoundLevel},
    {"DICESOUND", applyPrefDiceSound},
    {"LONGDICESOUND", applyPrefLongDiceSound},
    {"PIECESIZE", applyPrefPieceSize},
    {"SKILLLEVEL", applyPrefSkillLevel},
    {"PERSONALITY", applyPrefPersonality},
    {"CUBEUSED", applyPrefCubeUsed},
    {"CUBEMAXIMUM", applyPrefCubeMaximum},
    {"AUTODOUBLEMAX", applyPrefAutoDoubleMax},
    {"BEAVERALLOWED", applyPrefBeaverAllowed},
    {"ACCEPTDOUBLES", applyPrefAcceptDoubles},
    {"ROLLOVERONCE", applyPrefRollOverOnce},
    {"JACOBYRULE", applyPrefJacobyRule},
    {"CRAWFORDRULE", storeCrawfordRule},
    {"TOURNAMENTGOING", applyPrefTournamentGoing},
    {"SCORES", applyPrefScores},
    {"MONEYSESSIONGOING", applyPrefMoneySessionGoing},
    {"WAGERAMOUNT", applyPrefWagerAmount},
    {"WAGERCURRENCY", applyPrefWagerCurrency},
    {"WAGERSYMBOL", applyPrefWagerSymbol},
    {"WAGERSYMBOLLOCATION", applyPrefWagerSymbolLocation},
    {"BACKGAMMONALLOWED", applyPrefBackgammonAllowed},
    {"REROLLFIRSTROLL", applyPrefRerollFirstRoll},
    {"WHOROLLSFIRST", applyPrefWhoRollsFirst},
    {"AUTOCONCESSIONS", applyPrefAutoConcessions},
    {"PIECESHAPE", applyPrefPieceShape},
    {"PIECESPEED", applyPrefPieceSpeed},
    {"CLICKAFTERHUMANMOVE", clickAfterHuman},
    {"CLICKAFTERCOMPUTERMOVE", clickAfterComputer},
    {"AUTOMATICROLLS", applyPrefAutomaticRolls},
    {"AUTOPASS", applyPrefAutoPass},
    {"EASYMOVES", applyPrefEasyMoves},
    {"AUTOMOVES", applyPrefAutoMoves},
    {"DISPLAY4ONDOUBLES", applyPrefDisplay4OnDoubles},
    {"SOLIDPIECECOLORS", applyPrefSolidPieceColors},
    {"SAVEGAMEONEXIT", applyPrefSaveGameOnExit},
    {kLoadGameOnStartupKey, applyPrefLoadGameOnStartup},
    {"RIGHTMOUSEACTIONP", applyPrefRightMouseActionP},
    {"RIGHTMOUSEACTIONNP", applyPrefRightMouseActionNP},
    {kGameWasSavedKey, applyPrefGameWasSaved},
    {"PLAYDIRECTION", applyPrefPlayDirection},
    {"PLAYERCOLOR0", applyPrefPlayerColor},
    {"BOARDCOLOR", applyPrefBoardColor},
    {"BOARDFRAMEDESIGN", applyPrefBoardFrameDesign},
    {"CUSTOMCOLORFILE", storeCustomColorFile},
    {"BOARDWIDTH", applyPrefBoardWidth},
    {"PLAYERNAME", applyPrefPlayerName},
    {"VOICENAME", storeVoiceName},
    {"FASTPLAY", applyPrefFastPlay},
    {kFastPlaySavedKey, applyPrefFastPlaySaved},
    {"WINDOWX1", storeWindowX1},
    {"WINDOWY1", storeWindowY1},
    {"WINDOWY2", storeWindowY2},
    {"WINDOWX2", storeWindowX2},
    {"BOARDWIDTHOFFSET", storeWidthOffset},
    {"BOARDHEIGTHOFFSET", storeHeightOffset},
    {"SPEAKHUMANDICE", storeSpeakHumanDice},
    {"SPEAKCOMPUTERDICE", storeSpeakComputerDice},
    {"SHORTDICEMESSAGE", storeShortDiceMessage},
    {"SHOWPOSSIBLEMOVES", applyPrefShowPossibleMoves},
    {"PLAYERSCORE", applyPrefPlayerScore},
    {"ACTIVEPLAYERS", applyPrefActivePlayers},
};

constexpr std::string_view kPathKeys[] = {kGameWasSavedKey, "CUSTOMCOLORFILE"};

// A name's own leading blanks are the name's: only the writer's separator is taken off.
constexpr std::string_view kNameKey = "PLAYERNAME";

bool holdsPath(std::string_view line) {
  for (std::string_view key : kPathKeys)
    if (line.substr(0, key.size()) == key && line.substr(key.size(), 1) == " ") return true;
  return false;
}

void applyLine(std::string_view key, std::string_view value) {
  for (const KeyAction& k : kKeys) {
    if (k.key == key) {
      k.apply(value);
      return;
    }
  }
}

}  // namespace

bool forEachPreferenceLine(std::string_view text,
                           const std::function<void(std::string_view key, std::string_view value)>& take) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = text.substr(pos, end - pos);
    // A line longer than any the program writes keeps its first 255 bytes; the rest is
    // not taken for a line of its own. Paths are written whole and read whole.
    if (!holdsPath(line)) line = line.substr(0, utf8FitLength(line, kLineLimit));
    pos = end;
    if (pos < text.size() && text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
    if (pos < text.size()) ++pos;
    const std::size_t blank = line.find(' ');
    const std::string_view key = line.substr(0, blank);
    if (key == kEndKey) return true;
    std::string_view value;
    if (blank != std::string_view::npos) {
      value = line.substr(blank);
      const std::size_t most = key == kNameKey ? kKeySeparator.size() : value.size();
      for (std::size_t n = 0; n < most && !value.empty() && value.front() == ' '; ++n) value.remove_prefix(1);
    }
    take(key, value);
  }
  return false;
}

bool parsePreferences(std::string_view text) {
  storage.prefsVersion = "";
  return forEachPreferenceLine(text, applyLine);
}

void validateWindowRect() {
  BoardWindowPlacement& W = windowPlacement;
  const ShellWindowState& S = shellWindow;
  if (display.boardWidth < S.boardWidthMin) {
    display.boardWidth = S.boardWidthFallback;
    shellWindow.boardSizeIndex = kBoardSizeHighest;
  }
  if (W.windowX2 > S.screenWidth + kScreenRightSlack || W.windowX1 < kScreenLeftSlack) W.windowX2 = 0;
  if (W.windowY2 > S.screenHeight + kScreenBottomSlack ||
      W.windowY1 < S.menuBarHeight + S.titleBarHeight + kBelowTitleBar)
    W.windowX2 = 0;
  if (W.windowX2 - W.windowX1 < display.boardWidth) W.windowX2 = 0;
  if (W.windowY2 - W.windowY1 > S.screenHeight) W.windowX2 = 0;
}

}  // namespace bg
