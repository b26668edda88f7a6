#include "platform/web/event_rewrite.h"

namespace vetra::web {
namespace {

bool IsIdentifierChar(char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

std::size_t SkipBlanks(std::string_view code, std::size_t i)
{
  while (i < code.size() && (code[i] == ' ' || code[i] == '\t' || code[i] == '\r' || code[i] == '\n')) ++i;
  return i;
}

std::size_t IdentifierEnd(std::string_view code, std::size_t i)
{
  while (i < code.size() && IsIdentifierChar(code[i])) ++i;
  return i;
}

}  // namespace

RewrittenScript RewriteEventHandlers(std::string_view code)
{
  RewrittenScript result;
  std::string& out = result.code;
  std::size_t i = 0;
  while (i < code.size()) {
    const char c = code[i];
    if (c == '"' || c == '\'') {
      const std::size_t start = i++;
      while (i < code.size() && code[i] != c && code[i] != '\n') i += code[i] == '\\' ? 2 : 1;
      i = std::min(i + 1, code.size());
      out.append(code.substr(start, i - start));
      continue;
    }
    if (code.substr(i, 2) == "//") {
      const std::size_t end = std::min(code.find('\n', i), code.size());
      out.append(code.substr(i, end - i));
      i = end;
      continue;
    }
    if (code.substr(i, 2) == "/*") {
      const std::size_t close = code.find("*/", i + 2);
      const std::size_t end = close == std::string_view::npos ? code.size() : close + 2;
      out.append(code.substr(i, end - i));
      i = end;
      continue;
    }
    const bool wordStart = i == 0 || !IsIdentifierChar(code[i - 1]);
    if (wordStart && code.substr(i, 8) == "function" && i + 8 < code.size() && !IsIdentifierChar(code[i + 8])) {
      const std::size_t idStart = SkipBlanks(code, i + 8);
      const std::size_t idEnd = IdentifierEnd(code, idStart);
      const std::size_t colons = SkipBlanks(code, idEnd);
      if (idEnd > idStart && code.substr(colons, 2) == "::") {
        const std::size_t nameStart = SkipBlanks(code, colons + 2);
        const std::size_t nameEnd = IdentifierEnd(code, nameStart);
        if (nameEnd > nameStart) {
          NamedEventHandler handler{std::string(code.substr(idStart, idEnd - idStart)),
                                    std::string(code.substr(nameStart, nameEnd - nameStart)), {}};
          handler.functionName = "__event$" + handler.elementId + "$" + handler.eventName;
          out += "function " + handler.functionName;
          result.handlers.push_back(std::move(handler));
          i = nameEnd;
          continue;
        }
      }
    }
    out.push_back(c);
    ++i;
  }
  return result;
}

}  // namespace vetra::web
