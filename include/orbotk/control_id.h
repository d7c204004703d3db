// Control identities. A control is known across passes by its name alone; the anonymous
// identity (empty name) is for layout and decoration boxes, which the toolkit tells apart by
// their place in the box tree instead.
#pragma once

#include <string>

namespace orbotk {

// Tab order: DISABLED never takes keyboard focus; AUTO follows the order of the pass.
enum class TabIdx : int { DISABLED = -1, AUTO = 0 };

class ControlID {
public:
    // Anonymous: empty name, never focused.
    ControlID() = default;
    // Named controls take part in Tab order unless told otherwise. A null name is anonymous.
    explicit ControlID(const wchar_t* name, TabIdx tab = TabIdx::AUTO);
    explicit ControlID(const std::wstring& name, TabIdx tab = TabIdx::AUTO);
    // An identity unique to an object of the process: its address formatted with "%p".
    explicit ControlID(const void* address, TabIdx tab = TabIdx::AUTO);

    const std::wstring& name() const { return name_; }
    TabIdx tabIdx() const { return tab_; }
    bool anonymous() const { return name_.empty(); }

    // Identity is the name: the tab index is a property of the control, not part of who it is.
    bool operator==(const ControlID& o) const { return name_ == o.name_; }
    bool operator!=(const ControlID& o) const { return name_ != o.name_; }

private:
    std::wstring name_;
    TabIdx tab_ = TabIdx::DISABLED;
};

} // namespace orbotk
