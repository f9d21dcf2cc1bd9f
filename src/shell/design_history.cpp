#include "shell/design_history.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QUndoCommand>
#include <utility>

namespace timer555 {

namespace {

constexpr int kMostSteps = 100;

/// One step: the design before and after it. The page already shows the
/// design after when the step is recorded, so its first redo does nothing.
class DesignStep final : public QUndoCommand {
 public:
  DesignStep(DesignState before, DesignState after, const std::function<void(const DesignState&)>& show,
             const QString& what)
      : QUndoCommand(what), before_(std::move(before)), after_(std::move(after)), show_(show) {}

  void undo() override { show_(before_); }
  void redo() override {
    if (shown_) show_(after_);
    shown_ = true;
  }

 private:
  DesignState before_, after_;
  std::function<void(const DesignState&)> show_;
  bool shown_ = false;
};

bool IsHistoryKey(QKeyEvent* key) {
  return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
         key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

}  // namespace

TDesignHistory::TDesignHistory(QWidget& window, std::function<void(const DesignState&)> show,
                               std::function<bool()> active)
    : QObject(&window), show_(std::move(show)), active_(std::move(active)) {
  stack_.setUndoLimit(kMostSteps);
  auto bind = [this, &window](const QKeySequence& keys, void (TDesignHistory::*action)()) {
    auto* shortcut = new QShortcut(keys, &window);
    shortcut->setContext(Qt::WindowShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, action] {
      if (QApplication::activeModalWidget() == nullptr) (this->*action)();
    });
  };
  bind(QKeySequence(Qt::ControlModifier | Qt::Key_Z), &TDesignHistory::Undo);
  bind(QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z), &TDesignHistory::Redo);
  bind(QKeySequence(Qt::ControlModifier | Qt::Key_Y), &TDesignHistory::Redo);
}

void TDesignHistory::Record(const DesignState& before, const DesignState& after, const QString& what) {
  if (before == after) return;
  stack_.push(new DesignStep(before, after, show_, what));
}

void TDesignHistory::Undo() {
  if (active_() && stack_.canUndo()) stack_.undo();
}

void TDesignHistory::Redo() {
  if (active_() && stack_.canRedo()) stack_.redo();
}

void TDesignHistory::WatchField(QObject* field, std::function<bool()> typed) {
  fields_.emplace_back(field, std::move(typed));
  field->installEventFilter(this);
}

// A line edit claims Ctrl+Z and Ctrl+Y for its own undo; it keeps them only
// while it holds an edit of its own, so that after "Calculate" the keys step
// through the design.
bool TDesignHistory::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && IsHistoryKey(static_cast<QKeyEvent*>(event))) {
    for (const auto& [field, typed] : fields_) {
      if (field == watched && !typed()) {
        event->ignore();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace timer555
