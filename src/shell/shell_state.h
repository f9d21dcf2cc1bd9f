#pragma once

#include <optional>
#include <string>

#include "design/design_sheet.h"
#include "platform/canvas.h"

namespace timer555 {

/// One entry of the menu bar: caption, text width and hit rectangle
/// (left, top, right, bottom; all edges inclusive for hit tests).
struct MenuBarEntry {
  std::string Caption;
  int TextWidth = 0;
  Rect Hit;
};

/// The state of the user interface that the shell's parts share. One
/// instance, `shellState`; zero or empty at start unless stated.
struct ShellState {
  std::string AppPath;      ///< directory of the program file, trailing separator
  std::string AppFontName;  ///< "Technical" once the font is available, else empty
  int ActiveMenu = 0;       ///< 0 none, 1 Design (and design pages), 2 Applications, 3 Data, 4 help
  int DesignShown = 0;      ///< set once a design page was chosen; cleared by every menu-bar click
  std::string MainCaption = "Version 1.2";
  MenuBarEntry MenuBarEntries[5];                ///< "Design", "Applications", "Data", "Quit", "Help"
  int EntryGap = 0;                              ///< q = text width of "Design" div 6
  int SelectedResistor = 0;                      ///< 1 or 2: resistor whose zone the pointer entered last
  int AdjustTarget = 0;                          ///< 1 the adjust dialog edits C1, 0 a resistor
  SheetPage ShownPage = SheetPage::StartScreen;  ///< the page the drawing area shows
  /// The design as its last calculation drew it with values; empty from the
  /// moment a design page is drawn bare until it is calculated.
  std::optional<DesignFacts> SheetDesign;
};

extern ShellState shellState;

}  // namespace timer555
