// A sign-in window, as a host writes one: two labelled fields (one a password), a link, OK and
// Cancel, Tab between the fields and Return to submit, with its own band at the top and its own
// line in the status bar. The README's guide to building a form walks through it.
#pragma once

#include "gui/gui.h"

#include <functional>
#include <string>

namespace signin {

class SignInWindow : public gui::AppWindow {
public:
    SignInWindow()
        : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Sign in", 480, 330, gui::SCALE_WINDOW),
          // A state refers to its font, which must outlive it: textFont_ is a standard font,
          // made by the base constructor and kept for the life of the process.
          user_(textFont_, L""), password_(textFont_) {
        user_.setMaxLen(64);
    }

    // Called with the user name and the password's signature when the form is submitted.
    std::function<void(const std::wstring&, const orbo::util::md5_t&)> onSubmit;
    bool forgotClicked = false;
    std::wstring message;

    const gui::TextState& user() const { return user_; }

protected:
    void doScene() override {
        using gui::Box;
        using orbotk::ControlID;
        // The content panel is the parent: 23 in from the left, 64 down, panelW() wide.
        {
            Box heading(ui_, gui::FILL, 24.0f);
            doLabel(L"Sign in to continue", textFont_);
        }
        // Each field is a row as wide as the panel; the label column is 100 wide.
        {
            Box row(ui_, gui::FILL, 30.0f);
            row.setTop(36.0f);
            doLineEdit(ControlID(L"user"), user_, L"User name", 100.0f);
        }
        {
            Box row(ui_, gui::FILL, 30.0f);
            row.setTop(72.0f);
            doLineEdit(ControlID(L"password"), password_, L"Password", 100.0f);
        }
        // Return released in a field holds for this one pass, after the fields have run.
        bool submit = ui_->returnReleased;
        {
            Box link(ui_, 200.0f, 18.0f);
            link.setPos(link.x() + 106.0f, link.y() + 112.0f); // under the fields' text
            if (doLink(ControlID(L"forgot"), L"Forgot your password?",
                       L"Sends a reset link to your address", true))
                forgotClicked = true;
        }
        // Buttons from the bottom-right corner: a negative edge counts from the far side.
        {
            Box ok(ui_, PUSHBUTTON_SHAPE);
            ok.setRight(-0.0f);
            ok.setBottom(-0.0f);
            glColor(gui::orbopal::OKButton);
            submit = doPushButton(ControlID(L"OK"), L"OK", !user_.text().empty()) || submit;
        }
        {
            Box cancel(ui_, PUSHBUTTON_SHAPE);
            cancel.setRight(-(PUSHBUTTON_SHAPE.width + 10.0f));
            cancel.setBottom(-0.0f);
            glColor(gui::orbopal::CancelButton);
            if (doPushButton(ControlID(L"Cancel"), L"Cancel", true))
                Close(false);
        }
        if (!message.empty()) {
            Box note(ui_, gui::FILL, 18.0f);
            note.setTop(140.0f);
            // Labels choose their own colour; text in a colour of ours goes to the renderer.
            glColor(gui::orbobrand::Red);
            gui::render(ui_, normalFont_, message, 0);
        }
        if (submit && !user_.text().empty()) {
            if (onSubmit)
                onSubmit(user_.text(), password_.signature());
        }
    }

    // Our own band: no product logo, just the title and the close button of the default band.
    void doLogo(bool) override { gui::AppWindow::doLogo(false); }

    // Our own status line instead of the default text and notice.
    void doStatus(bool rule) override {
        if (rule)
            drawRule(0.0f);
        gui::Box line(ui_, gui::FILL, 16.0f);
        line.setTop(5.0f);
        line.setLeft(27.0f);
        glColor(gui::orbopal::Text);
        doLabel(L"Example Corp. \u2014 your data stays on this machine", verytinyFont_);
    }

private:
    gui::TextState user_;
    gui::PasswordState password_;
};

} // namespace signin
