#pragma once

#include <string>

#include "platform/canvas.h"
#include "shell/string_holder.h"

namespace timer555 {

/// The maker's web address on the start screen.
inline constexpr const char* MakerWebAddress = "www.timer555.example";

/// Where the help page says the README and the licence are: the folder the
/// Debian package installs them to (cmake/install.cmake, prefix /usr).
inline constexpr const char* DocsHelpLine = "     README and licence: /usr/share/doc/timer555";

/// The help page's heading of the program's own lines: "timer555 " and the
/// version of the build.
std::string ProgramHelpLine();

/// The help page's line of our own about the keys that get a page out of
/// the program, in the row left free below the design-mode steps.
inline constexpr const char* KeysHelpLine = "[5] Ctrl+S saves this page, Ctrl+C copies it, Ctrl+P prints it.";

/// The drawing of the four menu-bar pages into the drawing area, in the
/// face `fontName`. The main window hides the input groups and sets
/// ActiveMenu before calling them.
/// Each page clears the whole canvas and sizes everything from its width and
/// height. Missing lines of a list draw as empty texts.

/// Four quadrants: design name (bold), subtitle and a waveform sketch each.
void DrawDesignMenuPage(Canvas& canvas, const TextList& shDesign, const std::string& fontName = kDisplayFace);
/// The fourteen application names in two columns of seven cells.
void DrawApplicationsMenuPage(Canvas& canvas, const TextList& shApps,
                              const std::string& fontName = kDisplayFace);
/// Two halves: the component notes and the table of timer data.
void DrawDataMenuPage(Canvas& canvas, const std::string& fontName = kDisplayFace);
/// The thirteen help lines, the keys line and the program's own lines.
void DrawHelpPage(Canvas& canvas, const TextList& shHelp, const std::string& fontName = kDisplayFace);

}  // namespace timer555
