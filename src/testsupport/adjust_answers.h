#pragma once

#include <QKeyCombination>
#include <string>
#include <vector>

#include "shell/adjust_dialog.h"

namespace timer555 {

/// Queues the answer to the next adjust dialog: when it opens it replaces
/// its text with `text` and presses "OK" by itself. Used by the headless
/// scenario runner and the tests, which cannot type into a modal window.
void QueueAdjustAnswer(const std::string& text);
/// Queues key presses for the next adjust dialog instead: when it opens they
/// are pressed one after another on its focused control, as a person would.
/// Keys that leave it open are followed by Escape, so nothing waits for a
/// person; keys after the one that closed it are dropped.
void QueueAdjustKeys(const std::vector<QKeyCombination>& keys);
/// Drops the answers and keys that no dialog has taken yet.
void ClearAdjustAnswers();

/// What the last adjust dialog showed when it opened.
const AdjustDialogShown& LastAdjustDialog();

}  // namespace timer555
