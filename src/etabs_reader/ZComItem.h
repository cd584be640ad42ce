// ZComItem (one data line of the text file as string tokens) and
// ZComItemList (a keyword block of lines, or a grouped block of lists).
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "ZBMComponent.h"

namespace bm::reader {

// A token's end offset carries this bit when the token was a quoted name.
inline constexpr uint32_t kQuotedToken = 0x80000000u;
inline constexpr uint32_t TokenEnd(uint32_t flaggedEnd) { return flaggedEnd & ~kQuotedToken; }

// The tokens of one line in a single heap block:
// [uint32 count][uint32 end offset x count][token bytes]. A file holds tens of
// thousands of lines, so each line costs one allocation, not one per token,
// and none when a reused store's block is large enough.
class TokenStore {
 public:
  TokenStore() = default;
  TokenStore(const TokenStore& other);
  TokenStore(TokenStore&&) noexcept = default;
  TokenStore& operator=(const TokenStore&) = delete;
  TokenStore& operator=(TokenStore&&) noexcept = default;

  int Count() const { return data_ ? static_cast<int>(Word(0)) : 0; }
  // Token at 0-based position i; the caller keeps i within 0 to Count()-1.
  std::string_view Get(int i) const {
    const size_t n = Word(0);
    const uint32_t begin = i == 0 ? 0 : TokenEnd(Word(static_cast<size_t>(i)));
    const uint32_t end = TokenEnd(Word(static_cast<size_t>(i) + 1));
    return std::string_view(data_.get() + 4 + 4 * n + begin, end - begin);
  }
  // Whether token i (0-based, within range) was a quoted name.
  bool Quoted(int i) const { return (Word(static_cast<size_t>(i) + 1) & kQuotedToken) != 0; }
  // The first eight bytes of `token` (a view that Get gave), zero beyond its
  // end, in one word (as bm::LoadPrefix8 gives them): the block keeps
  // kSlack bytes after its last token, so that one load reads them.
  static uint64_t Head(std::string_view token) {
    uint64_t v;
    std::memcpy(&v, token.data(), sizeof v);
    return token.size() >= 8 ? v : v & ((uint64_t{1} << (8 * token.size())) - 1);
  }
  // bm::UpperedIs of a token that Get gave (or its end part) and a word:
  // a token of up to eight bytes (a storey's name, most keywords) in one
  // load.
  static bool UpperedIs(std::string_view token, std::string_view upperWord) {
    if (token.size() != upperWord.size()) return false;
    if (token.size() - 1 < 8)
      return bm::AsciiUpper8(Head(token)) == bm::LoadPrefix8(upperWord.data(), token.size());
    return bm::UpperedIs(token, upperWord);
  }
  // bm::SameNoCase of two tokens that Get gave (of any stores), the same way.
  static bool SameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (a.size() - 1 < 8) return bm::AsciiUpper8(Head(a)) == bm::AsciiUpper8(Head(b));
    return bm::SameNoCase(a, b);
  }
  // Replaces the content: token k is bytes[ends[k-1] .. ends[k]) (ends[-1] = 0);
  // an end may carry kQuotedToken. The block is reused when the content fits.
  void Assign(std::string_view bytes, const uint32_t* ends, size_t count);

 private:
  // The k-th 32-bit word of the block (0 is the count, k the end of token k-1).
  uint32_t Word(size_t k) const {
    uint32_t v;
    std::memcpy(&v, data_.get() + 4 * k, sizeof v);
    return v;
  }

  // Zero bytes after the last token's (see Head).
  static constexpr size_t kSlack = 8;

  std::unique_ptr<char[]> data_;
  // Bytes the block holds room for, the slack not counted (0 when there is
  // none).
  size_t capacity_ = 0;
};

// Reads a decimal integer as sscanf "%d" does; 0 when the text does not
// begin (after white space) with one.
int ParseInt(std::string_view token);
// The number, or left-to-right expression without precedence, of a token
// (see ZComItem::GetDouble). A token in a non-decimal form ("INF", "NAN",
// "0x10") or whose value is not finite reads as 0, and `decimal` (when
// given) is set false.
double EvaluateNumber(std::string_view token, bool* decimal = nullptr);
// The expression rules alone, on a trimmed token (no check of the form).
double EvaluateExpression(std::string_view token);

}  // namespace bm::reader

// One data line as string tokens. Tokens are numbered from 1; token 1 is the
// keyword. ItemArray0 holds the tokens the reader fills and reads; the four
// further arrays (selectors 1 to 4) exist for hosts. Only Id and Name are
// archived, never the tokens.
class ZComItem : public ZBMComponent {
  BM_DECLARE_SERIAL(ZComItem)

 public:
  ZComItem() = default;
  // Copies the tokens of src's ItemArray0 (nothing when src is null); the
  // other arrays, Id and Name keep their defaults.
  explicit ZComItem(const ZComItem* src);
  ~ZComItem() override = default;

  // For each token of `items`: removes every double quote from it in `items`
  // itself (the caller's array changes), then appends a copy to ItemArray0.
  void AddLineItem(CStringArray& items);
  // The same for ItemArray1 ... ItemArray4.
  void AddLineItem2(CStringArray& items);
  void AddLineItem3(CStringArray& items);
  void AddLineItem4(CStringArray& items);
  void AddLineItem5(CStringArray& items);

  // Token i (1-based) of ItemArray0 becomes s; nothing when i is outside
  // 1 to GetItemCount().
  void SetString(int i, CString s);
  // Number of tokens in ItemArray0.
  int GetItemCount() const { return Tokens.Count(); }

  // Token i of array `which` (0 to 4), leading white space removed and
  // upper-cased (ASCII letters only). Empty for a selector outside 0 to 4 or
  // i outside 1 to the count.
  CString GetString(int i, int which) const;
  // Token i of ItemArray0 with leading and trailing white space and every
  // double quote removed, case kept; empty outside 1 to the count.
  CString GetClearString(int i) const;
  // The integer at the start of token i as sscanf "%d" reads it; 0 for a
  // selector or position out of range or a token without a leading integer.
  int GetInt(int i, int which) const;
  // Token i read as a number, or as an expression evaluated left to right
  // without precedence: operators + - * / and P (power); other letters are
  // skipped with the number after them. 0.0 out of range or without digits.
  // Examples: "1+2*3" gives 9, "2P3" gives 8, "12KN" gives 12.
  // A token that is not a decimal number ("INF", "NAN", "0x10", "1e999")
  // reads as 0 and marks the line (HadNumberFault).
  double GetDouble(int i, int which) const;
  // Whether GetDouble met a token that is not a decimal number on this line.
  bool HadNumberFault() const { return NumberFault; }
  // How many such tokens GetDouble has met on this thread, on any line: a
  // reader compares it before and after handling lines to know whether any
  // of them needs a look.
  static uint64_t NumberFaultsSeen() { return NumberFaultCount; }
  // Whether token i of ItemArray0 was written as a quoted name.
  bool IsQuoted(int i) const { return i >= 1 && i <= Tokens.Count() && Tokens.Quoted(i - 1); }

  ZComItem* AsComItem() override { return this; }
  // Evaluates the token as GetDouble does and returns 0.
  long GetSystemDouble(int i, int which) const;

  // Fast access for the reader (no allocation).
  // The tokens of ItemArray0 (token i is tokens().Get(i - 1)).
  const bm::reader::TokenStore& tokens() const { return Tokens; }
  // Token i of ItemArray0 exactly as stored; empty outside 1 to the count.
  std::string_view Token(int i) const {
    return i < 1 || i > Tokens.Count() ? std::string_view() : Tokens.Get(i - 1);
  }
  // Token i as TokenIs compares it: its leading white space removed; empty
  // when there is none. Taken once to compare with several words.
  std::string_view ComparedToken(int i) const { return bm::TrimLeft(Token(i)); }
  // True when GetString(i, 0) equals `upperWord` (which must not hold
  // lower-case letters), compared without building the string.
  bool TokenIs(int i, std::string_view upperWord) const;
  // Replaces ItemArray0: token k is bytes[ends[k-1] .. ends[k]).
  void AssignTokens(std::string_view bytes, const uint32_t* ends, size_t count) {
    Tokens.Assign(bytes, ends, count);
  }
  // Makes this line as new with the given tokens (as AssignTokens): id, name,
  // type word, the further arrays and the number-fault mark are cleared. The
  // reader refills the lines of a handled block instead of making new ones.
  void Refill(std::string_view bytes, const uint32_t* ends, size_t count);

 private:
  // Token i (1-based) of array `which`, or false when out of range.
  bool Select(int i, int which, std::string_view& token) const {
    if (which != 0) return SelectExtra(i, which, token);
    if (i < 1 || i > Tokens.Count()) return false;
    token = Tokens.Get(i - 1);
    return true;
  }
  // Select for the further arrays (selectors 1 to 4).
  bool SelectExtra(int i, int which, std::string_view& token) const;
  CStringArray& Extra(int which);

  // ItemArray0.
  bm::reader::TokenStore Tokens;
  // ItemArray1 to ItemArray4, created when first filled.
  std::unique_ptr<std::array<CStringArray, 4>> ExtraArrays;
  // Set by GetDouble when a token was not a decimal number.
  mutable bool NumberFault = false;
  static thread_local uint64_t NumberFaultCount;
};

// A keyword block (members are ZComItem lines) or a grouped block (members
// are ZComItemList groups). Unlike its base it owns its members and deletes
// them when destroyed. Registered with CObject as its run-time base class.
class ZComItemList : public ZBMComponentList {
  BM_DECLARE_SERIAL(ZComItemList)

 public:
  ZComItemList() = default;
  ~ZComItemList() override;

  // Member i (1-based) as a line; null outside the list or when it is not one.
  ZComItem* GetComItem(int i) const;
  // Member i (1-based) as a group; null outside the list or when it is not one.
  ZComItemList* GetComList(int i) const;

  ZComItemList* AsComList() override { return this; }
};
