#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "design/design_kind.h"
#include "shell/string_holder.h"

class QGroupBox;
class QLabel;
class QListWidget;
class QRadioButton;

namespace timer555 {

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

/// The one main window: the fixed 650 x 350 layout, the menu bar, the
/// drawing area with the pages, the entry groups, the waveform panel, the
/// design advisor's panel below them, the display font for the time the
/// program runs, every pointer handler and the keyboard commands.
/// Controls keep their designer names and are public so that the scenario
/// runner and the tests can reach them as a user would. The menu bar and
/// the drawing area are made with the window; the hidden controls of the
/// input groups and the list box right after the first frame (LateControl).
class TfmMain final : public QWidget {
 public:
  /// The client area without the advice panel.
  static constexpr int ClientWidth = 650;
  static constexpr int ClientHeight = 350;
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

  /// The design advisor's findings, below the client area; shown only on a
  /// design page with findings, when the window grows by its height.
  TImage* Image6 = nullptr;
  TSheetExport* SheetExport = nullptr;  ///< Ctrl+S, Ctrl+C, Ctrl+P

  TStringHolder SHDesign{"SHDesign"}, SHCircuits{"SHCircuits"}, SHBuffer{"SHBuffer"}, SHApps{"SHApps"},
      SHSpecs{"SHSpecs"}, SHHelp{"SHHelp"}, SHComponent{"SHComponent"};

  /// Shows (show = 1) or hides the three input groups, resets the input
  /// labels and the duty-cycle field, and clears the advice panel: every
  /// page change passes through here.
  void ShowInputGroups(int show);

  /// The advisor's findings the panel shows, in rule order; empty when the
  /// panel is hidden.
  const std::vector<std::string>& AdviceShown() const { return adviceShown_; }

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
  /// What a press on one of the adjust arrows does (+1 up, -1 down): step C1
  /// or switch the chip, after validating the inputs; records the nominals.
  void StepAdjust(int step);

  /// The widget side of a design page, then its drawing.
  void ShowDesignPage(DesignKind kind);
  /// The calculation frame of the current design: components, schematic
  /// with values, waveform, Calculated, nominals.
  void CalculateDesign();
  /// Frequency and duty cycle from the components after an adjustment;
  /// false (after its message) when the components give no timing.
  bool RecalculateAfterAdjust();

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
  void CreateControls();
  void CreateHiddenControls();
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void FormKeyDown(QKeyEvent* event);
  void SizeControls();
  bool InstallDisplayFont();
  void RemoveOldFontCopy();
  void DrawMenuBar();
  void DrawStartScreen();
  void DrawCalculateButton(bool focused);
  /// The controls' pointer, click, focus and Enter callbacks.
  void ConnectHandlers();
  /// The same for the controls made after the first frame.
  void ConnectHiddenHandlers();
  void CreateKeyCommands();
  void ArrowKey(int step);
  void DesignNumberKey(int number);
  bool EnterInField(const TNumEdit* field);
  void ShowAdvice();
  void ShowAdviceTexts(std::vector<std::string> texts);
  void DesignMenuPage();
  void ApplicationsMenuPage();
  void DataMenuPage();
  void HelpPage();
  void RefreshImages();
  void SetImage2Cursor(int number);
  void ShowScriptError(const std::exception& error);

  bool shown_ = false;
  bool shutDown_ = false;
  bool sized_ = false;           ///< start-up reached the sizes (the font was found)
  bool controlsMade_ = false;    ///< EnsureControls has run
  bool controlsQueued_ = false;  ///< EnsureControls is queued after the first frame
  std::string fontFileAdded_;    ///< the file handed to the font table at start-up
  std::vector<std::string> adviceShown_;
};

template <typename T>
T* LateControl<T>::get() const {
  if (!control_) owner_->EnsureControls();
  return control_;
}

}  // namespace timer555
