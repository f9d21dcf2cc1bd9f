#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "shell/sheet.h"

namespace timer555 {

class TfmMain;

/// The ways a page leaves the program from the main window: Ctrl+S saves
/// the sheet as PNG, SVG or PDF, Ctrl+C puts it on the clipboard as a picture
/// with a plain-text summary, Ctrl+P prints it. Inside an entry field with
/// selected text, Ctrl+C copies that text as usual.
///
/// Dialogs, messages and files go through the platform services, so tests
/// answer the dialogs instead of being blocked by them.
class TSheetExport final : public QObject {
 public:
  explicit TSheetExport(TfmMain& window);
  /// Lets the entry fields keep Ctrl+C while they have text selected; called
  /// once the fields exist.
  void WatchFields(QObject* field1, QObject* field2);
  TSheetExport(const TSheetExport&) = delete;
  TSheetExport& operator=(const TSheetExport&) = delete;

  /// Ctrl+S: the save dialog, then the file (through a temporary file).
  void Save();
  /// What the page on screen can be saved as, for the save dialog: the
  /// sheet as PNG, SVG or PDF; on a design page also the design file, and
  /// once it is calculated its SPICE netlist.
  std::vector<std::string> SaveFilters() const;
  /// Writes the page to `path` in the format its extension names, as Ctrl+S
  /// does after its dialog; false after a message saying why not.
  bool SaveTo(const std::string& path);
  /// Ctrl+C: picture and summary on the clipboard.
  void Copy();
  /// Ctrl+P: the print dialog, then the page.
  void Print();

  /// The sheet of the page on screen.
  Sheet CurrentSheet() const;
  /// The name the page is saved under, without extension.
  std::string BaseName() const;
  /// The plain text that goes on the clipboard with the picture.
  std::string SummaryText() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  /// False, with a message shown, when the drawing area's log is not usable.
  bool Ready() const;

  TfmMain& window_;
  std::string lastFolder_;  ///< where the last sheet was saved, for the next suggestion
};

}  // namespace timer555
