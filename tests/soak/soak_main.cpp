// timer555-soak SEED STEPS: plays STEPS random but reproducible user actions
// on the real main window through the scenario runner (clicks, pointer moves,
// typed characters, pastes of hostile texts, the arrows, the radio buttons,
// "Calculate", the keyboard commands, adjust dialogs answered by text or by
// keys, copies of the page) and checks after every step that nothing the program shows or keeps
// holds a NaN or an infinity, that the advice panel is there exactly when it
// has findings, and that a dialog left with Escape or refused changes
// nothing. It ends with Ctrl+Q. Built with AddressSanitizer
// and UndefinedBehaviorSanitizer by the soak test, so a memory fault or an
// undefined operation ends the run too. Exits 0 when every step passed, 1 on
// the first broken check (naming the seed, the step and the action).
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QScrollArea>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "platform/cursors.h"
#include "platform/recording_platform.h"
#include "scenario_runner.h"
#include "schematic/value_text.h"
#include "shell/adjust_dialog.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"
#include "shell/sheet_export.h"
#include "soak_checks.h"
#include "testsupport/adjust_answers.h"
#include "testsupport/key_presses.h"

namespace {

using timer555::scenario::Command;

/// Random actions over the whole window, from one seeded generator.
class ActionMaker {
 public:
  explicit ActionMaker(unsigned seed) : rng_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  /// A text a user might paste: numbers with signs and exponents, words,
  /// very long digit strings, empty, stray points.
  std::string HostileText() {
    static const char* const fixed[] = {
        "",       "nan",      "NaN", "-nan", "inf",   "-inf",  "Infinity", "1e308", "1e309", "-1e308",
        "1e-320", "4.9e-324", "0",   "-0",   "0.0",   ".",     "..",       "-",     "+",     "e",
        "1e",     "1e+",      "+5",  "-5",   "1.2.3", "0x10",  " 12",      "12 ",   "1,5",   "99999999999",
        "1000",   "60",       "50",  "49.9", "50.1",  "99.99", "0.001",    "1e-9",  "1E3",   "2.5e-3"};
    const int kind = Below(6);
    if (kind >= 4) {  // a value a design can be calculated from
      std::ostringstream o;
      o << (kind == 4 ? std::uniform_real_distribution<double>(0.5, 99.5)(rng_)
                      : std::pow(10.0, std::uniform_real_distribution<double>(-3, 5)(rng_)));
      return o.str();
    }
    if (kind == 0) return fixed[Below(static_cast<int>(std::size(fixed)))];
    if (kind == 1) {  // a very long number, sometimes with a point or an exponent
      std::string s(1 + Below(400), '9');
      for (char& c : s) c = static_cast<char>('0' + Below(10));
      if (Below(2)) s.insert(static_cast<std::size_t>(Below(static_cast<int>(s.size()))), ".");
      if (Below(3) == 0) s += "e" + std::to_string(Below(700) - 350);
      if (Below(4) == 0) s.insert(0, "-");
      return s;
    }
    if (kind == 2) {  // a plausible number of any size
      std::ostringstream o;
      o << (Below(6) == 0 ? "-" : "") << std::uniform_real_distribution<double>(0, 1000)(rng_);
      if (Below(2)) o << "e" << (Below(40) - 20);
      return o.str();
    }
    std::string s;  // random printable characters
    for (int n = Below(12); n > 0; --n) s += static_cast<char>(' ' + Below(95));
    return s;
  }

  /// Characters typed key by key: mostly what a number needs, sometimes not.
  std::string TypedText() {
    static const std::string keys = "0123456789012345678901234567890123456789..-+eEnaif";
    std::string s;
    for (int n = 1 + Below(8); n > 0; --n)
      s += keys[static_cast<std::size_t>(Below(static_cast<int>(keys.size())))];
    if (Below(5) == 0) s += "\b";
    return s;
  }

  /// A key a person might press anywhere: the commands, editing and focus
  /// keys, digits. Not Ctrl+Q, which ends the run, nor shortcuts that open
  /// windows of their own.
  std::string KeyName() {
    static const char* const keys[] = {"Up",
                                       "Down",
                                       "Up",
                                       "Down",
                                       "Return",
                                       "Enter",
                                       "Tab",
                                       "Backtab",
                                       "Escape",
                                       "F1",
                                       "1",
                                       "2",
                                       "3",
                                       "4",
                                       "5",
                                       "0",
                                       "Space",
                                       "Left",
                                       "Right",
                                       "Home",
                                       "End",
                                       "Backspace",
                                       "Delete",
                                       "shift+Up",
                                       "ctrl+Down",
                                       "PgUp",
                                       "ctrl+Z",
                                       "ctrl+Y",
                                       "ctrl+shift+Z",
                                       "ctrl+Z",
                                       "alt+Left"};
    return keys[Below(static_cast<int>(std::size(keys)))];
  }

  /// Keys for an adjust dialog: steps, then Enter, Escape or nothing (the
  /// runner then leaves it with Escape).
  std::string DialogKeys() {
    std::string keys;
    for (int n = Below(6); n > 0; --n) keys += Below(2) ? "Up " : "Down ";
    const int end = Below(3);
    keys += end == 0 ? "Return" : end == 1 ? "Escape" : "Tab";
    return keys;
  }

  /// The next action. `areaW`/`areaH` are the drawing area's size.
  Command Next(int areaW, int areaH) {
    Command c;
    const int pick = Below(124);
    const char* field = Below(2) ? "freq" : "duty";
    if (pick < 10) {
      static const char* const entries[] = {"Design", "Applications", "Data", "Help"};
      c.name = "menu";
      c.word = entries[Below(4)];
    } else if (pick < 30) {
      c.name = "click";
      c.ints = {Below(areaW + 20) - 10, Below(areaH + 20) - 10};
    } else if (pick < 42) {
      c.name = "move";
      c.ints = {Below(areaW + 20) - 10, Below(areaH + 20) - 10};
    } else if (pick < 54) {
      c.name = "type";
      c.word = field;
      c.text = TypedText();
    } else if (pick < 66) {
      c.name = "paste";
      c.word = field;
      c.text = HostileText();
    } else if (pick < 70) {
      c.name = "enter";
      c.word = field;
    } else if (pick < 80) {
      c.name = "calculate";
    } else if (pick < 86) {
      c.name = "arrowx";
      c.ints = {Below(80) - 10};
    } else if (pick < 90) {
      c.name = "radio";
      c.word = Below(2) ? "C1" : "Timer";
    } else if (pick < 100) {
      c.name = "zone";  // a click on a component zone with a queued dialog answer
      c.ints = {Below(3)};
      if (Below(3) == 0) {
        c.word = "keys";
        c.text = DialogKeys();
      } else {
        c.text = Below(3) == 0 ? HostileText() : std::string();
      }
    } else if (pick < 112) {
      c.name = "key";
      c.word = KeyName();
    } else if (pick < 114) {
      c.name = "copy";  // Ctrl+C: the page's sheet and its summary
    } else if (pick < 118) {
      // Ctrl+S of the design and Ctrl+O of what was saved (or of nothing yet).
      c.name = Below(2) ? "save" : "open";
      c.text = "soak.t555";
    } else if (pick < 121) {
      c.name = "vcc";
      c.text = Below(3) == 0 ? HostileText() : std::to_string(Below(20));
    } else if (pick < 122) {
      c.name = "family";
      c.word = Below(2) ? "bipolar" : "cmos";
    } else {
      c.name = "combination";
      c.ints = {Below(7)};
    }
    return c;
  }

  double Uniform(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

 private:
  std::mt19937 rng_;
};

std::string Describe(const Command& c) {
  std::string s = c.name;
  for (int v : c.ints) s += " " + std::to_string(v);
  if (!c.word.empty()) s += " " + c.word;
  if (!c.text.empty() || c.name == "paste") s += " '" + c.text + "'";
  return s;
}

timer555::Rect ZoneOf(const timer555::TfmMain& w, int which) {
  const timer555::PartZones& zones = w.State().Zones;
  return which == 0 ? zones.C1 : zones.Resistors[which];
}

/// What a dialog that stores nothing must leave as it was: the parts, the
/// capacitor's place and the two entry fields.
struct Untouched {
  double c1, r1, r2;
  int index, decade;
  std::string freq, duty;

  static Untouched Of(const timer555::TfmMain& w) {
    const timer555::DesignState& d = w.State().Design;
    return {d.C1,
            d.R1,
            d.R2,
            d.CapSeriesIndex,
            d.CapDecade,
            w.NumEdit1->text().toStdString(),
            w.NumEdit2->text().toStdString()};
  }
  bool operator==(const Untouched&) const = default;
};

std::vector<QKeyCombination> Keys(const std::string& names) {
  std::vector<QKeyCombination> keys;
  std::istringstream in(names);
  for (std::string name; in >> name;)
    if (auto key = timer555::KeyFromName(name)) keys.push_back(*key);
  return keys;
}

/// Empty when the advice panel agrees with what the window shows;
/// `pageChanged`: the step drew another page, which takes the findings away.
std::string CheckAdvicePanel(const timer555::TfmMain& w, bool pageChanged) {
  const std::vector<std::string>& shown = w.AdviceShown();
  for (const std::string& text : shown) {
    std::string problem = timer555::soak::CheckPrintedText("advice", text);
    if (!problem.empty()) return problem;
  }
  // The panel below the client area shows on a design page only, and the
  // findings in it only when there are some.
  const bool panel = !w.PanelArea->isHidden();
  const bool designPage = w.State().ShownPage == timer555::SheetPage::Design && !w.GB1->isHidden();
  if (w.width() != 650 || panel != designPage || panel != (w.height() > 350) ||
      shown.empty() != w.Image6->isHidden() || (!shown.empty() && !panel))
    return "window " + std::to_string(w.width()) + " x " + std::to_string(w.height()) + " with " +
           std::to_string(shown.size()) + " findings" + (panel ? " and the panel" : "");
  if (!shown.empty() && pageChanged) return "findings kept on a new page";
  return {};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: timer555-soak SEED STEPS\n";
    return 2;
  }
  const unsigned seed = static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10));
  const long steps = std::strtol(argv[2], nullptr, 10);
  QTemporaryDir snapshots;

  timer555::RecordingPlatform platform;
  timer555::PlatformServices* previous = timer555::SetPlatform(&platform);
  int status = 0;
  {
    timer555::TfmMain fmMain;
    fmMain.show();
    QApplication::processEvents();
    timer555::scenario::Runner runner(fmMain, platform, snapshots.path());
    ActionMaker maker(seed);
    timer555::soak::FieldWatch freqWatch, dutyWatch;
    std::size_t errorsSeen = 0;
    long calculations = 0, dialogs = 0, refusedAdjustments = 0, calculatedSteps = 0, applicationPages = 0,
         keys = 0, dialogsByKeys = 0, stepsWithFindings = 0, copies = 0;
    int lastApplication = 0;

    for (long step = 1; step <= steps && status == 0; ++step) {
      Command c = maker.Next(fmMain.Image2->width(), fmMain.Image2->height());
      bool dialogOpens = false, storesNothing = false;
      const std::size_t errorsBefore = platform.errors.size();
      if (c.name == "zone") {
        const timer555::Rect z = ZoneOf(fmMain, c.ints[0]);
        const bool byKeys = c.word == "keys";
        c.name = "click";
        c.ints = {(z.left + z.right) / 2, (z.top + z.bottom) / 2};
        if (c.text.empty()) {
          // A value within the allowed 20 % of the nominal one, in the unit
          // the dialog will show: the runner tells afterwards what it showed.
          c.text = std::to_string(maker.Uniform(0.85, 1.15));
        }
        if (fmMain.State().Design.Calculated && z.right > z.left) ++dialogs;
        // The pointer comes to rest on the part first, as a hand would: the
        // cursor it gets decides what the click opens.
        Command move;
        move.name = "move";
        move.ints = c.ints;
        runner.Run(move);
        const int cursor = timer555::ControlCursor(fmMain.Image2);
        dialogOpens = fmMain.State().DesignShown && (cursor == 22 || cursor == 23);
        storesNothing = byKeys && c.text.find("Return") == std::string::npos;
        dialogsByKeys += byKeys && dialogOpens;
      }
      const Untouched before = Untouched::Of(fmMain);
      // A key that edits text and goes to an entry field is the user's own
      // typing, as a typed character is.
      const bool editingKey =
          c.name == "key" &&
          (c.word.size() == 1 || c.word == "Space" || c.word == "Backspace" || c.word == "Delete" ||
           // a field's own undo of the user's typing
           c.word == "ctrl+Z" || c.word == "ctrl+Y" || c.word == "ctrl+shift+Z");
      // The runner presses it on the focused control, or on the window's own
      // focus control once it has made the window active again.
      const QWidget* focusBefore = !editingKey                              ? nullptr
                                   : QApplication::focusWidget() != nullptr ? QApplication::focusWidget()
                                                                            : fmMain.focusWidget();
      // Any click into the drawing area may open the modal adjust dialog,
      // which must always find an answer waiting or the run would stop.
      runner.answers().Clear();
      if (c.name == "click" && c.word == "keys")
        runner.answers().QueueKeys(Keys(c.text));
      else if (c.name == "click")
        runner.answers().QueueAnswer(c.text);
      std::string copied;
      try {
        if (c.name == "copy") {
          fmMain.SheetExport->Copy();
          copied = fmMain.SheetExport->SummaryText();
          ++copies;
        } else {
          runner.Run(c);
        }
      } catch (const std::exception& e) {
        std::cerr << "seed " << seed << " step " << step << " (" << Describe(c) << "): " << e.what() << "\n";
        status = 1;
        break;
      }
      runner.answers().Clear();
      if (c.name == "calculate") ++calculations;
      keys += c.name == "key";
      stepsWithFindings += !fmMain.AdviceShown().empty();
      calculatedSteps += fmMain.State().Design.Calculated;
      if (fmMain.State().ApplicationIndex != lastApplication) ++applicationPages;
      lastApplication = fmMain.State().ApplicationIndex;

      // What the user's own action put into a field is theirs; whatever the
      // program writes there afterwards must be a finite number.
      const bool userFreq =
          ((c.name == "type" || c.name == "paste") && c.word == "freq") || focusBefore == fmMain.NumEdit1;
      const bool userDuty =
          ((c.name == "type" || c.name == "paste") && c.word == "duty") || focusBefore == fmMain.NumEdit2;
      std::string problem =
          freqWatch.Check(fmMain.NumEdit1->text().toStdString(), userFreq, "frequency field");
      if (problem.empty())
        problem = dutyWatch.Check(fmMain.NumEdit2->text().toStdString(), userDuty, "duty field");
      if (problem.empty()) problem = timer555::soak::CheckDesignState(fmMain.State().Design);
      if (problem.empty()) problem = timer555::soak::CheckPrintedText("copied summary", copied);
      if (problem.empty())
        problem = timer555::soak::CheckPrintedText("window title", fmMain.windowTitle().toStdString());
      if (problem.empty() && fmMain.State().Design.Calculated)
        problem = timer555::soak::CheckValueTexts(fmMain.State().Design);
      if (problem.empty())
        problem = CheckAdvicePanel(fmMain, c.name == "menu" || (c.name == "key" && c.word == "F1"));
      // A dialog left with Escape, or one whose value was refused, changes
      // nothing, neither the parts nor the texts of the entry fields.
      const bool refused = platform.errors.size() > errorsBefore &&
                           (platform.errors.back() == "Maximum adjustment is +/- 20%." ||
                            platform.errors.back() == "Value is not a number.");
      if (problem.empty() && dialogOpens && (storesNothing || refused) && !(Untouched::Of(fmMain) == before))
        problem = "the adjust dialog changed the design although it stored nothing";
      for (; problem.empty() && errorsSeen < platform.errors.size(); ++errorsSeen) {
        problem = timer555::soak::CheckPrintedText("message", platform.errors[errorsSeen]);
        refusedAdjustments += platform.errors[errorsSeen] == "Maximum adjustment is +/- 20%.";
      }
      if (!problem.empty()) {
        std::cerr << "seed " << seed << " step " << step << " (" << Describe(c) << "): " << problem << "\n";
        status = 1;
      }
    }
    if (status == 0) {
      Command quit;
      quit.name = "key";
      quit.word = "ctrl+Q";
      runner.Run(quit);
      if (!fmMain.shutDown() || fmMain.isVisible()) {
        std::cerr << "seed " << seed << ": Ctrl+Q did not shut the window down\n";
        status = 1;
      }
    }
    std::cout << "seed " << seed << ": " << steps << " steps, " << calculations << " calculate clicks, "
              << dialogs << " clicks on a calculated component (" << refusedAdjustments
              << " answers refused, " << dialogsByKeys << " dialogs by keys), " << keys << " keys, "
              << calculatedSteps << " steps on a calculated design, " << stepsWithFindings
              << " with findings, " << applicationPages << " application page changes, " << copies
              << " copies, " << platform.errors.size() << " error boxes, " << platform.beeps
              << " beeps: " << (status == 0 ? "passed" : "FAILED") << "\n";
  }
  timer555::SetPlatform(previous);
  return status;
}
