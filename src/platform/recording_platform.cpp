#include "platform/recording_platform.h"

#include <QPrinter>

namespace timer555 {

std::vector<std::string> RecordingPlatform::fontFamilies() {
  // A failing font table lists nothing, so "Technical" is never found there.
  if (fontMode == Mode::Fail) return {};
  return qt_.fontFamilies();
}

bool RecordingPlatform::addFont(const std::string& path) {
  fontsAdded.push_back(path);
  switch (fontMode) {
    case Mode::Fail: return false;
    case Mode::Pretend: return true;
    case Mode::PassThrough: break;
  }
  return qt_.addFont(path);
}

void RecordingPlatform::removeFont(const std::string& path) {
  fontsRemoved.push_back(path);
  if (fontMode == Mode::PassThrough) qt_.removeFont(path);
}

void RecordingPlatform::broadcastFontChange() {
  ++fontChangeBroadcasts;
  qt_.broadcastFontChange();
}

void RecordingPlatform::processMessages() {
  ++messagePumps;
  qt_.processMessages();
}

std::string RecordingPlatform::programDirectory() {
  return programDirectoryOverride.empty() ? qt_.programDirectory() : programDirectoryOverride;
}

bool RecordingPlatform::fileExists(const std::string& path) {
  switch (fileMode) {
    case Mode::Fail: return false;
    case Mode::Pretend: return true;
    case Mode::PassThrough: break;
  }
  return qt_.fileExists(path);
}

bool RecordingPlatform::directoryWritable(const std::string& path) {
  if (!unwritableDirectory.empty() && path == unwritableDirectory) return false;
  switch (fileMode) {
    case Mode::Fail: return false;
    case Mode::Pretend: return true;
    case Mode::PassThrough: break;
  }
  return qt_.directoryWritable(path);
}

bool RecordingPlatform::deleteFile(const std::string& path) {
  filesDeleted.push_back(path);
  switch (fileMode) {
    case Mode::Fail: return false;
    case Mode::Pretend: return true;
    case Mode::PassThrough: break;
  }
  return qt_.deleteFile(path);
}

std::string RecordingPlatform::writeFile(const std::string& path, const std::string& bytes) {
  filesWritten.push_back(path);
  switch (fileMode) {
    case Mode::Fail: return "refused by the test";
    case Mode::Pretend: return {};
    case Mode::PassThrough: break;
  }
  return qt_.writeFile(path, bytes);
}

std::optional<std::string> RecordingPlatform::askSaveFileName(const std::string&,
                                                              const std::string& suggested,
                                                              const std::vector<std::string>&) {
  saveSuggestions.push_back(suggested);
  if (saveAnswers.empty()) return std::nullopt;
  std::string answer = saveAnswers.front();
  saveAnswers.erase(saveAnswers.begin());
  if (answer.empty()) return std::nullopt;
  return answer;
}

std::optional<std::string> RecordingPlatform::askOpenFileName(const std::string&,
                                                              const std::vector<std::string>&) {
  if (openAnswers.empty()) return std::nullopt;
  std::string answer = openAnswers.front();
  openAnswers.erase(openAnswers.begin());
  if (answer.empty()) return std::nullopt;
  return answer;
}

std::optional<std::string> RecordingPlatform::readSetting(const std::string& key) {
  const auto it = settings.find(key);
  if (it == settings.end()) return std::nullopt;
  return it->second;
}

bool RecordingPlatform::askPrinter(QPrinter& printer) {
  ++printDialogs;
  if (printToFile.empty()) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromLocal8Bit(printToFile.c_str()));
  return true;
}

}  // namespace timer555
