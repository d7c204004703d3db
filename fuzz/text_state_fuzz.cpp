// libFuzzer target: byte-coded operation sequences on TextState and PasswordState. Each byte
// picks an operation (and a flag); typed characters come from the following byte. After every
// operation caret and anchor must lie within the stored text.
#include "gui/text_state.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

template <class State> unsigned storedLength(const State& s);
template <> unsigned storedLength(const gui::TextState& s) {
    return static_cast<unsigned>(s.text().size());
}
template <> unsigned storedLength(const gui::PasswordState& s) {
    return static_cast<unsigned>(s.password().size());
}

template <class State> void run(State& s, const std::uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i) {
        const std::uint8_t op = data[i];
        const bool keep = (op & 0x80) != 0;
        const char arg = i + 1 < size ? static_cast<char>(data[i + 1]) : 'x';
        switch (op & 0x1F) {
        case 0:
            s.type(arg);
            ++i;
            break;
        case 1:
            s.type(std::wstring(static_cast<size_t>(op >> 5), static_cast<wchar_t>(arg)));
            ++i;
            break;
        case 2:
            s.prev(keep);
            break;
        case 3:
            s.next(keep);
            break;
        case 4:
            s.prevWord(keep);
            break;
        case 5:
            s.nextWord(keep);
            break;
        case 6:
            s.caretHome(keep);
            break;
        case 7:
            s.caretEnd(keep);
            break;
        case 8:
            s.selectAll();
            break;
        case 9:
            s.clearSelection();
            break;
        case 10:
            s.clearPrev();
            break;
        case 11:
            s.clearNext();
            break;
        case 12:
            s.clearPrevWord();
            break;
        case 13:
            s.clearNextWord();
            break;
        case 14:
            s.clear();
            break;
        case 15:
            s.deselect();
            break;
        case 16:
            s.prevPage(keep);
            break;
        case 17:
            s.nextPage(keep);
            break;
        case 18:
            s.setMaxLen(static_cast<unsigned char>(arg) % 16);
            ++i;
            break;
        case 19:
            s.setValidator(keep ? gui::intValidator : nullptr);
            break;
        case 20:
            s.setText(std::wstring(static_cast<unsigned char>(arg) % 12, L' '));
            ++i;
            break;
        case 21:
            s.onFocus();
            break;
        default:
            s.type(static_cast<char>(op));
            break;
        }
        const unsigned n = storedLength(s);
        check(s.caret() <= n && s.anchor() <= n);
        check(s.selectBegin() + s.selectSize() == s.selectEnd());
        (void)s.selection();
        if (s.len() > 0)
            (void)s.at(s.len() - 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    // The font is only referenced; nothing here measures or draws.
    static const wxFont font;
    gui::TextState plain(font, L"abc def");
    run(plain, data, size);
    gui::PasswordState secret(font, orbo::util::md5("x", 1));
    run(secret, data, size);
    return 0;
}
