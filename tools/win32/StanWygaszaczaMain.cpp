// StanWygaszacza.exe: ends with 1 while the system screen saver is switched on, 0 while it is off
// and 2 when it cannot be read. A process of its own reads the system's setting afresh, where a
// long-running caller may see its own earlier copy.
#include <windows.h>

int main() {
  BOOL on = FALSE;
  if (!SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &on, 0)) return 2;
  return on ? 1 : 0;
}
