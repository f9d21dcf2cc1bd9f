#include "cli/command_line.h"

#include <QGuiApplication>
#include <QImage>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/design_answer.h"
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

  DesignAnswer answer = AnswerDesign(arguments);
  if (answer.status != ExitStatus::Done) {
    Error() << answer.message << "\n";
    return Status(answer.status);
  }

  if (arguments.png || arguments.svg) {
    // Fonts and pictures need a GUI application, which needs no display on
    // the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(KeepQtQuiet);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);
    if (!RegisterDisplayFont(Platform(), Platform().programDirectory())) {
      Error() << kMissingDisplayFont << "\n";
      return Status(ExitStatus::FileNotWritten);
    }
    QImage image(kAreaWidth, kAreaHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QtCanvas canvas(image);
    LoggingCanvas area(canvas);
    try {
      DrawDesign(answer.design, area);
    } catch (const std::exception& e) {
      Error() << e.what() << "\n";
      return Status(ExitStatus::FileNotWritten);
    }
    const DesignRow* row = FindDesign(answer.design.DesignMode);
    SheetDrawing vout = LogDrawing(TfmMain::VoutWidth, TfmMain::VoutHeight, [&](Canvas& c) {
      DrawOutputWaveform(c, row->waveform, answer.design, answer.design.Field1Text, kDisplayFace);
    });
    vout.caption = kWaveformCaption;
    Sheet sheet{kAreaWidth,   kAreaHeight,     area.calls(), answer.report,
                kDisplayFace, std::move(vout), std::nullopt};
    const std::pair<const std::optional<std::string>*, SheetFormat> outputs[] = {
        {&arguments.png, SheetFormat::Png}, {&arguments.svg, SheetFormat::Svg}};
    for (const auto& [path, format] : outputs) {
      if (!*path) continue;
      const std::string bytes = SheetBytes(sheet, format);
      const std::string written =
          path->value().empty() ? "no file name" : Platform().writeFile(**path, bytes);
      if (!written.empty()) {
        Error() << "Cannot write \"" << **path << "\": " << written << ".\n";
        return Status(ExitStatus::FileNotWritten);
      }
    }
  }

  std::cout << (arguments.json ? AnswerJson(answer) : AnswerTable(answer));
  return Status(ExitStatus::Done);
}

}  // namespace timer555
