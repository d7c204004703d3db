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
#include <memory>
#include <string>
#include <unordered_map>
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
    // The combo box whose list is open; the anonymous identity when none is.
    ControlID openCombo;
    // Set by a text box when Return is released in it. It holds for the rest of that one pass
    // (so a scene can submit a form after its fields) and is false in every other pass: the
    // toolkit clears it when a pass begins.
    bool returnReleased = false;

    // Moves focus to the next (or previous) focusable control of the last pass, wrapping.
    void moveFocus(bool forward);

    // Gives id the keyboard focus at once, for the rest of this pass and after it, whether or
    // not a control of that name has been laid out yet; the anonymous identity clears the
    // focus. A pass that then lays out no focusable control of that name ends the focus.
    void setFocusedID(const ControlID& id);

    // ---- Controls of the last complete pass, by name (for tests and hosts that drive a
    // window). The front-most box of that name; false when the last pass had none.
    bool findControl(const std::wstring& name, int& x, int& y, int& w, int& h) const;
    // Gives the named control keyboard focus, as Tab would. Throws std::invalid_argument when
    // the last pass had no control of that name, or had it disabled.
    void focusControl(const std::wstring& name);

    // ---- Drawing state.
    int W() const { return width_; }
    int H() const { return height_; }
    // W x H premultiplied pixels, rows bottom-up: window pixel (x, y) is [(H - 1 - y) * W + x].
    // During a paint pass the frame reads as cleared at the start of the pass plus whatever has
    // been drawn since.
    orbo::tk::RGBA* framebuffer() {
        settle();
        return framebuffer_.get();
    }
    const orbo::tk::RGBA* framebuffer() const {
        settle();
        return framebuffer_.get();
    }

    // Drawing on window row y (0 <= y < H), columns x0 .. x1 - 1 (within 0 .. W). A paint pass
    // does not clear the frame up front: each row keeps the runs of columns drawn on so far in
    // the pass, and the rest of the row reads as transparent. Columns a .. a + n - 1 not drawn
    // on yet are handed to fresh(row, a, n), which must write them as if drawing onto
    // transparent black (for most operations a plain store: that saves the clear and a read of
    // every pixel); the others go to drawn(row, a, n). row is the row's first pixel. A row keeps
    // two runs (a window's left and right edges are drawn before what lies between them); a
    // third is joined to its nearest by clearing the columns between. What nothing drew on is
    // cleared when the pass ends.
    template <typename Fresh, typename Drawn>
    void drawRow(int y, int x0, int x1, Fresh fresh, Drawn drawn) {
        if (x0 >= x1)
            return;
        orbo::tk::RGBA* row =
            framebuffer_.get() + static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_);
        Runs& r = drawn_[static_cast<size_t>(y)];
        if (r.n == 0) { // the first drawing on the row
            fresh(row, x0, x1 - x0);
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
                fresh(row, at, r.lo[i] - at);
            const int from = std::max(at, r.lo[i]);
            at = std::min(x1, r.hi[i]);
            drawn(row, from, at - from);
        }
        if (at < x1)
            fresh(row, at, x1 - at);
        addRun(row, r, x0, x1);
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
    // was already running (a modal loop started from a pass) and so was not handled.
    bool runPass(wxEvent& event);
    // A pass whose procedure failed keeps the last complete tree and focus.
    void markPassIncomplete() { incomplete_ = true; }
    bool inPass() const { return inPass_; }
    // Sizes the framebuffer to the window's client area (content is not kept). When the memory
    // cannot be had, it logs the failure, leaves the framebuffer empty (0 x 0, so passes draw
    // nothing) and returns false.
    bool resizeFramebuffer(int w, int h);

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
    void indexLastTree();
    const Node* lastNode(BoxKey key) const;
    int lastCloseIndex(BoxKey key) const;
    void closeBox(Box& box);
    static void clear(orbo::tk::RGBA* p, int n);
    struct Runs;
    static void addRun(orbo::tk::RGBA* row, Runs& r, int x0, int x1);
    void settle() const;

    boost::weak_ptr<Window> window_;
    Procedure procedure_;
    Confirm confirmClose_, confirmSuspend_;

    boost::shared_ptr<Box> root_, current_;
    int openCounter_ = 0;
    std::vector<Node> tree_, lastTree_;
    // key -> front-most close index in lastTree_, open addressing (0 marks a free slot)
    std::vector<std::pair<BoxKey, int>> lastIndex_;

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
    BoxKey activeKey_ = 0;
    ControlID activeID_;
    BoxKey focusKey_ = 0;
    ControlID focused_;
    ControlID claim_;

    // calloc'd: the system hands out zeroed pages lazily, so sizing a large window costs
    // nothing until a paint touches the pixels.
    struct Free {
        void operator()(orbo::tk::RGBA* p) const;
    };
    std::unique_ptr<orbo::tk::RGBA[], Free> framebuffer_;
    int width_ = 0, height_ = 0;
    int failedW_ = -1, failedH_ = -1; // the size whose allocation failed last
    // Per window row, the runs of columns lo .. hi - 1 that hold this pass's pixels, left to
    // right, apart; the rest of the row is stale and reads as transparent. None at the start of
    // a paint pass, one over the whole row once settled. Mutable: settling changes no pixel's
    // meaning.
    struct Runs {
        int n;
        int lo[2], hi[2];
    };
    mutable std::vector<Runs> drawn_;
    mutable bool unsettled_ = false;
    orbo::tk::RGBA colour_{0xFFFFFFFFu};
    std::unique_ptr<wxBitmap> measureBitmap_, drawBitmap_;
    std::unique_ptr<wxMemoryDC> measureDC_, drawDC_;

    bool inPass_ = false;
    bool incomplete_ = false;
};

} // namespace orbotk
