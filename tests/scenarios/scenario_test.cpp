// End-to-end scenarios: each plays a script on the real main window through
// timer555-scenario and checks the snapshots it wrote. Scripts that need the
// places where the schematic put its components are completed here from an
// earlier snapshot, so they follow the drawing wherever it puts them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <cmath>
#include <initializer_list>
#include <string>

#include "golden_image.h"

namespace {

QString OutputRoot() { return timer555::testing::TestOutputDir() + "/scenarios"; }

QString ScriptPath(const QString& name) {
  return QStringLiteral(TIMER555_TEST_DATA_DIR "/scripts/") + name + ".scn";
}

QString ReadScript(const QString& name) {
  QFile f(ScriptPath(name));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll());
}

/// Result of one run of the scenario runner.
struct Played {
  int exitCode = -1;
  QString stderrText;
  QString dir;

  QJsonObject Json(const QString& snapshot) const {
    QFile f(dir + "/" + snapshot + ".json");
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QJsonDocument::fromJson(f.readAll()).object();
  }
  QImage Area(const QString& snapshot) const { return QImage(dir + "/" + snapshot + ".area.png"); }
  QImage Vout(const QString& snapshot) const { return QImage(dir + "/" + snapshot + ".vout.png"); }
  QImage Window(const QString& snapshot) const { return QImage(dir + "/" + snapshot + ".window.png"); }
  QImage MenuBar(const QString& snapshot) const { return QImage(dir + "/" + snapshot + ".menubar.png"); }
};

/// Writes `script` as NAME.scn into the output folder and plays it.
Played Play(const QString& name, const QString& script) {
  Played run;
  run.dir = OutputRoot() + "/" + name;
  QDir(run.dir).removeRecursively();
  QDir().mkpath(run.dir);
  const QString path = run.dir + "/" + name + ".scn";
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return run;
  f.write(script.toUtf8());
  f.close();
  QProcess p;
  p.start(QStringLiteral(TIMER555_SCENARIO_RUNNER), {path, run.dir});
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished();
    return run;
  }
  run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  run.stderrText = QString::fromLocal8Bit(p.readAllStandardError());
  return run;
}

Played PlayFile(const QString& name) { return Play(name, ReadScript(name)); }

std::vector<int> Ints(const QJsonValue& v) {
  std::vector<int> out;
  for (const QJsonValue& x : v.toArray()) out.push_back(x.toInt());
  return out;
}

QStringList Messages(const QJsonObject& o) {
  QStringList out;
  for (const QJsonValue& x : o["messages"].toArray()) out << x.toString();
  return out;
}

QString Text(const QJsonObject& o, const char* field) {
  return o["fields"].toObject()[field].toObject()["text"].toString();
}
bool Enabled(const QJsonObject& o, const char* field) {
  return o["fields"].toObject()[field].toObject()["enabled"].toBool();
}

QString Golden(const QString& name) {
  return QStringLiteral(TIMER555_TEST_DATA_DIR "/golden/") + name + ".png";
}

void ExpectGolden(const QImage& actual, const QString& name) {
  ASSERT_FALSE(actual.isNull()) << name.toStdString();
  QString problem = timer555::testing::CompareWithGolden(actual, Golden(name));
  EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
}

/// Centre of a [left, top, right, bottom] rectangle as "X Y".
QString Centre(const std::vector<int>& r) {
  return QString("%1 %2").arg((r[0] + r[2]) / 2).arg((r[1] + r[3]) / 2);
}

bool Contains(const std::vector<int>& r, int x, int y) {
  return r[0] <= x && x <= r[2] && r[1] <= y && y <= r[3];
}

int WindowHeight(const QJsonObject& o) { return o["window"].toObject()["height"].toInt(); }

const char* const kDesign1At1000Hz60 = "menu Design\nclick 100 50\ntype freq 1000\ntype duty 60\ncalculate\n";

// ---- Start screen and menu bar ----

TEST(StartScreen, ShowsTitleWordsAndHidesTheGroups) {
  Played run = PlayFile("start_screen");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject start = run.Json("start");
  EXPECT_EQ(start["title"].toString(), "timer555");
  EXPECT_EQ(start["ActiveMenu"].toInt(), 0);
  EXPECT_FALSE(start["groupsVisible"].toBool());
  EXPECT_TRUE(Messages(start).isEmpty());
  ExpectGolden(run.Area("start"), "start_screen");
  ExpectGolden(run.MenuBar("start"), "menu_bar");
  // Clicks in the gaps select nothing: the start screen stays.
  QJsonObject after = run.Json("after_gaps");
  EXPECT_EQ(after["ActiveMenu"].toInt(), 0);
  EXPECT_EQ(run.Area("after_gaps"), run.Area("start"));
}

TEST(StartScreen, MenuBarEntriesLeaveGapsOfQ) {
  Played run = Play("menu_bar_rects", "snapshot bar\n");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonArray bar = run.Json("bar")["menuBar"].toArray();
  ASSERT_EQ(bar.size(), 5);
  const int q = Ints(bar[0])[0];
  ASSERT_GT(q, 0);
  for (int k = 0; k < 5; ++k) {
    std::vector<int> r = Ints(bar[k]);
    EXPECT_EQ(r[1], 0) << k;
    EXPECT_EQ(r[3], 42) << k;
    EXPECT_LT(r[0], r[2]) << k;
    if (k > 0) {
      std::vector<int> prev = Ints(bar[k - 1]);
      // Pixels strictly between the two rectangles.
      EXPECT_EQ(r[0] - prev[2] - 1, q) << "gap before entry " << k;
    }
  }
  EXPECT_LT(Ints(bar[4])[2], 650);

  // A click in each gap selects nothing; a click on each entry's edges does.
  QString script;
  for (int k = 0; k < 5; ++k) {
    std::vector<int> r = Ints(bar[k]);
    script += QString("menubar %1\nsnapshot gap%2\n").arg(r[0] - 1).arg(k);
  }
  script += QString("menubar %1\nsnapshot design_right_edge\n").arg(Ints(bar[0])[2]);
  script += QString("menubar %1\nsnapshot data_left_edge\n").arg(Ints(bar[2])[0]);
  script += QString("menubar %1\nsnapshot help_right_edge\n").arg(Ints(bar[4])[2]);
  Played gaps = Play("menu_bar_gaps", script);
  ASSERT_EQ(gaps.exitCode, 0) << gaps.stderrText.toStdString();
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(gaps.Json(QString("gap%1").arg(k))["ActiveMenu"].toInt(), 0) << "gap " << k;
  EXPECT_EQ(gaps.Json("design_right_edge")["ActiveMenu"].toInt(), 1);
  EXPECT_EQ(gaps.Json("data_left_edge")["ActiveMenu"].toInt(), 3);
  EXPECT_EQ(gaps.Json("help_right_edge")["ActiveMenu"].toInt(), 4);
}

// ---- Runner ----

TEST(Runner, StopsWithExitCode2AndTheLineOfABadCommand) {
  Played run = Play("bad_command", "# fine\nmenu Design\nclick 10\n");
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.stderrText.contains(":3:")) << run.stderrText.toStdString();
}

TEST(Runner, TypesAndPastesThroughTheFieldsRule) {
  Played run = PlayFile("typing");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject typed = run.Json("typed");
  EXPECT_EQ(Text(typed, "freq"), "10.5");
  EXPECT_EQ(typed["beeps"].toInt(), 1);
  EXPECT_EQ(typed["focus"].toString(), "NumEdit1");
  QJsonObject entered = run.Json("entered");
  EXPECT_EQ(entered["focus"].toString(), "NumEdit2");
  EXPECT_EQ(entered["beeps"].toInt(), 0);
  for (const char* refused : {"pasted", "long"}) EXPECT_EQ(run.Json(refused)["beeps"].toInt(), 1) << refused;
  EXPECT_EQ(Text(run.Json("pasted"), "duty"), "");
  EXPECT_EQ(Text(run.Json("long"), "freq"), "10.5");
  EXPECT_EQ(Text(run.Json("prefixed"), "freq"), "4k7");
}

// ---- Design pages ----

TEST(DesignPages, QuadrantsAndTheirBorders) {
  Played run = PlayFile("design_quadrants");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  struct Row {
    const char* snapshot;
    int mode;
    const char* title;
  };
  const Row rows[] = {
      {"border_x_left", 1, "Design 1: Astable, Duty Cycle > 50% - timer555"},
      {"border_x_right", 2, "Design 2: Astable, Duty Cycle = 50% - timer555"},
      {"border_y_top", 1, "Design 1: Astable, Duty Cycle > 50% - timer555"},
      {"border_y_bottom", 3, "Design 3: Astable, Duty Cycle < 50% - timer555"},
      {"design4", 4, "Design 4: Monostable (one-shot) - timer555"},
      {"design1_again", 1, "Design 1: Astable, Duty Cycle > 50% - timer555"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.snapshot);
    QJsonObject o = run.Json(row.snapshot);
    EXPECT_EQ(o["DesignMode"].toInt(), row.mode);
    EXPECT_EQ(o["title"].toString(), row.title);
    EXPECT_EQ(o["DesignShown"].toInt(), 1);
    EXPECT_EQ(o["ActiveMenu"].toInt(), 1);
    EXPECT_TRUE(o["groupsVisible"].toBool());
    EXPECT_FALSE(o["Calculated"].toBool());
    EXPECT_EQ(o["CapSeriesIndex"].toInt(), 0);
  }
  QJsonObject d2 = run.Json("border_x_right");
  EXPECT_EQ(Text(d2, "duty"), "50");
  EXPECT_FALSE(Enabled(d2, "duty"));
  EXPECT_DOUBLE_EQ(d2["C1"].toDouble(), 1e-8);
  QJsonObject d4 = run.Json("design4");
  EXPECT_EQ(d4["fields"].toObject()["label1"].toString(), "Pulse length");
  EXPECT_EQ(d4["fields"].toObject()["label4"].toString(), "sec");
  EXPECT_FALSE(Enabled(d4, "duty"));
  EXPECT_DOUBLE_EQ(d4["C1"].toDouble(), 1e-3);
  QJsonObject d1 = run.Json("design1_again");
  EXPECT_EQ(d1["fields"].toObject()["label1"].toString(), "Frequency");
  EXPECT_EQ(d1["fields"].toObject()["label4"].toString(), "Hz");
  EXPECT_TRUE(Enabled(d1, "duty"));
  EXPECT_EQ(Text(d1, "duty"), "");
  EXPECT_DOUBLE_EQ(d1["C1"].toDouble(), 1e-6);
  EXPECT_TRUE(Messages(d1).isEmpty());
  ExpectGolden(run.Area("menu"), "design_menu");
}

TEST(DesignPages, MenuBarGapKeepsTheDesignPageAndChoosesAgainByQuadrant) {
  Played bar = Play("gap_bar", "snapshot bar\n");
  ASSERT_EQ(bar.exitCode, 0);
  const int gapX = Ints(bar.Json("bar")["menuBar"].toArray()[1])[0] - 1;
  Played run = Play("gap_on_design_page",
                    QString(kDesign1At1000Hz60) + "snapshot calculated\n" +
                        QString("menubar %1\nsnapshot gap\nclick 600 300\nsnapshot chosen\n").arg(gapX));
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject gap = run.Json("gap");
  EXPECT_EQ(gap["title"].toString(), "Design 1: Astable, Duty Cycle > 50% - timer555") << "the page stays";
  EXPECT_EQ(gap["DesignShown"].toInt(), 0);
  EXPECT_FALSE(gap["Calculated"].toBool());
  EXPECT_EQ(gap["ActiveMenu"].toInt(), 1);
  EXPECT_EQ(run.Area("gap"), run.Area("calculated"));
  EXPECT_EQ(run.Json("chosen")["DesignMode"].toInt(), 4);
}

// ---- Calculation ----

TEST(Calculation, Astable1000HzAt60Percent) {
  Played run = PlayFile("calculate_1000hz");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject o = run.Json("calculated");
  EXPECT_TRUE(Messages(o).isEmpty());
  EXPECT_TRUE(o["Calculated"].toBool());
  EXPECT_DOUBLE_EQ(o["Frequency"].toDouble(), 1000);
  EXPECT_DOUBLE_EQ(o["DutyCycle"].toDouble(), 0.6);
  // C1 lowered one decade until R1 + R2 reached 5 kilohm.
  EXPECT_DOUBLE_EQ(o["C1"].toDouble(), 1e-7);
  EXPECT_EQ(o["CapDecade"].toInt(), 9);
  const double k = std::log(2.0) * 1000 * 1e-7;
  EXPECT_NEAR(o["R1"].toDouble(), 0.2 / k, 1e-6);
  EXPECT_NEAR(o["R2"].toDouble(), 0.4 / k, 1e-6);
  EXPECT_DOUBLE_EQ(o["NominalR1"].toDouble(), o["R1"].toDouble());
  EXPECT_NEAR(o["HighTime"].toDouble(), 0.0006, 1e-9);
  EXPECT_NEAR(o["LowTime"].toDouble(), 0.0004, 1e-9);
  ExpectGolden(run.Area("calculated"), "design1_calculated");
  ExpectGolden(run.Vout("calculated"), "design1_calculated_vout");
}

TEST(Calculation, RefusedByValidationRedrawsNothing) {
  Played run = PlayFile("refused_calculation");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject refused = run.Json("refused");
  EXPECT_EQ(Messages(refused), QStringList{"Duty cycle not realistic for this mode."});
  EXPECT_FALSE(refused["Calculated"].toBool());
  EXPECT_EQ(run.Area("refused"), run.Area("before"));
  EXPECT_EQ(run.Vout("refused"), run.Vout("before"));
  QJsonObject empty = run.Json("empty");
  EXPECT_EQ(Messages(empty), QStringList{"Frequency not entered."});
  EXPECT_EQ(run.Area("empty"), run.Area("before"));
}

TEST(Calculation, EachDesignCalculatedPage) {
  struct Row {
    const char* name;
    const char* click;
    const char* inputs;
  };
  const Row rows[] = {
      {"design1_calculated", "100 50", "type freq 1000\ntype duty 60\n"},
      {"design2_calculated", "600 50", "type freq 1000\n"},
      {"design3_calculated", "100 250", "type freq 1000\ntype duty 25\n"},
      {"design4_calculated", "600 250", "type freq 0.01\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Played run = Play(
        row.name, QString("menu Design\nclick %1\n%2calculate\nsnapshot calc\n").arg(row.click, row.inputs));
    ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
    QJsonObject o = run.Json("calc");
    EXPECT_TRUE(Messages(o).isEmpty()) << Messages(o).join("|").toStdString();
    EXPECT_TRUE(o["Calculated"].toBool());
    ExpectGolden(run.Area("calc"), row.name);
    ExpectGolden(run.Vout("calc"), QString(row.name) + "_vout");
  }
}

// ---- Cursors and the adjust dialog ----

TEST(Cursors, OnlyAfterASuccessfulCalculationAndOnlyOverTheZones) {
  Played page = Play("cursor_zones", QString(kDesign1At1000Hz60) + "snapshot zones\n");
  ASSERT_EQ(page.exitCode, 0);
  QJsonObject z = page.Json("zones");
  const std::vector<int> c1 = Ints(z["C1Zone"]);
  const std::vector<int> r1 = Ints(z["ResistorZones"].toArray()[0]);
  const std::vector<int> r2 = Ints(z["ResistorZones"].toArray()[1]);
  ASSERT_LT(c1[0], c1[2]);
  ASSERT_LT(r1[0], r1[2]);
  ASSERT_LT(r2[0], r2[2]);

  const QString moves =
      QString(
          "move %1\nsnapshot c1\nmove %2\nsnapshot r1\nmove %3\nsnapshot r2\nmove 2 2\nsnapshot outside\n")
          .arg(Centre(c1), Centre(r1), Centre(r2));
  // Before "Calculate": the default arrow everywhere.
  Played before = Play("cursor_before", "menu Design\nclick 100 50\n" + moves);
  ASSERT_EQ(before.exitCode, 0);
  for (const char* s : {"c1", "r1", "r2", "outside"}) EXPECT_EQ(before.Json(s)["cursor"].toInt(), 0) << s;

  // After it: capacitor over C1, resistor over R1 and R2 (with the resistor
  // remembered), the arrow again outside.
  Played after = Play("cursor_after", QString(kDesign1At1000Hz60) + moves);
  ASSERT_EQ(after.exitCode, 0);
  EXPECT_EQ(after.Json("c1")["cursor"].toInt(), 22);
  EXPECT_EQ(after.Json("r1")["cursor"].toInt(), 23);
  EXPECT_EQ(after.Json("r1")["SelectedResistor"].toInt(), 1);
  EXPECT_EQ(after.Json("r2")["cursor"].toInt(), 23);
  EXPECT_EQ(after.Json("r2")["SelectedResistor"].toInt(), 2);
  EXPECT_EQ(after.Json("outside")["cursor"].toInt(), 0);

  // A refused calculation leaves the cursors off.
  Played refused =
      Play("cursor_refused", "menu Design\nclick 100 50\ntype freq 1000\ntype duty 40\ncalculate\n" + moves);
  ASSERT_EQ(refused.exitCode, 0);
  EXPECT_EQ(refused.Json("c1")["cursor"].toInt(), 0);
}

// Opens the adjust dialog of one component with a queued answer.
struct AdjustRow {
  const char* name;
  const char* inputs;  // design choice, inputs and calculate
  const char* zone;    // "c1", "r1" or "r2"
  const char* answer;
  const char* shownName;
  const char* shownNumber;
  const char* shownUnit;
  const char* field;  // design value that changes
  double expected;    // its value afterwards (0: unchanged)
  bool refused;
};

TEST(AdjustDialog, AcceptsWithinTheFactorAndRefusesOutside) {
  const char* design2At1000 = "menu Design\nclick 600 50\ntype freq 1000\ncalculate\n";
  const char* design1At95 = "menu Design\nclick 100 50\ntype freq 1000\ntype duty 95\ncalculate\n";
  const AdjustRow rows[] = {
      {"c1_12", design2At1000, "c1", "12", "C1", "10", "nF", "C1", 12e-9, false},
      {"c1_8_4", design2At1000, "c1", "8.4", "C1", "10", "nF", "C1", 8.4e-9, false},
      {"c1_12_1", design2At1000, "c1", "12.1", "C1", "10", "nF", "C1", 0, true},
      {"c1_8_3", design2At1000, "c1", "8.3", "C1", "10", "nF", "C1", 0, true},
      {"r1_kilo", kDesign1At1000Hz60, "r1", "3", "R1", "2.885", "K", "R1", 3000, false},
      {"r1_kilo_as_ohms", kDesign1At1000Hz60, "r1", "2885", "R1", "2.885", "K", "R1", 0, true},
      {"r2_ohms", design1At95, "r2", "700", "R2", "721.3", "", "R2", 700, false},
  };
  for (const AdjustRow& row : rows) {
    SCOPED_TRACE(row.name);
    Played page = Play(QString(row.name) + "_zones", QString(row.inputs) + "snapshot zones\n");
    ASSERT_EQ(page.exitCode, 0);
    QJsonObject z = page.Json("zones");
    std::vector<int> zone = std::string(row.zone) == "c1"
                                ? Ints(z["C1Zone"])
                                : Ints(z["ResistorZones"].toArray()[row.zone[1] - '1']);
    Played run =
        Play(row.name,
             QString(row.inputs) + "snapshot calculated\n" +
                 QString("move %1\ndialog %2\nclick %1\nsnapshot adjusted\n").arg(Centre(zone), row.answer));
    ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
    QJsonObject before = run.Json("calculated");
    QJsonObject o = run.Json("adjusted");
    QJsonObject shown = o["dialog"].toObject();
    EXPECT_EQ(shown["name"].toString(), row.shownName);
    EXPECT_EQ(shown["number"].toString(), row.shownNumber);
    EXPECT_EQ(shown["unit"].toString(), row.shownUnit);
    if (row.refused) {
      EXPECT_EQ(Messages(o), QStringList{"Maximum adjustment is +/- 20%."});
      EXPECT_EQ(o[row.field].toDouble(), before[row.field].toDouble());
    } else {
      EXPECT_TRUE(Messages(o).isEmpty()) << Messages(o).join("|").toStdString();
      EXPECT_NEAR(o[row.field].toDouble(), row.expected, std::abs(row.expected) * 1e-12);
      // The recalculation wrote a new frequency into the field.
      EXPECT_NE(Text(o, "freq"), Text(before, "freq"));
    }
    // The nominal values stay those of the calculation.
    EXPECT_EQ(o["NominalC1"].toDouble(), before["NominalC1"].toDouble());
    EXPECT_TRUE(o["Calculated"].toBool());
  }
}

// A reverse calculation that is refused keeps the part that was there;
// the decimals of the fields stay those the user typed, however often the
// program writes its own texts back.
TEST(AdjustDialog, RefusedRecalculationKeepsThePartAndDecimalsStay) {
  const QString design2 = "menu Design\nclick 600 50\ntype freq 1000\ncalculate\n";
  Played page = Play("refused_r2_zones", design2 + "snapshot zones\n");
  ASSERT_EQ(page.exitCode, 0);
  const QString r2 = Centre(Ints(page.Json("zones")["ResistorZones"].toArray()[1]));
  Played run = Play("refused_r2", design2 + QString("move %1\ndialog 36.6\nclick %1\nsnapshot refused\n"
                                                    "dialog 30\nclick %1\nsnapshot adjusted\ncalculate\n"
                                                    "move %1\ndialog 30\nclick %1\nsnapshot again\n")
                                                .arg(r2));
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject refused = run.Json("refused");
  EXPECT_EQ(Messages(refused), QStringList{"No oscillation with these component values."});
  EXPECT_EQ(refused["R2"].toDouble(), page.Json("zones")["R2"].toDouble()) << "the refused 36.6K stayed";
  EXPECT_EQ(Text(refused, "freq"), "1000");
  QJsonObject adjusted = run.Json("adjusted");
  EXPECT_TRUE(Messages(adjusted).isEmpty());
  EXPECT_EQ(adjusted["R2"].toDouble(), 30000);
  const auto decimals = [](const QString& text) { return text.size() - text.indexOf('.') - 1; };
  EXPECT_EQ(decimals(Text(adjusted, "freq")), 3) << Text(adjusted, "freq").toStdString();
  EXPECT_EQ(decimals(Text(run.Json("again"), "freq")), 3) << Text(run.Json("again"), "freq").toStdString();
}

// The typing limit of the pulse field never cuts what the program writes.
TEST(AdjustDialog, LongComputedTextIsNotCut) {
  const QString design4 = "menu Design\nclick 600 250\npaste freq 9999.5678\ncalculate\n";
  Played page = Play("long_text_zones", design4 + "snapshot zones\n");
  ASSERT_EQ(page.exitCode, 0);
  QJsonObject zones = page.Json("zones");
  const QString r1 = Centre(Ints(zones["ResistorZones"].toArray()[0]));
  Played run =
      Play("long_text",
           design4 + QString("move %1\ndialog %2\nclick %1\nsnapshot adjusted\n")
                         .arg(r1, QString::number(zones["NominalR1"].toDouble() / 1e6)));  // shown in M
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  QJsonObject adjusted = run.Json("adjusted");
  ASSERT_TRUE(Messages(adjusted).isEmpty()) << Messages(adjusted).join("|").toStdString();
  EXPECT_GT(Text(adjusted, "freq").size(), 10) << Text(adjusted, "freq").toStdString();
  EXPECT_NEAR(Text(adjusted, "freq").toDouble(), 9999.5678, 0.01) << Text(adjusted, "freq").toStdString();
}

TEST(Cursors, NoZoneForAPartThePageDoesNotDraw) {
  // Design 1 draws R1 and R2; design 4 draws only R1, so where design 1's R2
  // was, design 4's page has plain wire: no cursor, and a click opens no
  // dialog (one would take the queued 5.8 and rewrite the pulse field).
  Played first = Play("phantom_first", QString(kDesign1At1000Hz60) + "snapshot d1\n");
  ASSERT_EQ(first.exitCode, 0);
  const std::vector<int> r2 = Ints(first.Json("d1")["ResistorZones"].toArray()[1]);
  const int x = (r2[0] + r2[2]) / 2, y = (r2[1] + r2[3]) / 2;
  Played run = Play("phantom_zone",
                    QString(kDesign1At1000Hz60) +
                        QString("menu Design\nclick 600 250\ntype freq 1\ncalculate\n"
                                "move %1 %2\nsnapshot over\ndialog 5.8\nclick %1 %2\nsnapshot clicked\n")
                            .arg(x)
                            .arg(y));
  ASSERT_EQ(run.exitCode, 0);
  QJsonObject over = run.Json("over");
  EXPECT_EQ(Ints(over["ResistorZones"].toArray()[1]), (std::vector<int>{0, 0, 0, 0}))
      << "R2 is not on the page";
  if (Contains(Ints(over["C1Zone"]), x, y) || Contains(Ints(over["ResistorZones"].toArray()[0]), x, y))
    GTEST_SKIP() << "design 1's R2 lay under a part of design 4";
  EXPECT_EQ(over["cursor"].toInt(), 0);
  EXPECT_EQ(Text(run.Json("clicked"), "freq"), Text(over, "freq")) << "no dialog rewrote the pulse field";
}

// ---- Arrows ----

TEST(Arrows, StepC1AcrossTheE12WrapAndCycleTheChip) {
  Played run = PlayFile("arrows");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  struct Row {
    const char* snapshot;
    int index, decade;
    double c1;
    int chip;
  };
  const Row rows[] = {
      {"start", 0, 9, 1e-7, 0},        {"down_wrap", 11, 10, 8.2e-8, 0}, {"up_wrap", 0, 9, 1e-7, 0},
      {"up", 1, 9, 1.2e-7, 0},         {"between", 1, 9, 1.2e-7, 0},     {"chip_up1", 1, 9, 1.2e-7, 2},
      {"chip_up2", 1, 9, 1.2e-7, 3},   {"chip_up3", 1, 9, 1.2e-7, 0},    {"chip_down1", 1, 9, 1.2e-7, 3},
      {"chip_down2", 1, 9, 1.2e-7, 2}, {"chip_down3", 1, 9, 1.2e-7, 0},  {"chip_down4", 1, 9, 1.2e-7, 3},
      {"tone_burst", 1, 9, 1.2e-7, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.snapshot);
    QJsonObject o = run.Json(row.snapshot);
    EXPECT_EQ(o["CapSeriesIndex"].toInt(), row.index);
    EXPECT_EQ(o["CapDecade"].toInt(), row.decade);
    EXPECT_NEAR(o["C1"].toDouble(), row.c1, row.c1 * 1e-12);
    EXPECT_EQ(o["TimerChoice"].toInt(), row.chip);
    EXPECT_TRUE(Messages(o).isEmpty());
    EXPECT_DOUBLE_EQ(o["NominalC1"].toDouble(), o["C1"].toDouble());
  }
  EXPECT_EQ(run.Area("between"), run.Area("up"));
  EXPECT_NE(run.Area("chip_up1"), run.Area("between"));
  EXPECT_EQ(run.Area("chip_up3"), run.Area("between"));
  // An application page shows the 555 pins its notes quote, whatever chip the design page shows.
  EXPECT_TRUE(timer555::testing::CompareWithGolden(
                  run.Area("tone_burst"),
                  QStringLiteral(TIMER555_TEST_DATA_DIR "/../pages/golden/application_05.png"))
                  .isEmpty());
}

// The arrows act on a calculated design only: before it they are disabled.
TEST(Arrows, DisabledUntilCalculated) {
  Played run = Play("arrows_refused",
                    "menu Design\nclick 100 50\ntype freq 1000\ntype duty 60\narrow up\nsnapshot before\n"
                    "calculate\narrow up\nsnapshot after\n");
  ASSERT_EQ(run.exitCode, 0);
  const QJsonObject before = run.Json("before"), after = run.Json("after");
  EXPECT_TRUE(Messages(before).isEmpty());
  EXPECT_FALSE(before["Calculated"].toBool());
  EXPECT_EQ(before["CapSeriesIndex"].toInt(), 0);
  EXPECT_DOUBLE_EQ(before["C1"].toDouble(), 1e-6);
  EXPECT_EQ(after["CapSeriesIndex"].toInt(), 1);
  EXPECT_TRUE(Messages(after).isEmpty());
}

// C1 steps keep the capacitor the user chose and stop at 10 pF and 1 mF.
TEST(Arrows, StepsKeepTheChosenCapacitorAndStopAtTheEnds) {
  QString script = QString(kDesign1At1000Hz60) + "arrow up\narrow up\narrow up\nsnapshot up3\n";
  // Design 2 starts at 10 nF: 36 steps down reach 10 pF, the 37th beeps.
  script += "menu Design\nclick 400 50\ntype freq 1000\ncalculate\nsnapshot square\n";
  for (int i = 0; i < 36; ++i) script += "arrow down\n";
  script += "snapshot floor\narrow down\nsnapshot below_floor\n";
  // The monostable starts at the top, 1 mF: up beeps.
  script += "menu Design\nclick 600 250\ntype freq 10\ncalculate\narrow up\nsnapshot ceiling\n";
  Played run = Play("steps_floor", script);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject up3 = run.Json("up3"), floor = run.Json("floor"), below = run.Json("below_floor"),
                    ceiling = run.Json("ceiling");
  EXPECT_NEAR(up3["C1"].toDouble(), 180e-9, 1e-18) << "100, 120, 150, 180 nF";
  EXPECT_NEAR(up3["R1"].toDouble(), 0.2 / (std::log(2.0) * 1000 * 180e-9), 1e-6);
  EXPECT_EQ(run.Json("square")["beeps"].toInt(), 0);
  EXPECT_NEAR(floor["C1"].toDouble(), 10e-12, 1e-24);
  EXPECT_EQ(floor["beeps"].toInt(), 0);
  EXPECT_EQ(below["beeps"].toInt(), 1);
  EXPECT_EQ(below["C1"].toDouble(), floor["C1"].toDouble());
  EXPECT_EQ(below["R1"].toDouble(), floor["R1"].toDouble());
  EXPECT_NEAR(ceiling["C1"].toDouble(), 1e-3, 1e-15);
  EXPECT_EQ(ceiling["beeps"].toInt(), 1);
  for (const QJsonObject& o : {up3, floor, below, ceiling}) EXPECT_TRUE(Messages(o).isEmpty());
}

// The same inputs give the same parts, whatever was calculated before; a
// C1 the user chose stays the start of later calculations.
TEST(Calculation, SameInputsSamePartsWhateverCameBefore) {
  const QString script = QString(kDesign1At1000Hz60) +
                         "snapshot fresh\npaste freq 1000000\ncalculate\nsnapshot mhz\n"
                         "paste freq 1000\ncalculate\nsnapshot again\narrow up\npaste freq 500\n"
                         "calculate\nsnapshot chosen\n";
  Played run = Play("history", script);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject fresh = run.Json("fresh"), again = run.Json("again"), chosen = run.Json("chosen");
  EXPECT_NEAR(fresh["C1"].toDouble(), 100e-9, 1e-18);
  EXPECT_LT(run.Json("mhz")["C1"].toDouble(), 1e-9);
  for (const char* part : {"C1", "R1", "R2"})
    EXPECT_EQ(again[part].toDouble(), fresh[part].toDouble()) << part;
  EXPECT_NEAR(chosen["C1"].toDouble(), 120e-9, 1e-18) << "calculated from the C1 stepped to";
}

// A refused value keeps the dialog open for another try, and the value
// shown accepted unchanged keeps the part exactly as it is.
TEST(AdjustDialog, RefusedValueStaysAndTheShownValueChangesNothing) {
  Played page = Play("dialog_zones", QString(kDesign1At1000Hz60) + "snapshot zones\n");
  ASSERT_EQ(page.exitCode, 0);
  const QJsonArray zones = page.Json("zones")["ResistorZones"].toArray();
  const QString r1 = Centre(Ints(zones[0])), r2 = Centre(Ints(zones[1]));
  const QString script =
      QString(kDesign1At1000Hz60) + QString(
                                        "move %1\ndialog keys 9 Return Backspace 3 . 3 Return\nclick %1\n"
                                        "snapshot r1\nmove %2\ndialog keys Return\nclick %2\nsnapshot r2\n")
                                        .arg(r1, r2);
  Played run = Play("dialog_stays", script);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject afterR1 = run.Json("r1"), afterR2 = run.Json("r2");
  EXPECT_EQ(Messages(afterR1), QStringList{"Maximum adjustment is +/- 20%."});
  EXPECT_DOUBLE_EQ(afterR1["R1"].toDouble(), 3300) << "the second try in the same dialog was taken";
  EXPECT_EQ(Text(afterR2, "freq"), Text(afterR1, "freq"));
  EXPECT_EQ(afterR2["R2"].toDouble(), afterR1["R2"].toDouble());
  EXPECT_TRUE(Messages(afterR2).isEmpty());
}

// Alt+Left and Backspace (outside the fields) go back to the page before,
// a design page with everything it showed.
TEST(Keyboard, BackReturnsToTheDesignAsItWas) {
  const QString script = QString(kDesign1At1000Hz60) +
                         "arrow up\nsnapshot design\nkey F1\nkey alt+Left\nsnapshot back\n"
                         "menu Applications\nclick 10 10\nkey BackSpace\nsnapshot menu\nkey alt+Left\n"
                         "snapshot design_again\n";
  Played run = Play("back", script);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject design = run.Json("design"), back = run.Json("back"), again = run.Json("design_again");
  for (const QJsonObject& o : {back, again}) {
    EXPECT_TRUE(o["Calculated"].toBool());
    EXPECT_EQ(o["DesignShown"].toInt(), 1);
    EXPECT_TRUE(o["groupsVisible"].toBool());
    for (const char* key : {"C1", "R1", "R2", "Frequency", "DutyCycle"})
      EXPECT_EQ(o[key].toDouble(), design[key].toDouble()) << key;
    EXPECT_EQ(Text(o, "freq"), Text(design, "freq"));
    EXPECT_EQ(Text(o, "duty"), Text(design, "duty"));
    EXPECT_EQ(o["title"], design["title"]);
  }
  EXPECT_EQ(run.Area("back"), run.Area("design"));
  EXPECT_EQ(run.Vout("back"), run.Vout("design"));
  EXPECT_EQ(run.Json("menu")["ActiveMenu"].toInt(), 2) << "Backspace went back to the Applications menu";
}

// Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) step through calculations, C1 steps,
// chip switches and adjustments, each restoring the page exactly; a new
// step clears the steps forward.
TEST(Keyboard, UndoAndRedoRestoreThePageExactly) {
  Played page = Play("undo_zones", QString(kDesign1At1000Hz60) + "snapshot zones\n");
  ASSERT_EQ(page.exitCode, 0);
  const QString r2 = Centre(Ints(page.Json("zones")["ResistorZones"].toArray()[1]));
  const QString script =
      QString(kDesign1At1000Hz60) + "snapshot calculated\narrow up\nsnapshot stepped\nradio Timer\n" +
      QString("arrow up\nsnapshot chip\nmove %1\ndialog 4.5\nclick %1\nsnapshot adjusted\n").arg(r2) +
      "key ctrl+Z\nsnapshot undo1\nkey ctrl+Z\nsnapshot undo2\nkey ctrl+Z\nsnapshot undo3\n"
      "key ctrl+shift+Z\nsnapshot redo1\nkey ctrl+Y\nsnapshot redo2\nkey ctrl+Z\nkey ctrl+Z\n"
      "radio C1\narrow down\nsnapshot new_step\nkey ctrl+Y\nsnapshot no_redo\n";
  Played run = Play("undo_redo", script);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const auto same = [&run](const char* a, const char* b) {
    SCOPED_TRACE(std::string(a) + " = " + b);
    const QJsonObject x = run.Json(a), y = run.Json(b);
    for (const char* key : {"C1", "R1", "R2", "Frequency", "DutyCycle", "CapSeriesIndex", "TimerChoice"})
      EXPECT_EQ(x[key].toDouble(), y[key].toDouble()) << key;
    EXPECT_EQ(Text(x, "freq"), Text(y, "freq"));
    EXPECT_EQ(x["warnings"], y["warnings"]);
    EXPECT_EQ(run.Area(a), run.Area(b));
    EXPECT_EQ(run.Vout(a), run.Vout(b));
  };
  EXPECT_NE(run.Json("adjusted")["R2"].toDouble(), run.Json("chip")["R2"].toDouble());
  same("undo1", "chip");
  same("undo2", "stepped");
  same("undo3", "calculated");
  same("redo1", "stepped");
  same("redo2", "chip");
  EXPECT_EQ(run.Json("new_step")["CapSeriesIndex"].toInt(), 11) << "stepped down from 100 nF";
  same("no_redo", "new_step");
}

// The circuit settings, what the built circuit does, the simulation (F5
// returns once it has run) and the standard values, with the command
// line's keys in the snapshot.
TEST(BuiltCircuit, SettingsSimulationAndStandardValues) {
  const QString script =
      "menu Design\nclick 100 250\ntype freq 1000\ntype duty 30\ncalculate\nsnapshot calc\n"
      "vcc 5\nsnapshot v5\nvcc 20\nsnapshot refused\nfamily cmos\nsnapshot cmos\nkey F5\nsnapshot simulated\n"
      "combination 1\nsnapshot combination\n";
  Played run = Play("built_circuit", script);
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject calc = run.Json("calc"), v5 = run.Json("v5"), refused = run.Json("refused"),
                    cmos = run.Json("cmos"), simulated = run.Json("simulated"),
                    combination = run.Json("combination");
  const auto expected = [](const QJsonObject& o, const char* key) {
    return o["expected"].toObject()[key].toDouble();
  };
  EXPECT_EQ(calc["vcc"].toDouble(), 15);
  EXPECT_EQ(calc["family"].toString(), "bipolar");
  EXPECT_NEAR(expected(calc, "frequency"), 912.1, 9) << "the diodes' drop at 15 V";
  EXPECT_TRUE(calc["compensated"].isObject());
  EXPECT_TRUE(calc["simulated"].isNull());
  EXPECT_EQ(v5["vcc"].toDouble(), 5);
  EXPECT_NEAR(expected(v5, "frequency"), 767.8, 8) << "and at 5 V";
  EXPECT_EQ(Messages(refused),
            QStringList{"Supply voltage not realistic: a bipolar 555 runs on 4.5 to 16 V."});
  EXPECT_EQ(refused["vcc"].toDouble(), 5) << "a refused supply changes nothing";
  EXPECT_EQ(cmos["family"].toString(), "cmos");
  for (const QJsonObject& o : {calc, v5, cmos}) EXPECT_EQ(o["R1"].toDouble(), calc["R1"].toDouble());
  ASSERT_TRUE(simulated["simulated"].isObject()) << Messages(simulated).join("|").toStdString();
  EXPECT_NEAR(simulated["simulated"].toObject()["frequency"].toDouble(), expected(cmos, "frequency"),
              0.03 * expected(cmos, "frequency"));
  EXPECT_GT(WindowHeight(simulated), WindowHeight(cmos)) << "the plot below the panel";
  const QJsonArray combinations = cmos["combinations"].toArray();
  ASSERT_FALSE(combinations.isEmpty());
  for (const char* key : {"R1", "R2", "C1"})
    EXPECT_DOUBLE_EQ(combination[key].toDouble(), combinations[0].toObject()[key].toDouble()) << key;
  EXPECT_TRUE(combination["simulated"].isNull()) << "a new design leaves the simulation behind";
}

// ---- Menu pages and reference pages ----

TEST(MenuPages, PagesAndTheirClicks) {
  Played run = PlayFile("help_and_menus");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  EXPECT_EQ(run.Json("applications")["ActiveMenu"].toInt(), 2);
  EXPECT_EQ(run.Json("data")["ActiveMenu"].toInt(), 3);
  EXPECT_EQ(run.Json("help")["ActiveMenu"].toInt(), 4);
  EXPECT_EQ(run.Area("help_clicked"), run.Area("help"));
  EXPECT_EQ(run.Json("app1")["ApplicationIndex"].toInt(), 1);
  EXPECT_EQ(run.Json("app1")["ActiveMenu"].toInt(), 0);
  EXPECT_EQ(run.Json("app1_again")["ApplicationIndex"].toInt(), 1);
  EXPECT_EQ(run.Area("app1_again"), run.Area("app1"));
  EXPECT_EQ(run.Json("app2")["ApplicationIndex"].toInt(), 2);
  EXPECT_EQ(run.Json("app14")["ApplicationIndex"].toInt(), 14);
  EXPECT_EQ(run.Json("notes")["ActiveMenu"].toInt(), 0);
  EXPECT_NE(run.Area("notes"), run.Area("timer_data"));
  for (const char* s : {"applications", "data", "help", "app1", "notes", "timer_data"})
    EXPECT_TRUE(Messages(run.Json(s)).isEmpty()) << s;
  ExpectGolden(run.Area("applications"), "applications_menu");
  ExpectGolden(run.Area("data"), "data_menu");
  ExpectGolden(run.Area("help"), "help_page");
}

// ---- Quit ----

TEST(Quit, ClosesTheWindowAndLeavesNoFontCopy) {
  Played run = PlayFile("quit");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  EXPECT_FALSE(QFile::exists(QStringLiteral(TIMER555_BIN_DIR "/TECHNCLN.TTF")));
  QJsonObject o = run.Json("after_quit");
  EXPECT_EQ(o["title"].toString(), "Design 1: Astable, Duty Cycle > 50% - timer555");
  EXPECT_EQ(o["DesignShown"].toInt(), 0);
}

}  // namespace

// ---- Reference pages reached by clicks ----

TEST(ReferencePages, EachPageFromItsMenuCell) {
  const Played run = PlayFile("reference_pages");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  for (int n = 1; n <= 14; ++n) {
    const QString name = QString("application_%1").arg(n, 2, 10, QChar('0'));
    SCOPED_TRACE(name.toStdString());
    const QJsonObject o = run.Json(name);
    EXPECT_EQ(o["ApplicationIndex"].toInt(), n);
    EXPECT_EQ(o["ActiveMenu"].toInt(), 0);
    EXPECT_TRUE(o["title"].toString().startsWith(QString("Application %1: ").arg(n)));
    EXPECT_TRUE(o["title"].toString().endsWith(" - timer555"));
    // The page drawn in the window is the one drawn on a fresh canvas.
    const QImage area = run.Area(name);
    ASSERT_FALSE(area.isNull());
    const QString problem = timer555::testing::CompareWithGolden(
        area, QStringLiteral(TIMER555_TEST_DATA_DIR "/../pages/golden/") + name + ".png");
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
  }
  for (const char* name : {"data_components", "data_timer_table"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(run.Json(name)["ActiveMenu"].toInt(), 0);
    const QString problem = timer555::testing::CompareWithGolden(
        run.Area(name), QStringLiteral(TIMER555_TEST_DATA_DIR "/../pages/golden/") + name + ".png");
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
  }
}

TEST(ReferencePages, DesignPageAfterPage12StartsFromItsOwnCapacitors) {
  const Played run = PlayFile("application_then_design");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject stepped = run.Json("stepped"), page = run.Json("application_12"),
                    design = run.Json("design1");
  EXPECT_EQ(stepped["CapSeriesIndex"].toInt(), 11);
  for (const char* part : {"C1", "C2", "C3", "R1", "R2"})
    EXPECT_EQ(page[part].toDouble(), stepped[part].toDouble()) << part << ": the page left the design alone";
  EXPECT_DOUBLE_EQ(design["C1"].toDouble(), 1e-6);
  EXPECT_DOUBLE_EQ(design["C2"].toDouble(), 1e-8);
  EXPECT_EQ(design["CapSeriesIndex"].toInt(), 0);
  EXPECT_EQ(design["CapDecade"].toInt(), 8);
  EXPECT_EQ(design["DesignMode"].toInt(), 1);
}

// ---- Keyboard ----

namespace {

QStringList Warnings(const QJsonObject& o) {
  QStringList out;
  for (const QJsonValue& x : o["warnings"].toArray()) out << x.toString();
  return out;
}

TEST(Keyboard, DesignByKeyEnterCalculatesUpStepsC1) {
  const Played run = PlayFile("keyboard");
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject chosen = run.Json("chosen"), moved = run.Json("moved"),
                    calculated = run.Json("calculated");
  EXPECT_EQ(chosen["DesignMode"].toInt(), 1);
  EXPECT_EQ(chosen["focus"].toString(), "NumEdit1");
  EXPECT_EQ(Text(moved, "freq"), "1000");
  EXPECT_EQ(moved["focus"].toString(), "NumEdit2");
  EXPECT_FALSE(moved["Calculated"].toBool()) << "Enter in the frequency field of design 1 only moves on";
  EXPECT_TRUE(calculated["Calculated"].toBool());
  EXPECT_DOUBLE_EQ(calculated["C1"].toDouble(), 1e-7);
  EXPECT_TRUE(Messages(calculated).isEmpty());
  EXPECT_EQ(calculated["focus"].toString(), "NumEdit2");
  // 1000 Hz at 60 % breaks no rule: no findings; the panel below the
  // unchanged client area shows the settings and what the circuit does.
  EXPECT_TRUE(Warnings(calculated).isEmpty());
  EXPECT_EQ(calculated["window"].toObject()["width"].toInt(), 650);
  EXPECT_GT(WindowHeight(calculated), 350);
  EXPECT_EQ(WindowHeight(moved), 350 + 36) << "before the calculation, only the settings";

  struct Row {
    const char* snapshot;
    int index, decade, chip;
  };
  const Row steps[] = {{"up", 1, 9, 0}, {"down", 11, 10, 0}, {"chip", 11, 10, 2}};
  for (const Row& row : steps) {
    SCOPED_TRACE(row.snapshot);
    const QJsonObject o = run.Json(row.snapshot);
    EXPECT_EQ(o["CapSeriesIndex"].toInt(), row.index);
    EXPECT_EQ(o["CapDecade"].toInt(), row.decade);
    EXPECT_EQ(o["TimerChoice"].toInt(), row.chip);
    EXPECT_EQ(o["focus"].toString(), "NumEdit2") << "the keys leave the focus where it was";
    EXPECT_TRUE(Messages(o).isEmpty());
  }
  EXPECT_EQ(Text(run.Json("up"), "freq"), "1000") << "a step recalculates the parts, not the inputs";

  const QJsonObject button = run.Json("button");
  EXPECT_EQ(button["focus"].toString(), "Image3");
  EXPECT_TRUE(button["Calculated"].toBool());

  // 2 MHz in the 50 % design: C1 below 200 pF and a frequency above what a
  // bipolar 555 reaches, in the advisor's order, in a panel below.
  const QJsonObject square = run.Json("square_2mhz");
  EXPECT_TRUE(square["Calculated"].toBool());
  const QStringList warnings = Warnings(square);
  ASSERT_GE(warnings.size(), 2);
  EXPECT_TRUE(warnings.front().startsWith("C1 = ")) << warnings.front().toStdString();
  EXPECT_TRUE(warnings.back().startsWith("The frequency of 2MHz is above the 500kHz"))
      << warnings.back().toStdString();
  EXPECT_GT(WindowHeight(square), WindowHeight(calculated));
  EXPECT_EQ(run.Window("square_2mhz").height(), WindowHeight(square));

  const QJsonObject help = run.Json("help");
  EXPECT_EQ(help["ActiveMenu"].toInt(), 4);
  EXPECT_TRUE(Warnings(help).isEmpty());
  EXPECT_EQ(WindowHeight(help), 350);
  EXPECT_EQ(run.Json("help_3")["ActiveMenu"].toInt(), 4);
  EXPECT_EQ(run.Area("help_3"), run.Area("help"));
  EXPECT_FALSE(run.Json("quit")["window"].toObject()["visible"].toBool());
}

TEST(Keyboard, AdjustDialogByKeys) {
  const Played page = Play("keyboard_zones", QString(kDesign1At1000Hz60) + "snapshot zones\n");
  ASSERT_EQ(page.exitCode, 0);
  const QString c1 = Centre(Ints(page.Json("zones")["C1Zone"]));
  const Played run =
      Play("keyboard_dialog", QString(kDesign1At1000Hz60) +
                                  QString("snapshot calculated\n"
                                          "move %1\ndialog keys Up Escape\nclick %1\nsnapshot escaped\n"
                                          "move %1\ndialog keys Up Return\nclick %1\nsnapshot stepped\n")
                                      .arg(c1));
  ASSERT_EQ(run.exitCode, 0) << run.stderrText.toStdString();
  const QJsonObject calculated = run.Json("calculated"), escaped = run.Json("escaped"),
                    stepped = run.Json("stepped");
  EXPECT_EQ(escaped["dialog"].toObject()["name"].toString(), "C1");
  // Escape leaves everything as it was; the Up inside the dialog did not
  // reach the main window.
  for (const char* key : {"C1", "CapSeriesIndex", "CapDecade", "R1", "R2"})
    EXPECT_EQ(escaped[key].toDouble(), calculated[key].toDouble()) << key;
  EXPECT_EQ(Text(escaped, "freq"), "1000");
  EXPECT_EQ(Text(escaped, "duty"), "60");
  EXPECT_TRUE(Messages(escaped).isEmpty());
  // Up gives the next E12 value inside the limits, Enter stores it.
  EXPECT_NEAR(stepped["C1"].toDouble(), 1.2e-7, 1e-19);
  EXPECT_EQ(stepped["CapSeriesIndex"].toInt(), 0);
  EXPECT_TRUE(Messages(stepped).isEmpty());
  EXPECT_NE(Text(stepped, "freq"), "1000") << "the frequency is recalculated from the new C1";
}

}  // namespace
