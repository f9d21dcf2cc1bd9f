#pragma once

#include <map>
#include <string>

#include "platform/platform_services.h"

namespace timer555 {

/// The desktop services through Qt: QMessageBox, QApplication::beep,
/// QFontDatabase's application fonts and QFile.
class QtPlatformServices : public PlatformServices {
 public:
  void showError(const std::string& text) override;
  void beep() override;
  std::vector<std::string> fontFamilies() override;
  /// Registers the font file at `path` with the application's font database.
  bool addFont(const std::string& path) override;
  void removeFont(const std::string& path) override;
  /// Sends (not posts) ApplicationFontChange and FontChange to every
  /// top-level widget.
  void broadcastFontChange() override;
  void processMessages() override;
  std::string programDirectory() override;
  bool fileExists(const std::string& path) override;
  bool directoryWritable(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  /// Through QSaveFile.
  std::string writeFile(const std::string& path, const std::string& bytes) override;
  /// Qt's own QFileDialog.
  std::optional<std::string> askSaveFileName(const std::string& caption, const std::string& suggested,
                                             const std::vector<std::string>& filters) override;
  /// QPrintDialog.
  bool askPrinter(QPrinter& printer) override;
  /// Qt's own QFileDialog.
  std::optional<std::string> askOpenFileName(const std::string& caption,
                                             const std::vector<std::string>& filters) override;
  /// Through QFile.
  std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes,
                                      std::string& problem) override;
  /// Through QSettings (the user's timer555 settings file).
  std::optional<std::string> readSetting(const std::string& key) override;
  void writeSetting(const std::string& key, const std::string& value) override;

 private:
  std::map<std::string, int> fontIds_;  ///< application font id per added path
};

}  // namespace timer555
