// Builds expected archive bytes independently of CArchive, so layout tests
// do not restate the encoder.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace bm::test {

class ByteBuilder {
 public:
  ByteBuilder& U8(uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  ByteBuilder& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
  ByteBuilder& I32(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    return U8(u & 0xFF).U8((u >> 8) & 0xFF).U8((u >> 16) & 0xFF).U8(u >> 24);
  }
  ByteBuilder& F64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i) U8(static_cast<uint8_t>(bits >> (8 * i)));
    return *this;
  }
  // A short string (< 255 bytes): BYTE length, then the bytes.
  ByteBuilder& Str(const std::string& s) {
    U8(static_cast<uint8_t>(s.size()));
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  // A class record: WORD schema, WORD name length, name bytes.
  ByteBuilder& Class(const std::string& name, uint16_t schema = 1) {
    U16(schema).U16(static_cast<uint16_t>(name.size()));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    return *this;
  }
  ByteBuilder& Raw(const std::vector<uint8_t>& more) {
    bytes_.insert(bytes_.end(), more.begin(), more.end());
    return *this;
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace bm::test
