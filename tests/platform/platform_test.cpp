#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>

#include "platform/cursors.h"
#include "platform/pictures.h"
#include "platform/qt_platform.h"
#include "platform/recording_platform.h"

namespace timer555 {
namespace {

std::string Path(const QTemporaryDir& dir, const char* name) { return dir.filePath(name).toStdString(); }

void Write(const std::string& path, const QByteArray& content) {
  QFile file(QString::fromStdString(path));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

bool HasFamily(PlatformServices& services, const std::string& name) {
  const auto families = services.fontFamilies();
  return std::find(families.begin(), families.end(), name) != families.end();
}

TEST(QtPlatformFiles, ExistsDeleteAndWritableFolders) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtPlatformServices qt;
  const std::string file = Path(dir, "TECHNCLN.TTF");
  Write(file, "an old font copy");

  EXPECT_TRUE(qt.fileExists(file));
  EXPECT_FALSE(qt.fileExists(dir.path().toStdString())) << "a folder is not a file";
  EXPECT_TRUE(qt.directoryWritable(dir.path().toStdString() + "/"));
  EXPECT_FALSE(qt.directoryWritable(file)) << "a file is not a folder";
  EXPECT_FALSE(qt.directoryWritable(Path(dir, "no/such/folder/")));

  EXPECT_TRUE(qt.deleteFile(file));
  EXPECT_FALSE(qt.fileExists(file));
  EXPECT_FALSE(qt.deleteFile(file)) << "nothing left to delete";
}

TEST(Pictures, WhiteBitmapsSmallAndLargeAndTheirCopies) {
  for (const QSize size : {QSize(1, 1), QSize(96, 27), QSize(650, 308), QSize(1300, 616)}) {
    QImage bitmap = WhiteBitmap(size);
    ASSERT_EQ(bitmap.size(), size);
    EXPECT_EQ(bitmap.format(), QImage::Format_RGB32);
    bool white = true;
    for (int y = 0; y < size.height(); ++y)
      for (int x = 0; x < size.width(); ++x) white = white && bitmap.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_TRUE(white) << size.width() << "x" << size.height();
    // A copy outlives the original and is not changed by drawing on it.
    const QImage copy = bitmap;
    bitmap.setPixel(0, 0, qRgb(0, 0, 0));
    bitmap = QImage();
    EXPECT_EQ(copy.pixel(0, 0), qRgb(255, 255, 255));
  }
  EXPECT_FALSE(ReadPicture(":/arrows.xpm").isNull());
  EXPECT_TRUE(ReadPicture(":/no_such_picture.xpm").isNull());
}

TEST(QtPlatformFiles, ProgramDirectoryEndsWithASeparator) {
  QtPlatformServices qt;
  const std::string dir = qt.programDirectory();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(qt.fileExists(dir + "appfont.dat")) << dir;
}

TEST(QtPlatformFonts, AddAndRemoveTheShippedDisplayFont) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtPlatformServices qt;
  const std::string shipped = qt.programDirectory() + "appfont.dat";
  const bool before = HasFamily(qt, "Technical");

  EXPECT_TRUE(qt.addFont(shipped));
  EXPECT_TRUE(HasFamily(qt, "Technical"));
  qt.broadcastFontChange();
  qt.processMessages();
  qt.removeFont(shipped);
  EXPECT_EQ(HasFamily(qt, "Technical"), before) << "removal takes back exactly what was added";
  qt.removeFont(shipped);  // a second removal is harmless

  EXPECT_FALSE(qt.addFont(Path(dir, "missing.ttf")));
  Write(Path(dir, "junk.ttf"), "not a font");
  EXPECT_FALSE(qt.addFont(Path(dir, "junk.ttf")));
}

// A top-level window that counts the font notifications it is sent.
class FontListener final : public QWidget {
 public:
  int applicationFontChanges = 0, fontChanges = 0;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ApplicationFontChange) ++applicationFontChanges;
    if (e->type() == QEvent::FontChange) ++fontChanges;
    return QWidget::event(e);
  }
};

TEST(QtPlatformFonts, BroadcastReachesTopLevelWindowsBeforeReturning) {
  FontListener window;
  QtPlatformServices qt;
  const int before = window.applicationFontChanges;
  qt.broadcastFontChange();
  EXPECT_EQ(window.applicationFontChanges, before + 1) << "sent, not posted";
  EXPECT_GE(window.fontChanges, 1);
}

TEST(RecordingPlatform, RecordsMessagesAndBeepsWithoutBlocking) {
  RecordingPlatform recording;
  PlatformServices* previous = SetPlatform(&recording);
  Platform().showError("Frequency not realistic.");
  Platform().beep();
  Platform().beep();
  Platform().showError("Solution not found.");
  SetPlatform(previous);
  EXPECT_EQ(recording.errors, (std::vector<std::string>{"Frequency not realistic.", "Solution not found."}));
  EXPECT_EQ(recording.beeps, 2);
  EXPECT_EQ(&Platform(), previous) << "the earlier services are back";
}

TEST(RecordingPlatform, FontAndFileSwitchesFailOrPretend) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string source = Path(dir, "appfont.dat"), target = Path(dir, "TECHNCLN.TTF");
  Write(source, "font bytes");

  struct Case {
    const char* name;
    RecordingPlatform::Mode mode;
    bool answers, targetDeleted;
  } cases[] = {
      {"pass through", RecordingPlatform::Mode::PassThrough, true, true},
      {"fail", RecordingPlatform::Mode::Fail, false, false},
      {"pretend", RecordingPlatform::Mode::Pretend, true, false},
  };
  for (const auto& c : cases) {
    Write(target, "an old font copy");
    RecordingPlatform recording;
    recording.fileMode = c.mode;
    EXPECT_EQ(recording.fileExists(source), c.answers) << c.name;
    EXPECT_EQ(recording.directoryWritable(dir.path().toStdString() + "/"), c.answers) << c.name;
    EXPECT_EQ(recording.deleteFile(target), c.answers) << c.name;
    EXPECT_EQ(!QFile::exists(QString::fromStdString(target)), c.targetDeleted) << c.name;
    EXPECT_EQ(recording.filesDeleted, std::vector<std::string>{target}) << c.name;
  }

  RecordingPlatform failingFonts;
  failingFonts.fontMode = RecordingPlatform::Mode::Fail;
  EXPECT_TRUE(failingFonts.fontFamilies().empty());
  EXPECT_FALSE(failingFonts.addFont(source));
  failingFonts.removeFont(source);
  EXPECT_EQ(failingFonts.fontsAdded, std::vector<std::string>{source});
  EXPECT_EQ(failingFonts.fontsRemoved, std::vector<std::string>{source});

  RecordingPlatform pretending;
  pretending.fontMode = RecordingPlatform::Mode::Pretend;
  pretending.programDirectoryOverride = dir.path().toStdString() + "/";
  EXPECT_TRUE(pretending.addFont(source)) << "pretends to add a file that is no font";
  EXPECT_EQ(pretending.programDirectory(), dir.path().toStdString() + "/");
  pretending.broadcastFontChange();
  pretending.processMessages();
  EXPECT_EQ(pretending.fontChangeBroadcasts, 1);
  EXPECT_EQ(pretending.messagePumps, 1);
}

TEST(RecordingPlatform, PassesFontsThroughToTheFontDatabase) {
  RecordingPlatform recording;
  const std::string font = recording.programDirectory() + "appfont.dat";
  ASSERT_TRUE(recording.addFont(font));
  EXPECT_TRUE(HasFamily(recording, "Technical"));
  recording.removeFont(font);
}

TEST(Cursors, NumberedPicturesKeepTheirHotSpots) {
  struct Case {
    int number;
    const char* name;
    QPoint hotSpot;
  } cases[] = {{20, "CROSSHAIR", {15, 15}},
               {21, "CALCULATE", {7, 27}},
               {22, "CAPACITOR", {15, 15}},
               {23, "RESISTOR", {15, 15}}};
  for (const auto& c : cases) {
    ASSERT_TRUE(CursorPictureExists(c.number)) << c.name;
    const QCursor cursor = CursorByNumber(c.number);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << c.name;
    EXPECT_EQ(cursor.hotSpot(), c.hotSpot) << c.name;
    const QImage picture = cursor.pixmap().toImage();
    EXPECT_EQ(picture.size(), QSize(32, 32)) << c.name;
    EXPECT_TRUE(picture.hasAlphaChannel()) << c.name;
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << c.name << ": the corner is transparent";
    // The hot spot lies on the drawing or, for the cross-hair's open
    // centre, within two pixels of it.
    int nearest = 99;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if (qAlpha(picture.pixel(x, y)) == 255)
          nearest = std::min(nearest, std::max(std::abs(x - c.hotSpot.x()), std::abs(y - c.hotSpot.y())));
    EXPECT_LE(nearest, 2) << c.name;
  }
  EXPECT_FALSE(CursorPictureExists(30));
  EXPECT_EQ(CursorByNumber(30).shape(), Qt::ArrowCursor);
  EXPECT_EQ(CursorByNumber(0).shape(), Qt::ArrowCursor);
}

TEST(Cursors, ControlRemembersTheNumberLastSet) {
  QWidget control;
  EXPECT_EQ(ControlCursor(&control), 0);
  SetControlCursor(&control, 22);
  EXPECT_EQ(ControlCursor(&control), 22);
  EXPECT_EQ(control.cursor().shape(), Qt::BitmapCursor);
  SetControlCursor(&control, 0);
  EXPECT_EQ(ControlCursor(&control), 0);
  EXPECT_EQ(control.cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(ControlCursor(nullptr), 0);
}

}  // namespace
}  // namespace timer555
