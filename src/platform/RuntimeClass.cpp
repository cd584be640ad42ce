// Run-time class records and the look-up of registered classes by name.
#include "platform/RuntimeClass.h"

#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Archive.h"
#include "platform/Exceptions.h"

const CRuntimeClass CObject::classCObject = {"CObject", 0xFFFF, nullptr, nullptr};

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive& /*ar*/) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }

bool CObject::IsSerializable() const { return GetRuntimeClass()->m_wSchema != 0xFFFF; }

CObject* CRuntimeClass::CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
    if (c == base) return true;
  }
  return false;
}

void CRuntimeClass::Store(CArchive& ar) const {
  const std::string_view name(m_lpszClassName);
  ar.WriteWord(static_cast<unsigned short>(m_wSchema));
  ar.WriteWord(static_cast<unsigned short>(name.size()));
  ar.WriteBytes(name.data(), name.size());
}

namespace {
// Longest class name a record may carry, as the legacy framework accepts.
constexpr unsigned kMaxClassNameLength = 64;

const std::unordered_map<std::string_view, const CRuntimeClass*>& ClassesByName() {
  static const std::unordered_map<std::string_view, const CRuntimeClass*> byName = [] {
    std::unordered_map<std::string_view, const CRuntimeClass*> map;
    for (const CRuntimeClass* c : bm::RegisteredClasses()) map.emplace(c->m_lpszClassName, c);
    return map;
  }();
  return byName;
}
}  // namespace

const CRuntimeClass* CRuntimeClass::FromName(const char* name) {
  if (!name) return nullptr;
  const auto& map = ClassesByName();
  const auto it = map.find(std::string_view(name));
  return it == map.end() ? nullptr : it->second;
}

const CRuntimeClass* CRuntimeClass::Load(CArchive& ar, unsigned int* schemaRead) {
  const unsigned short schema = ar.ReadWord();
  const unsigned short length = ar.ReadWord();
  if (schemaRead) *schemaRead = schema;
  if (length >= kMaxClassNameLength || ar.BytesLeft() < length) {
    throw CArchiveException(CArchiveException::badClass);
  }
  char name[kMaxClassNameLength];
  ar.ReadBytes(name, length);
  const auto& map = ClassesByName();
  const auto it = map.find(std::string_view(name, length));
  if (it == map.end()) throw CArchiveException(CArchiveException::badClass);
  if (it->second->m_wSchema != schema) throw CArchiveException(CArchiveException::badSchema);
  return it->second;
}
