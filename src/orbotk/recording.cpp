// Recordings: the line format, the recorder that writes it from what windows receive, and the
// replayer that feeds it back through the driver. Modal loops are marked in the file where they
// began and ended; a replay follows a recorded loop from inside it (the window observers hear
// of each loop as it runs), sends it the lines up to its end, and returns to the outer loop.
#include "orbotk/chooser.h"
#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/recorder.h"
#include "orboutil/strings.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <wx/app.h>

namespace orbotk {

std::uint64_t frameChecksum(const UIContext& context) {
    std::uint64_t h = 14695981039346656037ull;
    auto mix = [&h](std::uint32_t word) {
        for (int i = 0; i < 4; ++i, word >>= 8) {
            h ^= word & 0xFFu;
            h *= 1099511628211ull;
        }
    };
    mix(static_cast<std::uint32_t>(context.W()));
    mix(static_cast<std::uint32_t>(context.H()));
    const size_t n = static_cast<size_t>(context.W()) * static_cast<size_t>(context.H());
    for (size_t i = 0; i < n; ++i)
        mix(context.framebuffer()[i].word);
    return h;
}

namespace {

const char HEADER[] = "orbotk-recording 1";
// The second line: whether input to password fields was withheld. Both forms have one length,
// so that the recorder can change its mind in place.
const char SECRETS_NONE[] = "secrets none    ";
const char SECRETS_WITHHELD[] = "secrets withheld";
static_assert(sizeof SECRETS_NONE == sizeof SECRETS_WITHHELD, "the secrets line is rewritten");

struct Kind {
    const char* name;
    wxEventType type;
};

// Mouse events, as named in the file.
const std::vector<Kind>& mouseKinds() {
    static const std::vector<Kind> kinds = {{"move", wxEVT_MOTION},
                                            {"left-down", wxEVT_LEFT_DOWN},
                                            {"left-up", wxEVT_LEFT_UP},
                                            {"left-dclick", wxEVT_LEFT_DCLICK},
                                            {"middle-down", wxEVT_MIDDLE_DOWN},
                                            {"middle-up", wxEVT_MIDDLE_UP},
                                            {"middle-dclick", wxEVT_MIDDLE_DCLICK},
                                            {"right-down", wxEVT_RIGHT_DOWN},
                                            {"right-up", wxEVT_RIGHT_UP},
                                            {"right-dclick", wxEVT_RIGHT_DCLICK},
                                            {"enter", wxEVT_ENTER_WINDOW},
                                            {"leave", wxEVT_LEAVE_WINDOW},
                                            {"wheel", wxEVT_MOUSEWHEEL}};
    return kinds;
}

const std::vector<Kind>& keyKinds() {
    static const std::vector<Kind> kinds = {
        {"key-down", wxEVT_KEY_DOWN}, {"key-up", wxEVT_KEY_UP}, {"char", wxEVT_CHAR}};
    return kinds;
}

const char* nameOf(const std::vector<Kind>& kinds, wxEventType type) {
    for (const Kind& k : kinds)
        if (k.type == type)
            return k.name;
    return nullptr;
}

const Kind* kindNamed(const std::vector<Kind>& kinds, const std::string& name) {
    for (const Kind& k : kinds)
        if (name == k.name)
            return &k;
    return nullptr;
}

std::string modifiers(bool shift, bool ctrl, bool alt, bool meta) {
    std::string out;
    for (auto [on, name] : {std::pair<bool, const char*>{shift, "shift"},
                            {ctrl, "ctrl"},
                            {alt, "alt"},
                            {meta, "meta"}})
        if (on)
            out += (out.empty() ? "" : "+") + std::string(name);
    return out.empty() ? "-" : out;
}

std::string character(int ch) {
    if (ch <= 0)
        return "-";
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(ch));
    return buf;
}

std::string hex(std::uint64_t v) {
    char buf[20];
    std::snprintf(buf, sizeof buf, "%016" PRIx64, v);
    return buf;
}

std::string pngPath(const std::string& dir, std::uint64_t checksum) {
    return dir + "/" + hex(checksum) + ".png";
}

// A chooser's answer as one field: UTF-8, with spaces, controls and '%' as %XX.
std::string escaped(const std::wstring& text) {
    static const char* const HEX = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : orbo::util::utf8FromWString(text)) {
        if (c <= ' ' || c == '%' || c == 0x7F) {
            out += '%';
            out += HEX[c >> 4];
            out += HEX[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool unescaped(const std::string& field, std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size() || !std::isxdigit(static_cast<unsigned char>(field[i + 1])) ||
            !std::isxdigit(static_cast<unsigned char>(field[i + 2])))
            return false;
        out += static_cast<char>(std::stoi(field.substr(i + 1, 2), nullptr, 16));
        i += 2;
    }
    text = orbo::util::wstringFromUtf8(orbo::utf8_string(std::move(out)));
    return true;
}

// ---- Reading

struct Line {
    int at = 0; // line number in the file
    std::string kind;
    int window = 0;
    int x = 0, y = 0, rotation = 0, code = 0, ch = -1, w = 0, h = 0;
    std::string buttons;
    int mods = 0;
    bool checked = false;
    std::uint64_t checksum = 0;
    std::vector<std::wstring> answer; // a chooser's
};

[[noreturn]] void bad(const std::string& path, int at, const std::string& what) {
    throw std::runtime_error("recording " + path + ", line " + std::to_string(at) + ": " + what);
}

int parseModifiers(const std::string& s, const std::string& path, int at) {
    if (s == "-")
        return wxMOD_NONE;
    int mods = 0;
    std::stringstream in(s);
    std::string word;
    while (std::getline(in, word, '+')) {
        if (word == "shift")
            mods |= wxMOD_SHIFT;
        else if (word == "ctrl")
            mods |= wxMOD_CONTROL;
        else if (word == "alt")
            mods |= wxMOD_ALT;
        else if (word == "meta")
            mods |= wxMOD_META;
        else
            bad(path, at, "unknown modifier \"" + word + "\"");
    }
    return mods;
}

int parseCharacter(const std::string& s, const std::string& path, int at) {
    if (s == "-")
        return -1;
    unsigned v = 0;
    char rest = 0;
    if (std::sscanf(s.c_str(), "U+%x%c", &v, &rest) != 1 || v > 0x10FFFF)
        bad(path, at, "a character is U+ and hexadecimal digits, or -: \"" + s + "\"");
    return static_cast<int>(v);
}

std::vector<Line> read(const std::string& path, bool& withheld) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("recording " + path + ": cannot be read");
    std::string text;
    int at = 1;
    if (!std::getline(in, text) || text != HEADER)
        bad(path, 1, std::string("not a recording (the first line must be \"") + HEADER + "\")");
    withheld = false;
    std::vector<Line> lines;
    while (std::getline(in, text)) {
        ++at;
        if (text.empty() || text[0] == '#')
            continue;
        if (text.compare(0, 8, "secrets ") == 0) {
            std::istringstream fields(text.substr(8));
            std::string value, rest;
            if (!(fields >> value) || (value != "none" && value != "withheld") || (fields >> rest))
                bad(path, at, "secrets are \"none\" or \"withheld\": \"" + text + "\"");
            withheld = value == "withheld";
            continue;
        }
        std::istringstream fields(text);
        Line l;
        l.at = at;
        if (!(fields >> l.kind >> l.window) || l.window < 0)
            bad(path, at, "a line is a kind and a window number: \"" + text + "\"");
        std::string a, b;
        bool ok = true;
        if (kindNamed(mouseKinds(), l.kind)) {
            ok = static_cast<bool>(fields >> l.x >> l.y >> l.buttons >> a) &&
                 (l.buttons == "-" || l.buttons.find_first_not_of("LMR") == std::string::npos);
            if (ok && l.kind == "wheel")
                ok = static_cast<bool>(fields >> l.rotation);
            if (ok)
                l.mods = parseModifiers(a, path, at);
        } else if (kindNamed(keyKinds(), l.kind)) {
            ok = static_cast<bool>(fields >> l.code >> a >> b);
            if (ok) {
                l.ch = parseCharacter(a, path, at);
                l.mods = parseModifiers(b, path, at);
            }
        } else if (l.kind == "size") {
            ok = static_cast<bool>(fields >> l.w >> l.h) && l.w >= 0 && l.h >= 0;
        } else if (l.kind == "paint") {
            ok = static_cast<bool>(fields >> l.w >> l.h >> a) && l.w >= 0 && l.h >= 0;
            if (ok && a != "-") {
                char* end = nullptr;
                l.checksum = std::strtoull(a.c_str(), &end, 16);
                l.checked = true;
                ok = a.size() == 16 && *end == '\0';
            }
        } else if (l.kind == "end") {
            ok = static_cast<bool>(fields >> l.code);
        } else if (l.kind == "chooser") {
            int count = 0;
            ok = static_cast<bool>(fields >> count) && count >= 0;
            for (int i = 0; ok && i < count; ++i) {
                l.answer.emplace_back();
                ok = static_cast<bool>(fields >> a) && unescaped(a, l.answer.back());
            }
        } else if (l.kind != "open" && l.kind != "modal" && l.kind != "focus-in" &&
                   l.kind != "focus-out") {
            bad(path, at, "unknown kind \"" + l.kind + "\"");
        }
        if (!ok)
            bad(path, at, "the fields of \"" + l.kind + "\" do not read: \"" + text + "\"");
        lines.push_back(l);
    }
    return lines;
}

// ---- Replaying

class Replayer : public WindowObserver {
public:
    Replayer(std::string path, std::vector<Line> lines, bool withheld,
             const boost::shared_ptr<Window>& root)
        : path_(std::move(path)), lines_(std::move(lines)) {
        result_.passwordsWithheld = withheld;
        windows_.push_back(root);
        Window::addObserver(this);
        // The choosers open in the order they did when recorded, each given its answer.
        for (const Line& l : lines_)
            if (l.kind == "chooser")
                answers_.push_back(l.answer);
        answerChoosers([this](const Chooser&, std::vector<std::wstring>& answer) {
            if (answers_.empty())
                return false;
            answer = answers_.front();
            answers_.pop_front();
            return true;
        });
    }
    ~Replayer() override {
        answerChoosers(ChooserAnswer());
        Window::removeObserver(this);
    }

    ReplayResult run() {
        feed(-1);
        return result_;
    }

    void windowOpened(Window& w) override { windows_.push_back(w.handle()); }

    // A modal loop the replay made: the recording's lines up to its end go to it from here.
    void modalLoopRunning(Window& w) override {
        const int k = number(w);
        if (k < 0)
            return;
        if (!stopped_ && pos_ < lines_.size()) {
            running_.push_back(k);
            feed(k);
            running_.pop_back();
            if (w.IsModal() && !stopped_ && pos_ < lines_.size())
                stop(lines_[pos_ - 1],
                     "window " + std::to_string(k) + " is still modal where its loop ended");
        }
        // What the recording did not end (it stopped with the window open, or the replay
        // stopped) ends as Escape would end it.
        if (w.IsModal())
            w.EndModal(w.escapeResult());
    }

private:
    int number(const Window& w) const {
        for (size_t i = 0; i < windows_.size(); ++i)
            if (windows_[i].lock().get() == &w)
                return static_cast<int>(i);
        return -1;
    }

    void stop(const Line& l, const std::string& why) {
        if (stopped_)
            return;
        stopped_ = true;
        result_.line = l.at;
        result_.message = "line " + std::to_string(l.at) + ": " + why;
    }

    // Sends lines until the end of modal loop k's (or of the file, k < 0).
    void feed(int k) {
        while (!stopped_ && pos_ < lines_.size()) {
            const Line& l = lines_[pos_];
            const std::string n = std::to_string(l.window);
            if (l.kind == "end") {
                if (l.window != k)
                    return stop(l,
                                "window " + n + "'s modal loop ended here, but it is not running");
                ++pos_;
                return;
            }
            ++pos_;
            if (l.kind == "modal") {
                if (running_.empty() || running_.back() != l.window)
                    return stop(l, "window " + n + "'s modal loop did not start");
            } else if (l.kind == "open") {
                if (static_cast<size_t>(l.window) >= windows_.size())
                    return stop(l, "window " + n + " did not open");
            } else if (l.kind == "chooser") {
                // Answered where the chooser showed, from the queue.
            } else if (!send(l)) {
                return;
            }
        }
    }

    bool send(const Line& l) {
        const boost::shared_ptr<Window> w =
            static_cast<size_t>(l.window) < windows_.size() ? windows_[l.window].lock() : nullptr;
        if (!w) {
            stop(l, "window " + std::to_string(l.window) + " is not open");
            return false;
        }
        Driver d(w);
        if (const Kind* k = kindNamed(mouseKinds(), l.kind)) {
            const auto held = [&l](char b) { return l.buttons.find(b) != std::string::npos; };
            d.mouseEvent(k->type, l.x, l.y, held('L'), held('M'), held('R'), l.mods, l.rotation);
        } else if (const Kind* key = kindNamed(keyKinds(), l.kind)) {
            d.keyEvent(key->type, l.code, l.ch, l.mods);
        } else if (l.kind == "focus-in") {
            d.focusIn();
        } else if (l.kind == "focus-out") {
            d.focusOut();
        } else if (l.kind == "size") {
            d.resize(l.w, l.h);
        } else if (l.kind == "paint") {
            // The frame is drawn at its recorded size. How soon the platform applies a size a
            // window asked for (a message box sizes itself in its first pass) varies from run
            // to run; the size the frame had does not.
            if (d.width() != l.w || d.height() != l.h) {
                w->SetClientSize(l.w, l.h);
                w->canvas()->SetSize(0, 0, l.w, l.h);
            }
            d.paint();
            if (l.checked) {
                ++result_.framesChecked;
                const std::uint64_t got = frameChecksum(*w->context());
                if (got != l.checksum) {
                    ++result_.events;
                    differs(l, d, got);
                    return false;
                }
            }
        }
        ++result_.events;
        d.flush(); // deferred calls run between events, as the event loop runs them
        return !stopped_;
    }

    void differs(const Line& l, Driver& d, std::uint64_t got) {
        const std::string dir = path_ + ".diff";
        std::filesystem::create_directories(dir);
        const std::string stem = dir + "/line-" + std::to_string(l.at);
        if (d.width() > 0 && d.height() > 0) {
            result_.actualPNG = stem + "-actual.png";
            d.savePNG(result_.actualPNG);
        }
        const std::string kept = pngPath(path_ + ".frames", l.checksum);
        if (std::filesystem::exists(kept)) {
            result_.expectedPNG = stem + "-expected.png";
            std::filesystem::copy_file(kept, result_.expectedPNG,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        stop(l, "the frame of window " + std::to_string(l.window) + " differs (" +
                    std::to_string(d.width()) + " x " + std::to_string(d.height()) + ", checksum " +
                    hex(got) + ", recorded " + std::to_string(l.w) + " x " + std::to_string(l.h) +
                    ", " + hex(l.checksum) + ")");
    }

    std::string path_;
    std::vector<Line> lines_;
    std::deque<std::vector<std::wstring>> answers_; // the choosers', in order
    size_t pos_ = 0;
    std::vector<boost::weak_ptr<Window>> windows_;
    std::vector<int> running_; // the numbers of the modal loops being replayed, innermost last
    bool stopped_ = false;
    ReplayResult result_;
};

} // namespace

// ---- Recorder

Recorder::Recorder(const std::string& path, const boost::shared_ptr<Window>& window)
    : Recorder(path, window, Options()) {}

Recorder::Recorder(const std::string& path, const boost::shared_ptr<Window>& window,
                   Options options)
    : path_(path), options_(options), out_(path) {
    if (!window)
        throw std::invalid_argument("orbotk::Recorder needs a live window");
    if (!out_)
        throw std::runtime_error("recording " + path + ": cannot be written");
    if (options_.frames && options_.checksums)
        std::filesystem::create_directories(path + ".frames");
    out_ << HEADER << "\n";
    secretsAt_ = out_.tellp();
    out_ << SECRETS_NONE << "\n";
    out_ << "# kind window fields: see docs/recording.md\n";
    windows_.push_back(window.get());
    line("open 0");
    const wxSize size = window->canvas()->GetClientSize();
    line("size 0 " + std::to_string(size.x) + " " + std::to_string(size.y));
    Window::addObserver(this);
}

Recorder::~Recorder() {
    Window::removeObserver(this);
}

int Recorder::number(const Window& window) const {
    for (size_t i = 0; i < windows_.size(); ++i)
        if (windows_[i] == &window)
            return static_cast<int>(i);
    return -1;
}

void Recorder::line(const std::string& text) {
    out_ << text << "\n";
    out_.flush(); // a recording is most wanted when the program then crashes
    ++lines_;
}

void Recorder::windowOpened(Window& window) {
    // A new window at the address of a closed one is a different window.
    for (const Window*& w : windows_)
        if (w == &window)
            w = nullptr;
    windows_.push_back(&window);
    line("open " + std::to_string(windows_.size() - 1));
}

void Recorder::eventReceived(Window& window, const wxEvent& event) {
    if (held_.window >= 0) // an event inside the held one's pass (a dialog it opened)
        release(0);
    const int n = number(window);
    if (n < 0)
        return;
    const std::string head = std::to_string(n) + " ";
    const wxEventType type = event.GetEventType();
    if (const char* name = nameOf(mouseKinds(), type)) {
        const auto& m = static_cast<const wxMouseEvent&>(event);
        std::string buttons = std::string(m.LeftIsDown() ? "L" : "") +
                              (m.MiddleIsDown() ? "M" : "") + (m.RightIsDown() ? "R" : "");
        std::string text = std::string(name) + " " + head + std::to_string(m.GetX()) + " " +
                           std::to_string(m.GetY()) + " " + (buttons.empty() ? "-" : buttons) +
                           " " +
                           modifiers(m.ShiftDown(), m.ControlDown(), m.AltDown(), m.MetaDown());
        if (type == wxEVT_MOUSEWHEEL)
            text += " " + std::to_string(m.GetWheelRotation());
        line(text);
    } else if (const char* key = nameOf(keyKinds(), type)) {
        const auto& k = static_cast<const wxKeyEvent&>(event);
        const int ch = static_cast<int>(k.GetUnicodeKey());
        const int code = k.GetKeyCode();
        std::string text = std::string(key) + " " + head + std::to_string(code) + " " +
                           character(ch == WXK_NONE ? -1 : ch) + " " +
                           modifiers(k.ShiftDown(), k.ControlDown(), k.AltDown(), k.MetaDown());
        if (type == wxEVT_KEY_UP) {
            const auto down =
                std::find(withheldKeys_.begin(), withheldKeys_.end(), std::make_pair(n, code));
            if (down != withheldKeys_.end()) {
                withheldKeys_.erase(down);
                return;
            }
        }
        if (!window.context()->focusIsSecret()) {
            line(text);
            return;
        }
        // A shortcut (Ctrl with a key) tells nothing; a character does, and so does a modifier
        // key alone (Shift before a letter tells its case).
        const bool printable = ch >= 0x20 && ch != 0x7F && !(ch >= 0x80 && ch < 0xA0);
        const bool shortcut = k.ControlDown() && !k.AltDown();
        const bool modifier = code == WXK_SHIFT || code == WXK_ALT || code == WXK_CONTROL ||
                              code == WXK_RAW_CONTROL || code == WXK_WINDOWS_LEFT ||
                              code == WXK_WINDOWS_RIGHT || code == WXK_CAPITAL;
        held_ = Held{n, std::move(text), type == wxEVT_KEY_DOWN, code,
                     (printable && !shortcut) || modifier};
    } else if (type == wxEVT_SET_FOCUS || type == wxEVT_KILL_FOCUS) {
        line(std::string(type == wxEVT_SET_FOCUS ? "focus-in " : "focus-out ") + std::to_string(n));
    } else if (type == wxEVT_SIZE) {
        const wxSize s = static_cast<const wxSizeEvent&>(event).GetSize();
        line("size " + head + std::to_string(s.x) + " " + std::to_string(s.y));
    }
}

void Recorder::eventHandled(Window& window, const wxEvent&) {
    const int typed = window.context()->takeSecretTyped(); // 0 when no pass ran
    if (held_.window >= 0 && held_.window == number(window))
        release(typed);
}

void Recorder::release(int typed) {
    if (typed > 0 || held_.reveals) {
        for (int i = 0; i < typed; ++i)
            line("char " + std::to_string(held_.window) + " 42 U+002A -");
        if (held_.keyDown)
            withheldKeys_.emplace_back(held_.window, held_.code);
        withhold();
    } else {
        line(held_.text);
    }
    held_ = Held();
}

void Recorder::withhold() {
    if (withheld_)
        return;
    withheld_ = true;
    const std::streampos end = out_.tellp();
    out_.seekp(secretsAt_);
    out_ << SECRETS_WITHHELD;
    out_.seekp(end);
    out_.flush();
}

void Recorder::framePainted(Window& window) {
    const int n = number(window);
    if (n < 0)
        return;
    const UIContext& c = *window.context();
    std::string text = "paint " + std::to_string(n) + " " + std::to_string(c.W()) + " " +
                       std::to_string(c.H()) + " ";
    if (!options_.checksums) {
        line(text + "-");
        return;
    }
    const std::uint64_t sum = frameChecksum(c);
    line(text + hex(sum));
    if (options_.frames && c.W() > 0 && c.H() > 0) {
        const std::string png = pngPath(path_ + ".frames", sum);
        if (!std::filesystem::exists(png))
            Driver(window.handle().lock()).savePNG(png);
    }
}

void Recorder::modalLoopRunning(Window& window) {
    const int n = number(window);
    if (n >= 0)
        line("modal " + std::to_string(n));
}

void Recorder::chooserAnswered(Window& window, const std::vector<std::wstring>& answer) {
    const int n = number(window);
    if (n < 0)
        return;
    std::string text = "chooser " + std::to_string(n) + " " + std::to_string(answer.size());
    for (const std::wstring& a : answer)
        text += " " + escaped(a);
    line(text);
}

void Recorder::modalLoopEnded(Window& window, int result) {
    const int n = number(window);
    if (n >= 0)
        line("end " + std::to_string(n) + " " + std::to_string(result));
}

// ---- Driver::replay

ReplayResult Driver::replay(const std::string& path) {
    bool withheld = false;
    std::vector<Line> lines = read(path, withheld); // throws before anything is sent
    Replayer replayer(path, std::move(lines), withheld, live());
    return replayer.run();
}

} // namespace orbotk
