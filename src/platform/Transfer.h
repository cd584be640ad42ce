// Transfer: an archive record states its fields once, in record order; the
// same list stores them on a storing archive and loads them on a loading one,
// so the two directions cannot drift apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "Archive.h"
#include "Exceptions.h"
#include "String.h"

namespace bm {

// A field whose stored value and loaded destination differ: storing writes
// `stored`, loading reads into `loaded`. For a value the record derives when
// storing (a flag that must agree with the object it announces) or one that
// loading hands on afterwards (a name an index must learn of).
template <typename T>
struct Split {
  const T& stored;
  T& loaded;
};

// A reserved field: storing writes `value`, loading reads it and drops it.
template <typename T>
struct Reserved {
  T value;
};

namespace transfer_detail {

template <typename T, typename = void>
struct HasSerialize : std::false_type {};
template <typename T>
struct HasSerialize<T, std::void_t<decltype(std::declval<T&>().Serialize(std::declval<CArchive&>()))>>
    : std::true_type {};

// How one field type crosses the archive. The primary template serves
// objects with their own Serialize; the archive's encodings are chosen by
// exact type, so a bool or a long must say how it is stored (no silent
// widening or narrowing).
template <typename T>
struct Codec {
  static_assert(HasSerialize<T>::value, "no archive encoding for this field type: use an adapter");
  static void Store(CArchive& ar, T& v) { v.Serialize(ar); }
  static void Load(CArchive& ar, T& v) { v.Serialize(ar); }
};

template <typename T, void (CArchive::*Write)(T), T (CArchive::*Read)()>
struct ValueCodec {
  static void Store(CArchive& ar, const T& v) { (ar.*Write)(v); }
  static void Load(CArchive& ar, T& v) { v = (ar.*Read)(); }
};

template <>
struct Codec<uint8_t> : ValueCodec<uint8_t, &CArchive::WriteByte, &CArchive::ReadByte> {};
template <>
struct Codec<uint16_t> : ValueCodec<uint16_t, &CArchive::WriteWord, &CArchive::ReadWord> {};
template <>
struct Codec<int32_t> : ValueCodec<int32_t, &CArchive::WriteInt32, &CArchive::ReadInt32> {};
template <>
struct Codec<uint32_t> : ValueCodec<uint32_t, &CArchive::WriteDword, &CArchive::ReadDword> {};
template <>
struct Codec<double> : ValueCodec<double, &CArchive::WriteDouble, &CArchive::ReadDouble> {};

template <>
struct Codec<CString> {
  static void Store(CArchive& ar, const CString& v) { ar.WriteString(v); }
  static void Load(CArchive& ar, CString& v) { ar.ReadString(v); }
};

// A fixed array: its elements in index order.
template <typename T, size_t N>
struct Codec<T[N]> {
  template <typename Array>
  static void Store(CArchive& ar, Array& v) {
    for (auto& e : v) Codec<T>::Store(ar, e);
  }
  static void Load(CArchive& ar, T (&v)[N]) {
    for (T& e : v) Codec<T>::Load(ar, e);
  }
};

template <typename T>
struct Codec<Split<T>> {
  static void Store(CArchive& ar, const Split<T>& f) { Codec<T>::Store(ar, f.stored); }
  static void Load(CArchive& ar, const Split<T>& f) { Codec<T>::Load(ar, f.loaded); }
};

template <typename T>
struct Codec<Reserved<T>> {
  static void Store(CArchive& ar, const Reserved<T>& f) { Codec<T>::Store(ar, f.value); }
  static void Load(CArchive& ar, const Reserved<T>&) {
    T dropped{};
    Codec<T>::Load(ar, dropped);
  }
};

template <typename F>
using CodecOf = Codec<std::remove_cv_t<std::remove_reference_t<F>>>;

}  // namespace transfer_detail

// Stores `fields` in order when `ar` is storing, else loads them in the same
// order. A field is an int32_t, uint8_t, uint16_t, uint32_t, double, CString,
// a fixed array of these, an object with its own Serialize, or one of the
// adapters above. A failed read throws CArchiveException as the archive does;
// the fields before it keep what they loaded.
template <typename... Fields>
void Transfer(CArchive& ar, Fields&&... fields) {
  if (ar.IsStoring()) {
    (transfer_detail::CodecOf<Fields>::Store(ar, fields), ...);
  } else {
    (transfer_detail::CodecOf<Fields>::Load(ar, fields), ...);
  }
}

// Refuses a loaded item count that the archive cannot hold: negative, or
// more items than the bytes left allow at `minBytesEach` bytes per item.
// Throws CArchiveException(endOfFile), before anything is allocated for them.
inline void RequireItems(CArchive& ar, int count, size_t minBytesEach) {
  if (count < 0 || static_cast<uint64_t>(count) * minBytesEach > ar.BytesLeft()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
}

}  // namespace bm
