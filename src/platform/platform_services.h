#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;

namespace timer555 {

/// What the shell needs of the desktop beyond drawing: message boxes, the
/// beep, fonts, cursors and files. The program uses the Qt implementation;
/// tests and the scenario runner replace it with one that records instead of
/// blocking on a modal box.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  /// A modal error box with a single OK button.
  virtual void showError(const std::string& text) = 0;
  /// The system's default beep.
  virtual void beep() = 0;

  /// Face names of the installed fonts.
  virtual std::vector<std::string> fontFamilies() = 0;
  /// Makes a font file available for as long as the program runs.
  virtual bool addFont(const std::string& path) = 0;
  /// Takes back a font file added by addFont.
  virtual void removeFont(const std::string& path) = 0;
  /// Tells every top-level window that the fonts changed and waits for it.
  virtual void broadcastFontChange() = 0;
  /// Handles the window messages that are waiting.
  virtual void processMessages() = 0;

  /// The directory of the program file, with a trailing separator.
  virtual std::string programDirectory() = 0;
  virtual bool fileExists(const std::string& path) = 0;
  /// Whether this process may create and delete files in the folder.
  virtual bool directoryWritable(const std::string& path) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
  /// Writes `bytes` to the file at `path` whole or not at all: into a
  /// temporary file beside it that replaces the target once complete.
  /// Returns an empty text, or why the file could not be written.
  virtual std::string writeFile(const std::string& path, const std::string& bytes) = 0;

  /// The save dialog: a file name to save under, starting from `suggested`
  /// (a name or a path), with `filters` such as "PNG image (*.png)" to
  /// choose from (the first selected; a name typed without an extension
  /// gets the chosen filter's). An existing file is returned only after the
  /// user confirmed replacing it. Nothing when cancelled.
  virtual std::optional<std::string> askSaveFileName(const std::string& caption, const std::string& suggested,
                                                     const std::vector<std::string>& filters) = 0;
  /// The print dialog for `printer`, which chooses a printer or a PDF file.
  /// True when the user chose to print.
  virtual bool askPrinter(QPrinter& printer) = 0;

  /// The open dialog: an existing file to open, with `filters` such as
  /// "timer555 design (*.t555)". Nothing when cancelled.
  virtual std::optional<std::string> askOpenFileName(const std::string& caption,
                                                     const std::vector<std::string>& filters) = 0;
  /// The whole file at `path` when it is at most `maxBytes` long (checked
  /// before it is read); otherwise nothing, with `problem` saying why ("no
  /// such file", "larger than 1 MiB").
  virtual std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes,
                                              std::string& problem) = 0;

  /// A setting remembered across runs of the program (the user's settings
  /// store); nothing when it was never written.
  virtual std::optional<std::string> readSetting(const std::string& key) = 0;
  virtual void writeSetting(const std::string& key, const std::string& value) = 0;
};

/// The services in use. Set once at start; the Qt implementation by default.
PlatformServices& Platform();
/// Replaces the services (tests, scenario runner); returns the previous ones.
PlatformServices* SetPlatform(PlatformServices* services);

}  // namespace timer555
