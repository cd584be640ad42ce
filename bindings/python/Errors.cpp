// The module's exceptions: ArchiveError for malformed archives, and
// ReferenceError for objects taken before the model changed under them.
#include "PyModel.h"

namespace bm::python {

void RaiseArchiveError(const std::string& message, int cause) {
  py::object type = py::module_::import("buildingmodel._buildingmodel").attr("ArchiveError");
  py::object error = type(message);
  error.attr("cause") = ArchiveCauseName(cause);
  PyErr_SetObject(type.ptr(), error.ptr());
  throw py::error_already_set();
}

void RaiseOSError(int error, const std::string& message, const py::object& path) {
  // OSError(errno, text, filename) gives the subclass of that errno
  // (FileNotFoundError, IsADirectoryError, PermissionError, ...).
  py::object instance = py::module_::import("builtins").attr("OSError")(error, message, path);
  PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(instance.ptr())), instance.ptr());
  throw py::error_already_set();
}

void BindErrors(py::module_& m) {
  py::object archiveError = py::reinterpret_steal<py::object>(
      PyErr_NewExceptionWithDoc("buildingmodel._buildingmodel.ArchiveError",
                                "A model archive is malformed (truncated, corrupt, or not an archive). "
                                "`cause` names why: end_of_file, bad_class, bad_schema, bad_index, "
                                "generic or malformed.",
                                PyExc_ValueError, nullptr));
  if (!archiveError) throw py::error_already_set();
  archiveError.attr("cause") = py::none();
  m.attr("ArchiveError") = archiveError;

  py::register_exception_translator([](std::exception_ptr p) {
    try {
      if (p) std::rethrow_exception(p);
    } catch (const StaleReference& e) {
      PyErr_SetString(PyExc_ReferenceError, e.what());
    }
  });
}

}  // namespace bm::python
