// What a control is to assistive technologies (screen readers): its role, its name, its states
// and value. A widget describes its control in the box it opens; the toolkit keeps the
// descriptions of the last complete pass with its tree and publishes them over the desktop's
// accessibility bus. Descriptions are kept only while something reads them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace orbotk {

enum class Role : std::uint8_t {
    None, // not published
    PushButton,
    Link,
    CheckBox,
    RadioButton,
    ComboBox,
    Text,         // a field that holds text
    PasswordText, // the same, whose text is never published
    Slider,
    ProgressBar,
    ScrollBar,
    Label,
    ListItem,     // an entry of an open combo box's list, a row of a list view
    List,         // a list view
    TextArea,     // a field of several lines
    ToggleButton, // a switch: pressed while on (ACC_CHECKED)
    MenuBar,      // a row of menu titles
    Menu,         // a title of a menu bar: expanded while its menu shows
    SplitPane,    // the divider of two panes, its value the first pane's size
    SpinButton,   // a number field: its value, limits and text
    PageTabList,  // a strip of tabs
    PageTab,      // a tab of it: selected when it is the strip's selected one
    Table,        // rows of cells under column headers: its row and column counts
    TreeTable,    // a table whose first column is a tree
    ColumnHeader, // a column's title in a table's header (column: its place)
    TableCell,    // a cell of a table (index: its row, column: its place)
    Tree,         // a tree view
    TreeItem,     // a row of a tree: its level, its place among its siblings
    // Windows (Window::setAccessibleRole): a frame unless said otherwise.
    Dialog,
    Alert, // a message box: screen readers read it out as it opens
};

// States, as bits.
enum AccessibleState : std::uint32_t {
    ACC_ENABLED = 1u << 0,
    ACC_FOCUSABLE = 1u << 1,
    ACC_CHECKED = 1u << 2,
    ACC_EXPANDED = 1u << 3,
    ACC_EDITABLE = 1u << 4,
    ACC_CHECKABLE = 1u << 5,
    ACC_EXPANDABLE = 1u << 6,
    ACC_SELECTED = 1u << 7,
    // The entry the keyboard is on among its list's entries (a list's cursor row, an open
    // combo box's highlighted entry): announced as the list's active descendant.
    ACC_ACTIVE = 1u << 8,
};

struct Description {
    Role role = Role::None;
    std::wstring name;
    std::wstring description; // what the tooltip says
    std::uint32_t states = ACC_ENABLED;
    // Sliders, progress and scroll bars.
    bool hasValue = false;
    double value = 0, minimum = 0, maximum = 0;
    // Text fields (never a password's). A long text may come as sharedText instead: kept by
    // the field and made again only when it changes, it passes from pass to pass without a
    // copy, and the bridge to screen readers skips a text it has already seen.
    std::wstring text;
    std::shared_ptr<const std::wstring> sharedText;
    const std::wstring& fieldText() const { return sharedText ? *sharedText : text; }
    int caret = 0, selectionStart = 0, selectionEnd = 0;
    // A row of a list: its number among the host's rows, counted from 0 (-1 for the rest).
    int index = -1;
    // A table's cell or column header: its column, by place from the left, counted from 0.
    int column = -1;
    // A tree's row: its level (1 at the top; 0 for the rest), and its place among its
    // siblings, counted from 1, of setSize.
    int level = 0, posInSet = 0, setSize = 0;
    // A table: how many rows and columns it has (not only those in view).
    int rowCount = 0, columnCount = 0;
};

// A described control of the last complete pass, as published.
struct Described {
    std::uint64_t key;    // the box's identity across passes
    std::uint64_t parent; // the nearest described box it lies in (a list for its rows), or 0
    int x, y, w, h;       // logical window pixels
    bool focused;
    const Description* description;
};

} // namespace orbotk
