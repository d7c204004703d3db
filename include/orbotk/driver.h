// Drives a toolkit window without a person: synthetic wxWidgets events sent through the canvas's
// own event handler, the same entry point as real input, so what a test checks is the real
// routing. Each event is one pass. Sequences follow what the platform sends: a click is move,
// down, up; a double click is down, up, double click, up; a key press is key down, the character
// (when the key produces one and key down was not consumed) and key up, with Ctrl+letter
// producing its control code (1-26).
#pragma once

#include "orbotk/rgba.h"

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <string>
#include <vector>
#include <wx/event.h>
#include <wx/gdicmn.h>

namespace orbotk {

class Window;
class UIContext;

// What a replay found. A replay stops at the first frame that differs from its recording, or at
// the first event that cannot be sent as recorded (a window that did not open, a modal loop
// that did not start or end).
struct ReplayResult {
    size_t events = 0;        // recorded lines sent
    size_t framesChecked = 0; // paints whose checksum was compared
    int line = 0;             // the line where the replay stopped early; 0 when it ran through
    std::string message;      // why it stopped; empty when it ran through
    std::string expectedPNG;  // the recorded frame, when its image was kept beside the recording
    std::string actualPNG;    // the frame the replay drew at that line
    // The recording wrote what was typed into password fields as asterisks: their frames
    // compare equal, but what the host did with the password (its signature) differs.
    bool passwordsWithheld = false;
    bool ok() const { return message.empty(); }
};

class Driver {
public:
    // The driver observes the window without keeping it: once the window is destroyed, every
    // call throws std::logic_error.
    explicit Driver(const boost::shared_ptr<Window>& window);

    boost::shared_ptr<Window> window() const { return window_.lock(); }
    boost::shared_ptr<UIContext> context() const;

    // Mouse, in window pixels. Buttons held by earlier calls are reported in later events.
    void mouseMove(int x, int y);
    void leftDown(int x, int y);
    void leftUp(int x, int y);
    void leftDoubleClick(int x, int y); // down, up, double click, up
    void click(int x, int y);           // move, down, up
    void rightDown(int x, int y);
    void rightUp(int x, int y);
    void middleDown(int x, int y);
    void middleUp(int x, int y);
    void wheel(int x, int y, int rotation); // rotation in wheel units (120 per notch)
    void enter(int x, int y);
    void leave();

    // Keys with wxMOD_* modifiers. keyDown returns whether the event was skipped (left to
    // default processing), which is when the platform follows it with a character event.
    bool keyDown(int code, int modifiers = wxMOD_NONE);
    void keyUp(int code, int modifiers = wxMOD_NONE);
    void character(int ch, int modifiers = wxMOD_NONE);
    void press(int code, int modifiers = wxMOD_NONE);
    // Each character as a key stroke: letters and Latin-1 with their key codes, every other
    // character (Hebrew, CJK, emoji, ...) as the platform sends it, without a key code.
    void typeText(const std::wstring& text);

    // ---- Controls by name, as the last complete pass laid them out (window pixels). Each
    // throws std::invalid_argument naming the control when the last pass had none of that name.
    wxRect rect(const std::wstring& name) const;
    // Move, down and up at the centre of the control's box.
    void click(const std::wstring& name);
    // Rows of a list, a table or a tree by its name and the row's number (counted from 0, as
    // the host's count has them) or its label (a table's: the text of any of its cells); entries of
    // an open combo box by the combo box's name and their place among the entries shown, or their
    // text. Only what is in view has a place: std::invalid_argument names the control and the item
    // otherwise. The first call makes the window describe its controls (as for a screen reader)
    // from then on, and paints once so that the descriptions exist; a repaint that was due stays
    // due.
    wxRect itemRect(const std::wstring& control, int index);
    wxRect itemRect(const std::wstring& control, const std::wstring& label);
    // Move, down and up at the item's centre.
    void clickItem(const std::wstring& control, int index);
    void clickItem(const std::wstring& control, const std::wstring& label);
    // Keyboard focus to the control, as Tab would give it; the window is asked to repaint.
    void focus(const std::wstring& name);

    void focusIn();
    void focusOut();

    // A paint pass, whether or not the window asked for one: for a frame to look at.
    void paint();
    // The paints the platform would run now, and no others: deferred calls run, then a paint
    // pass while the window has one due (asked for by a widget, the host or the window's own
    // rule after input), until none is. Returns how many paint passes ran. What a user sees
    // after some input is the frame after settle(); a test that checks it with paint() would
    // pass even where the window never repaints.
    int settle();
    void resize(int w, int h);
    // Single events with every field given, as a recording holds them: a mouse event with the
    // buttons held and modifiers (rotation for the wheel), a key event with its character (-1
    // for none); keyEvent returns whether the event was skipped.
    void mouseEvent(wxEventType type, int x, int y, bool left, bool middle, bool right,
                    int modifiers, int rotation = 0);
    bool keyEvent(wxEventType type, int code, int ch, int modifiers);

    // Replays a recording (orbotk::Recorder) into this window, as its window 0, and into the
    // windows it opens meanwhile, in the order they open; deferred calls run after each event.
    // Where the recording has checksums, each paint's frame is compared. Throws
    // std::runtime_error, naming the line, when the file is not a recording or a line cannot
    // be read; nothing is sent then. Differing frames are written beside the recording, in
    // PATH.diff/.
    ReplayResult replay(const std::string& path);
    // Runs deferred calls and deletes windows whose destruction is pending.
    void flush();

    // The window in logical pixels, which is what every coordinate above counts in.
    int width() const;
    int height() const;
    // The frame in device pixels: width() x height() times the window's device scale.
    int scale() const;
    int frameWidth() const;
    int frameHeight() const;
    // Window coordinates, y downward: the top-left device pixel of logical pixel (x, y). Out
    // of range gives transparent black.
    orbo::tk::RGBA pixel(int x, int y) const;
    // Device coordinates, y downward.
    orbo::tk::RGBA devicePixel(int x, int y) const;
    // Top-down copy of the framebuffer: frameWidth() x frameHeight() device pixels.
    std::vector<orbo::tk::RGBA> pixels() const;
    // The framebuffer as a PNG of device pixels, alpha kept (un-premultiplied, as PNG stores
    // it). Throws std::runtime_error when the file cannot be written.
    void savePNG(const std::string& path) const;

private:
    // Hands an event to the canvas as the platform does (object and id set).
    void send(wxEvent& event);
    void mouse(wxEventType type, int x, int y);
    // Key down, the character when key down was skipped and ch is one, key up.
    void keyStroke(int code, int ch, int modifiers);
    static int characterFor(int code, int modifiers);

    boost::shared_ptr<Window> live() const;
    // The item of the control whose index is index (label null) or whose name is label.
    wxRect item(const std::wstring& control, int index, const std::wstring* label);

    boost::weak_ptr<Window> window_;
    bool left_ = false, middle_ = false, right_ = false;
    int x_ = 0, y_ = 0;
};

} // namespace orbotk
