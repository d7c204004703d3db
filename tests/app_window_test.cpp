// The application window: sizing and placement at given screen metrics, the band layout of the
// default procedure, tooltips, failure logging, the modal loop and closing, deferred calls and
// moving the window by its title area.
#include "gui/app_window.h"
#include "gui/dialog.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "harness.h"
#include "orbotk/driver.h"
#include "orbotk/screen.h"
#include "orboutil/log.h"
#include "widget_host.h"

#include <algorithm>
#include <boost/make_shared.hpp>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gdk/gdkx.h>
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/utils.h>

using gui::AppWindow;
using gui::Box;
using orbotk::ControlID;

namespace {

class TestWindow : public AppWindow {
public:
    explicit TestWindow(int w = 640, int h = 480, gui::scale_window_type s = gui::NO_SCALE_WINDOW)
        : AppWindow(static_cast<wxWindow*>(nullptr), L"Test window", w, h, s) {}

    std::function<void(TestWindow&)> scene, logo, status;
    std::map<std::string, gui::drag_bounds> seen;
    bool refuseClose = false;

    void doScene() override {
        seen["content"] = gui::make_bounds(Box(ui_));
        if (scene)
            scene(*this);
    }
    void doLogo(bool showLogo) override {
        seen["logo"] = gui::make_bounds(Box(ui_));
        AppWindow::doLogo(showLogo);
        if (logo)
            logo(*this);
    }
    void doStatus(bool rule) override {
        seen["status"] = gui::make_bounds(Box(ui_));
        AppWindow::doStatus(rule);
        if (status)
            status(*this);
    }
    bool confirmClose() override { return !refuseClose; }

    const boost::shared_ptr<orbotk::UIContext>& ctx() const { return ui_; }
    using AppWindow::closeTip_;
    using AppWindow::status_;
    using AppWindow::statusClick_;
    using AppWindow::statusHover_;
    using AppWindow::statusInfo_;
};

// Windows made in a test are closed and deleted at its end.
class AppWindowTest : public ::testing::Test {
protected:
    boost::shared_ptr<TestWindow> make(int w = 640, int h = 480,
                                       gui::scale_window_type s = gui::NO_SCALE_WINDOW) {
        auto win = boost::make_shared<TestWindow>(w, h, s);
        windows_.push_back(win);
        return win;
    }
    void TearDown() override {
        orbotk::Screen::clearOverride();
        for (auto& w : windows_)
            w->Close(true);
        if (wxTheApp) {
            wxTheApp->ProcessPendingEvents();
            wxTheApp->ProcessIdle();
        }
    }
    std::vector<boost::shared_ptr<TestWindow>> windows_;
};

} // namespace

TEST_F(AppWindowTest, ScaledWindowsFollowTheHorizontalPixelsPerInch) {
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1280, 1024));
    EXPECT_EQ(make(400, 300, gui::SCALE_WINDOW)->GetSize(), wxSize(400, 300));
    orbotk::Screen::setOverride(wxSize(120, 72), wxSize(1280, 1024));
    EXPECT_EQ(make(400, 300, gui::SCALE_WINDOW)->GetSize(), wxSize(500, 375));
    EXPECT_EQ(make(400, 300, gui::NO_SCALE_WINDOW)->GetSize(), wxSize(400, 300));
    // Every value but SCALE_WINDOW means no scaling.
    EXPECT_EQ(make(400, 300, static_cast<gui::scale_window_type>(7))->GetSize(), wxSize(400, 300));
    // The quotient truncates: 97 * 401 / 96 = 405.17.
    orbotk::Screen::setOverride(wxSize(97, 97), wxSize(1280, 1024));
    EXPECT_EQ(make(401, 300, gui::SCALE_WINDOW)->GetSize(), wxSize(405, 303));
    // A 2x screen of 192 dpi is 96 dpi in logical pixels, the unit window sizes are in.
    orbotk::Screen::setOverride(wxSize(192, 192), wxSize(2560, 2048), 2);
    EXPECT_EQ(make(400, 300, gui::SCALE_WINDOW)->GetSize(), wxSize(400, 300));
}

TEST_F(AppWindowTest, WindowsAreCentredOnTheDisplay) {
    orbotk::Screen::setOverride(wxSize(120, 120), wxSize(1280, 1024));
    auto w = make(400, 300, gui::SCALE_WINDOW);
    EXPECT_EQ(w->window()->GetPosition(), wxPoint(390, 324));
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1281, 1025));
    auto odd = make(400, 300, gui::SCALE_WINDOW);
    EXPECT_EQ(odd->window()->GetPosition(), wxPoint(440, 362));
}

TEST_F(AppWindowTest, DefaultProcedureLaysOutTheBands) {
    auto w = make(640, 480);
    orbotk::Driver d(w->window());
    d.resize(640, 480);
    d.paint();
    const gui::drag_bounds content = w->seen["content"];
    EXPECT_EQ(content.left(), 23.0f);
    EXPECT_EQ(content.right(), 615.0f);
    EXPECT_EQ(content.top(), 64.0f);
    EXPECT_EQ(content.bottom(), 430.0f);
    const gui::drag_bounds logo = w->seen["logo"];
    EXPECT_EQ(logo.x, 0.0f);
    EXPECT_EQ(logo.y, 0.0f);
    EXPECT_EQ(logo.width, 640.0f);
    EXPECT_EQ(logo.height, 60.0f);
    const gui::drag_bounds status = w->seen["status"];
    EXPECT_EQ(status.y, 432.0f);
    EXPECT_EQ(status.width, 640.0f);
    EXPECT_EQ(status.height, 24.0f);
    EXPECT_EQ(w->panelW(), 592);
}

TEST_F(AppWindowTest, ToolTipMapsCarriageReturnToZeroAndLineFeedToSpace) {
    auto w = make();
    orbotk::Driver d(w->window());
    d.resize(640, 480);
    const wchar_t* text = L"a\r\nb";
    w->scene = [&](TestWindow& t) {
        Box b(t.ctx(), 100.0f, 50.0f, ControlID(L"tipped"));
        b.leftClicked(); // a control asks about the mouse
        t.doToolTip(text);
    };
    d.paint();
    d.mouseMove(40, 80);
    EXPECT_EQ(w->window()->context()->tooltip, std::wstring(L"a\0 b", 4));
    d.mouseMove(400, 300); // away from the box: nothing set
    EXPECT_EQ(w->window()->context()->tooltip, L"");
}

TEST_F(AppWindowTest, NullToolTipClearsOnlyWhileThePointerIsOver) {
    auto w = make();
    orbotk::Driver d(w->window());
    d.resize(640, 480);
    std::wstring afterNull;
    w->scene = [&](TestWindow& t) {
        t.doToolTip(L"panel tip"); // the content box covers the pointer in both cases
        Box b(t.ctx(), 100.0f, 50.0f, ControlID(L"b"));
        b.leftClicked();
        t.doToolTip(nullptr);
        afterNull = t.ctx()->tooltip;
    };
    d.paint();
    d.mouseMove(40, 80); // over b: cleared
    EXPECT_EQ(afterNull, L"");
    d.mouseMove(300, 300); // not over b: unchanged
    EXPECT_EQ(afterNull, L"panel tip");
}

TEST_F(AppWindowTest, AThrowingSceneLogsOneLineAndTheNextEventRunsNormally) {
    testing_support::LogCapture capture;
    auto w = make();
    orbotk::Driver d(w->window());
    d.resize(640, 480);
    bool fail = true;
    int passes = 0;
    w->scene = [&](TestWindow&) {
        ++passes;
        if (fail)
            throw std::runtime_error("scene broke");
    };
    d.paint();
    fail = false;
    d.mouseMove(10, 10);
    EXPECT_EQ(passes, 2);
    EXPECT_FALSE(w->ctx()); // ui_ is empty again between passes

    const std::string log = capture.text();
    const std::regex line("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} P" +
                          std::to_string(getpid()) +
                          ":Tmain ERROR: app_window:86\tuiProcedure failed: scene broke\r\n");
    EXPECT_TRUE(std::regex_match(log, line)) << log;
}

TEST_F(AppWindowTest, FailedPassesAreNotLoggedBelowTheirLevel) {
    testing_support::LogCapture capture;
    const int saved = orbo::util::the_log_level;
    orbo::util::the_log_level = 1;
    auto w = make();
    orbotk::Driver d(w->window());
    w->scene = [](TestWindow&) { throw std::runtime_error("quiet"); };
    d.paint();
    orbo::util::the_log_level = saved;
    EXPECT_EQ(capture.text(), "");
}

TEST_F(AppWindowTest, WidgetCallsOutsideAPassThrowALogicErrorAndLogIt) {
    testing_support::LogCapture capture;
    auto w = make();
    try {
        w->doPushButton(L"OK", true);
        ADD_FAILURE() << "a widget outside a pass must throw";
    } catch (const std::logic_error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("doPushButton called outside a pass: widgets are "
                                              "called from a window's scene",
                                              0),
                  0u)
            << e.what();
    }
    EXPECT_THROW(w->doLabel(L"x"), std::logic_error);
    EXPECT_THROW(w->glColor(gui::Color::Black), std::logic_error);
    EXPECT_THROW(Box(w->ctx()), std::logic_error);
    const std::string log = capture.text();
    // One error line per refused call.
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
    EXPECT_NE(log.find("ERROR: box.cpp:"), std::string::npos) << log;
    EXPECT_NE(log.find("doPushButton called outside a pass"), std::string::npos) << log;
}

TEST_F(AppWindowTest, SizesBeyondWhatThePlatformShowsAreClampedWithALogLine) {
    testing_support::LogCapture capture;
    auto w = boost::make_shared<TestWindow>(100000, 40000);
    const wxSize size = w->GetSize();
    EXPECT_EQ(size, wxSize(orbotk::Window::MAX_SIDE, orbotk::Window::MAX_SIDE));
    w->SetSize(640, 480);
    EXPECT_EQ(w->GetSize(), wxSize(640, 480));
    w->Close(true);
    const std::string log = capture.text();
    EXPECT_NE(log.find("window width 100000 is more than the platform can show; clamped to 32767"),
              std::string::npos)
        << log;
}

TEST_F(AppWindowTest, CloseAfterTheWindowIsGoneReturnsTrueAndDoesNothing) {
    auto w = make();
    EXPECT_TRUE(w->Close(true));
    wxTheApp->ProcessIdle(); // the toolkit deletes closed windows when idle
    EXPECT_FALSE(w->window());
    EXPECT_TRUE(w->Close(false));
    EXPECT_FALSE(w->setCursor(*wxSTANDARD_CURSOR));
    int runs = 0;
    w->postEval([&] { ++runs; });
    wxTheApp->ProcessPendingEvents();
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(w->IsShown());
}

TEST_F(AppWindowTest, ConfirmCloseCanRefuseAnOrdinaryClose) {
    auto w = make();
    w->refuseClose = true;
    EXPECT_FALSE(w->Close(false));
    wxTheApp->ProcessIdle();
    EXPECT_TRUE(w->window());
    EXPECT_TRUE(w->Close(true)); // forced closes cannot be refused
}

TEST_F(AppWindowTest, EndModalMakesShowModalReturnItsCode) {
    auto w = make(300, 200);
    orbotk::Driver d(w->window());
    w->scene = [&](TestWindow& t) {
        Box ok(t.ctx(), 60.0f, 30.0f, ControlID(L"ok"));
        if (ok.leftClicked())
            ok.makeActive();
        if (ok.active() && ok.leftReleased())
            t.EndModal(7);
    };
    // Inside the modal loop: paint, then click the button the scene drew.
    w->postEval([&] {
        d.resize(300, 200);
        d.paint();
        d.click(30, 70);
    });
    EXPECT_EQ(w->ShowModal(), 7);
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(w->window()); // EndModal also closes the window
}

TEST_F(AppWindowTest, ClosingAModalWindowReturnsTheEscapeResult) {
    auto w = make(300, 200);
    w->postEval([&] { w->Close(false); });
    EXPECT_EQ(w->ShowModal(), wxID_CANCEL);

    auto v = make(300, 200);
    v->window()->setEscapeResult(42);
    v->postEval([&] { v->Close(false); });
    EXPECT_EQ(v->ShowModal(), 42);
}

TEST_F(AppWindowTest, PostEvalRunsAfterThePassThatAskedForIt) {
    auto w = make();
    orbotk::Driver d(w->window());
    std::vector<std::string> order;
    w->scene = [&](TestWindow& t) {
        if (order.empty()) {
            t.postEval([&] { order.push_back("deferred"); });
            order.push_back("pass");
        }
    };
    d.paint();
    EXPECT_EQ(order, (std::vector<std::string>{"pass"}));
    d.flush();
    EXPECT_EQ(order, (std::vector<std::string>{"pass", "deferred"}));
}

TEST_F(AppWindowTest, DraggingTheTitleAreaMovesTheWindow) {
    orbotk::Screen::setOverride(wxSize(96, 96), wxSize(1280, 1024));
    auto w = make(640, 480);
    orbotk::Driver d(w->window());
    d.resize(640, 480);
    d.paint();
    const wxPoint start = w->window()->GetPosition();
    d.mouseMove(100, 30);
    d.leftDown(100, 30);
    EXPECT_TRUE(w->window()->windowDragging());
    d.mouseMove(150, 60);
    EXPECT_EQ(w->window()->GetPosition(), start + wxPoint(50, 30));
    // The pointer is now at the same place in the moved window.
    d.mouseMove(100, 30);
    d.leftUp(100, 30);
    EXPECT_FALSE(w->window()->windowDragging());
    EXPECT_EQ(w->window()->GetPosition(), start + wxPoint(50, 30));
    // The content area is no title bar.
    d.mouseMove(100, 200);
    d.leftDown(100, 200);
    EXPECT_FALSE(w->window()->windowDragging());
    d.leftUp(100, 200);
}

namespace {
// What the X server holds for the window: xprop's report of its frame.
std::string xprop(const orbotk::Window& w) {
    GdkWindow* gdk = gtk_widget_get_window(static_cast<GtkWidget*>(w.GetHandle()));
    const std::string cmd = "xprop -id " + std::to_string(gdk_x11_window_get_xid(gdk)) +
                            " _NET_WM_WINDOW_TYPE WM_NORMAL_HINTS 2>&1";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[512];
        while (std::fgets(buf, sizeof buf, p))
            out += buf;
        pclose(p);
    }
    return out;
}
} // namespace

TEST_F(AppWindowTest, MainWindowsAreNormalWindowsAndAResizableOneFollowsARealEdgeDrag) {
    auto w = make(400, 300);
    auto dialog =
        boost::make_shared<gui::Dialog>(static_cast<wxWindow*>(nullptr), L"Dialog", 300, 200, true,
                                        false, true, false, gui::NO_SCALE_WINDOW);
    w->setResizable(300, 200);
    w->Show();
    dialog->Show();
    const boost::shared_ptr<orbotk::Window> win = w->window();
    ASSERT_TRUE(testing_support::waitFor([&] { return win->IsShownOnScreen(); }));
    testing_support::settle();
    const std::string props = xprop(*win);
    EXPECT_NE(props.find("_NET_WM_WINDOW_TYPE_NORMAL"), std::string::npos) << props;
    EXPECT_NE(props.find("minimum size: 300 by 200"), std::string::npos) << props;
    EXPECT_EQ(props.find("maximum size"), std::string::npos) << props;
    EXPECT_NE(xprop(*dialog->window()).find("_NET_WM_WINDOW_TYPE_DIALOG"), std::string::npos);
    dialog->Close(true);

    // A real drag of the bottom-right corner, 2 pixels in, by 120 x 60.
    const wxPoint corner = win->GetScreenPosition() + wxPoint(400 - 2, 300 - 2);
    const std::string at = std::to_string(corner.x) + " " + std::to_string(corner.y);
    const std::string to = std::to_string(corner.x + 120) + " " + std::to_string(corner.y + 60);
    ASSERT_EQ(std::system(("xdotool mousemove " + at).c_str()), 0);
    testing_support::settle();
    ASSERT_EQ(std::system("xdotool mousedown 1"), 0);
    testing_support::settle();
    ASSERT_EQ(std::system(("xdotool mousemove " + to).c_str()), 0);
    testing_support::settle();
    ASSERT_EQ(std::system("xdotool mouseup 1"), 0);
    EXPECT_TRUE(testing_support::waitFor([&] { return w->GetSize() == wxSize(520, 360); }))
        << w->GetSize().x << " x " << w->GetSize().y;
    // The frame and the layout follow: the status band sits at the new bottom.
    orbotk::Driver d(win);
    d.paint();
    EXPECT_EQ(d.width(), 520);
    EXPECT_EQ(w->seen["status"].y, 360.0f - 48.0f);
    EXPECT_EQ(w->seen["content"].right(), 520.0f - 25.0f);
    // Smaller than the minimum is refused by the platform; fixed again, the window is not
    // resizable and its edges are ordinary content.
    w->SetSize(100, 100);
    EXPECT_TRUE(testing_support::waitFor([&] { return w->GetSize() == wxSize(300, 200); }));
    w->setResizable(0, 0);
    testing_support::settle();
    EXPECT_NE(xprop(*win).find("maximum size: 300 by 200"), std::string::npos) << xprop(*win);
    EXPECT_EQ(w->GetSize(), wxSize(300, 200));
}

TEST_F(AppWindowTest, AWindowOutlivingItsAppWindowStopsCallingIt) {
    boost::shared_ptr<orbotk::Window> win;
    {
        auto w = boost::make_shared<TestWindow>();
        win = w->window();
    }
    orbotk::Driver d(win);
    d.paint(); // must not reach the deleted object (the sanitizer build checks)
    d.click(10, 10);
    win->Close(true);
    d.flush();
}

TEST_F(AppWindowTest, ThePanelKeptFromPassToPassLooksAsIfDrawnAfresh) {
    // A window keeps its panel from its second paint at a size and afterwards draws it only
    // behind the scene. A changed scene, panel colour or size must look exactly as in a window
    // that paints them for the first time.
    struct State {
        int layout, w, h;
        orbo::tk::RGBA panel;
        // Panels kept so far: a size's second paint keeps one (its first may be one of many
        // sizes a resize goes through), and so does a new colour.
        std::uint64_t kept;
    };
    const orbo::tk::RGBA panel = gui::orbopal::Panel;
    const State states[] = {{0, 320, 240, panel, 0},
                            {1, 320, 240, panel, 1},
                            {2, 320, 240, orbo::tk::RGBA(0xF0E0F0E0u), 2},
                            {3, 300, 260, orbo::tk::RGBA(0xF0E0F0E0u), 2},
                            {1, 300, 260, panel, 3},
                            {4, 300, 260, panel, 3}};
    auto kept = make(320, 240);
    orbotk::Driver k(kept->window());
    for (const State& s : states) {
        gui::orbopal::Panel = s.panel;
        auto scene = [&s](TestWindow& w) {
            for (int i = 0; i <= s.layout; ++i) { // rows and columns that differ per state
                Box b(w.ctx(), 60.0f, 12.0f);
                b.setTop(40.0f * i + 7.0f * s.layout);
                b.setLeft(50.0f * s.layout - 20.0f * i);
                gui::render(w.ctx(), orbo::tk::RGBA(0x80402010u));
            }
        };
        kept->scene = scene;
        k.resize(s.w, s.h);
        k.paint();
        EXPECT_EQ(k.context()->backdropsKept(), s.kept) << "layout " << s.layout;
        auto fresh = make(s.w, s.h);
        fresh->scene = scene;
        orbotk::Driver f(fresh->window());
        f.resize(s.w, s.h);
        f.paint();
        const std::vector<orbo::tk::RGBA> a = k.pixels(), b = f.pixels();
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i)
            ASSERT_EQ(a[i].word, b[i].word)
                << "layout " << s.layout << " at (" << i % s.w << ", " << i / s.w << ")";
    }
    gui::orbopal::Panel = panel;
}

TEST_F(AppWindowTest, ThePanelIsDrawnAgainWhenItsOwnPicturesChangeAndOnlyThen) {
    auto w = make(320, 240);
    orbotk::Driver d(w->window());
    d.paint();
    d.paint();
    const std::uint64_t kept = d.context()->backdropsKept();
    gui::Image mine(wxImage(8, 8)); // a host drawing into a picture of its own
    mine.get()[0] = orbo::tk::RGBA(0xFF102030u);
    d.paint();
    EXPECT_EQ(d.context()->backdropsKept(), kept);
    // A look writes its pictures over the panel's: drawn again, as a fresh window draws it.
    gui::setLook(gui::LookStyle::Dark);
    d.paint();
    EXPECT_EQ(d.context()->backdropsKept(), kept + 1);
    auto fresh = make(320, 240);
    orbotk::Driver f(fresh->window());
    f.paint();
    EXPECT_TRUE(d.pixels() == f.pixels());
    gui::setLook(gui::LookStyle::Light);
}

TEST_F(AppWindowTest, StatusSettersStoreTheirValues) {
    auto w = make();
    EXPECT_EQ(w->closeTip_, L"Close");
    EXPECT_TRUE(w->status_.empty());
    w->setStatus(L"ready");
    w->setStatusHover(L"hover");
    w->setCloseTip(L"Hide");
    int clicks = 0;
    w->setStatusCallbacks([&] { ++clicks; }, AppWindow::StatusInfo());
    EXPECT_EQ(w->status_, L"ready");
    EXPECT_EQ(w->statusHover_, L"hover");
    EXPECT_EQ(w->closeTip_, L"Hide");
    w->statusClick_();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(w->statusInfo_);
}

// Xlib's macros (None, Status, Bool) clash with names in the headers above: included last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
// Read back from the screen: the left part opaque red, a translucent blue stripe, and the rest
// left transparent. Painted by GTK (as an expose is), then straight to the X window after the
// stripe has moved down (as a widget's change is).
void presentAndReadBack() {
    int stripeTop = 0;
    bool halfway = false;
    testing_support::Scene s(120, 80);
    s.body = [&](const boost::shared_ptr<orbotk::UIContext>& ui) {
        if (halfway) // the frame as drawn so far, read
            static_cast<const orbotk::UIContext&>(*ui).framebuffer();
        Box left(ui, 60.0f, gui::FILL);
        gui::render(ui, orbo::tk::RGBA(255, 0, 0, 255));
        Box stripe(ui, 60.0f, 20.0f);
        stripe.setLeft(60.0f);
        stripe.setTop(static_cast<float>(stripeTop));
        gui::render(ui, orbo::tk::RGBA(0, 0, 128, 128));
    };
    s.window->Show(true);
    wxWindow* canvas = s.window->canvas();
    for (int i = 0; i < 300 && !canvas->IsShownOnScreen(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    ASSERT_TRUE(canvas->IsShownOnScreen());
    ASSERT_TRUE(s.window->presentsDirectly()); // the tests' display is X11, 24 bits
    const wxColour bg = s.window->GetBackgroundColour();
    auto rgb = [](unsigned r, unsigned g, unsigned b) {
        return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b);
    };
    const unsigned rest = 127; // what alpha 128 leaves of the background
    const std::string background = rgb(bg.Red(), bg.Green(), bg.Blue());
    const std::string stripe = rgb((bg.Red() * rest + 127) / 255, (bg.Green() * rest + 127) / 255,
                                   128 + (bg.Blue() * rest + 127) / 255);
    // What the X server shows there, read from the root window: the screen itself.
    auto screen = [&] {
        Display* dpy = XOpenDisplay(nullptr);
        const wxPoint at = canvas->GetScreenPosition();
        XImage* image =
            XGetImage(dpy, DefaultRootWindow(dpy), at.x, at.y, 120, 80, AllPlanes, ZPixmap);
        std::vector<unsigned long> pixels;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                pixels.push_back(image ? XGetPixel(image, x, y) : 0);
        if (image)
            XDestroyImage(image);
        XCloseDisplay(dpy);
        return [pixels, rgb](int x, int y) {
            const unsigned long p = pixels[static_cast<size_t>(y) * 120 + x];
            return rgb((p >> 16) & 255, (p >> 8) & 255, p & 255);
        };
    };

    for (int i = 0; i < 3; ++i) { // the frame persists from one present to the next
        canvas->Refresh(false);
        canvas->Update();
        wxTheApp->Yield(true);
    }
    const auto at = screen();
    EXPECT_EQ(at(10, 40), rgb(255, 0, 0));
    EXPECT_EQ(at(100, 60), background);
    EXPECT_EQ(at(100, 10), stripe);

    // Requests made together are one repaint.
    stripeTop = 50;
    const auto frames = s.window->frameCount();
    for (int i = 0; i < 3; ++i)
        s.window->Refresh();
    s.driver->flush();
    EXPECT_EQ(s.window->frameCount(), frames + 1);
    const auto after = screen();
    EXPECT_EQ(after(10, 40), rgb(255, 0, 0));
    EXPECT_EQ(after(100, 10), background);
    EXPECT_EQ(after(100, 60), stripe);

    // A repaint puts only what changed (what was drawn and what is no longer); one that
    // changes nothing puts nothing. After GTK painted another frame, the window shows that one:
    // a repaint puts everything again.
    auto stripeShownAt = [&](int top) { // 0 or 50, and the background at the other
        const auto shown = screen();
        EXPECT_EQ(shown(100, top + 10), stripe) << top;
        EXPECT_EQ(shown(100, 60 - top), background) << top;
    };
    stripeTop = 0;
    s.window->repaint();
    s.window->repaint();
    stripeShownAt(0);
    stripeTop = 50;
    canvas->Refresh(false);
    canvas->Update();
    wxTheApp->Yield(true);
    stripeTop = 0;
    s.window->repaint();
    stripeShownAt(0);
    // What is drawn after the frame was asked for during the pass.
    halfway = true;
    stripeTop = 50;
    s.window->repaint();
    stripeShownAt(50);
    // Over the theme's colour, which its dark variant changes; then over a colour of the host's.
    halfway = false;
    s.window->repaint();
    g_object_set(gtk_settings_get_default(), "gtk-application-prefer-dark-theme", TRUE, nullptr);
    wxTheApp->Yield(true);
    const wxColour dark = s.window->GetBackgroundColour();
    s.window->repaint();
    EXPECT_NE(dark, bg);
    EXPECT_EQ(screen()(100, 10), rgb(dark.Red(), dark.Green(), dark.Blue()));
    g_object_set(gtk_settings_get_default(), "gtk-application-prefer-dark-theme", FALSE, nullptr);
    wxTheApp->Yield(true);
    s.window->SetBackgroundColour(wxColour(40, 80, 120));
    s.window->repaint();
    EXPECT_EQ(screen()(100, 10), rgb(40, 80, 120));
    s.window->Hide();
}
} // namespace

TEST(Present, TheScreenShowsTheFrameOverTheWindowBackground) {
    presentAndReadBack();
}

TEST(Present, FramesUploadedWithoutSharedMemoryShowTheSame) {
    setenv("ORBOTK_PRESENT", "upload", 1);
    presentAndReadBack();
    unsetenv("ORBOTK_PRESENT");
}
