#include "platform/ole/variant.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/base/text.h"

namespace win {
namespace {

std::string_view TrimBlanks(std::string_view text)
{
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Text to number: the whole text (blanks around it aside) must be a decimal number.
HRESULT ParseNumber(std::string_view text, double& out)
{
  const std::string trimmed(TrimBlanks(text));
  if (trimmed.empty()) return DISP_E_TYPEMISMATCH;
  // strtod also reads hex, "inf" and "nan", which automation does not.
  for (char c : trimmed) {
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) {
      return DISP_E_TYPEMISMATCH;
    }
  }
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(trimmed.c_str(), &end);
  if (end != trimmed.c_str() + trimmed.size()) return DISP_E_TYPEMISMATCH;
  if (errno == ERANGE && std::isinf(value)) return DISP_E_OVERFLOW;
  out = value;
  return S_OK;
}

template <typename Integer>
HRESULT ToInteger(double value, Integer& out)
{
  if (std::isnan(value)) return DISP_E_OVERFLOW;
  const double rounded = std::nearbyint(value);  // the default mode rounds half to even
  if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Integer>::max())) {
    return DISP_E_OVERFLOW;
  }
  out = static_cast<Integer>(rounded);
  return S_OK;
}

std::string NumberText(double value, int significantDigits)
{
  char text[64];
  std::snprintf(text, sizeof text, "%.*G", significantDigits, value);
  return text;
}

}  // namespace

VARTYPE COleVariant::vt() const
{
  static constexpr VARTYPE kTypes[] = {VT_EMPTY, VT_I2, VT_I4, VT_R4, VT_R8, VT_BSTR, VT_BOOL};
  return kTypes[m_value.index()];
}

HRESULT COleVariant::ChangeType(VARTYPE target, COleVariant& out) const
{
  const VARTYPE source = vt();
  if (source == target) {
    out = *this;
    return S_OK;
  }
  if (target == VT_EMPTY) {
    out = COleVariant();
    return S_OK;
  }

  // Every source as a double first (text parsed), then to the target.
  double number = 0;
  switch (source) {
    case VT_EMPTY: number = 0; break;
    case VT_I2: number = std::get<SHORT>(m_value); break;
    case VT_I4: number = std::get<LONG>(m_value); break;
    case VT_R4: number = std::get<float>(m_value); break;
    case VT_R8: number = std::get<double>(m_value); break;
    case VT_BOOL: number = std::get<bool>(m_value) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_BSTR: {
      const std::string& text = std::get<std::string>(m_value);
      if (target == VT_BOOL) {
        const std::string_view trimmed = TrimBlanks(text);
        if (vetra::EqualsNoCase(trimmed, "True")) { out = COleVariant(true); return S_OK; }
        if (vetra::EqualsNoCase(trimmed, "False")) { out = COleVariant(false); return S_OK; }
      }
      if (const HRESULT hr = ParseNumber(text, number); FAILED(hr)) return hr;
      break;
    }
    default: return DISP_E_TYPEMISMATCH;
  }

  switch (target) {
    case VT_I2: {
      SHORT v = 0;
      if (const HRESULT hr = ToInteger(number, v); FAILED(hr)) return hr;
      out = COleVariant(v);
      return S_OK;
    }
    case VT_I4: {
      LONG v = 0;
      if (const HRESULT hr = ToInteger(number, v); FAILED(hr)) return hr;
      out = COleVariant(v);
      return S_OK;
    }
    case VT_R4: {
      if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max()) {
        return DISP_E_OVERFLOW;
      }
      out = COleVariant(static_cast<float>(number));
      return S_OK;
    }
    case VT_R8: out = COleVariant(number); return S_OK;
    case VT_BOOL: out = COleVariant(number != 0); return S_OK;
    case VT_BSTR: {
      switch (source) {
        case VT_EMPTY: out = COleVariant(std::string()); break;
        case VT_R4: out = COleVariant(NumberText(number, 7)); break;
        case VT_R8: out = COleVariant(NumberText(number, 15)); break;
        default: out = COleVariant(vetra::Format("%ld", static_cast<long>(number))); break;
      }
      return S_OK;
    }
    default: return DISP_E_TYPEMISMATCH;
  }
}

SHORT COleVariant::AsShort() const
{
  COleVariant v;
  return SUCCEEDED(ChangeType(VT_I2, v)) ? std::get<SHORT>(v.m_value) : SHORT{0};
}

LONG COleVariant::AsLong() const
{
  COleVariant v;
  return SUCCEEDED(ChangeType(VT_I4, v)) ? std::get<LONG>(v.m_value) : LONG{0};
}

float COleVariant::AsFloat() const
{
  COleVariant v;
  return SUCCEEDED(ChangeType(VT_R4, v)) ? std::get<float>(v.m_value) : 0.0f;
}

double COleVariant::AsDouble() const
{
  COleVariant v;
  return SUCCEEDED(ChangeType(VT_R8, v)) ? std::get<double>(v.m_value) : 0.0;
}

bool COleVariant::AsBool() const
{
  COleVariant v;
  return SUCCEEDED(ChangeType(VT_BOOL, v)) && std::get<bool>(v.m_value);
}

std::string COleVariant::AsString() const
{
  COleVariant v;
  return SUCCEEDED(ChangeType(VT_BSTR, v)) ? std::get<std::string>(v.m_value) : std::string();
}

std::string_view VarTypeName(VARTYPE vt)
{
  switch (vt) {
    case VT_EMPTY: return "empty";
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_R4: return "float";
    case VT_R8: return "double";
    case VT_BSTR: return "BSTR";
    case VT_BOOL: return "bool";
    default: return "unknown";
  }
}

}  // namespace win
