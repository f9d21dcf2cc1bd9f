#pragma once

#include <QCursor>
#include <string>

class QWidget;

namespace timer555 {

/// Keeps the cursor ":/cursors/NAME.xpm" (32 x 32, transparent background,
/// with the hot spot of that cursor) under `number`; the picture is decoded
/// when the cursor is first asked for. Returns false when the picture is
/// missing; the number then stays unregistered.
bool RegisterCursor(int number, const std::string& resourceName);
/// The cursor registered under `number`; 0 and unknown numbers give the arrow.
QCursor CursorByNumber(int number);
/// Sets the control's cursor by number and remembers the number on it.
void SetControlCursor(QWidget* control, int number);
/// The number last set on the control by SetControlCursor, 0 if none.
int ControlCursor(const QWidget* control);

}  // namespace timer555
