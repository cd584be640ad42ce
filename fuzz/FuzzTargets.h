// The bodies of the fuzz targets, shared by the libFuzzer programs, their
// replay programs and the robustness tests that replay the regression inputs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bm::fuzz {

// Text reader: the input is a text model file, read from memory into a new
// module, which is then written as text, JSON and archive (in memory); the
// archive must load into another module, and from there save, load, save
// keeps its bytes.
int RunTextReader(const uint8_t* data, size_t size);

// Archive loader: the input is an archive (loaded through a scratch file,
// as the library loads archives by path). A load that throws
// CArchiveException is an accepted outcome; whatever was loaded, complete or
// not, is written as archive, text and JSON, and that archive must load and
// keep its bytes through save, load, save.
int RunArchive(const uint8_t* data, size_t size);

// Tokeniser and number expressions: the input is read from memory into
// keyword blocks, and every token of every line is converted through every
// getter; the lines are also split with a cut length taken from the input.
int RunTokenizer(const uint8_t* data, size_t size);

// A folder private to this process for the archives the targets load, in
// $TMPDIR, /dev/shm or /tmp; made on demand and removed after every input.
// Ends with a "/".
const std::string& ScratchDir();

// Writes `size` bytes to `path`, replacing the file; aborts when it cannot.
void WriteWholeFile(const std::string& path, const uint8_t* data, size_t size);
// The bytes of `path` (empty when it cannot be read).
std::vector<uint8_t> ReadWholeFile(const std::string& path);

// Stops the process with `what` on stderr: a broken promise the fuzzer must
// report as a crash.
[[noreturn]] void Fail(const char* what);

}  // namespace bm::fuzz
