// Keyboard shortcuts: a scene asks for a key combination by its text, once per pass, and hears
// it in the pass in which it is pressed:
//
//     if (shortcut(ui(), L"Ctrl+S"))
//         save();
//
// The text is modifiers and a key joined by '+', in any case: Ctrl, Shift, Alt, Super (or
// Meta); a letter, a digit, F1 to F24, Return (Enter), Escape (Esc), Space, Backspace, Delete
// (Del), Insert, Home, End, PageUp, PageDown, Up, Down, Left, Right, Plus, Minus, or one
// punctuation character. The rules:
//   - true in the pass of the key press (a held key repeats, and so does the shortcut);
//   - the modifiers must match exactly: Ctrl+S is not Ctrl+Shift+S;
//   - a letter matches whatever the keyboard layout: on a layout of another script the key
//     that has the Latin letter in another of the keyboard's layouts counts (Ctrl+S on a
//     Russian layout), as with the platform's own accelerators;
//   - while a text field has the focus, the keys it edits with are its own: keys without Ctrl
//     or Alt (characters, arrows, Home, End, Backspace, Delete, Return, Escape, but not F1 to
//     F24), and Ctrl with A, C, X, V, Z, Y, Insert, Backspace, Delete, Return, the arrows, Home
//     and End; every other shortcut reaches the window;
//   - the window behind a modal dialog takes no input: a shortcut pressed then is the dialog's;
//   - asking for the same shortcut twice in one pass is a mistake: it is logged once, and only
//     the first asking hears it. Text that names no key is logged once and never heard.
#pragma once

#include "gui/ui.h"

#include <string>

namespace gui {

bool shortcut(Ui& ui, const wchar_t* keys);

// The shortcut as menus show it, its parts in one order ("Ctrl+Shift+S" for "shift+ctrl+s");
// empty when the text names no key.
std::wstring shortcutText(const wchar_t* keys);

} // namespace gui
