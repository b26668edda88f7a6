#include "platform/ole/ole_control_object.h"

#include <algorithm>
#include <array>

namespace win {
namespace {

// What every control built on the framework's control class answers for.
constexpr std::array kStandardInterfaces = {
    IID_IUnknown,          IID_IDispatch,          IID_IObjectSafety,      IID_IOleObject,
    IID_IOleControl,       IID_IOleInPlaceObject,  IID_IOleInPlaceActiveObject,
    IID_IViewObject,       IID_IViewObject2,       IID_IDataObject,        IID_IPersistStorage,
    IID_IPersistStreamInit, IID_IPersistPropertyBag, IID_IConnectionPointContainer,
    IID_IProvideClassInfo, IID_IProvideClassInfo2,
};

}  // namespace

COleControlObject::COleControlObject(ControlIdentity identity) : m_identity(std::move(identity)) {}

void COleControlObject::AddEvent(std::string name, DISPID dispid)
{
  m_events.push_back({std::move(name), dispid});
}

const EventEntry* COleControlObject::FindEvent(DISPID dispid) const
{
  for (const EventEntry& entry : m_events) {
    if (entry.dispid == dispid) return &entry;
  }
  return nullptr;
}

void COleControlObject::FireEvent(DISPID dispid, std::span<const COleVariant> args)
{
  const EventEntry* entry = FindEvent(dispid);
  if (entry == nullptr || !m_sink) return;
  // The sink may run page script that reconnects or replaces the sink; keep this one alive.
  const EventSink sink = m_sink;
  sink(dispid, entry->name, args);
}

HRESULT COleControlObject::ExternalQueryInterface(const IID& iid)
{
  const auto dispatchIid = ParseGuid(m_identity.dispatchIid);
  const bool has = std::ranges::find(kStandardInterfaces, iid) != kStandardInterfaces.end() ||
                   (dispatchIid && *dispatchIid == iid) || HasExtraInterface(iid);
  if (!has) return E_NOINTERFACE;
  ExternalAddRef();
  return S_OK;
}

}  // namespace win
