// The design sheet from the main window: the picture of every kind of page
// with its default name, saving (PNG, SVG rendered by rsvg-convert without
// fonts, refusals), the clipboard and printing (PDF checked with poppler's
// tools), and the command line's sheet against the window's. The keys
// themselves are tried in the real window (tests/realwindow/export_keys.sh).
#include "shell/sheet_export.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <functional>

#include "design/design_file.h"
#include "golden_image.h"
#include "rsvg.h"
#include "shell/image_control.h"
#include "shell/num_edit.h"
#include "window_fixture.h"

namespace timer555::testing {
namespace {

// Equal pictures, or how many pixels differ.
::testing::AssertionResult SamePicture(const QImage& actual, const QImage& expected) {
  const QImage a = actual.convertToFormat(QImage::Format_RGB32),
               e = expected.convertToFormat(QImage::Format_RGB32);
  if (a.size() != e.size()) return ::testing::AssertionFailure() << "sizes differ";
  int differing = 0;
  for (int y = 0; y < e.height(); ++y)
    for (int x = 0; x < e.width(); ++x) differing += a.pixel(x, y) != e.pixel(x, y);
  if (differing == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ";
}

class SheetExportTest : public WindowTest {
 protected:
  void Menu(int entry) {
    const Rect& hit = window_->State().MenuBarEntries[entry].Hit;
    window_->Image1MouseDown(Qt::LeftButton, {}, (hit.left + hit.right) / 2, 10);
  }
  void Area(int x, int y) { window_->Image2MouseDown(Qt::LeftButton, {}, x, y); }
  // Design d from the Design menu, calculated from the two texts unless
  // the first is empty.
  void Design(int d, const char* field1, const char* field2) {
    Menu(0);
    Area(d % 2 == 1 ? 160 : 490, d <= 2 ? 76 : 230);
    if (*field1 == 0) return;
    window_->NumEdit1->setText(field1);
    if (window_->NumEdit2->isEnabled()) window_->NumEdit2->setText(field2);
    window_->Image3Click();
  }
  TSheetExport& Export() { return *window_->SheetExport; }
  QImage Sheet() { return SheetImage(Export().CurrentSheet()); }
  static QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // The standard output of one of poppler's tools.
  static QString Poppler(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
  }
};

// Every page: its name, and its sheet: the drawing area pixel for pixel;
// on a calculated design page instead the schematic cut from the area,
// beside it the waveform panel as shown, and the strip below them.
TEST_F(SheetExportTest, EveryPageIsTheScreenWithItsName) {
  Open();
  struct Row {
    const char* name;
    std::function<void()> show;
    bool strip;
  };
  const Row rows[] = {
      {"start-screen", [] {}, false},
      {"design-menu", [this] { Menu(0); }, false},
      {"help", [this] { Menu(4); }, false},
      {"application-05-tone-burst-generator",
       [this] {
         Menu(1);
         Area(100, 4 * 308 / 7 + 10);
       },
       false},
      {"timer-data",
       [this] {
         Menu(2);
         Area(500, 100);
       },
       false},
      {"astable", [this] { Design(1, "", ""); }, false},
      {"astable-1000Hz-60pct", [this] { Design(1, "1000", "60"); }, true},
      {"square-440Hz", [this] { Design(2, "440", ""); }, true},
      {"monostable-10s", [this] { Design(4, "10", ""); }, true},
      // A refused input leaves the calculated design on screen, and the
      // sheet goes on telling the design that is drawn.
      {"low-duty-1000Hz-30pct",
       [this] {
         Design(3, "1000", "30");
         window_->NumEdit2->setText("100");
         window_->Image3Click();
       },
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    row.show();
    EXPECT_EQ(Export().BaseName(), row.name);
    const QImage sheet = Sheet();
    const QImage& area = window_->Image2->image();
    const SheetLayout layout = LayOutSheet(Export().CurrentSheet());
    if (!row.strip) {
      EXPECT_TRUE(SamePicture(sheet, area));
      continue;
    }
    const Rect crop = layout.crop;
    const QRect schematic(crop.left, crop.top, crop.right - crop.left, crop.bottom - crop.top);
    EXPECT_LT(crop.right, area.width() * 6 / 10) << "the area's blank right part is cut";
    EXPECT_TRUE(SamePicture(sheet.copy(QRect(QPoint(layout.areaAt.x, layout.areaAt.y), schematic.size())),
                            area.copy(schematic)));
    const QImage& vout = window_->Image5->image();
    EXPECT_TRUE(
        SamePicture(sheet.copy(layout.waveformAt.x, layout.waveformAt.y, vout.width(), vout.height()), vout));
    EXPECT_GE(layout.stripTop,
              std::max(layout.areaAt.y + schematic.height(), layout.waveformAt.y + vout.height()));
    EXPECT_EQ(sheet.pixel(sheet.width() / 2, layout.stripTop), qRgb(0, 0, 0)) << "the strip's top line";
  }
  EXPECT_EQ(platform_.errors, std::vector<std::string>{"Duty cycle invalid."});
  const std::optional<DesignReport> strip = Export().CurrentSheet().strip;
  ASSERT_TRUE(strip.has_value());
  EXPECT_EQ(strip->inputs, (TextRows{{"Frequency", "1000 Hz"}, {"Duty cycle", "30 %"}}));
  EXPECT_NE(Export().SummaryText().find("Duty cycle\t30 %"), std::string::npos) << Export().SummaryText();
}

// Ctrl+S: the file dialog's answer decides the format; the SVG, under
// 150 KB, renders like the PNG with no font installed; a name of another
// kind and a folder that does not exist are refused with a message naming
// the file, and leave nothing behind.
TEST_F(SheetExportTest, SavesPngAndSvgAndRefusesWhatItCannotWrite) {
  Open();
  Design(3, "1000", "30");
  const QString png = Path("sheet.png"), svg = Path("sheet.SVG"), pdf = Path("sheet.pdf");
  const std::string missing = PathStd("missing/sheet.png"), jpeg = PathStd("sheet.jpg");
  const std::string design = PathStd("design.t555"), netlist = PathStd("design.cir");
  platform_.saveAnswers = {
      png.toStdString(), svg.toStdString(), pdf.toStdString(), jpeg, missing, design, netlist, ""};
  for (int i = 0; i < 8; ++i) Export().Save();
  // A design page also saves its design, and once calculated its netlist.
  EXPECT_EQ(ReadDesignFile(ReadFile(QString::fromStdString(design)).toStdString()).design,
            window_->State().Design);
  EXPECT_TRUE(ReadFile(QString::fromStdString(netlist)).contains("\n.meas tran frequency param="));

  EXPECT_EQ(platform_.saveSuggestions.front(), "low-duty-1000Hz-30pct.png");
  EXPECT_EQ(platform_.saveSuggestions.back(),
            QDir(dir_.path()).absolutePath().toStdString() + "/low-duty-1000Hz-30pct.png");
  EXPECT_EQ(platform_.errors,
            (std::vector<std::string>{
                "Cannot save \"" + jpeg + "\": the name must end in .png, .svg, .pdf, .t555 or .cir.",
                "Cannot write \"" + missing + "\": No such file or directory."}));
  EXPECT_FALSE(QFile::exists(QString::fromStdString(jpeg)));
  EXPECT_FALSE(QDir(Path("missing")).exists());
  const QImage expected = Sheet();
  EXPECT_TRUE(SamePicture(QImage(png), expected));
  EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));

  const QByteArray document = ReadFile(svg);
  EXPECT_LT(document.size(), 150 * 1024);
  if (!RsvgAvailable()) GTEST_SKIP() << "rsvg-convert not installed";
  QString problem;
  const QImage rendered = RenderWithRsvg(document.toStdString(), dir_.path(), "rendered", expected.width(),
                                         expected.height(), problem);
  ASSERT_FALSE(rendered.isNull()) << problem.toStdString();
  const PictureDifference difference = ComparePictures(rendered, expected);
  EXPECT_LE(difference.share, 0.005);
  EXPECT_LE(difference.darkMismatches, 10);
  if (difference.share > 0.005 || difference.darkMismatches > 10) {
    QDir().mkpath(TestOutputDir());
    expected.save(TestOutputDir() + "/sheet_svg.qt.png");
    rendered.save(TestOutputDir() + "/sheet_svg.rsvg.png");
  }
}

// Ctrl+C: the sheet as a picture and the summary as text, with the three
// best E24 combinations.
TEST_F(SheetExportTest, CopiesPictureAndSummary) {
  Open();
  Design(1, "1000", "60");
  Export().Copy();
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(SamePicture(qvariant_cast<QImage>(data->imageData()), Sheet()));
  const QStringList lines = data->text().split('\n');
  for (const char* line :
       {"Astable, Duty Cycle > 50%", "Frequency\t1000 Hz", "Duty cycle\t60 %", "R1\t2.885K\t2885.39 ohm",
        "R2\t5.771K\t5770.78 ohm", "C1\t100nF\t1e-07 F", "tH\t600 us", "tL\t400 us",
        "Best 3 E24 combinations (R1, R2 +/-5 %, C1 +/-10 %):"}) {
    EXPECT_TRUE(lines.contains(line)) << line << "\n" << data->text().toStdString();
  }
  const qsizetype heading = lines.indexOf(QString("Best 3 E24 combinations (R1, R2 +/-5 %, C1 +/-10 %):"));
  ASSERT_GE(heading, 0);
  EXPECT_TRUE(lines[heading + 4].startsWith("3\t")) << lines[heading + 4].toStdString();
  EXPECT_EQ(lines[heading + 5], "");

  // The timer data table goes as its rows, cells tab-separated.
  Menu(2);
  Area(500, 100);
  Export().Copy();
  const QStringList table = QGuiApplication::clipboard()->mimeData()->text().split('\n');
  EXPECT_EQ(table[0], "Typical timer specifications");
  EXPECT_EQ(table[1], "\t\tBipolar 555\tCMOS 555\t");
  EXPECT_EQ(table[2], "Vcc\t\t4.5 - 16\t2 - 18\tV");
  EXPECT_EQ(table.size(), 2 + 11 + 1) << "the heading, eleven rows and the final line break";
}

// Ctrl+P: the print dialog's printer gets one page; a cancelled dialog
// prints nothing. The printed PDF and SheetPdf's are vectors: their texts
// are text in the embedded display font, and there is no picture in them.
TEST_F(SheetExportTest, PrintsToTheChosenPdfInVectors) {
  Open();
  Design(4, "10", "");
  Export().Print();
  EXPECT_EQ(platform_.printDialogs, 1);
  platform_.printToFile = PathStd("printed.pdf");
  Export().Print();
  EXPECT_TRUE(platform_.errors.empty());
  QFile written(Path("written.pdf"));
  ASSERT_TRUE(written.open(QIODevice::WriteOnly));
  written.write(QByteArray::fromStdString(SheetPdf(Export().CurrentSheet())));
  written.close();

  for (const char* name : {"printed.pdf", "written.pdf"}) {
    SCOPED_TRACE(name);
    const QByteArray bytes = ReadFile(Path(name));
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_EQ(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1) << "one page";
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) continue;
    const QString text = Poppler("pdftotext", {Path(name), "-"});
    for (const char* part : {"Monostable", "9.102K", "1mF", "tH = 10 sec"})
      EXPECT_TRUE(text.contains(part)) << part;
    EXPECT_TRUE(Poppler("pdffonts", {Path(name)})
                    .contains(QRegularExpression("\\nTechnical +CID TrueType +\\S+ +yes")));
    EXPECT_EQ(Poppler("pdfimages", {"-list", Path(name)}).split('\n', Qt::SkipEmptyParts).size(), 2)
        << "the heading only, no picture";
  }
}

// The command line draws the same sheet as the window for the same design.
TEST_F(SheetExportTest, CommandLineSheetIsTheWindowsSheet) {
  Open();
  Design(2, "440", "");
  const QImage expected = Sheet();
  QProcess program;
  program.start(TIMER555_BIN_DIR "/timer555",
                {"--design", "square", "--frequency", "440", "--png", Path("cli.png")});
  ASSERT_TRUE(program.waitForFinished(60000));
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
  EXPECT_TRUE(SamePicture(QImage(Path("cli.png")), expected));
}

}  // namespace
}  // namespace timer555::testing
