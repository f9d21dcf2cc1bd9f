#include "shell/adjust_dialog.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

#include "design/engine.h"
#include "design/number_syntax.h"
#include "design/standard_values.h"
#include "platform/fonts.h"
#include "platform/platform_services.h"
#include "schematic/value_text.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"

namespace timer555 {

namespace {

// Geometry in pixels, never scaled.
constexpr int kClientWidth = 193;
constexpr int kClientHeight = 45;
constexpr int kBorder = 3;  // outline (1) and bevel (2) drawn around the client area
constexpr int kScreenLeft = 309;
constexpr int kScreenTop = 239;
constexpr int kFontPixels = 16;

constexpr double kAdjustFactor = 1.2;
// A value typed exactly at a limit (1.8 for 1.5, 2.25 for 2.7) must pass:
// the limits are inclusive, but the product or quotient in binary floating
// point can land a hair on the wrong side of the decimal the user typed.
constexpr double kLimitTolerance = 1e-12;

/// Where the dialog stands on the screen when it has no main window to
/// follow; with one, this is its place beside the main window's frame at
/// the frame's starting position.
QPoint DialogPosition(const QWidget* parent, QSize size) {
  QPoint at(kScreenLeft, kScreenTop);
  if (parent == nullptr) return at;
  const QWidget* main = parent->window();
  at += main->pos() - QPoint(TfmMain::InitialLeft, TfmMain::InitialTop);
  if (const QScreen* screen = main->screen()) {
    const QRect area = screen->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
  }
  return at;
}

/// The power of ten of the unit shown beside the field ("K" 3, "nF" -9;
/// 0 for ohm and farad), so that a value typed with its own prefix
/// ("4k7", "2.2n") is read in that unit.
int UnitExponent(const std::string& unit) {
  if (unit.empty() || unit == "F") return 0;
  switch (unit[0]) {
    case 'p': return -12;
    case 'n': return -9;
    case 'u': return -6;
    case 'm': return -3;
    case 'K': return 3;
    case 'M': return 6;
    case 'G': return 9;
    default: return 0;
  }
}

/// A standard value as the plain decimal text the field takes: {270, -2}
/// is "2.7", {100, 1} "1000", {470, -4} "0.047".
std::string PlainText(const StandardValue& value) {
  std::string digits = std::to_string(value.mantissa);
  const int point = static_cast<int>(digits.size()) + value.exponent;
  if (value.exponent >= 0) return digits + std::string(static_cast<std::size_t>(value.exponent), '0');
  const auto at = static_cast<std::size_t>(std::max(point, 0));
  digits = point > 0 ? digits.substr(0, at) + "." + digits.substr(at)
                     : "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
  while (digits.back() == '0') digits.pop_back();
  if (digits.back() == '.') digits.pop_back();
  return digits;
}

QFont DialogFont() { return MakeFont("Technical", -kFontPixels, false); }

bool EndsWithOneOf(const std::string& s, std::size_t fromEnd, const char* letters) {
  if (s.size() < fromEnd) return false;
  const char c = s[s.size() - fromEnd];
  for (const char* p = letters; *p != '\0'; ++p) {
    if (*p == c) return true;
  }
  return false;
}

}  // namespace

TfmAdjust::TfmAdjust(QWidget* parent, const AdjustRequest& request)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), request_(request) {
  setObjectName("fmAdjust");
  setModal(true);
  setFixedSize(kClientWidth + 2 * kBorder, kClientHeight + 2 * kBorder);
  move(DialogPosition(parent, size()));

  // A frameless window has no border of its own; a dark outline around a
  // raised bevel stands in for the dialog frame, so the window stands out
  // from what lies behind it and does not look unfinished.
  auto* outline = new QFrame(this);
  outline->setFrameStyle(QFrame::Box | QFrame::Plain);
  outline->setLineWidth(1);
  QPalette dark = outline->palette();
  dark.setColor(QPalette::WindowText, QColor(64, 64, 64));
  outline->setPalette(dark);
  outline->setGeometry(0, 0, width(), height());
  auto* bevel = new QFrame(this);
  bevel->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
  bevel->setGeometry(1, 1, width() - 2, height() - 2);

  auto* client = new QWidget(this);
  client->setGeometry(kBorder, kBorder, kClientWidth, kClientHeight);

  QPalette black = palette();
  black.setColor(QPalette::WindowText, Qt::black);
  black.setColor(QPalette::Text, Qt::black);
  black.setColor(QPalette::ButtonText, Qt::black);
  const QFont font = DialogFont();

  Label1 = new QLabel(client);
  Label1->setObjectName("Label1");
  Label1->move(4, 14);

  NumEdit1 = new TNumEdit(client);
  NumEdit1->setObjectName("NumEdit1");
  NumEdit1->setGeometry(36, 12, 65, 25);

  Label2 = new QLabel(client);
  Label2->setObjectName("Label2");
  Label2->move(108, 14);

  BitBtn1 = new QPushButton("OK", client);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setGeometry(148, 12, 37, 25);
  BitBtn1->setDefault(true);

  for (QWidget* w : std::initializer_list<QWidget*>{Label1, NumEdit1, Label2, BitBtn1}) {
    w->setFont(font);
    w->setPalette(black);
  }
  setTabOrder(NumEdit1, BitBtn1);
  connect(BitBtn1, &QPushButton::clicked, this, &TfmAdjust::BitBtn1Click);
  // Shortcuts of the dialog's window, so Up and Down step the value from the
  // field and from the button alike (a button would move the focus).
  for (const auto& [key, direction] : {std::pair{Qt::Key_Up, 1}, std::pair{Qt::Key_Down, -1}}) {
    auto* shortcut = new QShortcut(QKeySequence(key), this);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this,
            [this, direction = direction] { StepStandardValue(direction); });
  }
}

void TfmAdjust::FormShow() {
  NumEdit1->setFixedHeight(25);

  std::string number;
  std::string unit;
  if (request_.part == AdjustablePart::C1) {
    shown_.name = "C1";
    const std::string s = CapacitanceText(request_.nominal);
    // "pF", "nF", "uF", "mF", or "F" alone from 1 F on.
    const std::size_t letters = EndsWithOneOf(s, 2, "pnum") ? 2 : 1;
    if (EndsWithOneOf(s, 1, "F")) {
      unit = s.substr(s.size() - letters);
      number = s.substr(0, s.size() - letters);
    } else {
      number = s;
      unit = "F";
    }
  } else {
    shown_.name = request_.part == AdjustablePart::R1 ? "R1" : "R2";
    const std::string s = ResistanceText(request_.nominal);
    if (EndsWithOneOf(s, 1, "GKM")) {
      unit = s.substr(s.size() - 1);
      number = s.substr(0, s.size() - 1);
    } else {
      number = s;
    }
  }
  shown_.number = number;
  shown_.unit = unit;

  Label1->setText(QString::fromStdString(shown_.name));
  Label1->adjustSize();
  NumEdit1->setText(QString::fromStdString(number));
  Label2->setText(QString::fromStdString(unit));
  Label2->adjustSize();
  adjustReference_ = TextToNumber(number);
}

void TfmAdjust::BitBtn1Click() {
  const std::string text = NumEdit1->text().toStdString();
  // The text as shown stands for the exact value it was made from, so that
  // accepting it changes nothing.
  if (text == shown_.number) {
    accepted_ = request_.nominal;
    accept();
    return;
  }
  const std::optional<double> number = ParseNumberInUnit(text, UnitExponent(shown_.unit));
  const double v = number.value_or(0);
  const double upper = kAdjustFactor * adjustReference_ * (1 + kLimitTolerance);
  const double lower = adjustReference_ / kAdjustFactor * (1 - kLimitTolerance);
  if (!number || v > upper || v < lower) {
    // Empty, "3,3", "nan", a number too large for a double ("1e400"), or
    // out of the limits: said, and the dialog stays for another try.
    Platform().showError(!number ? "Value is not a number." : "Maximum adjustment is +/- 20%.");
    NumEdit1->setFocus();
    NumEdit1->selectAll();
    return;
  }
  accepted_ = v * PowerOfTen(UnitExponent(shown_.unit));
  accept();
}

void TfmAdjust::StepStandardValue(int direction) {
  const ESeries series = request_.part == AdjustablePart::C1 ? ESeries::E12 : ESeries::E24;
  // The same limits as BitBtn1Click, so every value offered is accepted.
  const double upper = kAdjustFactor * adjustReference_ * (1 + kLimitTolerance);
  const double lower = adjustReference_ / kAdjustFactor * (1 - kLimitTolerance);
  const std::vector<StandardValue> values = SeriesValuesBetween(series, lower, upper);
  const double current =
      ParseNumberInUnit(NumEdit1->text().toStdString(), UnitExponent(shown_.unit)).value_or(adjustReference_);
  // A value typed as the series writes it ("2.7") is that value.
  const double slack = 1e-9 * std::fabs(current);
  const StandardValue* next = nullptr;
  if (direction > 0) {
    auto it = std::find_if(values.begin(), values.end(),
                           [&](const StandardValue& s) { return s.Value() > current + slack; });
    if (it != values.end()) next = &*it;
  } else {
    auto it = std::find_if(values.rbegin(), values.rend(),
                           [&](const StandardValue& s) { return s.Value() < current - slack; });
    if (it != values.rend()) next = &*it;
  }
  if (next == nullptr) {
    Platform().beep();
    return;
  }
  NumEdit1->setText(QString::fromStdString(PlainText(*next)));
  NumEdit1->selectAll();
}

void TfmAdjust::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
  NumEdit1->setFocus();
  NumEdit1->selectAll();
  if (OnShown) OnShown(*this);
}

std::optional<double> RunAdjustDialog(QWidget* parent, const AdjustRequest& request,
                                      const std::function<void(TfmAdjust&)>& onShown) {
  std::optional<double> accepted;
  {
    TfmAdjust fmAdjust(parent, request);
    fmAdjust.OnShown = onShown;
    fmAdjust.exec();
    accepted = fmAdjust.acceptedValue();
  }
  // The keyboard goes back to the window the dialog stood over; without a
  // window manager nothing else gives it back.
  if (parent != nullptr) parent->window()->activateWindow();
  return accepted;
}

}  // namespace timer555
