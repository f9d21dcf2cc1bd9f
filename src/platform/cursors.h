#pragma once

#include <QCursor>
#include <string>

class QWidget;

namespace timer555 {

/// The cursors of the drawing area by number: 20 "CROSSHAIR", 21
/// "CALCULATE", 22 "CAPACITOR", 23 "RESISTOR", from the pictures
/// ":/cursors/NAME.xpm" (32 x 32, transparent background, with the hot spot
/// of that cursor). 0, unknown numbers and a missing picture give the arrow.
QCursor CursorByNumber(int number);
/// Whether the picture of a numbered cursor is there.
bool CursorPictureExists(int number);
/// Sets the control's cursor by number and remembers the number on it.
void SetControlCursor(QWidget* control, int number);
/// The number last set on the control by SetControlCursor, 0 if none.
int ControlCursor(const QWidget* control);

}  // namespace timer555
