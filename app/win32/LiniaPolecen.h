#pragma once
// What Kalmo.exe does with its command line before anything else. Without parameters (and with
// any it does not know) it starts as the resident program. `Kalmo.exe /eksport <folder>` writes
// the person's data as CSV files into the folder (documents/Eksport.h) and ends, beside a
// resident Kalmo too: it reads the data files and settings only, never takes the single-instance
// section and never changes a file or a setting of the running program. Its exit code says how
// it went (0 written, 1 no folder given, 2 the data could not be read, 3 the folder or a file
// could not be written). The reason of a failure goes to the standard error stream when the
// process has one (redirected into a file or a pipe, as scripts and tests start it: no window
// waits for an answer), otherwise, started by hand, into a message box; the notes the readers
// make on the way (a torn last record) go to the error stream only.
#include <optional>

namespace kalmo {

// The exit code when the command line asked for an export (the program ends with it), nullopt
// for an ordinary start.
std::optional<int> WykonajLiniePolecen(const wchar_t* liniaPolecen);

}  // namespace kalmo
