#include "cli/command_line.h"

#include <QGuiApplication>
#include <QImage>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/design_answer.h"
#include "design/design_state.h"
#include "design/design_table.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/logging_canvas.h"
#include "platform/platform_services.h"
#include "platform/qt_canvas.h"
#include "schematic/circuit_script.h"
#include "shell/sheet.h"
#include "shell/shell_state.h"
#include "shell/text_lists.h"

namespace timer555 {

namespace {

// The main window's drawing area, in which the design page is drawn.
constexpr int kAreaWidth = 650;
constexpr int kAreaHeight = 308;
// The window's waveform panel ("Vout").
constexpr int kVoutWidth = 203;
constexpr int kVoutHeight = 58;
const char* const kFontFace = "Technical";

int Status(ExitStatus status) { return static_cast<int>(status); }

// Standard error carries the program's own messages only; Qt's notes about
// the environment (a missing runtime folder and the like) are dropped.
void KeepQtQuiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << "\n";
}

// The display font beside the program, registered for the sheet's texts.
bool RegisterDisplayFont(std::string& problem) {
  PlatformServices& platform = Platform();
  for (const std::string& face : platform.fontFamilies())
    if (face == kFontFace) return true;
  const std::string file = platform.programDirectory() + "appfont.dat";
  if (!platform.fileExists(file) || !platform.addFont(file)) {
    problem = "Unable to find application file \"appfont.dat.\" Re-installation required.";
    return false;
  }
  return true;
}

// The design page drawn as the window draws it: bare, then calculated with
// values. Returns the answer of the calculation on that page.
DesignAnswer DrawDesign(const Arguments& arguments, LoggingCanvas& area) {
  shellState.AppFontName = kFontFace;
  shellState.ActiveMenu = 1;  // a design page: the schematic clears its area first
  const DesignRow* row = FindDesign(*arguments.design);
  TextList buffer;
  DrawDesignPage(row->kind, area, LoadTextList("circuits"), buffer);
  DesignAnswer answer = AnswerDesign(arguments);
  if (answer.status == ExitStatus::Done) RunCircuitScript(buffer, area, designState.DrawRect, 1);
  return answer;
}

}  // namespace

int CommandLineMain(int argc, char* argv[]) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedArguments parsed = ParseArguments(args);
  if (!parsed.error.empty()) {
    std::cerr << "timer555: " << parsed.error << "\n\n" << UsageText();
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

  DesignAnswer answer = AnswerDesign(arguments);
  if (answer.status != ExitStatus::Done) {
    std::cerr << answer.message << "\n";
    return Status(answer.status);
  }

  if (arguments.png || arguments.svg) {
    // Fonts and pictures need a GUI application, which needs no display on
    // the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepQtQuiet);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    std::string problem;
    if (!RegisterDisplayFont(problem)) {
      std::cerr << problem << "\n";
      return Status(ExitStatus::FileNotWritten);
    }
    QImage image(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas canvas(image);
    LoggingCanvas area(canvas);
    try {
      answer = DrawDesign(arguments, area);
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return Status(ExitStatus::FileNotWritten);
    }
    const DesignRow* row = FindDesign(*arguments.design);
    const std::string field1 = arguments.pulse ? *arguments.pulse : arguments.frequency.value_or("");
    SheetDrawing vout = LogDrawing(
        kVoutWidth, kVoutHeight, [&](Canvas& c) { DrawOutputWaveform(c, row->waveform, field1, kFontFace); });
    vout.caption = kWaveformCaption;
    Sheet sheet{kAreaWidth, kAreaHeight,     area.calls(), answer.report,
                kFontFace,  std::move(vout), std::nullopt};
    const std::pair<const std::optional<std::string>*, SheetFormat> outputs[] = {
        {&arguments.png, SheetFormat::Png}, {&arguments.svg, SheetFormat::Svg}};
    for (const auto& [path, format] : outputs) {
      if (!*path) continue;
      const std::string bytes = SheetBytes(sheet, format);
      const std::string written =
          path->value().empty() ? "no file name" : Platform().writeFile(**path, bytes);
      if (!written.empty()) {
        std::cerr << "Cannot write \"" << **path << "\": " << written << ".\n";
        return Status(ExitStatus::FileNotWritten);
      }
    }
  }

  std::cout << (arguments.json ? AnswerJson(answer) : AnswerTable(answer));
  return Status(ExitStatus::Done);
}

}  // namespace timer555
