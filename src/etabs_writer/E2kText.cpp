// Number conversions shared by the writer's appenders.
#include "etabs_writer/E2kText.h"

namespace bm {
namespace e2k {

void PutFixedWidth(std::string& out, double value, int width, int precision) {
  const size_t start = out.size();
  AppendFixed(out, value, precision);
  const size_t written = out.size() - start;
  if (width > 0 && written < static_cast<size_t>(width)) {
    out.insert(start, static_cast<size_t>(width) - written, ' ');
  }
}

}  // namespace e2k
}  // namespace bm
