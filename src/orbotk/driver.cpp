// Synthetic input for toolkit windows. Events are built as wxGTK builds them and handed to the
// canvas's event handler, so the window's own routing (Tab, capture, drags, passes) runs.
#include "orbotk/driver.h"

#include "orbotk/accessible.h"
#include "orbotk/context.h"
#include "orbotk/control_id.h"
#include "orbotk/window.h"
#include "orboutil/strings.h"

#include <algorithm>
#include <stdexcept>
#include <wx/app.h>
#include <wx/image.h>

namespace orbotk {

Driver::Driver(const boost::shared_ptr<Window>& window) : window_(window) {
    if (!window)
        throw std::invalid_argument("orbotk::Driver needs a live window");
}

boost::shared_ptr<Window> Driver::live() const {
    boost::shared_ptr<Window> w = window_.lock();
    if (!w)
        throw std::logic_error("orbotk::Driver: the window has been destroyed");
    return w;
}

boost::shared_ptr<UIContext> Driver::context() const {
    return live()->context();
}

void Driver::mouseEvent(wxEventType type, int x, int y, bool left, bool middle, bool right,
                        int modifiers, int rotation) {
    x_ = x;
    y_ = y;
    wxMouseEvent e(type);
    e.SetPosition(wxPoint(x, y));
    e.SetLeftDown(left);
    e.SetMiddleDown(middle);
    e.SetRightDown(right);
    e.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
    e.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
    e.SetAltDown((modifiers & wxMOD_ALT) != 0);
    e.SetMetaDown((modifiers & wxMOD_META) != 0);
    if (e.ButtonDClick())
        e.m_clickCount = 2;
    else if (e.ButtonDown() || e.ButtonUp())
        e.m_clickCount = 1;
    if (type == wxEVT_MOUSEWHEEL) {
        e.m_wheelRotation = rotation;
        e.m_wheelDelta = 120;
        e.m_linesPerAction = 3;
        e.m_wheelAxis = wxMOUSE_WHEEL_VERTICAL;
    }
    send(e);
}

void Driver::mouse(wxEventType type, int x, int y) {
    mouseEvent(type, x, y, left_, middle_, right_, wxMOD_NONE);
}

void Driver::mouseMove(int x, int y) {
    mouse(wxEVT_MOTION, x, y);
}

void Driver::leftDown(int x, int y) {
    left_ = true;
    mouse(wxEVT_LEFT_DOWN, x, y);
}

void Driver::leftUp(int x, int y) {
    left_ = false;
    mouse(wxEVT_LEFT_UP, x, y);
}

void Driver::leftDoubleClick(int x, int y) {
    leftDown(x, y);
    leftUp(x, y);
    left_ = true;
    mouse(wxEVT_LEFT_DCLICK, x, y);
    leftUp(x, y);
}

void Driver::click(int x, int y) {
    mouseMove(x, y);
    leftDown(x, y);
    leftUp(x, y);
}

void Driver::rightDown(int x, int y) {
    right_ = true;
    mouse(wxEVT_RIGHT_DOWN, x, y);
}

void Driver::rightUp(int x, int y) {
    right_ = false;
    mouse(wxEVT_RIGHT_UP, x, y);
}

void Driver::middleDown(int x, int y) {
    middle_ = true;
    mouse(wxEVT_MIDDLE_DOWN, x, y);
}

void Driver::middleUp(int x, int y) {
    middle_ = false;
    mouse(wxEVT_MIDDLE_UP, x, y);
}

void Driver::wheel(int x, int y, int rotation) {
    mouseEvent(wxEVT_MOUSEWHEEL, x, y, left_, middle_, right_, wxMOD_NONE, rotation);
}

void Driver::enter(int x, int y) {
    mouse(wxEVT_ENTER_WINDOW, x, y);
}

void Driver::leave() {
    mouse(wxEVT_LEAVE_WINDOW, -1, -1);
}

namespace {
// wxGTK gives characters beyond Latin-1 no key code, only their Unicode value.
int keyCodeOf(int ch) {
    return ch >= 0 && ch < 256 ? ch : static_cast<int>(WXK_NONE);
}
} // namespace

bool Driver::keyEvent(wxEventType type, int code, int ch, int modifiers) {
    wxKeyEvent e(type);
    e.m_keyCode = code;
    e.m_uniChar = static_cast<wxChar>(ch >= 0 ? ch : static_cast<int>(WXK_NONE));
    e.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
    e.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
    e.SetAltDown((modifiers & wxMOD_ALT) != 0);
    e.SetMetaDown((modifiers & wxMOD_META) != 0);
    e.m_x = x_;
    e.m_y = y_;
    send(e);
    return e.GetSkipped();
}

bool Driver::keyDown(int code, int modifiers) {
    return keyEvent(wxEVT_KEY_DOWN, code, characterFor(code, modifiers), modifiers);
}

void Driver::keyUp(int code, int modifiers) {
    keyEvent(wxEVT_KEY_UP, code, characterFor(code, modifiers), modifiers);
}

void Driver::character(int ch, int modifiers) {
    keyEvent(wxEVT_CHAR, keyCodeOf(ch), ch, modifiers);
}

void Driver::keyStroke(int code, int ch, int modifiers) {
    const bool skipped = keyEvent(wxEVT_KEY_DOWN, code, ch, modifiers);
    if (skipped && ch >= 0)
        character(ch, modifiers);
    // The character may have closed the window: then this throws, as every call on it does.
    keyEvent(wxEVT_KEY_UP, code, ch, modifiers);
}

int Driver::characterFor(int code, int modifiers) {
    const bool ctrl = (modifiers & wxMOD_CONTROL) != 0;
    const bool shift = (modifiers & wxMOD_SHIFT) != 0;
    if (code >= 'A' && code <= 'Z') {
        if (ctrl)
            return code - 'A' + 1; // control codes, as wxGTK reports Ctrl+letter
        return shift ? code : code + ('a' - 'A');
    }
    // Printable Latin-1 and the editing keys that produce characters.
    if ((code >= 32 && code < 256) || code == WXK_BACK || code == WXK_RETURN ||
        code == WXK_ESCAPE || code == WXK_TAB)
        return code;
    return -1;
}

void Driver::press(int code, int modifiers) {
    keyStroke(code, characterFor(code, modifiers), modifiers);
}

void Driver::typeText(const std::wstring& text) {
    for (wchar_t c : text) {
        const int ch = static_cast<int>(c);
        if (c >= L'a' && c <= L'z')
            keyStroke(ch - 'a' + 'A', ch, wxMOD_NONE);
        else if (c >= L'A' && c <= L'Z')
            keyStroke(ch, ch, wxMOD_SHIFT);
        else
            keyStroke(keyCodeOf(ch), ch, wxMOD_NONE);
    }
}

wxRect Driver::rect(const std::wstring& name) const {
    int x = 0, y = 0, w = 0, h = 0;
    if (!live()->context()->findControl(name, x, y, w, h))
        throw std::invalid_argument("orbotk::Driver: no control named \"" +
                                    orbo::util::utf8FromWString(name) + "\" in the last pass");
    return wxRect(x, y, w, h);
}

void Driver::click(const std::wstring& name) {
    const wxRect r = rect(name);
    click(r.x + r.width / 2, r.y + r.height / 2);
}

wxRect Driver::item(const std::wstring& control, int index, const std::wstring* label) {
    boost::shared_ptr<Window> w = live();
    boost::shared_ptr<UIContext> ui = w->context();
    if (!ui->accessibility()) {
        ui->setAccessibility(true);
        const bool due = w->paintDue();
        w->paintPass(nullptr);
        if (due)
            w->requestRepaint();
    }
    const wxRect area = rect(control);
    const std::uint64_t key = ControlID(control).key();
    const std::vector<Described> all = ui->described();
    // A list's, table's or tree's rows lie inside its box and know their numbers (a table's by
    // its cells, the first in view first); an open combo box's entries follow its header, each
    // numbered by its place among them.
    bool list = false, following = false;
    int place = 0;
    for (const Described& d : all) {
        const Role role = d.description->role;
        if (d.key == key) {
            list = role == Role::List || role == Role::Table || role == Role::TreeTable ||
                   role == Role::Tree;
            following = !list;
            continue;
        }
        if (role != Role::ListItem && role != Role::TableCell && role != Role::TreeItem) {
            if (following && role != Role::ScrollBar)
                following = false;
            continue;
        }
        const wxRect r(d.x, d.y, d.w, d.h);
        if (list ? !area.Contains(r) : !following)
            continue;
        const int n = list ? d.description->index : place++;
        if (label ? d.description->name == *label : n == index)
            return r;
    }
    const std::string what = label ? "\"" + orbo::util::utf8FromWString(*label) + "\""
                                   : "number " + std::to_string(index);
    throw std::invalid_argument("orbotk::Driver: no item " + what + " of \"" +
                                orbo::util::utf8FromWString(control) + "\" in view");
}

wxRect Driver::itemRect(const std::wstring& control, int index) {
    return item(control, index, nullptr);
}

wxRect Driver::itemRect(const std::wstring& control, const std::wstring& label) {
    return item(control, -1, &label);
}

void Driver::clickItem(const std::wstring& control, int index) {
    const wxRect r = itemRect(control, index);
    click(r.x + r.width / 2, r.y + r.height / 2);
}

void Driver::clickItem(const std::wstring& control, const std::wstring& label) {
    const wxRect r = itemRect(control, label);
    click(r.x + r.width / 2, r.y + r.height / 2);
}

void Driver::focus(const std::wstring& name) {
    live()->context()->focusControl(name);
    live()->Refresh();
}

void Driver::focusIn() {
    wxFocusEvent e(wxEVT_SET_FOCUS);
    send(e);
}

void Driver::focusOut() {
    wxFocusEvent e(wxEVT_KILL_FOCUS);
    send(e);
}

void Driver::paint() {
    live()->paintPass(nullptr);
}

int Driver::settle() {
    int ran = 0;
    // A pass that asks for another from every paint (an animation) would never settle: a few
    // rounds show what one more frame would.
    for (int round = 0; round < 4; ++round) {
        const std::int64_t before = live()->frameCount();
        flush(); // deferred calls, and a direct repaint queued on the event loop
        boost::shared_ptr<Window> w = window_.lock();
        if (!w) // a deferred call closed it
            break;
        ran += static_cast<int>(w->frameCount() - before);
        if (!w->paintDue())
            break;
        w->paintPass(nullptr);
        ++ran;
    }
    return ran;
}

void Driver::resize(int w, int h) {
    live()->SetClientSize(w, h);
    live()->canvas()->SetSize(0, 0, w, h);
    wxSizeEvent e(wxSize(w, h));
    send(e);
}

void Driver::send(wxEvent& event) {
    wxWindow* canvas = live()->canvas();
    event.SetEventObject(canvas);
    event.SetId(canvas->GetId());
    canvas->GetEventHandler()->ProcessEvent(event);
}

void Driver::flush() {
    if (wxTheApp) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
}

int Driver::width() const {
    return live()->context()->W();
}
int Driver::height() const {
    return live()->context()->H();
}

int Driver::scale() const {
    return live()->context()->scale();
}
int Driver::frameWidth() const {
    return live()->context()->frameW();
}
int Driver::frameHeight() const {
    return live()->context()->frameH();
}

orbo::tk::RGBA Driver::pixel(int x, int y) const {
    const UIContext& c = *live()->context();
    if (x < 0 || y < 0 || x >= c.W() || y >= c.H())
        return orbo::tk::RGBA();
    return devicePixel(x * c.scale(), y * c.scale());
}

orbo::tk::RGBA Driver::devicePixel(int x, int y) const {
    const UIContext& c = *live()->context();
    if (x < 0 || y < 0 || x >= c.frameW() || y >= c.frameH())
        return orbo::tk::RGBA();
    return c
        .framebuffer()[static_cast<size_t>(c.frameH() - 1 - y) * static_cast<size_t>(c.frameW()) +
                       static_cast<size_t>(x)];
}

std::vector<orbo::tk::RGBA> Driver::pixels() const {
    const UIContext& c = *live()->context();
    const int w = c.frameW(), h = c.frameH();
    std::vector<orbo::tk::RGBA> out;
    out.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    const orbo::tk::RGBA* fb = c.framebuffer();
    for (int y = h - 1; y >= 0; --y) // rows are stored bottom-up
        out.insert(out.end(), fb + static_cast<size_t>(y) * static_cast<size_t>(w),
                   fb + static_cast<size_t>(y + 1) * static_cast<size_t>(w));
    return out;
}

void Driver::savePNG(const std::string& path) const {
    const int w = frameWidth(), h = frameHeight();
    if (w <= 0 || h <= 0)
        throw std::runtime_error("savePNG: the framebuffer is empty");
    wxImage image(w, h, false);
    image.InitAlpha();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.GetAlpha();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const orbo::tk::RGBA p = devicePixel(x, y);
            const unsigned a = p.a();
            // PNG keeps straight alpha: undo the premultiplication, rounding to nearest.
            auto straight = [a](unsigned c) {
                return a == 0 ? 0u : std::min(255u, (c * 255u + a / 2) / a);
            };
            *rgb++ = static_cast<unsigned char>(straight(p.r()));
            *rgb++ = static_cast<unsigned char>(straight(p.g()));
            *rgb++ = static_cast<unsigned char>(straight(p.b()));
            *alpha++ = static_cast<unsigned char>(a);
        }
    }
    if (!image.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG))
        throw std::runtime_error("savePNG: cannot write " + path);
}

} // namespace orbotk
