// ZFileReadModule: physical lines to data lines, data lines to tokens, runs
// of data lines to keyword blocks.
#include "etabs_reader/ZFileReadModule.h"

#include <array>
#include <cstring>
#include <memory>

#include "platform/Exceptions.h"
#include "platform/File.h"
#include "platform/String.h"

namespace bm::reader {

namespace {
bool IsSeparator(char c) { return static_cast<signed char>(c) <= 32; }

// What a byte does inside an unquoted word: most bytes belong to it; a space
// or tab may end it; a quote or a comment sign always ends it.
enum : uint8_t { kWordByte = 0, kBlank = 1, kWordEnd = 2 };
constexpr std::array<uint8_t, 256> MakeWordTable() {
  std::array<uint8_t, 256> table{};
  table[static_cast<unsigned char>(' ')] = kBlank;
  table[static_cast<unsigned char>('\t')] = kBlank;
  table[static_cast<unsigned char>('"')] = kWordEnd;
  table[static_cast<unsigned char>('$')] = kWordEnd;
  return table;
}
constexpr std::array<uint8_t, 256> kWordTable = MakeWordTable();

// Eight bytes at a time: a word's bytes are copied in groups of eight up to
// the first byte below 0x25, which holds every byte that may end a word
// (tab, space, quote, "$"); the byte loop decides from there.
constexpr uint64_t kOnes = 0x0101010101010101ull;

// Position (0 to 8) of the first of the eight bytes at p below 0x25.
inline size_t WordBytes(const char* p) {
  const uint64_t v = bm::LoadPrefix8(p, 8);
  // The high bit of each byte below 0x25, and possibly of bytes after the
  // first such byte (a borrow): the lowest bit set is always exact.
  return bm::FirstFlaggedByte((v - kOnes * 0x25) & ~v & (kOnes * 0x80));
}

// Copies the bytes from `from` on to `to` eight at a time, up to the first
// byte below 0x25 or until fewer than eight are left before `end`; returns
// how many were copied (up to eight more bytes may be written: the output
// never runs ahead of the input, so they fit wherever eight remain to read).
inline size_t CopyPlainBytes(const char* from, const char* end, char* to) {
  size_t done = 0;
  while (end - (from + done) >= 8) {
    const size_t plain = WordBytes(from + done);
    std::memcpy(to + done, from + done, 8);
    done += plain;
    if (plain < 8) break;
  }
  return done;
}

// SplitTokens without a cut length, the reader's path for every data line:
// one pass over the bytes writing the tokens to `out`, which has room for `n`
// bytes (the tokens never hold more bytes than the line, quotes kept), and
// token k's end offset plus `base` to ends[k] (room for `n` entries: each
// token takes at least one byte of the line). Returns the number of tokens;
// `written` is set to the bytes written.
size_t SplitWhole(const char* p, size_t n, bool dropQuotes, char* out, uint32_t* ends, size_t base,
                  size_t& written) {
  size_t w = 0;
  size_t count = 0;
  size_t i = 0;
  for (;;) {
    while (i < n && IsSeparator(p[i])) ++i;
    // An in-line comment: a "$" outside quotes, after the first byte, ends
    // the line.
    if (i >= n || (p[i] == '$' && i > 0)) break;
    uint32_t quoted = 0;
    if (p[i] == '"') {
      // A quoted name is one token, whatever it holds, up to its closing
      // quote (or the end of the line). The next token begins right after
      // the closing quote, so a key glued to it stands on its own.
      if (!dropQuotes) out[w++] = '"';
      // Up to a tab, a space or the closing quote (all below 0x25) eight
      // bytes at a time, then byte by byte to the closing quote.
      const size_t plain = CopyPlainBytes(p + i + 1, p + n, out + w);
      w += plain;
      size_t k = i + 1 + plain;
      for (; k < n && p[k] != '"'; ++k) {
        const char c = p[k];
        out[w++] = c == '\t' ? ' ' : c;  // a tab inside the name is a space
      }
      const bool closed = k < n;
      if (!dropQuotes && closed) out[w++] = '"';
      i = closed ? k + 1 : n;
      quoted = kQuotedToken;
    } else {
      // An unquoted word: a space or tab ends it unless the byte before it
      // is a lower-case "e" (a tab kept inside becomes a space); a quote or
      // an in-line comment ends it too.
      out[w++] = p[i++];
      const size_t plain = CopyPlainBytes(p + i, p + n, out + w);
      i += plain;
      w += plain;
      for (; i < n; ++i) {
        char c = p[i];
        const uint8_t kind = kWordTable[static_cast<unsigned char>(c)];
        if (kind != kWordByte) {
          if (kind == kWordEnd || p[i - 1] != 'e') break;
          c = ' ';
        }
        out[w++] = c;
      }
    }
    ends[count++] = static_cast<uint32_t>(base + w) | quoted;
  }
  written = w;
  return count;
}
}  // namespace

size_t SplitTokens(std::string_view line, size_t maxLen, bool dropQuotes, std::string& bytes,
                   std::vector<uint32_t>& ends) {
  if (maxLen == 0) {
    if (line.empty()) return 0;
    const size_t base = bytes.size();
    const size_t first = ends.size();
    bytes.resize(base + line.size());
    ends.resize(first + line.size());
    size_t written = 0;
    const size_t count = SplitWhole(line.data(), line.size(), dropQuotes, &bytes[0] + base,
                                    ends.data() + first, base, written);
    bytes.resize(base + written);
    ends.resize(first + count);
    return count;
  }
  // Legacy: with a cut length the words are split as the line reader of the
  // host framework did, a "$" inside a quoted name included.
  const size_t dollar = line.find('$');
  if (dollar != std::string_view::npos && dollar > 0) line = line.substr(0, dollar);

  const char* p = line.data();
  const size_t n = line.size();
  size_t count = 0;
  size_t i = 0;
  bool startHere = false;  // after a cut at maxLen the next token starts at once
  while (i < n) {
    if (!startHere) {
      while (i < n && static_cast<signed char>(p[i]) <= 32) ++i;
      if (i >= n) break;
    }
    startHere = false;
    // Find the end of the token: a space or tab ends it unless the byte
    // before it in the token is a lower-case "e" (a tab counts as a space).
    const size_t start = i;
    bool hasTab = false;
    while (i < n) {
      const char c = p[i];
      if (c == ' ' || c == '\t') {
        if (i == start || p[i - 1] != 'e') break;
        hasTab |= c == '\t';
      }
      if (maxLen > 0 && i - start == maxLen) {
        startHere = true;
        break;
      }
      ++i;
    }
    if (i == start) {
      // Only reachable right after a cut at maxLen, at a space: no token.
      startHere = false;
      continue;
    }
    // Copy the token, dropping quotes when asked; a tab inside it is a space.
    const size_t before = bytes.size();
    const char* q = p + start;
    const char* stop = p + i;
    if (dropQuotes) {
      while (q < stop) {
        const char* quote = static_cast<const char*>(std::memchr(q, '"', static_cast<size_t>(stop - q)));
        const char* segmentEnd = quote ? quote : stop;
        bytes.append(q, static_cast<size_t>(segmentEnd - q));
        q = quote ? quote + 1 : stop;
      }
    } else {
      bytes.append(q, static_cast<size_t>(stop - q));
    }
    if (hasTab) {
      for (size_t k = before; k < bytes.size(); ++k) {
        if (bytes[k] == '\t') bytes[k] = ' ';
      }
    }
    ends.push_back(static_cast<uint32_t>(bytes.size()));
    ++count;
  }
  return count;
}

}  // namespace bm::reader

ZFileReadModule::ZFileReadModule() = default;
ZFileReadModule::~ZFileReadModule() = default;

bool ZFileReadModule::NextLine() {
  if (File) return File->ReadLine(Line);
  // As CStdioFile::ReadLine: "\n" ends a line, a "\r" before it or at the
  // end of the last line is dropped.
  if (!FromBuffer || Buffer.empty()) return false;
  const size_t nl = Buffer.find('\n');
  std::string_view line = Buffer.substr(0, nl);
  Buffer.remove_prefix(nl == std::string_view::npos ? Buffer.size() : nl + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  Line = line;
  return true;
}

int ZFileReadModule::ReadPhysicalLine() {
  if (!File && !FromBuffer) {
    LineState = kEndOfFile;
    return 0;
  }
  for (;;) {
    LineState = kDataLine;
    if (!NextLine()) {
      LineState = kEndOfFile;
      return 0;
    }
    Line = bm::TrimRight(Line);
    const std::string_view s = Line;
    if (s.empty()) {
      LineState = kEmptyLine;
      return 1;
    }
    // The first "$" (then the first "!") decides: in column 1 the line is a
    // comment and is dropped; after white space only it is comment-only and
    // ends a block. Both reduce to the first byte that is not white space.
    size_t first = 0;
    while (bm::IsAsciiSpace(s[first])) ++first;  // a non-space byte exists
    if (s[first] == '$' || s[first] == '!') {
      if (first == 0) continue;
      LineState = kEmptyLine;
      return 1;
    }
    // Decision: a backslash has no meaning; the line after it is read as
    // any other line, never discarded.
    return 1;
  }
}

int ZFileReadModule::ReadLine(int mode) {
  const int result = ReadPhysicalLine();
  if (result == 1 && LineState == kDataLine && mode != 1) GetAllString(CString(Line), LineItems, 0);
  return result;
}

int ZFileReadModule::GetAllString(CString line, CStringArray& items, int maxLen) {
  ScratchBytes.clear();
  ScratchEnds.clear();
  const size_t count = bm::reader::SplitTokens(line.view(), maxLen > 0 ? static_cast<size_t>(maxLen) : 0,
                                               false, ScratchBytes, ScratchEnds);
  items.RemoveAll();
  items.Reserve(count);
  uint32_t begin = 0;
  for (uint32_t flagged : ScratchEnds) {
    const uint32_t end = bm::reader::TokenEnd(flagged);
    items.Add(CString(std::string_view(ScratchBytes).substr(begin, end - begin)));
    begin = end;
  }
  return static_cast<int>(count);
}

std::unique_ptr<ZComItem> ZFileReadModule::MakeItem() {
  // The scratch buffers only grow (to the longest line), so a line costs no
  // clearing or allocation; SplitWhole writes within the line's length.
  const std::string_view line = Line;
  if (ScratchBytes.size() < line.size()) ScratchBytes.resize(line.size());
  if (ScratchEnds.size() < line.size()) ScratchEnds.resize(line.size());
  size_t written = 0;
  const size_t count = bm::reader::SplitWhole(line.data(), line.size(), true, &ScratchBytes[0],
                                              ScratchEnds.data(), 0, written);
  std::unique_ptr<ZComItem> item;
  if (Spare.empty()) {
    item = std::make_unique<ZComItem>();
  } else {
    item = std::move(Spare.back());
    Spare.pop_back();
  }
  item->Refill(std::string_view(ScratchBytes.data(), written), ScratchEnds.data(), count);
  return item;
}

bool ZFileReadModule::Open(CString& path) { return Begin(path) && ReadToEnd(); }

bool ZFileReadModule::OpenBuffer(const char* data, size_t size) {
  return BeginBuffer(data, size) && ReadToEnd();
}

bool ZFileReadModule::ReadToEnd() {
  try {
    while (NextBlock()) {
    }
  } catch (...) {
    Finish();  // memory ran out: the source is closed all the same
    throw;
  }
  return Finish();
}

bool ZFileReadModule::Begin(CString& path) {
  Finish();
  auto file = std::make_unique<CStdioFile>();
  if (!file->Open(path, CFile::modeRead | CFile::typeText)) return false;
  File = std::move(file);
  return ReadFirstLines();
}

bool ZFileReadModule::BeginBuffer(const char* data, size_t size) {
  Finish();
  Buffer = std::string_view(data, size);
  FromBuffer = true;
  return ReadFirstLines();
}

bool ZFileReadModule::ReadFirstLines() {
  ReadFailed = false;
  try {
    // The first line after the leading comments is not used (the written
    // header's empty line); the next one must be data.
    ReadPhysicalLine();
    ReadPhysicalLine();
    if (LineState == kDataLine) return true;
  } catch (CFileException&) {
    // A read error before the first data line: nothing is added.
  }
  Finish();
  return false;
}

void ZFileReadModule::FillBlock(ZComItemList& block, int maxLines) {
  const bool named = Continues;  // a later part is named as its block
  Continues = false;
  do {
    if (maxLines > 0 && block.GetCount() >= maxLines) {
      Continues = true;
      return;
    }
    // Each object is owned by one holder at every moment, so that memory
    // running out anywhere here frees what was made.
    std::unique_ptr<ZComItem> item = MakeItem();
    if (block.GetCount() == 0 && !named) block.set_Name(CString(item->Token(1)));
    block.Adopt(std::move(item));
    ReadPhysicalLine();
  } while (LineState == kDataLine);
  while (LineState == kEmptyLine) ReadPhysicalLine();
}

void ZFileReadModule::Fail() {
  // A read error: the blocks completed so far stay; reading stops.
  ReadFailed = true;
  Continues = false;
  if (File) File->Abort();
  File.reset();
}

ZComItemList* ZFileReadModule::NextBlock(int maxLines) {
  if (LineState != kDataLine || (!File && !FromBuffer)) return nullptr;
  try {
    auto block = std::make_unique<ZComItemList>();
    if (Continues) block->set_Name(PartName);
    FillBlock(*block, maxLines);
    if (Continues) PartName = block->name();
    return BlockList.Adopt(std::move(block));
  } catch (CFileException&) {
    Fail();
    return nullptr;
  }
}

bool ZFileReadModule::ReadRest(ZComItemList* block) {
  if (!Continues || !block) return !ReadFailed;
  try {
    FillBlock(*block, 0);
  } catch (CFileException&) {
    Fail();
  }
  return !ReadFailed;
}

bool ZFileReadModule::Finish() {
  if (File) File->Abort();  // read only: nothing to flush, no error to report
  File.reset();
  FromBuffer = false;
  Buffer = {};
  Continues = false;
  std::vector<std::unique_ptr<ZComItem>>().swap(Spare);
  // The split buffers grew to the longest line: a file of one huge line
  // leaves nothing behind.
  std::string().swap(ScratchBytes);
  std::vector<uint32_t>().swap(ScratchEnds);
  return !ReadFailed;
}

void ZFileReadModule::Recycle(ZComItemList* block) {
  if (!block) return;
  const int count = block->GetCount();
  Spare.reserve(Spare.size() + static_cast<size_t>(count));  // nothing moves unless room is there
  for (int i = 1; i <= count; ++i) {
    ZBMComponent* member = block->GetItem(i);
    ZComItem* line = member ? member->AsComItem() : nullptr;
    if (line) {
      Spare.emplace_back(line);
    } else {
      delete member;
    }
  }
  block->RemoveAll();
}
