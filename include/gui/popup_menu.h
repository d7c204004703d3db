// The menu behind AppWindow::doPopupMenu: a wxWidgets menu that records which item picked it.
// It lives for one call of doPopupMenu; the identifier stays -1 when the menu is dismissed.
#pragma once

#include <wx/menu.h>

namespace gui {

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
