#include "platform/ole/object_safety.h"

#include <gtest/gtest.h>

#include "platform/ole/ole_control_object.h"

namespace win {
namespace {

const IID kForeignIid = *ParseGuid("{12345678-1234-1234-1234-123456789ABC}");

TEST(CObjectSafety, GetReportsBothOptionsWhateverTheAnswer)
{
  COleControlObject control({"{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}", "", "", "", ""});
  struct Case { IID iid; HRESULT result; };
  for (const Case& c : {Case{IID_IDispatch, S_OK}, Case{IID_IObjectSafety, S_OK},
                        Case{kForeignIid, E_NOINTERFACE}}) {
    DWORD supported = 0, enabled = 0;
    EXPECT_EQ(control.ObjectSafety().GetInterfaceSafetyOptions(c.iid, &supported, &enabled), c.result);
    EXPECT_EQ(supported, 3u);
    EXPECT_EQ(enabled, 3u);
  }
  DWORD enabled = 0;
  EXPECT_EQ(control.ObjectSafety().GetInterfaceSafetyOptions(IID_IDispatch, nullptr, &enabled), E_POINTER);
  // The queries answered above released what they got.
  EXPECT_EQ(control.ObjectSafety().AddRef(), 2u);
  EXPECT_EQ(control.ObjectSafety().Release(), 1u);
}

TEST(CObjectSafety, SetAcceptsOnlyMasksWithinTheEnabledSafeOptions)
{
  COleControlObject control({"{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}", "", "", "", ""});
  struct Case { IID iid; DWORD mask; DWORD options; HRESULT result; };
  const Case cases[] = {
      {IID_IDispatch, 3, 3, S_OK},      {IID_IDispatch, 3, 1, E_FAIL},
      {IID_IDispatch, 1, 1, S_OK},      {IID_IDispatch, 2, 3, S_OK},
      {IID_IDispatch, 2, 1, E_FAIL},    {IID_IDispatch, 4, 4, E_FAIL},
      {IID_IDispatch, 7, 7, E_FAIL},    {IID_IDispatch, 0, 0, S_OK},
      {kForeignIid, 3, 3, E_NOINTERFACE}, {kForeignIid, 4, 4, E_NOINTERFACE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(control.ObjectSafety().SetInterfaceSafetyOptions(c.iid, c.mask, c.options), c.result)
        << "mask " << c.mask << " options " << c.options;
  }
  EXPECT_EQ(control.ExternalAddRef(), 2u);
}

}  // namespace
}  // namespace win
