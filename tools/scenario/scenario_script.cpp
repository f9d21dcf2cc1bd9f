#include "scenario_script.h"

#include <cctype>
#include <charconv>
#include <sstream>

#include "testsupport/key_presses.h"

namespace timer555::scenario {

namespace {

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.pop_back();
  return s;
}

// Splits off the next blank-separated word; `rest` keeps what follows it
// without the one separating blank.
std::string NextWord(std::string& rest) {
  std::size_t start = rest.find_first_not_of(" \t");
  if (start == std::string::npos) {
    rest.clear();
    return {};
  }
  std::size_t end = rest.find_first_of(" \t", start);
  std::string word = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
  rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
  return word;
}

bool OneOf(const std::string& word, std::initializer_list<const char*> choices) {
  for (const char* c : choices)
    if (word == c) return true;
  return false;
}

class LineParser {
 public:
  LineParser(int line, std::string rest) : line_(line), rest_(std::move(rest)) {}

  [[noreturn]] void Fail(const std::string& what) const { throw ScriptError(line_, what); }

  int Int(const char* what) {
    std::string w = NextWord(rest_);
    int value = 0;
    auto [ptr, ec] = std::from_chars(w.data(), w.data() + w.size(), value);
    if (w.empty() || ec != std::errc() || ptr != w.data() + w.size())
      Fail(std::string("expected ") + what + ", got '" + w + "'");
    return value;
  }

  std::string Word(const char* what, std::initializer_list<const char*> choices) {
    std::string w = NextWord(rest_);
    if (!OneOf(w, choices)) Fail(std::string("bad ") + what + " '" + w + "'");
    return w;
  }

  std::string Name() {
    std::string w = NextWord(rest_);
    if (w.empty()) Fail("missing snapshot name");
    for (char c : w)
      if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.'))
        Fail("bad snapshot name '" + w + "'");
    return w;
  }

  /// A Qt key name ("Return", "Up", "ctrl+Q").
  std::string Key() {
    std::string w = NextWord(rest_);
    if (w.empty()) Fail("missing key name");
    if (!KeyFromName(w)) Fail("bad key name '" + w + "'");
    return w;
  }

  /// The key names up to the end of the line, at least one, joined by one
  /// blank.
  std::string Keys() {
    std::string keys = Key();
    while (rest_.find_first_not_of(" \t") != std::string::npos) keys += " " + Key();
    return keys;
  }

  std::string Rest() {
    std::string r = rest_;
    rest_.clear();
    return r;
  }

  void End() {
    if (rest_.find_first_not_of(" \t") != std::string::npos) Fail("unexpected argument '" + rest_ + "'");
  }

 private:
  int line_;
  std::string rest_;
};

}  // namespace

std::vector<Command> ParseScript(const std::string& script) {
  std::vector<Command> commands;
  std::istringstream in(script);
  std::string raw;
  int lineNo = 0;
  while (std::getline(in, raw)) {
    ++lineNo;
    std::size_t hash = raw.find('#');
    if (hash != std::string::npos) raw.erase(hash);
    std::string rest = TrimRight(raw);
    Command cmd;
    cmd.line = lineNo;
    cmd.name = NextWord(rest);
    if (cmd.name.empty()) continue;
    LineParser p(lineNo, rest);
    const std::string& n = cmd.name;
    if (n == "menu") {
      cmd.word = p.Word("menu entry", {"Design", "Applications", "Data", "Quit", "Help"});
    } else if (n == "menubar" || n == "arrowx") {
      cmd.ints.push_back(p.Int("x"));
    } else if (n == "click" || n == "move") {
      cmd.ints.push_back(p.Int("x"));
      cmd.ints.push_back(p.Int("y"));
    } else if (n == "type" || n == "paste") {
      cmd.word = p.Word("field", {"freq", "duty", "dialog"});
      cmd.text = p.Rest();
    } else if (n == "enter") {
      cmd.word = p.Word("field", {"freq", "duty", "dialog"});
    } else if (n == "calculate" || n == "close") {
    } else if (n == "arrow") {
      cmd.word = p.Word("arrow", {"up", "down", "between"});
    } else if (n == "radio") {
      cmd.word = p.Word("radio button", {"C1", "Timer"});
    } else if (n == "key") {
      cmd.word = p.Key();
    } else if (n == "dialog") {
      cmd.text = p.Rest();
      // "dialog keys Up Up Return": key presses for the next dialog.
      std::string rest = cmd.text;
      if (NextWord(rest) == "keys") {
        LineParser keys(lineNo, rest);
        cmd.word = "keys";
        cmd.text = keys.Keys();
      }
    } else if (n == "snapshot") {
      cmd.word = p.Name();
    } else if (n == "vcc") {
      cmd.text = p.Rest();
      if (cmd.text.empty()) p.Fail("missing supply voltage");
    } else if (n == "family") {
      cmd.word = p.Word("family", {"bipolar", "cmos"});
    } else if (n == "combination") {
      cmd.ints.push_back(p.Int("combination number"));
    } else if (n == "save" || n == "open") {
      cmd.text = p.Rest();
      if (cmd.text.empty()) p.Fail("missing file name");
    } else {
      p.Fail("unknown command '" + n + "'");
    }
    p.End();
    commands.push_back(std::move(cmd));
  }
  return commands;
}

}  // namespace timer555::scenario
