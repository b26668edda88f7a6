#pragma once
// The control-safety interface every control of the system carries: it tells a page host that the
// control is safe for scripting and for initialisation from untrusted data. One implementation,
// a nested part of the control object that delegates its reference counting and interface
// queries to the control.

#include "platform/base/win_types.h"
#include "platform/ole/guid.h"

namespace win {

inline constexpr DWORD INTERFACESAFE_FOR_UNTRUSTED_CALLER = 1;
inline constexpr DWORD INTERFACESAFE_FOR_UNTRUSTED_DATA = 2;

class COleControlObject;

class CObjectSafety {
public:
  explicit CObjectSafety(COleControlObject& control) : m_control(control) {}
  CObjectSafety(const CObjectSafety&) = delete;
  CObjectSafety& operator=(const CObjectSafety&) = delete;

  ULONG AddRef();
  ULONG Release();
  HRESULT QueryInterface(const IID& iid);

  // Both options are always reported as 3; the result says whether the control has `iid`.
  // Null out pointers give E_POINTER (nothing is written through them).
  HRESULT GetInterfaceSafetyOptions(const IID& iid, DWORD* supported, DWORD* enabled);
  // S_OK when the control has `iid`, the mask lies within 3 and every mask bit is enabled;
  // nothing is stored.
  HRESULT SetInterfaceSafetyOptions(const IID& iid, DWORD optionSetMask, DWORD enabledOptions);

private:
  COleControlObject& m_control;
};

}  // namespace win
