// Captures the texts of message boxes shown while the object lives.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace bm::test {

class MessageCapture {
 public:
  MessageCapture();
  ~MessageCapture();
  MessageCapture(const MessageCapture&) = delete;
  MessageCapture& operator=(const MessageCapture&) = delete;

  const std::vector<std::string>& messages() const { return messages_; }
  size_t count() const { return messages_.size(); }
  void clear() { messages_.clear(); }

 private:
  std::vector<std::string> messages_;
  std::function<int(const char*)> previous_;
};

}  // namespace bm::test
