#pragma once
// The exception the framework's Internet classes throw for a network failure.

#include <string>

#include "platform/base/exceptions.h"
#include "platform/base/win_types.h"

namespace win {

class CInternetException : public CException {
public:
  explicit CInternetException(DWORD error, DWORD context = 1) : m_dwError(error), m_dwContext(context) {}

  // A sentence naming the failure (code page 949), as the framework's standard handling shows it.
  std::string GetErrorMessage() const override;

  DWORD m_dwError;
  DWORD m_dwContext;
};

// The sentence shown when the server answered with a status other than success (code page 949).
std::string HttpStatusErrorMessage(DWORD status);

}  // namespace win
