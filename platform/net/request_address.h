#pragma once
// Turns the host, port and object path that the system passes into the address of one request.

#include <optional>
#include <string>
#include <string_view>

#include "platform/net/internet_constants.h"

namespace vetra::net {

// The environment variable that redirects every HTTP connection to another port on the same
// host. The system always asks for port 80; tests point it at their loopback server instead.
inline constexpr const char* kHttpPortOverrideVariable = "VETRA_HTTP_PORT_OVERRIDE";

// The port a connection really uses: the override when it names a port 1..65535, else the
// requested one.
win::INTERNET_PORT EffectivePort(win::INTERNET_PORT requested);

// A host name or dotted address: letters, digits, '.', '-' and '_', at most 253 characters.
// Anything else (a port, a path, user information, blanks) is refused rather than guessed at.
bool IsValidHostName(std::string_view host);

// The request target for an object path: a leading '/' is supplied when missing, and bytes that
// cannot stand in a request line (blanks, controls, Korean bytes, '#', '\\' ...) are
// percent-encoded. An escape ("%20") is kept, so a path that is already encoded stays as it is;
// a '%' that starts none is encoded.
std::string RequestTarget(std::string_view object);

// "http://host:port/target"; nothing when the host is not valid.
std::optional<std::string> RequestUrl(std::string_view host, win::INTERNET_PORT port, std::string_view object);

}  // namespace vetra::net
