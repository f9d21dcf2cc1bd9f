#include "cli/command_line.h"

#include <QGuiApplication>
#include <QImage>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/design_answer.h"
#include "design/design_file.h"
#include "design/design_table.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/display_font.h"
#include "platform/logging_canvas.h"
#include "platform/platform_services.h"
#include "platform/qt_canvas.h"
#include "shell/main_window.h"
#include "shell/sheet.h"
#include "shell/text_lists.h"
#include "simulation/spice_deck.h"

namespace timer555 {

namespace {

// The main window's drawing area, in which the design page is drawn.
constexpr int kAreaWidth = TfmMain::AreaWidth;
constexpr int kAreaHeight = TfmMain::AreaHeight;

int Status(ExitStatus status) { return static_cast<int>(status); }

/// Every message on standard error names the program first.
std::ostream& Error() { return std::cerr << "timer555: "; }

// Standard error carries the program's own messages only; Qt's notes about
// the environment (a missing runtime folder and the like) are dropped.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) Error() << message.toStdString() << "\n";
}

// The design page drawn as the window draws it: bare, then with values.
void DrawDesign(const DesignState& design, LoggingCanvas& area) {
  const TextList circuits = LoadTextList("circuits");
  DrawDesignPage(design, area, circuits);
  DrawDesignSchematic(design, area, circuits, true);
}

/// Writes a file whole or not at all; false, with the message said, when
/// it cannot be written.
bool WriteOut(const std::string& path, const std::string& bytes) {
  const std::string problem = Platform().writeFile(path, bytes);
  if (problem.empty()) return true;
  Error() << "Cannot write \"" << path << "\": " << problem << ".\n";
  return false;
}

/// The design sheet as the window saves it: the design page, the output
/// waveform, the simulation's plot when one ran, and the strip.
Sheet DesignSheet(const DesignAnswer& answer) {
  QImage image(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
  image.fill(Qt::white);
  QtCanvas canvas(image);
  LoggingCanvas area(canvas);
  DrawDesign(answer.design, area);
  const DesignState& design = answer.design;
  const DesignRow* row = FindDesign(design.DesignMode);
  SheetDrawing vout = LogDrawing(TfmMain::VoutWidth, TfmMain::VoutHeight, [&](Canvas& c) {
    DrawOutputWaveform(c, row->waveform, design, design.Field1Text, kDisplayFace);
  });
  vout.caption = kWaveformCaption;
  std::optional<SheetDrawing> plot;
  if (answer.simulation)
    plot = SimulationSheetDrawing(*answer.simulation, design.Settings, design.DesignMode, kDisplayFace);
  return Sheet{kAreaWidth,   kAreaHeight,     area.calls(),   answer.report,
               kDisplayFace, std::move(vout), std::move(plot)};
}

/// Writes the sheets asked for; the exit status.
ExitStatus WriteSheets(const Arguments& arguments, const DesignAnswer& answer, char* program) {
  // Fonts and pictures need a GUI application, which needs no display on
  // the offscreen platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(KeepQtQuiet);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, &program);
  if (!RegisterDisplayFont(Platform(), Platform().programDirectory())) {
    Error() << kMissingDisplayFont << "\n";
    return ExitStatus::FileNotWritten;
  }
  std::optional<Sheet> sheet;
  try {
    sheet = DesignSheet(answer);
  } catch (const std::exception& e) {
    Error() << e.what() << "\n";
    return ExitStatus::FileNotWritten;
  }
  const std::pair<const std::optional<std::string>*, SheetFormat> outputs[] = {
      {&arguments.png, SheetFormat::Png},
      {&arguments.svg, SheetFormat::Svg},
      {&arguments.pdf, SheetFormat::Pdf}};
  for (const auto& [path, format] : outputs) {
    if (*path && !WriteOut(**path, SheetBytes(*sheet, format))) return ExitStatus::FileNotWritten;
  }
  return ExitStatus::Done;
}

}  // namespace

int CommandLineMain(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedArguments parsed = ParseArguments(args);
  if (!parsed.error.empty()) {
    Error() << parsed.error << "\nSee timer555 --help for the usage.\n";
    return Status(ExitStatus::BadInput);
  }
  const Arguments& arguments = parsed.arguments;
  if (arguments.action == Arguments::Action::Help) {
    std::cout << UsageText();
    return Status(ExitStatus::Done);
  }
  if (arguments.action == Arguments::Action::Version) {
    std::cout << "timer555 " << TIMER555_VERSION << "\n";
    return Status(ExitStatus::Done);
  }

  // A design file is read whole, its size checked before it is read.
  OpenedFile opened;
  if (arguments.open) {
    std::string problem;
    std::optional<std::string> bytes = Platform().readFile(*arguments.open, kMaxDesignFileBytes, problem);
    if (!bytes) {
      Error() << *arguments.open << ": Cannot read the file: " << problem << ".\n";
      return Status(ExitStatus::BadInput);
    }
    opened = {*arguments.open, std::move(*bytes)};
  }
  DesignAnswer answer = AnswerDesign(arguments, arguments.open ? &opened : nullptr);
  if (answer.status == ExitStatus::Done && arguments.simulate) SimulateAnswer(answer);
  if (answer.status != ExitStatus::Done) {
    Error() << answer.message << "\n";
    return Status(answer.status);
  }

  if (arguments.spice && !WriteOut(*arguments.spice, SpiceDeck(DeckOf(answer)))) {
    return Status(ExitStatus::FileNotWritten);
  }
  if (arguments.save && !WriteOut(*arguments.save, WriteDesignFile(answer.design))) {
    return Status(ExitStatus::FileNotWritten);
  }
  if (arguments.png || arguments.svg || arguments.pdf) {
    const ExitStatus written = WriteSheets(arguments, answer, argv[0]);
    if (written != ExitStatus::Done) return Status(written);
  }

  std::cout << (arguments.json ? AnswerJson(answer) : AnswerTable(answer));
  return Status(ExitStatus::Done);
}

}  // namespace timer555
