// A window's input method: the platform's composition shown in the focused field at its caret,
// whole commits typed as one edit, key releases fed to methods that need them, and no method
// at all for a password field.
#include "orbotk/context.h"
#include "orbotk/window.h"

#include <gtk/gtk.h>
#include <string>
#include <wx/string.h>

namespace orbotk {

void Window::onPreeditChanged(void* context, void* self) {
    auto* w = static_cast<Window*>(self);
    gchar* text = nullptr;
    gint cursor = 0;
    gtk_im_context_get_preedit_string(static_cast<GtkIMContext*>(context), &text, nullptr, &cursor);
    const wxString composed = wxString::FromUTF8(text ? text : "");
    g_free(text);
    w->context_->setPreedit(composed.ToStdWstring(), cursor);
    w->Refresh();
}

int Window::onCommitStarts(void*, unsigned n, const void* values, void* self) {
    auto* w = static_cast<Window*>(self);
    const auto* params = static_cast<const GValue*>(values);
    if (n >= 2 && g_value_peek_pointer(&params[0]) == w->inputMethod_) {
        const char* text = g_value_get_string(&params[1]);
        const std::wstring s = wxString::FromUTF8(text ? text : "").ToStdWstring();
        if (s.size() > 1) // one character is typed as any other
            w->context_->setCommitted(s);
    }
    return TRUE; // stays for the next commit
}

void Window::onCommitEnded(void*, const char*, void* self) {
    static_cast<Window*>(self)->context_->setCommitted(std::wstring());
}

void Window::feedInputMethod(wxEvent& event) {
    // wxWidgets gives the input method each key press but no release, and a method that
    // composes while modifiers are held (Ctrl+Shift+U, hex digits) needs both. Events the
    // driver sends are not the platform's: GTK has no current event for them.
    if (event.GetEventType() != wxEVT_KEY_UP || canvas_->m_imContext == nullptr)
        return;
    if (GdkEvent* current = gtk_get_current_event()) {
        if (current->type == GDK_KEY_RELEASE)
            gtk_im_context_filter_keypress(canvas_->m_imContext, &current->key);
        gdk_event_free(current);
    }
}

void Window::followInputMethod() {
    if (canvas_ == nullptr)
        return;
    if (inputMethod_ == nullptr && canvas_->m_imContext) { // wxWidgets makes it when it is shown
        inputMethod_ = canvas_->m_imContext;
        // wxWidgets turns the pre-edit off, and methods that honour that (ibus, fcitx) then
        // show the composition in a popup of their own: it belongs in the field, at the caret.
        gtk_im_context_set_use_preedit(static_cast<GtkIMContext*>(inputMethod_), TRUE);
        g_signal_connect(inputMethod_, "preedit-changed", G_CALLBACK(&Window::onPreeditChanged),
                         this);
        g_signal_connect(inputMethod_, "preedit-end", G_CALLBACK(&Window::onPreeditChanged), this);
        commitHook_ = g_signal_add_emission_hook(
            g_signal_lookup("commit", GTK_TYPE_IM_CONTEXT), 0,
            reinterpret_cast<GSignalEmissionHook>(&Window::onCommitStarts), this, nullptr);
        g_signal_connect_after(inputMethod_, "commit", G_CALLBACK(&Window::onCommitEnded), this);
    }
    if (inputMethod_ == nullptr)
        return;
    auto* im = static_cast<GtkIMContext*>(inputMethod_);
    // A password field gets no input method, as the platform's own password entries: keys
    // then become characters as they are, and nothing is composed.
    const bool secret = context_->focusIsSecret();
    if (secret && canvas_->m_imContext) {
        gtk_im_context_reset(im);
        gtk_im_context_focus_out(im);
        canvas_->m_imContext = nullptr;
        context_->setPreedit(std::wstring(), 0);
    } else if (!secret && canvas_->m_imContext == nullptr) {
        canvas_->m_imContext = im;
        if (wxWindow::FindFocus() == canvas_)
            gtk_im_context_focus_in(im);
    }
    // The focus moved to another control: what was being composed there is dropped or
    // committed, as the method decides, and is not carried over.
    if (context_->focusKey_ != imFocus_) {
        imFocus_ = context_->focusKey_;
        gtk_im_context_reset(im);
        context_->setPreedit(std::wstring(), 0);
    }
    if (!secret && context_->caretRect_.set) {
        const auto& c = context_->caretRect_;
        GdkRectangle at{c.x, c.y, c.w, c.h}; // GTK scales it with the window
        gtk_im_context_set_cursor_location(im, &at);
        context_->shownCaret_ = c;
    }
}

} // namespace orbotk
