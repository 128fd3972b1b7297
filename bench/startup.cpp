// Start-up, headless, on the fixed test screen: the whole initialisation to the board window
// ready for input (it should stay under 50 ms), and apart from it the first full redraw,
// which builds the board picture and plays the timed welcome.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "runtime/qt/app_init.h"
#include "runtime/qt/events.h"
#include "display/board_rebuild.h"
#include "display/board_redraw.h"
#include "runtime/qt/windows.h"
#include "shell/startup.h"
#include "state/program_state.h"

namespace {

void ensureApplication() {
  static int argc = 1;
  static char name[] = "bench_startup";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  bg::rtInit(argc, argv);
}

void BM_StartUpToTheBoard(benchmark::State& state) {
  ensureApplication();
  for (auto _ : state) {
    bg::resetProgramState();
    bg::initProgram();
    bg::FBHandleEvents();
    state.PauseTiming();
    bg::windowClose(1);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpToTheBoard)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_FirstRedrawWithTheWelcome(benchmark::State& state) {
  ensureApplication();
  for (auto _ : state) {
    state.PauseTiming();
    bg::resetProgramState();
    bg::initProgram();
    bg::installDisplayServices();
    state.ResumeTiming();
    bg::redrawBoardWindow();
    state.PauseTiming();
    bg::windowClose(1);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstRedrawWithTheWelcome)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
