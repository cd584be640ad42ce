// ZFileReadModule: physical lines to data lines, data lines to tokens, runs
// of data lines to keyword blocks.
#include "etabs_reader/ZFileReadModule.h"

#include <array>
#include <cstring>
#include <memory>

#include "platform/Exceptions.h"
#include "platform/File.h"

namespace bm::reader {

namespace {
bool IsTrimSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

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

// SplitTokens without a cut length, the reader's path for every data line:
// one pass over the bytes writing straight into `bytes`, sized once for the
// whole line (the tokens never hold more bytes than the line, quotes kept).
size_t SplitWhole(const char* p, size_t n, bool dropQuotes, std::string& bytes, std::vector<uint32_t>& ends) {
  const size_t base = bytes.size();
  bytes.resize(base + n);
  char* const out = &bytes[0];
  size_t w = base;
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
      const char* close = static_cast<const char*>(std::memchr(p + i + 1, '"', n - i - 1));
      const size_t stop = close ? static_cast<size_t>(close - p) : n;
      if (!dropQuotes) out[w++] = '"';
      for (size_t k = i + 1; k < stop; ++k) {
        const char c = p[k];
        out[w++] = c == '\t' ? ' ' : c;  // a tab inside the name is a space
      }
      if (!dropQuotes && close) out[w++] = '"';
      i = close ? stop + 1 : n;
      quoted = kQuotedToken;
    } else {
      // An unquoted word: a space or tab ends it unless the byte before it
      // is a lower-case "e" (a tab kept inside becomes a space); a quote or
      // an in-line comment ends it too.
      out[w++] = p[i++];
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
    ends.push_back(static_cast<uint32_t>(w) | quoted);
    ++count;
  }
  bytes.resize(w);
  return count;
}
}  // namespace

size_t SplitTokens(std::string_view line, size_t maxLen, bool dropQuotes, std::string& bytes,
                   std::vector<uint32_t>& ends) {
  if (maxLen == 0) return SplitWhole(line.data(), line.size(), dropQuotes, bytes, ends);
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

bool ZFileReadModule::NextLine() {
  if (File) return File->ReadString(Line);
  // As CStdioFile::ReadString: "\n" ends a line, a "\r" before it or at the
  // end of the last line is dropped.
  if (!FromBuffer || Buffer.empty()) return false;
  const size_t nl = Buffer.find('\n');
  std::string_view line = Buffer.substr(0, nl);
  Buffer.remove_prefix(nl == std::string_view::npos ? Buffer.size() : nl + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  Line.str().assign(line.data(), line.size());
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
    std::string& s = Line.str();
    size_t end = s.size();
    while (end > 0 && bm::reader::IsTrimSpace(s[end - 1])) --end;
    s.resize(end);
    if (s.empty()) {
      LineState = kEmptyLine;
      return 1;
    }
    // The first "$" (then the first "!") decides: in column 1 the line is a
    // comment and is dropped; after white space only it is comment-only and
    // ends a block. Both reduce to the first byte that is not white space.
    size_t first = 0;
    while (bm::reader::IsTrimSpace(s[first])) ++first;  // a non-space byte exists
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
  if (result == 1 && LineState == kDataLine && mode != 1) GetAllString(Line, LineItems, 0);
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
  ScratchBytes.clear();
  ScratchEnds.clear();
  bm::reader::SplitTokens(Line.view(), 0, true, ScratchBytes, ScratchEnds);
  auto item = std::make_unique<ZComItem>();
  item->AssignTokens(ScratchBytes, ScratchEnds.data(), ScratchEnds.size());
  return item;
}

bool ZFileReadModule::Open(CString& path) {
  CStdioFile file;
  if (!file.Open(path, CFile::modeRead | CFile::typeText)) return false;
  File = &file;
  bool ok = false;
  try {
    ok = ReadBlocks();
    File = nullptr;
    file.Close();
  } catch (CFileException&) {
    // A read error: the blocks completed so far stay.
    File = nullptr;
    file.Abort();
    return false;
  }
  return ok;
}

bool ZFileReadModule::OpenBuffer(const char* data, size_t size) {
  Buffer = std::string_view(data, size);
  FromBuffer = true;
  bool ok = false;
  try {
    ok = ReadBlocks();
  } catch (...) {
    FromBuffer = false;
    Buffer = {};
    throw;
  }
  FromBuffer = false;
  Buffer = {};
  return ok;
}

bool ZFileReadModule::ReadBlocks() {
  // The first line after the leading comments is not used (the written
  // header's empty line); the next one must be data.
  ReadPhysicalLine();
  ReadPhysicalLine();
  if (LineState != kDataLine) return false;
  while (LineState == kDataLine) {
    auto block = std::make_unique<ZComItemList>();
    do {
      // Each object is owned by one holder at every moment, so that memory
      // running out anywhere here frees what was made.
      std::unique_ptr<ZComItem> item = MakeItem();
      if (block->GetCount() == 0) block->set_Name(CString(item->Token(1)));
      block->Adopt(std::move(item));
      ReadPhysicalLine();
    } while (LineState == kDataLine);
    BlockList.Adopt(std::move(block));
    while (LineState == kEmptyLine) ReadPhysicalLine();
  }
  return true;
}
