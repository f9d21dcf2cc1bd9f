#include <gtest/gtest.h>

#include "scenario_script.h"

namespace {

using timer555::scenario::ParseScript;
using timer555::scenario::ScriptError;

TEST(ScriptParser, ReadsEveryCommandWithItsArguments) {
  auto c = ParseScript(
      "# comment line\n"
      "\n"
      "menu Applications   # trailing comment\n"
      "menubar -3\n"
      "click 10 20\n"
      "move 0 307\n"
      "type freq 12.5\n"
      "paste duty  4a\n"
      "paste freq\n"
      "enter dialog\n"
      "calculate\n"
      "arrow between\n"
      "arrowx 61\n"
      "radio Timer\n"
      "dialog 8.4\n"
      "snapshot step-1_a\n"
      "close\n"
      "key ctrl+Q\n"
      "dialog keys Up  Down Return\n");
  ASSERT_EQ(c.size(), 17u);
  EXPECT_EQ(c[0].line, 3);
  EXPECT_EQ(c[0].word, "Applications");
  EXPECT_EQ(c[1].ints, std::vector<int>{-3});
  EXPECT_EQ(c[2].ints, (std::vector<int>{10, 20}));
  EXPECT_EQ(c[3].name, "move");
  EXPECT_EQ(c[4].word, "freq");
  EXPECT_EQ(c[4].text, "12.5");
  // Only one blank separates the field from the text; the rest is kept.
  EXPECT_EQ(c[5].text, " 4a");
  EXPECT_EQ(c[6].text, "");
  EXPECT_EQ(c[7].word, "dialog");
  EXPECT_EQ(c[9].word, "between");
  EXPECT_EQ(c[10].ints, std::vector<int>{61});
  EXPECT_EQ(c[11].word, "Timer");
  EXPECT_EQ(c[12].text, "8.4");
  EXPECT_EQ(c[13].word, "step-1_a");
  EXPECT_EQ(c[14].name, "close");
  EXPECT_EQ(c[15].word, "ctrl+Q");
  EXPECT_EQ(c[16].word, "keys");
  EXPECT_EQ(c[16].text, "Up Down Return");
}

TEST(ScriptParser, RefusesBadLinesNamingTheLine) {
  struct Row {
    const char* name;
    const char* script;
    int line;
  };
  const Row rows[] = {
      {"unknown command", "menu Design\nfrobnicate\n", 2},
      {"unknown menu entry", "menu Options\n", 1},
      {"lower-case menu entry", "menu design\n", 1},
      {"missing y", "\n\nclick 10\n", 3},
      {"not a number", "click 10 y\n", 1},
      {"number with junk", "menubar 12px\n", 1},
      {"extra argument", "calculate now\n", 1},
      {"extra number", "move 1 2 3\n", 1},
      {"bad field", "type speed 10\n", 1},
      {"bad arrow", "arrow left\n", 1},
      {"bad radio", "radio C2\n", 1},
      {"snapshot without name", "snapshot\n", 1},
      {"snapshot with a path", "snapshot ../x\n", 1},
      {"enter with text", "enter freq 1\n", 1},
      {"key without a name", "key\n", 1},
      {"unknown key name", "key Upp\n", 1},
      {"two keys", "key Up Down\n", 1},
      {"dialog keys without keys", "dialog keys\n", 1},
      {"dialog keys with an unknown one", "dialog keys Up Foo Return\n", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      ParseScript(row.script);
      ADD_FAILURE() << "accepted";
    } catch (const ScriptError& e) {
      EXPECT_EQ(e.line(), row.line);
    }
  }
}

}  // namespace
