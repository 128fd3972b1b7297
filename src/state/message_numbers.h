#pragma once
// The numbered messages the code names, each once, by its number in the message tables
// (the words are in resources/text/messages.txt). kNoMessage is beside the tables.
#include <cstdint>

namespace bg {

inline constexpr int16_t kFinishMovingMessage = 2;  // "Finish moving your checker first"
inline constexpr int16_t kRollFirstMessage = 3;
inline constexpr int16_t kNotNowMessage = 4;
inline constexpr int16_t kCloseBoxFirstMessage = 5;
inline constexpr int16_t kAsksBestPlaysMessage = 6;
inline constexpr int16_t kNoAdviceMessage = 7;
inline constexpr int16_t kAdviseTakeMessage = 8;
inline constexpr int16_t kAdviseDropMessage = 9;
inline constexpr int16_t kAdviseDoubleMessage = 10;
inline constexpr int16_t kAdviseNoDoubleMessage = 11;
inline constexpr int16_t kAdviceOpponentOwnsMessage = 12;
inline constexpr int16_t kAgainstComputerMessage = 13;
inline constexpr int16_t kTwoPlayersMessage = 15;
inline constexpr int16_t kClickDiceMessage = 17;
inline constexpr int16_t kNoCheckerThereMessage = 44;
inline constexpr int16_t kBringHomeFirstMessage = 45;
inline constexpr int16_t kPickOwnCheckerMessage = 46;
inline constexpr int16_t kMovesToPlayMessage = 48;
inline constexpr int16_t kOpponentCheckersMessage = 50;
inline constexpr int16_t kCantMoveThereMessage = 51;
inline constexpr int16_t kPointBlockedMessage = 52;
inline constexpr int16_t kNoDieFitsMessage = 53;
inline constexpr int16_t kCantBearOffMessage = 54;
inline constexpr int16_t kBothDiceMessage = 55;
inline constexpr int16_t kMorePipsMessage = 56;
inline constexpr int16_t kCantUseMessage = 57;
inline constexpr int16_t kComputerClosedOutMessage = 58;
inline constexpr int16_t kComputerWinsMessage = 59;
inline constexpr int16_t kYouWinMessage = 60;
inline constexpr int16_t kWinsTheGameMessage = 61;
inline constexpr int16_t kWithAMessage = 62;
inline constexpr int16_t kBackgammonMessage = 63;
inline constexpr int16_t kGammonMessage = 64;
inline constexpr int16_t kCongratulationsMessage = 65;
inline constexpr int16_t kComputerBeaveredMessage = 70;
inline constexpr int16_t kCubeOffMessage = 71;
inline constexpr int16_t kOpponentOwnsMessage = 72;
inline constexpr int16_t kDiceShowingMessage = 73;
inline constexpr int16_t kCubeAt64Message = 74;
inline constexpr int16_t kAcceptQuestionMessage = 75;
inline constexpr int16_t kMustAcceptMessage = 76;
inline constexpr int16_t kAcceptsMessage = 77;
inline constexpr int16_t kDeclinesMessage = 78;
inline constexpr int16_t kTheDoubleMessage = 79;
inline constexpr int16_t kTheComputerMessage = 80;
inline constexpr int16_t kDoublingCubeMessage = 129;
inline constexpr int16_t kOpeningDoublesMessage = 131;
inline constexpr int16_t kPipCountTitleMessage = 126;
inline constexpr int16_t kRaceEstimateTitleMessage = 127;
inline constexpr int16_t kComputerTitleMessage = 137;
inline constexpr int16_t kKeepMoveMessage = 138;
inline constexpr int16_t kSaveBeforeQuitMessage = 139;
inline constexpr int16_t kRollAgainMessage = 142;
inline constexpr int16_t kAcceptMessage = 143;
inline constexpr int16_t kTheDoubleQuestionMessage = 144;
inline constexpr int16_t kRollForMeMessage = 149;      // the Choose Dice panel's button
inline constexpr int16_t kClickDiceFacesMessage = 150;  // its instruction line
inline constexpr int16_t kDoneButtonMessage = 154;
inline constexpr int16_t kOffersToResignMessage = 173;
inline constexpr int16_t kResignationMessage = 174;
inline constexpr int16_t kOneAtATimeMessage = 180;
inline constexpr int16_t kEnterFromBarMessage = 183;
inline constexpr int16_t kPutCheckerDownMessage = 207;
inline constexpr int16_t kPlayer0WonMatchMessage = 210;
inline constexpr int16_t kPlayer1WonMatchMessage = 211;
inline constexpr int16_t kCubeAtMaximumMessage = 216;
inline constexpr int16_t kGreetingMessage = 208;  // "Welcome, " before the name

}  // namespace bg
