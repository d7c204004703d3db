// Random input for the gallery: a byte string read as a sequence of driver events (moves,
// presses, drags in and outside the window, wheel, keys with modifiers, characters from every
// plane, Tab, focus, resizes down to 0 x 0, paints, device scales 1 to 3, the three looks,
// input-method compositions, a screen reader's client reading the whole accessible tree, and
// long texts pasted: thousands of lines, or one line longer than a field lays out whole),
// and the invariants that must hold after each one. The event fuzzer reads its bytes from
// libFuzzer, the soak run from a seeded generator. Dialogs and message boxes that the gallery opens
// are driven from inside their own modal loops with the bytes that follow, and closed when the
// bytes run out.
#pragma once

#include "gallery.h"
#include "gui/palette.h"
#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/menu.h>

#include <gtk/gtk.h>
#include <unistd.h>

namespace gallery {

// Reads the gallery's private state for the invariants.
struct GalleryProbe {
    static constexpr const char* TWO_COMBOS_OPEN = "two combo boxes open at once";
    // A page number from any byte.
    static int page(std::uint8_t b) { return b % Gallery::PAGES; }
    // The first invariant that fails, or nullptr.
    static const char* broken(const Gallery& g) {
        const gui::TextState* states[] = {&g.fields_[0], &g.fields_[1], &g.fields_[2], &g.password_,
                                          &g.name_,      &g.digits_,    &g.secret_,    &g.stored_,
                                          &g.fixed_,     &g.note_};
        for (const gui::TextState* s : states) {
            if (s->caret() > s->len() || s->anchor() > s->len())
                return "a caret or selection end outside its text";
            if (s->len() > s->maxLen())
                return "a text longer than its maximum";
        }
        if (!(g.volume_ >= 0.0f && g.volume_ <= 100.0f) ||
            !(g.volumePreview_ >= 0.0f && g.volumePreview_ <= 100.0f))
            return "the slider outside its range";
        if (g.firstRow_ < 0 || g.firstRow_ > 90)
            return "the list's scroll position outside its range";
        if (g.firstNumber_ < 0 || g.firstNumber_ >= 30)
            return "the scrolling combo box's first row outside its list";
        if (!(g.cacheMB_ >= 64.0f && g.cacheMB_ <= 1024.0f))
            return "the settings slider outside its range";
        if (g.fruitOpen_ && g.numberOpen_)
            return TWO_COMBOS_OPEN;
        if (g.page_ < 0 || g.page_ >= Gallery::PAGES)
            return "no such page";
        return nullptr;
    }
};

// The library's log, read back after every event. A pass that threw, or a call the gallery got
// wrong, is logged rather than thrown at the caller: as much a broken invariant as a caret
// outside its text. A frame or window larger than the platform can show is logged too, but
// that is the library's answer to a resize, not a fault. Records go to a file of the process's
// own unless ORBO_LOG names one, and are passed on to standard error as they are read.
class LogWatch {
public:
    static LogWatch& instance() {
        static LogWatch watch;
        return watch;
    }

    // The first fault logged since the last call, or nullptr.
    const char* fault() {
        in_.clear(); // past the end last time; the file has grown since
        std::string line;
        const char* found = nullptr;
        while (std::getline(in_, line)) {
            if (!line.empty() && line.back() == '\r') // records end in CR LF
                line.pop_back();
            std::fprintf(stderr, "%s\n", line.c_str());
            const bool error = line.find(" ERROR: ") != std::string::npos ||
                               line.find(" CRITICAL: ") != std::string::npos ||
                               line.find(" FATAL: ") != std::string::npos;
            if (error && !found && line.find(" frame.cpp:") == std::string::npos &&
                line.find(" window.cpp:") == std::string::npos) {
                fault_ = "logged: " + line;
                found = fault_.c_str();
            }
        }
        return found;
    }

private:
    LogWatch() {
        if (std::getenv("ORBO_LOG") == nullptr) {
            char path[] = "/tmp/gallery-events-log-XXXXXX";
            if (const int fd = mkstemp(path); fd >= 0) {
                close(fd);
                setenv("ORBO_LOG", path, 1);
                own_ = path;
            }
        }
        if (const char* path = std::getenv("ORBO_LOG"))
            in_.open(path, std::ios::binary | std::ios::ate);
    }
    ~LogWatch() {
        if (!own_.empty())
            std::remove(own_.c_str());
    }

    std::ifstream in_;
    std::string own_, fault_;
};

class EventScript : public orbotk::WindowObserver {
public:
    // failed receives a description of the first broken invariant; the script stops there.
    EventScript(const std::uint8_t* data, size_t size, std::function<void(const char*)> failed)
        : data_(data), size_(size), failed_(std::move(failed)) {
        LogWatch::instance(); // from before the first event on
        orbotk::Window::addObserver(this);
    }
    ~EventScript() override { orbotk::Window::removeObserver(this); }
    EventScript(const EventScript&) = delete;
    EventScript& operator=(const EventScript&) = delete;

    // Plays the script into the gallery until the bytes run out; returns the events sent.
    size_t play(Gallery& g) {
        gallery_ = &g;
        orbotk::Driver d(g.window());
        d.resize(800, 600);
        d.paint();
        run(d, true);
        return events_;
    }

    // A modal window the gallery opened: the next bytes go to it, until they run out or ask
    // for the window to be left; a loop still running then is ended as Escape would.
    void modalLoopRunning(orbotk::Window& w) override {
        orbotk::Driver d(w.handle().lock());
        if (depth_ < 3) {
            ++depth_;
            d.resize(w.GetSize().x, w.GetSize().y);
            d.paint();
            run(d, false);
            --depth_;
        }
        if (w.IsModal())
            w.EndModal(w.escapeResult());
    }

    size_t events() const { return events_; }

private:
    bool more() const { return pos_ < size_ && !stopped_; }
    std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    // A coordinate across the window and 24 pixels beyond each edge.
    int coord(int side) { return static_cast<int>(byte()) * (side + 48) / 255 - 24; }

    static int modifiers(std::uint8_t b) {
        return ((b & 1) ? wxMOD_SHIFT : 0) | ((b & 2) ? wxMOD_CONTROL : 0) |
               ((b & 4) ? wxMOD_ALT : 0);
    }

    void run(orbotk::Driver& d, bool top) {
        while (more()) {
            const std::uint8_t op = byte();
            // In a modal window, one code in 32 leaves it (the loop ends as if by Escape).
            if (!top && op % 32 == 31)
                return;
            step(d, op % 25);
            ++events_;
            // What a pass deferred (opening a dialog, say) runs before the next input, as the
            // event loop would run it.
            d.flush();
            if (!d.window())
                return; // the window closed itself
            check(d);
        }
    }

    void step(orbotk::Driver& d, int op) {
        static const int keys[] = {WXK_LEFT,     WXK_RIGHT,  WXK_UP,    WXK_DOWN,
                                   WXK_HOME,     WXK_END,    WXK_BACK,  WXK_DELETE,
                                   WXK_RETURN,   WXK_ESCAPE, WXK_SPACE, WXK_PAGEUP,
                                   WXK_PAGEDOWN, 'A',        'C',       'V',
                                   'X',          'Z',        '1',       '3',
                                   '4',          '5',        '9',       WXK_F1,
                                   WXK_INSERT,   WXK_TAB,    WXK_SHIFT, WXK_NUMPAD_ENTER};
        static const wchar_t chars[] = {L'a',  L'Z',  L'0',   L' ',    L'.',     0xE9,  0xDF,
                                        0x5D0, 0x5E9, 0x4E2D, 0x1F600, 0x200B,   0x301, 0x7F,
                                        0x01,  0x1B,  0xFFFF, 0xD800,  0x10FFFF, L'\t', L'\r',
                                        L'\n', 0xA0,  0x0627, 0x30C6};
        const int w = d.width() > 0 ? d.width() : 1, h = d.height() > 0 ? d.height() : 1;
        switch (op) {
        case 0:
        case 1:
        case 2: {
            const int x = coord(w), y = coord(h);
            d.mouseMove(x, y);
            break;
        }
        case 3: {
            const int x = coord(w), y = coord(h);
            d.leftDown(x, y);
            break;
        }
        case 4: {
            const int x = coord(w), y = coord(h);
            d.leftUp(x, y);
            break;
        }
        case 5: {
            const int x = coord(w), y = coord(h);
            d.click(x, y);
            break;
        }
        case 6: {
            const int x = coord(w), y = coord(h);
            d.leftDoubleClick(x, y);
            break;
        }
        case 7: {
            const int x = coord(w), y = coord(h);
            const std::uint8_t b = byte();
            if (b & 1) {
                d.rightDown(x, y);
                d.rightUp(x, y);
            } else {
                d.middleDown(x, y);
                d.middleUp(x, y);
            }
            break;
        }
        case 8: {
            const int x = coord(w), y = coord(h);
            d.wheel(x, y, (static_cast<int>(byte()) - 128) * 15);
            break;
        }
        case 9: {
            const int key = keys[byte() % (sizeof keys / sizeof keys[0])];
            const std::uint8_t b = byte();
            if (b & 8)
                d.keyUp(key, modifiers(b));
            else
                d.keyDown(key, modifiers(b));
            break;
        }
        case 10:
        case 11: {
            const int key = keys[byte() % (sizeof keys / sizeof keys[0])];
            d.press(key, modifiers(byte()));
            break;
        }
        case 12:
        case 13: {
            const std::uint8_t b = byte();
            d.character(static_cast<int>(chars[b % (sizeof chars / sizeof chars[0])]),
                        modifiers(b >> 5));
            break;
        }
        case 14:
            d.press(WXK_TAB, (byte() & 1) ? wxMOD_SHIFT : wxMOD_NONE);
            break;
        case 15:
            if (byte() & 1)
                d.focusIn();
            else
                d.focusOut();
            break;
        case 16: {
            const std::uint8_t b = byte();
            if (b & 1)
                d.enter(coord(w), coord(h));
            else
                d.leave();
            break;
        }
        case 17: {
            // Sizes from nothing to twice the gallery's, weighted towards the small ones.
            static const int sides[] = {0, 1, 2, 7, 40, 120, 333, 600, 800, 1024, 1600};
            const std::uint8_t b = byte();
            d.resize(sides[(b & 15) % 11], sides[(b >> 4) % 11]);
            d.paint();
            break;
        }
        case 20:
            // A monitor of another scale (0: the platform's again), and the frame it draws.
            d.window()->overrideScale(byte() % 4);
            d.paint();
            break;
        case 21:
            gui::setLook(static_cast<gui::LookStyle>(byte() % 3));
            d.paint();
            break;
        case 22: {
            // An input method's composition, its cursor anywhere in it; the empty one ends it.
            static const wchar_t* const compositions[] = {L"", L"\u304B", L"\u304B\u3093\u3058",
                                                          L"ni\u0301", L"\u05E9\u05DC"};
            const std::uint8_t b = byte();
            const std::wstring text = compositions[b % 5];
            d.context()->setPreedit(text, static_cast<int>((b >> 3) % (text.size() + 1)));
            d.paint();
            break;
        }
        case 23:
            readAccessibleTree(d);
            break;
        case 24: {
            // A few thousand to fifty thousand characters pasted over everything in what has
            // the focus, in lines or (Latin) in one: a text area lays them out around its view
            // and the rest at idle (the flush after each event gives it some), a field a window
            // around its caret. Everything is replaced, so that texts do not grow without end.
            const std::uint8_t b = byte();
            const bool hebrew = b & 1, lines = hebrew || (b & 2);
            const wchar_t* piece =
                hebrew ? L"\u05E9\u05DC\u05D5\u05DD and words " : L"lorem ipsum ";
            std::wstring text;
            for (int i = 0; i < 200 + (b >> 2) * 30; ++i)
                text += lines && i % 4 == 3 ? std::wstring(piece) + L'\n' : piece;
            if (wxTheClipboard->Open()) {
                wxTheClipboard->SetData(new wxTextDataObject(text));
                wxTheClipboard->Close();
            }
            d.press('A', wxMOD_CONTROL);
            d.press('V', wxMOD_CONTROL);
            d.paint();
            break;
        }
        default:
            d.paint();
            break;
        }
    }

    // What a screen reader's client asks of every object it finds: its name, role, states,
    // text, value, table cells and selection. The controls' descriptions are kept only while
    // something reads them, so the first reading turns them on.
    static void readAccessibleTree(orbotk::Driver& d) {
        d.context()->setAccessibility(true);
        GtkWidget* canvas = static_cast<GtkWidget*>(d.window()->canvas()->GetHandle());
        if (canvas != nullptr)
            readAccessible(gtk_widget_get_accessible(canvas), 0);
    }
    static void readAccessible(AtkObject* o, int depth) {
        if (o == nullptr || depth > 8)
            return;
        atk_object_get_name(o);
        atk_object_get_description(o);
        atk_object_get_role(o);
        g_object_unref(atk_object_ref_state_set(o));
        if (ATK_IS_TEXT(o)) {
            gchar* text = atk_text_get_text(ATK_TEXT(o), 0, -1);
            atk_text_get_caret_offset(ATK_TEXT(o));
            gint start = 0, end = 0;
            g_free(atk_text_get_selection(ATK_TEXT(o), 0, &start, &end));
            g_free(text);
        }
        if (ATK_IS_VALUE(o)) {
            gdouble value = 0;
            gchar* text = nullptr;
            atk_value_get_value_and_text(ATK_VALUE(o), &value, &text);
            g_free(text);
        }
        if (ATK_IS_TABLE(o)) {
            AtkTable* t = ATK_TABLE(o);
            const gint rows = atk_table_get_n_rows(t), columns = atk_table_get_n_columns(t);
            if (AtkObject* cell = atk_table_ref_at(t, rows > 0 ? rows - 1 : 0, 0))
                g_object_unref(cell);
            if (AtkObject* header = atk_table_get_column_header(t, columns > 0 ? columns - 1 : 0))
                atk_object_get_name(header);
        }
        if (ATK_IS_SELECTION(o)) {
            const gint n = atk_selection_get_selection_count(ATK_SELECTION(o));
            if (AtkObject* chosen = atk_selection_ref_selection(ATK_SELECTION(o), n - 1))
                g_object_unref(chosen);
        }
        const gint n = atk_object_get_n_accessible_children(o);
        for (gint i = 0; i < n && i < 400; ++i)
            if (AtkObject* child = atk_object_ref_accessible_child(o, i)) {
                readAccessible(child, depth + 1);
                g_object_unref(child);
            }
    }

    void check(orbotk::Driver& d) {
        const auto ui = d.context();
        const wxSize canvas = d.window()->canvas()->GetClientSize();
        if (ui->W() != canvas.x || ui->H() != canvas.y) {
            // The framebuffer follows the window at the next paint; one now shows whether it does.
            d.paint();
            if (ui->W() != canvas.x || ui->H() != canvas.y)
                return fail("the framebuffer is not the window's size");
        }
        const char* why = GalleryProbe::broken(*gallery_);
        if (why == GalleryProbe::TWO_COMBOS_OPEN) {
            // Opening a combo box closes the open one on that one's next pass: a box opened
            // after the other was drawn leaves both flags set until a pass has run.
            orbotk::Driver(gallery_->window()).paint();
            why = GalleryProbe::broken(*gallery_);
        }
        if (why || (why = LogWatch::instance().fault()))
            fail(why);
    }

    void fail(const char* why) {
        stopped_ = true;
        failed_(why);
    }

    const std::uint8_t* data_;
    size_t size_, pos_ = 0, events_ = 0;
    int depth_ = 0;
    bool stopped_ = false;
    Gallery* gallery_ = nullptr;
    std::function<void(const char*)> failed_;
};

// Menus that the gallery pops up would wait for a person: each is closed as soon as it opens.
inline void closeMenusAsTheyOpen(wxWindow& w) {
    w.Bind(wxEVT_MENU_OPEN, [](wxMenuEvent& e) {
        wxMenu* menu = e.GetMenu();
        if (menu == nullptr || menu->m_menu == nullptr)
            return;
        // The reference keeps the widget alive should the menu be gone by then.
        GtkWidget* widget = GTK_WIDGET(g_object_ref(menu->m_menu));
        wxTheApp->CallAfter([widget] {
            gtk_menu_popdown(GTK_MENU(widget));
            g_object_unref(widget);
        });
    });
}

} // namespace gallery
