#include "programs/printlayout/image_messages.h"

#include "platform/base/trace.h"

namespace tolvex {
namespace {

std::function<void(const std::string&)>& Handler()
{
  static std::function<void(const std::string&)> handler;
  return handler;
}

}  // namespace

void ShowImageMessage(const std::string& text)
{
  if (Handler()) Handler()(text);
  else win::OutputDebugStringA(text + "\r\n");
}

void SetImageMessageHandler(std::function<void(const std::string&)> handler) { Handler() = std::move(handler); }

}  // namespace tolvex
