#include <QApplication>

#include "cli/command_line.h"
#include "platform/platform_services.h"
#include "platform/qt_platform.h"
#include "shell/main_window.h"

// Without arguments the window; with one argument that is not an option (a
// design file, as a file manager passes it) the window with that design;
// otherwise the command line, which answers without a window.
int main(int argc, char* argv[]) {
  const bool openFile = argc == 2 && argv[1][0] != '-';
  if (argc > 1 && !openFile) return timer555::CommandLineMain(argc, argv);
  QApplication app(argc, argv);
  // The name a desktop matches with the installed timer555.desktop and its
  // icon (Wayland's app id, X11's WM_CLASS). The window titles name the
  // program themselves ("Help - timer555").
  QApplication::setApplicationName("timer555");
  QGuiApplication::setDesktopFileName("timer555");
  timer555::QtPlatformServices services;
  timer555::SetPlatform(&services);
  {
    timer555::TfmMain fmMain;
    fmMain.show();
    if (openFile) fmMain.OpenDesignFile(argv[1]);
    app.exec();
  }
  return 0;
}
