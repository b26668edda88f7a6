#pragma once
// The small command-line parser of the make-<format> programs: "--name value" options, "--name"
// switches and one output path. Bad arguments print the usage and give exit code 2.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vetra::samples {

struct CommandOption {
  std::string name;         // without the leading dashes
  std::string valueName;    // empty for a switch
  std::string help;
  std::function<bool(std::string_view value)> set;  // returns false when the value is bad
};

// Setters for the common value kinds.
std::function<bool(std::string_view)> IntIn(int& target, int low, int high);
std::function<bool(std::string_view)> IntOneOf(int& target, std::vector<int> allowed);
std::function<bool(std::string_view)> DoubleIn(double& target, double low, double high);
std::function<bool(std::string_view)> TextValue(std::string& target);
std::function<bool(std::string_view)> Switch(bool& target);

class CommandLine {
public:
  CommandLine(std::string program, std::string summary, std::string outputName);
  void Add(CommandOption option) { m_options.push_back(std::move(option)); }
  // Parses; on a bad argument prints what was wrong and the usage to stderr and returns false.
  bool Parse(int argc, char** argv);
  const std::string& Output() const { return m_output; }
  std::string Usage() const;

private:
  std::string m_program;
  std::string m_summary;
  std::string m_outputName;
  std::vector<CommandOption> m_options;
  std::string m_output;
};

// Runs a writer and turns its result into an exit code, printing the error or the file written.
int FinishWrite(bool ok, const std::string& path, const std::string& error);

}  // namespace vetra::samples
