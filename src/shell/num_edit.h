#pragma once

#include <QLineEdit>
#include <functional>

namespace timer555 {

/// The single-line field for every number the user types, in the one
/// number syntax (number_syntax.h: "1000", "1e3", "-5", "4k7", "2.2n").
/// What the user puts in is taken as it is or refused with a beep, never
/// changed into another number:
/// - A typed character is taken only when the text it makes can still
///   become a number by typing on (CanBecomeNumber) and fits the typing
///   limit; otherwise it beeps and the text stays. So "1e3" stays "1e3",
///   "-5" stays "-5", and the comma of "1,000" beeps.
/// - A paste (Ctrl+V, the context menu, pasteText) is taken whole or not at
///   all: the text it makes (the pasted text, without blanks around it,
///   over the selection) must be a number and fit the typing limit, or the
///   field beeps and keeps its text. A paste that leaves the field empty
///   (nothing pasted over a selection) deletes, as the Delete key does.
/// - Editing keys that type no character (Delete, Backspace, arrows, Home,
///   End, Tab) and undo are not filtered. X11's middle-button paste follows
///   the paste rule; dropped text is not taken.
/// Enter moves to the next control, or, inside a dialog with a default
/// button, presses that button, unless the owner takes it through OnEnter.
///
/// Two things it keeps apart from the text itself:
/// - A typing limit: the most characters typing or pasting may make the
///   text. Unlike QLineEdit's maxLength it never cuts a text the program
///   writes.
/// - The text the user last entered (typed, pasted or set by the program as
///   an input, such as the "50" of the 50 % design), as opposed to a value
///   the program computed and wrote back (setComputedText). Its decimals
///   decide how many decimals the computed values get.
class TNumEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TNumEdit(QWidget* parent = nullptr);

  /// The filter for one typed character on its own, without the text it
  /// goes into: returns the character when the number syntax can use it
  /// (digits, point, signs, "e", "E", the ASCII SI prefixes, backspace),
  /// or 0 when it is dropped (beeping unless it was Enter, code 13).
  static char KeyPress(char key);

  /// Asked first when Enter is pressed in the field: returns true when the
  /// owner took the key (it ran a command), false to move on as usual.
  std::function<bool()> OnEnter;

  /// Most characters typing may make the text; 0 for no limit.
  void setTypingLimit(int characters) { typingLimit_ = characters; }
  int typingLimit() const { return typingLimit_; }

  /// Pastes as the clipboard's paste command does: the text, without the
  /// blanks around it, over the selection when the result is a number
  /// within the typing limit; otherwise a beep and no change. Returns
  /// whether the paste was taken.
  bool pasteText(const QString& text);

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
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  /// The text with `typed` in place of the selection (or at the cursor).
  QString textWith(const QString& typed) const;
  /// Whether typing one character makes a text the field takes; beeps when not.
  bool takesTyped(QChar ch) const;
  bool withinLimit(const QString& text) const { return typingLimit_ <= 0 || text.size() <= typingLimit_; }

  int typingLimit_ = 0;
  bool writingComputed_ = false;
  QString userText_;
};

}  // namespace timer555
