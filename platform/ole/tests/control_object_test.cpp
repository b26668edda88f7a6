#include "platform/ole/ole_control_object.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace win {
namespace {

class SampleControl : public COleControlObject {
public:
  SampleControl() : COleControlObject({"{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}", "SAMPLE.Ctrl.1",
                                       "{46A00D87-B3E1-41C9-99A7-B543E076FE96}", "", ""})
  {
    Dispatch().AddNotifyProperty("RunOcx", 1, m_run, [this] {
      log.push_back("RunOcx changed");
      SetModifiedFlag();
    });
    Dispatch().AddNotifyProperty("DataFileName", 2, m_name, [this] { log.push_back("name " + m_name); });
    Dispatch().AddProperty(
        "ReloadMode", 3, VT_I2, [] { return COleVariant(SHORT{0}); },
        [this](const COleVariant& v) { log.push_back("reload " + v.AsString()); });
    Dispatch().AddProperty(
        "Broken", 4, VT_I2, [] { return COleVariant(); },
        [](const COleVariant&) { throw std::runtime_error("archive damaged"); });
    Dispatch().AddMethod("AboutBox", DISPID_ABOUTBOX, VT_EMPTY, 0, [this](auto) {
      log.push_back("about");
      return COleVariant();
    });
    AddEvent("DNOK", 1);
    AddStockErrorEvent();
  }
  std::vector<std::string> log;

private:
  SHORT m_run = 0;
  std::string m_name;
};

TEST(COleControlObject, SettersRunTheirHandlerOnEveryAssignment)
{
  SampleControl control;
  const DispatchTable& table = control.Dispatch();
  ASSERT_EQ(table.FindName("runocx"), 1);
  ASSERT_EQ(table.FindName("DATAFILENAME"), 2);
  EXPECT_EQ(table.FindName("Missing"), std::nullopt);

  EXPECT_EQ(table.SetProperty(1, COleVariant(LONG{1})), S_OK);
  EXPECT_EQ(table.SetProperty(1, COleVariant(LONG{1})), S_OK);
  EXPECT_EQ(table.SetProperty(2, COleVariant("1234Temp.Osc")), S_OK);
  EXPECT_EQ(table.SetProperty(3, COleVariant(LONG{1})), S_OK);
  EXPECT_EQ(table.SetProperty(1, COleVariant("x")), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(table.SetProperty(1, COleVariant(LONG{70000})), DISP_E_OVERFLOW);
  EXPECT_EQ(table.SetProperty(9, COleVariant(LONG{1})), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(control.log, (std::vector<std::string>{"RunOcx changed", "RunOcx changed",
                                                   "name 1234Temp.Osc", "reload 1"}));
  EXPECT_TRUE(control.IsModified());

  COleVariant value;
  EXPECT_EQ(table.GetProperty(2, value), S_OK);
  EXPECT_EQ(value, COleVariant("1234Temp.Osc"));
  EXPECT_EQ(table.GetProperty(3, value), S_OK);
  EXPECT_EQ(value, COleVariant(SHORT{0}));

  EXPECT_THROW(table.SetProperty(4, COleVariant(LONG{1})), std::runtime_error);
  EXPECT_EQ(table.CallMethod(DISPID_ABOUTBOX, {}, value), S_OK);
  const COleVariant extra[] = {COleVariant(LONG{1})};
  EXPECT_EQ(table.CallMethod(DISPID_ABOUTBOX, extra, value), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(table.CallMethod(1, {}, value), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(control.log.back(), "about");
}

TEST(COleControlObject, FiresEventsByDispatchIdToTheConnectedSink)
{
  SampleControl control;
  control.FireEvent(1);  // no sink yet: dropped
  std::vector<std::pair<DISPID, std::string>> fired;
  control.ConnectEvents([&](DISPID id, std::string_view name, std::span<const COleVariant>) {
    fired.emplace_back(id, std::string(name));
  });
  control.FireEvent(1);
  control.FireError();
  control.FireEvent(77);  // not in the event map
  EXPECT_EQ(fired, (std::vector<std::pair<DISPID, std::string>>{{1, "DNOK"}, {-608, "Error"}}));
}

}  // namespace
}  // namespace win
