// The main window's panel below a design page: the circuit settings, what
// the built circuit is expected to do, the findings, the standard-value
// combinations and the simulation that runs in the background.

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

#include "design/design_file.h"
#include "design/design_table.h"
#include "design/standard_values.h"
#include "platform/platform_services.h"
#include "schematic/value_text.h"
#include "shell/advice_panel.h"
#include "shell/design_history.h"
#include "shell/design_panel.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"
#include "simulation/simulation_plot.h"
#include "simulation/spice_deck.h"

namespace timer555 {

namespace {

// The settings store's keys.
constexpr const char* kVccKey = "circuit/vcc";
constexpr const char* kFamilyKey = "circuit/family";

bool OnCalculatedDesignPage(const WindowState& state) {
  return state.DesignShown && state.ShownPage == SheetPage::Design && state.Design.Calculated;
}

// The supply range of a family, for the checks and their messages.
std::pair<double, double> SupplyRange(TimerFamily family) {
  return family == TimerFamily::Bipolar ? std::pair{kBipolarMinVcc, kBipolarMaxVcc}
                                        : std::pair{kCmosMinVcc, kCmosMaxVcc};
}

const char* FamilyName(TimerFamily family) { return family == TimerFamily::Bipolar ? "bipolar" : "CMOS"; }

std::string SupplyMessage(TimerFamily family) {
  const auto [low, high] = SupplyRange(family);
  return "Supply voltage not realistic: a " + std::string(FamilyName(family)) + " 555 runs on " +
         ShortNumber(low) + " to " + ShortNumber(high) + " V.";
}

// The E12 index and decade of a capacitor that is an E12 value, so that
// the arrows step on from it.
std::optional<std::pair<int, int>> E12Position(double c1) {
  for (int decade = kHighestCapDecade; decade <= kLowestCapDecade; ++decade) {
    for (int index = 0; index < static_cast<int>(E12List().size()); ++index) {
      const double value = TextToNumber(E12List()[static_cast<std::size_t>(index)]) / PowerOfTen(decade);
      if (std::fabs(value - c1) <= 1e-9 * c1) return std::pair{index, decade};
    }
  }
  return std::nullopt;
}

// What a simulation of the design runs: its parts as shown, its settings,
// and its inputs for the deck's comments.
DeckRequest DeckFor(const DesignState& design) {
  DeckRequest request;
  request.kind = design.DesignMode;
  request.parts = design;
  request.settings = design.Settings;
  request.inputs = TargetOf(design);
  return request;
}

}  // namespace

CircuitSettings RememberedSettings() {
  CircuitSettings settings;
  PlatformServices& platform = Platform();
  if (const auto family = platform.readSetting(kFamilyKey); family && *family == "cmos")
    settings.family = TimerFamily::Cmos;
  const auto [low, high] = SupplyRange(settings.family);
  if (const auto vcc = platform.readSetting(kVccKey)) {
    const std::optional<double> value = NumberFromText(*vcc);
    if (value && *value >= low && *value <= high) settings.vcc = *value;
  }
  if (settings.vcc < low || settings.vcc > high) settings.vcc = std::clamp(settings.vcc, low, high);
  return settings;
}

void TfmMain::CreatePanel() {
  auto* area = PanelArea.control_ = new QScrollArea(this);
  area->setObjectName("PanelArea");
  area->setFrameShape(QFrame::NoFrame);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setWidgetResizable(false);
  auto* panel = Panel.control_ = new TDesignPanel(area);
  area->setWidget(panel);
  area->hide();
  Image6.control_ = panel->Findings;
}

void TfmMain::ConnectPanel() {
  TDesignPanel* panel = Panel;
  panel->VccEdit->OnEnter = [this] {
    ApplySupply();
    return true;
  };
  QObject::connect(panel->VccEdit, &QLineEdit::editingFinished, this, [this] { ApplySupply(); });
  QObject::connect(panel->Bipolar, &QRadioButton::clicked, this,
                   [this] { ApplyFamily(TimerFamily::Bipolar); });
  QObject::connect(panel->Cmos, &QRadioButton::clicked, this, [this] { ApplyFamily(TimerFamily::Cmos); });
  QObject::connect(panel->SimulateButton, &QPushButton::clicked, this, [this] { Simulate(); });
  QObject::connect(panel->Series, &QComboBox::currentTextChanged, this, [this] { ShowAnalysis(); });
  // A click or Enter on a row applies it.
  const auto apply = [this](QTreeWidgetItem* item) {
    ApplyCombination(Panel->Combinations->indexOfTopLevelItem(item));
  };
  QObject::connect(panel->Combinations, &QTreeWidget::itemActivated, this, apply);
  QObject::connect(panel->Combinations, &QTreeWidget::itemClicked, this, apply);
}

void TfmMain::ShowAnalysis() {
  TDesignPanel* panel = Panel;
  if (state_.ShownPage != SheetPage::Design || GB1->isHidden()) {
    PanelArea->hide();
    ShowAdviceTexts({});
    ArrangePanel();
    return;
  }
  const DesignState& d = state_.Design;
  // The settings as the design holds them (the field keeps an edit of the
  // user's while it has the focus).
  if (!panel->VccEdit->hasFocus())
    panel->VccEdit->setComputedText(QString::fromStdString(ShortNumber(d.Settings.vcc)));
  panel->Bipolar->setChecked(d.Settings.family == TimerFamily::Bipolar);
  panel->Cmos->setChecked(d.Settings.family == TimerFamily::Cmos);

  // A simulation belongs to the design it ran for; any change makes it stale.
  if (simulated_ && !(simulatedDesign_ == d)) simulated_.reset();
  if (simulating_ && !(simulatedDesign_ == d)) StopSimulation();

  const bool calculated = OnCalculatedDesignPage(state_);
  std::vector<std::string> findings;
  if (calculated) {
    const DesignFacts facts = FactsOf(d);
    const DesignReport report = ReportDesign(facts);
    findings = report.findings;
    panel->Expected->setText(QString::fromStdString(
        "Expected when built: " + ExpectedText(d.DesignMode, report.expected, facts.target)));
    panel->Compensated->setText(
        report.compensated ? QString::fromStdString("Compensated parts: " +
                                                    CompensatedText(d.DesignMode, *report.compensated))
                           : QString());
    panel->Compensated->setVisible(report.compensated.has_value());
    ShowCombinations(facts);
  } else {
    panel->Compensated->hide();
    combinations_.clear();
    combinationsFor_ = {};
    panel->Combinations->clear();
  }
  panel->Expected->setVisible(calculated);
  for (QWidget* w : {static_cast<QWidget*>(panel->CombinationsLabel), static_cast<QWidget*>(panel->Series),
                     static_cast<QWidget*>(panel->Combinations)})
    w->setVisible(calculated && !combinations_.empty());

  const bool plotted = calculated && simulated_.has_value();
  panel->SimulationStatus->setVisible(simulating_ || plotted);
  if (simulating_) panel->SimulationStatus->setText("Simulating ...");
  if (plotted)
    panel->SimulationStatus->setText(QString::fromStdString(SimulationSummary(*simulated_, d.DesignMode)));
  panel->Plot->setVisible(plotted);
  PanelArea->show();
  ShowAdviceTexts(std::move(findings));
  ArrangePanel();
}

void TfmMain::ShowCombinations(const DesignFacts& facts) {
  TDesignPanel* panel = Panel;
  const std::optional<ESeries> series = ParseSeries(panel->Series->currentText().toStdString());
  // The search is redone only when the design or the series changed.
  const CombinationRequest request =
      CombinationRequestFor(facts, series.value_or(ESeries::E24), TDesignPanel::kCombinationRows,
                            DefaultCapTolerance(facts.parts.C1));
  if (!(combinationsFor_ == state_.Design) ||
      panel->Combinations->property("series") != panel->Series->currentText()) {
    combinations_ = FindDistinctCombinations(request).combinations;
    combinationsFor_ = state_.Design;
    panel->Combinations->setProperty("series", panel->Series->currentText());
    // The cells of the command line's table, without its numbers: the list
    // itself numbers them.
    const TextRows rows = CombinationRows(facts.kind, combinations_);
    const auto cells = [](const std::vector<std::string>& row) {
      QStringList out;
      for (std::size_t cell = 1; cell < row.size(); ++cell) out << QString::fromStdString(row[cell] + "  ");
      return out;
    };
    panel->Combinations->clear();
    if (!rows.empty()) panel->Combinations->setHeaderLabels(cells(rows.front()));
    for (std::size_t i = 1; i < rows.size(); ++i)
      panel->Combinations->addTopLevelItem(new QTreeWidgetItem(cells(rows[i])));
  }
  panel->CombinationsLabel->setText(QString::fromStdString("Standard values"));
  panel->CombinationsLabel->setToolTip(QString::fromStdString(CombinationsHeading(request)));
}

void TfmMain::ShowAdviceTexts(std::vector<std::string> texts) {
  adviceShown_ = std::move(texts);
  Image6->setVisible(!adviceShown_.empty());
}

void TfmMain::DrawPanelPictures(int width) {
  if (!adviceShown_.empty()) {
    const std::vector<AdviceLine> lines =
        LayOutAdvice(Image6->canvas(), adviceShown_, width, state_.AppFontName);
    Image6->place(0, 0, width, AdvicePanelHeight(Image6->canvas(), static_cast<int>(lines.size())));
    DrawAdvicePanel(Image6->canvas(), lines, state_.AppFontName);
  }
  TDesignPanel* panel = Panel;
  if (!panel->Plot->isHidden() && simulated_) {
    panel->Plot->place(0, 0, width, TDesignPanel::kPlotHeight);
    DrawSimulationPlot(panel->Plot->canvas(), *simulated_, state_.Design.Settings, state_.Design.DesignMode,
                       state_.AppFontName);
  }
}

void TfmMain::ArrangePanel() {
  if (!controlsMade_ || PanelArea->isHidden()) {
    setFixedSize(ClientWidth, ClientHeight);
    return;
  }
  TDesignPanel* panel = Panel;
  DrawPanelPictures(ClientWidth);
  int content = panel->Arrange(ClientWidth);
  // The window stays within the screen's available area: what does not fit
  // scrolls within the panel.
  int room = content;
  if (const QScreen* screen = this->screen()) {
    const int frame = frameGeometry().height() - height();
    room = std::max(60, screen->availableGeometry().height() - frame - ClientHeight);
  }
  int width = ClientWidth;
  if (content > room) {
    width = ClientWidth - PanelArea->verticalScrollBar()->sizeHint().width();
    DrawPanelPictures(width);
    content = panel->Arrange(width);
  }
  const int shown = std::min(content, room);
  panel->resize(width, content);
  PanelArea->setGeometry(0, ClientHeight, ClientWidth, shown);
  setFixedSize(ClientWidth, ClientHeight + shown);
  // A window that grew past the bottom of the screen moves up.
  if (const QScreen* screen = this->screen(); screen != nullptr && isVisible()) {
    const QRect area = screen->availableGeometry();
    const QRect frame = frameGeometry();
    if (frame.bottom() > area.bottom())
      move(x(), std::max(area.top(), y() - (frame.bottom() - area.bottom())));
  }
}

void TfmMain::ChangeDesign(const DesignState& next, const QString& what) {
  const DesignState before = state_.Design;
  state_.Design = next;
  DrawDesign();
  History->Record(before, state_.Design, what);
}

void TfmMain::ApplySupply() {
  TDesignPanel* panel = Panel;
  const std::string text = panel->VccEdit->text().toStdString();
  const CircuitSettings current = state_.Design.Settings;
  if (text == ShortNumber(current.vcc)) return;
  const std::optional<double> vcc = NumberFromText(text);
  const auto [low, high] = SupplyRange(current.family);
  if (!vcc || *vcc < low || *vcc > high) {
    // Said, and nothing changes: the field shows the supply in use again.
    panel->VccEdit->setComputedText(QString::fromStdString(ShortNumber(current.vcc)));
    Platform().showError(!vcc ? "Supply voltage is not a number." : SupplyMessage(current.family));
    return;
  }
  DesignState next = state_.Design;
  next.Settings.vcc = *vcc;
  Platform().writeSetting(kVccKey, ShortNumber(*vcc));
  ChangeDesign(next, "Supply");
}

void TfmMain::ApplyFamily(TimerFamily family) {
  const CircuitSettings current = state_.Design.Settings;
  if (family == current.family) return;
  const auto [low, high] = SupplyRange(family);
  if (current.vcc < low || current.vcc > high) {
    Platform().showError(ShortNumber(current.vcc) + " V is outside what a " + FamilyName(family) +
                         " 555 runs on (" + ShortNumber(low) + " to " + ShortNumber(high) +
                         " V): change the supply first.");
    ShowAnalysis();  // the radio buttons show the family in use again
    return;
  }
  DesignState next = state_.Design;
  next.Settings.family = family;
  Platform().writeSetting(kFamilyKey, family == TimerFamily::Bipolar ? "bipolar" : "cmos");
  ChangeDesign(next, "Timer family");
}

void TfmMain::ApplyCombination(int index) {
  if (!OnCalculatedDesignPage(state_) || index < 0 || index >= static_cast<int>(combinations_.size())) return;
  const Combination& c = combinations_[static_cast<std::size_t>(index)];
  DesignState parts = state_.Design;
  parts.R1 = c.r1;
  if (c.hasR2) parts.R2 = c.r2;
  parts.C1 = c.c1;
  RecalculationResult result = RecalculateFromComponents(parts);
  if (!result.computed) {
    if (!result.error.empty()) Platform().showError(result.error);
    return;
  }
  // The standard parts are the ones to adjust from and to step C1 on from.
  DesignState next = RecordNominals(result.design, result.design.Field1Typed, result.design.Field2Typed);
  if (const auto position = E12Position(c.c1)) {
    next.CapSeriesIndex = next.StartCapIndex = position->first;
    next.CapDecade = next.StartCapDecade = position->second;
  }
  NumEdit1->setComputedText(QString::fromStdString(result.field1Text));
  NumEdit2->setComputedText(QString::fromStdString(result.field2Text));
  ChangeDesign(next, "Standard values");
}

std::string TfmMain::DesignFileText() const {
  DesignState design = state_.Design;
  if (!design.Calculated && controlsMade_) {
    design.Field1Text = design.Field1Typed = NumEdit1.control_->text().toStdString();
    design.Field2Text = design.Field2Typed = NumEdit2.control_->text().toStdString();
  }
  return WriteDesignFile(design);
}

std::string TfmMain::NetlistText() const { return SpiceDeck(DeckFor(state_.Design)); }

void TfmMain::OpenDesign() {
  if (const auto path = Platform().askOpenFileName("Open a design", {kDesignFileFilter, "All files (*)"}))
    OpenDesignFile(*path);
}

bool TfmMain::OpenDesignFile(const std::string& path) {
  PlatformServices& platform = Platform();
  std::string problem;
  const std::optional<std::string> bytes = platform.readFile(path, kMaxDesignFileBytes, problem);
  DesignFileRead read;
  if (bytes) read = ReadDesignFile(*bytes);
  if (!bytes || !read.design) {
    platform.showError("Cannot open \"" + path + "\": " + (bytes ? read.problem : problem + "."));
    return false;
  }
  // From a design page the opening is a step to go back from; from another
  // page it starts afresh, as choosing a design does.
  const bool fromDesign = state_.DesignShown && state_.ShownPage == SheetPage::Design;
  const DesignState before = state_.Design;
  if (state_.ShownPage != SheetPage::Design || !state_.DesignShown) RememberPage();
  ShowDesign(*read.design);
  if (fromDesign)
    History->Record(before, state_.Design, "Open");
  else
    History->Clear();
  return true;
}

void TfmMain::Simulate() {
  if (!OnCalculatedDesignPage(state_)) {
    Platform().beep();
    return;
  }
  if (!SimulatorAvailable()) {
    Platform().showError(
        "Simulation is unavailable: ngspice's library (Debian package libngspice0) is not installed.");
    return;
  }
  StopSimulation();
  const DeckRequest request = DeckFor(state_.Design);
  auto cancel = std::make_shared<SimulationCancel>();
  simulationCancel_ = cancel;
  simulatedDesign_ = state_.Design;
  simulated_.reset();
  simulating_ = true;
  const int run = ++simulationRun_;
  simulationThread_ = std::thread([this, request, cancel, run] {
    SimulationOptions options;
    options.cancel = cancel.get();
    SimulationResult result = timer555::Simulate(request, options);
    QMetaObject::invokeMethod(
        this, [this, run, result = std::move(result)] { SimulationDone(run, result); }, Qt::QueuedConnection);
  });
  ShowAnalysis();
}

void TfmMain::StopSimulation() {
  if (simulationCancel_) simulationCancel_->Cancel();
  if (simulationThread_.joinable()) simulationThread_.join();
  simulationCancel_.reset();
  if (simulating_) {
    simulating_ = false;
    ++simulationRun_;  // the stopped run's result, still queued, is dropped
  }
}

void TfmMain::SimulationDone(int run, const SimulationResult& result) {
  if (run != simulationRun_) return;
  if (simulationThread_.joinable()) simulationThread_.join();
  simulating_ = false;
  if (!result.ok) {
    // Nothing else changes: the message says why.
    Platform().showError(result.message);
  } else if (simulatedDesign_ == state_.Design) {
    simulated_ = result;
  }
  ShowAnalysis();
  // The plot comes into view where the panel scrolls.
  if (simulated_) PanelArea->ensureWidgetVisible(Panel->Plot, 0, 0);
}

}  // namespace timer555
