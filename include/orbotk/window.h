// The toolkit's top-level window: a frameless dialog (so ShowModal and EndModal work) whose
// whole client area is one canvas. Every event the canvas receives becomes exactly one pass of
// the window's context; paint passes are presented from the context's framebuffer. The window
// also does what a pass cannot do by itself: Tab focus moves, mouse capture while a button is
// held, moving the window with the pointer, tooltips, deferred calls and the close protocol.
#pragma once

#include "orbotk/accessible.h"
#include <atomic>
#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/timer.h>

class wxEventLoopBase;

namespace orbotk {

class UIContext;
class Window;
struct PresentSurface;
class X11Presenter;
class AccessibleTree;

// Watches every toolkit window of the process (see Window::addObserver), for tools that must
// follow a whole application rather than one window: fuzzers, the soak run and recorders, which
// act inside modal loops the application opens by itself. Callbacks run on the UI thread.
class WindowObserver {
public:
    virtual ~WindowObserver() = default;
    // At the end of the window's construction.
    virtual void windowOpened(Window&) {}
    // Each input event (mouse, keys, focus, size) as it reaches the window, before its pass.
    virtual void eventReceived(Window&, const wxEvent&) {}
    // The same event once the window has handled it (after its pass, if it ran one).
    virtual void eventHandled(Window&, const wxEvent&) {}
    // After each paint pass that ran, with the new frame in the framebuffer.
    virtual void framePainted(Window&) {}
    // From inside the window's modal loop, once the loop runs and before any event reaches it.
    virtual void modalLoopRunning(Window&) {}
    // When ShowModal returns, with its result.
    virtual void modalLoopEnded(Window&, int) {}
    // When a chooser run over the window (Window::choose) closes, with what it returns.
    virtual void chooserAnswered(Window&, const std::vector<std::wstring>&) {}
};

struct Chooser;

class Window : public wxDialog {
public:
    // The largest width or height a window can have: GTK refuses anything larger. Larger
    // requests are clamped to it, with a log line.
    static constexpr int MAX_SIDE = 32767;
    // The largest device scale a frame is drawn at.
    static constexpr int MAX_SCALE = 4;

    // The window keeps the context alive; hand it out through context().
    Window(wxWindow* parent, const wxString& title);
    ~Window() override;

    boost::shared_ptr<UIContext> context() const { return context_; }
    // A reference-counted handle on this window; it expires when the window is destroyed.
    boost::weak_ptr<Window> handle() const { return self_; }
    // The window area that receives input and shows the framebuffer.
    wxWindow* canvas() const { return canvas_; }

    // The title, kept here as well so that the chrome reads it in every paint without a copy.
    void SetTitle(const wxString& title) override;
    const std::wstring& title() const { return title_; }

    // Runs f later on the UI thread, after the event being handled, and repaints after it.
    void postEval(const boost::function<void()>& f);
    // Runs a pass of no input later on the UI thread, and repaints after it: the pass in which
    // a widget reports what was settled outside any pass (an item chosen in a menu that ran
    // its own loop), so that the host hears it where it can act as on input.
    void postPass();
    // The window follows the pointer until the left button is released. event is the press.
    // For a press from the platform the desktop moves the window, once the pointer has moved
    // past the drag threshold; for synthetic input the window moves itself.
    void beginDrag(wxMouseEvent& event);
    bool windowDragging() const { return dragging_; }

    // Runs the platform's chooser over this window, modally, and returns the paths chosen (a
    // colour as "#rrggbb"); none when the user cancelled. A save chooser asks before a file is
    // overwritten. The window's passes go on while it is open; a pass that opened it is
    // suspended until it closes.
    std::vector<std::wstring> choose(const Chooser& chooser);

    // Shows menu below a title of a menu bar and runs it as PopupMenu does, with the bar's
    // ways of moving on: the pointer over another title, Left in the menu, or Right on an item
    // without a submenu close it and name the title to open next. titles are the bar's titles
    // in window pixels (an empty rectangle for a disabled one), open the menu's own;
    // selectFirst selects its first item, as for a menu opened from the keyboard.
    struct MenuMove {
        int title = -1; // -1: the menu closed otherwise (an item chosen, Escape, a press away)
        bool byKey = false;
    };
    MenuMove popupBarMenu(wxMenu& menu, const std::vector<wxRect>& titles, int open,
                          bool selectFirst);

    // The modal loop. A window closed inside its own loop is destroyed after the loop has
    // returned, never under it. On a display without a seat (a headless compositor) the
    // platform's loop would release a pointer that does not exist; there the window runs a
    // loop of its own, with the other windows disabled as a modal grab would leave them.
    int ShowModal() override;
    void EndModal(int code) override;
    bool IsModal() const override;
    // A window that somebody still holds a strong handle on is hidden, and destroyed once the
    // last such handle is released, so that a handle never outlives its window.
    bool Destroy() override;

    // What the desktop takes the window for: a normal top-level window (its own taskbar entry,
    // minimised and maximised by the desktop's keys), the default, or a dialog, transient for
    // its parent. Set it before the window is first shown.
    enum class Kind { Normal, Dialog };
    void setKind(Kind kind);
    Kind kind() const { return kind_; }
    // A resizable window may be made as small as minW x minH logical pixels and as large as
    // the screen: the user drags its edges and corners (a band of RESIZE_BAND pixels along the
    // frame, where the cursor shows the direction) or maximises it. minW or minH 0 fixes the
    // window at its size again, as it starts.
    static constexpr int RESIZE_BAND = 4;
    void setResizable(int minW, int minH);
    bool resizable() const { return minW_ > 0 && minH_ > 0; }

    // Observers of every window; the caller keeps each alive until it is removed.
    static void addObserver(WindowObserver* observer);
    static void removeObserver(WindowObserver* observer);

    // The result ShowModal returns when the window is closed without EndModal.
    int escapeResult() const { return escapeResult_; }
    void setEscapeResult(int code) { escapeResult_ = code; }

    // Paint-pass statistics, in milliseconds.
    std::int64_t lastFrameMs() const { return lastFrameMs_; }
    std::int64_t totalFrameMs() const { return totalFrameMs_; }
    std::int64_t longestFrameMs() const { return longestFrameMs_; }
    std::int64_t frameCount() const { return frameCount_; }

    // Asks for a repaint (see repaint()), once however often it is called before the repaint
    // runs; the count lets tests see that a widget asked for it.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;
    // A paint pass now, put on the screen. On X11 the frame goes straight to the canvas's X
    // window, outside GTK's paint cycle, through memory shared with the server where it
    // allows; elsewhere GTK repaints the canvas at once. Nothing while the canvas is not
    // shown. ORBOTK_PRESENT=gtk always paints through GTK, =upload never shares memory.
    void repaint();
    // Whether frames go straight to the X window (known once the canvas has been shown).
    bool presentsDirectly() { return presenter() != nullptr; }
    std::int64_t refreshRequests() const { return refreshRequests_; }
    // A repaint for state that changed outside the window's input: a timer, a download
    // finishing, another thread. Safe to call from any thread while the window exists; a
    // request from another thread reaches the UI thread through its event queue. Input needs
    // none: after every pass of a key, button, wheel or focus event the window repaints by
    // itself, and after a motion pass when what lies under the pointer changed. Neither this
    // nor the window's own repaints count among refreshRequests().
    void requestRepaint();
    // A repaint was asked for (by Refresh, requestRepaint or the window's own rule) and no
    // paint pass has run since: what the platform would paint next.
    bool paintDue() const { return paintDue_; }
    // The cursor applies to the canvas as well, which covers the whole window.
    bool SetCursor(const wxCursor& cursor) override;

    // Device pixels per logical pixel for this window's frame: the scale GTK gives the canvas
    // (1, 2 or 3 on GTK 3, following the monitor the window is on and the desktop's setting),
    // unless overridden. Each pass reads it, so a window moved to a monitor of another scale
    // draws its next frame at that scale. The override (0 follows the platform again) is for
    // tests and screenshots: the frame is drawn at that scale whatever the screen, and shown
    // through GTK, which fits it to the screen. ORBOTK_SCALE=N overrides every window's scale.
    int deviceScale() const;
    // What the window is to assistive technologies: Role::Dialog, Role::Alert (a message box,
    // with its message as its description), or a frame (Role::None, the default).
    void setAccessibleRole(Role role, const std::wstring& description = std::wstring());
    void overrideScale(int scale);

    // One paint pass into the framebuffer; presented into dc when given.
    void paintPass(wxDC* dc);
    // One pass for any other event, with the toolkit's own handling around it. This is the
    // entry point of every canvas event handler.
    void dispatch(wxEvent& event);

protected:
    // Every size change goes through these two: the place to keep sizes within MAX_SIDE.
    void DoSetSize(int x, int y, int width, int height, int sizeFlags) override;
    void DoSetClientSize(int width, int height) override;

private:
    void onPaint(wxPaintEvent& event);
    void onEvent(wxEvent& event);
    void onCaptureLost(wxMouseCaptureLostEvent& event);
    void onClose(wxCloseEvent& event);
    void onSize(wxSizeEvent& event);
    void onIdleDestroy(wxIdleEvent& event);
    void onIdle(wxIdleEvent& event);
    void onModalStarted(wxTimerEvent& event);
    // GTK restyled the canvas (another theme, its dark variant): the theme's background may
    // have changed.
    static void onStyleUpdated(void* widget, void* self);
    template <typename F> void tellObservers(F tell);
    void tellChooserAnswered(const std::vector<std::wstring>& answer);
    // Whether a strong handle besides the window's own is alive.
    bool held() const;
    void present(wxDC& dc);
    X11Presenter* presenter();
    bool presentDirect();
    // The canvas's background colour as 0x00RRGGBB: what transparent pixels show.
    std::uint32_t background() const;
    // The frame as 0x00RRGGBB rows.
    void writeFrame(std::uint32_t* out, int stride) const;
    void paint(wxDC* dc, bool direct);
    // Sizes the context's frame to the canvas at the device scale, outside passes.
    void sizeFrame();
    // GTK's scale of the canvas changed: the next frame is drawn at the new one.
    static void onScaleChanged(void* widget, void* spec, void* self);
    // Realized, the canvas has a scale of its own rather than the first monitor's.
    static void onRealized(void* widget, void* self);
    void applyAfterPass();
    // Whether a pass of this event may have changed what the window shows.
    bool showsChange(wxEventType type) const;
    // paintDue_ set, and the repaint queued when presenting directly (true) or left to the
    // caller (false); scheduleRepaint leaves it to GTK.
    bool queueRepaint();
    void scheduleRepaint();
    // The canvas's input method: key releases fed to it (wxWidgets feeds it presses only),
    // its composition kept in the context, its candidate window placed at the focused field's
    // caret, and none at all while a password field has the focus.
    void feedInputMethod(wxEvent& event);
    void followInputMethod();
    static void onPreeditChanged(void* context, void* self);
    // Around each commit of the input method: before the platform's handler turns it into
    // character events (an emission hook, which runs before any handler), and after it.
    static int onCommitStarts(void* hint, unsigned n, const void* values, void* self);
    static void onCommitEnded(void* context, const char* text, void* self);
    void updateCapture(wxEvent& event);
    void followDrag(wxMouseEvent& event);
    // A press on the move area is pending: past the drag threshold the desktop's move starts.
    void followMove(wxMouseEvent& event);
    // The platform's resize drag for a press in the band along the frame, and the band's
    // cursors; true when the event was the band's and no pass should see it.
    bool resizeFromEdge(wxMouseEvent& event);

    wxWindow* canvas_ = nullptr;
    // The frame as the screen takes it, kept from frame to frame and rewritten in place.
    std::unique_ptr<PresentSurface> surface_;
    std::unique_ptr<X11Presenter> direct_;
    std::unique_ptr<AccessibleTree> accessible_; // the controls, to assistive technologies
    bool directTried_ = false;           // direct_ was asked for, once the canvas was on screen
    bool directWorks_ = false;           // the last repaint went straight to the X window
    std::uint32_t directBackground_ = 0; // the background direct_'s image was converted over
    mutable std::int64_t themeBackground_ = -1;   // the theme's background, -1 until asked
    bool repaintQueued_ = false;                  // a repaint() is due from the event loop
    bool paintDue_ = false;                       // asked for and not yet painted
    std::atomic<bool> crossThreadRepaint_{false}; // requestRepaint from another thread, queued
    int scaleOverride_ = 0;                       // 0: the platform's scale
    // The platform's scale, asked of GTK again only when GTK says it changed or the canvas is
    // realized (0: ask).
    mutable int platformScale_ = 0;
    boost::shared_ptr<UIContext> context_;
    boost::shared_ptr<Window> self_;
    int escapeResult_ = wxID_CANCEL;
    int modalDepth_ = 0;
    wxEventLoopBase* seatlessLoop_ = nullptr; // the loop of our own, while it runs
    bool seatlessModal_ = false;              // ... and until EndModal ends it
    // Fires once the modal loop runs; see onModalStarted.
    wxTimer modalStarted_;
    bool destroyAfterModal_ = false;
    bool destroyWhenReleased_ = false;
    std::wstring shownTooltip_;
    std::wstring title_;

    Kind kind_ = Kind::Dialog;
    int minW_ = 0, minH_ = 0;
    int passCursor_ = 0; // the shape a pass asked for and the canvas shows; 0: the window's own
    int edgeShown_ = -1; // the resize edge whose cursor the canvas shows; -1: the window's own
    void* inputMethod_ = nullptr;  // the canvas's GtkIMContext, kept while it is switched off
    std::uint64_t imFocus_ = 0;    // the focused control the method last composed for
    unsigned long commitHook_ = 0; // onCommitStarts, while inputMethod_ is set

    bool dragging_ = false;
    wxPoint dragGrab_;         // the pointer in window coordinates when the drag began
    bool movePending_ = false; // a platform press on the move area, not yet past the threshold
    int moveButton_ = 1;
    wxPoint movePress_, moveFrom_; // the press on the screen and in the window

    std::int64_t lastFrameMs_ = 0, totalFrameMs_ = 0, longestFrameMs_ = 0, frameCount_ = 0;
    std::int64_t refreshRequests_ = 0;

    friend class UIContext;
};

} // namespace orbotk
