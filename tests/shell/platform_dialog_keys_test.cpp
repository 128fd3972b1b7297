// The platform's own file dialogs take the keys typed into them: the name typed lands in
// the file-name field, Return and Escape answer the dialog, and the board hears nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/files.h"
#include "shell/saved_game_commands.h"
#include "started_program.h"
#include "state/flow_state.h"
#include "state/menu_numbers.h"
#include "state/position.h"
#include "storage/preferences_file.h"
#include "support/position_text.h"

namespace bg {
namespace {

// Keys the program's own handler heard, with the window it was told they came from.
std::vector<int16_t> keysHeard;
bool countingHandler(AppEvent& e) {
  if (e.kind != AppEvent::kKeyDown) return appEventHandler(e);
  keysHeard.push_back(e.window);
  return true;
}

template <typename W>
W* modalOfKind() {
  return qobject_cast<W*>(QApplication::activeModalWidget());
}

QLineEdit* fileNameField() {
  QFileDialog* d = modalOfKind<QFileDialog>();
  return d != nullptr ? d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
}

// The names the open dialog lists in the folder it shows.
QStringList listedNames() {
  QFileDialog* d = modalOfKind<QFileDialog>();
  const auto* view = d != nullptr ? d->findChild<QListView*>(QStringLiteral("listView")) : nullptr;
  QStringList names;
  if (view == nullptr || view->model() == nullptr) return names;
  const QModelIndex root = view->rootIndex();
  for (int r = 0; r < view->model()->rowCount(root); ++r) names << view->model()->index(r, 0, root).data().toString();
  return names;
}

// Keys the way the window system hands them to the window that has the focus.
void typeInto(QWidget* w, const std::string& text) {
  for (char c : text) QTest::keyClick(w->windowHandle(), c);
}
void pressKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(w->windowHandle(), key, mods);
}

// Steps run one at a time from the dialogs' own event loops, each once its dialog is up.
// A script that stalls rejects every dialog left, so a failing run still ends.
class DialogScript {
 public:
  struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
  };
  explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    sinceStep_.start();
    timer_.start(0);
  }
  bool finished() const { return next_ == steps_.size(); }

 private:
  void tick() {
    // A box's buttons answer keys with a short animated click, on real time: a stalled
    // script is one that made no step for some seconds, however fast the timer ticks.
    if (sinceStep_.elapsed() > kMostMs) {
      if (QWidget* w = QApplication::activeModalWidget()) {
        if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
      } else {
        timer_.stop();
      }
      return;
    }
    if (finished() || acting_ || !steps_[next_].ready()) return;
    // Acted from a single shot of its own: a step that opens a nested box (the "replace?"
    // question) would otherwise hold this timer, which Qt does not fire inside its own slot.
    acting_ = true;
    QTimer::singleShot(0, [this, i = next_++] {
      acting_ = false;  // the next step may come inside a box this one opens
      steps_[i].act();
    });
    sinceStep_.restart();
  }
  static constexpr qint64 kMostMs = 5000;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QElapsedTimer sinceStep_;
  bool acting_ = false;
  QTimer timer_;
};

class PlatformDialogKeys : public testing::StartedProgram {
 protected:
  void SetUp() override {
    StartedProgram::SetUp();
    // A folder of its own: the files the dialogs meet are the ones the test made.
    ASSERT_TRUE(folder_.isValid());
    previousFolder_ = dataFolder();
    setDataFolder(folder_.path().toStdString());
    installSavedGameServices();
    keysHeard.clear();
    setAppEventHandler(countingHandler);
    testing::setPosition("start | side 0");
  }
  void TearDown() override {
    setAppEventHandler(appEventHandler);
    setDataFolder(previousFolder_);
    StartedProgram::TearDown();
  }
  QTemporaryDir folder_;
  std::filesystem::path previousFolder_;
  static bool fileDialogUp() { return fileNameField() != nullptr; }
};

TEST_F(PlatformDialogKeys, ANameTypedIntoSaveAsSavesUnderThatName) {
  const std::filesystem::path file = dataFolder() / "Typed Game";
  std::filesystem::remove(file);
  std::string seen;
  std::string proposed;
  DialogScript script({{fileDialogUp,
                        [&] {
                          QWidget* d = modalOfKind<QFileDialog>();
                          proposed = fileNameField()->text().toStdString();
                          pressKey(d, Qt::Key_A, Qt::ControlModifier);
                          typeInto(d, "Typed Game");
                          seen = fileNameField()->text().toStdString();
                          pressKey(d, Qt::Key_Return);
                        }}});
  choose(kFileMenu, kSaveGameAsItem);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(seen, "Typed Game");
  EXPECT_EQ(proposed, "SavedGame") << "the program's own file";
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_TRUE(keysHeard.empty()) << keysHeard.size() << " keys reached the program, the first from window "
                                 << keysHeard.front();
  std::filesystem::remove(file);
}

TEST_F(PlatformDialogKeys, ANameTypedIntoOpenLoadsThatGame) {
  const std::filesystem::path file = dataFolder() / "Typed Open";
  testing::setPosition("6:2 1:-2 | side 0");
  choose(kFileMenu, kSaveGameItem);  // the default file, then kept under a name of our own
  std::filesystem::copy_file(dataFolder() / "SavedGame", file, std::filesystem::copy_options::overwrite_existing);
  testing::setPosition("start | side 0");
  // The program's own files that hold no game are not offered, every damaged copy kept
  // included; the preferences' too, in a folder that holds both.
  const std::filesystem::path preferencesBefore = preferencesFolder();
  setPreferencesFolder(dataFolder());
  const std::string preferences = preferencesPath().filename().string();
  for (const std::string& own : std::vector<std::string>{"notePad.txt", "Rollout Result.txt", "notePad damaged.txt",
                                                          "notePad damaged 2.txt", "notePad damaged 12.txt",
                                                          preferences + " damaged", preferences + " damaged 3"})
    std::ofstream(dataFolder() / own) << "x";
  QStringList listed;
  DialogScript script({{[] { return listedNames().contains(QStringLiteral("Typed Open")); }, [&] {
                          listed = listedNames();
                          QWidget* d = modalOfKind<QFileDialog>();
                          pressKey(d, Qt::Key_A, Qt::ControlModifier);
                          typeInto(d, "Typed Open");
                          pressKey(d, Qt::Key_Return);
                        }}});
  choose(kFileMenu, kOpenGameItem);
  setPreferencesFolder(preferencesBefore);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(position.board[6], 2);
  EXPECT_EQ(position.board[1], -2);
  listed.sort();
  EXPECT_EQ(listed, (QStringList{QStringLiteral("SavedGame"), QStringLiteral("Typed Open")}))
      << listed.join(QStringLiteral(", ")).toStdString();
  EXPECT_TRUE(keysHeard.empty()) << keysHeard.size() << " keys reached the program";
  std::filesystem::remove(file);
}

// Escape cancels either dialog.
TEST_F(PlatformDialogKeys, EscapeClosesTheFileDialogs) {
  struct Row {
    const char* what;
    int16_t item;
    bool askReplace;
  };
  const Row rows[] = {{"open", kOpenGameItem, false},
                     {"save as", kSaveGameAsItem, false},
                     {"save as onto a file", kSaveGameAsItem, true}};
  const std::filesystem::path existing = dataFolder() / "Already There";
  { std::ofstream(existing) << "x"; }
  for (const Row& row : rows) {
    keysHeard.clear();
    bool replaceAsked = false;
    bool replaceClosed = false;
    std::vector<DialogScript::Step> steps;
    if (row.askReplace) {
      steps.push_back({fileDialogUp, [] {
                         QWidget* d = modalOfKind<QFileDialog>();
                         pressKey(d, Qt::Key_A, Qt::ControlModifier);
                         typeInto(d, "Already There");
                         pressKey(d, Qt::Key_Return);
                       }});
      steps.push_back({[] { return modalOfKind<QMessageBox>() != nullptr; }, [&] {
                         replaceAsked = true;
                         // The board's keys typed at the question go nowhere but the question.
                         QWidget* box = modalOfKind<QMessageBox>();
                         typeInto(box, "rbh");  // n and y would be its No and Yes
                         pressKey(box, Qt::Key_Escape);
                       }});
      steps.push_back({fileDialogUp, [&] { replaceClosed = true; }});
    }
    steps.push_back({fileDialogUp, [] {
                       QWidget* d = modalOfKind<QFileDialog>();
                       typeInto(d, "zz");
                       pressKey(d, Qt::Key_Escape);
                     }});
    DialogScript script(std::move(steps));
    const auto board = position.board;
    choose(kFileMenu, row.item);
    EXPECT_TRUE(script.finished()) << row.what;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << row.what;
    EXPECT_EQ(row.askReplace, replaceAsked) << row.what;
    EXPECT_EQ(row.askReplace, replaceClosed) << row.what;
    EXPECT_EQ(position.board, board) << row.what;
    EXPECT_TRUE(keysHeard.empty()) << row.what << ": " << keysHeard.size() << " keys reached the program";
  }
  std::ifstream in(existing);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "x") << "the file not replaced";
  std::filesystem::remove(existing);
}

// Saving onto a file that is there asks first: Return takes the question's default (No)
// and leaves the file alone, its Yes key replaces it with the game.
TEST_F(PlatformDialogKeys, TheReplaceQuestionAnswersItsOwnKeys) {
  const std::filesystem::path existing = dataFolder() / "Kept Game";
  { std::ofstream(existing) << "x"; }
  const auto enterName = [] {
    QWidget* d = modalOfKind<QFileDialog>();
    pressKey(d, Qt::Key_A, Qt::ControlModifier);
    typeInto(d, "Kept Game");
    pressKey(d, Qt::Key_Return);
  };
  const auto questionUp = [] { return modalOfKind<QMessageBox>() != nullptr; };
  std::string keptAfterReturn;
  bool backInTheDialog = false;
  DialogScript script({{fileDialogUp, enterName},
                       {questionUp, [] { pressKey(modalOfKind<QMessageBox>(), Qt::Key_Return); }},
                       {fileDialogUp,
                        [&] {
                          backInTheDialog = true;
                          std::ifstream in(existing);
                          std::getline(in, keptAfterReturn);
                          enterName();
                        }},
                       {questionUp, [] { pressKey(modalOfKind<QMessageBox>(), Qt::Key_Y); }}});
  choose(kFileMenu, kSaveGameAsItem);
  EXPECT_TRUE(script.finished());
  EXPECT_TRUE(backInTheDialog);
  EXPECT_EQ(keptAfterReturn, "x");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  std::ifstream in(existing);
  const std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(saved.find("Board"), std::string::npos) << "the game written over the file: " << saved.substr(0, 40);
  EXPECT_TRUE(keysHeard.empty()) << keysHeard.size() << " keys reached the program";
  std::filesystem::remove(existing);
}

}  // namespace
}  // namespace bg
