#include "platform/web/address.h"

#include <gtest/gtest.h>

#include "platform/base/testing/temp_drive.h"

namespace vetra::web {
namespace {

TEST(PageAddress, ClassifiesEveryFormTheViewerIsGiven)
{
  vetra::testing::TempDrive drive;
  drive.WriteFile("Vetra/TempE/ScriptTemp.html", "x");
  const auto page = drive / "Vetra/TempE/ScriptTemp.html";
  struct Case { const char* address; AddressKind kind; std::filesystem::path path; };
  const Case cases[] = {
      {"c:\\Vetra\\TempE\\ScriptTemp.html", AddressKind::File, page},
      {"C:\\VETRA\\tempe\\scripttemp.html", AddressKind::File, page},
      {"file:///C:/Vetra/TempE/ScriptTemp.html", AddressKind::File, page},
      {"file://c:\\Vetra\\TempE\\Script%54emp.html", AddressKind::File, page},
      {"/tmp/page.html", AddressKind::File, "/tmp/page.html"},
      {"file:///tmp/page.html", AddressKind::File, "/tmp/page.html"},
      {"http://10.0.0.1/report/a.asp?x=1", AddressKind::Http, {}},
      {"HTTPS://host/a", AddressKind::Http, {}},
      {"  ", AddressKind::Empty, {}},
      {"ftp://host/a", AddressKind::Unsupported, {}},
  };
  for (const Case& c : cases) {
    const PageAddress address = ClassifyAddress(c.address);
    EXPECT_EQ(address.kind, c.kind) << c.address;
    if (c.kind == AddressKind::File) {
      EXPECT_EQ(address.localPath, c.path) << c.address;
    }
  }
}

TEST(PageAddress, CombinesRelativeLinksWithThePage)
{
  struct Case { const char* base; const char* relative; const char* expected; };
  const Case cases[] = {
      {"c:\\Vetra\\TempE\\a.html", "b.html", "c:\\Vetra\\TempE\\b.html"},
      {"c:\\Vetra\\TempE\\a.html", "\\Other\\b.html", "c:\\Other\\b.html"},
      {"c:\\Vetra\\TempE\\a.html", "d:\\x.html", "d:\\x.html"},
      {"/srv/pages/a.html", "sub/b.html", "/srv/pages/sub/b.html"},
      {"http://h:8080/dir/a.asp?q=1", "b.asp", "http://h:8080/dir/b.asp"},
      {"http://h/dir/a.asp", "/root.asp", "http://h/root.asp"},
      {"http://h", "b.asp", "http://h/b.asp"},
      {"http://h/a", "http://other/x", "http://other/x"},
      {"http://h/a", "//other/x", "http://other/x"},
  };
  for (const Case& c : cases) EXPECT_EQ(CombineAddress(c.base, c.relative), c.expected) << c.relative;
}

}  // namespace
}  // namespace vetra::web
