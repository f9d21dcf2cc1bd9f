#pragma once

namespace timer555 {

/// The program started with arguments: answers on standard output and
/// standard error without a window (Qt's offscreen platform unless
/// QT_QPA_PLATFORM says otherwise, and only when a sheet is drawn) and
/// returns the exit status (see ExitStatus).
int CommandLineMain(int argc, char* argv[]);

}  // namespace timer555
