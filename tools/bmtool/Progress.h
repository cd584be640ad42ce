// Progress: a line on stderr for operations that take more than a second.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace bm::tool {

// While alive, watches the clock on a helper thread. If the operation is
// still running after `delay`, prints "bmtool: <what> ..." on stderr; when
// the scope ends after such a line, prints how long it took. Prints nothing
// when `enabled` is false. The helper thread touches no model object.
class ProgressScope {
 public:
  explicit ProgressScope(std::string what, bool enabled = true,
                         std::chrono::milliseconds delay = std::chrono::milliseconds(1000));
  ~ProgressScope();
  ProgressScope(const ProgressScope&) = delete;
  ProgressScope& operator=(const ProgressScope&) = delete;

 private:
  std::string what_;
  std::chrono::steady_clock::time_point start_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  bool announced_ = false;
  std::thread watcher_;
};

// Whether progress lines are shown (cleared by --quiet).
void SetProgressEnabled(bool enabled);
bool ProgressEnabled();

}  // namespace bm::tool
