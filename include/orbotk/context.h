// The UI context: one per top-level window. It runs the passes (one per event), owns the
// framebuffer the renderer draws into, and keeps everything the widgets need to know about the
// event in progress and about the controls between passes: the hot, active and focused
// identities, drags, the focus claim, the open combo box and the tooltip.
//
// A pass: the window hands the context one event; the context records it, works out the hot box
// from the tree of the last complete pass, opens a fresh root box, calls the UI-procedure slot,
// and at the end keeps the new tree and applies what the pass asked for.
#pragma once

#include "orbotk/box.h"
#include "orbotk/control_id.h"
#include "orbotk/rgba.h"

#include <algorithm>
#include <boost/enable_shared_from_this.hpp>
#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>
#include <wx/event.h>

class wxBitmap;
class wxDC;
class wxMemoryDC;
class wxMouseEvent;
class wxWindow;

namespace orbotk {

class Window;

class UIContext : public boost::enable_shared_from_this<UIContext> {
public:
    typedef boost::function<void(boost::shared_ptr<UIContext>)> Procedure;
    typedef boost::function<bool()> Confirm;

    // A new frameless top-level window and its context. The window owns the context.
    static boost::shared_ptr<UIContext> create(const std::wstring& title, wxWindow* parent);
    static boost::shared_ptr<UIContext> create(const std::wstring& title,
                                               const boost::weak_ptr<Window>& parent);
    ~UIContext();
    UIContext(const UIContext&) = delete;
    UIContext& operator=(const UIContext&) = delete;

    boost::weak_ptr<Window> window() const { return window_; }

    // Callback slots. Confirmations default to allowing.
    void setUIProcedure(const Procedure& p) { procedure_ = p; }
    void setConfirmClose(const Confirm& c) { confirmClose_ = c; }
    void setConfirmSuspend(const Confirm& c) { confirmSuspend_ = c; }
    bool confirmClose() const { return confirmClose_ ? confirmClose_() : true; }
    bool confirmSuspend() const { return confirmSuspend_ ? confirmSuspend_() : true; }

    // The client-area box of the pass in progress, and the box entered last.
    boost::shared_ptr<Box> root() const { return root_; }
    boost::shared_ptr<Box> current() const { return current_; }

    // ---- The event in progress (null outside passes).
    wxEvent* event() const { return event_; }
    wxEventType eventType() const { return eventType_; }
    bool isPaint() const { return eventType_ == wxEVT_PAINT; }
    wxMouseEvent* mouseEvent() const; // null unless the event is a mouse event
    int keyCode() const { return keyCode_; }
    // The character a key or character event carries (wxKeyEvent::GetUnicodeKey): WXK_NONE
    // for keys that produce none (arrows, function keys), a control code for Ctrl+letter.
    int unicodeKey() const { return unicodeKey_; }
    bool ctrlDown() const { return ctrl_; }
    bool shiftDown() const { return shift_; }
    bool altDown() const { return alt_; }
    bool metaDown() const { return meta_; }
    // Hands the event on to the window's default processing after the pass.
    void skipEvent(bool skip = true);
    bool eventSkipped() const { return skipped_; }
    // The pointer in window pixels, kept from the last mouse event.
    int mouseX() const { return mouseX_; }
    int mouseY() const { return mouseY_; }
    bool pointerInside() const { return pointerInside_; }
    // A left drag is in progress; the pointer's x when the button went down.
    bool leftDragFlag() const { return drags_[0].dragging; }
    int dragStartX() const { return leftPressX_; }

    // ---- Controls recorded between passes.
    ControlID focusedID() const { return focused_; }
    // The control that asked for focus in this pass; empty at the start of every pass, it
    // becomes the focused control at the end.
    ControlID focusClaim() const { return claim_; }
    ControlID activeID() const { return activeID_; }
    // A press made a control active and has not been released yet.
    bool pressing() const { return activeKey_ != 0; }
    // Whether the focused control hides what is typed into it (it marked its box secret in the
    // last complete pass), and how many characters such a control took (typed or pasted) since
    // the last pass began or the count was last taken: what a recording writes in place of the
    // keys.
    bool focusIsSecret() const;
    void noteSecretTyped(int n) { secretTyped_ += n; }
    int takeSecretTyped() { return std::exchange(secretTyped_, 0); }
    // The combo box whose list is open; the anonymous identity when none is.
    ControlID openCombo;
    // Set by a text box when Return is released in it. It holds for the rest of that one pass
    // (so a scene can submit a form after its fields) and is false in every other pass: the
    // toolkit clears it when a pass begins.
    bool returnReleased = false;
    // Set by a focused control that had no use for an Escape key it received (a text field with
    // nothing selected), so that the window may act on it as if nothing were focused: a dialog
    // closes. Cleared when a pass begins.
    bool escapePassed = false;
    // The presses of the left button in a row, at about the same place, each within the
    // platform's double-click time of the one before: 1 for a single press, 2 for the second of
    // a double click (and its double-click event), 3 for a triple click, and so on. Read in the
    // pass of a press; it keeps its value until the next one.
    int clickCount() const { return clicks_; }

    // ---- What the screen shows of the pointer. A widget whose look under the pointer changes
    // within its own box (the row of a list the pointer is over) names the part it shows as
    // hovered in every pass; -1 when none. After a motion pass the window repaints when the
    // hot box or that part differs from what the last paint pass drew.
    void hoverPart(int part) { hoverPart_ = part; }
    bool hoverChanged() const { return hotKey_ != paintedHot_ || hoverPart_ != paintedHoverPart_; }

    // ---- Input methods. A text field with the focus says where its caret is, in window
    // pixels, in every pass (the platform's candidate window is placed there); the window
    // keeps the input method's composition (pre-edit) and its cursor, which the field draws
    // at its caret while the method composes. Both are empty otherwise.
    void setTextCaret(int x, int y, int w, int h) { caretRect_ = {x, y, w, h, true}; }
    // The caret the last paint pass reported (false when none did): where the window placed
    // the candidate window.
    bool textCaret(int& x, int& y) const {
        x = shownCaret_.x, y = shownCaret_.y;
        return shownCaret_.set;
    }
    const std::wstring& preedit() const { return preedit_; }
    int preeditCursor() const { return preeditCursor_; }
    void setPreedit(const std::wstring& text, int cursor) {
        preedit_ = text;
        preeditCursor_ = cursor;
    }
    // A string the input method commits whole. The platform delivers it as one character event
    // per character; while they arrive, committed() holds the string, so that the field that
    // hears the first can type it as one edit (then takeCommit()) and let the others pass.
    const std::wstring& committed() const { return committed_; }
    bool commitTaken() const { return commitTaken_; }
    void takeCommit() { commitTaken_ = true; }
    void setCommitted(const std::wstring& text) {
        committed_ = text;
        commitTaken_ = false;
    }

    // Moves focus to the next (or previous) focusable control of the last pass, wrapping. A
    // radio group is one stop: its selected button, else its first.
    void moveFocus(bool forward);
    // Moves focus to the next (or previous) button of the focused radio button's group,
    // wrapping; false when the focus is on no radio button.
    bool moveWithinRadioGroup(bool forward);

    // Gives id the keyboard focus at once, for the rest of this pass and after it, whether or
    // not a control of that name has been laid out yet; the anonymous identity clears the
    // focus. A pass that then lays out no focusable control of that name ends the focus.
    void setFocusedID(const ControlID& id);

    // ---- Accessibility. Off until something reads the window's accessible tree; while on,
    // the controls' descriptions are kept with each complete pass.
    bool accessibility() const { return accessibility_; }
    void setAccessibility(bool on) { accessibility_ = on; }
    // The described controls of the last complete pass, in the order they were opened.
    std::vector<Described> described() const;

    // ---- Controls of the last complete pass, by name (for tests and hosts that drive a
    // window). The front-most box of that name; false when the last pass had none.
    bool findControl(const std::wstring& name, int& x, int& y, int& w, int& h) const;
    // Gives the named control keyboard focus, as Tab would. Throws std::invalid_argument when
    // the last pass had no control of that name, or had it disabled.
    void focusControl(const std::wstring& name);

    // ---- Drawing state.
    // The window's size in logical pixels: what boxes, the pointer and hosts count in.
    int W() const { return logicalW_; }
    int H() const { return logicalH_; }
    // Device pixels per logical pixel (1 on most screens, 2 on a HiDPI one). The frame holds
    // scale() x scale() device pixels for each logical one, and the renderer draws at that
    // resolution: a box from logical x to x + w covers device columns s * x to s * (x + w).
    int scale() const { return scale_; }
    // The frame's size in device pixels: W() * scale() x H() * scale().
    int frameW() const { return width_; }
    int frameH() const { return height_; }
    // frameW x frameH premultiplied pixels, rows bottom-up: device pixel (x, y) is
    // [(frameH - 1 - y) * frameW + x].
    // During a paint pass the frame reads as cleared at the start of the pass plus whatever has
    // been drawn since. A paint pass writes only the pixels that differ from the frame the last
    // one left, so writing through this pointer (until the next paint pass ends) makes the next
    // pass write every pixel.
    orbo::tk::RGBA* framebuffer() {
        settle();
        forgetFrame();
        return framebuffer_.get();
    }
    const orbo::tk::RGBA* framebuffer() const {
        settle();
        return framebuffer_.get();
    }

    // Drawing on device row y (0 <= y < frameH), columns x0 .. x1 - 1 (within 0 .. frameW). A paint
    // pass does not clear the frame up front: each row keeps the runs of columns drawn on so far in
    // the pass, and the rest of the row reads as transparent (or, behind a backdrop, as the
    // backdrop). Columns a .. a + n - 1 not drawn on yet are handed to fresh(row, a, n), which
    // must write them as if drawing onto transparent black (for most operations a plain store:
    // that saves the clear and a read of every pixel); the others go to drawn(row, a, n). row is
    // the row's first pixel. fresh and drawn may be called for any pieces of the columns, and
    // while a backdrop is kept once more for the kept copy's row: what they write must depend
    // only on the columns and the pixels there. A row keeps two runs (a window's left and
    // right edges are drawn before what lies between them); a third is joined to its nearest by
    // clearing the columns between. What nothing drew on is cleared when the pass ends.
    template <typename Fresh, typename Drawn>
    void drawRow(int y, int x0, int x1, Fresh fresh, Drawn drawn) {
        if (x0 >= x1)
            return;
        orbo::tk::RGBA* row = rowAt(y);
        if (mode_ != Mode::Normal) {
            drawSpecial(y, row, x0, x1, fresh, drawn);
            return;
        }
        const size_t i = static_cast<size_t>(y);
        drawOn(row, drawn_[i], under_[i], &memo_[i], x0, x1, fresh, drawn);
    }
    // The same, for operations that read every pixel they draw on: fresh columns are cleared.
    template <typename Drawn> void drawRow(int y, int x0, int x1, Drawn drawn) {
        drawRow(
            y, x0, x1,
            [&](orbo::tk::RGBA* row, int a, int n) {
                clear(row + a, n);
                drawn(row, a, n);
            },
            drawn);
    }

    // Drawing on the whole of columns x0 .. x1 - 1 of row y that maps each pixel by itself alone,
    // the same mapping for every pixel (a modulation by one colour): map(p, n) maps n pixels in
    // place, fresh(row, a, n) is as for drawRow, and tag names the mapping (equal tags, equal
    // mappings). Where the row shows the backdrop, the backdrop's row mapped once is kept from
    // pass to pass and shown instead, so that those columns are neither copied nor mapped.
    template <typename Fresh, typename Map>
    void mapRow(int y, int x0, int x1, std::uint64_t tag, Fresh fresh, Map map) {
        if (x0 >= x1)
            return;
        const size_t i = static_cast<size_t>(y);
        if (mode_ != Mode::Normal || under_[i] == nullptr || under_[i] != &backdrop_.shown[i]) {
            drawRow(y, x0, x1, fresh, [&](orbo::tk::RGBA* row, int a, int n) { map(row + a, n); });
            return;
        }
        Shown& mapped = backdrop_.shownMapped[i];
        if (remapBackdropRow(y, x0, x1, tag)) {
            map(backdrop_.mapped.data() + i * static_cast<size_t>(width_) + x0, x1 - x0);
            describe(mapped, width_);
        }
        under_[i] = &mapped;
        // Only the columns drawn on in the pass are mapped in the frame itself.
        orbo::tk::RGBA* row = rowAt(y);
        const Runs& r = drawn_[i];
        for (int k = 0; k < r.n; ++k) {
            const int a = std::max(x0, r.lo[k]), b = std::min(x1, r.hi[k]);
            if (a < b)
                map(row + a, b - a);
        }
    }

    // Columns lo .. hi - 1 of device row y hold every pixel of the row written since the last
    // clearDamage() (lo >= hi: none): what a presenter that keeps the last frame it was given
    // needs to look at again. A new size damages every row.
    void damage(int y, int& lo, int& hi) const {
        const Memo& m = memo_[static_cast<size_t>(y)];
        lo = m.damageLo;
        hi = m.damageHi;
    }
    void clearDamage();

    // How many times a backdrop was drawn in full and kept: once per size and key, if the key
    // says what it should.
    std::uint64_t backdropsKept() const { return backdropsKept_; }

    // A backdrop: drawing that lies behind everything drawn before it in the pass and comes out
    // the same in every pass while key, the frame's size, the current box, the colour and the
    // image blend flag stay the same (a window's panel). key must change whenever anything else
    // that draw() draws changes: its images, colours or shapes. draw() runs exactly once, as
    // ordinary drawing would. The second time at a size (the first may be one of many sizes a
    // resize goes through), the context also keeps what draw() makes of a cleared frame; after
    // that, draw() draws only where the pass has drawn already, and the rest of each
    // row shows the kept backdrop, copied in only where something is later drawn on it, or when
    // the pass ends. Outside paint passes draw() just runs.
    template <typename Draw> void drawBackdrop(std::uint64_t key, Draw draw) {
        const Mode mode = beginBackdrop(key);
        if (mode == Mode::Normal) {
            draw();
            return;
        }
        struct End {
            UIContext& ui;
            bool done;
            ~End() { ui.endBackdrop(done); }
        } end{*this, false};
        draw();
        end.done = true;
    }

    // Fill colour, text colour and image tint. Opaque white at the start of every pass.
    orbo::tk::RGBA colour() const { return colour_; }
    void setColour(const orbo::tk::RGBA& c) { colour_ = c; }
    // Set: images blend; clear: they overwrite.
    bool imageBlend = true;
    // Device contexts with the screen's font metrics: one for measuring text, one to draw it in.
    wxDC& measureDC();
    wxDC& drawDC();

    // Shown as the window's tooltip after the pass; empty at the start of every pass.
    std::wstring tooltip;

    // ---- Run by the window.
    // One pass for one event; returns false when the event came while a pass of this context
    // was already running and not suspended, and so was not handled.
    bool runPass(wxEvent& event);

    // ---- Nested loops. A pass that runs a nested event loop (a popup menu, a modal dialog)
    // is suspended for the loop's length: the events that arrive meanwhile run passes of their
    // own, with their own boxes, focus claim and tree, each becoming the window's as usual.
    // When the loop returns, the suspended pass resumes as it was left (its event, its boxes,
    // and the tree it began with) and finishes as if nothing had happened: its tree then
    // becomes the window's. A paint pass is not suspended (its frame is half drawn): events
    // during a loop it opens are not handled. Suspensions nest; each is ended by its guard.
    class Suspension {
    public:
        explicit Suspension(const boost::shared_ptr<UIContext>& ui);
        ~Suspension();
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;

    private:
        boost::shared_ptr<UIContext> ui_; // null when nothing was suspended
    };
    // Passes suspended and not yet resumed.
    int suspendedPasses() const { return static_cast<int>(suspended_.size()); }
    // A pass whose procedure failed keeps the last complete tree and focus.
    void markPassIncomplete() { incomplete_ = true; }
    bool inPass() const { return inPass_; }
    // Sizes the framebuffer to the window's client area, w x h logical pixels at the given
    // device scale (content is not kept). When the memory cannot be had, it logs the failure,
    // leaves the framebuffer empty (0 x 0, so passes draw nothing) and returns false.
    bool resizeFramebuffer(int w, int h, int scale = 1);

private:
    friend class Box;
    friend class Window;
    UIContext();

    struct Node {
        BoxKey key;
        ControlID id;
        int x, y, w, h;
        int openIndex;
        bool enabled;
        bool mouseInput;
        bool wheelInput, rightInput; // asked for the wheel, for the right button
        bool holdsPointer;
        bool secret;
        std::uint8_t radio; // 1 a radio button, 2 the selected one
        int description;    // in lastDescriptions_, or -1
        BoxKey describedParent;
        bool contains(int px, int py) const {
            return px >= x && px < x + w && py >= y && py < y + h;
        }
        bool focusable() const {
            return enabled && !id.anonymous() && id.tabIdx() != TabIdx::DISABLED;
        }
    };

    // Per mouse button (0 left, 1 middle, 2 right).
    struct DragState {
        BoxKey pressKey = 0; // the control that the press was for
        ControlID pressID;
        bool dragging = false;
        BoxKey key = 0;
        ControlID id;
    };

    void beginPass(wxEvent& event);
    void endPass();
    void recordEvent(wxEvent& event);
    void findHot();
    void countClick();
    void indexLastTree();
    std::vector<const Node*> focusOrder() const;
    static std::pair<int, int> radioGroup(const std::vector<const Node*>& order, int i);
    const Node* lastNode(BoxKey key) const;
    int lastCloseIndex(BoxKey key) const;
    void closeBox(Box& box);
    static void clear(orbo::tk::RGBA* p, int n);
    struct Runs;
    // A row of the backdrop as the frame shows it: its pixels, of which columns lo .. hi - 1 are
    // all one colour (stored as such: a row of a panel is mostly one colour).
    struct Shown {
        const orbo::tk::RGBA* pixels;
        int lo, hi;
        orbo::tk::RGBA colour;
    };
    static void describe(Shown& s, int w);
    struct Memo;
    // Columns from .. to - 1 of the row as under shows them, or cleared when under is null.
    // With the frame row's memo (null for other rows), columns the row shows so already are
    // left alone, and what is written counts as damage.
    static void show(orbo::tk::RGBA* row, const Shown* under, int from, int to, Memo* m);
    static void put(orbo::tk::RGBA* row, const Shown* under, int from, int to, Memo* m);
    // Joins x0 .. x1 to the row's runs; a gap closed by the join is shown from under.
    static void addRun(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int x0, int x1);
    // Shows the columns of the row outside its runs from under and makes the row one run over
    // all w columns.
    static void settleRow(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int w);
    // Every column of b's runs lies in one of a's.
    static bool covers(const Runs& a, const Runs& b);
    // ending: in the pass's end, so that what the frame shows is what the next pass finds.
    void settle(bool ending = false) const;
    // The frame may hold anything: the next paint pass writes every pixel.
    void forgetFrame();
    orbo::tk::RGBA* rowAt(int y) const {
        return framebuffer_.get() +
               static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_);
    }

    template <typename Fresh, typename Drawn>
    static void drawOn(orbo::tk::RGBA* row, Runs& r, const Shown* under, Memo* m, int x0, int x1,
                       Fresh& fresh, Drawn& drawn) {
        // Columns not drawn on in the pass: onto transparent black, or onto the backdrop
        // behind them.
        auto first = [&](int a, int n) {
            if (under == nullptr) {
                fresh(row, a, n);
            } else {
                show(row, under, a, a + n, m);
                drawn(row, a, n);
            }
        };
        if (r.n == 0) { // the first drawing on the row
            first(x0, x1 - x0);
            r = Runs{1, {x0, 0}, {x1, 0}};
            return;
        }
        for (int i = 0; i < r.n; ++i)
            if (x0 >= r.lo[i] && x1 <= r.hi[i]) { // the usual case once the row has been drawn on
                drawn(row, x0, x1 - x0);
                return;
            }
        int at = x0;
        for (int i = 0; i < r.n && at < x1; ++i) {
            if (r.hi[i] <= at)
                continue;
            if (r.lo[i] >= x1)
                break;
            if (r.lo[i] > at)
                first(at, r.lo[i] - at);
            const int from = std::max(at, r.lo[i]);
            at = std::min(x1, r.hi[i]);
            drawn(row, from, at - from);
        }
        if (at < x1)
            first(at, x1 - at);
        addRun(row, r, under, m, x0, x1);
    }

    // Drawing while a backdrop is kept (onto the frame and the kept copy) or drawn behind the
    // pass's drawing (onto the columns drawn on only).
    template <typename Fresh, typename Drawn>
    void drawSpecial(int y, orbo::tk::RGBA* row, int x0, int x1, Fresh& fresh, Drawn& drawn) {
        const size_t i = static_cast<size_t>(y);
        Runs& r = drawn_[i];
        if (mode_ == Mode::Keep) {
            drawOn(row, r, under_[i], &memo_[i], x0, x1, fresh, drawn);
            drawOn(backdrop_.pixels.data() + i * static_cast<size_t>(width_), backdrop_.runs[i],
                   nullptr, nullptr, x0, x1, fresh, drawn);
            return;
        }
        // Behind: on what the pass had drawn when the backdrop began (asking for the frame on
        // the way settles the rest, which must still show the backdrop).
        const Runs& was = backdrop_.runs[i];
        for (int k = 0; k < was.n; ++k) {
            const int a = std::max(x0, was.lo[k]), b = std::min(x1, was.hi[k]);
            if (a < b)
                drawn(row, a, b - a);
        }
    }

    enum class Mode {
        Normal,
        Keep,  // drawing a backdrop, and keeping it
        Behind // drawing a kept backdrop behind the pass's drawing
    };
    Mode beginBackdrop(std::uint64_t key);
    // complete is false when draw() threw: what it kept is dropped.
    void endBackdrop(bool complete);
    // Whether the kept mapping of the backdrop's row y is not the one named by (x0, x1, tag);
    // if so it now holds the backdrop's row, to be mapped.
    bool remapBackdropRow(int y, int x0, int x1, std::uint64_t tag);

    boost::weak_ptr<Window> window_;
    Procedure procedure_;
    Confirm confirmClose_, confirmSuspend_;

    boost::shared_ptr<Box> root_, current_;
    int openCounter_ = 0;
    std::vector<Node> tree_, lastTree_;
    // key -> front-most close index in lastTree_, open addressing (0 marks a free slot)
    std::vector<std::pair<BoxKey, int>> lastIndex_;
    int lastHold_ = -1; // close index in lastTree_ of the box holding the pointer, or -1

    wxEvent* event_ = nullptr;
    wxEventType eventType_ = wxEVT_NULL;
    int keyCode_ = 0;
    int unicodeKey_ = 0;
    bool ctrl_ = false, shift_ = false, alt_ = false, meta_ = false;
    bool skipped_ = false;
    int mouseX_ = -1, mouseY_ = -1;
    bool pointerInside_ = false;
    bool buttonDown_[3] = {false, false, false};
    DragState drags_[3];
    int leftPressX_ = 0;
    int wheel_ = 0;

    BoxKey hotKey_ = 0;
    int hotIndex_ = -1;
    int hoverPart_ = -1;
    // The hot box and hovered part as the last paint pass drew them.
    BoxKey paintedHot_ = 0;
    int paintedHoverPart_ = -1;
    // Where the wheel and the right button go, and the box holding the pointer (see
    // Box::holdPointer) with whether the pointer is outside it and its children.
    struct Targets {
        BoxKey wheel = 0, right = 0, hold = 0;
        bool outside = false;
    } targets_;
    int clicks_ = 0;
    struct CaretRect {
        int x, y, w, h;
        bool set;
    } caretRect_{0, 0, 0, 0, false}, shownCaret_{0, 0, 0, 0, false};
    std::wstring preedit_;
    int preeditCursor_ = 0;
    std::wstring committed_;
    bool commitTaken_ = false;
    long long lastPressMs_ = 0;
    int lastPressX_ = 0, lastPressY_ = 0;
    BoxKey activeKey_ = 0;
    ControlID activeID_;
    BoxKey focusKey_ = 0;
    ControlID focused_;
    ControlID claim_;
    int secretTyped_ = 0;
    bool accessibility_ = false;
    std::vector<Description> descriptions_, lastDescriptions_;

    // calloc'd: the system hands out zeroed pages lazily, so sizing a large window costs
    // nothing until a paint touches the pixels.
    struct Free {
        void operator()(orbo::tk::RGBA* p) const;
    };
    std::unique_ptr<orbo::tk::RGBA[], Free> framebuffer_;
    int width_ = 0, height_ = 0; // device pixels
    int logicalW_ = 0, logicalH_ = 0;
    int scale_ = 1;
    int failedW_ = -1, failedH_ = -1; // the device size whose allocation failed last
    // Per window row, the runs of columns lo .. hi - 1 that hold this pass's pixels, left to
    // right, apart; the rest of the row is stale and reads as transparent. None at the start of
    // a paint pass, one over the whole row once settled. Mutable: settling changes no pixel's
    // meaning.
    struct Runs {
        int n;
        int lo[2], hi[2];
    };
    mutable std::vector<Runs> drawn_;
    std::uint64_t backdropsKept_ = 0;
    // Per window row, what the columns outside its runs show: null for transparent black, else
    // a row of the backdrop (or of its mapping) behind the pass's drawing.
    mutable std::vector<const Shown*> under_;
    // Per window row, what the frame shows since it was last settled, so that the next pass
    // writes only what may differ: outside the columns drawn on before, the row shows what was
    // under them. Unknown after writes through framebuffer(), for rows settled halfway through
    // a pass, where a row's mapping of the backdrop changes, and when a backdrop is kept anew.
    // And the columns written since the last clearDamage().
    struct Memo {
        const Shown* shown; // null: transparent black
        Runs stale;         // the columns the pass drew on
        bool known;
        int damageLo, damageHi;
    };
    mutable std::vector<Memo> memo_;
    mutable bool unsettled_ = false;
    mutable bool underSet_ = false; // some row shows a backdrop
    Mode mode_ = Mode::Normal;
    // The kept backdrop, rows top-down, and per row its mapping kept by mapRow.
    struct Backdrop {
        std::uint64_t key = 0;
        int w = 0, h = 0;         // 0 x 0: nothing kept
        int seenW = 0, seenH = 0; // the frame's size at the last backdrop
        std::vector<orbo::tk::RGBA> pixels, mapped;
        std::vector<Shown> shown, shownMapped; // per row, of pixels and of mapped
        std::vector<Runs> runs; // keeping: the kept frame's; behind: the pass's when it began
        struct Mapping {
            std::uint64_t tag;
            int x0, x1; // 0, 0: none
        };
        std::vector<Mapping> mappings;
    } backdrop_;
    orbo::tk::RGBA colour_{0xFFFFFFFFu};
    std::unique_ptr<wxBitmap> measureBitmap_, drawBitmap_;
    std::unique_ptr<wxMemoryDC> measureDC_, drawDC_;

    bool inPass_ = false;
    bool incomplete_ = false;

    // What a suspended pass resumes with: its own state, and the tree it began with.
    struct SuspendedPass {
        bool incomplete;
        boost::shared_ptr<Box> root, current;
        int openCounter;
        std::vector<Node> tree, lastTree;
        std::vector<Description> descriptions, lastDescriptions;
        std::vector<std::pair<BoxKey, int>> lastIndex;
        int lastHold;
        wxEvent* event;
        wxEventType eventType;
        int keyCode, unicodeKey, wheel, mouseX, mouseY;
        bool ctrl, shift, alt, meta, skipped, pointerInside;
        BoxKey hotKey;
        int hotIndex;
        Targets targets;
        ControlID claim;
        int secretTyped;
        bool returnReleased, escapePassed, imageBlend;
        std::wstring tooltip;
        orbo::tk::RGBA colour;
    };
    std::vector<SuspendedPass> suspended_;
    bool suspend();
    void resume();
};

} // namespace orbotk
