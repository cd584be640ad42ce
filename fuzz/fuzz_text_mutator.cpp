// libFuzzer's custom mutator for the text targets (body in TextMutator.cpp);
// linked only into the libFuzzer programs, which provide LLVMFuzzerMutate.
#include "TextMutator.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  return bm::fuzz::MutateTextInput(data, size, maxSize, seed, LLVMFuzzerMutate);
}
