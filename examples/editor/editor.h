// The editor's window: documents listed at the left, the current one in a text area at the
// right, and the commands in a menu bar, each with its shortcut.
#pragma once

#include <gui/gui.h>

#include <memory>
#include <string>
#include <vector>

namespace editor {

struct Document {
    std::wstring path; // empty until saved
    std::unique_ptr<gui::TextAreaState> text;
    int number = 0; // for "Untitled 2"

    std::wstring name() const;
};

class Editor : public gui::AppWindow {
public:
    Editor();

    // Reads a UTF-8 file into a new document and shows it; false (and a status line saying
    // why) when it cannot be read.
    bool open(const std::wstring& path);
    // Writes the document to path and keeps path as its own; false when it cannot be written.
    bool save(Document& doc, const std::wstring& path);
    void newDocument();

    std::vector<Document> documents;
    int current = 0;
    bool wrap = true;
    float listWidth = 180.0f; // the divider between the list and the text, kept with placement

protected:
    void doScene() override;

private:
    void menuBar();
    void documentList();
    void saveAs(Document& doc);
    void closeCurrent();
    void show(int index);
    Document& doc() { return documents[static_cast<size_t>(current)]; }

    gui::ListState list_;
    std::set<int> selection_;
    int untitled_ = 0;
};

} // namespace editor
