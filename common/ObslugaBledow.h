#pragma once
// The exception guard of every routine that touches the registry, files or other resources:
// an exception escaping the body is shown in the error dialog with the routine's place and
// "Błąd nierozpoznany - raise", then raised again to the caller.
#include <string>
#include <utility>

#include "common/Komunika.h"

inline constexpr const char* kBladNierozpoznany = "Błąd nierozpoznany - raise";

template <class Body>
decltype(auto) Guarded(const std::string& place, Body&& body) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    PokazBlad(place, kBladNierozpoznany);
    throw;
  }
}

// printf-style formatting of the system's message templates ("%s", "%d").
std::string Format(const char* pattern, ...);
