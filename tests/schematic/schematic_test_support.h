#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/design_state.h"
#include "platform/recording_canvas.h"
#include "schematic/circuit_script.h"
#include "schematic/drawing_state.h"
#include "schematic/symbols.h"
#include "shell/shell_state.h"

namespace timer555::testing {

/// Starts every test from the program's start-up state so that settings a
/// previous test left behind cannot hide a fault.
class SchematicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    drawingState = DrawingState{};
    designState = DesignState{};
    shellState.ActiveMenu = 0;
  }

  /// Draws `lines` on the recording canvas; grid 10 x 10 by default.
  void Run(const std::vector<std::string>& lines, Rect rect = {0, 0, 700, 330}, int showValues = 0) {
    RunCircuitScript(lines, canvas, rect, showValues);
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

  RecordingCanvas canvas{700, 330};
};

}  // namespace timer555::testing

namespace timer555 {
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace timer555

namespace timer555::testing {}  // namespace timer555::testing
