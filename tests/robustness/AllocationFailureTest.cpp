// Memory running out: operator new fails at its N-th call, for every N (or
// every stride-th N, see below), while the demo building is read from its
// text file, loaded from its archive, and written as both. Every run must
// end with the documented result: success, or "out of memory" from
// LoadModel / SaveModel, with nothing leaked. A reading that fails leaves
// what was read before the failure, which must still be writable; a writing
// leaves the model unchanged; a run that succeeds although an allocation
// failed (a fallback in the standard library) must give the same model or
// the same bytes as a run without failure.
//
// BM_ALLOC_FAILURE_STRIDE sets the stride: the default (kShortStride) is
// the short form that every test run has; 1 is the full sweep, every N
// (a few minutes under AddressSanitizer). BM_ALLOC_FAILURE_FROM the first N
// (default 1) and BM_ALLOC_FAILURE_ONLY a part of the name of the one
// operation to sweep: for looking at one failure.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "RobustnessUtil.h"
#include "model/ModelFile.h"
#include "platform/MessageBox.h"

#ifdef BM_HAVE_DEMO
#include "DemoBuilding.h"
#endif

// Under AddressSanitizer a leak is also shown with the stack that made it.
#if defined(__SANITIZE_ADDRESS__)
#define BM_HAVE_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BM_HAVE_LEAK_CHECK 1
#endif
#endif
#ifdef BM_HAVE_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace bm::test {
namespace {

constexpr char kOutOfMemory[] = "out of memory";
constexpr uint64_t kShortStride = 29;

// A positive number from the environment variable `name`, or `fallback`.
uint64_t Setting(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  const long long value = text ? std::atoll(text) : 0;
  return value > 0 ? static_cast<uint64_t>(value) : fallback;
}

// One operation of the sweep. `run` does it with the failure armed and
// returns LoadModel's or SaveModel's result; `check` then looks at what it
// left, with memory to spare; `fired` tells whether the failure happened.
struct Operation {
  const char* name;
  std::function<std::string(CBuildingModule& module)> run;
  std::function<void(CBuildingModule& module, const std::string& result, bool fired)> check;
  // The model the operation starts from (empty for reading).
  std::function<void(CBuildingModule& module)> prepare;
};

// The failures and other results the running test has recorded so far.
int PartCount() {
  return ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count();
}

// Runs `op` once with allocation `n` failing and checks its result and what
// it left. Returns whether the failure happened; `leaked` receives the bytes
// held afterwards that were not held before.
bool RunOnce(const Operation& op, uint64_t n, int64_t* leaked) {
  const int64_t before = LiveBytes();
  const int partsAtStart = PartCount();
  bool fired = false;
  {
    CBuildingModule module;
    op.prepare(module);
    std::string result;
    {
      AllocationFailure failure(n);
      result = op.run(module);
      fired = failure.Fired();
    }
    if (fired) {
      EXPECT_TRUE(result.empty() || result == kOutOfMemory) << result;
    } else {
      EXPECT_EQ(result, "");
    }
    const int partsBefore = PartCount();
    op.check(module, result, fired);
    if (fired && PartCount() != partsBefore) PrintFailedCallStack();
  }
  // A failure reported above holds its message (in the test's results):
  // the bytes are then not counted as leaked, the failure says enough.
  *leaked = PartCount() == partsAtStart ? LiveBytes() - before : 0;
  return fired;
}

// Runs `op` with the failure at N = from, from + stride, ... until a run does
// not reach N. Returns the number of runs.
int Sweep(const Operation& op, uint64_t from, uint64_t stride) {
  int runs = 0;
  for (uint64_t n = from;; n += stride) {
    SCOPED_TRACE(std::string(op.name) + ": allocation " + std::to_string(n) + " fails");
    const int partsBefore = PartCount();
    int64_t leaked = 0;
    const bool fired = RunOnce(op, n, &leaked);
    ++runs;
    // Bytes still held after the first run that fails at some N may be a
    // static made on first use along the failure's path (a table of
    // messages): the same run again must then hold nothing more.
    if (leaked != 0) RunOnce(op, n, &leaked);
    EXPECT_EQ(leaked, 0) << "bytes leaked";
#ifdef BM_HAVE_LEAK_CHECK
    if (leaked != 0) __lsan_do_recoverable_leak_check();
#endif
    // A leak does not stop the sweep (so that one run shows every place
    // that leaks); any other failure does.
    if (!fired || (PartCount() != partsBefore && leaked == 0)) return runs;
  }
}

TEST(AllocationFailure, ReadingLoadingAndWritingTheDemoEndWellOrSayOutOfMemory) {
#ifndef BM_HAVE_DEMO
  GTEST_SKIP() << "the demo generator is not built (BM_BUILD_TOOLS=OFF)";
#else
  AfxSetMessageHandler([](const char*) { return 1; });
  TempDir folder;
  const std::string text = folder.File("demo.e2k");
  const std::string archive = folder.File("demo.bma");
  const std::string out = folder.File("out");
  CBuildingModule demo;
  ASSERT_TRUE(tool::BuildDemoBuilding(demo, tool::DemoOptions()));
  ASSERT_EQ(SaveModel(demo, text, ModelForm::kText), "");
  ASSERT_EQ(SaveModel(demo, archive, ModelForm::kArchive), "");
  // The archives of the models that reading the text file and loading the
  // archive give (a loaded model saves its members' ids anew, so its bytes
  // may differ from the archive it came from).
  CBuildingModule fromText;
  ASSERT_EQ(LoadModel(text, fromText, nullptr), "");
  const std::vector<uint8_t> textModelBytes = ArchiveOf(fromText, folder);
  CBuildingModule fromArchive;
  ASSERT_EQ(LoadModel(archive, fromArchive, nullptr), "");
  const std::vector<uint8_t> archiveModelBytes = ArchiveOf(fromArchive, folder);
  // What writing that model gives (the writing runs start from it).
  ASSERT_EQ(SaveModel(fromArchive, out, ModelForm::kText), "");
  const std::vector<uint8_t> loadedTextBytes = ReadBytes(out);

  const auto none = [](CBuildingModule&) {};
  const auto copyDemo = [&](CBuildingModule& module) { ASSERT_EQ(LoadModel(archive, module, nullptr), ""); };
  // A reading: complete and the same model, or partial and still writable.
  const auto readChecker = [&](const std::vector<uint8_t>& expected) {
    return [&folder, &expected](CBuildingModule& module, const std::string& result, bool) {
      if (result.empty()) {
        EXPECT_EQ(ArchiveOf(module, folder), expected)
            << "a reading said it ended well but gave another model";
      } else {
        ExpectWritable(module, folder);
      }
    };
  };
  // A writing: the model unchanged; a success wrote the same bytes.
  const auto writeChecker = [&](const std::vector<uint8_t>& expected) {
    return [&folder, &archiveModelBytes, &expected, &out](CBuildingModule& module, const std::string& result,
                                                          bool) {
      if (result.empty()) {
        EXPECT_EQ(ReadBytes(out), expected) << "a writing said it ended well but wrote other bytes";
      }
      EXPECT_EQ(ArchiveOf(module, folder), archiveModelBytes) << "writing changed the model";
    };
  };
  const std::vector<Operation> operations = {
      {"reading the text file", [&](CBuildingModule& m) { return LoadModel(text, m, nullptr); },
       readChecker(textModelBytes), none},
      {"loading the archive", [&](CBuildingModule& m) { return LoadModel(archive, m, nullptr); },
       readChecker(archiveModelBytes), none},
      {"writing the text file", [&](CBuildingModule& m) { return SaveModel(m, out, ModelForm::kText); },
       writeChecker(loadedTextBytes), copyDemo},
      {"saving the archive", [&](CBuildingModule& m) { return SaveModel(m, out, ModelForm::kArchive); },
       writeChecker(archiveModelBytes), copyDemo},
  };
  const uint64_t from = Setting("BM_ALLOC_FAILURE_FROM", 1);
  const uint64_t stride = Setting("BM_ALLOC_FAILURE_STRIDE", kShortStride);
  const char* only = std::getenv("BM_ALLOC_FAILURE_ONLY");
  for (const Operation& op : operations) {
    if (only && !std::strstr(op.name, only)) continue;
    const int runs = Sweep(op, from, stride);
    if (from == 1) {
      // The writers stream through one buffer and allocate a few times; the
      // readers make every object of the model.
      EXPECT_GT(runs, 1) << op.name << ": no allocation failed";
    }
    std::printf("%s: %d runs, stride %llu\n", op.name, runs, static_cast<unsigned long long>(stride));
    if (HasFailure()) return;
  }
#endif
}

}  // namespace
}  // namespace bm::test
