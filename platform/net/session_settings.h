#pragma once
// What a session hands on to the connections and requests it makes. Each of them takes its own
// copy when it is made, so they stay usable whatever order the caller closes them in.

#include <chrono>
#include <string>

namespace vetra::net {

struct SessionSettings {
  std::string userAgent;
  std::chrono::milliseconds connectTimeout{30000};
  std::chrono::milliseconds receiveTimeout{30000};
  std::chrono::milliseconds sendTimeout{30000};
};

}  // namespace vetra::net
