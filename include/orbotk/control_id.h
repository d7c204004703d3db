// Control identities. A control is known across passes by its name alone; the anonymous
// identity (empty name) is for layout and decoration boxes, which the toolkit tells apart by
// their place in the box tree instead.
//
// Names are interned: every distinct name is stored once for the life of the process, and an
// identity holds a pointer to it, so making, copying and comparing identities in a pass costs
// no memory once a name has been seen. Use the UI thread only.
#pragma once

#include <cstdint>
#include <string>

namespace orbotk {

// Tab order: DISABLED never takes keyboard focus; AUTO follows the order of the pass.
enum class TabIdx : int { DISABLED = -1, AUTO = 0 };

class ControlID {
public:
    // Anonymous: empty name, never focused.
    ControlID();
    // Named controls take part in Tab order unless told otherwise. A null name is anonymous.
    explicit ControlID(const wchar_t* name, TabIdx tab = TabIdx::AUTO);
    explicit ControlID(const std::wstring& name, TabIdx tab = TabIdx::AUTO);
    // An identity unique to an object of the process: its address formatted as "%p" does.
    explicit ControlID(const void* address, TabIdx tab = TabIdx::AUTO);

    const std::wstring& name() const { return name_->name; }
    TabIdx tabIdx() const { return tab_; }
    bool anonymous() const { return name_->name.empty(); }
    // A 64-bit digest of the name, the key under which the toolkit remembers the control.
    std::uint64_t key() const { return name_->key; }

    // Identity is the name: the tab index is a property of the control, not part of who it is.
    bool operator==(const ControlID& o) const { return name_ == o.name_; }
    bool operator!=(const ControlID& o) const { return name_ != o.name_; }

    struct Interned {
        std::wstring name;
        std::uint64_t key;
    };

private:
    ControlID(const wchar_t* name, size_t length, TabIdx tab);

    const Interned* name_;
    TabIdx tab_ = TabIdx::DISABLED;
};

} // namespace orbotk
