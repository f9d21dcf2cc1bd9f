#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/recording_canvas.h"
#include "schematic/circuit_script.h"
#include "schematic/drawing_state.h"
#include "schematic/symbols.h"

namespace timer555::testing {

/// Draws circuit scripts on a recording canvas. Each test sets the options
/// it needs (values, chip, clearing first); every drawing starts afresh.
class SchematicTest : public ::testing::Test {
 protected:
  /// Draws `lines` on the recording canvas with `options`; grid 10 x 10 by
  /// default. Keeps the zones the drawing returned in `zones`.
  void Run(const std::vector<std::string>& lines, Rect rect = {0, 0, 700, 330}, int showValues = 0) {
    last_ = {lines, rect, showValues};
    zones = {};
    zones = RunCircuitScript(lines, canvas, rect, WithValuesShown(showValues));
  }

  /// Where the pen stands at the end of the last Run. The drawing state
  /// lives only during one drawing, so the lines are drawn again on a
  /// scratch canvas, followed by a label above the pen: the label is
  /// centred on the pen and its text ends at the pen's row.
  Point Pen() const {
    RecordingCanvas scratch(canvas.width(), canvas.height());
    scratch.charWidth = canvas.charWidth;
    scratch.textHeightPx = canvas.textHeightPx;
    std::vector<std::string> probed = last_.lines;
    probed.emplace_back("LU+++");
    RunCircuitScript(probed, scratch, last_.rect, WithValuesShown(last_.showValues));
    const CanvasCall label = scratch.callsOf("textOut").back();
    EXPECT_EQ(label.text, "+++");
    return {label.args.at(0) + scratch.textWidth("+++") / 2, label.args.at(1) + scratch.textHeight("+++")};
  }

  /// The calls recorded since the last command that matched `marker`
  /// (by str() prefix); the whole list when no call matches.
  std::vector<CanvasCall> CallsAfter(const std::string& marker) const {
    std::size_t from = 0;
    for (std::size_t i = 0; i < canvas.calls.size(); ++i)
      if (canvas.calls[i].str().rfind(marker, 0) == 0) from = i + 1;
    return {canvas.calls.begin() + static_cast<long>(from), canvas.calls.end()};
  }

  static std::vector<std::string> Strs(const std::vector<CanvasCall>& calls) {
    std::vector<std::string> out;
    for (const auto& c : calls) out.push_back(c.str());
    return out;
  }

  /// The first textOut of `text`, or an empty call when there is none.
  CanvasCall TextCall(const std::string& text) const {
    for (const auto& c : canvas.calls)
      if (c.op == "textOut" && c.text == text) return c;
    return {};
  }

  DrawOptions options;  ///< values, chip and clearing of the drawings
  PartZones zones;      ///< what the last Run returned
  RecordingCanvas canvas{700, 330};

 private:
  DrawOptions WithValuesShown(int showValues) const {
    DrawOptions drawn = options;
    drawn.showValues = showValues != 0;
    return drawn;
  }

  struct Drawing {
    std::vector<std::string> lines;
    Rect rect;
    int showValues = 0;
  } last_;
};

}  // namespace timer555::testing

namespace timer555 {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace timer555
