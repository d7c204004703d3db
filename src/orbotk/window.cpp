// The top-level window: event plumbing between wxWidgets and the context's passes, presenting
// the framebuffer, and the window-level behaviour around passes (Tab focus, capture, window
// drags, tooltips, closing).
#include "orbotk/window.h"

#include "orbotk/context.h"
#include "orboutil/log.h"

#include <chrono>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>

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
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE) {
    // Escape and the close box mean nothing to wxDialog here: the library decides.
    SetEscapeId(wxID_NONE);
    self_.reset(this, [](Window*) {}); // wxWidgets deletes the window; handles only observe it
    context_.reset(new UIContext);
    context_->window_ = self_;

    canvas_ = new wxWindow(this, wxID_ANY, wxPoint(0, 0), GetClientSize(),
                           wxWANTS_CHARS | wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE);
    canvas_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    canvas_->Bind(wxEVT_PAINT, &Window::onPaint, this);
    for (wxEventType t : passEvents)
        canvas_->Bind(t, &Window::onEvent, this);
    canvas_->Bind(wxEVT_MOUSE_CAPTURE_LOST, &Window::onCaptureLost, this);
    Bind(wxEVT_CLOSE_WINDOW, &Window::onClose, this);
    Bind(wxEVT_SIZE, &Window::onSize, this);
}

Window::~Window() {
    // The canvas goes first, while this object is still whole: destroying it sends it focus
    // and size events, and those are routed here. They find no canvas and are ignored.
    if (wxWindow* canvas = canvas_) {
        if (canvas->HasCapture())
            canvas->ReleaseMouse();
        canvas_ = nullptr;
        canvas->Destroy();
    }
    // wxWidgets deletes a window's children with it. A child window still inside its modal
    // loop would be deleted under that loop: it is let go instead, ends its loop with its
    // escape result, and is destroyed when the loop has returned.
    const wxWindowList children = GetChildren();
    for (wxWindow* child : children) {
        Window* w = dynamic_cast<Window*>(child);
        if (w == nullptr || w->modalDepth_ == 0)
            continue;
        w->Reparent(nullptr);
        if (w->IsModal())
            w->EndModal(w->escapeResult_);
        w->destroyAfterModal_ = true;
        w->Hide();
    }
    self_.reset();
}

void Window::postEval(const boost::function<void()>& f) {
    if (f)
        CallAfter([f]() { f(); });
}

void Window::beginDrag(wxMouseEvent& event) {
    dragging_ = true;
    dragGrab_ = event.GetPosition();
    if (canvas_->IsShownOnScreen() && !canvas_->HasCapture())
        canvas_->CaptureMouse();
}

void Window::followDrag(wxMouseEvent& event) {
    // The grab point stays under the pointer: window origin + pointer - grab.
    const wxPoint p = GetPosition() + event.GetPosition() - dragGrab_;
    Move(p.x, p.y, wxSIZE_USE_EXISTING);
}

void Window::Refresh(bool eraseBackground, const wxRect* rect) {
    ++refreshRequests_;
    wxDialog::Refresh(eraseBackground, rect);
    if (canvas_)
        canvas_->Refresh(eraseBackground, rect);
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

void Window::paintPass(wxDC* dc) {
    const wxSize size = canvas_->GetClientSize();
    const auto start = std::chrono::steady_clock::now();
    PaintPassEvent event(canvas_);
    bool ran = false;
    if (!context_->inPass()) {
        context_->resizeFramebuffer(size.x, size.y);
        ran = context_->runPass(event);
    }
    // A paint that arrives during a pass (a modal loop opened from a scene) shows the last frame.
    if (dc)
        present(*dc);
    if (!ran)
        return;
    const std::int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now() - start)
                                .count();
    lastFrameMs_ = ms;
    totalFrameMs_ += ms;
    longestFrameMs_ = std::max(longestFrameMs_, ms);
    ++frameCount_;
    applyAfterPass();
}

void Window::present(wxDC& dc) {
    const int w = context_->W(), h = context_->H();
    if (w <= 0 || h <= 0)
        return;
    // A window without an alpha channel cannot show the desktop through the frame's
    // transparent parts (the notches beside a dialog's advanced section): they show the
    // window's background colour instead. Premultiplied colour over a background is the colour
    // plus the background times what is left; rows are flipped to top-down.
    const wxColour back = GetBackgroundColour();
    const unsigned bg[3] = {back.Red(), back.Green(), back.Blue()};
    wxImage image(w, h, false);
    unsigned char* out = image.GetData();
    const orbo::tk::RGBA* fb = context_->framebuffer();
    for (int y = 0; y < h; ++y) {
        const orbo::tk::RGBA* row = fb + static_cast<size_t>(h - 1 - y) * static_cast<size_t>(w);
        for (int x = 0; x < w; ++x, out += 3) {
            const unsigned rest = 255u - row[x].a();
            out[0] = static_cast<unsigned char>(row[x].r() + (bg[0] * rest + 127u) / 255u);
            out[1] = static_cast<unsigned char>(row[x].g() + (bg[1] * rest + 127u) / 255u);
            out[2] = static_cast<unsigned char>(row[x].b() + (bg[2] * rest + 127u) / 255u);
        }
    }
    dc.DrawBitmap(wxBitmap(image), 0, 0, false);
}

void Window::onEvent(wxEvent& event) {
    dispatch(event);
}

void Window::dispatch(wxEvent& event) {
    const wxEventType type = event.GetEventType();

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
    }

    auto* mouse = dynamic_cast<wxMouseEvent*>(&event);
    if (mouse && dragging_ && type == wxEVT_MOTION)
        followDrag(*mouse);
    if (isButtonDown(type) && canvas_->IsShownOnScreen()) {
        if (!canvas_->HasCapture())
            canvas_->CaptureMouse();
        if (wxWindow::FindFocus() != canvas_)
            canvas_->SetFocus();
    }

    const wxSize size = canvas_->GetClientSize();
    boost::shared_ptr<UIContext> keep = context_;
    if (!context_->inPass())
        context_->resizeFramebuffer(size.x, size.y);
    if (!context_->runPass(event)) {
        event.Skip();
        return;
    }
    applyAfterPass();

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

void Window::onCaptureLost(wxMouseCaptureLostEvent&) {
    dragging_ = false;
}

void Window::applyAfterPass() {
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

int Window::ShowModal() {
    ++modalDepth_;
    const int result = wxDialog::ShowModal();
    --modalDepth_;
    if (modalDepth_ == 0 && destroyAfterModal_)
        Destroy();
    return result;
}

} // namespace orbotk
