// Tabs: the strip's keys and shortcuts, the tabs laid out from the first one in view, arrows
// where they do not all fit, and each tab drawn as a push button's body in the tab colours.
#include "gui/tabs.h"

#include "gui/behavior.h"
#include "gui/labels.h"
#include "gui/palette.h"
#include "gui/push_button.h"
#include "gui/render.h"
#include "gui/shortcut.h"
#include "widgets/icon.h"

#include <algorithm>

namespace gui {

namespace {

constexpr float ARROW_W = 20.0f, CLOSE_W = 16.0f, PAD = 8.0f;

// The first tab in view, kept between passes.
struct TabsMemory {
    int first = 0;
};

// An arrow at an end of the strip: true when pressed.
bool arrow(Ui& ui, const orbotk::ControlID& id, bool left, bool on) {
    Box b(ui, id, on);
    const bool pressed = on && b.leftClicked();
    if (ui->isPaint()) {
        ui.color(on ? orbopal::Text : orbopal::DisabledText);
        drawTriangle(ui, left ? Pointing::Left : Pointing::Right);
        renderPushButton(ui, orbopal::Tab, true);
    }
    return pressed;
}

} // namespace

TabsResult doTabs(Ui& ui, orbotk::ControlID id, int& selected,
                  const std::vector<std::wstring>& captions, const TabsOptions& o) {
    requirePass(ui, "doTabs");
    TabsResult result;
    const int count = static_cast<int>(captions.size());
    const bool on = ui.enabled() && count > 0;
    selected = count > 0 ? std::clamp(selected, 0, count - 1) : 0;
    TabsMemory& m = ui.memory<TabsMemory>(id);
    const wxFont& font = ui.look().configFont;
    const auto widthOf = [&](int i) {
        return o.tabWidth > 0.0f ? o.tabWidth
                                 : getTextShape(ui, captions[i].c_str(), font).width + 2 * PAD +
                                       (o.closable ? CLOSE_W : 0.0f);
    };
    const auto select = [&](int i) {
        if (i != selected) {
            selected = i;
            result.changed = true;
            ui.refresh();
        }
    };

    Box strip(ui, id, on);
    if (strip.describing())
        strip.describe(orbotk::Role::PageTabList, id.name(),
                       (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE);
    if (on) {
        if (strip.focused()) {
            if (strip.keyDown(WXK_LEFT))
                select(std::max(selected - 1, 0));
            if (strip.keyDown(WXK_RIGHT))
                select(std::min(selected + 1, count - 1));
            if (strip.keyDown(WXK_HOME))
                select(0);
            if (strip.keyDown(WXK_END))
                select(count - 1);
        }
        if (o.shortcuts) {
            // Each asked for in every pass, so that one the host asks for too is logged.
            const bool tab = shortcut(ui, L"Ctrl+Tab"), pageDown = shortcut(ui, L"Ctrl+PageDown");
            const bool backTab = shortcut(ui, L"Ctrl+Shift+Tab"),
                       pageUp = shortcut(ui, L"Ctrl+PageUp");
            if (tab || pageDown)
                select((selected + 1) % count);
            if (backTab || pageUp)
                select((selected + count - 1) % count);
        }
        if (strip.leftClicked())
            strip.makeFocused();
    }

    // Which tabs are in view: all when they fit, else from the first in view as many as the
    // room between the arrows holds, the selected one brought in when the user moved to it.
    float total = 0.0f;
    for (int i = 0; i < count; ++i)
        total += widthOf(i) + o.gap;
    const bool scrolls = total - o.gap > strip.w();
    const float room = scrolls ? strip.w() - 2 * ARROW_W - 2 * o.gap : strip.w();
    const auto lastInView = [&](int first) {
        float used = 0.0f;
        int last = first;
        for (int i = first; i < count; ++i) {
            used += widthOf(i) + (i > first ? o.gap : 0.0f);
            if (used > room && i > first)
                break;
            last = i;
        }
        return last;
    };
    if (!scrolls)
        m.first = 0;
    m.first = std::clamp(m.first, 0, std::max(count - 1, 0));
    if (on && scrolls) {
        const int notches = strip.wheelRotation() / 120;
        m.first = std::clamp(m.first - notches, 0, std::max(count - 1, 0));
    }
    if (result.changed) {
        if (selected < m.first)
            m.first = selected;
        while (m.first < selected && lastInView(m.first) < selected)
            ++m.first;
    }

    float x = 0.0f;
    if (scrolls) {
        {
            Box left(ui, ARROW_W, FILL);
            if (arrow(ui, orbotk::ControlID(id.name() + L":earlier", orbotk::TabIdx::DISABLED),
                      true, on && m.first > 0))
                --m.first;
        }
        {
            Box right(ui, ARROW_W, FILL);
            right.setRight(-0.0f);
            if (arrow(ui, orbotk::ControlID(id.name() + L":later", orbotk::TabIdx::DISABLED), false,
                      on && lastInView(m.first) < count - 1))
                ++m.first;
        }
        x = ARROW_W + o.gap;
    }
    const int last = count > 0 ? lastInView(m.first) : -1;
    for (int i = m.first; i <= last; ++i) {
        const std::wstring& caption = captions[i];
        const float w = widthOf(i);
        Box tab(ui, w, FILL,
                orbotk::ControlID(id.name() + L":" + caption, orbotk::TabIdx::DISABLED), on);
        tab.setLeft(x);
        x += w + o.gap;
        const bool isSelected = i == selected;
        if (tab.describing())
            tab.describe(orbotk::Role::PageTab, caption,
                         (on ? orbotk::ACC_ENABLED : 0u) |
                             (isSelected ? orbotk::ACC_SELECTED : 0u));
        bool closeHeld = false;
        if (o.closable) {
            Box close(
                ui, CLOSE_W, FILL,
                orbotk::ControlID(id.name() + L":" + caption + L":close", orbotk::TabIdx::DISABLED),
                on);
            close.setRight(-4.0f);
            if (on && close.leftClicked())
                result.closed = i;
            closeHeld = close.over();
            if (ui->isPaint()) {
                ui.color(closeHeld ? orbopal::Text : orbopal::DisabledText);
                Box mark(ui, 8.0f, 8.0f);
                mark.setCenterX();
                mark.setCenterY();
                // The mark: two strokes crossing, one pixel each, drawn row by row.
                for (int r = 0; r < 8; ++r)
                    for (const int c : {r, 7 - r}) {
                        Box dot(ui, 1.0f, 1.0f);
                        dot.setLeft(static_cast<float>(c));
                        dot.setTop(static_cast<float>(r));
                        render(ui);
                    }
            }
        }
        if (on && tab.middleClicked())
            result.closed = i;
        if (on && !closeHeld && tab.leftClicked()) {
            select(i);
            strip.makeFocused();
        }
        if (!ui->isPaint())
            continue;
        if (isSelected && strip.focused())
            drawFocusBorder(ui);
        ui.caption = true;
        float captionX = PAD;
        const float fh = static_cast<float>(static_cast<int>(getFontHeight(ui, font)) * 5 / 4);
        doLabelIndent(ui, captionX, (tab.h() - fh) * 0.5f, caption.c_str(), on);
        ui.caption = false;
        renderPushButton(ui, isSelected ? orbopal::ActiveTab : orbopal::Tab, true);
    }
    return result;
}

} // namespace gui
