// The full redraw: the welcome once per run, the greeting and the resume notices, and a
// redraw that changes nothing of the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_fixture.h"
#include "runtime/qt/events.h"
#include "state/player_records.h"
#include "state/search_services.h"

namespace bg {
namespace {

std::vector<std::string> shown;  // what the boxes and the message line received
std::vector<int16_t> dialogEvents;

class BoardRedraw : public testing::BoardWindowTest {
 protected:
  void SetUp() override {
    BoardWindowTest::SetUp();
    testing::loadShippedMessages();
    shown.clear();
    dialogEvents.clear();
    upperServices.showLargeMessageYesNoDone = [](std::string_view text, int16_t w, int16_t h) {
      shown.push_back("box " + std::to_string(w) + "x" + std::to_string(h) + ": " + std::string(text));
    };
    searchServices.showTitledText = [](std::string_view title, std::string_view text) {
      shown.push_back(std::string(title) + ": " + std::string(text));
    };
    upperServices.enterPlayerName = [] { shown.emplace_back("name?"); };
    interactionServices.displayMessage = [] { shown.push_back(interaction.messageText.str()); };
    // The shell's part: the kept game read and put in place.
    upperServices.resumeKeptGame = [] { return shown.emplace_back("loaded"), true; };
    setDialogVector([] { dialogEvents.push_back(dialogEventId()); });
  }
  void TearDown() override {
    setDialogVector(nullptr);
    BoardWindowTest::TearDown();
  }
  // The window as on start-up: nothing composed yet.
  static void firstRedraw() {
    display.firstBoardBuild = -1;
    redrawBoardWindow();
    FBHandleEvents();
  }
};

TEST_F(BoardRedraw, TheFirstRunIsWelcomedOnceAndTheSavedGameResumed) {
  storage.firstRun = 255;
  storage.gameWasSaved = -1;
  storage.loadGameOnStartup = -1;
  flow.tournamentGoing = 255;
  flow.moneySessionActive = 255;
  players.playerRecords[players.activePlayers].secondName = "Ann";
  firstRedraw();
  const std::vector<std::string> expected{
      "box 410x310: Welcome to Tavrik's Backgammon\r\rClick on one of the dice to start\r\rClick once on a piece to "
      "pick it up\r\rClick once to put it down\r\rClick on BAR to take back moves & to put a piece back\r\rThe game "
      "has many hidden features. Please check out the Info menu and the other menu items to help find them. "
      "\r\rEnjoy!",
      // In place before the greeting lets the person's choices in.
      "loaded",
      "MM" + messageWordsOf(208).str() + "Ann",
      "    Saved Game Resumed: The Tournament game that was being played when the game was quit is being "
      "resumed.\r\rYou can start a new game by selecting New Game in the Game menu"};
  EXPECT_EQ(shown, expected);
  EXPECT_TRUE(dialogEvents.empty());
  EXPECT_EQ(storage.firstRun, 0);
  EXPECT_EQ(display.firstBoardBuild, 0);
  // The welcome revealed the whole board with its checkers; the next redraw greets no more.
  const QImage welcomed = testing::boardArea();
  shown.clear();
  redrawBoardWindow();
  FBHandleEvents();
  EXPECT_TRUE(shown.empty());
  EXPECT_EQ(welcomed, testing::boardArea());
}

TEST_F(BoardRedraw, BothSessionNoticesShowTournamentFirstAndNoNameAsksForAName) {
  flow.tournamentGoing = 255;
  flow.moneySessionActive = 255;
  firstRedraw();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0], "name?");
  EXPECT_EQ(shown[1].substr(0, 24), "    Tournament Resumed: ");
  EXPECT_EQ(shown[2].substr(0, 23), " Money Session Resumed:");
  EXPECT_TRUE(dialogEvents.empty());
}

TEST_F(BoardRedraw, AnOpenedDocumentIsLoadedInsteadOfTheGreetingOnceTheNameIsKnown) {
  const struct {
    const char* name;
    std::vector<std::string> shown;
  } rows[] = {{"Ann", {}}, {"No Name", {"name?"}}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    shown.clear();
    dialogEvents.clear();
    players.playerRecords[players.activePlayers].secondName = r.name;
    storage.openDocumentPending = -1;
    storage.openedDocumentName = "Tuesday's game";
    firstRedraw();
    EXPECT_EQ(shown, r.shown);
    EXPECT_EQ(dialogEvents, (std::vector<int16_t>{97}));
  }
}

TEST_F(BoardRedraw, ARedrawKeepsTheSoundSettingAndTheHeldCheckerCounted) {
  settings.soundOptions.soundOn = 255;
  // Held back while the redraw runs, and the person's setting untouched throughout.
  interactionServices.displayMessage = [] {
    EXPECT_FALSE(soundHeard());
    EXPECT_EQ(settings.soundOptions.soundOn, 255);
  };
  redrawBoardWindow();
  EXPECT_TRUE(soundHeard());
  position.board[1] = 1;  // the other checker of point 1 is in the hand
  position.currentPlayer = 0;
  boardInput.pickedCount = 1;
  redrawBoardWindow();
  EXPECT_EQ(position.piecesOnBoard[0], 15);
  EXPECT_EQ(position.piecesOnBoard[1], 15);
}

TEST_F(BoardRedraw, AHiddenRolloutRedrawChangesNothingAndAFinishedLoadedGameEnds) {
  redrawBoardWindow();
  const QImage before = window();
  rollout.rolloutRunning = -1;
  rollout.noPause = -1;
  position.board.fill(0);
  redrawBoardWindow();
  EXPECT_EQ(before, window());
  rollout.rolloutRunning = 0;
  rollout.noPause = 0;
  testing::setPosition("6:-5");  // side 0 bore off before the game was saved
  storage.loadingGame = -1;
  redrawBoardWindow();
  EXPECT_EQ(flow.newGameRequested, -1);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
}

}  // namespace
}  // namespace bg
