#pragma once
// The one place where the program finds its platform services. The Win32 programs install the
// real implementations at start; native tests install the in-memory ones (platform/memory).
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/Processes.h"
#include "platform/Registry.h"

namespace platform {

struct Services {
  Registry* registry = nullptr;
  Clock* clock = nullptr;
  Desktop* desktop = nullptr;
  Files* files = nullptr;
  Processes* processes = nullptr;
  Dialogs* dialogs = nullptr;
};

// Current services; every pointer is set before any unit uses it.
Services& Current();
// Installs a new set and returns the previous one (tests restore it).
Services Install(const Services& services);

inline Registry& Reg() { return *Current().registry; }
inline Clock& Time() { return *Current().clock; }
inline Desktop& Desk() { return *Current().desktop; }
inline Files& Fs() { return *Current().files; }
inline Processes& Procs() { return *Current().processes; }
inline Dialogs& Ui() { return *Current().dialogs; }

}  // namespace platform
