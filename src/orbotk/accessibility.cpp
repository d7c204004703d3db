// The accessible children of a window's canvas: one ATK object per described control of the
// last complete pass. GTK makes the canvas's own accessible object, a container's, which lists
// child widgets only; its class is taught to list ours for our canvases. Nothing is kept or
// described until something asks the canvas for its children.
#include "accessibility.h"

#include "orbotk/context.h"
#include "orbotk/driver.h"
#include "orbotk/window.h"
#include "orboutil/strings.h"

#include <algorithm>
#include <atk/atk.h>
#include <cstring>
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
    // Somebody reads the tree: from now on every pass describes its controls.
    const boost::shared_ptr<orbotk::UIContext> ui = it->second->window().context();
    if (!ui->accessibility()) {
        ui->setAccessibility(true);
        it->second->window().Refresh();
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

// Plain data: GObject zeroes an instance and constructs nothing in it.
struct Control {
    AtkObject parent;
    AccessibleTree* tree;
    std::uint64_t key;
    std::uint32_t states;
    bool focused;
    int x, y, w, h; // where the last pass laid it out, in logical window pixels
    double value, minimum, maximum;
    gchar* text; // UTF-8, owned; a text field's
    gint caret, selectionStart, selectionEnd;
};
struct ControlClass {
    AtkObjectClass parent;
};

bool isControl(gpointer p);
Control* control(gpointer p) {
    g_return_val_if_fail(isControl(p), nullptr);
    return reinterpret_cast<Control*>(p);
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
    if (c->focused)
        atk_state_set_add_state(set, ATK_STATE_FOCUSED);
    return set;
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

// ---- Text: a field's text, caret and selection (a password field has none to give)

const char* textOf(AtkText* t) {
    const char* s = control(t)->text;
    return s ? s : "";
}
gchar* textRange(AtkText* t, gint start, gint end) {
    const char* s = textOf(t);
    const glong n = g_utf8_strlen(s, -1);
    if (end < 0 || end > n)
        end = static_cast<gint>(n);
    start = std::min(std::max(start, 0), end);
    const char* a = g_utf8_offset_to_pointer(s, start);
    return g_strndup(a, static_cast<gsize>(g_utf8_offset_to_pointer(s, end) - a));
}
gint textLength(AtkText* t) {
    return static_cast<gint>(g_utf8_strlen(textOf(t), -1));
}
gint textCaret(AtkText* t) {
    return control(t)->caret;
}
gunichar textCharacter(AtkText* t, gint i) {
    const char* s = textOf(t);
    return i >= 0 && i < g_utf8_strlen(s, -1) ? g_utf8_get_char(g_utf8_offset_to_pointer(s, i)) : 0;
}
gint textSelections(AtkText* t) {
    const Control* c = control(t);
    return c->selectionEnd > c->selectionStart ? 1 : 0;
}
gchar* textSelection(AtkText* t, gint i, gint* start, gint* end) {
    const Control* c = control(t);
    if (i != 0 || c->selectionEnd <= c->selectionStart)
        return nullptr;
    *start = c->selectionStart;
    *end = c->selectionEnd;
    return textRange(t, *start, *end);
}
void controlText(gpointer g, gpointer) {
    auto* iface = static_cast<AtkTextIface*>(g);
    iface->get_text = textRange;
    iface->get_character_count = textLength;
    iface->get_caret_offset = textCaret;
    iface->get_character_at_offset = textCharacter;
    iface->get_n_selections = textSelections;
    iface->get_selection = textSelection;
}

GObjectClass* controlParent = nullptr;
void controlFinalize(GObject* o) {
    g_free(control(o)->text);
    controlParent->finalize(o);
}

void controlClassInit(gpointer klass, gpointer) {
    controlParent = G_OBJECT_CLASS(g_type_class_peek_parent(klass));
    ATK_OBJECT_CLASS(klass)->ref_state_set = controlStates;
    G_OBJECT_CLASS(klass)->finalize = controlFinalize;
}

// Three types of control: every control is a component with an action; sliders and bars add
// a value, text fields their text.
enum Kind { PLAIN, VALUE, TEXT };
GType kindType(Kind kind) {
    static GType types[3] = {0, 0, 0};
    if (types[kind] == 0) {
        const GTypeInfo info = {
            sizeof(ControlClass), nullptr, nullptr, controlClassInit, nullptr, nullptr,
            sizeof(Control),      0,       nullptr, nullptr};
        static const char* const names[3] = {"OrbotkAccessibleControl", "OrbotkAccessibleValue",
                                             "OrbotkAccessibleText"};
        const GType t = g_type_register_static(ATK_TYPE_OBJECT, names[kind], &info, GTypeFlags(0));
        const GInterfaceInfo component = {controlComponent, nullptr, nullptr};
        const GInterfaceInfo action = {controlAction, nullptr, nullptr};
        const GInterfaceInfo value = {controlValue, nullptr, nullptr};
        const GInterfaceInfo text = {controlText, nullptr, nullptr};
        g_type_add_interface_static(t, ATK_TYPE_COMPONENT, &component);
        g_type_add_interface_static(t, ATK_TYPE_ACTION, &action);
        if (kind == VALUE)
            g_type_add_interface_static(t, ATK_TYPE_VALUE, &value);
        if (kind == TEXT)
            g_type_add_interface_static(t, ATK_TYPE_TEXT, &text);
        types[kind] = t;
    }
    return types[kind];
}

Kind kindOf(const orbotk::Description& d) {
    if (d.role == orbotk::Role::Text || d.role == orbotk::Role::PasswordText)
        return TEXT;
    return d.hasValue ? VALUE : PLAIN;
}

bool isControl(gpointer p) {
    for (Kind k : {PLAIN, VALUE, TEXT})
        if (G_TYPE_CHECK_INSTANCE_TYPE(p, kindType(k)))
            return true;
    return false;
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
    case orbotk::Role::Dialog:
        return ATK_ROLE_DIALOG;
    case orbotk::Role::Alert:
        return ATK_ROLE_ALERT;
    default:
        return ATK_ROLE_UNKNOWN;
    }
}

} // namespace

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
}

AccessibleTree::~AccessibleTree() {
    if (canvas_)
        trees().erase(canvas_);
    for (AtkObject* o : children_) {
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
}

AtkObject* AccessibleTree::child(int i) const {
    return i >= 0 && i < count() ? children_[static_cast<size_t>(i)] : nullptr;
}

void AccessibleTree::update() {
    if (canvas_ == nullptr)
        return;
    const std::vector<Described> now = window_.context()->described();
    std::vector<AtkObject*> next;
    std::vector<bool> kept(children_.size(), false), made;
    for (const Described& d : now) {
        const Description& desc = *d.description;
        const GType type = kindType(kindOf(desc));
        AtkObject* o = nullptr;
        for (size_t i = 0; i < children_.size() && o == nullptr; ++i)
            if (!kept[i] && control(children_[i])->key == d.key &&
                G_TYPE_CHECK_INSTANCE_TYPE(children_[i], type)) {
                o = children_[i];
                kept[i] = true;
            }
        made.push_back(o == nullptr);
        if (o == nullptr) {
            o = ATK_OBJECT(g_object_new(type, nullptr));
            Control* c = control(o);
            c->tree = this;
            c->key = d.key;
            c->states = desc.states;
            c->focused = d.focused;
            atk_object_set_parent(o, canvas_);
        }
        Control* c = control(o);
        c->x = d.x, c->y = d.y, c->w = d.w, c->h = d.h;
        atk_object_set_role(o, atkRole(desc.role));
        const std::string name = orbo::util::utf8FromWString(desc.name);
        const char* was = atk_object_get_name(o);
        if (was == nullptr || name != was)
            atk_object_set_name(o, name.c_str());
        const std::string about = orbo::util::utf8FromWString(desc.description);
        const char* wasAbout = atk_object_get_description(o);
        if (wasAbout == nullptr || about != wasAbout)
            atk_object_set_description(o, about.c_str());
        const std::uint32_t changed = c->states ^ desc.states;
        c->states = desc.states;
        if (changed & ACC_CHECKED)
            atk_object_notify_state_change(o, ATK_STATE_CHECKED, (desc.states & ACC_CHECKED) != 0);
        if (changed & ACC_EXPANDED)
            atk_object_notify_state_change(o, ATK_STATE_EXPANDED,
                                           (desc.states & ACC_EXPANDED) != 0);
        if (changed & ACC_ENABLED)
            atk_object_notify_state_change(o, ATK_STATE_ENABLED, (desc.states & ACC_ENABLED) != 0);
        if (c->focused != d.focused) {
            c->focused = d.focused;
            atk_object_notify_state_change(o, ATK_STATE_FOCUSED, d.focused);
            // The focus event that screen readers follow besides the state change.
            G_GNUC_BEGIN_IGNORE_DEPRECATIONS
            if (d.focused)
                atk_focus_tracker_notify(o);
            G_GNUC_END_IGNORE_DEPRECATIONS
        }
        if (desc.hasValue) {
            const bool moved = c->value != desc.value;
            c->value = desc.value;
            c->minimum = desc.minimum;
            c->maximum = desc.maximum;
            if (moved && !made.back())
                g_signal_emit_by_name(o, "value-changed", desc.value, nullptr);
        }
        if (kindOf(desc) == TEXT) {
            const std::string text = orbo::util::utf8FromWString(desc.text);
            if (c->text == nullptr || text != c->text) {
                const gint before = c->text ? static_cast<gint>(g_utf8_strlen(c->text, -1)) : 0;
                g_free(c->text);
                c->text = g_strdup(text.c_str());
                if (!made.back()) { // the whole text replaced: what screen readers follow
                    g_signal_emit_by_name(o, "text-changed::delete", 0, before);
                    g_signal_emit_by_name(o, "text-changed::insert", 0,
                                          static_cast<gint>(g_utf8_strlen(c->text, -1)));
                }
            }
            if (c->caret != desc.caret && !made.back())
                g_signal_emit_by_name(o, "text-caret-moved", desc.caret);
            c->caret = desc.caret;
            c->selectionStart = desc.selectionStart;
            c->selectionEnd = desc.selectionEnd;
        }
        next.push_back(o);
    }
    // Gone controls leave (from the last, so that each index holds as announced), then new
    // ones come in at their places.
    for (size_t i = children_.size(); i-- > 0;)
        if (!kept[i]) {
            AtkObject* o = children_[i];
            g_signal_emit_by_name(canvas_, "children-changed::remove", static_cast<guint>(i), o);
            control(o)->tree = nullptr;
            g_object_unref(o);
        }
    children_ = std::move(next);
    for (size_t i = 0; i < children_.size(); ++i)
        if (made[i])
            g_signal_emit_by_name(canvas_, "children-changed::add", static_cast<guint>(i),
                                  children_[i]);
}

} // namespace orbotk
