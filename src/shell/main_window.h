#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "design/combinations.h"
#include "design/design_sheet.h"
#include "design/design_state.h"
#include "design/engine.h"
#include "shell/sheet.h"
#include "shell/string_holder.h"
#include "simulation/simulator.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;
class QScrollArea;

namespace timer555 {

class TDesignHistory;
class TDesignPanel;
class TfmAdjust;
class TImage;
class TNumEdit;
class TSheetExport;
class TfmMain;

/// A control of the main window that is made only after the window's first
/// frame is on screen, because it stays hidden until a design page shows
/// it. Reaching it (->, or as a pointer) first makes every such control if
/// they are not made yet, so no caller ever sees a missing control.
template <typename T>
class LateControl final {
 public:
  explicit LateControl(TfmMain* owner) : owner_(owner) {}
  T* operator->() const { return get(); }
  operator T*() const { return get(); }
  T* get() const;

 private:
  friend class TfmMain;
  TfmMain* owner_;
  T* control_ = nullptr;
};

/// The entries of the menu bar, left to right.
enum class MenuEntry { Design, Applications, Data, Quit, Help };

/// The menu whose page (or whose design pages) the drawing area belongs to.
/// The numbers are those the window has always reported.
enum class Menu : int { None = 0, Design = 1, Applications = 2, Data = 3, Help = 4 };

/// The cursors of the drawing area, by the numbers they are registered under.
enum class AreaCursor : int { Arrow = 0, Crosshair = 20, Calculate = 21, Capacitor = 22, Resistor = 23 };

/// One entry of the menu bar: caption, text width and hit rectangle
/// (left, top, right, bottom; all edges inclusive for hit tests).
struct MenuBarEntry {
  std::string Caption;
  int TextWidth = 0;
  Rect Hit;
};

/// A page the window showed, with what it needs to show it again as it was.
struct PageVisit {
  SheetPage page = SheetPage::StartScreen;
  int applicationIndex = 0;
  DesignState design;  ///< the design page's design, as it stood
};

/// What the main window shows and remembers besides its controls: the design
/// on screen, which page the drawing area shows, where its parts were drawn,
/// and the menu bar's layout. Zero or empty at start unless stated.
struct WindowState {
  DesignState Design;            ///< the design of the design page (kept while other pages show)
  Menu ActiveMenu = Menu::None;  ///< the menu whose page is shown; None on a reference page
  bool DesignShown = false;      ///< a design page is shown
  int ApplicationIndex = 0;      ///< 1..14, the application page last chosen
  SheetPage ShownPage = SheetPage::StartScreen;
  PartZones Zones;                 ///< where the page on screen drew its clickable parts
  int SelectedResistor = 0;        ///< 1 or 2: resistor whose zone the pointer entered last
  std::string AppPath;             ///< directory of the program file, trailing separator
  std::string AppFontName;         ///< "Technical" once the font is available, else empty
  MenuBarEntry MenuBarEntries[5];  ///< "Design", "Applications", "Data", "Quit", "Help"
  int EntryGap = 0;                ///< q = text width of "Design" div 6
};

/// What the page on screen is called, for the window title and the
/// clipboard: "Design menu", "Design 1: Astable, Duty Cycle > 50%",
/// "Application 5: Tone burst generator", "Typical timer specifications";
/// "timer555" for the start screen.
std::string PageName(const WindowState& state, const TextList& apps);

/// The design files' filter in the open and save dialogs.
inline constexpr const char* kDesignFileFilter = "timer555 design (*.t555)";

/// The circuit settings remembered from the last run (through the platform's
/// settings store); the defaults, 15 V bipolar, when none or none valid.
CircuitSettings RememberedSettings();

/// The window title of a page: its name and the program's, "Help -
/// timer555"; the start screen's is "timer555" alone.
std::string PageTitle(const WindowState& state, const TextList& apps);

/// The one main window: the fixed 650 x 350 layout, the menu bar, the
/// drawing area with the pages, the entry groups, the waveform panel, the
/// design advisor's panel below them, the display font for the time the
/// program runs, every pointer handler and the keyboard commands.
/// Controls keep their designer names and are public so that the scenario
/// runner and the tests can reach them as a user would. The menu bar and
/// the drawing area are made with the window; the hidden controls of the
/// input groups and the list box right after the first frame (LateControl).
///
/// The window's work is split by job over several files: the controls and
/// start-up (main_window.cpp), the display font (window_font.cpp), the menu
/// bar, start screen and button drawing (menu_bar.cpp), the navigation
/// between pages with the pointer's hit tests (navigation.cpp) and the
/// design's workflow (design_workflow.cpp).
class TfmMain final : public QWidget {
 public:
  /// The client area without the advice panel.
  static constexpr int ClientWidth = 650;
  static constexpr int ClientHeight = 350;
  /// The menu bar takes 12 % of the client area's height; the drawing area
  /// below it, where every page and the command line's sheet are drawn,
  /// the rest (650 x 308).
  static constexpr int MenuBarHeight = static_cast<int>(ClientHeight * 0.12);
  static constexpr int AreaWidth = ClientWidth;
  static constexpr int AreaHeight = ClientHeight - MenuBarHeight;
  /// The output waveform panel ("Vout", Image5).
  static constexpr int VoutWidth = 203;
  static constexpr int VoutHeight = 58;
  /// Where the window's frame starts on the screen (33, 114 scaled by 1.2).
  static constexpr int InitialLeft = 40;
  static constexpr int InitialTop = 137;

  explicit TfmMain(QWidget* parent = nullptr);
  ~TfmMain() override;
  TfmMain(const TfmMain&) = delete;
  TfmMain& operator=(const TfmMain&) = delete;

  // Controls, in creation order.
  TImage* Image1 = nullptr;  ///< menu bar
  TImage* Image2 = nullptr;  ///< drawing area
  LateControl<QGroupBox> GB1{this};
  LateControl<QLabel> Label1{this};
  LateControl<QLabel> Label2{this};
  LateControl<QLabel> Label3{this};
  LateControl<QLabel> Label4{this};
  LateControl<TImage> Image3{this};  ///< the "Calculate" button
  LateControl<TNumEdit> NumEdit1{this};
  LateControl<TNumEdit> NumEdit2{this};
  LateControl<QGroupBox> GB2{this};
  LateControl<TImage> Image4{this};  ///< the adjust arrows
  LateControl<QRadioButton> RB1{this};
  LateControl<QRadioButton> RB2{this};
  LateControl<QGroupBox> GB3{this};
  LateControl<TImage> Image5{this};  ///< output waveform
  LateControl<QListWidget> ListBox1{this};

  /// The panel below the client area on a design page (settings, expected
  /// values, findings, standard values, simulation), in a scroll area that
  /// keeps the window within the screen.
  LateControl<QScrollArea> PanelArea{this};
  LateControl<TDesignPanel> Panel{this};
  /// The design advisor's findings, in the panel; shown only on a
  /// calculated design page with findings.
  LateControl<TImage> Image6{this};
  TSheetExport* SheetExport = nullptr;  ///< Ctrl+S, Ctrl+C, Ctrl+P
  TDesignHistory* History = nullptr;    ///< Ctrl+Z, Ctrl+Y: the design's steps

  TStringHolder SHDesign{"SHDesign"}, SHCircuits{"SHCircuits"}, SHApps{"SHApps"}, SHSpecs{"SHSpecs"},
      SHHelp{"SHHelp"}, SHComponent{"SHComponent"};

  /// What the window shows and remembers. The tests and the scenario runner
  /// read it, and the tests set up a state through it.
  const WindowState& State() const { return state_; }
  WindowState& State() { return state_; }

  /// The calculated design the sheet describes: on a design page once it is
  /// calculated; nothing otherwise.
  std::optional<DesignFacts> SheetDesign() const;
  /// The simulation's plot for the sheet, once one has been run for the
  /// design on screen.
  std::optional<SheetDrawing> SimulationDrawing() const;

  /// Called each time an adjust dialog has been filled and shown, before any
  /// key reaches it. Nothing in the program sets it; the headless scenario
  /// runner and the tests answer dialogs through it (testsupport/
  /// adjust_answers.h), as they cannot type into a modal window.
  std::function<void(TfmAdjust&)> OnAdjustDialogShown;

  /// Shows (show = 1) or hides the three input groups, resets the input
  /// labels and the duty-cycle field, and clears the advice panel: every
  /// page change passes through here.
  void ShowInputGroups(int show);

  /// The advisor's findings the panel shows, in rule order; empty when the
  /// panel is hidden.
  const std::vector<std::string>& AdviceShown() const { return adviceShown_; }

  /// The standard-value combinations the panel lists for the design on
  /// screen, best first (none before it is calculated).
  const std::vector<Combination>& CombinationsShown() const { return combinations_; }
  /// Applies combination `index` (0 for the first listed) as the design's
  /// R1, R2 and C1, recalculating frequency and duty cycle (or the pulse).
  void ApplyCombination(int index);
  /// Takes the supply voltage typed in the panel, or says why not.
  void ApplySupply();
  /// Switches the timer family, or says why not (the supply outside its range).
  void ApplyFamily(TimerFamily family);
  /// F5: simulates the design on screen in the background; a new
  /// calculation cancels the run.
  void Simulate();
  /// The design file of the design page on screen (the inputs as the
  /// fields hold them when it is not calculated).
  std::string DesignFileText() const;
  /// The SPICE netlist of the calculated design on screen.
  std::string NetlistText() const;
  /// Ctrl+O: the open dialog, then OpenDesignFile.
  void OpenDesign();
  /// Opens a design file: its design page as it was saved, or a message
  /// naming the file and what is wrong with it, and nothing changes. True
  /// when opened.
  bool OpenDesignFile(const std::string& path);
  /// Whether a simulation is running.
  bool Simulating() const { return simulating_; }
  /// The last simulation of the design on screen, while it still is.
  const std::optional<SimulationResult>& Simulated() const { return simulated_; }

  // Pointer handlers (also called directly by tests).
  void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void Image2MouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void Image4MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void Image3Click();
  /// A menu-bar entry chosen by click or key (nothing: a click in a gap):
  /// resets the title, DesignShown and Calculated, then runs the entry.
  void ChooseMenuEntry(std::optional<MenuEntry> entry);
  /// A design chosen on the Design menu page (1 to 4, the quadrants in
  /// reading order), by click or key.
  void ChooseDesign(int number);
  /// Alt+Left (and Backspace outside the entry fields): the page shown
  /// before this one, as it was (a design page with its fields, parts and
  /// findings). False when there is none.
  bool GoBack();
  /// What a press on one of the adjust arrows does (+1 up, -1 down): step C1
  /// or switch the chip, after validating the inputs; records the nominals.
  void StepAdjust(int step);

  /// The widget side of a fresh design page, then its drawing.
  void ShowDesignPage(DesignKind kind);
  /// The calculation frame of the current design: components, schematic
  /// with values, waveform, Calculated, nominals.
  void CalculateDesign();

  /// True once the shut-down has run.
  bool shutDown() const { return shutDown_; }

  /// Makes the hidden controls (the input groups with their fields, labels,
  /// "Calculate" button, arrows and waveform panel, and the list box), the
  /// cursors' pictures and the window icon, unless done already. Runs by itself just after
  /// the first frame; every LateControl calls it on first use.
  void EnsureControls();

 protected:
  void showEvent(QShowEvent* event) override;
  /// Watches the platform window for its first expose (the first frame).
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Controls and start-up (main_window.cpp).
  void CreateControls();
  void CreateHiddenControls();
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void FormKeyDown(QKeyEvent* event);
  void SizeControls();
  /// The controls' pointer, click, focus and Enter callbacks.
  void ConnectHandlers();
  /// The same for the controls made after the first frame.
  void ConnectHiddenHandlers();
  void CreateKeyCommands();
  void WatchFieldsForHistory();
  void RefreshImages();
  /// Names the page on screen in the window title.
  void UpdateTitle();
  void SetImage2Cursor(AreaCursor cursor);
  void ShowScriptError(const std::exception& error);

  // The display font (window_font.cpp).
  bool InstallDisplayFont();
  void RemoveOldFontCopy();

  // The menu bar, the start screen and the "Calculate" button (menu_bar.cpp).
  void DrawMenuBar();
  void DrawStartScreen();
  void DrawCalculateButton(bool focused);

  // Navigation between pages (navigation.cpp).
  void DesignMenuPage();
  void ApplicationsMenuPage();
  void DataMenuPage();
  void HelpPage();
  void ShowApplication(int index);
  void ShowDataPage(SheetPage page);
  void DesignNumberKey(int number);
  /// Notes the page on screen before another replaces it, for GoBack.
  void RememberPage();
  /// Shows a design page for `design` as it stands: the page's widgets,
  /// the fields' texts, the schematic (with values once calculated), the
  /// waveform and the findings.
  void ShowDesign(const DesignState& design);

  // The design's workflow (design_workflow.cpp).
  void ArrowKey(int step);
  bool EnterInField(const TNumEdit* field);
  /// Calculates the design on screen with the capacitor search given, then
  /// draws it and records the nominal values (the calculation frame). False
  /// (after its message) when nothing was calculated.
  bool Calculate(CapacitorSearch search);
  /// Draws the design on the design page as it stands: the schematic (with
  /// values once calculated) and the waveform, and shows the findings.
  /// False (after its message) when the schematic's script is broken.
  bool DrawDesign();
  /// Opens the adjust dialog for a part and applies an accepted value.
  void AdjustFromDialog(AdjustablePart part);
  /// Everything the panel says about the design on screen: the settings,
  /// expected values, compensated parts, findings, combinations and a
  /// simulation still valid; then the window's size.
  void ShowAnalysis();
  void ShowAdviceTexts(std::vector<std::string> texts);
  void ShowCombinations(const DesignFacts& facts);
  /// Sizes the panel and the window: the panel below the client area, as
  /// high as its contents, the window never past the screen's available
  /// area (the panel scrolls instead).
  void ArrangePanel();
  /// Draws the findings and the simulation's plot `width` pixels wide.
  void DrawPanelPictures(int width);
  void CreatePanel();
  void ConnectPanel();
  /// Stops a running simulation and waits for its thread.
  void StopSimulation();
  void SimulationDone(int run, const SimulationResult& result);
  /// Records a design change made by the panel as a step, and shows it.
  void ChangeDesign(const DesignState& next, const QString& what);

  WindowState state_;
  bool shown_ = false;
  bool shutDown_ = false;
  bool sized_ = false;           ///< start-up reached the sizes (the font was found)
  bool controlsMade_ = false;    ///< EnsureControls has run
  bool controlsQueued_ = false;  ///< EnsureControls is queued after the first frame
  std::string fontFileAdded_;    ///< the file handed to the font table at start-up
  std::vector<std::string> adviceShown_;
  std::vector<Combination> combinations_;
  DesignState combinationsFor_;  ///< the design the combinations were found for
  // The simulation: the run in the background, the number of the latest
  // (an older run's result is dropped) and the result with its design.
  std::thread simulationThread_;
  std::shared_ptr<SimulationCancel> simulationCancel_;
  int simulationRun_ = 0;
  bool simulating_ = false;
  std::optional<SimulationResult> simulated_;
  DesignState simulatedDesign_;
  /// The pages shown before the one on screen, the latest last.
  std::vector<PageVisit> visited_;
};

template <typename T>
T* LateControl<T>::get() const {
  if (!control_) owner_->EnsureControls();
  return control_;
}

}  // namespace timer555
