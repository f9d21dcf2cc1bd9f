#pragma once

#include <memory>
#include <string>
#include <vector>

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
};

/// The services in use. Set once at start; the Qt implementation by default.
PlatformServices& Platform();
/// Replaces the services (tests, scenario runner); returns the previous ones.
PlatformServices* SetPlatform(PlatformServices* services);

}  // namespace timer555
