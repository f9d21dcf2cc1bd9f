#pragma once

#include "platform/canvas.h"
#include "shell/string_holder.h"

namespace timer555 {

/// The drawing of the four menu-bar pages into the drawing area. The main
/// window hides the input groups and sets ActiveMenu before calling them.
void DrawDesignMenuPage(Canvas& canvas, const TextList& shDesign);
void DrawApplicationsMenuPage(Canvas& canvas, const TextList& shApps);
void DrawDataMenuPage(Canvas& canvas);
void DrawHelpPage(Canvas& canvas, const TextList& shHelp);

}  // namespace timer555
