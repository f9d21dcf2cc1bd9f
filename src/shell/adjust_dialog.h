#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

#include "design/engine.h"

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

/// What the adjust dialog edits: the part, and the nominal value its text
/// and its limits come from (returned exactly when the shown text is
/// accepted unchanged).
struct AdjustRequest {
  AdjustablePart part = AdjustablePart::C1;
  double nominal = 0;
};

/// The small modal window that shows the nominal value of C1, R1 or R2 as a
/// number with its unit letters and takes a new value within a factor of 1.2
/// of it. Up and Down put the next larger or smaller standard value inside
/// those limits into the field (E24 for a resistor, E12 for the capacitor),
/// Enter accepts, Escape leaves without changing anything. A value it
/// refuses is said in a message, and the dialog stays open with the text
/// selected for another try. Frameless (no title bar, no title-bar
/// buttons) with a raised border of its own; fixed pixel geometry, not
/// scaled. It stands where it stood beside the main window when both were
/// at their designed places (screen position 309, 239 for the main window
/// at 40, 137), follows a moved main window and stays on its screen.
/// Created and destroyed for each use by RunAdjustDialog.
class TfmAdjust final : public QDialog {
  Q_OBJECT

 public:
  TfmAdjust(QWidget* parent, const AdjustRequest& request);

  /// Fills the controls from the request's nominal value. Runs when the
  /// dialog is shown.
  void FormShow();
  /// Checks the typed value: an accepted one closes the dialog with OK and
  /// becomes acceptedValue(); otherwise "Value is not a number." or
  /// "Maximum adjustment is +/- 20%." is shown and the dialog stays open
  /// with the text selected.
  void BitBtn1Click();
  /// Replaces the number with the next larger (+1) or smaller (-1) standard
  /// value inside the limits, in the shown unit, selected; beeps and keeps
  /// it at the end of the range. A text that is not a number counts as the
  /// shown value.
  void StepStandardValue(int direction);

  /// The value accepted with OK, in ohm or farad; nothing before.
  const std::optional<double>& acceptedValue() const { return accepted_; }

  /// What FormShow put into the dialog.
  const AdjustDialogShown& shown() const { return shown_; }
  double AdjustReference() const { return adjustReference_; }

  QLabel* Label1 = nullptr;
  TNumEdit* NumEdit1 = nullptr;
  QLabel* Label2 = nullptr;
  QPushButton* BitBtn1 = nullptr;

  /// Called once the dialog has been filled and shown (see
  /// TfmMain::OnAdjustDialogShown).
  std::function<void(TfmAdjust&)> OnShown;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  AdjustRequest request_;
  AdjustDialogShown shown_;
  double adjustReference_ = 0;
  std::optional<double> accepted_;
};

/// Opens the adjust dialog for the part of `request`, modal over `parent`,
/// and returns the value accepted; nothing for Escape or a closed dialog.
/// `onShown` is called once the dialog is filled and shown.
std::optional<double> RunAdjustDialog(QWidget* parent, const AdjustRequest& request,
                                      const std::function<void(TfmAdjust&)>& onShown = {});

}  // namespace timer555
