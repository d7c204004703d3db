// Helpers for a host's own tests: answering the modal windows and the choosers its code opens,
// and picking an item of the native popup menus it opens, both from inside the loops that run them,
// through the real entry points (the Driver for windows, the platform's menu for menus). Each
// helper is armed before the code under test runs and acts once. A helper that does not get to act,
// or whose window is still open when its time is up, ends what it can (the modal loop with
// wxID_ABORT, the menu dismissed) and reports a failure instead of leaving the test hanging.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orbotk {

class Driver;

namespace testing {

// What became of one helper, for the test to check once the code under test has returned.
struct Outcome {
    bool acted = false;  // it found its window or menu and acted on it
    std::string failure; // empty unless it failed; the failure handler has heard it too
    bool failed() const { return !failure.empty(); }
};

// Where failures go as they happen, besides the outcome: standard error by default. A test
// framework's own failure call belongs here (GoogleTest: ADD_FAILURE() << message).
void setFailureHandler(std::function<void(const std::string&)> handler);

// Once the next modal loop of a toolkit window runs, sizes and paints that window as the
// platform would, and hands act a Driver on it (click L"DialogOK" or L"DialogCancel", type into
// its fields...). If the window is still in its loop `limit` after act returned, or no modal
// loop starts within `limit`, the loop is ended with wxID_ABORT and the helper fails.
std::shared_ptr<const Outcome>
answerNextModal(std::function<void(Driver&)> act,
                std::chrono::milliseconds limit = std::chrono::seconds(5));

// Once the next popup menu opens, activates its item whose label (without mnemonics) is label,
// as a click on it would; an empty label dismisses the menu. A label the menu lacks, or an item
// that is disabled, dismisses the menu and fails, and so does no menu opening within `limit`.
std::shared_ptr<const Outcome>
pickNextMenuItem(const std::wstring& label,
                 std::chrono::milliseconds limit = std::chrono::seconds(5));

// Once the next chooser of Window::choose shows (a file, folder or colour chooser), closes it
// with answer as if the user had chosen it (paths, or a colour as "#rrggbb"; a save chooser's
// path counts as confirmed where it exists), or cancels it when answer is empty. No chooser
// showing within `limit` fails.
std::shared_ptr<const Outcome>
answerNextChooser(std::vector<std::wstring> answer,
                  std::chrono::milliseconds limit = std::chrono::seconds(5));

} // namespace testing
} // namespace orbotk
