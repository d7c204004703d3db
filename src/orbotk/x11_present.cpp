// The direct X11 presenter: a shared-memory image (MIT-SHM) where the server allows it, a
// plain image uploaded over the connection where it does not. Both are kept from frame to
// frame and replaced only when the size changes.
#include "x11_present.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <algorithm>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <vector>
#include <wx/window.h>

#include "orboutil/log.h"

namespace orbotk {

struct X11Presenter::State {
    wxWindow* canvas = nullptr;
    Display* dpy = nullptr;
    Visual* visual = nullptr;
    bool shm = false; // the server offers shared memory; cleared when attaching fails
    // Where the last begin() found the canvas: the nearest native window and the offset in it.
    ::Window target = 0;
    int dx = 0, dy = 0;
    GC gc = nullptr;
    ::Window gcFor = 0;
    XImage* image = nullptr;
    XShmSegmentInfo segment{};
    std::vector<std::uint32_t> plain; // the pixels of a plain image
    // The window shows what the image held at the last put: nothing else has painted it
    // since, and it has not moved in its native window.
    bool shown = false;
    bool filled = false; // the image holds what was written into it last

    ~State() {
        dropImage();
        if (gc)
            XFreeGC(dpy, gc);
    }

    void dropImage() {
        if (image == nullptr)
            return;
        if (segment.shmaddr) {
            XShmDetach(dpy, &segment);
            XSync(dpy, False);
            shmdt(segment.shmaddr);
            segment = XShmSegmentInfo{};
        }
        image->data = nullptr; // never Xlib's to free
        XDestroyImage(image);
        image = nullptr;
    }

    bool shmImage(int w, int h) {
        image = XShmCreateImage(dpy, visual, 24, ZPixmap, nullptr, &segment,
                                static_cast<unsigned>(w), static_cast<unsigned>(h));
        if (image == nullptr)
            return false;
        segment.shmid =
            shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * h, IPC_CREAT | 0600);
        if (segment.shmid >= 0) {
            segment.shmaddr = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
            // Marked for removal at once: the system frees it when both sides have detached,
            // even if the process dies.
            shmctl(segment.shmid, IPC_RMID, nullptr);
        }
        bool attached = false;
        if (segment.shmid >= 0 && segment.shmaddr != reinterpret_cast<char*>(-1)) {
            segment.readOnly = False;
            GdkDisplay* display = gdk_x11_lookup_xdisplay(dpy);
            gdk_x11_display_error_trap_push(display);
            XShmAttach(dpy, &segment);
            XSync(dpy, False);
            attached = gdk_x11_display_error_trap_pop(display) == 0;
            if (!attached)
                shmdt(segment.shmaddr);
        }
        if (!attached) {
            segment = XShmSegmentInfo{};
            image->data = nullptr;
            XDestroyImage(image);
            image = nullptr;
            ORBO_LOG(3) << "shared-memory images refused by the X server; frames are uploaded";
            return false;
        }
        image->data = segment.shmaddr;
        return true;
    }

    bool plainImage(int w, int h) {
        plain.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0u);
        image = XCreateImage(dpy, visual, 24, ZPixmap, 0, reinterpret_cast<char*>(plain.data()),
                             static_cast<unsigned>(w), static_cast<unsigned>(h), 32, w * 4);
        return image != nullptr;
    }

    bool sized(int w, int h) {
        if (image && image->width == w && image->height == h)
            return true;
        shown = filled = false;
        dropImage();
        if (shm && shmImage(w, h))
            return true;
        shm = false;
        return plainImage(w, h);
    }

    // The canvas's GDK window may be drawn by GTK inside its parent (a client-side window):
    // walk up to the first window the X server knows, adding up the offsets. No round trip.
    bool locate(int scale) {
        GtkWidget* widget = static_cast<GtkWidget*>(canvas->GetHandle());
        GdkWindow* w = widget ? gtk_widget_get_window(widget) : nullptr;
        if (w == nullptr || !gtk_widget_get_realized(widget))
            return false;
        double x = 0, y = 0;
        while (w && !gdk_window_has_native(w)) {
            gdk_window_coords_to_parent(w, x, y, &x, &y);
            w = gdk_window_get_parent(w);
        }
        // GDK counts in logical pixels, the X window in device pixels: a frame drawn at
        // another scale than the window's would show at the wrong size, so GTK paints it.
        if (w == nullptr || gdk_window_get_visual(w) == nullptr ||
            gdk_x11_visual_get_xvisual(gdk_window_get_visual(w)) != visual ||
            gdk_window_get_scale_factor(w) != scale)
            return false;
        const ::Window was = target;
        const int wasX = dx, wasY = dy;
        target = gdk_x11_window_get_xid(w);
        dx = static_cast<int>(x) * scale;
        dy = static_cast<int>(y) * scale;
        if (target != was || dx != wasX || dy != wasY)
            shown = false;
        if (gcFor != target) {
            if (gc)
                XFreeGC(dpy, gc);
            gc = XCreateGC(dpy, target, 0, nullptr);
            gcFor = target;
        }
        return true;
    }
};

std::unique_ptr<X11Presenter> X11Presenter::create(wxWindow* canvas, bool sharedMemory) {
    GtkWidget* widget = static_cast<GtkWidget*>(canvas->GetHandle());
    if (widget == nullptr || !gtk_widget_get_realized(widget))
        return nullptr;
    GdkWindow* window = gtk_widget_get_window(widget);
    GdkDisplay* display = window ? gdk_window_get_display(window) : nullptr;
    if (display == nullptr || !GDK_IS_X11_DISPLAY(display))
        return nullptr;
    Display* dpy = gdk_x11_display_get_xdisplay(display);
    GdkWindow* top = gdk_window_get_toplevel(window);
    Visual* visual = gdk_x11_visual_get_xvisual(gdk_window_get_visual(top));
    // The frame's conversion writes 0x00RRGGBB words in this machine's byte order: a 24-bit
    // true-colour visual with those masks, and a server that takes images in that order.
    const std::uint32_t one = 1;
    const bool little = *reinterpret_cast<const unsigned char*>(&one) == 1;
    if (visual == nullptr || visual->c_class != TrueColor || visual->red_mask != 0xFF0000u ||
        visual->green_mask != 0xFF00u || visual->blue_mask != 0xFFu ||
        gdk_visual_get_depth(gdk_window_get_visual(top)) != 24 ||
        ImageByteOrder(dpy) != (little ? LSBFirst : MSBFirst))
        return nullptr;
    std::unique_ptr<State> s(new State);
    s->canvas = canvas;
    s->dpy = dpy;
    s->visual = visual;
    s->shm = sharedMemory && XShmQueryExtension(dpy) == True;
    return std::unique_ptr<X11Presenter>(new X11Presenter(std::move(s)));
}

X11Presenter::X11Presenter(std::unique_ptr<State> state) : s_(std::move(state)) {}

X11Presenter::~X11Presenter() = default;

std::uint32_t* X11Presenter::begin(int w, int h, int scale, int& stride, bool& kept) {
    if (w <= 0 || h <= 0 || !s_->locate(scale) || !s_->sized(w, h))
        return nullptr;
    kept = s_->filled;
    s_->filled = true;
    stride = s_->image->bytes_per_line / 4;
    return reinterpret_cast<std::uint32_t*>(s_->image->data);
}

void X11Presenter::forget() {
    s_->shown = false;
}

void X11Presenter::put(int x0, int y0, int x1, int y1) {
    State& s = *s_;
    const int w = s.image->width, h = s.image->height;
    if (!s.shown) {
        x0 = y0 = 0;
        x1 = w;
        y1 = h;
    }
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, w);
    y1 = std::min(y1, h);
    if (x0 >= x1 || y0 >= y1)
        return; // the window shows all of it already
    const unsigned cols = static_cast<unsigned>(x1 - x0), rows = static_cast<unsigned>(y1 - y0);
    if (s.shm)
        XShmPutImage(s.dpy, s.target, s.gc, s.image, x0, y0, s.dx + x0, s.dy + y0, cols, rows,
                     False);
    else
        XPutImage(s.dpy, s.target, s.gc, s.image, x0, y0, s.dx + x0, s.dy + y0, cols, rows);
    // The server reads a shared image when it gets to the request; the next frame writes the
    // same memory, so wait for it here.
    XSync(s.dpy, False);
    s.shown = true;
}

} // namespace orbotk
