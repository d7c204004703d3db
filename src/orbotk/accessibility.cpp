// The accessible children of a window's canvas: one ATK object per described control of the
// last complete pass. GTK makes the canvas's own accessible object, a container's, which lists
// child widgets only; its class is taught to list ours for our canvases. Nothing is kept or
// described until something asks the canvas for its children.
#include "accessibility.h"

#include "accessible_control.h"

#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"
#include "orboutil/strings.h"

#include <algorithm>
#include <atk/atk.h>
#include <cstring>
#include <cwchar>
#include <gtk/gtk.h>
#include <map>
#include <string>
#include <wx/app.h>

namespace {

using orbotk::AccessibleTree;

// ---- The canvas's accessible object lists our children

// Never destroyed: windows can outlive static destruction (a process that keeps its
// application object in a static, closing its windows at exit).
std::map<AtkObject*, AccessibleTree*>& trees() {
    static auto& t = *new std::map<AtkObject*, AccessibleTree*>;
    return t;
}

gint (*containerChildren)(AtkObject*) = nullptr;
AtkObject* (*containerChild)(AtkObject*, gint) = nullptr;

gint canvasChildren(AtkObject* o) {
    const auto it = trees().find(o);
    if (it == trees().end())
        return containerChildren(o);
    // Somebody reads the tree: from now on every pass describes its controls. The first
    // answer is whole already: a pass runs now where it can, since a screen reader reads a
    // window (a message box's text) as it opens, once.
    orbotk::Window& window = it->second->window();
    const boost::shared_ptr<orbotk::UIContext> ui = window.context();
    if (!ui->accessibility()) {
        ui->setAccessibility(true);
        if (!ui->inPass() && window.canvas()->IsShownOnScreen())
            window.repaint();
        else
            window.Refresh();
    }
    return it->second->count();
}

AtkObject* canvasChild(AtkObject* o, gint i) {
    const auto it = trees().find(o);
    if (it == trees().end())
        return containerChild(o, i);
    AtkObject* c = it->second->child(i);
    return c ? ATK_OBJECT(g_object_ref(c)) : nullptr;
}

// ---- One control

using orbotk::access::Control;
using orbotk::access::control;

struct ControlClass {
    AtkObjectClass parent;
};

// The children of an object: the canvas's top-level controls, or the ones a control holds.
const std::vector<AtkObject*>* childrenOf(AtkObject* o) {
    if (orbotk::access::isControl(o))
        return control(o)->inside;
    const auto it = trees().find(o);
    return it == trees().end() ? nullptr : &it->second->children();
}

bool isFocusedControl(AtkObject* o) {
    return o != nullptr && orbotk::access::isControl(o) && control(o)->focused;
}

// A list's entry the keyboard is on has the focus while its list does.
bool entryFocused(const Control* c) {
    return (c->states & orbotk::ACC_ACTIVE) != 0 && isFocusedControl(c->owner);
}

AtkStateSet* controlStates(AtkObject* o) {
    const Control* c = control(o);
    AtkStateSet* set = atk_state_set_new();
    if (c->tree == nullptr) {
        atk_state_set_add_state(set, ATK_STATE_DEFUNCT);
        return set;
    }
    atk_state_set_add_state(set, ATK_STATE_VISIBLE);
    atk_state_set_add_state(set, ATK_STATE_SHOWING);
    const std::pair<std::uint32_t, AtkStateType> map[] = {
        {orbotk::ACC_ENABLED, ATK_STATE_ENABLED},
        {orbotk::ACC_ENABLED, ATK_STATE_SENSITIVE},
        {orbotk::ACC_FOCUSABLE, ATK_STATE_FOCUSABLE},
        {orbotk::ACC_CHECKED, ATK_STATE_CHECKED},
        {orbotk::ACC_EXPANDED, ATK_STATE_EXPANDED},
        {orbotk::ACC_EDITABLE, ATK_STATE_EDITABLE},
        {orbotk::ACC_CHECKABLE, ATK_STATE_CHECKABLE},
        {orbotk::ACC_EXPANDABLE, ATK_STATE_EXPANDABLE},
        {orbotk::ACC_SELECTED, ATK_STATE_SELECTED}};
    for (const auto& [bit, state] : map)
        if (c->states & bit)
            atk_state_set_add_state(set, state);
    // A list's, table's and tree's rows can be selected; an open combo box's entries are
    // picked, not selected.
    const AtkRole role = atk_object_get_role(o);
    if ((role == ATK_ROLE_LIST_ITEM && c->owner &&
         atk_object_get_role(c->owner) == ATK_ROLE_LIST) ||
        role == ATK_ROLE_TABLE_CELL || role == ATK_ROLE_TREE_ITEM) {
        atk_state_set_add_state(set, ATK_STATE_SELECTABLE);
        atk_state_set_add_state(set, ATK_STATE_FOCUSABLE);
    }
    if (atk_object_get_role(o) == ATK_ROLE_ENTRY || atk_object_get_role(o) == ATK_ROLE_TEXT)
        atk_state_set_add_state(set, ATK_STATE_SINGLE_LINE);
    if (c->focused || entryFocused(c))
        atk_state_set_add_state(set, ATK_STATE_FOCUSED);
    return set;
}

gint controlChildren(AtkObject* o) {
    const Control* c = control(o);
    return c->inside ? static_cast<gint>(c->inside->size()) : 0;
}

AtkObject* controlChild(AtkObject* o, gint i) {
    const Control* c = control(o);
    if (c->inside == nullptr || i < 0 || i >= static_cast<gint>(c->inside->size()))
        return nullptr;
    return ATK_OBJECT(g_object_ref((*c->inside)[static_cast<size_t>(i)]));
}

// Screen readers take an object without a place among its parent's children for one that is
// gone, and stop following the focus to it.
gint controlIndex(AtkObject* o) {
    const Control* c = control(o);
    const std::vector<AtkObject*>* siblings = c->tree ? childrenOf(c->owner) : nullptr;
    if (siblings == nullptr)
        return -1;
    const auto it = std::find(siblings->begin(), siblings->end(), o);
    return it == siblings->end() ? -1 : static_cast<gint>(it - siblings->begin());
}

// Extents in device pixels of the screen (or of the window), where a pointer event lands.
void controlExtents(AtkComponent* component, gint* x, gint* y, gint* w, gint* h,
                    AtkCoordType coords) {
    *x = *y = *w = *h = 0;
    const Control* c = control(component);
    if (c->tree == nullptr)
        return;
    const int rx = c->x, ry = c->y, rw = c->w, rh = c->h;
    orbotk::Window& window = c->tree->window();
    const int s = window.deviceScale();
    int ox = 0, oy = 0;
    GtkWidget* canvas = static_cast<GtkWidget*>(window.canvas()->GetHandle());
    if (GdkWindow* gdk = gtk_widget_get_window(canvas)) {
        if (coords == ATK_XY_SCREEN) {
            gdk_window_get_origin(gdk, &ox, &oy);
        } else {
            const wxPoint p = window.canvas()->GetPosition();
            ox = p.x;
            oy = p.y;
        }
    }
    *x = (ox + rx) * s;
    *y = (oy + ry) * s;
    *w = rw * s;
    *h = rh * s;
}

void controlComponent(gpointer g, gpointer) {
    auto* iface = static_cast<AtkComponentIface*>(g);
    iface->get_extents = controlExtents;
}

// The one action, "click": what a click at the control's centre does, from the event loop.
gboolean controlClick(AtkAction* action, gint i) {
    const Control* c = control(action);
    if (i != 0 || c->tree == nullptr)
        return FALSE;
    const int x = c->x, y = c->y, w = c->w, h = c->h;
    boost::weak_ptr<orbotk::Window> handle = c->tree->window().handle();
    wxTheApp->CallAfter([handle, x, y, w, h] {
        if (boost::shared_ptr<orbotk::Window> window = handle.lock())
            orbotk::Driver(window).click(x + w / 2, y + h / 2);
    });
    return TRUE;
}
gint controlActions(AtkAction*) {
    return 1;
}
const gchar* controlActionName(AtkAction*, gint i) {
    return i == 0 ? "click" : nullptr;
}

void controlAction(gpointer g, gpointer) {
    auto* iface = static_cast<AtkActionIface*>(g);
    iface->do_action = controlClick;
    iface->get_n_actions = controlActions;
    iface->get_name = controlActionName;
}

// ---- Values: sliders, progress and scroll bars

void valueAndText(AtkValue* v, gdouble* value, gchar** text) {
    *value = control(v)->value;
    if (text)
        *text = nullptr;
}
AtkRange* valueRange(AtkValue* v) {
    const Control* c = control(v);
    return atk_range_new(c->minimum, c->maximum, nullptr);
}
void valueNumber(GValue* out, double v) {
    memset(out, 0, sizeof *out);
    g_value_init(out, G_TYPE_DOUBLE);
    g_value_set_double(out, v);
}
void currentValue(AtkValue* v, GValue* out) {
    valueNumber(out, control(v)->value);
}
void minimumValue(AtkValue* v, GValue* out) {
    valueNumber(out, control(v)->minimum);
}
void maximumValue(AtkValue* v, GValue* out) {
    valueNumber(out, control(v)->maximum);
}
void controlValue(gpointer g, gpointer) {
    auto* iface = static_cast<AtkValueIface*>(g);
    iface->get_value_and_text = valueAndText;
    iface->get_range = valueRange;
    iface->get_current_value = currentValue;
    iface->get_minimum_value = minimumValue;
    iface->get_maximum_value = maximumValue;
}

// ---- Selection: a list's selected rows, an open combo box's chosen entry

std::vector<AtkObject*> selectedChildren(AtkSelection* s) {
    std::vector<AtkObject*> out;
    if (const std::vector<AtkObject*>* inside = control(s)->inside)
        for (AtkObject* o : *inside)
            if (control(o)->states & orbotk::ACC_SELECTED)
                out.push_back(o);
    return out;
}
gint selectionCount(AtkSelection* s) {
    return static_cast<gint>(selectedChildren(s).size());
}
AtkObject* selectionRef(AtkSelection* s, gint i) {
    const std::vector<AtkObject*> selected = selectedChildren(s);
    if (i < 0 || i >= static_cast<gint>(selected.size()))
        return nullptr;
    return ATK_OBJECT(g_object_ref(selected[static_cast<size_t>(i)]));
}
gboolean childSelected(AtkSelection* s, gint i) {
    const std::vector<AtkObject*>* inside = control(s)->inside;
    return inside && i >= 0 && i < static_cast<gint>(inside->size()) &&
           (control((*inside)[static_cast<size_t>(i)])->states & orbotk::ACC_SELECTED) != 0;
}
void controlSelection(gpointer g, gpointer) {
    auto* iface = static_cast<AtkSelectionIface*>(g);
    iface->get_selection_count = selectionCount;
    iface->ref_selection = selectionRef;
    iface->is_child_selected = childSelected;
}

// ---- Tables: cells by row and column among those in view, headers, counts, selected rows

// The cell at row and column (a place from the left), or a column's header (row -1).
AtkObject* cellAt(AtkTable* t, gint row, gint column, AtkRole role = ATK_ROLE_TABLE_CELL) {
    if (const std::vector<AtkObject*>* inside = control(t)->inside)
        for (AtkObject* o : *inside) {
            const Control* c = control(o);
            if (c->column == column && (role != ATK_ROLE_TABLE_CELL || c->index == row) &&
                atk_object_get_role(o) == role)
                return o;
        }
    return nullptr;
}
AtkObject* tableRefAt(AtkTable* t, gint row, gint column) {
    AtkObject* o = cellAt(t, row, column);
    return o ? ATK_OBJECT(g_object_ref(o)) : nullptr;
}
gint tableIndexAt(AtkTable* t, gint row, gint column) {
    AtkObject* o = cellAt(t, row, column);
    return o ? atk_object_get_index_in_parent(o) : -1;
}
const Control* tableChild(AtkTable* t, gint i) {
    const std::vector<AtkObject*>* inside = control(t)->inside;
    return inside && i >= 0 && i < static_cast<gint>(inside->size())
               ? control((*inside)[static_cast<size_t>(i)])
               : nullptr;
}
gint tableRowAtIndex(AtkTable* t, gint i) {
    const Control* c = tableChild(t, i);
    return c ? c->index : -1;
}
gint tableColumnAtIndex(AtkTable* t, gint i) {
    const Control* c = tableChild(t, i);
    return c ? c->column : -1;
}
gint tableRows(AtkTable* t) {
    return control(t)->rowCount;
}
gint tableColumns(AtkTable* t) {
    return control(t)->columnCount;
}
AtkObject* tableColumnHeader(AtkTable* t, gint column) {
    return cellAt(t, -1, column, ATK_ROLE_COLUMN_HEADER); // not a new reference
}
const gchar* tableColumnDescription(AtkTable* t, gint column) {
    AtkObject* header = cellAt(t, -1, column, ATK_ROLE_COLUMN_HEADER);
    return header ? atk_object_get_name(header) : nullptr;
}
gboolean tableRowSelected(AtkTable* t, gint row) {
    AtkObject* o = cellAt(t, row, 0);
    if (o == nullptr) // the first column may be out of view
        if (const std::vector<AtkObject*>* inside = control(t)->inside)
            for (AtkObject* cell : *inside)
                if (control(cell)->index == row && atk_object_get_role(cell) == ATK_ROLE_TABLE_CELL)
                    o = cell;
    return o && (control(o)->states & orbotk::ACC_SELECTED) != 0;
}
gboolean tableSelected(AtkTable* t, gint row, gint) {
    return tableRowSelected(t, row);
}
// The selected rows among those in view.
gint tableSelectedRows(AtkTable* t, gint** out) {
    std::vector<gint> rows;
    if (const std::vector<AtkObject*>* inside = control(t)->inside)
        for (AtkObject* o : *inside) {
            const Control* c = control(o);
            if ((c->states & orbotk::ACC_SELECTED) &&
                atk_object_get_role(o) == ATK_ROLE_TABLE_CELL &&
                std::find(rows.begin(), rows.end(), c->index) == rows.end())
                rows.push_back(c->index);
        }
    if (out) {
        *out = g_new(gint, std::max<size_t>(rows.size(), 1));
        std::copy(rows.begin(), rows.end(), *out);
    }
    return static_cast<gint>(rows.size());
}
void controlTable(gpointer g, gpointer) {
    auto* iface = static_cast<AtkTableIface*>(g);
    iface->ref_at = tableRefAt;
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    iface->get_index_at = tableIndexAt;
    iface->get_column_at_index = tableColumnAtIndex;
    iface->get_row_at_index = tableRowAtIndex;
    G_GNUC_END_IGNORE_DEPRECATIONS
    iface->get_n_rows = tableRows;
    iface->get_n_columns = tableColumns;
    iface->get_column_header = tableColumnHeader;
    iface->get_column_description = tableColumnDescription;
    iface->is_row_selected = tableRowSelected;
    iface->is_selected = tableSelected;
    iface->get_selected_rows = tableSelectedRows;
}

// A tree's row says its level and place among its siblings, as readers ask for them.
AtkAttributeSet* controlAttributes(AtkObject* o) {
    const Control* c = control(o);
    AtkAttributeSet* set = nullptr;
    const auto add = [&set](const char* name, int value) {
        auto* a = static_cast<AtkAttribute*>(g_malloc(sizeof(AtkAttribute)));
        a->name = g_strdup(name);
        a->value = g_strdup_printf("%d", value);
        set = g_slist_append(set, a);
    };
    if (c->level > 0) {
        add("level", c->level);
        add("posinset", c->posInSet);
        add("setsize", c->setSize);
    }
    return set;
}

GObjectClass* controlParent = nullptr;
void controlFinalize(GObject* o) {
    Control* c = control(o);
    delete c->text;
    delete c->inside;
    if (c->labelledBy)
        g_object_unref(c->labelledBy);
    controlParent->finalize(o);
}

void controlClassInit(gpointer klass, gpointer) {
    controlParent = G_OBJECT_CLASS(g_type_class_peek_parent(klass));
    AtkObjectClass* atk = ATK_OBJECT_CLASS(klass);
    atk->ref_state_set = controlStates;
    atk->get_n_children = controlChildren;
    atk->ref_child = controlChild;
    atk->get_index_in_parent = controlIndex;
    atk->get_attributes = controlAttributes;
    G_OBJECT_CLASS(klass)->finalize = controlFinalize;
}

void controlInit(GTypeInstance* instance, gpointer) {
    control(instance)->inside = new std::vector<AtkObject*>;
}

// Six types of control: every control is a component with an action; sliders and bars add
// a value, text fields their text, lists and trees the selection among their rows, combo boxes
// both the selection among their entries and the chosen entry's text, and tables the
// selection and the table's cells and headers.
enum Kind { PLAIN, VALUE, TEXT, LIST, COMBO, TABLE, KINDS };
GType kindType(Kind kind) {
    static GType types[KINDS] = {};
    if (types[kind] == 0) {
        const GTypeInfo info = {
            sizeof(ControlClass), nullptr, nullptr,     controlClassInit, nullptr, nullptr,
            sizeof(Control),      0,       controlInit, nullptr};
        static const char* const names[KINDS] = {
            "OrbotkAccessibleControl", "OrbotkAccessibleValue", "OrbotkAccessibleText",
            "OrbotkAccessibleList",    "OrbotkAccessibleCombo", "OrbotkAccessibleTable"};
        const GType t = g_type_register_static(ATK_TYPE_OBJECT, names[kind], &info, GTypeFlags(0));
        const GInterfaceInfo component = {controlComponent, nullptr, nullptr};
        const GInterfaceInfo action = {controlAction, nullptr, nullptr};
        const GInterfaceInfo value = {controlValue, nullptr, nullptr};
        const GInterfaceInfo text = {orbotk::access::textInterface, nullptr, nullptr};
        const GInterfaceInfo selection = {controlSelection, nullptr, nullptr};
        const GInterfaceInfo table = {controlTable, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
        g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
        if (kind == VALUE)
            g_type_add_interface_static(t, ATK_TYPE_VALUE, &value);
        if (kind == TEXT || kind == COMBO)
            g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
        if (kind == LIST || kind == COMBO || kind == TABLE)
            g_type_add_interface_static(t, ATK_TYPE_SELECTION, &selection);
        if (kind == TABLE)
            g_type_add_interface_static(t, ATK_TYPE_TABLE, &table);
        types[kind] = t;
    }
    return types[kind];
}

Kind kindOf(const orbotk::Description& d) {
    switch (d.role) {
    case orbotk::Role::Text:
    case orbotk::Role::PasswordText:
    case orbotk::Role::TextArea:
        return TEXT;
    case orbotk::Role::List:
    case orbotk::Role::Tree:
        return LIST;
    case orbotk::Role::Table:
    case orbotk::Role::TreeTable:
        return TABLE;
    case orbotk::Role::ComboBox:
        return COMBO;
    default:
        return d.hasValue ? VALUE : PLAIN;
    }
}

// Controls a label beside them names (a field and its caption to the left, or above it).
bool takesLabel(orbotk::Role r) {
    using orbotk::Role;
    return r == Role::Text || r == Role::PasswordText || r == Role::TextArea ||
           r == Role::ComboBox || r == Role::Slider || r == Role::List || r == Role::ProgressBar ||
           r == Role::Table || r == Role::TreeTable || r == Role::Tree;
}

bool labels(const orbotk::Described& label, const orbotk::Described& field) {
    const bool overlapsRows = label.y < field.y + field.h && field.y < label.y + label.h;
    const bool overlapsColumns = label.x < field.x + field.w && field.x < label.x + label.w;
    const bool left = label.x + label.w <= field.x + 8 && overlapsRows;
    const bool above =
        label.y + label.h <= field.y + 8 && label.y + label.h >= field.y - 24 && overlapsColumns;
    return left || above;
}

AtkRole atkRole(orbotk::Role r) {
    switch (r) {
    case orbotk::Role::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case orbotk::Role::Link:
        return ATK_ROLE_LINK;
    case orbotk::Role::CheckBox:
        return ATK_ROLE_CHECK_BOX;
    case orbotk::Role::RadioButton:
        return ATK_ROLE_RADIO_BUTTON;
    case orbotk::Role::ComboBox:
        return ATK_ROLE_COMBO_BOX;
    case orbotk::Role::Text:
        return ATK_ROLE_ENTRY;
    case orbotk::Role::PasswordText:
        return ATK_ROLE_PASSWORD_TEXT;
    case orbotk::Role::Slider:
        return ATK_ROLE_SLIDER;
    case orbotk::Role::ProgressBar:
        return ATK_ROLE_PROGRESS_BAR;
    case orbotk::Role::ScrollBar:
        return ATK_ROLE_SCROLL_BAR;
    case orbotk::Role::Label:
        return ATK_ROLE_LABEL;
    case orbotk::Role::ListItem:
        return ATK_ROLE_LIST_ITEM;
    case orbotk::Role::List:
        return ATK_ROLE_LIST;
    case orbotk::Role::TextArea:
        return ATK_ROLE_TEXT;
    case orbotk::Role::ToggleButton:
        return ATK_ROLE_TOGGLE_BUTTON;
    case orbotk::Role::MenuBar:
        return ATK_ROLE_MENU_BAR;
    case orbotk::Role::Menu:
        return ATK_ROLE_MENU;
    case orbotk::Role::SplitPane:
        return ATK_ROLE_SPLIT_PANE;
    case orbotk::Role::SpinButton:
        return ATK_ROLE_SPIN_BUTTON;
    case orbotk::Role::PageTabList:
        return ATK_ROLE_PAGE_TAB_LIST;
    case orbotk::Role::PageTab:
        return ATK_ROLE_PAGE_TAB;
    case orbotk::Role::Table:
        return ATK_ROLE_TABLE;
    case orbotk::Role::TreeTable:
        return ATK_ROLE_TREE_TABLE;
    case orbotk::Role::ColumnHeader:
        return ATK_ROLE_COLUMN_HEADER;
    case orbotk::Role::TableCell:
        return ATK_ROLE_TABLE_CELL;
    case orbotk::Role::Tree:
        return ATK_ROLE_TREE;
    case orbotk::Role::TreeItem:
        return ATK_ROLE_TREE_ITEM;
    case orbotk::Role::Dialog:
        return ATK_ROLE_DIALOG;
    case orbotk::Role::Alert:
        return ATK_ROLE_ALERT;
    default:
        return ATK_ROLE_UNKNOWN;
    }
}

// Whether two texts hold the same words, however they are broken into lines.
bool sameWords(const std::wstring& a, const std::wstring& b) {
    const auto words = [](const std::wstring& s) {
        std::wstring out;
        for (wchar_t ch : s) {
            const bool space = ch == L' ' || ch == L'\n' || ch == L'\t' || ch == L'\r';
            if (!space)
                out += ch;
            else if (!out.empty() && out.back() != L' ')
                out += L' ';
        }
        if (!out.empty() && out.back() == L' ')
            out.pop_back();
        return out;
    };
    return words(a) == words(b);
}

// ---- Announcing changes

// The focus event screen readers follow, besides the state change.
void notifyFocus(AtkObject* o, bool focused) {
    atk_object_notify_state_change(o, ATK_STATE_FOCUSED, focused);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    if (focused)
        atk_focus_tracker_notify(o);
    G_GNUC_END_IGNORE_DEPRECATIONS
}

void announceValue(AtkObject* o, double value) {
    // The bridge forwards the property change, which readers act on; the newer signal is for
    // clients of ATK itself.
    AtkPropertyValues values = {};
    values.property_name = "accessible-value";
    g_value_init(&values.new_value, G_TYPE_DOUBLE);
    g_value_set_double(&values.new_value, value);
    g_signal_emit_by_name(o, "property-change::accessible-value", &values, nullptr);
    g_value_unset(&values.new_value);
    g_signal_emit_by_name(o, "value-changed", value, nullptr);
}

// How many characters a and b have in common at their start (back false) or at their end,
// up to limit: long texts that differ in one place are compared a block at a time.
size_t common(const std::wstring& a, const std::wstring& b, size_t limit, bool back) {
    const auto at = [&](const std::wstring& s, size_t i, size_t n) {
        return s.data() + (back ? s.size() - i - n : i);
    };
    constexpr size_t BLOCK = 1024;
    size_t n = 0;
    while (n + BLOCK <= limit && std::wmemcmp(at(a, n, BLOCK), at(b, n, BLOCK), BLOCK) == 0)
        n += BLOCK;
    while (n < limit && *at(a, n, 1) == *at(b, n, 1))
        ++n;
    return n;
}

// A field's new text: what was removed and what was inserted, each with its own text (what a
// reader says as a letter is typed or deleted), then the caret and the selection. Offsets
// count wide characters, which are the published text's characters one for one.
void followText(AtkObject* o, const orbotk::Description& d, bool announce) {
    Control* c = control(o);
    if (c->text == nullptr)
        c->text = new std::shared_ptr<const std::wstring>();
    std::shared_ptr<const std::wstring>& seen = *c->text;
    const std::wstring& now = d.fieldText();
    if (!seen || (seen != d.sharedText && *seen != now)) {
        static const std::wstring none;
        const std::wstring& was = seen ? *seen : none;
        const auto utf8 = [](const std::wstring& s, size_t from, size_t to) {
            return orbo::util::utf8FromWString(s.substr(from, to - from));
        };
        const size_t head = common(was, now, std::min(was.size(), now.size()), false);
        const size_t tail = common(was, now, std::min(was.size(), now.size()) - head, true);
        const gint at = static_cast<gint>(head);
        if (announce && was.size() - tail > head)
            g_signal_emit_by_name(o, "text-remove", at, static_cast<gint>(was.size() - tail - head),
                                  utf8(was, head, was.size() - tail).c_str());
        // What the field shares is kept as it is; a text of its own is copied once. (was is
        // not read again: this may let it go.)
        seen = d.sharedText ? d.sharedText : std::make_shared<const std::wstring>(now);
        if (announce && now.size() - tail > head)
            g_signal_emit_by_name(o, "text-insert", at, static_cast<gint>(now.size() - tail - head),
                                  utf8(now, head, now.size() - tail).c_str());
    }
    const bool selectionMoved =
        d.selectionStart != c->selectionStart || d.selectionEnd != c->selectionEnd;
    const bool hadSelection = c->selectionEnd > c->selectionStart;
    c->selectionStart = d.selectionStart;
    c->selectionEnd = d.selectionEnd;
    if (c->caret != d.caret) {
        c->caret = d.caret;
        if (announce)
            g_signal_emit_by_name(o, "text-caret-moved", d.caret);
    }
    if (announce && selectionMoved && (hadSelection || d.selectionEnd > d.selectionStart))
        g_signal_emit_by_name(o, "text-selection-changed");
}

// The control that has the focus, announced a moment after its window got the keyboard (or
// after it first appeared): a screen reader presents a window as it activates, and a focus
// event that reaches its queue first makes it skip the window's own announcement.
const guint FOCUS_AFTER_WINDOW_MS = 300;

gboolean announceFocusedControl(gpointer canvas) {
    const auto it = trees().find(static_cast<AtkObject*>(canvas));
    if (it != trees().end())
        it->second->announceFocus();
    return G_SOURCE_REMOVE;
}

gboolean canvasFocusIn(GtkWidget*, GdkEvent*, gpointer canvas) {
    g_timeout_add(FOCUS_AFTER_WINDOW_MS, announceFocusedControl, canvas);
    return FALSE;
}

} // namespace

namespace orbotk::access {

bool isControl(gpointer p) {
    for (Kind k : {PLAIN, VALUE, TEXT, LIST, COMBO, TABLE})
        if (G_TYPE_CHECK_INSTANCE_TYPE(p, kindType(k)))
            return true;
    return false;
}

Control* control(gpointer p) {
    g_return_val_if_fail(isControl(p), nullptr);
    return reinterpret_cast<Control*>(p);
}

} // namespace orbotk::access

namespace orbotk {

AccessibleTree::AccessibleTree(Window& window) : window_(window) {
    GtkWidget* canvas = static_cast<GtkWidget*>(window.canvas()->GetHandle());
    canvas_ = gtk_widget_get_accessible(canvas);
    if (canvas_ == nullptr)
        return;
    AtkObjectClass* klass = ATK_OBJECT_GET_CLASS(canvas_);
    if (klass->get_n_children != canvasChildren) {
        containerChildren = klass->get_n_children;
        containerChild = klass->ref_child;
        klass->get_n_children = canvasChildren;
        klass->ref_child = canvasChild;
    }
    trees()[canvas_] = this;
    focusHandler_ =
        g_signal_connect_after(canvas, "focus-in-event", G_CALLBACK(canvasFocusIn), canvas_);
}

AccessibleTree::~AccessibleTree() {
    if (canvas_) {
        trees().erase(canvas_);
        g_signal_handler_disconnect(window_.canvas()->GetHandle(), focusHandler_);
    }
    for (AtkObject* o : all_) {
        control(o)->tree = nullptr; // an assistive technology may still hold it: defunct now
        g_object_unref(o);
    }
}

void AccessibleTree::setWindowRole(Role role, const std::wstring& description) {
    AtkObject* top = gtk_widget_get_accessible(static_cast<GtkWidget*>(window_.GetHandle()));
    if (top == nullptr)
        return;
    atk_object_set_role(top, role == Role::None ? ATK_ROLE_FRAME : atkRole(role));
    atk_object_set_description(top, orbo::util::utf8FromWString(description).c_str());
    windowDescription_ = description;
}

AtkObject* AccessibleTree::child(int i) const {
    return i >= 0 && i < count() ? children_[static_cast<size_t>(i)] : nullptr;
}

AtkObject* AccessibleTree::focusedControl() const {
    for (AtkObject* o : all_)
        if (control(o)->focused)
            return o;
    return nullptr;
}

void AccessibleTree::announceFocus() {
    // A window manager may activate a window before it is mapped, and a screen reader then
    // passes over the activation of a window that is not showing yet: it is announced again
    // now that the window shows, before its control. A reader that took the first ignores it.
    GtkWidget* frame = static_cast<GtkWidget*>(window_.GetHandle());
    if (AtkObject* top = gtk_widget_get_accessible(frame))
        if (GTK_IS_WINDOW(frame) && gtk_window_is_active(GTK_WINDOW(frame)) &&
            gtk_widget_get_mapped(frame))
            g_signal_emit_by_name(top, "activate");
    if (AtkObject* o = focusedControl()) {
        notifyFocus(o, true);
        for (AtkObject* entry : *control(o)->inside)
            if (control(entry)->states & ACC_ACTIVE)
                g_signal_emit_by_name(o, "active-descendant-changed", entry);
    }
}

void AccessibleTree::update() {
    if (canvas_ == nullptr)
        return;
    const std::vector<Described> now = window_.context()->described();
    // Each control keeps its object while its box and kind stay; the rest are made.
    std::vector<AtkObject*> next;
    std::vector<bool> kept(all_.size(), false), made;
    for (const Described& d : now) {
        const GType type = kindType(kindOf(*d.description));
        AtkObject* o = nullptr;
        for (size_t i = 0; i < all_.size() && o == nullptr; ++i)
            if (!kept[i] && control(all_[i])->key == d.key &&
                G_TYPE_CHECK_INSTANCE_TYPE(all_[i], type)) {
                o = all_[i];
                kept[i] = true;
            }
        made.push_back(o == nullptr);
        if (o == nullptr) {
            o = ATK_OBJECT(g_object_new(type, nullptr));
            Control* c = control(o);
            c->tree = this;
            c->key = d.key;
            c->states = d.description->states;
            c->focused = d.focused;
        }
        next.push_back(o);
    }
    // Where each lies: in the control its box lies in, else on the canvas.
    std::vector<AtkObject*> owners(next.size(), canvas_);
    for (size_t i = 0; i < now.size(); ++i)
        for (size_t j = 0; j < i && now[i].parent != 0; ++j)
            if (now[j].key == now[i].parent)
                owners[i] = next[j];

    // Gone controls, and those that moved to another parent, leave their parents (from the
    // last, so that each index holds as announced).
    std::vector<bool> moved(next.size(), false);
    for (size_t i = 0; i < next.size(); ++i)
        moved[i] = !made[i] && control(next[i])->owner != owners[i];
    for (size_t i = all_.size(); i-- > 0;) {
        AtkObject* o = all_[i];
        const auto at = std::find(next.begin(), next.end(), o);
        if (kept[i] && !moved[static_cast<size_t>(at - next.begin())])
            continue;
        Control* c = control(o);
        std::vector<AtkObject*>& siblings =
            c->owner == canvas_ ? children_ : *control(c->owner)->inside;
        const auto it = std::find(siblings.begin(), siblings.end(), o);
        if (it != siblings.end()) {
            g_signal_emit_by_name(c->owner, "children-changed::remove",
                                  static_cast<guint>(it - siblings.begin()), o);
            siblings.erase(it);
        }
        if (!kept[i]) {
            if (o == activeEntry_)
                activeEntry_ = nullptr;
            c->tree = nullptr;
            c->owner = nullptr;
            g_object_unref(o);
        }
    }
    all_ = next;
    // Everything each parent holds, in reading order.
    children_.clear();
    for (AtkObject* o : all_)
        control(o)->inside->clear();
    for (size_t i = 0; i < all_.size(); ++i) {
        Control* c = control(all_[i]);
        c->owner = owners[i];
        (owners[i] == canvas_ ? children_ : *control(owners[i])->inside).push_back(all_[i]);
        if (made[i] || moved[i])
            atk_object_set_parent(all_[i], owners[i]);
    }

    for (size_t i = 0; i < now.size(); ++i)
        follow(all_[i], now[i], made[i], i > 0 ? &now[i - 1] : nullptr,
               i > 0 ? all_[i - 1] : nullptr);

    for (size_t i = 0; i < all_.size(); ++i)
        if (made[i] || moved[i]) {
            const gint at = atk_object_get_index_in_parent(all_[i]);
            g_signal_emit_by_name(owners[i], "children-changed::add", static_cast<guint>(at),
                                  all_[i]);
            // A control that has the focus from its first pass (a window's first field, a
            // dialog's default button) is announced as taking it once it is there.
            if (control(all_[i])->focused)
                g_timeout_add(FOCUS_AFTER_WINDOW_MS, announceFocusedControl, canvas_);
        }
    // The entry the keyboard is on, in a list that has the focus.
    for (AtkObject* o : all_) {
        Control* c = control(o);
        if (!c->focused)
            continue;
        AtkObject* active = nullptr;
        for (AtkObject* entry : *c->inside)
            if (control(entry)->states & ACC_ACTIVE)
                active = entry;
        if (active != nullptr && active != activeEntry_) {
            if (activeEntry_ != nullptr && control(activeEntry_)->tree != nullptr)
                atk_object_notify_state_change(activeEntry_, ATK_STATE_FOCUSED, FALSE);
            atk_object_notify_state_change(active, ATK_STATE_FOCUSED, TRUE);
            g_signal_emit_by_name(o, "active-descendant-changed", active);
        }
        activeEntry_ = active;
    }
}

void AccessibleTree::follow(AtkObject* o, const Described& d, bool made, const Described* before,
                            AtkObject* previous) {
    const Description& desc = *d.description;
    Control* c = control(o);
    c->x = d.x, c->y = d.y, c->w = d.w, c->h = d.h;
    atk_object_set_role(o, atkRole(desc.role));
    c->index = desc.index, c->column = desc.column, c->level = desc.level;
    c->posInSet = desc.posInSet, c->setSize = desc.setSize;
    c->rowCount = desc.rowCount, c->columnCount = desc.columnCount;

    // A field's label: the label just before it, to its left or above it. It names the field
    // when the field has no name of its own.
    AtkObject* label = nullptr;
    if (takesLabel(desc.role) && before != nullptr && before->description->role == Role::Label &&
        before->parent == d.parent && labels(*before, d))
        label = previous;
    if (label != c->labelledBy) {
        if (c->labelledBy) {
            atk_object_remove_relationship(o, ATK_RELATION_LABELLED_BY, c->labelledBy);
            atk_object_remove_relationship(c->labelledBy, ATK_RELATION_LABEL_FOR, o);
            g_object_unref(c->labelledBy);
        }
        c->labelledBy = label ? ATK_OBJECT(g_object_ref(label)) : nullptr;
        if (label) {
            atk_object_add_relationship(o, ATK_RELATION_LABELLED_BY, label);
            atk_object_add_relationship(label, ATK_RELATION_LABEL_FOR, o);
        }
    }
    // The label that shows a window's description (a message box's message) describes the
    // window: a reader then says the message once, from the window, as it opens.
    if (desc.role == Role::Label && !c->describesWindow && !windowDescription_.empty() &&
        sameWords(desc.name, windowDescription_)) {
        AtkObject* top = gtk_widget_get_accessible(static_cast<GtkWidget*>(window_.GetHandle()));
        atk_object_add_relationship(o, ATK_RELATION_DESCRIPTION_FOR, top);
        atk_object_add_relationship(top, ATK_RELATION_DESCRIBED_BY, o);
        c->describesWindow = true;
    }
    std::wstring named = desc.name;
    if (named.empty() && label != nullptr)
        named = before->description->name;
    if (named.empty()) // a control with neither says what its tooltip says
        named = desc.description;
    // Captions may carry the spacing they are drawn with; a name does not.
    const size_t first = named.find_first_not_of(L" \t"), last = named.find_last_not_of(L" \t");
    named = first == std::wstring::npos ? L"" : named.substr(first, last - first + 1);
    const std::string name = orbo::util::utf8FromWString(named);
    const char* was = atk_object_get_name(o);
    if (was == nullptr || name != was)
        atk_object_set_name(o, name.c_str());
    const std::string about = orbo::util::utf8FromWString(desc.description);
    const char* wasAbout = atk_object_get_description(o);
    if (wasAbout == nullptr || about != wasAbout)
        atk_object_set_description(o, about.c_str());

    const std::uint32_t changed = c->states ^ desc.states;
    c->states = desc.states;
    const std::pair<std::uint32_t, AtkStateType> announced[] = {{ACC_CHECKED, ATK_STATE_CHECKED},
                                                                {ACC_EXPANDED, ATK_STATE_EXPANDED},
                                                                {ACC_ENABLED, ATK_STATE_ENABLED},
                                                                {ACC_SELECTED, ATK_STATE_SELECTED}};
    for (const auto& [bit, state] : announced)
        if (changed & bit)
            atk_object_notify_state_change(o, state, (desc.states & bit) != 0);
    if ((changed & ACC_SELECTED) && ATK_IS_SELECTION(c->owner))
        g_signal_emit_by_name(c->owner, "selection-changed");

    if (desc.hasValue) {
        const bool valueMoved = c->value != desc.value;
        c->value = desc.value;
        c->minimum = desc.minimum;
        c->maximum = desc.maximum;
        if (valueMoved && !made)
            announceValue(o, desc.value);
    }
    // A combo box's text follows its choice silently: a reader hears the choice as the box
    // takes the focus back from its list.
    if (kindOf(desc) == TEXT || kindOf(desc) == COMBO)
        followText(o, desc, !made && kindOf(desc) == TEXT);
    if (c->focused != d.focused) {
        c->focused = d.focused;
        notifyFocus(o, d.focused);
    } else if (c->focused && (changed & ACC_EXPANDED) && !(desc.states & ACC_EXPANDED)) {
        // A list that closes gives the keys back to its combo box, as its entries had them.
        notifyFocus(o, true);
    }
}

} // namespace orbotk
