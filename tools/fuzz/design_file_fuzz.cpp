// Feeds arbitrary bytes to the design-file reader. Every read must give
// either a design or a problem, never both; a design read must be written
// and read back to the identical design, and written again to the identical
// text. Anything else (a crash, a sanitizer report, an exception) is a
// fault.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "design/design_file.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace timer555;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const DesignFileRead read = ReadDesignFile(bytes);
  Require(read.design.has_value() == read.problem.empty());
  if (!read.design) return 0;

  const std::string text = WriteDesignFile(*read.design);
  const DesignFileRead again = ReadDesignFile(text);
  Require(again.design.has_value() && again.problem.empty());
  Require(*again.design == *read.design);
  Require(WriteDesignFile(*again.design) == text);
  return 0;
}
