#include "design/design_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "design/engine.h"
#include "design_test_support.h"

namespace timer555 {
namespace {

using testing::RowName;

/// A design calculated as the window's "Calculate" leaves it.
DesignState Calculated(DesignKind kind, const std::string& field1, const std::string& field2,
                       TimerChip chip = TimerChip::Single555, const CircuitSettings& settings = {}) {
  DesignState design = StartDesign(kind, chip, settings);
  const std::string duty = kind == DesignKind::Square ? design.Field2Typed : field2;
  const InputCheck check = ValidateInputs(design, field1, duty);
  EXPECT_FALSE(check.problem) << *check.problem;
  const ComponentsResult result = ComputeComponents(check.design);
  EXPECT_TRUE(result.computed) << result.error;
  design = RecordNominals(result.design, field1, duty);
  design.Calculated = true;
  design.Field1Text = design.Field1Typed = field1;
  design.Field2Text = design.Field2Typed = duty;
  return design;
}

DesignState Astable() { return Calculated(DesignKind::Astable, "1000", "60"); }

/// The astable design after one C1 step up, calculated with that capacitor.
DesignState SteppedC1() {
  DesignState design = *StepCapacitor(Astable(), 1);
  design = ComputeComponents(design, CapacitorSearch::Exact).design;
  return RecordNominals(design, design.Field1Typed, design.Field2Typed);
}

struct RoundTripRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const RoundTripRow& row) { return out << row.name; }
  DesignState design;
};

class DesignFileRoundTrip : public ::testing::TestWithParam<RoundTripRow> {};

// Each design written opens to the identical design; and each file kept in
// files/ (written by this version of the program, also the fuzzer's seeds)
// still opens and is written again byte for byte, so files users saved keep
// opening. TIMER555_UPDATE_GOLDEN=1 writes the files anew.
TEST_P(DesignFileRoundTrip, OpensToTheIdenticalDesign) {
  const RoundTripRow& row = GetParam();
  const std::string text = WriteDesignFile(row.design);
  const DesignFileRead read = ReadDesignFile(text);
  ASSERT_TRUE(read.design) << read.problem << "\n" << text;
  EXPECT_EQ(read.problem, "");
  EXPECT_TRUE(*read.design == row.design) << text << "\nread back:\n" << WriteDesignFile(*read.design);

  const std::string path = std::string(TIMER555_TEST_DATA_DIR) + "/files/" + row.name + ".t555";
  const char* update = std::getenv("TIMER555_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") std::ofstream(path, std::ios::binary) << text;
  std::stringstream kept;
  kept << std::ifstream(path, std::ios::binary).rdbuf();
  ASSERT_FALSE(kept.str().empty()) << "missing " << path << " (set TIMER555_UPDATE_GOLDEN=1)";
  const DesignFileRead keptRead = ReadDesignFile(kept.str());
  ASSERT_TRUE(keptRead.design) << path << ": " << keptRead.problem;
  EXPECT_EQ(WriteDesignFile(*keptRead.design), kept.str()) << path;
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DesignFileRoundTrip,
    ::testing::Values(RoundTripRow{"Astable1000Hz60", Astable()},
                      RoundTripRow{"Square2kHz", Calculated(DesignKind::Square, "2000", "")},
                      RoundTripRow{"LowDuty500Hz25Decimals",
                                   Calculated(DesignKind::LowDuty, "500.25", "25.5")},
                      RoundTripRow{"Monostable10ms", Calculated(DesignKind::Monostable, "0.01", "")},
                      RoundTripRow{"AdjustedR1", AdjustPart(Astable(), AdjustablePart::R1, 4700).design},
                      RoundTripRow{"SteppedC1", SteppedC1()},
                      RoundTripRow{"Chip556B", SwitchChip(Astable(), -1)},
                      RoundTripRow{"CmosAt5V", Calculated(DesignKind::Astable, "1000", "60",
                                                          TimerChip::Dual556A, {5, TimerFamily::Cmos})},
                      RoundTripRow{"NotCalculated", StartDesign(DesignKind::Square)}),
    RowName<RoundTripRow>);

/// The file of the astable design with the first `"key": value` given a new
/// value text (the parts come before the nominal values).
std::string WithValue(const std::string& key, const std::string& value) {
  const std::regex field("\"" + key + "\": [^,\n]*");
  return std::regex_replace(WriteDesignFile(Astable()), field, "\"" + key + "\": " + value,
                            std::regex_constants::format_first_only);
}

std::string Without(const std::string& key) {
  return std::regex_replace(WriteDesignFile(Astable()), std::regex("\n *\"" + key + "\": [^\n]*"), "",
                            std::regex_constants::format_first_only);
}

struct BadFileRow {
  std::string name;
  friend std::ostream& operator<<(std::ostream& out, const BadFileRow& row) { return out << row.name; }
  std::string bytes;
  std::string words;  ///< expected within the problem
};

class BadDesignFile : public ::testing::TestWithParam<BadFileRow> {};

TEST_P(BadDesignFile, IsRefusedWithTheProblem) {
  const BadFileRow& row = GetParam();
  const DesignFileRead read = ReadDesignFile(row.bytes);
  EXPECT_FALSE(read.design);
  EXPECT_NE(read.problem.find(row.words), std::string::npos) << read.problem;
}

std::string Good() { return WriteDesignFile(Astable()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Problems, BadDesignFile,
    ::testing::Values(
        BadFileRow{"Empty", "", "The file is empty."},
        BadFileRow{"OnlyBlanks", " \n\t", "The file is empty."},
        BadFileRow{"TooLarge", std::string(kMaxDesignFileBytes + 1, ' '), "too large for a design file: 1048577 bytes"},
        BadFileRow{"Binary", std::string("\x89PNG\r\n\x1a\n\0\0", 10), "binary data"},
        BadFileRow{"NulInText", Good().substr(0, 40) + std::string(1, '\0') + Good().substr(40), "binary data"},
        BadFileRow{"NotJson", "design 1, 1000 Hz", "not valid JSON: a word JSON does not know at line 1, column 1"},
        BadFileRow{"StrayCharacter", WithValue("number", "1 ]"), "not valid JSON: a character that does not belong there at line 4"},
        BadFileRow{"TextAfterTheEnd", Good() + "x", "more text after the end"},
        BadFileRow{"NotUtf8", WithValue("Field1Text", "\"\xff\""), "not UTF-8 at line 10, column 20"},
        BadFileRow{"Truncated", Good().substr(0, Good().size() / 2), "truncated: it ends at line"},
        BadFileRow{"NotAnObject", "[1, 2]", "not a design: it holds a single array value"},
        BadFileRow{"NoVersion", Without("version"), "no \"version\"; this program reads version 1."},
        BadFileRow{"FutureVersion", WithValue("version", "2"), "The file is version 2; this program reads version 1."},
        BadFileRow{"VersionAsText", WithValue("version", "\"1\""), "\"version\" is \"1\", not a version number"},
        BadFileRow{"MissingPart", Without("R2"), "The file has no \"R2\" in \"parts\"."},
        BadFileRow{"SectionNotObject", std::regex_replace(Good(), std::regex("\"times\": \\{[^}]*\\}"), "\"times\": 3"), "\"times\" is not an object."},
        BadFileRow{"PartAsText", WithValue("R1", "\"4k7\""), "\"R1\" in \"parts\" is not a number."},
        BadFileRow{"NaN", WithValue("R1", "NaN"), "NaN and Infinity are no numbers in JSON"},
        BadFileRow{"Infinite", WithValue("C1", "1e999"), "a number too large to read"},
        BadFileRow{"NegativePart", WithValue("C1", "-1e-09"), "\"C1\" in \"parts\" is -1e-09; it must not be negative."},
        BadFileRow{"DutyAboveOne", WithValue("DutyCycle", "1.5"), "\"DutyCycle\" in \"inputs\" is 1.5; it must lie between 0 and 1."},
        BadFileRow{"FractionalIndex", WithValue("CapSeriesIndex", "1.5"), "\"CapSeriesIndex\" in \"capacitor\" is not a whole number."},
        BadFileRow{"IndexOutsideE12", WithValue("CapSeriesIndex", "12"), "is 12; it must lie between 0 and 11."},
        BadFileRow{"DecadeOutside", WithValue("CapDecade", "400"), "\"CapDecade\" in \"capacitor\" is 400; it must lie between -290 and 300."},
        BadFileRow{"HugeDecade", WithValue("CapDecade", "18446744073709551615"), "\"CapDecade\" in \"capacitor\" is 18446744073709551615;"},
        BadFileRow{"StartCapacitorAbove1mF", WithValue("StartCapDecade", "4"), "starting capacitor (\"StartCapIndex\", \"StartCapDecade\") lies outside 10 pF to 1 mF"},
        BadFileRow{"DesignNumberFive", WithValue("number", "5"), "\"number\" in \"design\" is 5; it must lie between 1 and 4."},
        BadFileRow{"DesignNameMismatch", WithValue("name", "\"square\""), "\"name\" in \"design\" is \"square\", but design 1 is \"astable\"."},
        BadFileRow{"UnknownChip", WithValue("chip", "\"NE558\""), "\"chip\" is \"NE558\"; it must be one of \"555\", \"556A\", \"556B\"."},
        BadFileRow{"CalculatedAsText", WithValue("calculated", "\"yes\""), "\"calculated\" is not true or false."},
        BadFileRow{"UnknownFamily", WithValue("family", "\"nmos\""), "\"family\" in \"circuit\" is \"nmos\"; it must be one of \"bipolar\", \"cmos\"."},
        BadFileRow{"SupplyAboveBipolar", WithValue("vcc", "20"), "The supply of 20 V is outside what a bipolar timer runs on (4.5 to 16 V)."},
        BadFileRow{"SupplyBelowCmos", std::regex_replace(WithValue("vcc", "1.5"), std::regex("bipolar"), "cmos"), "outside what a CMOS timer runs on (2 to 15 V)."},
        BadFileRow{"ShownTextNotANumber", WithValue("Field2Text", "\"6O\""), "\"Field2Text\" in \"inputs\" is \"6O\", which is not a number."},
        BadFileRow{"FrequencyRefused", WithValue("Field1Typed", "\"5000000\""), "The inputs typed are refused: Frequency not realistic."},
        BadFileRow{"DutyRefused", WithValue("Field2Typed", "\"40\""), "refused: Duty cycle not realistic for this mode."},
        BadFileRow{"CalculatedWithoutInputs", WithValue("Field1Typed", "\"\""), "refused: Frequency not entered."},
        BadFileRow{"CalculatedWithoutTiming", WithValue("R1", "0"), "marked calculated, but its parts give no timing: No oscillation with these component values."}),
    RowName<BadFileRow>);
// clang-format on

}  // namespace
}  // namespace timer555
