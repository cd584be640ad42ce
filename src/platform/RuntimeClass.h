// Run-time classes of the legacy framework: CObject, CRuntimeClass, the
// class registry and the macros that give a class its run-time class.
#pragma once

#include <cstddef>
#include <new>
#include <vector>

#include "ObjectPool.h"

class CArchive;
class CObject;

// The run-time class of a CObject-derived class: its name, schema number,
// factory (null when it cannot be created by name) and base class.
struct CRuntimeClass {
  const char* m_lpszClassName;
  unsigned int m_wSchema;
  CObject* (*m_pfnCreateObject)();
  const CRuntimeClass* m_pBaseClass;

  // A new object of this class, or null when the class has no factory.
  // The caller owns the object.
  CObject* CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;

  // Writes the class record: WORD schema, WORD name length, the name bytes.
  void Store(CArchive& ar) const;
  // Reads a class record. Throws CArchiveException with cause badClass when
  // the name is too long, cut short or not registered, and badSchema when
  // the registered schema differs from the one read. Sets *schemaRead.
  static const CRuntimeClass* Load(CArchive& ar, unsigned int* schemaRead);
  // The registered class of exactly this name (case-sensitive), or null.
  static const CRuntimeClass* FromName(const char* name);
};

// The root of every serialisable object. Objects are not copyable: a copy of
// an object that owns raw pointers would free them twice.
class CObject {
 public:
  virtual ~CObject() = default;
  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;

  virtual const CRuntimeClass* GetRuntimeClass() const;
  // Stores or loads the object's fields; CObject itself has none.
  virtual void Serialize(CArchive& ar);
  bool IsKindOf(const CRuntimeClass* cls) const;
  bool IsSerializable() const;

  static const CRuntimeClass classCObject;
  // The run-time class of the static type, for templates that have only the
  // type; every class with BM_DECLARE_DYNAMIC declares its own.
  static const CRuntimeClass* StaticClass() { return &classCObject; }

  // Objects are made in the size-class pool (ObjectPool.h): `new` and
  // `delete` are used as ever, and the virtual destructor hands `delete` the
  // size of the object's own class. The placement and over-aligned forms
  // are those of the global operators (a class operator new hides them).
  // `new (std::nothrow)` is not offered: its delete would not know the size.
  static void* operator new(std::size_t size) { return bm::PoolAllocate(size); }
  static void operator delete(void* p, std::size_t size) noexcept { bm::PoolFree(p, size); }
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}
  static void* operator new(std::size_t size, std::align_val_t align) { return ::operator new(size, align); }
  static void operator delete(void* p, std::align_val_t align) noexcept { ::operator delete(p, align); }

 protected:
  CObject() = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In a class body: the class has a run-time class of its own.
#define BM_DECLARE_DYNAMIC(class_name)                                     \
 public:                                                                   \
  static const CRuntimeClass class##class_name;                            \
  static const CRuntimeClass* StaticClass() { return &class##class_name; } \
  const CRuntimeClass* GetRuntimeClass() const override;

// In a class body: the class has a run-time class and a factory.
#define BM_DECLARE_SERIAL(class_name) \
  BM_DECLARE_DYNAMIC(class_name)      \
  static CObject* CreateObject();

#define BM_IMPLEMENT_DYNAMIC(class_name, base_name, schema)                          \
  const CRuntimeClass class_name::class##class_name = {#class_name, schema, nullptr, \
                                                       RUNTIME_CLASS(base_name)};    \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define BM_IMPLEMENT_SERIAL(class_name, base_name, schema)                                                \
  /* The argument is a class name: it cannot stand in parentheses after new. */                           \
  CObject* class_name::CreateObject() { return new class_name; } /* NOLINT(bugprone-macro-parentheses) */ \
  const CRuntimeClass class_name::class##class_name = {#class_name, schema, &class_name::CreateObject,    \
                                                       RUNTIME_CLASS(base_name)};                         \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

namespace bm {
// Every registered run-time class, from the one explicit class table (built
// on first use; see model/ClassTable.cpp).
const std::vector<const CRuntimeClass*>& RegisteredClasses();
}  // namespace bm
