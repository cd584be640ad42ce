// libFuzzer entry of the text reader target (body in FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return bm::fuzz::RunTextReader(data, size);
}
