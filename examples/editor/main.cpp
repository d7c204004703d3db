// The editor: opens the files named on the command line, or an empty document, in a window
// that comes back where the user left it, its list as wide as it was.
#include "editor.h"

#include <boost/make_shared.hpp>
#include <gui/placement.h>
#include <orbotk/application.h>

int main(int argc, char** argv) {
    orbotk::Application app(argc, argv);
    auto window = boost::make_shared<editor::Editor>();
    for (int i = 1; i < argc; ++i)
        window->open(wxString(argv[i]).ToStdWstring());
    gui::rememberPlacement(*window, L"editor", {{L"documents", &window->listWidth}});
    window->Show();
    return app.run();
}
