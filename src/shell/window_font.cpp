// The main window's display font: made available at start-up, taken back
// at shut-down.

#include "platform/display_font.h"
#include "platform/platform_services.h"
#include "shell/main_window.h"

namespace timer555 {

bool TfmMain::InstallDisplayFont() {
  PlatformServices& platform = Platform();
  if (!RegisterDisplayFont(platform, state_.AppPath)) {
    platform.showError(kMissingDisplayFont);
    return false;
  }
  state_.AppFontName = kDisplayFace;
  return true;
}

// Earlier versions copied the font to TECHNCLN.TTF beside the program for
// the time they ran, and a killed one left the copy behind. It is removed
// where the folder is ours to change; a system folder is left alone.
void TfmMain::RemoveOldFontCopy() {
  PlatformServices& platform = Platform();
  const std::string oldCopy = state_.AppPath + "TECHNCLN.TTF";
  if (platform.fileExists(oldCopy) && platform.directoryWritable(state_.AppPath))
    platform.deleteFile(oldCopy);
}

}  // namespace timer555
