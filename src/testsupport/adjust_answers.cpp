#include "testsupport/adjust_answers.h"

#include <QPushButton>
#include <QTimer>
#include <deque>

#include "shell/num_edit.h"

namespace timer555 {

namespace {

AdjustDialogShown lastShown;
std::deque<std::string> queuedAnswers;

// Records every dialog that opens and answers it when an answer waits.
void OnDialogShown(TfmAdjust& dialog) {
  lastShown = dialog.shown();
  if (queuedAnswers.empty()) return;
  const QString answer = QString::fromStdString(queuedAnswers.front());
  queuedAnswers.pop_front();
  // Answer after exec() has entered its loop, so that it returns normally.
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    dialog.NumEdit1->setText(answer);
    dialog.BitBtn1->click();
  });
}

[[maybe_unused]] const bool kHookSet = [] {
  SetAdjustDialogHook(OnDialogShown);
  return true;
}();

}  // namespace

void QueueAdjustAnswer(const std::string& text) { queuedAnswers.push_back(text); }

void ClearAdjustAnswers() { queuedAnswers.clear(); }

const AdjustDialogShown& LastAdjustDialog() { return lastShown; }

}  // namespace timer555
