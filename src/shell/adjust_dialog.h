#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QPushButton;
class QWidget;

namespace timer555 {

class TNumEdit;

/// What an adjust dialog showed when it opened: the component name
/// ("C1", "R1", "R2"), the number text and the unit letters.
struct AdjustDialogShown {
  std::string name, number, unit;
};

/// The small modal window that shows the nominal value of C1, R1 or R2 as a
/// number with its unit letters and takes a new value within a factor of 1.2
/// of it. Up and Down put the next larger or smaller standard value inside
/// those limits into the field (E24 for a resistor, E12 for the capacitor),
/// Enter accepts, Escape leaves without changing anything. Frameless (no
/// title bar, no title-bar buttons) with a raised border of its own; fixed
/// pixel geometry, not scaled. It stands where it stood beside the main
/// window when both were at their designed places (screen position 309, 239
/// for the main window at 40, 137), follows a moved main window and stays
/// on its screen. Created and destroyed for each use by AdjustCapacitor and
/// AdjustResistor.
class TfmAdjust final : public QDialog {
  Q_OBJECT

 public:
  explicit TfmAdjust(QWidget* parent = nullptr);

  /// Fills the controls from the nominal value of the component chosen by
  /// shellState.AdjustTarget and SelectedResistor. Runs when the dialog is
  /// shown.
  void FormShow();
  /// Checks the typed value and stores it in the design state, or shows
  /// "Value is not a number." or "Maximum adjustment is +/- 20%."; closes
  /// with OK in every case.
  void BitBtn1Click();
  /// Replaces the number with the next larger (+1) or smaller (-1) standard
  /// value inside the limits, in the shown unit, selected; beeps and keeps
  /// it at the end of the range. A text that is not a number counts as the
  /// shown value.
  void StepStandardValue(int direction);

  /// True once BitBtn1Click has stored a value.
  bool ValueStored() const { return valueStored_; }

  /// What FormShow put into the dialog.
  const AdjustDialogShown& shown() const { return shown_; }
  double AdjustReference() const { return adjustReference_; }

  QLabel* Label1 = nullptr;
  TNumEdit* NumEdit1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* BitBtn1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  AdjustDialogShown shown_;
  double adjustReference_ = 0;
  bool valueStored_ = false;
};

/// Opens the adjust dialog for C1 (AdjustTarget = 1), modal over `parent`,
/// stores an accepted value in the design state and then calls
/// `recalculate`. A refused value, Escape or a closed dialog change nothing
/// and recalculate nothing, so the entry fields keep their texts.
void AdjustCapacitor(QWidget* parent, const std::function<void()>& recalculate);
/// The same for the resistor shellState.SelectedResistor (AdjustTarget = 0).
void AdjustResistor(QWidget* parent, const std::function<void()>& recalculate);

/// Called each time an adjust dialog has been filled and shown, before any
/// key reaches it; nothing in the program sets it. The headless scenario
/// runner and the tests answer dialogs through it (testsupport/adjust_answers.h),
/// as they cannot type into a modal window.
void SetAdjustDialogHook(void (*hook)(TfmAdjust&));

}  // namespace timer555
