// bmtool view: the model as one self-contained HTML page with a 3-D viewer.
// The page is the template tools/bmtool/viewer/viewer.html with the viewer's
// style sheet, script and the model's JSON put in its placeholders; the three
// files are built into bmtool (cmake/EmbedText.cmake), so the page needs no
// other file and fetches nothing.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <utility>

#include "Commands.h"
#include "Progress.h"
#include "json/JsonWriter.h"

namespace bm::tool::viewer {
// Generated from tools/bmtool/viewer at build time.
extern const char* const kViewerHtml[];
extern const char* const kViewerJs[];
extern const char* const kViewerCss[];
}  // namespace bm::tool::viewer

namespace bm::tool {

namespace {

std::string Join(const char* const* chunks) {
  std::string s;
  for (; *chunks; ++chunks) s += *chunks;
  return s;
}

// Text for an HTML element's content.
std::string HtmlText(std::string_view text) {
  static const std::pair<char, const char*> kEntities[] = {{'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}};
  std::string out;
  for (char c : text) {
    const char* entity = nullptr;
    for (const auto& [ch, name] : kEntities) {
      if (c == ch) entity = name;
    }
    if (entity)
      out += entity;
    else
      out += c;
  }
  return out;
}

// JSON that can sit inside <script type="application/json">. A '<' occurs in
// JSON text only inside strings, where "\u003c" reads back the same; with no
// '<' left, neither "</script" nor "<!--" (which would keep the element open
// past its end tag) can appear in the data.
std::string ScriptSafeJson(const std::string& json) {
  std::string out;
  out.reserve(json.size());
  for (char c : json) {
    if (c == '<')
      out += "\\u003c";
    else
      out += c;
  }
  return out;
}

// Writes `page` to `path` with each "{{NAME}}" replaced by its value, in one
// pass over the template only: a value is never searched for placeholders.
// Returns an empty string on success, otherwise the reason.
std::string WritePage(const std::string& path, const std::string& page,
                      const std::pair<const char*, const std::string*> (&values)[4]) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return std::strerror(errno);
  size_t at = 0;
  for (size_t open = page.find("{{"); open != std::string::npos; open = page.find("{{", at)) {
    const size_t close = page.find("}}", open + 2);
    if (close == std::string::npos) break;
    const std::string_view name(page.data() + open + 2, close - open - 2);
    const std::string* value = nullptr;
    for (const auto& [key, text] : values) {
      if (name == key) value = text;
    }
    file.write(page.data() + at, static_cast<std::streamsize>(open - at));
    if (value)
      file.write(value->data(), static_cast<std::streamsize>(value->size()));
    else
      file.write(page.data() + open, static_cast<std::streamsize>(close + 2 - open));
    at = close + 2;
  }
  file.write(page.data() + at, static_cast<std::streamsize>(page.size() - at));
  file.close();
  return file ? std::string() : std::string("write failed");
}

}  // namespace

int RunView(const CommandLine& cl) {
  return ReadThenWrite(cl, "OUT.html", "HTML viewer", [&cl](CBuildingModule& module, const std::string& out) {
    const std::string title = HtmlText(std::filesystem::path(cl.args.at(0)).filename().string());
    const std::string css = Join(viewer::kViewerCss);
    const std::string js = Join(viewer::kViewerJs);
    const std::string json = ScriptSafeJson(ModelToJson(module));
    const std::pair<const char*, const std::string*> values[4] = {
        {"TITLE", &title}, {"CSS", &css}, {"JS", &js}, {"MODEL_JSON", &json}};
    return WritePage(out, Join(viewer::kViewerHtml), values);
  });
}

}  // namespace bm::tool
