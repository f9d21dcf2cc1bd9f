#pragma once

#include <string>

#include "design/design_kind.h"
#include "design/design_state.h"
#include "platform/canvas.h"
#include "platform/text_list.h"

namespace timer555 {

/// Window title of a design page.
std::string DesignTitle(DesignKind kind);

/// The circuit record of a design (its script lines) in `circuits`.
TextList DesignRecord(DesignKind kind, const TextList& circuits);

/// The rectangle a design page's schematic is drawn in: the whole canvas.
inline Rect DesignArea(const Canvas& canvas) { return {0, 0, canvas.width(), canvas.height()}; }

/// The schematic of a design on its page, with the design's chip, cleared
/// first, the values beside the parts when `showValues`; returns where the
/// clickable parts were drawn. Throws ScriptConversionError when the script
/// is broken (what was drawn stays).
PartZones DrawDesignSchematic(const DesignState& design, Canvas& canvas, const TextList& circuits,
                              bool showValues);

/// The drawing part of a fresh design page: clears the drawing area and
/// draws the bare schematic (no values). Throws ScriptConversionError.
PartZones DrawDesignPage(const DesignState& design, Canvas& canvas, const TextList& circuits);

/// The face of the page texts when none is given: the display font.
inline constexpr const char* kPageFontFace = kDisplayFace;

/// Application page `page` (1..14): title, notes and marks, schematic (with
/// the page's own example values where it prints values, always the single
/// 555). `fontName` is the face of the page's texts. Any other page number
/// leaves the canvas as it is. Returns the zones of the parts drawn.
PartZones ShowApplicationPage(Canvas& canvas, int page, const TextList& circuits, const TextList& apps,
                              const std::string& fontName = kPageFontFace);
/// The component selection notes.
void ShowComponentNotes(Canvas& canvas, const TextList& component);
/// The table of typical timer specifications.
void ShowSpecificationTable(Canvas& canvas, const TextList& timerData,
                            const std::string& fontName = kPageFontFace);

}  // namespace timer555
