// The rollout engine on the real game loop: what it counts, which side starts each game,
// and that the user's settings, game and records come back.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "computer/personalities.h"
#include "flow/turn_state.h"
#include "rollout/rollout_report.h"
#include "rollout/rollout_texts.h"
#include "rollout_fixture.h"
#include "runtime/core/clock.h"
#include "runtime/core/format.h"
#include "state/app_constants.h"
#include "state/game_record_state.h"
#include "state/play_options.h"
#include "state/player_records.h"
#include "state/session_statistics.h"
#include "state/speech_state.h"

namespace bg {
namespace {

using testing::afterEachGame;
using testing::setPosition;

class RolloutEngine : public testing::RolloutTest {};

// A short race: games end in a few rolls.
// The last message shown.
std::string lastShown;

constexpr const char* kRace = "1:-3 2:-3 3:-3 4:-3 5:-3 20:3 21:3 22:3 23:3 24:3";

// The first roll of the game that just ended: who rolled it and what.
GameRecordEntry firstRoll() { return record.gameRecord[1]; }

TEST_F(RolloutEngine, PlaysTheWantedGamesAndGivesEverythingBack) {
  // The user's state: every value the rollout changes, set away from its rollout value.
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  flow.scores[0] = 40000;  // beyond 16 bits
  flow.scores[1] = -70000;
  settings.soundOptions.soundOn = 255;
  speech.speechOn = -1;
  players.activePlayers = 2;
  cube.cubeUsed = -1;
  options.autoConcessions = -1;
  cube.beaverAllowed = -1;
  settings.inputDice = -1;
  cube.jacobyRule = -1;
  settings.backgammonAllowed = 0;
  cube.cubeMaximum = 16;
  flow.tournamentGoing = 255;
  flow.moneySessionActive = 0;
  skill.personality = 3;
  shellFlags.fastPlay = 0;
  settings.rerollFirstRoll = 255;
  settings.whoRollsFirst = 3;
  record.gameRecordCount = 3;
  record.gameRecord[2].die1 = 5;
  record.gameRecord[3].flags = 77;
  const GameRecord userRecord = record;
  const SessionStatistics sessionBefore = statistics;
  const PlayerRecords playersBefore = players;
  rolloutSettings.gamesWanted = 6;
  // Silent throughout, the person's sound setting untouched: a quit in the middle keeps it.
  static bool heardDuring = false;
  static uint8_t settingDuring = 0;
  afterEachGame = [] {
    heardDuring = heardDuring || soundHeard();
    settingDuring = settings.soundOptions.soundOn;
  };

  rollOut();
  EXPECT_FALSE(heardDuring);
  EXPECT_EQ(settingDuring, 255);

  const RolloutStats& st = rolloutStats;
  EXPECT_EQ(st.wins[0] + st.wins[1], 6);
  for (int side = 0; side <= 1; ++side) EXPECT_LE(st.gammons[side] + st.backgammons[side], st.wins[side]);
  EXPECT_GE(st.points[0] + st.points[1], 6);
  EXPECT_EQ(rollout.rolloutRunning, 0);
  EXPECT_EQ(rollout.noPause, 0);
  EXPECT_EQ(rolloutSettings.rolloutStopFlag, 0);
  EXPECT_EQ(position.playerType[0], kHumanPlayer);
  EXPECT_EQ(position.playerType[1], kComputerPlayer);
  EXPECT_EQ(flow.scores[0], 40000);
  EXPECT_EQ(flow.scores[1], -70000);
  EXPECT_EQ(settings.soundOptions.soundOn, 255);
  EXPECT_TRUE(soundHeard());
  EXPECT_EQ(speech.speechOn, -1);
  EXPECT_EQ(players.activePlayers, 2);
  EXPECT_EQ(cube.cubeUsed, -1);
  EXPECT_EQ(options.autoConcessions, -1);
  EXPECT_EQ(cube.beaverAllowed, -1);
  EXPECT_EQ(settings.inputDice, -1);
  EXPECT_EQ(cube.jacobyRule, -1);
  EXPECT_EQ(settings.backgammonAllowed, 0);
  EXPECT_EQ(cube.cubeMaximum, 16);
  EXPECT_EQ(flow.tournamentGoing, 255);
  EXPECT_EQ(skill.personality, 3);
  EXPECT_EQ(shellFlags.fastPlay, 0);
  EXPECT_EQ(settings.rerollFirstRoll, 255);
  EXPECT_EQ(settings.whoRollsFirst, 3);
  EXPECT_EQ(record.gameRecordCount, userRecord.gameRecordCount);
  EXPECT_TRUE(record.gameRecord == userRecord.gameRecord) << "the user's game is back";
  // Rolled-out games and rolls are credited to no one.
  EXPECT_EQ(statistics.gamesWonBySide, sessionBefore.gamesWonBySide);
  EXPECT_EQ(statistics.sessionPipsRolled, sessionBefore.sessionPipsRolled);
  EXPECT_EQ(statistics.sessionOpeningRolls, sessionBefore.sessionOpeningRolls);
  EXPECT_EQ(statistics.gamesPlayedOut, sessionBefore.gamesPlayedOut);
  for (long p = 0; p <= 4; ++p) {
    EXPECT_TRUE(players.playerRecords[p].counters == playersBefore.playerRecords[p].counters) << p;
    EXPECT_EQ(players.playerRecords[p].pipsRolled, playersBefore.playerRecords[p].pipsRolled) << p;
  }
  EXPECT_GT(rollout.rollsMade[0] + rollout.rollsMade[1], 6 * 10);
  // The starting position is back on the board.
  CheckedArray<int16_t, 25> start;
  for (const StartingPoint& s : kStartingPosition) start[s.point] = s.count;
  EXPECT_EQ(testing::afterRollout.board, start);
  EXPECT_TRUE(fileExists(dataFilePath(kRolloutReportName)));
}

TEST_F(RolloutEngine, TheSideToMoveRollsFirstInEveryGame) {
  for (int16_t side : {int16_t{0}, int16_t{1}}) {
    // A race: the side that moves first wins far more than half.
    setPosition(kRace);
    position.openingPhase = 0;
    position.currentPlayer = side;
    position.otherPlayer = static_cast<int16_t>(1 - side);
    position.turnPlayer = side;
    int wrongSide = 0;
    static int16_t expected;
    static int* wrong;
    expected = side;
    wrong = &wrongSide;
    afterEachGame = [] {
      if (firstRoll().side != expected) ++*wrong;
    };
    rolloutSettings.gamesWanted = 8;
    rollOut();
    EXPECT_EQ(wrongSide, 0) << "side " << side;
    EXPECT_EQ(testing::afterRollout.currentPlayer, 1 - side) << "the turn's flip gives the move to side " << side;
  }
}

TEST_F(RolloutEngine, EachOfTwoRolloutsInARowCountsEveryGameItWasAskedFor) {
  for (int16_t wanted : {int16_t{12}, int16_t{9}}) {
    setPosition(kRace);
    position.openingPhase = 0;
    static int gamesSeen;
    gamesSeen = 0;
    afterEachGame = [] { ++gamesSeen; };
    rolloutSettings.gamesWanted = wanted;
    rollOut();
    EXPECT_EQ(gamesSeen, wanted);
    EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], wanted);
  }
}

TEST_F(RolloutEngine, ShownDiceStartEveryGame) {
  setPosition("start | dice 6 5 | side 0");
  position.openingPhase = 0;
  diceState.diceShowing = -1;
  int other = 0;
  static int* count;
  count = &other;
  afterEachGame = [] {
    const GameRecordEntry e = firstRoll();
    if (e.side != 0 || e.die1 + e.die2 != 11 || e.die1 * e.die2 != 30) ++*count;
  };
  rolloutSettings.gamesWanted = 4;
  rollOut();
  EXPECT_EQ(other, 0);
  EXPECT_EQ(testing::afterRollout.die0 + testing::afterRollout.die1, 11) << "the dice are back after the end";
}

TEST_F(RolloutEngine, OpeningsNeitherWaitNorFollowTheUsersFirstRollChoice) {
  setPosition(kRace);
  position.openingPhase = -1;
  settings.rerollFirstRoll = 255;
  settings.whoRollsFirst = 3;  // the user would always start
  static int sideOneOpenings;
  sideOneOpenings = 0;
  afterEachGame = [] {
    if (firstRoll().side == 1) ++sideOneOpenings;
  };
  rolloutSettings.gamesWanted = 60;
  const uint64_t sleptBefore = clock.clock.slept();
  rollOut();
  EXPECT_EQ(clock.clock.slept() - sleptBefore, 0u) << "no opening waited";
  EXPECT_GT(sideOneOpenings, 15);
  EXPECT_LT(sideOneOpenings, 45);
  EXPECT_EQ(settings.rerollFirstRoll, 255);
  EXPECT_EQ(settings.whoRollsFirst, 3);
}

TEST_F(RolloutEngine, APendingDoubleIsTakenBackAndTheRolloutIsCubeless) {
  setPosition("start | cube 4 1");
  position.openingPhase = 0;
  cube.doublePending = -1;
  cube.cubeOwnerBeforeDouble = kCubeCentred;
  static int cubedGames;
  cubedGames = 0;
  afterEachGame = [] {
    if (cube.cubeValue != 1) ++cubedGames;
  };
  rolloutSettings.gamesWanted = 3;
  rollOut();
  EXPECT_EQ(rolloutSnapshot.cubeValue, 2);
  EXPECT_EQ(rolloutSnapshot.cubeOwner, kCubeCentred);
  EXPECT_EQ(cubedGames, 0);
  EXPECT_EQ(cube.doublePending, 0);
}

TEST_F(RolloutEngine, ReturnDuringAGameCountsItAndEndsQuietly) {
  setPosition(kRace);
  speech.speechOn = 0;
  afterEachGame = [] {
    if (rolloutStats.wins[0] + rolloutStats.wins[1] == 3) stopRollout();
  };
  rolloutSettings.gamesWanted = 50;
  lastShown.clear();
  interactionServices.displayMessage = [] { lastShown = interaction.messageText.view(); };
  rollOut();
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 3);
  EXPECT_EQ(testing::secondsPaused, 0.0) << "no beeps after Return";
  EXPECT_NE(lastShown, "MMThe Roll out is Finished");
  EXPECT_TRUE(fileExists(dataFilePath(kRolloutReportName)));
  // Returned from before its first game ends, a rollout counts none: the report of the
  // rollout before it stays.
  std::ifstream in(dataFilePath(kRolloutReportName), std::ios::binary);
  const std::string report((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  setPosition(kRace);
  rollOut(stopRollout);
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 0);
  std::ifstream after(dataFilePath(kRolloutReportName), std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), std::istreambuf_iterator<char>()), report);
}

TEST_F(RolloutEngine, AFinishedRolloutSaysSoAndBeepsUnlessSpeechIsOn) {
  interactionServices.displayMessage = [] { lastShown = interaction.messageText.view(); };
  for (int16_t speechOn : {int16_t{0}, int16_t{-1}}) {
    setPosition(kRace);
    speech.speechOn = speechOn;
    rolloutSettings.gamesWanted = 2;
    interaction.messageText.clear();
    rollOut();
    EXPECT_EQ(lastShown, "MMThe Roll out is Finished");
    EXPECT_EQ(testing::secondsPaused, speechOn == -1 ? 0.0 : 1.0) << "two half-second gaps between three beeps";
    testing::secondsPaused = 0;
  }
}

TEST_F(RolloutEngine, APausedRolloutShowsTheBoardToTheUsersSideAndReturnEndsItAtOnce) {
  setPosition("start");
  position.playerType[0] = kHumanPlayer;
  position.playerType[1] = kComputerPlayer;
  static bool sawBoard;
  static int waits;
  sawBoard = false;
  waits = 0;
  afterEachGame = [] {
    if (rolloutStats.wins[0] + rolloutStats.wins[1] == 2) toggleRolloutStartStop();
  };
  static auto paused = [] {
    if (!rolloutInProgress()) return testing::leaveTheLoop();
    ++waits;
    sawBoard = !rolloutHidesBoard() && position.playerType[0] == kHumanPlayer;
    stopRollout();  // Return while the user's side waits
  };
  interactionServices.waitForBoardClick = [] { paused(); };
  turnServices.waitForPointClick = [] { paused(); };
  rolloutSettings.gamesWanted = 50;
  rollOut();
  EXPECT_GE(waits, 1);
  EXPECT_TRUE(sawBoard);
  EXPECT_EQ(rolloutStats.wins[0] + rolloutStats.wins[1], 2) << "the game in progress is not counted";
  EXPECT_EQ(rollout.rolloutRunning, 0);
}

// Scripted game results through the statistics update.
void endGameWith(int winner, float multiplier) {
  flow.gamePointsBySide[0] = 0;
  flow.gamePointsBySide[1] = 0;
  flow.gamePointsBySide[winner] = static_cast<int16_t>(multiplier);
  turnState.gameValueMultiplier[0] = 0;
  turnState.gameValueMultiplier[1] = 0;
  turnState.gameValueMultiplier[winner] = multiplier;
  updateRolloutStatistics();
}

TEST_F(RolloutEngine, ResultsCountPointsGammonsAndBackgammonsApart) {
  rolloutSettings.minMaxStart = 0;
  startRollout();
  endGameWith(0, 1);
  endGameWith(1, 2);
  endGameWith(0, 3);
  const RolloutStats& st = rolloutStats;
  EXPECT_EQ(st.wins[0], 2);
  EXPECT_EQ(st.wins[1], 1);
  EXPECT_EQ(st.points[0], 4);
  EXPECT_EQ(st.points[1], 2);
  EXPECT_EQ(st.gammons[0], 0);
  EXPECT_EQ(st.gammons[1], 1);
  EXPECT_EQ(st.backgammons[0], 1);
  EXPECT_EQ(st.backgammons[1], 0);
  EXPECT_EQ(usingS("###.#", pointsShare(st.points[1], st.points[0])), " 33.3");
  EXPECT_EQ(usingS("+##.###", equityOf(st.points[0], st.points[1], 3)), " +0.667");
  restoreSettingsAfterRollout();
}

TEST_F(RolloutEngine, MaximaAndMinimaWaitForMinMaxStartAndTiesKeepTheEarlierGame) {
  rolloutSettings.minMaxStart = 200;
  startRollout();
  for (int g = 1; g <= 200; ++g) endGameWith(g % 3 == 0 ? 1 : 0, 1);
  EXPECT_EQ(rolloutStats.maxPercent[0], kUntrackedMaxPercent);
  EXPECT_EQ(rolloutStats.minPercent[1], kUntrackedMinPercent);
  EXPECT_EQ(rolloutStats.maxEquity, kUntrackedMaxEquity);
  EXPECT_EQ(rolloutStats.minEquity, kUntrackedMinEquity);
  endGameWith(1, 1);  // game 201, the first tracked
  EXPECT_EQ(rolloutStats.maxEquityGame, 201);
  EXPECT_EQ(rolloutStats.minEquityGame, 201);
  const double first = rolloutStats.maxEquity;
  endGameWith(0, 1);  // 202: the equity rises
  EXPECT_EQ(rolloutStats.maxEquityGame, 202);
  EXPECT_GT(rolloutStats.maxEquity, first);
  EXPECT_EQ(rolloutStats.minEquityGame, 201);
  restoreSettingsAfterRollout();
}

TEST_F(RolloutEngine, TheReportIsWrittenEveryHundredGames) {
  rolloutSettings.minMaxStart = 0;
  startRollout();
  const auto report = dataFilePath(kRolloutReportName);
  for (int g = 1; g <= 300; ++g) {
    std::filesystem::remove(report);
    endGameWith(g % 2, 1);
    EXPECT_EQ(fileExists(report), g % 100 == 0) << g;
  }
  restoreSettingsAfterRollout();
}

int alerts = 0;
void countAlert(std::string_view, std::int32_t) { ++alerts; }

TEST_F(RolloutEngine, AnUnwritableFolderLetsTheRolloutFinishWithOneAlertAtMost) {
  // The data folder is a file: the report can never be written.
  std::filesystem::create_directories(folder_);
  const auto blocker = folder_ / "blocked";
  { std::ofstream(blocker) << "x"; }
  setDataFolder(blocker);
  alerts = 0;
  const auto previous = setFileErrorAlertPresenter(countAlert);
  rolloutSettings.minMaxStart = 0;
  startRollout();
  for (int g = 1; g <= 300; ++g) endGameWith(g % 2, 1);
  restoreSettingsAfterRollout();
  setFileErrorAlertPresenter(previous);
  EXPECT_LE(alerts, 1);
}

struct TimeRow {
  uint64_t elapsedUs;
  int32_t counted;
  int32_t wanted;
  const char* text;
};

TEST(RolloutTimeLeft, HoursMinutesAndSecondsKeepTheirMasks) {
  constexpr uint64_t kSecond = 1000000;
  const TimeRow rows[] = {
      {(3600 + 5 * 60 + 9) * kSecond, 1, 2, " 1:05:09"},
      {(5 * 60 + 9) * kSecond, 1, 2, "0:05:09"},
      {9 * kSecond, 1, 2, "0:00:09"},
      // Five hours to go after 72 minutes: far past a 32-bit microsecond count.
      {72 * 60 * kSecond, 12, 62, " 5:00:00"},
      {36000 * kSecond, 1, 2, "10:00:00"},
      {10 * kSecond, 5, 5, "0:00:00"},
      {10 * kSecond, 6, 5, "0:00:00"},  // a wanted count below the games counted
      {10 * kSecond, 0, 5, "0:00:00"},
  };
  for (const TimeRow& r : rows) EXPECT_EQ(timeLeftText(r.elapsedUs, r.counted, r.wanted), r.text) << r.text;
}

}  // namespace
}  // namespace bg
