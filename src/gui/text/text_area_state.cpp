// The text area's model: the layout of a TextAreaState paragraph by paragraph (each laid out
// again only when it changed), its visual lines, and caret moves by those lines.
#include "gui/text_area_state.h"

#include "text/text_cache.h"

#include <algorithm>
#include <chrono>
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

int TextAreaState::paragraphOfLine(int line) const {
    const auto after = std::upper_bound(firstLineOf_.begin(), firstLineOf_.end(), line);
    return std::max(static_cast<int>(after - firstLineOf_.begin()) - 1, 0);
}

int TextAreaState::estimate(const Paragraph& p) const {
    if (!wrap_ || width_ <= 0.0f || p.length == 0)
        return 1;
    return std::max(
        1, static_cast<int>(std::ceil(static_cast<float>(p.length) * charWidth_ / width_)));
}

void TextAreaState::textChanged(unsigned begin, unsigned removed, unsigned inserted) {
    // The paragraphs the change touched are split anew from the text; those after it move.
    const GapText& text = stored();
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
        p.length =
            (feed == std::wstring::npos || feed >= end ? end : static_cast<unsigned>(feed)) - at;
        p.count = estimate(p);
        fresh.push_back(std::move(p));
        if (feed == std::wstring::npos || feed >= end)
            break;
        at = static_cast<unsigned>(feed) + 1;
    }
    const size_t begin0 = static_cast<size_t>(p0), end1 = static_cast<size_t>(p1 + 1);
    const size_t touched = end1 - begin0, f = fresh.size();
    for (size_t i = begin0; i < end1; ++i)
        unmeasured_ -= paragraphs_[i].laid ? 0 : 1;
    unmeasured_ += f;
    if (f == touched) { // the usual edit: within its paragraphs, in place
        std::move(fresh.begin(), fresh.end(), paragraphs_.begin() + p0);
    } else {
        const bool counted = firstLineOf_.size() == paragraphs_.size() && touched > 0;
        paragraphs_.erase(paragraphs_.begin() + p0, paragraphs_.begin() + (p1 + 1));
        paragraphs_.insert(paragraphs_.begin() + p0, std::make_move_iterator(fresh.begin()),
                           std::make_move_iterator(fresh.end()));
        // The paragraphs after the change keep the first lines they had until the next
        // layout counts them again: the view's top is found among them by those.
        if (counted) {
            const int at = firstLineOf_[begin0];
            firstLineOf_.erase(firstLineOf_.begin() + p0, firstLineOf_.begin() + (p1 + 1));
            firstLineOf_.insert(firstLineOf_.begin() + p0, f, at);
        } else {
            firstLineOf_.clear();
        }
    }
    for (size_t i = begin0 + f; i < paragraphs_.size(); ++i)
        paragraphs_[i].start = paragraphs_[i].start + inserted - removed;
    editedTo_ = std::max(editedTo_ >= end1 ? editedTo_ + f - touched : editedTo_, begin0 + f);
    recountFrom_ = std::min(recountFrom_, begin0);
    refineAt_ = std::min(refineAt_, begin0);
}

const TextAreaState::Laid& TextAreaState::laidOf(const Paragraph& p) {
    static const Laid none;
    return p.laid ? *p.laid : none;
}

void TextAreaState::wrapParagraph(Paragraph& p) const {
    std::vector<unsigned>& breaks = p.laid->breaks;
    const std::vector<int>& extents = p.laid->extents;
    breaks.clear();
    if (!wrap_ || width_ <= 0.0f)
        return;
    const std::wstring_view text = stored().view(p.start, p.length);
    const auto ext = [&](unsigned i) { return i ? extents[i - 1] : 0; };
    // Greedy: as many characters as fit, broken after the last space among them; spaces at a
    // break hang at the line's end; a word wider than the line is broken where it overflows.
    for (unsigned s = 0;;) {
        const int base = ext(s);
        unsigned e = s;
        while (e < p.length && static_cast<float>(extents[e] - base) <= width_)
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
        breaks.push_back(brk);
        s = brk;
    }
}

void TextAreaState::rewrap(wxDC& dc) const {
    if (charWidth_ <= 0.0f) {
        static const std::wstring sample = L"The quick brown fox jumps over the lazy dog";
        const std::vector<int>& widths = textcache::partialExtents(dc, font(), sample);
        charWidth_ = static_cast<float>(widths.back()) / static_cast<float>(sample.size());
    }
    for (Paragraph& p : paragraphs_) {
        if (p.laid) {
            wrapParagraph(p);
            p.laid->lines.clear(); // laid out again where they are needed
            p.count = 1 + static_cast<int>(p.laid->breaks.size());
        } else {
            p.count = estimate(p);
        }
    }
    rewrap_ = false;
    recountFrom_ = 0;
}

bool TextAreaState::measure(wxDC& dc, size_t i) const {
    Paragraph& p = paragraphs_[i];
    if (p.laid && (p.laid->lines.size() == static_cast<size_t>(p.count) || !p.laid->shaped))
        return false;
    if (!p.laid) {
        p.laid = std::make_unique<Laid>();
        const std::wstring_view text = stored().view(p.start, p.length);
        if (p.length > 0 && textcache::needsShaping(text)) {
            p.laid->shaped = std::make_shared<const textcache::Shaped>(dc, font(), text, 0);
            p.laid->extents = p.laid->shaped->logicalExtents();
        } else if (p.length > 0) {
            p.laid->extents = textcache::partialExtents(dc, font(), text);
        }
        --unmeasured_;
    }
    const int before = p.count;
    wrapParagraph(p);
    shapeLines(dc, p);
    p.count = 1 + static_cast<int>(p.laid->breaks.size());
    if (p.count == before)
        return false;
    recountFrom_ = std::min(recountFrom_, i);
    return true;
}

void TextAreaState::recount() {
    const size_t n = paragraphs_.size();
    const bool counted = firstLineOf_.size() == n && n > 0;
    if (counted && recountFrom_ >= n) {
        editedTo_ = 0;
        return;
    }
    // The paragraph at the view's top, and the line of it there, as counted so far.
    const size_t top = counted ? static_cast<size_t>(paragraphOfLine(firstLine)) : n;
    const int within = top < n ? firstLine - firstLineOf_[top] : 0;
    const size_t from = counted ? recountFrom_ : 0;
    firstLineOf_.resize(n);
    int line = from ? firstLineOf_[from - 1] + paragraphs_[from - 1].count : 0;
    for (size_t i = from; i < n; ++i) {
        firstLineOf_[i] = line;
        line += paragraphs_[i].count;
    }
    // Paragraphs above the view measured or edited: the view keeps its text. One that an edit
    // made afresh keeps the line the view started at.
    if (top < n && top >= from && top >= editedTo_)
        firstLine = firstLineOf_[top] + std::min(within, paragraphs_[top].count - 1);
    recountFrom_ = n;
    editedTo_ = 0;
}

bool TextAreaState::measureLines(wxDC& dc, int from, int to) const {
    if (paragraphs_.empty())
        return false;
    const size_t a = static_cast<size_t>(paragraphOfLine(std::max(from, 0)));
    const size_t b = static_cast<size_t>(paragraphOfLine(std::max(to - 1, from)));
    bool changed = false;
    for (size_t i = a; i <= b && i < paragraphs_.size(); ++i)
        changed = measure(dc, i) || changed;
    return changed;
}

void TextAreaState::layout(wxDC& dc, float width) {
    if (width != width_) {
        width_ = width;
        rewrap_ = true;
    }
    if (rewrap_)
        rewrap(dc);
    for (size_t i = 0; i < paragraphs_.size(); ++i)
        measure(dc, i);
    recount();
}

void TextAreaState::layoutView(wxDC& dc, float width, int visible) {
    if (len() <= WHOLE_TEXT) {
        layout(dc, width);
        return;
    }
    if (width != width_) {
        width_ = width;
        rewrap_ = true;
    }
    if (rewrap_)
        rewrap(dc);
    if (!paragraphs_.empty())
        measure(dc, static_cast<size_t>(paragraphOf(caret())));
    recount();
    // Measuring may move lines into the view that were not there before: again until none.
    visible = std::max(visible, 1);
    for (int round = 0; round < 16; ++round) {
        const bool changed = measureLines(dc, firstLine - visible, firstLine + 2 * visible);
        recount();
        if (!changed)
            break;
    }
}

bool TextAreaState::refine(wxDC& dc, double milliseconds) {
    if (unmeasured_ == 0)
        return false;
    const auto start = std::chrono::steady_clock::now();
    const std::chrono::duration<double, std::milli> budget(milliseconds);
    for (size_t seen = 0; seen < paragraphs_.size() && unmeasured_ > 0; ++seen, ++refineAt_) {
        if (refineAt_ >= paragraphs_.size())
            refineAt_ = 0;
        if (paragraphs_[refineAt_].laid)
            continue;
        measure(dc, refineAt_);
        if (std::chrono::steady_clock::now() - start >= budget)
            break;
    }
    recount();
    return unmeasured_ > 0;
}

void TextAreaState::shapeLines(wxDC& dc, Paragraph& p) const {
    Laid& l = *p.laid;
    l.lines.clear();
    if (!l.shaped)
        return;
    if (l.breaks.empty()) {
        l.lines.push_back(l.shaped);
        return;
    }
    // Each line is laid out on its own in its paragraph's direction, as it is drawn.
    const int direction = l.shaped->rightToLeft() ? -1 : 1;
    for (size_t k = 0; k <= l.breaks.size(); ++k) {
        const unsigned b = k ? l.breaks[k - 1] : 0;
        const unsigned e = k < l.breaks.size() ? l.breaks[k] : p.length;
        l.lines.push_back(std::make_shared<const textcache::Shaped>(
            dc, font(), stored().view(p.start + b, e - b), direction));
    }
}

const textcache::Shaped* TextAreaState::shapedLine(int line, unsigned* begin) const {
    if (firstLineOf_.size() != paragraphs_.size() || paragraphs_.empty())
        return nullptr;
    line = std::min(std::max(line, 0), lineCount() - 1);
    const unsigned b = lineRange(line).first;
    const size_t i = static_cast<size_t>(paragraphOfLine(line));
    const Paragraph& p = paragraphs_[i];
    const size_t k = static_cast<size_t>(line - firstLineOf_[i]);
    const Laid& l = laidOf(p);
    if (!l.shaped || k >= l.lines.size())
        return nullptr;
    if (begin)
        *begin = b;
    return l.lines[k].get();
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
    stored().copyTo(out, b, e - b);
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
    const textcache::Shaped* shaped = laidOf(p).shaped.get();
    const bool forward = (direction > 0) != (shaped && shaped->rightToLeft());
    if (byWord) {
        forward ? nextWord(keepSelection) : prevWord(keepSelection);
        return;
    }
    if (shaped && caret() >= p.start && caret() <= p.start + p.length) {
        const size_t at = caret() - p.start, to = shaped->moveVisually(at, direction);
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
    return firstLineOf_.back() + paragraphs_.back().count;
}

int TextAreaState::lineOf(unsigned index) const {
    if (firstLineOf_.size() != paragraphs_.size() || paragraphs_.empty())
        return 0;
    const int p = paragraphOf(index);
    const Paragraph& para = paragraphs_[static_cast<size_t>(p)];
    const std::vector<unsigned>& breaks = laidOf(para).breaks;
    const auto k =
        std::upper_bound(breaks.begin(), breaks.end(), index - para.start) - breaks.begin();
    return firstLineOf_[static_cast<size_t>(p)] + std::min(static_cast<int>(k), para.count - 1);
}

std::pair<unsigned, unsigned> TextAreaState::lineRange(int line) const {
    if (firstLineOf_.size() != paragraphs_.size() || paragraphs_.empty())
        return {0, 0};
    line = std::min(std::max(line, 0), lineCount() - 1);
    const size_t p = static_cast<size_t>(paragraphOfLine(line));
    const Paragraph& para = paragraphs_[p];
    const size_t k = static_cast<size_t>(line - firstLineOf_[p]);
    // The lines an estimate counts beyond a paragraph's measured ones are empty, at its end.
    const std::vector<unsigned>& breaks = laidOf(para).breaks;
    if (k > breaks.size())
        return {para.start + para.length, para.start + para.length};
    const unsigned b = k ? breaks[k - 1] : 0;
    const unsigned e = k < breaks.size() ? breaks[k] : para.length;
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
    const std::vector<int>& extents = laidOf(para).extents;
    if (extents.size() < para.length || index < b || index > para.start + para.length)
        return 0.0f;
    const auto ext = [&](unsigned i) { return i ? extents[i - 1] : 0; };
    return static_cast<float>(ext(index - para.start) - ext(b - para.start));
}

unsigned TextAreaState::indexAt(int line, float x) const {
    const auto [b, e] = lineRange(line);
    const Paragraph& para = paragraphs_[static_cast<size_t>(paragraphOf(b))];
    const std::vector<int>& extents = laidOf(para).extents;
    if (extents.size() < para.length)
        return b;
    // A soft break's position starts the next line: this line ends before its last character.
    const bool soft = e < para.start + para.length;
    const unsigned last = soft && e > b ? e - 1 : e;
    if (const textcache::Shaped* s = shapedLine(line))
        return std::min(
            b + static_cast<unsigned>(s->indexAt(static_cast<int>(std::floor(x - lineLeft(line))))),
            last);
    const auto ext = [&](unsigned i) { // i absolute
        return i > para.start ? extents[i - para.start - 1] : 0;
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
