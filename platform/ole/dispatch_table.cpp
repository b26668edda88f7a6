#include "platform/ole/dispatch_table.h"

#include "platform/base/text.h"

namespace win {

void DispatchTable::AddProperty(std::string name, DISPID dispid, VARTYPE type,
                                DispatchEntry::Getter get, DispatchEntry::Setter set)
{
  DispatchEntry entry;
  entry.name = std::move(name);
  entry.dispid = dispid;
  entry.kind = DispatchEntry::Kind::Property;
  entry.type = type;
  entry.get = std::move(get);
  entry.set = std::move(set);
  m_entries.push_back(std::move(entry));
}

void DispatchTable::AddMethod(std::string name, DISPID dispid, VARTYPE resultType,
                              std::size_t parameterCount, DispatchEntry::Method call)
{
  DispatchEntry entry;
  entry.name = std::move(name);
  entry.dispid = dispid;
  entry.kind = DispatchEntry::Kind::Method;
  entry.type = resultType;
  entry.call = std::move(call);
  entry.parameterCount = parameterCount;
  m_entries.push_back(std::move(entry));
}

std::optional<DISPID> DispatchTable::FindName(std::string_view name) const
{
  for (const DispatchEntry& entry : m_entries) {
    if (vetra::EqualsNoCase(entry.name, name)) return entry.dispid;
  }
  return std::nullopt;
}

const DispatchEntry* DispatchTable::Find(DISPID dispid) const
{
  for (const DispatchEntry& entry : m_entries) {
    if (entry.dispid == dispid) return &entry;
  }
  return nullptr;
}

HRESULT DispatchTable::GetProperty(DISPID dispid, COleVariant& out) const
{
  const DispatchEntry* entry = Find(dispid);
  if (entry == nullptr || entry->kind != DispatchEntry::Kind::Property || !entry->get) {
    return DISP_E_MEMBERNOTFOUND;
  }
  out = entry->get();
  return S_OK;
}

HRESULT DispatchTable::SetProperty(DISPID dispid, const COleVariant& value) const
{
  const DispatchEntry* entry = Find(dispid);
  if (entry == nullptr || entry->kind != DispatchEntry::Kind::Property || !entry->set) {
    return DISP_E_MEMBERNOTFOUND;
  }
  COleVariant converted;
  if (const HRESULT hr = value.ChangeType(entry->type, converted); FAILED(hr)) return hr;
  entry->set(converted);
  return S_OK;
}

HRESULT DispatchTable::CallMethod(DISPID dispid, std::span<const COleVariant> args,
                                  COleVariant& out) const
{
  const DispatchEntry* entry = Find(dispid);
  if (entry == nullptr || entry->kind != DispatchEntry::Kind::Method || !entry->call) {
    return DISP_E_MEMBERNOTFOUND;
  }
  if (args.size() != entry->parameterCount) return DISP_E_BADPARAMCOUNT;
  out = entry->call(args);
  return S_OK;
}

}  // namespace win
