// The switches window, to try the toggle switch by hand.
#include "switches.h"

#include <boost/make_shared.hpp>
#include <orbotk/application.h>
#include <wx/app.h>

int main(int argc, char** argv) {
    orbotk::Application app(argc, argv);
    auto window = boost::make_shared<example::Switches>();
    window->Show();
    return app.run();
}
