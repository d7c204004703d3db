// Message boxes: a dialog with an icon, a word-wrapped message and a row of up to four push
// buttons (OK, Yes, No, Cancel) chosen by the wxWidgets message-box style bits (wxOK, wxYES,
// wxNO, wxCANCEL, wxICON_*). The box sizes itself to its content on every pass, centres itself
// on its parent once, and ends its modal run with the style bit of the pressed button.
//
// Yes and No always come as a pair. Escape answers wxCANCEL when Cancel is shown, else wxNO
// when Yes and No are, else wxOK. Closing the box by its close button (or by Escape before a
// button has the focus, and in a box without buttons) answers wxCANCEL when Cancel is shown,
// else wxNO when Yes and No are, else the toolkit's own close result (wxID_CANCEL).
#pragma once

#include "gui/dialog.h"
#include "gui/image.h"

#include <string>
#include <wx/defs.h>
#include <wx/string.h>

namespace gui {

class MessageBoxDialog : public Dialog {
public:
    // The window starts 1 x 1 pixels; its first pass gives it its size. The message is wrapped
    // on the first pass to three quarters of the screen's width, and not again.
    MessageBoxDialog(boost::shared_ptr<orbotk::Window> parent, const wchar_t* title,
                     const wchar_t* message, int style);
    MessageBoxDialog(wxWindow* parent, const wchar_t* title, const wchar_t* message, int style);
    MessageBoxDialog(const MessageBoxDialog& other) = default;
    MessageBoxDialog& operator=(const MessageBoxDialog& other) = default;

protected:
    void doScene() override;

private:
    void initMessageBox(const wchar_t* title, const wchar_t* message, int style);
    static wxString stripCR(wxString s);

    std::wstring message_;
    wxString text_;
    bool okButton_ = false;
    bool cancelButton_ = false;
    bool yesButton_ = false;
    bool noButton_ = false;
    bool wrapped_ = false;
    Image icon_;
    wxString title_;
    bool centred_ = false;
};

// Shows a message box modally over parent (none: centred on the screen) and returns the
// pressed button's style bit: wxOK, wxYES, wxNO or wxCANCEL. A box closed without a button
// returns wxCANCEL, or wxNO when it shows Yes and No but no Cancel.
int messageBox(const wchar_t* message, const wchar_t* title = L"Message",
               int style = wxOK | wxICON_INFORMATION, wxWindow* parent = nullptr);
int messageBox(const boost::shared_ptr<orbotk::Window>& parent, const wchar_t* message,
               const wchar_t* title = L"Message", int style = wxOK | wxICON_INFORMATION);

} // namespace gui
