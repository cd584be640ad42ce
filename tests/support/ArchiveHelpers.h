// Runs Serialize of an object into memory and back.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "support/ByteBuilder.h"

namespace bm::test {

// The bytes that `store` writes through a storing archive.
inline std::vector<uint8_t> StoreBytes(const std::function<void(CArchive&)>& store) {
  CMemFile file;
  {
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
  }
  return file.Data();
}

// Runs `load` over a loading archive of `bytes`; returns the bytes left unread.
inline uint64_t LoadBytes(const std::vector<uint8_t>& bytes, const std::function<void(CArchive&)>& load) {
  CMemFile file(bytes);
  CArchive ar(&file, CArchive::load);
  load(ar);
  return ar.BytesLeft();
}

template <typename T>
std::vector<uint8_t> StoreObject(T& object) {
  return StoreBytes([&](CArchive& ar) { object.Serialize(ar); });
}

// Loads `object` from `bytes` and checks every byte was consumed.
template <typename T>
bool LoadObject(T& object, const std::vector<uint8_t>& bytes) {
  return LoadBytes(bytes, [&](CArchive& ar) { object.Serialize(ar); }) == 0;
}

// Stores `from` and loads that record into `to`, as an archive load does
// before the topology rebuild: names are back, pointers are not. The bytes
// left are not checked.
template <typename T>
void Reload(T& from, T& to) {
  LoadBytes(StoreObject(from), [&](CArchive& ar) { to.Serialize(ar); });
}

// A record's layout: `object` stores exactly `expected`, and a fresh object
// loads every byte of it and stores the same bytes again.
template <typename T>
void ExpectRecord(T& object, const ByteBuilder& expected) {
  EXPECT_EQ(StoreObject(object), expected.bytes());
  T back;
  EXPECT_TRUE(LoadObject(back, expected.bytes()));
  EXPECT_EQ(StoreObject(back), expected.bytes());
}

}  // namespace bm::test
