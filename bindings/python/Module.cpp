// The extension module _buildingmodel; the package buildingmodel re-exports it.
#include "PyModel.h"

namespace bm::python {

PYBIND11_MODULE(_buildingmodel, m) {
  m.doc() = "The structural model of a multi-storey building: read, build, query and write it.";
  BindErrors(m);
  py::class_<ModelState, ModelPtr> model(m, "Model",
                                         "One building model. Model() is empty; read(path) reads a file.");
  model.def(py::init([] { return std::make_shared<ModelState>(); }));
  BindFiles(m, model);
  BindReading(m, model);
  BindBuilding(m, model);
}

}  // namespace bm::python
