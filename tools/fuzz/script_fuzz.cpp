// Feeds arbitrary bytes to the circuit script interpreter and the value
// texts. The first bytes choose the drawing rectangle, the ShowValues flag,
// the timer chip and a component value; the rest is split into script lines.
// A conversion error is the interpreter's normal answer to a bad number
// field; anything else (a crash, a sanitizer report, another exception) is a
// fault.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "schematic/circuit_script.h"
#include "schematic/schematic_inputs.h"
#include "schematic/value_text.h"

namespace {

constexpr std::size_t kHeader = 12;

void CheckValueTexts(double value, int width, int decimals) {
  using namespace timer555;
  volatile std::size_t sink = 0;
  sink = sink + ResistanceText(value).size();
  sink = sink + CapacitanceText(value).size();
  sink = sink + FixedText(width, decimals, value).size();
  std::string fixed = FixedText(7, 4, value);
  sink = sink + RoundNumberText(TrimNumberText(fixed), 4).size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace timer555;
  if (size < kHeader) return 0;

  // Rectangle: sizes from tiny to several times the drawing area, and
  // sometimes inverted or far off the origin.
  const int width = static_cast<int>(data[0]) * 4 - 64;
  const int height = static_cast<int>(data[1]) * 2 - 32;
  const int left = static_cast<int>(static_cast<std::int8_t>(data[2])) * (data[3] & 0x80 ? 8000000 : 1);
  const Rect rect{left, 0, left + width, height};
  DrawOptions options;
  options.showValues = (data[3] & 1) != 0;
  const TimerChip choices[4] = {TimerChip::Single555, TimerChip::Dual556A, TimerChip::Dual556B,
                                TimerChip::Single555};
  options.chip = choices[data[3] >> 1 & 3];
  options.clearFirst = ((data[3] >> 3) & 3) == 1;

  double value;
  std::memcpy(&value, data + 4, sizeof value);
  options.values.R1 = value;
  options.values.C1 = value;
  options.values.R2 = -value;
  CheckValueTexts(value, static_cast<int>(static_cast<std::int8_t>(data[2])),
                  static_cast<int>(data[3] % 40) - 5);

  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = kHeader; i < size; ++i) {
    if (data[i] == '\n') {
      lines.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  lines.push_back(current);

  RecordingCanvas canvas(650, 308);
  try {
    RunCircuitScript(lines, canvas, rect, options);
  } catch (const ScriptConversionError&) {
    // A bad number field stops the drawing; that is the expected answer.
  }
  // Keep the recording from growing without bound across runs.
  return 0;
}
