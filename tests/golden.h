// Comparing a window's frame with its golden image in tests/golden/, word for word. To accept a
// deliberate change of look, run the test with GUI_UPDATE_GOLDENS=1, look at the new PNGs, and
// commit them. A frame drawn at device scale 2 has its own golden, named with "@2x".
#pragma once

#include "gui/message_box.h"
#include "orbotk/driver.h"

#include <boost/make_shared.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <wx/app.h>
#include <wx/image.h>

namespace testing_support {

// The framebuffer as PNG stores it (straight alpha), compared with the golden.
inline void expectGolden(orbotk::Driver& d, std::string name) {
    if (d.scale() != 1)
        name += "@" + std::to_string(d.scale()) + "x";
    const std::string path = std::string(GUI_GOLDEN_DIR) + "/" + name + ".png";
    if (std::getenv("GUI_UPDATE_GOLDENS") != nullptr) {
        d.savePNG(path);
        return;
    }
    const std::string actualPath = ::testing::TempDir() + name + ".actual.png";
    d.savePNG(actualPath);
    wxImage golden, actual;
    ASSERT_TRUE(golden.LoadFile(path, wxBITMAP_TYPE_PNG))
        << "no golden " << path << " (run with GUI_UPDATE_GOLDENS=1 to make it)";
    ASSERT_TRUE(actual.LoadFile(actualPath, wxBITMAP_TYPE_PNG));
    ASSERT_EQ(golden.GetSize(), actual.GetSize()) << name;
    int differing = 0;
    for (int y = 0; y < golden.GetHeight(); ++y)
        for (int x = 0; x < golden.GetWidth(); ++x) {
            const bool same = golden.GetRed(x, y) == actual.GetRed(x, y) &&
                              golden.GetGreen(x, y) == actual.GetGreen(x, y) &&
                              golden.GetBlue(x, y) == actual.GetBlue(x, y) &&
                              (golden.HasAlpha() ? golden.GetAlpha(x, y) : 255) ==
                                  (actual.HasAlpha() ? actual.GetAlpha(x, y) : 255);
            differing += !same;
        }
    EXPECT_EQ(differing, 0) << name << ": see " << actualPath;
}

// A message box as it opens (sized by its first passes, the pointer off its buttons), drawn at
// the given device scale and compared with its golden.
inline void expectMessageBoxGolden(const wchar_t* title, const wchar_t* message, int style,
                                   const std::string& name, int scale = 1) {
    auto box = boost::make_shared<gui::MessageBoxDialog>(static_cast<wxWindow*>(nullptr), title,
                                                         message, style);
    if (scale != 1)
        box->window()->overrideScale(scale);
    orbotk::Driver d(box->window());
    for (int i = 0; i < 2; ++i) {
        d.paint();
        d.resize(box->GetSize().x, box->GetSize().y);
    }
    d.mouseMove(2, d.height() - 2);
    d.paint();
    expectGolden(d, name);
    box->Close(true);
    wxTheApp->ProcessIdle();
}

} // namespace testing_support
