// Message boxes of the legacy framework, routed to a replaceable handler.
#pragma once

#include <functional>

// Shows `text` through the current message handler and returns its answer.
// The default handler writes the text and a line end to stderr and returns 1
// (IDOK). `type` and `helpId` are accepted for source compatibility only.
int AfxMessageBox(const char* text, unsigned type = 0, unsigned helpId = 0);

// Installs `handler` for every later AfxMessageBox and returns the previous
// one. An empty function restores the default handler.
std::function<int(const char*)> AfxSetMessageHandler(std::function<int(const char*)> handler);
