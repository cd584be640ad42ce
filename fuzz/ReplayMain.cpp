// Runs a fuzz target over files and folders of inputs without libFuzzer, so
// that corpora replay under any compiler: replay_<target> PATH... Each folder
// is read one level deep, in name order. Exits non-zero when no input was
// found; a broken promise aborts inside the target.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<std::string> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (fs::is_directory(argv[i], ec)) {
      std::vector<std::string> files;
      for (const fs::directory_entry& e : fs::directory_iterator(argv[i], ec)) {
        if (e.is_regular_file()) files.push_back(e.path().string());
      }
      std::sort(files.begin(), files.end());
      inputs.insert(inputs.end(), files.begin(), files.end());
    } else if (fs::is_regular_file(argv[i], ec)) {
      inputs.emplace_back(argv[i]);
    } else {
      std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", argv[i]);
      return 2;
    }
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "replay: no input\n");
    return 2;
  }
  for (const std::string& path : inputs) {
    std::fprintf(stderr, "replay: %s\n", path.c_str());
    const std::vector<uint8_t> bytes = bm::fuzz::ReadWholeFile(path);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::printf("replay: %zu inputs passed\n", inputs.size());
  return 0;
}
