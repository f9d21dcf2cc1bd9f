#pragma once

#include <string>
#include <vector>

#include "platform/platform_services.h"

namespace timer555::testing {

/// Platform services that count beeps and collect error messages instead of
/// sounding or blocking on a modal box. Installs itself for its lifetime.
class CountingPlatform final : public PlatformServices {
 public:
  CountingPlatform() : previous_(SetPlatform(this)) {}
  ~CountingPlatform() override { SetPlatform(previous_); }
  CountingPlatform(const CountingPlatform&) = delete;
  CountingPlatform& operator=(const CountingPlatform&) = delete;

  int beeps = 0;
  std::vector<std::string> errors;

  void showError(const std::string& text) override { errors.push_back(text); }
  void beep() override { ++beeps; }
  std::vector<std::string> fontFamilies() override { return {}; }
  bool addFont(const std::string&) override { return false; }
  void removeFont(const std::string&) override {}
  void broadcastFontChange() override {}
  void processMessages() override {}
  std::string programDirectory() override { return {}; }
  bool copyFile(const std::string&, const std::string&) override { return false; }
  bool fileExists(const std::string&) override { return false; }
  bool deleteFile(const std::string&) override { return false; }

 private:
  PlatformServices* previous_;
};

}  // namespace timer555::testing
