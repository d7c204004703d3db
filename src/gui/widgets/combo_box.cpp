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
#include "gui/combo_box.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/scroll_bar.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <vector>

namespace gui {

using orbotk::ControlID;

namespace {
// What the window's open combo box keeps from pass to pass. At most one is open, so the window
// keeps one, under the anonymous identity.
struct ComboMemory {
    int highlight = -1;          // the highlighted entry (moved by Up and Down)
    int entryActive = -1;        // in the box's own list: the entry doCombo opens is the one
                                 // the keys are on (1) or not (0)
    int start = -1;              // the chosen entry when it opened
    bool highlightMoved = false; // keep it in view on the next pass
    bool pick = false;           // this pass picks the highlighted entry (Return or Space)
    ControlID focus;             // the focus when it opened
};

ComboMemory& comboMemory(Ui& ui) {
    return ui.memory<ComboMemory>(ControlID());
}

// Within a combo box's own list the entry the keys are on is the selected one, as in the
// platform's menus; an entry a host lays out itself is selected when it is the chosen one.
std::uint32_t entryStates(Ui& ui, const wchar_t* item, const wchar_t* selected) {
    const ComboMemory& combo = comboMemory(ui);
    if (combo.entryActive < 0)
        return item == selected ? orbotk::ACC_SELECTED : 0u;
    return combo.entryActive ? orbotk::ACC_SELECTED | orbotk::ACC_ACTIVE : 0u;
}
} // namespace

bool doCombo(Ui& ui, const wchar_t* item, const wchar_t*& selected, bool enabled) {
    requirePass(ui, "doCombo");
    Box entry(ui, ControlID(item ? item : L""), true);
    if (entry.describing()) // the open list's entries, after their combo box
        entry.describe(orbotk::Role::ListItem, item ? item : L"",
                       (enabled ? orbotk::ACC_ENABLED : 0u) | entryStates(ui, item, selected));
    if (entry.leftClicked())
        entry.makeActive();
    if (entry.active() && entry.leftReleased()) {
        selected = item;
        return true; // the list closes: nothing to draw
    }
    Box caption(ui, entry.w() - 8.0f, entry.h() - 2.0f);
    caption.setLeft(8.0f);
    caption.setTop(2.0f);
    ui.caption = true;
    doLabelFit(ui, item, enabled, true);
    ui.caption = false;
    return false;
}

namespace {
void closeCombo(const boost::shared_ptr<orbotk::UIContext>& ui) {
    ui->openCombo = ControlID();
}
// The background of a combo box over the current box (its list when open, its header when
// closed): shade, then body in the panel colour.
void drawComboList(Ui& ui) {
    ui.color(orbopal::Light);
    renderDiced(ui, ui.look().dicedButtonShade, ui.look().dicedButtonShadeHBounds,
                ui.look().dicedButtonShadeVBounds);
    ui.color(orbopal::Panel);
    renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                ui.look().dicedButtonVBounds);
}

// The combo box's header and list: the list (drawn by list) shows when open, and only the
// header box's rectangle is drawn when closed.
unsigned int comboBox(Ui& ui, ControlID id, bool& open, const wchar_t*& selected,
                      unsigned int count, const wchar_t* const* labels,
                      const boost::function<unsigned int()>& list, bool enabled) {
    ComboMemory& combo = comboMemory(ui);
    const bool on = ui.enabled() && enabled;
    Box header(ui, FILL, 28.0f, id, on);
    combo.pick = false;
    if (on) {
        open = ui->openCombo.name() == id.name();
        const int last = static_cast<int>(count) - 1;
        // A press outside the list only closes it, and so does Tab moving the focus on.
        if (open && (header.pressedOutside() || ui->focusedID() != combo.focus)) {
            open = false;
            closeCombo(ui);
            ui.refresh();
        } else if (controlComboSelectionBehavior(ui, header, open)) {
            const bool byKey = ui->eventType() == wxEVT_KEY_UP && ui->keyCode() != WXK_ESCAPE;
            if (open && byKey && combo.highlight >= 0 && combo.highlight <= last) {
                combo.pick = true; // the list picks the highlighted entry below, in view
                combo.highlightMoved = true;
            } else {
                open = !open;
                if (open) {
                    ui->openCombo = id;
                    combo.focus = ui->focusedID();
                    // Nothing is highlighted until an arrow key moves on from the chosen
                    // entry.
                    combo.highlight = -1;
                    combo.start = -1;
                    for (unsigned int i = 0; i < count && combo.start < 0; ++i)
                        if (labels[i] == selected ||
                            (labels[i] && selected && std::wcscmp(labels[i], selected) == 0))
                            combo.start = static_cast<int>(i);
                } else {
                    closeCombo(ui);
                }
            }
            ui.refresh();
        } else if (open && (header.keyDown(WXK_DOWN) || header.keyDown(WXK_UP))) {
            const int by = ui->keyCode() == WXK_DOWN ? 1 : -1;
            const int from = combo.highlight >= 0 ? combo.highlight : combo.start;
            combo.highlight = std::min(std::max(from < 0 && by < 0 ? 0 : from + by, 0), last);
            combo.highlightMoved = true;
            ui.refresh();
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
        Box caption(ui, header.w() - 32.0f, header.h() - 3.0f);
        caption.setLeft(8.0f);
        caption.setTop(3.0f);
        ui.caption = true;
        doLabelFit(ui, selected, enabled, true);
        ui.caption = false;
    }
    {
        Box chevron(ui, ui.look().chevronDown.shape());
        chevron.setTop(7.0f);
        chevron.setRight(-8.0f);
        ui.color(on ? orbopal::Button : orbopal::DisabledButton);
        render(ui, open ? ui.look().chevronUp : ui.look().chevronDown);
    }
    {
        Box body(ui, open ? FILL : 28.0f, 28.0f);
        body.setRight(FILL);
        if (!open) {
            ui.color(orbopal::Light);
            renderDiced(ui, ui.look().dicedButtonShade, ui.look().dicedButtonShadeHBounds,
                        ui.look().dicedButtonShadeVBounds);
        }
        if (on) {
            ui.color(orbopal::ComboBox);
            renderDiced(ui, ui.look().dicedButton, ui.look().dicedButtonHBounds,
                        ui.look().dicedButtonVBounds);
        }
    }
    unsigned int result = 0xFFFFFFFFu;
    if (open) {
        result = list(); // draws the list, with its background, below the header
        if (result != 0xFFFFFFFFu) {
            open = false;
            closeCombo(ui);
            ui.refresh();
        }
    } else {
        drawComboList(ui); // the same background, over the header alone
    }
    return result;
}

// Entries first to end - 1 of labels, 20 apart from 22 down in the list box: the index of the
// one chosen this pass, or 0xFFFFFFFF.
unsigned int comboEntries(Ui& ui, const wchar_t*& selected, const wchar_t* const* labels,
                          unsigned int first, unsigned int end) {
    ComboMemory& combo = comboMemory(ui);
    for (unsigned int i = first; i < end; ++i) {
        Box entry(ui, FILL, 20.0f, ControlID(), true);
        entry.setTop(22.0f + 20.0f * static_cast<float>(i - first));
        const bool highlighted = static_cast<int>(i) == combo.highlight;
        // The keys are on the highlighted entry, or on the chosen one until an arrow moves.
        combo.entryActive = highlighted || (combo.highlight < 0 && labels[i] == selected);
        const bool picked = (combo.pick && highlighted) || doCombo(ui, labels[i], selected, true);
        combo.entryActive = -1;
        if (picked) {
            selected = labels[i];
            return i;
        }
        if (highlighted) {
            Box band(ui, -8.0f, FILL); // within the list's rounded sides
            band.setLeft(4.0f);
            render(ui, orbopal::Highlight);
        }
    }
    return 0xFFFFFFFFu;
}

// The open list's own answers, for the list box: a click on its margin closes it.
void comboListMargin(Ui& ui, Box& list) {
    // The list's margins answer too, so that nothing behind the list takes a click on them:
    // a click there closes the list, a right click does nothing.
    if (list.leftClicked()) {
        closeCombo(ui);
        ui.refresh();
    }
    list.rightClicked();
}

} // namespace

unsigned int doComboBoxEasy(Ui& ui, ControlID id, bool& open, const wchar_t*& selected,
                            unsigned int count, const wchar_t* const* labels, bool enabled) {
    requirePass(ui, "doComboBoxEasy");
    return comboBox(
        ui, id, open, selected, count, labels,
        [&]() {
            Box list(ui, FILL, static_cast<float>(count) * 20.0f + 30.0f, ControlID(), true);
            comboListMargin(ui, list);
            const unsigned int chosen = comboEntries(ui, selected, labels, 0, count);
            drawComboList(ui);
            return chosen;
        },
        enabled);
}

unsigned int doScrollComboBoxEasy(Ui& ui, ControlID id, bool& open, const wchar_t*& selected,
                                  unsigned int count, const wchar_t* const* labels, bool enabled,
                                  int& first, float& dragTop, float& dragMouse) {
    requirePass(ui, "doScrollComboBoxEasy");
    return comboBox(
        ui, id, open, selected, count, labels,
        [&]() {
            const float height = count >= 5 ? 130.0f : static_cast<float>(count) * 20.0f + 30.0f;
            // The highlight stays in view; the wheel scrolls three entries a notch.
            ComboMemory& combo = comboMemory(ui);
            if (combo.highlightMoved && combo.highlight >= 0)
                first = std::min(std::max(first, combo.highlight - 4), combo.highlight);
            combo.highlightMoved = false;
            {
                // Drawn first, so it lies in front of the entries' right-hand part.
                Box bar(ui, SCROLL_SIZE, height);
                bar.setRight(FILL);
                first = doVScroll(ui, ControlID(L"scroll", orbotk::TabIdx::DISABLED), first, 5,
                                  dragTop, dragMouse, 0, static_cast<int>(count) - 1, true);
            }
            Box list(ui, FILL, height, ControlID(), true);
            comboListMargin(ui, list);
            if (const int wheel = list.wheelRotation()) {
                const int last = std::max(static_cast<int>(count) - 5, 0);
                first = std::min(std::max(first - wheel / 40, 0), last);
                ui.refresh();
            }
            const unsigned int from = static_cast<unsigned int>(std::max(first, 0));
            const unsigned int chosen =
                comboEntries(ui, selected, labels, from, std::min(count, from + 5));
            drawComboList(ui);
            return chosen;
        },
        enabled);
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

unsigned int doComboBoxEasy(Ui& ui, ControlID id, bool& open, std::wstring& selected,
                            unsigned int count, std::wstring* labels, bool enabled) {
    const WideBlock block(labels, count);
    const wchar_t* sel = selected.c_str();
    const unsigned int result = doComboBoxEasy(ui, id, open, sel, count, block.labels(), enabled);
    selected = std::wstring(sel); // a copy first: sel may point into selected itself
    return result;
}

unsigned int doScrollComboBoxEasy(Ui& ui, ControlID id, bool& open, std::wstring& selected,
                                  unsigned int count, std::wstring* labels, bool enabled,
                                  int& first, float& dragTop, float& dragMouse) {
    const WideBlock block(labels, count);
    const wchar_t* sel = selected.c_str();
    const unsigned int result = doScrollComboBoxEasy(ui, id, open, sel, count, block.labels(),
                                                     enabled, first, dragTop, dragMouse);
    selected = std::wstring(sel);
    return result;
}

} // namespace gui
