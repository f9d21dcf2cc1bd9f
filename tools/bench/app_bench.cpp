// timer555-bench: how fast the program starts and draws, side by side in one
// run. Start-up of the main window to its first show is set against a bare
// QWidget of the same size (what the toolkit itself costs), once inside a
// running process and once as a whole new process; every page is
// drawn on the main window's own canvas; "Calculate" is pressed on each
// design; the design advisor looks at each design's parts and its panel is
// laid out and drawn. After the table it prints each figure against its
// target: start-up at most 1.25 times the bare window, any page or
// calculation under 2 ms, the advisor's rules under 0.05 ms a calculation
// (the panel's drawing, done only when the findings change, is printed
// beside it).
//
// Runs on the platform QT_QPA_PLATFORM names (offscreen when unset); run it
// from the build's program folder so the display font is found.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QProcess>
#include <QWidget>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "design/advisor.h"
#include "design/design_state.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/qt_platform.h"
#include "schematic/circuit_script.h"
#include "shell/advice_panel.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/menu_pages.h"
#include "shell/num_edit.h"
#include "shell/shell_state.h"

namespace {

using timer555::TfmMain;

constexpr int kWidth = 650, kHeight = 350;

// ---- Start-up ----

void BM_StartupBareWidget(benchmark::State& state) {
  for (auto _ : state) {
    auto w = std::make_unique<QWidget>();
    w->setFixedSize(kWidth, kHeight);
    w->show();
    QApplication::processEvents();
    state.PauseTiming();
    w.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupBareWidget)->Unit(benchmark::kMillisecond);

void BM_StartupMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    auto w = std::make_unique<TfmMain>();
    w->show();
    QApplication::processEvents();
    state.PauseTiming();
    if (timer555::shellState.MenuBarEntries[0].Caption.empty())
      state.SkipWithError("no menu bar: display font missing");
    w.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartupMainWindow)->Unit(benchmark::kMillisecond);

// Where the start-up time goes: the display font alone (copy, add to the
// font table, remove, delete the copy, as start-up and shut-down do it), and
// the window when the font is already installed, so it skips that step.
void BM_StartupFontOnly(benchmark::State& state) {
  const QString dir = QCoreApplication::applicationDirPath() + "/";
  for (auto _ : state) {
    QFile::remove(dir + "TECHNCLN.TTF");
    QFile::copy(dir + "appfont.dat", dir + "TECHNCLN.TTF");
    const int id = QFontDatabase::addApplicationFont(dir + "TECHNCLN.TTF");
    if (id < 0) state.SkipWithError("appfont.dat not found beside the benchmark");
    QFontDatabase::removeApplicationFont(id);
    QFile::remove(dir + "TECHNCLN.TTF");
  }
}
BENCHMARK(BM_StartupFontOnly)->Unit(benchmark::kMillisecond);

void BM_StartupMainWindowFontInstalled(benchmark::State& state) {
  const int id = QFontDatabase::addApplicationFont(QCoreApplication::applicationDirPath() + "/appfont.dat");
  for (auto _ : state) {
    auto w = std::make_unique<TfmMain>();
    w->show();
    QApplication::processEvents();
    state.PauseTiming();
    w.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  QFontDatabase::removeApplicationFont(id);
}
BENCHMARK(BM_StartupMainWindowFontInstalled)->Unit(benchmark::kMillisecond);

// A whole start-up as the user sees it: a new process of this program that
// creates the application, builds the window, shows it and ends at once (the
// main window closing as "Quit" would, with its shut-down). The same child
// with a bare QWidget is the floor: process start, toolkit and platform
// connection, one empty window. Both children are this benchmark binary, so
// they load the same libraries.
constexpr const char* kColdStartFlag = "--cold-start-child=";

void ColdStart(benchmark::State& state, const char* which) {
  const QString self = QCoreApplication::applicationFilePath();
  for (auto _ : state) {
    QProcess child;
    child.start(self, {QString(kColdStartFlag) + which});
    if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
      state.SkipWithError("the start-up child failed");
      break;
    }
  }
}

void BM_ColdStartBareWidget(benchmark::State& state) { ColdStart(state, "bare"); }
BENCHMARK(BM_ColdStartBareWidget)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_ColdStartMainWindow(benchmark::State& state) { ColdStart(state, "main"); }
BENCHMARK(BM_ColdStartMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

/// The child of a cold start: returns its exit code.
int RunColdStartChild(int argc, char** argv, const std::string& which) {
  QApplication app(argc, argv);
  timer555::QtPlatformServices services;
  timer555::SetPlatform(&services);
  if (which == "bare") {
    QWidget w;
    w.setFixedSize(kWidth, kHeight);
    w.show();
    QApplication::processEvents();
    return 0;
  }
  TfmMain w;
  w.show();
  QApplication::processEvents();
  const bool drawn = !timer555::shellState.MenuBarEntries[0].Caption.empty();
  w.close();
  return drawn ? 0 : 1;
}

// ---- Pages and calculations on one long-lived window ----

// Made on first use, destroyed by main() so that the font copy goes away.
std::unique_ptr<TfmMain> window;

TfmMain& Window() {
  if (!window) {
    window = std::make_unique<TfmMain>();
    window->show();
    QApplication::processEvents();
  }
  return *window;
}

/// The inputs of each design's benchmark: frequency (or pulse length) and
/// duty cycle field texts.
struct DesignInput {
  int mode;
  const char* field1;
  const char* field2;
};
constexpr DesignInput kDesigns[] = {{1, "1000", "60"}, {2, "1000", "50"}, {3, "1000", "30"}, {4, "0.01", ""}};

/// Shows design page `mode` with its inputs typed in, ready for "Calculate".
void PrepareDesign(TfmMain& w, const DesignInput& d) {
  timer555::designState.DesignMode = timer555::ToDesignKind(d.mode);
  w.ShowDesignPage(timer555::designState.DesignMode);
  timer555::shellState.DesignShown = 1;
  w.NumEdit1->setText(d.field1);
  if (d.mode != 2) w.NumEdit2->setText(d.field2);
}

void BM_MenuPage(benchmark::State& state, int which) {
  TfmMain& w = Window();
  timer555::Canvas& c = w.Image2->canvas();
  for (auto _ : state) {
    switch (which) {
      case 0: timer555::DrawDesignMenuPage(c, w.SHDesign.Strings()); break;
      case 1: timer555::DrawApplicationsMenuPage(c, w.SHApps.Strings()); break;
      case 2: timer555::DrawDataMenuPage(c); break;
      default: timer555::DrawHelpPage(c, w.SHHelp.Strings()); break;
    }
  }
}
BENCHMARK_CAPTURE(BM_MenuPage, design_menu, 0)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MenuPage, applications_menu, 1)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MenuPage, data_menu, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_MenuPage, help, 3)->Unit(benchmark::kMicrosecond);

/// A calculated design page drawn again: the page, the schematic with its
/// values and the waveform panel.
void BM_DesignPage(benchmark::State& state) {
  TfmMain& w = Window();
  const DesignInput& d = kDesigns[state.range(0) - 1];
  PrepareDesign(w, d);
  w.Image3Click();
  if (!timer555::designState.Calculated) {
    state.SkipWithError("the design was not calculated");
    return;
  }
  for (auto _ : state) {
    timer555::DrawDesignPage(timer555::ToDesignKind(d.mode), w.Image2->canvas(), w.SHCircuits.Strings(),
                             w.SHBuffer.Strings());
    timer555::RunCircuitScript(w.SHBuffer.Strings(), w.Image2->canvas(), timer555::designState.DrawRect, 1);
    timer555::DrawOutputWaveform(
        w.Image5->canvas(),
        d.mode == 4 ? timer555::WaveformForm::Monostable : timer555::WaveformForm::Astable, d.field1,
        timer555::shellState.AppFontName);
  }
}
BENCHMARK(BM_DesignPage)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

/// A click on "Calculate": validation, components, schematic, waveform.
void BM_Calculate(benchmark::State& state) {
  TfmMain& w = Window();
  PrepareDesign(w, kDesigns[state.range(0) - 1]);
  for (auto _ : state) {
    timer555::designState.Calculated = false;
    w.Image3Click();
  }
  if (!timer555::designState.Calculated) state.SkipWithError("the design was not calculated");
}
BENCHMARK(BM_Calculate)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

/// Inputs whose parts break the advisor's rules: R1 below 1K, C1 below
/// 200 pF with a frequency past 0.5 MHz, the steering diodes, R1 above 20M.
constexpr DesignInput kAdvisedDesigns[] = {
    {1, "1000", "50.1"}, {2, "2000000", "50"}, {3, "1000", "30"}, {4, "100000", ""}};

/// Calculates design `range(0)` with findings; false when it failed.
bool CalculateWithFindings(benchmark::State& state) {
  TfmMain& w = Window();
  PrepareDesign(w, kAdvisedDesigns[state.range(0) - 1]);
  w.Image3Click();
  if (!timer555::designState.Calculated || w.AdviceShown().empty()) {
    state.SkipWithError("the design was not calculated with findings");
    return false;
  }
  return true;
}

/// What the advisor adds to each calculation: the rules on the parts.
void BM_Advise(benchmark::State& state) {
  if (!CalculateWithFindings(state)) return;
  const timer555::DesignState& d = timer555::designState;
  for (auto _ : state) benchmark::DoNotOptimize(timer555::AdviseDesign(d.DesignMode, d, d.Frequency));
}
BENCHMARK(BM_Advise)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

/// And when the findings change: the panel laid out and drawn.
void BM_AdvicePanel(benchmark::State& state) {
  if (!CalculateWithFindings(state)) return;
  TfmMain& w = Window();
  timer555::Canvas& c = w.Image6->canvas();
  for (auto _ : state) {
    const auto lines =
        timer555::LayOutAdvice(c, w.AdviceShown(), c.width(), timer555::shellState.AppFontName);
    timer555::DrawAdvicePanel(c, lines, timer555::shellState.AppFontName);
  }
}
BENCHMARK(BM_AdvicePanel)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_ApplicationPage(benchmark::State& state) {
  TfmMain& w = Window();
  timer555::shellState.DesignShown = 0;
  for (auto _ : state) {
    timer555::designState.ApplicationIndex = static_cast<int>(state.range(0));
    timer555::ShowApplicationPage(w.Image2->canvas(), w.SHCircuits.Strings(), w.SHBuffer.Strings(),
                                  w.SHApps.Strings());
  }
}
BENCHMARK(BM_ApplicationPage)->DenseRange(1, 14)->Unit(benchmark::kMicrosecond);

void BM_DataPage(benchmark::State& state, bool table) {
  TfmMain& w = Window();
  for (auto _ : state) {
    if (table)
      timer555::ShowSpecificationTable(w.Image2->canvas(), w.SHSpecs.Strings());
    else
      timer555::ShowComponentNotes(w.Image2->canvas(), w.SHComponent.Strings());
  }
}
BENCHMARK_CAPTURE(BM_DataPage, component_notes, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DataPage, timer_data_table, true)->Unit(benchmark::kMicrosecond);

/// The console table, then every figure against its target.
class TargetReporter final : public benchmark::ConsoleReporter {
 public:
  /// Colours only on a terminal, so that a saved run reads cleanly.
  TargetReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
        seconds_[run.benchmark_name()] = run.real_accumulated_time / static_cast<double>(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  /// Prints the summary; returns the number of figures over their target.
  int Summary() const {
    int over = 0;
    std::printf("\nAgainst the targets:\n");
    over += Ratio("start-up in a running process", "BM_StartupMainWindow", "BM_StartupBareWidget");
    over += Ratio("start-up of a new process", "BM_ColdStartMainWindow", "BM_ColdStartBareWidget");
    double slowest = 0;
    std::string slowestName;
    for (const auto& [name, s] : seconds_) {
      if (name.rfind("BM_Startup", 0) == 0 || name.rfind("BM_ColdStart", 0) == 0) continue;
      if (name.rfind("BM_Advise", 0) == 0) {
        const bool slow = s >= 0.05e-3;
        over += slow ? 1 : 0;
        std::printf("  advisor %s %.4f ms (target < 0.05 ms)%s\n", name.c_str(), s * 1e3,
                    slow ? " OVER" : "");
        continue;
      }
      if (name.rfind("BM_AdvicePanel", 0) == 0) {
        // Not part of every calculation: the panel is drawn again only when
        // its texts change; printed beside the advisor's target to compare.
        std::printf("  advice panel %s %.4f ms when the findings change (advisor target 0.05 ms%s)\n",
                    name.c_str(), s * 1e3, s >= 0.05e-3 ? ": above it" : "");
        continue;
      }
      if (s > slowest) slowest = s, slowestName = name;
      if (s >= 2e-3) {
        ++over;
        std::printf("  %s %.3f ms (target < 2 ms) OVER\n", name.c_str(), s * 1e3);
      }
    }
    if (!slowestName.empty())
      std::printf("  slowest page or calculation: %s %.3f ms (target < 2 ms)\n", slowestName.c_str(),
                  slowest * 1e3);
    return over;
  }

 private:
  /// Prints one start-up figure against its floor; 1 when over the target.
  int Ratio(const char* what, const std::string& mainName, const std::string& bareName) const {
    const double bare = Seconds(bareName), main = Seconds(mainName);
    if (bare <= 0 || main <= 0) return 0;
    const double ratio = main / bare;
    std::printf("  %s: main window %.3f ms, bare window %.3f ms: ratio %.2f (target <= 1.25) %s\n", what,
                main * 1e3, bare * 1e3, ratio, ratio <= 1.25 ? "ok" : "OVER");
    return ratio > 1.25 ? 1 : 0;
  }

  /// Seconds per iteration of the benchmark whose name is `name`, with or
  /// without the suffixes ("/iterations:20/real_time") its options add.
  double Seconds(const std::string& name) const {
    for (const auto& [key, s] : seconds_)
      if (key == name || key.rfind(name + "/", 0) == 0) return s;
    return 0;
  }

  std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 2 && std::string(argv[1]).rfind(kColdStartFlag, 0) == 0)
    return RunColdStartChild(argc, argv, std::string(argv[1]).substr(std::string(kColdStartFlag).size()));
  QApplication app(argc, argv);
  timer555::QtPlatformServices services;
  timer555::SetPlatform(&services);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TargetReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const int over = reporter.Summary();
  window.reset();
  benchmark::Shutdown();
  return over == 0 ? 0 : 3;
}
