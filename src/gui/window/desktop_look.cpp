// Following the desktop's choice of look: the settings portal's appearance keys where a portal
// answers on the session bus, GNOME's high-contrast switch in its settings, GTK's own settings
// (a dark theme preferred, the theme's name) otherwise, read when the first window loads the
// standard set and followed as they change, until a host chooses a look itself with setLook.
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
// GNOME's accessibility settings, where they can be read.
GSettings* a11y = nullptr;
const char* const A11Y_SCHEMA = "org.gnome.desktop.a11y.interface";

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

void settingChanged(GSettings*, gchar*, gpointer) {
    follow();
}

// GNOME keeps its high-contrast switch in GSettings, whose values live in dconf. Asked where
// there is nothing to read (no dconf, no session bus), GLib falls back to an empty in-memory
// store and says so on every start, so the settings are opened only where a store was named
// or dconf can answer, and only if the schema is installed.
void openA11ySettings() {
    if (std::getenv("GSETTINGS_BACKEND") == nullptr) {
        const char* modules = std::getenv("GIO_MODULE_DIR");
        const std::string dconf =
            std::string(modules ? modules : GIO_MODULE_DIR) + "/libdconfsettings.so";
        if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr ||
            !g_file_test(dconf.c_str(), G_FILE_TEST_EXISTS))
            return;
    }
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* schema =
        source ? g_settings_schema_source_lookup(source, A11Y_SCHEMA, TRUE) : nullptr;
    if (schema == nullptr)
        return;
    const bool known = g_settings_schema_has_key(schema, "high-contrast");
    g_settings_schema_unref(schema);
    if (!known)
        return;
    a11y = g_settings_new(A11Y_SCHEMA);
    g_signal_connect(a11y, "changed::high-contrast", G_CALLBACK(settingChanged), nullptr);
}

void gtkChanged(GObject*, GParamSpec*, gpointer) {
    follow();
}

} // namespace

LookStyle desktopLook() {
    if (portalContrast == 1 || (a11y && g_settings_get_boolean(a11y, "high-contrast")))
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
        openA11ySettings();
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
