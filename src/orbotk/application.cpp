// wxWidgets start-up without wxIMPLEMENT_APP, so that a library can bring its own application
// object without clashing with a host that has one.
#include "orbotk/application.h"

#include <cstdio>
#include <cstdlib>
#include <glib.h>
#include <stdexcept>
#include <string>
#include <wx/app.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/uilocale.h>

namespace orbotk {

namespace {
// Languages written from right to left, by their ISO 639 codes.
const char* const RIGHT_TO_LEFT[] = {"ar", "arc", "ckb", "dv",  "fa", "he", "iw",
                                     "ks", "ps",  "sd",  "syr", "ug", "ur", "yi"};

class ToolkitApp : public wxApp {
public:
    bool OnInit() override { return true; }

    // Every new window asks. wx answers from a table of every language it knows, built for the
    // purpose and kept (0.6 MB of a one-window program's heap); the language of the UI locale
    // is all the answer needs.
    wxLayoutDirection GetLayoutDirection() const override {
        const std::string name = wxUILocale::GetCurrent().GetName().ToStdString();
        const std::string language = name.substr(0, name.find_first_of("_-.@"));
        for (const char* rtl : RIGHT_TO_LEFT)
            if (language == rtl)
                return wxLayout_RightToLeft;
        return wxLayout_LeftToRight;
    }
};

void assertToStderr(const wxString& file, int line, const wxString& func, const wxString& cond,
                    const wxString& msg) {
    std::fprintf(stderr, "wx assertion failed: %s:%d in %s: %s %s\n", file.utf8_str().data(), line,
                 func.utf8_str().data(), cond.utf8_str().data(), msg.utf8_str().data());
}
} // namespace

Application::Application(int& argc, char** argv) {
    // The toolkit draws every window itself and presents it as an image, so it never needs
    // OpenGL; GDK would otherwise load the GL driver (a software one on most machines, with a
    // compiler behind it) to learn the display's GL visuals: 11 MB of the process's own memory
    // and 50 MB of its peak. A host that embeds a GL view sets GDK_GL itself.
    setenv("GDK_GL", "disable", 0);
    wxApp::SetInstance(new ToolkitApp);
    if (!wxEntryStart(argc, argv))
        throw std::runtime_error("cannot initialise the GUI: no display? (run under xvfb-run)");
    // A wx warning must never open a dialog: nobody is there to close it.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(assertToStderr);
    wxInitAllImageHandlers();
    if (!wxTheApp->CallOnInit()) {
        wxEntryCleanup();
        throw std::runtime_error("cannot initialise the GUI application");
    }
}

Application::~Application() {
    if (wxTheApp)
        wxTheApp->OnExit();
    wxEntryCleanup();
}

int Application::run() {
    return wxTheApp->OnRun();
}

void Application::setDisplayName(const std::wstring& name) {
    const wxString wide(name);
    g_set_application_name(wide.utf8_str());
    if (wxTheApp)
        wxTheApp->SetAppDisplayName(wide);
}

} // namespace orbotk
