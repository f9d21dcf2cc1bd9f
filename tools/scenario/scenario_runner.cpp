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
#include <cmath>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "cli/design_answer.h"
#include "design/design_sheet.h"
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

using Json = nlohmann::ordered_json;

// Doubles as JSON numbers (they read back exactly); non-finite values as
// the strings "nan", "inf" and "-inf", as the snapshots have always had them.
Json Number(double v) {
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
  return v;
}

// A number that is null when the quantity is not defined.
Json NumberOr(bool defined, double v) { return defined && std::isfinite(v) ? Json(v) : Json(nullptr); }

Json RectJson(const Rect& r) { return Json::array({r.left, r.top, r.right, r.bottom}); }

Json Text(const QString& s) { return s.toStdString(); }

// What the built circuit is expected to do, with the command line's keys.
Json ExpectedJson(DesignKind kind, const ExpectedValues& e) {
  const bool mono = kind == DesignKind::Monostable;
  Json o;
  o["frequency"] = NumberOr(e.runs() && !mono, e.frequency);
  o["duty"] = NumberOr(e.runs() && !mono, e.duty);
  o["pulse"] = NumberOr(e.runs() && mono, e.pulse);
  o["high_time"] = NumberOr(e.runs(), e.highTime);
  o["low_time"] = NumberOr(e.runs() && !mono, e.lowTime);
  return o;
}

}  // namespace

Runner::Runner(TfmMain& window, RecordingPlatform& platform, QString outDir)
    : window_(window), platform_(platform), outDir_(std::move(outDir)) {
  answers_.Attach(window_);
}

void Runner::RunPanelCommand(const Command& c) {
  const std::string& n = c.name;
  if (n == "vcc") {
    TNumEdit* field = window_.Panel->VccEdit;
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    for (QChar ch : QString::fromStdString(c.text)) Key(field, KeyCodeOf(ch), QString(ch));
    Key(field, Qt::Key_Return, QStringLiteral("\r"));
  } else if (n == "family") {
    (c.word == "cmos" ? window_.Panel->Cmos : window_.Panel->Bipolar)->click();
  } else if (n == "combination") {
    window_.ApplyCombination(c.ints[0] - 1);
  } else if (n == "save") {
    window_.SheetExport->SaveTo(InOutput(c.text));
  } else if (n == "open") {
    window_.OpenDesignFile(InOutput(c.text));
  }
  QApplication::processEvents();
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

int Runner::KeyCodeOf(QChar c) {
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
  } else if (n == "vcc" || n == "family" || n == "combination" || n == "save" || n == "open") {
    RunPanelCommand(c);
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
  Json menuBar = Json::array();
  for (const MenuBarEntry& e : state.MenuBarEntries) menuBar.push_back(RectJson(e.Hit));
  Json zones = Json::array();
  for (int i = 1; i <= 4; ++i) zones.push_back(RectJson(state.Zones.Resistors[i]));
  Json messages = Json::array();
  for (std::size_t i = messagesSeen_; i < platform_.errors.size(); ++i)
    messages.push_back(platform_.errors[i]);
  const AdjustDialogShown& shown = answers_.Last();
  QWidget* focus = QApplication::focusWidget();

  Json o;
  o["title"] = Text(window_.windowTitle());
  o["ActiveMenu"] = static_cast<int>(state.ActiveMenu);
  o["DesignShown"] = state.DesignShown ? 1 : 0;
  o["Calculated"] = d.Calculated;
  o["DesignMode"] = static_cast<int>(d.DesignMode);
  o["ApplicationIndex"] = state.ApplicationIndex;
  o["Frequency"] = Number(d.Frequency);
  o["DutyCycle"] = Number(d.DutyCycle);
  o["PulseLength"] = Number(d.PulseLength);
  for (const auto& [key, value] : {std::pair{"C1", d.C1},
                                   {"C2", d.C2},
                                   {"C3", d.C3},
                                   {"C4", d.C4},
                                   {"R1", d.R1},
                                   {"R2", d.R2},
                                   {"R3", d.R3},
                                   {"NominalC1", d.NominalC1},
                                   {"NominalR1", d.NominalR1},
                                   {"NominalR2", d.NominalR2}})
    o[key] = Number(value);
  o["FrequencyDecimals"] = d.FrequencyDecimals;
  o["DutyDecimals"] = d.DutyDecimals;
  o["CapSeriesIndex"] = d.CapSeriesIndex;
  o["CapDecade"] = d.CapDecade;
  o["HighTime"] = Number(d.HighTime);
  o["LowTime"] = Number(d.LowTime);
  o["TimerChoice"] = static_cast<int>(d.Chip);
  o["SelectedResistor"] = state.SelectedResistor;
  o["cursor"] = ControlCursor(window_.Image2);
  o["C1Zone"] = RectJson(state.Zones.C1);
  o["ResistorZones"] = zones;
  o["fields"] = {
      {"freq", {{"text", Text(window_.NumEdit1->text())}, {"enabled", window_.NumEdit1->isEnabled()}}},
      {"duty", {{"text", Text(window_.NumEdit2->text())}, {"enabled", window_.NumEdit2->isEnabled()}}},
      {"label1", Text(window_.Label1->text())},
      {"label4", Text(window_.Label4->text())}};
  o["groupsVisible"] = !window_.GB1->isHidden() && !window_.GB2->isHidden() && !window_.GB3->isHidden();
  o["menuBar"] = menuBar;
  o["messages"] = messages;
  o["beeps"] = platform_.beeps - beepsSeen_;
  o["dialog"] = {{"name", shown.name}, {"number", shown.number}, {"unit", shown.unit}};
  o["focus"] = Text(focus ? focus->objectName() : QString());
  o["warnings"] = window_.AdviceShown();
  o["window"] = {{"width", window_.width()}, {"height", window_.height()}, {"visible", window_.isVisible()}};
  AddBuiltCircuit(o);
  messagesSeen_ = platform_.errors.size();
  beepsSeen_ = platform_.beeps;
  return o.dump(2) + "\n";
}

// The circuit settings and, for a calculated design, what the built circuit
// does, the compensated parts, a simulation run and the combinations listed,
// with the command line's keys.
void Runner::AddBuiltCircuit(nlohmann::ordered_json& o) const {
  const DesignState& d = window_.State().Design;
  o["vcc"] = d.Settings.vcc;
  o["family"] = d.Settings.family == TimerFamily::Bipolar ? "bipolar" : "cmos";
  const std::optional<DesignFacts> facts = window_.SheetDesign();
  Json expected(nullptr), compensated(nullptr), simulated(nullptr);
  if (facts) {
    const DesignReport report = ReportDesign(*facts);
    expected = ExpectedJson(d.DesignMode, report.expected);
    if (report.compensated) {
      compensated = {{"R1", report.compensated->R1},
                     {"R2", NumberOr(d.DesignMode != DesignKind::Monostable, report.compensated->R2)}};
    }
  }
  if (const std::optional<SimulationResult>& run = window_.Simulated(); facts && run) {
    simulated = {{"frequency", NumberOr(run->frequency.has_value(), run->frequency.value_or(0))},
                 {"duty", NumberOr(run->duty.has_value(), run->duty.value_or(0))},
                 {"pulse", NumberOr(run->pulse.has_value(), run->pulse.value_or(0))}};
  }
  o["expected"] = expected;
  o["compensated"] = compensated;
  o["simulated"] = simulated;
  o["combinations"] = Json::parse(CombinationsJson(d.DesignMode, window_.CombinationsShown()));
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
