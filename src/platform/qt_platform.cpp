#include "platform/qt_platform.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
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

std::string QtPlatformServices::writeFile(const std::string& path, const std::string& bytes) {
  QSaveFile file(Local(path));
  if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    const std::string reason = file.errorString().toStdString();
    file.cancelWriting();
    return reason.empty() ? "the disk is full" : reason;
  }
  if (!file.commit()) return file.errorString().toStdString();
  return {};
}

std::optional<std::string> QtPlatformServices::askSaveFileName(const std::string& caption,
                                                               const std::string& suggested,
                                                               const std::vector<std::string>& filters) {
  QStringList filterList;
  for (const std::string& f : filters) filterList << QString::fromStdString(f);
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(caption), Local(suggested),
                     filterList.join(";;"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The extension of the chosen filter, "(*.png)" giving "png", for a name
  // typed without one.
  auto suffixOf = [](const QString& filter) {
    const QRegularExpressionMatch m = QRegularExpression(R"(\(\*\.(\w+))").match(filter);
    return m.hasMatch() ? m.captured(1) : QString();
  };
  if (!filterList.isEmpty()) dialog.setDefaultSuffix(suffixOf(filterList.first()));
  QObject::connect(&dialog, &QFileDialog::filterSelected,
                   [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toLocal8Bit().toStdString();
}

bool QtPlatformServices::askPrinter(QPrinter& printer) {
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  return dialog.exec() == QDialog::Accepted;
}

std::optional<std::string> QtPlatformServices::askOpenFileName(const std::string& caption,
                                                               const std::vector<std::string>& filters) {
  QStringList filterList;
  for (const std::string& f : filters) filterList << QString::fromStdString(f);
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(caption), QString(),
                     filterList.join(";;"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toLocal8Bit().toStdString();
}

std::optional<std::string> QtPlatformServices::readFile(const std::string& path, std::size_t maxBytes,
                                                        std::string& problem) {
  QFile file(Local(path));
  if (!file.open(QIODevice::ReadOnly)) {
    problem = file.exists() ? file.errorString().toStdString() : "no such file";
    return std::nullopt;
  }
  // A file that is not a plain file (a folder, a device) has no size to
  // trust; it is read only up to one byte past the limit.
  if (file.size() > static_cast<qint64>(maxBytes)) {
    problem = "larger than " + std::to_string(maxBytes / (std::size_t{1024} * 1024)) + " MiB";
    return std::nullopt;
  }
  const QByteArray bytes = file.read(static_cast<qint64>(maxBytes) + 1);
  if (bytes.size() > static_cast<qsizetype>(maxBytes)) {
    problem = "larger than " + std::to_string(maxBytes / (std::size_t{1024} * 1024)) + " MiB";
    return std::nullopt;
  }
  return bytes.toStdString();
}

std::optional<std::string> QtPlatformServices::readSetting(const std::string& key) {
  const QSettings settings(QStringLiteral("timer555"), QStringLiteral("timer555"));
  const QVariant value = settings.value(QString::fromStdString(key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtPlatformServices::writeSetting(const std::string& key, const std::string& value) {
  QSettings settings(QStringLiteral("timer555"), QStringLiteral("timer555"));
  settings.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

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
