// The message handler behind AfxMessageBox.
#include "platform/MessageBox.h"

#include <cstdio>
#include <utility>

namespace {
int DefaultHandler(const char* text) {
  std::fputs(text ? text : "", stderr);
  std::fputc('\n', stderr);
  return 1;
}

std::function<int(const char*)>& Handler() {
  static std::function<int(const char*)> handler = DefaultHandler;
  return handler;
}
}  // namespace

int AfxMessageBox(const char* text, unsigned /*type*/, unsigned /*helpId*/) { return Handler()(text); }

std::function<int(const char*)> AfxSetMessageHandler(std::function<int(const char*)> handler) {
  std::function<int(const char*)> previous = std::move(Handler());
  Handler() = handler ? std::move(handler) : std::function<int(const char*)>(DefaultHandler);
  return previous;
}
