#pragma once

#include <functional>
#include <string>

class QWidget;

namespace timer555 {

/// What an adjust dialog showed when it opened: the component name
/// ("C1", "R1", "R2"), the number text and the unit letters.
struct AdjustDialogShown {
  std::string name, number, unit;
};

/// Opens the adjust dialog for C1 (AdjustTarget = 1), modal over `parent`,
/// stores an accepted value in the design state, and then calls
/// `recalculate` whether or not a value was accepted.
void AdjustCapacitor(QWidget* parent, const std::function<void()>& recalculate);
/// The same for the resistor shellState.SelectedResistor (AdjustTarget = 0).
void AdjustResistor(QWidget* parent, const std::function<void()>& recalculate);

/// What the last adjust dialog showed when it opened.
const AdjustDialogShown& LastAdjustDialog();

/// Queues the answer to the next adjust dialog: when it opens it replaces
/// its text with `text` and presses "OK" by itself. Used by the headless
/// scenario runner and the tests, which cannot type into a modal window.
void QueueAdjustAnswer(const std::string& text);

}  // namespace timer555
