// Text boxes: the dispatch of one pass's input to a TextState, and the clipboard.
#include "gui/text_box.h"

#include "gui/render.h"

#include <algorithm>
#include <cmath>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>

namespace gui {

TextBox::TextBox(const boost::shared_ptr<orbotk::UIContext>& ui, float width, float height,
                 orbotk::ControlID id, TextState& state, bool enabled)
    : ui_(ui), box_(ui, width, height, id, enabled), state_(state) {}

TextBox::TextBox(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
                 orbotk::ControlID id, TextState& state, bool enabled)
    : ui_(ui), box_(ui, shape, id, enabled), state_(state) {}

TextBox::~TextBox() = default;

namespace {
// Every printable character is typed, in any script: not the C0 and C1 control codes and DEL
// (Ctrl+letter arrives as a control code), not lone surrogate halves, not the two
// noncharacters U+FFFE and U+FFFF, and nothing beyond U+10FFFF.
bool typeable(int ch) {
    if (ch < 0x20 || (ch >= 0x7F && ch <= 0x9F))
        return false;
    if (ch >= 0xD800 && ch <= 0xDFFF)
        return false;
    return ch != 0xFFFE && ch != 0xFFFF && ch <= 0x10FFFF;
}

// Accepts exactly Ctrl with the given letter: no Shift, no Alt, no Meta.
boost::function<bool(int, bool, bool, bool, bool)> ctrlOnly(int letter) {
    return [letter](int key, bool shift, bool alt, bool meta, bool ctrl) {
        return key == letter && ctrl && !shift && !alt && !meta;
    };
}
} // namespace

bool TextBox::typed() {
    box_.markText();
    const auto* secret = dynamic_cast<const PasswordState*>(&state_);
    if (secret == nullptr)
        return dispatch();
    // A password field: the toolkit hears that it hides its text, and how many characters it
    // took, so that a recording can write that many asterisks instead of the keys.
    box_.markSecret();
    const unsigned long before = secret->typedCount();
    const bool consumed = dispatch();
    ui_->noteSecretTyped(static_cast<int>(secret->typedCount() - before));
    return consumed;
}

bool TextBox::dispatch() {
    const boost::shared_ptr<orbotk::UIContext>& ui = ui_;
    const bool shift = ui->shiftDown(), ctrl = ui->ctrlDown();
    if (box_.keyDown(WXK_ESCAPE)) {
        if (state_.hasSelection()) {
            state_.deselect();
            return true;
        }
        ui->escapePassed = true; // nothing to drop: Escape is the window's (a dialog closes)
        return false;
    }
    if (box_.keyDown(WXK_RETURN))
        return false; // a key event: the mouse rows cannot apply
    if (box_.keyUp(WXK_RETURN)) {
        ui->returnReleased = true;
        return false;
    }
    if (box_.keyDown(WXK_BACK)) {
        if (state_.hasSelection())
            state_.clearSelection();
        else if (ctrl)
            state_.clearPrevWord();
        else
            state_.clearPrev();
        return true;
    }
    if (box_.keyDown(WXK_DELETE)) {
        if (state_.hasSelection())
            state_.clearSelection();
        else if (ctrl)
            state_.clearNextWord();
        else
            state_.clearNext();
        return true;
    }
    if (box_.keyDown(WXK_HOME)) {
        state_.caretHome(shift);
        return true;
    }
    if (box_.keyDown(WXK_END)) {
        state_.caretEnd(shift);
        return true;
    }
    if (box_.keyDown(WXK_LEFT)) {
        state_.left(ui->measureDC(), ctrl, shift);
        return true;
    }
    if (box_.keyDown(WXK_RIGHT)) {
        state_.right(ui->measureDC(), ctrl, shift);
        return true;
    }
    if (box_.keyDown(WXK_UP) || box_.keyDown(WXK_DOWN))
        return true;
    if (box_.keyDown(ctrlOnly('A'))) {
        state_.selectAll();
        return true;
    }
    if (box_.keyDown(ctrlOnly('Z'))) {
        state_.undo();
        return true;
    }
    if (box_.keyDown(ctrlOnly('Y')) ||
        box_.keyDown([](int key, bool shift, bool alt, bool meta, bool ctrl) {
            return key == 'Z' && ctrl && shift && !alt && !meta;
        })) {
        state_.redo();
        return true;
    }
    if (box_.keyDown(ctrlOnly('C')))
        return copy(false);
    if (box_.keyDown(ctrlOnly('X')))
        return copy(true);
    if (box_.keyDown(ctrlOnly('V')))
        return paste();
    if (box_.characterInput([](int) { return true; }))
        return character();
    if (box_.leftClicked()) {
        // One press places the caret (Shift: extends the selection to it), the second of a
        // double click selects the word there, a third the whole text.
        box_.makeActive();
        box_.makeFocused();
        const int clicks = ui->clickCount();
        if (clicks == 2)
            state_.selectWordAt(indexAtPointer());
        else if (clicks >= 3)
            state_.selectAll();
        else
            placeCaret(shift);
        return true;
    }
    // Dragging extends the selection from where the press left the anchor; past the field's
    // ends the caret goes on into the text beyond, which scrolls into view.
    const bool pressedOnce = ui->clickCount() < 2;
    if (box_.active() && ui->eventType() == wxEVT_MOTION && pressedOnce)
        return placeCaret(true);
    if (box_.active() && box_.leftReleased())
        return pressedOnce ? placeCaret(true) : true;
    return false;
}

bool TextBox::copy(bool cut) {
    if (!state_.hasSelection())
        return true; // nothing to copy: the clipboard is left alone
    wxClipboardBase* clipboard = wxClipboardBase::Get();
    if (clipboard->Open()) {
        clipboard->SetData(new wxTextDataObject(state_.selection()));
        if (cut)
            state_.clearSelection();
        clipboard->Close();
    }
    return true;
}

bool TextBox::paste() {
    wxClipboardBase* clipboard = wxClipboardBase::Get();
    if (clipboard->Open()) {
        wxTextDataObject data(L"");
        clipboard->GetData(data); // without text on the clipboard the object stays empty
        const std::wstring text = data.GetText().ToStdWstring();
        if (!text.empty())
            state_.type(text);
        clipboard->Close();
    }
    return true;
}

bool TextBox::character() {
    const boost::shared_ptr<orbotk::UIContext>& ui = ui_;
    if (ui->altDown()) {
        ui->skipEvent(); // Alt+key belongs to the window (menus, mnemonics)
        return false;
    }
    if (!ui->committed().empty()) {
        // The input method committed a string: typed whole at its first character, as one
        // edit, what can be typed of it; its other characters change nothing.
        if (!ui->commitTaken()) {
            ui->takeCommit();
            std::wstring text = ui->committed();
            text.erase(std::remove_if(text.begin(), text.end(),
                                      [](wchar_t c) { return !typeable(static_cast<int>(c)); }),
                       text.end());
            state_.type(text);
        }
        return true;
    }
    const int ch = ui->unicodeKey();
    if (!typeable(ch))
        return false;
    if (ch < 256)
        state_.type(static_cast<char>(ch)); // the one-character path hosts may override
    else
        state_.type(std::wstring(1, static_cast<wchar_t>(ch)));
    return true;
}

unsigned TextBox::indexAtPointer() {
    const boost::shared_ptr<orbotk::UIContext>& ui = ui_;
    float caretX = 0;
    const float scroll = state_.offset(ui->measureDC(), box_.width(), caretX);
    const int localX = ui->mouseX() - static_cast<int>(std::floor(box_.x()));
    // Text the platform laid out is hit as drawn, one pixel in from the field's edge, and by
    // glyph halves.
    const float shift = state_.shaped() ? 1.0f : 0.0f;
    const unsigned index = state_.positionAt(static_cast<float>(localX) - shift + scroll);
    // A placeholder password shows eight asterisks over an empty stored text.
    return std::min(index, static_cast<unsigned>(state_.stored().size()));
}

bool TextBox::placeCaret(bool keepAnchor) {
    const unsigned caret = indexAtPointer();
    state_.setSelection(keepAnchor ? state_.anchor() : caret, caret);
    box_.makeFocused();
    return true;
}

LineEdit::LineEdit(const boost::shared_ptr<orbotk::UIContext>& ui, float width,
                   orbotk::ControlID id, TextState& state, bool enabled)
    : TextBox(ui, width, getFontHeight(ui, state.font()) * 1.3333334f, id, state, enabled) {}

LineEdit::~LineEdit() = default;

TextEdit::TextEdit(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
                   orbotk::ControlID id, TextState& state)
    : TextBox(ui, shape, id, state, true) {}

TextEdit::TextEdit(const boost::shared_ptr<orbotk::UIContext>& ui, float width, float height,
                   orbotk::ControlID id, TextState& state)
    : TextBox(ui, width, height, id, state, true) {}

TextEdit::~TextEdit() = default;

} // namespace gui
