// Helpers of the bmtool tests: running the tool in a folder, the demo files made once, an SVG check.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "support/Files.h"

#ifndef BMTOOL_PATH
#define BMTOOL_PATH ""
#endif
#define REQUIRE_TOOL() \
  if (std::string(BMTOOL_PATH).empty()) GTEST_SKIP() << "built without bmtool"

namespace bm::test {

struct ToolResult {
  int exitCode = -1;
  std::string out, err;
};

// Runs bmtool with `args` inside `dir` through one shell line, each argument
// quoted (cmd.exe takes the line inside one more pair of quotes; no argument
// here holds a quote); fails on a crash report.
inline ToolResult RunTool(const std::vector<std::string>& args, const std::filesystem::path& dir);

// A folder holding demo.e2k and demo.bma of the default demo building, made once.
inline const TempDir& DemoDir() {
  static const TempDir dir;
  static const int made = std::string(BMTOOL_PATH).empty() ? 0 : RunTool({"-q", "demo"}, dir.path()).exitCode;
  EXPECT_EQ(made, 0) << "bmtool demo failed";
  return dir;
}

inline ToolResult RunTool(const std::vector<std::string>& args,
                          const std::filesystem::path& dir = DemoDir().path()) {
  const std::string out = (dir / ".stdout").string(), err = (dir / ".stderr").string();
#ifdef _WIN32
  const auto quote = [](const std::string& s) { return "\"" + s + "\""; };
  std::string command = "\"cd /d " + quote(dir.string()) + " && " + quote(BMTOOL_PATH);
#else
  const auto quote = [](const std::string& s) {
    return "'" + std::regex_replace(s, std::regex("'"), "'\\''") + "'";
  };
  std::string command = "cd " + quote(dir.string()) + " && " + quote(BMTOOL_PATH);
#endif
  for (const std::string& a : args) command += " " + quote(a);
  command += " >" + quote(out) + " 2>" + quote(err);
  ToolResult r;
  for (const std::string& file : {out, err}) std::filesystem::remove(file);  // never an earlier run's
#ifdef _WIN32
  // -1: the shell could not be started (seen under Wine); bmtool never exits with it: try again.
  for (int attempt = 0; attempt < 3 && r.exitCode == -1; ++attempt)
    r.exitCode = std::system((command + " <NUL\"").c_str());
#else
  const int status = std::system((command + " </dev/null").c_str());
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
#endif
  r.out = WithoutCarriageReturns(ReadFile(out));
  r.err = WithoutCarriageReturns(ReadFile(err));
  for (const char* crash : {"Sanitizer", "runtime error", "terminate called", "Segmentation"})
    EXPECT_EQ(r.err.find(crash), std::string::npos) << r.err;
  return r;
}

inline int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

// Our SVG's shape (references, one root, balanced tags, quoted attributes): the first problem or "";
// counts elements by name and by "name.class".
inline std::string CheckXml(const std::string& xml, std::map<std::string, int>* counts,
                            std::map<std::string, int>* classes = nullptr) {
  if (std::regex_search(xml, std::regex("&(?!(amp|lt|gt|quot|apos|#[0-9]+);)"))) return "bad reference";
  static const std::regex tag(R"re(<(/?)([\w:.-]+)((?: [\w:.-]+="[^"<>]*")*) ?(/?)>|<(?!\?xml ))re");
  static const std::regex cls(R"re( class="([^"]*)")re");
  std::vector<std::string> open;
  int roots = 0;
  for (std::sregex_iterator it(xml.begin(), xml.end(), tag), end; it != end; ++it) {
    const std::smatch& m = *it;
    const std::string name = m[2], attributes = m[3];
    if (!m[2].matched) return "malformed tag at " + std::to_string(m.position());
    if (m[1].length() > 0 && (open.empty() || open.back() != name)) return "mismatched </" + name + ">";
    if (m[1].length() > 0) {
      open.pop_back();
      continue;
    }
    if (open.empty() && roots++ > 0) return "a second root <" + name + ">";
    std::smatch c;
    if (classes && std::regex_search(attributes, c, cls)) ++(*classes)[name + "." + c[1].str()];
    if (counts) ++(*counts)[name];
    if (m[4].length() == 0) open.push_back(name);
  }
  if (roots != 1) return "no root element";
  return open.empty() ? "" : "unclosed <" + open.back() + ">";
}

}  // namespace bm::test
