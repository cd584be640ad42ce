// Message capture for tests.
#include "support/MessageCapture.h"

#include <buildingmodel/buildingmodel.h>

namespace bm::test {

MessageCapture::MessageCapture() {
  previous_ = AfxSetMessageHandler([this](const char* text) {
    messages_.emplace_back(text ? text : "");
    return 1;
  });
}

MessageCapture::~MessageCapture() { AfxSetMessageHandler(previous_); }

}  // namespace bm::test
