// Putting frames straight onto a window's X window, outside GTK's paint cycle. A repaint through
// GTK costs a double buffer, an upload of the frame into it and a copy to the window, on top of
// the frame itself; writing the frame into an image shared with the X server and putting it on
// the window costs the server one copy. Used on X11 displays whose visual takes 0x00RRGGBB
// words as the frame's conversion writes them; elsewhere (Wayland, remote or unusual visuals)
// create() gives nothing and the window paints through GTK.
#pragma once

#include <cstdint>
#include <memory>

class wxWindow;

namespace orbotk {

class X11Presenter {
public:
    // sharedMemory false: frames are always uploaded over the connection.
    static std::unique_ptr<X11Presenter> create(wxWindow* canvas, bool sharedMemory);
    ~X11Presenter();
    X11Presenter(const X11Presenter&) = delete;
    X11Presenter& operator=(const X11Presenter&) = delete;

    // Rows of w x h device pixels to write the frame into, top row first, stride pixels apart;
    // null when the canvas cannot be drawn on directly now (not realized, moved to another
    // screen, or shown at another device scale than the frame's).
    // The memory stays until the size changes, so a frame allocates nothing, and holds what was
    // written into it last: kept is false when it is new and holds nothing yet.
    std::uint32_t* begin(int w, int h, int scale, int& stride, bool& kept);
    // Puts columns x0 .. x1 - 1 of rows y0 .. y1 - 1 of the image on the canvas (all of it when
    // the window may show something else: the first put, or after forget()) and waits until
    // the server has read them, so the next frame may write them again. What the window shows
    // already needs no put.
    void put(int x0, int y0, int x1, int y1);
    // Something else painted the window (GTK's paint cycle, for an expose).
    void forget();

private:
    struct State;
    explicit X11Presenter(std::unique_ptr<State> state);
    std::unique_ptr<State> s_;
};

} // namespace orbotk
