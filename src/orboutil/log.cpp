// Log records: filtering by level, composing the one-line format and appending it to the log
// file or to standard error. Each record is written with a single write so lines from several
// threads or processes never interleave inside a line.
#include "orboutil/log.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <iomanip>
#include <ostream>
#include <sys/syscall.h>
#include <unistd.h>

namespace orbo {
namespace util {

namespace {
int initialLogLevel() {
    const char* env = std::getenv("ORBO_LOG_LEVEL");
    if (env == nullptr || *env == '\0')
        return 2;
    char* end = nullptr;
    long v = std::strtol(env, &end, 10);
    if (*end != '\0')
        return 2;
    return static_cast<int>(v);
}

// Recorded during static initialisation, which runs on the thread that loads the library: the
// main thread for every program that links it normally.
const std::uint64_t mainThreadId = getCurrentThreadID();
} // namespace

int the_log_level = initialLogLevel();

const char* const log_level_names[LOG_LEVEL_COUNT] = {"FATAL", "CRITICAL", "ERROR",
                                                      "INFO",  "TRACE",    "DEBUG"};

std::ostream& operator<<(std::ostream& os, const timestamp&) {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t secs = system_clock::to_time_t(now);
    const long millis =
        static_cast<long>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm local{};
    localtime_r(&secs, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    char ms[8];
    std::snprintf(ms, sizeof ms, ".%03ld", millis);
    return os << buf << ms;
}

std::uint64_t getCurrentThreadID() {
    return static_cast<std::uint64_t>(::syscall(SYS_gettid));
}

std::string thread_uid_description(std::uint64_t threadId) {
    if (threadId == mainThreadId)
        return "main";
    return std::to_string(threadId);
}

const char* stripPath(const char* path) {
    if (path == nullptr)
        return "";
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

void write_to_log(const std::string& text) {
    const char* file = std::getenv("ORBO_LOG");
    int fd = 2;
    bool opened = false;
    if (file != nullptr && *file != '\0') {
        fd = ::open(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        if (fd < 0)
            fd = 2; // better on stderr than lost
        else
            opened = true;
    }
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n <= 0)
            break;
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (opened)
        ::close(fd);
}

std::string format_log_record(int level, const char* file, int line, const std::string& message) {
    logstream_t s;
    const char* name = (level >= 0 && level < LOG_LEVEL_COUNT) ? log_level_names[level] : "LOG";
    s << timestamp() << " P" << ::getpid() << ":T" << thread_uid_description(getCurrentThreadID())
      << ' ' << name << ": " << stripPath(file) << ':' << line << '\t' << message << "\r\n";
    return s.str();
}

void log_record(int level, const char* file, int line, const std::string& message) {
    if (level > the_log_level)
        return;
    try {
        write_to_log(format_log_record(level, file, line, message));
    } catch (...) {
    }
}

} // namespace util
} // namespace orbo
