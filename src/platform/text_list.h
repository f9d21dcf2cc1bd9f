#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace timer555 {

/// A list of text lines, addressed from 0: the program's fixed texts, the
/// circuit library and the lines of the circuit being drawn.
using TextList = std::vector<std::string>;

/// The lines of a text file's contents: carriage returns dropped, trailing
/// blanks and empty lines kept, the final line break not making an extra line.
inline TextList SplitTextLines(std::string_view data) {
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

}  // namespace timer555
