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
    void framePainted(Window& window) override;
    void modalLoopRunning(Window& window) override;
    void modalLoopEnded(Window& window, int result) override;

private:
    int number(const Window& window) const;
    void line(const std::string& text);

    std::string path_;
    Options options_;
    std::ofstream out_;
    std::vector<const Window*> windows_; // by number; a closed window keeps its place
    size_t lines_ = 0;
};

} // namespace orbotk
