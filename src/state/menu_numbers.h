#pragma once
// The menus and menu items the lower areas enable and disable through the shell's hook.
#include <cstdint>

namespace bg {

inline constexpr int16_t kGameMenu = 3;
inline constexpr int16_t kOptionsMenu = 5;
inline constexpr int16_t kSettingsMenu = 8;
inline constexpr int16_t kComputerMenu = 17;  // serves only the computer opponent
// Game menu items.
inline constexpr int16_t kNewGameItem = 1;
inline constexpr int16_t kCloseSessionItem = 2;
inline constexpr int16_t kTournamentItem = 3;
inline constexpr int16_t kResignItem = 10;
inline constexpr int16_t kComputerOpponentItem = 12;  // opponent mode 1
inline constexpr int16_t kTwoPlayersItem = 13;        // opponent mode 3
// Items kept only against the computer.
inline constexpr int16_t kComputerOnlyOptionItem = 6;    // Options menu
inline constexpr int16_t kRollOverItem = 7;              // Options menu
inline constexpr int16_t kComputerOnlySettingItem = 8;   // Settings menu
inline constexpr int16_t kComputerMenuItem = 11;         // the computer's menu
inline constexpr int16_t kMoneySessionItem = 4;  // "End Money Session" while one runs
inline constexpr int16_t kMoneyGameItem = 5;     // the money game dialog: the stake
inline constexpr int16_t kSaveOnExitItem = 7;
inline constexpr int16_t kLoadAtStartItem = 8;
inline constexpr int16_t kQuitGameItem = 17;
// The position editor in the Settings menu: on the board as it stands, or emptied.
inline constexpr int16_t kSetupCurrentItem = 16;
inline constexpr int16_t kSetupEmptyItem = 17;
inline constexpr int16_t kRolloutItem = 15;

// The other menus (the voice and sound-level menus are named by the audio).
inline constexpr int16_t kFileMenu = 1;
inline constexpr int16_t kEditMenu = 2;
inline constexpr int16_t kInfoMenu = 4;
inline constexpr int16_t kSkillMenu = 6;
inline constexpr int16_t kHelpMenu = 10;
inline constexpr int16_t kAutoDoubleMenu = 11;
inline constexpr int16_t kPieceSpeedMenu = 12;
inline constexpr int16_t kBoardColourMenu = 15;
inline constexpr int16_t kPlayerMenu = 16;
inline constexpr int16_t kPrintMenu = 18;
inline constexpr int16_t kHiddenGameMenu = 19;
inline constexpr int16_t kPieceShapeMenu = 20;
inline constexpr int16_t kCubeMaximumMenu = 21;
inline constexpr int16_t kPersonalityMenu = 25;
inline constexpr int16_t kApplicationMenu = 127;

// Options menu items with a check mark.
inline constexpr int16_t kCubeUsedItem = 1;
inline constexpr int16_t kBeaverItem = 4;
inline constexpr int16_t kJacobyItem = 5;
inline constexpr int16_t kBackgammonItem = 8;  // checked while backgammons do not count
inline constexpr int16_t kRerollItem = 9;
inline constexpr int16_t kAutoConcessionsItem = 11;
inline constexpr int16_t kWhoGetsFirstRollItem = 10;  // Options: its dialog
// Settings menu items with a check mark.
inline constexpr int16_t kSelectOneOnlyItem = 2;
inline constexpr int16_t kShowPossibleMovesItem = 5;
inline constexpr int16_t kAutomaticRollsItem = 9;
inline constexpr int16_t kAutoPassItem = 10;
inline constexpr int16_t kEasyMovesItem = 12;
inline constexpr int16_t kFastPlayItem = 20;
inline constexpr int16_t kVoiceItem = 6;
inline constexpr int16_t kPlayDirectionItem = 13;
inline constexpr int16_t kSwapColoursItem = 14;
inline constexpr int16_t kFlipBoardItem = 15;
inline constexpr int16_t kFitWindowItem = 18;
inline constexpr int16_t kRedrawBoardItem = 21;
inline constexpr int16_t kDisplaySettingsItem = 1;
inline constexpr int16_t kSoundDialogItem = 4;
inline constexpr int16_t kSpeakDiceItem = 7;
inline constexpr int16_t kAutomaticMovesItem = 11;
inline constexpr int16_t kClickAfterMoveItem = 19;
// Other items the handlers name.
inline constexpr int16_t kAutoDoubleItem = 2;        // Options: re-applies the choice
inline constexpr int16_t kFrameHelpItem = 1;         // Commands: what the frame letters do
inline constexpr int16_t kDiceActionItem = 2;        // Commands: roll or hand over the dice
inline constexpr int16_t kCubeActionItem = 3;        // Commands: the cube action
inline constexpr int16_t kWhoIsAheadItem = 13;       // Commands
// Commands items that run a board letter command, the letter in brackets.
inline constexpr int16_t kStatisticsBottomItem = 4;    // (P)
inline constexpr int16_t kStatisticsTopItem = 5;       // (R)
inline constexpr int16_t kBlotRiskItem = 6;            // (B)
inline constexpr int16_t kReplayComputerMoveItem = 7;  // (I)
inline constexpr int16_t kCubeAdviceItem = 8;          // (D)
inline constexpr int16_t kMakeBestMoveItem = 9;        // (M)
inline constexpr int16_t kShowBestMovesItem = 10;      // (S)
inline constexpr int16_t kAnalyseLastPlayItem = 11;    // (C)
inline constexpr int16_t kContextHelpItem = 12;        // (H)
inline constexpr int16_t kNotePadItem = 14;            // (N)
inline constexpr int16_t kEnterNameItem = 1;         // Player
inline constexpr int16_t kGameStatsItem = 2;         // Player
inline constexpr int16_t kSessionStatsItem = 3;      // Player
inline constexpr int16_t kTournamentStatsItem = 4;   // Player
inline constexpr int16_t kScoreboardItem = 5;        // Player
inline constexpr int16_t kInfoAboutItem = 15;        // Info: the About box
inline constexpr int16_t kQuitItem = 9;              // File
inline constexpr int16_t kHideGameItem = 1;          // File: Hide Game / Resume Game
inline constexpr int16_t kOpenSavedGameItem = 3;     // File: the game kept as SavedGame
inline constexpr int16_t kOpenGameItem = 4;          // File: a file chosen in the file box
inline constexpr int16_t kSaveGameItem = 5;          // File
inline constexpr int16_t kSaveGameAsItem = 6;        // File: a name chosen in the file box
inline constexpr int16_t kPrintRecordItem = 8;       // File: the print box
inline constexpr int16_t kPrintHelpTextItem = 1;     // Print: enabled while the help text shows
inline constexpr int16_t kResumeGameItem = 1;        // the hidden-game menu
inline constexpr int16_t kHiddenQuitItem = 2;        // the hidden-game menu
// Item -2 hangs a menu on its host item as a submenu.
inline constexpr int16_t kInsertAsSubmenu = -2;

}  // namespace bg
