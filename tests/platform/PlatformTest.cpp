// Archive encodings, buffer refills and the failures of a short or malformed archive; numbers formatted and
// parsed as the C library does in the "C" locale (but for the three-digit exponent); CString; text files.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <regex>
#include <string>

#include "platform/Transfer.h"
#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"
#include "support/Files.h"

namespace {

using bm::test::ByteBuilder, bm::test::LoadBytes, bm::test::StoreBytes;

// The cause of the CArchiveException that `use` throws over `bytes`; -1 for none.
int Cause(const std::vector<uint8_t>& bytes, const std::function<void(CArchive&)>& use,
          unsigned mode = CArchive::load) {
  CMemFile file(bytes);
  CArchive ar(&file, mode);
  try {
    use(ar);
  } catch (const CArchiveException& e) {
    return e.m_cause;
  }
  return -1;
}

TEST(Archive, StringPrefixesFollowTheLength) {
  const std::pair<size_t, std::vector<uint8_t>> cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const auto& [length, prefix] : cases) {
    const std::string text(length, 'q');
    const auto bytes = StoreBytes([&](CArchive& ar) { ar.WriteString(CString(text)); });
    ASSERT_EQ(bytes.size(), prefix.size() + length) << length;
    EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), bytes.begin())) << length;
    CString back;
    EXPECT_EQ(0u, LoadBytes(bytes, [&](CArchive& ar) { ar.ReadString(back); }));
    EXPECT_EQ(back.str(), text);
  }
}

TEST(Archive, ReadsTheWideCharacterForm) {
  // 0xFF 0xFFFE announces UTF-16LE; then a length prefix counting code units. A lone half: U+FFFD.
  ByteBuilder b;
  b.U8(0xFF).U16(0xFFFE).U8(5).U16('A').U16(0x00E9).U16(0xD83D).U16(0xDE00).U16(0xDC00).U8(2).Raw({'o', 'k'});
  CString wide, narrow;
  EXPECT_EQ(0u, LoadBytes(b.bytes(), [&](CArchive& ar) { ar.ReadString(wide), ar.ReadString(narrow); }));
  EXPECT_EQ(wide.str() + "|" + narrow.str(), "A\xC3\xA9\xF0\x9F\x98\x80\xEF\xBF\xBD|ok");
}

// A string and a number (S) or class records (C) from inputs that end early, announce a string longer
// than the bytes left, or name a class unknown, cut short or of another schema; a write while loading (W)
// and a read while storing (R).
TEST(Archive, ShortOrMalformedInputsAndTheWrongDirectionThrowTheirCause) {
  const int eof = CArchiveException::endOfFile, badClass = CArchiveException::badClass;
  const int badSchema = CArchiveException::badSchema;
  const std::tuple<char, std::vector<uint8_t>, int> cases[] = {
      {'S', {}, eof},
      {'S', {1}, eof},
      {'S', {1, 2, 3}, eof},
      {'S', {0x05, 'a', 'b'}, eof},
      {'S', {0xFF, 0x10}, eof},
      {'S', ByteBuilder().U8(0xFF).U16(0xFFFF).I32(0x7FFFFFF0).bytes(), eof},
      {'C', ByteBuilder().Class("CBMNoSuchClass").bytes(), badClass},
      {'C', ByteBuilder().Class("cbmcomponent").bytes(), badClass},
      {'C', ByteBuilder().Class("CBMComponent", 2).bytes(), badSchema},
      {'C', ByteBuilder().Class("CBMJoint").Class("CBMJoint", 7).bytes(), badSchema},  // met again, changed
      {'C', ByteBuilder().U16(1).U16(64).bytes(), badClass},
      {'C', ByteBuilder().U16(1).U16(12).Raw({'C', 'B', 'M'}).bytes(), badClass},
      {'C', ByteBuilder().U16(1).bytes(), eof},
      {'W', {0, 0, 0, 0}, CArchiveException::readOnly},
      {'R', {}, CArchiveException::writeOnly},
  };
  for (const auto& [what, in, cause] : cases) {
    auto use = [what = what](CArchive& ar) {
      CString s;
      if (what == 'S') ar.ReadString(s);
      if (what == 'S' || what == 'R') ar.ReadInt32();
      if (what == 'C' && ar.ReadClass()) ar.ReadClass();
      if (what == 'W') ar.WriteInt32(1);
    };
    EXPECT_EQ(Cause(in, use, what == 'R' ? CArchive::store : CArchive::load), cause) << what << in.size();
  }
}

// Values that end on, straddle and outgrow small buffers, and a class record met again.
TEST(Archive, AnyBufferSizeGivesTheSameBytesAndValues) {
  const std::string texts[] = {"", "abc", std::string(254, 'x'), std::string(300, 'y'),
                               std::string(70000, 'z')};
  const double values[] = {-0.0, 1e-310, -3.25, 1.7976931348623157e308, HUGE_VAL, std::nan("0x5")};
  auto store = [&](CArchive& ar) {
    ar << CArchive::BYTE(0xAB) << CArchive::WORD(0x1234) << CArchive::DWORD(0xDEADBEEF) << int32_t(-2);
    ar.WriteClass(RUNTIME_CLASS(CBMJoint));
    for (double v : values) ar << v;
    for (const std::string& t : texts) ar << CString(t);
    ar.WriteClass(RUNTIME_CLASS(CBMBeam));
    ar.WriteClass(RUNTIME_CLASS(CBMJoint));
  };
  const auto expected = StoreBytes(store);
  ByteBuilder head;  // numbers are little-endian
  head.U8(0xAB).U16(0x1234).I32(int32_t(0xDEADBEEF)).I32(-2).Class("CBMJoint");
  for (double v : values) head.F64(v);
  ASSERT_TRUE(std::equal(head.bytes().begin(), head.bytes().end(), expected.begin()));
  for (const int size : {1, 2, 3, 7, 64, 4096}) {
    SCOPED_TRACE(size);
    CMemFile file;
    CArchive out(&file, CArchive::store, size);
    store(out);
    out.Close();
    ASSERT_EQ(file.Data(), expected);
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, size);
    const std::vector<int64_t> numbers{ar.ReadByte(), ar.ReadWord(), ar.ReadDword(), ar.ReadInt32()};
    ASSERT_EQ(numbers, (std::vector<int64_t>{0xAB, 0x1234, 0xDEADBEEF, -2}));
    unsigned schema = 0;
    ASSERT_EQ(ar.ReadClass(&schema), RUNTIME_CLASS(CBMJoint));
    EXPECT_EQ(schema, RUNTIME_CLASS(CBMJoint)->m_wSchema);
    double doubles[std::size(values)];
    CString strings[std::size(texts)];
    for (double& v : doubles) ar >> v;
    for (CString& t : strings) ar >> t;
    ASSERT_EQ(0, std::memcmp(doubles, values, sizeof values));
    for (size_t i = 0; i < std::size(texts); ++i) ASSERT_EQ(strings[i].str(), texts[i]);
    ASSERT_EQ(ar.ReadClass(), RUNTIME_CLASS(CBMBeam));
    ASSERT_EQ(ar.ReadClass(&(schema = 0)), RUNTIME_CLASS(CBMJoint));  // a record met before
    EXPECT_EQ(schema, RUNTIME_CLASS(CBMJoint)->m_wSchema);
    EXPECT_EQ(ar.BytesLeft(), 0u);
  }
}

// (count, least bytes each, accepted) with eight bytes left: checked before anything is made.
TEST(Transfer, RequireItemsRefusesCountsTheBytesCannotHold) {
  const std::tuple<int, size_t, bool> cases[] = {{0, 4, true},   {2, 4, true}, {3, 4, false},
                                                 {-1, 4, false}, {8, 1, true}, {0x40000000, 4, false}};
  for (const auto& [count, each, ok] : cases) {
    const auto require = [count = count, each = each](CArchive& ar) { bm::RequireItems(ar, count, each); };
    EXPECT_EQ(Cause(std::vector<uint8_t>(8, 0), require), ok ? -1 : CArchiveException::endOfFile) << count;
  }
}

// The C library's conversion, with the exponent of "%e" widened to three digits.
std::string Printf(const char* format, double v) {
  char buf[512];
  std::snprintf(buf, sizeof buf, format, v);
  std::string s = buf;
  const size_t e = s.find_first_of("eE"), digits = e == std::string::npos ? 3 : s.size() - (e + 2);
  if (digits < 3) s.insert(e + 2, 3 - digits, '0');
  return s;
}

TEST(Format, MatchesPrintfForFixedConversions) {
  std::mt19937_64 rng(42);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 12);
  const char* formats[] = {"%f",       "%10.6f",  "%6.3f", "%5.3f", "%.0f",
                           "%-12.4f|", "%+08.2f", "%g",    "%.10g", "%#.0e"};
  for (int i = 0; i < 3000; ++i) {
    const double v = mantissa(rng) * std::pow(10.0, exponent(rng));
    for (const char* f : formats) {
      CString s;
      s.Format(f, v);
      ASSERT_EQ(s.str(), Printf(f, v)) << f << " " << v;
    }
  }
}

// In a comma-decimal locale when one is installed (the last name is the Windows C runtime's).
TEST(Format, ExponentsHaveThreeDigitsWhateverTheProcessLocale) {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE", "German_Germany.1252"}) {
    if (std::setlocale(LC_NUMERIC, name)) break;
  }
  const std::pair<std::string, std::string> cases[] = {
      {bm::FormatString("%g", bm::StrToD("3.25")), "3.25"},
      {bm::FormatString("%10.6f|%e|%e|%e|%E|E %e", 3.5, 200000.0, 1e-5, 1e100, -0.0, 2e5),
       "  3.500000|2.000000e+005|1.000000e-005|1.000000e+100|-0.000000E+000|E 2.000000e+005"},
      {bm::FormatString("%i|%d|%5d|%-5d|%05d|%x|%X|%u", 7, -42, 3, 3, -3, 255, 255, 4000000000u),
       "7|-42|    3|3    |-0003|ff|FF|4000000000"},
      {bm::FormatString("%s \"%s\" %.2s %5s|%.0s|%1s|", "A", "B C", "xyz", "r", "abc", ""),
       "A \"B C\" xy     r|| |"},
      {bm::FormatString("100%%"), "100%"},
      {bm::FormatString("%f %f", HUGE_VAL, -HUGE_VAL), "inf -inf"},
      {std::to_string(bm::FormatString("%10.6f", 1e300).size()), "308"},
  };
  std::setlocale(LC_NUMERIC, "C");
  for (const auto& [got, expected] : cases) EXPECT_EQ(got, expected);
}

// Whether `text` is a sign, up to eight digits, and a point with up to
// eight more, of at least one digit and a value of at most 2^53 without
// its point.
bool IsShortDecimal(const std::string& text) {
  static const std::regex form("[-+]?([0-9]{0,8})(\\.([0-9]{0,8}))?");
  std::smatch parts;
  if (!std::regex_match(text, parts, form)) return false;
  const std::string digits = parts[1].str() + parts[3].str();
  return !digits.empty() && std::stoull(digits) <= (uint64_t{1} << 53);
}

TEST(Parse, StrToDAndScanIntMatchStrtodAndSscanf) {
  const char* inputs[] = {
      "1",    "-2.5", "  3e2xyz", ".5",    "5.",          "1e",     "1e+",   "-",
      "",     "abc",  "+.e1",     "1e400", "-1e400",      "1e-400", "0x1p4", "inf",
      "-nan", "12,5", "\t7",      "+-2",   "--2",         "-+1e3",  "+inf",  "1.7976931348623157e308",
      "12",   "-7x",  "  +3",     "x1",    "99999999999", "4.9",    "0xz",   "0X1p4"};
  // Plain decimals on both sides of the short path's limits (an integer of 2^53, 22 digits after the
  // point), with signs, leading zeros and a point at every place.
  std::vector<std::string> decimals = {"9007199254740992", "9007199254740993", "-0", "0.1e1", "1.5.2",
                                       "0.0000000000000000000001", "1.00000000000000000000001",
                                       // Short ones, and the bytes next to the digits, which are no digits.
                                       ".", "1:5", "1/5", "12345678", "1234567.", ".1234567", "0.000000",
                                       "9.9999999",
                                       // The word-at-a-time path's limits: eight digits either side.
                                       "+5", "-0.000000", "12345678.12345678", "99999999.99999999",
                                       "123456789", "1.123456789", "00000000.00000001", "-.5", "+."};
  std::mt19937_64 random(7);
  for (int k = 0; k < 3000; ++k) {
    std::string digits = std::to_string(random() >> (random() % 64));
    if (k % 3 == 0) digits.insert(0, std::string(random() % 4, '0'));
    digits.insert(random() % (digits.size() + 1), ".");
    decimals.push_back((k % 2 ? "-" : "") + digits);
  }
  for (const std::string& in : decimals) {
    char* end = nullptr;
    size_t used = 0;
    const double expected = std::strtod(in.c_str(), &end), got = bm::StrToD(in, &used);
    EXPECT_EQ(std::memcmp(&got, &expected, sizeof got), 0) << in;
    EXPECT_EQ(used, static_cast<size_t>(end - in.c_str())) << in;
    // A whole plain decimal reads as StrToD reads it; the short path may
    // decline any text, never give another value.
    double plain = 12345.0;
    if (bm::ReadPlainNumber(in, plain)) {
      EXPECT_EQ(std::memcmp(&plain, &expected, sizeof plain), 0) << in;
      EXPECT_EQ(used, in.size()) << in;
    } else {
      EXPECT_EQ(plain, 12345.0) << in;
    }
    // The word-at-a-time path reads a token with other bytes after it: it
    // takes every number of up to eight digits either side of the point,
    // whatever follows, and gives StrToD's value.
    for (const char* after : {"99999999",
                              ".\x80\xff"
                              "1234e5"}) {
      const std::string padded = in + after;
      double quick = 12345.0;
      const bool taken = bm::ReadShortPlainNumber(std::string_view(padded.data(), in.size()), quick);
      EXPECT_EQ(taken, IsShortDecimal(in) && FLT_EVAL_METHOD == 0) << in;
      if (taken) {
        EXPECT_EQ(std::memcmp(&quick, &expected, sizeof quick), 0) << in;
      } else {
        EXPECT_EQ(quick, 12345.0) << in;
      }
    }
  }
  for (const char* in : inputs) {
    char* end = nullptr;
    const double expected = std::strtod(in, &end);
    double plain = 0.0;
    // Only whole plain decimals are taken: no white space, exponent, second
    // sign or trailing byte.
    const std::string_view plainOnes[] = {"1", "-2.5", ".5", "5.", "12", "4.9", "99999999999"};
    const bool isPlain = std::count(std::begin(plainOnes), std::end(plainOnes), in) != 0;
    EXPECT_EQ(bm::ReadPlainNumber(in, plain), isPlain && FLT_EVAL_METHOD == 0) << in;
    if (isPlain && FLT_EVAL_METHOD == 0) {
      EXPECT_EQ(plain, expected) << in;
    }
    size_t consumed = 0;
    const double got = bm::StrToD(in, &consumed);
    EXPECT_EQ(consumed, static_cast<size_t>(end - in)) << in;
    EXPECT_TRUE(got == expected || (std::isnan(got) && std::isnan(expected))) << in;
    int scanned = -12345, value = -12345;
    EXPECT_EQ(bm::ScanInt(in, value), std::sscanf(in, "%d", &scanned) == 1) << in;
    // Out of range, sscanf's value is undefined; a failed scan leaves the value.
    EXPECT_TRUE(value == scanned || std::string(in) == "99999999999") << in;
  }
}

TEST(CStringTest, UpperCasesAsciiOnlyAndClampsPositions) {
  CString s("  \tab\xe9z-1 x\r\n");
  s.Trim();
  s.MakeUpper();
  EXPECT_EQ(s, "AB\xe9Z-1 X");
  EXPECT_FALSE(bm::UpperedIs("a", "a"));  // only an upper-cased word can match
  // Every byte value at every place of strings of 0 to 20 bytes, against the byte rule: upper-cased,
  // and read as one word.
  for (size_t length = 0; length <= 20; ++length) {
    for (int first = 0; first < 256; first += 7) {
      std::string bytes(length, ' '), expected(length, ' ');
      for (size_t k = 0; k < length; ++k)
        expected[k] = bm::AsciiUpper(bytes[k] = char((first + 37 * k) % 256));
      CString upper(bytes);
      upper.MakeUpper();
      EXPECT_EQ(upper.str(), expected) << length << " " << first;
      const CString made = CString::UpperOf(bytes);
      EXPECT_EQ(made.str(), expected) << length << " " << first;
      EXPECT_EQ(made.GetLength(), int(length));
      EXPECT_EQ(made.c_str()[length], '\0');
      EXPECT_TRUE(bm::UpperedIs(bytes, expected)) << length << " " << first;
      if (length > 0) {
        std::string other = expected;
        other[length - 1] = char(other[length - 1] ^ 1);
        EXPECT_FALSE(bm::UpperedIs(bytes, other)) << length << " " << first;
        EXPECT_FALSE(bm::UpperedIs(bytes, expected.substr(1))) << length << " " << first;
      }
      uint64_t word = 0;  // the first eight bytes as one word, the first lowest
      for (size_t k = 0; k < std::min<size_t>(length, 8); ++k) word |= uint64_t{uint8_t(bytes[k])} << (8 * k);
      EXPECT_EQ(bm::LoadPrefix8(bytes.data(), length), word) << length << " " << first;
    }
  }
  EXPECT_TRUE(CString("abc").Left(-1) == "" && CString("abc").Right(5) == "abc");
  EXPECT_EQ(CString("abc").Right(2), "bc");
  EXPECT_EQ(CString("abc").Find('a', 3), -1);
  EXPECT_EQ(CString("abc").Find('b', -4), 1);
  EXPECT_EQ(CString("abc").Find(static_cast<const char*>(nullptr)), -1);
}

// Random edits of strings around the 15 bytes held in place (with NULs and the string's own bytes as
// arguments), each against std::string; the terminating NUL after every edit.
TEST(CStringTest, EditsAgreeWithAByteStringInPlaceAndOnTheHeap) {
  std::mt19937 rng(7);
  auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  std::string text, m;
  CString s, history[4];
  int n = 0;
  const auto u = [&n] { return size_t(std::max(n, 0)); };
  using Edit = std::pair<std::function<void()>, std::function<void()>>;  // the CString's, the model's
  const Edit edits[] = {
      {[&] { s.SetString(text.data(), text.size()); }, [&] { m = text; }},
      {[&] { s += s; }, [&] { m += m; }},
      {[&] { s = s.Mid(n / 3, n - 8); },
       [&] { m = m.substr(std::min<size_t>(n / 3, m.size()), n < 8 ? std::string::npos : size_t(n - 8)); }},
      {[&] { s = CString(s) + s.Right(n); },
       [&] { m += m.substr(n <= 0 ? m.size() : m.size() - std::min(u(), m.size())); }},
      {[&] { s.Trim(); },
       [&] { m.erase(0, m.find_first_not_of(" \t")), m.erase(m.find_last_not_of(" \t") + 1); }},
      {[&] { EXPECT_EQ(s.Remove('a'), std::count(m.begin(), m.end(), 'a')); },
       [&] { m.erase(std::remove(m.begin(), m.end(), 'a'), m.end()); }},
      {[&] {
         std::fill_n(s.GetBufferSetLength(int(u())) + std::min(u(), m.size()), u() - std::min(u(), m.size()),
                     'q');
       },
       [&] { m.resize(u(), 'q'); }},
      {[&] { s.SetString(s.c_str() + s.GetLength() / 2, size_t(s.GetLength() - s.GetLength() / 2)); },
       [&] { m.erase(0, m.size() / 2); }},
      {[&] {
         CString moved(std::move(s)), &alias = s, copy;
         s = moved, s = std::move(alias), copy = s, s = std::move(copy);
       },
       [] {}},
      {[&] { m.size() > 200 ? s.Empty() : void(s += text.c_str()); },
       [&] { m.size() > 200 ? m.clear() : void(m += text.c_str()); }},
      {[&] { s += 'b'; }, [&] { m += 'b'; }},
  };
  for (int step = 0; step < 20000; ++step) {
    text.assign(static_cast<size_t>(pick(40)), ' ');
    for (char& c : text) c = "aZ \t\0-x"[pick(7)];
    n = pick(45) - 2;
    const int e = pick(int(std::size(edits)));
    edits[e].first();
    edits[e].second();
    ASSERT_EQ(s.view(), m) << step << " edit " << e;
    ASSERT_EQ(s.c_str()[m.size()], '\0') << step;
    // A matcher agrees with == however either string was made: old bytes after a shortened text, a
    // short text on the heap.
    const CString fresh(s.view()), &earlier = history[step % 4];
    ASSERT_TRUE(CString::Matcher(fresh).Matches(s) && CString::Matcher(s).Matches(fresh)) << step;
    ASSERT_EQ(CString::Matcher(s).Matches(earlier), s == earlier) << step;
    history[step % 4] = s;
  }
  EXPECT_EQ(sizeof(CString), 16u);
  EXPECT_THROW(s.GetBufferSetLength(INT_MAX), std::length_error);  // 2^31 bytes and more: refused, s kept
  EXPECT_EQ(s.view(), m);
}

TEST(TextFile, ReadStringTakesLfCrLfAndAnUnterminatedLastLine) {
  bm::test::TempDir dir;
  const std::string longLine(200000, 'z');
  const std::string text = "a\r\nb\n\nc\r\n" + longLine + "\nlast";
  const std::string path = dir.Write("lines.txt", text);
  CStdioFile f;
  ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
  EXPECT_EQ(f.GetLength(), text.size());
  CFileException why;  // writing without create: no file made, and the cause named
  EXPECT_FALSE(CFile().Open(dir.File("none").c_str(), CFile::modeWrite, &why));
  EXPECT_EQ(why.m_cause, CFileException::fileNotFound);
  EXPECT_EQ(why.m_strFileName, dir.File("none"));
  std::vector<std::string> lines;
  for (CString line; f.ReadString(line);) lines.push_back(line.str());
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "c", longLine, "last"}));
  CStdioFile mixed;  // a line, then bytes: the bytes after the line, in order
  ASSERT_TRUE(mixed.Open(dir.Write("mixed.txt", "ab\ncdef").c_str(), CFile::modeRead));
  CString first;
  char rest[5] = {};
  EXPECT_TRUE(mixed.ReadString(first) && first == "ab" && mixed.Read(rest, 4) == 4 &&
              std::string(rest) == "cdef");
}

}  // namespace
