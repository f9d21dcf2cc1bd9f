#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "platform/text_list.h"

namespace timer555::testing {

/// The lines of the program's text list `name` as the source tree holds it
/// (TIMER555_TEXT_DIR/NAME.txt), split as the program splits its compiled-in
/// copy. A missing file gives no lines.
inline TextList SourceTextList(const std::string& name) {
  std::ifstream file(std::string(TIMER555_TEXT_DIR) + "/" + name + ".txt", std::ios::binary);
  const std::string data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return SplitTextLines(data);
}

}  // namespace timer555::testing
