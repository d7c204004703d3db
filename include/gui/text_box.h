// Text boxes: the keyboard, mouse and clipboard half of a text field for one pass. A text box
// opens the layout box of the field for a control identity and, through typed(), turns the
// input the toolkit routes to that box in the current event into edits of a TextState. It
// draws nothing. LineEdit is one line high in its state's font; TextEdit takes a given shape.
//
// typed() tests, in order (the first that applies decides; key codes are wxWidgets'):
//    1 Escape down          deselect; with nothing selected the context's Escape-passed flag
//                           is set instead, and a dialog closes as if nothing had the focus
//    2 Return down          nothing (only the mouse rows below can still apply)
//    3 Return up            the context's Return-released flag is set
//    4 Backspace            delete the selection, else the word (Ctrl) or character before
//    5 Delete               delete the selection, else the word (Ctrl) or character after
//                           (both logical: before and after in the text, not on screen)
//    6-9 Home End Left Right  move (Ctrl: by words), Shift keeps the selection; Home and End go
//                           to the logical start and end, Left and Right one step on screen
//                           (in right-to-left text Left goes on towards the end), over whole
//                           clusters, and Ctrl+Left/Right by words in the field's reading
//                           direction (swapped where it reads right to left)
//   10-11 Up Down           consumed, nothing changes
//      Ctrl+A               select all
//      Ctrl+Z               undo; Ctrl+Shift+Z and Ctrl+Y redo
//   12-14 Ctrl+C Ctrl+X Ctrl+V (no other modifier)  copy, cut, paste via the clipboard
//   15 a character          typed when printable, in any script (not the C0 and C1 control
//                           codes, DEL, lone surrogates, U+FFFE or U+FFFF); with Alt held it
//                           is left to the window
//   16 left press           the box becomes active and takes focus; the caret goes where the
//                           pointer is (Shift: the selection extends to it); the second press
//                           of a double click selects the word there, a third everything
//      motion, active       the selection extends to the pointer, scrolling past the ends
//   17 left release, active the caret goes where the pointer is, the selection kept
// Characters an input method composes arrive as row 15's characters once it commits them (a
// string committed whole is typed whole at its first character, as one edit); while it
// composes, the keys are its own and reach no row (see the window's input method).
#pragma once

#include "gui/box.h"
#include "gui/text_state.h"

namespace gui {

class TextBox {
public:
    TextBox(const TextBox& other) = default;
    virtual ~TextBox();

    // Handles this pass's input; true when it consumed some (the caller repaints).
    bool typed();

    Box& box() { return box_; }

protected:
    TextBox(const boost::shared_ptr<orbotk::UIContext>& ui, float width, float height,
            orbotk::ControlID id, TextState& state, bool enabled);
    TextBox(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
            orbotk::ControlID id, TextState& state, bool enabled);

    // The rows of the table above, and the clipboard, for text boxes of other shapes.
    bool dispatch();
    bool copy(bool cut);
    bool paste();
    bool character();
    const boost::shared_ptr<orbotk::UIContext>& ui() const { return ui_; }
    TextState& state() { return state_; }

private:
    // The caret at the pointer, the anchor where it was (keepAnchor) or with it.
    bool placeCaret(bool keepAnchor);
    // The position between characters nearest the pointer's x.
    unsigned indexAtPointer();

    boost::shared_ptr<orbotk::UIContext> ui_;
    Box box_;
    TextState& state_;
};

class LineEdit : public TextBox {
public:
    // Height: the font height of the state's font times 4/3.
    LineEdit(const boost::shared_ptr<orbotk::UIContext>& ui, float width, orbotk::ControlID id,
             TextState& state, bool enabled);
    LineEdit(const LineEdit& other) = default;
    ~LineEdit() override;
};

class TextEdit : public TextBox {
public:
    TextEdit(const boost::shared_ptr<orbotk::UIContext>& ui, const shape_t& shape,
             orbotk::ControlID id, TextState& state);
    TextEdit(const boost::shared_ptr<orbotk::UIContext>& ui, float width, float height,
             orbotk::ControlID id, TextState& state);
    TextEdit(const TextEdit& other) = default;
    ~TextEdit() override;
};

} // namespace gui
