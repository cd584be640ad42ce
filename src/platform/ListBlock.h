// The list block that archived object lists share: a count (4-byte int), the
// first member's class record, then each member's own record. The model's
// component lists and the reader's token lists both use it.
#pragma once

#include <cstdint>
#include <memory>
#include <typeinfo>

#include "Archive.h"
#include "Exceptions.h"
#include "RuntimeClass.h"

namespace bm {

// Stores the non-null members of `items` (a range of pointers to objects
// with a Serialize(CArchive&)) as one block. Null slots cannot be archived;
// they are left out of the block. An empty block is the count 0 alone.
template <typename Items>
void StoreListBlock(CArchive& ar, const Items& items) {
  int n = 0;
  const CObject* first = nullptr;
  for (const auto* p : items) {
    if (!p) continue;
    if (!first) first = p;
    ++n;
  }
  ar.WriteInt32(n);
  if (n < 1) return;
  ar.WriteClass(first->GetRuntimeClass());
  for (auto* p : items) {
    if (p) p->Serialize(ar);
  }
}

// The head of a block being loaded: its member count and class record.
struct ListBlockHead {
  int count = 0;
  // Null when the count is below 1: no class record and no member follow.
  const CRuntimeClass* cls = nullptr;
};

// Reads the count and, when it is at least 1, the class record. Throws
// CArchiveException: badClass / badSchema for the class record, endOfFile
// when the data ends or when the count exceeds the bytes left (every member
// record takes at least one byte, so such a count is corrupt and is refused
// before anything is created).
inline ListBlockHead ReadListBlockHead(CArchive& ar) {
  ListBlockHead head;
  head.count = ar.ReadInt32();
  if (head.count < 1) return head;
  head.cls = ar.ReadClass();
  if (static_cast<uint64_t>(head.count) > ar.BytesLeft()) {
    throw CArchiveException(CArchiveException::endOfFile);
  }
  return head;
}

// `object` as a T, as dynamic_cast<T*> gives it; null for null. The classes
// lately found to be a T are remembered (per thread), so that the many small
// blocks of a model, each of one class, do not walk the class hierarchy for
// every member or every block.
template <typename T>
T* CastToMember(CObject* object) {
  if (!object) return nullptr;
  constexpr unsigned kRemembered = 8;
  thread_local const std::type_info* known[kRemembered] = {};
  thread_local unsigned next = 0;
  const std::type_info* type = &typeid(*object);
  for (const std::type_info* k : known) {
    if (k == type) return static_cast<T*>(object);
  }
  T* member = dynamic_cast<T*>(object);
  if (member) known[next++ % kRemembered] = type;
  return member;
}

// Loads `count` member records: each member is made by `create()` (a
// CObject*, null allowed), loaded with its Serialize and handed to `add`,
// which takes ownership. An object that is not a T (or null) is deleted and
// CArchiveException(badClass) thrown; a member whose record fails to load is
// deleted and the exception passes on. Members added before a failure stay
// with `add`'s owner.
template <typename T, typename Create, typename Add>
void LoadListMembers(CArchive& ar, int count, Create create, Add add) {
  for (int i = 0; i < count; ++i) {
    // Held here until `add` returns, so that an exception anywhere (the
    // record, or memory running out in `add`) frees it.
    std::unique_ptr<CObject> object(create());
    T* member = CastToMember<T>(object.get());
    if (!member) throw CArchiveException(CArchiveException::badClass);
    member->Serialize(ar);
    add(member);
    static_cast<void>(object.release());  // `add` owns it now
  }
}

}  // namespace bm
