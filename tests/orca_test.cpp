// A settings window heard through a real screen reader: Orca, on an X server, a window manager
// and a D-Bus session of the test's own, with speech going nowhere (a speech-dispatcher with no
// sound device). What Orca says is read from its debug log, which it writes line by line to a
// pseudo-terminal. Real keys (xdotool) walk the form as a blind user does: Tab through fields,
// type and move the caret, a check box, a radio group, a slider, a combo box, a list, a dialog
// and a message box opening; each step must be heard.
#include "display_server.h"
#include "gui/dialog.h"
#include "gui/message_box.h"
#include "orbotk/application.h"
#include "widget_host.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using gui::Box;
using orbotk::ControlID;
using testing_support::Child;
using testing_support::Host;
using testing_support::settle;
using testing_support::waitFor;

namespace {

// Orca with its own settings, log and speech server; what it says is collected as it says it.
class Orca {
public:
    explicit Orca(const std::string& home) {
        const std::string config = home + "/config", speechd = config + "/speech-dispatcher";
        for (const std::string& dir :
             {home, config, speechd, speechd + "/modules", home + "/speechd-log", home + "/orca"})
            mkdir(dir.c_str(), 0755);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        // No sound device here: an output that goes nowhere, or Orca waits on speech forever.
        std::ofstream(speechd + "/speechd.conf")
            << "AudioOutputMethod \"alsa\"\nAudioALSADevice \"null\"\n"
            << "LogDir \"" << home << "/speechd-log\"\n"
            << "AddModule \"quiet\" \"sd_generic\" \"quiet.conf\"\nDefaultModule quiet\n"
            << "DefaultLanguage \"en\"\n";
        std::ofstream(speechd + "/modules/quiet.conf")
            << "GenericExecuteSynth \"true\"\nAddVoice \"en\" \"MALE1\" \"en\"\n";

        // Orca's log goes to a terminal, which Python writes to a line at a time.
        terminal_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (terminal_ < 0 || grantpt(terminal_) != 0 || unlockpt(terminal_) != 0)
            throw std::runtime_error("no pseudo-terminal for Orca's log");
        const std::string log = ptsname(terminal_);
        // Held open here too, so that the terminal stays whole while Orca opens it, writes to
        // it and leaves: reading it never fails, and the reader ends when asked.
        ownEnd_ = open(log.c_str(), O_RDWR | O_NOCTTY);
        log_.open(home + "/orca.log");
        reader_ = std::thread([this] { read(); });
        bus_.reset(
            new Child({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"}, "/dev/null"));
        windowManager_.reset(new Child({"metacity", "--replace"}, "/dev/null"));
        orca_.reset(new Child({"orca", "--replace", "-u", home + "/orca", "--debug-file=" + log},
                              home + "/orca.out"));
        // A loaded machine (the sanitizer build beside other tests) has taken over 30 seconds.
        if (!waitForSpeech("Screen reader on", 90)) {
            stop(); // a joinable reader left behind would end the program, not fail the test
            throw std::runtime_error("Orca did not start (see " + home + "/orca.out)");
        }
    }
    ~Orca() { stop(); }

    void stop() {
        if (!reader_.joinable())
            return;
        orca_.reset();
        windowManager_.reset();
        bus_.reset();
        stop_ = true;
        reader_.join();
        close(ownEnd_);
        close(terminal_);
    }

    // What Orca said since the last call, " | " between utterances: once it has said words
    // (in this order, in any case), or after ten seconds, and then a moment of quiet.
    std::string heard(const std::vector<std::string>& words) {
        std::string out;
        size_t taken = 0;
        int quiet = 0;
        for (int i = 0; i < 1000 && (!contains(out, words) || quiet < 50); ++i) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
            std::lock_guard<std::mutex> lock(mutex_);
            quiet = said_.size() == taken ? quiet + 1 : 0;
            for (; taken < said_.size(); ++taken)
                out += (out.empty() ? "" : " | ") + said_[taken];
        }
        std::lock_guard<std::mutex> lock(mutex_);
        said_.erase(said_.begin(), said_.begin() + static_cast<long>(taken));
        return out;
    }

    static bool contains(const std::string& said, const std::vector<std::string>& words) {
        const std::string low = lower(said);
        size_t from = 0;
        for (const std::string& w : words) {
            from = low.find(lower(w), from);
            if (from == std::string::npos)
                return false;
            from += w.size();
        }
        return true;
    }

    static std::string lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        return s;
    }

private:
    bool waitForSpeech(const std::string& text, int seconds) {
        for (int i = 0; i < seconds * 100; ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                for (const std::string& s : said_)
                    if (s.find(text) != std::string::npos)
                        return true;
            }
            usleep(10000);
        }
        return false;
    }
    void read() {
        std::string line;
        char buffer[4096];
        while (!stop_) {
            pollfd in{terminal_, POLLIN, 0};
            if (poll(&in, 1, 100) <= 0)
                continue;
            const ssize_t n = ::read(terminal_, buffer, sizeof buffer);
            // A signal (a child process ending) interrupts the read: read on, or Orca, its
            // log no longer drained, stops at a full terminal and falls silent.
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n <= 0)
                return;
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] != '\n') {
                    line += buffer[i];
                    continue;
                }
                log_ << line << '\n';
                // "12:00:00.0 - SPEECH OUTPUT: 'Name text.'{'established': False}"
                const size_t at = line.find("SPEECH OUTPUT: '");
                const size_t end = line.rfind('\'', line.rfind('{'));
                if (at != std::string::npos && end != std::string::npos && end > at + 16) {
                    std::string text = line.substr(at + 16, end - at - 16);
                    while (!text.empty() && text.back() == ' ')
                        text.pop_back();
                    if (!text.empty()) {
                        std::lock_guard<std::mutex> lock(mutex_);
                        said_.push_back(text);
                    }
                }
                line.clear();
            }
        }
    }

    int terminal_ = -1, ownEnd_ = -1;
    std::atomic<bool> stop_{false};
    std::ofstream log_; // the whole log, kept when the test fails
    std::thread reader_;
    std::mutex mutex_;
    std::vector<std::string> said_;
    std::unique_ptr<Child> bus_, windowManager_, orca_;
};

Orca* orca = nullptr;

void keys(const std::string& what) {
    ASSERT_EQ(std::system(("xdotool " + what).c_str()), 0) << what;
}

// Presses keys and checks that Orca said each of the words, in this order, in any case.
void step(const std::string& press, const std::vector<std::string>& words) {
    if (!press.empty())
        keys(press);
    const std::string said = orca->heard(words);
    EXPECT_TRUE(Orca::contains(said, words)) << press << ": heard only: " << said;
    std::printf("[%s] %s\n", press.c_str(), said.c_str());
}

// A dialog with one field, which has the focus as it opens.
class Rename : public gui::Dialog {
public:
    explicit Rename(const boost::weak_ptr<orbotk::Window>& parent)
        : gui::Dialog(parent, L"Rename", 360, 200, false, false, false, false,
                      gui::NO_SCALE_WINDOW) {}
    gui::TextState name{textFont_, L""};
    void doScene() override {
        {
            Box row(ui_, gui::FILL, 28.0f);
            row.setTop(10.0f);
            doLineEdit(ControlID(L"new name"), name, L"New name", 90.0f);
        }
        if (isOK(checkboxCheck_, true))
            EndModal(wxID_OK);
    }
};

} // namespace

TEST(Orca, AFormADialogAndAMessageBoxAreHeardAsTheUserWorksThem) {
    gui::TextState name{Host::textFont_, L""}, digits{Host::textFont_, L""};
    bool enabled = false, colourOpen = false, save = false;
    const wchar_t* size = L"Small";
    const wchar_t* colour = L"Red";
    float volume = 50.0f;
    gui::ListState tasks;
    std::set<int> chosen;
    static const wchar_t* const sizes[] = {L"Small", L"Large"};
    static const wchar_t* const colours[] = {L"Red", L"Green", L"Blue"};
    static const wchar_t* const fruit[] = {L"Apple", L"Banana", L"Cherry", L"Date"};

    gui::ListOptions options;
    options.label = [](int i) { return std::wstring(fruit[i]); };

    testing_support::Hosted win{420, 420, true};
    win->SetTitle(L"Reader settings");
    win->scene = [&](Host& h) {
        const auto label = [&](float y, const wchar_t* text) {
            Box l(h.ui(), 90.0f, 24.0f);
            l.setPos(20.0f, y + 4.0f);
            h.doLabel(text);
        };
        const auto place = [&](float x, float y, float w, float height,
                               const std::function<void()>& draw) {
            Box r(h.ui(), w, height);
            r.setPos(x, y);
            draw();
        };
        place(20, 60, 380, 28, [&] { h.doLineEdit(ControlID(L"name"), name, L"Name", 90.0f); });
        place(20, 92, 380, 28,
              [&] { h.doLineEdit(ControlID(L"digits"), digits, L"Digits", 90.0f); });
        place(20, 124, 380, 26, [&] {
            h.doCheckbox(ControlID(L"enabled"), enabled, L"Enabled", nullptr, nullptr, true);
        });
        place(20, 152, 380, 48, [&] { h.doRadioEasy(size, 2, sizes, true); });
        label(204, L"Volume");
        place(120, 204, 280, 32, [&] { h.doHSlider(ControlID(L"volume"), volume, nullptr, true); });
        label(240, L"Colour");
        place(120, 240, 200, 28, [&] {
            h.doComboBoxEasy(ControlID(L"colour"), colourOpen, colour, 3, colours, true);
        });
        label(276, L"Fruit");
        place(120, 276, 200, 86, [&] {
            h.doList(
                ControlID(L"fruit"), tasks, 4, chosen, [&](int i, bool) { h.doLabel(fruit[i]); },
                options);
        });
        Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
        b.setPos(300.0f, 372.0f);
        if (h.doPushButton(ControlID(L"save"), L"Save", true))
            save = true;
    };
    win->Show(true);
    ASSERT_TRUE(waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); }));

    // The window opens with its first field focused.
    step("", {"Reader settings", "frame", "Name", "entry"});
    step("key Tab", {"Digits", "entry"});
    // Typing echoes each letter; the caret reads the letter it moves onto.
    step("type Ann", {"A", "n", "n"});
    step("key Left", {"n"});
    step("key Home", {"A"});
    step("key End", {"blank"});
    step("key BackSpace", {"n"});
    step("key Home shift+End", {"An", "selected"});
    step("key End", {"unselected"});
    step("key Tab", {"Enabled", "check box", "not checked"});
    step("key space", {"checked"});
    // The radio group is one Tab stop; the arrows move and select within it.
    step("key Tab", {"Small", "radio button"});
    step("key Down", {"Large"});
    EXPECT_EQ(std::wstring(size), L"Large");
    step("key Tab", {"Volume", "slider", "50"});
    step("key Right", {"51"});
    step("key Left", {"50"});
    step("key Tab", {"Colour", "combo box", "Red"});
    step("key Down", {"Red"});
    step("key Down", {"Green"});
    step("key Down", {"Blue"});
    step("key Return", {"Blue"});
    EXPECT_EQ(std::wstring(colour), L"Blue");
    step("key Tab", {"Fruit", "list", "Apple"});
    step("key Down", {"Banana"});
    step("key Tab", {"Save", "push button"});

    // A dialog: its title and role, then the field that has the focus.
    {
        Rename rename(win->window());
        testing_support::onNextModal([&](orbotk::Driver&) {
            step("", {"Rename", "dialog", "New name", "entry"});
            keys("type Bob");
            keys("key Return");
        });
        EXPECT_EQ(rename.ShowModal(), wxID_OK);
        EXPECT_EQ(rename.name.text(), L"Bob");
    }
    step("", {"Save", "push button"}); // the focus back where it was

    // A message box: its title and role once, its message once, and the focused button.
    std::string box;
    testing_support::onNextModal([&](orbotk::Driver&) {
        box = orca->heard({"Information", "OK"});
        keys("key Return");
    });
    keys("key Return");
    ASSERT_TRUE(waitFor([&] { return save; }));
    gui::messageBox(win->window(), L"Saved your settings.", L"Information", wxOK);
    std::printf("[message box] %s\n", box.c_str());
    const std::string low = Orca::lower(box);
    EXPECT_TRUE(Orca::contains(box, {"alert", "Information"})) << box;
    EXPECT_TRUE(Orca::contains(box, {"OK", "push button"})) << box;
    const size_t message = low.find("saved your settings");
    ASSERT_NE(message, std::string::npos) << box;
    EXPECT_EQ(low.find("saved your settings", message + 1), std::string::npos)
        << "the message said twice: " << box;
    win->scene = nullptr;
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        testing_support::OwnXServer server(1280, 1024, 96);
        unsetenv("NO_AT_BRIDGE");
        char home[] = "/tmp/gui-orca-XXXXXX";
        if (mkdtemp(home) == nullptr)
            throw std::runtime_error("no directory for Orca");
        Orca reader(home);
        orca = &reader;
        orbotk::Application app(argc, argv);
        const int result = RUN_ALL_TESTS();
        orca = nullptr;
        if (result == 0)
            std::system(("rm -rf " + std::string(home)).c_str());
        else
            std::printf("Orca's log: %s/orca.log\n", home);
        return result;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
