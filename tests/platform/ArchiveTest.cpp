// Archive encodings: integers, doubles, length-prefixed strings, class
// records and the failures of a short or malformed archive.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/ArchiveHelpers.h"
#include "support/ByteBuilder.h"

namespace {

using bm::test::ByteBuilder;
using bm::test::LoadBytes;
using bm::test::StoreBytes;

TEST(Archive, IntegersAndDoublesAreLittleEndian) {
  const auto bytes = StoreBytes([](CArchive& ar) {
    ar.WriteByte(0xAB);
    ar.WriteWord(0x1234);
    ar.WriteInt32(-2);
    ar.WriteDword(0xDEADBEEF);
    ar.WriteDouble(1.5);
  });
  const std::vector<uint8_t> expected = {0xAB, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE, 0xAD,
                                         0xDE, 0,    0,    0,    0,    0,    0,    0xF8, 0x3F};
  EXPECT_EQ(bytes, expected);
}

TEST(Archive, DoublesRoundTripBitForBit) {
  const double values[] = {0.0,
                           -0.0,
                           1e-310,
                           -3.25,
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::infinity(),
                           std::nan("0x5")};
  const auto bytes = StoreBytes([&](CArchive& ar) {
    for (double v : values) ar.WriteDouble(v);
  });
  LoadBytes(bytes, [&](CArchive& ar) {
    for (double v : values) {
      const double back = ar.ReadDouble();
      EXPECT_EQ(0, std::memcmp(&v, &back, sizeof v));
    }
  });
}

TEST(Archive, StringPrefixesFollowTheLength) {
  struct Case {
    size_t length;
    std::vector<uint8_t> prefix;
  };
  const Case cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65533, {0xFF, 0xFD, 0xFF}},
      {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const Case& c : cases) {
    const std::string text(c.length, 'q');
    const auto bytes = StoreBytes([&](CArchive& ar) { ar.WriteString(CString(text)); });
    ASSERT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), bytes.begin())) << c.length;
    CString back;
    EXPECT_EQ(0u, LoadBytes(bytes, [&](CArchive& ar) { ar.ReadString(back); }));
    EXPECT_EQ(back.str(), text);
  }
}

TEST(Archive, ReadsTheWideCharacterForm) {
  // 0xFF 0xFFFE announces UTF-16LE; then a length prefix counting code units.
  ByteBuilder b;
  b.U8(0xFF).U16(0xFFFE).U8(4);
  for (uint16_t unit : {uint16_t('A'), uint16_t(0x00E9), uint16_t(0xD83D), uint16_t(0xDE00)}) b.U16(unit);
  b.U8(2).Raw({'o', 'k'});
  CString wide, narrow;
  EXPECT_EQ(0u, LoadBytes(b.bytes(), [&](CArchive& ar) {
              ar.ReadString(wide);
              ar.ReadString(narrow);
            }));
  EXPECT_EQ(wide.str(), "A\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_EQ(narrow.str(), "ok");
}

TEST(Archive, ReadingPastTheEndThrowsEndOfFile) {
  const std::vector<std::vector<uint8_t>> shortInputs = {{}, {1}, {1, 2, 3}, {0x05, 'a', 'b'}, {0xFF, 0x10}};
  for (const auto& input : shortInputs) {
    try {
      LoadBytes(input, [](CArchive& ar) {
        CString s;
        ar.ReadString(s);
        ar.ReadInt32();
      });
      ADD_FAILURE() << "no exception for " << input.size() << " bytes";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
  }
}

TEST(Archive, HugeStringLengthFailsWithoutAllocatingIt) {
  ByteBuilder b;
  b.U8(0xFF).U16(0xFFFF).I32(0x7FFFFFF0).Raw({'x', 'y'});
  try {
    LoadBytes(b.bytes(), [](CArchive& ar) {
      CString s;
      ar.ReadString(s);
    });
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
  }
}

TEST(Archive, ClassRecordIsSchemaLengthAndName) {
  const auto bytes = StoreBytes([](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CBMComponentList)); });
  EXPECT_EQ(bytes, ByteBuilder().Class("CBMComponentList").bytes());
  const CRuntimeClass* cls = nullptr;
  LoadBytes(bytes, [&](CArchive& ar) { cls = ar.ReadClass(); });
  EXPECT_EQ(cls, RUNTIME_CLASS(CBMComponentList));
}

TEST(Archive, BadClassRecordsGiveTheirCauses) {
  struct Case {
    std::vector<uint8_t> bytes;
    int cause;
  };
  const Case cases[] = {
      {ByteBuilder().Class("CBMNoSuchClass").bytes(), CArchiveException::badClass},
      {ByteBuilder().Class("cbmcomponent").bytes(), CArchiveException::badClass},
      {ByteBuilder().Class("CBMComponent", 2).bytes(), CArchiveException::badSchema},
      {ByteBuilder().U16(1).U16(64).bytes(), CArchiveException::badClass},
      {ByteBuilder().U16(1).U16(12).Raw({'C', 'B', 'M'}).bytes(), CArchiveException::badClass},
      {ByteBuilder().U16(1).bytes(), CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    try {
      LoadBytes(c.bytes, [](CArchive& ar) { ar.ReadClass(); });
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause);
    }
  }
}

TEST(Archive, BufferBoundariesDoNotChangeTheBytes) {
  // More than one 4096-byte buffer of mixed values.
  const auto bytes = StoreBytes([](CArchive& ar) {
    for (int i = 0; i < 3000; ++i) {
      ar.WriteInt32(i);
      ar.WriteDouble(i * 0.5);
      ar.WriteString(CString(std::string(static_cast<size_t>(i % 7), 'a')));
    }
  });
  LoadBytes(bytes, [](CArchive& ar) {
    for (int i = 0; i < 3000; ++i) {
      ASSERT_EQ(ar.ReadInt32(), i);
      ASSERT_EQ(ar.ReadDouble(), i * 0.5);
      CString s;
      ar.ReadString(s);
      ASSERT_EQ(s.GetLength(), i % 7);
    }
  });
}

TEST(Archive, AnyBufferSizeGivesTheSameBytesAndValues) {
  // Values that end on, straddle and outgrow small buffers, and class records
  // met again (known by their bytes) beside one of another schema.
  const std::string texts[] = {"", "abc", std::string(254, 'x'), std::string(300, 'y'),
                               std::string(70000, 'z')};
  auto store = [&](CArchive& ar) {
    for (int round = 0; round < 3; ++round) {
      ar.WriteByte(0xAB);
      ar.WriteClass(RUNTIME_CLASS(CBMJoint));
      ar.WriteWord(0x1234);
      ar.WriteDouble(round + 0.25);
      for (const std::string& t : texts) ar.WriteString(CString(t));
      ar.WriteClass(RUNTIME_CLASS(CBMBeam));
      ar.WriteDword(0xDEADBEEF);
    }
  };
  const auto expected = StoreBytes(store);
  for (const int size : {1, 2, 3, 7, 64, 4096}) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store, size);
      store(ar);
      ar.Close();
    }
    ASSERT_EQ(file.Data(), expected) << size;
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load, size);
    for (int round = 0; round < 3; ++round) {
      ASSERT_EQ(ar.ReadByte(), 0xAB) << size;
      unsigned schema = 0;
      ASSERT_EQ(ar.ReadClass(&schema), RUNTIME_CLASS(CBMJoint)) << size;
      EXPECT_EQ(schema, RUNTIME_CLASS(CBMJoint)->m_wSchema);
      ASSERT_EQ(ar.ReadWord(), 0x1234);
      ASSERT_EQ(ar.ReadDouble(), round + 0.25);
      for (const std::string& t : texts) {
        CString back;
        ar.ReadString(back);
        ASSERT_EQ(back.str(), t) << size;
      }
      ASSERT_EQ(ar.ReadClass(), RUNTIME_CLASS(CBMBeam)) << size;
      ASSERT_EQ(ar.ReadDword(), 0xDEADBEEFu);
    }
    EXPECT_EQ(ar.BytesLeft(), 0u) << size;
    try {
      CMemFile changed(ByteBuilder().Class("CBMJoint").Class("CBMJoint", 7).bytes());
      CArchive again(&changed, CArchive::load, size);
      again.ReadClass();
      again.ReadClass();
      ADD_FAILURE() << "no exception for another schema";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
    }
  }
}

TEST(Archive, DirectionIsEnforced) {
  CMemFile file;
  CArchive storing(&file, CArchive::store);
  EXPECT_THROW(storing.ReadInt32(), CArchiveException);
  CMemFile input(std::vector<uint8_t>{0, 0, 0, 0});
  CArchive loading(&input, CArchive::load);
  EXPECT_THROW(loading.WriteInt32(1), CArchiveException);
}

}  // namespace
