// The choosers: a wxWidgets dialog for each kind (GTK's file chooser and colour chooser), run
// modally with the window's pass suspended, answered from a timer inside its loop when a test
// or a replay has an answer ready, and the answer told to the window's observers.
#include "orbotk/chooser.h"

#include "orbotk/context.h"
#include "orbotk/window.h"

#include <cstdio>
#include <memory>
#include <wx/colordlg.h>
#include <wx/dirdlg.h>
#include <wx/filedlg.h>
#include <wx/timer.h>

namespace orbotk {

namespace {

ChooserAnswer& answerer() {
    static ChooserAnswer answer;
    return answer;
}

// "Text files (*.txt;*.md)|*.txt;*.md|..." as the file dialog reads filters.
wxString wildcard(const Chooser& c) {
    wxString out;
    for (const auto& [name, patterns] : c.filters) {
        if (!out.empty())
            out += L"|";
        out += name + L" (" + patterns + L")|" + patterns;
    }
    return out.empty() ? wxString(wxFileSelectorDefaultWildcardStr) : out;
}

std::wstring colourText(const wxColour& c) {
    wchar_t text[8];
    std::swprintf(text, 8, L"#%02x%02x%02x", c.Red(), c.Green(), c.Blue());
    return text;
}

} // namespace

void answerChoosers(ChooserAnswer answer) {
    answerer() = std::move(answer);
}

std::vector<std::wstring> Window::choose(const Chooser& c) {
    std::unique_ptr<wxDialog> dialog;
    wxFileDialog* files = nullptr;
    wxDirDialog* folder = nullptr;
    wxColourDialog* colour = nullptr;
    switch (c.kind) {
    case Chooser::Folder:
        dialog.reset(folder = new wxDirDialog(
                         this, c.title.empty() ? wxDirSelectorPromptStr : wxString(c.title),
                         c.folder, wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST));
        break;
    case Chooser::Colour: {
        wxColourData data;
        data.SetChooseFull(true);
        if (!c.name.empty())
            data.SetColour(wxColour(wxString(c.name)));
        dialog.reset(colour = new wxColourDialog(this, &data));
        if (!c.title.empty())
            colour->SetTitle(c.title);
        break;
    }
    default: {
        long style = c.kind == Chooser::Save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT
                                             : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
        if (c.kind == Chooser::OpenSeveral)
            style |= wxFD_MULTIPLE;
        dialog.reset(files = new wxFileDialog(
                         this, c.title.empty() ? wxFileSelectorPromptStr : wxString(c.title),
                         c.folder, c.kind == Chooser::Save ? wxString(c.name) : wxString(),
                         wildcard(c), style));
        break;
    }
    }

    // A test's or a replay's answer, given from inside the chooser's loop once it shows.
    std::vector<std::wstring> answer;
    bool answered = false;
    wxTimer timer;
    if (answerer()) {
        timer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            if (!dialog->IsModal()) {
                timer.StartOnce(20);
                return;
            }
            const ChooserAnswer answer_ = answerer(); // it may stop answering as it answers
            if (answer_ && answer_(c, answer)) {
                answered = true;
                dialog->EndModal(answer.empty() ? wxID_CANCEL : wxID_OK);
            }
        });
        timer.StartOnce(50);
    }
    int code = wxID_CANCEL;
    {
        const UIContext::Suspension suspended(context_);
        code = dialog->ShowModal();
    }
    timer.Stop();
    if (!answered) {
        answer.clear();
        if (code == wxID_OK) {
            if (files) {
                wxArrayString paths;
                files->GetPaths(paths);
                for (const wxString& p : paths)
                    answer.push_back(p.ToStdWstring());
            } else if (folder) {
                answer.push_back(folder->GetPath().ToStdWstring());
            } else if (colour) {
                answer.push_back(colourText(colour->GetColourData().GetColour()));
            }
        }
    }
    tellChooserAnswered(answer);
    return answer;
}

} // namespace orbotk
