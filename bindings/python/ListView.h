// Python views of the model's lists: len, indexing by position, slice or
// name, and lazy iteration, without copying the list. A view holds the
// model alive and refuses to work once the model changed under it.
#pragma once

#include <numeric>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "PyModel.h"

namespace bm::python {

// The Python names of the view classes of one kind of model object.
struct ListNames {
  const char* list;      // e.g. "StoreyList"
  const char* iterator;  // e.g. "StoreyListIterator"
};

// Where the entries of the viewed class sit in one model list. Lists hold
// only such entries in practice; a null entry (or one of another class) is
// skipped, so that len, indexing and iteration agree. While nothing was
// skipped no positions are stored: entry i sits at position i + 1.
struct ListPositions {
  uint64_t removals = 0;
  int scanned = 0;             // entries examined, from the first
  int valid = 0;               // of which are of the viewed class
  std::vector<int> positions;  // their 1-based positions, once one was skipped

  bool Dense() const { return valid == scanned; }
  int Position(int index) const { return Dense() ? index + 1 : positions[static_cast<size_t>(index)]; }

  // Brings the positions up to date: appends only extend them, a removal
  // starts them again.
  void Update(const CBMComponentList& list, bool (*isEntry)(const CBMComponentList&, int)) {
    if (removals != list.removalGeneration() || scanned > list.GetCount()) {
      *this = ListPositions();
      removals = list.removalGeneration();
    }
    for (int i = scanned + 1, n = list.GetCount(); i <= n; ++i) {
      if (isEntry(list, i)) {
        if (!Dense()) positions.push_back(i);
        ++valid;
      } else if (Dense()) {
        positions.resize(static_cast<size_t>(valid));
        std::iota(positions.begin(), positions.end(), 1);
      }
      scanned = i;
    }
  }
};

// The positions of every list viewed from Python, kept with the model so
// that taking a list again (model.points[i] in a loop) costs no scan. Emptied
// when the model's generation changes, since lists may then be gone.
struct ListPositionCache {
  uint64_t generation = 0;
  std::unordered_map<const CBMComponentList*, ListPositions> lists;
};

inline ListPositions& PositionsOf(ModelState& model, const CBMComponentList& list,
                                  bool (*isEntry)(const CBMComponentList&, int)) {
  if (!model.listPositions) model.listPositions = std::make_shared<ListPositionCache>();
  ListPositionCache& cache = *model.listPositions;
  if (cache.generation != model.generation) {
    cache.lists.clear();
    cache.generation = model.generation;
  }
  ListPositions& positions = cache.lists[&list];
  positions.Update(list, isEntry);
  return positions;
}

// Whether position i (1-based) of `list` holds a T.
template <typename T>
bool IsEntry(const CBMComponentList& list, int i) {
  return list.ItemAs<T>(i) != nullptr;
}

// A model list of T objects (null: an empty list) as Python sees it.
template <typename T>
class ListView {
 public:
  ListView(ModelPtr model, CBMComponentList* list)
      : model_(std::move(model)), list_(list), generation_(model_->generation) {}

  // The list (null when there is none), or StaleReference once the model
  // changed under the view.
  CBMComponentList* List() const {
    if (model_->generation != generation_) throw StaleReference();
    return list_;
  }
  const ModelPtr& Model() const { return model_; }

  Py_ssize_t Len() const {
    CBMComponentList* list = List();
    return list ? PositionsOf(*model_, *list, IsEntry<T>).valid : 0;
  }

  // The entry at `index` (negative: from the end), or IndexError.
  Ref<T> At(Py_ssize_t index, const char* listName) const {
    CBMComponentList* list = List();
    const ListPositions* positions = list ? &PositionsOf(*model_, *list, IsEntry<T>) : nullptr;
    const Py_ssize_t n = positions ? positions->valid : 0;
    if (index < 0) index += n;
    if (index < 0 || index >= n) throw py::index_error(std::string(listName) + " index out of range");
    T* item = list->ItemAs<T>(positions->Position(static_cast<int>(index)));
    if (!item) throw StaleReference();
    return Ref<T>(model_, item);
  }

  // The first entry named `name` exactly, or null.
  T* Find(const py::handle& name) const {
    CBMComponentList* list = List();
    return list ? list->ItemAs<T>(FromPy(py::reinterpret_borrow<py::str>(name))) : nullptr;
  }

  // view[key]: a position (int, negative from the end), a slice (a list),
  // or a name (str, exact: the model stores names upper-case).
  py::object GetItem(const py::object& key, const char* listName) const {
    PyObject* k = key.ptr();
    if (PyUnicode_Check(k)) {
      if (T* item = Find(key)) return py::cast(Ref<T>(model_, item));
      PyErr_SetObject(PyExc_KeyError, k);
      throw py::error_already_set();
    }
    if (PySlice_Check(k)) {
      Py_ssize_t start = 0, stop = 0, step = 0;
      if (PySlice_Unpack(k, &start, &stop, &step) < 0) throw py::error_already_set();
      const Py_ssize_t n = PySlice_AdjustIndices(Len(), &start, &stop, step);
      py::list out;
      for (Py_ssize_t i = 0; i < n; ++i) out.append(py::cast(At(start + i * step, listName)));
      return std::move(out);
    }
    if (PyIndex_Check(k)) {
      const Py_ssize_t index = PyNumber_AsSsize_t(k, PyExc_IndexError);
      if (index == -1 && PyErr_Occurred()) throw py::error_already_set();
      return py::cast(At(index, listName));
    }
    throw py::type_error(std::string(listName) + " indices must be integers, slices or names (str), not " +
                         Py_TYPE(k)->tp_name);
  }

 private:
  ModelPtr model_;
  CBMComponentList* list_;
  uint64_t generation_;
};

// Walks a list view once, producing its entries as they are reached.
template <typename T>
class ListIterator {
 public:
  explicit ListIterator(ListView<T> view) : view_(std::move(view)) {}

  Ref<T> Next() {
    CBMComponentList* list = view_.List();
    while (list && !done_ && next_ <= list->GetCount()) {
      if (T* item = list->ItemAs<T>(next_++)) return Ref<T>(view_.Model(), item);
    }
    done_ = true;
    throw py::stop_iteration();
  }

 private:
  ListView<T> view_;
  int next_ = 1;
  bool done_ = false;
};

// Registers the view and iterator classes of T objects.
template <typename T>
void BindListView(py::module_& m, const ListNames& names, const char* itemClass) {
  py::class_<ListIterator<T>>(m, names.iterator,
                              "Iterates a model list, producing its objects as it reaches them.")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &ListIterator<T>::Next);

  const std::string doc = std::string("A view of a model list of ") + itemClass +
                          " objects: len, [position], [slice], [name], iteration, `name in`, get(name).\n"
                          "Names are exact (the model stores them upper-case). Objects of the list keep the\n"
                          "model alive; the view raises ReferenceError once the model was processed or\n"
                          "objects were removed.";
  const char* listName = names.list;
  py::class_<ListView<T>>(m, names.list, doc.c_str())
      .def("__len__", &ListView<T>::Len)
      .def(
          "__getitem__",
          [listName](const ListView<T>& v, const py::object& key) { return v.GetItem(key, listName); },
          py::arg("key"))
      .def("__iter__", [](const ListView<T>& v) { return ListIterator<T>(v); })
      .def(
          "__contains__",
          [](const ListView<T>& v, const py::object& name) {
            return PyUnicode_Check(name.ptr()) && v.Find(name) != nullptr;
          },
          py::arg("name"))
      .def(
          "get",
          [itemClass](const ListView<T>& v, const py::object& name,
                      const py::object& fallback) -> py::object {
            if (!PyUnicode_Check(name.ptr()))
              throw py::type_error(std::string(itemClass) + " names are str, not " +
                                   Py_TYPE(name.ptr())->tp_name);
            T* item = v.Find(name);
            return item ? py::cast(Ref<T>(v.Model(), item)) : fallback;
          },
          py::arg("name"), py::arg("default") = py::none(),
          "The object named `name` (exact), or `default` when there is none.")
      .def("__repr__", [listName](const ListView<T>& v) {
        return "<" + std::string(listName) + " of " + std::to_string(v.Len()) + ">";
      });
}

}  // namespace bm::python
