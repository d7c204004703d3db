// The text area widget: turns a pass's input into edits of a TextAreaState (its own rows for
// lines and the mouse, the text box's for the rest) and draws the lines in view.
#include "gui/text_area.h"

#include "gui/behavior.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/scroll_bar.h"
#include "gui/text_box.h"
#include "text/text_cache.h"

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

// The text area's input: its own rows for lines and the mouse, the text box's for the rest.
class TextArea : public TextBox {
public:
    TextArea(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
             orbotk::ControlID id, TextAreaState& state, bool enabled)
        : TextBox(ui, shape, id, state, enabled), area_(state) {}

    // The text's rectangle in the window, and the height of a line.
    float left = 0, top = 0, lineH = 1;
    int visible = 1;
    bool submitted = false;

    bool typed() {
        Box& b = box();
        const auto& c = ui();
        const bool shift = c->shiftDown(), ctrl = c->ctrlDown();
        const bool readOnly = area_.readOnly();
        if (b.keyDown(WXK_RETURN) || b.keyDown(WXK_NUMPAD_ENTER)) {
            if (ctrl)
                submitted = true;
            else if (!readOnly)
                area_.type(std::wstring(1, L'\n'));
            return true;
        }
        if (b.keyUp(WXK_RETURN))
            return false; // a form's Return belongs to its fields, not to a text area
        if (b.keyDown(WXK_UP) || b.keyDown(WXK_DOWN)) {
            if (c->keyCode() == WXK_UP)
                area_.lineUp(1, shift);
            else
                area_.lineDown(1, shift);
            return true;
        }
        if (b.keyDown(WXK_PAGEUP) || b.keyDown(WXK_PAGEDOWN)) {
            if (c->keyCode() == WXK_PAGEUP)
                area_.lineUp(visible, shift);
            else
                area_.lineDown(visible, shift);
            return true;
        }
        if (b.keyDown(WXK_HOME) || b.keyDown(WXK_END)) {
            const bool home = c->keyCode() == WXK_HOME;
            area_.forgetX();
            if (ctrl && home)
                area_.caretHome(shift);
            else if (ctrl)
                area_.caretEnd(shift);
            else if (home)
                area_.lineHome(shift);
            else
                area_.lineEnd(shift);
            return true;
        }
        if (b.leftClicked()) {
            b.makeActive();
            b.makeFocused();
            area_.forgetX();
            const int clicks = c->clickCount();
            const unsigned at = indexAtPointer();
            if (clicks == 2) {
                area_.selectWordAt(at);
            } else if (clicks >= 3) { // the paragraph
                const std::wstring& t = area_.text();
                const size_t from = at == 0 ? std::wstring::npos : t.rfind(L'\n', at - 1);
                const size_t to = t.find(L'\n', at);
                area_.setSelection(from == std::wstring::npos ? 0 : static_cast<unsigned>(from) + 1,
                                   to == std::wstring::npos ? area_.len()
                                                            : static_cast<unsigned>(to));
            } else {
                area_.setSelection(shift ? area_.anchor() : at, at);
            }
            return true;
        }
        // A drag from a single press extends the selection; one from a double or triple
        // click keeps the word or paragraph it selected.
        if (b.active() && (c->eventType() == wxEVT_MOTION || b.leftReleased())) {
            if (c->clickCount() < 2)
                area_.setSelection(area_.anchor(), indexAtPointer());
            return true;
        }
        if (readOnly) {
            // Moving, selecting and copying only.
            const int key = c->keyCode();
            const bool editing = key == WXK_BACK || key == WXK_DELETE ||
                                 (ctrl && (key == 'X' || key == 'V' || key == 'Z' || key == 'Y')) ||
                                 c->eventType() == wxEVT_CHAR;
            if (editing && (c->eventType() == wxEVT_KEY_DOWN || c->eventType() == wxEVT_CHAR))
                return false;
        }
        const bool consumed = dispatch();
        if (consumed && c->eventType() == wxEVT_KEY_DOWN)
            area_.forgetX(); // Left, Right, typing: the next Up starts from where it ends
        return consumed;
    }

private:
    unsigned indexAtPointer() const {
        const auto& c = ui();
        const int line =
            area_.firstLine +
            static_cast<int>(std::floor((static_cast<float>(c->mouseY()) - top) / lineH));
        const int clamped = std::min(std::max(line, 0), area_.lineCount() - 1);
        if (line < 0)
            return 0;
        if (line > clamped)
            return area_.len();
        return area_.indexAt(clamped, static_cast<float>(c->mouseX()) - left + area_.scrollX);
    }

    TextAreaState& area_;
};

// What drawing the lines in view shares: the state, the text's colour, the width of a line and
// its height.
struct Lines {
    const TextAreaState& state;
    orbo::tk::RGBA text;
    float w, lineH;
};

// The caret as a bar two pixels wide at x in the current row.
void drawCaret(Ui& ui, const Lines& v, float x) {
    Box caret(ui, 2.0f, v.lineH - 2.0f);
    caret.setTop(1.0f);
    caret.setLeft(x);
    render(ui, v.text, BORDER_ALL);
}

// An input method's composition shows inside the caret's line, underlined, with the method's
// cursor as the caret; it is not part of the text. Where the cursor is, within the composition.
unsigned preeditCursor(Ui& ui) {
    return static_cast<unsigned>(
        std::min(std::max(ui->preeditCursor(), 0), static_cast<int>(ui->preedit().size())));
}

// The caret's line of a line laid out by the platform, while the input method composes: the
// composition laid out with the line, in its direction.
void drawComposedLaidOutLine(Ui& ui, const Lines& v, const Box& row, int line) {
    const TextAreaState& state = v.state;
    const std::wstring& preedit = ui->preedit();
    const int direction = state.lineDirection(line);
    const auto [b, e] = state.lineRange(line);
    const unsigned at = state.caret() - b;
    std::wstring composed = state.stored().substr(b, e - b);
    composed.insert(at, preedit);
    const auto laidOut = textcache::shaped(ui->measureDC(), state.font(), composed, direction);
    // Right to left, the line keeps to the right even where the composition makes it wider
    // than the area: what overflows goes off on the left, past its end.
    const float left = direction < 0 ? v.w - static_cast<float>(laidOut->width()) : 0.0f;
    const float shift = left - state.scrollX;
    const float caretX =
        std::trunc(shift + static_cast<float>(laidOut->caretX(at + preeditCursor(ui))));
    if (caretX >= 0.0f) // a negative left would count from the row's right edge
        drawCaret(ui, v, caretX);
    std::vector<std::pair<int, int>>& underline = ui->scratch.ranges;
    laidOut->pieces(at, at + static_cast<unsigned>(preedit.size()), underline);
    for (const auto& [x0, x1] : underline)
        render(ui, static_cast<int>(row.x() + shift + static_cast<float>(x0)),
               static_cast<int>(row.y() + v.lineH - 3.0f), x1 - x0, v.text);
    ui.color(v.text);
    composed.insert(composed.begin(), direction < 0 ? L'\x200F' : L'\x200E');
    render(ui, state.font(), composed, state.scrollX - left);
}

// Any other line: its caret when it has it (after the composition's part before the method's
// cursor), and its text (with the composition at the caret, underlined).
void drawLine(Ui& ui, const Lines& v, const Box& row, int line, bool caretLine) {
    const TextAreaState& state = v.state;
    const std::wstring& preedit = ui->preedit();
    const bool composing = caretLine && !preedit.empty();
    const auto [b, e] = state.lineRange(line);
    const float caretX = state.xOf(state.caret(), line) - state.scrollX;
    if (caretLine) {
        const std::wstring before(preedit, 0, preeditCursor(ui));
        const float cursorX =
            composing ? getTextShape(ui, before.c_str(), state.font()).width : 0.0f;
        drawCaret(ui, v, std::trunc(caretX + cursorX));
    }
    ui.color(v.text);
    const GapText& all = state.stored();
    if (composing) {
        const float pw = getTextShape(ui, preedit.c_str(), state.font()).width;
        render(ui, static_cast<int>(row.x() + caretX), static_cast<int>(row.y() + v.lineH - 3.0f),
               static_cast<int>(pw), v.text);
        ui.color(v.text);
        std::wstring composed = all.substr(b, e - b);
        composed.insert(state.caret() - b, preedit);
        render(ui, state.font(), composed, state.scrollX);
    } else if (state.lineDirection(line) == 0) {
        render(ui, state.font(), all.view(b, e - b), state.scrollX);
    } else {
        std::wstring& shown = ui->scratch.line;
        state.shownLine(line, shown);
        render(ui, state.font(), shown, state.scrollX - state.lineLeft(line));
    }
}

// The selection behind a line's text. A selection that goes on past the line shows its line
// break as a little more (on the left of a line that reads right to left).
void drawSelection(Ui& ui, const Lines& v, int line) {
    const TextAreaState& state = v.state;
    const auto [b, e] = state.lineRange(line);
    const unsigned sb = std::max(state.selectBegin(), b), se = std::min(state.selectEnd(), e);
    const bool onward = state.selectEnd() > e && state.selectBegin() <= e;
    if (!state.hasSelection() || !(sb < se || onward))
        return;
    const int direction = state.lineDirection(line);
    if (direction != 0) {
        // A line laid out by the platform: one piece per run the selection reaches.
        std::vector<std::pair<float, float>>& pieces = ui->scratch.pieces;
        state.pieces(line, sb, se, pieces);
        if (onward) {
            const float end = state.xOf(e, line);
            pieces.emplace_back(direction < 0 ? end - 4.0f : end, direction < 0 ? end : end + 4.0f);
        }
        for (const auto& [x0, x1] : pieces) {
            const float from = std::max(0.0f, std::trunc(x0 - state.scrollX));
            Box fill(ui, std::max(0.0f, std::min(std::trunc(x1 - state.scrollX), v.w) - from),
                     v.lineH);
            fill.setLeft(from);
            render(ui, orbopal::SelectedText);
        }
        return;
    }
    const float x0 = state.xOf(sb, line) - state.scrollX;
    const float x1 = (se > sb ? state.xOf(se, line) : x0) - state.scrollX + (onward ? 4.0f : 0.0f);
    const float from = std::max(0.0f, std::trunc(x0));
    Box fill(ui, std::max(0.0f, std::min(std::trunc(x1) - from, v.w - from)), v.lineH);
    fill.setLeft(from);
    render(ui, orbopal::SelectedText);
}

} // namespace

bool doTextArea(Ui& ui, orbotk::ControlID id, TextAreaState& state, bool enabled) {
    requirePass(ui, "doTextArea");
    state.beginPass();
    const bool on = ui.enabled() && enabled;
    TextArea area(ui, shape_t(FILL, FILL), id, state, on);
    Box& box = area.box();
    wxDC& dc = ui->measureDC();
    area.lineH = std::floor(getFontHeight(ui, state.font()) * 1.3333334f);
    area.left = box.x() + 4.0f;
    area.top = box.y() + 2.0f;
    const float textH = box.h() - 4.0f;
    area.visible = std::max(static_cast<int>(std::floor(textH / area.lineH)), 1);
    // The scroll bar's room is decided by the last layout; when that decision flips, once more.
    const auto textW = [&](bool bar) { return box.w() - 8.0f - (bar ? SCROLL_SIZE : 0.0f); };
    const auto layOut = [&] { state.layoutView(dc, textW(state.barShown), area.visible); };
    // A long text is measured while nothing else happens, a slice at a time; each slice shows
    // (the scroll bar settles as the text's length becomes known).
    if (ui->isIdle() && !state.laidOut()) {
        state.refine(dc, 4.0);
        ui.refresh();
    }
    layOut();
    if ((state.lineCount() > area.visible) != state.barShown) {
        state.barShown = !state.barShown;
        layOut();
    }

    if (box.describing()) {
        orbotk::Description d;
        d.role = orbotk::Role::TextArea;
        d.states = (on ? orbotk::ACC_ENABLED : 0u) | orbotk::ACC_FOCUSABLE |
                   (on && !state.readOnly() ? orbotk::ACC_EDITABLE : 0u);
        d.sharedText = state.sharedText();
        d.caret = static_cast<int>(state.caret());
        d.selectionStart = static_cast<int>(state.selectBegin());
        d.selectionEnd = static_cast<int>(state.selectEnd());
        box.describe(d);
    }

    bool submitted = false;
    // The caret stays in view when it moved or the text changed: once as the text was laid
    // out, and once more when laying out the lines that scrolled into view moved it.
    bool followCaret = false;
    const auto keepCaretInView = [&] {
        const int line = state.lineOf(state.caret());
        state.firstLine = std::min(std::max(state.firstLine, line - area.visible + 1), line);
        if (!state.wraps()) {
            const float x = state.xOf(state.caret()), w = textW(state.barShown);
            state.scrollX = std::min(std::max(state.scrollX, x - w + 2.0f), x);
        }
    };
    if (on) {
        const unsigned caret = state.caret(), length = state.len();
        if (area.typed()) {
            ui.refresh();
            layOut();
        }
        submitted = area.submitted;
        followCaret = state.caret() != caret || state.len() != length;
        if (followCaret)
            keepCaretInView();
        if (const int wheel = box.wheelRotation()) {
            state.firstLine -= wheel / 40;
            ui.refresh();
        }
    }
    const auto clampScroll = [&] {
        state.firstLine =
            std::min(std::max(state.firstLine, 0), std::max(state.lineCount() - area.visible, 0));
    };
    clampScroll();
    layOut();
    if (followCaret)
        keepCaretInView();
    clampScroll();

    if (state.barShown) {
        Box inner(ui, box.w() - 2.0f, box.h() - 2.0f);
        inner.setPos(box.x() + 1.0f, box.y() + 1.0f);
        doVScroll(ui, orbotk::ControlID(id.name() + L" scroll", orbotk::TabIdx::DISABLED),
                  state.firstLine, area.visible, state.dragTop, state.dragMouse, 0,
                  state.lineCount() - 1, on);
        layOut(); // the bar may have scrolled to lines not yet laid out
        clampScroll();
    }
    if (!state.laidOut())
        ui->wantIdle();
    const int lines = state.lineCount();
    const bool focused = box.focused();
    if (focused && on) { // where the input method's candidate window goes
        const int line = state.lineOf(state.caret());
        ui->setTextCaret(
            static_cast<int>(area.left + state.xOf(state.caret(), line) - state.scrollX),
            static_cast<int>(area.top + area.lineH * static_cast<float>(line - state.firstLine)), 2,
            static_cast<int>(area.lineH));
    }
    if (ui->isPaint()) {
        // The lines in view, each: caret, text, then the selection behind it.
        const Lines view{state, on ? orbopal::Text : orbopal::DisabledText, textW(state.barShown),
                         area.lineH};
        const int end = std::min(state.firstLine + area.visible, lines);
        for (int line = state.firstLine; line < end; ++line) {
            Box row(ui, view.w, area.lineH);
            row.setPos(area.left,
                       area.top + area.lineH * static_cast<float>(line - state.firstLine));
            const bool caretLine = focused && state.lineOf(state.caret()) == line;
            if (caretLine && !ui->preedit().empty() && state.lineDirection(line) != 0)
                drawComposedLaidOutLine(ui, view, row, line);
            else
                drawLine(ui, view, row, line, caretLine);
            drawSelection(ui, view, line);
        }
    }
    // White to read on whether focused or not: over an area's height the line edit's green
    // gradient would be a wall of colour.
    render(ui, orbopal::ActiveTextEditBorder, BORDER_ALL);
    render(ui, on ? orbopal::ActiveTextEdit : orbopal::Panel);
    return submitted;
}

} // namespace gui
