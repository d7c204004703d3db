// The ATK object of one described control, shared by the tree that keeps it
// (accessibility.cpp) and the text interface of fields (accessible_text.cpp).
#pragma once

#include <atk/atk.h>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orbotk {
class AccessibleTree;
}

namespace orbotk::access {

// Plain data: GObject zeroes an instance and constructs nothing in it.
struct Control {
    AtkObject parent;
    AccessibleTree* tree; // null once the control is gone: defunct
    std::uint64_t key;
    std::uint32_t states;
    bool focused;
    int x, y, w, h; // where the last pass laid it out, in logical window pixels
    double value, minimum, maximum;
    // A text field's text as described (owned; null before the first): a description that
    // shares the same text again is known unchanged without reading it.
    std::shared_ptr<const std::wstring>* text;
    gint caret, selectionStart, selectionEnd;
    AtkObject* owner;                // the canvas, or the control it lies in (a list for a row)
    std::vector<AtkObject*>* inside; // its own children, in reading order; owned
    AtkObject* labelledBy;           // the label beside it, or null (a reference is held)
    bool describesWindow;            // a label showing the window's description
    // Tables and trees: a cell's row and column, a tree row's level and place among its
    // siblings, a table's counts (see orbotk::Description).
    int index, column, level, posInSet, setSize, rowCount, columnCount;
};

bool isControl(gpointer p);
Control* control(gpointer p);

// Fills the AtkText interface: a field's text, caret, selection, and the text at, before and
// after an offset by character, word, line and sentence.
void textInterface(gpointer iface, gpointer);

} // namespace orbotk::access
