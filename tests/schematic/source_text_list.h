#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "platform/text_list.h"

namespace timer555::testing {

/// The lines of the program's text list `name` as the source tree holds it
/// (TIMER555_TEXT_DIR/NAME.txt), read as the program reads its compiled-in
/// copy: carriage returns dropped, trailing blanks and empty lines kept, the
/// final line break not making an extra line. A missing file gives no lines.
inline TextList SourceTextList(const std::string& name) {
  std::ifstream file(std::string(TIMER555_TEXT_DIR) + "/" + name + ".txt", std::ios::binary);
  const std::string data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  TextList lines;
  std::string current;
  for (char ch : data) {
    if (ch == '\r') continue;
    if (ch == '\n') {
      lines.push_back(current);
      current.clear();
    } else {
      current.push_back(ch);
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

}  // namespace timer555::testing
