// operator new fails at its N-th call while the demo is read, loaded and written: each run ends well
// or says "out of memory", leaks nothing, and leaves a writable model (reading) or the model unchanged
// (writing). BM_ALLOC_FAILURE_STRIDE (1: every N), _FROM and _ONLY (part of a name) narrow the sweep.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "model/ModelFile.h"
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

}  // namespace
}  // namespace bm::test
