// The message box: initialisation from the style bits, the scene that lays out icon, message
// and buttons and sizes the window to them, and the one-call helper for hosts.
#include "gui/message_box.h"

#include "gui/brand.h"
#include "gui/palette.h"
#include "gui/render.h"
#include "gui/text_layout.h"
#include "orbotk/screen.h"
#include "orbotk/window.h"
#include "text/text_cache.h"

#include <algorithm>
#include <cmath>

namespace gui {

using orbotk::ControlID;

MessageBoxDialog::MessageBoxDialog(boost::shared_ptr<orbotk::Window> parent, const wchar_t* title,
                                   const wchar_t* message, int style)
    : Dialog(boost::weak_ptr<orbotk::Window>(parent), title, 1, 1, true, false,
             brand().logoInMessageBoxes, true, NO_SCALE_WINDOW) {
    initMessageBox(title, message, style);
}

MessageBoxDialog::MessageBoxDialog(wxWindow* parent, const wchar_t* title, const wchar_t* message,
                                   int style)
    : Dialog(parent, title, 1, 1, true, false, brand().logoInMessageBoxes, true, NO_SCALE_WINDOW) {
    initMessageBox(title, message, style);
}

wxString MessageBoxDialog::stripCR(wxString s) {
    s.Replace(L"\r", L"", true);
    return s;
}

void MessageBoxDialog::initMessageBox(const wchar_t* title, const wchar_t* message, int style) {
    message_ += message ? message : L"";
    text_ = stripCR(message_);
    title_ = title ? title : L"";

    if (style & wxICON_HAND)
        icon_ = error_;
    else if (style & wxICON_EXCLAMATION)
        icon_ = warning_;
    else if (style & wxICON_QUESTION)
        icon_ = question_;
    else
        icon_ = informational_;

    okButton_ = (style & wxOK) != 0;
    cancelButton_ = (style & wxCANCEL) != 0;
    yesButton_ = (style & (wxYES | wxNO)) != 0;
    noButton_ = yesButton_;

    // Closing the box without a button answers the most cautious button it shows.
    if (boost::shared_ptr<orbotk::Window> w = window()) {
        w->setAccessibleRole(orbotk::Role::Alert, text_.ToStdWstring());
        if (cancelButton_)
            w->setEscapeResult(wxCANCEL);
        else if (yesButton_)
            w->setEscapeResult(wxNO);
    }
}

void MessageBoxDialog::doScene() {
    // Escape answers the box, as the desktop's message dialogs do: Cancel or No where it has
    // one, OK where that is all it has. While nothing has the focus (before the first pass
    // has given it to a button) the dialog's own Escape closes it with the escape result.
    if (!ui_->focusedID().name().empty() && ui_->eventType() == wxEVT_KEY_DOWN &&
        ui_->keyCode() == WXK_ESCAPE) {
        if (cancelButton_)
            EndModal(wxCANCEL);
        else if (noButton_)
            EndModal(wxNO);
        else if (okButton_)
            EndModal(wxOK);
    }
    // Whenever nothing has the focus, the affirmative button takes it, so Return answers it.
    if (ui_->focusedID().name().empty()) {
        if (okButton_)
            ui_->setFocusedID(ControlID(L"OK"));
        else if (yesButton_)
            ui_->setFocusedID(ControlID(L"Yes"));
    }

    const float iconW = static_cast<float>(icon_.w()), iconH = static_cast<float>(icon_.h());
    {
        Box icon(ui_, icon_.shape());
        icon.setLeft(10.0f);
        icon.setTop(10.0f);
        // The icons are tinted by the light panel they were drawn for; on a dark one they keep
        // their own colours.
        glColor(lookStyle() == LookStyle::Light ? orbopal::Panel : Color::White);
        render(ui_, icon_);
    }

    float y, content;
    {
        Box text(ui_, -(iconW + 20.0f), FILL);
        glColor(Color::White);
        text.setLeft(iconW + 20.0f);
        // Wrapped once: a screen that changes later leaves the lines as they are.
        if (!wrapped_) {
            const float screen = static_cast<float>(orbotk::Screen::displaySize().x);
            greedy_word_wrap(ui_, messageBoxFont_, text_, screen * 0.75f);
            greedy_word_wrap(ui_, nameFont_, title_, 100000.0f);
            wrapped_ = true;
        }
        // Views of the wrapped strings: measuring them copies nothing.
        const std::wstring_view message(text_.wc_str(), text_.length());
        const wxSize extent =
            textcache::multiLineExtent(ui_->measureDC(), messageBoxFont_, message);
        float th = static_cast<float>(extent.y);
        text.setHeight(th);
        text.setTop(10.0f);
        doTextWrap(th, text_.wc_str(), messageBoxFont_, true);

        y = th > iconH + 5.0f ? th + 10.0f : iconH + 15.0f;

        const float tt = static_cast<float>(
            textcache::multiLineExtent(ui_->measureDC(), nameFont_,
                                       std::wstring_view(title_.wc_str(), title_.length()))
                .x);
        const float width = std::max(static_cast<float>(extent.x),
                                     std::floor(static_cast<float>(veltsmall_.w()) + tt + 3.0f));
        content = width + iconW + 30.0f;
    }

    struct Button {
        bool shown;
        const wchar_t* caption;
        orbo::tk::RGBA colour;
        int code;
    };
    const Button buttons[] = {{okButton_, L"OK", orbopal::OKButton, wxOK},
                              {yesButton_, L"Yes", orbopal::OKButton, wxYES},
                              {noButton_, L"No", orbopal::DisabledButton, wxNO},
                              {cancelButton_, L"Cancel", orbopal::CancelButton, wxCANCEL}};
    const int n = static_cast<int>(std::count_if(std::begin(buttons), std::end(buttons),
                                                 [](const Button& b) { return b.shown; }));
    if (n > 0) {
        const float rowW = 93.0f * static_cast<float>(n) - 10.0f;
        const float rowH = getFontHeight(ui_, textFont_) + 12.0f;
        Box row(ui_, rowW, rowH);
        y += 10.0f;
        row.setCenterX();
        row.setTop(y);
        float x = 0.0f;
        for (const Button& b : buttons) {
            if (!b.shown)
                continue;
            Box button(ui_, 83.0f, FILL);
            button.setLeft(x);
            glColor(b.colour);
            if (doPushButton(b.caption, true))
                EndModal(b.code);
            x = std::floor(button.width() + x + 10.0f);
        }
        y += rowH;
        content = std::max(content, rowW);
    }

    // The content panel lies 64 pixels below the window's top and ends 26 above its bottom.
    const float W = content + 50.0f, H = y + 100.0f;
    if (static_cast<int>(H) != ui_->H() || static_cast<int>(W) != ui_->W())
        SetSize(static_cast<int>(std::floor(W)), static_cast<int>(std::floor(H)));

    if (!centred_) {
        centred_ = true;
        CenterOnParent(wxBOTH);
    }
}

namespace {

int answer(MessageBoxDialog& box) {
    const int code = box.ShowModal();
    return code == wxID_CANCEL ? wxCANCEL : code;
}

} // namespace

int messageBox(const wchar_t* message, const wchar_t* title, int style, wxWindow* parent) {
    MessageBoxDialog box(parent, title, message, style);
    return answer(box);
}

int messageBox(const boost::shared_ptr<orbotk::Window>& parent, const wchar_t* message,
               const wchar_t* title, int style) {
    MessageBoxDialog box(parent, title, message, style);
    return answer(box);
}

} // namespace gui
