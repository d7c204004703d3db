// The window's widget members: each forwards to the widget function of the same name over the
// window's pass handle, so that a scene written against the window and one written against the
// free functions draw and behave alike.
#include "gui/app_window.h"
#include "gui/behavior.h"
#include "gui/button.h"
#include "gui/checkbox.h"
#include "gui/combo_box.h"
#include "gui/labels.h"
#include "gui/line_edit.h"
#include "gui/link.h"
#include "gui/progress.h"
#include "gui/push_button.h"
#include "gui/radio.h"
#include "gui/scroll_bar.h"
#include "gui/slider.h"

namespace gui {

using orbo::tk::RGBA;
using orbotk::ControlID;

const shape_t AppWindow::PUSHBUTTON_SHAPE(84.0f, 30.0f);

bool AppWindow::controlSelectionBehavior(Box& box) {
    return gui::controlSelectionBehavior(pass_, box);
}

bool AppWindow::controlComboSelectionBehavior(Box& box, bool open) {
    return gui::controlComboSelectionBehavior(pass_, box, open);
}

void AppWindow::doToolTip(const wchar_t* text) {
    gui::doToolTip(pass_, text);
}

void AppWindow::glColor(const RGBA& colour) {
    pass_.color(colour);
}

void AppWindow::doLabel(const wchar_t* text, const wxFont& font, bool enabled) {
    gui::doLabel(pass_, text, font, enabled);
}

void AppWindow::doLabel(const wchar_t* text, bool enabled) {
    gui::doLabel(pass_, text, enabled);
}

void AppWindow::doLabel(ControlID id, const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    gui::doLabel(pass_, id, text, tooltip, enabled);
}

void AppWindow::doLabelFit(const wchar_t* text, const wxFont& font, bool enabled, bool keepStart) {
    gui::doLabelFit(pass_, text, font, enabled, keepStart);
}

void AppWindow::doLabelFit(const wchar_t* text, bool enabled, bool keepStart) {
    gui::doLabelFit(pass_, text, enabled, keepStart);
}

void AppWindow::doLabelCenter(const wchar_t* text, const wxFont& font, bool enabled,
                              bool keepStart) {
    gui::doLabelCenter(pass_, text, font, enabled, keepStart);
}

void AppWindow::doLabelCenter(const wchar_t* text, bool enabled, bool keepStart) {
    gui::doLabelCenter(pass_, text, enabled, keepStart);
}

void AppWindow::doLabelLeft(const wchar_t* text, bool enabled) {
    gui::doLabelLeft(pass_, text, enabled);
}

void AppWindow::doLabelRight(const wchar_t* text, bool enabled) {
    gui::doLabelRight(pass_, text, enabled);
}

void AppWindow::doLabelIndent(float& x, float y, const wchar_t* text, const wxFont& font,
                              bool enabled) {
    gui::doLabelIndent(pass_, x, y, text, font, enabled);
}

void AppWindow::doLabelIndent(float& x, float y, const wchar_t* text, bool enabled) {
    gui::doLabelIndent(pass_, x, y, text, enabled);
}

void AppWindow::doLabelIndentRight(float& x, float y, const wchar_t* text, bool enabled) {
    gui::doLabelIndentRight(pass_, x, y, text, enabled);
}

void AppWindow::doTextWrap(float& height, const wchar_t* text, const wxFont& font, bool enabled) {
    gui::doTextWrap(pass_, height, text, font, enabled);
}

void AppWindow::doTextWrap(float& height, const wchar_t* text, bool enabled) {
    gui::doTextWrap(pass_, height, text, enabled);
}

bool AppWindow::doButton(ControlID id, const Image& image, const Image& pressedImage,
                         const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    return gui::doButton(pass_, id, image, pressedImage, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doButton(ControlID id, const Image& image, const wchar_t* label,
                         const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled) {
    return gui::doButton(pass_, id, image, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doButton(const Image& image, const wchar_t* label, bool enabled) {
    return gui::doButton(pass_, image, label, enabled);
}

bool AppWindow::doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip) {
    return gui::doButton(pass_, image, label, tooltip);
}

bool AppWindow::doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                         const wchar_t* disabledTooltip, bool enabled) {
    return gui::doButton(pass_, image, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doButtonRight(ControlID id, const Image& image, const wchar_t* label,
                              const wchar_t* tooltip, const wchar_t* disabledTooltip,
                              bool enabled) {
    return gui::doButtonRight(pass_, id, image, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doButtonRight(const Image& image, const wchar_t* label, bool enabled) {
    return gui::doButtonRight(pass_, image, label, enabled);
}

bool AppWindow::doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip) {
    return gui::doButtonRight(pass_, image, label, tooltip);
}

bool AppWindow::doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                              const wchar_t* disabledTooltip, bool enabled) {
    return gui::doButtonRight(pass_, image, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doPushButton(ControlID id, const Image& image, const wchar_t* label, bool enabled) {
    return gui::doPushButton(pass_, id, image, label, enabled);
}

bool AppWindow::doPushButton(ControlID id, const wchar_t* label, bool enabled) {
    return gui::doPushButton(pass_, id, label, enabled);
}

bool AppWindow::doPushButton(const Image& image, const wchar_t* label, bool enabled) {
    return gui::doPushButton(pass_, image, label, enabled);
}

bool AppWindow::doPushButton(const wchar_t* label, bool enabled) {
    return gui::doPushButton(pass_, label, enabled);
}

bool AppWindow::doPushButton(ControlID id, bool enabled) {
    return gui::doPushButton(pass_, id, enabled);
}

void AppWindow::renderPushButton(const RGBA& colour, bool raised) {
    gui::renderPushButton(pass_, colour, raised);
}

bool AppWindow::doLink(ControlID id, const wchar_t* text, const wchar_t* tooltip,
                       const wxFont& font, bool enabled) {
    return gui::doLink(pass_, id, text, tooltip, font, enabled);
}

bool AppWindow::doLink(ControlID id, const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    return gui::doLink(pass_, id, text, tooltip, enabled);
}

bool AppWindow::doLink(const wchar_t* text, const wchar_t* tooltip, const wxFont& font,
                       bool enabled) {
    return gui::doLink(pass_, text, tooltip, font, enabled);
}

bool AppWindow::doLink(const wchar_t* text, const wchar_t* tooltip, bool enabled) {
    return gui::doLink(pass_, text, tooltip, enabled);
}

bool AppWindow::doCheckbox(ControlID id, bool& value, const wchar_t* label, const wchar_t* tooltip,
                           const wchar_t* disabledTooltip, bool enabled) {
    return gui::doCheckbox(pass_, id, value, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doCheckbox(bool& value, const wchar_t* label, bool enabled) {
    return gui::doCheckbox(pass_, value, label, enabled);
}

bool AppWindow::doCheckbox(bool& value, const wchar_t* label, const wchar_t* tooltip,
                           const wchar_t* disabledTooltip, bool enabled) {
    return gui::doCheckbox(pass_, value, label, tooltip, disabledTooltip, enabled);
}

bool AppWindow::doRadio(bool& value, const wchar_t* label, const wchar_t* tooltip,
                        const wchar_t* disabledTooltip, bool enabled) {
    return gui::doRadio(pass_, value, label, tooltip, disabledTooltip, enabled);
}

unsigned int AppWindow::doRadioEasy(const wchar_t*& selected, unsigned int count,
                                    const wchar_t* const* labels, bool enabled) {
    return gui::doRadioEasy(pass_, selected, count, labels, enabled);
}

unsigned int AppWindow::doComboBoxEasy(ControlID id, bool& open, const wchar_t*& selected,
                                       unsigned int count, const wchar_t* const* labels,
                                       bool enabled) {
    return gui::doComboBoxEasy(pass_, id, open, selected, count, labels, enabled);
}

unsigned int AppWindow::doComboBoxEasy(ControlID id, bool& open, std::wstring& selected,
                                       unsigned int count, std::wstring* labels, bool enabled) {
    return gui::doComboBoxEasy(pass_, id, open, selected, count, labels, enabled);
}

unsigned int AppWindow::doScrollComboBoxEasy(ControlID id, bool& open, const wchar_t*& selected,
                                             unsigned int count, const wchar_t* const* labels,
                                             bool enabled, int& first, float& dragTop,
                                             float& dragMouse) {
    return gui::doScrollComboBoxEasy(pass_, id, open, selected, count, labels, enabled, first,
                                     dragTop, dragMouse);
}

unsigned int AppWindow::doScrollComboBoxEasy(ControlID id, bool& open, std::wstring& selected,
                                             unsigned int count, std::wstring* labels, bool enabled,
                                             int& first, float& dragTop, float& dragMouse) {
    return gui::doScrollComboBoxEasy(pass_, id, open, selected, count, labels, enabled, first,
                                     dragTop, dragMouse);
}

bool AppWindow::doCombo(const wchar_t* item, const wchar_t*& selected, bool enabled) {
    return gui::doCombo(pass_, item, selected, enabled);
}

int AppWindow::doVScroll(ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
                         int min, int max, bool enabled) {
    return gui::doVScroll(pass_, id, pos, visible, dragTop, dragMouse, min, max, enabled);
}

ListResult AppWindow::doList(ControlID id, ListState& state, int count, std::set<int>& selection,
                             const boost::function<void(int row, bool selected)>& drawRow,
                             const ListOptions& options, bool enabled) {
    return gui::doList(pass_, id, state, count, selection, drawRow, options, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, float& dragValue, float min, float max,
                          const wchar_t* tooltip, bool enabled) {
    return gui::doHSlider(pass_, id, value, dragValue, min, max, tooltip, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, float& dragValue, float min, float max,
                          float step, const wchar_t* tooltip, bool enabled) {
    return gui::doHSlider(pass_, id, value, dragValue, min, max, step, tooltip, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, float min, float max, const wchar_t* tooltip,
                          bool enabled) {
    return gui::doHSlider(pass_, id, value, min, max, tooltip, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, float& dragValue, const wchar_t* tooltip,
                          bool enabled) {
    return gui::doHSlider(pass_, id, value, dragValue, tooltip, enabled);
}

bool AppWindow::doHSlider(ControlID id, float& value, const wchar_t* tooltip, bool enabled) {
    return gui::doHSlider(pass_, id, value, tooltip, enabled);
}

bool AppWindow::doProgress(ControlID id, float value, float min, float max,
                           const wchar_t* tooltip) {
    return gui::doProgress(pass_, id, value, min, max, tooltip);
}

bool AppWindow::doProgress(ControlID id, float value, const wchar_t* tooltip) {
    return gui::doProgress(pass_, id, value, tooltip);
}

void AppWindow::doProgress(float value, float min, float max, const wchar_t* tooltip) {
    gui::doProgress(pass_, value, min, max, tooltip);
}

void AppWindow::doProgress(float value, const wchar_t* tooltip) {
    gui::doProgress(pass_, value, tooltip);
}

std::vector<AppWindow::PopupItem>::const_iterator
AppWindow::doPopupMenu(const std::vector<PopupItem>& items) {
    return gui::doPopupMenu(pass_, items);
}

void AppWindow::doLineEdit(ControlID id, TextState& state, const wchar_t* label, float labelWidth,
                           bool enabled) {
    gui::doLineEdit(pass_, id, state, label, labelWidth, enabled);
}

void AppWindow::doLineEdit(TextState& state, const wchar_t* label, float labelWidth, bool enabled) {
    gui::doLineEdit(pass_, state, label, labelWidth, enabled);
}

bool AppWindow::doTextArea(ControlID id, TextAreaState& state, bool enabled) {
    return gui::doTextArea(pass_, id, state, enabled);
}

} // namespace gui
