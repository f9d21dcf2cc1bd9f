#include "scenario_runner.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QThread>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "cli/design_answer.h"
#include "platform/cursors.h"
#include "platform/recording_platform.h"
#include "shell/adjust_dialog.h"
#include "shell/design_panel.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"
#include "shell/sheet_export.h"
#include "testsupport/adjust_answers.h"
#include "testsupport/key_presses.h"

namespace timer555::scenario {

namespace {

std::string Quote(const std::string& s) { return JsonString(s); }

std::string Quote(const QString& s) { return Quote(s.toStdString()); }

// Doubles to 17 significant digits; non-finite values as strings.
std::string Number(double v) {
  if (std::isnan(v)) return "\"nan\"";
  if (std::isinf(v)) return v > 0 ? "\"inf\"" : "\"-inf\"";
  char buf[40];
  auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  return std::string(buf, result.ptr);
}

std::string RectJson(const Rect& r) {
  return "[" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
         std::to_string(r.bottom) + "]";
}

/// Builds one JSON object member by member.
class Object {
 public:
  Object& Add(const std::string& key, const std::string& rawValue) {
    text_ += (text_.empty() ? "{\n  " : ",\n  ") + Quote(key) + ": " + rawValue;
    return *this;
  }
  std::string Done() const { return text_.empty() ? "{}" : text_ + "\n}"; }

 private:
  std::string text_;
};

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string Inline(std::initializer_list<std::pair<const char*, std::string>> members) {
  std::string out = "{";
  bool first = true;
  for (const auto& [key, value] : members) {
    out += (first ? "" : ", ") + Quote(std::string(key)) + ": " + value;
    first = false;
  }
  return out + "}";
}

}  // namespace

Runner::Runner(TfmMain& window, RecordingPlatform& platform, QString outDir)
    : window_(window), platform_(platform), outDir_(std::move(outDir)) {
  answers_.Attach(window_);
}

std::string Runner::InOutput(const std::string& path) const {
  return QDir(outDir_).absoluteFilePath(QString::fromStdString(path)).toStdString();
}

void Runner::WaitForSimulation() {
  QElapsedTimer waited;
  waited.start();
  while (window_.Simulating() && waited.elapsed() < kSimulationWait) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  QApplication::processEvents();
}

void Runner::MouseDown(QWidget* target, int x, int y) {
  const QPointF local(x, y);
  const QPointF global = target->mapToGlobal(local);
  QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(target, &release);
  QApplication::processEvents();
}

void Runner::MouseMove(QWidget* target, int x, int y) {
  const QPointF local(x, y);
  QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(target, &move);
  QApplication::processEvents();
}

void Runner::Key(QWidget* target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

void Runner::KeyOnFocus(const std::string& name) {
  // To the control with the focus, as a keyboard delivers it; the window
  // itself when no control has it.
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = window_.focusWidget();
  if (target == nullptr) target = &window_;
  if (auto key = KeyFromName(name)) PressKey(target, *key);
  QApplication::processEvents();
}

std::vector<QKeyCombination> Runner::KeysByName(const std::string& names) {
  std::vector<QKeyCombination> keys;
  for (std::size_t at = 0; at != std::string::npos;) {
    const std::size_t blank = names.find(' ', at);
    if (auto key = KeyFromName(names.substr(at, blank == std::string::npos ? blank : blank - at)))
      keys.push_back(*key);
    at = blank == std::string::npos ? blank : blank + 1;
  }
  return keys;
}

QWidget* Runner::Field(const std::string& name) {
  return name == "freq" ? static_cast<QWidget*>(window_.NumEdit1) : static_cast<QWidget*>(window_.NumEdit2);
}

static int KeyCodeOf(QChar c) {
  if (c.isDigit()) return Qt::Key_0 + c.digitValue();
  if (c.isLetter()) return Qt::Key_A + (c.toUpper().unicode() - 'A');
  if (c == '.') return Qt::Key_Period;
  return c.unicode();
}

void Runner::Run(const Command& c) {
  const std::string& n = c.name;
  if (n == "menu") {
    for (const MenuBarEntry& e : window_.State().MenuBarEntries) {
      if (e.Caption == c.word) {
        MouseDown(window_.Image1, (e.Hit.left + e.Hit.right) / 2, (e.Hit.top + e.Hit.bottom) / 2);
        return;
      }
    }
    // No captions: the menu bar was never drawn (font missing); nothing to hit.
  } else if (n == "menubar") {
    MouseDown(window_.Image1, c.ints[0], 1);
  } else if (n == "click") {
    MouseDown(window_.Image2, c.ints[0], c.ints[1]);
  } else if (n == "move") {
    MouseMove(window_.Image2, c.ints[0], c.ints[1]);
  } else if (n == "type") {
    const QString text = QString::fromStdString(c.text);
    if (c.word == "dialog") {
      // The modal dialog cannot be typed into from here: the keys go through
      // the same filter, and what it lets through becomes the queued answer.
      std::string kept;
      for (QChar ch : text) {
        char k = TNumEdit::KeyPress(static_cast<char>(ch.unicode() < 0x80 ? ch.unicode() : '?'));
        if (k == 8) {
          if (!kept.empty()) kept.pop_back();
        } else if (k != 0) {
          kept += k;
        }
      }
      answers_.QueueAnswer(kept);
      return;
    }
    QWidget* field = Field(c.word);
    field->setFocus(Qt::OtherFocusReason);
    for (QChar ch : text) Key(field, KeyCodeOf(ch), QString(ch));
    QApplication::processEvents();
  } else if (n == "paste") {
    if (c.word == "dialog") {
      answers_.QueueAnswer(c.text);
      return;
    }
    auto* field = static_cast<TNumEdit*>(Field(c.word));
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    field->pasteText(QString::fromStdString(c.text));
  } else if (n == "enter") {
    if (c.word == "dialog") return;  // a queued answer presses "OK" itself
    QWidget* field = Field(c.word);
    field->setFocus(Qt::OtherFocusReason);
    Key(field, Qt::Key_Return, QStringLiteral("\r"));
    QApplication::processEvents();
  } else if (n == "calculate") {
    MouseDown(window_.Image3, window_.Image3->width() / 2, window_.Image3->height() / 2);
  } else if (n == "arrow") {
    MouseDown(window_.Image4, c.word == "up" ? 10 : c.word == "down" ? 50 : 30, 10);
  } else if (n == "arrowx") {
    MouseDown(window_.Image4, c.ints[0], 10);
  } else if (n == "radio") {
    (c.word == "C1" ? window_.RB1 : window_.RB2)->click();
  } else if (n == "key") {
    KeyOnFocus(c.word);
    // F5 returns once the simulation it started has finished.
    if (QString::fromStdString(c.word).compare("F5", Qt::CaseInsensitive) == 0) WaitForSimulation();
  } else if (n == "vcc") {
    TNumEdit* field = window_.Panel->VccEdit;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    for (QChar ch : QString::fromStdString(c.text)) Key(field, KeyCodeOf(ch), QString(ch));
    Key(field, Qt::Key_Return, QStringLiteral("\r"));
    QApplication::processEvents();
  } else if (n == "family") {
    (c.word == "cmos" ? window_.Panel->Cmos : window_.Panel->Bipolar)->click();
    QApplication::processEvents();
  } else if (n == "combination") {
    window_.ApplyCombination(c.ints[0] - 1);
    QApplication::processEvents();
  } else if (n == "save") {
    window_.SheetExport->SaveTo(InOutput(c.text));
  } else if (n == "open") {
    window_.OpenDesignFile(InOutput(c.text));
    QApplication::processEvents();
  } else if (n == "dialog") {
    if (c.word == "keys")
      answers_.QueueKeys(KeysByName(c.text));
    else
      answers_.QueueAnswer(c.text);
  } else if (n == "snapshot") {
    Snapshot(c.word);
  } else if (n == "close") {
    window_.close();
    QApplication::processEvents();
  }
}

std::string Runner::SnapshotJson() {
  const WindowState& state = window_.State();
  const DesignState& d = state.Design;
  std::string menuBar = "[";
  for (int k = 0; k < 5; ++k) menuBar += (k ? ", " : "") + RectJson(state.MenuBarEntries[k].Hit);
  menuBar += "]";
  std::string zones = "[";
  for (int i = 1; i <= 4; ++i) zones += (i > 1 ? ", " : "") + RectJson(state.Zones.Resistors[i]);
  zones += "]";
  std::string messages = "[";
  for (std::size_t i = messagesSeen_; i < platform_.errors.size(); ++i)
    messages += (i > messagesSeen_ ? ", " : "") + Quote(platform_.errors[i]);
  messages += "]";
  const AdjustDialogShown& shown = answers_.Last();
  QWidget* focus = QApplication::focusWidget();
  std::string warnings = "[";
  for (const std::string& text : window_.AdviceShown())
    warnings += (warnings.size() > 1 ? ", " : "") + Quote(text);
  warnings += "]";

  Object o;
  o.Add("title", Quote(window_.windowTitle()))
      .Add("ActiveMenu", std::to_string(static_cast<int>(state.ActiveMenu)))
      .Add("DesignShown", std::to_string(state.DesignShown ? 1 : 0))
      .Add("Calculated", Bool(d.Calculated))
      .Add("DesignMode", std::to_string(static_cast<int>(d.DesignMode)))
      .Add("ApplicationIndex", std::to_string(state.ApplicationIndex))
      .Add("Frequency", Number(d.Frequency))
      .Add("DutyCycle", Number(d.DutyCycle))
      .Add("PulseLength", Number(d.PulseLength))
      .Add("C1", Number(d.C1))
      .Add("C2", Number(d.C2))
      .Add("C3", Number(d.C3))
      .Add("C4", Number(d.C4))
      .Add("R1", Number(d.R1))
      .Add("R2", Number(d.R2))
      .Add("R3", Number(d.R3))
      .Add("NominalC1", Number(d.NominalC1))
      .Add("NominalR1", Number(d.NominalR1))
      .Add("NominalR2", Number(d.NominalR2))
      .Add("FrequencyDecimals", std::to_string(d.FrequencyDecimals))
      .Add("DutyDecimals", std::to_string(d.DutyDecimals))
      .Add("CapSeriesIndex", std::to_string(d.CapSeriesIndex))
      .Add("CapDecade", std::to_string(d.CapDecade))
      .Add("HighTime", Number(d.HighTime))
      .Add("LowTime", Number(d.LowTime))
      .Add("TimerChoice", std::to_string(static_cast<int>(d.Chip)))
      .Add("SelectedResistor", std::to_string(state.SelectedResistor))
      .Add("cursor", std::to_string(ControlCursor(window_.Image2)))
      .Add("C1Zone", RectJson(state.Zones.C1))
      .Add("ResistorZones", zones)
      .Add("fields", Inline({{"freq", Inline({{"text", Quote(window_.NumEdit1->text())},
                                              {"enabled", Bool(window_.NumEdit1->isEnabled())}})},
                             {"duty", Inline({{"text", Quote(window_.NumEdit2->text())},
                                              {"enabled", Bool(window_.NumEdit2->isEnabled())}})},
                             {"label1", Quote(window_.Label1->text())},
                             {"label4", Quote(window_.Label4->text())}}))
      .Add("groupsVisible",
           Bool(!window_.GB1->isHidden() && !window_.GB2->isHidden() && !window_.GB3->isHidden()))
      .Add("menuBar", menuBar)
      .Add("messages", messages)
      .Add("beeps", std::to_string(platform_.beeps - beepsSeen_))
      .Add(
          "dialog",
          Inline({{"name", Quote(shown.name)}, {"number", Quote(shown.number)}, {"unit", Quote(shown.unit)}}))
      .Add("focus", Quote(focus ? focus->objectName() : QString()))
      .Add("warnings", warnings)
      .Add("window", Inline({{"width", std::to_string(window_.width())},
                             {"height", std::to_string(window_.height())},
                             {"visible", Bool(window_.isVisible())}}));
  messagesSeen_ = platform_.errors.size();
  beepsSeen_ = platform_.beeps;
  return o.Done() + "\n";
}

void Runner::Snapshot(const std::string& name) {
  const QString base = QDir(outDir_).filePath(QString::fromStdString(name));
  auto save = [&](const QImage& image, const char* suffix) {
    const QString path = base + suffix;
    if (!image.save(path, "PNG")) throw std::runtime_error("cannot write " + path.toStdString());
  };
  save(window_.Image2->image(), ".area.png");
  save(window_.Image1->image(), ".menubar.png");
  save(window_.Image5->image(), ".vout.png");
  save(window_.grab().toImage(), ".window.png");
  QFile json(base + ".json");
  if (!json.open(QIODevice::WriteOnly | QIODevice::Truncate))
    throw std::runtime_error("cannot write " + json.fileName().toStdString());
  json.write(QByteArray::fromStdString(SnapshotJson()));
}

}  // namespace timer555::scenario
