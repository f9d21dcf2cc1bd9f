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
#include "design/design_table.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/cursors.h"
#include "platform/display_font.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/platform_services.h"
#include "platform/scaling.h"
#include "schematic/circuit_script.h"
#include "schematic/value_text.h"
#include "shell/adjust_dialog.h"
#include "shell/advice_panel.h"
#include "shell/design_history.h"
#include "shell/image_control.h"
#include "shell/menu_pages.h"
#include "shell/num_edit.h"
#include "shell/sheet_export.h"
#include "shell/text_lists.h"
#include "simulation/simulation_plot.h"

namespace timer555 {

namespace {

// Font heights of the controls after scaling: 12 points and 14 points.
constexpr int ControlFontPixels = 16;
constexpr int GroupFontPixels = 19;

const char* const FontFace = kDisplayFace;

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

}  // namespace

TfmMain::TfmMain(QWidget* parent) : QWidget(parent) {
  setObjectName("fmMain");
  CreateControls();
  FormCreate();
}

TfmMain::~TfmMain() {
  StopSimulation();
  FormDestroy();
}

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
  if (History != nullptr) WatchFieldsForHistory();
  ConnectPanel();
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
  bind(QKeySequence(Qt::AltModifier | Qt::Key_Left), [this] { GoBack(); });
  bind(QKeySequence(Qt::Key_F5), [this] { Simulate(); });
  bind(QKeySequence(Qt::ControlModifier | Qt::Key_O), [this] { OpenDesign(); });
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

  History = new TDesignHistory(
      *this, [this](const DesignState& design) { ShowDesign(design); },
      [this] { return state_.DesignShown; });
  if (NumEdit1.control_ != nullptr) WatchFieldsForHistory();
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
  Image5.control_->place(13, 25, VoutWidth, VoutHeight);
  Image5.control_->keepDrawingLog();  // the sheet shows the waveform as drawn

  CreatePanel();

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
  state_.ActiveMenu = Menu::None;
  UpdateTitle();
  state_.AppPath = Platform().programDirectory();
  state_.Design.Settings = RememberedSettings();
  fontFileAdded_ = state_.AppPath + kDisplayFontFile;
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

// The keyboard commands are window shortcuts (CreateKeyCommands). A key
// reaches the window itself only when no control took it: Backspace then
// goes back a page (in an entry field it deletes, as always).
void TfmMain::FormKeyDown(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier) GoBack();
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
  // The panel below belongs to a design page; it shows with the page.
  if (!visible) ShowAnalysis();
}

// A field keeps Ctrl+Z for its own text while it holds what the user typed
// since the design last took its text.
void TfmMain::WatchFieldsForHistory() {
  History->WatchField(NumEdit1.control_,
                      [this] { return NumEdit1.control_->text().toStdString() != state_.Design.Field1Text; });
  History->WatchField(NumEdit2.control_,
                      [this] { return NumEdit2.control_->text().toStdString() != state_.Design.Field2Text; });
}

void TfmMain::RefreshImages() {
  for (TImage* image : {Image1, Image2, Image3.get(), Image5.get()}) image->update();
}

void TfmMain::ShowScriptError(const std::exception& error) { Platform().showError(error.what()); }

void TfmMain::SetImage2Cursor(AreaCursor cursor) { SetControlCursor(Image2, static_cast<int>(cursor)); }

std::optional<DesignFacts> TfmMain::SheetDesign() const {
  if (state_.ShownPage != SheetPage::Design || !state_.Design.Calculated) return std::nullopt;
  DesignFacts facts = FactsOf(state_.Design);
  if (simulated_) facts.simulated = SimulationSummary(*simulated_, state_.Design.DesignMode);
  return facts;
}

std::optional<SheetDrawing> TfmMain::SimulationDrawing() const {
  if (!simulated_ || state_.ShownPage != SheetPage::Design || !state_.Design.Calculated) return std::nullopt;
  return SimulationSheetDrawing(*simulated_, state_.Design.Settings, state_.Design.DesignMode,
                                state_.AppFontName);
}

}  // namespace timer555
