// A form read as a screen reader reads it: over the desktop's accessibility bus, by a client
// in another process (tests/atspi_client.py). The program runs on an X server of its own inside
// a D-Bus session of its own (ctest starts it under dbus-run-session; the bus starts the
// accessibility bus when GTK asks for it). Checked: every control's role, name, states and
// value, actions invoked over the bus, the focus event a real Tab sends, a real click at the
// centre the bus gives, and a password typed for real found nowhere on the bus.
#include "../examples/gallery/gallery.h"
#include "display_server.h"
#include "gui/message_box.h"
#include "gui/table.h"
#include "orbotk/application.h"
#include "widget_host.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using orbotk::ControlID;
using testing_support::Child;
using testing_support::Host;
using testing_support::settle;
using testing_support::waitFor;

namespace {

const std::string CLIENT = std::string("/usr/bin/python3 ") + GUI_ATSPI_CLIENT;

struct Control {
    std::string role, name, states, value, text;
    int x = 0, y = 0, w = 0, h = 0;
    std::string actions;
    bool has(const std::string& state) const {
        return ("," + states + ",").find("," + state + ",") != std::string::npos;
    }
};

// Runs a command while the event loop goes on (the client's questions are answered by this
// very process), and returns what it printed.
std::string whileRunning(const std::string& command) {
    char out[] = "/tmp/gui-atspi-XXXXXX";
    close(mkstemp(out));
    Child child({"/bin/sh", "-c", command}, out);
    waitFor([&] { return !child.running(); });
    for (int i = 0; i < 1000 && child.running(); ++i)
        settle();
    std::ifstream in(out);
    std::stringstream s;
    s << in.rdbuf();
    std::remove(out);
    return s.str();
}

std::vector<Control> tree(const std::string& title = "Form") {
    std::vector<Control> out;
    std::istringstream lines(whileRunning(CLIENT + " tree accessibility_test '" + title + "'"));
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        std::string field;
        while (std::getline(fields, field, '\t'))
            f.push_back(field);
        f.resize(7);
        Control c;
        c.role = f[0], c.name = f[1], c.states = f[2], c.value = f[3], c.text = f[4];
        std::sscanf(f[5].c_str(), "%d,%d,%d,%d", &c.x, &c.y, &c.w, &c.h);
        c.actions = f[6];
        out.push_back(c);
    }
    return out;
}

const Control* find(const std::vector<Control>& all, const std::string& role,
                    const std::string& name) {
    for (const Control& c : all)
        if (c.role == role && c.name == name)
            return &c;
    return nullptr;
}

void xdotool(const std::string& args) {
    ASSERT_EQ(std::system(("xdotool " + args).c_str()), 0) << args;
}

// The form: a label, a text field, a password field, a check box, three radio buttons, a
// slider, a progress bar, a combo box and a push button.
struct Form {
    testing_support::Hosted win{360, 330};
    gui::TextState name{win->textFont_, L"Ada"};
    gui::PasswordState password{win->textFont_};
    bool remember = true, comboOpen = false;
    int saves = 0;
    const wchar_t* size = L"Medium";
    const wchar_t* fruit = L"Apple";
    float volume = 40.0f, preview = 0.0f;
    Form() {
        win->SetTitle(L"Form");
        win->scene = [this](Host& h) {
            {
                gui::Box r(h.ui(), 340.0f, 20.0f);
                r.setPos(10.0f, 4.0f);
                h.doLabel(L"Account");
            }
            {
                gui::Box r(h.ui(), 340.0f, 28.0f);
                r.setPos(10.0f, 28.0f);
                h.doLineEdit(ControlID(L"name"), name, L"Name", 90.0f);
            }
            {
                gui::Box r(h.ui(), 340.0f, 28.0f);
                r.setPos(10.0f, 60.0f);
                h.doLineEdit(ControlID(L"password"), password, L"Password", 90.0f);
            }
            {
                gui::Box r(h.ui(), 340.0f, 26.0f);
                r.setPos(10.0f, 92.0f);
                h.doCheckbox(ControlID(L"remember"), remember, L"Remember me", nullptr, nullptr,
                             true);
            }
            {
                static const wchar_t* const sizes[] = {L"Small", L"Medium", L"Large"};
                gui::Box r(h.ui(), 340.0f, 72.0f);
                r.setPos(10.0f, 120.0f);
                h.doRadioEasy(size, 3, sizes, true);
            }
            {
                gui::Box r(h.ui(), 340.0f, 32.0f);
                r.setPos(10.0f, 196.0f);
                h.doHSlider(ControlID(L"volume"), volume, preview, L"Volume", true);
            }
            {
                gui::Box r(h.ui(), 340.0f, 32.0f);
                r.setPos(10.0f, 230.0f);
                h.doProgress(ControlID(L"progress"), 50.0f, L"Done");
            }
            {
                static const wchar_t* const fruits[] = {L"Apple", L"Banana"};
                {
                    gui::Box l(h.ui(), 80.0f, 24.0f);
                    l.setPos(10.0f, 268.0f);
                    h.doLabel(L"Fruit");
                }
                gui::Box r(h.ui(), 250.0f, 28.0f);
                r.setPos(100.0f, 264.0f);
                h.doComboBoxEasy(ControlID(L"fruit"), comboOpen, fruit, 2, fruits, true);
            }
            gui::Box b(h.ui(), gui::AppWindow::PUSHBUTTON_SHAPE);
            b.setPos(250.0f, 296.0f);
            if (h.doPushButton(ControlID(L"save"), L"Save", true))
                ++saves;
        };
        win->Show(true);
        waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); });
        settle();
        tree(); // the first reading turns the descriptions on: the passes after it have them
        settle();
    }
};

} // namespace

TEST(Accessibility, EveryControlIsReadWithItsRoleNameStatesAndValue) {
    Form form;
    const std::vector<Control> all = tree();
    ASSERT_FALSE(all.empty()) << "nothing on the bus";
    std::map<std::string, int> roles;
    for (const Control& c : all)
        ++roles[c.role];
    EXPECT_EQ(roles["radio button"], 3);

    const Control* label = find(all, "label", "Account");
    ASSERT_TRUE(label);
    const Control* name = find(all, "entry", "Name");
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text, "Ada");
    EXPECT_TRUE(name->has("editable") && name->has("focusable") && name->has("focused"));
    const Control* password = find(all, "password text", "Password");
    ASSERT_TRUE(password);
    EXPECT_EQ(password->text, "");
    const Control* remember = find(all, "check box", "Remember me");
    ASSERT_TRUE(remember);
    EXPECT_TRUE(remember->has("checked") && remember->has("enabled"));
    EXPECT_EQ(remember->actions, "click");
    const Control* medium = find(all, "radio button", "Medium");
    ASSERT_TRUE(medium);
    EXPECT_TRUE(medium->has("checked"));
    EXPECT_FALSE(find(all, "radio button", "Small")->has("checked"));
    const Control* volume = find(all, "slider", "Volume");
    ASSERT_TRUE(volume);
    EXPECT_EQ(volume->value, "40/0/100");
    const Control* progress = find(all, "progress bar", "Done");
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress->value, "50/0/100");
    // The combo box is named by the label beside it and shows its choice as its text.
    const Control* combo = find(all, "combo box", "Fruit");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->text, "Apple");
    EXPECT_TRUE(combo->has("expandable") && !combo->has("expanded"));
    const Control* save = find(all, "push button", "Save");
    ASSERT_TRUE(save);
    EXPECT_TRUE(save->has("enabled") && save->has("focusable"));
    int focused = 0;
    for (const Control& c : all)
        focused += c.has("focused");
    EXPECT_EQ(focused, 1) << "one control holds the focus";
    form.win->Close(true);
    settle();
}

TEST(Accessibility, ActionsOverTheBusDoWhatAClickDoesAndTheTreeFollows) {
    Form form;
    whileRunning(CLIENT + " do accessibility_test Form Save");
    EXPECT_TRUE(waitFor([&] { return form.saves == 1; }));
    whileRunning(CLIENT + " do accessibility_test Form 'Remember me'");
    EXPECT_TRUE(waitFor([&] { return !form.remember; }));
    settle();
    const std::vector<Control> all = tree();
    const Control* remember = find(all, "check box", "Remember me");
    ASSERT_TRUE(remember);
    EXPECT_FALSE(remember->has("checked"));
    // The combo box opens: expanded, its entries its children, the chosen one selected.
    whileRunning(CLIENT + " do accessibility_test Form Fruit");
    EXPECT_TRUE(waitFor([&] { return form.comboOpen; }));
    settle();
    const std::vector<Control> open = tree();
    const Control* combo = find(open, "combo box", "Fruit");
    ASSERT_TRUE(combo);
    EXPECT_TRUE(combo->has("expanded"));
    const Control* apple = find(open, "list item", "Apple");
    const Control* banana = find(open, "list item", "Banana");
    ASSERT_TRUE(apple && banana);
    EXPECT_TRUE(apple->has("selected") && !banana->has("selected"));
    form.win->Close(true);
    settle();
}

TEST(Accessibility, ARealTabIsHeardAsFocusAndARealClickLandsWhereTheBusSays) {
    Form form;
    const std::vector<Control> all = tree();
    // Tab from the name field: the screen reader hears the password field take the focus.
    char out[] = "/tmp/gui-atspi-XXXXXX";
    close(mkstemp(out));
    {
        Child listener({"/bin/sh", "-c", CLIENT + " focus accessibility_test 3"}, out);
        auto heard = [&] {
            std::ifstream in(out);
            std::stringstream s;
            s << in.rdbuf();
            return s.str();
        };
        ASSERT_TRUE(waitFor([&] { return heard().find("ready") != std::string::npos; }));
        xdotool("key Tab");
        EXPECT_TRUE(waitFor([&] { return heard().find("Password") != std::string::npos; }))
            << heard();
    }
    std::remove(out);
    // Type a password for real: it is nowhere on the bus.
    xdotool("type --delay 20 hunter2");
    EXPECT_TRUE(waitFor([&] { return form.password.password() == L"hunter2"; }));
    settle();
    std::string everything;
    for (const Control& c : tree())
        everything += c.name + c.text + c.value;
    EXPECT_EQ(everything.find("hunter"), std::string::npos);
    // A click at the centre the bus gives for the check box toggles it.
    const Control* remember = find(all, "check box", "Remember me");
    ASSERT_TRUE(remember);
    xdotool("mousemove " + std::to_string(remember->x + remember->w / 2) + " " +
            std::to_string(remember->y + remember->h / 2) + " click 1");
    EXPECT_TRUE(waitFor([&] { return !form.remember; }));
    form.win->Close(true);
    settle();
}

TEST(Accessibility, DialogsAndMessageBoxesSayWhatTheyAre) {
    Form form;
    std::string read;
    testing_support::onNextModal([&](orbotk::Driver& box) {
        read = whileRunning(CLIENT + " window accessibility_test Files");
        box.click(L"OK");
    });
    gui::messageBox(form.win->window(), L"The file was saved.", L"Files", wxOK);
    // The message describes the box, from the start: readers say it once, as the box opens.
    EXPECT_EQ(read, "alert\tThe file was saved.\n");
    EXPECT_EQ(whileRunning(CLIENT + " window accessibility_test Form"), "frame\t\n");
    form.win->Close(true);
    settle();
}

// A table sorted and with a selection, and a tree with one node open, as the client reads them
// through the Table interface and each item's attributes.
TEST(Accessibility, TablesAndTreesAreReadAsTablesAndTrees) {
    testing_support::Hosted win{420, 200};
    std::vector<gui::TableColumn> columns(2);
    columns[0].title = L"Name";
    columns[1].title = L"Size";
    gui::TableState table;
    gui::TableOptions o;
    o.cellText = [](int row, int column) {
        return (column ? L"size " : L"file ") + std::to_wstring(row);
    };
    o.selection = gui::LIST_SELECT_MULTIPLE;
    std::set<int> selection{1, 2};
    gui::TreeModel model;
    model.childCount = [](const gui::TreePath& p) { return p.size() < 2 ? 2 : 0; };
    model.label = [](const gui::TreePath& p) { return L"node " + std::to_wstring(p.back()); };
    gui::TreeState nodes;
    nodes.expanded = {{1}};
    win->SetTitle(L"Data");
    win->scene = [&](Host& h) {
        gui::Ui& ui = static_cast<gui::AppWindow&>(h).ui();
        {
            gui::Box b(h.ui(), 200.0f, 190.0f);
            b.setPos(5.0f, 5.0f);
            gui::doTable(ui, ControlID(L"files"), table, columns, 5000, selection, {}, o);
        }
        gui::Box b(h.ui(), 200.0f, 190.0f);
        b.setPos(215.0f, 5.0f);
        gui::doTree(ui, ControlID(L"nodes"), nodes, model);
    };
    win->Show(true);
    waitFor([&] { return win->window()->canvas()->IsShownOnScreen(); });
    settle();
    tree("Data"); // the first reading turns the descriptions on
    settle();
    const std::string heard = whileRunning(CLIENT + " tables accessibility_test Data");
    EXPECT_EQ(heard, "table\t5000\t2\tName,Size\tfile 0,size 0\t1,2\n"
                     "tree item\tnode 0\t1\t1/2\t\n"
                     "tree item\tnode 1\t1\t2/2\texpanded\n"
                     "tree item\tnode 0\t2\t1/2\t\n"
                     "tree item\tnode 1\t2\t2/2\t\n");
    win->scene = nullptr;
}

TEST(Accessibility, EveryPageOfTheGalleryIsReadableInFull) {
    for (int page = 0; page < 9; ++page) {
        auto gallery = boost::make_shared<gallery::Gallery>(page);
        gallery->Show(true);
        waitFor([&] { return gallery->window()->canvas()->IsShownOnScreen(); });
        settle();
        tree("gui gallery"); // the first reading turns the descriptions on
        settle();
        const std::vector<Control> all = tree("gui gallery");
        EXPECT_GE(all.size(), 10u) << "page " << page + 1 << ": the close button and the tabs";
        for (const Control& c : all) {
            EXPECT_NE(c.role, "unknown") << "page " << page + 1 << ": " << c.name;
            // Every control is named, scroll bars and the menu bar aside (they serve the list
            // and the menus they hold).
            if (c.role != "scroll bar" && c.role != "menu bar") {
                EXPECT_NE(c.name, "") << "page " << page + 1 << ": a " << c.role;
            }
        }
        gallery->Close(true);
        settle();
    }
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    try {
        testing_support::OwnXServer server(1280, 1024, 96);
        unsetenv("NO_AT_BRIDGE");
        orbotk::Application app(argc, argv);
        return RUN_ALL_TESTS();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
