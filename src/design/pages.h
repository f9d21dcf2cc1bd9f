#pragma once

#include <string>

#include "platform/canvas.h"
#include "shell/string_holder.h"

namespace timer555 {

/// Window title of design page 1..4.
std::string DesignTitle(int mode);

/// The drawing part of a design page: clears the drawing area, loads the
/// design's ten script lines from `circuits` into `buffer`, sets DrawRect,
/// draws the bare schematic and sets the starting capacitor and C2.
/// Throws ScriptConversionError when the script is broken (what was drawn
/// stays).
void DrawDesignPage(int mode, Canvas& canvas, const TextList& circuits, TextList& buffer);

/// Application page ApplicationIndex: title, notes and marks, schematic.
void ShowApplicationPage(Canvas& canvas, const TextList& circuits, TextList& buffer, const TextList& apps);
/// The component selection notes.
void ShowComponentNotes(Canvas& canvas, const TextList& component);
/// The table of typical timer specifications.
void ShowSpecificationTable(Canvas& canvas, const TextList& timerData);

}  // namespace timer555
