#pragma once

#include <string>

#include "design/design_kind.h"
#include "platform/canvas.h"
#include "platform/text_list.h"

namespace timer555 {

/// Window title of a design page.
std::string DesignTitle(DesignKind kind);

/// The capacitor a design's calculation starts from (C1, CapSeriesIndex,
/// CapDecade), C2, and the 50 % design's duty cycle, as its page sets them.
void SetStartingCapacitor(DesignKind kind);

/// The drawing part of a design page: clears the drawing area, loads the
/// design's script lines from `circuits` into `buffer`, sets DrawRect,
/// draws the bare schematic and sets the starting capacitor and C2.
/// Throws ScriptConversionError when the script is broken (what was drawn
/// stays).
void DrawDesignPage(DesignKind kind, Canvas& canvas, const TextList& circuits, TextList& buffer);

/// The face of the page texts when none is given: the display font.
inline constexpr const char* kPageFontFace = "Technical";

/// Application page ApplicationIndex: title, notes and marks, schematic.
/// `fontName` is the face of the page's texts.
void ShowApplicationPage(Canvas& canvas, const TextList& circuits, TextList& buffer, const TextList& apps,
                         const std::string& fontName = kPageFontFace);
/// The component selection notes.
void ShowComponentNotes(Canvas& canvas, const TextList& component);
/// The table of typical timer specifications.
void ShowSpecificationTable(Canvas& canvas, const TextList& timerData,
                            const std::string& fontName = kPageFontFace);

}  // namespace timer555
