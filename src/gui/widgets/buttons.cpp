// Buttons, push buttons and links, and the activation rule they share.
//
// Activation, frame by frame:
//   press on the box            -> the box becomes active (held); returns false
//   release anywhere            -> the active box sees leftReleased; returns true, clears active
//   Return/Space down (focused) -> active
//   Return/Space up (focused)   -> returns true, clears active
// A press elsewhere followed by a release on the box activates nothing.
#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"
#include "widgets/tooltips.h"

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

const shape_t AppWindow::PUSHBUTTON_SHAPE(84.0f, 30.0f);

bool AppWindow::controlSelectionBehavior(Box& box) {
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
        drawFocusBorder();
    return result;
}

// ---- Image buttons

RGBA AppWindow::iconButtonBehavior(Box& button, bool on, bool& result) {
    result = false;
    if (!on)
        return orbopal::DisabledButton;
    result = controlSelectionBehavior(button);
    if (result)
        Refresh();
    return result || button.active() || button.focused() ? orbopal::ActiveButton : orbopal::Button;
}

bool AppWindow::doButton(ControlID id, const Image& image, const Image& pressedImage,
                         const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    requirePass(ui_, "doButton");
    const bool on = IsEnabled() && enabled;
    Box button(ui_, id, on);
    doToolTip(chooseTip(on, tooltip, disabledTooltip));
    if (button.describing())
        button.describe(orbotk::Role::PushButton, tooltip ? tooltip : id.name(),
                        (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE,
                        chooseTip(on, tooltip, disabledTooltip));
    bool result = false;
    if (on) {
        result = controlSelectionBehavior(button);
        if (result)
            Refresh();
    }
    const Image& shown = button.active() ? pressedImage : image;
    Box icon(ui_, shown.shape()); // at the button's origin
    glColor(on ? Color::White : orbopal::Disabled);
    render(ui_, shown);
    return result;
}

bool AppWindow::captionedButton(ControlID id, const Image& image, const wchar_t* label,
                                const wchar_t* tooltip, const wchar_t* disabledTooltip,
                                bool enabled, bool right) {
    requirePass(ui_, right ? "doButtonRight" : "doButton");
    const bool on = IsEnabled() && enabled;
    // The caption starts icon width + 8 in from the near edge; the button box spans icon and
    // caption from that edge, and is the click area.
    float width = image.w() + 8.0f;
    if (label != nullptr) {
        caption_ = true;
        if (right)
            doLabelIndentRight(width, 4.0f, label, enabled);
        else
            doLabelIndent(width, 4.0f, label, enabled);
        caption_ = false;
    }
    Box button(ui_, width, FILL, id, on);
    if (right)
        button.setRight(FILL);
    // The icon is centred vertically, with the same inset from the near edge.
    Box icon(ui_, image.shape());
    const float offset = (button.h() - image.h()) * 0.5f;
    if (right)
        icon.setRight(-offset); // an offset of 0 gives -0.0: flush with the right edge
    else
        icon.setLeft(offset);
    icon.setTop(offset);
    doToolTip(chooseTip(on, tooltip, disabledTooltip));
    if (button.describing())
        button.describe(orbotk::Role::PushButton,
                        label     ? std::wstring(label)
                        : tooltip ? tooltip
                                  : id.name(),
                        (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE,
                        chooseTip(on, tooltip, disabledTooltip));
    bool result = false;
    glColor(iconButtonBehavior(button, on, result));
    render(ui_, image);
    return result;
}

bool AppWindow::doButton(ControlID id, const Image& image, const wchar_t* label,
                         const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    return captionedButton(id, image, label, tooltip, disabledTooltip, enabled, false);
}

bool AppWindow::doButton(const Image& image, const wchar_t* label, bool enabled) {
    return doButton(ControlID(label), image, label, nullptr, nullptr, enabled);
}

bool AppWindow::doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip) {
    return doButton(ControlID(label), image, label, tooltip, tooltip, true);
}

bool AppWindow::doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                         const wchar_t* disabledTooltip, bool enabled) {
    return doButton(ControlID(label), image, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doButtonRight(ControlID id, const Image& image, const wchar_t* label,
                              const wchar_t* tooltip, const wchar_t* disabledTooltip,
                              bool enabled) {
    return captionedButton(id, image, label, tooltip, disabledTooltip, enabled, true);
}

bool AppWindow::doButtonRight(const Image& image, const wchar_t* label, bool enabled) {
    return doButtonRight(ControlID(label), image, label, nullptr, nullptr, enabled);
}

bool AppWindow::doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip) {
    return doButtonRight(ControlID(label), image, label, tooltip, tooltip, true);
}

bool AppWindow::doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                              const wchar_t* disabledTooltip, bool enabled) {
    return doButtonRight(ControlID(label), image, label, tooltip, disabledTooltip, enabled);
}

// ---- Push buttons

void AppWindow::drawFocusBorder() {
    // The current colour is the caller's next layer: the border leaves it as it was.
    const RGBA saved = ui_->colour();
    renderDashed(ui_, Color::Black, BORDER_ALL, 3);
    ui_->setColour(saved);
}

namespace {
// The caption's top: centred on five quarters of the font height.
float captionTop(float buttonHeight, float fontHeight) {
    const int fh = static_cast<int>(fontHeight);
    return (buttonHeight - static_cast<float>(fh * 5 / 4)) * 0.5f;
}
} // namespace

bool AppWindow::pushButton(ControlID id, const Image* image, const wchar_t* label, bool enabled) {
    requirePass(ui_, "doPushButton");
    const bool on = IsEnabled() && enabled;
    Box button(ui_, id, on);
    bool result = false;
    if (on) {
        result = controlSelectionBehavior(button);
        if (result)
            Refresh();
    }
    if (button.describing())
        button.describe(orbotk::Role::PushButton, label ? label : id.name(),
                        (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE);
    const RGBA body = ui_->colour(); // as the caller left it
    float captionX = 8.0f;
    if (image != nullptr) {
        Box icon(ui_, image->shape());
        const float inset = (button.h() - image->h()) * 0.5f;
        icon.setLeft(inset);
        icon.setTop(inset - 1.0f);
        glColor(on ? orbopal::Button : orbopal::DisabledButton);
        render(ui_, *image);
        captionX = image->w() + 8.0f;
    }
    if (label != nullptr) {
        caption_ = true;
        doLabelIndent(captionX, captionTop(button.h(), getFontHeight(ui_, configFont_)), label,
                      enabled);
        caption_ = false;
    }
    renderPushButton(body, !(result || button.active()));
    return result;
}

bool AppWindow::doPushButton(ControlID id, const Image& image, const wchar_t* label, bool enabled) {
    return pushButton(id, &image, label, enabled);
}

bool AppWindow::doPushButton(ControlID id, const wchar_t* label, bool enabled) {
    return pushButton(id, nullptr, label, enabled);
}

bool AppWindow::doPushButton(const Image& image, const wchar_t* label, bool enabled) {
    return doPushButton(ControlID(label), image, label, enabled);
}

bool AppWindow::doPushButton(const wchar_t* label, bool enabled) {
    return doPushButton(ControlID(label), label, enabled);
}

bool AppWindow::doPushButton(ControlID id, bool enabled) {
    return doPushButton(id, L"", enabled);
}

void AppWindow::renderPushButton(const RGBA& colour, bool raised) {
    requirePass(ui_, "renderPushButton");
    // The shade is drawn first, so it lies in front of the body; tinted grey it looks pressed.
    glColor(raised ? orbopal::Light : orbopal::Disabled);
    renderDiced(ui_, dicedButtonShade_, dicedButtonShadeHBounds_, dicedButtonShadeVBounds_);
    glColor(colour);
    renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
}

// ---- Links

bool AppWindow::doLink(ControlID id, const wchar_t* text, const wchar_t* tooltip,
                       const wxFont& font, bool enabled) {
    requirePass(ui_, "doLink");
    const bool on = IsEnabled() && enabled;
    const RGBA colour = on ? orbopal::Link : orbopal::DisabledText;
    const std::wstring_view t = text ? text : L"";
    float w = static_cast<float>(ui_->current()->w);
    static std::wstring unused; // only the width is used: the full text is drawn, clipped
    fit(ui_, font, w, t, false, unused);
    const float h = getFontHeight(ui_, font) + 1.0f;
    Box link(ui_, w, h, id, on);
    if (link.describing())
        link.describe(orbotk::Role::Link, std::wstring(t),
                      (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE, tooltip);
    render(ui_, colour, BORDER_BOTTOM); // the underline, drawn first: it lies in front
    render(ui_, font, t, 0);
    bool result = false;
    if (on) {
        result = controlSelectionBehavior(link);
        doToolTip(tooltip);
    }
    return result;
}

bool AppWindow::doLink(ControlID id, const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    return doLink(id, text, tooltip, tinyFont_, enabled);
}

bool AppWindow::doLink(const wchar_t* text, const wchar_t* tooltip, const wxFont& font,
                       bool enabled) {
    return doLink(ControlID(tooltip), text, tooltip, font, enabled);
}

bool AppWindow::doLink(const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    return doLink(ControlID(tooltip), text, tooltip, tinyFont_, enabled);
}

} // namespace gui
