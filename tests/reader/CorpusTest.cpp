// Real files of later program versions: every file reads without a crash
// and gives the numbers of storeys, plan points, lines and areas counted
// independently from its text.
#include <buildingmodel/buildingmodel.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/Files.h"

namespace {

struct Expected {
  const char* file;
  int storeys;
  int points;
  int lines;
  int areas;
};

// Counted from each file's text with awk, outside the reader:
//   storeys: awk '$1=="STORY"' FILE | wc -l
//   points:  awk '$1=="POINT"{print $2}' FILE | sort -u | wc -l   (names are found or made)
//   lines:   awk '$1=="LINE"' FILE | wc -l
//   areas:   awk '$1=="AREA"{print $2}' FILE | sort -u | wc -l
// Every line and area of these files names corners that are defined.
const Expected kCorpus[] = {
    {"v09.7.1_engutil_test-12storey-steel.e2k", 13, 100, 84, 35},
    {"v09.7.3_vbaproj_14FB3-23storey.e2k", 23, 142, 111, 143},
    {"v09.7.3_vbaproj_3floor-redesign.e2k", 5, 2, 3, 0},
    {"v09.7.3_vbaproj_example-small.e2k", 5, 0, 0, 0},
    {"v09.7.3_vbaproj_kaohsiung-mrf-12storey-large.e2k", 12, 445, 544, 591},
    {"v13.2.2_connstruct_end1-crlf.e2k", 6, 78, 115, 60},
    {"v15.0.0_midasconv_residence-8storey.$et", 8, 897, 211, 1033},
    {"v16.2.1_vbaproj_14FB3-23storey-big5header.e2k", 23, 142, 109, 143},
    {"v16.2.1_vbaproj_3floor-import-crlf.e2k", 5, 2, 3, 0},
    {"v19.1.0_hekatan_cft-column-5storey.e2k", 6, 1, 1, 0},
    {"v19.1.0_hekatan_mesa-torsion-cp1252header.e2k", 2, 4, 8, 1},
    {"v20.2.0_rdcperform_chimba.e2k", 2, 185, 350, 8},
    {"v20.2.0_rdcperform_kosmos-large.e2k", 16, 1344, 1522, 80},
    {"v22.6.0_hekatan_steel-cantilever-tiny.e2k", 2, 2, 1, 0},
};

TEST(Corpus, EveryFileReadsWithTheCountsOfItsText) {
  const std::filesystem::path dir = std::filesystem::path(BM_CORPUS_DIR) / "e2k";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  int read = 0;
  for (const Expected& e : kCorpus) {
    const std::filesystem::path file = dir / e.file;
    if (!std::filesystem::exists(file)) {
      ADD_FAILURE() << "missing corpus file " << file;
      continue;
    }
    SCOPED_TRACE(e.file);
    CBuildingModule module;
    ZAdapterEtabs8 adapter;
    adapter.SetBuildingModule(&module);
    CString path = file.string().c_str();
    ASSERT_TRUE(adapter.ReadFile(path));
    CBMMgrGeometry* geometry = module.get_pMgrGeometry();
    EXPECT_EQ(geometry->get_pLevelList()->GetCount(), e.storeys);
    EXPECT_EQ(geometry->get_pPointList()->GetCount(), e.points);
    EXPECT_EQ(geometry->get_pLineList()->GetCount(), e.lines);
    EXPECT_EQ(geometry->get_pAreaList()->GetCount(), e.areas);
    // Later versions bring blocks the reader has no handler for.
    EXPECT_GT(adapter.GetReadReport().Total(), 0);
    ++read;
  }
  EXPECT_EQ(read, static_cast<int>(std::size(kCorpus)));
}

// Every file in the folder, listed or not, reads without a crash, and a
// copy cut short at a few places does too.
TEST(Corpus, AnyFileAndTruncatedCopiesReadWithoutCrash) {
  const std::filesystem::path dir = std::filesystem::path(BM_CORPUS_DIR) / "e2k";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no corpus at " << dir;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    SCOPED_TRACE(entry.path().filename().string());
    CBuildingModule module;
    ZAdapterEtabs8 adapter;
    adapter.SetBuildingModule(&module);
    CString path = entry.path().string().c_str();
    EXPECT_TRUE(adapter.ReadFile(path));
  }
  // Copies cut at a few places (in a temporary folder) of the smallest files.
  bm::test::TempDir temp;
  for (const char* name : {"v09.7.3_vbaproj_example-small.e2k", "v22.6.0_hekatan_steel-cantilever-tiny.e2k",
                           "v19.1.0_hekatan_mesa-torsion-cp1252header.e2k"}) {
    std::ifstream in(dir / name, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (int part = 1; part < 16; ++part) {
      const std::string cut = bytes.substr(0, bytes.size() * static_cast<size_t>(part) / 16);
      CString path = temp.Write("cut.e2k", cut).c_str();
      CBuildingModule module;
      ZAdapterEtabs8 adapter;
      adapter.SetBuildingModule(&module);
      adapter.ReadFile(path);  // true or false; never a crash
    }
  }
}

}  // namespace
