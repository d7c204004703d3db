// Labels: text in the current box in four placements, fitted, indented and wrapped. Every
// label measures on every pass and draws only on paint passes (the text renderer's rule), so
// layout that depends on a label is the same in every event.
#include "gui/labels.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"

namespace gui {

namespace {
std::wstring str(const wchar_t* text) {
    return text ? std::wstring(text) : std::wstring();
}

// The fitted text of the label being laid out, in the window's scratch buffer. Labels do not
// nest, so one buffer serves them all.
const std::wstring& fitted(const ui_t& ui, const wxFont& font, float& width, const wchar_t* text,
                           bool keepStart) {
    std::wstring& buffer = ui->scratch.label;
    fit(ui, font, width, std::wstring_view(text ? text : L""), keepStart, buffer);
    return buffer;
}
} // namespace

void doLabel(Ui& ui, const wchar_t* text, const wxFont& font, bool enabled) {
    requirePass(ui, "doLabel");
    if (ui->accessibility() && !ui.caption && text != nullptr && *text != L'\0') {
        // A box of its own over the label's, only while somebody reads the tree.
        Box label(ui);
        label.describe(orbotk::Role::Label, text,
                       ui.enabled() && enabled ? orbotk::ACC_ENABLED : 0u);
    }
    ui.color(ui.enabled() && enabled ? orbopal::Text : orbopal::DisabledText);
    render(ui, font, text ? text : L"", 0);
}

void doLabel(Ui& ui, const wchar_t* text, bool enabled) {
    doLabel(ui, text, ui.look().configFont, enabled);
}

void doLabel(Ui& ui, orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
             bool enabled) {
    doLabel(ui, text, ui.look().configFont, enabled);
    Box tip(ui, id, false);
    doToolTip(ui, tooltip);
}

void doLabelFit(Ui& ui, const wchar_t* text, const wxFont& font, bool enabled, bool keepStart) {
    requirePass(ui, "doLabelFit");
    float w = ui->current()->w;
    const std::wstring& shown = fitted(ui, font, w, text, keepStart);
    doLabel(ui, shown.c_str(), font, enabled);
}

void doLabelFit(Ui& ui, const wchar_t* text, bool enabled, bool keepStart) {
    doLabelFit(ui, text, ui.look().configFont, enabled, keepStart);
}

void doLabelCenter(Ui& ui, const wchar_t* text, const wxFont& font, bool enabled, bool keepStart) {
    requirePass(ui, "doLabelCenter");
    const float W = static_cast<float>(ui->current()->w);
    float w = W;
    const std::wstring& shown = fitted(ui, font, w, text, keepStart);
    const float offset = (W - w) * 0.5f;
    Box centred(ui, W - offset, FILL);
    centred.setLeft(offset);
    doLabel(ui, shown.c_str(), font, enabled);
}

void doLabelCenter(Ui& ui, const wchar_t* text, bool enabled, bool keepStart) {
    doLabelCenter(ui, text, ui.look().configFont, enabled, keepStart);
}

void doLabelLeft(Ui& ui, const wchar_t* text, bool enabled) {
    requirePass(ui, "doLabelLeft");
    float w = ui->current()->w;
    const std::wstring& shown = fitted(ui, ui.look().configFont, w, text, true);
    Box box(ui);
    doLabel(ui, shown.c_str(), ui.look().configFont, enabled);
    doToolTip(ui, text); // the whole text, even when it fits
}

void doLabelRight(Ui& ui, const wchar_t* text, bool enabled) {
    requirePass(ui, "doLabelRight");
    const float W = static_cast<float>(ui->current()->w);
    float w = W;
    const std::wstring& shown = fitted(ui, ui.look().configFont, w, text, true);
    Box box(ui, w, FILL);
    box.setLeft(W - w);
    doLabel(ui, shown.c_str(), ui.look().configFont, enabled);
}

namespace {
// A fitted label in a box at (x, y), placed from the left or the right edge.
void indentedLabel(Ui& ui, float& x, float y, const wchar_t* text, const wxFont& font, bool enabled,
                   bool fromRight) {
    requirePass(ui, fromRight ? "doLabelIndentRight" : "doLabelIndent");
    const orbotk::Box& current = *ui->current();
    const float x0 = x;
    float w = static_cast<float>(current.w) - x0;
    const std::wstring& shown = fitted(ui, font, w, text, true);
    x = x0 + w;
    Box box(ui, w, static_cast<float>(current.h) - y);
    box.setTop(y);
    if (fromRight)
        box.setRight(-x0); // x0 = 0 gives -0.0: flush with the right edge
    else
        box.setLeft(x0);
    doLabel(ui, shown.c_str(), font, enabled);
}

} // namespace

void doLabelIndent(Ui& ui, float& x, float y, const wchar_t* text, const wxFont& font,
                   bool enabled) {
    indentedLabel(ui, x, y, text, font, enabled, false);
}

void doLabelIndent(Ui& ui, float& x, float y, const wchar_t* text, bool enabled) {
    indentedLabel(ui, x, y, text, ui.look().configFont, enabled, false);
}

void doLabelIndentRight(Ui& ui, float& x, float y, const wchar_t* text, bool enabled) {
    indentedLabel(ui, x, y, text, ui.look().configFont, enabled, true);
}

void doTextWrap(Ui& ui, float& height, const wchar_t* text, const wxFont& font, bool enabled) {
    requirePass(ui, "doTextWrap");
    wxString wrapped = str(text);
    const float h = greedy_word_wrap(ui, font, wrapped, static_cast<float>(ui->current()->w));
    doLabel(ui, wrapped.wc_str(), font, enabled);
    height = h;
}

void doTextWrap(Ui& ui, float& height, const wchar_t* text, bool enabled) {
    doTextWrap(ui, height, text, ui.look().configFont, enabled);
}

} // namespace gui
