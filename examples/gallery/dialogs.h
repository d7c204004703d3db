// The gallery's dialogs, written as a host would write its own: a form with OK and Cancel, and
// a settings dialog whose advanced section opens below a split line.
#pragma once

#include "gui/gui.h"

#include <string>

namespace gallery {

// A name, an e-mail address and a checkbox. OK stays disabled until there is a name.
class AccountDialog : public gui::Dialog {
public:
    explicit AccountDialog(const boost::weak_ptr<orbotk::Window>& parent)
        : gui::Dialog(parent, L"Account", 440, 300, true, true, true, false, gui::NO_SCALE_WINDOW) {
        setStatus(L"Fill in a name to enable OK");
    }

    gui::TextState name{textFont_, L""};
    gui::TextState email{textFont_, L""};
    bool subscribe = true;

protected:
    void doScene() override {
        using gui::Box;
        using orbotk::ControlID;
        {
            Box row(ui_, gui::FILL, 30.0f);
            doLineEdit(ControlID(L"account:name"), name, L"Name", 70.0f);
        }
        {
            Box row(ui_, gui::FILL, 30.0f);
            row.setTop(36.0f);
            doLineEdit(ControlID(L"account:email"), email, L"E-mail", 70.0f);
        }
        {
            Box row(ui_, gui::FILL, 24.0f);
            row.setTop(80.0f);
            row.setLeft(76.0f);
            doCheckbox(ControlID(L"account:subscribe"), subscribe, L"Send me the newsletter",
                       nullptr, nullptr, true);
        }
        if (isOK(checkboxCheck_, !name.text().empty()))
            EndModal(wxID_OK);
    }
};

// Two everyday settings, and behind "Show Advanced" a cache size and a log switch.
class SettingsDialog : public gui::Dialog {
public:
    explicit SettingsDialog(const boost::weak_ptr<orbotk::Window>& parent)
        : gui::Dialog(parent, L"Settings", 440, 280, true, false, true, false,
                      gui::NO_SCALE_WINDOW) {
        setExpandoSplit(184);
        setExpandoHeight(100);
    }

    bool startAtLogin = false, checkUpdates = true, verbose = false;
    float cacheMB = 256.0f;

protected:
    void doScene() override {
        using gui::Box;
        using orbotk::ControlID;
        {
            Box row(ui_, gui::FILL, 24.0f);
            doCheckbox(ControlID(L"settings:login"), startAtLogin, L"Start at login", nullptr,
                       nullptr, true);
        }
        {
            Box row(ui_, gui::FILL, 24.0f);
            row.setTop(30.0f);
            doCheckbox(ControlID(L"settings:updates"), checkUpdates, L"Check for updates", nullptr,
                       nullptr, true);
        }
        if (isOK(checkboxCheck_, true))
            EndModal(wxID_OK);
    }

    void doAdvanced() override {
        using gui::Box;
        using orbotk::ControlID;
        {
            Box label(ui_, 200.0f, 20.0f);
            label.setTop(6.0f);
            label.setLeft(8.0f);
            doLabel((L"Cache size: " + std::to_wstring(static_cast<int>(cacheMB)) + L" MB").c_str(),
                    configFont_);
        }
        {
            Box row(ui_, 200.0f, 32.0f);
            row.setTop(28.0f);
            doHSlider(ControlID(L"settings:cache"), cacheMB, 64.0f, 1024.0f, L"Cache size", true);
        }
        {
            Box row(ui_, 180.0f, 24.0f);
            row.setTop(6.0f);
            row.setLeft(220.0f);
            doCheckbox(ControlID(L"settings:verbose"), verbose, L"Verbose log", nullptr, nullptr,
                       true);
        }
    }
};

} // namespace gallery
