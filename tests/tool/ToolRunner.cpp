// Running bmtool from the tests, and the XML check of its drawings.
#include "ToolRunner.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace bm::test {

namespace fs = std::filesystem;

std::string ToolPath() {
#ifdef BMTOOL_PATH
  return BMTOOL_PATH;
#else
  return std::string();
#endif
}

namespace {

#ifdef _WIN32
// One argument as the C runtime's command-line parser reads it back.
std::string Quote(const std::string& arg) {
  std::string q = "\"";
  size_t slashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++slashes;
      continue;
    }
    // Backslashes double only before a quote, which itself is escaped.
    q.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
    q += c;
    slashes = 0;
  }
  q.append(slashes * 2, '\\');
  return q + "\"";
}

// Starts the tool directly (no shell) with its standard streams redirected
// to files and waits for it; returns its exit code, or -1 when it could not
// be started.
int Run(const std::vector<std::string>& args, const fs::path& dir, const std::string& out,
        const std::string& err) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  auto open = [&inherit](const char* path, DWORD access, DWORD disposition) {
    return ::CreateFileA(path, access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE handles[3] = {open("NUL", GENERIC_READ, OPEN_EXISTING),
                       open(out.c_str(), GENERIC_WRITE, CREATE_ALWAYS),
                       open(err.c_str(), GENERIC_WRITE, CREATE_ALWAYS)};
  std::string command = Quote(ToolPath());
  for (const std::string& a : args) command += " " + Quote(a);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = handles[0];
  startup.hStdOutput = handles[1];
  startup.hStdError = handles[2];
  PROCESS_INFORMATION process{};
  int code = -1;
  if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, dir.string().c_str(),
                       &startup, &process)) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    if (::GetExitCodeProcess(process.hProcess, &exitCode)) code = static_cast<int>(exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
  }
  for (HANDLE h : handles) {
    if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
  }
  return code;
}

#else
std::string Quote(const std::string& arg) {
  std::string q = "'";
  for (char c : arg) {
    if (c == '\'') {
      q += "'\\''";
    } else {
      q += c;
    }
  }
  return q + "'";
}

int Run(const std::vector<std::string>& args, const fs::path& dir, const std::string& out,
        const std::string& err) {
  std::string command = "cd " + Quote(dir.string()) + " && " + Quote(ToolPath());
  for (const std::string& a : args) command += " " + Quote(a);
  command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

#endif

}  // namespace

ToolResult RunTool(const std::vector<std::string>& args, const fs::path& dir) {
  ToolResult r;
  const std::string out = (dir / ".stdout").string();
  const std::string err = (dir / ".stderr").string();
  r.exitCode = Run(args, dir, out, err);
  r.out = WithoutCarriageReturns(ReadFile(out));
  r.err = WithoutCarriageReturns(ReadFile(err));
  return r;
}

::testing::AssertionResult SameBytes(const std::string& a, const std::string& b) {
  if (a == b) return ::testing::AssertionSuccess();
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return ::testing::AssertionFailure()
         << "sizes " << a.size() << " and " << b.size() << ", first difference at byte " << i;
}

bool LooksLikeCrash(const std::string& err) {
  return err.find("Sanitizer") != std::string::npos || err.find("runtime error") != std::string::npos ||
         err.find("terminate called") != std::string::npos || err.find("Segmentation") != std::string::npos;
}

namespace {

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == ':' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// Checks the references in character data or an attribute value.
std::string CheckText(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '<') return "'<' in text";
    if (text[i] != '&') continue;
    const size_t semi = text.find(';', i);
    if (semi == std::string::npos) return "unterminated reference";
    const std::string ref = text.substr(i + 1, semi - i - 1);
    static const std::set<std::string> named = {"amp", "lt", "gt", "quot", "apos"};
    const bool numeric =
        ref.size() > 1 && ref[0] == '#' && ref.find_first_not_of("0123456789", 1) == std::string::npos;
    if (!named.count(ref) && !numeric) return "bad reference &" + ref + ";";
    i = semi;
  }
  return std::string();
}

}  // namespace

std::string CheckXml(const std::string& xml, std::map<std::string, int>* counts,
                     std::map<std::string, int>* classes) {
  std::vector<std::string> open;
  bool sawRoot = false;
  size_t i = 0;
  if (xml.compare(0, 5, "<?xml") == 0) {
    i = xml.find("?>");
    if (i == std::string::npos) return "unterminated XML declaration";
    i += 2;
  }
  while (i < xml.size()) {
    const size_t lt = xml.find('<', i);
    const std::string text = xml.substr(i, lt == std::string::npos ? std::string::npos : lt - i);
    if (open.empty() && text.find_first_not_of(" \t\r\n") != std::string::npos)
      return "text outside the root";
    if (std::string p = CheckText(text); !p.empty()) return p;
    if (lt == std::string::npos) break;
    if (xml.compare(lt, 4, "<!--") == 0) {
      const size_t end = xml.find("-->", lt + 4);
      if (end == std::string::npos) return "unterminated comment";
      i = end + 3;
      continue;
    }
    const size_t gt = xml.find('>', lt);
    if (gt == std::string::npos) return "unterminated tag";
    std::string tag = xml.substr(lt + 1, gt - lt - 1);
    i = gt + 1;
    if (!tag.empty() && tag[0] == '/') {
      const std::string name = tag.substr(1);
      if (open.empty() || open.back() != name) return "mismatched </" + name + ">";
      open.pop_back();
      continue;
    }
    const bool selfClosing = !tag.empty() && tag.back() == '/';
    if (selfClosing) tag.pop_back();
    size_t k = 0;
    while (k < tag.size() && IsNameChar(tag[k])) ++k;
    const std::string name = tag.substr(0, k);
    if (name.empty()) return "tag without a name";
    if (open.empty()) {
      if (sawRoot) return "a second root element";
      sawRoot = true;
    }
    std::set<std::string> attributes;
    while (true) {
      while (k < tag.size() && (tag[k] == ' ' || tag[k] == '\n' || tag[k] == '\t')) ++k;
      if (k == tag.size()) break;
      size_t a = k;
      while (k < tag.size() && IsNameChar(tag[k])) ++k;
      const std::string attr = tag.substr(a, k - a);
      if (attr.empty() || k >= tag.size() || tag[k] != '=') return "bad attribute in <" + name + ">";
      ++k;
      if (k >= tag.size() || (tag[k] != '"' && tag[k] != '\'')) return "unquoted attribute " + attr;
      const char quote = tag[k++];
      const size_t end = tag.find(quote, k);
      if (end == std::string::npos) return "unterminated attribute " + attr;
      const std::string value = tag.substr(k, end - k);
      if (std::string p = CheckText(value); !p.empty()) return p + " in attribute " + attr;
      if (!attributes.insert(attr).second) return "duplicate attribute " + attr;
      if (attr == "class" && classes) ++(*classes)[name + "." + value];
      k = end + 1;
    }
    if (counts) ++(*counts)[name];
    if (!selfClosing) open.push_back(name);
  }
  if (!sawRoot) return "no root element";
  if (!open.empty()) return "unclosed <" + open.back() + ">";
  return std::string();
}

}  // namespace bm::test
