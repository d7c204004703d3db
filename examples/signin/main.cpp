// The sign-in example: shows the window; a submitted form prints the user name and closes it.
// With --screenshot FILE it renders one frame through the driver instead, for the README; with
// --filled as well, after typing a name, Tab and a password, as a user would.
#include "signin.h"

#include <boost/make_shared.hpp>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    orbotk::Application app(argc, argv);
    auto w = boost::make_shared<signin::SignInWindow>();
    w->onSubmit = [&w](const std::wstring& user, const orbo::util::md5_t&) {
        std::printf("signed in: %s\n", orbo::util::utf8FromWString(user).c_str());
        w->Close(true);
    };
    if (argc >= 3 && std::strcmp(argv[1], "--screenshot") == 0) {
        orbotk::Driver d(w->window());
        d.paint();
        d.paint();
        if (argc == 4 && std::strcmp(argv[3], "--filled") == 0) {
            d.typeText(L"ada");
            d.press(WXK_TAB);
            d.typeText(L"secret");
            w->message = L"Checking your password\u2026";
            d.paint();
        }
        d.savePNG(argv[2]);
        w->Close(true);
        d.flush();
        return 0;
    }
    w->Show(true);
    return app.run();
}
