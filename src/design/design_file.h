#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "design/design_state.h"

namespace timer555 {

/// The version of the design files this program writes and reads. A file
/// of any other version is refused with both numbers named.
inline constexpr int kDesignFileVersion = 1;

/// The largest design file read; a larger one is refused before it is
/// parsed. A design file is about a kilobyte.
inline constexpr std::size_t kMaxDesignFileBytes = 1 << 20;

/// The design as the text of a design file: indented JSON with a "version",
/// the design (number and name), the inputs as typed and as shown, the parts
/// as adjusted, the nominal values, C1's position and the starting
/// capacitor, the chip, whether it is calculated, the output times and the
/// circuit settings. Numbers are written so that they read back exactly.
std::string WriteDesignFile(const DesignState& design);

/// The outcome of reading a design file: the design, or else a sentence
/// that says what is wrong with the file (the caller puts the file's name in
/// front of it).
struct DesignFileRead {
  std::optional<DesignState> design;
  std::string problem;
};

/// The design a design file holds. A file WriteDesignFile wrote gives the
/// identical design. Anything else that is not a sound design of this
/// version is refused with a problem: an empty, binary, oversized,
/// truncated or not-JSON file, a missing or mistyped key, a number that is
/// out of range, inputs the entry fields would refuse, a supply outside the
/// timer family's range, or a design marked calculated whose parts give no
/// timing. Never throws.
DesignFileRead ReadDesignFile(std::string_view bytes);

}  // namespace timer555
