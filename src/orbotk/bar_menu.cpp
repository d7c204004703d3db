// A menu bar's menu: a native popup menu watched for the moves a menu bar makes between its
// menus, which a popup menu of its own does not know: the pointer passing over another title
// (under the menu's grab its motion reaches the menu), Left at the menu's top level, and Right
// on an item that opens no submenu.
#include "orbotk/window.h"

#include <gtk/gtk.h>

namespace orbotk {

namespace {

struct Watch {
    const std::vector<wxRect>* titles = nullptr;
    wxWindow* canvas = nullptr;
    GtkMenuShell* top = nullptr;
    int open = -1;
    Window::MenuMove move;
};

int neighbour(const Watch& w, int step) {
    const int n = static_cast<int>(w.titles->size());
    for (int i = 1; i < n; ++i) {
        const int j = ((w.open + step * i) % n + n) % n;
        if (!(*w.titles)[j].IsEmpty())
            return j;
    }
    return -1;
}

void moveTo(Watch& w, int title, bool byKey) {
    if (title < 0 || title == w.open)
        return;
    w.move.title = title;
    w.move.byKey = byKey;
    gtk_menu_shell_cancel(w.top);
}

gboolean onMotion(GtkWidget*, GdkEventMotion* event, gpointer data) {
    Watch& w = *static_cast<Watch*>(data);
    // The motion comes in the coordinates of the window it happened in.
    GdkWindow* canvas = w.canvas->GTKGetDrawingWindow();
    double x = event->x, y = event->y;
    if (event->window != canvas) {
        int ox = 0, oy = 0;
        gdk_window_get_origin(canvas, &ox, &oy);
        x = event->x_root - ox;
        y = event->y_root - oy;
    }
    for (size_t j = 0; j < w.titles->size(); ++j)
        if ((*w.titles)[j].Contains(static_cast<int>(x), static_cast<int>(y))) {
            moveTo(w, static_cast<int>(j), false);
            break;
        }
    return FALSE;
}

void onMoveCurrent(GtkMenuShell* shell, GtkMenuDirectionType direction, gpointer data) {
    Watch& w = *static_cast<Watch*>(data);
    if (direction == GTK_MENU_DIR_PARENT && shell == w.top) {
        g_signal_stop_emission_by_name(shell, "move-current");
        moveTo(w, neighbour(w, -1), true);
    } else if (direction == GTK_MENU_DIR_CHILD) {
        GtkWidget* item = gtk_menu_shell_get_selected_item(shell);
        if (item == nullptr || gtk_menu_item_get_submenu(GTK_MENU_ITEM(item)) == nullptr) {
            g_signal_stop_emission_by_name(shell, "move-current");
            moveTo(w, neighbour(w, 1), true);
        }
    }
}

void onMapSelectFirst(GtkWidget* menu, gpointer) {
    gtk_menu_shell_select_first(GTK_MENU_SHELL(menu), TRUE);
}

void shellsOf(wxMenu& menu, std::vector<wxMenu*>& out) {
    out.push_back(&menu);
    for (wxMenuItem* item : menu.GetMenuItems())
        if (wxMenu* sub = item->GetSubMenu())
            shellsOf(*sub, out);
}

} // namespace

Window::MenuMove Window::popupBarMenu(wxMenu& menu, const std::vector<wxRect>& titles, int open,
                                      bool selectFirst) {
    if (open < 0 || static_cast<size_t>(open) >= titles.size())
        return MenuMove();
    Watch watch;
    watch.titles = &titles;
    watch.canvas = canvas_;
    watch.top = GTK_MENU_SHELL(menu.m_menu);
    watch.open = open;
    std::vector<wxMenu*> shells;
    shellsOf(menu, shells);
    g_signal_connect(menu.m_menu, "motion-notify-event", G_CALLBACK(onMotion), &watch);
    for (wxMenu* shell : shells)
        g_signal_connect(shell->m_menu, "move-current", G_CALLBACK(onMoveCurrent), &watch);
    if (selectFirst)
        g_signal_connect(menu.m_menu, "map", G_CALLBACK(onMapSelectFirst), &watch);

    const wxRect& title = titles[open];
    PopupMenu(&menu, title.x, title.y + title.height);

    for (wxMenu* shell : shells)
        g_signal_handlers_disconnect_matched(shell->m_menu, G_SIGNAL_MATCH_DATA, 0, 0, nullptr,
                                             nullptr, &watch);
    return watch.move;
}

} // namespace orbotk
