#pragma once

#include <QObject>
#include <QUndoStack>
#include <QWidget>
#include <functional>

#include "design/design_state.h"

namespace timer555 {

/// The steps a user can take back on a design page: each calculation, C1
/// step, chip or settings change and adjustment is one step from the design
/// before to the design after. Ctrl+Z goes back, Ctrl+Shift+Z and Ctrl+Y
/// forward; each restores everything the page showed (fields, schematic,
/// waveform, findings) by showing the design value again. A new step clears
/// the steps forward; the history keeps the last 100 steps.
///
/// An entry field keeps Ctrl+Z and Ctrl+Y for its own text while it holds
/// an edit the design has not taken yet, as a text field does.
class TDesignHistory final : public QObject {
 public:
  /// `show` puts a design on the page; `active` tells whether a design page
  /// is shown (the keys do nothing elsewhere). The shortcuts are made on
  /// `window`.
  TDesignHistory(QWidget& window, std::function<void(const DesignState&)> show, std::function<bool()> active);
  TDesignHistory(const TDesignHistory&) = delete;
  TDesignHistory& operator=(const TDesignHistory&) = delete;

  /// Records the step from `before` to `after`, which the page already
  /// shows; nothing when they are the same.
  void Record(const DesignState& before, const DesignState& after, const QString& what);
  /// Forgets every step (a fresh design).
  void Clear() { stack_.clear(); }

  /// Ctrl+Z and Ctrl+Y (or Ctrl+Shift+Z) on a design page.
  void Undo();
  void Redo();

  /// Lets an entry field keep the keys while its text is its own edit:
  /// `typed` tells whether it is.
  void WatchField(QObject* field, std::function<bool()> typed);

  const QUndoStack& stack() const { return stack_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QUndoStack stack_;
  std::function<void(const DesignState&)> show_;
  std::function<bool()> active_;
  std::vector<std::pair<QObject*, std::function<bool()>>> fields_;
};

}  // namespace timer555
