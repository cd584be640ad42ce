// A structure-aware mutator for text model files: it edits whole lines,
// tokens, numbers, quoted names and the PROGRAM version, so that mutated
// inputs stay readable far enough to reach the keyword handlers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace bm::fuzz {

// The mutations, each chosen with the same chance.
enum class TextMutation {
  kSwapToken,      // a token of a line becomes a keyword or key of the file format
  kDuplicateLine,  // a line is copied to a random place
  kDeleteLine,
  kSwapLines,
  kEdgeNumber,  // a number becomes 0, -1, 1e308, nan, a huge integer...
  kSwapName,    // a quoted name becomes another quoted name of the input
  kSetVersion,  // the PROGRAM line gets a version from 8 to 22 (added when missing)
  kAddBlock,    // a "$ ..." header and a keyword line with a key and a value
  kCount
};

// Applies `mutation` to `text` with choices drawn from `rng`. Returns false
// when the mutation does not apply (no number, no second name...).
bool MutateText(std::string& text, TextMutation mutation, std::mt19937& rng);

// libFuzzer's custom mutator body: one to three structure-aware mutations,
// or the byte-level `byteMutate` one time in four. Returns the new size,
// at most maxSize.
size_t MutateTextInput(uint8_t* data, size_t size, size_t maxSize, unsigned seed,
                       size_t (*byteMutate)(uint8_t*, size_t, size_t));

}  // namespace bm::fuzz
