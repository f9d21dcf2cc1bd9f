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
/// of it. Frameless (no title bar, no title-bar buttons) with a raised
/// border of its own; fixed pixel geometry, not scaled; always at screen
/// position (309, 239). Created and destroyed for each use by
/// AdjustCapacitor and AdjustResistor.
class TfmAdjust final : public QDialog {
  Q_OBJECT

 public:
  explicit TfmAdjust(QWidget* parent = nullptr);

  /// Fills the controls from the nominal value of the component chosen by
  /// shellState.AdjustTarget and SelectedResistor. Runs when the dialog is
  /// shown.
  void FormShow();
  /// Checks the typed value against the limits and stores it in the design
  /// state, or shows "Maximum adjustment is +/- 20%."; closes with OK in
  /// both cases.
  void BitBtn1Click();

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
};

/// Opens the adjust dialog for C1 (AdjustTarget = 1), modal over `parent`,
/// stores an accepted value in the design state, and then calls
/// `recalculate` whether or not a value was accepted.
void AdjustCapacitor(QWidget* parent, const std::function<void()>& recalculate);
/// The same for the resistor shellState.SelectedResistor (AdjustTarget = 0).
void AdjustResistor(QWidget* parent, const std::function<void()>& recalculate);

/// Called each time an adjust dialog has been filled and shown, before any
/// key reaches it; nothing in the program sets it. The headless scenario
/// runner and the tests answer dialogs through it (testsupport/adjust_answers.h),
/// as they cannot type into a modal window.
void SetAdjustDialogHook(void (*hook)(TfmAdjust&));

}  // namespace timer555
