// The sign-in example, driven as its user would drive it and found by control names: Tab
// between the fields, Return or OK to submit exactly once, OK refused while the name is empty,
// the link, Cancel closing the window, and the buttons where the sign convention puts them.
#include "orboutil/hash.h"
#include "signin.h"

#include <boost/make_shared.hpp>
#include <gtest/gtest.h>
#include <vector>
#include <wx/app.h>

namespace {

struct SignIn {
    boost::shared_ptr<signin::SignInWindow> w = boost::make_shared<signin::SignInWindow>();
    orbotk::Driver d{w->window()};
    std::vector<std::wstring> submitted;
    orbo::util::md5_t signature;
    SignIn() {
        w->onSubmit = [this](const std::wstring& user, const orbo::util::md5_t& sig) {
            submitted.push_back(user);
            signature = sig;
        };
        d.paint();
        d.paint(); // the first field's automatic focus is held from the second pass on
    }
    ~SignIn() {
        w->Close(true);
        wxTheApp->ProcessIdle();
    }
};

} // namespace

TEST(SignIn, TabMovesToThePasswordAndReturnSubmitsOnce) {
    SignIn s;
    EXPECT_EQ(s.d.context()->focusedID().name(), L"user");
    s.d.typeText(L"ada");
    s.d.press(WXK_TAB);
    EXPECT_EQ(s.d.context()->focusedID().name(), L"password");
    s.d.typeText(L"s\u00e9cret");
    s.d.press(WXK_RETURN);
    s.d.mouseMove(200, 200);
    s.d.paint();
    ASSERT_EQ(s.submitted, std::vector<std::wstring>{L"ada"});
    EXPECT_EQ(s.signature, orbo::util::md5("s\xc3\xa9"
                                           "cret",
                                           7));
}

TEST(SignIn, OkIsRefusedUntilANameIsTypedAndTheLinkAndCancelWork) {
    SignIn s;
    // The buttons sit in the content panel's bottom-right corner (the panel spans x 23 to 455
    // and y 64 to 280 in a 480 x 330 window), Cancel 10 pixels left of OK.
    EXPECT_EQ(s.d.rect(L"OK"), wxRect(371, 250, 84, 30));
    EXPECT_EQ(s.d.rect(L"Cancel"), wxRect(277, 250, 84, 30));
    s.d.click(L"OK");
    EXPECT_TRUE(s.submitted.empty());
    s.d.focus(L"user");
    s.d.typeText(L"grace");
    s.d.paint();
    s.d.click(L"OK");
    EXPECT_EQ(s.submitted, std::vector<std::wstring>{L"grace"});
    EXPECT_FALSE(s.w->forgotClicked);
    s.d.click(L"forgot");
    EXPECT_TRUE(s.w->forgotClicked);
    s.d.click(L"Cancel");
    wxTheApp->ProcessIdle();
    EXPECT_FALSE(s.w->window());
}
