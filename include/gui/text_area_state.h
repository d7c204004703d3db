// The editing model of a text area: a TextState whose text holds line feeds, laid out as visual
// lines (each paragraph wrapped at spaces to the area's width, or not wrapped and scrolled
// sideways), with the area's scroll and the caret's remembered x for Up and Down. The layout is
// kept paragraph by paragraph: an edit re-measures only the paragraphs it touched, so typing
// into a long text costs what typing into a short one does. A long text is laid out where it is
// seen: the paragraphs in and around the view and the caret's are measured, the others count
// as many lines as their length suggests until idle time (refine()) measures them. The scroll
// bar may settle as that proceeds, but the view keeps its text: a paragraph above it that turns
// out longer or shorter moves firstLine with it.
#pragma once

#include "gui/text_state.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <wx/dc.h>

namespace gui {

class TextAreaState : public TextState {
public:
    TextAreaState(const wxFont& font, const wchar_t* text);
    TextAreaState(const TextAreaState& other) = default;
    ~TextAreaState() override;

    // Wrapped at word boundaries to the width (the default), or one visual line per paragraph.
    void setWrap(bool wrap);
    bool wraps() const { return wrap_; }
    // A read-only area selects and copies, and changes nothing.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

    // The scroll: the first visual line in view, and (unwrapped) the pixels scrolled sideways.
    int firstLine = 0;
    float scrollX = 0.0f;
    // The scroll bar's drag state, and whether the widget showed the bar in its last pass.
    float dragTop = 0.0f, dragMouse = 0.0f;
    bool barShown = false;
    // The text as stored: a line of it is drawn from a view, without a copy.
    const GapText& stored() const { return TextState::stored(); }

    // Lays the whole text out for a text width of width pixels, measuring in dc: only what
    // changed since the last layout, every paragraph's lines again when the width or wrapping
    // changed.
    void layout(wxDC& dc, float width);
    // The same for a view of visible lines from firstLine: what it shows, a view's height
    // above and below it (where Page Up and Page Down land) and the caret's paragraph are laid
    // out; the rest only when the text is short (WHOLE_TEXT characters or fewer).
    void layoutView(wxDC& dc, float width, int visible);
    static constexpr unsigned WHOLE_TEXT = 20000;
    // Measures paragraphs not yet measured, in order, for about the given time after a
    // layout at some width; true while some remain.
    bool refine(wxDC& dc, double milliseconds);
    // Whether every paragraph's lines are known rather than estimated.
    bool laidOut() const { return unmeasured_ == 0; }
    // After layout(): the visual lines, the one holding a position (a position at a soft break
    // belongs to the line it starts), a line's positions [first, second) without its line feed,
    // the x of a position from its line's start, and the position nearest x on a line.
    int lineCount() const;
    int lineOf(unsigned index) const;
    std::pair<unsigned, unsigned> lineRange(int line) const;
    float xOf(unsigned index) const;
    float xOf(unsigned index, int line) const; // measured from that line's start
    unsigned indexAt(int line, float x) const;
    // Lines of a paragraph that reads right to left are right-aligned: where a line's text
    // starts, what to draw for it (led by a direction mark where its paragraph's direction must
    // be kept), and the pieces [x0, x1) from the lines' left that positions [begin, end) of it
    // cover, left to right.
    float lineLeft(int line) const;
    // 0 for a line placed by summed widths, else 1 or -1: laid out left to right or right to
    // left.
    int lineDirection(int line) const;
    void shownLine(int line, std::wstring& out) const;
    void pieces(int line, unsigned begin, unsigned end,
                std::vector<std::pair<float, float>>& out) const;

    // Caret moves by visual lines (Shift keeps the selection): up and down keep the x the
    // caret had when a run of such moves began; home and end go to the visual line's ends.
    void lineUp(int lines, bool keepSelection);
    void lineDown(int lines, bool keepSelection);
    void lineHome(bool keepSelection);
    void lineEnd(bool keepSelection);
    // Forgets the remembered x: the caret moved otherwise.
    void forgetX() { wantedX_ = -1.0f; }

protected:
    void textChanged(unsigned begin, unsigned removed, unsigned inserted) override;
    // Left and Right move on screen within the caret's paragraph, and on to the next or last
    // paragraph at its ends.
    void moveVisually(wxDC& dc, int direction, bool byWord, bool keepSelection) override;

private:
    // What measuring a paragraph found: kept apart, so that the paragraphs themselves are small
    // and an edit that adds or removes some moves little.
    struct Laid {
        std::vector<unsigned> breaks; // where its second, third ... visual lines start
        std::vector<int> extents;     // entry i: the width of its first i + 1 characters
        // A paragraph the platform lays out (right-to-left runs, clusters): the whole of it,
        // for moves, and each visual line, for positions and drawing.
        std::shared_ptr<const textcache::Shaped> shaped;
        std::vector<std::shared_ptr<const textcache::Shaped>> lines;
    };
    struct Paragraph {
        unsigned start = 0, length = 0;
        int count = 1;              // its visual lines: wrapped when measured, estimated before
        std::unique_ptr<Laid> laid; // null until measured
        Paragraph() = default;
        Paragraph(Paragraph&&) = default;
        Paragraph& operator=(Paragraph&&) = default;
        Paragraph(const Paragraph& o)
            : start(o.start), length(o.length), count(o.count),
              laid(o.laid ? std::make_unique<Laid>(*o.laid) : nullptr) {}
    };
    // A paragraph's measures, empty for one not measured yet.
    static const Laid& laidOf(const Paragraph& p);
    int paragraphOf(unsigned index) const;
    int paragraphOfLine(int line) const;
    // Measures and wraps paragraph i where it is not; true when that changed its count.
    bool measure(wxDC& dc, size_t i) const;
    int estimate(const Paragraph& p) const;
    // Width and wrapping changed: every count again, from the extents where measured.
    void rewrap(wxDC& dc) const;
    // Measures the paragraphs holding lines [from, to); true when a count changed.
    bool measureLines(wxDC& dc, int from, int to) const;
    // The first lines of paragraphs from recountFrom_ on, keeping the view's top paragraph
    // (and the line of it at the top) where it was.
    void recount();
    void wrapParagraph(Paragraph& p) const;
    void shapeLines(wxDC& dc, Paragraph& p) const;
    // A visual line as laid out (begin: where it starts in the text), or null when summed
    // widths place its text.
    const textcache::Shaped* shapedLine(int line, unsigned* begin = nullptr) const;
    void moveToLine(int line, bool keepSelection);

    bool wrap_ = true;
    bool readOnly_ = false;
    float wantedX_ = -1.0f;
    mutable std::vector<Paragraph> paragraphs_;
    mutable std::vector<int> firstLineOf_; // per paragraph, its first visual line
    mutable float width_ = -1.0f;
    mutable float charWidth_ = 0.0f; // the font's average, for estimates
    mutable bool rewrap_ = true;     // every paragraph's breaks, at the next layout
    // Paragraphs from this one on need their first lines counted again.
    mutable size_t recountFrom_ = 0;
    // Paragraphs before this one were made afresh by edits since the last count.
    mutable size_t editedTo_ = 0;
    mutable size_t unmeasured_ = 0, refineAt_ = 0;
};

} // namespace gui
