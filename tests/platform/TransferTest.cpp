// Transfer: one field list stores and loads a record in the same order.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/Transfer.h"
#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using bm::test::ByteBuilder;
using bm::test::LoadBytes;
using bm::test::StoreBytes;

struct Inner {
  int32_t id = 0;
  CString tag;
  void Serialize(CArchive& ar) { bm::Transfer(ar, id, tag); }
};

// A record of every field kind Transfer takes, in a deliberately mixed order.
struct Record {
  uint8_t byte = 0;
  double scale = 0.0;
  uint16_t word = 0;
  int32_t ints[3] = {0, 0, 0};
  CString name;
  uint32_t dword = 0;
  Inner inner;
  int32_t flag = 0;  // stored from `storedFlag`, as a record derives a flag
  int32_t storedFlag = 0;

  void Serialize(CArchive& ar) {
    bm::Transfer(ar, byte, scale, word, ints, name, bm::Reserved<int32_t>{7}, dword, inner,
                 bm::Split<int32_t>{storedFlag, flag});
  }
};

TEST(Transfer, StoresAndLoadsOneFieldListInOrder) {
  Record out;
  out.byte = 0xAB, out.scale = -2.5, out.word = 0x1234, out.ints[1] = -2, out.ints[2] = 3;
  out.name = "BEAM", out.dword = 0x89ABCDEF, out.inner.id = 42, out.inner.tag = "IN";
  out.flag = 5, out.storedFlag = 1;
  const auto bytes = StoreBytes([&](CArchive& ar) { out.Serialize(ar); });
  const auto expected = ByteBuilder()
                            .U8(0xAB)
                            .F64(-2.5)
                            .U16(0x1234)
                            .I32(0)
                            .I32(-2)
                            .I32(3)
                            .Str("BEAM")
                            .I32(7)
                            .I32(static_cast<int32_t>(0x89ABCDEF))
                            .I32(42)
                            .Str("IN")
                            .I32(1)
                            .bytes();
  EXPECT_EQ(bytes, expected);

  Record in;
  in.ints[0] = 9;
  EXPECT_EQ(LoadBytes(bytes, [&](CArchive& ar) { in.Serialize(ar); }), 0u);
  EXPECT_TRUE(in.byte == out.byte && in.scale == out.scale && in.word == out.word && in.dword == out.dword);
  EXPECT_TRUE(in.ints[0] == 0 && in.ints[1] == -2 && in.ints[2] == 3);
  EXPECT_TRUE(in.name == out.name && in.inner.id == 42 && in.inner.tag == out.inner.tag);
  // The split field loads into its target; its stored source stays as it was.
  EXPECT_EQ(in.flag, 1);
  EXPECT_EQ(in.storedFlag, 0);

  // A record cut short throws and keeps the fields read before the cut.
  Record cut;
  cut.name = "KEPT";
  const std::vector<uint8_t> head(bytes.begin(), bytes.begin() + 1 + 8 + 2 + 4);
  EXPECT_THROW(LoadBytes(head, [&](CArchive& ar) { cut.Serialize(ar); }), CArchiveException);
  EXPECT_TRUE(cut.word == 0x1234 && cut.name == "KEPT");
}

TEST(Transfer, RequireItemsRefusesCountsTheBytesCannotHold) {
  struct Case {
    int count;
    size_t minBytesEach;
    bool ok;
  };
  // Eight bytes are left to read.
  const Case cases[] = {{0, 4, true},   {2, 4, true}, {3, 4, false},
                        {-1, 4, false}, {8, 1, true}, {0x40000000, 4, false}};
  const std::vector<uint8_t> bytes(8, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    bool threw = false;
    LoadBytes(bytes, [&](CArchive& ar) {
      try {
        bm::RequireItems(ar, c.count, c.minBytesEach);
      } catch (const CArchiveException& e) {
        threw = e.m_cause == CArchiveException::endOfFile;
      }
    });
    EXPECT_EQ(threw, !c.ok);
  }
}

}  // namespace
