// The text area's model: the layout of a TextAreaState paragraph by paragraph (each laid out
// again only when it changed), its visual lines, and caret moves by those lines.
#include "gui/text_area_state.h"

#include "text/text_cache.h"

#include <algorithm>
#include <cmath>

namespace gui {

TextAreaState::TextAreaState(const wxFont& font, const wchar_t* text) : TextState(font, text) {
    textChanged(0, 0, len());
}

TextAreaState::~TextAreaState() = default;

void TextAreaState::setWrap(bool wrap) {
    if (wrap != wrap_)
        rewrap_ = true;
    wrap_ = wrap;
}

int TextAreaState::paragraphOf(unsigned index) const {
    const auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), index,
                                        [](unsigned i, const Paragraph& p) { return i < p.start; });
    return std::max(static_cast<int>(after - paragraphs_.begin()) - 1, 0);
}

void TextAreaState::textChanged(unsigned begin, unsigned removed, unsigned inserted) {
    // The paragraphs the change touched are split anew from the text; those after it move.
    const std::wstring& text = stored();
    int p0 = 0, p1 = -1;
    unsigned from = 0, end = static_cast<unsigned>(text.size());
    if (!paragraphs_.empty()) {
        p0 = paragraphOf(begin);
        p1 = paragraphOf(begin + removed);
        from = paragraphs_[static_cast<size_t>(p0)].start;
        const Paragraph& last = paragraphs_[static_cast<size_t>(p1)];
        end = last.start + last.length + inserted - removed;
    }
    std::vector<Paragraph> fresh;
    for (unsigned at = from;;) {
        const size_t feed = text.find(L'\n', at);
        Paragraph p;
        p.start = at;
        if (feed == std::wstring::npos || feed >= end) {
            p.length = end - at;
            fresh.push_back(std::move(p));
            break;
        }
        p.length = static_cast<unsigned>(feed) - at;
        fresh.push_back(std::move(p));
        at = static_cast<unsigned>(feed) + 1;
    }
    const size_t touched = static_cast<size_t>(p1 + 1 - p0);
    if (fresh.size() == touched) { // the usual edit: within its paragraphs, in place
        std::move(fresh.begin(), fresh.end(), paragraphs_.begin() + p0);
    } else {
        paragraphs_.erase(paragraphs_.begin() + p0, paragraphs_.begin() + (p1 + 1));
        paragraphs_.insert(paragraphs_.begin() + p0, std::make_move_iterator(fresh.begin()),
                           std::make_move_iterator(fresh.end()));
        firstLineOf_.clear(); // paragraphs came or went: counted again at the next layout
    }
    const size_t after = static_cast<size_t>(p0) + fresh.size();
    for (size_t i = after; i < paragraphs_.size(); ++i)
        paragraphs_[i].start = paragraphs_[i].start + inserted - removed;
    // What the next layout measures: these paragraphs, and those an earlier edit left, moved
    // with the paragraphs around them.
    const size_t f = fresh.size(), begin0 = static_cast<size_t>(p0);
    const size_t end1 = static_cast<size_t>(p1 + 1);
    const auto moved = [&](size_t i, size_t inside) {
        return i >= end1 ? i + f - touched : inside;
    };
    if (dirtyFrom_ < dirtyTo_) {
        dirtyFrom_ = std::min(moved(dirtyFrom_, std::min(dirtyFrom_, begin0)), begin0);
        dirtyTo_ = std::max(moved(dirtyTo_, std::min(dirtyTo_, begin0 + f)), begin0 + f);
    } else {
        dirtyFrom_ = begin0;
        dirtyTo_ = begin0 + f;
    }
}

void TextAreaState::wrapParagraph(Paragraph& p) const {
    p.breaks.clear();
    if (!wrap_ || width_ <= 0.0f)
        return;
    const wchar_t* text = stored().data() + p.start;
    const auto ext = [&](unsigned i) { return i ? p.extents[i - 1] : 0; };
    // Greedy: as many characters as fit, broken after the last space among them; spaces at a
    // break hang at the line's end; a word wider than the line is broken where it overflows.
    for (unsigned s = 0;;) {
        const int base = ext(s);
        unsigned e = s;
        while (e < p.length && static_cast<float>(p.extents[e] - base) <= width_)
            ++e;
        if (e >= p.length)
            return;
        unsigned brk;
        if (text[e] == L' ') {
            brk = e;
            while (brk < p.length && text[brk] == L' ')
                ++brk;
        } else {
            brk = e;
            while (brk > s && text[brk - 1] != L' ')
                --brk;
            if (brk == s)
                brk = std::max(e, s + 1);
        }
        if (brk >= p.length)
            return;
        p.breaks.push_back(brk);
        s = brk;
    }
}

void TextAreaState::layout(wxDC& dc, float width) const {
    if (width != width_) {
        width_ = width;
        rewrap_ = true;
    }
    bool recount = firstLineOf_.size() != paragraphs_.size();
    const size_t from = rewrap_ ? 0 : std::min(dirtyFrom_, paragraphs_.size());
    const size_t to = rewrap_ ? paragraphs_.size() : std::min(dirtyTo_, paragraphs_.size());
    for (size_t i = from; i < to; ++i) {
        Paragraph& p = paragraphs_[i];
        const size_t lines = p.breaks.size();
        if (!p.measured) {
            const std::wstring_view text(stored().data() + p.start, p.length);
            p.shaped.reset();
            if (p.length == 0) {
                p.extents.clear();
            } else if (textcache::needsShaping(text)) {
                p.shaped = std::make_shared<const textcache::Shaped>(dc, font(), text, 0);
                p.extents = p.shaped->logicalExtents();
            } else {
                p.extents = textcache::partialExtents(dc, font(), text);
            }
            p.measured = true;
            recount = true;
        }
        wrapParagraph(p);
        shapeLines(dc, p);
        recount = recount || p.breaks.size() != lines;
    }
    rewrap_ = false;
    dirtyFrom_ = dirtyTo_ = 0;
    if (!recount)
        return;
    firstLineOf_.resize(paragraphs_.size());
    int line = 0;
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        firstLineOf_[i] = line;
        line += 1 + static_cast<int>(paragraphs_[i].breaks.size());
    }
}

void TextAreaState::shapeLines(wxDC& dc, Paragraph& p) const {
    p.lines.clear();
    if (!p.shaped)
        return;
    if (p.breaks.empty()) {
        p.lines.push_back(p.shaped);
        return;
    }
    // Each line is laid out on its own in its paragraph's direction, as it is drawn.
    const int direction = p.shaped->rightToLeft() ? -1 : 1;
    for (size_t k = 0; k <= p.breaks.size(); ++k) {
        const unsigned b = k ? p.breaks[k - 1] : 0;
        const unsigned e = k < p.breaks.size() ? p.breaks[k] : p.length;
        p.lines.push_back(std::make_shared<const textcache::Shaped>(
            dc, font(), std::wstring_view(stored().data() + p.start + b, e - b), direction));
    }
}

const textcache::Shaped* TextAreaState::shapedLine(int line, unsigned* begin) const {
    if (firstLineOf_.size() != paragraphs_.size() || paragraphs_.empty())
        return nullptr;
    line = std::min(std::max(line, 0), lineCount() - 1);
    const unsigned b = lineRange(line).first;
    const size_t i = static_cast<size_t>(paragraphOf(b));
    const Paragraph& p = paragraphs_[i];
    const size_t k = static_cast<size_t>(line - firstLineOf_[i]);
    if (!p.shaped || k >= p.lines.size())
        return nullptr;
    if (begin)
        *begin = b;
    return p.lines[k].get();
}

int TextAreaState::lineDirection(int line) const {
    const textcache::Shaped* s = shapedLine(line);
    return s == nullptr ? 0 : s->rightToLeft() ? -1 : 1;
}

float TextAreaState::lineLeft(int line) const {
    const textcache::Shaped* s = shapedLine(line);
    if (s == nullptr || !s->rightToLeft())
        return 0.0f;
    return std::max(0.0f, width_ - static_cast<float>(s->width()));
}

void TextAreaState::shownLine(int line, std::wstring& out) const {
    const auto [b, e] = lineRange(line);
    out.assign(stored(), b, e - b);
    if (const textcache::Shaped* s = shapedLine(line))
        out.insert(out.begin(), s->rightToLeft() ? L'\x200F' : L'\x200E');
}

void TextAreaState::pieces(int line, unsigned begin, unsigned end,
                           std::vector<std::pair<float, float>>& out) const {
    out.clear();
    unsigned b = 0;
    const textcache::Shaped* s = shapedLine(line, &b);
    if (s == nullptr) {
        if (begin < end)
            out.emplace_back(xOf(begin, line), xOf(end, line));
        return;
    }
    static std::vector<std::pair<int, int>> ranges;
    s->pieces(begin - std::min(begin, b), end - std::min(end, b), ranges);
    const float left = lineLeft(line);
    for (const auto& [x0, x1] : ranges)
        out.emplace_back(left + static_cast<float>(x0), left + static_cast<float>(x1));
}

// The paragraphs were laid out by the last layout(): nothing to measure.
void TextAreaState::moveVisually(wxDC&, int direction, bool byWord, bool keepSelection) {
    if (paragraphs_.empty())
        return;
    const Paragraph& p = paragraphs_[static_cast<size_t>(paragraphOf(caret()))];
    const bool forward = (direction > 0) != (p.shaped && p.shaped->rightToLeft());
    if (byWord) {
        forward ? nextWord(keepSelection) : prevWord(keepSelection);
        return;
    }
    if (p.shaped && caret() >= p.start && caret() <= p.start + p.length) {
        const size_t at = caret() - p.start, to = p.shaped->moveVisually(at, direction);
        if (to != at) {
            const unsigned c = p.start + static_cast<unsigned>(to);
            setSelection(keepSelection ? anchor() : c, c);
            return;
        }
    }
    // Past the paragraph's visual end: on over its line feed, or back over the last one.
    forward ? next(keepSelection) : prev(keepSelection);
}

int TextAreaState::lineCount() const {
    if (paragraphs_.empty() || firstLineOf_.size() != paragraphs_.size())
        return 1;
    return firstLineOf_.back() + 1 + static_cast<int>(paragraphs_.back().breaks.size());
}

int TextAreaState::lineOf(unsigned index) const {
    if (firstLineOf_.size() != paragraphs_.size() || paragraphs_.empty())
        return 0;
    const int p = paragraphOf(index);
    const Paragraph& para = paragraphs_[static_cast<size_t>(p)];
    const auto k = std::upper_bound(para.breaks.begin(), para.breaks.end(), index - para.start) -
                   para.breaks.begin();
    return firstLineOf_[static_cast<size_t>(p)] + static_cast<int>(k);
}

std::pair<unsigned, unsigned> TextAreaState::lineRange(int line) const {
    if (firstLineOf_.size() != paragraphs_.size() || paragraphs_.empty())
        return {0, 0};
    line = std::min(std::max(line, 0), lineCount() - 1);
    const size_t p =
        static_cast<size_t>(std::upper_bound(firstLineOf_.begin(), firstLineOf_.end(), line) -
                            firstLineOf_.begin() - 1);
    const Paragraph& para = paragraphs_[p];
    const size_t k = static_cast<size_t>(line - firstLineOf_[p]);
    const unsigned b = k ? para.breaks[k - 1] : 0;
    const unsigned e = k < para.breaks.size() ? para.breaks[k] : para.length;
    return {para.start + b, para.start + e};
}

float TextAreaState::xOf(unsigned index) const {
    return xOf(index, lineOf(index));
}

float TextAreaState::xOf(unsigned index, int line) const {
    unsigned lb = 0;
    if (const textcache::Shaped* s = shapedLine(line, &lb)) {
        if (index < lb || index > lb + s->length())
            return 0.0f;
        return lineLeft(line) + static_cast<float>(s->caretX(index - lb));
    }
    const unsigned b = lineRange(line).first;
    const Paragraph& para = paragraphs_[static_cast<size_t>(paragraphOf(b))];
    if (para.extents.size() < para.length || index < b || index > para.start + para.length)
        return 0.0f;
    const auto ext = [&](unsigned i) { return i ? para.extents[i - 1] : 0; };
    return static_cast<float>(ext(index - para.start) - ext(b - para.start));
}

unsigned TextAreaState::indexAt(int line, float x) const {
    const auto [b, e] = lineRange(line);
    const Paragraph& para = paragraphs_[static_cast<size_t>(paragraphOf(b))];
    if (para.extents.size() < para.length)
        return b;
    // A soft break's position starts the next line: this line ends before its last character.
    const bool soft = e < para.start + para.length;
    const unsigned last = soft && e > b ? e - 1 : e;
    if (const textcache::Shaped* s = shapedLine(line))
        return std::min(
            b + static_cast<unsigned>(s->indexAt(static_cast<int>(std::floor(x - lineLeft(line))))),
            last);
    const auto ext = [&](unsigned i) { // i absolute
        return i > para.start ? para.extents[i - para.start - 1] : 0;
    };
    const int base = ext(b);
    unsigned best = b;
    for (unsigned i = b; i <= last; ++i) {
        if (std::fabs(static_cast<float>(ext(i) - base) - x) <
            std::fabs(static_cast<float>(ext(best) - base) - x))
            best = i;
    }
    return best;
}

void TextAreaState::moveToLine(int line, bool keepSelection) {
    if (wantedX_ < 0.0f)
        wantedX_ = xOf(caret());
    const unsigned to = indexAt(line, wantedX_);
    setSelection(keepSelection ? anchor() : to, to);
}

void TextAreaState::lineUp(int lines, bool keepSelection) {
    const int line = lineOf(caret());
    if (line == 0) { // the first line: on to the start, as editors do
        setSelection(keepSelection ? anchor() : 0, 0);
        return;
    }
    moveToLine(std::max(line - lines, 0), keepSelection);
}

void TextAreaState::lineDown(int lines, bool keepSelection) {
    const int line = lineOf(caret()), last = lineCount() - 1;
    if (line == last) {
        setSelection(keepSelection ? anchor() : len(), len());
        return;
    }
    moveToLine(std::min(line + lines, last), keepSelection);
}

void TextAreaState::lineHome(bool keepSelection) {
    forgetX();
    const unsigned b = lineRange(lineOf(caret())).first;
    setSelection(keepSelection ? anchor() : b, b);
}

void TextAreaState::lineEnd(bool keepSelection) {
    forgetX();
    const auto [b, e] = lineRange(lineOf(caret()));
    // Before the spaces a soft break leaves hanging, so that the caret stays on this line.
    unsigned to = e;
    const Paragraph& para = paragraphs_[static_cast<size_t>(paragraphOf(b))];
    if (e < para.start + para.length && e > b && stored()[e - 1] == L' ')
        to = e - 1;
    setSelection(keepSelection ? anchor() : to, to);
}

} // namespace gui
