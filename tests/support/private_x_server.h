#pragma once
// An X server of the test's own (Xvfb, no window manager unless one is started) on a display
// number it picks itself, for a child program that must meet a real window system; stopped
// with the test.
#include <QByteArray>
#include <QCoreApplication>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>

namespace bg::testing {

// Names the child's own folders (testing::OwnFolders) for the child test.
inline constexpr char kChildFoldersVariable[] = "BG_CHILD_FOLDERS";

// How a child test program on the server ended.
struct ChildRun {
  bool ended = false;  // false: it was still running at the time limit and was killed
  QProcess::ExitStatus status = QProcess::CrashExit;
  int exitCode = -1;
  std::string said;  // its standard error
};

class PrivateXServer {
 public:
  PrivateXServer() {
    // -displayfd 1: Xvfb takes a free number and writes it to its output once it accepts
    // connections, so nothing races another server starting beside it.
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                           QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                                           QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!server_.waitForStarted(kWaitMs)) {
      problem_ = QStringLiteral("Xvfb could not be started: ") + server_.errorString();
      return;
    }
    QByteArray out;
    while (!out.contains('\n') && server_.waitForReadyRead(kWaitMs)) out += server_.readAllStandardOutput();
    const QByteArray number = out.trimmed();
    if (number.isEmpty()) {
      problem_ = QStringLiteral("Xvfb gave no display: ") + QString::fromLocal8Bit(server_.readAllStandardError());
      return;
    }
    display_ = QStringLiteral(":") + QString::fromLatin1(number);
  }
  ~PrivateXServer() {
    for (QProcess* p : {&windowManager_, &server_}) {
      if (p->state() == QProcess::NotRunning) continue;
      p->terminate();
      if (!p->waitForFinished(kWaitMs)) p->kill();
      p->waitForFinished(kWaitMs);
    }
  }
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // Openbox on the server; true once it manages the windows (it says so by its start-up
  // command).
  bool startWindowManager() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    windowManager_.setProcessEnvironment(env);
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable"), QStringLiteral("--startup"),
                                                      QStringLiteral("echo ") + kManaging});
    QByteArray out;
    while (!out.contains(kManaging.toLatin1()) && windowManager_.waitForReadyRead(kWaitMs))
      out += windowManager_.readAllStandardOutput();
    if (out.contains(kManaging.toLatin1())) return true;
    problem_ = QStringLiteral("openbox did not start: ") + QString::fromLocal8Bit(windowManager_.readAllStandardError());
    return false;
  }

  // Runs the one disabled test `childTest` of this test program in a process of its own on the
  // server, with `folders` as its own folders; killed after `ms`.
  ChildRun runChildTest(const char* childTest, const std::filesystem::path& folders, int ms) const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QString::fromLatin1(kChildFoldersVariable), QString::fromStdString(folders.string()));
    QProcess child;
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_also_run_disabled_tests"), QStringLiteral("--gtest_filter=") + childTest});
    ChildRun run;
    if (!child.waitForStarted()) return run;
    const qint64 pid = child.processId();
    run.ended = child.waitForFinished(ms);
    if (!run.ended) {
      child.kill();
      child.waitForFinished();
    }
    // The child's test process keeps a home of its own for its life; a killed one leaves it.
    std::filesystem::remove_all(std::filesystem::temp_directory_path() / ("bg-test-home-" + std::to_string(pid)));
    run.status = child.exitStatus();
    run.exitCode = child.exitCode();
    run.said = child.readAllStandardError().toStdString();
    return run;
  }

  bool running() const { return !display_.isEmpty(); }
  // ":n", for DISPLAY.
  const QString& display() const { return display_; }
  const QString& problem() const { return problem_; }

 private:
  static constexpr int kWaitMs = 10000;
  static inline const QString kManaging = QStringLiteral("managing");
  QProcess server_;
  QProcess windowManager_;
  QString display_;
  QString problem_;
};

}  // namespace bg::testing
