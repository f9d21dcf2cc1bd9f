#include "shell/shell_state.h"
namespace timer555 {
ShellState shellState;
}  // namespace timer555
