// What a frame costs, measured the way a user meets it: a 640 x 480 window with the chrome, ten
// labels, four push buttons and a 20-character text field. Every figure comes from one process,
// interleaved round by round (the machine's speed drifts from minute to minute), and is stated
// beside memset and memcpy of the same frame measured in the same rounds:
//   - the paint pass into the framebuffer, at 640 x 480, 1280 x 720 and 1920 x 1080, as a
//     repaint (over the frame the pass before left, which it writes only where that may differ)
//     and as the first paint at a size is (every pixel written);
//   - the input pass (a mouse move, nothing drawn), and what a menu bar with nothing open adds
//     to it (added_ms);
//   - the input and paint passes of ten number fields, ten split panes and a strip of ten tabs,
//     beside ten push buttons (x_input, x_paint against the push buttons' pass);
//   - paint and present of the shown window, beside a plain XPutImage of a 640 x 480 buffer to
//     an X window of the same size and beside the same put through a shared-memory image (what
//     a library that puts its whole frame each time pays to present it; all waited for with a
//     round trip to the server): as the toolkit repaints after a change (straight to the X
//     window: a small mark that comes and goes, and a line down the whole window, which
//     changes every row), and through GTK's paint cycle as an expose does;
//   - inside a real paint pass: a full-window blended fill, a modulation of the cleared frame,
//     and an opaque fill then a modulation;
//   - the gallery's busiest page (the controls) as nobody reads it and as a screen reader reads
//     it: the difference is what keeping the controls' descriptions and following them in the
//     accessible tree costs a pass (without a bus, so the bridge's own cost is not in it);
//   - a list view's paint pass over ten rows (all in view), eleven and a million scrolled to
//     their end (ten in view and the scroll bar), and the
//     keystroke-to-frame time of a text area (a character typed, then deleted, each followed by
//     its paint pass) holding 100, 10,000 and 100,000 lines, the caret in the middle, and 100
//     lines of Hebrew, which the platform lays out; and a text of 100,000 lines (2.3 million
//     characters) given to a text area, to its first frame;
//   - a table's paint pass over 20 rows in view of 21 and of a million scrolled to its end, a
//     tree's over 21 rows and over a million (a thousand nodes open) scrolled to the middle,
//     and, in a table filling a 1920 x 1080 window, a column's edge dragged (the motion's
//     input pass and the paint after it) beside a still repaint of that window;
//   - a switch to the dark look and back, each followed by its paint pass (the first paint
//     after a switch draws the panel anew), beside one repaint;
//   - the same window at device scale 2 (1280 x 960 device pixels): its paint pass beside the
//     one at scale 1, and, with the display's window scale set to 2 as on a 2x screen, its
//     paint and present beside a plain XPutImage of a 1280 x 960 buffer, in rounds of their
//     own after the others.
// Each benchmark reports the median of its rounds; the counters give the ratios.
// Run on a display (xvfb-run).
#include "../examples/gallery/gallery.h"
#include "gui/gui.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <boost/make_shared.hpp>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <vector>
#include <wx/app.h>
#include <wx/utils.h>

namespace {

using gui::Box;
using orbotk::ControlID;

class BenchWindow : public gui::AppWindow {
public:
    BenchWindow(int w, int h)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Frame bench", w, h,
                         gui::NO_SCALE_WINDOW) {}
    gui::TextState field{textFont_, L"twenty characters ok"};
    // Changes between repaints: a small mark beside the buttons (what a hover or a click
    // changes), or a line down the whole window (every row changes).
    bool mark = false, line = false;
    // A menu bar of four menus of eight items, each with a shortcut, below the field.
    bool menus = false;
    void uiProcedure() override {
        if (line) {
            Box b(ui_, 1.0f, gui::FILL);
            b.setLeft(500.0f);
            gui::render(ui_, orbo::tk::RGBA(0xFF000000u));
        }
        gui::AppWindow::uiProcedure();
    }
    void doScene() override {
        if (mark) {
            Box b(ui_, 40.0f, 16.0f);
            b.setLeft(400.0f);
            gui::render(ui_, orbo::tk::RGBA(0xFF2060C0u));
        }
        for (int i = 0; i < 10; ++i) {
            Box label(ui_, 200.0f, 20.0f);
            label.setTop(24.0f * i);
            doLabel((L"Label number " + std::to_wstring(i)).c_str());
        }
        static const wchar_t* const captions[4] = {L"OK", L"Cancel", L"Apply", L"Help"};
        for (int i = 0; i < 4; ++i) {
            Box button(ui_, PUSHBUTTON_SHAPE);
            button.setTop(24.0f * i);
            button.setLeft(240.0f);
            glColor(gui::orbopal::OKButton);
            doPushButton(captions[i], true);
        }
        {
            Box row(ui_, 300.0f, 30.0f);
            row.setTop(260.0f);
            doLineEdit(ControlID(L"field"), field, L"Text", 0.0f);
        }
        if (menus)
            menuBar();
    }
    void menuBar() {
        static const wchar_t* const titles[4] = {L"&File", L"&Edit", L"&View", L"&Help"};
        static const wchar_t* const keys[8] = {L"Ctrl+1", L"Ctrl+2", L"Ctrl+3", L"Ctrl+4",
                                               L"Ctrl+5", L"Ctrl+6", L"Ctrl+7", L"Ctrl+8"};
        Box band(ui_, gui::FILL, gui::MENU_BAR_HEIGHT);
        band.setTop(300.0f);
        gui::MenuBar bar(ui());
        for (int m = 0; m < 4; ++m)
            if (bar.menu(titles[m])) {
                for (int i = 0; i < 8; ++i)
                    if (bar.item(L"An item", keys[i]))
                        mark = !mark;
                bar.endMenu();
            }
    }
};

// A window that only fills its frame, for the fills inside a real paint: nothing (what the
// pass itself costs), a blended fill, a modulation of the cleared frame, or an opaque fill then
// a modulation.
enum class Fill { Nothing, Blend, ModulateCleared, Modulate };
class FillWindow : public gui::AppWindow {
public:
    FillWindow(int w, int h, Fill fill)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Fill bench", w, h,
                         gui::NO_SCALE_WINDOW),
          fill_(fill) {}
    void uiProcedure() override {
        Box root(ui_);
        if (fill_ == Fill::Modulate) {
            gui::renderNoBlend(ui_, orbo::tk::RGBA(0xFF608040u));
            gui::renderModulate(ui_, orbo::tk::RGBA(0xC0A0B0C0u));
        } else if (fill_ == Fill::Blend) {
            gui::render(ui_, orbo::tk::RGBA(0x80404040u));
        } else if (fill_ == Fill::ModulateCleared) {
            gui::renderModulate(ui_, orbo::tk::RGBA(0xC0A0B0C0u));
        }
    }

private:
    Fill fill_;
};

// A plain X window and an image of its size, uploaded with XPutImage.
// A plain X client with a window of the frame's size: the whole frame put with XPutImage, or
// through a shared-memory image (as an immediate-mode library that redraws and puts its whole
// frame each time presents), each waited for with a round trip.
struct PlainX {
    Display* dpy = nullptr;
    Window win = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    std::vector<char> pixels;
    XImage* shared = nullptr;
    XShmSegmentInfo segment{};
    PlainX(int w, int h) : pixels(static_cast<size_t>(w) * h * 4, 0x40) {
        dpy = XOpenDisplay(nullptr);
        const int screen = DefaultScreen(dpy);
        win = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), 0, 0, w, h, 0, 0, 0);
        XMapWindow(dpy, win);
        gc = XCreateGC(dpy, win, 0, nullptr);
        image = XCreateImage(dpy, DefaultVisual(dpy, screen), 24, ZPixmap, 0, pixels.data(), w, h,
                             32, 0);
        if (XShmQueryExtension(dpy)) {
            shared = XShmCreateImage(dpy, DefaultVisual(dpy, screen), 24, ZPixmap, nullptr,
                                     &segment, w, h);
            segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(shared->bytes_per_line) * h,
                                   IPC_CREAT | 0600);
            segment.shmaddr = shared->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
            segment.readOnly = False;
            XShmAttach(dpy, &segment);
            XSync(dpy, False);
            shmctl(segment.shmid, IPC_RMID, nullptr); // gone once both sides detach
            std::memset(shared->data, 0x40, static_cast<size_t>(shared->bytes_per_line) * h);
        }
        XSync(dpy, False);
    }
    ~PlainX() {
        if (shared) {
            XShmDetach(dpy, &segment);
            XSync(dpy, False);
            shmdt(segment.shmaddr);
            shared->data = nullptr;
            XDestroyImage(shared);
        }
        image->data = nullptr; // the vector owns the pixels
        XDestroyImage(image);
        XFreeGC(dpy, gc);
        XDestroyWindow(dpy, win);
        XCloseDisplay(dpy);
    }
    void upload() {
        XPutImage(dpy, win, gc, image, 0, 0, 0, 0, static_cast<unsigned>(image->width),
                  static_cast<unsigned>(image->height));
        XSync(dpy, False);
    }
    void uploadShared() {
        if (shared == nullptr)
            return upload();
        XShmPutImage(dpy, win, gc, shared, 0, 0, 0, 0, static_cast<unsigned>(shared->width),
                     static_cast<unsigned>(shared->height), False);
        XSync(dpy, False);
    }
};

// A 640 x 480 window of ten widgets of one kind, one a row: push buttons, number fields, split
// panes (each row split in two), or a strip of ten tabs; what a widget costs a pass, beside
// the push button's.
enum class Kind { PushButtons, NumberFields, Splits, Tabs };
class WidgetsWindow : public gui::AppWindow {
public:
    explicit WidgetsWindow(Kind kind)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Widgets", 640, 480,
                         gui::NO_SCALE_WINDOW),
          kind_(kind) {}
    void doScene() override {
        static const wchar_t* const names[10] = {L"w0", L"w1", L"w2", L"w3", L"w4",
                                                 L"w5", L"w6", L"w7", L"w8", L"w9"};
        if (kind_ == Kind::Tabs) {
            Box strip(ui_, gui::FILL, 24.0f);
            gui::TabsOptions o;
            o.tabWidth = 56.0f;
            gui::doTabs(ui(), ControlID(L"tabs"), tab_, captions_, o);
            return;
        }
        for (int i = 0; i < 10; ++i) {
            Box row(ui_, 400.0f, 30.0f);
            row.setTop(34.0f * i);
            const ControlID id(names[i]);
            switch (kind_) {
            case Kind::PushButtons:
                glColor(gui::orbopal::OKButton);
                doPushButton(id, names[i], true);
                break;
            case Kind::NumberFields:
                gui::doNumberField(ui(), id, numbers_[i], names[i], numberOptions_);
                break;
            default:
                gui::doSplit(
                    ui(), id, splits_[i], splitOptions_, [] {}, [] {});
                break;
            }
        }
    }

private:
    Kind kind_;
    int tab_ = 0;
    const std::vector<std::wstring> captions_{L"One", L"Two",   L"Three", L"Four", L"Five",
                                              L"Six", L"Seven", L"Eight", L"Nine", L"Ten"};
    double numbers_[10] = {};
    float splits_[10] = {200, 200, 200, 200, 200, 200, 200, 200, 200, 200};
    gui::NumberOptions numberOptions_;
    gui::SplitOptions splitOptions_;
};

// A 640 x 480 window whose content is a list view of count rows (scrolled to its end), or a
// text area of `lines` lines with the caret in the middle.
// A table of four columns, or a tree, in a box that shows 20 rows, scrolled to the table's end
// or the tree's middle; or a table filling a window of the given size.
class DataWindow : public gui::AppWindow {
public:
    // A table of `rows` rows, or a tree of `top` nodes each holding `fan` children, all open.
    DataWindow(bool tree, int rows, int fan = 0, int w = 640, int h = 480, bool fill = false)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Data", w, h, gui::NO_SCALE_WINDOW),
          width(w), height(h), tree_(tree), rows_(rows), fill_(fill) {
        const wchar_t* titles[] = {L"Name", L"Size", L"Kind", L"Modified"};
        for (const wchar_t* t : titles) {
            columns_.emplace_back();
            columns_.back().title = t;
            columns_.back().width = 120.0f;
        }
        options_.cellText = [](int row, int column) {
            return L"Cell " + std::to_wstring(row) + L"." + std::to_wstring(column);
        };
        model_.childCount = [rows, fan](const gui::TreePath& p) {
            return p.empty() ? rows : p.size() == 1 ? fan : 0;
        };
        model_.label = [](const gui::TreePath& p) {
            return L"Node " + std::to_wstring(p.front()) +
                   (p.size() > 1 ? L"." + std::to_wstring(p.back()) : L"");
        };
        for (int i = 0; fan > 0 && i < rows; ++i)
            treeState_.expanded.insert({i});
        table_.rows.first = rows;
        treeState_.rows.first = (rows + rows * fan) / 2;
    }
    const int width, height;

    void doScene() override {
        Box area(ui_, fill_ ? gui::FILL : 400.0f, fill_ ? gui::FILL : tree_ ? 402.0f : 424.0f);
        if (tree_)
            gui::doTree(ui(), ControlID(L"tree"), treeState_, model_);
        else
            gui::doTable(ui(), ControlID(L"table"), table_, columns_, rows_, selection_, {},
                         options_);
    }

private:
    bool tree_;
    int rows_;
    bool fill_;
    std::vector<gui::TableColumn> columns_;
    gui::TableState table_;
    gui::TableOptions options_;
    std::set<int> selection_;
    gui::TreeModel model_;
    gui::TreeState treeState_;
};

class ListWindow : public gui::AppWindow {
public:
    // Lines of notes in English, or (rightToLeft) in Hebrew, which the platform lays out.
    ListWindow(int count, int lines, bool rightToLeft = false)
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Lists", 640, 480, gui::NO_SCALE_WINDOW),
          count_(count), notes_(textFont_, L"") {
        std::wstring text;
        for (int i = 0; i < lines; ++i)
            text += (i ? L"\n" : L"") +
                    (rightToLeft
                         // "A line of notes, number i, long enough to wrap once in the area."
                         ? L"\x5E9\x5D5\x5E8\x5EA \x5D4\x5E2\x5E8\x5D5\x5EA "
                           L"\x5DE\x5E1\x5E4\x5E8 " +
                               std::to_wstring(i) +
                               L", \x5D0\x5E8\x5D5\x5DB\x5D4 \x5DE\x5E1\x5E4\x5D9\x5E7 "
                               L"\x5DB\x5D3\x5D9 \x5DC\x5D4\x5D9\x5E9\x5D1\x5E8 "
                               L"\x5E4\x5E2\x5DD \x5D0\x5D7\x5EA \x5D1\x5E9\x5D8\x5D7 "
                               L"\x5D4\x5D6\x5D4 \x5D1\x5D3\x5D9\x5D5\x5E7."
                         : std::wstring(L"A line of notes, number ") + std::to_wstring(i) +
                               L", long enough to wrap once in the area's width.");
        text_ = text;
        reopen();
        list_.first = count;
    }
    bool measured() const { return notes_.laidOut(); }
    // The text given to the area again, as a document opened into it: nothing of it measured.
    void reopen() {
        notes_.setText(text_);
        notes_.setSelection(static_cast<unsigned>(text_.size() / 2),
                            static_cast<unsigned>(text_.size() / 2));
        notes_.firstLine = 0;
    }
    void doScene() override {
        // Ten rows of 20 in view, inside the list's border.
        Box area(ui_, 400.0f, count_ > 0 ? 202.0f : 300.0f);
        if (count_ > 0) {
            doList(ControlID(L"list"), list_, count_, selection_,
                   [this](int row, bool) { doLabel((L"Row " + std::to_wstring(row)).c_str()); });
        } else {
            doTextArea(ControlID(L"notes"), notes_);
        }
    }

private:
    int count_;
    gui::ListState list_;
    std::set<int> selection_;
    std::wstring text_;
    gui::TextAreaState notes_;
};

struct Op {
    Op(const char* n, int b, std::function<void()> r, std::function<void()> a = {})
        : name(n), batch(b), run(std::move(r)), after(std::move(a)) {}
    std::string name;
    int batch; // runs per timed sample
    std::function<void()> run;
    std::function<void()> after; // untimed, after each sample: what the run left to do
    std::vector<double> ms;
    double median() const {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    }
};

std::vector<Op> ops; // every operation measured, in the order measured

const Op& op(const std::string& name) {
    for (const Op& o : ops)
        if (o.name == name)
            return o;
    throw std::runtime_error("no op " + name);
}

void showAndWait(gui::AppWindow& w) {
    w.Show(true);
    wxWindow* canvas = w.window()->canvas();
    for (int i = 0; i < 300 && !canvas->IsShownOnScreen(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    for (int i = 0; i < 20; ++i)
        wxTheApp->Yield(true);
}

// Warms the operations, then runs them round by round, and adds them to ops.
void runRounds(std::vector<Op>& phase, int rounds) {
    for (Op& o : phase) // warm: caches, text, first allocations
        for (int i = 0; i < o.batch; ++i)
            o.run();
    // FRAME_BENCH_PROFILE=<name>: run the operation of that exact name for a few seconds, for
    // a profiler, and nothing else.
    if (const char* only = std::getenv("FRAME_BENCH_PROFILE")) {
        for (Op& o : phase)
            if (o.name == only) {
                const auto start = std::chrono::steady_clock::now();
                const auto end = start + std::chrono::seconds(5);
                long runs = 0;
                for (; std::chrono::steady_clock::now() < end; runs += o.batch)
                    for (int i = 0; i < o.batch; ++i)
                        o.run();
                // The mean, for comparing two builds run in turn.
                const std::chrono::duration<double, std::milli> took =
                    std::chrono::steady_clock::now() - start;
                std::printf("%s: %ld runs, mean_ms=%g\n", only, runs, took.count() / runs);
                std::exit(0);
            }
    }
    for (int r = 0; r < rounds; ++r)
        for (Op& o : phase) {
            const auto t0 = std::chrono::steady_clock::now();
            for (int i = 0; i < o.batch; ++i)
                o.run();
            const auto t1 = std::chrono::steady_clock::now();
            o.ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count() / o.batch);
            if (o.after)
                o.after();
        }
    ops.insert(ops.end(), phase.begin(), phase.end());
}

// Paint and present at device scale 2, as on a 2x screen: every window of the display at
// window scale 2, so that the frame goes to the X window in device pixels.
void measureAtScale2(int rounds) {
    GdkDisplay* display = gdk_display_get_default();
    if (!GDK_IS_X11_DISPLAY(display))
        return;
    gdk_x11_display_set_window_scale(display, 2);
    const size_t n = 1280 * 960;
    static std::vector<std::uint32_t> a(n), b(n, 1u);
    auto shown = boost::make_shared<BenchWindow>(640, 480);
    showAndWait(*shown);
    PlainX plain(1280, 960);
    std::vector<Op> phase = {
        {"memcpy 1280x960", 50,
         [&] { std::memcpy(a.data(), b.data(), n * 4), benchmark::ClobberMemory(); }},
        {"XPutImage 1280x960", 10, [&] { plain.upload(); }},
        {"XShmPutImage 1280x960", 10, [&] { plain.uploadShared(); }},
        {"paint+present 640x480 @2x", 10,
         [&] {
             shown->mark = !shown->mark;
             shown->window()->repaint();
         }},
        {"paint+present 640x480 @2x, all rows changed", 10,
         [&] {
             shown->line = !shown->line;
             shown->window()->repaint();
         }},
    };
    if (shown->window()->deviceScale() != 2 || !shown->window()->presentsDirectly())
        std::fprintf(stderr, "frame_bench: the window at scale 2 is not presented directly\n");
    runRounds(phase, rounds);
    shown->Close(true);
    wxTheApp->ProcessIdle();
}

void measure(int rounds) {
    const size_t n640 = 640 * 480, n1080 = 1920 * 1080;
    static std::vector<std::uint32_t> a640(n640), b640(n640, 1u), a1080(n1080), b1080(n1080, 1u);

    auto paint = boost::make_shared<BenchWindow>(640, 480);
    orbotk::Driver paintDriver(paint->window());
    paintDriver.resize(640, 480);
    auto withMenus = boost::make_shared<BenchWindow>(640, 480);
    withMenus->menus = true;
    orbotk::Driver menusDriver(withMenus->window());
    menusDriver.resize(640, 480);
    menusDriver.paint();
    std::map<std::string, boost::shared_ptr<WidgetsWindow>> widgets;
    std::map<std::string, std::unique_ptr<orbotk::Driver>> widgetDrivers;
    for (const auto& [name, kind] :
         std::initializer_list<std::pair<std::string, Kind>>{{"push buttons", Kind::PushButtons},
                                                             {"number fields", Kind::NumberFields},
                                                             {"split panes", Kind::Splits},
                                                             {"tabs", Kind::Tabs}}) {
        widgets[name] = boost::make_shared<WidgetsWindow>(kind);
        widgetDrivers[name] = std::make_unique<orbotk::Driver>(widgets[name]->window());
        widgetDrivers[name]->resize(640, 480);
        widgetDrivers[name]->paint();
    }
    auto paint2 = boost::make_shared<BenchWindow>(640, 480);
    paint2->window()->overrideScale(2);
    orbotk::Driver paint2Driver(paint2->window());
    paint2Driver.resize(640, 480);
    auto hd = boost::make_shared<BenchWindow>(1280, 720);
    orbotk::Driver hdDriver(hd->window());
    hdDriver.resize(1280, 720);
    auto fhd = boost::make_shared<BenchWindow>(1920, 1080);
    orbotk::Driver fhdDriver(fhd->window());
    fhdDriver.resize(1920, 1080);
    auto empty = boost::make_shared<FillWindow>(640, 480, Fill::Nothing);
    orbotk::Driver emptyDriver(empty->window());
    emptyDriver.resize(640, 480);
    auto blend = boost::make_shared<FillWindow>(640, 480, Fill::Blend);
    orbotk::Driver blendDriver(blend->window());
    blendDriver.resize(640, 480);
    auto modulateCleared = boost::make_shared<FillWindow>(640, 480, Fill::ModulateCleared);
    orbotk::Driver modulateClearedDriver(modulateCleared->window());
    modulateClearedDriver.resize(640, 480);
    auto modulate = boost::make_shared<FillWindow>(640, 480, Fill::Modulate);
    orbotk::Driver modulateDriver(modulate->window());
    modulateDriver.resize(640, 480);
    auto quiet = boost::make_shared<gallery::Gallery>(2),
         read = boost::make_shared<gallery::Gallery>(2);
    read->window()->context()->setAccessibility(true);
    orbotk::Driver quietDriver(quiet->window()), readDriver(read->window());
    quietDriver.resize(800, 600);
    readDriver.resize(800, 600);
    auto tenRows = boost::make_shared<ListWindow>(10, 0),
         elevenRows = boost::make_shared<ListWindow>(11, 0),
         millionRows = boost::make_shared<ListWindow>(1000000, 0),
         hundredLines = boost::make_shared<ListWindow>(0, 100),
         hundredHebrew = boost::make_shared<ListWindow>(0, 100, true),
         tenThousandLines = boost::make_shared<ListWindow>(0, 10000),
         hundredThousandLines = boost::make_shared<ListWindow>(0, 100000),
         hundredThousandRead = boost::make_shared<ListWindow>(0, 100000),
         opened = boost::make_shared<ListWindow>(0, 100000);
    hundredThousandRead->window()->context()->setAccessibility(true);
    orbotk::Driver tenRowsDriver(tenRows->window()), elevenRowsDriver(elevenRows->window()),
        millionRowsDriver(millionRows->window()), hundredDriver(hundredLines->window()),
        hebrewDriver(hundredHebrew->window()), tenThousandDriver(tenThousandLines->window()),
        hundredThousandDriver(hundredThousandLines->window()),
        readLinesDriver(hundredThousandRead->window()), openedDriver(opened->window());
    for (orbotk::Driver* d :
         {&tenRowsDriver, &millionRowsDriver, &hundredDriver, &hebrewDriver, &tenThousandDriver,
          &hundredThousandDriver, &readLinesDriver, &openedDriver}) {
        d->resize(640, 480);
        d->paint();
    }
    hundredDriver.focus(L"notes");
    hebrewDriver.focus(L"notes");
    tenThousandDriver.focus(L"notes");
    hundredThousandDriver.focus(L"notes");
    readLinesDriver.focus(L"notes");
    const auto keystrokes = [](orbotk::Driver& d) {
        d.typeText(L"x");
        d.paint();
        d.press(WXK_BACK);
        d.paint();
    };
    // Twenty rows in view of 21 and of a million, both with the scroll bar.
    auto table21 = boost::make_shared<DataWindow>(false, 21),
         tableMillion = boost::make_shared<DataWindow>(false, 1000000),
         tree21 = boost::make_shared<DataWindow>(true, 21),
         treeMillion = boost::make_shared<DataWindow>(true, 1000, 999),
         tableDragged = boost::make_shared<DataWindow>(false, 1000, 0, 1920, 1080, true),
         tableStill = boost::make_shared<DataWindow>(false, 1000, 0, 1920, 1080, true);
    std::map<std::string, std::unique_ptr<orbotk::Driver>> data;
    for (const auto& [name, w] :
         std::initializer_list<std::pair<std::string, boost::shared_ptr<DataWindow>>>{
             {"table21", table21},
             {"tableMillion", tableMillion},
             {"tree21", tree21},
             {"treeMillion", treeMillion},
             {"dragged", tableDragged},
             {"still", tableStill}}) {
        data[name] = std::make_unique<orbotk::Driver>(w->window());
        data[name]->resize(w->width, w->height);
        data[name]->paint();
    }
    {
        // Hold the first column's right edge, in the content panel's table.
        const wxRect header = data["dragged"]->rect(L"table:header");
        data["dragged"]->leftDown(header.x + 120, header.y + 10);
        data["dragged"]->mouseMove(header.x + 125, header.y + 10);
    }
    auto shown = boost::make_shared<BenchWindow>(640, 480);
    showAndWait(*shown);
    wxWindow* canvas = shown->window()->canvas();
    orbotk::Driver shownDriver(shown->window());
    // A key nothing uses: the window repaints after it all the same, and nothing changed.
    const auto idleKey = [](orbotk::Driver& d) {
        d.press(WXK_F9);
        d.settle();
    };
    PlainX plain(640, 480);
    int moves = 0;

    std::vector<Op> phase = {
        {"memset 640x480", 200,
         [&] { std::memset(a640.data(), 0, n640 * 4), benchmark::ClobberMemory(); }},
        {"memcpy 640x480", 200,
         [&] { std::memcpy(a640.data(), b640.data(), n640 * 4), benchmark::ClobberMemory(); }},
        {"paint pass 640x480", 20, [&] { paintDriver.paint(); }},
        {"list paint pass, 10 rows", 20, [&] { tenRowsDriver.paint(); }},
        {"list paint pass, 11 rows at the end", 20, [&] { elevenRowsDriver.paint(); }},
        {"list paint pass, 1000000 rows at the end", 20, [&] { millionRowsDriver.paint(); }},
        {"table paint pass, 21 rows at the end", 20, [&] { data["table21"]->paint(); }},
        {"table paint pass, 1000000 rows at the end", 20, [&] { data["tableMillion"]->paint(); }},
        {"tree paint pass, 21 rows", 20, [&] { data["tree21"]->paint(); }},
        {"tree paint pass, 1000000 rows in the middle", 20, [&] { data["treeMillion"]->paint(); }},
        {"table paint pass 1920x1080", 10, [&] { data["still"]->paint(); }},
        {"table edge drag 1920x1080, input and paint", 10,
         [&] {
             ++moves;
             const wxRect header = data["dragged"]->rect(L"table:header");
             data["dragged"]->mouseMove(header.x + 125 + (moves & 1) * 3, header.y + 10);
             data["dragged"]->paint();
         }},
        {"2 keystrokes to frame, 100 lines", 10, [&] { keystrokes(hundredDriver); }},
        {"2 keystrokes to frame, 10000 lines", 10, [&] { keystrokes(tenThousandDriver); }},
        {"2 keystrokes to frame, 100000 lines", 10, [&] { keystrokes(hundredThousandDriver); }},
        {"2 keystrokes to frame, 100000 lines, a screen reader's client", 10,
         [&] { keystrokes(readLinesDriver); }},
        // The rest of the text is measured at idle, untimed: left to the operations after it,
        // every idle pass (as the key below runs) would carry a slice of it.
        {"text area opened to first frame, 100000 lines", 2,
         [&] {
             opened->reopen();
             openedDriver.paint();
         },
         [&] {
             for (int i = 0; i < 100000 && !opened->measured(); ++i)
                 wxTheApp->ProcessIdle();
         }},
        {"2 keystrokes to frame, 100 Hebrew lines", 10, [&] { keystrokes(hebrewDriver); }},
        {"paint pass 640x480 @2x", 10, [&] { paint2Driver.paint(); }},
        {"2 look switches 640x480, each with its paint", 20,
         [&] {
             gui::setLook(gui::LookStyle::Dark);
             paintDriver.paint();
             gui::setLook(gui::LookStyle::Light);
             paintDriver.paint();
         },
         [] {
             // The switches wrote the panel's pictures over: every window draws its panel
             // again, once, which would land in whatever is measured next in it.
             for (wxWindow* top : wxTopLevelWindows)
                 if (auto* w = dynamic_cast<orbotk::Window*>(top))
                     if (const auto handle = w->handle().lock()) {
                         orbotk::Driver d(handle);
                         d.paint();
                         d.paint();
                     }
         }},
        {"paint pass 640x480, every pixel", 20,
         [&] {
             paint->window()->context()->framebuffer();
             paintDriver.paint();
         }},
        {"paint pass 640x480 @2x, every pixel", 10,
         [&] {
             paint2->window()->context()->framebuffer();
             paint2Driver.paint();
         }},
        {"key changing nothing, to frame", 50, [&] { idleKey(paintDriver); }},
        {"key changing nothing, on screen", 20,
         [&] {
             idleKey(shownDriver);
             gdk_display_sync(gdk_display_get_default());
         }},
        {"input pass 640x480", 200,
         [&] {
             ++moves;
             paintDriver.mouseMove(300 + (moves & 1), 200);
         }},
        {"input pass 640x480, menu bar", 200,
         [&] {
             ++moves;
             menusDriver.mouseMove(300 + (moves & 1), 200);
         }},
        {"input pass, 10 push buttons", 200,
         [&] {
             ++moves;
             widgetDrivers["push buttons"]->mouseMove(500 + (moves & 1), 400);
         }},
        {"input pass, 10 number fields", 200,
         [&] {
             ++moves;
             widgetDrivers["number fields"]->mouseMove(500 + (moves & 1), 400);
         }},
        {"input pass, 10 split panes", 200,
         [&] {
             ++moves;
             widgetDrivers["split panes"]->mouseMove(500 + (moves & 1), 400);
         }},
        {"input pass, 10 tabs", 200,
         [&] {
             ++moves;
             widgetDrivers["tabs"]->mouseMove(500 + (moves & 1), 400);
         }},
        {"paint pass, 10 push buttons", 20, [&] { widgetDrivers["push buttons"]->paint(); }},
        {"paint pass, 10 number fields", 20, [&] { widgetDrivers["number fields"]->paint(); }},
        {"paint pass, 10 split panes", 20, [&] { widgetDrivers["split panes"]->paint(); }},
        {"paint pass, 10 tabs", 20, [&] { widgetDrivers["tabs"]->paint(); }},
        {"paint+present 640x480", 10,
         [&] {
             shown->mark = !shown->mark;
             shown->window()->repaint();
         }},
        {"paint+present 640x480, all rows changed", 10,
         [&] {
             shown->line = !shown->line;
             shown->window()->repaint();
         }},
        {"paint+present via GTK 640x480", 10,
         [&] {
             canvas->Refresh(false);
             canvas->Update();
             gdk_display_sync(gdk_display_get_default());
         }},
        {"XPutImage 640x480", 10, [&] { plain.upload(); }},
        {"XShmPutImage 640x480", 10, [&] { plain.uploadShared(); }},
        {"gallery input pass", 100,
         [&] {
             ++moves;
             quietDriver.mouseMove(300 + (moves & 1), 200);
         }},
        {"gallery input pass, read by a screen reader", 100,
         [&] {
             ++moves;
             readDriver.mouseMove(300 + (moves & 1), 200);
         }},
        {"gallery paint pass", 20, [&] { quietDriver.paint(); }},
        {"gallery paint pass, read by a screen reader", 20, [&] { readDriver.paint(); }},
        {"empty paint pass 640x480", 50, [&] { emptyDriver.paint(); }},
        {"blend fill in paint 640x480", 50, [&] { blendDriver.paint(); }},
        {"modulate cleared in paint 640x480", 50, [&] { modulateClearedDriver.paint(); }},
        {"modulate fill in paint 640x480", 50, [&] { modulateDriver.paint(); }},
        {"memcpy 1920x1080", 20,
         [&] { std::memcpy(a1080.data(), b1080.data(), n1080 * 4), benchmark::ClobberMemory(); }},
        {"paint pass 1280x720", 10, [&] { hdDriver.paint(); }},
        {"paint pass 1920x1080", 10, [&] { fhdDriver.paint(); }},
        {"paint pass 1920x1080, every pixel", 10,
         [&] {
             fhd->window()->context()->framebuffer(); // as if written to: nothing is known
             fhdDriver.paint();
         }},
    };
    runRounds(phase, rounds);
    for (auto& [name, w] : widgets)
        w->Close(true);
    for (gui::AppWindow* w : std::initializer_list<gui::AppWindow*>{quiet.get(),
                                                                    read.get(),
                                                                    paint.get(),
                                                                    withMenus.get(),
                                                                    paint2.get(),
                                                                    hd.get(),
                                                                    fhd.get(),
                                                                    empty.get(),
                                                                    blend.get(),
                                                                    modulateCleared.get(),
                                                                    modulate.get(),
                                                                    shown.get(),
                                                                    tenRows.get(),
                                                                    elevenRows.get(),
                                                                    millionRows.get(),
                                                                    hundredLines.get(),
                                                                    tenThousandLines.get(),
                                                                    table21.get(),
                                                                    tableMillion.get(),
                                                                    tree21.get(),
                                                                    treeMillion.get(),
                                                                    tableDragged.get(),
                                                                    tableStill.get()})
        w->Close(true);
    wxTheApp->ProcessIdle();
}

// Reports one operation's median, with its ratio to the baseline named.
void report(benchmark::State& state, const std::string& name, const std::string& baseline) {
    const Op& o = op(name);
    size_t i = 0;
    for (auto _ : state)
        state.SetIterationTime(o.ms[i++ % o.ms.size()] / 1000.0);
    state.counters["median_ms"] = o.median();
    if (!baseline.empty())
        state.counters["x_" + baseline.substr(0, baseline.find(' '))] =
            o.median() / op(baseline).median();
    // Presents are also set beside the whole frame put through shared memory.
    if (baseline.rfind("XPutImage ", 0) == 0)
        state.counters["x_XShmPutImage"] =
            o.median() / op("XShmPutImage" + baseline.substr(9)).median();
    // What a widget adds to the pass it is measured in, beside the same pass without it.
    if (name == "input pass 640x480, menu bar")
        state.counters["added_ms"] = o.median() - op(baseline).median();
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    orbotk::Application app(argc, argv);
    const int rounds = 31;
    measure(rounds);
    measureAtScale2(rounds);
    const std::pair<const char*, const char*> rows[] = {
        {"memset 640x480", "memcpy 640x480"},
        {"memcpy 640x480", ""},
        {"paint pass 640x480", "memcpy 640x480"},
        {"paint pass 640x480 @2x", "paint pass 640x480"},
        {"2 look switches 640x480, each with its paint", "paint pass 640x480"},
        {"list paint pass, 10 rows", "memcpy 640x480"},
        {"list paint pass, 11 rows at the end", "list paint pass, 10 rows"},
        {"list paint pass, 1000000 rows at the end", "list paint pass, 11 rows at the end"},
        {"table paint pass, 21 rows at the end", "memcpy 640x480"},
        {"table paint pass, 1000000 rows at the end", "table paint pass, 21 rows at the end"},
        {"tree paint pass, 21 rows", "memcpy 640x480"},
        {"tree paint pass, 1000000 rows in the middle", "tree paint pass, 21 rows"},
        {"table paint pass 1920x1080", "memcpy 1920x1080"},
        {"table edge drag 1920x1080, input and paint", "table paint pass 1920x1080"},
        {"2 keystrokes to frame, 100 lines", "memcpy 640x480"},
        {"2 keystrokes to frame, 10000 lines", "2 keystrokes to frame, 100 lines"},
        {"2 keystrokes to frame, 100000 lines", "2 keystrokes to frame, 100 lines"},
        {"2 keystrokes to frame, 100000 lines, a screen reader's client",
         "2 keystrokes to frame, 100000 lines"},
        {"text area opened to first frame, 100000 lines", "memcpy 640x480"},
        {"2 keystrokes to frame, 100 Hebrew lines", "2 keystrokes to frame, 100 lines"},
        {"paint pass 640x480, every pixel", "memcpy 640x480"},
        {"paint pass 640x480 @2x, every pixel", "paint pass 640x480, every pixel"},
        {"input pass 640x480", "memcpy 640x480"},
        {"input pass 640x480, menu bar", "input pass 640x480"},
        {"input pass, 10 push buttons", "memcpy 640x480"},
        {"input pass, 10 number fields", "input pass, 10 push buttons"},
        {"input pass, 10 split panes", "input pass, 10 push buttons"},
        {"input pass, 10 tabs", "input pass, 10 push buttons"},
        {"paint pass, 10 push buttons", "memcpy 640x480"},
        {"paint pass, 10 number fields", "paint pass, 10 push buttons"},
        {"paint pass, 10 split panes", "paint pass, 10 push buttons"},
        {"paint pass, 10 tabs", "paint pass, 10 push buttons"},
        {"key changing nothing, to frame", "memcpy 640x480"},
        {"key changing nothing, on screen", "memcpy 640x480"},
        {"XPutImage 640x480", "memcpy 640x480"},
        {"XShmPutImage 640x480", "memcpy 640x480"},
        {"paint+present 640x480", "XPutImage 640x480"},
        {"paint+present 640x480, all rows changed", "XPutImage 640x480"},
        {"paint+present via GTK 640x480", "XPutImage 640x480"},
        {"gallery input pass", "memcpy 640x480"},
        {"gallery input pass, read by a screen reader", "gallery input pass"},
        {"gallery paint pass", "memcpy 640x480"},
        {"gallery paint pass, read by a screen reader", "gallery paint pass"},
        {"empty paint pass 640x480", "memcpy 640x480"},
        {"blend fill in paint 640x480", "memcpy 640x480"},
        {"modulate cleared in paint 640x480", "memcpy 640x480"},
        {"modulate fill in paint 640x480", "memcpy 640x480"},
        {"memcpy 1920x1080", ""},
        {"paint pass 1280x720", "paint pass 640x480"},
        {"paint pass 1920x1080", "paint pass 640x480"},
        {"paint pass 1920x1080, every pixel", "paint pass 640x480"},
        {"memcpy 1280x960", ""},
        {"XPutImage 1280x960", "memcpy 1280x960"},
        {"XShmPutImage 1280x960", "memcpy 1280x960"},
        {"paint+present 640x480 @2x", "XPutImage 1280x960"},
        {"paint+present 640x480 @2x, all rows changed", "XPutImage 1280x960"},
    };
    for (const auto& row : rows) {
        const std::string name = row.first, baseline = row.second;
        if (!std::any_of(ops.begin(), ops.end(), [&](const Op& o) { return o.name == name; }))
            continue; // not measured on this display
        benchmark::RegisterBenchmark(
            name.c_str(), [name, baseline](benchmark::State& s) { report(s, name, baseline); })
            ->UseManualTime()
            ->Iterations(rounds)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
