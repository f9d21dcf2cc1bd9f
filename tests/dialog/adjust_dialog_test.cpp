#include "shell/adjust_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>
#include <functional>
#include <sstream>

#include "installed_recorder.h"
#include "shell/num_edit.h"
#include "testsupport/adjust_answers.h"
#include "testsupport/key_presses.h"

namespace timer555 {
namespace {

using testing::InstalledRecorder;

constexpr const char* kLimitMessage = "Maximum adjustment is +/- 20%.";
constexpr const char* kNotANumber = "Value is not a number.";

// Values the components hold before each test, so a test can tell which
// one, if any, the dialog wrote.
constexpr double kC1Before = 1.5e-9;
constexpr double kR1Before = 1111;
constexpr double kR2Before = 2222;

enum class Component { C1, R1, R2 };

class AdjustDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetParts();
    // A dialog left open by a faulty build would block the test run: close
    // it after a while and let the test fail instead.
    QObject::connect(&watchdog_, &QTimer::timeout, [this] {
      if (QWidget* open = QApplication::activeModalWidget()) {
        stuck_ = true;
        open->close();
      }
    });
    watchdog_.start(3000);
  }
  void TearDown() override {
    watchdog_.stop();
    EXPECT_FALSE(stuck_) << "the dialog did not close by itself";
  }

  void ResetParts() {
    parts_.C1 = kC1Before;
    parts_.R1 = kR1Before;
    parts_.R2 = kR2Before;
  }

  /// Opens the dialog of `which` for a nominal value; an accepted value is
  /// stored in that part of parts_. Returns how many values were accepted.
  int Open(Component which, double nominal, QWidget* parent = nullptr) {
    const AdjustablePart part = which == Component::C1   ? AdjustablePart::C1
                                : which == Component::R1 ? AdjustablePart::R1
                                                         : AdjustablePart::R2;
    const std::optional<double> value =
        RunAdjustDialog(parent, {part, nominal}, [this](TfmAdjust& dialog) { answers_.OnShown(dialog); });
    if (!value) return 0;
    (which == Component::C1 ? parts_.C1 : which == Component::R1 ? parts_.R1 : parts_.R2) = *value;
    return 1;
  }

  /// Runs `action` on the open dialog as soon as the modal loop runs.
  static void WhenOpen(const std::function<void(TfmAdjust*)>& action) {
    QTimer::singleShot(0, [action] {
      auto* dialog = qobject_cast<TfmAdjust*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr) << "no adjust dialog is open";
      action(dialog);
    });
  }

  InstalledRecorder platform_;
  AdjustAnswers answers_;
  PartValues parts_;

 private:
  QTimer watchdog_;
  bool stuck_ = false;
};

void SendKey(QWidget* target, int code, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
  QApplication::sendEvent(target, &release);
}

bool Near(double actual, double expected) {
  return std::fabs(actual - expected) <= 1e-12 * std::fabs(expected) || actual == expected;
}

TEST_F(AdjustDialogTest, ShowsTheNominalValueAndChecksTheAnswer) {
  struct Row {
    const char* name;
    Component which;
    double nominal;
    const char* shownNumber;
    const char* shownUnit;
    const char* answer;
    const char* message;  // nullptr: accepted
    double stored;        // the component's new value when accepted
  };
  const char* const accepted = nullptr;
  const std::string fiveHundredDigits(500, '9');
  const Row rows[] = {
      {"C1 10 nF, 12 is the upper limit", Component::C1, 10e-9, "10", "nF", "12", accepted, 12e-9},
      {"C1 10 nF, 11.9 inside", Component::C1, 10e-9, "10", "nF", "11.9", accepted, 11.9e-9},
      {"C1 10 nF, 8.4 inside", Component::C1, 10e-9, "10", "nF", "8.4", accepted, 8.4e-9},
      {"C1 10 nF, 12.1 above", Component::C1, 10e-9, "10", "nF", "12.1", kLimitMessage, 0},
      {"C1 10 nF, 8.3 below the sixth", Component::C1, 10e-9, "10", "nF", "8.3", kLimitMessage, 0},
      {"C1 47 pF", Component::C1, 47e-12, "47", "pF", "50", accepted, 50e-12},
      {"C1 4.7 uF", Component::C1, 4.7e-6, "4.7", "uF", "5", accepted, 5e-6},
      {"C1 2.2 mF is shown in millifarads", Component::C1, 2.2e-3, "2.2", "mF", "2.2", accepted, 2.2e-3},
      {"C1 1.5 mF, 1.8 is the upper limit", Component::C1, 1.5e-3, "1.5", "mF", "1.8", accepted, 1.8e-3},
      {"C1 1.5 mF, 1.25 is the lower limit", Component::C1, 1.5e-3, "1.5", "mF", "1.25", accepted, 1.25e-3},
      {"C1 1.5 mF, 2.4 (60 % off) refused", Component::C1, 1.5e-3, "1.5", "mF", "2.4", kLimitMessage, 0},
      {"C1 1.5 mF, farads in a millifarad field", Component::C1, 1.5e-3, "1.5", "mF", "0.0015", kLimitMessage,
       0},
      {"C1 2.2 F", Component::C1, 2.2, "2.2", "F", "2", accepted, 2},
      {"R1 4.7 K", Component::R1, 4700, "4.7", "K", "5", accepted, 5000},
      {"R1 4700 typed for K is 4700K", Component::R1, 4700, "4.7", "K", "4700", kLimitMessage, 0},
      {"R1 4k7 says its own scale", Component::R1, 4700, "4.7", "K", "5k1", accepted, 5100},
      {"C1 prefixed in another unit", Component::C1, 10e-9, "10", "nF", "11000p", accepted, 11e-9},
      {"C1 exponent is in the unit shown", Component::C1, 10e-9, "10", "nF", "1.1e1", accepted, 11e-9},
      {"R2 560 without unit", Component::R2, 560, "560", "", "600", accepted, 600},
      {"R2 3846.9, the shown text accepted is the exact value", Component::R2, 3846.9, "3.847", "K", "3.847",
       accepted, 3846.9},
      {"R1 1.5 M", Component::R1, 1.5e6, "1.5", "M", "1.6", accepted, 1.6e6},
      {"R2 4.7 G", Component::R2, 4.7e9, "4.7", "G", "5", accepted, 5e9},
      {"R1 1.5 K, exactly 20 % up", Component::R1, 1500, "1.5", "K", "1.8", accepted, 1800},
      {"R2 2.7 K, exactly a sixth down", Component::R2, 2700, "2.7", "K", "2.25", accepted, 2250},
      {"R2 3.3 K, exactly 20 % up", Component::R2, 3300, "3.3", "K", "3.96", accepted, 3960},
      {"R1 0 shows N/A and takes 0", Component::R1, 0, "  N/A", "", "0", accepted, 0},
      {"R1 0 refuses anything else", Component::R1, 0, "  N/A", "", "1", kLimitMessage, 0},
      {"empty text", Component::R1, 4700, "4.7", "K", "", kNotANumber, 0},
      {"two points", Component::R1, 4700, "4.7", "K", "4.7.1", kNotANumber, 0},
      {"decimal comma", Component::C1, 3.3e-9, "3.3", "nF", "3,3", kNotANumber, 0},
      {"nan", Component::R2, 560, "560", "", "nan", kNotANumber, 0},
      {"five hundred digits", Component::R1, 4700, "4.7", "K", fiveHundredDigits.c_str(), kNotANumber, 0},
      {"overflowing exponent", Component::R1, 4700, "4.7", "K", "1e400", kNotANumber, 0},
      {"negative pasted value", Component::R1, 4700, "4.7", "K", "-5", kLimitMessage, 0},
  };
  for (const Row& row : rows) {
    ResetParts();
    platform_.recorder.errors.clear();
    answers_.QueueAnswer(row.answer);

    const bool accepted = row.message == nullptr;
    EXPECT_EQ(Open(row.which, row.nominal), accepted ? 1 : 0) << row.name;

    const AdjustDialogShown& shown = answers_.Last();
    const char* name = row.which == Component::C1 ? "C1" : row.which == Component::R1 ? "R1" : "R2";
    EXPECT_EQ(shown.name, name) << row.name;
    EXPECT_EQ(shown.number, row.shownNumber) << row.name;
    EXPECT_EQ(shown.unit, row.shownUnit) << row.name;

    const double c1 = accepted && row.which == Component::C1 ? row.stored : kC1Before;
    const double r1 = accepted && row.which == Component::R1 ? row.stored : kR1Before;
    const double r2 = accepted && row.which == Component::R2 ? row.stored : kR2Before;
    EXPECT_TRUE(Near(parts_.C1, c1)) << row.name << ": C1 = " << parts_.C1;
    EXPECT_TRUE(Near(parts_.R1, r1)) << row.name << ": R1 = " << parts_.R1;
    EXPECT_TRUE(Near(parts_.R2, r2)) << row.name << ": R2 = " << parts_.R2;
    if (accepted) {
      EXPECT_TRUE(platform_.recorder.errors.empty()) << row.name;
    } else {
      ASSERT_EQ(platform_.recorder.errors.size(), 1u) << row.name;
      EXPECT_EQ(platform_.recorder.errors[0], row.message) << row.name;
    }
  }
}

TEST_F(AdjustDialogTest, TheSameLimitsHoldForASecondAdjustment) {
  answers_.QueueAnswer("5.6");
  answers_.QueueAnswer("4");  // below 5.6 / 1.2, inside 4.7 / 1.2
  EXPECT_EQ(Open(Component::R1, 4700), 1);
  EXPECT_TRUE(Near(parts_.R1, 5600));
  // The dialog starts again from the nominal 4.7 K, not from 5.6 K.
  EXPECT_EQ(Open(Component::R1, 4700), 1);
  EXPECT_EQ(answers_.Last().number, "4.7");
  EXPECT_TRUE(Near(parts_.R1, 4000));
  EXPECT_TRUE(platform_.recorder.errors.empty());
}

TEST_F(AdjustDialogTest, OpensFocusedWithTheNumberSelected) {
  bool looked = false;
  WhenOpen([&](TfmAdjust* dialog) {
    looked = true;
    EXPECT_EQ(dialog->focusWidget(), dialog->NumEdit1);
    EXPECT_EQ(dialog->NumEdit1->selectedText().toStdString(), "10");
    EXPECT_EQ(dialog->Label1->text().toStdString(), "C1");
    EXPECT_EQ(dialog->Label2->text().toStdString(), "nF");
    EXPECT_DOUBLE_EQ(dialog->AdjustReference(), 10);
    dialog->BitBtn1->click();
  });
  Open(Component::C1, 10e-9);
  EXPECT_TRUE(looked);
}

TEST_F(AdjustDialogTest, TypingAndEnterPressOk) {
  bool typed = false;
  WhenOpen([&](TfmAdjust* dialog) {
    typed = true;
    // The selected "10" is replaced by what is typed.
    SendKey(dialog->NumEdit1, Qt::Key_1, "1");
    SendKey(dialog->NumEdit1, Qt::Key_1, "1");
    SendKey(dialog->NumEdit1, Qt::Key_Return, "\r");
  });
  EXPECT_EQ(Open(Component::C1, 10e-9), 1);
  EXPECT_TRUE(typed);
  EXPECT_TRUE(Near(parts_.C1, 11e-9)) << parts_.C1;
  EXPECT_TRUE(platform_.recorder.errors.empty());
}

TEST_F(AdjustDialogTest, ARefusedValueKeepsTheDialogOpenWithTheTextSelected) {
  bool stillOpen = false;
  QString selected;
  WhenOpen([&](TfmAdjust* dialog) {
    SendKey(dialog->NumEdit1, Qt::Key_7, "7");
    SendKey(dialog->NumEdit1, Qt::Key_Enter, "\r");
    stillOpen = dialog->isVisible();
    selected = dialog->NumEdit1->selectedText();
    // Another try within the limits is taken.
    SendKey(dialog->NumEdit1, Qt::Key_6, "6");
    SendKey(dialog->NumEdit1, Qt::Key_0, "0");
    SendKey(dialog->NumEdit1, Qt::Key_0, "0");
    SendKey(dialog->NumEdit1, Qt::Key_Enter, "\r");
  });
  EXPECT_EQ(Open(Component::R2, 560), 1);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(selected, "7");
  EXPECT_EQ(parts_.R2, 600);
  ASSERT_EQ(platform_.recorder.errors.size(), 1u);
  EXPECT_EQ(platform_.recorder.errors[0], kLimitMessage);
}

TEST_F(AdjustDialogTest, EscapeWritesNothingAndRecalculatesNothing) {
  WhenOpen([](TfmAdjust* dialog) {
    SendKey(dialog->NumEdit1, Qt::Key_9, "9");
    SendKey(dialog->NumEdit1, Qt::Key_Escape, "\x1b");
  });
  EXPECT_EQ(Open(Component::R1, 10000), 0);
  EXPECT_EQ(parts_.R1, kR1Before);
  EXPECT_TRUE(platform_.recorder.errors.empty());
  EXPECT_EQ(platform_.recorder.beeps, 0) << "Escape is not a refused character";
}

TEST_F(AdjustDialogTest, ClosingTheWindowWritesNothingAndRecalculatesNothing) {
  WhenOpen([](TfmAdjust* dialog) {
    dialog->NumEdit1->setText("10");
    dialog->close();
  });
  EXPECT_EQ(Open(Component::C1, 10e-9), 0);
  EXPECT_EQ(parts_.C1, kC1Before);
  EXPECT_TRUE(platform_.recorder.errors.empty());
}

TEST_F(AdjustDialogTest, UpAndDownStepThroughStandardValuesInsideTheLimits) {
  struct Row {
    const char* name;
    Component which;
    double nominal;
    const char* keys;  // pressed in the dialog, then Enter
    double stored;     // the component afterwards
    int beeps;         // one for each step past the end of the range
  };
  const Row rows[] = {
      {"R1 4.7K: E24 up", Component::R1, 4700, "Up", 5100, 0},
      {"R1 4.7K: up to 5.6K, the last below 5.64K", Component::R1, 4700, "Up Up Up", 5600, 1},
      {"R1 4.7K: down to 4.3K, 3.9K lies below 3.92K", Component::R1, 4700, "Down Down", 4300, 1},
      {"R1 4.7K: down and up again", Component::R1, 4700, "Down Up Up", 5100, 0},
      {"R1 2.885K: to the standard values around it", Component::R1, 2885, "Down", 2700, 0},
      {"R1 1.2K: down to 1K exactly at the lower limit", Component::R1, 1200, "Down Down Down", 1000, 1},
      {"R2 560 without unit", Component::R2, 560, "Down", 510, 0},
      {"R2 47 ohm", Component::R2, 47, "Up", 51, 0},
      {"C1 10nF: E12 up to 12nF", Component::C1, 10e-9, "Up Up", 12e-9, 1},
      {"C1 10nF: 8.2nF lies below 8.33nF", Component::C1, 10e-9, "Down", 10e-9, 1},
      {"C1 470nF", Component::C1, 470e-9, "Up", 560e-9, 0},
  };
  for (const Row& row : rows) {
    ResetParts();
    platform_.recorder.beeps = 0;
    std::vector<QKeyCombination> keys;
    std::istringstream names(std::string(row.keys) + " Return");
    for (std::string name; names >> name;) keys.push_back(*KeyFromName(name));
    answers_.QueueKeys(keys);
    EXPECT_EQ(Open(row.which, row.nominal), 1) << row.name;
    const double stored = row.which == Component::C1   ? parts_.C1
                          : row.which == Component::R1 ? parts_.R1
                                                       : parts_.R2;
    EXPECT_TRUE(Near(stored, row.stored)) << row.name << ": " << stored;
    EXPECT_TRUE(platform_.recorder.errors.empty()) << row.name;
    EXPECT_EQ(platform_.recorder.beeps, row.beeps) << row.name;
  }
}

TEST_F(AdjustDialogTest, FramelessFixedGeometry) {
  bool looked = false;
  WhenOpen([&](TfmAdjust* dialog) {
    looked = true;
    EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(dialog->isModal());
    const QWidget* client = dialog->NumEdit1->parentWidget();
    EXPECT_EQ(client->size(), QSize(193, 45));
    EXPECT_EQ(dialog->Label1->pos(), QPoint(4, 14));
    EXPECT_EQ(dialog->NumEdit1->geometry(), QRect(36, 12, 65, 25));
    EXPECT_EQ(dialog->Label2->pos(), QPoint(108, 14));
    EXPECT_EQ(dialog->BitBtn1->geometry(), QRect(148, 12, 37, 25));
    EXPECT_EQ(dialog->BitBtn1->text().toStdString(), "OK");
    EXPECT_TRUE(dialog->BitBtn1->isDefault());
    EXPECT_EQ(dialog->NumEdit1->maxLength(), QLineEdit().maxLength()) << "no length limit";
    for (QWidget* w : {static_cast<QWidget*>(dialog->Label1), static_cast<QWidget*>(dialog->NumEdit1),
                       static_cast<QWidget*>(dialog->Label2), static_cast<QWidget*>(dialog->BitBtn1)}) {
      EXPECT_EQ(w->font().family().toStdString(), "Technical") << w->objectName().toStdString();
      EXPECT_EQ(w->font().pixelSize(), 16) << w->objectName().toStdString();
    }
    dialog->BitBtn1->click();
  });
  Open(Component::R1, 4700);
  EXPECT_TRUE(looked);
}

TEST_F(AdjustDialogTest, StandsBesideTheMainWindowAndOnItsScreen) {
  // The main window starts at (40, 137) with the dialog at (309, 239): the
  // dialog keeps that place relative to the window's frame.
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QSize dialogSize(199, 51);
  struct Row {
    const char* name;
    bool parent;
    QPoint window;
    QPoint dialog;
  };
  const Row rows[] = {
      {"no main window: the designed place", false, {}, {309, 239}},
      {"main window at its start", true, {40, 137}, {309, 239}},
      {"main window moved", true, {100, 20}, {369, 122}},
      {"main window near the bottom right corner",
       true,
       {screen.right() - 100, screen.bottom() - 60},
       {screen.right() + 1 - dialogSize.width(), screen.bottom() + 1 - dialogSize.height()}},
      {"main window partly off the top left", true, {-400, -200}, {screen.left(), screen.top()}},
  };
  for (const Row& row : rows) {
    QWidget mainWindow;
    mainWindow.resize(650, 350);
    mainWindow.move(row.window);  // the frame's place, as the main window sets it
    if (row.parent) mainWindow.show();
    QPoint at;
    WhenOpen([&](TfmAdjust* dialog) {
      at = dialog->pos();
      EXPECT_EQ(dialog->size(), dialogSize);
      dialog->reject();
    });
    Open(Component::R1, 4700, row.parent ? &mainWindow : nullptr);
    EXPECT_EQ(at, row.dialog) << row.name;
  }
}

}  // namespace
}  // namespace timer555
