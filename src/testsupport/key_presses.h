#pragma once

#include <QKeyCombination>
#include <optional>
#include <string>

class QWidget;

namespace timer555 {

/// The key a Qt key name stands for, with its modifiers: "Return", "Up",
/// "F1", "1", "Ctrl+Q" (the case of the names does not matter). Nothing for
/// a name Qt does not know, an empty one, or more than one key.
std::optional<QKeyCombination> KeyFromName(const std::string& name);

/// Presses and releases `key` on `target` with the text a keyboard gives it
/// ("1", "q", "\r" for Return, a control character with Ctrl), as a real key
/// press arrives: the shortcuts of the active window see it first.
void PressKey(QWidget* target, QKeyCombination key);

}  // namespace timer555
