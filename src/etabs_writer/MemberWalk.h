// The writer's walk over a model list: every member of one class, with the
// entries it cannot use counted in the write report.
#pragma once

#include "../model/BMComponentList.h"
#include "WriteReport.h"

namespace bm {
class VectorLoad;

namespace e2k {

// The member at 1-based position i when it is a T, else null.
template <typename T>
T* MemberAs(const CBMComponentList& list, int i, T* /*tag*/) {
  return list.ItemAs<T>(i);
}
// Joint loads and point loads share one text (VectorLoad, which has no
// run-time class of its own): either class is a member here.
VectorLoad* MemberAs(const CBMComponentList& list, int i, VectorLoad* /*tag*/);

// Calls `fn(item)` for each member of `list` (first to last) that is a T;
// nothing for a null list. Null entries and members of other classes are
// skipped and, when `report` is given, counted as invalid items. Lists
// walked more than once pass the report on their first walk only, so that
// each entry is counted once.
template <typename T, typename Fn>
void ForEach(const CBMComponentList* list, WriteReport* report, Fn&& fn) {
  if (!list) return;
  const int n = list->GetCount();
  for (int i = 1; i <= n; ++i) {
    if (T* item = MemberAs(*list, i, static_cast<T*>(nullptr))) {
      fn(*item);
    } else if (report) {
      ++report->invalidItems;
    }
  }
}

}  // namespace e2k
}  // namespace bm
