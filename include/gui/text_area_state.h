// The editing model of a text area: a TextState whose text holds line feeds, laid out as visual
// lines (each paragraph wrapped at spaces to the area's width, or not wrapped and scrolled
// sideways), with the area's scroll and the caret's remembered x for Up and Down. The layout is
// kept paragraph by paragraph: an edit re-measures only the paragraphs it touched, so typing
// into a long text costs what typing into a short one does.
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
    // The text as stored, for drawing it without a copy.
    const std::wstring& stored() const { return TextState::stored(); }

    // Lays the text out for a text width of width pixels, measuring in dc: only what changed
    // since the last layout, everything when the width or wrapping changed.
    void layout(wxDC& dc, float width) const;
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
    struct Paragraph {
        unsigned start = 0, length = 0;
        std::vector<unsigned> breaks; // where its second, third ... visual lines start
        std::vector<int> extents;     // entry i: the width of its first i + 1 characters
        bool measured = false;
        // A paragraph the platform lays out (right-to-left runs, clusters): the whole of it,
        // for moves, and each visual line, for positions and drawing.
        std::shared_ptr<const textcache::Shaped> shaped;
        std::vector<std::shared_ptr<const textcache::Shaped>> lines;
    };
    int paragraphOf(unsigned index) const;
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
    mutable bool rewrap_ = true; // every paragraph's breaks, at the next layout
    // The paragraphs changed since the last layout: [dirtyFrom_, dirtyTo_).
    mutable size_t dirtyFrom_ = 0, dirtyTo_ = 0;
};

} // namespace gui
