// The standard image set, fonts and cursors: loading them once per process from the resources
// embedded in the library into the window's shared members, and handing the ones widgets draw
// with to the look.
#include "gui/app_window.h"
#include "gui/look.h"
#include "orbotk/screen.h"
#include "render/look_style.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>

#include <wx/artprov.h>
#include <wx/bitmap.h>
#include <wx/filesys.h>
#include <wx/fs_mem.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/xrc/xh_bmp.h>
#include <wx/xrc/xmlres.h>

// Registers the embedded files in the memory file system and loads the resource description;
// generated from images/gui.xrc by wxrc at build time.
void initGuiResources();

namespace gui {

// ---- The set

Image AppWindow::veltdefault_, AppWindow::panelBoundary_, AppWindow::panelLighting_,
    AppWindow::trayLight_, AppWindow::veltsmall_;
Image AppWindow::chevronUp_, AppWindow::chevronDown_, AppWindow::checkboxTex_,
    AppWindow::checkboxShade_, AppWindow::checkboxCheck_;
Image AppWindow::mail_, AppWindow::battFill_, AppWindow::discussTex_, AppWindow::pacmanDot_,
    AppWindow::pacmanFill_, AppWindow::pacmanShade_;
Image AppWindow::userdata_, AppWindow::deleteTex_, AppWindow::usernameTex_, AppWindow::closeTex_,
    AppWindow::helpTex_;
Image AppWindow::disableI_, AppWindow::blankI_, AppWindow::offlineI_, AppWindow::noofflineI_,
    AppWindow::publishI_, AppWindow::fullscreenI_;
Image AppWindow::nofullscreenI_, AppWindow::docsI_, AppWindow::deleteI_, AppWindow::discussI_,
    AppWindow::mailI_, AppWindow::infoI_, AppWindow::configureI_;
Image AppWindow::vortaAdd_, AppWindow::vortaImport_, AppWindow::vortaPackage_,
    AppWindow::gearmenuTex_, AppWindow::vortaEdit_;
Image AppWindow::subscribeTex_, AppWindow::abortTex_, AppWindow::autostartTex_,
    AppWindow::revertTex_, AppWindow::revertChangesTex_;
Image AppWindow::revertSuspendedTex_, AppWindow::playTex_, AppWindow::pauseTex_,
    AppWindow::stopTex_, AppWindow::recordTex_, AppWindow::minTex_;
Image AppWindow::scrollUp_, AppWindow::scrollDown_, AppWindow::scrollbarUp_,
    AppWindow::scrollbarDown_;
Image AppWindow::backupTex_, AppWindow::backupDoneTex_, AppWindow::firstTimeTex_,
    AppWindow::progressWell_, AppWindow::progressFlat_;
Image AppWindow::veltlogo_, AppWindow::usblogo_, AppWindow::dontUnplug_, AppWindow::radio_,
    AppWindow::radioCheck_, AppWindow::lock_;
Image AppWindow::play1_, AppWindow::play2_, AppWindow::play3_, AppWindow::play_push1_,
    AppWindow::play_push2_, AppWindow::play_push3_;
Image AppWindow::stop1_, AppWindow::stop_push1_, AppWindow::vertMarker_, AppWindow::libraryTex_;
Image AppWindow::updateDownloadingTex_, AppWindow::updateOnDiskTex_, AppWindow::updateErrorTex_;
Image AppWindow::shutdownTex_, AppWindow::rebootTex_, AppWindow::key_, AppWindow::caution_,
    AppWindow::warning_small_;
Image AppWindow::error_, AppWindow::informational_, AppWindow::warning_, AppWindow::question_;
Image AppWindow::circles_[9];

// The extents are fixed here, before anything is loaded.
diced_t AppWindow::dicedBoundary_(boost::extents[3][3]);
diced_t AppWindow::dicedLighting_(boost::extents[3][3]);
diced_t AppWindow::dicedTray_(boost::extents[3][3]);
diced_t AppWindow::dicedButton_(boost::extents[3][3]);
diced_t AppWindow::dicedButtonShade_(boost::extents[3][3]);
diced_t AppWindow::dicedWell_(boost::extents[1][3]);
diced_t AppWindow::dicedProgress_(boost::extents[1][3]);
diced_t AppWindow::dicedBatt_(boost::extents[1][3]);

bounds_t AppWindow::simpleBounds_;
bounds_t AppWindow::dicedBoundaryHBounds_, AppWindow::dicedBoundaryVBounds_;
bounds_t AppWindow::dicedLightingHBounds_, AppWindow::dicedLightingVBounds_;
bounds_t AppWindow::dicedTrayHBounds_, AppWindow::dicedTrayVBounds_;
bounds_t AppWindow::dicedButtonHBounds_, AppWindow::dicedButtonVBounds_;
bounds_t AppWindow::dicedButtonShadeHBounds_, AppWindow::dicedButtonShadeVBounds_;
bounds_t AppWindow::dicedWellBounds_, AppWindow::dicedProgressBounds_;

wxFont AppWindow::nameFont_, AppWindow::textFont_, AppWindow::tinyFont_, AppWindow::verytinyFont_,
    AppWindow::configFont_, AppWindow::normalFont_, AppWindow::messageBoxFont_;
wxCursor AppWindow::cursor_default_, AppWindow::cursor_draggable_, AppWindow::cursor_drop_target_;
wxIconBundle AppWindow::orboicon_;

// ---- Loading

namespace {

// The pictures the dark and high-contrast looks draw again, each kept under the light one's
// name with the look behind a dash.
const char* const RESTYLED[] = {"IDP_LOGO_SMALL",    "IDP_LOGO",           "IDP_PANEL_LIGHTING",
                                "IDP_TRAY_LIGHTING", "IDP_CHECKBOX_SHADE", "IDP_PROGRESS_WELL",
                                "IDP_PROGRESS_FLAT"};

// The resource that holds a picture of the set in the given look.
wxString lookResource(const wxString& resource, LookStyle style) {
    if (style == LookStyle::Light ||
        std::find(std::begin(RESTYLED), std::end(RESTYLED), resource) == std::end(RESTYLED))
        return resource;
    return resource + (style == LookStyle::Dark ? "-dark" : "-contrast");
}

Image decode(const wxString& resource) {
    const wxBitmap bitmap = wxXmlResource::Get()->LoadBitmap(resource);
    return bitmap.IsOk() ? Image(bitmap.ConvertToImage()) : Image(wxImage());
}

// An image of the set with its sharper variants, which the set carries under the same
// resource name with "@2x" and "@3x" behind it. The variants are decoded when a frame of their
// scale first draws the image, in the look in use then: at 1x the set is a fourteenth of
// what it is with every scale, and a program on an ordinary screen never holds the rest.
Image loadImage(const char* resource) {
    wxXmlResource* xrc = wxXmlResource::Get();
    Image image = decode(resource);
    if (static_cast<const Image&>(image).get() == nullptr)
        return image;
    for (int scale : {2, 3}) {
        const wxString name = wxString::Format("%s@%dx", resource, scale);
        if (xrc->GetResourceNode(name) == nullptr)
            continue;
        const wxString base(resource);
        image.addScaled(scale, [base, scale] {
            return decode(wxString::Format("%s@%dx", lookResource(base, lookStyle()), scale));
        });
    }
    return image;
}

// The platform's icon, and the same at twice the size where the icon theme has it, for
// HiDPI screens.
Image artImage(const wxArtID& id) {
    const wxIcon icon = wxArtProvider::GetIcon(id, wxART_MESSAGE_BOX);
    if (!icon.IsOk())
        return Image();
    wxBitmap bitmap;
    bitmap.CopyFromIcon(icon);
    Image image(bitmap.ConvertToImage());
    const wxSize twice = 2 * bitmap.GetSize();
    const wxBitmap sharper = wxArtProvider::GetBitmap(id, wxART_MESSAGE_BOX, twice);
    if (sharper.IsOk() && sharper.GetSize() == twice)
        image.addScaled(2, Image(sharper.ConvertToImage()));
    return image;
}

// Writes the picture named resource over image's pixels, at 1x and at every sharper scale the
// image carries, so each view and nine-patch cell cut from it shows the new picture. A look's
// picture has the light one's size; one that does not (a damaged resource) is left out. Each
// picture is decoded once and kept, so switching back and forth only copies pixels.
void overwrite(Image& image, const wxString& resource) {
    static std::map<wxString, Image> decoded;
    auto put = [](Image& into, const wxString& name) {
        auto found = decoded.find(name);
        if (found == decoded.end()) { // assigned, as an image copied would copy its pixels
            found = decoded.emplace(name, Image()).first;
            found->second = decode(name);
        }
        const Image& drawn = found->second;
        if (drawn.get() == nullptr)
            return;
        if (drawn.stride() != into.stride() || drawn.bufferHeight() != into.bufferHeight()) {
            wxLogError("The image %s does not match the size of its light look", name);
            return;
        }
        std::memcpy(into.get(), drawn.get(),
                    sizeof(orbo::tk::RGBA) * static_cast<size_t>(drawn.stride()) *
                        static_cast<size_t>(drawn.bufferHeight()));
    };
    put(image, resource);
    for (int scale : {2, 3}) // the variants not loaded yet load the look's own when drawn
        if (image.scaledLoaded(scale)) {
            Image sharper;
            image.forScale(scale, sharper);
            put(sharper, wxString::Format("%s@%dx", resource, scale));
        }
}

// The horizontal and vertical cap bounds of a three-by-three (or one-row) diced image.
bounds_t horizontalCaps(const diced_t& d) {
    return capBounds(d[0][0].w(), -d[0][2].w());
}
bounds_t verticalCaps(const diced_t& d) {
    return capBounds(d[0][0].h(), -d[2][0].h());
}

} // namespace

int AppWindow::standardFontPoints(int pixelHeight, int ppi) {
    return (pixelHeight * 7680) / (ppi * 100);
}

void AppWindow::initStandardFonts() {
    // Fonts keep their logical pixel size at every device scale; text is rasterised at the
    // frame's scale when drawn.
    const int ppi = orbotk::Screen::logicalPixelsPerInch().x;
    auto font = [ppi](int height) {
        return wxFont(standardFontPoints(height, ppi), wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL,
                      wxFONTWEIGHT_NORMAL, false, "Arial", wxFONTENCODING_DEFAULT);
    };
    nameFont_ = font(NAME_HEIGHT);
    textFont_ = font(TEXT_HEIGHT);
    tinyFont_ = font(TINY_HEIGHT);
    verytinyFont_ = font(VERYTINY_HEIGHT);
    configFont_ = font(CONFIG_HEIGHT);
    normalFont_ = font(NORMAL_HEIGHT);
    messageBoxFont_ = font(MESSAGE_HEIGHT);

    // What widgets draw with, handed over again whenever the fonts are made anew. Images share
    // their pixels when assigned, so the look costs no memory of its own.
    Look look;
    look.checkboxTex = checkboxTex_;
    look.checkboxShade = checkboxShade_;
    look.checkboxCheck = checkboxCheck_;
    look.radio = radio_;
    look.radioCheck = radioCheck_;
    look.chevronUp = chevronUp_;
    look.chevronDown = chevronDown_;
    look.scrollbarUp = scrollbarUp_;
    look.scrollbarDown = scrollbarDown_;
    look.blankI = blankI_;
    look.dicedButton = dicedButton_;
    look.dicedButtonShade = dicedButtonShade_;
    look.dicedWell = dicedWell_;
    look.dicedProgress = dicedProgress_;
    look.simpleBounds = simpleBounds_;
    look.dicedButtonHBounds = dicedButtonHBounds_;
    look.dicedButtonVBounds = dicedButtonVBounds_;
    look.dicedButtonShadeHBounds = dicedButtonShadeHBounds_;
    look.dicedButtonShadeVBounds = dicedButtonShadeVBounds_;
    look.dicedWellBounds = dicedWellBounds_;
    look.dicedProgressBounds = dicedProgressBounds_;
    look.nameFont = nameFont_;
    look.textFont = textFont_;
    look.configFont = configFont_;
    look.messageBoxFont = messageBoxFont_;
    look.normalFont = normalFont_;
    look.tinyFont = tinyFont_;
    look.verytinyFont = verytinyFont_;
    setStandardLook(look);
    startFollowingDesktopLook();
}

void AppWindow::initStandardTextures() {
    // 1. Resource handlers and image decoders.
    wxXmlResource* xrc = wxXmlResource::Get();
    xrc->AddHandler(new wxBitmapXmlHandler);
    xrc->AddHandler(new wxIconXmlHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_GIF))
        wxImage::AddHandler(new wxGIFHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_JPEG))
        wxImage::AddHandler(new wxJPEGHandler);
    if (!wxImage::FindHandler(wxBITMAP_TYPE_ICO))
        wxImage::AddHandler(new wxICOHandler);

    // 2. The embedded files (the memory file system is probed and installed if missing) and
    // the resource description.
    initGuiResources();

    // 3. The window icons.
    for (const char* name : {"IDI_ORBO", "IDI_ORBO_MEDIUM", "IDI_ORBO_SMALL"}) {
        const wxIcon icon = xrc->LoadIcon(name);
        if (icon.IsOk())
            orboicon_.AddIcon(icon);
    }

    // 4. Every image that has a member.
    const struct {
        const char* resource;
        Image* member;
    } images[] = {
        {"IDP_VELTDEFAULT", &veltdefault_},
        {"IDP_PANEL_BOUNDARY", &panelBoundary_},
        {"IDP_PANEL_LIGHTING", &panelLighting_},
        {"IDP_TRAY_LIGHTING", &trayLight_},
        {"IDP_LOGO_SMALL", &veltsmall_},
        {"IDP_CHEVRON_UP", &chevronUp_},
        {"IDP_CHEVRON_DOWN", &chevronDown_},
        {"IDP_CHECKBOX", &checkboxTex_},
        {"IDP_CHECKBOX_SHADE", &checkboxShade_},
        {"IDP_CHECKBOX_CHECK", &checkboxCheck_},
        {"IDP_MAIL", &mail_},
        {"IDP_BATTERY_L", &dicedBatt_[0][0]},
        {"IDP_BATTERY_MID", &dicedBatt_[0][1]},
        {"IDP_BATTERY_R", &dicedBatt_[0][2]},
        {"IDP_BATTERY_FILL", &battFill_},
        {"IDP_DISCUSS", &discussTex_},
        {"IDP_PACMAN_DOT", &pacmanDot_},
        {"IDP_PACMAN_FILL", &pacmanFill_},
        {"IDP_PACMAN_SHADE", &pacmanShade_},
        {"IDP_USERDATA", &userdata_},
        {"IDP_UNSUBSCRIBE", &deleteTex_},
        {"IDP_USERNAME", &usernameTex_},
        {"IDP_CLOSE", &closeTex_},
        {"IDP_HELP", &helpTex_},
        {"IDP_DISABLEI", &disableI_},
        {"IDP_BLANKI", &blankI_},
        {"IDP_OFFLINEI", &offlineI_},
        {"IDP_NOOFFLINEI", &noofflineI_},
        {"IDP_PUBLISHI", &publishI_},
        {"IDP_FULLSCREENI", &fullscreenI_},
        {"IDP_NOFULLSCREENI", &nofullscreenI_},
        {"IDP_DOCSI", &docsI_},
        {"IDP_DELETEI", &deleteI_},
        {"IDP_DISCUSSI", &discussI_},
        {"IDP_MAILI", &mailI_},
        {"IDP_INFOI", &infoI_},
        {"IDP_CONFIGUREI", &configureI_},
        {"IDP_CREATE", &vortaAdd_},
        {"IDP_IMPORT", &vortaImport_},
        {"IDP_PACKAGE", &vortaPackage_},
        {"IDP_GEARMENU", &gearmenuTex_},
        {"IDP_EDIT", &vortaEdit_},
        {"IDP_SUBSCRIBE", &subscribeTex_},
        {"IDP_ABORT", &abortTex_},
        {"IDP_AUTOSTART", &autostartTex_},
        {"IDP_REVERT", &revertTex_},
        {"IDP_REVERT_CHANGES", &revertChangesTex_},
        {"IDP_REVERT_SUSPENDED", &revertSuspendedTex_},
        {"IDP_PLAY", &playTex_},
        {"IDP_PAUSE", &pauseTex_},
        {"IDP_STOP", &stopTex_},
        {"IDP_RECORD", &recordTex_},
        {"IDP_MINIMIZE", &minTex_},
        {"IDP_SCROLL_UP", &scrollUp_},
        {"IDP_SCROLL_DOWN", &scrollDown_},
        {"IDP_BACKUP", &backupTex_},
        {"IDP_BACKUP_DONE", &backupDoneTex_},
        {"IDP_FIRST_TIME", &firstTimeTex_},
        {"IDP_PROGRESS_WELL", &progressWell_},
        {"IDP_PROGRESS_FLAT", &progressFlat_},
        {"IDP_LOGO", &veltlogo_},
        {"IDP_USBLOGO", &usblogo_},
        {"IDP_DONTUNPLUG", &dontUnplug_},
        {"IDP_RADIO", &radio_},
        {"IDP_RADIO_CHECK", &radioCheck_},
        {"IDP_LOCK", &lock_},
        {"IDP_PLAY_1", &play1_},
        {"IDP_PLAY_2", &play2_},
        {"IDP_PLAY_3", &play3_},
        {"IDP_PLAY_PUSH_1", &play_push1_},
        {"IDP_PLAY_PUSH_2", &play_push2_},
        {"IDP_PLAY_PUSH_3", &play_push3_},
        {"IDP_STOP_1", &stop1_},
        {"IDP_STOP_PUSH_1", &stop_push1_},
        {"IDP_VERTMARKER", &vertMarker_},
        {"IDP_LIBRARY", &libraryTex_},
        {"IDP_UPDATE_DOWNLOADING", &updateDownloadingTex_},
        {"IDP_UPDATE_ON_DISK", &updateOnDiskTex_},
        {"IDP_UPDATE_ERROR", &updateErrorTex_},
        {"IDP_SHUTDOWN", &shutdownTex_},
        {"IDP_REBOOT", &rebootTex_},
        {"IDP_KEY", &key_},
        {"IDP_CAUTION", &caution_},
        {"IDP_WARNING_SMALL", &warning_small_},
    };
    for (const auto& entry : images)
        *entry.member = loadImage(entry.resource);
    for (int i = 0; i < 9; ++i)
        circles_[i] = loadImage(wxString::Format("IDP_CIRCLE%d", i).c_str());

    // 5. The scroll arrows: the left 11 pixels of their strips.
    scrollbarUp_ = Image(scrollUp_, 0, 0, 11, 7);
    scrollbarDown_ = Image(scrollDown_, 0, 0, 11, 7);

    // 6. The platform's message-box icons.
    error_ = artImage(wxART_ERROR);
    informational_ = artImage(wxART_INFORMATION);
    warning_ = artImage(wxART_WARNING);
    question_ = artImage(wxART_QUESTION);

    // 7. Cursors.
    cursor_default_ = wxNullCursor;
    const wxBitmap hand = xrc->LoadBitmap("IDP_CURSOR_OPEN_HAND");
    if (hand.IsOk())
        cursor_draggable_ = wxCursor(hand.ConvertToImage());
    if (vortaImport_.get() != nullptr)
        cursor_drop_target_ = wxCursor(vortaImport_.convertToWXImage());

    // 8. One cell spanning the whole box.
    simpleBounds_ = bounds_t{0.0f, FILL};

    // 9. Nine-patch cells and their bounds, in table order.
    dicedBoundary_ =
        diceTexture(panelBoundary_, threeCellCuts(18, 64, 120), threeCellCuts(15, 64, 113));
    dicedBoundaryHBounds_ = horizontalCaps(dicedBoundary_);
    dicedBoundaryVBounds_ = verticalCaps(dicedBoundary_);
    dicedLighting_ =
        diceTexture(panelLighting_, threeCellCuts(20, 64, 108), threeCellCuts(22, 64, 106));
    dicedLightingHBounds_ = horizontalCaps(dicedLighting_);
    dicedLightingVBounds_ = verticalCaps(dicedLighting_);
    dicedTray_ = diceTexture(trayLight_, threeCellCuts(0, 32, 64), threeCellCuts(24, 64, 104));
    dicedWell_ = diceTexture(progressWell_, oneCellCuts(0, 4), threeCellCuts(0, 4, 8));
    dicedWellBounds_ = horizontalCaps(dicedWell_);
    dicedProgress_ = diceTexture(progressFlat_, oneCellCuts(0, 32), threeCellCuts(0, 16, 32));
    dicedProgressBounds_ = horizontalCaps(dicedProgress_);
    dicedButton_ = diceTexture(checkboxTex_, threeCellCuts(0, 10, 20), threeCellCuts(0, 10, 20));
    dicedButtonHBounds_ = horizontalCaps(dicedButton_);
    dicedButtonVBounds_ = verticalCaps(dicedButton_);
    dicedButtonShade_ =
        diceTexture(checkboxShade_, threeCellCuts(0, 10, 20), threeCellCuts(0, 10, 20));
    dicedButtonShadeHBounds_ = horizontalCaps(dicedButtonShade_);
    dicedButtonShadeVBounds_ = verticalCaps(dicedButtonShade_);

    // 10. The pictures of the look in use, if it is not the light one, and of every later one.
    onLookShown(&AppWindow::restyleStandardTextures);
    if (lookStyle() != LookStyle::Light)
        restyleStandardTextures(lookStyle());

    // 11.
    initStandardFonts();
}

void AppWindow::restyleStandardTextures(LookStyle style) {
    Image* const members[] = {&veltsmall_,     &veltlogo_,     &panelLighting_, &trayLight_,
                              &checkboxShade_, &progressWell_, &progressFlat_};
    static_assert(std::size(members) == std::size(RESTYLED));
    for (size_t i = 0; i < std::size(members); ++i)
        if (static_cast<const Image&>(*members[i]).get() != nullptr)
            overwrite(*members[i], lookResource(RESTYLED[i], style));
}

} // namespace gui
