#include <QApplication>

#include "platform/platform_services.h"
#include "platform/qt_platform.h"
#include "shell/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  timer555::QtPlatformServices services;
  timer555::SetPlatform(&services);
  {
    timer555::TfmMain fmMain;
    fmMain.show();
    app.exec();
  }
  return 0;
}
