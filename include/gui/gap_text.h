// The characters an editing model holds: one buffer with a gap where the last edit was, so that
// typing and deleting anywhere in a long text moves only what lies between one edit and the
// next, not everything after it. Reads look through the gap; view() hands out a piece as one
// run of characters, moving the gap out of it first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gui {

class GapText {
public:
    static constexpr size_t npos = std::wstring::npos;

    GapText() = default;
    explicit GapText(std::wstring text) : buf_(std::move(text)), at_(buf_.size()) {}
    GapText& operator=(std::wstring text);

    size_t size() const { return buf_.size() - gap_; }
    bool empty() const { return size() == 0; }
    wchar_t operator[](size_t i) const { return buf_[i < at_ ? i : i + gap_]; }

    // Replaces the n characters at pos (as many as there are) with the given ones.
    void replace(size_t pos, size_t n, std::wstring_view with);
    std::wstring substr(size_t pos, size_t n = npos) const;
    // The characters [pos, pos + n) into out, whose capacity is reused.
    void copyTo(std::wstring& out, size_t pos = 0, size_t n = npos) const;
    std::wstring str() const { return substr(0); }
    // As std::wstring's: the first c at or after pos, the last at or before pos.
    size_t find(wchar_t c, size_t pos = 0) const;
    size_t rfind(wchar_t c, size_t pos = npos) const;
    // Characters [pos, pos + n) as one run. It stays valid until the text changes or another
    // view is taken.
    std::wstring_view view(size_t pos, size_t n) const;

private:
    void moveGap(size_t to) const;

    // The text before the gap, the gap, the text after it.
    mutable std::wstring buf_;
    mutable size_t at_ = 0; // where the gap starts
    size_t gap_ = 0;
};

} // namespace gui
