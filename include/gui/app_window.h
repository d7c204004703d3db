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
#include "gui/text_area.h"
#include "gui/text_state.h"
#include "gui/textures.h"
#include "orbotk/context.h"
#include "orbotk/rgba.h"
#include "orbotk/window.h"
#include "orboutil/strings.h"

#include <boost/enable_shared_from_this.hpp>
#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/tuple/tuple.hpp>
#include <boost/weak_ptr.hpp>
#include <set>
#include <string>
#include <utility>
#include <vector>
#include <wx/bitmap.h>
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
// value uses it unchanged.
// The underlying type is fixed so that any int a caller stores is a valid value.
enum scale_window_type : int { SCALE_WINDOW = 0, NO_SCALE_WINDOW = 1 };

class AppWindow : public boost::enable_shared_from_this<AppWindow> {
public:
    typedef boost::function<std::pair<orbo::utf8_string, Image*>()> StatusInfo;

    // Releases the members. The toolkit window stays as it is; it only stops calling this
    // object.
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

    // ---- Layout constants (window pixels).
    static const float PANEL_X;    // 23: left edge of the content panel
    static const float PANEL_T;    // 60: height of the logo band
    static const float PROGRESS_H; // 32
    static const float MARGIN;     // 4
    static const float SCROLL_SIZE;
    // Pixel heights from which the standard fonts are made.
    static const int TEXT_HEIGHT;
    static const int NAME_HEIGHT;
    static const int CONFIG_HEIGHT;
    static const int NORMAL_HEIGHT;
    static const int TINY_HEIGHT;
    static const int VERYTINY_HEIGHT;
    static const int MESSAGE_HEIGHT;
    static const int BADGE_SIZE;
    static const int LOGO_OFFSET;
    static const int STATUS_HEIGHT;

    // ---- Toolkit callbacks, registered at construction.
    // One pass: ui_ is the event's context for its length; a std::exception that escapes the
    // scene is logged ("uiProcedure failed: ...") and ends only this pass.
    void nvUIProcedure(boost::shared_ptr<orbotk::UIContext> ui);
    bool nvConfirmClose() { return confirmClose(); }
    bool nvConfirmSuspend() { return confirmSuspend(); }

    // ---- Window operations. Each reaches the toolkit window; when it is gone, they do nothing
    // and report false / empty values, Close reports true.
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

    // ---- Chrome.
    // A two-pixel etched line across the content panel, y pixels below the current box's top.
    void drawRule(float y);

    // ---- Labels. Text goes into the current box (W x H), one pixel below its top, in
    // orbopal::Text, or orbopal::DisabledText when the window or the label is disabled; the
    // colour stays current afterwards. Without a font, configFont_.
    void doLabel(const wchar_t* text, const wxFont& font, bool enabled = true);
    void doLabel(const wchar_t* text, bool enabled = true);
    // With a tooltip shown over the current box.
    void doLabel(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
                 bool enabled = true);
    // Shortened to W with "..." at the end (keepStart) or the start.
    void doLabelFit(const wchar_t* text, const wxFont& font, bool enabled, bool keepStart);
    void doLabelFit(const wchar_t* text, bool enabled, bool keepStart);
    // Shortened to W and centred.
    void doLabelCenter(const wchar_t* text, const wxFont& font, bool enabled, bool keepStart);
    void doLabelCenter(const wchar_t* text, bool enabled, bool keepStart);
    // Shortened to W, left-aligned, with the full text as tooltip.
    void doLabelLeft(const wchar_t* text, bool enabled = true);
    // Shortened to W, right-aligned.
    void doLabelRight(const wchar_t* text, bool enabled = true);
    // At (x, y) in the current box, shortened to what is left of W; x advances past it.
    void doLabelIndent(float& x, float y, const wchar_t* text, const wxFont& font,
                       bool enabled = true);
    void doLabelIndent(float& x, float y, const wchar_t* text, bool enabled = true);
    // Ending x pixels in from the right edge; x advances past it (labels run right to left).
    void doLabelIndentRight(float& x, float y, const wchar_t* text, bool enabled = true);
    // Word-wrapped to W; height receives the height of the wrapped block (in every event).
    void doTextWrap(float& height, const wchar_t* text, const wxFont& font, bool enabled = true);
    void doTextWrap(float& height, const wchar_t* text, bool enabled = true);

    // ---- Buttons. Each returns true in the one pass in which the user completes an
    // activation: a press on the button and a release anywhere, or Return or Space released
    // while it has keyboard focus. A button that is disabled (itself or its window) ignores
    // input and shows disabledTooltip (or tooltip when that is null). Without a ControlID the
    // caption (or, for links, the tooltip) is the identity.
    static const shape_t PUSHBUTTON_SHAPE; // 84 x 30

    // An icon covering the current box that shows pressedImage while held.
    bool doButton(orbotk::ControlID id, const Image& image, const Image& pressedImage,
                  const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
    // An icon with a caption right of it; icon and caption are the click area.
    bool doButton(orbotk::ControlID id, const Image& image, const wchar_t* label,
                  const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
    bool doButton(const Image& image, const wchar_t* label, bool enabled);
    bool doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip);
    bool doButton(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                  const wchar_t* disabledTooltip, bool enabled);
    // The same, flush with the right edge, the caption left of the icon.
    bool doButtonRight(orbotk::ControlID id, const Image& image, const wchar_t* label,
                       const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled);
    bool doButtonRight(const Image& image, const wchar_t* label, bool enabled);
    bool doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip);
    bool doButtonRight(const Image& image, const wchar_t* label, const wchar_t* tooltip,
                       const wchar_t* disabledTooltip, bool enabled);
    // A raised body in the current colour (set it before the call) covering the current box,
    // with an optional icon and caption.
    bool doPushButton(orbotk::ControlID id, const Image& image, const wchar_t* label, bool enabled);
    bool doPushButton(orbotk::ControlID id, const wchar_t* label, bool enabled);
    bool doPushButton(const Image& image, const wchar_t* label, bool enabled);
    bool doPushButton(const wchar_t* label, bool enabled);
    bool doPushButton(orbotk::ControlID id, bool enabled);
    // The push-button body over the current box: shade (light when raised), then the body.
    void renderPushButton(const orbo::tk::RGBA& colour, bool raised);
    // Underlined text at the current box's origin, as wide as its (fitted) text.
    bool doLink(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip,
                const wxFont& font, bool enabled);
    bool doLink(orbotk::ControlID id, const wchar_t* text, const wchar_t* tooltip, bool enabled);
    bool doLink(const wchar_t* text, const wchar_t* tooltip, const wxFont& font, bool enabled);
    bool doLink(const wchar_t* text, const wchar_t* tooltip, bool enabled);

    // ---- Checkboxes and radio buttons. The caption starts checkboxTex_ width + 8 in and the
    // control covers icon and caption over the current box's full height. Tooltips: tooltip
    // while enabled, else disabledTooltip (tooltip when that is null), anywhere over the control.
    // A checkbox toggles value once per completed activation (click and release, or Return or
    // Space with focus) and returns true in that pass; while held it shows a grey tick. Without
    // an id, the label is the identity.
    bool doCheckbox(orbotk::ControlID id, bool& value, const wchar_t* label, const wchar_t* tooltip,
                    const wchar_t* disabledTooltip, bool enabled);
    bool doCheckbox(bool& value, const wchar_t* label, bool enabled);
    bool doCheckbox(bool& value, const wchar_t* label, const wchar_t* tooltip,
                    const wchar_t* disabledTooltip, bool enabled);
    // A radio button sets value on the press (never clears it) and returns true then; pressing
    // a selected one does nothing. Radio buttons that follow one another are a group for the
    // keyboard: Tab stops once in it, at the selected button; the arrows move the focus within
    // it and select the button they reach; Space selects the focused one.
    bool doRadio(bool& value, const wchar_t* label, const wchar_t* tooltip,
                 const wchar_t* disabledTooltip, bool enabled);
    // A group of count rows, 24 pixels apart. selected points at the chosen entry of labels
    // (compared by address, not text). Returns the row pressed this pass, or 0xFFFFFFFF.
    unsigned int doRadioEasy(const wchar_t*& selected, unsigned int count,
                             const wchar_t* const* labels, bool enabled);

    // ---- Combo boxes: a 28-high header showing *selected with a chevron, and a list that hangs
    // below it while open. A closed box opens on a click, Return, Space or Down; an open one
    // closes on a click, Return, Space or Escape. At most one combo box of a window is open:
    // opening one closes the other on its next pass. Choosing an entry points selected at it,
    // closes the list and returns its index in that pass; every other pass returns 0xFFFFFFFF.
    // open is written on every pass while the box is enabled; a disabled box shows the list
    // when the caller passes open true. Scenes draw combo boxes before what their lists hang
    // over.
    unsigned int doComboBoxEasy(orbotk::ControlID id, bool& open, const wchar_t*& selected,
                                unsigned int count, const wchar_t* const* labels, bool enabled);
    unsigned int doComboBoxEasy(orbotk::ControlID id, bool& open, std::wstring& selected,
                                unsigned int count, std::wstring* labels, bool enabled);
    // At most five entries at a time, from first, beside a scroll bar named "scroll" whose drag
    // state is dragTop and dragMouse.
    unsigned int doScrollComboBoxEasy(orbotk::ControlID id, bool& open, const wchar_t*& selected,
                                      unsigned int count, const wchar_t* const* labels,
                                      bool enabled, int& first, float& dragTop, float& dragMouse);
    unsigned int doScrollComboBoxEasy(orbotk::ControlID id, bool& open, std::wstring& selected,
                                      unsigned int count, std::wstring* labels, bool enabled,
                                      int& first, float& dragTop, float& dragMouse);
    // One list entry covering the current box, named by its text: true in the pass in which it
    // is chosen (click and release), when selected is pointed at item.
    bool doCombo(const wchar_t* item, const wchar_t*& selected, bool enabled);

    // ---- Vertical scroll bar along the current box's right edge, for a list of max - min + 1
    // rows of which visible fit; pos is the first visible row. Arrows step one row and the
    // areas beside the thumb one page, on the release after a press; the thumb drags in steps
    // of more than 5 pixels until any left release in the window. dragTop and dragMouse are
    // the caller's drag state (both 0 when idle). Nothing is drawn when every row fits. A
    // named bar takes the keyboard focus (with the buttons' focus border round its thumb):
    // Up and Down step a row, Page Up and Page Down a page, Home and End go to the ends.
    // Returns pos.
    int doVScroll(orbotk::ControlID id, int& pos, int visible, float& dragTop, float& dragMouse,
                  int min, int max, bool enabled);

    // ---- List view over the current box: rows of one height over a count the caller owns.
    // Only the rows in view are drawn: drawRow(row, selected) runs for each of them with the
    // current box on the row, and draws its content (labels, the library's own controls, which
    // work there as anywhere); the list draws what lies behind (selection, hover, every other
    // row shaded when asked, the focus border on the focused row), its border and background,
    // and its scroll bar at the right when the rows do not fit. The selection is the caller's
    // set of row indices, read and written by the list:
    //   click                 selects the row alone (LIST_SELECT_MULTIPLE: Ctrl toggles it,
    //                         Shift selects from the anchor to it); the list takes the focus
    //   double click, Return  activation of the row (ListResult::activated)
    //   right click           selects the row unless it is selected, and reports it with the
    //                         pointer's place (ListResult::menuRow, menuX, menuY) for a menu
    //   Up, Down, Page Up, Page Down, Home, End   move the focused row (Shift extends)
    //   Space                 toggles the focused row (selects it in single selection)
    //   a letter              the next row whose label starts with it, when labels are given
    //   the wheel             three rows a notch, anywhere over the list and its rows' controls
    // The focused row is kept in view after each key. An empty list shows emptyText.
    // The types are in gui/list_view.h.
    ListResult doList(orbotk::ControlID id, ListState& state, int count, std::set<int>& selection,
                      const boost::function<void(int row, bool selected)>& drawRow,
                      const ListOptions& options = ListOptions(), bool enabled = true);

    // ---- Horizontal slider across the current box, 32 high. Dragging the knob moves
    // dragValue on every pass; value is committed (and true returned) when the knob is dropped
    // within 15 pixels beside or 45 above or below the slider. Forms without min and max work
    // in 0 ... 100; forms without dragValue discard it. The tooltip shows over the knob of a
    // disabled slider. A focused slider moves by keys (Left and Right a step, Page Up and Page
    // Down ten, Home and End to the ends) and the wheel, and commits each move at once; the
    // step is 1 % of the range unless given.
    bool doHSlider(orbotk::ControlID id, float& value, float& dragValue, float min, float max,
                   const wchar_t* tooltip, bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, float& dragValue, float min, float max,
                   float step, const wchar_t* tooltip, bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, float min, float max, const wchar_t* tooltip,
                   bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, float& dragValue, const wchar_t* tooltip,
                   bool enabled);
    bool doHSlider(orbotk::ControlID id, float& value, const wchar_t* tooltip, bool enabled);

    // ---- Progress bar across the current box, 32 high, its fill in the current colour (which
    // is left as it was). A fill narrower than 32 pixels shows as a 32-pixel stub fading from
    // half-transparent grey to white. Returns true in the pass of a double click. Forms without
    // min and max take value as a percentage; forms without an id use the tooltip as identity.
    bool doProgress(orbotk::ControlID id, float value, float min, float max,
                    const wchar_t* tooltip);
    bool doProgress(orbotk::ControlID id, float value, const wchar_t* tooltip);
    void doProgress(float value, float min, float max, const wchar_t* tooltip);
    void doProgress(float value, const wchar_t* tooltip);

    // ---- Popup menu: a native menu (not drawn by the renderer) that opens below the current
    // box, aligned with its left edge, and returns when the user picks an item or dismisses it.
    // Call it from an input branch of a scene (after a click), not on every pass. Items are
    // check items, plain items or separators (any other type); enabled and checked are read
    // when the menu opens, and the menu does not write a check item back: the caller flips its
    // own flag from the returned item. The bitmaps and the int travel with the item unused.
    // Returns the picked item, or items.end() when the menu was dismissed or a popup menu of
    // this window is already open.
    enum PopupItemType : int { POPUP_CHECK = 0, POPUP_NORMAL = 1, POPUP_SEPARATOR = 2 };
    typedef boost::tuple<PopupItemType, std::wstring, bool*, bool*, wxBitmap, wxBitmap, int>
        PopupItem;
    std::vector<PopupItem>::const_iterator doPopupMenu(const std::vector<PopupItem>& items);

    // ---- Line edit: a labelled single-line text field filling the current box's width. The
    // label column is as wide as the label (labelWidth 0) or labelWidth pixels with the label
    // right-aligned; the field starts 6 pixels after it. The first enabled field of a window
    // with nothing focused takes the keyboard. Without an id, the state's address is the
    // identity, so each state is its own tab stop.
    void doLineEdit(orbotk::ControlID id, TextState& state, const wchar_t* label, float labelWidth,
                    bool enabled = true);
    void doLineEdit(TextState& state, const wchar_t* label, float labelWidth, bool enabled = true);

    // ---- Text area: a field of several lines filling the current box, on a TextAreaState
    // (gui/text_area.h). Lines wrap at word boundaries to the width (or scroll sideways when
    // the state does not wrap); Return breaks the line and Ctrl+Return is the area's
    // submission: true in that pass. Up and Down keep the caret's x, Home and End go to the
    // visual line's ends, Ctrl+Home and Ctrl+End to the text's, Page Up and Page Down by what
    // is in view; everything else is the line edit's table (text_box.h), undo and the
    // clipboard included. A scroll bar shows when the lines do not fit; the wheel scrolls
    // three lines a notch, and the caret is kept in view as it moves. A read-only state
    // selects and copies and changes nothing.
    bool doTextArea(orbotk::ControlID id, TextAreaState& state, bool enabled = true);

    // The legal notice shown at the right of the status bar, unless the brand gives another.
    static const wchar_t* const NOTICE;

protected:
    // The shared activation rule of click-and-release controls: true once per completed click
    // or key press; draws the keyboard-focus border around the current box.
    bool controlSelectionBehavior(Box& box);
    // The toggle rule of combo boxes: true when the list opens (click, Return, Space, Down on a
    // closed box) or closes (click, Return, Space, Escape on an open one). Keys other than
    // Escape need focus; draws the focus border like controlSelectionBehavior.
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
    // A control's own caption is being drawn: it names the control and is not a label of its
    // own to screen readers. Set it around a widget's caption.
    bool caption_ = false;

    // ---- The standard textures, fonts and cursors, shared by every window of the process.
    // Filled by initStandardTextures(), which initTextures() runs once per process; read-only
    // afterwards.
    static void initStandardTextures();
    // The seven standard fonts, sized so text keeps its pixel height at the screen's
    // resolution: points = height * 7680 / (ppi * 100).
    static void initStandardFonts();
    static int standardFontPoints(int pixelHeight, int ppi);

    static Image veltdefault_, panelBoundary_, panelLighting_, trayLight_, veltsmall_;
    static Image chevronUp_, chevronDown_, checkboxTex_, checkboxShade_, checkboxCheck_;
    static Image mail_, battFill_, discussTex_, pacmanDot_, pacmanFill_, pacmanShade_;
    static Image userdata_, deleteTex_, usernameTex_, closeTex_, helpTex_;
    static Image disableI_, blankI_, offlineI_, noofflineI_, publishI_, fullscreenI_;
    static Image nofullscreenI_, docsI_, deleteI_, discussI_, mailI_, infoI_, configureI_;
    static Image vortaAdd_, vortaImport_, vortaPackage_, gearmenuTex_, vortaEdit_;
    static Image subscribeTex_, abortTex_, autostartTex_, revertTex_, revertChangesTex_;
    static Image revertSuspendedTex_, playTex_, pauseTex_, stopTex_, recordTex_, minTex_;
    static Image scrollUp_, scrollDown_, scrollbarUp_, scrollbarDown_;
    static Image backupTex_, backupDoneTex_, firstTimeTex_, progressWell_, progressFlat_;
    static Image veltlogo_, usblogo_, dontUnplug_, radio_, radioCheck_, lock_;
    static Image play1_, play2_, play3_, play_push1_, play_push2_, play_push3_;
    static Image stop1_, stop_push1_, vertMarker_, libraryTex_;
    static Image updateDownloadingTex_, updateOnDiskTex_, updateErrorTex_;
    static Image shutdownTex_, rebootTex_, key_, caution_, warning_small_;
    static Image error_, informational_, warning_, question_; // message-box icons
    static Image circles_[9];                                 // the numbers 0 to 8

    static diced_t dicedBoundary_, dicedLighting_, dicedTray_, dicedButton_, dicedButtonShade_;
    static diced_t dicedWell_, dicedProgress_, dicedBatt_;
    static bounds_t simpleBounds_;
    static bounds_t dicedBoundaryHBounds_, dicedBoundaryVBounds_;
    static bounds_t dicedLightingHBounds_, dicedLightingVBounds_;
    static bounds_t dicedTrayHBounds_, dicedTrayVBounds_;
    static bounds_t dicedButtonHBounds_, dicedButtonVBounds_;
    static bounds_t dicedButtonShadeHBounds_, dicedButtonShadeVBounds_;
    static bounds_t dicedWellBounds_, dicedProgressBounds_;

    static wxFont nameFont_, textFont_, tinyFont_, verytinyFont_, configFont_, normalFont_,
        messageBoxFont_;
    static wxCursor cursor_default_, cursor_draggable_, cursor_drop_target_;
    static wxIconBundle orboicon_;

private:
    void initAppWindow(const boost::shared_ptr<orbotk::UIContext>& ui, const wchar_t* title,
                       int width, int height, scale_window_type scale);

    // Activation and icon tint of a captioned image button (ActiveButton while held, focused
    // or activated; DisabledButton when off).
    orbo::tk::RGBA iconButtonBehavior(Box& button, bool on, bool& result);
    // An image button with a caption, placed from the left or (mirrored) the right edge.
    bool captionedButton(orbotk::ControlID id, const Image& image, const wchar_t* label,
                         const wchar_t* tooltip, const wchar_t* disabledTooltip, bool enabled,
                         bool right);
    // A push button with an optional icon (the caption starts after it, or at 8).
    bool pushButton(orbotk::ControlID id, const Image* image, const wchar_t* label, bool enabled);
    // The combo box's header and list: the list (drawn by list) shows when open, and only the
    // header box's rectangle is drawn when closed.
    unsigned int comboBox(orbotk::ControlID id, bool& open, const wchar_t*& selected,
                          unsigned int count, const wchar_t* const* labels,
                          const boost::function<unsigned int()>& list, bool enabled);
    // The open list's own answers, for the list box: a click on its margin closes it.
    void comboListMargin(Box& list);
    // Entries first to end - 1 of labels, 20 apart from 22 down in the list box: the index of
    // the one chosen this pass, or 0xFFFFFFFF.
    unsigned int comboEntries(const wchar_t*& selected, const wchar_t* const* labels,
                              unsigned int first, unsigned int end);
    // A focused field's text with the input method's composition at its caret (underlined,
    // its cursor as the caret), and the caret's place told to the platform.
    void composeAtCaret(Box& field, const TextState& state);
    // The dashed black border of keyboard focus around the current box; the colour stays.
    void drawFocusBorder();
    // The background of a combo box over the current box (its list when open, its header when
    // closed): shade, then body in the panel colour.
    void drawComboList();
    // The thin white well of sliders and progress bars: 4 high, 10 in from each side and 14
    // down in the current box.
    void drawWell();
    // A fitted label in a box at (x, y), placed from the left or the right edge.
    void indentedLabel(float& x, float y, const wchar_t* text, const wxFont& font, bool enabled,
                       bool fromRight);

    bool registeredCallbacks_ = false; // this object, not a copy, is what the toolkit calls
    // The open combo box's highlighted entry (moved by Up and Down), and whether this pass
    // picks it (Return or Space).
    int comboHighlight_ = -1;
    int comboEntryActive_ = -1; // in the combo box's own list: the entry doCombo opens is the
                                // one the keys are on (1) or not (0)
    std::uint32_t entryStates(const wchar_t* item, const wchar_t* selected) const;
    int comboStart_ = -1;              // the chosen entry when it opened
    bool comboHighlightMoved_ = false; // keep it in view on the next pass
    bool comboPick_ = false;
    orbotk::ControlID comboFocus_; // the focus when it opened
};

} // namespace gui
