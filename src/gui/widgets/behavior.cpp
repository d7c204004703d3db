// The behaviours every widget shares (activation, the combo toggle, the focus border,
// tooltips, describing a control), and the pass handle's reach into its window.
#include "gui/behavior.h"

#include "gui/palette.h"
#include "gui/render.h"
#include "orbotk/window.h"

namespace gui {

using orbo::tk::RGBA;

bool Ui::enabled() const {
    return context_ && context_->windowEnabled();
}

void Ui::refresh() const {
    if (boost::shared_ptr<orbotk::Window> w = context_ ? context_->window().lock() : nullptr)
        w->Refresh(true, nullptr);
}

void Ui::color(const RGBA& colour) const {
    requirePass(context_, "glColor");
    context_->setColour(colour);
}

bool controlSelectionBehavior(Ui& ui, Box& box) {
    if (box.leftClicked())
        box.makeActive();
    if (box.keyDown(WXK_RETURN) || box.keyDown(WXK_SPACE))
        box.makeActive();
    const bool mouse = box.active() && box.leftReleased();
    const bool keys = box.focused() && (box.keyUp(WXK_RETURN) || box.keyUp(WXK_SPACE));
    const bool result = mouse || keys;
    if (result)
        box.clearActive();
    if (box.focused())
        drawFocusBorder(ui);
    return result;
}

bool controlComboSelectionBehavior(Ui& ui, Box& box, bool open) {
    if (box.leftClicked())
        box.makeActive();
    if (box.keyDown(WXK_RETURN) || box.keyDown(WXK_SPACE))
        box.makeActive();
    if (!open && box.keyDown(WXK_DOWN))
        box.makeActive();
    const bool mouse = box.active() && box.leftReleased();
    const bool keys =
        box.keyUp(WXK_RETURN) || box.keyUp(WXK_SPACE) || (!open && box.keyUp(WXK_DOWN));
    // An open list holds the keys, focused or not.
    bool result = mouse || ((box.focused() || open) && keys);
    if (open && !result) {
        // Escape reaches only the focused box, or the top-level boxes when nothing has focus.
        if (box.keyDown(WXK_ESCAPE))
            box.makeActive();
        result = box.keyUp(WXK_ESCAPE);
    }
    if (result)
        box.clearActive();
    if (box.focused())
        drawFocusBorder(ui);
    return result;
}

void drawFocusBorder(Ui& ui) {
    // The current colour is the caller's next layer: the border leaves it as it was.
    const RGBA saved = ui->colour();
    renderDashed(ui, orbopal::FocusBorder, BORDER_ALL, 3);
    ui->setColour(saved);
}

void doToolTip(Ui& ui, const wchar_t* text) {
    requirePass(ui, "doToolTip");
    boost::shared_ptr<orbotk::Box> box = ui->current();
    if (!box || !box->over())
        return;
    if (text == nullptr) {
        ui->tooltip.clear();
        return;
    }
    std::wstring shown(text);
    for (wchar_t& c : shown) {
        if (c == L'\r')
            c = L'\0'; // the platform tooltip ends at the first zero
        else if (c == L'\n')
            c = L' ';
    }
    ui->tooltip = shown;
}

void describeControl(Box& box, orbotk::Role role, const wchar_t* name, bool on,
                     std::uint32_t states, const wchar_t* tooltip) {
    if (box.describing())
        box.describe(role, name ? name : L"",
                     (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE | states, tooltip);
}

} // namespace gui
