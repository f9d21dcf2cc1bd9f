// timer555-bench: how fast the program starts and draws. Start-up is timed
// as whole new processes, from exec to the first frame shown, against a fair
// baseline built here: a QMainWindow of the same size with a few standard
// controls and one line of text drawn by QPainter (what any program that
// draws text costs), many runs interleaved, medians; the floor under it, a
// bare window with one text, is printed for scale. Every page is drawn on
// the main window's own canvas, and "Calculate" is pressed on each design;
// the design advisor looks at each design's parts and its panel is laid out
// and drawn. After the table it prints each figure against its target:
// start-up at most 0.9 times the fair baseline with no more peak memory, any
// page under 0.3 ms, any calculation under 2 ms, the advisor's rules under
// 0.05 ms a calculation (the panel's drawing, done only when the findings
// change, is printed beside it).
//
//   timer555-bench [--startup-runs=N] [Google Benchmark flags]
//
// Runs on the platform QT_QPA_PLATFORM names (offscreen when unset), for
// example also `xvfb-run -a env QT_QPA_PLATFORM=xcb build/bin/timer555-bench`;
// the display font is found beside the binary.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "design/advisor.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/qt_platform.h"
#include "schematic/circuit_script.h"
#include "shell/advice_panel.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/menu_pages.h"
#include "shell/num_edit.h"

namespace {

using timer555::TfmMain;

constexpr int kWidth = 650, kHeight = 350;

// ---- Start-up ----

// In-process figures, for finding where the time goes: the window from
// construction to its first frame, and the same for the fair baseline below.
// The whole-process comparison further down is the one with a target.

/// Stops the clock, destroys the window and lets its deletion finish.
template <typename Window>
void DropWindow(benchmark::State& state, std::unique_ptr<Window>& w) {
  state.PauseTiming();
  w.reset();
  QApplication::processEvents();
  state.ResumeTiming();
}

std::unique_ptr<QWidget> MakeFairBaseline();

void BM_StartupFairBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<QWidget> w = MakeFairBaseline();
    w->show();
    QApplication::processEvents();
    DropWindow(state, w);
  }
}
BENCHMARK(BM_StartupFairBaseline)->Unit(benchmark::kMillisecond);

void BM_StartupMainWindow(benchmark::State& state) {
  for (auto _ : state) {
    auto w = std::make_unique<TfmMain>();
    w->show();
    QApplication::processEvents();
    if (w->State().MenuBarEntries[0].Caption.empty())
      state.SkipWithError("no menu bar: display font missing");
    DropWindow(state, w);
  }
}
BENCHMARK(BM_StartupMainWindow)->Unit(benchmark::kMillisecond);

/// A fair baseline for a program that draws text: a QMainWindow of the same
/// size holding what such a program typically shows at once (two group
/// boxes, three labels, two line edits, a push button) and a label showing
/// a QImage with one line of text drawn by QPainter, so that it too starts
/// fontconfig, loads a font and rasterises glyphs before its first frame.
std::unique_ptr<QWidget> MakeFairBaseline() {
  auto window = std::make_unique<QMainWindow>();
  window->setFixedSize(kWidth, kHeight);
  auto* central = new QWidget(window.get());
  window->setCentralWidget(central);

  QImage picture(kWidth, 308, QImage::Format_RGB32);
  picture.fill(Qt::white);
  {
    QPainter painter(&picture);
    painter.setFont(QFont(QString(), 40));
    painter.drawText(40, 80, QStringLiteral("A line of text"));
  }
  auto* image = new QLabel(central);
  image->setPixmap(QPixmap::fromImage(picture));
  image->setGeometry(0, 42, kWidth, 308);

  auto* enter = new QGroupBox(QStringLiteral("Enter:"), central);
  enter->setGeometry(391, 56, 233, 134);
  auto* frequency = new QLabel(QStringLiteral("Frequency"), enter);
  frequency->move(17, 28);
  auto* duty = new QLabel(QStringLiteral("Duty Cycle"), enter);
  duty->move(17, 62);
  auto* edit1 = new QLineEdit(enter);
  edit1->setGeometry(112, 23, 74, 25);
  auto* edit2 = new QLineEdit(enter);
  edit2->setGeometry(112, 58, 74, 25);
  auto* button = new QPushButton(QStringLiteral("Calculate"), enter);
  button->setGeometry(90, 95, 96, 27);

  auto* adjust = new QGroupBox(QStringLiteral("Adjust:"), central);
  adjust->setGeometry(391, 193, 233, 57);
  auto* hint = new QLabel(QStringLiteral("C1"), adjust);
  hint->move(17, 25);
  return window;
}

/// The floor under any program that shows text: a bare window with one
/// label, so fontconfig starts and one line of text is drawn.
std::unique_ptr<QWidget> MakeFloorWindow() {
  auto window = std::make_unique<QWidget>();
  window->setFixedSize(kWidth, kHeight);
  auto* label = new QLabel(QStringLiteral("A line of text"), window.get());
  label->move(40, 40);
  return window;
}

// A whole start-up as the user sees it: a new process of this binary (so
// every kind loads the same libraries) that creates the application, builds
// its window and shows it. The parent notes the monotonic clock just before
// it starts the child; the child notes it once its first frame has been
// painted and flushed, lets the events already queued run (work a window
// defers until after its first frame), closes the window, and prints both
// the time and its peak memory.
constexpr const char* kColdStartFlag = "--cold-start-child=";
constexpr const char* kStartupRunsFlag = "--startup-runs=";

qint64 MonotonicNanoseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<qint64>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

/// Notes the time of the first frame of the window whose platform window it
/// watches. An expose of a shown window is answered by painting and flushing
/// it within the same event, so the watch hands the first expose on itself
/// and reads the clock when that returns: just after the frame was given to
/// the platform, before anything the window queued for later.
class FirstFrameWatch final : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Expose || frameNs >= 0) return QObject::eventFilter(watched, event);
    auto* window = static_cast<QWindow*>(watched);
    window->removeEventFilter(this);
    QCoreApplication::sendEvent(window, event);
    if (window->isExposed()) {
      frameNs = MonotonicNanoseconds();
      // Whatever was queued until now (deferred work) runs before the quit.
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    } else {
      window->installEventFilter(this);
    }
    return true;
  }
  qint64 frameNs = -1;
};

/// The peak resident memory of this process image in kB. Not getrusage's
/// ru_maxrss: that survives exec, so a child would report its parent's peak
/// from before the fork.
long PeakResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return 0;
}

/// The child of a cold start: returns its exit code.
int RunColdStartChild(int argc, char** argv, const std::string& which) {
  QApplication app(argc, argv);
  timer555::QtPlatformServices services;
  timer555::SetPlatform(&services);
  std::unique_ptr<QWidget> w;
  if (which == "fair")
    w = MakeFairBaseline();
  else if (which == "floor")
    w = MakeFloorWindow();
  else
    w = std::make_unique<TfmMain>();
  FirstFrameWatch watch;
  w->winId();  // the platform window, to watch before it is shown
  w->windowHandle()->installEventFilter(&watch);
  w->show();
  QTimer::singleShot(20000, &app, &QCoreApplication::quit);
  app.exec();
  QApplication::processEvents();
  const auto* main = dynamic_cast<const TfmMain*>(w.get());
  const bool drawn = which != "main" || (main != nullptr && !main->State().MenuBarEntries[0].Caption.empty());
  w->close();
  w.reset();
  std::printf("frame %lld rss %ld\n", static_cast<long long>(watch.frameNs), PeakResidentKb());
  return drawn && watch.frameNs > 0 ? 0 : 1;
}

/// One child's start: milliseconds from exec to the first frame, peak kB.
struct ColdStart {
  double ms = 0;
  long peakKb = 0;
};

std::optional<ColdStart> StartChild(const std::string& which) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  const qint64 startNs = MonotonicNanoseconds();
  child.start(QCoreApplication::applicationFilePath(), {QString(kColdStartFlag) + which.c_str()});
  if (!child.waitForFinished(30000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
    return std::nullopt;
  long long frameNs = 0;
  long peakKb = 0;
  if (std::sscanf(child.readAllStandardOutput().constData(), "frame %lld rss %ld", &frameNs, &peakKb) != 2)
    return std::nullopt;
  return ColdStart{static_cast<double>(frameNs - startNs) / 1e6, peakKb};
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

/// Runs the three kinds of child `rounds` times, interleaved (each round
/// in another order, so that neither kind always follows the other), and
/// prints the medians and the median of the per-round ratios. Returns the
/// number of figures over their target (start-up at most 0.9 times the fair
/// baseline, peak memory at most the baseline's).
int CompareColdStarts(int rounds) {
  const char* kinds[3] = {"main", "fair", "floor"};
  std::map<std::string, std::vector<double>> ms, kb;
  std::vector<double> mainRatio, floorRatio;
  for (int round = 0; round < rounds; ++round) {
    std::map<std::string, ColdStart> got;
    for (int i = 0; i < 3; ++i) {
      const std::string kind = kinds[(round + (round % 2 ? 3 - i : i)) % 3];
      const std::optional<ColdStart> start = StartChild(kind);
      if (!start) {
        std::printf("  the %s start-up child failed\n", kind.c_str());
        return 1;
      }
      got[kind] = *start;
      ms[kind].push_back(start->ms);
      kb[kind].push_back(static_cast<double>(start->peakKb));
    }
    mainRatio.push_back(got["main"].ms / got["fair"].ms);
    floorRatio.push_back(got["floor"].ms / got["fair"].ms);
  }
  std::printf(
      "\nStart-up of a new process, exec to first frame (%s platform, %d interleaved runs each, medians):\n",
      qgetenv("QT_QPA_PLATFORM").constData(), rounds);
  for (const char* kind : kinds)
    std::printf("  %-5s %7.2f ms  peak memory %6.0f kB\n", kind, Median(ms[kind]), Median(kb[kind]));
  const double ratio = Median(mainRatio);
  const bool slow = ratio > 0.9;
  const bool big = Median(kb["main"]) > Median(kb["fair"]);
  std::printf("  main window / fair baseline: median ratio %.2f (target <= 0.9) %s\n", ratio,
              slow ? "OVER" : "ok");
  std::printf("  floor / fair baseline: median ratio %.2f (a bare window with one text)\n",
              Median(floorRatio));
  std::printf("  peak memory: main window %.0f kB, fair baseline %.0f kB (target: at most the baseline) %s\n",
              Median(kb["main"]), Median(kb["fair"]), big ? "OVER" : "ok");
  return (slow ? 1 : 0) + (big ? 1 : 0);
}

// ---- Pages and calculations on one long-lived window ----

// Made on first use, destroyed by main() before the start-up comparison.
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
  w.ChooseMenuEntry(timer555::MenuEntry::Design);
  w.ChooseDesign(d.mode);
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
  const timer555::DesignState& design = w.State().Design;
  if (!design.Calculated) {
    state.SkipWithError("the design was not calculated");
    return;
  }
  for (auto _ : state) {
    timer555::DrawDesignPage(design, w.Image2->canvas(), w.SHCircuits.Strings());
    timer555::DrawDesignSchematic(design, w.Image2->canvas(), w.SHCircuits.Strings(), true);
    timer555::DrawOutputWaveform(
        w.Image5->canvas(),
        d.mode == 4 ? timer555::WaveformForm::Monostable : timer555::WaveformForm::Astable, design, d.field1,
        w.State().AppFontName);
  }
}
BENCHMARK(BM_DesignPage)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

/// A click on "Calculate": validation, components, schematic, waveform.
void BM_Calculate(benchmark::State& state) {
  TfmMain& w = Window();
  PrepareDesign(w, kDesigns[state.range(0) - 1]);
  for (auto _ : state) {
    w.State().Design.Calculated = false;
    w.Image3Click();
  }
  if (!w.State().Design.Calculated) state.SkipWithError("the design was not calculated");
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
  if (!w.State().Design.Calculated || w.AdviceShown().empty()) {
    state.SkipWithError("the design was not calculated with findings");
    return false;
  }
  return true;
}

/// What the advisor adds to each calculation: the rules on the parts.
void BM_Advise(benchmark::State& state) {
  if (!CalculateWithFindings(state)) return;
  const timer555::DesignState& d = Window().State().Design;
  for (auto _ : state) benchmark::DoNotOptimize(timer555::AdviseDesign(d.DesignMode, d, d.Frequency));
}
BENCHMARK(BM_Advise)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

/// And when the findings change: the panel laid out and drawn.
void BM_AdvicePanel(benchmark::State& state) {
  if (!CalculateWithFindings(state)) return;
  TfmMain& w = Window();
  timer555::Canvas& c = w.Image6->canvas();
  for (auto _ : state) {
    const auto lines = timer555::LayOutAdvice(c, w.AdviceShown(), c.width(), w.State().AppFontName);
    timer555::DrawAdvicePanel(c, lines, w.State().AppFontName);
  }
}
BENCHMARK(BM_AdvicePanel)->DenseRange(1, 4)->Unit(benchmark::kMicrosecond);

void BM_ApplicationPage(benchmark::State& state) {
  TfmMain& w = Window();
  for (auto _ : state) {
    timer555::ShowApplicationPage(w.Image2->canvas(), static_cast<int>(state.range(0)),
                                  w.SHCircuits.Strings(), w.SHApps.Strings());
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
        cpuSeconds_[run.benchmark_name()] = run.cpu_accumulated_time / static_cast<double>(run.iterations);
    }
    ConsoleReporter::ReportRuns(runs);
  }

  /// Prints the pages and calculations against their targets; returns the
  /// number of figures over them. CPU time, not wall time: on a shared
  /// machine the wall clock counts the other processes too, and each figure
  /// is one thread's work.
  int Summary() const {
    int over = 0;
    std::printf("\nPages and calculations (CPU time per drawing):\n");
    for (const bool calculation : {false, true}) {
      const double target = calculation ? 2e-3 : 0.3e-3;
      double slowest = 0;
      std::string slowestName;
      for (const auto& [name, s] : cpuSeconds_) {
        if (name.rfind("BM_Startup", 0) == 0 || name.rfind("BM_Advi", 0) == 0 ||
            (name.rfind("BM_Calculate", 0) == 0) != calculation)
          continue;
        if (s > slowest) slowest = s, slowestName = name;
        if (s >= target) {
          ++over;
          std::printf("  %s %.3f ms (target < %.1f ms) OVER\n", name.c_str(), s * 1e3, target * 1e3);
        }
      }
      if (!slowestName.empty())
        std::printf("  slowest %s: %s %.3f ms (target < %.1f ms)\n", calculation ? "calculation" : "page",
                    slowestName.c_str(), slowest * 1e3, target * 1e3);
    }
    for (const auto& [name, s] : cpuSeconds_) {
      if (name.rfind("BM_Advise", 0) == 0) {
        const bool slow = s >= 0.05e-3;
        over += slow ? 1 : 0;
        std::printf("  advisor %s %.4f ms (target < 0.05 ms)%s\n", name.c_str(), s * 1e3,
                    slow ? " OVER" : "");
      } else if (name.rfind("BM_AdvicePanel", 0) == 0) {
        // Not part of every calculation: the panel is drawn again only when
        // its texts change; printed beside the advisor's target to compare.
        std::printf("  advice panel %s %.4f ms when the findings change (advisor target 0.05 ms%s)\n",
                    name.c_str(), s * 1e3, s >= 0.05e-3 ? ": above it" : "");
      }
    }
    return over;
  }

 private:
  std::map<std::string, double> cpuSeconds_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 2 && std::string(argv[1]).rfind(kColdStartFlag, 0) == 0)
    return RunColdStartChild(argc, argv, std::string(argv[1]).substr(std::string(kColdStartFlag).size()));
  // --startup-runs=N: rounds of the whole-process comparison (0 skips it).
  int startupRuns = 40;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]).rfind(kStartupRunsFlag, 0) != 0) continue;
    startupRuns = std::atoi(argv[i] + std::string(kStartupRunsFlag).size());
    std::copy(argv + i + 1, argv + argc + 1, argv + i);
    --argc;
    break;
  }
  QApplication app(argc, argv);
  timer555::QtPlatformServices services;
  timer555::SetPlatform(&services);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TargetReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  int over = reporter.Summary();
  window.reset();
  if (startupRuns > 0) over += CompareColdStarts(startupRuns);
  benchmark::Shutdown();
  return over == 0 ? 0 : 3;
}
