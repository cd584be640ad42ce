// operator new fails at its N-th call while the demo is read, loaded and written: each run ends well
// or says "out of memory", leaks nothing, and leaves a writable model (reading) or the model unchanged
// (writing). BM_ALLOC_FAILURE_STRIDE (1: every N), _FROM and _ONLY (part of a name) narrow the sweep.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "model/ModelFile.h"
#include "model/geometry/BMLine.h"
#include "model/geometry/BMPoint.h"
#include "platform/MessageBox.h"

#ifdef BM_HAVE_DEMO
#include "DemoBuilding.h"
#endif

namespace bm::test {
namespace {

TEST(AllocationFailure, ReadingLoadingAndWritingTheDemoEndWellOrSayOutOfMemory) {
#ifndef BM_HAVE_DEMO
  GTEST_SKIP() << "the demo generator is not built (BM_BUILD_TOOLS=OFF)";
#else
  AfxSetMessageHandler([](const char*) { return 1; });
  const auto setting = [](const char* name, uint64_t fallback) {
    const long long value = std::getenv(name) ? std::atoll(std::getenv(name)) : 0;
    return value > 0 ? static_cast<uint64_t>(value) : fallback;
  };
  const testing::TestResult* testResult = testing::UnitTest::GetInstance()->current_test_info()->result();
  const auto parts = [testResult] { return testResult->total_part_count(); };
  TempDir folder;
  const std::string text = folder.File("demo.e2k"), archive = folder.File("demo.bma");
  const std::string out = folder.File("out");
  CBuildingModule demo, fromText, fromArchive;
  ASSERT_TRUE(tool::BuildDemoBuilding(demo, tool::DemoOptions()));
  ASSERT_EQ(SaveModel(demo, text, ModelForm::kText), "");
  ASSERT_EQ(SaveModel(demo, archive, ModelForm::kArchive), "");
  // The archives of the models read and loaded (ids saved anew), and the text the latter writes.
  ASSERT_EQ(LoadModel(text, fromText, nullptr), "");
  ASSERT_EQ(LoadModel(archive, fromArchive, nullptr), "");
  const std::vector<uint8_t> textModel = StoreObject(fromText), archiveModel = StoreObject(fromArchive);
  ASSERT_EQ(SaveModel(fromArchive, out, ModelForm::kText), "");
  const std::vector<uint8_t> writtenText = ReadBytes(out);
  struct Operation {
    const char* name;
    std::function<std::string(CBuildingModule&)> run;
    const std::vector<uint8_t>& expected;  // the model read, or the bytes written
    bool writes;                           // starts from the loaded demo
  };
  const auto load = [](const std::string& file) {
    return [file](CBuildingModule& m) { return LoadModel(file, m, nullptr); };
  };
  const auto save = [&out](ModelForm form) {
    return [&out, form](CBuildingModule& m) { return SaveModel(m, out, form); };
  };
  const Operation operations[] = {
      {"reading the text file", load(text), textModel, false},
      {"loading the archive", load(archive), archiveModel, false},
      {"writing the text file", save(ModelForm::kText), writtenText, true},
      {"saving the archive", save(ModelForm::kArchive), archiveModel, true},
  };
  // Runs `op` with allocation `n` failing: whether it fired; `leaked`: bytes newly held (0 after a failure).
  const auto runOnce = [&](const Operation& op, uint64_t n, int64_t* leaked) {
    const int64_t before = LiveBytes();
    const int partsAtStart = parts();
    bool fired = false;
    {
      CBuildingModule module;
      EXPECT_TRUE(!op.writes || LoadModel(archive, module, nullptr).empty());
      std::string result;
      {
        AllocationFailure failure(n);
        result = op.run(module);
        fired = failure.Fired();
      }
      EXPECT_TRUE(result.empty() || (fired && result == "out of memory")) << result;
      if (op.writes) {
        EXPECT_TRUE(!result.empty() || ReadBytes(out) == op.expected) << "a writing ended well, other bytes";
        EXPECT_EQ(StoreObject(module), archiveModel) << "writing changed the model";
      } else if (result.empty()) {
        EXPECT_EQ(StoreObject(module), op.expected) << "a reading ended well but gave another model";
      } else {
        ExpectWritable(module, folder);
      }
    }
    *leaked = parts() == partsAtStart ? LiveBytes() - before : 0;
    return fired;
  };
  const uint64_t from = setting("BM_ALLOC_FAILURE_FROM", 1), stride = setting("BM_ALLOC_FAILURE_STRIDE", 29);
  const char* only = std::getenv("BM_ALLOC_FAILURE_ONLY");
  for (const Operation& op : operations) {
    if (only && !std::strstr(op.name, only)) continue;
    int runs = 0;
    for (uint64_t n = from;; n += stride) {
      SCOPED_TRACE(std::string(op.name) + ": allocation " + std::to_string(n) + " fails");
      const int partsBefore = parts();
      int64_t leaked = 0;
      const bool fired = runOnce(op, n, &leaked);
      ++runs;
      // A static made on first use is held once: the same run again must hold nothing more.
      if (leaked != 0) runOnce(op, n, &leaked);
      EXPECT_EQ(leaked, 0) << "bytes leaked";
      if (!fired || (parts() != partsBefore && leaked == 0)) break;
    }
    EXPECT_TRUE(from > 1 || runs > 1) << op.name << ": no allocation failed";
    std::printf("%s: %d runs, stride %llu\n", op.name, runs, static_cast<unsigned long long>(stride));
    if (HasFailure()) return;
  }
#endif
}

// Memory running out while a name index grows drops the list's indexes and its members' links to
// it; the list's geometry index must then see a member's later edit, which no longer reaches the list.
TEST(AllocationFailure, AnIndexDroppedForWantOfMemoryLeavesNoStaleGeometryIndex) {
  CBMPointList points;
  CBMLineList lines;
  std::vector<CBMPoint*> p;
  for (int i = 0; i < 400; ++i) p.push_back(points.AddPoint(i * 1.0, 0.0));
  const auto makeLine = [&p](int i) {
    auto line = std::make_unique<CBMLine>(p[i], p[i + 1]);
    line->set_Name(("L" + std::to_string(i)).c_str());
    return line;
  };
  CBMLine* first = lines.Adopt(makeLine(0));
  for (int i = 1; i < 70; ++i) lines.Adopt(makeLine(i));
  ASSERT_EQ(lines.FindLineByPoint(p[0], p[1]), first);
  ASSERT_EQ(lines.GetItem(CString("L0")), first);
  // Lines are added with the first, second or third allocation failing, until one fails in the index
  // (Add goes on without it); a failure in the list's own arrays throws and adds nothing.
  bool dropped = false;
  int last = 0;
  for (int i = 70; i < 398 && !dropped; ++i) {
    for (uint64_t n = 1; n <= 3; ++n) {
      std::unique_ptr<CBMLine> line = makeLine(i);
      AllocationFailure failure(n);
      try {
        lines.Adopt(std::move(line));
      } catch (const std::bad_alloc&) {
        continue;
      }
      dropped = failure.Fired();
      last = i;
      break;
    }
  }
  ASSERT_TRUE(dropped);
  EXPECT_NE(lines.GetItem(CString(("L" + std::to_string(last)).c_str())), nullptr);  // no stale name index
  first->set_pPoint(p[398], p[399]);
  EXPECT_EQ(lines.FindLineByPoint(p[398], p[399]), first);
  EXPECT_EQ(lines.FindLineByPoint(p[0], p[1]), nullptr);
}

// Memory running out when a removal first writes out the slot numbers of an indexed list drops the
// index: the removal still happens, and look-ups answer from an index built again.
TEST(AllocationFailure, ARemovalThatCannotNumberTheSlotsDropsTheIndex) {
  CBMPointList points;
  for (int i = 0; i < 80; ++i) {
    CString name(("P" + std::to_string(i)).c_str());
    points.AddPoint(name, i * 1.0, 0.0);
  }
  ASSERT_NE(points.GetItem(CString("P5")), nullptr);  // builds the name index
  {
    AllocationFailure failure(1);
    points.RemoveAt(3);
    EXPECT_TRUE(failure.Fired());
  }
  EXPECT_EQ(points.GetCount(), 79);
  EXPECT_EQ(points.GetItem(CString("P2")), nullptr);
  EXPECT_EQ(points.GetItem(CString("P3")), points.GetItem(3));
  for (int i = 1; i <= points.GetCount(); ++i) ASSERT_EQ(points.GetItem(i)->get_Id(), i);  // renumbered
  EXPECT_EQ(points.GetItemId(CString("P79")), 79);
}

}  // namespace
}  // namespace bm::test
