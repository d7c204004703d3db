// Recording what a user does in a window, as a text file that Driver::replay feeds back through
// the same entry points, one pass per event. The format (docs/recording.md) is one event per
// line, readable and editable by hand; after each paint it can hold a checksum of the frame, and
// beside the file the distinct frames as PNG, so that a replay can show where it differs.
#pragma once

#include "orbotk/window.h"

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace orbotk {

class UIContext;

// FNV-1a over the frame's size and pixels: what a recording keeps of each frame.
std::uint64_t frameChecksum(const UIContext& context);

class Recorder : public WindowObserver {
public:
    struct Options {
        bool checksums = true; // a checksum of the frame after each paint
        bool frames = true;    // each distinct frame as PATH.frames/<checksum>.png
    };

    // Records every event that window receives, and those of every window opened after it
    // (dialogs, message boxes), numbered in the order they opened; the window itself is 0.
    // Starts with the window's size. Throws std::runtime_error when the file cannot be made.
    Recorder(const std::string& path, const boost::shared_ptr<Window>& window);
    Recorder(const std::string& path, const boost::shared_ptr<Window>& window, Options options);
    ~Recorder() override;
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Lines written so far, the header aside.
    size_t lines() const { return lines_; }

    void windowOpened(Window& window) override;
    void eventReceived(Window& window, const wxEvent& event) override;
    void eventHandled(Window& window, const wxEvent& event) override;
    void framePainted(Window& window) override;
    void modalLoopRunning(Window& window) override;
    void modalLoopEnded(Window& window, int result) override;
    void chooserAnswered(Window& window, const std::vector<std::wstring>& answer) override;

private:
    int number(const Window& window) const;
    void line(const std::string& text);
    // A key or character that reached a password field, held until its pass has run.
    struct Held {
        int window = -1;
        std::string text;
        bool keyDown = false;
        int code = 0;
        bool reveals = false; // it tells what was typed: a printable key, a modifier key
    };
    // Writes what stands for the held event: an asterisk for each character the field took,
    // else the event itself when it tells nothing of the password.
    void release(int typed);
    void withhold();

    std::string path_;
    Options options_;
    std::ofstream out_;
    std::vector<const Window*> windows_; // by number; a closed window keeps its place
    size_t lines_ = 0;
    Held held_;
    // Keys whose key-down was withheld, by window: their key-ups are withheld too, wherever
    // the focus has gone meanwhile.
    std::vector<std::pair<int, int>> withheldKeys_;
    bool withheld_ = false;
    std::streampos secretsAt_; // where the header says whether anything was withheld
};

} // namespace orbotk
