// The top-level window: event plumbing between wxWidgets and the context's passes, and the
// window-level behaviour around passes (Tab focus, capture, window drags and moves, resizing,
// tooltips, closing, modal loops). Presenting and the input method are in their own files.
#include "orbotk/window.h"

#include "accessibility.h"
#include "orbotk/context.h"
#include "orboutil/log.h"
#include "present_surface.h"
#include "x11_present.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <gtk/gtk.h>
#include <vector>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/evtloop.h>
#include <wx/thread.h>

namespace orbotk {

namespace {
// Everything a canvas turns into a pass, besides paint.
const wxEventType passEvents[] = {
    wxEVT_MOTION,       wxEVT_LEFT_DOWN,    wxEVT_LEFT_UP,       wxEVT_LEFT_DCLICK,
    wxEVT_MIDDLE_DOWN,  wxEVT_MIDDLE_UP,    wxEVT_MIDDLE_DCLICK, wxEVT_RIGHT_DOWN,
    wxEVT_RIGHT_UP,     wxEVT_RIGHT_DCLICK, wxEVT_MOUSEWHEEL,    wxEVT_ENTER_WINDOW,
    wxEVT_LEAVE_WINDOW, wxEVT_KEY_DOWN,     wxEVT_KEY_UP,        wxEVT_CHAR,
    wxEVT_SET_FOCUS,    wxEVT_KILL_FOCUS,   wxEVT_SIZE};

bool isButtonDown(wxEventType t) {
    return t == wxEVT_LEFT_DOWN || t == wxEVT_LEFT_DCLICK || t == wxEVT_MIDDLE_DOWN ||
           t == wxEVT_MIDDLE_DCLICK || t == wxEVT_RIGHT_DOWN || t == wxEVT_RIGHT_DCLICK;
}

bool isButtonUp(wxEventType t) {
    return t == wxEVT_LEFT_UP || t == wxEVT_MIDDLE_UP || t == wxEVT_RIGHT_UP;
}

// What a paint pass sees as its event. wxPaintEvent itself can only be made by wxWidgets, and
// passes are also painted off-screen (for the driver), so the toolkit makes its own.
class PaintPassEvent : public wxEvent {
public:
    explicit PaintPassEvent(wxWindow* canvas) : wxEvent(canvas->GetId(), wxEVT_PAINT) {
        SetEventObject(canvas);
    }
    wxEvent* Clone() const override { return new PaintPassEvent(*this); }
};

bool isKey(wxEventType t) {
    return t == wxEVT_KEY_DOWN || t == wxEVT_KEY_UP || t == wxEVT_CHAR;
}
} // namespace

Window::Window(wxWindow* parent, const wxString& title)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE),
      title_(title.ToStdWstring()) {
    // Escape and the close box mean nothing to wxDialog here: the library decides.
    SetEscapeId(wxID_NONE);
    self_.reset(this, [](Window*) {}); // wxWidgets deletes the window; handles only observe it
    context_.reset(new UIContext);
    context_->window_ = self_;
    context_->windowPointer_ = this;

    canvas_ = new wxWindow(this, wxID_ANY, wxPoint(0, 0), GetClientSize(),
                           wxWANTS_CHARS | wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE);
    canvas_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas_->Bind(wxEVT_PAINT, &Window::onPaint, this);
    for (wxEventType t : passEvents)
        canvas_->Bind(t, &Window::onEvent, this);
    canvas_->Bind(wxEVT_MOUSE_CAPTURE_LOST, &Window::onCaptureLost, this);
    if (GtkWidget* widget = static_cast<GtkWidget*>(canvas_->GetHandle())) {
        g_signal_connect(widget, "notify::scale-factor", G_CALLBACK(&Window::onScaleChanged), this);
        g_signal_connect(widget, "realize", G_CALLBACK(&Window::onRealized), this);
        g_signal_connect(widget, "style-updated", G_CALLBACK(&Window::onStyleUpdated), this);
    }
    accessible_.reset(new AccessibleTree(*this));
    Bind(wxEVT_CLOSE_WINDOW, &Window::onClose, this);
    Bind(wxEVT_SIZE, &Window::onSize, this);
    modalStarted_.SetOwner(this);
    Bind(wxEVT_TIMER, &Window::onModalStarted, this, modalStarted_.GetId());
    wxTheApp->Bind(wxEVT_IDLE, &Window::onIdle, this);
    setKind(Kind::Normal);
    tellObservers([this](WindowObserver& o) { o.windowOpened(*this); });
}

Window::~Window() {
    // The canvas goes first, while this object is still whole: destroying it sends it focus
    // and size events, and those are routed here. They find no canvas and are ignored.
    accessible_.reset();
    if (wxWindow* canvas = canvas_) {
        if (GtkWidget* widget = static_cast<GtkWidget*>(canvas->GetHandle()))
            g_signal_handlers_disconnect_by_data(widget, this);
        if (canvas->HasCapture())
            canvas->ReleaseMouse();
        if (inputMethod_) {
            g_signal_remove_emission_hook(g_signal_lookup("commit", GTK_TYPE_IM_CONTEXT),
                                          commitHook_);
            g_signal_handlers_disconnect_by_data(inputMethod_, this);
            canvas->m_imContext = static_cast<GtkIMContext*>(inputMethod_); // wx frees its own
        }
        canvas_ = nullptr;
        canvas->Destroy();
    }
    // wxWidgets deletes a window's children with it. A child window still inside its modal
    // loop would be deleted under that loop: it is let go instead, ends its loop with its
    // escape result, and is destroyed when the loop has returned. One that somebody holds a
    // strong handle on is let go too, and destroyed once the handle is released.
    const wxWindowList children = GetChildren();
    for (wxWindow* child : children) {
        Window* w = dynamic_cast<Window*>(child);
        if (w == nullptr || (w->modalDepth_ == 0 && !w->held()))
            continue;
        w->Reparent(nullptr);
        if (w->modalDepth_ == 0) {
            w->Destroy();
            continue;
        }
        if (w->IsModal())
            w->EndModal(w->escapeResult_);
        w->destroyAfterModal_ = true;
        w->Hide();
    }
    if (destroyWhenReleased_)
        wxTheApp->Unbind(wxEVT_IDLE, &Window::onIdleDestroy, this);
    wxTheApp->Unbind(wxEVT_IDLE, &Window::onIdle, this);
    self_.reset();
}

void Window::SetTitle(const wxString& title) {
    title_ = title.ToStdWstring();
    wxDialog::SetTitle(title);
}

void Window::postEval(const boost::function<void()>& f) {
    // A deferred call finishes what an input began (a dialog's answer, a row deleted after
    // its menu closed), so the window repaints after it as after the input itself. The call
    // may run a modal loop in which this window is destroyed: the handle says whether it is.
    if (f)
        CallAfter([f, window = handle()]() {
            f();
            if (boost::shared_ptr<Window> w = window.lock())
                w->scheduleRepaint();
        });
}

void Window::postPass() {
    CallAfter([window = handle()]() {
        boost::shared_ptr<Window> w = window.lock();
        if (!w || !w->canvas_)
            return;
        wxCommandEvent event(wxEVT_MENU, w->canvas_->GetId());
        w->dispatch(event);
        if (boost::shared_ptr<Window> still = window.lock())
            still->scheduleRepaint();
    });
}

namespace {
// Whether the key event being handled came from the platform (the driver's have no GDK event).
bool platformKey() {
    GdkEvent* current = gtk_get_current_event();
    const bool key =
        current && (current->type == GDK_KEY_PRESS || current->type == GDK_KEY_RELEASE);
    if (current)
        gdk_event_free(current);
    return key;
}

// Takes the pointer for the canvas, so that a press followed out of the window still ends
// there. A display without a seat (a headless compositor with no input devices) has no
// pointer to take, and the platform's grab would fail on it: nothing is taken there.
bool hasSeat(wxWindow* w) {
    GdkDisplay* display = gtk_widget_get_display(static_cast<GtkWidget*>(w->GetHandle()));
    return display && gdk_display_get_default_seat(display);
}

void capture(wxWindow* canvas) {
    if (canvas->IsShownOnScreen() && !canvas->HasCapture() && hasSeat(canvas))
        canvas->CaptureMouse();
}
} // namespace

void Window::beginDrag(wxMouseEvent& event) {
    // A press the platform delivered: the desktop moves the window, as it does for its own
    // title bars, once the pointer has moved past the drag threshold (so that a double click
    // stays a double click). A Wayland compositor ignores a client placing its window, and
    // without a window manager GTK carries the move out itself.
    if (GdkEvent* current = gtk_get_current_event()) {
        const bool press = current->type == GDK_BUTTON_PRESS;
        if (press) {
            moveButton_ = static_cast<int>(current->button.button);
            movePress_ = wxPoint(static_cast<int>(current->button.x_root),
                                 static_cast<int>(current->button.y_root));
            moveFrom_ = event.GetPosition();
        }
        gdk_event_free(current);
        if (press && canvas_->IsShownOnScreen() && hasSeat(this)) {
            movePending_ = true;
            return;
        }
    }
    // Synthetic input (a test's driver): the window follows the pointer itself.
    dragging_ = true;
    dragGrab_ = event.GetPosition();
    capture(canvas_);
}

void Window::followMove(wxMouseEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type != wxEVT_MOTION || !event.LeftIsDown()) {
        if (type != wxEVT_MOTION)
            movePending_ = false;
        return;
    }
    gint threshold = 8;
    g_object_get(gtk_settings_get_default(), "gtk-dnd-drag-threshold", &threshold, nullptr);
    const wxPoint d = event.GetPosition() - moveFrom_;
    if (std::abs(d.x) <= threshold && std::abs(d.y) <= threshold)
        return;
    movePending_ = false;
    if (canvas_->HasCapture())
        canvas_->ReleaseMouse(); // the desktop takes the pointer for the move
    gtk_window_begin_move_drag(GTK_WINDOW(GetHandle()), moveButton_, movePress_.x, movePress_.y,
                               gtk_get_current_event_time());
}

void Window::followDrag(wxMouseEvent& event) {
    // The grab point stays under the pointer: window origin + pointer - grab.
    const wxPoint p = GetPosition() + event.GetPosition() - dragGrab_;
    Move(p.x, p.y, wxSIZE_USE_EXISTING);
}

void Window::Refresh(bool eraseBackground, const wxRect* rect) {
    ++refreshRequests_;
    if (queueRepaint())
        return;
    wxDialog::Refresh(eraseBackground, rect);
    if (canvas_)
        canvas_->Refresh(eraseBackground, rect);
}

bool Window::queueRepaint() {
    paintDue_ = true;
    // Presenting directly, the repaint runs from the event loop, once for all the requests
    // made until then (a pass's widgets each ask). A paint that ran meanwhile (an expose, or a
    // test's driver) already showed what they asked for.
    if (canvas_ && canvas_->IsShownOnScreen() && presenter()) {
        if (!repaintQueued_) {
            repaintQueued_ = true;
            CallAfter([this] {
                repaintQueued_ = false;
                if (paintDue_)
                    repaint();
            });
        }
        return true;
    }
    return false;
}

void Window::scheduleRepaint() {
    if (!queueRepaint() && canvas_)
        canvas_->Refresh(false);
}

void Window::requestRepaint() {
    if (wxThread::IsMain()) {
        scheduleRepaint();
        return;
    }
    // Queued events are the one thread-safe way into the UI thread; requests made before it
    // gets there become one.
    if (!crossThreadRepaint_.exchange(true))
        CallAfter([this] {
            crossThreadRepaint_ = false;
            scheduleRepaint();
        });
}

void Window::setKind(Kind kind) {
    kind_ = kind;
    if (GtkWindow* gtk = GTK_WINDOW(GetHandle()))
        gtk_window_set_type_hint(gtk, kind == Kind::Dialog ? GDK_WINDOW_TYPE_HINT_DIALOG
                                                           : GDK_WINDOW_TYPE_HINT_NORMAL);
}

void Window::setResizable(int minW, int minH) {
    minW_ = std::max(minW, 0);
    minH_ = std::max(minH, 0);
    GtkWindow* gtk = GTK_WINDOW(GetHandle());
    // A fixed window holds its size as its size request (as wxWidgets sizes fixed windows), a
    // resizable one its minimum size.
    const wxSize now = GetSize();
    if (resizable()) {
        gtk_widget_set_size_request(GTK_WIDGET(gtk), minW_, minH_);
        gtk_window_resize(gtk, now.x, now.y);
        gtk_window_set_resizable(gtk, TRUE);
        SetSizeHints(minW_, minH_);
    } else {
        minW_ = minH_ = 0;
        SetSizeHints(wxDefaultSize);
        gtk_window_set_resizable(gtk, FALSE);
        gtk_widget_set_size_request(GTK_WIDGET(gtk), now.x, now.y);
        gtk_window_resize(gtk, now.x, now.y);
    }
}

namespace {
// The edge or corner of a w x h window that a point in its resize band stands for, or -1. The
// corners reach a little further along each edge, so that they are easy to hit.
int resizeEdge(int x, int y, int w, int h) {
    const int band = Window::RESIZE_BAND, corner = 4 * Window::RESIZE_BAND;
    if (x < 0 || y < 0 || x >= w || y >= h)
        return -1;
    const bool nearLeft = x < band, nearRight = x >= w - band;
    const bool nearTop = y < band, nearBottom = y >= h - band;
    if (!nearLeft && !nearRight && !nearTop && !nearBottom)
        return -1;
    const bool left = nearLeft || ((nearTop || nearBottom) && x < corner);
    const bool right = nearRight || ((nearTop || nearBottom) && x >= w - corner);
    const bool top = nearTop || ((nearLeft || nearRight) && y < corner);
    const bool bottom = nearBottom || ((nearLeft || nearRight) && y >= h - corner);
    if (top)
        return left    ? GDK_WINDOW_EDGE_NORTH_WEST
               : right ? GDK_WINDOW_EDGE_NORTH_EAST
                       : GDK_WINDOW_EDGE_NORTH;
    if (bottom)
        return left    ? GDK_WINDOW_EDGE_SOUTH_WEST
               : right ? GDK_WINDOW_EDGE_SOUTH_EAST
                       : GDK_WINDOW_EDGE_SOUTH;
    return left ? GDK_WINDOW_EDGE_WEST : GDK_WINDOW_EDGE_EAST;
}

wxStockCursor edgeCursor(int edge) {
    switch (edge) {
    case GDK_WINDOW_EDGE_NORTH_WEST:
    case GDK_WINDOW_EDGE_SOUTH_EAST:
        return wxCURSOR_SIZENWSE;
    case GDK_WINDOW_EDGE_NORTH_EAST:
    case GDK_WINDOW_EDGE_SOUTH_WEST:
        return wxCURSOR_SIZENESW;
    case GDK_WINDOW_EDGE_NORTH:
    case GDK_WINDOW_EDGE_SOUTH:
        return wxCURSOR_SIZENS;
    default:
        return wxCURSOR_SIZEWE;
    }
}
} // namespace

bool Window::resizeFromEdge(wxMouseEvent& event) {
    const wxEventType type = event.GetEventType();
    const bool buttons = event.ButtonIsDown(wxMOUSE_BTN_ANY);
    const wxSize size = canvas_->GetClientSize();
    const int edge = resizable() && !dragging_ && !canvas_->HasCapture() &&
                             (type == wxEVT_LEFT_DOWN || (type == wxEVT_MOTION && !buttons))
                         ? resizeEdge(event.GetX(), event.GetY(), size.x, size.y)
                         : -1;
    if (type == wxEVT_MOTION || type == wxEVT_LEAVE_WINDOW) {
        const int shown = type == wxEVT_MOTION ? edge : -1;
        if (shown != edgeShown_) {
            edgeShown_ = shown;
            passCursor_ = 0;
            canvas_->SetCursor(shown < 0 ? GetCursor() : wxCursor(edgeCursor(shown)));
        }
    }
    if (type != wxEVT_LEFT_DOWN || edge < 0 || !canvas_->IsShownOnScreen() || !hasSeat(this))
        return false;
    // The desktop resizes the window from here; without a window manager, GTK does it itself.
    const wxPoint at = canvas_->ClientToScreen(event.GetPosition());
    gtk_window_begin_resize_drag(GTK_WINDOW(GetHandle()), static_cast<GdkWindowEdge>(edge), 1, at.x,
                                 at.y, gtk_get_current_event_time());
    return true;
}

bool Window::SetCursor(const wxCursor& cursor) {
    wxDialog::SetCursor(cursor);
    if (canvas_)
        canvas_->SetCursor(cursor);
    return true;
}

namespace {
int clampSide(int side, const char* what) {
    if (side <= Window::MAX_SIDE)
        return side;
    ORBO_LOG(2) << "window " << what << " " << side << " is more than the platform can show; "
                << "clamped to " << Window::MAX_SIDE;
    return Window::MAX_SIDE;
}
} // namespace

void Window::DoSetSize(int x, int y, int width, int height, int sizeFlags) {
    wxDialog::DoSetSize(x, y, clampSide(width, "width"), clampSide(height, "height"), sizeFlags);
}

void Window::DoSetClientSize(int width, int height) {
    wxDialog::DoSetClientSize(clampSide(width, "width"), clampSide(height, "height"));
}

void Window::onSize(wxSizeEvent& event) {
    if (canvas_)
        canvas_->SetSize(GetClientSize());
    event.Skip();
}

void Window::onPaint(wxPaintEvent& event) {
    if (canvas_ == nullptr) {
        event.Skip();
        return;
    }
    wxPaintDC dc(canvas_);
    paintPass(&dc);
}

void Window::repaint() {
    if (canvas_ == nullptr || !canvas_->IsShownOnScreen())
        return;
    if (presenter() == nullptr) {
        canvas_->Refresh(false);
        canvas_->Update();
        return;
    }
    paint(nullptr, true);
}

namespace {
// ORBOTK_SCALE=N: every window's device scale, for screenshots and tests (0 when unset).
int scaleFromEnvironment() {
    static const int scale = [] {
        const char* v = std::getenv("ORBOTK_SCALE");
        const int s = v ? std::atoi(v) : 0;
        return s >= 1 && s <= Window::MAX_SCALE ? s : 0;
    }();
    return scale;
}
} // namespace

int Window::deviceScale() const {
    if (scaleOverride_ > 0)
        return scaleOverride_;
    if (const int s = scaleFromEnvironment())
        return s;
    if (platformScale_ > 0)
        return platformScale_;
    // Before the canvas is realized GTK answers with the scale of the screen's first monitor,
    // where a new window opens.
    GtkWidget* widget = canvas_ ? static_cast<GtkWidget*>(canvas_->GetHandle()) : nullptr;
    const int s =
        std::min(std::max(widget ? gtk_widget_get_scale_factor(widget) : 1, 1), MAX_SCALE);
    if (widget)
        platformScale_ = s;
    return s;
}

void Window::setAccessibleRole(Role role, const std::wstring& description) {
    if (accessible_)
        accessible_->setWindowRole(role, description);
}

void Window::overrideScale(int scale) {
    scaleOverride_ = std::min(std::max(scale, 0), MAX_SCALE);
    Refresh();
}

void Window::onRealized(void*, void* self) {
    static_cast<Window*>(self)->platformScale_ = 0;
}

void Window::onScaleChanged(void*, void*, void* self) {
    static_cast<Window*>(self)->platformScale_ = 0;
    static_cast<Window*>(self)->Refresh();
}

void Window::sizeFrame() {
    if (context_->inPass())
        return;
    const wxSize size = canvas_->GetClientSize();
    context_->resizeFramebuffer(size.x, size.y, deviceScale());
}

void Window::paintPass(wxDC* dc) {
    paint(dc, false);
}

void Window::paint(wxDC* dc, bool direct) {
    const auto start = std::chrono::steady_clock::now();
    PaintPassEvent event(canvas_);
    bool ran = false;
    if (!context_->inPass()) {
        sizeFrame();
        // Cleared first: what the pass itself asks for is due after it.
        paintDue_ = false;
        ran = context_->runPass(event);
    }
    // A paint that arrives during a pass (a modal loop opened from a scene) shows the last frame.
    if (dc)
        present(*dc);
    else if (direct && !(directWorks_ = presentDirect()))
        canvas_->Refresh(false); // the canvas could not be drawn on directly: GTK paints it
    if (!ran)
        return;
    tellObservers([this](WindowObserver& o) { o.framePainted(*this); });
    const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
    lastFrameMs_ = ms;
    totalFrameMs_ += ms;
    longestFrameMs_ = std::max(longestFrameMs_, ms);
    ++frameCount_;
    applyAfterPass();
}

void Window::onEvent(wxEvent& event) {
    dispatch(event);
}

namespace {
template <class F> struct AtExit {
    F f;
    ~AtExit() { f(); }
};
template <class F> AtExit<F> atExit(F f) {
    return AtExit<F>{f};
}
} // namespace

void Window::dispatch(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    tellObservers([&](WindowObserver& o) { o.eventReceived(*this, event); });
    const auto handled =
        atExit([&] { tellObservers([&](WindowObserver& o) { o.eventHandled(*this, event); }); });

    // Tab and Shift+Tab move focus; the toolkit consumes them and no pass sees them.
    if (isKey(type)) {
        auto& key = static_cast<wxKeyEvent&>(event);
        if ((key.GetKeyCode() == WXK_TAB) && !key.ControlDown() && !key.AltDown()) {
            if (type == wxEVT_KEY_DOWN) {
                context_->moveFocus(!key.ShiftDown());
                Refresh();
            }
            return;
        }
        // Arrows move the focus within a radio group, before the pass: the button they reach
        // sees the arrow and selects itself.
        const int code = key.GetKeyCode();
        if (type == wxEVT_KEY_DOWN && !key.ControlDown() && !key.AltDown() &&
            (code == WXK_UP || code == WXK_DOWN || code == WXK_LEFT || code == WXK_RIGHT))
            context_->moveWithinRadioGroup(code == WXK_DOWN || code == WXK_RIGHT);
    }

    auto* mouse = dynamic_cast<wxMouseEvent*>(&event);
    if (mouse && resizeFromEdge(*mouse))
        return;
    if (mouse && dragging_ && type == wxEVT_MOTION)
        followDrag(*mouse);
    if (mouse && movePending_)
        followMove(*mouse);
    if (isButtonDown(type) && canvas_->IsShownOnScreen()) {
        capture(canvas_);
        if (wxWindow::FindFocus() != canvas_)
            canvas_->SetFocus();
    }

    feedInputMethod(event);
    // While the input method composes, the keys are its own (Backspace edits the composition,
    // Escape drops it): wxWidgets hands each press to the method after this handler.
    if (isKey(type) && !context_->preedit().empty() && platformKey()) {
        event.Skip();
        return;
    }
    boost::shared_ptr<UIContext> keep = context_;
    sizeFrame();
    if (!context_->runPass(event)) {
        event.Skip();
        return;
    }
    applyAfterPass();
    if (mouse && context_->cursor() != passCursor_ && edgeShown_ < 0) {
        passCursor_ = context_->cursor();
        canvas_->SetCursor(passCursor_ == 0 ? GetCursor()
                                            : wxCursor(static_cast<wxStockCursor>(passCursor_)));
    }
    if (showsChange(type))
        scheduleRepaint();

    if (isButtonUp(type)) {
        if (type == wxEVT_LEFT_UP)
            dragging_ = false;
        if (mouse && !mouse->ButtonIsDown(wxMOUSE_BTN_ANY) && canvas_->HasCapture())
            canvas_->ReleaseMouse();
    }
    // Key down always goes on, so that the platform follows it with the character event; the
    // rest go on only when the pass asked for it (or for notifications nobody consumes).
    if (type == wxEVT_KEY_DOWN || type == wxEVT_SIZE || type == wxEVT_SET_FOCUS ||
        type == wxEVT_KILL_FOCUS)
        event.Skip();
    else
        event.Skip(context_->eventSkipped());
}

bool Window::showsChange(wxEventType type) const {
    // Keys, buttons, the wheel and the keyboard focus may change anything a host shows, and
    // the host cannot know which of its changes need a repaint: the window repaints after
    // each. The pointer's motion changes what is drawn only through the hot box (or the part
    // of it under the pointer) and through a press being dragged; the repaint costs little
    // when nothing changed, since only changed pixels reach the screen.
    if (isKey(type) || isButtonDown(type) || isButtonUp(type) || type == wxEVT_MOUSEWHEEL ||
        type == wxEVT_SET_FOCUS || type == wxEVT_KILL_FOCUS)
        return true;
    if (type == wxEVT_MOTION || type == wxEVT_ENTER_WINDOW || type == wxEVT_LEAVE_WINDOW)
        return context_->hoverChanged() || context_->pressing();
    return false;
}

void Window::onCaptureLost(wxMouseCaptureLostEvent&) {
    dragging_ = false;
}

void Window::applyAfterPass() {
    if (accessible_ && context_->accessibility())
        accessible_->update();
    followInputMethod();
    if (context_->tooltip != shownTooltip_) {
        shownTooltip_ = context_->tooltip;
        if (shownTooltip_.empty())
            canvas_->UnsetToolTip();
        else
            canvas_->SetToolTip(wxString(shownTooltip_));
    }
}

void Window::onClose(wxCloseEvent& event) {
    if (canvas_ == nullptr)
        return;
    if (event.CanVeto() && !context_->confirmClose()) {
        event.Veto();
        return;
    }
    if (IsModal())
        EndModal(escapeResult_);
    if (canvas_->HasCapture())
        canvas_->ReleaseMouse();
    // Idle processing inside the modal loop would delete the window while ShowModal still
    // runs on it: inside the loop, destruction waits for the loop to return.
    if (modalDepth_ > 0) {
        destroyAfterModal_ = true;
        Hide();
        return;
    }
    Destroy();
}

namespace {
std::vector<WindowObserver*>& observers() {
    static std::vector<WindowObserver*> list;
    return list;
}
} // namespace

void Window::addObserver(WindowObserver* observer) {
    observers().push_back(observer);
}

void Window::removeObserver(WindowObserver* observer) {
    auto& list = observers();
    list.erase(std::remove(list.begin(), list.end(), observer), list.end());
}

// A modal loop opened from a deferred call starts while wxWidgets is still working through its
// queue of deferred calls, and calls queued meanwhile (by the code that showed the window, say)
// can be left waiting until some input wakes the loop; under a virtual display none may come.
// A timer is a source of the platform's own loop and fires regardless: once the loop runs it
// wakes deferred-call processing, then tells the observers, from inside the loop and before
// any event reaches it.
void Window::onModalStarted(wxTimerEvent&) {
    if (modalDepth_ == 0)
        return;
    if (!IsModal()) { // still being shown: a yield inside ShowModal ran the timer
        modalStarted_.StartOnce(1);
        return;
    }
    wxWakeUpIdle();
    const boost::shared_ptr<Window> keep = self_;
    tellObservers([this](WindowObserver& o) { o.modalLoopRunning(*this); });
}

template <typename F> void Window::tellObservers(F tell) {
    if (observers().empty())
        return;
    const std::vector<WindowObserver*> list = observers(); // an observer may leave
    for (WindowObserver* o : list)
        tell(*o);
}

void Window::tellChooserAnswered(const std::vector<std::wstring>& answer) {
    tellObservers([&](WindowObserver& o) { o.chooserAnswered(*this, answer); });
}

bool Window::held() const {
    return self_.use_count() > 1;
}

bool Window::Destroy() {
    // Handles are shared pointers that do not own the window. One held across a call that
    // runs the event loop (a message box over this window, say) would point at a deleted
    // window when the call returns: while any is held, the window only hides.
    if (held()) {
        Hide();
        if (!destroyWhenReleased_) {
            destroyWhenReleased_ = true;
            wxTheApp->Bind(wxEVT_IDLE, &Window::onIdleDestroy, this);
        }
        return true;
    }
    return wxDialog::Destroy();
}

void Window::onIdleDestroy(wxIdleEvent& event) {
    event.Skip();
    if (held())
        return;
    wxTheApp->Unbind(wxEVT_IDLE, &Window::onIdleDestroy, this);
    destroyWhenReleased_ = false;
    wxDialog::Destroy();
}

void Window::onIdle(wxIdleEvent& event) {
    event.Skip();
    // Not while a pass of this window waits for a modal loop: its scene is in the middle.
    if (canvas_ == nullptr || !context_->idleWanted() || context_->inPass() ||
        context_->suspendedPasses() > 0)
        return;
    boost::shared_ptr<UIContext> keep = context_;
    sizeFrame();
    if (context_->runPass(event) && canvas_ != nullptr)
        applyAfterPass();
    if (keep->idleWanted())
        event.RequestMore();
}

int Window::ShowModal() {
    ++modalDepth_;
    modalStarted_.StartOnce(1);
    // A window whose pass opened this loop (directly, or through a message box) goes on
    // painting while the loop runs: its pass is suspended until the loop returns.
    std::vector<std::unique_ptr<UIContext::Suspension>> suspended;
    for (wxWindow* top : wxTopLevelWindows)
        if (auto* w = dynamic_cast<Window*>(top);
            w && w != this && w->context_ && w->context_->inPass())
            suspended.emplace_back(new UIContext::Suspension(w->context_));
    int result;
    if (hasSeat(this)) {
        result = wxDialog::ShowModal();
    } else {
        GtkWindow* gtk = GTK_WINDOW(GetHandle());
        if (wxWindow* parent = GetParentForModalDialog())
            gtk_window_set_transient_for(gtk, GTK_WINDOW(parent->GetHandle()));
        wxWindowDisabler others(this);
        Show(true);
        gtk_window_set_modal(gtk, TRUE);
        wxGUIEventLoop loop;
        seatlessLoop_ = &loop;
        seatlessModal_ = true;
        loop.Run();
        seatlessLoop_ = nullptr;
        gtk_window_set_modal(gtk, FALSE);
        result = GetReturnCode();
    }
    --modalDepth_;
    tellObservers([&](WindowObserver& o) { o.modalLoopEnded(*this, result); });
    if (modalDepth_ == 0 && destroyAfterModal_)
        Destroy();
    return result;
}

void Window::EndModal(int code) {
    if (seatlessLoop_ == nullptr) {
        wxDialog::EndModal(code);
        return;
    }
    SetReturnCode(code);
    if (seatlessModal_)
        seatlessLoop_->Exit();
    seatlessModal_ = false;
    Show(false);
}

bool Window::IsModal() const {
    return seatlessLoop_ ? seatlessModal_ : wxDialog::IsModal();
}

} // namespace orbotk
