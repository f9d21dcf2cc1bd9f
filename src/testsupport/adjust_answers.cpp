#include "testsupport/adjust_answers.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "shell/main_window.h"
#include "shell/num_edit.h"
#include "testsupport/key_presses.h"

namespace timer555 {

namespace {

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

}  // namespace

void AdjustAnswers::Attach(TfmMain& window) {
  window.OnAdjustDialogShown = [this](TfmAdjust& dialog) { OnShown(dialog); };
}

void AdjustAnswers::QueueAnswer(const std::string& text) { queued_.push_back({text, {}}); }

void AdjustAnswers::QueueKeys(const std::vector<QKeyCombination>& keys) {
  queued_.push_back({std::nullopt, keys});
}

void AdjustAnswers::OnShown(TfmAdjust& dialog) {
  last_ = dialog.shown();
  if (queued_.empty()) return;
  Answer answer = std::move(queued_.front());
  queued_.pop_front();
  // Answer after exec() has entered its loop, so that it returns normally.
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    if (answer.text) {
      dialog.NumEdit1->setText(QString::fromStdString(*answer.text));
      dialog.BitBtn1->click();
      // A refused value keeps the dialog open for a person; nobody is there.
      if (dialog.isVisible()) dialog.reject();
    } else {
      PressKeys(dialog, answer.keys);
    }
  });
}

}  // namespace timer555
