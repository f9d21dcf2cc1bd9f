#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "schematic/schematic_inputs.h"

namespace timer555 {

/// Raised when a number field of a circuit script is not a decimal number.
/// The message is "'XX' is not a valid integer value" with the field's text.
/// What was drawn before stays; the handler that started the drawing shows
/// the message once.
class ScriptConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Draws circuit script lines on a 70 x 33 grid laid over `rect` of the
/// canvas, as `options` ask (values beside the parts, the chip, clearing
/// first), and returns where the clickable parts were drawn. Each drawing
/// starts from a fresh drawing state. Throws ScriptConversionError (what was
/// drawn before stays).
PartZones RunCircuitScript(const std::vector<std::string>& lines, Canvas& canvas, const Rect& rect,
                           const DrawOptions& options);

}  // namespace timer555
