#pragma once
// An X server of the test's own (Xvfb, no window manager unless one is started) on a display
// number it picks itself, for a child program that must meet a real window system; stopped
// with the test.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace bg::testing {

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
