// Named help texts come from the resources, through the table the dialogs call.
#include "interaction/help_text.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "interaction/interaction_install.h"
#include "runtime/qt/resources.h"
#include "state/shell_services.h"
#include "state/program_state.h"

namespace bg {
namespace {

class HelpText : public ::testing::Test {
 protected:
  void SetUp() override {
    resetProgramState();
    ASSERT_TRUE(dir.isValid());
    previousRoot = resourceRoot();
    QDir(dir.path()).mkpath(QStringLiteral("text/named"));
    QFile f(dir.path() + QStringLiteral("/text/named/Display Settings.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Choose how the board looks.");
    f.close();
    setResourceRoot(dir.path() + QStringLiteral("/"));
  }
  void TearDown() override {
    setResourceRoot(previousRoot);
    resetProgramState();
  }
  QTemporaryDir dir;
  QString previousRoot;
};

TEST_F(HelpText, ATextIsFoundByItsNameAndNothingElse) {
  EXPECT_EQ(hook::helpTextNamed("Display Settings"), "");  // not installed yet
  installInteractionServices();
  struct Row {
    const char* name;
    const char* want;
  };
  for (const Row& r : {Row{"Display Settings", "Choose how the board looks."}, Row{"display settings", ""},
                       Row{"", ""}, Row{"../named/Display Settings", ""}, Row{"named/Display Settings", ""}})
    EXPECT_EQ(hook::helpTextNamed(r.name), r.want) << r.name;
  EXPECT_EQ(loadHelpText("Display Settings").view(), "Choose how the board looks.");
}

}  // namespace
}  // namespace bg
