// Combo boxes: a header that toggles a list hanging below it, the scrolling form with at most
// five entries beside a scroll bar, and the single list entry. The window's context names the
// one open combo box; every combo box reads its open flag from that name on every pass, so
// opening one closes any other on the other's next pass.
//
// Toggle, frame by frame:
//   closed: click / Return / Space / Down down -> active; release or key up -> opens
//   open:   click / Return / Space / Escape    -> closes; a chosen entry closes it too
// While open, the header holds the pointer and the keys: the list takes every click on it
// (its margin closes it), a press anywhere else only closes it, Up and Down move a highlight
// through the entries and Return or Space picks the highlighted one.
#include "gui/app_window.h"
#include "gui/palette.h"
#include "gui/render.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace gui {

using orbotk::ControlID;

bool AppWindow::controlComboSelectionBehavior(Box& box, bool open) {
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
        drawFocusBorder();
    return result;
}

// Within a combo box's own list the entry the keys are on is the selected one, as in the
// platform's menus; an entry a host lays out itself is selected when it is the chosen one.
std::uint32_t AppWindow::entryStates(const wchar_t* item, const wchar_t* selected) const {
    if (comboEntryActive_ < 0)
        return item == selected ? orbotk::ACC_SELECTED : 0u;
    return comboEntryActive_ ? orbotk::ACC_SELECTED | orbotk::ACC_ACTIVE : 0u;
}

bool AppWindow::doCombo(const wchar_t* item, const wchar_t*& selected, bool enabled) {
    requirePass(ui_, "doCombo");
    Box entry(ui_, ControlID(item ? item : L""), true);
    if (entry.describing()) // the open list's entries, after their combo box
        entry.describe(orbotk::Role::ListItem, item ? item : L"",
                       (enabled ? orbotk::ACC_ENABLED : 0u) | entryStates(item, selected));
    if (entry.leftClicked())
        entry.makeActive();
    if (entry.active() && entry.leftReleased()) {
        selected = item;
        return true; // the list closes: nothing to draw
    }
    Box caption(ui_, entry.w() - 8.0f, entry.h() - 2.0f);
    caption.setLeft(8.0f);
    caption.setTop(2.0f);
    caption_ = true;
    doLabelFit(item, enabled, true);
    caption_ = false;
    return false;
}

namespace {
void closeCombo(const boost::shared_ptr<orbotk::UIContext>& ui) {
    ui->openCombo = ControlID();
}
} // namespace

unsigned int AppWindow::comboBox(ControlID id, bool& open, const wchar_t*& selected,
                                 unsigned int count, const wchar_t* const* labels,
                                 const boost::function<unsigned int()>& list, bool enabled) {
    const bool on = IsEnabled() && enabled;
    Box header(ui_, FILL, 28.0f, id, on);
    comboPick_ = false;
    if (on) {
        open = ui_->openCombo.name() == id.name();
        const int last = static_cast<int>(count) - 1;
        // A press outside the list only closes it, and so does Tab moving the focus on.
        if (open && (header.pressedOutside() || ui_->focusedID() != comboFocus_)) {
            open = false;
            closeCombo(ui_);
            Refresh();
        } else if (controlComboSelectionBehavior(header, open)) {
            const bool byKey = ui_->eventType() == wxEVT_KEY_UP && ui_->keyCode() != WXK_ESCAPE;
            if (open && byKey && comboHighlight_ >= 0 && comboHighlight_ <= last) {
                comboPick_ = true; // the list picks the highlighted entry below, in view
                comboHighlightMoved_ = true;
            } else {
                open = !open;
                if (open) {
                    ui_->openCombo = id;
                    comboFocus_ = ui_->focusedID();
                    // Nothing is highlighted until an arrow key moves on from the chosen
                    // entry.
                    comboHighlight_ = -1;
                    comboStart_ = -1;
                    for (unsigned int i = 0; i < count && comboStart_ < 0; ++i)
                        if (labels[i] == selected ||
                            (labels[i] && selected && std::wcscmp(labels[i], selected) == 0))
                            comboStart_ = static_cast<int>(i);
                } else {
                    closeCombo(ui_);
                }
            }
            Refresh();
        } else if (open && (header.keyDown(WXK_DOWN) || header.keyDown(WXK_UP))) {
            const int by = ui_->keyCode() == WXK_DOWN ? 1 : -1;
            const int from = comboHighlight_ >= 0 ? comboHighlight_ : comboStart_;
            comboHighlight_ = std::min(std::max(from < 0 && by < 0 ? 0 : from + by, 0), last);
            comboHighlightMoved_ = true;
            Refresh();
        }
        if (open) // from the pass that opens it on
            header.holdPointer();
    }
    if (header.describing()) {
        // Named by the label beside it; its text is the chosen entry, as it shows it.
        orbotk::Description d;
        d.role = orbotk::Role::ComboBox;
        d.text = selected ? selected : L"";
        d.caret = static_cast<int>(d.text.size());
        d.selectionStart = d.selectionEnd = d.caret;
        d.states = (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE |
                   orbotk::ACC_EXPANDABLE | (open ? orbotk::ACC_EXPANDED : 0u);
        header.describe(d);
    }
    {
        Box caption(ui_, header.w() - 32.0f, header.h() - 3.0f);
        caption.setLeft(8.0f);
        caption.setTop(3.0f);
        caption_ = true;
        doLabelFit(selected, enabled, true);
        caption_ = false;
    }
    {
        Box chevron(ui_, chevronDown_.shape());
        chevron.setTop(7.0f);
        chevron.setRight(-8.0f);
        glColor(on ? orbopal::Button : orbopal::DisabledButton);
        render(ui_, open ? chevronUp_ : chevronDown_);
    }
    {
        Box body(ui_, open ? FILL : 28.0f, 28.0f);
        body.setRight(FILL);
        if (!open) {
            glColor(orbopal::Light);
            renderDiced(ui_, dicedButtonShade_, dicedButtonShadeHBounds_, dicedButtonShadeVBounds_);
        }
        if (on) {
            glColor(orbopal::ComboBox);
            renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
        }
    }
    unsigned int result = 0xFFFFFFFFu;
    if (open) {
        result = list(); // draws the list, with its background, below the header
        if (result != 0xFFFFFFFFu) {
            open = false;
            closeCombo(ui_);
            Refresh();
        }
    } else {
        drawComboList(); // the same background, over the header alone
    }
    return result;
}

unsigned int AppWindow::comboEntries(const wchar_t*& selected, const wchar_t* const* labels,
                                     unsigned int first, unsigned int end) {
    for (unsigned int i = first; i < end; ++i) {
        Box entry(ui_, FILL, 20.0f, ControlID(), true);
        entry.setTop(22.0f + 20.0f * static_cast<float>(i - first));
        const bool highlighted = static_cast<int>(i) == comboHighlight_;
        // The keys are on the highlighted entry, or on the chosen one until an arrow moves.
        comboEntryActive_ = highlighted || (comboHighlight_ < 0 && labels[i] == selected);
        const bool picked = (comboPick_ && highlighted) || doCombo(labels[i], selected, true);
        comboEntryActive_ = -1;
        if (picked) {
            selected = labels[i];
            return i;
        }
        if (highlighted) {
            Box band(ui_, -8.0f, FILL); // within the list's rounded sides
            band.setLeft(4.0f);
            render(ui_, orbopal::Highlight);
        }
    }
    return 0xFFFFFFFFu;
}

void AppWindow::comboListMargin(Box& list) {
    // The list's margins answer too, so that nothing behind the list takes a click on them:
    // a click there closes the list, a right click does nothing.
    if (list.leftClicked()) {
        closeCombo(ui_);
        Refresh();
    }
    list.rightClicked();
}

unsigned int AppWindow::doComboBoxEasy(ControlID id, bool& open, const wchar_t*& selected,
                                       unsigned int count, const wchar_t* const* labels,
                                       bool enabled) {
    requirePass(ui_, "doComboBoxEasy");
    return comboBox(
        id, open, selected, count, labels,
        [&]() {
            Box list(ui_, FILL, static_cast<float>(count) * 20.0f + 30.0f, ControlID(), true);
            comboListMargin(list);
            const unsigned int chosen = comboEntries(selected, labels, 0, count);
            drawComboList();
            return chosen;
        },
        enabled);
}

unsigned int AppWindow::doScrollComboBoxEasy(ControlID id, bool& open, const wchar_t*& selected,
                                             unsigned int count, const wchar_t* const* labels,
                                             bool enabled, int& first, float& dragTop,
                                             float& dragMouse) {
    requirePass(ui_, "doScrollComboBoxEasy");
    return comboBox(
        id, open, selected, count, labels,
        [&]() {
            const float height = count >= 5 ? 130.0f : static_cast<float>(count) * 20.0f + 30.0f;
            // The highlight stays in view; the wheel scrolls three entries a notch.
            if (comboHighlightMoved_ && comboHighlight_ >= 0)
                first = std::min(std::max(first, comboHighlight_ - 4), comboHighlight_);
            comboHighlightMoved_ = false;
            {
                // Drawn first, so it lies in front of the entries' right-hand part.
                Box bar(ui_, SCROLL_SIZE, height);
                bar.setRight(FILL);
                first = doVScroll(ControlID(L"scroll", orbotk::TabIdx::DISABLED), first, 5, dragTop,
                                  dragMouse, 0, static_cast<int>(count) - 1, true);
            }
            Box list(ui_, FILL, height, ControlID(), true);
            comboListMargin(list);
            if (const int wheel = list.wheelRotation()) {
                const int last = std::max(static_cast<int>(count) - 5, 0);
                first = std::min(std::max(first - wheel / 40, 0), last);
                Refresh();
            }
            const unsigned int from = static_cast<unsigned int>(std::max(first, 0));
            const unsigned int chosen =
                comboEntries(selected, labels, from, std::min(count, from + 5));
            drawComboList();
            return chosen;
        },
        enabled);
}

void AppWindow::drawComboList() {
    glColor(orbopal::Light);
    renderDiced(ui_, dicedButtonShade_, dicedButtonShadeHBounds_, dicedButtonShadeVBounds_);
    glColor(orbopal::Panel);
    renderDiced(ui_, dicedButton_, dicedButtonHBounds_, dicedButtonVBounds_);
}

namespace {
// The entries as one block: the pointer array, then the zero-terminated strings it points at.
class WideBlock {
public:
    WideBlock(const std::wstring* labels, unsigned int count) {
        size_t chars = 0;
        for (unsigned int i = 0; i < count; ++i)
            chars += labels[i].size() + 1;
        block_.reset(new unsigned char[count * sizeof(wchar_t*) + chars * sizeof(wchar_t)]);
        auto** pointers = reinterpret_cast<const wchar_t**>(block_.get());
        auto* text = reinterpret_cast<wchar_t*>(block_.get() + count * sizeof(wchar_t*));
        for (unsigned int i = 0; i < count; ++i) {
            pointers[i] = text;
            std::memcpy(text, labels[i].c_str(), (labels[i].size() + 1) * sizeof(wchar_t));
            text += labels[i].size() + 1;
        }
    }
    const wchar_t* const* labels() const {
        return reinterpret_cast<const wchar_t* const*>(block_.get());
    }

private:
    std::unique_ptr<unsigned char[]> block_;
};
} // namespace

unsigned int AppWindow::doComboBoxEasy(ControlID id, bool& open, std::wstring& selected,
                                       unsigned int count, std::wstring* labels, bool enabled) {
    const WideBlock block(labels, count);
    const wchar_t* sel = selected.c_str();
    const unsigned int result = doComboBoxEasy(id, open, sel, count, block.labels(), enabled);
    selected = std::wstring(sel); // a copy first: sel may point into selected itself
    return result;
}

unsigned int AppWindow::doScrollComboBoxEasy(ControlID id, bool& open, std::wstring& selected,
                                             unsigned int count, std::wstring* labels, bool enabled,
                                             int& first, float& dragTop, float& dragMouse) {
    const WideBlock block(labels, count);
    const wchar_t* sel = selected.c_str();
    const unsigned int result = doScrollComboBoxEasy(id, open, sel, count, block.labels(), enabled,
                                                     first, dragTop, dragMouse);
    selected = std::wstring(sel);
    return result;
}

} // namespace gui
