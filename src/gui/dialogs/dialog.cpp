// The dialog frame: bands, Escape, the OK/Cancel pair, and the expando with its split panel.
#include "gui/dialog.h"

#include "gui/palette.h"
#include "gui/render.h"

namespace gui {

using orbotk::ControlID;

Dialog::Dialog(const boost::weak_ptr<orbotk::Window>& parent, const wchar_t* title, int width,
               int height, bool showLogo, bool showStatus, bool showLogoImage, bool extraFlag,
               scale_window_type scale)
    : AppWindow(parent, title, width, height, scale), showLogo_(showLogo), showStatus_(showStatus),
      showLogoImage_(showLogoImage), extraFlag_(extraFlag) {
    initDialog(height);
}

Dialog::Dialog(wxWindow* parent, const wchar_t* title, int width, int height, bool showLogo,
               bool showStatus, bool showLogoImage, bool extraFlag, scale_window_type scale)
    : AppWindow(parent, title, width, height, scale), showLogo_(showLogo), showStatus_(showStatus),
      showLogoImage_(showLogoImage), extraFlag_(extraFlag) {
    initDialog(height);
}

Dialog::Dialog(const Dialog& other) = default;
Dialog& Dialog::operator=(const Dialog& other) = default;

void Dialog::initDialog(int height) {
    collapsedHeight_ = height;
    expandedHeight_ = height;
    if (boost::shared_ptr<orbotk::Window> w = window()) {
        w->setKind(orbotk::Window::Kind::Dialog);
        w->setAccessibleRole(orbotk::Role::Dialog);
    }
    SetFocus();
}

void Dialog::setExpandoText(const wchar_t* show, const wchar_t* hide) {
    if (show)
        showText_ = show;
    if (hide)
        hideText_ = hide;
}

void Dialog::openExpando(bool open) {
    expandoRequested_ = open;
    SetSize(GetSize().x, open ? expandedHeight_ : collapsedHeight_);
}

// ---- The pass

void Dialog::uiProcedure() {
    // A toggle asked for in the last pass applies from here on, for the whole pass.
    expandoOpened_ = expandoRequested_;
    Box root(ui_, ControlID(), true);

    // Escape belongs to a focused control (a text box deselects with it); with none, it closes.
    if (ui_->focusedID().name().empty() && root.keyDown(WXK_ESCAPE))
        Close(false);

    float top = 18.0f;
    if (showLogo_) {
        Box logo(ui_, FILL, PANEL_T, ControlID(), true);
        doLogo(showLogoImage_);
        top = 64.0f;
    }
    const float bottom = showStatus_ ? static_cast<float>(STATUS_HEIGHT) : 0.0f;
    {
        Box content(ui_, static_cast<float>(panelW()), -26.0f - top - bottom, ControlID(), true);
        content.setTop(top);
        content.setLeft(PANEL_X);
        doScene();
    }
    // A focused field that had nothing to deselect leaves Escape to the dialog.
    if (ui_->escapePassed)
        Close(false);
    if (expandoEnabled() && expandoVisible_) {
        Box toggle(ui_, FILL, 27.0f, ControlID(), true);
        toggle.setRight(-PANEL_X);
        toggle.setBottom(static_cast<float>(expandoSplit_));
        doExpand();
    }
    if (showStatus_) {
        Box status(ui_, FILL, static_cast<float>(STATUS_HEIGHT), ControlID(), true);
        status.setBottom(-static_cast<float>(STATUS_HEIGHT));
        doStatus(!expandoEnabled());
    }
    doPanel();
    renderModulate(ui_, orbopal::WhiteGradientTop, orbopal::WhiteGradientBottom);
}

void Dialog::doPanel() {
    if (expandoOpened_) {
        doPanelSplit();
        return;
    }
    if (expandoEnabled())
        drawRule(static_cast<float>(expandoSplit_));
    AppWindow::doPanel();
}

bool Dialog::doExpand() {
    const bool open = expandoOpened_;
    const std::wstring& caption = open ? hideText_ : showText_;
    if (doButtonRight(ControlID(caption), open ? chevronUp_ : chevronDown_, caption.c_str(),
                      nullptr, nullptr, true))
        openExpando(!open);
    return open;
}

bool Dialog::isOK(const Image& okImage, bool okEnabled) {
    bool result;
    {
        Box ok(ui_, PUSHBUTTON_SHAPE);
        ok.setRight(-PUSHBUTTON_SHAPE.width - 4.0f);
        ok.setBottom(-4.0f);
        glColor(orbopal::OKButton);
        result = doPushButton(ControlID(L"DialogOK"), okImage, L" OK", okEnabled);
    }
    // Return in a field is the default button's, as in the desktop's own dialogs. Text boxes
    // report it when released in them; a text area keeps Return for its lines.
    if (ui_->returnReleased && okEnabled && IsEnabled())
        result = true;
    {
        Box cancel(ui_, PUSHBUTTON_SHAPE);
        cancel.setRight(FILL);
        cancel.setBottom(-4.0f);
        glColor(orbopal::CancelButton);
        if (doPushButton(ControlID(L"DialogCancel"), abortTex_, L"Cancel", true))
            Close(false);
    }
    return result;
}

// ---- The split panel

namespace {

// Two rows of a 3 x 3 cut (sharing its images) with the bounds that draw them: the column
// bounds of its first row, and rows that keep the first row's height at the top (upper) or the
// last row's at the bottom (lower), the middle row stretching between.
struct RowPair {
    diced_t cells{boost::extents[2][3]};
    bounds_t columns, rows;
    RowPair(const diced_t& d, bool upper) {
        const int first = upper ? 0 : 1;
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 3; ++j)
                cells[i][j] = d[first + i][j];
        columns =
            capBounds(static_cast<float>(cells[0][0].w()), -static_cast<float>(cells[0][2].w()));
        rows = upper ? bounds_t{0.0f, static_cast<float>(cells[0][0].h()), FILL}
                     : bounds_t{0.0f, -static_cast<float>(cells[1][0].h()), FILL};
    }
    void render(const ui_t& ui) const { renderDiced(ui, cells, columns, rows); }
};

} // namespace

void Dialog::doPanelSplit() {
    const float s = static_cast<float>(expandoSplit_);
    const float e = static_cast<float>(expandoHeight());
    const float H = static_cast<float>(ui_->current()->h);
    // Cut once: the textures are the process's and never change.
    static const RowPair lightingAbove(dicedLighting_, true), lightingBelow(dicedLighting_, false);
    static const RowPair boundaryAbove(dicedBoundary_, true), boundaryBelow(dicedBoundary_, false);
    static const bounds_t trayColumns = capBounds(static_cast<float>(dicedTray_[0][0].w()),
                                                  -static_cast<float>(dicedTray_[0][2].w()));
    static const bounds_t trayRows = capBounds(static_cast<float>(dicedTray_[0][0].h()),
                                               -static_cast<float>(dicedTray_[2][0].h()));

    glColor(Color::White);
    {
        Box above(ui_, FILL, s - 6.0f);
        lightingAbove.render(ui_);
    }
    {
        Box below(ui_, FILL, H - e - s - 6.0f);
        below.setBottom(FILL);
        lightingBelow.render(ui_);
    }
    {
        Box above(ui_, FILL, s);
        glColor(orbopal::Panel);
        boundaryAbove.render(ui_);
    }
    {
        Box band(ui_, -34.0f, e);
        band.setLeft(17.0f);
        band.setTop(s);
        glColor(Color::White);
        {
            Box inner(ui_, -2.0f * MARGIN, -2.0f * MARGIN);
            inner.setTop(MARGIN);
            inner.setLeft(MARGIN);
            doAdvanced();
        }
        render(ui_, orbopal::GreenGradientTop, orbopal::GreenGradientBottom);
        pinstripes(ui_, 250);
    }
    {
        Box below(ui_, FILL, H - s - e);
        below.setTop(s + e);
        glColor(orbopal::Panel);
        boundaryBelow.render(ui_);
    }
    {
        Box tray(ui_, FILL, e + 12.0f);
        tray.setTop(s - 6.0f);
        renderDiced(ui_, dicedTray_, trayColumns, trayRows);
    }
}

} // namespace gui
