// The editing model of a text area: a TextState whose text holds line feeds, laid out as visual
// lines (each paragraph wrapped at spaces to the area's width, or not wrapped and scrolled
// sideways), with the area's scroll and the caret's remembered x for Up and Down. The layout is
// kept paragraph by paragraph: an edit re-measures only the paragraphs it touched, so typing
// into a long text costs what typing into a short one does.
#pragma once

#include "gui/text_state.h"

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

private:
    struct Paragraph {
        unsigned start = 0, length = 0;
        std::vector<unsigned> breaks; // where its second, third ... visual lines start
        std::vector<int> extents;     // entry i: the width of its first i + 1 characters
        bool measured = false;
    };
    int paragraphOf(unsigned index) const;
    void wrapParagraph(Paragraph& p) const;
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
