// Feeds arbitrary bytes to the design-file reader. Every read must give
// either a design or a problem, never both; a design read must be written
// and read back to the identical design, and written again to the identical
// text. A design read then goes where an opened one goes: its waveform, its
// report with the advisor's findings, and a calculation and a C1 step from
// the texts its fields show. Anything else (a crash, a sanitizer report, an
// exception) is a fault.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "design/design_file.h"
#include "design/design_sheet.h"
#include "design/design_table.h"
#include "design/engine.h"
#include "design/waveform.h"
#include "platform/recording_canvas.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace timer555;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const DesignFileRead read = ReadDesignFile(bytes);
  Require(read.design.has_value() == read.problem.empty());
  if (!read.design) return 0;

  const std::string text = WriteDesignFile(*read.design);
  const DesignFileRead again = ReadDesignFile(text);
  Require(again.design.has_value() && again.problem.empty());
  Require(*again.design == *read.design);
  Require(WriteDesignFile(*again.design) == text);

  const DesignState& design = *read.design;
  RecordingCanvas canvas;
  DrawOutputWaveform(canvas, FindDesign(design.DesignMode)->waveform, design, design.Field1Text, "Arial");
  Require(!ReportDesign(FactsOf(design)).parts.empty());
  const InputCheck check = ValidateInputs(design, design.Field1Text, design.Field2Text);
  if (check.problem) return 0;
  const ComponentsResult calculated = ComputeComponents(check.design);
  Require(calculated.computed || !calculated.error.empty());
  if (const std::optional<DesignState> stepped = StepCapacitor(check.design, 1)) {
    ComputeComponents(*stepped, CapacitorSearch::Exact);
  }
  return 0;
}
