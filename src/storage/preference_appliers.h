#pragma once
// One applier per preferences key that carries more than a plain number or text: each
// takes the value text of its line and puts it into force as the key's menu command
// would, with the same check marks. A value outside the setting's legal range keeps the
// setting (or takes the stated substitute), so no file can put a setting out of range.
#include <string_view>

namespace bg {

void applyPrefShowRowNumbers(std::string_view value);
void applyPrefShowPipCount(std::string_view value);
void applyPrefSelectOneOnly(std::string_view value);
void applyPrefInputDice(std::string_view value);
void applyPrefSound(std::string_view value);
void applyPrefSoundLevel(std::string_view value);
void applyPrefDiceSound(std::string_view value);
void applyPrefLongDiceSound(std::string_view value);
void applyPrefPieceSize(std::string_view value);
void applyPrefSkillLevel(std::string_view value);
void applyPrefPersonality(std::string_view value);
void applyPrefCubeUsed(std::string_view value);
void applyPrefCubeMaximum(std::string_view value);
void applyPrefAutoDoubleMax(std::string_view value);
void applyPrefBeaverAllowed(std::string_view value);
void applyPrefAcceptDoubles(std::string_view value);
void applyPrefRollOverOnce(std::string_view value);
void applyPrefJacobyRule(std::string_view value);
void applyPrefTournamentGoing(std::string_view value);
void applyPrefScores(std::string_view value);
void applyPrefMoneySessionGoing(std::string_view value);
void applyPrefWagerAmount(std::string_view value);
void applyPrefWagerCurrency(std::string_view value);
void applyPrefWagerSymbol(std::string_view value);
void applyPrefWagerSymbolLocation(std::string_view value);
void applyPrefBackgammonAllowed(std::string_view value);
void applyPrefRerollFirstRoll(std::string_view value);
void applyPrefWhoRollsFirst(std::string_view value);
void applyPrefAutoConcessions(std::string_view value);
void applyPrefPieceShape(std::string_view value);
void applyPrefPieceSpeed(std::string_view value);
void applyPrefClickAfterMove(std::string_view value, std::string_view key);
void applyPrefAutomaticRolls(std::string_view value);
void applyPrefAutoPass(std::string_view value);
void applyPrefEasyMoves(std::string_view value);
void applyPrefAutoMoves(std::string_view value);
void applyPrefDisplay4OnDoubles(std::string_view value);
void applyPrefSolidPieceColors(std::string_view value);
void applyPrefSaveGameOnExit(std::string_view value);
void applyPrefLoadGameOnStartup(std::string_view value);
void applyPrefRightMouseActionP(std::string_view value);
void applyPrefRightMouseActionNP(std::string_view value);
void applyPrefGameWasSaved(std::string_view value);
void applyPrefPlayDirection(std::string_view value);
void applyPrefPlayerColor(std::string_view value);
void applyPrefBoardColor(std::string_view value);
void applyPrefBoardFrameDesign(std::string_view value);
void applyPrefBoardWidth(std::string_view value);
void applyPrefPlayerName(std::string_view value);
void applyPrefFastPlay(std::string_view value);
void applyPrefFastPlaySaved(std::string_view value);
void applyPrefShowPossibleMoves(std::string_view value);
void applyPrefPlayerScore(std::string_view value);
void applyPrefActivePlayers(std::string_view value);

}  // namespace bg
