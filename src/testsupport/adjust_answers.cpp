#include "testsupport/adjust_answers.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <optional>

#include "shell/num_edit.h"
#include "testsupport/key_presses.h"

namespace timer555 {

namespace {

/// What the next dialog gets: a text for its field with "OK", or keys.
struct Answer {
  std::optional<std::string> text;
  std::vector<QKeyCombination> keys;
};

AdjustDialogShown lastShown;
std::deque<Answer> queuedAnswers;

void PressKeys(TfmAdjust& dialog, const std::vector<QKeyCombination>& keys) {
  // The dialog's shortcuts (Up, Down) act only in the active window.
  if (QApplication::activeWindow() != &dialog) {
    dialog.activateWindow();
    QApplication::processEvents();
  }
  for (QKeyCombination key : keys) {
    if (!dialog.isVisible()) return;
    QWidget* target = dialog.focusWidget();
    PressKey(target != nullptr ? target : &dialog, key);
  }
  if (dialog.isVisible()) dialog.reject();
}

// Records every dialog that opens and answers it when an answer waits.
void OnDialogShown(TfmAdjust& dialog) {
  lastShown = dialog.shown();
  if (queuedAnswers.empty()) return;
  Answer answer = std::move(queuedAnswers.front());
  queuedAnswers.pop_front();
  // Answer after exec() has entered its loop, so that it returns normally.
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    if (answer.text) {
      dialog.NumEdit1->setText(QString::fromStdString(*answer.text));
      dialog.BitBtn1->click();
    } else {
      PressKeys(dialog, answer.keys);
    }
  });
}

[[maybe_unused]] const bool kHookSet = [] {
  SetAdjustDialogHook(OnDialogShown);
  return true;
}();

}  // namespace

void QueueAdjustAnswer(const std::string& text) { queuedAnswers.push_back({text, {}}); }

void QueueAdjustKeys(const std::vector<QKeyCombination>& keys) {
  queuedAnswers.push_back({std::nullopt, keys});
}

void ClearAdjustAnswers() { queuedAnswers.clear(); }

const AdjustDialogShown& LastAdjustDialog() { return lastShown; }

}  // namespace timer555
