// The main window's design workflow: a design page, its calculation, the
// adjust arrows (C1 steps and the chip), the adjust dialog and the
// advisor's panel. Each step takes the design on screen as a value, asks
// the engine for the next one, and shows that.

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

#include "design/advisor.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "design/pages.h"
#include "design/waveform.h"
#include "platform/platform_services.h"
#include "schematic/circuit_script.h"
#include "schematic/value_text.h"
#include "shell/adjust_dialog.h"
#include "shell/advice_panel.h"
#include "shell/design_history.h"
#include "shell/image_control.h"
#include "shell/main_window.h"
#include "shell/num_edit.h"

namespace timer555 {

void TfmMain::ChooseDesign(int number) {
  NumEdit1->clear();
  NumEdit2->clear();
  Canvas& vout = Image5->canvas();
  vout.setBrushColor(colors::White);
  vout.fillRect({0, 0, vout.width(), vout.height()});
  Image5->update();
  // A fresh design, with no steps to go back to; the chip and the circuit
  // settings stay as they were.
  state_.Design = StartDesign(ToDesignKind(number), state_.Design.Chip, state_.Design.Settings);
  History->Clear();
  ShowDesignPage(state_.Design.DesignMode);
  state_.DesignShown = true;
}

void TfmMain::ShowDesign(const DesignState& design) {
  state_.Design = design;
  ShowDesignPage(design.DesignMode);
  state_.Design = design;
  state_.ActiveMenu = Menu::Design;
  state_.DesignShown = true;
  NumEdit1->restoreText(QString::fromStdString(design.Field1Text),
                        QString::fromStdString(design.Field1Typed));
  if (NumEdit2->isEnabled())
    NumEdit2->restoreText(QString::fromStdString(design.Field2Text),
                          QString::fromStdString(design.Field2Typed));
  GB2->setEnabled(design.Calculated);
  if (design.Calculated) {
    DrawDesign();
  } else {
    Canvas& vout = Image5->canvas();
    vout.setBrushColor(colors::White);
    vout.fillRect({0, 0, vout.width(), vout.height()});
    RefreshImages();
  }
}

void TfmMain::ShowDesignPage(DesignKind kind) {
  ShowInputGroups(1);
  const DesignRow* row = FindDesign(kind);
  if (row != nullptr) {
    Label1->setText(row->field1Label);
    Label1->adjustSize();
    Label4->setText(row->field1Unit);
    Label4->adjustSize();
    switch (row->dutyField) {
      case DutyField::Entered: NumEdit2->setEnabled(true); break;
      case DutyField::FixedAt50:
        state_.Design.DutyCycle = 0.5;
        NumEdit2->setText(QString::fromStdString(FixedText(2, 0, 50)));
        NumEdit2->setEnabled(false);
        break;
      case DutyField::Unused:
        Label2->setEnabled(false);
        Label3->setEnabled(false);
        NumEdit2->setEnabled(false);
        break;
    }
  }
  state_.ShownPage = SheetPage::Design;
  state_.Design.DesignMode = kind;
  UpdateTitle();
  // The arrows and the chip switch act on a design: none until calculated.
  GB2->setEnabled(false);
  state_.Zones = {};
  try {
    state_.Zones = DrawDesignPage(state_.Design, Image2->canvas(), SHCircuits.Strings());
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
  }
  Image2->update();
  ShowAnalysis();
  // Typing starts in the first field, over what it holds.
  NumEdit1->setFocus(Qt::OtherFocusReason);
  NumEdit1->selectAll();
}

void TfmMain::Image3Click() {
  const InputCheck check =
      ValidateInputs(state_.Design, NumEdit1->text().toStdString(), NumEdit2->text().toStdString());
  if (check.problem) {
    Platform().showError(*check.problem);
    return;
  }
  const DesignState before = state_.Design;
  state_.Design = check.design;
  if (Calculate(CapacitorSearch::Decades)) {
    History->Record(before, state_.Design, "Calculate");
  } else {
    // A refused calculation changes nothing, not even the inputs stored.
    state_.Design = before;
  }
}

void TfmMain::CalculateDesign() { Calculate(CapacitorSearch::Decades); }

bool TfmMain::Calculate(CapacitorSearch search) {
  if (FindDesign(state_.Design.DesignMode) == nullptr) return false;
  const ComponentsResult result = ComputeComponents(state_.Design, search);
  if (result.dutyFieldText) NumEdit2->setText(QString::fromStdString(*result.dutyFieldText));
  if (!result.computed) {
    if (!result.error.empty()) Platform().showError(result.error);
    return false;
  }
  DesignState design =
      RecordNominals(result.design, NumEdit1->userText().toStdString(), NumEdit2->userText().toStdString());
  design.Calculated = true;
  design.Field1Text = NumEdit1->text().toStdString();
  design.Field2Text = NumEdit2->text().toStdString();
  design.Field1Typed = NumEdit1->userText().toStdString();
  design.Field2Typed = NumEdit2->userText().toStdString();
  state_.Design = design;
  if (!DrawDesign()) {
    // A broken script: what was drawn stays, and the design is not taken
    // as calculated.
    state_.Design.Calculated = false;
  }
  GB2->setEnabled(state_.Design.Calculated);
  return state_.Design.Calculated;
}

bool TfmMain::DrawDesign() {
  const DesignRow* row = FindDesign(state_.Design.DesignMode);
  if (row == nullptr) return false;
  bool drawn = true;
  try {
    state_.Zones =
        DrawDesignSchematic(state_.Design, Image2->canvas(), SHCircuits.Strings(), state_.Design.Calculated);
    if (state_.Design.Calculated) {
      DrawOutputWaveform(Image5->canvas(), row->waveform, state_.Design, NumEdit1->text().toStdString(),
                         state_.AppFontName);
    }
  } catch (const ScriptConversionError& e) {
    ShowScriptError(e);
    drawn = false;
  }
  RefreshImages();
  if (drawn) ShowAnalysis();
  return drawn;
}

void TfmMain::AdjustFromDialog(AdjustablePart part) {
  const std::optional<double> value =
      RunAdjustDialog(this, {part, NominalValue(state_.Design, part)}, OnAdjustDialogShown);
  if (!value) return;
  // Components that give no timing are refused: the design stays what the
  // page shows.
  const RecalculationResult result = AdjustPart(state_.Design, part, *value);
  if (!result.computed) {
    if (!result.error.empty()) Platform().showError(result.error);
    return;
  }
  const DesignState before = state_.Design;
  state_.Design = result.design;
  NumEdit1->setComputedText(QString::fromStdString(result.field1Text));
  NumEdit2->setComputedText(QString::fromStdString(result.field2Text));
  DrawDesign();
  History->Record(before, state_.Design, "Adjust");
}

void TfmMain::Image4MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int) {
  const double f = static_cast<double>(x) / Image4->width();
  int step = 0;
  if (f <= 0.44)
    step = 1;
  else if (f >= 0.54)
    step = -1;
  StepAdjust(step);
}

void TfmMain::StepAdjust(int step) {
  const DesignState before = state_.Design;
  bool stepped = false;
  const InputCheck check =
      ValidateInputs(state_.Design, NumEdit1->text().toStdString(), NumEdit2->text().toStdString());
  if (check.problem) {
    Platform().showError(*check.problem);
  } else if (step != 0) {
    if (RB1->isChecked()) {
      // The capacitor the user chose is kept exactly; at either end of the
      // range the step is refused with a beep.
      if (const std::optional<DesignState> next = StepCapacitor(check.design, step)) {
        state_.Design = *next;
        stepped = Calculate(CapacitorSearch::Exact);
        if (!stepped) state_.Design = check.design;
      } else {
        Platform().beep();
      }
    } else {
      state_.Design = SwitchChip(check.design, step);
      DrawDesign();
      stepped = true;
    }
  }
  state_.Design =
      RecordNominals(state_.Design, NumEdit1->userText().toStdString(), NumEdit2->userText().toStdString());
  if (stepped) History->Record(before, state_.Design, RB1->isChecked() ? "Step C1" : "Switch the chip");
}

void TfmMain::ArrowKey(int step) {
  if (state_.DesignShown && state_.Design.Calculated) StepAdjust(step);
}

bool TfmMain::EnterInField(const TNumEdit* field) {
  // The last field the design uses: the duty cycle where it is typed, else
  // the frequency or pulse length.
  const DesignRow* row = FindDesign(state_.Design.DesignMode);
  if (row == nullptr) return false;
  const TNumEdit* last = row->dutyField == DutyField::Entered ? NumEdit2 : NumEdit1;
  if (field != last) return false;
  Image3Click();
  return true;
}

}  // namespace timer555
