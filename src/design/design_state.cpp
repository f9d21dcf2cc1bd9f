#include "design/design_state.h"

namespace timer555 {

DesignState designState;

namespace {
// The schematic prints the component values of the design on screen.
[[maybe_unused]] const bool kValuesBound = [] {
  schematicInputs.Values = &designState;
  return true;
}();
}  // namespace

}  // namespace timer555
