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
///
/// Two things it keeps apart from the text itself:
/// - A typing limit: typed or pasted characters beyond it are dropped.
///   Unlike QLineEdit's maxLength it never cuts a text the program writes.
/// - The text the user last entered (typed, pasted or set by the program as
///   an input, such as the "50" of the 50 % design), as opposed to a value
///   the program computed and wrote back (setComputedText). Its decimals
///   decide how many decimals the computed values get.
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

  /// Most characters typing may make the text; 0 for no limit.
  void setTypingLimit(int characters) { typingLimit_ = characters; }
  int typingLimit() const { return typingLimit_; }

  /// Inserts pasted text as the clipboard's paste command does (not filtered),
  /// cut to what the typing limit leaves room for.
  void pasteText(const QString& text);

  /// Writes a value the program computed; userText() stays as it was.
  void setComputedText(const QString& text);
  /// The text as the user last entered it (see the class comment).
  const QString& userText() const { return userText_; }
  /// Puts back a field as it was: `shown` on screen, `typed` as the text
  /// the user last entered.
  void restoreText(const QString& shown, const QString& typed);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  /// Characters still free under the typing limit, typing over the selection.
  int roomToType() const;

  int typingLimit_ = 0;
  bool writingComputed_ = false;
  QString userText_;
};

}  // namespace timer555
