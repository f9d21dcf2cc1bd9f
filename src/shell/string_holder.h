#pragma once

#include <string>

#include "platform/text_list.h"

namespace timer555 {

/// Owns one list of text lines: the program's fixed texts and circuit
/// scripts, and the scratch list of the circuit being drawn. Callers read
/// and change `Strings()` in place; assigning copies the lines.
class TStringHolder final {
 public:
  TStringHolder() = default;
  explicit TStringHolder(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  TextList& Strings() { return strings_; }
  const TextList& Strings() const { return strings_; }
  void SetStrings(const TextList& lines) { strings_ = lines; }

 private:
  std::string name_;
  TextList strings_;
};

}  // namespace timer555
