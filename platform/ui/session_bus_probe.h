#pragma once
// Whether the desktop's session bus answers at all. Libraries that reach for it (SDL, through
// libdbus) wait 25 s for each answer, so a bus that accepts and never answers (a frozen
// dbus-daemon) would hold a program's start for a minute; a working bus answers at once.

#include <chrono>
#include <string_view>

namespace vetra::ui {

// True only when the bus at `address` (a D-Bus address: "unix:path=/run/user/1000/bus", several
// separated by ';') was reached and did not answer the start of a login within `limit`. A bus
// that cannot be reached, or refuses, is no hold-up (its clients fail at once); addresses other
// than Unix sockets are not judged.
bool BusIsSilent(std::string_view address, std::chrono::milliseconds limit);

// The same for the session bus libdbus would use: DBUS_SESSION_BUS_ADDRESS, else the bus in
// $XDG_RUNTIME_DIR.
bool SessionBusIsSilent(std::chrono::milliseconds limit);

}  // namespace vetra::ui
