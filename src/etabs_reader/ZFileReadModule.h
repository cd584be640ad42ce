// ZFileReadModule: reads a text model file into keyword blocks of tokens.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "../platform/Array.h"
#include "../platform/String.h"
#include "ZComItem.h"

class CStdioFile;

namespace bm::reader {

// Splits `line` into tokens. Without a cut length (maxLen 0):
// - bytes whose signed value is at most 32 (controls, space, 0x80-0xFF)
//   separate tokens, tabs count as spaces;
// - a double-quoted name is one token up to its closing quote, whatever
//   spaces it holds, and the next token begins right after that quote (so
//   `"TI M2I"LENGTHOFFI` is two tokens); its end offset carries kQuotedToken;
// - an unquoted word ends at a space unless the byte before it is a
//   lower-case "e" (so "Live Load" stays one word), and at a quote;
// - a "$" outside quotes after the first byte cuts off the rest (a comment).
// With maxLen > 0 the legacy rules hold: no quoted names, a "$" anywhere
// after the first byte cuts, and a token is cut after maxLen bytes, the
// next beginning with the next byte.
// Token bytes are appended to `bytes` (double quotes dropped when
// `dropQuotes`) and each token's end offset in `bytes` to `ends`. Returns
// the number of tokens.
size_t SplitTokens(std::string_view line, size_t maxLen, bool dropQuotes, std::string& bytes,
                   std::vector<uint32_t>& ends);

}  // namespace bm::reader

// Reads a text model file completely into keyword blocks: every run of
// consecutive data lines becomes one ZComItemList, named by the first token
// of its first line (quotes removed, case kept), holding one ZComItem per
// line. Comment lines ("$" or "!" in column 1) are dropped without ending a
// block; an empty line or an indented comment-only line ends it.
class ZFileReadModule {
 public:
  // Kind of the last line read.
  enum { kDataLine = 0, kEmptyLine = 1, kEndOfFile = 2 };

  ZFileReadModule();
  virtual ~ZFileReadModule();
  ZFileReadModule(const ZFileReadModule&) = delete;
  ZFileReadModule& operator=(const ZFileReadModule&) = delete;

  // Reads the file `path` into the block list (appending to blocks of an
  // earlier call) and closes it. The first line after leading comment lines
  // is skipped (the header written by the writer); the line after it must
  // be a data line. Returns false, adding nothing, when the file cannot be
  // opened or that line is not a data line; returns false after a read
  // error, keeping the blocks completed before it. Shows no message.
  bool Open(CString& path);
  // As Open, reading the `size` bytes at `data` instead of a file (split
  // into lines as a text file is read); never fails on a read error.
  bool OpenBuffer(const char* data, size_t size);

  // Reading block by block, so that a caller handles and recycles each block
  // before the next is read: Begin (or BeginBuffer), NextBlock until it
  // returns null, then Finish. Open is these steps in a row.
  // Opens the source and reads up to its first data line. Returns false,
  // adding nothing and leaving nothing open, as Open does. Ends any reading
  // begun before.
  bool Begin(CString& path);
  // As Begin on the `size` bytes at `data`, which must stay valid until Finish.
  bool BeginBuffer(const char* data, size_t size);
  // Reads the next block and appends it to the block list, which owns it.
  // Returns null at the end of the source, after a read error (the partial
  // block is dropped) or without a source. With maxLines > 0 a longer block
  // comes in parts of maxLines lines, each a block of the list named as the
  // whole block; PartContinues tells whether the next part follows.
  ZComItemList* NextBlock(int maxLines = 0);
  // Whether the block NextBlock returned last was cut after maxLines lines.
  bool PartContinues() const { return Continues; }
  // Reads the rest of a cut block into `block`, the part NextBlock returned
  // last. Returns false after a read error (the lines read stay).
  bool ReadRest(ZComItemList* block);
  // Closes the source and frees the recycled lines and split buffers. Returns
  // false when a read error ended the reading, true otherwise.
  bool Finish();
  // Empties `block`, a block of the list, keeping its lines for NextBlock to
  // fill again (the block stays, named and empty).
  void Recycle(ZComItemList* block);

  // Reads the next line, skipping comment lines. Returns 1 when a data,
  // empty or comment-only line was read, 0 at the end of the file, and sets
  // the line state. With mode other than 1 a data line is split into the
  // line items. Only meaningful while a file is open (0 otherwise).
  int ReadLine(int mode);
  // Splits `line` into tokens (see bm::reader::SplitTokens; quotes stay),
  // replacing the contents of `items`. Returns the number of tokens.
  int GetAllString(CString line, CStringArray& items, int maxLen);

  ZComItemList* GetBlockList() { return &BlockList; }
  int GetLineState() const { return LineState; }
  // Tokens of the last data line split by ReadLine or GetAllString callers;
  // Open reads lines straight into the blocks and does not fill them.
  const CStringArray& GetLineItems() const { return LineItems; }

 private:
  // Steps of ReadLine up to the split: the line stays in Line.
  int ReadPhysicalLine();
  // The next line of the file or buffer into Line; false at the end.
  bool NextLine();
  // Begin's reading once the source is set.
  bool ReadFirstLines();
  // Open's reading after Begin: every block, then Finish.
  bool ReadToEnd();
  // Reads lines into `block` up to the end of the block or, with maxLines
  // > 0, up to maxLines lines in it; then past the empty lines after a block
  // that ended. Throws CFileException on a read error.
  void FillBlock(ZComItemList& block, int maxLines);
  // Stops the reading after a read error.
  void Fail();
  // The current line as a block line: a recycled one refilled, or a new one.
  std::unique_ptr<ZComItem> MakeItem();

  ZComItemList BlockList;
  int LineState = kDataLine;
  CStringArray LineItems;
  std::unique_ptr<CStdioFile> File;
  // The unread bytes of OpenBuffer's input, while it reads.
  std::string_view Buffer;
  bool FromBuffer = false;
  bool ReadFailed = false;
  // The last block read was cut; PartName names its parts.
  bool Continues = false;
  CString PartName;
  // Lines of handled blocks, filled again by MakeItem.
  std::vector<std::unique_ptr<ZComItem>> Spare;

  // The current physical line, in the file's buffer (or the caller's), valid
  // until the next line is read; the scratch buffers of the split, reused
  // from line to line.
  std::string_view Line;
  std::string ScratchBytes;
  std::vector<uint32_t> ScratchEnds;
};
