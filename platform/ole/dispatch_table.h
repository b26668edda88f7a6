#pragma once
// A control's automation interface: properties and methods in dispatch order, each with its
// dispatch id and type, found by name without regard to case as scripts call them.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/variant.h"

namespace win {

struct DispatchEntry {
  enum class Kind { Property, Method };
  using Getter = std::function<COleVariant()>;
  // Receives the value already converted to the entry's type.
  using Setter = std::function<void(const COleVariant&)>;
  using Method = std::function<COleVariant(std::span<const COleVariant>)>;

  std::string name;
  DISPID dispid = DISPID_UNKNOWN;
  Kind kind = Kind::Property;
  VARTYPE type = VT_EMPTY;  // property type, or a method's result type
  Getter get;
  Setter set;
  Method call;
  std::size_t parameterCount = 0;  // methods only
};

class DispatchTable {
public:
  // A property with its own getter and setter (a get/set pair of the dispatch map).
  void AddProperty(std::string name, DISPID dispid, VARTYPE type, DispatchEntry::Getter get,
                   DispatchEntry::Setter set);

  // A member-backed notify property: a set stores the value and then runs `onChanged`, on every
  // assignment whatever the value; a get returns the member.
  template <typename T>
  void AddNotifyProperty(std::string name, DISPID dispid, T& member, std::function<void()> onChanged);

  void AddMethod(std::string name, DISPID dispid, VARTYPE resultType, std::size_t parameterCount,
                 DispatchEntry::Method call);

  // GetIDsOfNames: case-insensitive.
  std::optional<DISPID> FindName(std::string_view name) const;
  const DispatchEntry* Find(DISPID dispid) const;
  const std::vector<DispatchEntry>& Entries() const { return m_entries; }

  // Invoke. A setter's own exceptions (file or archive errors of a handler) pass through, as they
  // leave the property assignment.
  HRESULT GetProperty(DISPID dispid, COleVariant& out) const;
  HRESULT SetProperty(DISPID dispid, const COleVariant& value) const;
  HRESULT CallMethod(DISPID dispid, std::span<const COleVariant> args, COleVariant& out) const;

private:
  std::vector<DispatchEntry> m_entries;
};

namespace detail {
template <typename T> constexpr VARTYPE VarTypeOf();
template <> constexpr VARTYPE VarTypeOf<SHORT>() { return VT_I2; }
template <> constexpr VARTYPE VarTypeOf<LONG>() { return VT_I4; }
template <> constexpr VARTYPE VarTypeOf<float>() { return VT_R4; }
template <> constexpr VARTYPE VarTypeOf<double>() { return VT_R8; }
template <> constexpr VARTYPE VarTypeOf<bool>() { return VT_BOOL; }
template <> constexpr VARTYPE VarTypeOf<std::string>() { return VT_BSTR; }

template <typename T> T ValueOf(const COleVariant& v);
template <> inline SHORT ValueOf<SHORT>(const COleVariant& v) { return v.AsShort(); }
template <> inline LONG ValueOf<LONG>(const COleVariant& v) { return v.AsLong(); }
template <> inline float ValueOf<float>(const COleVariant& v) { return v.AsFloat(); }
template <> inline double ValueOf<double>(const COleVariant& v) { return v.AsDouble(); }
template <> inline bool ValueOf<bool>(const COleVariant& v) { return v.AsBool(); }
template <> inline std::string ValueOf<std::string>(const COleVariant& v) { return v.AsString(); }
}  // namespace detail

template <typename T>
void DispatchTable::AddNotifyProperty(std::string name, DISPID dispid, T& member,
                                      std::function<void()> onChanged)
{
  AddProperty(
      std::move(name), dispid, detail::VarTypeOf<T>(), [&member] { return COleVariant(member); },
      [&member, onChanged = std::move(onChanged)](const COleVariant& value) {
        member = detail::ValueOf<T>(value);
        if (onChanged) onChanged();
      });
}

}  // namespace win
