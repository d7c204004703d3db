// The popup menu: a native menu built from the caller's items, shown by the window's own modal
// popup call below the current box, and the item picked in it.
#include "gui/popup_menu.h"

#include "gui/image.h"
#include "orbotk/window.h"
#include "orboutil/log.h"

#include <boost/make_shared.hpp>
#include <wx/tooltip.h>

namespace gui {

namespace {
// The menu's log records name the source "app_window" at these lines: the places log readers
// match on, kept as they are wherever the code lives.
constexpr int LOG_MENU_OPENS = 483, LOG_MENU_CLOSES = 552;
} // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(MyPopupMenu, wxMenu)
    EVT_MENU(wxID_ANY, MyPopupMenu::onSelect)
wxEND_EVENT_TABLE()

void MyPopupMenu::onSelect(wxCommandEvent& event) {
    selectedId_ = event.GetId();
    selectedChecked_ = event.GetInt() != 0;
}
// clang-format on

std::vector<PopupItem>::const_iterator doPopupMenu(Ui& ui, const std::vector<PopupItem>& items) {
    // An event handled while the menu is open may run a scene that asks again.
    if (ui.popupOpen)
        return items.end();
    requirePass(ui, "doPopupMenu");
    boost::shared_ptr<orbotk::Window> w = ui->window().lock();
    if (!w)
        return items.end();
    ui.popupOpen = true;
    struct Guard {
        bool& open;
        ~Guard() {
            open = false;
            wxToolTip::Enable(true);
        }
    } guard{ui.popupOpen};

    orbo::util::log_record(4, "app_window", LOG_MENU_OPENS, "Entering doPopupMenu\n");
    wxToolTip::Enable(false);

    boost::shared_ptr<MyPopupMenu> menu = boost::make_shared<MyPopupMenu>();
    // The placeholder makes the menu reserve its bitmap column before the real items arrive,
    // so that check marks and captions line up however the items are made.
    const int PLACEHOLDER = 100;
    wxMenuItem* placeholder =
        new wxMenuItem(menu.get(), PLACEHOLDER, L"dummy", wxEmptyString, wxITEM_NORMAL);
    placeholder->SetBitmap(wxBitmap(ui.look().blankI.convertToWXImage()));
    menu->Append(placeholder);
    for (size_t i = 0; i < items.size(); ++i) {
        const PopupItem& item = items[i];
        // Separators take no identifier but count: item i is always identifier i + 1.
        const int id = static_cast<int>(i) + 1;
        const bool* enabled = item.get<2>();
        switch (item.get<0>()) {
        case POPUP_CHECK: {
            wxMenuItem* m = menu->AppendCheckItem(id, item.get<1>(), wxEmptyString);
            m->Enable(enabled == nullptr || *enabled);
            m->Check(item.get<3>() != nullptr && *item.get<3>());
            break;
        }
        case POPUP_NORMAL:
            menu->Append(id, item.get<1>(), wxEmptyString)->Enable(enabled == nullptr || *enabled);
            break;
        default:
            menu->AppendSeparator();
            break;
        }
    }
    if (wxMenuItem* m = menu->FindItem(PLACEHOLDER))
        menu->Destroy(m);

    const boost::shared_ptr<orbotk::Box> box = ui->current();
    {
        // The menu runs the platform's loop; the window's own events go on meanwhile, in passes
        // of their own, and this pass resumes when the menu closes.
        const orbotk::UIContext::Suspension suspended(ui);
        w->PopupMenu(menu.get(), box->x, static_cast<int>(box->y + box->h));
    }

    orbo::util::log_record(4, "app_window", LOG_MENU_CLOSES, "Leaving doPopupMenu\n");

    const int id = menu->selectedId();
    if (id > 0 && static_cast<size_t>(id) <= items.size())
        return items.begin() + (id - 1);
    return items.end();
}

} // namespace gui
