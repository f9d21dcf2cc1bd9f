#pragma once

#include <string>

#include "platform/canvas.h"
#include "shell/string_holder.h"

namespace timer555 {

/// The maker's web address on the start screen.
inline constexpr const char* MakerWebAddress = "www.timer555.example";

/// Where the help page says the README and the licence are: the folder the
/// Debian package installs them to (cmake/install.cmake, prefix /usr).
inline constexpr const char* DocsHelpLine = "README and licence: /usr/share/doc/timer555";

/// The help page's last line, the program's own: "timer555 " and the
/// version of the build, then where its documents are.
std::string ProgramHelpLine();

/// The help page's lines of our own about the keys, in the rows left free
/// below the design-mode steps: the ways a page or a design leaves and
/// enters the program, then the steps back and forth.
inline constexpr const char* KeysHelpLine =
    "[5] Ctrl+S saves, Ctrl+O opens a design, Ctrl+C copies, Ctrl+P prints.";
inline constexpr const char* StepsHelpLine =
    "[6] Ctrl+Z undoes, Ctrl+Y redoes, Alt+Left goes back, F5 simulates.";

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
