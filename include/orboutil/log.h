// Logging for the whole stack: one record a line, appended to the file named by ORBO_LOG or to
// standard error. A record is the timestamp, " P", the process id, ":T", the thread description,
// a space, the level name, ": ", the source file without directories, ":", the line, a tab, the
// message and "\r\n". Formatting is the caller's (through logstream_t and format_log_record);
// this module only filters by level and writes whole lines.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <sstream>
#include <string>

namespace orbo {
namespace util {

// Records of a level above the_log_level are dropped. Starts at 2, or at ORBO_LOG_LEVEL.
extern int the_log_level;

// Indexed by level: 0 FATAL, 1 CRITICAL, 2 ERROR, 3 INFO, 4 TRACE, 5 DEBUG.
extern const char* const log_level_names[];
constexpr int LOG_LEVEL_COUNT = 6;

// The narrow stream in which records are composed.
typedef std::ostringstream logstream_t;

// Streams the local time as "YYYY-MM-DD hh:mm:ss.mmm".
struct timestamp {};
std::ostream& operator<<(std::ostream& os, const timestamp&);

// The kernel's id of the calling thread.
std::uint64_t getCurrentThreadID();

// A short, stable description of a thread id: "main" for the process's main thread, the
// decimal id otherwise.
std::string thread_uid_description(std::uint64_t threadId);

// The file name without its directories ("src/gui/app_window.cpp" -> "app_window.cpp").
const char* stripPath(const char* path);

// Appends text to the log as it stands; the text carries its own line end.
void write_to_log(const std::string& text);

// Composes one complete record, ending in "\r\n", for the calling thread.
std::string format_log_record(int level, const char* file, int line, const std::string& message);

// Formats and writes one record when level <= the_log_level. Never throws: a record that cannot
// be written is lost rather than taking the caller down with it.
void log_record(int level, const char* file, int line, const std::string& message);

} // namespace util
} // namespace orbo

// ORBO_LOG(3) << "opened " << n << " files"; the record is written at the end of the statement.
#define ORBO_LOG(level)                                                                            \
    for (::orbo::util::detail::LogLine orbo_log_line_((level), __FILE__, __LINE__);                \
         orbo_log_line_.pending(); orbo_log_line_.finish())                                        \
    orbo_log_line_.stream()

namespace orbo {
namespace util {
namespace detail {
class LogLine {
public:
    LogLine(int level, const char* file, int line)
        : level_(level), file_(file), line_(line), pending_(level <= the_log_level) {}
    bool pending() const { return pending_; }
    logstream_t& stream() { return stream_; }
    void finish() {
        log_record(level_, file_, line_, stream_.str());
        pending_ = false;
    }

private:
    int level_;
    const char* file_;
    int line_;
    bool pending_;
    logstream_t stream_;
};
} // namespace detail
} // namespace util
} // namespace orbo
