// Control identities: the process-wide table of interned names and their keys, and the address
// form that makes a unique name for a control with no natural caption (the close button).
#include "orbotk/control_id.h"

#include "internal.h"

#include <cwchar>
#include <memory>
#include <vector>

namespace orbotk {

namespace {

// Open addressing over the names' digests; entries are never removed, so pointers to them stay
// valid for the life of the process.
class NameTable {
public:
    const ControlID::Interned* find(const wchar_t* s, size_t n) {
        const std::uint64_t key = namedKey(s, n);
        if ((count_ + 1) * 2 > slots_.size())
            grow();
        size_t i = key & (slots_.size() - 1);
        for (;; i = (i + 1) & (slots_.size() - 1)) {
            const ControlID::Interned* e = slots_[i];
            if (e == nullptr)
                break;
            if (e->key == key && e->name.size() == n && e->name.compare(0, n, s, n) == 0)
                return e;
        }
        owned_.emplace_back(new ControlID::Interned{std::wstring(s, n), key});
        slots_[i] = owned_.back().get();
        ++count_;
        return slots_[i];
    }

    static NameTable& instance() {
        static NameTable table;
        return table;
    }

private:
    void grow() {
        std::vector<const ControlID::Interned*> old(slots_.empty() ? 64 : slots_.size() * 2);
        old.swap(slots_);
        for (const ControlID::Interned* e : old)
            if (e != nullptr) {
                size_t i = e->key & (slots_.size() - 1);
                while (slots_[i] != nullptr)
                    i = (i + 1) & (slots_.size() - 1);
                slots_[i] = e;
            }
    }

    std::vector<const ControlID::Interned*> slots_;
    std::vector<std::unique_ptr<ControlID::Interned>> owned_;
    size_t count_ = 0;
};

const ControlID::Interned* anonymousName() {
    static const ControlID::Interned empty{std::wstring(), 0};
    return &empty;
}

} // namespace

ControlID::ControlID() : name_(anonymousName()) {}

ControlID::ControlID(const wchar_t* name, size_t length, TabIdx tab)
    : name_(length == 0 ? anonymousName() : NameTable::instance().find(name, length)), tab_(tab) {}

ControlID::ControlID(const wchar_t* name, TabIdx tab)
    : ControlID(name ? name : L"", name ? std::wcslen(name) : 0, tab) {}

ControlID::ControlID(const std::wstring& name, TabIdx tab)
    : ControlID(name.data(), name.size(), tab) {}

namespace {
// The address as "%p" prints it ("0x" and lower-case hexadecimal, or "(nil)"), without the
// formatting machinery: the close button makes one in every pass.
size_t formatAddress(const void* address, wchar_t (&buf)[32]) {
    std::uintptr_t v = reinterpret_cast<std::uintptr_t>(address);
    if (v == 0) {
        std::wcscpy(buf, L"(nil)");
        return 5;
    }
    wchar_t digits[2 * sizeof v];
    size_t n = 0;
    for (; v != 0; v >>= 4)
        digits[n++] = L"0123456789abcdef"[v & 15u];
    size_t len = 0;
    buf[len++] = L'0';
    buf[len++] = L'x';
    while (n > 0)
        buf[len++] = digits[--n];
    buf[len] = L'\0';
    return len;
}
} // namespace

ControlID::ControlID(const void* address, TabIdx tab) : name_(nullptr), tab_(tab) {
    wchar_t buf[32];
    const size_t n = formatAddress(address, buf);
    name_ = NameTable::instance().find(buf, n);
}

} // namespace orbotk
