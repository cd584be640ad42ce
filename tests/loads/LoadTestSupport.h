// Helpers of the loads tests: an independent little-endian byte builder for
// expected archive records, and archive round trips through memory.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace bm::test::loads {

// Expected bytes written by hand from the record layouts, without CArchive.
class Bytes {
 public:
  Bytes& u8(uint8_t v) {
    out_.push_back(v);
    return *this;
  }
  Bytes& u16(uint16_t v) { return u8(v & 0xFF).u8(static_cast<uint8_t>(v >> 8)); }
  Bytes& i32(int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int i = 0; i < 4; ++i) u8(static_cast<uint8_t>(u >> (8 * i)));
    return *this;
  }
  Bytes& f64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i) u8(static_cast<uint8_t>(bits >> (8 * i)));
    return *this;
  }
  // Short archive string: BYTE length, then the bytes.
  Bytes& str(const std::string& s) {
    u8(static_cast<uint8_t>(s.size()));
    out_.insert(out_.end(), s.begin(), s.end());
    return *this;
  }
  // Class record: WORD schema 1, WORD name length, the name.
  Bytes& cls(const std::string& name) {
    u16(1).u16(static_cast<uint16_t>(name.size()));
    out_.insert(out_.end(), name.begin(), name.end());
    return *this;
  }
  // The component part: id, then name.
  Bytes& component(int32_t id, const std::string& name) { return i32(id).str(name); }
  const std::vector<uint8_t>& get() const { return out_; }

 private:
  std::vector<uint8_t> out_;
};

// The bytes `object.Serialize` writes to a storing archive.
template <typename T>
std::vector<uint8_t> Store(T& object) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    object.Serialize(ar);
    ar.Close();
  }
  return file.Data();
}

// Loads `object` from `bytes`; true when every byte was read.
template <typename T>
bool Load(T& object, const std::vector<uint8_t>& bytes) {
  CMemFile file(bytes);
  CArchive ar(&file, CArchive::load);
  object.Serialize(ar);
  return ar.BytesLeft() == 0;
}

inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The component fields that are never archived hold their defaults.
inline void ExpectUnarchivedDefaults(const CBMComponent& c) {
  auto& mutableC = const_cast<CBMComponent&>(c);
  EXPECT_EQ(c.get_MapHandle(), CString());
  EXPECT_EQ(mutableC.get_OutHandle(), CString());
  EXPECT_EQ(c.get_ObjectType(), BM_NONE);
}

// Gives a component values that no loading may keep where they are not
// archived.
inline void Decorate(CBMComponent& c, int id, const char* name) {
  c.set_Id(id);
  c.set_Name(name);
  c.set_MapHandle("MAP");
  c.set_OutHandle(CString("OUT"));
}

}  // namespace bm::test::loads
