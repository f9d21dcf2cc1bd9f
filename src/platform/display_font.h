#pragma once

#include <string>

#include "platform/platform_services.h"

namespace timer555 {

/// The display font's file beside the program.
inline constexpr const char* kDisplayFontFile = "appfont.dat";
/// What the program says when that file is missing.
inline constexpr const char* kMissingDisplayFont =
    "Unable to find application file \"appfont.dat.\" Re-installation required.";

/// Makes the display face (kDisplayFace) available for drawing: when a font
/// of that face is installed already (its name in any case), nothing more;
/// otherwise the file beside the program in `programDirectory` is
/// registered straight from where it lies (nothing is written there, which
/// may be a read-only system folder) and the windows are told. False when
/// the file is missing. The window, the command line and the tools all make
/// the font available this one way.
bool RegisterDisplayFont(PlatformServices& platform, const std::string& programDirectory);

}  // namespace timer555
