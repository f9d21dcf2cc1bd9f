#include "platform/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QWidget>

namespace timer555 {

namespace {

QString Local(const std::string& path) {
  return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

}  // namespace

void QtPlatformServices::showError(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QString::fromLatin1(text.c_str()),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

void QtPlatformServices::beep() { QApplication::beep(); }

std::vector<std::string> QtPlatformServices::fontFamilies() {
  std::vector<std::string> out;
  for (const QString& family : QFontDatabase::families()) out.push_back(family.toStdString());
  return out;
}

bool QtPlatformServices::addFont(const std::string& path) {
  const int id = QFontDatabase::addApplicationFont(Local(path));
  if (id < 0) return false;
  // Adding the same file again replaces the earlier registration.
  if (auto it = fontIds_.find(path); it != fontIds_.end()) QFontDatabase::removeApplicationFont(it->second);
  fontIds_[path] = id;
  return true;
}

void QtPlatformServices::removeFont(const std::string& path) {
  auto it = fontIds_.find(path);
  if (it == fontIds_.end()) return;
  QFontDatabase::removeApplicationFont(it->second);
  fontIds_.erase(it);
}

void QtPlatformServices::broadcastFontChange() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    QEvent applicationFontChange(QEvent::ApplicationFontChange);
    QCoreApplication::sendEvent(widget, &applicationFontChange);
    QEvent fontChange(QEvent::FontChange);
    QCoreApplication::sendEvent(widget, &fontChange);
  }
}

void QtPlatformServices::processMessages() { QCoreApplication::processEvents(); }

std::string QtPlatformServices::programDirectory() {
  return (QCoreApplication::applicationDirPath() + "/").toLocal8Bit().toStdString();
}

bool QtPlatformServices::fileExists(const std::string& path) { return QFileInfo(Local(path)).isFile(); }

bool QtPlatformServices::directoryWritable(const std::string& path) {
  // isWritable asks the system for this process (access(2)), so root, a
  // read-only mount and the folder's own permissions all come out right.
  const QFileInfo folder(Local(path));
  return folder.isDir() && folder.isWritable();
}

bool QtPlatformServices::deleteFile(const std::string& path) { return QFile::remove(Local(path)); }

namespace {
PlatformServices* current = nullptr;
}  // namespace

PlatformServices& Platform() {
  static QtPlatformServices qtServices;
  return current ? *current : qtServices;
}

PlatformServices* SetPlatform(PlatformServices* services) {
  PlatformServices* previous = &Platform();
  current = services;
  return previous;
}

}  // namespace timer555
