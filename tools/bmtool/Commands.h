// The commands of bmtool and the helpers they share.
#pragma once

#include <buildingmodel/buildingmodel.h>

#include <functional>
#include <string>
#include <vector>

#include "Cli.h"

namespace bm::tool {

int RunDemo(const CommandLine& cl);
int RunInfo(const CommandLine& cl);
int RunConvert(const CommandLine& cl);
int RunPlot(const CommandLine& cl);
int RunExport(const CommandLine& cl);
int RunView(const CommandLine& cl);

// Prints "bmtool: cannot read FILE: reason" and returns kExitFailure.
int FailRead(const std::string& path, const std::string& reason);
// Prints "bmtool: cannot write FILE: reason" and returns kExitFailure.
int FailWrite(const std::string& path, const std::string& reason);

// Loads `path` into `module` with a progress line; prints the failure.
// Returns true on success.
bool LoadOrReport(const std::string& path, CBuildingModule& module, LoadResult* result,
                  TextReading reading = TextReading::kFileModel);
// The input step of convert and export: refuses (UsageError, exit 2) an
// `out` that is `in` under any path, before anything is read or written;
// reads `in` (printing "read IN (form): ..." or the failure); and with
// --strict and model data not taken, prints that `out` is not written.
// Returns kExitOk to go on writing, otherwise the exit code.
int ReadForWriting(const CommandLine& cl, const std::string& in, const std::string& out,
                   CBuildingModule& module, LoadResult* loaded);
// The shape of export and view: needs -o OUT (`outHint` names it in the
// usage error), reads FILE as ReadForWriting does, writes OUT with `write`
// (an empty string or the reason) under a progress line, then prints
// "wrote OUT (`what`, N bytes)" and the read outcome.
int ReadThenWrite(const CommandLine& cl, const char* outHint, const char* what,
                  const std::function<std::string(CBuildingModule&, const std::string&)>& write);
// How info and convert read a text model: --process or not.
TextReading ReadingOf(const CommandLine& cl);
// Saves `module` to `path` in `form` with a progress line; prints the
// failure. Returns true on success. `report` as for SaveModel.
bool SaveOrReport(CBuildingModule& module, const std::string& path, ModelForm form,
                  WriteReport* report = nullptr);

// What the reader did not take, one line per kind, keyword and reason
// ("LINEASSIGN: key CARDINALPT not used, 615 lines"), under a heading per
// kind with its total; kinds without lines are left out.
std::vector<std::string> ListReadReport(const ReadReport& report);
// "model data not taken: 12 lines" plus `hint` in parentheses when given.
std::string ModelDataLine(const ReadReport& report, const std::string& hint = std::string());
// "also not taken: 3 lines not model data, 615 unused keys of taken lines".
std::string OtherNotTakenLine(const ReadReport& report);
// What info and convert print last about the read: with --report the whole
// listing, then the line of the other kinds (text only) and, as the very
// last line, ModelDataLine.
void PrintReadOutcome(const CommandLine& cl, const LoadResult& loaded);
// kExitNotTaken when --strict is given and model data was not taken, else
// kExitOk.
int StrictCode(const CommandLine& cl, const LoadResult& loaded);
// How the model was read, for info's "read as:" line ("the file's own model
// (...); file version 9", "the model as saved").
std::string DescribeReading(const LoadResult& loaded);

// Size of a file in bytes, or -1.
long long FileSize(const std::string& path);

}  // namespace bm::tool
