// Labels: text in the current box in four placements, fitted, indented and wrapped. Every
// label measures on every pass and draws only on paint passes (the text renderer's rule), so
// layout that depends on a label is the same in every event.
#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"

namespace gui {

namespace {
std::wstring str(const wchar_t* text) {
    return text ? std::wstring(text) : std::wstring();
}

// The fitted text of the label being laid out, in a buffer kept from pass to pass so that a
// warm pass allocates nothing. Labels do not nest, so one buffer serves them all.
const std::wstring& fitted(const ui_t& ui, const wxFont& font, float& width, const wchar_t* text,
                           bool keepStart) {
    static std::wstring buffer;
    fit(ui, font, width, std::wstring_view(text ? text : L""), keepStart, buffer);
    return buffer;
}
} // namespace

void AppWindow::doLabel(const wchar_t* text, const wxFont& font, bool enabled) {
    requirePass(ui_, "doLabel");
    if (ui_->accessibility() && !caption_ && text != nullptr && *text != L'\0') {
        // A box of its own over the label's, only while somebody reads the tree.
        Box label(ui_);
        label.describe(orbotk::Role::Label, text,
                       IsEnabled() && enabled ? orbotk::ACC_ENABLED : 0u);
    }
    glColor(IsEnabled() && enabled ? orbopal::Text : orbopal::DisabledText);
    render(ui_, font, text ? text : L"", 0);
}

void AppWindow::doLabel(const wchar_t* text, bool enabled) {
    doLabel(text, configFont_, enabled);
}

void AppWindow::doLabel(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
                        bool enabled) {
    doLabel(text, configFont_, enabled);
    Box tip(ui_, id, false);
    doToolTip(tooltip);
}

void AppWindow::doLabelFit(const wchar_t* text, const wxFont& font, bool enabled, bool keepStart) {
    requirePass(ui_, "doLabelFit");
    float w = ui_->current()->w;
    const std::wstring& shown = fitted(ui_, font, w, text, keepStart);
    doLabel(shown.c_str(), font, enabled);
}

void AppWindow::doLabelFit(const wchar_t* text, bool enabled, bool keepStart) {
    doLabelFit(text, configFont_, enabled, keepStart);
}

void AppWindow::doLabelCenter(const wchar_t* text, const wxFont& font, bool enabled,
                              bool keepStart) {
    requirePass(ui_, "doLabelCenter");
    const float W = static_cast<float>(ui_->current()->w);
    float w = W;
    const std::wstring& shown = fitted(ui_, font, w, text, keepStart);
    const float offset = (W - w) * 0.5f;
    Box centred(ui_, W - offset, FILL);
    centred.setLeft(offset);
    doLabel(shown.c_str(), font, enabled);
}

void AppWindow::doLabelCenter(const wchar_t* text, bool enabled, bool keepStart) {
    doLabelCenter(text, configFont_, enabled, keepStart);
}

void AppWindow::doLabelLeft(const wchar_t* text, bool enabled) {
    requirePass(ui_, "doLabelLeft");
    float w = ui_->current()->w;
    const std::wstring& shown = fitted(ui_, configFont_, w, text, true);
    Box box(ui_);
    doLabel(shown.c_str(), configFont_, enabled);
    doToolTip(text); // the whole text, even when it fits
}

void AppWindow::doLabelRight(const wchar_t* text, bool enabled) {
    requirePass(ui_, "doLabelRight");
    const float W = static_cast<float>(ui_->current()->w);
    float w = W;
    const std::wstring& shown = fitted(ui_, configFont_, w, text, true);
    Box box(ui_, w, FILL);
    box.setLeft(W - w);
    doLabel(shown.c_str(), configFont_, enabled);
}

void AppWindow::indentedLabel(float& x, float y, const wchar_t* text, const wxFont& font,
                              bool enabled, bool fromRight) {
    requirePass(ui_, fromRight ? "doLabelIndentRight" : "doLabelIndent");
    const orbotk::Box& current = *ui_->current();
    const float x0 = x;
    float w = static_cast<float>(current.w) - x0;
    const std::wstring& shown = fitted(ui_, font, w, text, true);
    x = x0 + w;
    Box box(ui_, w, static_cast<float>(current.h) - y);
    box.setTop(y);
    if (fromRight)
        box.setRight(-x0); // x0 = 0 gives -0.0: flush with the right edge
    else
        box.setLeft(x0);
    doLabel(shown.c_str(), font, enabled);
}

void AppWindow::doLabelIndent(float& x, float y, const wchar_t* text, const wxFont& font,
                              bool enabled) {
    indentedLabel(x, y, text, font, enabled, false);
}

void AppWindow::doLabelIndent(float& x, float y, const wchar_t* text, bool enabled) {
    indentedLabel(x, y, text, configFont_, enabled, false);
}

void AppWindow::doLabelIndentRight(float& x, float y, const wchar_t* text, bool enabled) {
    indentedLabel(x, y, text, configFont_, enabled, true);
}

void AppWindow::doTextWrap(float& height, const wchar_t* text, const wxFont& font, bool enabled) {
    requirePass(ui_, "doTextWrap");
    wxString wrapped = str(text);
    const float h = greedy_word_wrap(ui_, font, wrapped, static_cast<float>(ui_->current()->w));
    doLabel(wrapped.wc_str(), font, enabled);
    height = h;
}

void AppWindow::doTextWrap(float& height, const wchar_t* text, bool enabled) {
    doTextWrap(height, text, configFont_, enabled);
}

} // namespace gui
