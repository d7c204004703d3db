// Helpers shared by the toolkit's own sources; not installed.
#pragma once

#include "orbotk/box.h"

#include <string>

namespace orbotk {

// The key under which a named control is remembered between passes.
BoxKey namedKey(const wchar_t* name, size_t length);
inline BoxKey namedKey(const std::wstring& name) {
    return namedKey(name.data(), name.size());
}

} // namespace orbotk
