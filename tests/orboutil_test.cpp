// Utilities: the log record format and level filter, MD5 digests, and the string conversions.
#include "orboutil/hash.h"
#include "orboutil/log.h"
#include "orboutil/strings.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <unistd.h>

using namespace orbo::util;

namespace {
std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Sends log output to a temporary file for the life of the object.
struct LogFile {
    std::string path;
    LogFile() {
        char p[] = "/tmp/orbo-log-XXXXXX";
        const int fd = mkstemp(p);
        close(fd);
        path = p;
        setenv("ORBO_LOG", p, 1);
    }
    ~LogFile() {
        unsetenv("ORBO_LOG");
        std::remove(path.c_str());
    }
    std::string text() const { return readFile(path); }
};
} // namespace

TEST(Log, RecordHasTheExactFieldsAndSeparators) {
    const std::string r = format_log_record(2, "/src/gui/app_window.cpp", 86, "boom");
    const std::regex shape("(\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}) P" +
                           std::to_string(getpid()) + ":Tmain ERROR: app_window.cpp:86\tboom\r\n");
    EXPECT_TRUE(std::regex_match(r, shape)) << r;
}

TEST(Log, OtherThreadsAreDescribedByTheirId) {
    std::string r;
    std::uint64_t id = 0;
    std::thread t([&] {
        id = getCurrentThreadID();
        r = format_log_record(4, "menu", 1, "x");
    });
    t.join();
    EXPECT_NE(r.find(":T" + std::to_string(id) + " TRACE: menu:1\tx\r\n"), std::string::npos) << r;
    EXPECT_EQ(thread_uid_description(getCurrentThreadID()), "main");
}

TEST(Log, RecordsAboveTheCurrentLevelAreDropped) {
    LogFile file;
    const int saved = the_log_level;
    the_log_level = 2;
    log_record(3, "f", 1, "info is dropped");
    log_record(2, "f", 2, "error is kept");
    ORBO_LOG(2) << "streamed " << 42;
    ORBO_LOG(5) << "debug is dropped";
    the_log_level = saved;
    const std::string text = file.text();
    EXPECT_EQ(text.find("dropped"), std::string::npos);
    EXPECT_NE(text.find("f:2\terror is kept\r\n"), std::string::npos);
    EXPECT_NE(text.find("orboutil_test.cpp:"), std::string::npos);
    EXPECT_NE(text.find("\tstreamed 42\r\n"), std::string::npos);
}

TEST(Log, StripPathKeepsOnlyTheFileName) {
    EXPECT_STREQ(stripPath("a/b/c.cpp"), "c.cpp");
    EXPECT_STREQ(stripPath("c.cpp"), "c.cpp");
    EXPECT_STREQ(stripPath("dir/"), "");
    EXPECT_STREQ(stripPath(nullptr), "");
}

TEST(Hash, Md5MatchesTheReferenceDigests) {
    EXPECT_EQ(md5("", 0).hex(), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5("abc", 3).hex(), "900150983cd24fb0d6963f7d28e17f72");
    const std::string fox = "The quick brown fox jumps over the lazy dog";
    EXPECT_EQ(md5(fox.data(), fox.size()).hex(), "9e107d9d372bb6826bd81d3542a419d6");
}

TEST(Hash, SinkDigestsDataWrittenInPieces) {
    hash_sink sink(0x8003);
    sink.write("The quick brown ", 16);
    sink.write("fox jumps over the lazy dog", 27);
    md5_t out;
    sink.final(out.bytes, sizeof out.bytes);
    EXPECT_EQ(out.hex(), "9e107d9d372bb6826bd81d3542a419d6");
    EXPECT_THROW(sink.write("x", 1), std::logic_error);
}

TEST(Hash, BadAlgorithmCodesAndBufferSizesAreRejected) {
    EXPECT_THROW(hash_sink(0x8004), std::invalid_argument);
    hash_sink sink(HASH_MD5);
    unsigned char small[8];
    EXPECT_THROW(sink.final(small, sizeof small), std::invalid_argument);
}

TEST(Strings, SystemCodePageIsTheLocaleCharsetWithThePlainLocaleAsUtf8) {
    // The test process runs in the C locale, whose ASCII would lose every other script.
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    EXPECT_EQ(ansiFromWString(L"caf\u00e9"), "caf\xc3\xa9");
    EXPECT_EQ(ansiFromWString(std::wstring(L"a\0b", 3)), std::string("a\0b", 3));
    // Different scripts stay different, and differ from literal question marks.
    EXPECT_NE(ansiFromWString(L"\u05e9\u05dc"), ansiFromWString(L"\U0001F600\U0001F601"));
    EXPECT_NE(ansiFromWString(L"\u05e9\u05dc"), "??");
    // A legacy charset keeps what it can encode and turns each other character into '?'.
    EXPECT_EQ(encodeWString(L"caf\u00e9 \u20ac1", "ISO-8859-1"), "caf\xe9 ?1");
    EXPECT_EQ(encodeWString(L"\u05e9\u05dc\u00e9", "ISO-8859-8"), "\xf9\xec?");
    EXPECT_THROW(encodeWString(L"x", "NO-SUCH-CHARSET"), std::invalid_argument);
}

TEST(Strings, Utf8DecodesValidTextAndReplacesMalformedSequences) {
    EXPECT_EQ(wstringFromUtf8(orbo::utf8_string("h\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80")),
              L"h\u00e9 \u20ac \U0001F600");
    EXPECT_EQ(wstringFromUtf8(orbo::utf8_string("a\xff"
                                                "b")),
              L"a\uFFFDb");
    EXPECT_EQ(wstringFromUtf8(orbo::utf8_string("\xc0\x80")), L"\uFFFD");     // overlong
    EXPECT_EQ(wstringFromUtf8(orbo::utf8_string("\xed\xa0\x80")), L"\uFFFD"); // surrogate
    EXPECT_EQ(wstringFromUtf8(orbo::utf8_string("\xe2\x82")), L"\uFFFD");     // truncated at end
    EXPECT_EQ(wstringFromUtf8(orbo::utf8_string("\xe2(x")), L"\uFFFD(x");
}

TEST(Strings, Utf8RoundTripsEveryPlane) {
    const std::wstring text = L"A\u00ff\u0800\uffff\U00010000\U0010ffff";
    EXPECT_EQ(wstringFromUtf8(utf8FromWString(text)), text);
    EXPECT_EQ(utf8FromWString(std::wstring(1, static_cast<wchar_t>(0x110000))), "\xef\xbf\xbd");
}
