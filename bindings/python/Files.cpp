// Reading and writing files from Python: read(), Model.write_e2k(),
// Model.save(), the read report, and the JSON form. File work runs with the
// interpreter lock released.
#include <pybind11/stl.h>

#include <cerrno>
#include <cstring>

#include "PyModel.h"
#include "json/JsonWriter.h"

namespace bm::python {

namespace {

// The bytes of a path given as str, bytes or os.PathLike, in the file
// system's encoding, as the C library opens it.
std::string PathBytes(const py::object& path) {
  py::bytes bytes = py::module_::import("os").attr("fsencode")(path);
  return std::string(bytes);
}

const char* KindName(ReadReport::Kind kind) {
  switch (kind) {
    case ReadReport::Kind::kModelData:
      return "model data";
    case ReadReport::Kind::kNotModelData:
      return "not model data";
    case ReadReport::Kind::kUnusedKey:
      return "unused key";
  }
  return "model data";
}

// Turns a failed LoadModel into the Python exception its failure asks for.
[[noreturn]] void RaiseLoadFailure(const LoadResult& result, const std::string& problem,
                                   const py::object& path) {
  const std::string message = std::string(py::str(path)) + ": " + problem;
  switch (result.failure) {
    case LoadFailure::kMalformedArchive:
      RaiseArchiveError(message, result.archiveCause);
    case LoadFailure::kOutOfMemory:
      throw std::bad_alloc();
    case LoadFailure::kNotAModel:
    case LoadFailure::kEmptyText:
      throw py::value_error(message);
    case LoadFailure::kFile:
    case LoadFailure::kNone:
      break;
  }
  RaiseOSError(result.osError ? result.osError : EIO, problem, path);
}

ModelPtr Read(const py::object& path, bool process) {
  const std::string file = PathBytes(path);
  auto state = std::make_shared<ModelState>();
  LoadResult result;
  std::string problem;
  {
    py::gil_scoped_release unlocked;
    problem =
        LoadModel(file, state->module, &result, process ? TextReading::kProcessed : TextReading::kFileModel);
  }
  if (!problem.empty()) RaiseLoadFailure(result, problem, path);
  state->readReport = std::move(result.readReport);
  state->form = FormName(result.form);
  state->fileVersion = result.fileVersion;
  state->trailingBytes = result.trailingBytes;
  return state;
}

// Writes `model` to `path` in `form`; returns what the writer skipped.
std::vector<std::string> Save(ModelState& model, const py::object& path, ModelForm form) {
  const std::string file = PathBytes(path);
  WriteReport report;
  std::string problem;
  int error = 0;
  {
    py::gil_scoped_release unlocked;
    std::lock_guard<std::mutex> lock(model.fileWork);
    errno = 0;
    problem = SaveModel(model.module, file, form, &report);
    error = errno;
  }
  if (!problem.empty()) RaiseOSError(error ? error : EIO, problem, path);
  return form == ModelForm::kText ? DescribeWriteReport(report) : std::vector<std::string>();
}

std::string Json(ModelState& model) {
  py::gil_scoped_release unlocked;
  std::lock_guard<std::mutex> lock(model.fileWork);
  return ModelToJson(model.module);
}

void WriteJson(ModelState& model, const py::object& path) {
  const std::string file = PathBytes(path);
  std::string problem;
  int error = 0;
  {
    py::gil_scoped_release unlocked;
    std::lock_guard<std::mutex> lock(model.fileWork);
    errno = 0;
    problem = WriteModelJson(model.module, file);
    error = errno;
  }
  if (!problem.empty()) RaiseOSError(error ? error : EIO, problem, path);
}

// The read report as a list of dicts, one per keyword and reason.
py::list ReportEntries(const ReadReport& report) {
  py::list entries;
  for (const auto& [keyword, reasons] : report.Skipped()) {
    for (const auto& [reason, entry] : reasons) {
      py::dict item;
      item["keyword"] = ToPy(CString(keyword));
      item["reason"] = ToPy(CString(reason));
      item["kind"] = KindName(entry.kind);
      item["lines"] = entry.lines;
      entries.append(std::move(item));
    }
  }
  return entries;
}

}  // namespace

void BindFiles(py::module_& m, py::class_<ModelState, ModelPtr>& model) {
  m.def(
      "read", &Read, py::arg("path"), py::arg("process") = false,
      "Reads a text model of any version or a model archive, told apart by content, and returns a Model.\n\n"
      "A text model is read as the file's own model (what the file says, nothing added); process=True\n"
      "gives the processed model, as a design host sees it after reading. An archive is read as saved.\n"
      "Raises OSError (FileNotFoundError, IsADirectoryError, PermissionError, ...) when the file cannot\n"
      "be read, ArchiveError for a malformed archive, ValueError for a file that is neither form.");
  m.def(
      "write_json", &WriteJson, py::arg("model"), py::arg("path"),
      "Writes the model's JSON form (see Model.to_json) to path. Raises OSError when it cannot be written.");

  model
      .def(
          "write_e2k",
          [](ModelState& self, const py::object& path) { return Save(self, path, ModelForm::kText); },
          py::arg("path"),
          "Writes the text model file. Returns what the writer skipped because a model object was missing\n"
          "(an empty list for a complete model). Raises OSError when the file cannot be written.")
      .def(
          "save", [](ModelState& self, const py::object& path) { Save(self, path, ModelForm::kArchive); },
          py::arg("path"), "Saves the model archive. Raises OSError when the file cannot be written.")
      .def("to_json", &Json, "The whole model as JSON text (the form bmtool export writes).")
      .def(
          "to_dict", [](ModelState& self) { return py::module_::import("json").attr("loads")(Json(self)); },
          "The whole model as plain dicts and lists: the JSON form, parsed.")
      .def_property_readonly(
          "read_report", [](const ModelState& self) { return ReportEntries(self.readReport); },
          "What reading did not take: a list of dicts with keyword, reason, kind ('model data',\n"
          "'not model data' or 'unused key') and lines. Empty for a model not read from a text file.")
      .def_property_readonly(
          "model_data_not_taken", [](const ModelState& self) { return self.readReport.ModelDataNotTaken(); },
          "Lines of model data that reading did not take (0 when everything was taken).")
      .def_property_readonly(
          "form", [](const ModelState& self) { return self.form; },
          "'text model' or 'model archive' for a model read from a file, '' for a model built here.")
      .def_property_readonly(
          "file_version", [](const ModelState& self) { return self.fileVersion; },
          "The major version of the text model's PROGRAM line (0 when it has none, and for archives).")
      .def_property_readonly(
          "trailing_bytes", [](const ModelState& self) { return self.trailingBytes; },
          "Bytes after the model archive's last block, which loading did not read (0 for a complete\n"
          "archive and for text models): the model is complete, but the file holds more than it.");
}

}  // namespace bm::python
