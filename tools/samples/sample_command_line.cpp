#include "tools/samples/sample_command_line.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace vetra::samples {

std::function<bool(std::string_view)> IntIn(int& target, int low, int high) {
  return [&target, low, high](std::string_view text) {
    int value = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (code != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
    target = value;
    return true;
  };
}

std::function<bool(std::string_view)> IntOneOf(int& target, std::vector<int> allowed) {
  return [&target, allowed = std::move(allowed)](std::string_view text) {
    int value = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (code != std::errc() || end != text.data() + text.size()) return false;
    for (int a : allowed) {
      if (a == value) {
        target = value;
        return true;
      }
    }
    return false;
  };
}

std::function<bool(std::string_view)> DoubleIn(double& target, double low, double high) {
  return [&target, low, high](std::string_view text) {
    const std::string copy(text);
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || *end != '\0' || !(value >= low && value <= high)) return false;
    target = value;
    return true;
  };
}

std::function<bool(std::string_view)> TextValue(std::string& target) {
  return [&target](std::string_view text) {
    target = std::string(text);
    return true;
  };
}

std::function<bool(std::string_view)> Switch(bool& target) {
  return [&target](std::string_view) {
    target = true;
    return true;
  };
}

CommandLine::CommandLine(std::string program, std::string summary, std::string outputName)
    : m_program(std::move(program)), m_summary(std::move(summary)), m_outputName(std::move(outputName)) {}

std::string CommandLine::Usage() const {
  std::string text = "usage: " + m_program + " [options] " + m_outputName + "\n" + m_summary + "\noptions:\n";
  for (const auto& o : m_options) {
    std::string left = "  --" + o.name + (o.valueName.empty() ? "" : " " + o.valueName);
    if (left.size() < 26) left.resize(26, ' ');
    text += left + " " + o.help + "\n";
  }
  text += "  --help                   this text\n";
  return text;
}

bool CommandLine::Parse(int argc, char** argv) {
  auto bad = [&](const std::string& why) {
    std::fprintf(stderr, "%s: %s\n%s", m_program.c_str(), why.c_str(), Usage().c_str());
    return false;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return bad("help asked for");
    if (arg.starts_with("--")) {
      const std::string_view name = arg.substr(2);
      const CommandOption* found = nullptr;
      for (const auto& o : m_options) if (o.name == name) found = &o;
      if (!found) return bad("unknown option " + std::string(arg));
      if (found->valueName.empty()) {
        found->set({});
        continue;
      }
      if (i + 1 >= argc) return bad("option " + std::string(arg) + " needs a value");
      const std::string_view value = argv[++i];
      if (!found->set(value)) return bad("bad value '" + std::string(value) + "' for " + std::string(arg));
      continue;
    }
    if (!m_output.empty()) return bad("more than one " + m_outputName);
    m_output = std::string(arg);
  }
  if (m_output.empty()) return bad("no " + m_outputName + " given");
  return true;
}

int FinishWrite(bool ok, const std::string& path, const std::string& error) {
  if (!ok) {
    std::fprintf(stderr, "error: %s\n", error.c_str());
    return 1;
  }
  std::printf("wrote %s\n", path.c_str());
  return 0;
}

}  // namespace vetra::samples
