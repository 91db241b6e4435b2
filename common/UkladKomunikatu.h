#pragma once
// Layout decisions of the message dialog TfrmKomunikat: its height for a text, and the pages of
// its picture and button notebooks.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

// The painter reports the height h its text needs (pixels at 96 dpi); f is the screen's pixels
// per inch / 96.
struct WysokosciKomunikatu {
  bool projektowe = true;  // the design heights stay (short texts)
  int32_t pisak = 0;       // painter pisKomunikat
  int32_t ramka = 0;       // frame belRamka
  int32_t okno = 0;        // the dialog's outer height
};

inline constexpr int32_t kWysokoscMaksymalna = 350;  // the painter never grows beyond it

WysokosciKomunikatu DopasujWysokosc(int32_t h, double f);

struct KlawiszKomunikatu {
  const char* name;     // component name
  const char* caption;  // "Tak"
  platform::OdpowiedzKomunikatu answer;
  bool closes;  // "Pomoc" opens the help and leaves the dialog open
};

// Page of the picture notebook strObrazki for a kind, of the button notebook strKlawisze for a
// page, and that page's buttons top to bottom.
std::string StronaObrazka(platform::RodzajKomunikatu kind);
std::string StronaKlawiszy(platform::ButtonPage page);
std::vector<KlawiszKomunikatu> KlawiszeStrony(platform::ButtonPage page);
