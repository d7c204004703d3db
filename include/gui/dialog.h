// Dialogs: the base class of a host's dialog windows. A dialog is an application window with
// its own frame: an optional logo band, the content panel in which the subclass's doScene runs,
// an optional status band, Escape closing the window while nothing has the keyboard focus, a
// standard OK/Cancel pair (isOK), and an expando: an advanced section below a split line that a
// toggle button opens and closes by growing and shrinking the window.
//
// The expando is enabled while setExpandoHeight has given it a non-zero height. Opening it
// resizes the window at once; the open state takes effect from the next pass, so one pass
// never mixes the collapsed layout with the expanded size's content.
#pragma once

#include "gui/app_window.h"

#include <string>

namespace gui {

class Dialog : public AppWindow {
public:
    // showLogo and showStatus choose the bands; showLogoImage is what the logo band is asked
    // to show; extraFlag is kept for the host (the library does not read it). width and height
    // are the collapsed size, scaled as scale says; the expando's heights are used unscaled.
    Dialog(const boost::weak_ptr<orbotk::Window>& parent, const wchar_t* title, int width,
           int height, bool showLogo, bool showStatus, bool showLogoImage, bool extraFlag,
           scale_window_type scale);
    Dialog(wxWindow* parent, const wchar_t* title, int width, int height, bool showLogo,
           bool showStatus, bool showLogoImage, bool extraFlag, scale_window_type scale);
    Dialog(const Dialog& other);
    Dialog& operator=(const Dialog& other);

    void doPanel() override;
    void uiProcedure() override;

    // ---- The expando.
    bool expandoEnabled() const { return expandedHeight_ != collapsedHeight_; }
    // The open state of the pass in progress (or of the last pass, between passes).
    bool expandoOpened() const { return expandoOpened_; }
    // The y of the split line in window pixels: the toggle sits on it, the section below it.
    int expandoSplit() const { return expandoSplit_; }
    int expandoHeight() const { return expandedHeight_ - collapsedHeight_; }
    bool expandoVisible() const { return expandoVisible_; }
    bool extraFlag() const { return extraFlag_; }
    void setExpandoSplit(int y) { expandoSplit_ = y; }
    // The advanced section's height; 0 disables the expando.
    void setExpandoHeight(int h) { expandedHeight_ = collapsedHeight_ + h; }
    // The toggle's captions while closed (show) and open (hide); null keeps a caption.
    void setExpandoText(const wchar_t* show, const wchar_t* hide);
    // Hides or shows the toggle; an open expando stays open.
    void setExpandoVisible(bool visible) { expandoVisible_ = visible; }
    // Asks for the open state and resizes the window to it at once, keeping its width.
    void openExpando(bool open);

protected:
    // The toggle button on the split line; returns the open state of this pass.
    bool doExpand();
    // The OK/Cancel pair at the bottom right of the content panel, for a subclass's doScene:
    // true in the pass in which OK is activated, by the mouse, by Return or Space on the
    // focused button, or by Return released in one of the dialog's text fields (not a text
    // area, where Return breaks the line) while OK is enabled: the dialog's default button.
    // Call it after the fields, in the same pass. Cancel closes the window.
    virtual bool isOK(const Image& okImage, bool okEnabled);
    // The advanced section's controls, drawn while the expando is open.
    virtual void doAdvanced() {}

private:
    void initDialog(int height);
    // The panel around an open expando: lighting and boundary above and below the green band,
    // and the tray framing it.
    void doPanelSplit();

    bool showLogo_;
    bool showStatus_;
    bool showLogoImage_;
    bool expandoVisible_ = true;
    bool expandoRequested_ = false;
    bool expandoOpened_ = false;
    int expandoSplit_ = 0;
    int collapsedHeight_ = 0;
    int expandedHeight_ = 0;
    std::wstring showText_ = L"Show Advanced";
    std::wstring hideText_ = L"Hide Advanced";
    bool extraFlag_;
};

} // namespace gui
