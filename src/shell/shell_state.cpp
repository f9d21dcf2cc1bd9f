#include "shell/shell_state.h"

#include "schematic/schematic_inputs.h"

namespace timer555 {

ShellState shellState;

namespace {
// The design pages (ActiveMenu 1) clear the drawing area before every
// drawing; the application pages draw over what their page put there.
[[maybe_unused]] const bool kClearRuleBound = [] {
  schematicInputs.ClearsFirst = [] { return shellState.ActiveMenu == 1; };
  return true;
}();
}  // namespace

}  // namespace timer555
