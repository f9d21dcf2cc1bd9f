#pragma once

#include <string>
#include <vector>

#include "platform/canvas.h"

namespace timer555 {

/// One line of the advice panel: its text and where it starts.
struct AdviceLine {
  std::string text;
  int left = 0;
};

/// The advice panel's layout: every finding starts a line of its own at the
/// left margin and is broken between words where it would pass the right
/// margin; its further lines are indented, so each finding stands apart.
/// Sets the panel's font on `c` (to measure with) and returns the lines.
std::vector<AdviceLine> LayOutAdvice(Canvas& c, const std::vector<std::string>& findings, int width,
                                     const std::string& fontName);

/// The height in pixels of a panel of `lineCount` lines, margins included.
int AdvicePanelHeight(Canvas& c, int lineCount);

/// Draws the panel on the whole of `c`: a rule along its top edge that parts
/// it from the drawing above, then the lines in a dark red.
void DrawAdvicePanel(Canvas& c, const std::vector<AdviceLine>& lines, const std::string& fontName);

}  // namespace timer555
