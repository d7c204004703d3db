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

// The key a shortcut matches for a key that types keyCode, a character outside Latin-1 (the
// platform gave no key code), pressed on the keyboard's key hardwareKeycode: the Latin letter
// another layout of the keyboard has on that key (upper case, as wxWidgets gives letters), or
// keyCode when there is none or the key is unknown (0, as for synthetic events).
int latinKey(int keyCode, unsigned hardwareKeycode);

} // namespace orbotk
