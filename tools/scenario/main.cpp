// timer555-scenario SCRIPT OUTDIR: plays a scenario script on the real main
// window, headless, and writes the snapshots it asks for into OUTDIR.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <iostream>

#include "platform/recording_platform.h"
#include "scenario_runner.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: timer555-scenario SCRIPT OUTDIR\n";
    return 2;
  }
  QFile file(QString::fromLocal8Bit(argv[1]));
  if (!file.open(QIODevice::ReadOnly)) {
    std::cerr << argv[1] << ": cannot read the script\n";
    return 2;
  }
  const std::string script = file.readAll().toStdString();
  std::vector<timer555::scenario::Command> commands;
  try {
    commands = timer555::scenario::ParseScript(script);
  } catch (const timer555::scenario::ScriptError& e) {
    std::cerr << argv[1] << ":" << e.line() << ": " << e.what() << "\n";
    return 2;
  }
  const QString outDir = QString::fromLocal8Bit(argv[2]);
  if (!QDir().mkpath(outDir)) {
    std::cerr << argv[2] << ": cannot create the folder\n";
    return 1;
  }

  timer555::RecordingPlatform platform;
  timer555::PlatformServices* previous = timer555::SetPlatform(&platform);
  int status = 0;
  {
    timer555::TfmMain fmMain;
    fmMain.show();
    QApplication::setActiveWindow(&fmMain);
    QApplication::processEvents();
    timer555::scenario::Runner runner(fmMain, platform, outDir);
    for (const auto& command : commands) {
      try {
        runner.Run(command);
      } catch (const std::exception& e) {
        std::cerr << argv[1] << ":" << command.line << ": " << e.what() << "\n";
        status = 1;
        break;
      }
    }
  }
  timer555::SetPlatform(previous);
  return status;
}
