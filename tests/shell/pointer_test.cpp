// The pointer handlers of the drawing area and the adjust arrows, called as
// the image controls call them.
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollArea>
#include <algorithm>

#include "platform/cursors.h"
#include "shell/design_panel.h"
#include "shell/image_control.h"
#include "shell/num_edit.h"
#include "testsupport/adjust_answers.h"
#include "window_fixture.h"

namespace timer555::testing {
namespace {

void ClickMenu(TfmMain& w, int entry) {
  const Rect r = w.State().MenuBarEntries[entry].Hit;
  w.Image1MouseDown(Qt::LeftButton, Qt::NoModifier, (r.left + r.right) / 2, 10);
}

/// Design 1 at 1000 Hz / 60 %, calculated.
void CalculatedDesign1(TfmMain& w) {
  ClickMenu(w, 0);
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 50);
  w.NumEdit1->setText("1000");
  w.NumEdit2->setText("60");
  w.Image3Click();
}

TEST_F(WindowTest, ApplicationCellsByClick) {
  TfmMain& w = Open();
  struct Row {
    const char* name;
    int x, y, index;
  };
  const Row rows[] = {
      {"top left", 0, 0, 1},          {"row 1 bottom", 10, 43, 1},
      {"row 2 top", 10, 44, 2},       {"middle column is left", 325, 0, 1},
      {"right of middle", 326, 0, 8}, {"bottom right", 649, 307, 14},
      {"bottom left", 0, 307, 7},
  };
  for (const Row& row : rows) {
    ClickMenu(w, 1);
    ASSERT_EQ(w.State().ActiveMenu, Menu::Applications);
    w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, row.x, row.y);
    EXPECT_EQ(w.State().ApplicationIndex, row.index) << row.name;
    EXPECT_EQ(w.State().ActiveMenu, Menu::None) << row.name;
    const std::string title = "Application " + std::to_string(row.index) + ": " +
                              w.SHApps.Strings()[static_cast<std::size_t>(row.index - 1)] + " - timer555";
    EXPECT_EQ(w.windowTitle().toStdString(), title) << row.name;
  }
}

TEST_F(WindowTest, ClicksAfterAReferencePageDoNothing) {
  TfmMain& w = Open();
  ClickMenu(w, 2);
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, 10, 10);
  ASSERT_EQ(w.State().ActiveMenu, Menu::None);
  const QImage page = w.Image2->image().copy();
  w.State().ApplicationIndex = 0;
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, 400, 10);
  EXPECT_EQ(w.Image2->image(), page);
  EXPECT_EQ(w.State().ApplicationIndex, 0);
  EXPECT_EQ(w.State().Design.DesignMode, DesignKind::None);
}

TEST_F(WindowTest, DesignChoiceClearsTheFieldsAndTheWaveform) {
  TfmMain& w = Open();
  CalculatedDesign1(w);
  ASSERT_TRUE(w.State().Design.Calculated);
  ClickMenu(w, 0);
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, 400, 10);
  EXPECT_EQ(w.State().Design.DesignMode, DesignKind::Square);
  EXPECT_TRUE(w.State().DesignShown);
  EXPECT_EQ(w.NumEdit1->text(), "");
  EXPECT_EQ(w.NumEdit2->text(), "50");
  QImage white(w.Image5->image().size(), w.Image5->image().format());
  white.fill(Qt::white);
  EXPECT_EQ(w.Image5->image(), white);
  // While a design page is shown, clicks elsewhere choose nothing.
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, 600, 300);
  EXPECT_EQ(w.State().Design.DesignMode, DesignKind::Square);
}

TEST_F(WindowTest, CursorFollowsTheZonesInOrder) {
  TfmMain& w = Open();
  WindowState& state = w.State();
  state.DesignShown = true;
  state.Design.Calculated = true;
  state.Zones.C1 = {100, 100, 120, 130};
  state.Zones.Resistors[1] = {110, 120, 140, 150};  // overlaps C1 at its corner
  state.Zones.Resistors[2] = {130, 140, 160, 170};  // overlaps R1
  state.Zones.Resistors[3] = {200, 200, 220, 220};  // never looked at
  struct Row {
    const char* name;
    int x, y, cursor, selected;
  };
  const Row rows[] = {
      {"C1 top left corner", 100, 100, 22, 0},
      {"C1 bottom right corner", 120, 130, 22, 0},
      {"C1 over R1", 115, 125, 22, 0},
      {"R1 only", 125, 135, 23, 1},
      {"R1 over R2", 135, 145, 23, 1},
      {"R2 only", 155, 165, 23, 2},
      {"R2 bottom right corner", 160, 170, 23, 2},
      {"just outside R2", 161, 170, 0, 2},
      {"R3 is not a target", 210, 210, 0, 2},
      {"C1 again", 101, 101, 22, 2},
  };
  for (const Row& row : rows) {
    w.Image2MouseMove(Qt::NoModifier, row.x, row.y);
    EXPECT_EQ(ControlCursor(w.Image2), row.cursor) << row.name;
    EXPECT_EQ(state.SelectedResistor, row.selected) << row.name;
  }
  state.Design.Calculated = false;
  w.Image2MouseMove(Qt::NoModifier, 110, 110);
  EXPECT_EQ(ControlCursor(w.Image2), 0) << "not calculated";
  state.Design.Calculated = true;
  state.DesignShown = false;
  w.Image2MouseMove(Qt::NoModifier, 110, 110);
  EXPECT_EQ(ControlCursor(w.Image2), 0) << "no design page";
}

TEST_F(WindowTest, ArrowRegionsByPosition) {
  struct Row {
    const char* name;
    int x;
    int step;  // +1 up, -1 down, 0 between
  };
  // f = x / 62: up to 0.44 is the up arrow, from 0.54 the down arrow.
  const Row rows[] = {
      {"left edge", 0, 1}, {"f 0.435", 27, 1},  {"f 0.452", 28, 0},
      {"f 0.532", 33, 0},  {"f 0.548", 34, -1}, {"right edge", 61, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TfmMain& w = Open();
    CalculatedDesign1(w);
    const DesignState& d = w.State().Design;
    ASSERT_TRUE(d.Calculated);
    ASSERT_EQ(d.CapSeriesIndex, 0);
    const int decade = d.CapDecade;
    w.Image4MouseDown(Qt::LeftButton, Qt::NoModifier, row.x, 10);
    EXPECT_EQ(d.CapSeriesIndex, row.step == -1 ? 11 : row.step);
    EXPECT_EQ(d.CapDecade, decade + (row.step == -1 ? 1 : 0));
    EXPECT_TRUE(platform_.errors.empty());
    Destroy();
  }
}

TEST_F(WindowTest, ArrowStepRecordsNominalsEvenWhenRefused) {
  TfmMain& w = Open();
  CalculatedDesign1(w);
  w.State().Design.NominalC1 = 0;
  w.NumEdit2->setText("");
  w.Image4MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 10);
  EXPECT_EQ(platform_.errors, std::vector<std::string>{"Duty cycle not entered."});
  EXPECT_EQ(w.State().Design.CapSeriesIndex, 0);
  EXPECT_EQ(w.State().Design.NominalC1, w.State().Design.C1);
}

TEST_F(WindowTest, BrokenScriptShowsItsMessageOnceAndKeepsTheDrawing) {
  TfmMain& w = Open();
  CalculatedDesign1(w);
  // Break a number field of the design's script and redraw by a chip switch.
  TextList& circuits = w.SHCircuits.Strings();
  const auto header = std::find(circuits.begin(), circuits.end(), "DESIGN1");
  ASSERT_NE(header, circuits.end());
  std::string& line = *(header + 1);
  const std::size_t digit = line.find_first_of("0123456789");
  ASSERT_NE(digit, std::string::npos);
  line[digit] = 'X';
  w.RB2->setChecked(true);
  w.Image4MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 10);
  ASSERT_EQ(platform_.errors.size(), 1u);
  EXPECT_NE(platform_.errors[0].find("is not a valid integer value"), std::string::npos)
      << platform_.errors[0];
}

TEST_F(WindowTest, PanelBelowTheClientAreaFollowsThePartsOnScreen) {
  TfmMain& w = Open();
  const auto layout = [&w] {
    return std::vector<QRect>{w.Image1->geometry(), w.Image2->geometry(), w.GB1->geometry(),
                              w.GB2->geometry(), w.GB3->geometry()};
  };
  const std::vector<QRect> before = layout();
  ClickMenu(w, 0);
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, 100, 50);
  EXPECT_FALSE(w.PanelArea->isHidden()) << "the settings show with the design page";
  const int uncalculated = w.height();
  w.NumEdit1->setText("1000");
  w.NumEdit2->setText("55");
  w.Image3Click();
  ASSERT_TRUE(w.State().Design.Calculated);
  EXPECT_TRUE(w.AdviceShown().empty());
  EXPECT_TRUE(w.Image6->isHidden());
  const int calculated = w.height();
  EXPECT_GT(calculated, uncalculated) << "expected values and standard values below the settings";
  EXPECT_EQ(w.PanelArea->geometry(), QRect(0, 350, 650, calculated - 350));

  // Two steps up give C1 = 150 nF and R1 = 962 ohm, below 1K.
  w.Image4MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 10);
  w.Image4MouseDown(Qt::LeftButton, Qt::NoModifier, 5, 10);
  ASSERT_EQ(w.AdviceShown().size(), 1u);
  EXPECT_EQ(w.AdviceShown()[0].rfind("R1 = 961.8 is below the 1K", 0), 0u) << w.AdviceShown()[0];
  EXPECT_FALSE(w.Image6->isHidden());
  const int withFindings = w.height();
  EXPECT_GE(withFindings, calculated + w.Image6->height()) << "the window grows by the findings";
  EXPECT_EQ(w.width(), 650);
  EXPECT_EQ(layout(), before);
  int reddish = 0;
  for (int y = 0; y < w.Image6->image().height(); ++y)
    for (int x = 0; x < w.Image6->image().width(); ++x) {
      const QColor c = w.Image6->image().pixelColor(x, y);
      reddish += c.red() > c.green() + 60;
    }
  EXPECT_GT(reddish, 100) << "the finding is written in the panel";

  // R1 adjusted to 1.1K breaks no rule: the findings go.
  const Rect r1 = w.State().Zones.Resistors[1];
  w.Image2MouseMove(Qt::NoModifier, (r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2);
  answers_.QueueAnswer("1100");
  w.Image2MouseDown(Qt::LeftButton, Qt::NoModifier, (r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2);
  answers_.Clear();
  EXPECT_DOUBLE_EQ(w.State().Design.R1, 1100);
  EXPECT_TRUE(w.AdviceShown().empty());
  EXPECT_TRUE(w.Image6->isHidden());
  EXPECT_LT(w.height(), withFindings);

  // Another page: no panel, the window as designed.
  ClickMenu(w, 4);
  EXPECT_TRUE(w.PanelArea->isHidden());
  EXPECT_EQ(w.size(), QSize(650, 350));
}

// The circuit settings are remembered from one run to the next; a value out
// of the family's range is refused with a message and changes nothing.
TEST_F(WindowTest, CircuitSettingsAreRememberedAndChecked) {
  platform_.settings = {{"circuit/vcc", "9"}, {"circuit/family", "cmos"}};
  TfmMain& w = Open();
  EXPECT_EQ(w.State().Design.Settings, (CircuitSettings{9, TimerFamily::Cmos}));
  CalculatedDesign1(w);
  EXPECT_EQ(w.Panel->VccEdit->text(), "9");
  EXPECT_TRUE(w.Panel->Cmos->isChecked());
  w.Panel->VccEdit->setText("15.5");
  w.ApplySupply();
  EXPECT_EQ(platform_.errors,
            std::vector<std::string>{"Supply voltage not realistic: a CMOS 555 runs on 2 to 15 V."});
  EXPECT_EQ(w.State().Design.Settings.vcc, 9);
  EXPECT_EQ(w.Panel->VccEdit->text(), "9");
  w.Panel->VccEdit->setText("12");
  w.ApplySupply();
  w.ApplyFamily(TimerFamily::Bipolar);
  EXPECT_EQ(w.State().Design.Settings, (CircuitSettings{12, TimerFamily::Bipolar}));
  EXPECT_EQ(platform_.settings["circuit/vcc"], "12");
  EXPECT_EQ(platform_.settings["circuit/family"], "bipolar");
  Destroy();
  EXPECT_EQ(Open().State().Design.Settings, (CircuitSettings{12, TimerFamily::Bipolar})) << "the next run";
}

}  // namespace
}  // namespace timer555::testing
