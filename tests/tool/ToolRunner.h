// Helpers of the bmtool tests: running the built tool in a scratch folder and
// checking that its SVG output is well-formed XML.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/Files.h"

namespace bm::test {

struct ToolResult {
  int exitCode = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Path of the bmtool binary, or empty when the tests were built without it.
std::string ToolPath();

// Runs bmtool with `args` (each passed as one argument) inside `dir`.
ToolResult RunTool(const std::vector<std::string>& args, const std::filesystem::path& dir);

// Equal byte strings, or a failure naming the sizes and the first
// differing offset (without printing megabytes).
::testing::AssertionResult SameBytes(const std::string& a, const std::string& b);

// True when the text shows a sanitizer report or a crash.
bool LooksLikeCrash(const std::string& err);

// A small XML well-formedness check: one root element, properly nested and
// closed tags, quoted and unique attributes, valid references, no stray '<'
// or '&'. Returns an empty string or the first problem; fills `counts` with
// the number of elements by name and `classes` with "name.class" counts.
std::string CheckXml(const std::string& xml, std::map<std::string, int>* counts,
                     std::map<std::string, int>* classes = nullptr);

}  // namespace bm::test
