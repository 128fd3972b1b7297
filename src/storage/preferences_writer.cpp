#include "storage/preferences_writer.h"

#include <cstdlib>
#include <string_view>

#include "computer/personalities.h"
#include "flow/opponent_modes.h"
#include "runtime/core/format.h"
#include "runtime/core/pstring.h"
#include "state/app_constants.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/display_settings.h"
#include "state/display_state.h"
#include "state/fast_play_saved.h"
#include "state/flow_state.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/settings.h"
#include "state/shell_flags.h"
#include "state/shell_state.h"
#include "state/speech_state.h"
#include "state/storage_state.h"
#include "storage/preference_services.h"
#include "storage/resume_lines.h"

namespace bg {

namespace {

constexpr char kLineEnd = '\r';
constexpr std::size_t kLineLimit = 255;
constexpr double kExtendedScoreVersion = 2.84;
constexpr int kCounterPairs = 11;
constexpr int kShortScoreNumbers = 10;
constexpr int kPairOfField[kCounterPairs] = {1, 2, 3, 4, 5, 6, 7, 10, 8, 9, 11};
constexpr int16_t kHighestPlayerRecord = 4;
// Lines of settings no part of the program uses any more, written as they always were.
constexpr std::string_view kEmptyModemKeys[] = {"MODEMATTENTION", "MODEMSETUP", "MODEMCONFIG", "MODEMRESET"};
constexpr std::string_view kEmptyHandshakeKeys[] = {"HARDWAREHSON", "HARDWAREHSOFF"};

// A number after a key with no blank of its own: one blank before it in any case, so a
// minus sign never glues onto the key or onto the number before it.
std::string spaced(int64_t v) { return v < 0 ? " " + strS(v) : strS(v); }

class Lines {
 public:
  // Whatever a value holds, it stays on its line: a line end in it would be read as a
  // setting of its own.
  void line(std::string text, std::size_t limit = kLineLimit) {
    if (hasLineEnd(text)) text = oneLine(text);
    text.resize(utf8FitLength(text, limit));
    text_ += text;
    text_ += kLineEnd;
  }
  void number(std::string_view key, int64_t v) { line(std::string(key) + std::string(kKeySeparator) + strS(v)); }
  void byteFlag(std::string_view key, uint8_t v) { number(key, signedByte(v)); }
  void text(std::string_view key, std::string_view v) { line(std::string(key) + std::string(kKeySeparator) + std::string(v)); }
  // A path is kept whole: cut, or with its line ends made blanks, it would name another
  // file or none, so a path with a line end is not kept at all.
  void path(std::string_view key, std::string_view v) {
    if (hasLineEnd(v)) v = {};
    line(std::string(key) + std::string(kKeySeparator) + std::string(v), std::string::npos);
  }
  std::string take() { return std::move(text_); }

 private:
  std::string text_;
};

void windowRows(Lines& out) {
  BoardWindowPlacement& W = windowPlacement;
  int16_t x2 = W.windowX2;
  int16_t y2 = W.windowY2;
  WindowContent content;
  if (hook::prefBoardWindowContent(content)) {
    W.windowX1 = content.left;
    W.windowY1 = content.top;
    x2 = static_cast<int16_t>(content.left + content.width);
    y2 = static_cast<int16_t>(content.top + content.height);
  }
  out.number("WINDOWX1", W.windowX1);
  out.number("WINDOWY1", W.windowY1);
  out.number("WINDOWX2", x2);
  out.number("WINDOWY2", y2);
  out.number("BOARDWIDTHOFFSET", W.boardWidthOffset);
  out.number("BOARDHEIGTHOFFSET", W.boardHeightOffset);
}

void playerScoreRows(Lines& out) {
  const bool extended = val(storage.prefsVersion.view()) > kExtendedScoreVersion;
  const int count = extended ? kCounterPairs + 1 : kShortScoreNumbers;
  // Record 0 too: a pair resumed from a file that no row holds plays there, and keeps its
  // names and counts at the next start as the other rows do.
  for (int16_t index = 0; index <= kHighestPlayerRecord; ++index) {
    const PlayerRecord& r = players.playerRecords[index];
    if (r.firstName.empty() && r.secondName.empty()) continue;
    for (int side = 0; side <= 1; ++side) {
      std::string s = "PLAYERSCORE " + std::to_string(index) + (side == 0 ? "L" : "R");
      for (int i = 0; i < count; ++i) {
        const int64_t v = i < kCounterPairs ? r.counters[2 * (kPairOfField[i] - 1) + side] : r.pipsRolled[side];
        s += spaced(v);
      }
      s += " ";
      s += side == 0 ? r.firstName.str() : r.secondName.str();
      out.line(s);
    }
  }
}

// The person's own options while Fast Play is on, so that turning it off after the next
// start gives them back. A reader that does not know the line skips it.
void fastPlaySavedRow(Lines& out) {
  const FastPlaySaved& s = fastPlaySaved;
  std::string line = std::string(kFastPlaySavedKey) + spaced(s.pieceSpeed);
  for (const uint8_t flag : {s.clickAfterHumanMove, s.clickAfterComputerMove, s.autoPass, s.autoEnterFromBarOn,
                             s.autoBearOffOn, s.autoPlayForHumanOn, s.autoPlayForcedOn})
    line += spaced(signedByte(flag));
  line += spaced(s.autoMoves);
  for (const uint8_t flag : {s.soundOn, s.automaticRolls, s.speechOn}) line += spaced(signedByte(flag));
  line += spaced(s.voiceIndex);
  out.line(line);
}

}  // namespace

std::string preferencesText() {
  Lines out;
  // The next start plays against the computer, whoever shares the board now.
  const ComputerOpponentSides sides = computerOpponentSides();
  const SoundOptions& sound = settings.soundOptions;
  out.text("LANGUAGE", shell.languageName.view());
  out.line("VERSION " + storage.prefsVersion.str());
  out.line("CURRENTVERSION " + appConstants.versionText.str());
  out.number("SHOWROWNUMBERS", displaySettings.rowNumbersShown);
  out.number("SELECTONEONLY", options.selectOneOnly);
  out.number("INPUTDICE", settings.inputDice);
  out.byteFlag("DICESOUND", sound.diceSoundOn);
  out.number("LONGDICESOUND", settings.longDiceSound);
  out.byteFlag("SOUND", sound.soundOn);
  out.number("SOUNDLEVEL", sound.soundLevel);
  out.number("PIECESIZE", displaySettings.pieceSize);
  out.number("SKILLLEVEL", skill.skillLevel);
  out.number("PERSONALITY", skill.personality);
  out.number("CUBEUSED", cube.cubeUsed);
  out.number("AUTODOUBLEMAX", cube.autoDoubleMax);
  out.number("BEAVERALLOWED", cube.beaverAllowed);
  out.number("ACCEPTDOUBLES", cube.acceptDoubles);
  out.number("ROLLOVERONCE", options.rollOverOnce);
  out.number("JACOBYRULE", cube.jacobyRule);
  out.byteFlag("CRAWFORDRULE", cube.crawfordRule);
  out.byteFlag("BACKGAMMONALLOWED", settings.backgammonAllowed);
  out.byteFlag("REROLLFIRSTROLL", settings.rerollFirstRoll);
  out.number("WHOROLLSFIRST", settings.whoRollsFirst);
  out.number("AUTOCONCESSIONS", options.autoConcessions);
  out.number("PIECESPEED", displaySettings.pieceSpeed);
  out.byteFlag("CLICKAFTERHUMANMOVE", options.clickAfterHumanMove);
  out.byteFlag("CLICKAFTERCOMPUTERMOVE", options.clickAfterComputerMove);
  out.number("AUTOMATICROLLS", settings.automaticRolls);
  out.byteFlag("AUTOPASS", options.autoPass);
  out.number("EASYMOVES", options.easyMoves);
  out.byteFlag("AUTOMOVES", options.autoMoves);
  out.number("PIECESHAPE", displaySettings.pieceShapeApplied);
  out.number("PLAYDIRECTION", displaySettings.playDirection);
  out.number("PLAYERCOLOR0", display.playerColors[0]);
  out.path("CUSTOMCOLORFILE", displaySettings.customColorsFileName.view());
  out.number("BOARDCOLOR", display.boardColor);
  out.number("BOARDFRAMEDESIGN", boardState.boardFrameDesign);
  out.number("BOARDWIDTH", display.boardSizeUnit);
  out.text("VOICENAME", speech.voiceName.view());
  out.number("SPEAKHUMANDICE", options.speakHumanDice);
  out.number("SPEAKCOMPUTERDICE", options.speakComputerDice);
  out.number("SHORTDICEMESSAGE", options.shortDiceMessage);
  out.number("DISPLAY4ONDOUBLES", settings.display4OnDoubles);
  out.number("SOLIDPIECECOLORS", displaySettings.solidPieceColors);
  out.number("RIGHTMOUSEACTIONP", options.rightMouseActionP);
  out.number("RIGHTMOUSEACTIONNP", options.rightMouseActionNP);
  out.number("SAVEGAMEONEXIT", shell.saveGameOnExit);
  out.number(kLoadGameOnStartupKey, storage.loadGameOnStartup);
  out.path(kGameWasSavedKey, shell.savedGameName.view());
  out.byteFlag("FASTPLAY", shellFlags.fastPlay);
  if (shellFlags.fastPlay == kFastPlayOn && fastPlaySaved.savedMarker != 0) fastPlaySavedRow(out);
  windowRows(out);
  out.number("SHOWPOSSIBLEMOVES", displaySettings.showPossibleMoves);
  out.number("CUBEMAXIMUM", cube.cubeMaximum);
  playerScoreRows(out);
  out.number("ACTIVEPLAYERS", sides.row);
  out.text("PLAYERNAME", sides.names[0].view());
  out.number("SHOWPIPCOUNT", options.showPipCounts);
  out.number("MODEMSPEED", shell.modemSpeed);
  out.text("PHONENUMBER", shell.phoneNumber.view());
  out.byteFlag("ORIGINATECALL", shell.originateCall);
  for (std::string_view key : kEmptyModemKeys) out.text(key, "");
  out.number("HARDWAREHS", 0);
  out.text("CALLWAITING", "");
  for (std::string_view key : kEmptyHandshakeKeys) out.text(key, "");
  if (flow.tournamentGoing != 0) {
    // The restrictions are flags: written without their sign, as they always were.
    out.line("TOURNAMENTGOING" + spaced(flow.tournamentPoints) + spaced(std::abs(flow.crawfordRestrictions[0])) +
             spaced(std::abs(flow.crawfordRestrictions[1])));
  }
  if (flow.moneySessionActive != 0) out.line("MONEYSESSIONGOING" + spaced(shell.moneySessionGoing));
  out.number("WAGERAMOUNT", options.wagerAmount);
  out.text("WAGERCURRENCY", options.wagerCurrency.view());
  out.text("WAGERSYMBOL", options.wagerSymbol.view());
  out.number("WAGERSYMBOLLOCATION", options.wagerSymbolLocation);
  out.line("SCORES" + spaced(sides.scores[0]) + spaced(sides.scores[1]));
  out.line("ENDOFPREFERENCES");
  return out.take();
}

}  // namespace bg
