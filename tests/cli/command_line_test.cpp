// The program with arguments, one row per command line: the exit status,
// what it prints and the key numbers of its JSON answer, from ordinary
// designs to hostile inputs. Each row runs the real program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace timer555 {
namespace {

struct Outcome {
  int status = -1;
  std::string out, err;
};

Outcome RunProgram(const QStringList& args) {
  QProcess program;
  program.start(TIMER555_PROGRAM, args);
  Outcome run;
  if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit) return run;
  run.status = program.exitCode();
  run.out = program.readAllStandardOutput().toStdString();
  run.err = program.readAllStandardError().toStdString();
  return run;
}

/// A JSON key ("expected.frequency": a member's member) and its number
/// (nothing: null), equal within `within` relative.
struct Number {
  const char* key;
  std::optional<double> value;
  double within = 1e-6;
};

struct Row {
  const char* name;
  QStringList args;
  int status;
  /// A part of what it prints: on standard output when it succeeds, on
  /// standard error (after "timer555: ") when it fails; never empty.
  const char* says;
  std::vector<Number> numbers = {};
  int warnings = -1;      ///< number of findings, when given
  int combinations = -1;  ///< number of combinations, when given
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

void ExpectNumber(const QJsonObject& object, const Number& n) {
  SCOPED_TRACE(n.key);
  QJsonValue value = object;
  for (const QString& key : QString(n.key).split('.')) {
    ASSERT_TRUE(value.toObject().contains(key)) << key.toStdString();
    value = value.toObject()[key];
  }
  if (!n.value) {
    EXPECT_TRUE(value.isNull());
    return;
  }
  ASSERT_TRUE(value.isDouble());
  EXPECT_NEAR(value.toDouble(), *n.value, std::fabs(*n.value) * n.within);
}

class CommandLine : public ::testing::TestWithParam<Row> {};

TEST_P(CommandLine, AnswersWithItsStatus) {
  const Row& row = GetParam();
  ASSERT_STRNE(row.says, "") << "a row states what it expects";
  const Outcome run = RunProgram(row.args);
  EXPECT_EQ(run.status, row.status) << run.err;
  if (row.status == 0) {
    EXPECT_NE(run.out.find(row.says), std::string::npos) << run.out;
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_EQ(run.err.rfind("timer555: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(row.says), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "") << "nothing on standard output after an error";
  }
  if (!row.args.contains("--json") || row.status != 0) return;

  QJsonParseError error;
  const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out;
  for (const char* key : {"design", "frequency", "duty", "pulse", "R1", "R2", "C1", "high_time", "low_time",
                          "vcc", "family", "expected", "compensated", "warnings"}) {
    EXPECT_TRUE(json.contains(key)) << key;
  }
  EXPECT_EQ(json.contains("simulated"), row.args.contains("--simulate"));
  for (const Number& n : row.numbers) ExpectNumber(json, n);
  if (row.warnings >= 0) {
    EXPECT_EQ(json["warnings"].toArray().size(), row.warnings);
  }
  EXPECT_EQ(json.contains("combinations"), row.combinations >= 0);
  if (row.combinations < 0) return;

  // Each combination: its values, its error, and ranges around its timing.
  const QJsonArray list = json["combinations"].toArray();
  ASSERT_EQ(list.size(), row.combinations);
  const bool mono = json["pulse"].isDouble();
  for (const QJsonValue& value : list) {
    const QJsonObject c = value.toObject();
    EXPECT_GT(c["R1"].toDouble(), 0);
    EXPECT_GT(c["C1"].toDouble(), 0);
    EXPECT_EQ(c["R2"].isNull(), mono);
    EXPECT_LT(c["error"].toDouble(), 0.05);
    for (const char* timing :
         mono ? std::vector<const char*>{"pulse"} : std::vector<const char*>{"frequency", "duty"}) {
      const double nominal = c[timing].toDouble();
      EXPECT_LE(c[QString(timing) + "_min"].toDouble(), nominal) << timing;
      EXPECT_GE(c[QString(timing) + "_max"].toDouble(), nominal) << timing;
    }
  }
}

const char* const kUsage = "usage: timer555 --design";
const double kLn2 = std::log(2.0);
const QStringList kAstable = {"--design", "1", "--frequency", "1000", "--duty", "60"};
const QString kFiles = TIMER555_SOURCE_DIR "/tests/design/files/";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, CommandLine, ::testing::Values(
    Row{"astable_json", kAstable + QStringList{"--json"}, 0, "\"design\": \"astable\"",
        {{"frequency", 1000}, {"duty", 0.6}, {"pulse", std::nullopt}, {"R1", 0.2 / (kLn2 * 1000 * 1e-7)},
         {"R2", 0.4 / (kLn2 * 1000 * 1e-7)}, {"C1", 1e-7}, {"high_time", 6e-4}, {"low_time", 4e-4}, {"vcc", 15},
         {"expected.frequency", 1000, 0.01}, {"expected.duty", 0.6, 0.01}, {"expected.pulse", std::nullopt},
         {"compensated", std::nullopt}}, 0},
    Row{"low_duty_by_name", {"--design=low-duty", "--frequency=1000", "--duty=30", "--json"}, 0, "\"design\": \"low-duty\"",
        // The diodes' drop: about 913 Hz (ngspice), made up for by
        // resistors about that much smaller.
        {{"R1", 4328.085122}, {"R2", 10098.86195}, {"C1", 1e-7}, {"expected.frequency", 913, 0.01},
         {"expected.duty", 0.3, 0.01}, {"compensated.R1", 4328.085 * 0.913, 0.01},
         {"compensated.R2", 10098.86 * 0.913, 0.01}}, 1},
    Row{"square", {"--design", "square", "--frequency", "1000", "--json"}, 0, "\"design\": \"square\"",
        {{"duty", 0.5}, {"R1", 72134.75204}, {"C1", 1e-8}, {"high_time", 5e-4}}},
    Row{"monostable", {"--design", "4", "--pulse", "1", "--json"}, 0, "\"family\": \"bipolar\"",
        {{"frequency", std::nullopt}, {"duty", std::nullopt}, {"pulse", 1}, {"R1", 1 / (std::log(3.0) * 1e-4)},
         {"R2", std::nullopt}, {"C1", 1e-4}, {"high_time", 1}, {"low_time", std::nullopt},
         {"expected.pulse", 1, 0.01}, {"expected.frequency", std::nullopt}, {"compensated", std::nullopt}}, 1},
    // 1 mF, an electrolytic whose leakage wins: no expected pulse.
    Row{"monostable_never_ends", {"--design", "4", "--pulse", "1000", "--json"}, 0, "\"compensated\": {",
        {{"expected.pulse", std::nullopt}, {"expected.high_time", std::nullopt}, {"compensated.R2", std::nullopt}}},
    Row{"simulated", kAstable + QStringList{"--simulate", "--json"}, 0, "\"simulated\": {",
        {{"simulated.frequency", 1000, 0.02}, {"simulated.duty", 0.6, 0.02}, {"simulated.pulse", std::nullopt}}},
    Row{"simulated_table", {"--design", "4", "--pulse", "0.01", "--simulate"}, 0, "\nSimulated  pulse "},
    Row{"opened", {"--open", kFiles + "AdjustedR1.t555", "--json"}, 0, "\"design\": \"astable\"",
        {{"R1", 4700}, {"R2", 5770.780163555854}, {"frequency", 888.2736706526293}}},
    Row{"opened_on_other_settings", {"--open", kFiles + "CmosAt5V.t555", "--family", "bipolar", "--json"}, 0,
        "\"family\": \"bipolar\"", {{"vcc", 5}}},
    Row{"opened_before_calculate", {"--open", kFiles + "NotCalculated.t555"}, 2,
        "NotCalculated.t555: The design was saved before Calculate, and its inputs give none: Frequency not entered."},
    Row{"open_not_json", {"--open", TIMER555_SOURCE_DIR "/tests/cli/CMakeLists.txt", "--json"}, 2,
        "tests/cli/CMakeLists.txt: The file is not valid JSON: "},
    Row{"open_missing_file", {"--open", QDir::tempPath() + "/timer555-no-such-folder/x.t555"}, 2,
        "x.t555: Cannot read the file: no such file."},
    Row{"open_with_inputs", {"--open", kFiles + "AdjustedR1.t555", "--frequency", "5"}, 2,
        "--open takes the design and its inputs from the file"},
    Row{"cmos_at_5_volt", kAstable + QStringList{"--vcc", "5", "--family", "CMOS", "--json"}, 0, "\"family\": \"cmos\"",
        {{"vcc", 5}, {"C1", 1e-7}}},
    Row{"bipolar_at_16_volt", kAstable + QStringList{"--vcc=16", "--json"}, 0, "\"family\": \"bipolar\"", {{"vcc", 16}}},
    Row{"combinations", kAstable + QStringList{"--series", "E24", "--count", "3", "--json"}, 0, "\"combinations\": [",
        {}, -1, 3},
    Row{"monostable_combinations", {"--design", "monostable", "--pulse", "10", "--series", "e96", "--count", "12",
        "--cap-tolerance", "5", "--json"}, 0, "\"pulse_min\"", {}, -1, 12},
    Row{"table", kAstable + QStringList{"--series", "E12"}, 0, "R1  2.885K  2885.39 ohm"},
    // One answer once (not also 1.8K, 3.9K, 150nF and 180K, 390K, 1.5nF),
    // with its resistors nearest the middle of 5K to 1M.
    Row{"decade_copies_collapsed", kAstable + QStringList{"--series", "E24", "--count", "3"}, 0,
        "\n1  18K   39K   15nF   1.002 kHz"},
    Row{"help", {"--help"}, 0, kUsage},
    Row{"help_lists_the_circuit", {"-h"}, 0, "--family KIND"},
    Row{"version", {"--version"}, 0, "timer555 1.2\n"},
    Row{"unknown_option", {"--design", "1", "--frobnicate"}, 2, "timer555: unknown option \"--frobnicate\""},
    Row{"stray_argument", {"--design", "1", "1000"}, 2, "timer555: unexpected argument \"1000\""},
    Row{"missing_value", {"--design", "1", "--duty", "60", "--frequency"}, 2, "--frequency needs a value."},
    Row{"empty_value", {"--design", "1", "--duty", "60", "--frequency="}, 2, "--frequency needs a value."},
    Row{"value_taken_by_option", {"--design", "--frequency", "1000"}, 2, "--design needs a value."},
    Row{"no_design", {"--frequency", "1000"}, 2, "--design is missing."},
    Row{"twice", {"--design", "1", "--design", "2"}, 2, "--design is given twice."},
    Row{"unknown_design", {"--design", "5", "--frequency", "1000"}, 2, "Unknown design \"5\""},
    Row{"pulse_for_design_1", {"--design", "1", "--pulse", "3"}, 2, "Design 1 takes a frequency"},
    Row{"frequency_for_monostable", {"--design", "4", "--frequency", "3"}, 2, "Design 4 takes a pulse length"},
    Row{"duty_for_square", {"--design", "2", "--frequency", "1000", "--duty", "60"}, 2, "fixed duty cycle of 50 %"},
    Row{"no_frequency", {"--design", "1", "--duty", "60"}, 2, "timer555: Frequency not entered."},
    Row{"no_duty", {"--design", "3", "--frequency", "1000"}, 2, "Duty cycle not entered."},
    Row{"frequency_not_a_number", {"--design", "1", "--frequency", "abc", "--duty", "60"}, 2,
        "timer555: --frequency abc: not a number"},
    Row{"duty_not_a_number", {"--design", "1", "--frequency", "1000", "--duty", "60%"}, 2, "--duty 60%: not a number"},
    Row{"too_large_for_a_number", {"--design", "1", "--frequency", "1e400", "--duty", "60"}, 2, "--frequency 1e400: not a number"},
    Row{"huge_frequency", {"--design", "1", "--frequency", "1e300", "--duty", "60"}, 2, "timer555: Frequency not realistic."},
    Row{"negative_frequency", {"--design", "1", "--frequency", "-1000", "--duty", "60"}, 2, "timer555: Frequency not realistic."},
    Row{"nan_frequency", {"--design", "2", "--frequency", "nan"}, 2, "--frequency nan: not a number"},
    Row{"duty_at_50", kAstable.mid(0, 4) + QStringList{"--duty", "50"}, 2, "Duty cycle not realistic for this mode."},
    Row{"negative_pulse", {"--design", "4", "--pulse", "-5"}, 2, "Pulse length not realistic"},
    Row{"nan_pulse", {"--design", "4", "--pulse", "nan"}, 2, "--pulse nan: not a number"},
    Row{"huge_pulse", {"--design", "4", "--pulse", "1e300", "--json", "--series", "E12"}, 2,
        "Pulse length not realistic: enter 1 us to 10000 s."},
    Row{"longest_pulse", {"--design", "4", "--pulse", "10000", "--json"}, 0, "\"pulse\": 10000",
        {{"C1", 1e-3}, {"pulse", 10000}}},
    Row{"vcc_not_a_number", kAstable + QStringList{"--vcc", "five"}, 2, "timer555: --vcc five: not a number"},
    Row{"vcc_above_bipolar", kAstable + QStringList{"--vcc", "16.5"}, 2, "--vcc 16.5: a bipolar 555 runs on 4.5 to 16 V"},
    Row{"vcc_below_bipolar", kAstable + QStringList{"--vcc", "3", "--family", "bipolar"}, 2, "a bipolar 555 runs on 4.5 to 16 V"},
    Row{"vcc_above_cmos", kAstable + QStringList{"--vcc", "16", "--family", "cmos"}, 2, "--vcc 16: a CMOS 555 runs on 2 to 15 V"},
    Row{"vcc_below_cmos", kAstable + QStringList{"--family", "cmos", "--vcc", "1.5"}, 2, "a CMOS 555 runs on 2 to 15 V"},
    Row{"unknown_family", kAstable + QStringList{"--family", "ttl"}, 2, "--family takes bipolar or cmos."},
    Row{"unknown_series", kAstable + QStringList{"--series", "E13"}, 2, "--series takes E12, E24, E48, E96 or E192."},
    Row{"count_zero", kAstable + QStringList{"--series", "E12", "--count", "0"}, 2,
        "--count takes a whole number from 1 to 1000."},
    Row{"count_huge", kAstable + QStringList{"--series", "E12", "--count", "1e9"}, 2, "--count takes"},
    Row{"tolerance_nan", {"--design", "4", "--pulse", "1", "--series", "E12", "--cap-tolerance", "nan"}, 2,
        "--cap-tolerance nan: not a number"},
    Row{"tolerance_100", {"--design", "4", "--pulse", "1", "--series", "E12", "--cap-tolerance", "100"}, 2,
        "--cap-tolerance takes a percentage from 0 to below 100."},
    Row{"count_without_series", {"--design", "4", "--pulse", "1", "--count", "3"}, 2,
        "--count and --cap-tolerance go with --series."},
    Row{"png_in_missing_folder", kAstable + QStringList{"--png", QDir::tempPath() + "/timer555-no-such-folder/x.png"}, 1,
        "timer555: Cannot write \""},
    Row{"svg_over_a_folder", kAstable + QStringList{"--svg", QDir::tempPath()}, 1, "Cannot write \""},
    Row{"design_file_over_a_folder", kAstable + QStringList{"--save", QDir::tempPath()}, 1, "Cannot write \""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The sheet files: PNG, SVG and PDF written whole; the missing folder of
// the rows above stays missing.
TEST(CommandLineFiles, WritesTheSheetAsPngSvgAndPdf) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString png = dir.filePath("m.png"), svg = dir.filePath("m.svg"), pdf = dir.filePath("m.pdf");
  const Outcome run =
      RunProgram({"--design", "4", "--pulse", "10", "--png", png, "--svg", svg, "--pdf", pdf});
  ASSERT_EQ(run.status, 0) << run.err;
  const QImage image(png);
  ASSERT_FALSE(image.isNull());
  QFile file(svg);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray document = file.readAll();
  EXPECT_TRUE(document.contains("<svg") && document.trimmed().endsWith("</svg>"));
  EXPECT_TRUE(document.contains(
      QString("width=\"%1\" height=\"%2\"").arg(image.width()).arg(image.height()).toUtf8()))
      << "the sheet of the PNG";
  QFile printed(pdf);
  ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
  const QByteArray pages = printed.readAll();
  EXPECT_TRUE(pages.startsWith("%PDF-") && pages.trimmed().endsWith("%%EOF"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 3) << "no temporary file left";
  EXPECT_FALSE(QDir(QDir::tempPath() + "/timer555-no-such-folder").exists());
}

// A design saved by --save opens with --open to the same answer; also
// after C1 was stepped and a part adjusted in the window (a file of the
// design tests).
TEST(CommandLineFiles, SavedDesignOpensToTheSameAnswer) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString saved = dir.filePath("d.t555");
  for (const QStringList& args :
       {QStringList{"--design", "3", "--frequency", "1k", "--duty", "30", "--vcc", "5"},
        QStringList{"--open", kFiles + "SteppedC1.t555"}}) {
    SCOPED_TRACE(args.join(' ').toStdString());
    const Outcome computed = RunProgram(args + QStringList{"--json", "--series", "E12", "--save", saved});
    ASSERT_EQ(computed.status, 0) << computed.err;
    const Outcome opened = RunProgram({"--open", saved, "--json", "--series", "E12"});
    ASSERT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, computed.out);
  }
}

// The netlist runs unchanged in ngspice's own program and measures the
// frequency --simulate reports, within 1 %.
TEST(CommandLineFiles, NetlistRunsInNgspice) {
  const QString ngspice = QStandardPaths::findExecutable("ngspice");
  if (ngspice.isEmpty()) GTEST_SKIP() << "ngspice is not on PATH";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString deck = dir.filePath("d.cir");
  const Outcome run = RunProgram(
      {"--design", "3", "--frequency", "1000", "--duty", "30", "--simulate", "--json", "--spice", deck});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject simulated =
      QJsonDocument::fromJson(QByteArray::fromStdString(run.out))["simulated"].toObject();
  ASSERT_TRUE(simulated["frequency"].isDouble()) << run.out;

  QProcess batch;
  batch.setWorkingDirectory(dir.path());
  batch.start(ngspice, {"-b", deck});
  ASSERT_TRUE(batch.waitForFinished(60000));
  EXPECT_EQ(batch.exitCode(), 0);
  const QRegularExpressionMatch line =
      QRegularExpression("^frequency\\s*=\\s*(\\S+)", QRegularExpression::MultilineOption)
          .match(QString::fromUtf8(batch.readAllStandardOutput()));
  ASSERT_TRUE(line.hasMatch());
  const double frequency = simulated["frequency"].toDouble();
  EXPECT_NEAR(line.captured(1).toDouble(), frequency, frequency * 0.01);
}

}  // namespace
}  // namespace timer555
