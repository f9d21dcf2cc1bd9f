#pragma once

#include <QWidget>
#include <string>

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

/// The one main window: the fixed 650 x 350 layout, the menu bar, the
/// drawing area with the pages, the entry groups, the waveform panel, the
/// display font for the time the program runs, and every pointer handler.
/// Controls keep their designer names and are public so that the scenario
/// runner and the tests can reach them as a user would.
class TfmMain final : public QWidget {
 public:
  explicit TfmMain(QWidget* parent = nullptr);
  ~TfmMain() override;
  TfmMain(const TfmMain&) = delete;
  TfmMain& operator=(const TfmMain&) = delete;

  // Controls, in creation order.
  TImage* Image1 = nullptr;  ///< menu bar
  TImage* Image2 = nullptr;  ///< drawing area
  QGroupBox* GB1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  TImage* Image3 = nullptr;  ///< the "Calculate" button
  TNumEdit* NumEdit1 = nullptr;
  TNumEdit* NumEdit2 = nullptr;
  QGroupBox* GB2 = nullptr;
  TImage* Image4 = nullptr;  ///< the adjust arrows
  QRadioButton* RB1 = nullptr;
  QRadioButton* RB2 = nullptr;
  QGroupBox* GB3 = nullptr;
  TImage* Image5 = nullptr;  ///< output waveform
  QListWidget* ListBox1 = nullptr;
  TSheetExport* SheetExport = nullptr;  ///< Ctrl+S, Ctrl+C, Ctrl+P

  TStringHolder SHDesign{"SHDesign"}, SHCircuits{"SHCircuits"}, SHBuffer{"SHBuffer"}, SHApps{"SHApps"},
      SHSpecs{"SHSpecs"}, SHHelp{"SHHelp"}, SHComponent{"SHComponent"};

  /// Shows (show = 1) or hides the three input groups and resets the input
  /// labels and the duty-cycle field.
  void ShowInputGroups(int show);

  // Pointer handlers (also called directly by tests).
  void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void Image2MouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void Image4MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void Image3Click();

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

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void CreateControls();
  void FormCreate();
  void FormShow();
  void FormDestroy();
  void FormKeyDown(QKeyEvent* event);
  bool InstallDisplayFont();
  void DrawMenuBar();
  void DrawStartScreen();
  void DrawCalculateButton();
  void DesignMenuPage();
  void ApplicationsMenuPage();
  void DataMenuPage();
  void HelpPage();
  void RefreshImages();
  void SetImage2Cursor(int number);
  void ShowScriptError(const std::exception& error);

  bool shown_ = false;
  bool shutDown_ = false;
  std::string fontFileAdded_;  ///< the file handed to the font table at start-up
};

}  // namespace timer555
