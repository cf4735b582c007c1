// How long the window takes to start, and to switch between sections (each
// switch stores the panel left and fills the panel entered).
//
//   build/bench/window_benchmark

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "model/SectionTree.h"
#include "ui/MainWindow.h"

namespace {

void WindowStart(benchmark::State& state) {
  for (auto _ : state) {
    vkm::TForm1 window({});
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.SelectedNode());
  }
}
BENCHMARK(WindowStart)->Unit(benchmark::kMillisecond);

// One switch from every section to every other, in turn.
void SectionSwitch(benchmark::State& state) {
  vkm::TForm1 window({});
  window.show();
  QApplication::processEvents();
  int from = 0;
  int to = 1;
  for (auto _ : state) {
    window.SelectNode(to);
    QApplication::processEvents();
    from = to;
    to = (to + 7) % vkm::kNodeCount;  // 7 and 39 are coprime: every pair in time
  }
  state.SetLabel("last section " + std::to_string(from));
}
BENCHMARK(SectionSwitch)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir scratch;  // the window reads and writes its files here
  QDir::setCurrent(scratch.path());
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
