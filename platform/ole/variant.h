#pragma once
// The automation value that crosses between a page's script and a control: empty, short, long,
// float, double, string or bool, with automation's conversions between them. Strings are code
// page 949 inside, as every text of the system; the script side converts at its boundary.

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/base/win_types.h"

namespace win {

using VARTYPE = std::uint16_t;
inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_BOOL = 11;

using VARIANT_BOOL = SHORT;
inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

using DISPID = LONG;
inline constexpr DISPID DISPID_UNKNOWN = -1;
inline constexpr DISPID DISPID_ABOUTBOX = -552;
inline constexpr DISPID DISPID_ERROREVENT = -608;

inline constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
inline constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
inline constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
inline constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
inline constexpr HRESULT DISP_E_OVERFLOW = static_cast<HRESULT>(0x8002000Au);
inline constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);

class COleVariant {
public:
  COleVariant() = default;
  COleVariant(SHORT v) : m_value(v) {}
  COleVariant(LONG v) : m_value(v) {}
  COleVariant(float v) : m_value(v) {}
  COleVariant(double v) : m_value(v) {}
  COleVariant(bool v) : m_value(v) {}
  COleVariant(std::string cp949) : m_value(std::move(cp949)) {}
  COleVariant(const char* cp949) : m_value(std::string(cp949)) {}

  VARTYPE vt() const;
  bool IsEmpty() const { return vt() == VT_EMPTY; }

  // Converts to another type as automation does: numbers are range-checked (DISP_E_OVERFLOW)
  // and rounded half to even when they become integers; text is parsed as a number with blanks
  // around it allowed (DISP_E_TYPEMISMATCH otherwise); true is -1 and false 0; empty becomes 0,
  // "" or false. On failure `out` is left alone.
  HRESULT ChangeType(VARTYPE target, COleVariant& out) const;

  // Direct readers for a value already of that type (conversion errors give 0, "" or false).
  SHORT AsShort() const;
  LONG AsLong() const;
  float AsFloat() const;
  double AsDouble() const;
  bool AsBool() const;
  std::string AsString() const;

  friend bool operator==(const COleVariant&, const COleVariant&) = default;

private:
  std::variant<std::monostate, SHORT, LONG, float, double, std::string, bool> m_value;
};

// The type name used in messages and tables ("short", "BSTR", ...).
std::string_view VarTypeName(VARTYPE vt);

}  // namespace win
