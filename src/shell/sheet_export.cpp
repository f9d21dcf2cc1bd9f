#include "shell/sheet_export.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPrinter>
#include <QShortcut>

#include "platform/platform_services.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"

namespace timer555 {

namespace {

// The summary lists this many combinations of this series, with the
// capacitor at the tolerance the command line takes by default.
constexpr int kSummaryCombinations = 3;
constexpr ESeries kSummarySeries = ESeries::E24;
constexpr double kSummaryCapTolerance = 0.10;

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
  if (!calculated) return PageName(window_.State(), window_.SHApps.Strings()) + "\n";
  const DesignFacts& facts = *calculated;
  const CombinationRequest request =
      CombinationRequestFor(facts, kSummarySeries, kSummaryCombinations, kSummaryCapTolerance);
  return DesignSummaryText(ReportDesign(facts), TextLayout::Tabs, CombinationsHeading(request),
                           FindCombinations(request).combinations);
}

bool TSheetExport::Ready() const {
  const LoggingCanvas* log = window_.Image2->drawingLog();
  if (log != nullptr && log->complete()) return true;
  Platform().showError("The page has been drawn over too often to be copied; choose it again.");
  return false;
}

void TSheetExport::Save() {
  if (!Ready()) return;
  const std::string name = BaseName() + ".png";
  const std::string suggested = lastFolder_.empty() ? name : lastFolder_ + "/" + name;
  const auto path = Platform().askSaveFileName(
      "Save the sheet", suggested, {"PNG image (*.png)", "SVG drawing (*.svg)", "PDF document (*.pdf)"});
  if (!path) return;
  const std::optional<SheetFormat> format = SheetFormatOf(*path);
  if (!format) {
    Platform().showError("Cannot save \"" + *path + "\": the name must end in .png, .svg or .pdf.");
    return;
  }
  const std::string bytes = SheetBytes(CurrentSheet(), *format);
  const std::string problem = Platform().writeFile(*path, bytes);
  if (!problem.empty()) {
    Platform().showError("Cannot write \"" + *path + "\": " + problem + ".");
    return;
  }
  lastFolder_ = QFileInfo(QString::fromLocal8Bit(path->c_str())).absolutePath().toLocal8Bit().toStdString();
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
