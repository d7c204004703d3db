// Conversions between the wide strings of the user interface and narrow encodings: UTF-8
// (utf8_string, wstringFromUtf8) and the single-byte "ANSI" code page used where legacy byte
// strings are expected. Nothing here depends on the process locale.
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

// Wide text to the ANSI code page, which here is Latin-1: characters up to U+00FF become their
// byte, every other character becomes '?', as a best-fit conversion does for unmappable ones.
std::string ansiFromWString(const std::wstring& text);

// UTF-8 to wide text. Malformed sequences, overlong forms and surrogates decode to U+FFFD.
std::wstring wstringFromUtf8(const orbo::utf8_string& text);

// Wide text to UTF-8. Values that are not Unicode scalar values encode as U+FFFD.
orbo::utf8_string utf8FromWString(const std::wstring& text);

} // namespace util
} // namespace orbo
