// Runs Serialize of an object into memory and back.
#pragma once

#include <buildingmodel/buildingmodel.h>

#include <cstdint>
#include <functional>
#include <vector>

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

}  // namespace bm::test
