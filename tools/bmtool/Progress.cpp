// Progress lines for slow operations.
#include "Progress.h"

#include <atomic>
#include <cstdio>

namespace bm::tool {

namespace {
std::atomic<bool> g_enabled{true};
}  // namespace

void SetProgressEnabled(bool enabled) { g_enabled = enabled; }
bool ProgressEnabled() { return g_enabled; }

ProgressScope::ProgressScope(std::string what, bool enabled, std::chrono::milliseconds delay)
    : what_(std::move(what)), start_(std::chrono::steady_clock::now()) {
  if (!enabled || !ProgressEnabled()) return;
  watcher_ = std::thread([this, delay] {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!wake_.wait_for(lock, delay, [this] { return done_; })) {
      std::fprintf(stderr, "bmtool: %s ...\n", what_.c_str());
      std::fflush(stderr);
      announced_ = true;
    }
  });
}

ProgressScope::~ProgressScope() {
  if (!watcher_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
  }
  wake_.notify_all();
  watcher_.join();
  if (announced_) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(stderr, "bmtool: %s done in %.1f s\n", what_.c_str(), seconds);
  }
}

}  // namespace bm::tool
