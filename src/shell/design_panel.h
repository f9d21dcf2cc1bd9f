#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QTreeWidget;
class QPushButton;
class QRadioButton;

namespace timer555 {

class TImage;
class TNumEdit;

/// The panel below the main window's 650 x 350 client area on a design
/// page, so that the area the pages draw keeps every pixel: the circuit
/// settings (supply voltage, timer family) and the simulation button; once
/// the design is calculated, what the built circuit is expected to do and
/// the compensated parts, the advisor's findings, the best standard-value
/// combinations and, once run, the simulation's plot. The window decides
/// what is shown; Arrange lays the shown controls out one under another.
class TDesignPanel final : public QWidget {
 public:
  explicit TDesignPanel(QWidget* parent);

  // Controls, top to bottom; public so that the tests and the scenario
  // runner reach them as a user would.
  QLabel* SupplyLabel = nullptr;
  TNumEdit* VccEdit = nullptr;  ///< the supply voltage in volts
  QLabel* VoltLabel = nullptr;
  QRadioButton* Bipolar = nullptr;
  QRadioButton* Cmos = nullptr;
  QPushButton* SimulateButton = nullptr;  ///< also F5
  QLabel* Expected = nullptr;             ///< "Expected when built: ..."
  QLabel* Compensated = nullptr;          ///< "Compensated parts: ..."
  TImage* Findings = nullptr;             ///< the advisor's findings (the window's Image6)
  QLabel* CombinationsLabel = nullptr;
  QComboBox* Series = nullptr;          ///< E12 .. E192, E24 first chosen
  QTreeWidget* Combinations = nullptr;  ///< one row a combination, its cells in columns
  QLabel* SimulationStatus = nullptr;   ///< "Simulating ...", "Simulated: ..."
  TImage* Plot = nullptr;               ///< the simulation's plot

  /// How many combinations the list shows.
  static constexpr int kCombinationRows = 5;
  /// The plot's height; it is as wide as the panel.
  static constexpr int kPlotHeight = 200;

  /// Places the shown controls one under another across `width` (the
  /// findings image keeps the height it was given) and returns the height
  /// they take.
  int Arrange(int width);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace timer555
