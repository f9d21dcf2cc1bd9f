#pragma once

#include <QKeyCombination>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "shell/adjust_dialog.h"

namespace timer555 {

class TfmMain;

/// Answers the modal adjust dialogs of a window for the headless scenario
/// runner and the tests, which cannot type into a modal window: each
/// dialog that opens is recorded, and the next queued answer is given to it.
/// Attach() installs it on the window; it must outlive the window's dialogs.
class AdjustAnswers final {
 public:
  /// Answers the dialogs `window` opens from now on.
  void Attach(TfmMain& window);

  /// Queues the answer to the next dialog: when it opens it replaces its
  /// text with `text` and presses "OK" by itself (a refused value leaves
  /// the dialog open; it is then closed with Escape).
  void QueueAnswer(const std::string& text);
  /// Queues key presses for the next dialog instead: when it opens they are
  /// pressed one after another on its focused control, as a person would.
  /// Keys that leave it open are followed by Escape, so nothing waits for a
  /// person; keys after the one that closed it are dropped.
  void QueueKeys(const std::vector<QKeyCombination>& keys);
  /// Drops the answers and keys that no dialog has taken yet.
  void Clear() { queued_.clear(); }

  /// What the last dialog showed when it opened.
  const AdjustDialogShown& Last() const { return last_; }

  /// Records the dialog and answers it when an answer waits.
  void OnShown(TfmAdjust& dialog);

 private:
  /// What the next dialog gets: a text for its field with "OK", or keys.
  struct Answer {
    std::optional<std::string> text;
    std::vector<QKeyCombination> keys;
  };

  AdjustDialogShown last_;
  std::deque<Answer> queued_;
};

}  // namespace timer555
