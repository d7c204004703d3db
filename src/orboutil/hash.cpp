// hash_sink on OpenSSL's EVP interface. The algorithm codes are the numeric identifiers our
// callers store; only MD5 is needed so far.
#include "orboutil/hash.h"

#include <cstring>
#include <openssl/evp.h>

namespace orbo {
namespace util {

bool md5_t::operator==(const md5_t& o) const {
    return std::memcmp(bytes, o.bytes, sizeof bytes) == 0;
}

std::string md5_t::hex() const {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(32);
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

struct hash_sink::Impl {
    EVP_MD_CTX* ctx = nullptr;
    bool finished = false;
    ~Impl() { EVP_MD_CTX_free(ctx); }
};

hash_sink::hash_sink(unsigned algorithm) : impl_(new Impl) {
    if (algorithm != HASH_MD5)
        throw std::invalid_argument("hash_sink: unknown algorithm code " +
                                    std::to_string(algorithm));
    impl_->ctx = EVP_MD_CTX_new();
    if (impl_->ctx == nullptr || EVP_DigestInit_ex(impl_->ctx, EVP_md5(), nullptr) != 1)
        throw std::runtime_error("hash_sink: cannot initialise MD5");
}

hash_sink::~hash_sink() = default;

void hash_sink::write(const void* bytes, std::size_t n) {
    if (impl_->finished)
        throw std::logic_error("hash_sink: write after final");
    if (n > 0 && EVP_DigestUpdate(impl_->ctx, bytes, n) != 1)
        throw std::runtime_error("hash_sink: digest update failed");
}

std::size_t hash_sink::size() const {
    return 16;
}

void hash_sink::final(void* out, std::size_t size) {
    if (impl_->finished)
        throw std::logic_error("hash_sink: final called twice");
    if (size != this->size())
        throw std::invalid_argument("hash_sink: digest buffer has the wrong size");
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned len = 0;
    if (EVP_DigestFinal_ex(impl_->ctx, digest, &len) != 1 || len != size)
        throw std::runtime_error("hash_sink: digest final failed");
    impl_->finished = true;
    std::memcpy(out, digest, size);
}

md5_t md5(const void* bytes, std::size_t n) {
    hash_sink sink(HASH_MD5);
    sink.write(bytes, n);
    md5_t out;
    sink.final(out.bytes, sizeof out.bytes);
    return out;
}

} // namespace util
} // namespace orbo
