#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/platform_services.h"
#include "platform/qt_platform.h"

namespace timer555 {

/// Platform services for tests and the headless scenario runner: error
/// boxes and beeps are recorded instead of shown, and the save and print
/// dialogs answered from the fields below (nothing ever blocks);
/// fonts and files pass through to the Qt services unless a test switches
/// them to fail or to pretend.
class RecordingPlatform final : public PlatformServices {
 public:
  /// How font and file operations behave.
  enum class Mode {
    PassThrough,  ///< do them for real
    Fail,         ///< do nothing and report failure (missing file, read-only folder)
    Pretend,      ///< do nothing and report success
  };

  Mode fontMode = Mode::PassThrough;
  Mode fileMode = Mode::PassThrough;
  /// Replaces programDirectory() when not empty.
  std::string programDirectoryOverride;
  /// directoryWritable() says no for this folder whatever its permissions
  /// (a system folder, as root cannot be shown one).
  std::string unwritableDirectory;

  std::vector<std::string> errors;  ///< every showError text, in order
  int beeps = 0;
  std::vector<std::string> fontsAdded;    ///< every addFont path, in order
  std::vector<std::string> fontsRemoved;  ///< every removeFont path, in order
  int fontChangeBroadcasts = 0;
  int messagePumps = 0;
  std::vector<std::string> filesDeleted;  ///< every deleteFile path
  std::vector<std::string> filesWritten;  ///< every writeFile path

  /// What the next save dialogs answer, in order (an empty text cancels);
  /// a dialog with no answer waiting cancels.
  std::vector<std::string> saveAnswers;
  /// The names every save dialog started from, in order.
  std::vector<std::string> saveSuggestions;
  /// What the next open dialogs answer, in order (an empty text cancels).
  std::vector<std::string> openAnswers;
  /// The settings store, kept in memory so that no test writes the user's.
  std::map<std::string, std::string> settings;
  /// The PDF file the print dialog prints to; empty: the dialog cancels.
  std::string printToFile;
  int printDialogs = 0;

  void showError(const std::string& text) override { errors.push_back(text); }
  void beep() override { ++beeps; }
  std::vector<std::string> fontFamilies() override;
  bool addFont(const std::string& path) override;
  void removeFont(const std::string& path) override;
  void broadcastFontChange() override;
  void processMessages() override;
  std::string programDirectory() override;
  bool fileExists(const std::string& path) override;
  bool directoryWritable(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  std::string writeFile(const std::string& path, const std::string& bytes) override;
  std::optional<std::string> askSaveFileName(const std::string& caption, const std::string& suggested,
                                             const std::vector<std::string>& filters) override;
  /// Sets the printer to write a PDF file to printToFile.
  bool askPrinter(QPrinter& printer) override;
  std::optional<std::string> askOpenFileName(const std::string& caption,
                                             const std::vector<std::string>& filters) override;
  std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes,
                                      std::string& problem) override {
    return qt_.readFile(path, maxBytes, problem);
  }
  std::optional<std::string> readSetting(const std::string& key) override;
  void writeSetting(const std::string& key, const std::string& value) override { settings[key] = value; }

 private:
  QtPlatformServices qt_;
};

}  // namespace timer555
