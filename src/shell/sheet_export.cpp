#include "shell/sheet_export.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QShortcut>
#include <algorithm>

#include "platform/platform_services.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"

namespace timer555 {

namespace {

// The summary lists this many combinations of this series, with the
// capacitor at the tolerance the command line takes by default for it.
constexpr int kSummaryCombinations = 3;
constexpr ESeries kSummarySeries = ESeries::E24;
// The timer data table's cells: name, condition, bipolar, CMOS, unit.
constexpr std::size_t kTimerDataColumns = 5;

}  // namespace

TSheetExport::TSheetExport(TfmMain& window) : QObject(&window), window_(window) {
  auto bind = [this, &window](QKeyCombination keys, void (TSheetExport::*action)()) {
    auto* shortcut = new QShortcut(QKeySequence(keys), &window);
    connect(shortcut, &QShortcut::activated, this, action);
  };
  bind(Qt::CTRL | Qt::Key_S, &TSheetExport::Save);
  bind(Qt::CTRL | Qt::Key_C, &TSheetExport::Copy);
  bind(Qt::CTRL | Qt::Key_P, &TSheetExport::Print);
}

void TSheetExport::WatchFields(QObject* field1, QObject* field2) {
  for (QObject* field : {field1, field2}) field->installEventFilter(this);
}

// An entry field claims Ctrl+C for itself; it keeps it only while it has
// text selected, so that Ctrl+C after typing and "Calculate" copies the sheet.
bool TSheetExport::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field != nullptr && key->matches(QKeySequence::Copy) && !field->hasSelectedText()) {
      event->ignore();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

Sheet TSheetExport::CurrentSheet() const {
  Sheet sheet;
  const LoggingCanvas* log = window_.Image2->drawingLog();
  sheet.areaWidth = window_.Image2->canvas().width();
  sheet.areaHeight = window_.Image2->canvas().height();
  if (log != nullptr) sheet.area = log->calls();
  const WindowState& state = window_.State();
  if (!state.AppFontName.empty()) sheet.fontName = state.AppFontName;
  if (const std::optional<DesignFacts> facts = window_.SheetDesign()) {
    sheet.strip = ReportDesign(*facts);
    const TImage* vout = window_.Image5;
    if (const LoggingCanvas* voutLog = vout->drawingLog())
      sheet.waveform = SheetDrawing{vout->width(), vout->height(), voutLog->calls(), kWaveformCaption};
    sheet.simulation = window_.SimulationDrawing();
  }
  return sheet;
}

std::string TSheetExport::BaseName() const {
  const WindowState& state = window_.State();
  const int n = state.ApplicationIndex;
  const TextList& apps = window_.SHApps.Strings();
  const std::string title = n >= 1 && n <= static_cast<int>(apps.size()) ? apps[n - 1] : std::string();
  const std::optional<DesignFacts> facts = window_.SheetDesign();
  return SheetBaseName(state.ShownPage, state.Design.DesignMode, facts ? &*facts : nullptr, n, title);
}

std::string TSheetExport::SummaryText() const {
  const std::optional<DesignFacts> calculated = window_.SheetDesign();
  std::string title = PageName(window_.State(), window_.SHApps.Strings()) + "\n";
  if (!calculated) {
    // The timer data table goes to a spreadsheet as its rows and columns.
    if (window_.State().ShownPage != SheetPage::TimerData) return title;
    const TextList& cells = window_.SHSpecs.Strings();
    TextRows rows = {{"", "", "Bipolar 555", "CMOS 555", ""}};
    for (std::size_t at = 0; at + kTimerDataColumns <= cells.size(); at += kTimerDataColumns)
      rows.emplace_back(cells.begin() + static_cast<std::ptrdiff_t>(at),
                        cells.begin() + static_cast<std::ptrdiff_t>(at + kTimerDataColumns));
    return title + RowsText(rows, TextLayout::Tabs);
  }
  const DesignFacts& facts = *calculated;
  const CombinationRequest request =
      CombinationRequestFor(facts, kSummarySeries, kSummaryCombinations, DefaultCapTolerance(facts.parts.C1));
  return DesignSummaryText(ReportDesign(facts), TextLayout::Tabs, CombinationsHeading(request),
                           FindDistinctCombinations(request).combinations);
}

bool TSheetExport::Ready() const {
  const LoggingCanvas* log = window_.Image2->drawingLog();
  if (log != nullptr && log->complete()) return true;
  Platform().showError("The page has been drawn over too often to be copied; choose it again.");
  return false;
}

std::vector<std::string> TSheetExport::SaveFilters() const {
  std::vector<std::string> filters = {"PNG image (*.png)", "SVG drawing (*.svg)", "PDF document (*.pdf)"};
  const WindowState& state = window_.State();
  if (state.ShownPage == SheetPage::Design && state.DesignShown) {
    filters.push_back(kDesignFileFilter);
    if (state.Design.Calculated) filters.push_back("SPICE netlist (*.cir)");
  }
  return filters;
}

void TSheetExport::Save() {
  const std::string name = BaseName() + ".png";
  const std::string suggested = lastFolder_.empty() ? name : lastFolder_ + "/" + name;
  const auto path = Platform().askSaveFileName("Save the sheet", suggested, SaveFilters());
  if (!path) return;
  if (SaveTo(*path))
    lastFolder_ = QFileInfo(QString::fromLocal8Bit(path->c_str())).absolutePath().toLocal8Bit().toStdString();
}

bool TSheetExport::SaveTo(const std::string& path) {
  // The extensions offered, in the dialog's order.
  std::vector<std::string> extensions;
  for (const std::string& filter : SaveFilters())
    extensions.push_back(filter.substr(filter.find("(*") + 2, filter.size() - filter.find("(*") - 3));
  const auto offered = [&extensions, &path](const std::string& extension) {
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end() &&
           QString::fromStdString(path).endsWith(QString::fromStdString(extension), Qt::CaseInsensitive);
  };
  std::string bytes;
  if (offered(".t555")) {
    bytes = window_.DesignFileText();
  } else if (offered(".cir")) {
    bytes = window_.NetlistText();
  } else if (const std::optional<SheetFormat> format = SheetFormatOf(path)) {
    if (!Ready()) return false;
    bytes = SheetBytes(CurrentSheet(), *format);
  } else {
    std::string list;
    for (std::size_t i = 0; i < extensions.size(); ++i)
      list += (i == 0 ? "" : i + 1 == extensions.size() ? " or " : ", ") + extensions[i];
    Platform().showError("Cannot save \"" + path + "\": the name must end in " + list + ".");
    return false;
  }
  const std::string problem = Platform().writeFile(path, bytes);
  if (!problem.empty()) {
    Platform().showError("Cannot write \"" + path + "\": " + problem + ".");
    return false;
  }
  return true;
}

void TSheetExport::Copy() {
  if (!Ready()) return;
  auto* data = new QMimeData;
  data->setImageData(SheetImage(CurrentSheet()));
  data->setText(QString::fromStdString(SummaryText()));
  QGuiApplication::clipboard()->setMimeData(data);
}

void TSheetExport::Print() {
  if (!Ready()) return;
  const Sheet sheet = CurrentSheet();
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(BaseName()));
  printer.setPageLayout(SheetPageLayout(sheet));  // as SheetPdf lays it out, until the user changes it
  if (!Platform().askPrinter(printer)) return;
  if (!PrintSheet(sheet, printer)) {
    const std::string target = printer.outputFileName().isEmpty() ? printer.printerName().toStdString()
                                                                  : printer.outputFileName().toStdString();
    Platform().showError("Cannot print to \"" + target + "\".");
  }
}

}  // namespace timer555
