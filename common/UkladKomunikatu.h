#pragma once
// Height of the message dialog TfrmKomunikat for a text: the painter reports the height h it
// needs (pixels at 96 dpi); f is the screen's pixels per inch / 96.
#include <cstdint>

struct WysokosciKomunikatu {
  bool projektowe = true;  // the design heights stay (short texts)
  int32_t pisak = 0;       // painter pisKomunikat
  int32_t ramka = 0;       // frame belRamka
  int32_t okno = 0;        // the dialog's outer height
};

inline constexpr int32_t kWysokoscMaksymalna = 350;  // the painter never grows beyond it

WysokosciKomunikatu DopasujWysokosc(int32_t h, double f);
