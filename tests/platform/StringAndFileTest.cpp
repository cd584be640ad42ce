// CString operations, arrays, messages and text files.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "support/MessageCapture.h"

namespace {

TEST(CStringTest, UpperCasesAsciiOnly) {
  CString s("abc\xe9z-1");
  s.MakeUpper();
  EXPECT_EQ(s.str(), "ABC\xe9Z-1");
}

TEST(CStringTest, TrimRemoveFindLeftRight) {
  CString s("  \tA B\r\n");
  s.TrimLeft();
  EXPECT_EQ(s, "A B\r\n");
  s.TrimRight();
  EXPECT_EQ(s, "A B");
  EXPECT_EQ(s.Remove(' '), 1);
  EXPECT_EQ(s, "AB");
  EXPECT_EQ(CString("abcabc").Find('c'), 2);
  EXPECT_EQ(CString("abcabc").Find("ca"), 2);
  EXPECT_EQ(CString("abc").Find('z'), -1);
  EXPECT_EQ(CString("abc").Left(2), "ab");
  EXPECT_EQ(CString("abc").Right(5), "abc");
  EXPECT_EQ(CString("abc").Left(-1), "");
  EXPECT_EQ(CString("a") + "b" + CString("c"), "abc");
  EXPECT_NE(CString("a"), "A");
  EXPECT_EQ(CString("abc").CompareNoCase("ABC"), 0);
  EXPECT_STREQ(static_cast<const char*>(CString("x")), "x");
}

TEST(Arrays, RemoveAtClosesTheGap) {
  CIntArray a;
  for (int i = 0; i < 5; ++i) a.Add(i);
  a.RemoveAt(1);
  ASSERT_EQ(a.GetSize(), 4);
  EXPECT_EQ(a[1], 2);
  CStringArray s;
  s.Add("x");
  s.Add("y");
  s.RemoveAt(0);
  EXPECT_EQ(s[0], "y");
}

TEST(Messages, HandlerIsReplaceableAndRestored) {
  {
    bm::test::MessageCapture capture;
    EXPECT_EQ(AfxMessageBox("hello"), 1);
    ASSERT_EQ(capture.count(), 1u);
    EXPECT_EQ(capture.messages()[0], "hello");
  }
  int calls = 0;
  auto previous = AfxSetMessageHandler([&](const char*) {
    ++calls;
    return 7;
  });
  EXPECT_EQ(AfxMessageBox("x"), 7);
  AfxSetMessageHandler(previous);
  EXPECT_EQ(calls, 1);
}

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("bm_file_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const auto path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::filesystem::path dir_;
};

TEST_F(TextFileTest, ReadStringTakesLfCrLfAndAnUnterminatedLastLine) {
  std::string longLine(200000, 'z');
  const std::string path = Write("lines.txt", "a\r\nb\n\nc\r\n" + longLine + "\nlast");
  CStdioFile f;
  ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
  std::vector<std::string> lines;
  CString line;
  while (f.ReadString(line)) lines.push_back(line.str());
  const std::vector<std::string> expected = {"a", "b", "", "c", longLine, "last"};
  EXPECT_EQ(lines, expected);
}

TEST_F(TextFileTest, OpenFailsWithoutThrowing) {
  CFile f;
  CFileException error;
  EXPECT_FALSE(f.Open((dir_ / "missing" / "x.txt").string().c_str(), CFile::modeRead, &error));
  EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
  EXPECT_FALSE(f.Open((dir_ / "missing" / "x.txt").string().c_str(), CFile::modeCreate | CFile::modeWrite));
}

TEST_F(TextFileTest, FullDeviceFailsOnWriteOrClose) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  CStdioFile f;
  ASSERT_TRUE(f.Open("/dev/full", CFile::modeCreate | CFile::modeWrite));
  EXPECT_THROW(
      {
        f.WriteString(std::string(100000, 'x'));
        f.Close();
      },
      CFileException);
}

}  // namespace
