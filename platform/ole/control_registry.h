#pragma once
// The drive's control registry: which module holds the control of a class identifier. A
// registration step writes a control's class identifier, ProgID and module path; the page host
// looks class identifiers up in any spelling a page writes.
//
// The registry is the text file "C:\Windows\VetraControls.ini", one section per control:
//   [{5DBCF725-08DD-4B2D-B8C4-714DF8E6956C}]
//   ProgID=TESSIAL.TessialCtrl.1
//   Module=/opt/vetra/lib/libTessial.so

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ole/guid.h"

namespace win {

struct ControlRegistration {
  std::string clsid;       // registry spelling, "{...}" upper-case
  std::string progId;
  std::string modulePath;  // a Linux path or a path on the drive
  friend bool operator==(const ControlRegistration&, const ControlRegistration&) = default;
};

class ControlRegistry {
public:
  // The registry file's path as the system writes it.
  static constexpr std::string_view kPath = "C:\\Windows\\VetraControls.ini";

  // Writes (or replaces) the entry of the registration's class identifier. The file is replaced
  // whole, so a reader never sees half an entry. False when the identifier is malformed or the
  // file cannot be written.
  static bool Register(const ControlRegistration& registration);
  static bool Unregister(std::string_view clsidText);

  // The entry of a class identifier written in any spelling ("clsid:...", braces or none, any
  // letter case); nothing when the text is no identifier or none is registered.
  static std::optional<ControlRegistration> Find(std::string_view clsidText);
  static std::vector<ControlRegistration> All();
};

}  // namespace win
