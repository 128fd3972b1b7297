// The menus after a real start-up: each choice goes through its QAction and the pump to
// the dispatcher, and is checked by its effect, its check mark or its refusal.
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "audio/sound_effects.h"
#include "computer/personalities.h"
#include "dialogs/message_boxes.h"
#include "dialogs/scoreboard_dialogs.h"
#include "display/board_ids.h"
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
#include "state/menu_numbers.h"
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
  void TearDown() override { windowClose(kBoardWindow), setEventSlice(2); }
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
    {kGameMenu, kSaveOnExitItem, [] { return shell.saveGameOnExit; }, true},
    {kOptionsMenu, kCubeUsedItem, [] { return cube.cubeUsed; }, true},
    {kGameMenu, kLoadAtStartItem, [] { return storage.loadGameOnStartup; }, true},
    {kOptionsMenu, kBeaverItem, [] { return cube.beaverAllowed; }, true},
    {kOptionsMenu, kJacobyItem, [] { return cube.jacobyRule; }, true},
    {kOptionsMenu, kComputerOnlyOptionItem, [] { return cube.acceptDoubles; }, true},  // Accept All Doubles
    {kOptionsMenu, kBackgammonItem, [] { return settings.backgammonAllowed; }, false, "No Backgammons"},
    {kSettingsMenu, kAutoPassItem, [] { return options.autoPass; }, true},
    {kOptionsMenu, kRerollItem, [] { return settings.rerollFirstRoll; }, true},
    {kSettingsMenu, kEasyMovesItem, [] { return options.easyMoves; }, true},
    {kOptionsMenu, kAutoConcessionsItem, [] { return options.autoConcessions; }, true},
    {kSettingsMenu, kComputerOnlySettingItem, [] { return settings.inputDice; }, true},  // Input Dice
    {kSettingsMenu, kSelectOneOnlyItem, [] { return options.selectOneOnly; }, false, "Pick Up Several Checkers"},
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
  choose(kOptionsMenu, kCubeUsedItem);  // cube off takes the beavers with it
  EXPECT_EQ(cube.cubeUsed + cube.beaverAllowed, 0);
  choose(kOptionsMenu, kBeaverItem);
  EXPECT_EQ(lines, std::vector<std::string>{"Cube Used is not turned on"});
  EXPECT_EQ(cube.beaverAllowed, 0);
  choose(kSettingsMenu, kAutomaticRollsItem);  // automatic rolls on while the cube is off
  EXPECT_EQ(settings.automaticRolls, -1);
  choose(kOptionsMenu, kCubeUsedItem);  // cube on turns them off after the notice
  EXPECT_EQ(notices, std::vector<std::string>{std::string(kAutoRollsTurnedOffText)});
  EXPECT_EQ(settings.automaticRolls - cube.cubeUsed, 1);
  choose(kSettingsMenu, kAutomaticRollsItem);  // refused with the cube on, check mark included
  EXPECT_EQ(notices.back(), kAutoRollsRefusedText);
  EXPECT_EQ(settings.automaticRolls, 0);
  EXPECT_FALSE(menuItemChecked(kSettingsMenu, kAutomaticRollsItem));
  // The preferences at start-up may hold both (a choice from the menus waits for the board).
  display.firstBoardBuild = -1;
  installPreferenceServices();
  applyPrefAutomaticRolls("-1");
  display.firstBoardBuild = 0;
  EXPECT_EQ(settings.automaticRolls, -1);
  EXPECT_TRUE(menuItemChecked(kSettingsMenu, kAutomaticRollsItem));
  flow.opponentMode = kTwoPeople;
  choose(kOptionsMenu, kComputerOnlyOptionItem);  // Accept All Doubles
  EXPECT_EQ(cube.acceptDoubles, 0);
  EXPECT_FALSE(menuItemEnabled(kOptionsMenu, kComputerOnlyOptionItem));
  int boxes = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (!windowExists(kLargeMessageWindow)) return;
    ++boxes;
    testing::typeKey(kLargeMessageWindow, Qt::Key_Return);
  });
  answer.start(0);
  choose(kSettingsMenu, kFastPlayItem);
  EXPECT_EQ(shellFlags.fastPlay, kFastPlayOn);
  choose(kSettingsMenu, kFastPlayItem);
  EXPECT_EQ(shellFlags.fastPlay, 0);
  EXPECT_EQ(boxes, 1);  // the notice comes only when Fast Play is turned on
  EXPECT_FALSE(menuItemChecked(kSettingsMenu, kFastPlayItem));
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
      {kPicked, kGameMenu, kNewGameItem, {}},
      {kPicked, kGameMenu, kSaveOnExitItem, {}},
      {kWaiting, kGameMenu, kNewGameItem, {}},
      {kWaiting, kGameMenu, kSaveOnExitItem, {}},
      {kWaiting, kGameMenu, kQuitGameItem, {}},
      {kWaiting, kSettingsMenu, kSelectOneOnlyItem, {}},
      {kWaiting, kOptionsMenu, kJacobyItem, {}},
      {kWaiting, kSkillMenu, 1, {}},
      {kWaiting, kComputerMenu, kWhoIsAheadItem, {}},
      {kInHand, kSettingsMenu, kSelectOneOnlyItem, {"#2"}},
      {kInHand, kOptionsMenu, kJacobyItem, {"#2"}},
      {kInHand, kComputerMenu, kWhoIsAheadItem, {"#2"}},
      {kInHand, kGameMenu, kNewGameItem, {"#207"}},
      {kSearching, kSettingsMenu, kFlipBoardItem, {"#2"}},
      {kSearching, kComputerMenu, kWhoIsAheadItem, {"#2"}},
      {kInHand, kPieceShapeMenu, 2, {"#207"}},
      {kQuestion, kPieceShapeMenu, 2, {"#4"}},
      // Two people in the opening: the starter's move is still to be played.
      {kOpening, kGameMenu, kResignItem, {"Concede is not available until the opening move is played"}},
      {kComputersTurn, kGameMenu, kResignItem, {"Concede is not available during the computer's turn"}},
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
    const bool quit = r.menu == kGameMenu && r.item == kQuitGameItem;
    EXPECT_EQ(quits, quit ? 1 : 0) << r.menu << "/" << r.item;  // quitting is never refused
    EXPECT_EQ(alerts, r.expected == std::vector<std::string>{"#207"} ? 1 : 0);
  }
}

TEST_F(Menus, RadioGroupsCheckOneItemAndStoreTheirChoice) {
  const struct {
    int16_t menu, item;
    std::function<long()> value;
    long expected;
  } rows[] = {
      {kCubeMaximumMenu, 6, [] { return cube.cubeMaximum; }, 64},
      {kCubeMaximumMenu, 1, [] { return cube.cubeMaximum; }, 2},
      {kAutoDoubleMenu, 4, [] { return cube.autoDoubleMax; }, 3},
      {kAutoDoubleMenu, 1, [] { return cube.autoDoubleMax; }, 0},
      {kPieceSpeedMenu, 3, [] { return displaySettings.pieceSpeed; }, 3},
      {kPieceShapeMenu, 5, [] { return displaySettings.pieceShapeBase; }, 10},
      {kPersonalityMenu, 1, [] { return skill.personality; }, 1},
      {kSkillMenu, 2, [] { return skill.skillLevel; }, 2},
      {kSoundMenu, 1, [] { return settings.soundOptions.soundOn; }, 0},
  };
  for (const auto& r : rows) {
    choose(r.menu, r.item);
    EXPECT_EQ(r.value(), r.expected) << r.menu << "/" << r.item;
    for (int16_t i = 1; i <= menuItemCount(r.menu); ++i)
      EXPECT_EQ(menuItemChecked(r.menu, i), i == r.item) << r.menu << "/" << i;
  }
  for (int16_t level = 1; level <= 5; ++level) {
    choose(kSkillMenu, level);
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
  choose(kSettingsMenu, kFlipBoardItem);
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
    choose(kSettingsMenu, kFlipBoardItem);
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
    answerBoxes(kNameEntryWindow, r.typed);
    choose(kPlayerMenu, kEnterNameItem);
    const PlayerRecord& kept = players.playerRecords[players.activePlayers];
    EXPECT_EQ((std::vector<std::string>{shell.playerNames[0].str(), kept.secondName.str(), kept.firstName.str()}),
              (std::vector<std::string>{r.side0, r.side0, r.side1}));
    EXPECT_TRUE(r.mode != kTwoPeople || shell.playerNames[1] == r.side1);
    EXPECT_EQ(lines, r.lines);
  }
}

TEST_F(Menus, TheCommandLettersTakeTheKeyboardsRoad) {
  UseVirtualClock clock;  // the cube's refusal pauses
  windowSelect(kBoardWindow);
  const struct {
    int16_t item;
    Qt::Key key;
    const char* board;
    std::vector<std::string> refusal;  // empty: any line
    void (*also)() = [] {};
  } rows[] = {{kMakeBestMoveItem, Qt::Key_M, "start | side 0", {}},
              {kShowBestMovesItem, Qt::Key_S, "start | side 0", {}},
              {kAnalyseLastPlayItem, Qt::Key_C, "start | side 0", {}},
              // During the person's move both refuse alike, on the message line.
              {kReplayComputerMoveItem, Qt::Key_I, "start | dice 3 1 | side 0", {"#4"}},
              {kAnalyseLastPlayItem, Qt::Key_C, "start | dice 3 1 | side 0", {"#4"}},
              // The cube: no double once the roll is thrown.
              {kCubeActionItem, Qt::Key_Asterisk, "start | dice 3 1 | side 0", {"#73"}},
              // So does Replay Computer Move before the computer has moved, and with a box up.
              {kReplayComputerMoveItem, Qt::Key_I, "start | side 0",
               {"This option is available only after the computer has made a move"}, [] { diceState.diceShowing = 0; }},
              {kReplayComputerMoveItem, Qt::Key_I, "start | side 0", {"#5"}, [] { display.overlayActive = -1; }}};
  for (const auto& [item, key, board, refusal, also] : rows) {
    // A refusal is of the person's turn, the roll thrown.
    refusal.empty() ? testing::setPosition(board) : testing::personToPlay(board);
    display.overlayActive = 0;
    also();
    choose(kComputerMenu, item);
    const auto fromMenu = lines;
    EXPECT_FALSE(fromMenu.empty()) << item;
    if (!refusal.empty()) {
      EXPECT_EQ(fromMenu, refusal) << item;
    }
    EXPECT_TRUE(notices.empty()) << item;
    notices.clear();
    lines.clear();
    testing::typeKey(kBoardWindow, key), FBHandleEvents();
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
  windowSelect(kBoardWindow);
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
  } rows[] = {{kStatisticsBottomItem, Qt::Key_P, false}, {kStatisticsTopItem, Qt::Key_R, false},
              {kBlotRiskItem, Qt::Key_B, false},         {kReplayComputerMoveItem, Qt::Key_I, false},
              {kCubeAdviceItem, Qt::Key_D, false},       {kMakeBestMoveItem, Qt::Key_M, false},
              {kShowBestMovesItem, Qt::Key_S, false},    {kAnalyseLastPlayItem, Qt::Key_C, false},
              {kContextHelpItem, Qt::Key_H, false},      {kNotePadItem, Qt::Key_N, false}};
  for (const auto& r : rows) {
    testing::setPosition("start | side 0");
    clearRecords(), ran.clear();
    choose(kComputerMenu, r.item);
    const auto fromMenu = outcome();
    clearRecords(), ran.clear();
    testing::typeKey(kBoardWindow, r.key), FBHandleEvents();
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
    testing::typeKey(kBoardWindow, key), FBHandleEvents();
  EXPECT_EQ((std::vector<long>{boardInput.clickH, boardInput.clickV, flow.keyCommandBusy, interactionDisplay.boardInputEvent}),
            (std::vector<long>{123, 45, 0, 0}));
  EXPECT_EQ(position.board, board);
  EXPECT_TRUE(outcome().empty());
}

TEST_F(Menus, NewGameFitWindowEnablingAndItemsWithoutCommands) {
  choose(kGameMenu, kNewGameItem);
  EXPECT_EQ((std::vector<long>{position.piecesOnBoard[0], position.piecesOnBoard[1], flow.abortTurn,
                               flow.newGameRequested, interaction.clickedPoint}),
            (std::vector<long>{0, 0, kLeaveTurn, -1, 28}));
  choose(kSettingsMenu, kFitWindowItem);
  const Rect content = windowContentRect(kBoardWindow);
  EXPECT_EQ((std::vector<int>{content.width(), content.height(), windowPlacement.boardWidthOffset,
                              windowPlacement.boardHeightOffset}),
            (std::vector<int>{display.boardWidth + 40, layout.boardHeight + 40, -20, -20}));
  for (int16_t computer = 0; computer <= 1; ++computer) {
    position.playerType[position.currentPlayer] = computer == 1 ? kComputerPlayer : kHumanPlayer;
    hook::disableGameMenusDuringWait();
    for (int16_t m : {kFileMenu, kEditMenu, kGameMenu, kOptionsMenu, kSettingsMenu})
      EXPECT_FALSE(menuItemEnabled(m, 0)) << m;
    EXPECT_EQ(menuItemEnabled(kComputerMenu, 0), computer == 0);
    hook::enableAllMenus();
    for (int16_t m : {kFileMenu, kEditMenu, kGameMenu, kInfoMenu, kOptionsMenu, kSkillMenu, kSettingsMenu, kPlayerMenu,
                      kComputerMenu})
      EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
  }
  // Items whose commands are not built stay greyed, also when a lower area enables them.
  hook::setMenuItemState(kInfoMenu, 20, kItemEnabled, "");
  for (auto [m, i] : {std::pair{kInfoMenu, 20}, {kInfoMenu, 18}})
    EXPECT_FALSE(menuItemEnabled(static_cast<int16_t>(m), static_cast<int16_t>(i))) << m << "/" << i;
  // Posted items the tables do not list change nothing.
  const auto board = position.board;
  const long game = flow.newGameRequested, skillLevel = skill.skillLevel;
  lines.clear();
  constexpr int16_t kNoSuchMenu = 99;
  for (auto [m, i] : {std::pair{kGameMenu, 6}, {kGameMenu, 99}, {kOptionsMenu, 0}, {kSkillMenu, 7}, {kComputerMenu, 2},
                      {kApplicationMenu, 9}, {kNoSuchMenu, 1}, {kPersonalityMenu, 9}})
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
  choose(kGameMenu, kMoneySessionItem);
  EXPECT_EQ(flow.moneySessionActive, 255);
  flow.moneySessionActive = 0;
  flow.tournamentGoing = 255;
  choose(kGameMenu, kTournamentItem);
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
  choose(kGameMenu, kTournamentItem);
  EXPECT_EQ(flow.tournamentGoing, 0);
  EXPECT_EQ(cube.autoDoubleMax, 4);
  EXPECT_NE(cube.beaverAllowed, 0);
  EXPECT_NE(cube.jacobyRule, 0);
  EXPECT_NE(settings.rerollFirstRoll, 0);
  EXPECT_NE(cube.acceptDoubles, 0);
  EXPECT_EQ(settings.whoRollsFirst, 3);
  EXPECT_TRUE(menuItemChecked(kAutoDoubleMenu, 5));  // at most 4
  expectMarksFollowValues("after the tournament");
}

TEST_F(Menus, EveryMarkFollowsItsValueAfterEachModeChange) {
  settings.inputDice = -1;
  cube.acceptDoubles = -1;
  for (const int16_t item : {kTwoPlayersItem, kComputerOpponentItem}) {
    choose(kGameMenu, item);
    // Two people come in with the players' box's OK.
    if (item == kTwoPlayersItem) {
      ASSERT_TRUE(testing::pumpUntil([] { return windowExists(kScoreboardWindow); }, 5));
      testing::typeKey(kScoreboardWindow, Qt::Key_Return);
      ASSERT_TRUE(testing::pumpUntil([] { return flow.opponentMode == kTwoPeople; }, 5));
    }
    expectMarksFollowValues(item == kTwoPlayersItem ? "two players" : "against the computer");
  }
}

}  // namespace
}  // namespace bg
