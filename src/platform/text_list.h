#pragma once

#include <string>
#include <vector>

namespace timer555 {

/// A list of text lines, addressed from 0: the program's fixed texts, the
/// circuit library and the lines of the circuit being drawn.
using TextList = std::vector<std::string>;

}  // namespace timer555
