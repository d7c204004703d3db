// Control identities; the address form is what makes a process-wide unique name for a control
// that has no natural caption (the close button, for one).
#include "orbotk/control_id.h"

#include <cwchar>

namespace orbotk {

ControlID::ControlID(const wchar_t* name, TabIdx tab) : name_(name ? name : L""), tab_(tab) {}

ControlID::ControlID(const std::wstring& name, TabIdx tab) : name_(name), tab_(tab) {}

ControlID::ControlID(const void* address, TabIdx tab) : tab_(tab) {
    wchar_t buf[32];
    std::swprintf(buf, sizeof buf / sizeof buf[0], L"%p", address);
    name_ = buf;
}

} // namespace orbotk
