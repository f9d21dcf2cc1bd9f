// timer555-soak SEED STEPS: plays STEPS random but reproducible user actions
// on the real main window through the scenario runner (clicks, pointer moves,
// key presses, pastes of hostile texts, the arrows, the radio buttons,
// "Calculate", adjust dialogs, copies of the page) and checks after every step that nothing the
// program shows or keeps holds a NaN or an infinity. Built with AddressSanitizer
// and UndefinedBehaviorSanitizer by the soak test, so a memory fault or an
// undefined operation ends the run too. Exits 0 when every step passed, 1 on
// the first broken check (naming the seed, the step and the action).
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <random>
#include <sstream>
#include <string>

#include "design/design_state.h"
#include "platform/recording_platform.h"
#include "scenario_runner.h"
#include "schematic/drawing_state.h"
#include "schematic/value_text.h"
#include "shell/adjust_dialog.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"
#include "shell/sheet_export.h"
#include "shell/shell_state.h"
#include "soak_checks.h"
#include "testsupport/adjust_answers.h"

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

  /// The next action. `areaW`/`areaH` are the drawing area's size.
  Command Next(int areaW, int areaH) {
    Command c;
    const int pick = Below(100);
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
    } else if (pick < 92) {
      c.name = "copy";  // Ctrl+C: the page's sheet and its summary
    } else {
      c.name = "zone";  // a click on a component zone with a queued dialog answer
      c.ints = {Below(3)};
      c.text = Below(3) == 0 ? HostileText() : std::string();
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

timer555::Rect ZoneOf(int which) {
  return which == 0 ? timer555::drawingState.C1Zone : timer555::drawingState.ResistorZones[which];
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
         copies = 0;
    int lastApplication = 0;

    for (long step = 1; step <= steps && status == 0; ++step) {
      Command c = maker.Next(fmMain.Image2->width(), fmMain.Image2->height());
      if (c.name == "zone") {
        const timer555::Rect z = ZoneOf(c.ints[0]);
        c.name = "click";
        c.ints = {(z.left + z.right) / 2, (z.top + z.bottom) / 2};
        if (c.text.empty()) {
          // A value within the allowed 20 % of the nominal one, in the unit
          // the dialog will show: the runner tells afterwards what it showed.
          c.text = std::to_string(maker.Uniform(0.85, 1.15));
        }
        if (timer555::designState.Calculated && z.right > z.left) ++dialogs;
        // The pointer comes to rest on the part first, as a hand would: the
        // cursor it gets decides what the click opens.
        Command move;
        move.name = "move";
        move.ints = c.ints;
        runner.Run(move);
      }
      // Any click into the drawing area may open the modal adjust dialog,
      // which must always find an answer waiting or the run would stop.
      timer555::ClearAdjustAnswers();
      if (c.name == "click") timer555::QueueAdjustAnswer(c.text);
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
      timer555::ClearAdjustAnswers();
      if (c.name == "calculate") ++calculations;
      calculatedSteps += timer555::designState.Calculated;
      if (timer555::designState.ApplicationIndex != lastApplication) ++applicationPages;
      lastApplication = timer555::designState.ApplicationIndex;

      // What the user's own action put into a field is theirs; whatever the
      // program writes there afterwards must be a finite number.
      const bool userFreq = (c.name == "type" || c.name == "paste") && c.word == "freq";
      const bool userDuty = (c.name == "type" || c.name == "paste") && c.word == "duty";
      std::string problem =
          freqWatch.Check(fmMain.NumEdit1->text().toStdString(), userFreq, "frequency field");
      if (problem.empty())
        problem = dutyWatch.Check(fmMain.NumEdit2->text().toStdString(), userDuty, "duty field");
      if (problem.empty()) problem = timer555::soak::CheckDesignState(timer555::designState);
      if (problem.empty()) problem = timer555::soak::CheckPrintedText("copied summary", copied);
      if (problem.empty())
        problem = timer555::soak::CheckPrintedText("window title", fmMain.windowTitle().toStdString());
      if (problem.empty() && timer555::designState.Calculated)
        problem = timer555::soak::CheckValueTexts(timer555::designState);
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
      fmMain.close();
      QApplication::processEvents();
      if (!fmMain.shutDown()) {
        std::cerr << "seed " << seed << ": the window did not shut down\n";
        status = 1;
      }
    }
    std::cout << "seed " << seed << ": " << steps << " steps, " << calculations << " calculate clicks, "
              << dialogs << " clicks on a calculated component (" << refusedAdjustments
              << " answers refused), " << calculatedSteps << " steps on a calculated design, "
              << applicationPages << " application page changes, " << copies << " copies, "
              << platform.errors.size() << " error boxes, " << platform.beeps
              << " beeps: " << (status == 0 ? "passed" : "FAILED") << "\n";
  }
  timer555::SetPlatform(previous);
  return status;
}
