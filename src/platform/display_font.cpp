#include "platform/display_font.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/canvas.h"

namespace timer555 {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

bool ContainsFaceIgnoringCase(const std::vector<std::string>& faces, const std::string& wanted) {
  const std::string w = Lower(wanted);
  return std::any_of(faces.begin(), faces.end(), [&](const std::string& f) { return Lower(f) == w; });
}

}  // namespace

bool RegisterDisplayFont(PlatformServices& platform, const std::string& programDirectory) {
  if (ContainsFaceIgnoringCase(platform.fontFamilies(), kDisplayFace)) return true;
  const std::string file = programDirectory + kDisplayFontFile;
  if (!platform.fileExists(file) || !platform.addFont(file)) return false;
  platform.broadcastFontChange();
  platform.processMessages();
  return true;
}

}  // namespace timer555
