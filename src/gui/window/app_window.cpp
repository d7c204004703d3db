// The application window: construction (size, placement, callbacks), the per-event procedure
// with its failure logging, the default band layout, and the thin wrappers over the toolkit
// window.
#include "gui/app_window.h"

#include "gui/palette.h"
#include "gui/progress.h"
#include "gui/render.h"
#include "gui/scroll_bar.h"
#include "orbotk/screen.h"
#include "orboutil/log.h"

#include <boost/bind/bind.hpp>
#include <boost/thread/once.hpp>
#include <exception>
#include <string>

namespace gui {

const float AppWindow::PANEL_X = 23.0f;
const float AppWindow::PANEL_T = 60.0f;
const float AppWindow::PROGRESS_H = gui::PROGRESS_H;
const float AppWindow::MARGIN = 4.0f;
const float AppWindow::SCROLL_SIZE = gui::SCROLL_SIZE;
const int AppWindow::TEXT_HEIGHT = 18;
const int AppWindow::NAME_HEIGHT = 21;
const int AppWindow::CONFIG_HEIGHT = 15;
const int AppWindow::NORMAL_HEIGHT = 11;
const int AppWindow::TINY_HEIGHT = 10;
const int AppWindow::VERYTINY_HEIGHT = 9;
const int AppWindow::MESSAGE_HEIGHT = 13;
const int AppWindow::BADGE_SIZE = 25;
const int AppWindow::LOGO_OFFSET = 8;
const int AppWindow::STATUS_HEIGHT = 24;

// ---- Construction

AppWindow::AppWindow(const boost::weak_ptr<orbotk::Window>& parent, const wchar_t* title, int width,
                     int height, scale_window_type scale)
    : closeTip_(L"Close") {
    initAppWindow(orbotk::UIContext::create(title ? title : L"", parent), title, width, height,
                  scale);
}

AppWindow::AppWindow(wxWindow* parent, const wchar_t* title, int width, int height,
                     scale_window_type scale)
    : closeTip_(L"Close") {
    initAppWindow(orbotk::UIContext::create(title ? title : L"", parent), title, width, height,
                  scale);
}

AppWindow::AppWindow(const AppWindow& other)
    : boost::enable_shared_from_this<AppWindow>(), status_(other.status_),
      statusHover_(other.statusHover_), closeTip_(other.closeTip_),
      statusClick_(other.statusClick_), statusInfo_(other.statusInfo_), ui_(other.ui_),
      window_(other.window_), popupOpen_(other.popupOpen_) {}

AppWindow& AppWindow::operator=(const AppWindow& other) {
    status_ = other.status_;
    statusHover_ = other.statusHover_;
    closeTip_ = other.closeTip_;
    statusClick_ = other.statusClick_;
    statusInfo_ = other.statusInfo_;
    ui_ = other.ui_;
    window_ = other.window_;
    popupOpen_ = other.popupOpen_;
    return *this;
}

AppWindow::~AppWindow() {
    // The callbacks hold a plain pointer to this object: a window that outlives it must stop
    // calling it. Copies registered nothing and leave the slots alone.
    if (!registeredCallbacks_)
        return;
    if (boost::shared_ptr<orbotk::Window> w = window_.lock()) {
        boost::shared_ptr<orbotk::UIContext> ctx = w->context();
        if (ctx) {
            ctx->setUIProcedure(orbotk::UIContext::Procedure());
            ctx->setConfirmClose(orbotk::UIContext::Confirm());
            ctx->setConfirmSuspend(orbotk::UIContext::Confirm());
        }
    }
}

void AppWindow::initAppWindow(const boost::shared_ptr<orbotk::UIContext>& ui, const wchar_t*,
                              int width, int height, scale_window_type scale) {
    boost::shared_ptr<orbotk::Window> w = ui->window().lock();

    // 1. Size, scaled by the horizontal resolution for both axes, counted in logical pixels
    // (on a HiDPI screen the device scale already makes the window large enough).
    int ww = width, wh = height;
    if (scale == SCALE_WINDOW) {
        const int ppi = orbotk::Screen::logicalPixelsPerInch().x;
        ww = ppi * width / 96;
        wh = ppi * height / 96;
    }
    w->SetSize(ww, wh);

    // 2. Centred on the display.
    const wxSize display = orbotk::Screen::displaySize();
    w->Move((display.x - ww) / 2, (display.y - wh) / 2, wxSIZE_USE_EXISTING);

    // 3. Shared textures (once per process).
    initTextures();

    // 4.
    w->SetIcons(orboicon_);

    // 5. The three callbacks.
    using namespace boost::placeholders;
    ui->setConfirmClose(boost::bind(&AppWindow::nvConfirmClose, this));
    ui->setConfirmSuspend(boost::bind(&AppWindow::nvConfirmSuspend, this));
    ui->setUIProcedure(boost::bind(&AppWindow::nvUIProcedure, this, _1));
    registeredCallbacks_ = true;

    // 6.
    window_ = ui->window();
}

void AppWindow::initTextures() {
    static boost::once_flag once = BOOST_ONCE_INIT;
    boost::call_once(&AppWindow::initStandardTextures, once);
}

// ---- The pass

namespace {
// A failed pass is logged as source "app_window", line 86: the place log readers match on,
// kept as it is wherever the code lives.
constexpr int LOG_PASS_FAILED = 86;
} // namespace

void AppWindow::nvUIProcedure(boost::shared_ptr<orbotk::UIContext> ui) {
    // ui_ is the event's context for the pass and whatever it was before afterwards, even when
    // something other than a std::exception goes through.
    struct Exchange {
        boost::shared_ptr<orbotk::UIContext>& a;
        boost::shared_ptr<orbotk::UIContext>& b;
        ~Exchange() { a.swap(b); }
    };
    ui_.swap(ui);
    Exchange restore{ui_, ui};
    try {
        uiProcedure();
    } catch (const std::exception& e) {
        if (ui_)
            ui_->markPassIncomplete();
        try {
            orbo::util::log_record(2, "app_window", LOG_PASS_FAILED,
                                   std::string("uiProcedure failed: ") + e.what());
        } catch (const std::exception&) {
        }
    }
}

void AppWindow::uiProcedure() {
    using orbotk::ControlID;
    Box root(ui_, ControlID(), true);
    {
        Box logo(ui_, FILL, 60.0f, ControlID(), true);
        doLogo(true);
    }
    {
        Box content(ui_, static_cast<float>(panelW()), -114.0f, ControlID(), true);
        content.setTop(64.0f);
        content.setLeft(PANEL_X);
        doScene();
    }
    {
        Box status(ui_, FILL, 24.0f, ControlID(), true);
        status.setBottom(-24.0f);
        doStatus(true);
    }
    doPanel();
    // The whole window is shaded from white at the top to a light grey at the bottom.
    renderModulate(ui_, orbopal::WhiteGradientTop, orbopal::WhiteGradientBottom);
}

int AppWindow::panelW() const {
    if (ui_ && ui_->root())
        return ui_->root()->w - 48;
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        return w->GetClientSize().x - 48;
    return -48;
}

void AppWindow::setStatusCallbacks(const boost::function<void()>& onClick, const StatusInfo& info) {
    statusClick_ = onClick;
    statusInfo_ = info;
}

// ---- Window operations

bool AppWindow::Show(bool show) {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->Show(show) : false;
}

bool AppWindow::Hide() {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->Hide() : false;
}

bool AppWindow::Enable(bool enable) {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->Enable(enable) : false;
}

bool AppWindow::IsEnabled() const {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->IsEnabled() : false;
}

bool AppWindow::IsShown() const {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->IsShown() : false;
}

void AppWindow::SetToolTip(const wchar_t* text) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->SetToolTip(wxString(text ? text : L""));
}

wxWindow* AppWindow::GetParent() const {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->GetParent() : nullptr;
}

wxString AppWindow::GetTitle() const {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->GetTitle() : wxString();
}

void AppWindow::SetTitle(const wxString& title) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->SetTitle(title);
}

void AppWindow::Refresh() {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->Refresh(true, nullptr);
}

void AppWindow::requestRepaint() {
    if (boost::shared_ptr<orbotk::Window> w = window())
        w->requestRepaint();
}

void AppWindow::SetFocus() {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->SetFocus();
}

void AppWindow::Raise() {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->Raise();
}

void AppWindow::Iconize() {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->Iconize(true);
}

wxSize AppWindow::GetSize() const {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    return w ? w->GetSize() : wxSize();
}

void AppWindow::SetSize(int width, int height) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->SetSize(width, height);
}

void AppWindow::setResizable(int minWidth, int minHeight) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->setResizable(minWidth, minHeight);
}

void AppWindow::Move(int x, int y) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->Move(x, y, wxSIZE_USE_EXISTING);
}

void AppWindow::CenterOnParent(int direction) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->CenterOnParent(direction);
}

void AppWindow::SetDropTarget(wxDropTarget* target) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->SetDropTarget(target);
}

int AppWindow::ShowModal() {
    orbotk::Window* raw = nullptr;
    {
        boost::shared_ptr<orbotk::Window> w = window_.lock();
        if (!w)
            return wxID_CANCEL;
        raw = w.get();
    }
    // The toolkit owns the window; holding our handle through the loop would keep a window
    // that closes inside it looking alive.
    return raw->ShowModal();
}

void AppWindow::EndModal(int code) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock()) {
        if (w->IsModal())
            w->EndModal(code);
    }
    Close(false);
}

bool AppWindow::Close(bool force) {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    if (!w)
        return true;
    return w->Close(force);
}

void AppWindow::BeginDrag(wxMouseEvent& event) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->beginDrag(event);
}

bool AppWindow::setCursor(const wxCursor& cursor) {
    boost::shared_ptr<orbotk::Window> w = window_.lock();
    if (!w)
        return false;
    w->SetCursor(cursor);
    return true;
}

void AppWindow::postEval(boost::function<void()> f) {
    if (boost::shared_ptr<orbotk::Window> w = window_.lock())
        w->postEval(f);
}

} // namespace gui
