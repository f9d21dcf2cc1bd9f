#include "design/design_state.h"
namespace timer555 {
DesignState designState;
}  // namespace timer555
