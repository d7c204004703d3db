// The application window: the base class of every window the library shows. A subclass
// describes its interface in scene hooks that run once per event; the toolkit calls
// nvUIProcedure for every event, which runs uiProcedure with ui_ set to the event's context.
// The default uiProcedure lays out the window's bands (logo, content, status, panel) and calls
// doScene in the content panel. The class also wraps the top-level window operations a host
// needs.
//
// Threading: everything runs on the thread of the wxWidgets event loop.
#pragma once

#include "gui/box.h"
#include "gui/list_view.h"
#include "gui/palette.h"
#include "gui/popup_menu.h"
#include "gui/text_area.h"
#include "gui/textures.h"
#include "gui/ui.h"
#include "orbotk/window.h"
#include "orboutil/strings.h"

#include <boost/enable_shared_from_this.hpp>
#include <boost/function.hpp>
#include <string>
#include <utility>
#include <wx/cursor.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/iconbndl.h>
#include <wx/string.h>

class wxDropTarget;
class wxMouseEvent;
class wxWindow;

namespace gui {

class Image;

// SCALE_WINDOW scales the requested size by the screen's pixels per inch over 96; any other
// value (any int a caller stores is valid) uses it unchanged.
enum scale_window_type : int { SCALE_WINDOW = 0, NO_SCALE_WINDOW = 1 };

class AppWindow : public boost::enable_shared_from_this<AppWindow> {
public:
    typedef boost::function<std::pair<orbo::utf8_string, Image*>()> StatusInfo;

    // The toolkit window stays as it is; it only stops calling this object.
    virtual ~AppWindow();

    // ---- Scene hooks, in the order the toolkit's table holds them. The default pass bodies
    // (AppWindow's uiProcedure and Dialog's) call doLogo, doScene inside the content panel,
    // doStatus and doPanel, and never preScene or postScene: those two are left for a host's
    // own uiProcedure to call where it wants them. Work a host wants done once per pass goes
    // at the start or end of its doScene, or in an overridden uiProcedure around the base one.
    virtual void doLogo(bool showLogo);
    virtual void doStatus(bool rule);
    virtual void initTextures();
    virtual void doPanel();
    virtual void preScene() {} // not called by the default pass bodies
    virtual void doScene() {}
    virtual void postScene() {} // not called by the default pass bodies
    // The body of one pass.
    virtual void uiProcedure();
    virtual bool confirmClose() { return true; }
    virtual bool confirmSuspend() { return true; }

    // ---- Layout constants (window pixels): the content panel's left edge (23), the logo band
    // (60), progress bars and sliders (32), margins (4), scroll bars (23); the pixel heights the
    // standard fonts are made from (text 18, name 21, config 15, normal 11, tiny 10, very tiny
    // 9, message 13), the badge (25), the logo's offset (8) and the status band (24).
    static const float PANEL_X, PANEL_T, PROGRESS_H, MARGIN, SCROLL_SIZE;
    static const int TEXT_HEIGHT, NAME_HEIGHT, CONFIG_HEIGHT, NORMAL_HEIGHT, TINY_HEIGHT,
        VERYTINY_HEIGHT, MESSAGE_HEIGHT, BADGE_SIZE, LOGO_OFFSET, STATUS_HEIGHT;

    // ---- Toolkit callbacks, registered at construction. One pass: ui_ is the event's context
    // for its length; a std::exception escaping the scene is logged and ends only this pass.
    void nvUIProcedure(boost::shared_ptr<orbotk::UIContext> ui);
    bool nvConfirmClose() { return confirmClose(); }
    bool nvConfirmSuspend() { return confirmSuspend(); }

    // ---- Window operations, on the toolkit window; when it is gone they do nothing and
    // report false or empty values (Close reports true).
    boost::shared_ptr<orbotk::Window> window() const { return window_.lock(); }
    bool Show(bool show = true);
    bool Hide();
    bool Enable(bool enable = true);
    bool IsEnabled() const;
    bool IsShown() const;
    void SetToolTip(const wchar_t* text);
    wxWindow* GetParent() const;
    wxString GetTitle() const;
    void SetTitle(const wxString& title);
    void Refresh();
    // Repaints for state that changed outside the window's input (a timer, another thread);
    // callable from any thread. State changed in a scene or in response to input needs no
    // call: the window repaints after every key, button and wheel event by itself.
    void requestRepaint();
    void SetFocus();
    void Raise();
    void Iconize();
    wxSize GetSize() const;
    void SetSize(int width, int height);
    // Lets the user resize the window by its edges and corners, or maximise it, down to
    // minWidth x minHeight (0 x 0: fixed at its size again, as it starts). Scenes lay out from
    // the window's size in every pass, so they follow.
    void setResizable(int minWidth, int minHeight);
    void Move(int x, int y);
    void CenterOnParent(int direction = wxBOTH);
    void SetDropTarget(wxDropTarget* target);
    // Runs the modal loop; the window handle is not held while it runs. Returns the code given
    // to EndModal, or the escape result when the window was closed.
    int ShowModal();
    // Ends the modal loop with code, then closes the window.
    void EndModal(int code);
    bool Close(bool force = false);
    // The window follows the pointer until the left button is released.
    void BeginDrag(wxMouseEvent& event);
    bool setCursor(const wxCursor& cursor);
    // Runs f later on the UI thread.
    void postEval(boost::function<void()> f);

    // ---- Status bar and drawing state.
    void setStatus(const std::wstring& text) { status_ = text; }
    void setStatusHover(const std::wstring& text) { statusHover_ = text; }
    void setCloseTip(const std::wstring& text) { closeTip_ = text; }
    void setStatusCallbacks(const boost::function<void()>& onClick, const StatusInfo& info);
    // The context's current colour: fill, text and image tint of what is drawn next.
    void glColor(const orbo::tk::RGBA& colour);
    // Width of the content panel: the root box's width less 48.
    int panelW() const;
    // Shows text as the tooltip while the pointer is over the current box; null clears it. A
    // carriage return ends the shown text, a line feed shows as a space.
    void doToolTip(const wchar_t* text);

    // The default application picture (96 x 96), and the standard logo of the logo band.
    static const Image& defaultVortaIcon() { return veltdefault_; }
    static const Image& standardLogo() { return veltsmall_; }

    // ---- Chrome: a two-pixel etched line across the content panel, y pixels below the current
    // box's top.
    void drawRule(float y);

    // ---- Widgets. Each member draws and drives one widget in the current box, exactly as the
    // free function of the same name over ui() does; the widget's header documents it.
    // Labels (gui/labels.h).
    void doLabel(const wchar_t* text, const wxFont& font, bool enabled = true);
    void doLabel(const wchar_t* text, bool enabled = true);
    void doLabel(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
                 bool enabled = true);
    void doLabelFit(const wchar_t* text, const wxFont& font, bool enabled, bool keepStart);
    void doLabelFit(const wchar_t* text, bool enabled, bool keepStart);
    void doLabelCenter(const wchar_t* text, const wxFont& font, bool enabled, bool keepStart);
    void doLabelCenter(const wchar_t* text, bool enabled, bool keepStart);
    void doLabelLeft(const wchar_t* text, bool enabled = true);
    void doLabelRight(const wchar_t* text, bool enabled = true);
    void doLabelIndent(float& x, float y, const wchar_t* text, const wxFont& font,
                       bool enabled = true);
    void doLabelIndent(float& x, float y, const wchar_t* text, bool enabled = true);
    void doLabelIndentRight(float& x, float y, const wchar_t* text, bool enabled = true);
    void doTextWrap(float& height, const wchar_t* text, const wxFont& font, bool enabled = true);
    void doTextWrap(float& height, const wchar_t* text, bool enabled = true);

    // Image buttons (gui/button.h), push buttons (gui/push_button.h), links (gui/link.h).
    static const shape_t PUSHBUTTON_SHAPE; // 84 x 30
    bool doButton(orbotk::ControlID id, const Image& image, const Image& pressedImage,
                  const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
    bool doButton(orbotk::ControlID id, const Image& image, const wchar_t* label,
                  const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
    bool doButton(const Image& image, const wchar_t* label, bool enabled);
    bool doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip);
    bool doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                  const wchar_t* disabledTooltip, bool enabled);
    bool doButtonRight(orbotk::ControlID id, const Image& image, const wchar_t* label,
                       const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
    bool doButtonRight(const Image& image, const wchar_t* label, bool enabled);
    bool doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip);
    bool doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                       const wchar_t* disabledTooltip, bool enabled);
    bool doPushButton(orbotk::ControlID id, const Image& image, const wchar_t* label, bool enabled);
    bool doPushButton(orbotk::ControlID id, const wchar_t* label, bool enabled);
    bool doPushButton(const Image& image, const wchar_t* label, bool enabled);
    bool doPushButton(const wchar_t* label, bool enabled);
    bool doPushButton(orbotk::ControlID id, bool enabled);
    void renderPushButton(const orbo::tk::RGBA& colour, bool raised);
    bool doLink(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
                const wxFont& font, bool enabled);
    bool doLink(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip, bool enabled);
    bool doLink(const wchar_t* text, const wchar_t* tooltip, const wxFont& font, bool enabled);
    bool doLink(const wchar_t* text, const wchar_t* tooltip, bool enabled);

    // Checkboxes (gui/checkbox.h) and radio buttons (gui/radio.h).
    bool doCheckbox(orbotk::ControlID id, bool& value, const wchar_t* label, const wchar_t* tooltip,
                    const wchar_t* disabledTooltip, bool enabled);
    bool doCheckbox(bool& value, const wchar_t* label, bool enabled);
    bool doCheckbox(bool& value, const wchar_t* label, const wchar_t* tooltip,
                    const wchar_t* disabledTooltip, bool enabled);
    bool doRadio(bool& value, const wchar_t* label, const wchar_t* tooltip,
                 const wchar_t* disabledTooltip, bool enabled);
    unsigned int doRadioEasy(const wchar_t*& selected, unsigned int count,
                             const wchar_t* const* labels, bool enabled);

    // Combo boxes (gui/combo_box.h).
    unsigned int doComboBoxEasy(orbotk::ControlID id, bool& open, const wchar_t*& selected,
                                unsigned int count, const wchar_t* const* labels, bool enabled);
    unsigned int doComboBoxEasy(orbotk::ControlID id, bool& open, std::wstring& selected,
                                unsigned int count, std::wstring* labels, bool enabled);
    unsigned int doScrollComboBoxEasy(orbotk::ControlID id, bool& open, const wchar_t*& selected,
                                      unsigned int count, const wchar_t* const* labels,
                                      bool enabled, int& first, float& dragTop, float& dragMouse);
    unsigned int doScrollComboBoxEasy(orbotk::ControlID id, bool& open, std::wstring& selected,
                                      unsigned int count, std::wstring* labels, bool enabled,
                                      int& first, float& dragTop, float& dragMouse);
    bool doCombo(const wchar_t* item, const wchar_t*& selected, bool enabled);

    // The scroll bar (gui/scroll_bar.h), the list view (gui/list_view.h), the slider
    // (gui/slider.h) and the progress bar (gui/progress.h).
    int doVScroll(orbotk::ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
                  int min, int max, bool enabled);
    ListResult doList(orbotk::ControlID id, ListState& state, int count, std::set<int>& selection,
                      const boost::function<void(int row, bool selected)>& drawRow,
                      const ListOptions& options = ListOptions(), bool enabled = true);
    bool doHSlider(orbotk::ControlID id, float& value, float& dragValue, float min, float max,
                   const wchar_t* tooltip, bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, float& dragValue, float min, float max,
                   float step, const wchar_t* tooltip, bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, float min, float max, const wchar_t* tooltip,
                   bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, float& dragValue, const wchar_t* tooltip,
                   bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, const wchar_t* tooltip, bool enabled);
    bool doProgress(orbotk::ControlID id, float value, float min, float max,
                    const wchar_t* tooltip);
    bool doProgress(orbotk::ControlID id, float value, const wchar_t* tooltip);
    void doProgress(float value, float min, float max, const wchar_t* tooltip);
    void doProgress(float value, const wchar_t* tooltip);

    // The popup menu (gui/popup_menu.h).
    typedef gui::PopupItemType PopupItemType;
    static constexpr PopupItemType POPUP_CHECK = gui::POPUP_CHECK;
    static constexpr PopupItemType POPUP_NORMAL = gui::POPUP_NORMAL;
    static constexpr PopupItemType POPUP_SEPARATOR = gui::POPUP_SEPARATOR;
    typedef gui::PopupItem PopupItem;
    std::vector<PopupItem>::const_iterator doPopupMenu(const std::vector<PopupItem>& items);

    // The line edit (gui/line_edit.h) and the text area (gui/text_area.h).
    void doLineEdit(orbotk::ControlID id, TextState& state, const wchar_t* label, float labelWidth,
                    bool enabled = true);
    void doLineEdit(TextState& state, const wchar_t* label, float labelWidth, bool enabled = true);
    bool doTextArea(orbotk::ControlID id, TextAreaState& state, bool enabled = true);

    // The pass handle every widget function takes: the window's context, look and widget
    // memory. A host's own widgets take it as the library's do (docs/widgets.md).
    Ui& ui() { return pass_; }

    // The legal notice shown at the right of the status bar, unless the brand gives another.
    static const wchar_t* const NOTICE;

protected:
    // The shared activation rule and combo toggle (gui/behavior.h).
    bool controlSelectionBehavior(Box& box);
    bool controlComboSelectionBehavior(Box& box, bool open);

    AppWindow(const boost::weak_ptr<orbotk::Window>& parent, const wchar_t* title, int width,
              int height, scale_window_type scale);
    AppWindow(wxWindow* parent, const wchar_t* title, int width, int height,
              scale_window_type scale);
    AppWindow(const AppWindow& other);
    AppWindow& operator=(const AppWindow& other);

    std::wstring status_;
    std::wstring statusHover_;
    std::wstring statusShown_; // status_ as it fits the status area, ellipsis and all
    std::wstring closeTip_;
    boost::function<void()> statusClick_;
    StatusInfo statusInfo_;
    boost::shared_ptr<orbotk::UIContext> ui_;
    boost::weak_ptr<orbotk::Window> window_;
    bool popupOpen_ = false;

    // ---- The standard textures, fonts and cursors, shared by every window of the process.
    // Filled by initStandardTextures(), which initTextures() runs once per process; read-only
    // afterwards, except that a change of look redraws the pixels of the few pictures each
    // look has its own of (restyleStandardTextures), in place.
    static void initStandardTextures();
    static void restyleStandardTextures(LookStyle style);
    // The seven standard fonts, sized so text keeps its pixel height at the screen's
    // resolution: points = height * 7680 / (ppi * 100).
    static void initStandardFonts();
    static int standardFontPoints(int pixelHeight, int ppi);

    static Image veltdefault_, panelBoundary_, panelLighting_, trayLight_, veltsmall_, chevronUp_,
        chevronDown_, checkboxTex_, checkboxShade_, checkboxCheck_, mail_, battFill_, discussTex_,
        pacmanDot_, pacmanFill_, pacmanShade_, userdata_, deleteTex_, usernameTex_, closeTex_,
        helpTex_, disableI_, blankI_, offlineI_, noofflineI_, publishI_, fullscreenI_,
        nofullscreenI_, docsI_, deleteI_, discussI_, mailI_, infoI_, configureI_, vortaAdd_,
        vortaImport_, vortaPackage_, gearmenuTex_, vortaEdit_, subscribeTex_, abortTex_,
        autostartTex_, revertTex_, revertChangesTex_, revertSuspendedTex_, playTex_, pauseTex_,
        stopTex_, recordTex_, minTex_, scrollUp_, scrollDown_, scrollbarUp_, scrollbarDown_,
        backupTex_, backupDoneTex_, firstTimeTex_, progressWell_, progressFlat_, veltlogo_,
        usblogo_, dontUnplug_, radio_, radioCheck_, lock_, play1_, play2_, play3_, play_push1_,
        play_push2_, play_push3_, stop1_, stop_push1_, vertMarker_, libraryTex_,
        updateDownloadingTex_, updateOnDiskTex_, updateErrorTex_, shutdownTex_, rebootTex_, key_,
        caution_, warning_small_, error_, informational_, warning_, question_;
    // The message-box icons error_, informational_, warning_ and question_ come from the
    // platform's icon theme; circles_ holds the numbers 0 to 8.
    static Image circles_[9];

    static diced_t dicedBoundary_, dicedLighting_, dicedTray_, dicedButton_, dicedButtonShade_,
        dicedWell_, dicedProgress_, dicedBatt_;
    static bounds_t simpleBounds_, dicedBoundaryHBounds_, dicedBoundaryVBounds_,
        dicedLightingHBounds_, dicedLightingVBounds_, dicedTrayHBounds_, dicedTrayVBounds_,
        dicedButtonHBounds_, dicedButtonVBounds_, dicedButtonShadeHBounds_,
        dicedButtonShadeVBounds_, dicedWellBounds_, dicedProgressBounds_;

    static wxFont nameFont_, textFont_, tinyFont_, verytinyFont_, configFont_, normalFont_,
        messageBoxFont_;
    static wxCursor cursor_default_, cursor_draggable_, cursor_drop_target_;
    static wxIconBundle orboicon_;

private:
    void initAppWindow(const boost::shared_ptr<orbotk::UIContext>& ui, const wchar_t* title,
                       int width, int height, scale_window_type scale);

    bool registeredCallbacks_ = false; // this object, not a copy, is what the toolkit calls
    Ui pass_{ui_, popupOpen_};
};

} // namespace gui
