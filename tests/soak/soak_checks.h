#pragma once

#include <set>
#include <string>

#include "design/design_state.h"

namespace timer555::soak {

/// Empty when `text` is fit to be shown; otherwise what is wrong with it
/// (a "nan" or "inf" in any letter case). `what` names the text.
std::string CheckPrintedText(const std::string& what, const std::string& text);

/// Empty when every number of the design state is finite.
std::string CheckDesignState(const DesignState& state);

/// Empty when the value texts the schematic and the waveform would print for
/// the state's components and times are fit to be shown.
std::string CheckValueTexts(const DesignState& state);

/// Follows one entry field. What the user's own action leaves in it is
/// theirs (a pasted "nan" stays "nan"); any other change was written by the
/// program and must be empty or a finite plain number.
class FieldWatch {
 public:
  std::string Check(const std::string& text, bool userAction, const std::string& what);

 private:
  std::string last_;
  /// Every text the user put into the field: undo, going back and opening
  /// a saved design put them back, and they stay the user's.
  std::set<std::string> typed_;
};

}  // namespace timer555::soak
