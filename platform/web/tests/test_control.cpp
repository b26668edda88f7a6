#include "platform/web/tests/test_control.h"

#include "platform/base/exceptions.h"
#include "platform/base/text.h"

namespace vetra::web::testing {

RecordingControl::RecordingControl(std::string clsid)
    : COleControlObject({std::move(clsid), "VETRATEST.RecordingCtrl.1", "", "", ""})
{
  auto record = [this](const char* name, auto& member) {
    Dispatch().AddNotifyProperty(name, static_cast<win::DISPID>(Dispatch().Entries().size() + 1), member,
                                 [this, name, &member] {
                                   sets.push_back(std::string(name) + "=" + win::COleVariant(member).AsString());
                                   SetModifiedFlag();
                                 });
  };
  record("RunOcx", m_runOcx);
  record("DataFileName", m_dataFileName);
  record("ReloadMode", m_reloadMode);
  record("SaveDataFilePath", m_saveDataFilePath);
  record("RunScantool", m_runScantool);
  record("ReadFileName", m_readFileName);
  record("ExecProcedure", m_execProcedure);
  record("OutputFileName", m_outputFileName);
  record("Count", m_count);
  Dispatch().AddProperty(
      "Unpack", 50, win::VT_I2, [] { return win::COleVariant(win::SHORT{0}); },
      [](const win::COleVariant&) {
        throw win::CFileException(win::CFileException::fileNotFound, 2, Cp949("c:\\Vetra\\TempE\\기록.zip"));
      });
  Dispatch().AddMethod("Fire", 100, win::VT_I4, 1, [this](std::span<const win::COleVariant> args) {
    const win::COleVariant forwarded[] = {args[0]};
    FireEvent(kProgressEvent, forwarded);
    return win::COleVariant(win::LONG{7});
  });
  AddEvent("Ready", kReadyEvent);
  AddEvent("Progress", kProgressEvent);
  AddStockErrorEvent();
}

}  // namespace vetra::web::testing
