// Times the drawing of the circuit library's eighteen records on a Qt canvas
// of the drawing area's size, one benchmark per record and one for all.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <cstddef>

#include "platform/qt_canvas.h"
#include "schematic/circuit_script.h"
#include "shell/text_lists.h"

namespace {

using timer555::TextList;

std::vector<std::string> Body(const TextList& library, int record) {
  auto first = library.begin() + 11 * static_cast<std::ptrdiff_t>(record) + 1;
  return {first, first + 10};
}

void DrawRecords(benchmark::State& state, int firstRecord, int lastRecord) {
  const TextList library = timer555::LoadTextList("circuits");
  if (library.size() != 220) {
    state.SkipWithError("circuit library not loaded");
    return;
  }
  timer555::DrawOptions options;
  options.showValues = true;
  options.values.R1 = 2885.39;
  options.values.R2 = 5770.78;
  options.values.C1 = 1e-7;
  options.values.C2 = 1e-8;
  QImage image(650, 308, QImage::Format_RGB32);
  timer555::QtCanvas canvas(image);
  for (auto _ : state) {
    for (int r = firstRecord; r <= lastRecord; ++r) {
      const bool design = r < 4;
      options.clearFirst = design;
      if (!design) image.fill(Qt::white);
      timer555::RunCircuitScript(Body(library, r), canvas,
                                 design ? timer555::Rect{0, 0, 650, 308} : timer555::Rect{0, 0, 610, 308},
                                 options);
    }
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetItemsProcessed(state.iterations() * (lastRecord - firstRecord + 1));
}

void BM_DrawAllRecords(benchmark::State& state) { DrawRecords(state, 0, 17); }
BENCHMARK(BM_DrawAllRecords)->Unit(benchmark::kMillisecond);

void BM_DrawRecord(benchmark::State& state) {
  const int r = static_cast<int>(state.range(0));
  DrawRecords(state, r, r);
}
BENCHMARK(BM_DrawRecord)->DenseRange(0, 17)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // Offscreen unless the caller chose a platform: the benchmark needs no window.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() + "/appfont.dat");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
