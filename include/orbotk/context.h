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
#include "orbotk/frame.h"
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
private:
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
        bool text;
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
    // Where the wheel and the right button go, and the box holding the pointer (see
    // Box::holdPointer) with whether the pointer is outside it and its children.
    struct Targets {
        BoxKey wheel = 0, right = 0, hold = 0;
        bool outside = false;
    };
    // The state of the pass in progress: its event, its boxes, the tree it began with, what it
    // claimed and drew with. Suspending a pass keeps a copy of it (the passes run meanwhile go on
    // from there, with boxes and a tree of their own); resuming puts the copy back.
    struct Pass {
        bool incomplete = false; // the procedure failed: the last tree and focus stay
        boost::shared_ptr<Box> root, current;
        int openCounter = 0;
        std::vector<Node> tree, lastTree;
        std::vector<Description> descriptions, lastDescriptions;
        // key -> front-most close index in lastTree, open addressing (0 marks a free slot)
        std::vector<std::pair<BoxKey, int>> lastIndex;
        int lastHold = -1; // close index in lastTree of the box holding the pointer, or -1
        wxEvent* event = nullptr;
        wxEventType eventType = wxEVT_NULL;
        int keyCode = 0, unicodeKey = 0, wheel = 0, shortcutKey = 0;
        int mouseX = -1, mouseY = -1;
        bool ctrl = false, shift = false, alt = false, meta = false;
        bool skipped = false, pointerInside = false;
        BoxKey hotKey = 0;
        int hotIndex = -1;
        Targets targets;
        ControlID claim;
        int secretTyped = 0;
        bool returnReleased = false, escapePassed = false, imageBlend = true;
        std::wstring tooltip;
        orbo::tk::RGBA colour{0xFFFFFFFFu};
        std::uint64_t number = 0;
    } pass_;

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
    // Whether the window is alive and takes input. Every widget asks, each pass: it reads the
    // window without locking the weak handle.
    bool windowEnabled() const;

    // Callback slots. Confirmations default to allowing.
    void setUIProcedure(const Procedure& p) { procedure_ = p; }
    void setConfirmClose(const Confirm& c) { confirmClose_ = c; }
    void setConfirmSuspend(const Confirm& c) { confirmSuspend_ = c; }
    bool confirmClose() const { return confirmClose_ ? confirmClose_() : true; }
    bool confirmSuspend() const { return confirmSuspend_ ? confirmSuspend_() : true; }

    // The client-area box of the pass in progress, and the box entered last.
    // References: these are asked for by every widget, and a copy costs two atomic counts.
    // Entering or leaving a box changes what current() refers to; keep a copy across that.
    const boost::shared_ptr<Box>& root() const { return pass_.root; }
    const boost::shared_ptr<Box>& current() const { return pass_.current; }

    // ---- The event in progress (null outside passes).
    wxEvent* event() const { return pass_.event; }
    wxEventType eventType() const { return pass_.eventType; }
    bool isPaint() const { return pass_.eventType == wxEVT_PAINT; }
    // Work a widget leaves for when nothing else happens (measuring a long text, say): a pass
    // that asks gets an idle pass (its event type wxEVT_IDLE, nothing drawn) once the event
    // queue is empty, and another after it for as long as the last pass asked.
    void wantIdle() { idleWanted_ = true; }
    bool idleWanted() const { return idleWanted_; }
    bool isIdle() const { return pass_.eventType == wxEVT_IDLE; }
    wxMouseEvent* mouseEvent() const; // null unless the event is a mouse event
    int keyCode() const { return pass_.keyCode; }
    // The character a key or character event carries (wxKeyEvent::GetUnicodeKey): WXK_NONE
    // for keys that produce none (arrows, function keys), a control code for Ctrl+letter.
    int unicodeKey() const { return pass_.unicodeKey; }
    bool ctrlDown() const { return pass_.ctrl; }
    bool shiftDown() const { return pass_.shift; }
    bool altDown() const { return pass_.alt; }
    bool metaDown() const { return pass_.meta; }
    // Hands the event on to the window's default processing after the pass.
    void skipEvent(bool skip = true);
    bool eventSkipped() const { return pass_.skipped; }
    // The pointer in window pixels, kept from the last mouse event.
    int mouseX() const { return pass_.mouseX; }
    int mouseY() const { return pass_.mouseY; }
    bool pointerInside() const { return pass_.pointerInside; }
    // A left drag is in progress; the pointer's x when the button went down.
    bool leftDragFlag() const { return drags_[0].dragging; }
    int dragStartX() const { return leftPressX_; }

    // ---- Controls recorded between passes.
    ControlID focusedID() const { return focused_; }
    // The control that asked for focus in this pass; empty at the start of every pass, it
    // becomes the focused control at the end.
    ControlID focusClaim() const { return pass_.claim; }
    ControlID activeID() const { return activeID_; }
    // A press made a control active and has not been released yet.
    bool pressing() const { return activeKey_ != 0; }
    // Whether the focused control hides what is typed into it (it marked its box secret in the
    // last complete pass), and how many characters such a control took (typed or pasted) since
    // the last pass began or the count was last taken: what a recording writes in place of the
    // keys.
    bool focusIsSecret() const;
    // Whether the focused control edits text (it marked its box so in the last complete pass).
    bool focusIsText() const;
    // The key a shortcut matches in this key event: the key code for keys with a Latin letter,
    // a digit or no character, and for a key that types another script the Latin letter the
    // keyboard has on the same key in another of its layouts (Ctrl+S on a Russian layout is
    // Ctrl+S), as the platform's own accelerators do; 0 outside key events.
    int shortcutKey() const { return pass_.shortcutKey; }
    // Counts the passes of the window, this one included. A pass suspended while a loop it
    // opened runs passes of its own keeps its number when it resumes.
    std::uint64_t passNumber() const { return pass_.number; }
    void noteSecretTyped(int n) { pass_.secretTyped += n; }
    int takeSecretTyped() { return std::exchange(pass_.secretTyped, 0); }
    // The combo box whose list is open; the anonymous identity when none is.
    ControlID openCombo;
    // Set by a text box when Return is released in it. It holds for the rest of that one pass
    // (so a scene can submit a form after its fields) and is false in every other pass: the
    // toolkit clears it when a pass begins.
    bool& returnReleased = pass_.returnReleased;
    // Set by a focused control that had no use for an Escape key it received (a text field with
    // nothing selected), so that the window may act on it as if nothing were focused: a dialog
    // closes. Cleared when a pass begins.
    bool& escapePassed = pass_.escapePassed;
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
    // A widget whose part under the pointer answers a drag (a divider) asks for the pointer's
    // shape in every pass of the pointer (a wxStockCursor); after each pass of pointer input
    // the window shows the shape its last asking named, or its own when none asked.
    void showCursor(int stockCursor) { cursor_ = stockCursor; }
    int cursor() const { return cursor_; }
    bool hoverChanged() const {
        return pass_.hotKey != paintedHot_ || hoverPart_ != paintedHoverPart_;
    }

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
    int W() const { return frame_.W(); }
    int H() const { return frame_.H(); }
    // The frame the passes draw on (orbotk/frame.h), and the parts of it the renderer, the
    // presenter and hosts reach through the context.
    Frame& frame() { return frame_; }
    const Frame& frame() const { return frame_; }
    int scale() const { return frame_.scale(); }
    int frameW() const { return frame_.frameW(); }
    int frameH() const { return frame_.frameH(); }
    orbo::tk::RGBA* framebuffer() { return frame_.framebuffer(); }
    const orbo::tk::RGBA* framebuffer() const { return frame_.framebuffer(); }
    template <typename Fresh, typename Drawn>
    void drawRow(int y, int x0, int x1, Fresh fresh, Drawn drawn) {
        frame_.drawRow(y, x0, x1, fresh, drawn);
    }
    template <typename Drawn> void drawRow(int y, int x0, int x1, Drawn drawn) {
        frame_.drawRow(y, x0, x1, drawn);
    }
    template <typename Fresh, typename Map>
    void mapRow(int y, int x0, int x1, std::uint64_t tag, Fresh fresh, Map map) {
        frame_.mapRow(y, x0, x1, tag, fresh, map);
    }
    void damage(int y, int& lo, int& hi) const { frame_.damage(y, lo, hi); }
    void clearDamage() { frame_.clearDamage(); }
    std::uint64_t backdropsKept() const { return frame_.backdropsKept(); }
    // A backdrop (Frame::drawBackdrop) that also stays the same while the current box, the
    // colour and the image blend flag do: drawn in paint passes only, and kept by that key.
    template <typename Draw> void drawBackdrop(std::uint64_t key, Draw draw) {
        const bool paint = isPaint() && pass_.current;
        if (paint) {
            const std::int64_t parts[] = {pass_.current->x, pass_.current->y,  pass_.current->w,
                                          pass_.current->h, pass_.colour.word, imageBlend ? 1 : 0};
            for (std::int64_t v : parts)
                key = (key ^ static_cast<std::uint64_t>(v)) * 0x100000001b3ull;
        }
        frame_.drawBackdrop(key, paint, draw);
    }

    // Fill colour, text colour and image tint. Opaque white at the start of every pass.
    orbo::tk::RGBA colour() const { return pass_.colour; }
    void setColour(const orbo::tk::RGBA& c) { pass_.colour = c; }
    // Set: images blend; clear: they overwrite.
    bool& imageBlend = pass_.imageBlend;
    // Device contexts with the screen's font metrics: one for measuring text, one to draw it in.
    wxDC& measureDC();
    wxDC& drawDC();

    // Buffers the drawing code reuses from pass to pass, so that a warm pass allocates nothing,
    // one set per window. Each has one user at a time: whoever fills one uses it up before
    // calling anything that fills it again.
    struct Scratch {
        std::wstring label;                                       // a label's fitted text
        std::wstring field;                                       // a text field's shown text
        std::wstring line;                                        // a text area's line
        std::vector<std::pair<float, float>> pieces, fieldPieces; // laid-out pieces of text
        std::vector<std::pair<int, int>> ranges;
        std::vector<float> cutsH, cutsV; // a nine-patch's cell edges
    } scratch;

    // Shown as the window's tooltip after the pass; empty at the start of every pass.
    std::wstring& tooltip = pass_.tooltip;

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
    void markPassIncomplete() { pass_.incomplete = true; }
    bool inPass() const { return inPass_; }
    // Sizes the framebuffer to the window's client area, w x h logical pixels at the given
    // device scale (content is not kept). When the memory cannot be had, it logs the failure,
    // leaves the framebuffer empty (0 x 0, so passes draw nothing) and returns false.
    bool resizeFramebuffer(int w, int h, int scale = 1);

private:
    friend class Box;
    friend class Window;
    UIContext();

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

    boost::weak_ptr<Window> window_;
    Window* windowPointer_ = nullptr; // window_'s, valid while window_ has not expired
    Procedure procedure_;
    Confirm confirmClose_, confirmSuspend_;

    bool buttonDown_[3] = {false, false, false};
    DragState drags_[3];
    int leftPressX_ = 0;

    int hoverPart_ = -1;
    int cursor_ = 0; // wxCURSOR_NONE: the window's own
    // The hot box and hovered part as the last paint pass drew them.
    BoxKey paintedHot_ = 0;
    int paintedHoverPart_ = -1;
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
    bool accessibility_ = false;

    Frame frame_;
    std::unique_ptr<wxBitmap> measureBitmap_, drawBitmap_;
    std::unique_ptr<wxMemoryDC> measureDC_, drawDC_;

    bool inPass_ = false;
    bool idleWanted_ = false;
    std::uint64_t passesBegun_ = 0;

    std::vector<Pass> suspended_; // passes suspended, innermost last
    bool suspend();
    void resume();
};

} // namespace orbotk
