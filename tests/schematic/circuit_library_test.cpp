#include <sstream>

#include "schematic_test_support.h"
#include "source_text_list.h"

namespace timer555::testing {
namespace {

using Lines = std::vector<std::string>;

// The commands of a record, in order, without the "XXXXX" padding.
Lines Commands(const TextList& library, int record) {
  Lines out;
  for (int i = 1; i <= 10; ++i) {
    const std::string& line = library.at(static_cast<std::size_t>(11 * record + i));
    for (std::size_t at = 0; at + 5 <= line.size(); at += 6) {
      std::string cmd = line.substr(at, 5);
      if (cmd != "XXXXX") out.push_back(cmd);
    }
  }
  return out;
}

Lines Split(const std::string& text) {
  Lines out;
  for (std::size_t at = 0; at + 5 <= text.size(); at += 6) out.push_back(text.substr(at, 5));
  return out;
}

Lines Body(const TextList& library, int record) {
  auto first = library.begin() + 11 * record + 1;
  return {first, first + 10};
}

class CircuitLibraryTest : public SchematicTest {
 protected:
  TextList library = SourceTextList("circuits");
};

TEST_F(CircuitLibraryTest, TwentyRecordsOfElevenLines) {
  ASSERT_EQ(library.size(), 220u);
  const Lines headers = {"DESIGN1", "DESIGN2", "DESIGN3", "DESIGN4", "APPLIC1", "APPLIC2", "APPLIC3",
                         "APPLIC4", "APPLIC5", "APPLIC6", "APPLIC7", "APPLIC8", "APPLIC9", "APPLI10",
                         "APPLI11", "APPLI12", "APPLI13", "APPLI14", "APPLI15", "APPLI16"};
  for (int r = 0; r < 20; ++r) {
    EXPECT_EQ(library[static_cast<std::size_t>(11 * r)], headers[static_cast<std::size_t>(r)]) << r;
    for (int i = 1; i <= 10; ++i) {
      const std::string& line = library[static_cast<std::size_t>(11 * r + i)];
      ASSERT_EQ(line.size(), 59u) << "record " << r << " line " << i;
      for (std::size_t blank = 5; blank < 59; blank += 6) EXPECT_EQ(line[blank], ' ') << r << "/" << i;
    }
  }
}

TEST_F(CircuitLibraryTest, RecordsHoldTheirCommandsInOrder) {
  ASSERT_EQ(library.size(), 220u);
  EXPECT_EQ(Commands(library, 0),
            Split("M1620 5551R M1206 RVDL1 D1213 RVDL2 D1224 CVDL1 G1524 M2024 CVDL2 GILFE M2424 D2429 GGWSL "
                  "J1212 D1612 J1220 D1620 J1520 D1516 D1616 M1206 D1205 D2405 D2409 M2009 D2003 T2003 LRVcc "
                  "J2005 M2816 D3116 T3116 LRV o"));
  EXPECT_EQ(Commands(library, 11),
            Split("M1212 D1222 M1217 D1317 M1317 LL3   M1317 RHRU2 D1817 J1817 CHRU2 D2317 xaRFU M2323 D2329 "
                  "GTXEU M1829 GXXXX M1829 D1827 dVUR1 D1817 M3423 spIUR M3217 D3417 M3223 D3423 M4212 D4222 "
                  "M4217 D4617 M4317 LL3   M4617 RHRU1 D5317 M5323 spURO M5323 CVDR1 GKKDA"));
  const Lines applic1 = Commands(library, 4);
  ASSERT_EQ(applic1.size(), 61u);
  EXPECT_EQ(applic1[9], "LR2  ");
  EXPECT_EQ(applic1.back(), "D5920");
  EXPECT_EQ(Commands(library, 17).size(), 73u);
  EXPECT_TRUE(Commands(library, 18).empty());
  EXPECT_TRUE(Commands(library, 19).empty());
}

TEST_F(CircuitLibraryTest, EveryRecordDrawsWithAndWithoutValues) {
  ASSERT_EQ(library.size(), 220u);
  options.values.R1 = 2885.39;
  options.values.R2 = 5770.78;
  options.values.C1 = 1e-7;
  options.values.C2 = 1e-8;
  for (int r = 0; r < 20; ++r) {
    for (int show = 0; show <= 1; ++show) {
      canvas.clear();
      EXPECT_NO_THROW(Run(Body(library, r), {0, 0, 610, 308}, show)) << r;
      EXPECT_EQ(canvas.calls.empty(), r >= 18) << r;
    }
  }
}

TEST_F(CircuitLibraryTest, FirstDesignRecordsZonesAndValues) {
  ASSERT_EQ(library.size(), 220u);
  options.values.R1 = 2885.39;
  options.values.R2 = 5770.78;
  options.values.C1 = 1e-7;
  options.values.C2 = 1e-8;
  options.clearFirst = true;
  Run(Body(library, 0), {0, 0, 650, 308}, 1);
  // Grid 9 x 9: R1 from (108, 72), R2 from (108, 135), C1 from (108, 234).
  EXPECT_EQ(zones.Resistors[1], (Rect{104, 85, 112, 112}));
  EXPECT_EQ(zones.Resistors[2], (Rect{104, 148, 112, 175}));
  EXPECT_EQ(zones.C1, (Rect{98, 247, 118, 274}));
  EXPECT_EQ(TextCall("2.885K").fontColor, colors::Red);
  EXPECT_EQ(TextCall("5.771K").fontColor, colors::Red);
  EXPECT_EQ(TextCall("100nF").fontColor, colors::Red);
  EXPECT_EQ(TextCall("10nF").fontColor, colors::Red);
  EXPECT_EQ(TextCall("555").fontColor, colors::Red);
}

TEST_F(CircuitLibraryTest, PackingOfCommandsDoesNotChangeDrawing) {
  ASSERT_EQ(library.size(), 220u);
  Run(Body(library, 6));
  const Lines packed = Strs(canvas.calls);
  canvas.clear();
  Lines oneByOne;
  for (const auto& cmd : Commands(library, 6)) oneByOne.push_back("XXXXX " + cmd);
  Run(oneByOne);
  EXPECT_EQ(Strs(canvas.calls), packed);
}

}  // namespace
}  // namespace timer555::testing
