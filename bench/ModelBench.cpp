// Scale benchmarks: building a demo model through the managers, the
// geometry processing passes, writing and reading the text file, saving and
// loading the archive, over models of about a thousand to about a million
// elements. Each benchmark reports the time per element, the throughput in
// bytes where a file is involved, and the peak memory that the operation
// added (resident set, reset before each operation), per element and, for
// reading the text file, per byte of the file. docs/performance.md explains
// the figures and how to reproduce them.
#include <benchmark/benchmark.h>
#include <buildingmodel/buildingmodel.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <string>

#include "DemoBuilding.h"
#include "etabs_reader/ZAdapterEtabs8.h"

namespace {

// ---------------------------------------------------------------------------
// Memory

// A /proc/self/status field in bytes (0 when it cannot be read).
long long StatusBytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string key = std::string(field) + ":";
  while (std::getline(status, line)) {
    if (line.compare(0, key.size(), key) == 0) return std::atoll(line.c_str() + key.size()) * 1024;
  }
  return 0;
}

// Measures the resident memory an operation adds at its peak: freed heap is
// returned to the system and the kernel's high-water mark is reset to the
// current resident set before the operation.
// Memory runs (BM_BENCH_TRIM=1, one operation per process) measure the
// memory an operation takes, on a heap returned to the system before it;
// timing runs measure the work, on a heap kept resident (see WarmUp).
bool MemoryRun() {
  static const bool trim = std::getenv("BM_BENCH_TRIM") != nullptr;
  return trim;
}

// Maps in every page of the program's files (its code, its libraries' code,
// their constant data). The kernel counts a file's pages in the resident set
// as they are first touched, so without this the peak of an operation also
// counts the code it runs for the first time: 50 to 250 KB, more or less by
// the filesystem the program lives on, and a third of the smallest file's
// figure. Pages of no file (the heap, the pool) are not touched.
void MapInProgramFiles() {
  std::ifstream maps("/proc/self/maps");
  std::string line;
  while (std::getline(maps, line)) {
    unsigned long low = 0, high = 0;
    char perms[5] = {};
    int pathAt = 0;
    if (std::sscanf(line.c_str(), "%lx-%lx %4s %*s %*s %*s %n", &low, &high, perms, &pathAt) < 3) continue;
    // Readable and backed by a file: a path, not [heap], [stack], [vvar] ...
    if (perms[0] != 'r' || pathAt <= 0 || line.size() <= static_cast<size_t>(pathAt) || line[pathAt] != '/')
      continue;
    for (unsigned long at = low; at < high; at += 4096) {
      (void)*reinterpret_cast<const volatile char*>(at);
    }
  }
}

class PeakMeter {
 public:
  void Start() {
    // Returning freed heap makes the figure exact (nothing the operation
    // allocates is served from memory already resident) but makes the
    // operation fault in every page it touches, which slows it.
    if (MemoryRun()) {
      malloc_trim(0);
      MapInProgramFiles();
    }
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", f);  // resets VmHWM to VmRSS
      std::fclose(f);
    }
    base_ = StatusBytes("VmRSS");
  }
  void Stop() {
    const long long peak = StatusBytes("VmHWM") - base_;
    if (peak > max_) max_ = peak;
  }
  double MaxBytes() const { return static_cast<double>(max_); }

 private:
  long long base_ = 0;
  long long max_ = 0;
};

// Timing runs compare the time per element across sizes. A small model is
// measured over many iterations, each one served from heap that the one
// before freed; a model of a million elements is measured once, and on a
// fresh heap its first touch of each page costs a page fault, which in a
// virtual machine is several microseconds and dwarfs the work (see
// docs/performance.md). So timing runs keep freed heap in the process and
// run an operation that creates a model once, unmeasured, before measuring
// it: every size is then measured as a long-running host sees it, on heap
// it has used before. Memory runs measure the cold case.
void KeepFreedHeap() {
  if (MemoryRun()) return;
  mallopt(M_TRIM_THRESHOLD, std::numeric_limits<int>::max());
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest: big blocks stay in the heap
}

template <typename Op>
void WarmUp(Op op) {
  if (MemoryRun()) return;
  auto module = std::make_unique<CBuildingModule>();
  op(*module);
}

// ---------------------------------------------------------------------------
// Models and files, kept for the size being measured

struct Size {
  int storeys;
  int bays;
};

bm::tool::DemoOptions Options(const Size& s) {
  bm::tool::DemoOptions o;
  o.storeys = s.storeys;
  o.baysX = s.bays;
  o.baysY = s.bays;
  return o;
}

std::string TempDir() {
  static const std::string dir = [] {
    const char* base = std::getenv("TMPDIR");
    std::string d = std::string(base && *base ? base : "/tmp") + "/bm_bench_" + std::to_string(getpid());
    std::string cmd = "mkdir -p '" + d + "'";
    if (std::system(cmd.c_str()) != 0) std::abort();
    return d;
  }();
  return dir;
}

long long FileBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary | std::ios::ate);
  return f ? static_cast<long long>(f.tellg()) : 0;
}

// One built model and its two files, for the size measured last; a new size
// drops them, so that only one large model is alive at a time.
class Fixture {
 public:
  static Fixture& For(const Size& s) {
    static std::unique_ptr<Fixture> current;
    if (!current || current->size_.storeys != s.storeys || current->size_.bays != s.bays) {
      current.reset();
      current.reset(new Fixture(s));
    }
    return *current;
  }

  CBuildingModule& model() { return *model_; }
  const std::string& textPath() {
    if (!textWritten_) {
      textWritten_ = model_->GenerateETABS8TxtFile(textPath_.c_str()) == 1;
      if (!textWritten_) std::abort();
    }
    return textPath_;
  }
  // The text file relabelled as written by a later version ("9.7.3"), so
  // that the later-version reading path reads a file of the same size: that
  // path takes every line of it (the lines this writer gives are lines the
  // later versions use as well).
  const std::string& laterTextPath() {
    if (!laterWritten_) {
      std::ifstream in(textPath(), std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      const std::string from = "VERSION \"8.48\"";
      const size_t at = text.find(from);
      if (at == std::string::npos) std::abort();
      text.replace(at, from.size(), "VERSION \"9.7.3\"");
      std::ofstream out(laterTextPath_, std::ios::binary);
      laterWritten_ = static_cast<bool>(out.write(text.data(), static_cast<std::streamsize>(text.size())));
      if (!laterWritten_) std::abort();
    }
    return laterTextPath_;
  }
  const std::string& archivePath() {
    if (!archiveWritten_) {
      archiveWritten_ = model_->ReadSaveFile(archivePath_.c_str(), 0);
      if (!archiveWritten_) std::abort();
    }
    return archivePath_;
  }
  double elements() const { return bm::tool::EstimateDemoElements(Options(size_)); }

  ~Fixture() {
    std::remove(textPath_.c_str());
    std::remove(laterTextPath_.c_str());
    std::remove(archivePath_.c_str());
  }

 private:
  explicit Fixture(const Size& s) : size_(s), model_(new CBuildingModule) {
    const std::string stem = TempDir() + "/m" + std::to_string(s.storeys) + "x" + std::to_string(s.bays);
    textPath_ = stem + ".e2k";
    laterTextPath_ = stem + "-later.e2k";
    archivePath_ = stem + ".bma";
    if (!bm::tool::BuildDemoBuilding(*model_, Options(s))) std::abort();
  }

  Size size_;
  std::unique_ptr<CBuildingModule> model_;
  std::string textPath_;
  std::string laterTextPath_;
  std::string archivePath_;
  bool textWritten_ = false;
  bool laterWritten_ = false;
  bool archiveWritten_ = false;
};

// ---------------------------------------------------------------------------
// The measured operations, as functions of their own so that callgrind can
// count them alone (--toggle-collect='*Measured*').

__attribute__((noinline)) bool MeasuredBuild(CBuildingModule& module, const Size& s) {
  return bm::tool::BuildDemoBuilding(module, Options(s));
}
__attribute__((noinline)) void MeasuredProcessGeometry(CBuildingModule& module) {
  module.get_pMgrGeometry()->ProcessGeometry();
}
__attribute__((noinline)) int MeasuredWriteText(CBuildingModule& module, const std::string& path) {
  return module.GenerateETABS8TxtFile(path.c_str());
}
__attribute__((noinline)) bool MeasuredReadText(CBuildingModule& module, const std::string& path) {
  ZAdapterEtabs8 reader;
  reader.SetBuildingModule(&module);
  CString p(path.c_str());
  return reader.ReadFile(p);
}
__attribute__((noinline)) bool MeasuredSaveArchive(CBuildingModule& module, const std::string& path) {
  return module.ReadSaveFile(path.c_str(), 0);
}
__attribute__((noinline)) bool MeasuredLoadArchive(CBuildingModule& module, const std::string& path) {
  return module.ReadSaveFile(path.c_str(), 1);
}

// ---------------------------------------------------------------------------
// Reporting

void Report(benchmark::State& state, double elements, const PeakMeter& meter, long long fileBytes) {
  using benchmark::Counter;
  state.counters["elements"] = elements;
  // Seconds per element (shown by the console reporter with an SI suffix:
  // "u" is microseconds).
  state.counters["s_per_elem"] = Counter(elements, Counter::kIsIterationInvariantRate | Counter::kInvert);
  state.counters["peak_B_per_elem"] = meter.MaxBytes() / elements;
  if (fileBytes > 0) {
    state.counters["file_MB"] = static_cast<double>(fileBytes) / 1e6;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * fileBytes);
    state.counters["peak_per_file_B"] = meter.MaxBytes() / static_cast<double>(fileBytes);
  }
}

Size SizeOf(const benchmark::State& state) {
  return {static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
}

// Times `op` on a new, empty module in each iteration; creating and freeing
// the module stay outside the timing. An operation that fails ends the run
// with `error`.
template <typename Op>
void TimeOnNewModel(benchmark::State& state, PeakMeter& meter, const char* error, Op op) {
  WarmUp(op);
  for (auto _ : state) {
    state.PauseTiming();
    auto module = std::make_unique<CBuildingModule>();
    meter.Start();
    state.ResumeTiming();
    if (!op(*module)) state.SkipWithError(error);
    state.PauseTiming();
    meter.Stop();
    module.reset();
    state.ResumeTiming();
  }
}

// Times `op` on the size's built model in each iteration, after one run
// unmeasured (not in memory runs): as a model's first build takes fresh
// heap, a file's first write takes page-cache memory the system has not
// used before, which doubled the time of writing the largest files. The
// run before frees those pages (the timed write replaces its file), so the
// timed one writes to memory used before, as a small file's hundreds of
// writes do.
template <typename Op>
void TimeOnFixture(benchmark::State& state, PeakMeter& meter, const char* error, Op op) {
  if (!MemoryRun()) op();
  for (auto _ : state) {
    state.PauseTiming();
    meter.Start();
    state.ResumeTiming();
    if (!op()) state.SkipWithError(error);
    state.PauseTiming();
    meter.Stop();
    state.ResumeTiming();
  }
}

void BM_Build(benchmark::State& state) {
  const Size s = SizeOf(state);
  PeakMeter meter;
  TimeOnNewModel(state, meter, "the demo building was refused",
                 [&](CBuildingModule& m) { return MeasuredBuild(m, s); });
  Report(state, bm::tool::EstimateDemoElements(Options(s)), meter, 0);
}

void BM_ProcessGeometry(benchmark::State& state) {
  Fixture& f = Fixture::For(SizeOf(state));
  PeakMeter meter;
  TimeOnFixture(state, meter, "", [&] {
    MeasuredProcessGeometry(f.model());
    return true;
  });
  Report(state, f.elements(), meter, 0);
}

void BM_WriteText(benchmark::State& state) {
  Fixture& f = Fixture::For(SizeOf(state));
  const std::string path = f.textPath() + ".out";
  PeakMeter meter;
  TimeOnFixture(state, meter, "the text file was not written",
                [&] { return MeasuredWriteText(f.model(), path) == 1; });
  Report(state, f.elements(), meter, FileBytes(path));
  std::remove(path.c_str());
}

void TimeReadText(benchmark::State& state, const std::string& path) {
  Fixture& f = Fixture::For(SizeOf(state));
  PeakMeter meter;
  TimeOnNewModel(state, meter, "the text file was not read",
                 [&](CBuildingModule& m) { return MeasuredReadText(m, path); });
  Report(state, f.elements(), meter, FileBytes(path));
}

void BM_ReadText(benchmark::State& state) { TimeReadText(state, Fixture::For(SizeOf(state)).textPath()); }
void BM_ReadLaterText(benchmark::State& state) {
  TimeReadText(state, Fixture::For(SizeOf(state)).laterTextPath());
}

void BM_SaveArchive(benchmark::State& state) {
  Fixture& f = Fixture::For(SizeOf(state));
  const std::string path = f.archivePath() + ".out";
  PeakMeter meter;
  TimeOnFixture(state, meter, "the archive was not saved",
                [&] { return MeasuredSaveArchive(f.model(), path); });
  Report(state, f.elements(), meter, FileBytes(path));
  std::remove(path.c_str());
}

void BM_LoadArchive(benchmark::State& state) {
  Fixture& f = Fixture::For(SizeOf(state));
  const std::string& path = f.archivePath();
  PeakMeter meter;
  TimeOnNewModel(state, meter, "the archive was not loaded",
                 [&](CBuildingModule& m) { return MeasuredLoadArchive(m, path); });
  Report(state, f.elements(), meter, FileBytes(path));
}

// Sizes: ten storeys over a square plan of 5 to 158 bays (about 1.4
// thousand to 1 million elements, the plan-wide point, line and area lists
// growing with them), and a hundred storeys over 50 bays (about 1 million
// elements, the tall building). All operations of one size run together so
// that one model is kept at a time.
const Size kSizes[] = {{10, 5}, {10, 16}, {10, 50}, {10, 158}, {100, 50}};

int RegisterAll() {
  for (const Size& s : kSizes) {
    // A run of a large model takes longer than the minimum time, so it is
    // measured once; repeat with --benchmark_repetitions.
    auto add = [&](const char* name, void (*fn)(benchmark::State&)) {
      benchmark::RegisterBenchmark(name, fn)->Args({s.storeys, s.bays})->Unit(benchmark::kMillisecond);
    };
    add("Build", BM_Build);
    add("ProcessGeometry", BM_ProcessGeometry);
    add("WriteText", BM_WriteText);
    add("ReadText", BM_ReadText);
    add("ReadLaterText", BM_ReadLaterText);
    add("SaveArchive", BM_SaveArchive);
    add("LoadArchive", BM_LoadArchive);
  }
  return 0;
}

const int kRegistered = RegisterAll();

}  // namespace

int main(int argc, char** argv) {
  KeepFreedHeap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
