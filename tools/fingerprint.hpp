// A 64-bit FNV-1a hash of bytes, numbers by their bits and texts, for the
// fingerprints that two builds must print alike.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace tour::tools {

class Fingerprint {
  public:
    void bytes(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            hash_ = (hash_ ^ p[i]) * 0x100000001b3ULL;
        }
    }
    // A number by its bits (the web build's library has no std::bit_cast).
    template <typename Number>
    void number(Number value) {
        unsigned char bits[sizeof value];
        std::memcpy(bits, &value, sizeof value);
        bytes(bits, sizeof bits);
    }
    void text(const std::string& value) { bytes(value.data(), value.size() + 1); }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

}  // namespace tour::tools
