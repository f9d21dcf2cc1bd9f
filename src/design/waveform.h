#pragma once

#include <string>

#include "design/design_state.h"
#include "platform/canvas.h"

namespace timer555 {

enum class WaveformForm { Astable, Monostable };

/// Draws the "Vout" panel: two periods of the astable pulse train at the
/// design's duty cycle with its tH and tL texts (from the duty cycle and the
/// frequency), or one monostable pulse with the text of the pulse-length
/// field. `fontName` is the application font face.
void DrawOutputWaveform(Canvas& canvas, WaveformForm form, const DesignState& design,
                        const std::string& field1Text, const std::string& fontName);

}  // namespace timer555
