// Shortcut keys whatever the keyboard layout: a key that types a letter of another script
// (Cyrillic, Greek) is matched by the Latin letter the keyboard has on the same key in
// another of its layouts, which is how the platform's own accelerators find Ctrl+S on a
// Russian layout.
#include "internal.h"

#include <gdk/gdk.h>

namespace orbotk {

int latinKey(int keyCode, unsigned hardwareKeycode) {
    if (hardwareKeycode == 0)
        return keyCode;
    GdkDisplay* display = gdk_display_get_default();
    GdkKeymap* keymap = display ? gdk_keymap_get_for_display(display) : nullptr;
    GdkKeymapKey* keys = nullptr;
    guint* keyvals = nullptr;
    gint n = 0;
    if (keymap == nullptr ||
        !gdk_keymap_get_entries_for_keycode(keymap, hardwareKeycode, &keys, &keyvals, &n))
        return keyCode;
    int latin = keyCode;
    for (gint i = 0; i < n; ++i) {
        const guint v = gdk_keyval_to_upper(keyvals[i]);
        if (v >= 'A' && v <= 'Z') {
            latin = static_cast<int>(v);
            break;
        }
    }
    g_free(keys);
    g_free(keyvals);
    return latin;
}

} // namespace orbotk
