#pragma once
// A control for page tests: every property the viewer pages set, each set recorded in order as
// "Name=value", and events the test fires on demand.

#include <memory>
#include <string>
#include <vector>

#include "platform/ole/ole_control_object.h"

namespace vetra::web::testing {

class RecordingControl : public win::COleControlObject {
public:
  explicit RecordingControl(std::string clsid);

  std::vector<std::string> sets;

  static constexpr win::DISPID kReadyEvent = 1;
  static constexpr win::DISPID kProgressEvent = 2;

private:
  win::SHORT m_runOcx = 0;
  win::SHORT m_reloadMode = 0;
  win::SHORT m_runScantool = 0;
  win::SHORT m_execProcedure = 0;
  win::LONG m_count = 0;
  std::string m_dataFileName;
  std::string m_saveDataFilePath;
  std::string m_readFileName;
  std::string m_outputFileName;
};

}  // namespace vetra::web::testing
