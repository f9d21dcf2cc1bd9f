#include "schematic/circuit_library.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace timer555 {

namespace {

// A record is its header line and then this many script lines.
constexpr std::size_t kScriptLinesPerRecord = 10;

}  // namespace

TextList CircuitRecord(const TextList& library, std::string_view name) {
  // Script lines are 59 characters of commands, headers at most seven, so a
  // script line never matches a name.
  for (std::size_t i = 0; i < library.size(); ++i) {
    if (library[i] != name) continue;
    const std::size_t end = std::min(library.size(), i + 1 + kScriptLinesPerRecord);
    return TextList(library.begin() + static_cast<std::ptrdiff_t>(i + 1),
                    library.begin() + static_cast<std::ptrdiff_t>(end));
  }
  return {};
}

std::string ApplicationRecordName(int page) {
  return (page < 10 ? "APPLIC" : "APPLI") + std::to_string(page);
}

}  // namespace timer555
