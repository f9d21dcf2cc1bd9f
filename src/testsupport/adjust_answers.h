#pragma once

#include <string>

#include "shell/adjust_dialog.h"

namespace timer555 {

/// Queues the answer to the next adjust dialog: when it opens it replaces
/// its text with `text` and presses "OK" by itself. Used by the headless
/// scenario runner and the tests, which cannot type into a modal window.
void QueueAdjustAnswer(const std::string& text);
/// Drops the answers that no dialog has taken yet.
void ClearAdjustAnswers();

/// What the last adjust dialog showed when it opened.
const AdjustDialogShown& LastAdjustDialog();

}  // namespace timer555
