// The application's brand, kept for the process, and what the chrome reads of it.
#include "gui/brand.h"

#include "gui/app_window.h"

#include "orbotk/application.h"

namespace gui {

namespace {
Brand& current() {
    static Brand b;
    return b;
}
} // namespace

void setBrand(const Brand& brand) {
    current() = brand;
    if (!brand.name.empty())
        orbotk::Application::setDisplayName(brand.name);
}

const Brand& brand() {
    return current();
}

const Image* brandLogo() {
    switch (current().logo) {
    case Brand::Logo::Own:
        return &current().image;
    case Brand::Logo::None:
        return nullptr;
    default:
        return &AppWindow::standardLogo();
    }
}

const wchar_t* brandNotice() {
    return current().notice.empty() ? AppWindow::NOTICE : current().notice.c_str();
}

} // namespace gui
