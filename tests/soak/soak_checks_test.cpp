// The soak run's checks must see what they are there to see: otherwise a
// passing soak run proves nothing.
#include "soak_checks.h"

#include <gtest/gtest.h>

#include <limits>

namespace timer555::soak {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(SoakChecks, PrintedText) {
  struct Row {
    const char* name;
    const char* text;
    bool fine;
  };
  const Row rows[] = {
      {"plain value", "4.7K", true},
      {"capacitance", "100nF", true},
      {"empty", "", true},
      {"title", "Astable Multivibrator", true},
      {"lower nan", "nan", false},
      {"upper NAN", "NAN", false},
      {"inf inside", "R1 = infK", false},
      {"minus inf", "-inf", false},
      {"Infinity", "Infinity", false},
      {"nan with unit", "nanpF", false},
  };
  for (const Row& r : rows) EXPECT_EQ(CheckPrintedText("x", r.text).empty(), r.fine) << r.name;
}

TEST(SoakChecks, DesignStateNamesTheFirstNonFiniteValue) {
  DesignState fine;
  fine.Frequency = 1000;
  fine.R1 = 4700;
  EXPECT_EQ(CheckDesignState(fine), "");

  struct Row {
    const char* name;
    double DesignState::*member;
    double value;
  };
  const Row rows[] = {
      {"Frequency", &DesignState::Frequency, kNaN},
      {"DutyCycle", &DesignState::DutyCycle, kInf},
      {"PulseLength", &DesignState::PulseLength, -kInf},
      {"C1", &DesignState::C1, kNaN},
      {"C4", &DesignState::C4, kInf},
      {"R2", &DesignState::R2, kNaN},
      {"NominalR1", &DesignState::NominalR1, kInf},
      {"LowTime", &DesignState::LowTime, kNaN},
  };
  for (const Row& r : rows) {
    DesignState s = fine;
    s.*r.member = r.value;
    const std::string problem = CheckDesignState(s);
    EXPECT_NE(problem.find(r.name), std::string::npos) << r.name << ": " << problem;
  }
}

TEST(SoakChecks, ValueTextsOfFiniteComponentsAreFine) {
  DesignState s;
  s.R1 = 5230.5;
  s.R2 = 0;
  s.C1 = 1e-7;
  s.HighTime = 6e-4;
  s.LowTime = 4e-4;
  EXPECT_EQ(CheckValueTexts(s), "");
}

TEST(SoakChecks, FieldWatchTrustsTheUserButNotTheProgram) {
  struct Row {
    const char* name;
    const char* text;
    bool user;
    bool fine;
  };
  const std::string overflowDigits(400, '9');
  // One sequence on one field: each row is the text after a step.
  const Row rows[] = {
      {"user pastes nan", "nan", true, true},
      {"nan unchanged later", "nan", false, true},
      {"program writes a number", "1000.5", false, true},
      {"program clears", "", false, true},
      {"program writes nan", "nan", false, false},
      {"program writes inf", "inf", false, false},
      {"program writes an exponent", "1e300", false, false},
      {"program writes two points", "1.2.3", false, false},
      {"program writes a lone minus", "-", false, false},
      {"program writes a negative", "-12.5", false, true},
      {"program writes overflow digits", overflowDigits.c_str(), false, false},
      {"user types an exponent", "1e3", true, true},
      {"program writes something else", "7", false, true},
      {"undo puts the user's text back", "1e3", false, true},
      {"user pastes junk", "x-1e9", true, true},
  };
  FieldWatch watch;
  for (const Row& r : rows) EXPECT_EQ(watch.Check(r.text, r.user, "field").empty(), r.fine) << r.name;
}

}  // namespace
}  // namespace timer555::soak
