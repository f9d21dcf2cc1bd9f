#pragma once

#include <QString>

#include "shell/string_holder.h"

namespace timer555 {

/// Lines of a text list compiled into the resources (":/text/NAME.txt"),
/// exactly as stored: trailing blanks kept, empty lines counted, the final
/// line break not making an extra line. A missing resource gives no lines.
TextList LoadTextList(const QString& name);

}  // namespace timer555
