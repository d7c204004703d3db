// libFuzzer target: fit and greedy_word_wrap on arbitrary strings and widths, measured in a real
// font (so it needs a display: run it under xvfb-run). fit must never return something wider
// than it was given; wrapping must change nothing but spaces into line feeds.
#include "gui/text_layout.h"
#include "orbotk/application.h"
#include "orbotk/context.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {
std::unique_ptr<orbotk::Application> app;
boost::shared_ptr<orbotk::UIContext> ui;
std::unique_ptr<wxFont> font;

void check(bool ok) {
    if (!ok)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    app.reset(new orbotk::Application(*argc, *argv));
    ui = orbotk::UIContext::create(L"fuzz", static_cast<wxWindow*>(nullptr));
    font.reset(new wxFont(wxFontInfo(11).FaceName("Arial")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const float width = static_cast<float>(data[0] | (data[1] << 8)) / 64.0f;
    const bool keepStart = (data[2] & 1) != 0;
    std::wstring text;
    for (size_t i = 3; i < size; ++i) {
        // Printable ASCII, spaces and line feeds are the interesting cases.
        const std::uint8_t b = data[i];
        text += b < 32 ? (b % 3 == 0 ? L'\n' : L' ') : static_cast<wchar_t>(b);
    }
    float w = width;
    const std::wstring fitted = gui::fit(ui, *font, w, text, keepStart);
    check(w <= width);
    check(fitted.empty() || fitted == text || fitted.find(L"...") != std::wstring::npos);

    wxString wrapped = text;
    gui::greedy_word_wrap(ui, *font, wrapped, width);
    const std::wstring out = wrapped.ToStdWstring();
    check(out.size() == text.size());
    for (size_t i = 0; i < out.size(); ++i)
        check(out[i] == text[i] || (text[i] == L' ' && out[i] == L'\n'));
    return 0;
}
