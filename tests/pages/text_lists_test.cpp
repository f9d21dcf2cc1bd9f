// The fixed page texts as the program loads them from its resources.
#include "shell/text_lists.h"

#include <gtest/gtest.h>

#include <string>

namespace timer555 {
namespace {

TEST(PageTexts, LineCounts) {
  struct Case {
    const char* list;
    std::size_t lines;
  };
  const Case cases[] = {{"design", 12}, {"apps", 14}, {"help", 13}, {"timer_data", 55}, {"component", 14}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    EXPECT_EQ(LoadTextList(c.list).size(), c.lines);
  }
}

TEST(PageTexts, ExactLines) {
  struct Case {
    const char* list;
    std::size_t index;
    std::string text;
  };
  const Case cases[] = {
      {"design", 0, "Astable"},
      {"design", 4, "(Duty cycle = 50%)"},
      {"design", 8, "242424"},
      {"design", 9, "Monostable"},
      {"design", 11, "88"},
      {"apps", 0, "Triggering in monostable mode"},
      {"apps", 5, "Sequential (cascaded) timer"},
      {"apps", 13, "DC voltage doubler"},
      {"help", 0, "Design Mode"},
      {"help", 1, ""},
      {"help", 10, ""},
      {"component", 1, "Bipolar: LM55x, NE55x      CMOS: ICM755x, TLC55x"},
      {"component", 2, ""},
      {"component", 9, ""},
      {"component", 13, "parasitics, which typically are in the 5 - 20 pF range."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " line " + std::to_string(c.index));
    const TextList lines = LoadTextList(c.list);
    ASSERT_LT(c.index, lines.size());
    EXPECT_EQ(lines[c.index], c.text);
  }
}

// The help text is laid out with blanks: lines 7 to 10 are indented by
// five, and several keep blanks at their end. The last two lines are left
// empty for the program's own lines, which the page draws itself.
TEST(PageTexts, HelpLinesKeepTheirBlanks) {
  const TextList help = LoadTextList("help");
  ASSERT_EQ(help.size(), 13u);
  for (std::size_t i : {6u, 7u, 8u, 9u}) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(help[i].substr(0, 6).find_first_not_of(' '), 5u);
  }
  EXPECT_EQ(help[6], "     cursor over component (R1, R2, or C1). The cursor design   ");
  EXPECT_EQ(help[7], "     will change. Click on component, and enter new value. Note ");
  EXPECT_EQ(help[8], "     that now the frequency (or delay) and duty cycle will be ");
  EXPECT_EQ(help[9], "     recalculated. Values can be adjusted from -16.7% to +20%.");
  EXPECT_EQ(help[11], "");
  EXPECT_EQ(help[12], "");
}

// Eleven rows of five cells; an empty cell is an empty line.
TEST(PageTexts, TimerDataCells) {
  const TextList timerData = LoadTextList("timer_data");
  ASSERT_EQ(timerData.size(), 55u);
  auto cell = [&](int row, int column) {
    return timerData[static_cast<std::size_t>((row - 1) * 5 + (column - 1))];
  };
  struct Case {
    int row, column;
    std::string text;
  };
  const Case cases[] = {
      {1, 1, "Vcc"},
      {1, 2, ""},
      {1, 3, "4.5 - 16"},  // recommended range; 18 is the absolute maximum
      {1, 4, "2 - 18"},
      {1, 5, "V"},
      {2, 1, "Supply current"},
      {2, 5, "mA"},  // supply current of a whole chip, not nanoamperes
      {3, 1, ""},
      {3, 2, "15V"},
      {3, 4, "0.36"},
      {5, 2, "Isource"},
      {6, 1, "Threshold current"},
      {6, 5, "nA"},
      {7, 4, "0.01"},
      {8, 5, "%"},
      {10, 4, "15"},  // typical fall time
      {11, 1, "fmax"},
      {11, 3, "0.5"},
      {11, 5, "MHz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("row " + std::to_string(c.row) + " column " + std::to_string(c.column));
    EXPECT_EQ(cell(c.row, c.column), c.text);
  }
  // Every row names its unit.
  for (int row = 1; row <= 11; ++row) EXPECT_FALSE(cell(row, 5).empty()) << "row " << row;
}

TEST(PageTexts, DesignPatternsSumToTheirSketchWidth) {
  const TextList design = LoadTextList("design");
  ASSERT_EQ(design.size(), 12u);
  const int sums[] = {18, 16, 18, 16};
  for (int d = 1; d <= 4; ++d) {
    int sum = 0;
    for (char ch : design[static_cast<std::size_t>(3 * d - 1)]) {
      ASSERT_TRUE(ch >= '0' && ch <= '9') << "design " << d;
      sum += ch - '0';
    }
    EXPECT_EQ(sum, sums[d - 1]) << "design " << d;
  }
}

}  // namespace
}  // namespace timer555
