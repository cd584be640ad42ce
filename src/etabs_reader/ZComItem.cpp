// ZComItem token access and number conversion, ZComItemList ownership.
#include "etabs_reader/ZComItem.h"

#include <cmath>
#include <cstring>
#include <string>

#include "etabs_reader/ZFileReadModule.h"
#include "platform/Format.h"

BM_IMPLEMENT_SERIAL(ZComItem, ZBMComponent, 1)
// Legacy: the list is registered with CObject as its base, so a kind-of test
// against ZBMComponentList answers no although the C++ class derives from it.
BM_IMPLEMENT_SERIAL(ZComItemList, CObject, 1)

namespace bm::reader {

namespace {

void StoreU32(char* p, uint32_t v) { std::memcpy(p, &v, sizeof v); }

// Collects tokens (as views) and rebuilds a store from them.
void Rebuild(TokenStore& store, const std::vector<std::string>& tokens) {
  std::string bytes;
  std::vector<uint32_t> ends;
  ends.reserve(tokens.size());
  for (const std::string& t : tokens) {
    bytes += t;
    ends.push_back(static_cast<uint32_t>(bytes.size()));
  }
  store.Assign(bytes, ends.data(), ends.size());
}

std::vector<std::string> Collect(const TokenStore& store) {
  std::vector<std::string> tokens;
  tokens.reserve(static_cast<size_t>(store.Count()));
  for (int i = 0; i < store.Count(); ++i) tokens.emplace_back(store.Get(i));
  return tokens;
}

}  // namespace

TokenStore::TokenStore(const TokenStore& other) {
  if (!other.data_) return;
  const uint32_t n = other.Word(0);
  const uint32_t bytes = n ? TokenEnd(other.Word(n)) : 0;
  const size_t size = 4 + 4 * static_cast<size_t>(n) + bytes;
  data_ = std::make_unique<char[]>(size + kSlack);  // zeroed, the slack too
  capacity_ = size;
  std::memcpy(data_.get(), other.data_.get(), size);
}

void TokenStore::Assign(std::string_view bytes, const uint32_t* ends, size_t count) {
  const size_t used = count ? TokenEnd(ends[count - 1]) : 0;
  const size_t size = 4 + 4 * count + used;
  if (!data_ || size > capacity_) {
    if (count == 0) {
      data_.reset();
      capacity_ = 0;
      return;
    }
    std::unique_ptr<char[]> data(new char[size + kSlack]);
    data_ = std::move(data);
    capacity_ = size;
  }
  StoreU32(data_.get(), static_cast<uint32_t>(count));
  if (count == 0) return;
  std::memcpy(data_.get() + 4, ends, 4 * count);
  std::memcpy(data_.get() + 4 + 4 * count, bytes.data(), used);
  std::memset(data_.get() + size, 0, kSlack);
}

int ParseInt(std::string_view token) {
  int value = 0;
  return bm::ScanInt(token, value) ? value : 0;
}

namespace {

// True when a number begins at `text` (after an optional sign) in a form
// that is not decimal: a hexadecimal prefix, or an infinity or NaN word.
bool StartsNonDecimal(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return true;
  if (text.size() < 3) return false;
  const char word[3] = {bm::AsciiUpper(text[0]), bm::AsciiUpper(text[1]), bm::AsciiUpper(text[2])};
  return std::string_view(word, 3) == "INF" || std::string_view(word, 3) == "NAN";
}

// Whether any number of the token (the first, or one after an operator) is
// written in a non-decimal form.
bool HasNonDecimal(std::string_view token) {
  if (StartsNonDecimal(token)) return true;
  for (size_t k = 0; k + 1 < token.size(); ++k) {
    const char c = token[k];
    if ((c == '+' || c == '-' || c == '*' || c == '/') && StartsNonDecimal(TrimLeft(token.substr(k + 1))))
      return true;
  }
  return false;
}

}  // namespace

double EvaluateNumber(std::string_view token, bool* decimal) {
  if (decimal) *decimal = true;
  // The common case first: the whole token is one plain decimal number.
  if (double v = 0.0; bm::ReadPlainNumber(token, v)) return v;
  // Then any whole decimal number (digits or a point after an optional sign;
  // never a hexadecimal prefix).
  {
    size_t used = 0;
    const double v = bm::StrToD(token, &used);
    if (used == token.size() && used > 0 && std::isfinite(v)) {
      const std::string_view t = TrimLeft(token);
      const size_t k = (t.front() == '+' || t.front() == '-') ? 1 : 0;
      const char c = k < t.size() ? t[k] : '\0';
      const bool hex = c == '0' && k + 1 < t.size() && (t[k + 1] == 'x' || t[k + 1] == 'X');
      if (((c >= '0' && c <= '9') || c == '.') && !hex) return v;
    }
  }
  token = TrimLeft(TrimRight(token));
  if (token.empty()) return 0.0;
  // Decision: only decimal numbers are read. "INF", "NAN" and "0x10" are
  // not numbers: they read as 0 and the caller is told, so that nothing
  // non-finite enters the model.
  if (HasNonDecimal(token)) {
    if (decimal) *decimal = false;
    return 0.0;
  }
  const double value = EvaluateExpression(token);
  if (!std::isfinite(value)) {
    if (decimal) *decimal = false;
    return 0.0;
  }
  return value;
}

double EvaluateExpression(std::string_view token) {
  size_t used = 0;
  const double v = bm::StrToD(token, &used);
  if (used == token.size()) return v;

  // An expression: read again from the upper-cased token, then apply each
  // operator in turn, left to right.
  std::string upper(token);
  for (char& c : upper) c = bm::AsciiUpper(c);
  std::string_view rest = upper;
  double a = bm::StrToD(rest, &used);
  rest = TrimLeft(rest.substr(used));
  while (!rest.empty()) {
    const char op = rest.front();
    rest.remove_prefix(1);
    const double x = bm::StrToD(rest, &used);
    rest = TrimLeft(rest.substr(used));
    switch (op) {
      case '+':
        a += x;
        break;
      case '-':
        a -= x;
        break;
      case '*':
        a *= x;
        break;
      case '/':
        a /= x;
        break;
      case 'P':
        a = std::pow(a, x);
        break;
      default:
        break;  // Any other character: the number after it is dropped.
    }
  }
  return a;
}

}  // namespace bm::reader

thread_local uint64_t ZComItem::NumberFaultCount = 0;

ZComItem::ZComItem(const ZComItem* src) {
  if (src) Tokens = bm::reader::TokenStore(src->Tokens);
}

void ZComItem::Refill(std::string_view bytes, const uint32_t* ends, size_t count) {
  Tokens.Assign(bytes, ends, count);
  ExtraArrays.reset();
  NumberFault = false;
  Id = 0;
  MapId = 0;
  ObjectType.reset();
  if (!Name.IsEmpty()) Name = CString();
}

void ZComItem::AddLineItem(CStringArray& items) {
  std::vector<std::string> tokens = bm::reader::Collect(Tokens);
  tokens.reserve(tokens.size() + static_cast<size_t>(items.GetSize()));
  for (CString& item : items) {
    item.Remove('"');
    tokens.push_back(item.str());
  }
  bm::reader::Rebuild(Tokens, tokens);
}

CStringArray& ZComItem::Extra(int which) {
  if (!ExtraArrays) ExtraArrays = std::make_unique<std::array<CStringArray, 4>>();
  return (*ExtraArrays)[static_cast<size_t>(which - 1)];
}

void ZComItem::AddLineItem2(CStringArray& items) {
  for (CString& item : items) {
    item.Remove('"');
    Extra(1).Add(item);
  }
}

void ZComItem::AddLineItem3(CStringArray& items) {
  for (CString& item : items) {
    item.Remove('"');
    Extra(2).Add(item);
  }
}

void ZComItem::AddLineItem4(CStringArray& items) {
  for (CString& item : items) {
    item.Remove('"');
    Extra(3).Add(item);
  }
}

void ZComItem::AddLineItem5(CStringArray& items) {
  for (CString& item : items) {
    item.Remove('"');
    Extra(4).Add(item);
  }
}

void ZComItem::SetString(int i, CString s) {
  if (i < 1 || i > GetItemCount()) return;
  std::vector<std::string> tokens = bm::reader::Collect(Tokens);
  tokens[static_cast<size_t>(i - 1)] = s.str();
  bm::reader::Rebuild(Tokens, tokens);
}

bool ZComItem::SelectExtra(int i, int which, std::string_view& token) const {
  if (which < 1 || which > 4 || i < 1 || !ExtraArrays) return false;
  const CStringArray& array = (*ExtraArrays)[static_cast<size_t>(which - 1)];
  if (i > array.GetSize()) return false;
  token = array[i - 1].view();
  return true;
}

bool ZComItem::TokenIs(int i, std::string_view upperWord) const {
  return bm::reader::TokenStore::UpperedIs(ComparedToken(i), upperWord);
}

CString ZComItem::GetString(int i, int which) const {
  std::string_view token;
  if (!Select(i, which, token)) return CString();
  return CString::UpperOf(bm::TrimLeft(token));
}

CString ZComItem::GetClearString(int i) const {
  std::string_view token;
  if (!Select(i, 0, token)) return CString();
  CString s(bm::TrimRight(bm::TrimLeft(token)));
  s.Remove('"');
  return s;
}

int ZComItem::GetInt(int i, int which) const {
  std::string_view token;
  if (!Select(i, which, token)) return 0;
  return bm::reader::ParseInt(token);
}

double ZComItem::GetDouble(int i, int which) const {
  std::string_view token;
  if (!Select(i, which, token)) return 0.0;
  // Most numbers of a file are short plain decimals; the token store keeps
  // readable bytes after every token of ItemArray0.
  if (double v = 0.0; which == 0 && bm::ReadShortPlainNumber(token, v)) return v;
  bool decimal = true;
  const double value = bm::reader::EvaluateNumber(token, &decimal);
  if (!decimal) {
    NumberFault = true;
    ++NumberFaultCount;
  }
  return value;
}

long ZComItem::GetSystemDouble(int i, int which) const {
  (void)GetDouble(i, which);
  return 0;
}

ZComItemList::~ZComItemList() { DeleteAll(); }

ZComItem* ZComItemList::GetComItem(int i) const {
  ZBMComponent* member = GetItem(i);
  return member ? member->AsComItem() : nullptr;
}

ZComItemList* ZComItemList::GetComList(int i) const {
  ZBMComponent* member = GetItem(i);
  return member ? member->AsComList() : nullptr;
}
