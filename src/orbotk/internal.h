// Helpers shared by the toolkit's own sources; not installed.
#pragma once

#include <string>

namespace orbotk {

// The key under which a named control is remembered between passes.
std::wstring namedKey(const std::wstring& name);

} // namespace orbotk
