// The popup menu: a native menu (not drawn by the renderer) that opens below the current box,
// aligned with its left edge, and returns when the user picks an item or dismisses it. Call it
// from an input branch of a scene (after a click), not on every pass. Items are check items,
// plain items or separators (any other type); enabled and checked are read when the menu
// opens, and the menu does not write a check item back: the caller flips its own flag from
// the returned item. The bitmaps and the int travel with the item unused.
#pragma once

#include "gui/ui.h"

#include <boost/tuple/tuple.hpp>
#include <string>
#include <vector>
#include <wx/bitmap.h>
#include <wx/menu.h>

namespace gui {

enum PopupItemType : int { POPUP_CHECK = 0, POPUP_NORMAL = 1, POPUP_SEPARATOR = 2 };
// Type, text, enabled (null: enabled), checked (null: not), two bitmaps and an int.
typedef boost::tuple<PopupItemType, std::wstring, bool*, bool*, wxBitmap, wxBitmap, int> PopupItem;

// The picked item, or items.end() when the menu was dismissed or a popup menu of this window
// is already open.
std::vector<PopupItem>::const_iterator doPopupMenu(Ui& ui, const std::vector<PopupItem>& items);

// The menu behind doPopupMenu: a wxWidgets menu that records which item picked it. It lives
// for one call of doPopupMenu; the identifier stays -1 when the menu is dismissed.
class MyPopupMenu : public wxMenu {
public:
    MyPopupMenu() : wxMenu(wxString(), 0) {}

    int selectedId() const { return selectedId_; }
    bool selectedChecked() const { return selectedChecked_; }

private:
    void onSelect(wxCommandEvent& event);

    int selectedId_ = -1;
    bool selectedChecked_ = false; // the picking event's integer value was non-zero

    wxDECLARE_EVENT_TABLE();
};

} // namespace gui
