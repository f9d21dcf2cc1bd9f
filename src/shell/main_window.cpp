#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cctype>
#include <functional>

#include "design/advisor.h"
#include "design/design_state.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/cursors.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/platform_services.h"
#include "platform/scaling.h"
#include "schematic/circuit_script.h"
#include "schematic/drawing_state.h"
#include "schematic/value_text.h"
#include "shell/adjust_dialog.h"
#include "shell/advice_panel.h"
#include "shell/image_control.h"
#include "shell/menu_pages.h"
#include "shell/num_edit.h"
#include "shell/sheet_export.h"
#include "shell/shell_state.h"
#include "shell/text_lists.h"

namespace timer555 {

namespace {

// Font heights of the controls after scaling: 12 points and 14 points.
constexpr int ControlFontPixels = 16;
constexpr int GroupFontPixels = 19;

const char* const FontFace = "Technical";
const char* const MenuCaptions[5] = {"Design", "Applications", "Data", "Quit", "Help"};

// The start screen's title words, notice line and web address.
const char* const TitleWords[3] = {"555", "Timer", "Designer"};
const char* const NoticeLine = "(c) 2026 timer555 developers";
const char* const WebAddress = "www.timer555.example";

bool ContainsFaceIgnoringCase(const std::vector<std::string>& faces, const std::string& wanted) {
  auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  };
  const std::string w = lower(wanted);
  return std::any_of(faces.begin(), faces.end(), [&](const std::string& f) { return lower(f) == w; });
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(caption), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(MakeFont(FontFace, -ControlFontPixels, false));
  label->move(left, top);
  label->adjustSize();
  return label;
}

/// A group box as the classic one looks: white, a one-pixel grey frame that
/// starts at the middle of the caption, and the caption near the left edge
/// on a white band that interrupts the frame. Painted here rather than by a
/// style sheet, whose engine would cost more memory than the rest of the
/// window's controls together.
class TGroupBox final : public QGroupBox {
 public:
  using QGroupBox::QGroupBox;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int frameTop = GroupFontPixels / 2;
    painter.setPen(QColor(0xa0, 0xa0, 0xa0));
    painter.drawRect(0, frameTop, width() - 1, height() - frameTop - 1);
    const QFontMetrics metrics(font());
    const QRect band(CaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * CaptionPadding,
                     metrics.height());
    painter.fillRect(band, Qt::white);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(band.adjusted(CaptionPadding, 0, -CaptionPadding, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     title());
  }

 private:
  static constexpr int CaptionLeft = 8;
  static constexpr int CaptionPadding = 6;
};

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                     int height) {
  auto* box = new TGroupBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setFont(MakeFont(FontFace, -GroupFontPixels, true));
  box->setGeometry(left, top, width, height);
  // The group hides the part of the drawing area it lies over.
  box->setAutoFillBackground(true);
  QPalette pal = box->palette();
  pal.setColor(QPalette::Window, Qt::white);
  box->setPalette(pal);
  return box;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const char* caption, int left, int top, int width,
                        int height) {
  auto* radio = new QRadioButton(QString::fromLatin1(caption), parent);
  radio->setObjectName(QString::fromLatin1(name));
  radio->setFont(MakeFont(FontFace, -ControlFontPixels, false));
  radio->setGeometry(left, top, width, height);
  radio->setAutoFillBackground(true);
  QPalette pal = radio->palette();
  pal.setColor(QPalette::Window, Qt::white);
  pal.setColor(QPalette::Button, Qt::white);  // a button fills with this role
  radio->setPalette(pal);
  return radio;
}

bool InRect(const Rect& r, int x, int y) {
  return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

}  // namespace

TfmMain::TfmMain(QWidget* parent) : QWidget(parent) {
  setObjectName("fmMain");
  CreateControls();
  FormCreate();
}

TfmMain::~TfmMain() { FormDestroy(); }

void TfmMain::CreateControls() {
  // A fixed window with a single border: minimise and close, no maximise.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(ClientWidth, ClientHeight);
  move(TfmMain::InitialLeft, TfmMain::InitialTop);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
  setAutoFillBackground(true);
  setFont(MakeFont(FontFace, -ControlFontPixels, false));

  // Scaled geometry; the menu bar and the drawing area get their final
  // heights when the menu bar is drawn.
  Image1 = new TImage(this, "Image1");
  Image1->place(0, 0, 650, 44);
  Image2 = new TImage(this, "Image2");
  Image2->place(0, 44, 650, 306);

  Image6 = new TImage(this, "Image6");
  Image6->place(0, ClientHeight, ClientWidth, 1);
  Image6->hide();

  SHDesign.SetStrings(LoadTextList("design"));
  SHCircuits.SetStrings(LoadTextList("circuits"));
  SHApps.SetStrings(LoadTextList("apps"));
  SHSpecs.SetStrings(LoadTextList("timer_data"));
  SHHelp.SetStrings(LoadTextList("help"));
  SHComponent.SetStrings(LoadTextList("component"));

  ConnectHandlers();
  CreateKeyCommands();
}

void TfmMain::ConnectHandlers() {
  Image1->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
    Image1MouseDown(b, s, x, y);
  };
  Image2->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
    Image2MouseDown(b, s, x, y);
  };
  Image2->OnMouseMove = [this](Qt::KeyboardModifiers s, int x, int y) { Image2MouseMove(s, x, y); };
}

void TfmMain::ConnectHiddenHandlers() {
  Image4->OnMouseDown = [this](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
    Image4MouseDown(b, s, x, y);
  };
  Image3->OnClick = [this] { Image3Click(); };
  Image3->OnFocusChange = [this](bool focused) { DrawCalculateButton(focused); };
  NumEdit1->OnEnter = [this] { return EnterInField(NumEdit1); };
  NumEdit2->OnEnter = [this] { return EnterInField(NumEdit2); };
  if (SheetExport != nullptr) SheetExport->WatchFields(NumEdit1, NumEdit2);
}

void TfmMain::CreateKeyCommands() {
  // Window shortcuts act only while the main window is the active window,
  // and they come before the focused control: Up and Down reach the window
  // from an entry field or a radio button too. A typed digit goes to an
  // entry field that has the focus.
  auto bind = [this](const QKeySequence& keys, const std::function<void()>& command) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, this, [command] {
      // Nothing reaches the window past an open dialog or message box.
      if (QApplication::activeModalWidget() == nullptr) command();
    });
  };
  bind(QKeySequence(Qt::Key_Up), [this] { ArrowKey(1); });
  bind(QKeySequence(Qt::Key_Down), [this] { ArrowKey(-1); });
  bind(QKeySequence(Qt::Key_F1), [this] { ChooseMenuEntry(MenuEntry::Help); });
  bind(QKeySequence(Qt::ControlModifier | Qt::Key_Q), [this] { ChooseMenuEntry(MenuEntry::Quit); });
  // The keypad's digits match these too.
  for (int number = 1; number <= 4; ++number)
    bind(QKeySequence(Qt::Key_0 + number), [this, number] { DesignNumberKey(number); });

  // Ctrl+S, Ctrl+C and Ctrl+P take the page out of the program; the drawing
  // area keeps what it shows for them.
  Image2->keepDrawingLog();
  SheetExport = new TSheetExport(*this);
  // Fields made already (reached early) are watched now, the others when made.
  if (NumEdit1.control_ != nullptr) SheetExport->WatchFields(NumEdit1.control_, NumEdit2.control_);
}

// The controls that stay hidden until a design page shows them, on the
// scaled geometry, as if they had been made with the window. The locals are
// the members' controls, reached without going through LateControl.
void TfmMain::CreateHiddenControls() {
  QGroupBox* enter = GB1.control_ = MakeGroup(this, "GB1", "Enter:", 391, 56, 233, 134);
  Label1.control_ = MakeLabel(enter, "Label1", "Frequency", 17, 28);
  Label2.control_ = MakeLabel(enter, "Label2", "Duty Cycle", 17, 62);
  Label3.control_ = MakeLabel(enter, "Label3", "%", 193, 62);
  Label4.control_ = MakeLabel(enter, "Label4", "Hz", 193, 28);
  TImage* calculate = Image3.control_ = new TImage(enter, "Image3");
  calculate->place(90, 95, 96, 23);
  TNumEdit* field1 = NumEdit1.control_ = new TNumEdit(enter);
  field1->setObjectName("NumEdit1");
  field1->setGeometry(112, 23, 74, 29);
  field1->setTypingLimit(10);
  TNumEdit* field2 = NumEdit2.control_ = new TNumEdit(enter);
  field2->setObjectName("NumEdit2");
  field2->setGeometry(112, 58, 74, 28);
  for (TNumEdit* edit : {field1, field2}) edit->setFont(MakeFont(FontFace, -ControlFontPixels, false));

  QGroupBox* adjust = GB2.control_ = MakeGroup(this, "GB2", "Adjust:", 391, 193, 233, 57);
  TImage* arrows = Image4.control_ = new TImage(adjust, "Image4");
  arrows->place(146, 22, 62, 22);
  arrows->setPicture(ReadPicture(":/arrows.xpm"), ReadPicture(":/arrows_2x.xpm"));
  RB1.control_ = MakeRadio(adjust, "RB1", "C1", 17, 25, 49, 21);
  RB2.control_ = MakeRadio(adjust, "RB2", "Timer", 62, 25, 69, 21);
  RB1.control_->setChecked(true);

  QGroupBox* vout = GB3.control_ = MakeGroup(this, "GB3", "Vout", 391, 253, 233, 88);
  Image5.control_ = new TImage(vout, "Image5");
  Image5.control_->place(13, 25, 203, 58);
  Image5.control_->keepDrawingLog();  // the sheet shows the waveform as drawn

  QListWidget* list = ListBox1.control_ = new QListWidget(this);
  list->setObjectName("ListBox1");
  list->setGeometry(262, 280, 58, 31);
  for (const std::string& text : E12List()) list->addItem(QString::fromStdString(text));
  list->hide();

  // Tab order: the entry group first, its fields in order, "Calculate", then
  // the others. Only the keyboard gives "Calculate" the focus: a click on it
  // leaves the focus in the field.
  calculate->setFocusPolicy(Qt::TabFocus);
  setTabOrder(field1, field2);
  setTabOrder(field2, calculate);
}

void TfmMain::EnsureControls() {
  if (controlsMade_) return;
  controlsMade_ = true;
  CreateHiddenControls();
  ConnectHiddenHandlers();
  // Hidden as the first show leaves them, even when made before the show.
  ShowInputGroups(0);
  // The start-up's sizes, when it got that far (the font was found).
  if (sized_) SizeControls();
  DrawCalculateButton(false);
  // The cursors' pictures, so that the first pointer move over a part does
  // not wait for them.
  for (int number : {20, 21, 22, 23}) CursorByNumber(number);
  // The desktop takes the icon just as well a moment after the window
  // appears.
  setWindowIcon(QIcon(QPixmap::fromImage(ReadPicture(":/timer555.png"))));
}

void TfmMain::FormCreate() {
  shellState.ActiveMenu = 0;
  setWindowTitle(QString::fromStdString(shellState.MainCaption));
  shellState.AppPath = Platform().programDirectory();
  fontFileAdded_ = shellState.AppPath + "appfont.dat";
  RemoveOldFontCopy();

  // Without the font file the window still opens, but unsized, with an empty
  // menu bar and no start screen.
  if (!InstallDisplayFont()) return;

  sized_ = true;
  if (controlsMade_) SizeControls();

  DrawMenuBar();
  DrawStartScreen();
}

void TfmMain::SizeControls() {
  NumEdit1->resize(NumEdit1->width(), ScaleTrunc(21));
  NumEdit2->resize(NumEdit2->width(), ScaleTrunc(21));
  Image3->place(Image3->x(), Image3->y(), Image3->width(), ScaleTrunc(Image3->height()));
}

// The font is registered straight from the shipped file: nothing is ever
// written beside the program, which may be a read-only system folder.
bool TfmMain::InstallDisplayFont() {
  PlatformServices& platform = Platform();
  if (ContainsFaceIgnoringCase(platform.fontFamilies(), FontFace)) {
    shellState.AppFontName = FontFace;
    return true;
  }
  if (!platform.fileExists(fontFileAdded_)) {
    platform.showError("Unable to find application file \"appfont.dat.\" Re-installation required.");
    return false;
  }
  platform.addFont(fontFileAdded_);
  platform.broadcastFontChange();
  platform.processMessages();
  shellState.AppFontName = FontFace;
  return true;
}

// Earlier versions copied the font to TECHNCLN.TTF beside the program for
// the time they ran, and a killed one left the copy behind. It is removed
// where the folder is ours to change; a system folder is left alone.
void TfmMain::RemoveOldFontCopy() {
  PlatformServices& platform = Platform();
  const std::string oldCopy = shellState.AppPath + "TECHNCLN.TTF";
  if (platform.fileExists(oldCopy) && platform.directoryWritable(shellState.AppPath))
    platform.deleteFile(oldCopy);
}

void TfmMain::DrawMenuBar() {
  const int barHeight = static_cast<int>(ClientHeight * 0.12);
  Image1->place(0, 0, ClientWidth, barHeight);
  Image2->place(0, barHeight, ClientWidth, ClientHeight - barHeight);

  Canvas& c = Image1->canvas();
  c.setBrushColor(colors::White);
  c.fillRect({0, 0, c.width(), c.height()});
  c.setPenColor(colors::Black);
  c.setPenWidth(1);
  c.moveTo(0, barHeight - 1);
  c.lineTo(c.width(), barHeight - 1);

  c.setFontName(shellState.AppFontName);
  c.setFontSize(barHeight / 2);
  c.setFontBold(true);
  c.setFontColor(colors::Black);
  const int q = c.textWidth(MenuCaptions[0]) / 6;
  const int g = 2 * q;
  shellState.EntryGap = q;
  for (int k = 0; k < 5; ++k) {
    MenuBarEntry& e = shellState.MenuBarEntries[k];
    e.Caption = MenuCaptions[k];
    e.TextWidth = c.textWidth(e.Caption);
    if (k == 0) {
      e.Hit = {q, 0, e.TextWidth + g, barHeight};
    } else {
      const int prevRight = shellState.MenuBarEntries[k - 1].Hit.right;
      e.Hit = {prevRight + q + 1, 0, prevRight + g + e.TextWidth, barHeight};
    }
    c.textOut(e.Hit.left + q, barHeight / 8, e.Caption);
  }
  Image1->update();
}

void TfmMain::DrawStartScreen() {
  Canvas& c = Image2->canvas();
  const int w = c.width();
  const int h = c.height();
  c.setBrushColor(colors::White);
  c.fillRect({0, 0, w, h});
  c.setFontName(shellState.AppFontName);
  c.setFontHeight(h / 5);
  c.setFontColor(colors::Navy);
  c.setFontBold(false);
  c.textOut(w / 4, 2 * h / 16, TitleWords[0]);
  c.textOut(3 * w / 8, 5 * h / 16, TitleWords[1]);
  c.textOut(2 * w / 4, 8 * h / 16, TitleWords[2]);

  c.setFontColor(colors::Black);
  const int f = h / 12;
  c.setFontHeight(f);
  c.textOut(w / 30, h - (3 * f / 2), NoticeLine);
  c.textOut(w - w / 30 - c.textWidth(WebAddress), h - (3 * f / 2), WebAddress);
  shellState.ShownPage = SheetPage::StartScreen;
  Image2->update();
}

void TfmMain::DrawCalculateButton(bool focused) {
  Canvas& c = Image3->canvas();
  const int w = c.width();
  const int h = c.height();
  c.setPenColor(colors::Black);
  c.setPenWidth(1);
  c.setBrushColor(colors::White);
  c.rectangle(0, 0, w, h);
  c.setBrushColor(colors::ButtonFace);
  c.fillRect({1, 1, w - 1, h - 1});
  c.setFontName(shellState.AppFontName);
  c.setFontSize(ScaleTrunc(11));
  c.setFontBold(false);
  c.setFontColor(colors::Black);
  const std::string caption = "Calculate";
  c.textOut((w - c.textWidth(caption)) / 2, (h - c.textHeight(caption)) / 2, caption);
  if (focused) {
    // A dotted focus rectangle inside the frame, as a push button shows it.
    constexpr int inset = 3;
    for (int x = inset; x < w - inset; x += 2) {
      c.setPixel(x, inset, colors::Black);
      c.setPixel(x, h - 1 - inset, colors::Black);
    }
    for (int y = inset; y < h - inset; y += 2) {
      c.setPixel(inset, y, colors::Black);
      c.setPixel(w - 1 - inset, y, colors::Black);
    }
  }
  Image3->update();
}

void TfmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FormShow();
    // The hidden controls follow the first frame (see eventFilter).
    if (!controlsMade_ && windowHandle()) windowHandle()->installEventFilter(this);
  }
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
  // An expose of the shown window is answered by painting and flushing its
  // first frame before the next event, so a zero-timer posted here makes
  // the hidden controls right after the frame is on screen.
  if (watched == windowHandle() && event->type() == QEvent::Expose && !controlsQueued_ && !controlsMade_) {
    controlsQueued_ = true;
    windowHandle()->removeEventFilter(this);
    QTimer::singleShot(0, this, [this] {
      if (!shutDown_) EnsureControls();
    });
  }
  return QWidget::eventFilter(watched, event);
}

void TfmMain::FormShow() {
  if (controlsMade_) {
    ShowInputGroups(0);
    DrawCalculateButton(false);
  }
  RegisterCursor(20, "CROSSHAIR");
  RegisterCursor(21, "CALCULATE");
  RegisterCursor(22, "CAPACITOR");
  RegisterCursor(23, "RESISTOR");
}

void TfmMain::closeEvent(QCloseEvent* event) {
  FormDestroy();
  event->accept();
}

void TfmMain::FormDestroy() {
  if (shutDown_) return;
  shutDown_ = true;
  PlatformServices& platform = Platform();
  platform.removeFont(fontFileAdded_);
  platform.broadcastFontChange();
}

void TfmMain::keyPressEvent(QKeyEvent* event) { FormKeyDown(event); }

// The keyboard commands are window shortcuts (CreateKeyCommands); no other
// key that reaches the window does anything.
void TfmMain::FormKeyDown(QKeyEvent*) {}

void TfmMain::ArrowKey(int step) {
  if (shellState.DesignShown && designState.Calculated) StepAdjust(step);
}

void TfmMain::DesignNumberKey(int number) {
  if (shellState.ActiveMenu == 1 && !shellState.DesignShown) ChooseDesign(number);
}

bool TfmMain::EnterInField(const TNumEdit* field) {
  // The last field the design uses: the duty cycle where it is typed, else
  // the frequency or pulse length.
  const DesignRow* row = FindDesign(designState.DesignMode);
  if (row == nullptr) return false;
  const TNumEdit* last = row->dutyField == DutyField::Entered ? NumEdit2 : NumEdit1;
  if (field != last) return false;
  Image3Click();
  return true;
}

void TfmMain::ShowInputGroups(int show) {
  const bool visible = show == 1;
  // Keys must not reach a control that is about to be hidden (Space would
  // switch a hidden radio button); the window keeps the keyboard.
  QWidget* focus = focusWidget();
  if (!visible && focus != nullptr) {
    for (QWidget* group :
         {static_cast<QWidget*>(GB1), static_cast<QWidget*>(GB2), static_cast<QWidget*>(GB3)})
      if (group->isAncestorOf(focus)) focus->clearFocus();
  }
  GB1->setVisible(visible);
  GB2->setVisible(visible);
  GB3->setVisible(visible);
  Label2->setEnabled(true);
  Label3->setEnabled(true);
  NumEdit2->setEnabled(true);
  Label1->setText("Frequency");
  Label1->adjustSize();
  Label4->setText("Hz");
  Label4->adjustSize();
  ShowAdviceTexts({});
}

// ---- The design advisor's panel ----

void TfmMain::ShowAdvice() {
  std::vector<std::string> texts;
  for (const Finding& finding : AdviseDesign(designState.DesignMode, designState, designState.Frequency))
    texts.push_back(finding.text);
  ShowAdviceTexts(std::move(texts));
}

void TfmMain::ShowAdviceTexts(std::vector<std::string> texts) {
  if (texts == adviceShown_) return;
  adviceShown_ = std::move(texts);
  if (adviceShown_.empty()) {
    Image6->hide();
    setFixedSize(ClientWidth, ClientHeight);
    return;
  }
  // The panel lies below the client area, which keeps its size and layout;
  // the window grows by the panel's height.
  const std::vector<AdviceLine> lines =
      LayOutAdvice(Image6->canvas(), adviceShown_, ClientWidth, shellState.AppFontName);
  const int height = AdvicePanelHeight(Image6->canvas(), static_cast<int>(lines.size()));
  Image6->place(0, ClientHeight, ClientWidth, height);
  DrawAdvicePanel(Image6->canvas(), lines, shellState.AppFontName);
  setFixedSize(ClientWidth, ClientHeight + height);
  Image6->show();
}

void TfmMain::RefreshImages() {
  for (TImage* image : {Image1, Image2, Image3.get(), Image5.get()}) image->update();
}

void TfmMain::ShowScriptError(const std::exception& error) { Platform().showError(error.what()); }

void TfmMain::SetImage2Cursor(int number) { SetControlCursor(Image2, number); }

// ---- Menu bar and menu pages ----

void TfmMain::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
  std::optional<MenuEntry> chosen;
  for (int k = 0; k < 5 && !chosen; ++k) {
    const Rect& hit = shellState.MenuBarEntries[k].Hit;
    if (hit.left <= x && x <= hit.right) chosen = static_cast<MenuEntry>(k);
  }
  ChooseMenuEntry(chosen);
}

void TfmMain::ChooseMenuEntry(std::optional<MenuEntry> entry) {
  setWindowTitle(QString::fromStdString(shellState.MainCaption));
  shellState.DesignShown = 0;
  designState.Calculated = false;
  if (!entry) return;
  switch (*entry) {
    case MenuEntry::Design: DesignMenuPage(); break;
    case MenuEntry::Applications: ApplicationsMenuPage(); break;
    case MenuEntry::Data: DataMenuPage(); break;
    case MenuEntry::Quit: close(); break;
    case MenuEntry::Help: HelpPage(); break;
  }
}

void TfmMain::DesignMenuPage() {
  ShowInputGroups(0);
  shellState.ActiveMenu = 1;
  DrawDesignMenuPage(Image2->canvas(), SHDesign.Strings());
  shellState.ShownPage = SheetPage::DesignMenu;
  Image2->update();
}

void TfmMain::ApplicationsMenuPage() {
  ShowInputGroups(0);
  shellState.ActiveMenu = 2;
  DrawApplicationsMenuPage(Image2->canvas(), SHApps.Strings());
  shellState.ShownPage = SheetPage::ApplicationsMenu;
  Image2->update();
}

void TfmMain::DataMenuPage() {
  ShowInputGroups(0);
  shellState.ActiveMenu = 3;
  DrawDataMenuPage(Image2->canvas());
  shellState.ShownPage = SheetPage::DataMenu;
  Image2->update();
}

void TfmMain::HelpPage() {
  ShowInputGroups(0);
  shellState.ActiveMenu = 4;
  DrawHelpPage(Image2->canvas(), SHHelp.Strings());
  shellState.ShownPage = SheetPage::Help;
  Image2->update();
}

// ---- Design pages and the calculation ----

void TfmMain::ShowDesignPage(DesignKind kind) {
  ShowInputGroups(1);
  const DesignRow* row = FindDesign(kind);
  setWindowTitle(QString::fromStdString(DesignTitle(kind)));
  if (row != nullptr) {
    Label1->setText(row->field1Label);
    Label1->adjustSize();
    Label4->setText(row->field1Unit);
    Label4->adjustSize();
    switch (row->dutyField) {
      case DutyField::Entered: NumEdit2->setEnabled(true); break;
      case DutyField::FixedAt50:
        designState.DutyCycle = 0.5;
        NumEdit2->setText(QString::fromStdString(FixedText(2, 0, 50)));
        NumEdit2->setEnabled(false);
        break;
      case DutyField::Unused:
        Label2->setEnabled(false);
        Label3->setEnabled(false);
        NumEdit2->setEnabled(false);
        break;
    }
  }
  shellState.ShownPage = SheetPage::Design;
  shellState.SheetDesign.reset();
  try {
    DrawDesignPage(kind, Image2->canvas(), SHCircuits.Strings(), SHBuffer.Strings());
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
  }
  Image2->update();
  // Typing starts in the first field, over what it holds.
  NumEdit1->setFocus(Qt::OtherFocusReason);
  NumEdit1->selectAll();
}

void TfmMain::Image3Click() {
  if (auto problem = ValidateInputs(NumEdit1->text().toStdString(), NumEdit2->text().toStdString())) {
    Platform().showError(*problem);
    return;
  }
  CalculateDesign();
}

void TfmMain::CalculateDesign() {
  const DesignRow* row = FindDesign(designState.DesignMode);
  if (row == nullptr) return;
  ComponentsResult result = ComputeComponents();
  if (result.dutyFieldText) NumEdit2->setText(QString::fromStdString(*result.dutyFieldText));
  if (!result.computed) {
    if (!result.error.empty()) Platform().showError(result.error);
    return;
  }
  try {
    RunCircuitScript(SHBuffer.Strings(), Image2->canvas(), designState.DrawRect, 1);
    DrawOutputWaveform(Image5->canvas(), row->waveform, NumEdit1->text().toStdString(),
                       shellState.AppFontName);
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
    RefreshImages();
    return;
  }
  designState.Calculated = true;
  RecordNominals(NumEdit1->userText().toStdString(), NumEdit2->userText().toStdString());
  shellState.SheetDesign = CurrentDesignFacts();
  RefreshImages();
  ShowAdvice();
}

bool TfmMain::RecalculateAfterAdjust() {
  RecalculationResult result = RecalculateFromComponents();
  if (!result.computed) {
    if (!result.error.empty()) Platform().showError(result.error);
    return false;
  }
  NumEdit1->setComputedText(QString::fromStdString(result.field1Text));
  NumEdit2->setComputedText(QString::fromStdString(result.field2Text));
  shellState.SheetDesign = CurrentDesignFacts();
  try {
    RunCircuitScript(SHBuffer.Strings(), Image2->canvas(), designState.DrawRect, 1);
    const DesignRow* row = FindDesign(designState.DesignMode);
    if (row != nullptr) {
      DrawOutputWaveform(Image5->canvas(), row->waveform, NumEdit1->text().toStdString(),
                         shellState.AppFontName);
    }
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
  }
  RefreshImages();
  ShowAdvice();
  return true;
}

// ---- The drawing area and the adjust arrows ----

void TfmMain::Image2MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
  if (shellState.DesignShown) {
    // The cursor chosen by the last pointer move decides, not a new zone test.
    const int cursor = ControlCursor(Image2);
    // Components that give no timing are refused: the part keeps the value
    // it had before the dialog, so the state stays what the page shows.
    const PartValues before = designState;
    const auto recalculate = [this, before] {
      if (!RecalculateAfterAdjust()) static_cast<PartValues&>(designState) = before;
    };
    if (cursor == 22)
      AdjustCapacitor(this, recalculate);
    else if (cursor == 23)
      AdjustResistor(this, recalculate);
    return;
  }
  const int w = Image2->width();
  const int h = Image2->height();
  try {
    switch (shellState.ActiveMenu) {
      case 1: {
        // Quadrants: top left 1, top right 2, bottom left 3, bottom right 4.
        int quadrant = 1;
        if (x > w / 2) quadrant += 1;
        if (y > h / 2) quadrant += 2;
        ChooseDesign(quadrant);
        break;
      }
      case 2:
        designState.ApplicationIndex = (y * 7) / h + 7 * (x > w / 2 ? 1 : 0) + 1;
        setWindowTitle(QString::fromStdString(shellState.MainCaption));
        shellState.ActiveMenu = 0;
        shellState.ShownPage = SheetPage::Application;
        ShowApplicationPage(Image2->canvas(), SHCircuits.Strings(), SHBuffer.Strings(), SHApps.Strings(),
                            shellState.AppFontName);
        break;
      case 3:
        setWindowTitle(QString::fromStdString(shellState.MainCaption));
        shellState.ActiveMenu = 0;
        shellState.ShownPage = x < w / 2 ? SheetPage::ComponentNotes : SheetPage::TimerData;
        if (x < w / 2)
          ShowComponentNotes(Image2->canvas(), SHComponent.Strings());
        else
          ShowSpecificationTable(Image2->canvas(), SHSpecs.Strings(), shellState.AppFontName);
        break;
      default: break;
    }
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
  }
  Image2->update();
}

void TfmMain::ChooseDesign(int number) {
  NumEdit1->clear();
  NumEdit2->clear();
  Canvas& vout = Image5->canvas();
  vout.setBrushColor(colors::White);
  vout.fillRect({0, 0, vout.width(), vout.height()});
  Image5->update();
  designState.DesignMode = ToDesignKind(number);
  ShowDesignPage(designState.DesignMode);
  shellState.DesignShown = 1;
}

void TfmMain::Image2MouseMove(Qt::KeyboardModifiers, int x, int y) {
  if (shellState.DesignShown && designState.Calculated) {
    if (InRect(drawingState.C1Zone, x, y)) {
      SetImage2Cursor(22);
      return;
    }
    for (int i = 1; i <= 2; ++i) {
      if (InRect(drawingState.ResistorZones[i], x, y)) {
        SetImage2Cursor(23);
        shellState.SelectedResistor = i;
        return;
      }
    }
  }
  SetImage2Cursor(0);
}

void TfmMain::Image4MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
  const double f = static_cast<double>(x) / Image4->width();
  int step = 0;
  if (f <= 0.44)
    step = 1;
  else if (f >= 0.54)
    step = -1;
  StepAdjust(step);
}

void TfmMain::StepAdjust(int step) {
  const std::string field1 = NumEdit1->text().toStdString();
  const std::string field2 = NumEdit2->text().toStdString();
  if (auto problem = ValidateInputs(field1, field2)) {
    Platform().showError(*problem);
  } else {
    if (step != 0) {
      if (RB1->isChecked()) {
        StepCapacitor(step);
        CalculateDesign();
      } else {
        int& chip = drawingState.TimerChoice;
        if (step > 0)
          chip = chip == 0 ? 2 : chip == 2 ? 3 : 0;
        else
          chip = chip == 0 ? 3 : chip == 3 ? 2 : 0;
        try {
          RunCircuitScript(SHBuffer.Strings(), Image2->canvas(), designState.DrawRect, 1);
        } catch (const ScriptConversionError& e) {
          ShowScriptError(e);
        }
        Image2->update();
        ShowAdvice();
      }
    }
  }
  RecordNominals(NumEdit1->userText().toStdString(), NumEdit2->userText().toStdString());
}

}  // namespace timer555
