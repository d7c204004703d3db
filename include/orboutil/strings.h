// Conversions between the wide strings of the user interface and narrow encodings: UTF-8
// (utf8_string, wstringFromUtf8) and the system's code page, used where byte strings in the
// system's own encoding are expected. Only ansiFromWString depends on the process locale.
#pragma once

#include <string>

namespace orbo {

// Text known to be UTF-8; a distinct type so it is never mistaken for ANSI bytes.
class utf8_string : public std::string {
public:
    utf8_string() = default;
    utf8_string(const char* s) : std::string(s) {}
    explicit utf8_string(const std::string& s) : std::string(s) {}
    explicit utf8_string(std::string&& s) : std::string(std::move(s)) {}
};

namespace util {

// Wide text to the system's code page, which on Linux is the character set of the process's
// LC_CTYPE locale: UTF-8 on every current system, and UTF-8 too under the plain C/POSIX locale
// (whose ASCII would lose every other script). Under a legacy locale whose character set cannot
// encode a character, that character becomes '?', as a best-fit conversion does; so there, two
// texts that differ only in such characters give the same bytes.
std::string ansiFromWString(const std::wstring& text);
// The same conversion into a named character set (an iconv name such as "ISO-8859-8"). Throws
// std::invalid_argument when the character set is unknown.
std::string encodeWString(const std::wstring& text, const char* charset);

// UTF-8 to wide text. Malformed sequences, overlong forms and surrogates decode to U+FFFD.
std::wstring wstringFromUtf8(const orbo::utf8_string& text);

// Wide text to UTF-8. Values that are not Unicode scalar values encode as U+FFFD.
orbo::utf8_string utf8FromWString(const std::wstring& text);

} // namespace util
} // namespace orbo
