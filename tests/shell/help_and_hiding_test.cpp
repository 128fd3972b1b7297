// Help pages, the plain help texts and context help, the About box, hiding the game, the
// note pad and the printed record, reached through the real menus and keys after a real
// start-up.
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "dialogs/about_box.h"
#include "dialogs/dialog_state.h"
#include "dialogs/text_windows.h"
#include "display/dice_display.h"
#include "display/message_line.h"
#include "flow/turn_services.h"
#include "interaction/board_waits.h"
#include "interaction/position_setup.h"
#include "rules/whole_roll_check.h"
#include "runtime/core/files.h"
#include "runtime/qt/app_init.h"
#include "runtime/qt/controls.h"
#include "runtime/qt/events.h"
#include "runtime/qt/menus.h"
#include "runtime/qt/printing.h"
#include "runtime/qt/resources.h"
#include "runtime/qt/text_view_window.h"
#include "runtime/qt/windows.h"
#include "shell/app_events.h"
#include "shell/help_text_window.h"
#include "shell/hide_game.h"
#include "shell/menu_dispatch.h"
#include "shell/menu_marks.h"
#include "shell/shared_services.h"
#include "shell/shell_settings.h"
#include "shell/startup.h"
#include "state/app_constants.h"
#include "state/board_input.h"
#include "state/board_state.h"
#include "state/cube_state.h"
#include "state/dice_state.h"
#include "state/display_state.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/program_state.h"
#include "support/pdf_text.h"
#include "support/position_text.h"
#include "support/qt_helpers.h"
#include "started_program.h"

namespace bg {
namespace {

QString pdfTarget;
PrintDialogAnswer printIntoPdf() { return {true, pdfTarget}; }
PrintDialogAnswer cancelPrinting() { return {}; }

class HelpAndHiding : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::startRuntime();
    testing::startShell();
    ASSERT_TRUE(setDataFolder(std::filesystem::path(dir.path().toStdString()) / "data"));
    pdfTarget = dir.filePath(QStringLiteral("out.pdf"));
    setPrintDialogResponder(printIntoPdf);
  }
  void TearDown() override {
    if (gameHidden()) showGameWindows();
    for (int16_t n : {int16_t{2}, int16_t{3}, kHelpTextWindow, kHiddenGameWindow, kAboutWindow, int16_t{1}}) windowClose(n);
    setPrintDialogResponder(nullptr);
    setEventSlice(2);
    setDataFolder({});
  }
  static void choose(int16_t menu, int16_t item) { chooseMenuItem(menu, item), FBHandleEvents(); }
  static void pump() {
    for (int i = 0; i < 4; ++i) FBHandleEvents();
  }
  static void clickCloseBox(int16_t n) {
    contentWidget(n)->close();
    pump();
  }
  // Runs `inside` once the plain help-text window shows, then closes it by its close box.
  void whileHelpTextShows(std::function<void()> inside) {
    watcher = std::make_unique<QTimer>();
    QTimer* t = watcher.get();
    QObject::connect(t, &QTimer::timeout, [t, inside] {
      if (!textViewExists(kHelpTextWindow)) return;
      t->stop();
      inside();
      contentWidget(kHelpTextWindow)->close();
    });
    t->start(0);
  }
  static std::string titleOf(int16_t n) { return contentWidget(n)->windowTitle().toStdString(); }

  QTemporaryDir dir;
  std::unique_ptr<QTimer> watcher;
};

TEST_F(HelpAndHiding, EveryPageItemOpensItsPageTitledWithTheItem) {
  // What a page tells of the mouse and the roll-over is what they do: in Easy Moves Shift
  // tries the dice the other way round and the right button takes back a step, as it does
  // everywhere; the opening roll is not rolled over.
  const struct {
    const char* page;
    const char* says;
  } sayings[] = {{"Help - Easy Moves", "hold Shift to try the dice the other way round"},
                 {"Help - Easy Moves", "The right button does not: it takes back your last step"},
                 {"Help - Options", "The opening roll cannot be rolled over"},
                 {"Help - Commands", "Blot Risk, Replay Computer Move, Analyse Last Play, the note pad and a single "
                                     "checker step taken back are not counted"},
                 {"Help - Commands", "Once your dice are rolled the message line answers"},
                 {"Help - Commands", "your roll is looked at as soon as it is thrown, before anything is played"},
                 {"Help - Getting Started", "against the computer the opening is thrown for you as soon as a game starts"},
                 {"Help - Getting Started", "A quit while you set up a position (Set Up Position) saves nothing"},
                 {"Help - Doubling Cube", "click the cube, or press *, within three seconds of answering Yes"},
                 {"Help - Options", "To beaver, click the cube (or press *) within three seconds of taking"},
                 {"Help - Settings", "Then click the point they go to once for each checker"},
                 {"Help - Tournaments", "is ticked from the first game of such a match"},
                 {"Help - Playing a Game", "the question is your own confirmation"}};
  int said = 0;
  // Every other page is chosen while the one before it is still shown.
  bool keepOpen = false;
  for (int16_t item : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 17, 19}) {
    SCOPED_TRACE(item);
    ASSERT_TRUE(menuItemEnabled(kInfoMenu, item));
    choose(kInfoMenu, item);
    ASSERT_TRUE(textViewExists(kHelpWindow));
    const std::string text = menuItemText(kInfoMenu, item);
    EXPECT_EQ(titleOf(kHelpWindow), text);
    const QString page = textViewDocument(kHelpWindow)->toPlainText();
    EXPECT_GT(page.size(), 300);
    // The Menus page names every item of the Settings menu.
    if (text == "Help - Menus") {
      for (int16_t i = 1; i <= menuItemCount(kSettingsMenu); ++i) {
        const QString name = QString::fromStdString(menuItemText(kSettingsMenu, i)).remove(QStringLiteral("..."));
        if (name != QStringLiteral("-")) {
          EXPECT_TRUE(page.contains(name)) << name.toStdString();
        }
      }
    }
    for (const auto& saying : sayings) {
      if (text != saying.page) continue;
      ++said;
      EXPECT_TRUE(page.contains(QString::fromUtf8(saying.says))) << saying.says;
    }
    // The page opens with a heading in bold.
    const QTextBlock first = textViewDocument(kHelpWindow)->firstBlock();
    EXPECT_FALSE(first.text().isEmpty());
    EXPECT_GE(first.begin().fragment().charFormat().fontWeight(), QFont::Bold);
    keepOpen = !keepOpen;
    if (keepOpen) continue;
    clickCloseBox(kHelpWindow);
    EXPECT_FALSE(windowExists(kHelpWindow));
    EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
  }
  EXPECT_EQ(said, static_cast<int>(std::size(sayings)));
  // The web pages have no addresses.
  for (int16_t item : {18, 20, 21, 22, 23, 24}) EXPECT_FALSE(menuItemEnabled(kInfoMenu, item)) << item;
}

TEST_F(HelpAndHiding, EveryTopicHasATitleAndAText) {
  for (int16_t topic = 1; topic <= kHighestHelpTopic; ++topic) {
    SCOPED_TRACE(topic);
    EXPECT_FALSE(shellSettings.helpTopicTitles[topic].empty());
    EXPECT_GT(getText(helpTextResourceId(topic)).size(), 40u);
  }
  const struct {
    int16_t topic, resource;
  } ids[] = {{1, 130}, {4, 128}, {13, 144}, {14, 144}, {19, 149}, {39, 137}, {10, 140}, {38, 168}};
  for (const auto& r : ids) EXPECT_EQ(helpTextResourceId(r.topic), r.resource) << r.topic;
  // Easy Moves (8) and the mouse and keys (39) say what Shift and the right button do.
  const struct {
    int16_t topic;
    const char* says;
  } sayings[] = {{8, "hold Shift to try the dice the other way round"},
                 {8, "the right button takes back your last step"},
                 {39, "The right button takes back your last step"},
                 {39, "In Easy Moves, Shift on the first click of your roll tries the dice the other way round"}};
  for (const auto& r : sayings)
    EXPECT_NE(getText(helpTextResourceId(r.topic)).find(r.says), std::string::npos) << r.topic << ": " << r.says;
  const struct {
    int16_t topic, boardWidth;
    int width, height;
  } sizes[] = {{19, 500, 510, 360}, {4, 500, 700, 400}, {9, 500, 700, 400}, {10, 500, 510, 360},
               {39, 700, 600, 400}, {39, 701, 700, 480}, {37, 900, 510, 360}};
  for (const auto& s : sizes) {
    display.boardWidth = s.boardWidth;
    int w = 0, h = 0;
    helpTextWindowSize(s.topic, w, h);
    EXPECT_EQ(w, s.width) << s.topic;
    EXPECT_EQ(h, s.height) << s.topic;
  }
}

TEST_F(HelpAndHiding, ContextHelpPicksTheTopicOfWhatTheBoardWaitsFor) {
  struct Row {
    const char* name;
    std::function<void()> setUp;
    int16_t topic;
  };
  const Row rows[] = {
      {"placing", [] { boardState.setupInProgress = -1, interactionDisplay.doneButtonShown = -1; }, 20},
      {"whose roll", [] { boardState.setupInProgress = -1, positionSetup.askingWhoseRoll = -1; }, 21},
      {"whose cube", [] { boardState.setupInProgress = -1, positionSetup.askingWhoseCube = -1; }, 22},
      {"between phases", [] { boardState.setupInProgress = -1, shellSettings.helpTopicCode = 7; }, 7},
      {"choose dice", [] { diceChooser.chooseDiceOpen = -1; }, 23},
      {"more pips", [] { wholeRoll.morePipsRefusal = -1, wholeRoll.bothDiceRefusal = -1; }, 16},
      {"both dice", [] { wholeRoll.bothDiceRefusal = -1; }, 15},
      {"in hand", [] { boardInput.pickedCount = 1, cube.doublePending = -1; }, 33},
      {"double", [] { cube.doublePending = -1, panelWait.questionPanelUp = -1; }, 35},
      {"question", [] { panelWait.questionPanelUp = -1; }, 36},
      {"click", [] { boardInput.waitHelpContext = -1; }, 37},
      {"roll", [] { testing::setPosition("start | side 0"), diceState.diceShowing = 0; }, 31},
      {"no moves", [] {
         // Both dice played: the dice still show, but none is left to play.
         diceState.dice[0].value = 0, diceState.dice[1].value = 0;
       }, 17},
      {"start of move", [] {
         testing::setPosition("start | dice 3 1 | side 0");
         diceState.diceShowing = -1, flow.movesAllowed = 2, flow.movesLeft = 2;
       }, 32},
      {"rest of move", [] {
         testing::setPosition("start | dice 3 1 | side 0");
         diceState.diceShowing = -1, flow.movesAllowed = 2, flow.movesLeft = 1;
       }, 34},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    boardState.setupInProgress = 0, interactionDisplay.doneButtonShown = 0, diceChooser.chooseDiceOpen = 0;
    positionSetup.askingWhoseRoll = 0, positionSetup.askingWhoseCube = 0;
    wholeRoll.morePipsRefusal = 0, wholeRoll.bothDiceRefusal = 0, boardInput.pickedCount = 0;
    cube.doublePending = 0, panelWait.questionPanelUp = 0, boardInput.waitHelpContext = 0;
    testing::setPosition("start | dice 3 1 | side 0");
    diceState.diceShowing = -1, flow.movesAllowed = 2, flow.movesLeft = 2;
    r.setUp();
    EXPECT_EQ(contextHelpTopic(), r.topic);
  }
  // The refusal marks are used up by the help.
  EXPECT_EQ(wholeRoll.morePipsRefusal, 0);
  EXPECT_EQ(wholeRoll.bothDiceRefusal, 0);
}

TEST_F(HelpAndHiding, HelpTopicsShowsItsTextPrintsItAndEndsWhenClosed) {
  std::string title;
  Rect content{};
  QString text;
  // Print Help Text is grey while no help text shows.
  EXPECT_FALSE(menuItemEnabled(kPrintMenu, kPrintHelpTextItem));
  bool printable = false;
  whileHelpTextShows([&] {
    title = titleOf(kHelpTextWindow);
    content = windowContentRect(kHelpTextWindow);
    text = textViewDocument(kHelpTextWindow)->toPlainText();
    EXPECT_TRUE(textViewWidget(kHelpTextWindow)->isReadOnly());
    EXPECT_EQ(textViewWidget(kHelpTextWindow)->geometry().left(), 20);
    EXPECT_NE(appEvents.helpTextShowing, 0);
    printable = menuItemEnabled(kPrintMenu, kPrintHelpTextItem);
    chooseMenuItem(kPrintMenu, 1);
    FBHandleEvents();
  });
  choose(kApplicationMenu, 2);
  EXPECT_EQ(shellSettings.helpTopicCode, kHelpTopicsTopic);
  EXPECT_EQ(title, "Help Topics");
  EXPECT_EQ(content.width(), 510);
  EXPECT_EQ(content.height(), 360);
  EXPECT_EQ(text.toStdString(), getText(149));
  EXPECT_FALSE(windowExists(kHelpTextWindow));
  EXPECT_EQ(appEvents.helpTextShowing, 0);
  EXPECT_TRUE(printable);
  EXPECT_FALSE(menuItemEnabled(kPrintMenu, kPrintHelpTextItem));
  const testing::PdfText printed = testing::readPdfText(pdfTarget);
  EXPECT_TRUE(printed.find("Info").has_value());
  // Board clicks are ignored while it shows, and the print item does nothing without it.
  QFile::remove(pdfTarget);
  choose(kPrintMenu, 1);
  EXPECT_FALSE(QFile::exists(pdfTarget));
}

TEST_F(HelpAndHiding, TheHKeyOpensContextHelpAndTheNKeyTheNotePad) {
  testing::setPosition("start | side 0");
  diceState.diceShowing = 0;
  std::string title;
  whileHelpTextShows([&] { title = titleOf(kHelpTextWindow); });
  testing::typeKey(1, Qt::Key_H);
  pump();
  EXPECT_EQ(title, shellSettings.helpTopicTitles[31].str());
  EXPECT_FALSE(windowExists(kHelpTextWindow));
  testing::typeKey(1, Qt::Key_N);
  pump();
  EXPECT_TRUE(textViewExists(kNotePadWindow));
  EXPECT_TRUE(QFile::exists(QString::fromStdString(dataFilePath("notePad.txt").string())));
  clickCloseBox(kNotePadWindow);
  EXPECT_FALSE(windowExists(kNotePadWindow));
}

TEST_F(HelpAndHiding, HidingTwiceShowsTheGameAgain) {
  ASSERT_TRUE(windowVisible(1));
  choose(kFileMenu, 1);
  EXPECT_FALSE(windowVisible(1));
  EXPECT_TRUE(windowVisible(kHiddenGameWindow));
  EXPECT_TRUE(gameHidden());
  EXPECT_EQ(menuItemText(kFileMenu, 1), "Resume Game");
  EXPECT_EQ(menuBarMenus(), (std::vector<int16_t>{kApplicationMenu, kHiddenGameMenu}));
  // The application menu does nothing while hidden.
  choose(kApplicationMenu, 1);
  EXPECT_FALSE(windowExists(kAboutWindow));
  choose(kFileMenu, 1);
  EXPECT_TRUE(windowVisible(1));
  EXPECT_FALSE(windowExists(kHiddenGameWindow));
  EXPECT_FALSE(gameHidden());
  EXPECT_EQ(menuItemText(kFileMenu, 1), "Hide Game");
  EXPECT_EQ(menuBarMenus(), menuBars.submenuBar.empty() ? menuBars.mainMenuBar : menuBars.submenuBar);
  // Resume Game in the hidden bar, and the small window's close box, resume as well.
  choose(kFileMenu, 1);
  choose(kHiddenGameMenu, 1);
  EXPECT_TRUE(windowVisible(1));
  choose(kFileMenu, 1);
  clickCloseBox(kHiddenGameWindow);
  EXPECT_TRUE(windowVisible(1));
  EXPECT_FALSE(gameHidden());
}

TEST_F(HelpAndHiding, TheQuitKeyQuitsFromTheHiddenGamesWindow) {
  static int quits;
  quits = 0;
  turnServices.quitGame = [] { ++quits; };
  choose(kFileMenu, 1);
  ASSERT_TRUE(windowVisible(kHiddenGameWindow));
  testing::typeKey(kHiddenGameWindow, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyRelease(contentWidget(kHiddenGameWindow)->windowHandle(), Qt::Key_Control, Qt::NoModifier);
  pump();
  EXPECT_EQ(quits, 1);
}

// A click on the small window of the hidden game is not a click on the board behind it.
TEST_F(HelpAndHiding, AClickOnTheHiddenGamesWindowIsNoBoardClick) {
  setMouseVector(mouseEventHook);
  choose(kFileMenu, 1);
  ASSERT_TRUE(windowVisible(kHiddenGameWindow));
  interactionDisplay.boardInputEvent = 0;
  for (const QPoint at : {QPoint(30, 30), QPoint(150, 45)}) {
    QTest::mouseClick(contentWidget(kHiddenGameWindow), Qt::LeftButton, {}, at);
    pump();
  }
  EXPECT_EQ(interactionDisplay.boardInputEvent, 0);
  setMouseVector(nullptr);
}

TEST_F(HelpAndHiding, HidingTakesTheOpenNotePadAlongAndBringsItBack) {
  choose(kComputerMenu, 14);
  ASSERT_TRUE(textViewExists(kNotePadWindow));
  choose(kFileMenu, 1);
  EXPECT_FALSE(windowVisible(kNotePadWindow));
  choose(kHiddenGameMenu, 1);
  EXPECT_TRUE(windowVisible(kNotePadWindow));
}

TEST_F(HelpAndHiding, TheAboutBoxShowsTheVersionAndGivesTheMenusBack) {
  choose(kInfoMenu, 15);
  ASSERT_TRUE(windowExists(kAboutWindow));
  EXPECT_EQ(controlText(kAboutWindow, 10), "Tavrik's Backgammon");
  EXPECT_EQ(controlText(kAboutWindow, 11), "Version 6.4");
  const Rect done = controlRect(kAboutWindow, 1);
  EXPECT_EQ(done.top, 158);
  EXPECT_GE(done.width(), 72);
  EXPECT_EQ(done.left + done.width() / 2, 160);
  EXPECT_FALSE(menuItemEnabled(kGameMenu, 0));
  pressButton(kAboutWindow, 1);
  pump();
  EXPECT_FALSE(windowExists(kAboutWindow));
  for (int16_t m : {kFileMenu, kGameMenu, kInfoMenu, kOptionsMenu, kSettingsMenu})
    EXPECT_TRUE(menuItemEnabled(m, 0)) << m;
  EXPECT_EQ(dialogWindows.modalDialogWnd, 1);
  // A build above 0 shows in the line, and a beta mark after it.
  appConstants.buildText = "12";
  EXPECT_EQ(versionText(), "Version 6.4 b12");
  appConstants.betaMarker = 1;
  choose(kApplicationMenu, 1);
  ASSERT_TRUE(windowExists(kAboutWindow));
  EXPECT_EQ(controlText(kAboutWindow, 11), "Version 6.4 b12-beta");
  pressButton(kAboutWindow, 1);
  pump();
  // Refused while another window is in front.
  choose(kComputerMenu, 14);
  ASSERT_EQ(frontWindow(), kNotePadWindow);
  choose(kInfoMenu, 15);
  EXPECT_FALSE(windowExists(kAboutWindow));
}

TEST_F(HelpAndHiding, FileEightPrintsTheRecordAndCancelPrintsNothing) {
  choose(kFileMenu, 8);
  const testing::PdfText t = testing::readPdfText(pdfTarget);
  ASSERT_TRUE(t.read);
  EXPECT_TRUE(t.find("Completed").has_value());
  EXPECT_TRUE(t.find("page").has_value());
  QFile::remove(pdfTarget);
  setPrintDialogResponder(cancelPrinting);
  choose(kFileMenu, 8);
  EXPECT_FALSE(QFile::exists(pdfTarget));
}

}  // namespace
}  // namespace bg
