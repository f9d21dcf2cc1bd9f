#pragma once

#include <string>
#include <string_view>

#include "platform/text_list.h"

namespace timer555 {

/// The script lines of the circuit record named `name` ("DESIGN1",
/// "APPLIC5", "APPLI10") in the circuit library: the ten lines that follow
/// its header line. Empty when the library has no such record; fewer lines
/// when the library ends early.
TextList CircuitRecord(const TextList& library, std::string_view name);

/// The header name of application circuit `page` (1..14): "APPLIC1" to
/// "APPLIC9", then "APPLI10" to "APPLI14", as the headers are at most seven
/// characters long.
std::string ApplicationRecordName(int page);

}  // namespace timer555
