#pragma once

#include <string>

#include "platform/canvas.h"

namespace timer555 {

enum class WaveformForm { Astable, Monostable };

/// Draws the "Vout" panel: two periods of the astable pulse train with its
/// tH and tL texts (storing HighTime and LowTime), or one monostable pulse
/// with the text of the pulse-length field. `fontName` is the application
/// font face.
void DrawOutputWaveform(Canvas& canvas, WaveformForm form, const std::string& field1Text,
                        const std::string& fontName);

}  // namespace timer555
