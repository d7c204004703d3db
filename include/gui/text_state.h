// The editing models behind single-line text fields: the text with a caret, a selection
// anchor, a per-character validator, a maximum length, the font it is shown in and the field's
// horizontal scroll. They know nothing of windows or events; text boxes turn keys into these
// operations and the text renderer draws them.
//
// Positions (caret, anchor) lie between characters: 0 ... length of the stored text. The
// selection is [min(caret, anchor), max(caret, anchor)). Every moving operation takes
// keepSelection: true moves only the caret (extending or shrinking the selection), false
// collapses the selection onto the new caret. Words are separated by spaces (U+0020) only.
//
// Every change of the text is remembered for undo and redo, the most recent 100 of them: a run
// of typed characters, or of characters deleted one by one, at one place is one step. setText
// starts the history afresh.
//
// Text in any script is shown as the platform lays it out: shaped, and with runs of
// right-to-left letters in visual order. Positions stay logical, but where the caret stands, what
// a press hits and what a selection covers come from that layout; a selection across a change of
// direction covers several pieces of the line. Left and Right move the caret visually (in
// right-to-left text Left goes on towards the end), never into a cluster (a letter and its
// combining marks); Home and End go to the logical start and end; Backspace and Delete remove
// logically. A field reads right to left when its text's first letter of a strong direction
// belongs to a right-to-left script (Hebrew, Arabic ...): it is then right-aligned, and
// Ctrl+Left and Ctrl+Right swap their words. An empty field reads left to right unless the caller
// forces a direction.
//
// PasswordState shows asterisks, copies nothing, moves by characters only, keeps no history,
// and can stand in for a password known only by its MD5 signature (the placeholder shows eight
// asterisks).
#pragma once

#include "gui/gap_text.h"
#include "orboutil/hash.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include <wx/dc.h>
#include <wx/dynarray.h>
#include <wx/font.h>

namespace gui {

namespace textcache {
class Shaped;
}

// The direction a field reads in: found from its text, or forced.
enum class TextDirection { Auto, LeftToRight, RightToLeft };

class TextState {
public:
    // The font is referenced, not copied: it must outlive the state. A null text is empty.
    TextState(const wxFont& font, const wchar_t* text);
    TextState(const TextState& other) = default;
    TextState& operator=(const TextState&) = delete;
    virtual ~TextState();

    // The low 8 bits of code unit i; throws std::out_of_range when i >= the length.
    virtual char at(unsigned i) const;
    virtual unsigned len() const;
    // The displayed text.
    virtual std::wstring text() const;
    // The same into out, whose capacity is reused: what a pass draws with, without allocating.
    virtual void textInto(std::wstring& out) const;
    // The displayed text as one the field's description hands to screen readers: made again
    // only after the text changed, so that a pass describing a long text copies nothing.
    std::shared_ptr<const std::wstring> sharedText() const;
    // The selected part of the displayed text; what a copy puts on the clipboard.
    virtual std::wstring selection() const;
    // A hook for hosts to call when the field gains focus; the library never calls it.
    virtual void onFocus();
    // Replaces the selection by the accepted prefix of s (validator, maximum length).
    virtual void type(const std::wstring& s);
    // Replaces the selection by ch (read as an unsigned byte), if accepted.
    virtual void type(char ch);
    virtual void prevWord(bool keepSelection);
    virtual void nextWord(bool keepSelection);
    // The caret does not move; unless keepSelection, the selection collapses onto it.
    virtual void prevPage(bool keepSelection);
    virtual void nextPage(bool keepSelection);
    // Empties the text; validator, maximum, font and scroll stay.
    virtual void clear();

    unsigned caret() const { return caret_; }
    unsigned anchor() const { return anchor_; }
    bool hasSelection() const { return caret_ != anchor_; }
    unsigned selectBegin() const { return caret_ < anchor_ ? caret_ : anchor_; }
    unsigned selectEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    unsigned selectSize() const { return selectEnd() - selectBegin(); }
    const wxFont& font() const { return font_; }
    // What offset() measured last: entry i is the width of the first i + 1 displayed characters.
    const wxArrayInt& extents() const { return extents_; }
    float scrollOffset() const { return scroll_; }
    unsigned maxLen() const { return maxLen_; }
    // Forced or found from the text (Auto, the default). Password fields ignore it.
    void setDirection(TextDirection direction) { direction_ = direction; }
    TextDirection direction() const { return direction_; }

    // The validator sees each typed or pasted character as one byte: Latin-1 as itself, any
    // character beyond U+00FF as 0x1A (SUB), which a validator of digits or letters rejects.
    void setValidator(bool (*validator)(char));
    // The current text is not shortened.
    void setMaxLen(unsigned n);
    // Caret and anchor keep their values, lowered to the new length where needed; the maximum
    // length is not applied.
    void setText(std::wstring s);
    void deselect();
    void prev(bool keepSelection);
    void next(bool keepSelection);
    void caretHome(bool keepSelection);
    void caretEnd(bool keepSelection);
    void selectAll();
    // The caret at caret and the anchor at anchor, each lowered to the length where needed.
    void setSelection(unsigned anchor, unsigned caret);
    // Selects the word (a run of characters other than spaces and line feeds), or the run of
    // spaces, at position i: what a double click selects.
    virtual void selectWordAt(unsigned i);
    // Takes back the last change (or puts back the last change taken back), caret and
    // selection as they were; false when there is none.
    bool undo();
    bool redo();
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    void clearSelection();
    void clearPrev();
    void clearNext();
    void clearPrevWord();
    void clearNextWord();

    // Changes of the text (typing, deleting, pasting, undo, setText, clear) since the state was
    // made; a host compares it with a count it kept to learn whether the text changed.
    std::uint64_t changeCount() const { return changes_; }
    // Set by every change; the host clears it when it has saved or loaded the text.
    bool modified() const { return modified_; }
    void setModified(bool modified) { modified_ = modified; }
    // Whether the text changed since its field's widget (doLineEdit, doTextArea) began its
    // latest pass: in the scene, right after the widget, "the user edited it in this pass".
    bool edited() const { return changes_ != passStart_; }
    // Marks where a field's widget begins its pass, for edited(); a text widget calls it first.
    void beginPass() { passStart_ = changes_; }

    // The caret one step to the left or right on screen (byWord: to the start or end of a word,
    // in the field's reading direction), measuring in dc.
    void left(wxDC& dc, bool byWord, bool keepSelection);
    void right(wxDC& dc, bool byWord, bool keepSelection);

    // Measures the displayed text in dc (refreshing extents), scrolls so the caret stays within
    // a view of width pixels, and returns the scroll offset. caretX is the caret's distance
    // from the left of the text. Text reading right to left keeps to the view's right edge:
    // while it is narrower than the view, the offset is negative.
    float offset(wxDC& dc, float width, float& caretX) const;
    // As offset() last measured: whether the text reads right to left, where the caret of a
    // position stands and the position a press at x goes to (both from the text's left), and
    // the pieces [x0, x1) of the line that positions [begin, end) cover, left to right.
    bool rightToLeft() const;
    // Whether the text was laid out by the platform (right-to-left runs, clusters, a forced
    // direction); extents() is then empty.
    bool shaped() const { return shaped_ != nullptr; }
    float xOfPosition(unsigned index) const;
    unsigned positionAt(float x) const;
    void pieces(unsigned begin, unsigned end, std::vector<std::pair<float, float>>& out) const;
    // What a text field draws: the displayed text, led by an invisible direction mark when the
    // direction is forced and the text needs one to read that way.
    void shownInto(std::wstring& out) const;
    // A text longer than LONG_LINE characters is laid out and drawn a window at a time: about
    // WINDOW characters on either side of the caret, from and to a space, moved when the
    // caret comes near its edge (the caret keeps its place on screen). Positions stay those of
    // the whole text; x, the scroll offset, extents() and shownInto() are the window's, which
    // starts at shownFrom() (0 when the text is laid out whole). A run of the other direction
    // that crosses the window's edge is ordered as the window's part of it reads.
    static constexpr unsigned LONG_LINE = 800, WINDOW = 300;
    unsigned shownFrom() const { return windowBegin_; }

protected:
    friend class TextBox; // hit-tests the stored text where the user clicks

    // The stored text (the clear text, for passwords).
    const GapText& stored() const { return text_; }
    // Replaces [selectBegin, selectEnd) of the stored text and puts caret and anchor after it.
    void replaceSelection(const std::wstring& with);
    // Whether changes are remembered for undo.
    virtual bool keepsHistory() const { return true; }
    // The direction the displayed text is laid out in.
    virtual TextDirection shownDirection() const { return direction_; }
    // What left() and right() do: one step to the right (direction > 0) or left on screen.
    virtual void moveVisually(wxDC& dc, int direction, bool byWord, bool keepSelection);
    // After every change of the stored text: characters begin ... begin + removed - 1 were
    // replaced by the inserted ones now at begin ... begin + inserted - 1.
    virtual void textChanged(unsigned begin, unsigned removed, unsigned inserted) {
        (void)begin, (void)removed, (void)inserted;
    }

private:
    // One change: at begin, removed was replaced by inserted; the caret and anchor before it
    // and the caret after it.
    struct Step {
        unsigned begin;
        std::wstring removed, inserted;
        unsigned caretBefore, anchorBefore, caretAfter;
    };
    enum class Edit { Other, Typing, Deleting };
    static constexpr size_t HISTORY = 100;
    // Before replacing the selection by with: the step that will hold the change, a new one or
    // the run it carries on (typing or deleting one character at a time where the last ended).
    Step* remember(Edit kind, unsigned begin, const std::wstring& with);
    // Lays the displayed text out in dc when its positions need the platform's layout (the
    // text's own or a forced right-to-left direction); null when summed widths give them.
    const textcache::Shaped* shape(wxDC& dc) const;
    // Counts the change and tells textChanged.
    void changed(unsigned begin, unsigned removed, unsigned inserted);
    // Cuts the displayed text t down to the window around the caret, moving the window when
    // the caret nears its edge.
    void placeWindow(std::wstring& t) const;
    // A position as an index into the window, within it.
    size_t inWindow(unsigned index) const;

    GapText text_;
    const wxFont& font_;
    mutable wxArrayInt extents_;
    mutable std::shared_ptr<const textcache::Shaped> shaped_;
    mutable float scroll_ = 0;
    mutable unsigned windowBegin_ = 0, windowEnd_ = 0;
    // Where the caret stood in the field when the window moved: kept there by the next offset().
    mutable float caretOnScreen_ = 0.0f;
    mutable bool keepCaret_ = false;
    TextDirection direction_ = TextDirection::Auto;
    bool (*validator_)(char) = nullptr;
    unsigned maxLen_ = 0xFFFFFFFFu;
    unsigned caret_ = 0;
    unsigned anchor_ = 0;
    std::vector<Step> undo_, redo_;
    Edit lastEdit_ = Edit::Other;
    unsigned lastCaret_ = 0;
    std::uint64_t changes_ = 0, passStart_ = 0;
    bool modified_ = false;
    mutable std::shared_ptr<const std::wstring> shared_;
    mutable std::uint64_t sharedAt_ = 0; // changes_ when shared_ was made
};

// Digits only: '0' ... '9'.
bool intValidator(char ch);

class PasswordState : public TextState {
public:
    // An entered, empty password.
    explicit PasswordState(const wxFont& font);
    // A placeholder for the password whose signature is sig.
    PasswordState(const wxFont& font, const orbo::util::md5_t& sig);
    // Takes over other's password (or placeholder) in another font; editing state starts anew.
    PasswordState(const wxFont& font, const PasswordState& other);
    PasswordState(const PasswordState& other) = default;
    ~PasswordState() override;

    char at(unsigned i) const override; // always '*'
    unsigned len() const override;      // 8 for a placeholder
    std::wstring text() const override; // asterisks
    void textInto(std::wstring& out) const override;
    std::wstring selection() const override; // always empty: nothing to copy
    void onFocus() override;                 // a placeholder becomes an empty password
    void type(const std::wstring& s) override;
    void type(char ch) override;
    void prevWord(bool keepSelection) override; // one character
    void nextWord(bool keepSelection) override; // one character
    void selectWordAt(unsigned i) override;     // everything: no words to see
    void clear() override;

    // MD5 of the password's ANSI bytes; for a placeholder, the signature it was given.
    orbo::util::md5_t signature() const;
    // Empties the text and becomes a placeholder for sig.
    void setSignature(const orbo::util::md5_t& sig);
    // The clear text; empty for a placeholder.
    std::wstring password() const { return stored().str(); }
    bool entered() const { return entered_; }
    // Characters typed or pasted into it so far.
    unsigned long typedCount() const { return typed_; }

protected:
    bool keepsHistory() const override { return false; }
    // Asterisks read left to right whatever the password's script.
    TextDirection shownDirection() const override { return TextDirection::LeftToRight; }

private:
    bool entered_ = true;
    unsigned long typed_ = 0;
    orbo::util::md5_t signature_;
};

// Behaves exactly as PasswordState; a distinct type for hosts that tell them apart.
class TransparentPasswordState : public PasswordState {
public:
    explicit TransparentPasswordState(const wxFont& font);
    TransparentPasswordState(const TransparentPasswordState& other) = default;
    ~TransparentPasswordState() override;

    std::wstring password() const { return PasswordState::password(); }
};

} // namespace gui
