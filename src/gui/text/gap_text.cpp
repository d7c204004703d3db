// The gap buffer behind the editing models: edits move the gap to where they happen, reads look
// through it.
#include "gui/gap_text.h"

#include <algorithm>
#include <cwchar>

namespace gui {

GapText& GapText::operator=(std::wstring text) {
    buf_ = std::move(text);
    at_ = buf_.size();
    gap_ = 0;
    return *this;
}

void GapText::moveGap(size_t to) const {
    wchar_t* b = buf_.data();
    if (gap_ > 0 && to < at_)
        std::wmemmove(b + to + gap_, b + to, at_ - to);
    else if (gap_ > 0 && to > at_)
        std::wmemmove(b + at_, b + at_ + gap_, to - at_);
    at_ = to;
}

void GapText::replace(size_t pos, size_t n, std::wstring_view with) {
    pos = std::min(pos, size());
    n = std::min(n, size() - pos);
    moveGap(pos);
    gap_ += n; // what is removed becomes gap
    if (with.size() > gap_) {
        // Room for this and a margin for what is typed after it, the text after the gap moved
        // to the buffer's new end.
        const size_t after = buf_.size() - at_ - gap_;
        const size_t room = with.size() + std::max<size_t>(64, size() / 16);
        buf_.resize(at_ + room + after);
        std::wmemmove(buf_.data() + at_ + room, buf_.data() + at_ + gap_, after);
        gap_ = room;
    }
    std::copy(with.begin(), with.end(), buf_.begin() + static_cast<std::ptrdiff_t>(at_));
    at_ += with.size();
    gap_ -= with.size();
    // A large deletion leaves a gap longer than the text: the memory goes back.
    if (gap_ > 4096 && gap_ > size()) {
        moveGap(size());
        buf_.resize(size());
        buf_.shrink_to_fit();
        gap_ = 0;
    }
}

void GapText::copyTo(std::wstring& out, size_t pos, size_t n) const {
    pos = std::min(pos, size());
    const size_t end = pos + std::min(n, size() - pos);
    out.clear();
    if (pos < at_)
        out.append(buf_, pos, std::min(end, at_) - pos);
    if (end > at_) {
        const size_t from = std::max(pos, at_);
        out.append(buf_, from + gap_, end - from);
    }
}

std::wstring GapText::substr(size_t pos, size_t n) const {
    std::wstring out;
    copyTo(out, pos, n);
    return out;
}

size_t GapText::find(wchar_t c, size_t pos) const {
    const wchar_t* b = buf_.data();
    if (pos < at_)
        if (const wchar_t* hit = std::wmemchr(b + pos, c, at_ - pos))
            return static_cast<size_t>(hit - b);
    const size_t from = std::max(pos, at_);
    if (from >= size())
        return npos;
    const wchar_t* hit = std::wmemchr(b + from + gap_, c, size() - from);
    return hit ? static_cast<size_t>(hit - b) - gap_ : npos;
}

size_t GapText::rfind(wchar_t c, size_t pos) const {
    if (empty())
        return npos;
    for (size_t i = std::min(pos, size() - 1) + 1; i-- > 0;)
        if ((*this)[i] == c)
            return i;
    return npos;
}

std::wstring_view GapText::view(size_t pos, size_t n) const {
    pos = std::min(pos, size());
    n = std::min(n, size() - pos);
    if (gap_ > 0 && pos < at_ && at_ < pos + n)
        moveGap(at_ - pos < pos + n - at_ ? pos : pos + n); // whichever moves less
    return std::wstring_view(buf_.data() + (pos < at_ || n == 0 ? pos : pos + gap_), n);
}

} // namespace gui
