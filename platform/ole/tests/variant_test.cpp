#include "platform/ole/variant.h"

#include <gtest/gtest.h>

namespace win {
namespace {

struct Conversion {
  COleVariant from;
  VARTYPE to;
  HRESULT result;
  COleVariant expected;
};

TEST(COleVariant, ConvertsAsAutomationDoes)
{
  const Conversion cases[] = {
      {COleVariant("  12 "), VT_I2, S_OK, COleVariant(SHORT{12})},
      {COleVariant("1.5"), VT_R8, S_OK, COleVariant(1.5)},
      {COleVariant("2.5"), VT_I2, S_OK, COleVariant(SHORT{2})},   // half to even
      {COleVariant("3.5"), VT_I4, S_OK, COleVariant(LONG{4})},
      {COleVariant(-2.5), VT_I4, S_OK, COleVariant(LONG{-2})},
      {COleVariant(""), VT_I2, DISP_E_TYPEMISMATCH, {}},
      {COleVariant("12abc"), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {COleVariant("0x10"), VT_I4, DISP_E_TYPEMISMATCH, {}},
      {COleVariant(LONG{40000}), VT_I2, DISP_E_OVERFLOW, {}},
      {COleVariant(1e300), VT_R4, DISP_E_OVERFLOW, {}},
      {COleVariant(true), VT_I2, S_OK, COleVariant(SHORT{-1})},
      {COleVariant(false), VT_I4, S_OK, COleVariant(LONG{0})},
      {COleVariant(true), VT_BSTR, S_OK, COleVariant("-1")},
      {COleVariant(" true"), VT_BOOL, S_OK, COleVariant(true)},
      {COleVariant("0"), VT_BOOL, S_OK, COleVariant(false)},
      {COleVariant(SHORT{7}), VT_BOOL, S_OK, COleVariant(true)},
      {COleVariant(LONG{-12}), VT_BSTR, S_OK, COleVariant("-12")},
      {COleVariant(0.1), VT_BSTR, S_OK, COleVariant("0.1")},
      {COleVariant(1.1f), VT_BSTR, S_OK, COleVariant("1.1")},
      {COleVariant(), VT_I2, S_OK, COleVariant(SHORT{0})},
      {COleVariant(), VT_BSTR, S_OK, COleVariant("")},
  };
  for (const Conversion& c : cases) {
    COleVariant out("untouched");
    EXPECT_EQ(c.from.ChangeType(c.to, out), c.result) << c.from.AsString() << " to " << VarTypeName(c.to);
    EXPECT_EQ(out, c.result == S_OK ? c.expected : COleVariant("untouched"))
        << c.from.AsString() << " to " << VarTypeName(c.to);
  }
}

}  // namespace
}  // namespace win
