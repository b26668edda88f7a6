#include "platform/ole/control_registry.h"

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"
#include "platform/ole/control_loader.h"

namespace win {
namespace {

TEST(ControlRegistry, FindsAnEntryByAnySpellingOfItsClassIdentifier)
{
  vetra::testing::TempDrive drive;
  ASSERT_TRUE(ControlRegistry::Register(
      {"clsid:445a50ca-88a0-445f-bd35-9da86aac0075", "MORVIT.MorvitCtrl.1", "c:\\Vetra\\Morvit.so"}));
  ASSERT_TRUE(ControlRegistry::Register({"{2BF4F112-70B3-468E-B322-63C099C00D11}", "PAKREL.PakrelCtrl.1", "/x/old.so"}));
  ASSERT_TRUE(ControlRegistry::Register({"2bf4f112-70b3-468e-b322-63c099c00d11", "PAKREL.PakrelCtrl.1", "/x/new.so"}));

  for (const char* spelling : {"CLSID:445A50CA-88A0-445F-BD35-9DA86AAC0075",
                               "clsid:445a50ca-88a0-445f-bd35-9da86aac0075",
                               "{445A50CA-88A0-445F-BD35-9DA86AAC0075}",
                               " 445a50CA-88A0-445F-BD35-9DA86AAC0075 "}) {
    const auto found = ControlRegistry::Find(spelling);
    ASSERT_TRUE(found) << spelling;
    EXPECT_EQ(*found, (ControlRegistration{"{445A50CA-88A0-445F-BD35-9DA86AAC0075}",
                                           "MORVIT.MorvitCtrl.1", "c:\\Vetra\\Morvit.so"}));
  }
  EXPECT_EQ(ControlRegistry::Find("{2BF4F112-70B3-468E-B322-63C099C00D11}")->modulePath, "/x/new.so");
  EXPECT_EQ(ControlRegistry::All().size(), 2u);

  for (const char* bad : {"", "clsid:", "445A50CA-88A0-445F-BD35-9DA86AAC007",
                          "{445A50CA-88A0-445F-BD35-9DA86AAC0075", "445A50CA+88A0-445F-BD35-9DA86AAC0075",
                          "5DBCF725-08DD-4B2D-B8C4-714DF8E6956C"}) {
    EXPECT_FALSE(ControlRegistry::Find(bad)) << bad;
  }
  EXPECT_TRUE(ControlRegistry::Unregister("clsid:2BF4F112-70B3-468E-B322-63C099C00D11"));
  EXPECT_FALSE(ControlRegistry::Find("{2BF4F112-70B3-468E-B322-63C099C00D11}"));
  EXPECT_FALSE(ControlRegistry::Register({"not an id", "", ""}));
}

TEST(ControlLoader, CreatesFromAFactoryOrFromTheRegisteredModule)
{
  vetra::testing::TempDrive drive;
  std::string error;
  EXPECT_EQ(ControlLoader::Create("clsid:0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9", &error), nullptr);
  EXPECT_NE(error.find("not registered"), std::string::npos);

  ASSERT_TRUE(ControlLoader::RegisterModule(VETRA_OLE_TEST_MODULE, &error)) << error;
  EXPECT_EQ(ControlRegistry::Find("0a1b2c3d-4e5f-4061-8293-a4b5c6d7e8f9")->progId, "VETRATEST.ModuleCtrl.1");
  auto control = ControlLoader::Create("CLSID:0a1b2c3d-4e5f-4061-8293-A4B5C6D7E8F9", &error);
  ASSERT_NE(control, nullptr) << error;
  COleVariant answer;
  EXPECT_EQ(control->Dispatch().GetProperty(*control->Dispatch().FindName("answer"), answer), S_OK);
  EXPECT_EQ(answer, COleVariant(SHORT{42}));

  ControlLoader::RegisterFactory("{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}", [] {
    return std::make_unique<COleControlObject>(ControlIdentity{"in-process", "", "", "", ""});
  });
  EXPECT_EQ(ControlLoader::Create("{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}")->Identity().clsid, "in-process");
  ControlLoader::UnregisterFactory("{0A1B2C3D-4E5F-4061-8293-A4B5C6D7E8F9}");

  ASSERT_TRUE(ControlRegistry::Register({"{99999999-0000-0000-0000-000000000000}", "X", "/nonexistent/x.so"}));
  EXPECT_EQ(ControlLoader::Create("{99999999-0000-0000-0000-000000000000}", &error), nullptr);
  EXPECT_NE(error.find("cannot load"), std::string::npos);
  EXPECT_FALSE(ControlLoader::RegisterModule("/nonexistent/x.so"));
}

}  // namespace
}  // namespace win
