#pragma once

#include <QLineEdit>
#include <functional>

namespace timer555 {

/// The single-line field for every number the user types: lets through only
/// the digits, the point and backspace (anything else beeps and is dropped)
/// and turns Enter into a move to the next control, or, inside a dialog with
/// a default button, into a press of that button, unless the owner takes it
/// through OnEnter. Editing keys that type no
/// character (Delete, arrows, Home, End, Tab) and pasted text are not
/// filtered.
class TNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TNumEdit(QWidget* parent = nullptr);

  /// The filter for one typed character: returns the character to insert,
  /// or 0 when it is dropped (beeping unless it was Enter, code 13).
  static char KeyPress(char key);

  /// Asked first when Enter is pressed in the field: returns true when the
  /// owner took the key (it ran a command), false to move on as usual.
  std::function<bool()> OnEnter;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace timer555
