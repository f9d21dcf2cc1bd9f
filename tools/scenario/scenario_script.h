#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace timer555::scenario {

/// One command of a scenario script. Besides the pointer and key commands:
/// `vcc TEXT` types the supply voltage into the panel's field and presses
/// Enter, `family bipolar|cmos` clicks the family, `combination N` applies
/// the Nth standard-value combination listed, `save FILE` and `open FILE`
/// save and open as Ctrl+S and Ctrl+O do after their dialogs (a relative
/// FILE lies in the output folder). `ints` holds the numbers of the
/// pointer commands, `word` the keyword argument (menu entry, field, arrow,
/// radio button, snapshot name, the key name of `key`, "keys" for
/// `dialog keys`) and `text` the free text of type, paste and dialog (the
/// key names of `dialog keys`, one blank apart).
struct Command {
  int line = 0;
  std::string name;
  std::vector<int> ints;
  std::string word;
  std::string text;
};

/// A script line that is not a known command with valid arguments.
class ScriptError : public std::runtime_error {
 public:
  ScriptError(int line, const std::string& what) : std::runtime_error(what), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

/// Parses a whole script: one command a line, `#` starts a comment, blank
/// lines are skipped. Throws ScriptError naming the first bad line.
std::vector<Command> ParseScript(const std::string& script);

}  // namespace timer555::scenario
