#pragma once
// The automation side of a control: identity, the dispatch table, events fired to the page's
// sink, the modified flag, the external reference count and interface answers, and the
// control-safety part. The window-bearing control role derives from this class together with the
// window class, so one object is both the child window and the scriptable control.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/dispatch_table.h"
#include "platform/ole/guid.h"
#include "platform/ole/object_safety.h"
#include "platform/ole/variant.h"

namespace win {

// Identifiers as the control's registration gives them (registry spelling with braces).
struct ControlIdentity {
  std::string clsid;
  std::string progId;
  std::string dispatchIid;
  std::string eventIid;
  std::string typeLibrary;
};

struct EventEntry {
  std::string name;
  DISPID dispid = DISPID_UNKNOWN;
};

class COleControlObject {
public:
  // Receives each fired event: its dispatch id, its name and its arguments.
  using EventSink = std::function<void(DISPID, std::string_view name, std::span<const COleVariant>)>;

  explicit COleControlObject(ControlIdentity identity);
  virtual ~COleControlObject() = default;
  COleControlObject(const COleControlObject&) = delete;
  COleControlObject& operator=(const COleControlObject&) = delete;

  const ControlIdentity& Identity() const { return m_identity; }

  DispatchTable& Dispatch() { return m_dispatch; }
  const DispatchTable& Dispatch() const { return m_dispatch; }

  // Events in the order of the event map.
  void AddEvent(std::string name, DISPID dispid);
  void AddStockErrorEvent() { AddEvent("Error", DISPID_ERROREVENT); }
  const std::vector<EventEntry>& Events() const { return m_events; }
  const EventEntry* FindEvent(DISPID dispid) const;

  // The page connects one sink; events fired while none is connected are dropped.
  void ConnectEvents(EventSink sink) { m_sink = std::move(sink); }
  void FireEvent(DISPID dispid, std::span<const COleVariant> args = {});
  void FireError() { FireEvent(DISPID_ERROREVENT); }

  void SetModifiedFlag(BOOL modified = TRUE) { m_modified = modified != FALSE; }
  BOOL IsModified() const { return m_modified ? TRUE : FALSE; }

  // The external reference count and QueryInterface, which nested interface parts delegate to.
  ULONG ExternalAddRef() { return ++m_externalRefs; }
  ULONG ExternalRelease() { return m_externalRefs == 0 ? 0 : --m_externalRefs; }
  // S_OK (and one more reference) for the interfaces a control has, else E_NOINTERFACE.
  HRESULT ExternalQueryInterface(const IID& iid);

  CObjectSafety& ObjectSafety() { return m_xObjectSafety; }

protected:
  // Interfaces beyond the standard set of a control; a control with more overrides this.
  virtual bool HasExtraInterface(const IID& iid) const { return false; }

private:
  ControlIdentity m_identity;
  DispatchTable m_dispatch;
  std::vector<EventEntry> m_events;
  EventSink m_sink;
  bool m_modified = false;
  ULONG m_externalRefs = 1;  // the creator's reference
  CObjectSafety m_xObjectSafety{*this};
};

}  // namespace win
