// The panel below a design page: circuit settings, expected values,
// compensated parts, findings, standard values and the simulation.

#include "shell/design_panel.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "design/standard_values.h"
#include "platform/canvas.h"
#include "platform/fonts.h"
#include "shell/image_control.h"
#include "shell/num_edit.h"

namespace timer555 {

namespace {

// The controls' font (16-pixel em), as in the input groups above.
constexpr int kFontPixels = 16;
constexpr int kMargin = 10;
constexpr int kRowHeight = 30;  // the settings row
constexpr int kListRowHeight = 20;

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setFont(MakeFont(kDisplayFace, -kFontPixels, false));
  return widget;
}

// A text line that wraps within the panel's width.
QLabel* TextLine(QWidget* parent, const char* name) {
  auto* label = Named(new QLabel(parent), name);
  label->setWordWrap(true);
  label->hide();
  return label;
}

// Places a label across the panel at `y` when shown; returns the next y.
int PlaceLine(QLabel* label, int y, int width) {
  if (label->isHidden()) return y;
  const int inner = width - 2 * kMargin;
  const int height = label->heightForWidth(inner);
  label->setGeometry(kMargin, y, inner, height);
  return y + height + 2;
}

}  // namespace

TDesignPanel::TDesignPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("DesignPanel");
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::Button, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);

  SupplyLabel = Named(new QLabel("Supply", this), "SupplyLabel");
  VccEdit = Named(new TNumEdit(this), "VccEdit");
  VccEdit->setTypingLimit(8);
  VoltLabel = Named(new QLabel("V", this), "VoltLabel");
  Bipolar = Named(new QRadioButton("Bipolar (NE555)", this), "Bipolar");
  Cmos = Named(new QRadioButton("CMOS (TLC555)", this), "Cmos");
  Bipolar->setChecked(true);
  SimulateButton = Named(new QPushButton("Simulate (F5)", this), "SimulateButton");

  Expected = TextLine(this, "Expected");
  Compensated = TextLine(this, "Compensated");

  Findings = new TImage(this, "Image6");
  Findings->place(0, 0, 1, 1);
  Findings->hide();

  CombinationsLabel = Named(new QLabel("Standard values", this), "CombinationsLabel");
  Series = Named(new QComboBox(this), "Series");
  for (ESeries series : {ESeries::E12, ESeries::E24, ESeries::E48, ESeries::E96, ESeries::E192})
    Series->addItem(QString::fromLatin1(SeriesName(series)));
  Series->setCurrentText("E24");
  Combinations = Named(new QTreeWidget(this), "Combinations");
  Combinations->setFont(MakeFont(kDisplayFace, -(kFontPixels - 2), false));
  Combinations->setRootIsDecorated(false);
  Combinations->setUniformRowHeights(true);
  Combinations->setAllColumnsShowFocus(true);
  Combinations->header()->setStretchLastSection(false);
  Combinations->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  Combinations->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (QWidget* w : {static_cast<QWidget*>(CombinationsLabel), static_cast<QWidget*>(Series),
                     static_cast<QWidget*>(Combinations)})
    w->hide();

  SimulationStatus = TextLine(this, "SimulationStatus");
  Plot = new TImage(this, "Plot");
  Plot->keepDrawingLog();
  Plot->place(0, 0, 1, 1);
  Plot->hide();

  // The keyboard reaches the settings, the button and the list in order.
  setTabOrder(VccEdit, Bipolar);
  setTabOrder(Bipolar, Cmos);
  setTabOrder(Cmos, SimulateButton);
  setTabOrder(SimulateButton, Series);
  setTabOrder(Series, Combinations);
}

int TDesignPanel::Arrange(int width) {
  int y = 0;
  SupplyLabel->setGeometry(kMargin, y + 6, 56, 20);
  VccEdit->setGeometry(70, y + 3, 60, 24);
  VoltLabel->setGeometry(134, y + 6, 16, 20);
  Bipolar->setGeometry(166, y + 5, 160, 22);
  Cmos->setGeometry(330, y + 5, 150, 22);
  SimulateButton->setGeometry(width - kMargin - 130, y + 2, 130, 26);
  y += kRowHeight + 2;

  y = PlaceLine(Expected, y, width);
  y = PlaceLine(Compensated, y, width);
  // The pictures keep the size they were drawn at (a new size would clear them).
  if (!Findings->isHidden()) {
    Findings->move(0, y);
    y += Findings->height();
  }
  if (!Combinations->isHidden()) {
    CombinationsLabel->setGeometry(kMargin, y + 6, 150, 20);
    Series->setGeometry(kMargin + 150, y + 3, 90, 24);
    y += kRowHeight;
    const int rows = std::max(1, std::min(kCombinationRows, Combinations->topLevelItemCount()));
    const int height = Combinations->header()->sizeHint().height() + rows * kListRowHeight + 6;
    Combinations->setGeometry(kMargin, y, width - 2 * kMargin, height);
    y += height + 2;
  }
  y = PlaceLine(SimulationStatus, y, width);
  if (!Plot->isHidden()) {
    Plot->move(0, y);
    y += Plot->height();
  }
  return y + 4;
}

void TDesignPanel::paintEvent(QPaintEvent*) {
  // A rule along the top parts the panel from the client area above it.
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(0, 0, width() - 1, 0);
}

}  // namespace timer555
