// Message digests through a maintained cryptography library. hash_sink accumulates bytes and
// hands out the digest once; the algorithm is chosen by the numeric code the callers use
// (0x8003 is MD5). It does not implement any digest itself.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>

namespace orbo {
namespace util {

constexpr unsigned HASH_MD5 = 0x8003;

// A 16-byte MD5 digest, byte-aligned so it can be stored and compared as raw bytes.
struct md5_t {
    unsigned char bytes[16] = {};

    bool operator==(const md5_t& o) const;
    bool operator!=(const md5_t& o) const { return !(*this == o); }
    std::string hex() const; // 32 lower-case hex digits
};

class hash_sink {
public:
    // Throws std::invalid_argument for an algorithm code it does not know.
    explicit hash_sink(unsigned algorithm);
    ~hash_sink();
    hash_sink(const hash_sink&) = delete;
    hash_sink& operator=(const hash_sink&) = delete;

    void write(const void* bytes, std::size_t n);
    // Writes the digest into out, which must hold size() bytes; size is checked. The sink cannot
    // be written to afterwards.
    void final(void* out, std::size_t size);
    std::size_t size() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The MD5 digest of n bytes.
md5_t md5(const void* bytes, std::size_t n);

} // namespace util
} // namespace orbo
