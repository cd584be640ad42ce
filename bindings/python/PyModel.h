// The Python module's view of a model: one shared state per model, and
// references into it that keep it alive.
#pragma once

#include <buildingmodel/buildingmodel.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>

namespace bm::python {

namespace py = pybind11;

struct ListPositionCache;  // ListView.h

// Everything one Python `Model` owns. Every object handed to Python holds a
// shared pointer to it, so the building module lives as long as anything
// taken from it.
struct ModelState {
  CBuildingModule module;
  // What reading left out (empty for a model built in Python).
  ReadReport readReport;
  // "text model", "model archive", or "" for a model built in Python.
  std::string form;
  // Major version of the text model's PROGRAM line; 0 otherwise.
  int fileVersion = 0;
  // Bytes after an archive's last block, which loading did not read.
  uint64_t trailingBytes = 0;
  // Bumped by every operation that may delete model objects (processing,
  // removals). A reference taken before such an operation no longer points
  // anywhere safe and raises ReferenceError instead.
  uint64_t generation = 0;
  // Held while file work runs with the interpreter lock released, so two
  // threads never read or write one model's files at once.
  std::mutex fileWork;
  // Where the entries of each list viewed from Python sit (ListView.h).
  std::shared_ptr<ListPositionCache> listPositions;
};
using ModelPtr = std::shared_ptr<ModelState>;

// Thrown when a reference outlived the objects it pointed to; the module
// turns it into Python's ReferenceError.
class StaleReference : public std::runtime_error {
 public:
  StaleReference()
      : std::runtime_error(
            "the model changed (processing or a removal) since this object was taken; take it again") {}
};

// A model object of type T as Python sees it: the owning model, the object,
// and the model's generation when it was taken.
template <typename T>
struct Ref {
  ModelPtr model;
  T* item = nullptr;
  uint64_t generation = 0;

  Ref() = default;
  Ref(ModelPtr m, T* p) : model(std::move(m)), item(p), generation(model ? model->generation : 0) {}
  // The object, or StaleReference when the model changed under the reference.
  T* get() const {
    if (!model || !item || model->generation != generation) throw StaleReference();
    return item;
  }
  T* operator->() const { return get(); }
};

// Names in the model are bytes in the file's own encoding (often not
// UTF-8). They cross to Python as str decoded from UTF-8 with
// "surrogateescape", so every byte survives the trip back unchanged.
inline py::str ToPy(const CString& s) {
  PyObject* o = PyUnicode_DecodeUTF8(s.c_str(), static_cast<Py_ssize_t>(s.GetLength()), "surrogateescape");
  if (!o) throw py::error_already_set();
  return py::reinterpret_steal<py::str>(o);
}
inline CString FromPy(const py::str& s) {
  PyObject* b = PyUnicode_AsEncodedString(s.ptr(), "utf-8", "surrogateescape");
  if (!b) throw py::error_already_set();
  py::bytes bytes = py::reinterpret_steal<py::bytes>(b);
  char* data = nullptr;
  Py_ssize_t n = 0;
  PyBytes_AsStringAndSize(bytes.ptr(), &data, &n);
  return CString(std::string(data, static_cast<size_t>(n)));
}

// Raise buildingmodel.ArchiveError (with its `cause`), or the OSError
// subclass of `error` (an errno) naming `path`.
[[noreturn]] void RaiseArchiveError(const std::string& message, int cause);
[[noreturn]] void RaiseOSError(int error, const std::string& message, const py::object& path);

// Registration functions, one per source file of the module.
void BindErrors(py::module_& m);
void BindFiles(py::module_& m, py::class_<ModelState, ModelPtr>& model);
void BindReading(py::module_& m, py::class_<ModelState, ModelPtr>& model);
void BindBuilding(py::module_& m, py::class_<ModelState, ModelPtr>& model);

}  // namespace bm::python
