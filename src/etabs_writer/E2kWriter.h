// The ETABS 8 text writer: the 22 blocks of the file in their fixed order.
#pragma once

#include <functional>
#include <string>

#include "WriteReport.h"

class CBuildingModule;

namespace bm {

// Builds the text of a whole model in one buffer and hands it on in large
// chunks. The module's lists are read, never changed.
class E2kWriter {
 public:
  // Receives consecutive pieces of the text; may throw (a file error), in
  // which case writing stops and the exception passes to the caller.
  using Sink = std::function<void(const std::string& chunk)>;

  // Text is handed to `sink` whenever at least `chunkSize` bytes are
  // buffered, and once more at the end. Without a sink the whole text stays
  // in the writer (see TakeText).
  E2kWriter(CBuildingModule& module, Sink sink, size_t chunkSize = kDefaultChunkSize);

  // Writes every block. Counts of skipped items are in report() afterwards.
  void Write();
  const WriteReport& report() const { return report_; }
  // The text written by a writer without a sink (empty otherwise); leaves
  // the writer empty.
  std::string TakeText() { return std::move(buffer_); }

  static constexpr size_t kDefaultChunkSize = size_t{4} << 20;

 private:
  size_t EstimateSize();
  void MaybeFlush();
  void Flush();
  void WriteHeaderAndControls();
  void WriteStories();
  void WriteDefinitions();
  void WriteConnectivities();
  void WriteAssignments();
  void WriteLoads();
  void WriteClosing();

  CBuildingModule& module_;
  Sink sink_;
  size_t chunkSize_;
  std::string buffer_;
  WriteReport report_;
};

// The whole text of `module`, as GenerateETABS8TxtFile writes it. When
// `report` is given it receives the counts of skipped items.
std::string GenerateETABS8Text(CBuildingModule& module, WriteReport* report = nullptr);

}  // namespace bm
