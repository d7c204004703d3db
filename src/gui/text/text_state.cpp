// The editing models. Positions count UTF-16 code units of the stored text (one wchar_t each
// here); every operation keeps 0 <= caret, anchor <= length.
#include "gui/text_state.h"

#include "orboutil/strings.h"
#include "text/text_cache.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

namespace gui {

// ---- TextState

TextState::TextState(const wxFont& font, const wchar_t* text)
    : text_(std::wstring(text ? text : L"")), font_(font) {}

TextState::~TextState() = default;

char TextState::at(unsigned i) const {
    if (i >= text_.size())
        throw std::out_of_range("TextState::at: index beyond the text");
    return static_cast<char>(static_cast<unsigned>(text_[i]) & 0xFFu);
}

unsigned TextState::len() const {
    return static_cast<unsigned>(text_.size());
}

std::wstring TextState::text() const {
    return text_.str();
}

void TextState::textInto(std::wstring& out) const {
    text_.copyTo(out);
}

std::shared_ptr<const std::wstring> TextState::sharedText() const {
    if (!shared_ || sharedAt_ != changes_) {
        shared_ = std::make_shared<const std::wstring>(text());
        sharedAt_ = changes_;
    }
    return shared_;
}

std::wstring TextState::selection() const {
    return text_.substr(selectBegin(), selectSize());
}

void TextState::onFocus() {}

void TextState::replaceSelection(const std::wstring& with) {
    if (with.empty() && !hasSelection())
        return; // nothing changes
    // A line break ends a typing run, as a step of its own.
    const Edit kind = with.size() == 1 && with[0] != L'\n' && !hasSelection() ? Edit::Typing
                      : with.empty() && selectSize() == 1                     ? Edit::Deleting
                                                                              : Edit::Other;
    const unsigned begin = selectBegin(), removed = selectSize();
    Step* step = remember(kind, begin, with);
    text_.replace(begin, removed, with);
    caret_ = anchor_ = begin + static_cast<unsigned>(with.size());
    lastCaret_ = caret_;
    if (step)
        step->caretAfter = caret_;
    changed(begin, removed, static_cast<unsigned>(with.size()));
}

TextState::Step* TextState::remember(Edit kind, unsigned begin, const std::wstring& with) {
    if (!keepsHistory())
        return nullptr;
    redo_.clear();
    const Edit last = std::exchange(lastEdit_, kind);
    if (kind != Edit::Other && kind == last && !undo_.empty()) {
        // Typing carries on where the last character went; deleting one character at a time
        // carries on beside where the last one went (Backspace before it, Delete after it).
        Step& run = undo_.back();
        if (kind == Edit::Typing && caret_ == lastCaret_ && !hasSelection() &&
            run.begin + run.inserted.size() == caret_) {
            run.inserted += with;
            return &run;
        }
        if (kind == Edit::Deleting && run.inserted.empty() && selectEnd() == lastCaret_ &&
            run.begin == lastCaret_) {
            run.removed.insert(0, 1, text_[begin]);
            run.begin = begin;
            return &run;
        }
        if (kind == Edit::Deleting && run.inserted.empty() && begin == lastCaret_ &&
            run.begin == begin) {
            run.removed += text_[begin];
            return &run;
        }
    }
    if (undo_.size() == HISTORY)
        undo_.erase(undo_.begin());
    undo_.push_back(Step{begin, text_.substr(begin, selectSize()), with, caret_, anchor_, 0});
    return &undo_.back();
}

bool TextState::undo() {
    if (undo_.empty())
        return false;
    Step step = std::move(undo_.back());
    undo_.pop_back();
    text_.replace(step.begin, step.inserted.size(), step.removed);
    caret_ = step.caretBefore;
    anchor_ = step.anchorBefore;
    lastEdit_ = Edit::Other; // what is typed next is a step of its own
    changed(step.begin, static_cast<unsigned>(step.inserted.size()),
            static_cast<unsigned>(step.removed.size()));
    redo_.push_back(std::move(step));
    return true;
}

bool TextState::redo() {
    if (redo_.empty())
        return false;
    Step step = std::move(redo_.back());
    redo_.pop_back();
    text_.replace(step.begin, step.removed.size(), step.inserted);
    caret_ = anchor_ = step.caretAfter;
    lastEdit_ = Edit::Other;
    changed(step.begin, static_cast<unsigned>(step.removed.size()),
            static_cast<unsigned>(step.inserted.size()));
    undo_.push_back(std::move(step));
    return true;
}

namespace {
// A validator sees one byte. Characters beyond Latin-1 reach it as SUB (0x1A, the substitute
// character), never as their low byte: U+0131 must not pass a digits-only check as '1'.
char validatorChar(wchar_t c) {
    return static_cast<unsigned long>(c) <= 0xFF ? static_cast<char>(c) : '\x1A';
}
} // namespace

void TextState::type(char ch) {
    if (len() - selectSize() >= maxLen_)
        return;
    if (validator_ != nullptr && !validator_(ch))
        return;
    // The byte read as unsigned: 128 ... 255 are U+0080 ... U+00FF.
    replaceSelection(std::wstring(1, static_cast<wchar_t>(static_cast<unsigned char>(ch))));
}

void TextState::type(const std::wstring& s) {
    // A text already longer than the maximum (set directly) leaves no room.
    const unsigned kept = len() - selectSize();
    const unsigned room = kept >= maxLen_ ? 0 : maxLen_ - kept;
    size_t n = std::min<size_t>(room, s.size());
    if (validator_ != nullptr) {
        size_t accepted = 0;
        while (accepted < n && validator_(validatorChar(s[accepted])))
            ++accepted;
        n = accepted;
    }
    replaceSelection(s.substr(0, n));
}

void TextState::prev(bool keepSelection) {
    if (caret_ > 0)
        --caret_;
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::next(bool keepSelection) {
    if (caret_ < text_.size())
        ++caret_;
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::prevWord(bool keepSelection) {
    if (caret_ > 0) {
        // Back over one character and the spaces before it, then to the start of that word.
        --caret_;
        while (caret_ > 0 && text_[caret_] == L' ')
            --caret_;
        const size_t space = text_.rfind(L' ', caret_);
        caret_ = space == std::wstring::npos ? 0 : static_cast<unsigned>(space) + 1;
    }
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::nextWord(bool keepSelection) {
    const unsigned n = static_cast<unsigned>(text_.size());
    if (caret_ < n) {
        // Over the spaces and one character past them, then to the end of that word.
        do
            ++caret_;
        while (caret_ < n && text_[caret_ - 1] == L' ');
        const size_t space = text_.find(L' ', caret_);
        caret_ = space == std::wstring::npos ? n : static_cast<unsigned>(space);
    }
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::prevPage(bool keepSelection) {
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::nextPage(bool keepSelection) {
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::clear() {
    anchor_ = 0;
    caret_ = static_cast<unsigned>(text_.size());
    clearSelection();
}

void TextState::setValidator(bool (*validator)(char)) {
    validator_ = validator;
}

void TextState::setMaxLen(unsigned n) {
    maxLen_ = n;
}

void TextState::setText(std::wstring s) {
    const unsigned removed = static_cast<unsigned>(text_.size());
    text_ = std::move(s);
    changed(0, removed, static_cast<unsigned>(text_.size()));
    undo_.clear();
    redo_.clear();
    lastEdit_ = Edit::Other;
    const unsigned n = static_cast<unsigned>(text_.size());
    caret_ = std::min(caret_, n);
    anchor_ = std::min(anchor_, n);
}

void TextState::deselect() {
    anchor_ = caret_;
}

void TextState::caretHome(bool keepSelection) {
    caret_ = 0;
    if (!keepSelection)
        anchor_ = 0;
}

void TextState::caretEnd(bool keepSelection) {
    caret_ = static_cast<unsigned>(text_.size());
    if (!keepSelection)
        anchor_ = caret_;
}

void TextState::selectAll() {
    anchor_ = 0;
    caret_ = static_cast<unsigned>(text_.size());
}

void TextState::setSelection(unsigned anchor, unsigned caret) {
    const unsigned n = static_cast<unsigned>(text_.size());
    anchor_ = std::min(anchor, n);
    caret_ = std::min(caret, n);
}

void TextState::selectWordAt(unsigned i) {
    const unsigned n = static_cast<unsigned>(text_.size());
    i = std::min(i, n);
    // Past the last character, or on it from its right: the run the position closes.
    const unsigned at = i == n && i > 0 ? i - 1 : i;
    if (at >= n) {
        setSelection(i, i);
        return;
    }
    // Runs of one kind: line feeds, spaces, everything else.
    const auto kind = [](wchar_t c) { return c == L'\n' ? 0 : c == L' ' ? 1 : 2; };
    const int k = kind(text_[at]);
    unsigned begin = at, end = at;
    while (begin > 0 && kind(text_[begin - 1]) == k)
        --begin;
    while (end < n && kind(text_[end]) == k)
        ++end;
    setSelection(begin, end);
}

void TextState::clearSelection() {
    replaceSelection(std::wstring());
}

void TextState::clearPrev() {
    prev(true);
    clearSelection();
}

void TextState::clearNext() {
    next(true);
    clearSelection();
}

void TextState::clearPrevWord() {
    prevWord(true);
    clearSelection();
}

void TextState::clearNextWord() {
    nextWord(true);
    clearSelection();
}

namespace {
int directionArg(TextDirection d) {
    return d == TextDirection::RightToLeft ? -1 : d == TextDirection::LeftToRight ? 1 : 0;
}

// The displayed text as shape() last copied it, kept: a warm pass allocates nothing.
std::wstring& shown() {
    static std::wstring t;
    return t;
}
} // namespace

void TextState::placeWindow(std::wstring& t) const {
    const unsigned n = static_cast<unsigned>(t.size()), c = std::min(caret_, n);
    if (n <= LONG_LINE) {
        windowBegin_ = 0;
        windowEnd_ = n;
        return;
    }
    const unsigned margin = WINDOW / 3;
    const bool keep = windowBegin_ < windowEnd_ && windowEnd_ <= n &&
                      (windowBegin_ == 0 || c >= windowBegin_ + margin) &&
                      (windowEnd_ == n || c + margin <= windowEnd_);
    if (!keep) {
        keepCaret_ = c >= windowBegin_ && c <= windowEnd_ && windowEnd_ <= n;
        if (keepCaret_)
            caretOnScreen_ = xOfPosition(c) - scroll_;
        // From after a space and to one, where the platform's layout of a piece is that of
        // the whole line.
        unsigned b = c > WINDOW ? c - WINDOW : 0, e = std::min(n, c + WINDOW);
        const size_t space = b ? t.rfind(L' ', b) : std::wstring::npos;
        if (space != std::wstring::npos && space + 64 >= b)
            b = static_cast<unsigned>(space) + 1;
        const size_t next = t.find(L' ', e);
        if (next != std::wstring::npos && next <= e + 64)
            e = static_cast<unsigned>(next);
        windowBegin_ = b;
        windowEnd_ = e;
    }
    t.erase(windowEnd_);
    t.erase(0, windowBegin_);
}

size_t TextState::inWindow(unsigned index) const {
    return std::min(index, windowEnd_) - std::min(index, windowBegin_);
}

const textcache::Shaped* TextState::shape(wxDC& dc) const {
    std::wstring& t = shown();
    textInto(t);
    placeWindow(t);
    const TextDirection d = shownDirection();
    if (d == TextDirection::RightToLeft || textcache::needsShaping(t))
        shaped_ = textcache::shaped(dc, font_, t, directionArg(d));
    else
        shaped_.reset();
    return shaped_.get();
}

void TextState::left(wxDC& dc, bool byWord, bool keepSelection) {
    moveVisually(dc, -1, byWord, keepSelection);
}

void TextState::right(wxDC& dc, bool byWord, bool keepSelection) {
    moveVisually(dc, 1, byWord, keepSelection);
}

void TextState::moveVisually(wxDC& dc, int direction, bool byWord, bool keepSelection) {
    const textcache::Shaped* s = shape(dc);
    if (byWord) {
        // Words go by the field's reading direction, as the platform's own fields do.
        const bool forward = (direction > 0) != (s != nullptr && s->rightToLeft());
        forward ? nextWord(keepSelection) : prevWord(keepSelection);
        return;
    }
    if (s == nullptr) {
        direction > 0 ? next(keepSelection) : prev(keepSelection);
        return;
    }
    caret_ = windowBegin_ + static_cast<unsigned>(s->moveVisually(inWindow(caret_), direction));
    if (!keepSelection)
        anchor_ = caret_;
}

float TextState::offset(wxDC& dc, float width, float& caretX) const {
    if (const textcache::Shaped* s = shape(dc)) {
        extents_.clear();
        const float caretPx = static_cast<float>(s->caretX(inWindow(caret_)));
        caretX = caretPx;
        if (std::exchange(keepCaret_, false))
            scroll_ = caretPx - caretOnScreen_;
        const float w = static_cast<float>(s->width());
        if (s->rightToLeft()) {
            // Right-aligned, two pixels in so that the caret at the text's start shows whole;
            // scrolled no further than the text reaches, then as far as the caret needs.
            const float rightmost = w - width + 2.0f;
            scroll_ = rightmost <= 0 ? rightmost : std::min(std::max(scroll_, 0.0f), rightmost);
        } else {
            scroll_ = std::max(scroll_, 0.0f); // no longer right-aligned
        }
        if (scroll_ > caretPx)
            scroll_ = caretPx;
        else if (caretPx > scroll_ + width)
            scroll_ = caretPx - width;
        return scroll_;
    }
    const std::wstring& t = shown(); // what shape() just copied
    if (t.empty()) {
        extents_.clear();
    } else {
        textcache::partialExtents(dc, font_, t, extents_);
    }
    scroll_ = std::max(scroll_, 0.0f); // text that read right to left may have left it below
    float caretPx = 0;
    if (inWindow(caret_) > 0 && !extents_.empty())
        caretPx = static_cast<float>(extents_[std::min(inWindow(caret_), extents_.size()) - 1]);
    caretX = caretPx;
    if (std::exchange(keepCaret_, false))
        scroll_ = std::max(0.0f, caretPx - caretOnScreen_);
    if (scroll_ > caretPx)
        scroll_ = caretPx; // caret left of the view: it becomes the left edge
    else if (caretPx > scroll_ + width)
        scroll_ = caretPx - width; // right of the view: it becomes the right edge
    return scroll_;
}

bool TextState::rightToLeft() const {
    return shaped_ && shaped_->rightToLeft();
}

float TextState::xOfPosition(unsigned index) const {
    if (shaped_)
        return static_cast<float>(shaped_->caretX(inWindow(index)));
    const size_t i = std::min(inWindow(index), extents_.size());
    return i ? static_cast<float>(extents_[i - 1]) : 0.0f;
}

unsigned TextState::positionAt(float x) const {
    if (shaped_)
        return windowBegin_ +
               static_cast<unsigned>(shaped_->indexAt(static_cast<int>(std::floor(x))));
    // Entry i is the right edge of character i: a press over a character goes before it.
    return windowBegin_ + static_cast<unsigned>(std::lower_bound(extents_.begin(), extents_.end(),
                                                                 static_cast<int>(x)) -
                                                extents_.begin());
}

void TextState::pieces(unsigned begin, unsigned end,
                       std::vector<std::pair<float, float>>& out) const {
    out.clear();
    if (begin >= end)
        return;
    if (!shaped_) {
        out.emplace_back(xOfPosition(begin), xOfPosition(end));
        return;
    }
    static std::vector<std::pair<int, int>> ranges;
    shaped_->pieces(inWindow(begin), inWindow(end), ranges);
    for (const auto& [x0, x1] : ranges)
        out.emplace_back(static_cast<float>(x0), static_cast<float>(x1));
}

void TextState::shownInto(std::wstring& out) const {
    textInto(out);
    if (out.size() > LONG_LINE && windowEnd_ <= out.size()) {
        out.erase(windowEnd_);
        out.erase(0, windowBegin_);
    }
    // The layout is told its direction; the drawing learns it from a mark of no width.
    const TextDirection d = shownDirection();
    if (shaped_ && d != TextDirection::Auto)
        out.insert(out.begin(), d == TextDirection::RightToLeft ? L'\x200F' : L'\x200E');
}

bool intValidator(char ch) {
    return ch >= '0' && ch <= '9';
}

// ---- PasswordState

PasswordState::PasswordState(const wxFont& font) : TextState(font, L"") {}

PasswordState::PasswordState(const wxFont& font, const orbo::util::md5_t& sig)
    : TextState(font, L""), entered_(false), signature_(sig) {}

PasswordState::PasswordState(const wxFont& font, const PasswordState& other)
    : TextState(font, L""), entered_(other.entered_), signature_(other.signature_) {
    setText(other.stored().str());
    // setText keeps caret and anchor, which start at 0 here.
}

PasswordState::~PasswordState() = default;

char PasswordState::at(unsigned) const {
    return '*';
}

unsigned PasswordState::len() const {
    return entered_ ? static_cast<unsigned>(stored().size()) : 8u;
}

std::wstring PasswordState::text() const {
    return std::wstring(len(), L'*');
}

void PasswordState::textInto(std::wstring& out) const {
    out.assign(len(), L'*');
}

std::wstring PasswordState::selection() const {
    return std::wstring();
}

void PasswordState::onFocus() {
    entered_ = true;
}

void PasswordState::type(const std::wstring& s) {
    entered_ = true;
    const unsigned kept = len() - selectSize();
    TextState::type(s);
    typed_ += len() - kept;
}

void PasswordState::type(char ch) {
    entered_ = true;
    const unsigned kept = len() - selectSize();
    TextState::type(ch);
    typed_ += len() - kept;
}

void PasswordState::prevWord(bool keepSelection) {
    prev(keepSelection);
}

void PasswordState::nextWord(bool keepSelection) {
    next(keepSelection);
}

void PasswordState::selectWordAt(unsigned) {
    selectAll();
}

void PasswordState::clear() {
    TextState::clear();
}

orbo::util::md5_t PasswordState::signature() const {
    if (!entered_)
        return signature_;
    const std::string bytes = orbo::util::ansiFromWString(stored().str());
    orbo::util::hash_sink sink(orbo::util::HASH_MD5);
    sink.write(bytes.data(), bytes.size());
    orbo::util::md5_t digest;
    sink.final(digest.bytes, sizeof digest.bytes);
    return digest;
}

void PasswordState::setSignature(const orbo::util::md5_t& sig) {
    clear();
    signature_ = sig;
    entered_ = false;
}

// ---- TransparentPasswordState

TransparentPasswordState::TransparentPasswordState(const wxFont& font) : PasswordState(font) {}

TransparentPasswordState::~TransparentPasswordState() = default;

void TextState::changed(unsigned begin, unsigned removed, unsigned inserted) {
    ++changes_;
    modified_ = true;
    textChanged(begin, removed, inserted);
}

} // namespace gui
