// The editor's window: the menu bar's commands, the list of documents, the text area, and
// reading and writing files as UTF-8.
#include "editor.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace editor {

using gui::Box;
using gui::FILL;
using orbotk::ControlID;

namespace {
const std::vector<gui::FileFilter> FILTERS = {{L"Text files", L"*.txt;*.md"}, {L"All files", L"*"}};
} // namespace

std::wstring Document::name() const {
    if (path.empty())
        return L"Untitled " + std::to_wstring(number);
    const size_t slash = path.find_last_of(L'/');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

Editor::Editor()
    : gui::AppWindow(static_cast<wxWindow*>(nullptr), L"Editor", 720, 480, gui::SCALE_WINDOW) {
    setResizable(520, 360);
    newDocument();
}

void Editor::newDocument() {
    Document d;
    d.number = ++untitled_;
    d.text = std::make_unique<gui::TextAreaState>(textFont_, L"");
    d.text->setWrap(wrap);
    documents.push_back(std::move(d));
    show(static_cast<int>(documents.size()) - 1);
}

bool Editor::open(const std::wstring& path) {
    std::ifstream in(wxString(path).utf8_string(), std::ios::binary);
    if (!in) {
        setStatus(L"Cannot read " + path);
        return false;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // An untouched empty document gives way to the file, as editors do.
    if (documents.size() == 1 && doc().path.empty() && doc().text->stored().empty() &&
        !doc().text->modified())
        documents.clear();
    Document d;
    d.path = path;
    d.text = std::make_unique<gui::TextAreaState>(
        textFont_, wxString::FromUTF8(bytes.data(), bytes.size()).ToStdWstring().c_str());
    d.text->setWrap(wrap);
    documents.push_back(std::move(d));
    show(static_cast<int>(documents.size()) - 1);
    setStatus(L"Opened " + path);
    return true;
}

bool Editor::save(Document& d, const std::wstring& path) {
    std::ofstream out(wxString(path).utf8_string(), std::ios::binary | std::ios::trunc);
    const std::string bytes = wxString(d.text->text()).utf8_string();
    if (!out || !out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        setStatus(L"Cannot write " + path);
        return false;
    }
    d.path = path;
    d.text->setModified(false);
    setStatus(L"Saved " + path);
    return true;
}

void Editor::saveAs(Document& d) {
    const std::wstring path = gui::chooseFileToSave(window(), d.name() + L".txt", FILTERS);
    if (!path.empty())
        save(d, path);
}

void Editor::closeCurrent() {
    documents.erase(documents.begin() + current);
    if (documents.empty())
        newDocument();
    show(std::min(current, static_cast<int>(documents.size()) - 1));
}

void Editor::show(int index) {
    current = index;
    selection_ = {index};
    list_.focused = index;
    SetTitle(documents[static_cast<size_t>(index)].name() + L" - Editor");
}

void Editor::doScene() {
    menuBar();
    Box panes(ui_, FILL, -(gui::MENU_BAR_HEIGHT + 8.0f));
    panes.setTop(gui::MENU_BAR_HEIGHT + 8.0f);
    gui::SplitOptions split;
    split.minFirst = 120.0f;
    split.minSecond = 240.0f;
    split.defaultPosition = 180.0f;
    split.keeps = gui::SplitOptions::FIRST; // the list keeps its width as the window grows
    gui::doSplit(
        ui(), ControlID(L"divider"), listWidth, split, [this] { documentList(); },
        [this] { doTextArea(ControlID(L"text"), *doc().text); });
}

// The commands open their choosers after the pass that chose them (postEval): a chooser runs
// a loop of its own.
void Editor::menuBar() {
    Box band(ui_, FILL, gui::MENU_BAR_HEIGHT);
    gui::MenuBar bar(ui());
    if (bar.menu(L"&File")) {
        if (bar.item(L"&New", L"Ctrl+N"))
            newDocument();
        if (bar.item(L"&Open…", L"Ctrl+O"))
            postEval([this] {
                for (const std::wstring& path : gui::chooseFilesToOpen(window(), FILTERS))
                    open(path);
            });
        if (bar.item(L"&Save", L"Ctrl+S"))
            postEval([this] {
                if (doc().path.empty())
                    saveAs(doc());
                else
                    save(doc(), doc().path);
            });
        if (bar.item(L"Save &As…", L"Ctrl+Shift+S"))
            postEval([this] { saveAs(doc()); });
        bar.separator();
        if (bar.item(L"&Close", L"Ctrl+W"))
            closeCurrent();
        if (bar.item(L"&Quit", L"Ctrl+Q"))
            postEval([this] { Close(false); });
        bar.endMenu();
    }
    if (bar.menu(L"&View")) {
        if (bar.check(L"&Word Wrap", wrap, L"Alt+Z"))
            for (Document& d : documents)
                d.text->setWrap(wrap);
        const int count = static_cast<int>(documents.size());
        if (bar.item(L"&Next Document", L"Ctrl+PageDown", count > 1))
            show((current + 1) % count);
        if (bar.item(L"&Previous Document", L"Ctrl+PageUp", count > 1))
            show((current + count - 1) % count);
        bar.endMenu();
    }
    if (bar.menu(L"&Help")) {
        if (bar.item(L"&About"))
            postEval([this] {
                gui::messageBox(window(), L"A small editor built on the gui library.",
                                L"About the editor");
            });
        bar.endMenu();
    }
}

void Editor::documentList() {
    gui::ListOptions options;
    options.rowHeight = 22.0f;
    options.label = [this](int row) {
        const Document& d = documents[static_cast<size_t>(row)];
        return d.name() + (d.text->modified() ? L" *" : L"");
    };
    const gui::ListResult r = doList(
        ControlID(L"documents"), list_, static_cast<int>(documents.size()), selection_,
        [this, &options](int row, bool) {
            Box label(ui_, -8.0f, FILL);
            label.setLeft(6.0f);
            doLabelFit(options.label(row).c_str(), true, false);
        },
        options);
    if (r.selectionChanged && selection_.size() == 1)
        show(*selection_.begin());
}

} // namespace editor
