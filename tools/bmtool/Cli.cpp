// Command-line parsing and help texts of bmtool.
#include "Cli.h"

#include <cerrno>
#include <cstdlib>

namespace bm::tool {

namespace {

const OptionSpec kQuiet{"quiet", 'q', false, nullptr,
                        "print only errors (info still prints its description)"};
const OptionSpec kVersion{"version", 0, false, nullptr, "print bmtool's version and exit"};
const char kExitCodes[] =
    "exit codes: 0 success; 1 an input cannot be read, an output cannot be written, or\n"
    "the demo's read-back differs from what it built; 2 a usage error (also: convert asked\n"
    "to write over its input); 3 with --strict, the reader did not take some lines of\n"
    "model data (a text model without its END line counts), or an archive has bytes\n"
    "after its last block.\n";

const OptionSpec kHelp{"help", 'h', false, nullptr, "show this help"};
// The reading options of info and convert.
const OptionSpec kProcess{"process", 0, false, nullptr,
                          "read a text model as a design host sees it (processed), not as the file says"};
const OptionSpec kReport{"report", 0, false, nullptr,
                         "list every line not taken, by kind, keyword and reason, with counts"};
const OptionSpec kStrict{"strict", 0, false, nullptr,
                         "exit 3 when any line of model data was not taken (a missing END line counts), "
                         "or an archive has bytes after its last block"};

const OptionSpec* FindOption(const CommandSpec& command, const std::string& name, char shortName) {
  for (const OptionSpec& o : command.options) {
    if ((!name.empty() && name == o.name) || (shortName && shortName == o.shortName)) return &o;
  }
  for (const OptionSpec* o : {&kQuiet, &kHelp, &kVersion}) {
    if ((!name.empty() && name == o->name) || (shortName && shortName == o->shortName)) return o;
  }
  return nullptr;
}

}  // namespace

const std::vector<CommandSpec>& Commands() {
  static const std::vector<CommandSpec> commands = {
      {"demo",
       "[DIR]",
       "build the demo building, write demo.e2k and demo.bma, read both back",
       "Builds a building through the library's managers (a base and storeys over a grid of\n"
       "bays: columns, beams, an X-braced bay on two faces, walls with piers on the end faces,\n"
       "slabs on a diaphragm, concrete and steel sections, dead, live and wind loads), writes\n"
       "the text model DIR/demo.e2k and the archive DIR/demo.bma (DIR defaults to the current\n"
       "folder and is created when missing), reads both back as the files' own models (no\n"
       "processing, which could restore what a write lost) and checks that each holds what\n"
       "was built: the elements of every storey, the model-wide counts, the load cases, and\n"
       "the joint loads, member line loads by type, area loads and supports (not the wall\n"
       "line loads: neither form keeps them; the joint loads they were converted to are\n"
       "kept). It exits 1 when a read-back differs.\n"
       "The size options make it a generator of models of any size.",
       0,
       1,
       {{"storeys", 0, true, "N", "number of storeys above the base (default 5)"},
        {"bays-x", 0, true, "N", "bays along X (default 4)"},
        {"bays-y", 0, true, "N", "bays along Y (default 3)"}}},
      {"info",
       "FILE",
       "describe a text model or a model archive",
       "Reads FILE (a text model or a model archive, told apart by content) and prints its\n"
       "units, its storeys from the top with elevation, height and counts of joints, beams,\n"
       "columns, braces, walls and slabs, the model-wide counts and the loads. A text model\n"
       "is read as the file's own model: what the file says, nothing added. --process gives\n"
       "the processed model, as a design host sees it after reading (every wall's pier\n"
       "relabelled \"P\" + wall name, the feet of first-storey columns, walls and braces\n"
       "fixed when there is a BASE level, station spacing recomputed, unused diaphragms\n"
       "removed). An archive is always read as saved.\n"
       "The last line says how many lines of model data the reader did not take, the line\n"
       "before it the lines that are not model data and the unused keys of taken lines;\n"
       "--report lists them all by kind, keyword and reason.",
       1,
       1,
       {kProcess, kReport, kStrict},
       true},
      {"convert",
       "IN OUT",
       "convert between text model and model archive",
       "Reads IN (text model or archive, told apart by content) and writes OUT. OUT is a text\n"
       "model when its extension is .e2k or .$et, an archive otherwise, unless --to says.\n"
       "A text IN is read as the file's own model, or with --process as a design host sees\n"
       "it (see bmtool info --help). OUT must not be IN, under any path (usage error, exit 2).\n"
       "Reports what the writer skipped, and ends, as info does, with how many lines of\n"
       "model data the reader did not take. With --strict and model data not taken, OUT is\n"
       "not written (exit 3).",
       2,
       2,
       {{"to", 0, true, "FORM", "output form: text or archive"}, kProcess, kReport, kStrict}},
      {"plot",
       "FILE -o OUT.svg",
       "draw a model as SVG",
       "Draws FILE as an axonometric wireframe (columns, beams and braces as lines, walls\n"
       "and slabs as translucent faces, storey labels on the side), or with --storey the\n"
       "plan of one storey (joints, members, walls and slabs). One <path> per member.\n"
       "A text model is drawn processed, as a design host sees it (see bmtool info --help).\n"
       "A legend beside or under the drawing names the kinds drawn with their counts and\n"
       "has a scale bar in the model's length unit (in the axonometric view it measures\n"
       "lengths along the three axes). With --labels, a joint name that would overlap one\n"
       "already written is left out, and the legend says how many were.\n"
       "Size limit: a plot that would draw more than 200,000 members (an SVG of about\n"
       "14 MB) is refused before anything is drawn: nothing is written, the message says\n"
       "how many members it would have drawn, and the exit code is 1. Plot one storey\n"
       "with --storey NAME (bmtool info FILE lists the storeys), or raise the limit with\n"
       "--max-members N.",
       1,
       1,
       {{"output", 'o', true, "OUT.svg", "the SVG file to write (required)"},
        {"storey", 0, true, "NAME", "draw the plan of storey NAME instead"},
        {"labels", 0, false, nullptr, "write joint names in a storey plan"},
        {"max-members", 0, true, "N", "refuse plots of more than N members (default 200000)"}}},
      {"export",
       "FILE -o OUT.json",
       "write a model as JSON",
       "Reads FILE (a text model or a model archive, told apart by content) and writes the\n"
       "whole model as one JSON document: units, storeys with their joints, beams, columns,\n"
       "braces, walls and slabs (each with its loads), points, materials, sections, load\n"
       "cases, combinations with their terms, diaphragms and piers (docs/json.md). A text\n"
       "model is read as the file's own model, or with --process as a design host sees it\n"
       "(see bmtool info --help). Names are the model's bytes; bytes that are not UTF-8 are\n"
       "written as \\udcXX escapes, which Python's json module reads back as the same\n"
       "'surrogateescape' text the buildingmodel module gives. OUT must not be FILE, and\n"
       "--strict writes nothing when model data was not taken (exit 3), as for convert.",
       1,
       1,
       {{"output", 'o', true, "OUT.json", "the JSON file to write (required)"}, kProcess, kReport, kStrict}},
      {"view",
       "FILE -o OUT.html",
       "write a model as an HTML page with a 3-D view",
       "Reads FILE (a text model or a model archive, told apart by content) and writes one\n"
       "self-contained HTML page: the model's JSON (as export writes it) and a viewer that\n"
       "draws the building in 3-D (WebGL) in any browser, with nothing fetched. Turn, zoom\n"
       "and pan with the mouse or touch, show or hide storeys, click a member to see its\n"
       "storey, section, material, releases and loads (docs/view.md). A text model is read\n"
       "as the file's own model, or with --process as a design host sees it. OUT must not\n"
       "be FILE, and --strict writes nothing when model data was not taken (exit 3).",
       1,
       1,
       {{"output", 'o', true, "OUT.html", "the HTML file to write (required)"}, kProcess, kReport, kStrict}},
  };
  return commands;
}

const CommandSpec* FindCommand(const std::string& name) {
  for (const CommandSpec& c : Commands()) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

std::string CommandLine::Get(const std::string& name, const std::string& fallback) const {
  auto it = options.find(name);
  return it == options.end() ? fallback : it->second;
}

int CommandLine::GetInt(const std::string& name, int fallback) const {
  auto it = options.find(name);
  if (it == options.end()) return fallback;
  const std::string& text = it->second;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno == ERANGE || value < -2147483647L || value > 2147483647L) {
    throw UsageError("--" + name + " needs a whole number, not '" + text + "'", command);
  }
  return static_cast<int>(value);
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
  CommandLine cl;
  std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  size_t i = 0;
  // Tool-level options before the command.
  for (; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "--help" || w == "-h") {
      cl.help = true;
    } else if (w == "--quiet" || w == "-q") {
      cl.quiet = true;
    } else if (w == "--version") {
      cl.version = true;
    } else if (!w.empty() && w[0] == '-') {
      throw UsageError("unknown option '" + w + "'");
    } else {
      break;
    }
  }
  if (i == words.size()) {
    if (cl.help || cl.version) return cl;
    throw UsageError("no command given");
  }
  cl.command = words[i++];
  if (cl.command == "help") {
    cl.help = true;
    if (i == words.size()) {
      cl.command.clear();
      return cl;
    }
    cl.command = words[i++];
    if (i != words.size()) throw UsageError("help takes at most one command name");
  }
  const CommandSpec* command = FindCommand(cl.command);
  if (!command) throw UsageError("unknown command '" + cl.command + "'");

  bool optionsEnded = false;
  for (; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (optionsEnded || w.size() < 2 || w[0] != '-') {
      cl.args.push_back(w);
      continue;
    }
    if (w == "--") {
      optionsEnded = true;
      continue;
    }
    std::string name;
    std::string value;
    bool hasValue = false;
    const OptionSpec* option = nullptr;
    if (w[1] == '-') {
      name = w.substr(2);
      const size_t eq = name.find('=');
      if (eq != std::string::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
        hasValue = true;
      }
      option = FindOption(*command, name, 0);
    } else if (w.size() == 2) {
      option = FindOption(*command, std::string(), w[1]);
    }
    if (!option) throw UsageError("unknown option '" + w + "'", cl.command);
    if (option->takesValue) {
      if (!hasValue) {
        if (i + 1 == words.size())
          throw UsageError("option --" + std::string(option->name) + " needs a value", cl.command);
        value = words[++i];
      }
    } else if (hasValue) {
      throw UsageError("option --" + std::string(option->name) + " takes no value", cl.command);
    }
    const std::string key = option->name;
    if (key == "help") {
      cl.help = true;
    } else if (key == "quiet") {
      cl.quiet = true;
    } else if (key == "version") {
      cl.version = true;
    } else {
      if (cl.options.count(key)) throw UsageError("option --" + key + " given twice", cl.command);
      cl.options[key] = value;
    }
  }
  if (cl.help || cl.version) return cl;
  const int n = static_cast<int>(cl.args.size());
  if (n < command->minArgs) throw UsageError("missing arguments", cl.command);
  if (n > command->maxArgs) throw UsageError("too many arguments", cl.command);
  return cl;
}

std::string UsageLine(const std::string& command) {
  if (const CommandSpec* c = FindCommand(command)) {
    return std::string("usage: bmtool ") + c->name + " [options] " + c->arguments;
  }
  return "usage: bmtool [--quiet] COMMAND [options] ARGS   (bmtool --help lists the commands)";
}

std::string ToolHelp() {
  std::string s =
      "bmtool: the command-line tool of the buildingmodel library.\n"
      "\n"
      "usage: bmtool [--quiet] COMMAND [options] ARGS\n"
      "       bmtool help COMMAND      the options of one command (also: bmtool COMMAND --help)\n"
      "       bmtool --version\n"
      "\n"
      "commands:\n";
  for (const CommandSpec& c : Commands()) {
    std::string head = std::string("  ") + c.name + " " + c.arguments;
    if (head.size() < 26) head.resize(26, ' ');
    s += head + " " + c.summary + "\n";
  }
  s += "\n"
       "options of every command:\n"
       "  -q, --quiet              print only errors: no summaries, progress lines or library\n"
       "                           messages; the files are written as without it, and info\n"
       "                           still prints its description (its result)\n"
       "  -h, --help               show help (bmtool help COMMAND for one command)\n"
       "      --version            print bmtool's version and exit\n"
       "\n";
  s += kExitCodes;
  return s;
}

std::string VersionLine() { return std::string("bmtool ") + BMTOOL_VERSION; }

std::string CommandHelp(const CommandSpec& c) {
  std::string s = std::string("usage: bmtool ") + c.name + " [options] " + c.arguments + "\n\n" +
                  c.description + "\n\noptions:\n";
  std::vector<OptionSpec> all = c.options;
  all.push_back(kQuiet);
  all.push_back(kHelp);
  for (const OptionSpec& o : all) {
    std::string head = "  ";
    head += o.shortName ? std::string("-") + o.shortName + ", " : std::string("    ");
    head += std::string("--") + o.name;
    if (o.valueName) head += std::string(" ") + o.valueName;
    if (head.size() < 26) head.resize(26, ' ');
    s += head + " " + o.help + "\n";
  }
  s += std::string("\n") + kExitCodes;
  return s;
}

}  // namespace bm::tool
