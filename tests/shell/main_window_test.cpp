// Start-up, layout, shut-down and the menu bar of the main window.
#include <unistd.h>

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QSet>

#include "platform/cursors.h"
#include "shell/image_control.h"
#include "shell/num_edit.h"
#include "window_fixture.h"

namespace timer555::testing {
namespace {

const char* const kMissingFont = "Unable to find application file \"appfont.dat.\" Re-installation required.";

TEST_F(WindowTest, LayoutAtTheScaledGeometry) {
  TfmMain& w = Open();
  EXPECT_EQ(w.size(), QSize(650, 350));
  EXPECT_EQ(w.windowTitle(), "timer555");
  EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "the window must not be resizable";
  EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
  struct Row {
    const char* name;
    QWidget* control;
    QRect geometry;
  };
  const Row rows[] = {
      {"Image1", w.Image1, {0, 0, 650, 42}},
      {"Image2", w.Image2, {0, 42, 650, 308}},
      {"GB1", w.GB1, {391, 56, 233, 134}},
      {"Image3", w.Image3, {90, 95, 96, 27}},
      {"NumEdit1", w.NumEdit1, {112, 23, 74, 25}},
      {"NumEdit2", w.NumEdit2, {112, 58, 74, 25}},
      {"GB2", w.GB2, {391, 193, 233, 57}},
      {"Image4", w.Image4, {146, 22, 62, 22}},
      {"RB1", w.RB1, {17, 25, 49, 21}},
      {"RB2", w.RB2, {62, 25, 69, 21}},
      {"GB3", w.GB3, {391, 253, 233, 88}},
      {"Image5", w.Image5, {13, 25, 203, 58}},
  };
  for (const Row& row : rows) EXPECT_EQ(row.control->geometry(), row.geometry) << row.name;
  struct LabelRow {
    QLabel* label;
    QPoint at;
    const char* caption;
  };
  const LabelRow labels[] = {{w.Label1, {17, 28}, "Frequency"},
                             {w.Label2, {17, 62}, "Duty Cycle"},
                             {w.Label3, {193, 62}, "%"},
                             {w.Label4, {193, 28}, "Hz"}};
  for (const LabelRow& l : labels) {
    EXPECT_EQ(l.label->pos(), l.at) << l.caption;
    EXPECT_EQ(l.label->text(), l.caption);
  }
  // Images hold bitmaps of their own size.
  EXPECT_EQ(w.Image2->image().size(), QSize(650, 308));
  EXPECT_EQ(w.Image3->image().size(), QSize(96, 27));
  EXPECT_EQ(w.NumEdit1->typingLimit(), 10);
  EXPECT_TRUE(w.RB1->isChecked());
  EXPECT_FALSE(w.RB2->isChecked());
  EXPECT_TRUE(w.ListBox1->isHidden());
  ASSERT_EQ(w.ListBox1->count(), 12);
  EXPECT_EQ(w.ListBox1->item(0)->text(), "100");
  EXPECT_EQ(w.ListBox1->item(11)->text(), "820");
  // Pixel sizes, not points: the layout does not follow the screen's DPI.
  EXPECT_EQ(w.Label1->font().pixelSize() > 0, true);
  EXPECT_EQ(w.GB1->font().pixelSize() > 0, true);
  EXPECT_TRUE(w.GB1->font().bold());
  // First show: the groups are hidden.
  EXPECT_TRUE(w.GB1->isHidden());
  EXPECT_TRUE(w.GB2->isHidden());
  EXPECT_TRUE(w.GB3->isHidden());
  EXPECT_EQ(w.SHDesign.Strings().size(), 12u);
  EXPECT_EQ(w.SHHelp.Strings().size(), 13u);
}

TEST_F(WindowTest, FirstShowRegistersTheFourCursors) {
  Open();
  for (int number : {20, 21, 22, 23}) {
    const QCursor cursor = CursorByNumber(number);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << number;
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32)) << number;
  }
  EXPECT_EQ(CursorByNumber(22).hotSpot(), QPoint(15, 15));
  EXPECT_EQ(CursorByNumber(21).hotSpot(), QPoint(7, 27));
}

TEST_F(WindowTest, CalculateButtonIsAFramedButtonFacePicture) {
  TfmMain& w = Open();
  const QImage& img = w.Image3->image();
  const QRgb black = qRgb(0, 0, 0);
  const QRgb face = qRgb(colors::ButtonFace.r, colors::ButtonFace.g, colors::ButtonFace.b);
  EXPECT_EQ(img.pixel(0, 0), black);
  EXPECT_EQ(img.pixel(95, 26), black);
  EXPECT_EQ(img.pixel(1, 1), face);
  EXPECT_EQ(img.pixel(94, 25), face);
  // The caption put some dark pixels in the middle.
  int dark = 0;
  for (int x = 2; x < 94; ++x)
    for (int y = 2; y < 25; ++y) dark += qGray(img.pixel(x, y)) < 100;
  EXPECT_GT(dark, 20);
}

TEST_F(WindowTest, StartUpRegistersTheShippedFontAndShutDownTakesItBack) {
  Open();
  EXPECT_TRUE(platform_.errors.empty());
  EXPECT_EQ(window_->State().AppPath, folder_);
  EXPECT_EQ(window_->State().AppFontName, "Technical");
  EXPECT_EQ(platform_.fontsAdded, std::vector<std::string>{PathStd("appfont.dat")});
  EXPECT_GE(platform_.fontChangeBroadcasts, 1);
  EXPECT_EQ(FolderListing(), QStringList{"appfont.dat"}) << "nothing written beside the program";
  Destroy();
  EXPECT_EQ(platform_.fontsRemoved, std::vector<std::string>{PathStd("appfont.dat")});
  EXPECT_EQ(FolderListing(), QStringList{"appfont.dat"});
  EXPECT_TRUE(platform_.filesDeleted.empty());
}

TEST_F(WindowTest, AnOldFontCopyIsDeletedWhereTheFolderIsWritable) {
  struct Row {
    const char* name;
    bool writable;
    QStringList after;
  };
  const Row rows[] = {{"writable folder", true, {"appfont.dat"}},
                      {"folder not ours to change", false, {"TECHNCLN.TTF", "appfont.dat"}}};
  for (const Row& row : rows) {
    {
      QFile old(Path("TECHNCLN.TTF"));
      ASSERT_TRUE(old.open(QIODevice::WriteOnly));
      old.write("left by an older version");
    }
    platform_.unwritableDirectory = row.writable ? "" : folder_;
    Open();
    EXPECT_EQ(FolderListing(), row.after) << row.name;
    EXPECT_EQ(platform_.fontsAdded.back(), PathStd("appfont.dat")) << row.name;
    Destroy();
    EXPECT_EQ(FolderListing(), row.after) << row.name;
    QFile::remove(Path("TECHNCLN.TTF"));
  }
}

TEST_F(WindowTest, MissingFontFileShowsTheMessageAndTheWindowStillOpens) {
  ASSERT_TRUE(QFile::remove(Path("appfont.dat")));
  TfmMain& w = Open();
  EXPECT_EQ(platform_.errors, std::vector<std::string>{kMissingFont});
  EXPECT_TRUE(platform_.fontsAdded.empty());
  EXPECT_EQ(window_->State().AppFontName, "");
  EXPECT_TRUE(w.isVisible());
  // The rest of the start-up was skipped: scaled sizes only, no menu bar.
  EXPECT_EQ(w.NumEdit1->height(), 29);
  EXPECT_EQ(w.Image3->height(), 23);
  EXPECT_EQ(w.Image1->height(), 44);
  for (const MenuBarEntry& e : window_->State().MenuBarEntries) EXPECT_EQ(e.Hit, Rect{});
  // Clicks on the empty bar do nothing (all hit rectangles are 0..0 wide).
  w.Image1MouseDown(Qt::LeftButton, Qt::NoModifier, 300, 1);
  EXPECT_EQ(window_->State().ActiveMenu, Menu::None);
  EXPECT_TRUE(w.isVisible());
  // The first show still happened.
  EXPECT_TRUE(w.GB1->isHidden());
  Destroy();
  EXPECT_EQ(platform_.errors.size(), 1u);
}

TEST_F(WindowTest, AFolderNamedLikeTheOldCopyIsLeftAlone) {
  // Only a file of that name is an old copy.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("TECHNCLN.TTF"));
  TfmMain& w = Open();
  EXPECT_TRUE(platform_.errors.empty());
  EXPECT_EQ(platform_.fontsAdded, std::vector<std::string>{PathStd("appfont.dat")});
  EXPECT_EQ(window_->State().AppFontName, "Technical");
  EXPECT_GT(window_->State().MenuBarEntries[4].Hit.right, 0);
  EXPECT_EQ(w.Image1->height(), 42);
  Destroy();
  EXPECT_TRUE(QFileInfo(Path("TECHNCLN.TTF")).isDir());
  EXPECT_EQ(platform_.fontsRemoved, std::vector<std::string>{PathStd("appfont.dat")});
}

TEST_F(WindowTest, ReadOnlyProgramFolder) {
  if (geteuid() == 0)
    GTEST_SKIP()
        << "root writes into read-only folders; AnOldFontCopyIsDeletedWhereTheFolderIsWritable covers it";
  {
    QFile old(Path("TECHNCLN.TTF"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  }
  ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner));
  Open();
  EXPECT_TRUE(platform_.errors.empty());
  EXPECT_EQ(platform_.fontsAdded, std::vector<std::string>{PathStd("appfont.dat")});
  EXPECT_TRUE(QFile::exists(Path("TECHNCLN.TTF"))) << "a folder the user cannot change stays as it is";
  EXPECT_TRUE(platform_.filesDeleted.empty());
  Destroy();
  QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(WindowTest, InstalledFontIsUsedWithoutRegisteringTheFile) {
  const int id = QFontDatabase::addApplicationFont(Path("appfont.dat"));
  ASSERT_GE(id, 0);
  Open();
  EXPECT_TRUE(platform_.fontsAdded.empty());
  EXPECT_EQ(window_->State().AppFontName, "Technical");
  Destroy();
  // The removal is still attempted at shut-down.
  EXPECT_EQ(platform_.fontsRemoved, std::vector<std::string>{PathStd("appfont.dat")});
  EXPECT_EQ(FolderListing(), QStringList{"appfont.dat"});
  QFontDatabase::removeApplicationFont(id);
}

TEST_F(WindowTest, HiddenControlsFollowTheFirstFrameOrComeWhenReached) {
  TfmMain& w = Open();
  // The first frame is drawn without them...
  EXPECT_EQ(w.findChild<QGroupBox*>("GB1"), nullptr);
  EXPECT_EQ(w.findChild<QListWidget*>("ListBox1"), nullptr);
  // ...and they are made as soon as the frame is on screen.
  for (int i = 0; i < 50 && !w.findChild<QGroupBox*>("GB1"); ++i) QCoreApplication::processEvents();
  ASSERT_NE(w.findChild<QGroupBox*>("GB1"), nullptr);
  EXPECT_NE(w.findChild<TNumEdit*>("NumEdit1"), nullptr);
  EXPECT_EQ(w.findChild<QListWidget*>("ListBox1")->count(), 12);
  EXPECT_TRUE(w.GB1->isHidden());
  EXPECT_EQ(w.NumEdit1->height(), 25) << "sized by the start-up";
  Destroy();

  // Reached before the window is shown: made at once, and still hidden at
  // the first show.
  auto early = std::make_unique<TfmMain>();
  EXPECT_TRUE(early->NumEdit1->text().isEmpty());
  early->show();
  EXPECT_TRUE(early->GB1->isHidden());
  EXPECT_TRUE(early->GB2->isHidden());
  EXPECT_TRUE(early->GB3->isHidden());
  EXPECT_EQ(early->Image3->height(), 27);
}

TEST_F(WindowTest, TheWindowCarriesTheProgramIcon) {
  TfmMain& w = Open();
  w.EnsureControls();  // as right after the first frame
  const QIcon icon = w.windowIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage picture = icon.pixmap(QSize(64, 64)).toImage();
  EXPECT_EQ(picture.size(), QSize(64, 64));
  // A drawing, not a blank square: white, the chip's navy, the red "555"
  // and the green wave, each somewhere.
  QSet<QRgb> colours;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) colours.insert(picture.pixel(x, y));
  EXPECT_GT(colours.size(), 4);
}

TEST_F(WindowTest, MenuBarRectanglesLeaveGapsOfQ) {
  Open();
  const int q = window_->State().EntryGap;
  ASSERT_GT(q, 0);
  const char* captions[] = {"Design", "Applications", "Data", "Quit", "Help"};
  EXPECT_EQ(window_->State().MenuBarEntries[0].Hit.left, q);
  for (int k = 0; k < 5; ++k) {
    const MenuBarEntry& e = window_->State().MenuBarEntries[k];
    EXPECT_EQ(e.Caption, captions[k]);
    EXPECT_EQ(e.Hit.top, 0);
    EXPECT_EQ(e.Hit.bottom, 42);
    EXPECT_EQ(e.Hit.right - e.Hit.left, e.TextWidth + q - (k == 0 ? 0 : 1)) << captions[k];
    if (k > 0) {
      EXPECT_EQ(e.Hit.left - window_->State().MenuBarEntries[k - 1].Hit.right - 1, q) << captions[k];
    }
  }
  EXPECT_LT(window_->State().MenuBarEntries[4].Hit.right, 650);
}

TEST_F(WindowTest, MenuBarClicksByEntryAndGap) {
  TfmMain& w = Open();
  const MenuBarEntry* e = window_->State().MenuBarEntries;
  struct Row {
    const char* name;
    int x;
    int activeMenu;     // after a start from the start screen (0)
    const char* title;  // a gap leaves the page, and names it
  };
  const Row rows[] = {
      {"left of Design", e[0].Hit.left - 1, 0, "timer555"},
      {"Design left edge", e[0].Hit.left, 1, "Design menu - timer555"},
      {"Design right edge", e[0].Hit.right, 1, "Design menu - timer555"},
      {"gap after Design", e[0].Hit.right + 1, 0, "Design menu - timer555"},
      {"Applications", e[1].Hit.left, 2, "Applications - timer555"},
      {"Data right edge", e[2].Hit.right, 3, "Data - timer555"},
      {"gap before Help", e[4].Hit.left - 1, 0, "Data - timer555"},
      {"Help", (e[4].Hit.left + e[4].Hit.right) / 2, 4, "Help - timer555"},
      {"right of Help", e[4].Hit.right + 1, 0, "Help - timer555"},
  };
  for (const Row& row : rows) {
    WindowState& state = w.State();
    state.ActiveMenu = Menu::None;
    state.DesignShown = true;
    state.Design.Calculated = true;
    w.setWindowTitle("something else");
    // Any button acts.
    w.Image1MouseDown(Qt::RightButton, Qt::NoModifier, row.x, 20);
    EXPECT_EQ(static_cast<int>(state.ActiveMenu), row.activeMenu) << row.name;
    EXPECT_FALSE(state.DesignShown) << row.name;
    EXPECT_FALSE(state.Design.Calculated) << row.name;
    EXPECT_EQ(w.windowTitle(), row.title) << row.name;
    EXPECT_TRUE(w.GB1->isHidden()) << row.name;
  }
}

TEST_F(WindowTest, QuitClosesTheWindowAtOnce) {
  TfmMain& w = Open();
  const Rect quit = window_->State().MenuBarEntries[3].Hit;
  w.Image1MouseDown(Qt::LeftButton, Qt::NoModifier, (quit.left + quit.right) / 2, 5);
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.shutDown());
  EXPECT_FALSE(QFile::exists(Path("TECHNCLN.TTF")));
  EXPECT_EQ(platform_.fontsRemoved.size(), 1u);
  Destroy();
  // The shut-down runs once, not again when the window object goes.
  EXPECT_EQ(platform_.fontsRemoved.size(), 1u);
}

TEST_F(WindowTest, ShowInputGroupsResetsTheLabels) {
  TfmMain& w = Open();
  for (int show : {1, 0}) {
    w.Label1->setText("Pulse length");
    w.Label4->setText("sec");
    w.Label2->setEnabled(false);
    w.Label3->setEnabled(false);
    w.NumEdit2->setEnabled(false);
    w.ShowInputGroups(show);
    EXPECT_EQ(w.GB1->isHidden(), show == 0);
    EXPECT_EQ(w.GB2->isHidden(), show == 0);
    EXPECT_EQ(w.GB3->isHidden(), show == 0);
    EXPECT_EQ(w.Label1->text(), "Frequency");
    EXPECT_EQ(w.Label4->text(), "Hz");
    EXPECT_TRUE(w.Label2->isEnabled());
    EXPECT_TRUE(w.Label3->isEnabled());
    EXPECT_TRUE(w.NumEdit2->isEnabled());
  }
}

}  // namespace
}  // namespace timer555::testing
