// The menus after a real start-up: each choice goes through its QAction and the pump to
// the dispatcher, and is checked by its effect, its check mark or its refusal.
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "computer/personalities.h"
#include "dialogs/scoreboard_dialogs.h"
#include "display/board_images.h"
#include "display/board_layout.h"
#include "state/storage_state.h"
#include "state/display_settings.h"
#include "display/message_line.h"
#include "display/upper_services.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "runtime/core/clock.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/board_options.h"
#include "shell/menu_dispatch.h"
#include "shell/option_toggles.h"
#include "shell/preference_install.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/startup.h"
#include "state/board_command_services.h"
#include "state/board_input.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/game_record_state.h"
#include "state/interaction_services.h"
#include "state/interaction_state.h"
#include "state/play_options.h"
#include "state/play_search_state.h"
#include "state/player_records.h"
#include "state/position.h"
#include "state/program_state.h"
#include "state/settings.h"
#include "storage/preference_appliers.h"
#include "state/shell_flags.h"
#include "state/shell_state.h"
#include "state/sound_services.h"
#include "support/message_stand_in.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

std::vector<std::string> lines;  // the message line: "#n" for message n, else the free text
std::vector<std::string> notices;
int titledTexts = 0, quits = 0, alerts = 0;

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell();
    clearRecords();
    interactionServices.displayMessage = [] {
      testing::showLikeMessageLine([](int16_t number, const std::string& text) {
        lines.push_back(number == kNoMessage ? text : "#" + std::to_string(number));
      });
    };
    upperServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
    turnServices.showTitledText = [](std::string_view, std::string_view) { ++titledTexts; };
    turnServices.quitGame = [] { ++quits; };
    soundServices.playAlertSound = [] { ++alerts; };
  }
  void TearDown() override { windowClose(1), setEventSlice(2); }
  static void clearRecords() { lines.clear(), notices.clear(), titledTexts = quits = alerts = 0; }
  static void choose(int16_t menu, int16_t item) { chooseMenuItem(menu, item), FBHandleEvents(); }
  // Answers each box that opens on window n with the next text, typed then Return.
  static void answerBoxes(int16_t n, std::vector<std::string> answers) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, n, answers, next = size_t{0}]() mutable {
      if (!windowExists(n)) return;
      testing::typeKey(n, Qt::Key_Backspace);
      testing::typeText(n, answers[next].c_str());
      testing::typeKey(n, Qt::Key_Return);
      if (++next == answers.size()) timer->deleteLater();
    });
    timer->start(0);
  }
};

// The option items whose check mark shows a setting, and the setting; an item checked
// while its setting is off has a title that says what the mark means.
struct MarkRow {
  int16_t menu, item;
  std::function<long()> value;
  bool checkedWhenOn;
  const char* title = nullptr;
};
const MarkRow kMarkRows[] = {
    {3, 7, [] { return shell.saveGameOnExit; }, true}, {5, 1, [] { return cube.cubeUsed; }, true},
    {3, 8, [] { return storage.loadGameOnStartup; }, true}, {5, 4, [] { return cube.beaverAllowed; }, true},
    {5, 5, [] { return cube.jacobyRule; }, true}, {5, 6, [] { return cube.acceptDoubles; }, true},
    {5, 8, [] { return settings.backgammonAllowed; }, false, "No Backgammons"},
    {8, 10, [] { return options.autoPass; }, true},
    {5, 9, [] { return settings.rerollFirstRoll; }, true}, {8, 12, [] { return options.easyMoves; }, true},
    {5, 11, [] { return options.autoConcessions; }, true}, {8, 8, [] { return settings.inputDice; }, true},
    {8, 2, [] { return options.selectOneOnly; }, false, "Pick Up Several Checkers"},
};

// A greyed item (accept doubles outside play against the computer) shows no mark.
void expectMarksFollowValues(const char* when) {
  for (const auto& r : kMarkRows) {
    if (!menuItemEnabled(r.menu, r.item)) continue;
    EXPECT_EQ(menuItemChecked(r.menu, r.item), (r.value() != 0) == r.checkedWhenOn) << when << " " << r.menu << "/" << r.item;
  }
}

TEST_F(Menus, EveryToggleFlipsItsSettingAndItsCheckMarkFollows) {
  const auto& rows = kMarkRows;
  for (const auto& r : rows) {
    if (r.title != nullptr) {
      EXPECT_EQ(menuItemText(r.menu, r.item), r.title);
    }
    const long first = r.value();
    for (int round = 1; round <= 2; ++round) {
      choose(r.menu, r.item);
      const long now = r.value();
      EXPECT_EQ(now == first, round == 2) << r.menu << "/" << r.item;
      EXPECT_TRUE(now == 0 || now == -1 || now == 255) << r.menu << "/" << r.item;
      EXPECT_EQ(menuItemChecked(r.menu, r.item), (now != 0) == r.checkedWhenOn) << r.menu << "/" << r.item;
    }
  }
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(titledTexts, 1);  // the Easy Moves note, only when turning it on
}

TEST_F(Menus, TheCubeAutomaticRollsBeaversAndFastPlayGoTogether) {
  cube.beaverAllowed = -1;
  choose(5, 1);  // cube off takes the beavers with it
  EXPECT_EQ(cube.cubeUsed + cube.beaverAllowed, 0);
  choose(5, 4);
  EXPECT_EQ(lines, std::vector<std::string>{"Cube Used is not turned on"});
  EXPECT_EQ(cube.beaverAllowed, 0);
  choose(8, 9);  // automatic rolls on while the cube is off
  EXPECT_EQ(settings.automaticRolls, -1);
  choose(5, 1);  // cube on turns them off after the notice
  EXPECT_EQ(notices, std::vector<std::string>{std::string(kAutoRollsTurnedOffText)});
  EXPECT_EQ(settings.automaticRolls - cube.cubeUsed, 1);
  choose(8, 9);  // refused with the cube on, check mark included
  EXPECT_EQ(notices.back(), kAutoRollsRefusedText);
  EXPECT_EQ(settings.automaticRolls, 0);
  EXPECT_FALSE(menuItemChecked(8, 9));
  // The preferences at start-up may hold both (a choice from the menus waits for the board).
  display.firstBoardBuild = -1;
  installPreferenceServices();
  applyPrefAutomaticRolls("-1");
  display.firstBoardBuild = 0;
  EXPECT_EQ(settings.automaticRolls, -1);
  EXPECT_TRUE(menuItemChecked(8, 9));
  flow.opponentMode = kTwoPeople;
  choose(5, 6);
  EXPECT_EQ(cube.acceptDoubles, 0);
  EXPECT_FALSE(menuItemEnabled(5, 6));
  int boxes = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (!windowExists(239)) return;
    ++boxes;
    testing::typeKey(239, Qt::Key_Return);
  });
  answer.start(0);
  choose(8, 20);
  EXPECT_EQ(shellFlags.fastPlay, kFastPlayOn);
  choose(8, 20);
  EXPECT_EQ(shellFlags.fastPlay, 0);
  EXPECT_EQ(boxes, 1);  // the notice comes only when Fast Play is turned on
  EXPECT_FALSE(menuItemChecked(8, 20));
}

TEST_F(Menus, EachMenuRefusesByItsOwnGate) {
  auto snapshot = [] {
    return std::vector<long>{shell.saveGameOnExit, options.selectOneOnly, cube.jacobyRule,
                             skill.skillLevel, flow.newGameRequested, flow.abortTurn, position.board[1],
                             displaySettings.pieceShapeApplied};
  };
  enum Gate { kPicked, kWaiting, kQuestion, kInHand, kSearching, kOpening, kComputersTurn };
  const struct {
    Gate gate;
    int16_t menu, item;
    std::vector<std::string> expected;
  } rows[] = {
      {kPicked, 3, 1, {}},        {kPicked, 3, 7, {}},        {kWaiting, 3, 1, {}},       {kWaiting, 3, 7, {}},
      {kWaiting, 3, 17, {}},      {kWaiting, 8, 2, {}},       {kWaiting, 5, 5, {}},       {kWaiting, 6, 1, {}},
      {kWaiting, 17, 13, {}},     {kInHand, 8, 2, {"#2"}},    {kInHand, 5, 5, {"#2"}},    {kInHand, 17, 13, {"#2"}},
      {kInHand, 3, 1, {"#207"}},  {kSearching, 8, 15, {"#2"}}, {kSearching, 17, 13, {"#2"}},
      {kInHand, 20, 2, {"#207"}}, {kQuestion, 20, 2, {"#4"}},
      // Two people in the opening: the starter's move is still to be played.
      {kOpening, 3, 10, {"Concede is not available until the opening move is played"}},
      {kComputersTurn, 3, 10, {"Concede is not available during the computer's turn"}},
  };
  for (const auto& r : rows) {
    clearRecords();
    testing::setPosition(r.gate == kComputersTurn ? "start | dice 3 1 | side 1" : "start | dice 3 1");
    position.openingPhase = r.gate == kOpening ? -1 : 0;
    flow.opponentMode = r.gate == kOpening ? kTwoPeople : kComputerOpponent;
    hand.piecePicked = r.gate == kPicked ? -1 : 0;
    hand.boardWaitActive = r.gate == kWaiting || r.gate == kQuestion ? -1 : 0;
    panelWait.questionPanelUp = r.gate == kQuestion ? -1 : 0;  // a question's wait is a board wait
    hand.pieceInHand = r.gate == kInHand ? -1 : 0;
    playSearch.searchDepth = r.gate == kSearching ? 1 : 0;
    const auto before = snapshot();
    choose(r.menu, r.item);
    EXPECT_EQ(snapshot(), before) << r.menu << "/" << r.item;
    EXPECT_EQ(lines, r.expected) << r.menu << "/" << r.item;
    EXPECT_EQ(quits, r.item == 17 ? 1 : 0) << r.menu << "/" << r.item;  // quitting is never refused
    EXPECT_EQ(alerts, r.expected == std::vector<std::string>{"#207"} ? 1 : 0);
  }
}

TEST_F(Menus, RadioGroupsCheckOneItemAndStoreTheirChoice) {
  const struct {
    int16_t menu, item;
    std::function<long()> value;
    long expected;
  } rows[] = {
      {21, 6, [] { return cube.cubeMaximum; }, 64},   {21, 1, [] { return cube.cubeMaximum; }, 2},
      {11, 4, [] { return cube.autoDoubleMax; }, 3},  {11, 1, [] { return cube.autoDoubleMax; }, 0},
      {12, 3, [] { return displaySettings.pieceSpeed; }, 3}, {20, 5, [] { return displaySettings.pieceShapeBase; }, 10},
      {25, 1, [] { return skill.personality; }, 1},   {6, 2, [] { return skill.skillLevel; }, 2},
      {24, 1, [] { return settings.soundOptions.soundOn; }, 0},
  };
  for (const auto& r : rows) {
    choose(r.menu, r.item);
    EXPECT_EQ(r.value(), r.expected) << r.menu << "/" << r.item;
    for (int16_t i = 1; i <= menuItemCount(r.menu); ++i)
      EXPECT_EQ(menuItemChecked(r.menu, i), i == r.item) << r.menu << "/" << i;
  }
  for (int16_t level = 1; level <= 5; ++level) {
    choose(6, level);
    EXPECT_FLOAT_EQ(skill.skillFactor, 1.0f + static_cast<float>(5 - level) / 10.0f);
    EXPECT_EQ(options.rollOverItemState, level == 5 ? 0 : 1);  // level 5 against the computer
  }
}

TEST_F(Menus, FlipBoardTurnsTheGameRoundAndTwiceGivesItBack) {
  testing::setPosition("1:2 6:-5 13:4 19:-3 25:1 0:-2 | dice 6 2 | cube 4 1");
  position.openingPhase = 0;
  flow.movesAllowed = flow.movesLeft = playSearch.playLength = 2;
  record.gameRecordCount = kGameRecordHighest;  // a full record has no entry after its last
  for (long n = 1; n <= kGameRecordHighest; ++n)
    record.gameRecord[n] = {static_cast<int16_t>(n % 3 == 0 ? 2 : n % 2), 3, n % 5 == 0 ? int16_t{-1} : int16_t{9}};
  const auto board = position.board;
  const auto entries = record.gameRecord;
  choose(8, 15);
  for (int16_t i = 0; i <= 25; ++i) EXPECT_EQ(position.board[i], -board[25 - i]) << i;
  EXPECT_EQ(cube.cubeOwner, 0);
  EXPECT_EQ(flow.abortTurn, kLeaveTurn);
  const auto& flipped = record.gameRecord;  // entry 6 is neither side's
  EXPECT_EQ((std::vector<int>{flipped[4].side, flipped[4].fromPoint, flipped[5].toPoint, flipped[6].side}),
            (std::vector<int>{1, 22, -1, 2}));
  flipBoard();
  EXPECT_EQ(position.board, board);
  EXPECT_EQ(cube.cubeOwner, 1);
  EXPECT_EQ(record.gameRecord, entries);
  EXPECT_EQ(position.otherPlayer, 1 - position.currentPlayer);
  // Refused in the opening before the dice show and after a part of the roll, saying why.
  const std::vector<std::string> why[] = {{"#3"}, {"Flip Board is not available once a checker has moved this turn"}};
  for (int refusal = 0; refusal < 2; ++refusal) {
    position.openingPhase = refusal == 0 ? -1 : 0;
    diceState.diceShowing = refusal == 0 ? 0 : -1;
    flow.movesLeft = 1;
    clearRecords();
    choose(8, 15);
    EXPECT_EQ(position.board, board);
    EXPECT_EQ(lines, why[refusal]);
  }
}

TEST_F(Menus, NamesComeFromTheNameBox) {
  const std::string longName(45, 'a');
  const struct {
    int16_t mode;
    std::vector<std::string> typed;
    const char* side0;
    const char* side1;
    std::vector<std::string> lines;
  } rows[] = {
      {kComputerOpponent, {""}, "No Name", "Computer", {}},
      {kComputerOpponent, {"Ann"}, "Ann", "Computer", {"Welcome, Ann"}},
      {kTwoPeople, {"", ""}, "Player One", "Player Two", {}},
      {kTwoPeople, {longName, "Bo"}, "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "Bo", {}},
  };
  for (const auto& r : rows) {
    clearRecords();
    flow.opponentMode = r.mode;
    answerBoxes(226, r.typed);
    choose(16, 1);
    const PlayerRecord& kept = players.playerRecords[players.activePlayers];
    EXPECT_EQ((std::vector<std::string>{shell.playerNames[0].str(), kept.secondName.str(), kept.firstName.str()}),
              (std::vector<std::string>{r.side0, r.side0, r.side1}));
    EXPECT_TRUE(r.mode != kTwoPeople || shell.playerNames[1] == r.side1);
    EXPECT_EQ(lines, r.lines);
  }
}

TEST_F(Menus, TheCommandLettersTakeTheKeyboardsRoad) {
  UseVirtualClock clock;  // the cube's refusal pauses
  windowSelect(1);
  const struct {
    int16_t item;
    Qt::Key key;
    const char* board;
    std::vector<std::string> refusal;  // empty: any line
    void (*also)() = [] {};
  } rows[] = {{9, Qt::Key_M, "start | side 0", {}},
              {10, Qt::Key_S, "start | side 0", {}},
              {11, Qt::Key_C, "start | side 0", {}},
              // During the person's move both refuse alike, on the message line.
              {7, Qt::Key_I, "start | dice 3 1 | side 0", {"#4"}},
              {11, Qt::Key_C, "start | dice 3 1 | side 0", {"#4"}},
              // The cube: no double once the roll is thrown.
              {3, Qt::Key_Asterisk, "start | dice 3 1 | side 0", {"#73"}},
              // So does Replay Computer Move before the computer has moved, and with a box up.
              {7, Qt::Key_I, "start | side 0", {"This option is available only after the computer has made a move"},
               [] { diceState.diceShowing = 0; }},
              {7, Qt::Key_I, "start | side 0", {"#5"}, [] { display.overlayActive = -1; }}};
  for (const auto& [item, key, board, refusal, also] : rows) {
    // A refusal is of the person's turn, the roll thrown.
    refusal.empty() ? testing::setPosition(board) : testing::personToPlay(board);
    display.overlayActive = 0;
    also();
    choose(17, item);
    const auto fromMenu = lines;
    EXPECT_FALSE(fromMenu.empty()) << item;
    if (!refusal.empty()) {
      EXPECT_EQ(fromMenu, refusal) << item;
    }
    EXPECT_TRUE(notices.empty()) << item;
    notices.clear();
    lines.clear();
    testing::typeKey(1, key), FBHandleEvents();
    EXPECT_EQ(lines, fromMenu) << item;
    EXPECT_TRUE(notices.empty()) << item;
    notices.clear();
    lines.clear();
  }
  display.overlayActive = 0;
}

// Every Commands letter runs its command once, from the menu and from the key alike; the
// letters whose panels and reports are not built run their hooks from the key while their
// items stay greyed. Keys without a command change nothing.
TEST_F(Menus, EveryCommandLetterRunsOnceFromTheMenuAndTheKey) {
  windowSelect(1);
  static std::string ran;
  turnServices.showInformation = [](std::string_view text) { notices.emplace_back(text); };
  boardCommandServices.showBlotRisk = [] { ran += 'B'; };
  boardCommandServices.drawStatsLeft = [] { ran += 'P'; };
  boardCommandServices.drawStatsRight = [] { ran += 'R'; };
  boardCommandServices.openNotePad = [] { ran += 'N'; };
  boardCommandServices.showContextHelp = [] { ran += 'H'; };
  const auto outcome = [] {
    std::vector<std::string> all = lines;
    all.insert(all.end(), notices.begin(), notices.end());
    if (!ran.empty()) all.push_back(ran);
    return all;
  };
  const struct {
    int16_t item;
    Qt::Key key;
    bool awaitsOwner;
  } rows[] = {{4, Qt::Key_P, false}, {5, Qt::Key_R, false}, {6, Qt::Key_B, false},  {7, Qt::Key_I, false},
              {8, Qt::Key_D, false}, {9, Qt::Key_M, false}, {10, Qt::Key_S, false}, {11, Qt::Key_C, false},
              {12, Qt::Key_H, false}, {14, Qt::Key_N, false}};
  for (const auto& r : rows) {
    testing::setPosition("start | side 0");
    clearRecords(), ran.clear();
    choose(17, r.item);
    const auto fromMenu = outcome();
    clearRecords(), ran.clear();
    testing::typeKey(1, r.key), FBHandleEvents();
    const auto fromKey = outcome();
    if (r.awaitsOwner) {
      EXPECT_TRUE(fromMenu.empty()) << r.item;
      EXPECT_EQ(ran.size(), 1u) << r.item;
    } else {
      EXPECT_FALSE(fromMenu.empty()) << r.item;
      EXPECT_EQ(fromKey, fromMenu) << r.item;
    }
  }
  testing::setPosition("start | side 0");
  clearRecords(), ran.clear();
  boardInput.clickH = 123, boardInput.clickV = 45;
  const auto board = position.board;
  for (Qt::Key key : {Qt::Key_A, Qt::Key_E, Qt::Key_F, Qt::Key_Q, Qt::Key_T, Qt::Key_U, Qt::Key_V, Qt::Key_Z, Qt::Key_Space})
    testing::typeKey(1, key), FBHandleEvents();
  EXPECT_EQ((std::vector<long>{boardInput.clickH, boardInput.clickV, flow.keyCommandBusy, interactionDisplay.boardInputEvent}),
            (std::vector<long>{123, 45, 0, 0}));
  EXPECT_EQ(position.board, board);
  EXPECT_TRUE(outcome().empty());
}

TEST_F(Menus, NewGameFitWindowEnablingAndItemsWithoutCommands) {
  choose(3, 1);
  EXPECT_EQ((std::vector<long>{position.piecesOnBoard[0], position.piecesOnBoard[1], flow.abortTurn,
                               flow.newGameRequested, interaction.clickedPoint}),
            (std::vector<long>{0, 0, kLeaveTurn, -1, 28}));
  choose(8, 18);
  const Rect content = windowContentRect(1);
  EXPECT_EQ((std::vector<int>{content.width(), content.height(), windowPlacement.boardWidthOffset,
                              windowPlacement.boardHeightOffset}),
            (std::vector<int>{display.boardWidth + 40, layout.boardHeight + 40, -20, -20}));
  for (int16_t computer = 0; computer <= 1; ++computer) {
    position.playerType[position.currentPlayer] = computer == 1 ? kComputerPlayer : kHumanPlayer;
    hook::disableGameMenusDuringWait();
    for (int16_t m : {1, 2, 3, 5, 8}) EXPECT_FALSE(menuItemEnabled(m, 0)) << m;
    EXPECT_EQ(menuItemEnabled(17, 0), computer == 0);
    hook::enableAllMenus();
    for (int16_t m : {1, 2, 3, 4, 5, 6, 8, 16, 17}) EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
  }
  // Items whose commands are not built stay greyed, also when a lower area enables them.
  hook::setMenuItemState(4, 20, kItemEnabled, "");
  for (auto [m, i] : {std::pair{4, 20}, {4, 18}})
    EXPECT_FALSE(menuItemEnabled(static_cast<int16_t>(m), static_cast<int16_t>(i))) << m << "/" << i;
  // Posted items the tables do not list change nothing.
  const auto board = position.board;
  const long game = flow.newGameRequested, skillLevel = skill.skillLevel;
  lines.clear();
  for (auto [m, i] : {std::pair{3, 6}, {3, 99}, {5, 0}, {6, 7}, {17, 2}, {127, 9}, {99, 1}, {25, 9}})
    postMenuSelection(static_cast<int16_t>(m), static_cast<int16_t>(i)), FBHandleEvents();
  EXPECT_EQ(position.board, board);
  EXPECT_EQ((std::vector<long>{flow.newGameRequested, skill.skillLevel, skill.personality}),
            (std::vector<long>{game, skillLevel, 2}));
  EXPECT_TRUE(lines.empty());
}

TEST_F(Menus, ASessionEndsOnlyWithTheHandEmpty) {
  hand.pieceInHand = -1;
  flow.moneySessionActive = 255;
  flow.scores[0] = 5, flow.scores[1] = 2;
  choose(3, 4);
  EXPECT_EQ(flow.moneySessionActive, 255);
  flow.moneySessionActive = 0;
  flow.tournamentGoing = 255;
  choose(3, 3);
  EXPECT_EQ(flow.tournamentGoing, 255);
  EXPECT_EQ(flow.scores[0] + flow.scores[1], 7);
  EXPECT_EQ(titledTexts, 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"#207", "#207"}));
  EXPECT_EQ(alerts, 2);
  EXPECT_EQ(interaction.messageNumber, kNoMessage);
}

TEST_F(Menus, TheEndOfATournamentGivesBackTheOptionsWithTheirMarks) {
  flow.tournamentGoing = 255;
  flow.savedAutoDoubleMax = 4;
  flow.savedBeaverAllowed = -1;
  flow.savedJacobyRule = -1;
  flow.savedRerollFirstRoll = 255;
  flow.savedAcceptDoubles = -1;
  flow.savedWhoRollsFirst = 3;
  cube.cubeUsed = -1;
  cube.autoDoubleMax = cube.beaverAllowed = cube.jacobyRule = cube.acceptDoubles = 0;
  settings.rerollFirstRoll = 0;
  choose(3, 3);
  EXPECT_EQ(flow.tournamentGoing, 0);
  EXPECT_EQ(cube.autoDoubleMax, 4);
  EXPECT_NE(cube.beaverAllowed, 0);
  EXPECT_NE(cube.jacobyRule, 0);
  EXPECT_NE(settings.rerollFirstRoll, 0);
  EXPECT_NE(cube.acceptDoubles, 0);
  EXPECT_EQ(settings.whoRollsFirst, 3);
  EXPECT_TRUE(menuItemChecked(11, 5));
  expectMarksFollowValues("after the tournament");
}

TEST_F(Menus, EveryMarkFollowsItsValueAfterEachModeChange) {
  settings.inputDice = -1;
  cube.acceptDoubles = -1;
  for (const int16_t item : {int16_t{13}, int16_t{12}}) {
    choose(3, item);
    // Two people come in with the players' box's OK.
    if (item == 13) {
      ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kScoreboardWindow); }, 5));
      testing::typeKey(kScoreboardWindow, Qt::Key_Return);
      ASSERT_TRUE(testing::pumpUntil([] { return flow.opponentMode == kTwoPeople; }, 5));
    }
    expectMarksFollowValues(item == 13 ? "two players" : "against the computer");
  }
}

}  // namespace
}  // namespace bg
