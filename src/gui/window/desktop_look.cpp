// Following the desktop's choice of look: the settings portal's appearance keys where a portal
// answers on the session bus, GTK's own settings (a dark theme preferred, the theme's name)
// otherwise, read when the first window loads the standard set and followed as they change,
// until a host chooses a look itself with setLook.
#include "gui/look.h"
#include "gui/palette.h"
#include "render/look_style.h"

#include <cstdlib>
#include <gio/gio.h>
#include <gtk/gtk.h>
#include <string>

namespace gui {

namespace {

bool started = false;
// What the portal said, -1 where it said nothing (or there is none).
int portalScheme = -1, portalContrast = -1;

const char* const PORTAL = "org.freedesktop.portal.Desktop";
const char* const PORTAL_PATH = "/org/freedesktop/portal/desktop";
const char* const SETTINGS = "org.freedesktop.portal.Settings";

// A portal value arrives as a variant, in a variant on older portals.
int portalNumber(GVariant* v) {
    while (v && g_variant_is_of_type(v, G_VARIANT_TYPE_VARIANT)) {
        GVariant* inner = g_variant_get_variant(v);
        g_variant_unref(v);
        v = inner;
    }
    int n = -1;
    if (v && g_variant_is_of_type(v, G_VARIANT_TYPE_UINT32))
        n = static_cast<int>(g_variant_get_uint32(v));
    if (v)
        g_variant_unref(v);
    return n;
}

void follow();

void portalChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                   GVariant* parameters, gpointer) {
    const gchar *space = nullptr, *key = nullptr;
    GVariant* value = nullptr;
    g_variant_get(parameters, "(&s&sv)", &space, &key, &value);
    if (std::string(space) == "org.freedesktop.appearance") {
        if (std::string(key) == "color-scheme")
            portalScheme = portalNumber(value);
        else if (std::string(key) == "contrast")
            portalContrast = portalNumber(value);
        else
            g_variant_unref(value);
        follow();
    } else {
        g_variant_unref(value);
    }
}

// Asks the portal once, and listens to it; only where a session bus is known (a process
// without one would have D-Bus launch one for it).
void askPortal() {
    if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr)
        return;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr)
        return;
    for (const char* key : {"color-scheme", "contrast"}) {
        GVariant* reply = g_dbus_connection_call_sync(
            bus, PORTAL, PORTAL_PATH, SETTINGS, "Read",
            g_variant_new("(ss)", "org.freedesktop.appearance", key), G_VARIANT_TYPE("(v)"),
            G_DBUS_CALL_FLAGS_NO_AUTO_START, 500, nullptr, nullptr);
        if (reply == nullptr)
            continue;
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        g_variant_unref(reply);
        (std::string(key) == "color-scheme" ? portalScheme : portalContrast) = portalNumber(value);
    }
    g_dbus_connection_signal_subscribe(bus, nullptr, SETTINGS, "SettingChanged", PORTAL_PATH,
                                       nullptr, G_DBUS_SIGNAL_FLAGS_NONE, portalChanged, nullptr,
                                       nullptr);
}

void follow() {
    if (!lookChosen())
        showLook(desktopLook());
}

void gtkChanged(GObject*, GParamSpec*, gpointer) {
    follow();
}

} // namespace

LookStyle desktopLook() {
    if (portalContrast == 1)
        return LookStyle::HighContrast;
    gboolean dark = FALSE;
    gchar* theme = nullptr;
    if (GtkSettings* s = gtk_settings_get_default())
        g_object_get(s, "gtk-application-prefer-dark-theme", &dark, "gtk-theme-name", &theme,
                     nullptr);
    const std::string name = theme ? theme : "";
    g_free(theme);
    if (name.find("HighContrast") != std::string::npos)
        return LookStyle::HighContrast;
    if (portalScheme == 1)
        return LookStyle::Dark;
    if (portalScheme == 2)
        return LookStyle::Light;
    const bool darkTheme = name.size() > 5 && (name.compare(name.size() - 5, 5, "-dark") == 0 ||
                                               name.compare(name.size() - 5, 5, ":dark") == 0);
    return dark || darkTheme ? LookStyle::Dark : LookStyle::Light;
}

void followDesktopLook() {
    lookChosen() = false;
    if (!started) {
        started = true;
        askPortal();
        if (GtkSettings* s = gtk_settings_get_default()) {
            g_signal_connect(s, "notify::gtk-application-prefer-dark-theme", G_CALLBACK(gtkChanged),
                             nullptr);
            g_signal_connect(s, "notify::gtk-theme-name", G_CALLBACK(gtkChanged), nullptr);
        }
    }
    follow();
}

void startFollowingDesktopLook() {
    if (!lookChosen())
        followDesktopLook();
}

} // namespace gui
