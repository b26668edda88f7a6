#include "platform/ole/object_safety.h"

#include "platform/ole/ole_control_object.h"

namespace win {
namespace {
constexpr DWORD kSafeOptions = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
}

ULONG CObjectSafety::AddRef() { return m_control.ExternalAddRef(); }

ULONG CObjectSafety::Release() { return m_control.ExternalRelease(); }

HRESULT CObjectSafety::QueryInterface(const IID& iid) { return m_control.ExternalQueryInterface(iid); }

HRESULT CObjectSafety::GetInterfaceSafetyOptions(const IID& iid, DWORD* supported, DWORD* enabled)
{
  if (supported == nullptr || enabled == nullptr) return E_POINTER;
  const HRESULT answer = m_control.ExternalQueryInterface(iid);
  if (SUCCEEDED(answer)) m_control.ExternalRelease();
  *supported = kSafeOptions;
  *enabled = kSafeOptions;
  return answer;
}

HRESULT CObjectSafety::SetInterfaceSafetyOptions(const IID& iid, DWORD optionSetMask,
                                                 DWORD enabledOptions)
{
  if (FAILED(m_control.ExternalQueryInterface(iid))) return E_NOINTERFACE;
  m_control.ExternalRelease();
  if ((optionSetMask & ~kSafeOptions) != 0) return E_FAIL;
  return (optionSetMask & enabledOptions & kSafeOptions) == optionSetMask ? S_OK : E_FAIL;
}

}  // namespace win
