#pragma once
// The cube and concession tests: a clean program, the services record what they were
// asked, and the messages they compose come from a small table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis_fixture.h"
#include "computer/doubling_position.h"
#include "computer/personalities.h"
#include "computer/position_features.h"
#include "computer/race_estimates.h"
#include "rules/dice.h"
#include "rules/game_record.h"
#include "runtime/core/messages.h"
#include "state/cube_state.h"
#include "state/flow_services.h"
#include "state/flow_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/shell_services.h"
#include "state/shell_state.h"
#include "state/sound_services.h"

namespace bg::testing {

// What the services were asked, in order.
struct CubeLog {
  std::vector<std::string> shown;  // "#n" for a numbered message, else the free text
  std::vector<double> pauses;
  int alerts = 0;
  int questions = 0;  // question panels drawn
  int waits = 0;      // waits for a panel click
  int announcements = 0;
};

inline CubeLog cubeLog;

inline constexpr std::string_view kCubeMessages =
    "2\tFinish moving your checker first\n4\tNot now\n7\tNo advice\n8\tTake\n9\tDrop\n10\tDouble\n"
    "11\tNo double\n12\tOpponent owns\n70\tBeavered\n71\tCube off\n72\tOpponent owns the cube\n"
    "73\tDouble first\n74\tAt 64\n75\tdo you accept the double?\n76\tMust accept\n77\taccepts\n"
    "78\tdeclines\n79\tthe double\n80\tThe computer\n129\tDoubling cube\n137\tThe computer\n"
    "143\tAccept\n144\tthe double?\n216\tAt the maximum\n";

class CubeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loadComputerTables();
    initPersonalityData();
    loadMessageTable(kCubeMessages);
    position.playerType[0] = kHumanPlayer;
    position.playerType[1] = kComputerPlayer;
    cubeLog = CubeLog{};
    interactionServices.displayMessage = [] {
      cubeLog.shown.push_back(interaction.messageNumber != kNoMessage ? "#" + std::to_string(interaction.messageNumber)
                                                                      : interaction.messageText.str());
    };
    interactionServices.drawBoardQuestion = [] { ++cubeLog.questions; };
    interactionServices.waitForBoardClick = [] { ++cubeLog.waits; };
    shellServices.pauseAfterMove = [](double s) { cubeLog.pauses.push_back(s); };
    shellServices.pauseSeconds = [](double s) { cubeLog.pauses.push_back(s); };
    soundServices.playAlertSound = [] { ++cubeLog.alerts; };
    flowServices.announceConcession = [] { ++cubeLog.announcements; };
  }

  static void sides(int16_t current) {
    position.currentPlayer = current;
    position.otherPlayer = static_cast<int16_t>(1 - current);
  }

  // A race as the analysis leaves it for the side on roll: pip counts, threshold bases,
  // rolls from the pips, nothing else in the way.
  static void stubRace(int moverPips, int opponentPips) {
    analysis.evalBoard.fill(0);
    analysis.contactBroken = -1;
    analysis.raceFlag = -1;
    analysis.moverPipCount = static_cast<int16_t>(moverPips);
    analysis.opponentPipCount = static_cast<int16_t>(opponentPips);
    analysis.menLeft[0] = 15;
    analysis.menLeft[1] = 15;
    features = PositionFeatures{};
    features.pipLead = static_cast<int16_t>(opponentPips - moverPips);
    const double p = features.pipLead < 1 ? opponentPips : moverPips;
    features.doublingThresholdBase = static_cast<float>(0.0019 * p * p);
    features.doublingThresholdBase2 = static_cast<float>(features.doublingThresholdBase * 1.333);
    features.takeThresholdBase = static_cast<float>(0.002 * p * p);
    features.takeThresholdBase2 = static_cast<float>(features.takeThresholdBase * 1.333);
    race = RaceEstimates{};
    race.raceRolls[1] = static_cast<float>(moverPips / 8.17);
    race.raceRolls[0] = static_cast<float>(opponentPips / 8.17);
  }

  // The same in contact, with the vetoes clear.
  static void stubContact(int moverPips, int opponentPips) {
    stubRace(moverPips, opponentPips);
    analysis.contactBroken = 0;
    analysis.raceFlag = 0;
    features.startHomePoints = 3;
    features.shotValue = 1;
  }

  // The board from the taker's view (its men negative, moving down), the doubler on roll.
  static void layOutForTaker(const ViewBoard& v, int16_t doubler) {
    placeForPlayer(v, 1 - doubler);
    sides(doubler);
  }
};

}  // namespace bg::testing
