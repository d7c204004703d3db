// Hand-written UTF-8 coding, strict about malformed input: the decoder never reads past the end
// and turns every bad sequence into one U+FFFD per offending byte run.
#include "orboutil/strings.h"

#include <iconv.h>
#include <langinfo.h>
#include <stdexcept>

namespace orbo {
namespace util {

namespace {
bool isUtf8Name(const std::string& name) {
    return name == "UTF-8" || name == "utf8" || name == "UTF8" || name == "utf-8";
}
} // namespace

std::string encodeWString(const std::wstring& text, const char* charset) {
    if (isUtf8Name(charset))
        return utf8FromWString(text);
    iconv_t cd = iconv_open(charset, "WCHAR_T");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::invalid_argument(std::string("unknown character set ") + charset);
    std::string out;
    out.reserve(text.size());
    // One character at a time, so that an unencodable one costs only itself.
    for (wchar_t c : text) {
        char buf[16];
        char* in = reinterpret_cast<char*>(&c);
        size_t inLeft = sizeof c;
        char* o = buf;
        size_t outLeft = sizeof buf;
        if (iconv(cd, &in, &inLeft, &o, &outLeft) == static_cast<size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out += '?';
        } else {
            out.append(buf, static_cast<size_t>(o - buf));
        }
    }
    iconv_close(cd);
    return out;
}

std::string ansiFromWString(const std::wstring& text) {
    const std::string codeset = nl_langinfo(CODESET);
    if (codeset == "ANSI_X3.4-1968" || codeset == "ASCII" || codeset.empty())
        return utf8FromWString(text);
    return encodeWString(text, codeset.c_str());
}

std::wstring wstringFromUtf8(const orbo::utf8_string& text) {
    std::wstring out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            out += static_cast<wchar_t>(b);
            ++i;
            continue;
        }
        int extra;
        unsigned long cp, min;
        if ((b & 0xE0) == 0xC0) {
            extra = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            extra = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            extra = 3, cp = b & 0x07, min = 0x10000;
        } else {
            out += L'\uFFFD';
            ++i;
            continue;
        }
        size_t j = 1;
        for (; j <= static_cast<size_t>(extra) && i + j < n && (p[i + j] & 0xC0) == 0x80; ++j)
            cp = (cp << 6) | (p[i + j] & 0x3F);
        if (j != static_cast<size_t>(extra) + 1 || cp < min || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            out += L'\uFFFD';
            i += j; // skip the lead byte and the continuation bytes that belonged to it
            continue;
        }
        out += static_cast<wchar_t>(cp);
        i += j;
    }
    return out;
}

orbo::utf8_string utf8FromWString(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        unsigned long c = static_cast<unsigned long>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            c = 0xFFFD;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return orbo::utf8_string(std::move(out));
}

} // namespace util
} // namespace orbo
