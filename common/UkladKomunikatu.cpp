#include "common/UkladKomunikatu.h"

#include <cmath>

namespace {
int32_t Razy(double f, int32_t v) { return static_cast<int32_t>(std::lround(f * v)); }
}  // namespace

WysokosciKomunikatu DopasujWysokosc(int32_t h, double f) {
  WysokosciKomunikatu w;
  if (h <= 65) return w;  // fits the design size
  w.projektowe = false;
  if (h < kWysokoscMaksymalna) {
    w.pisak = Razy(f, h);
    w.ramka = Razy(f, h + 24);
    w.okno = Razy(f, h + 67);
  } else {
    // Capped: the text is clipped to this height.
    w.pisak = kWysokoscMaksymalna;
    w.ramka = Razy(f, 24) + kWysokoscMaksymalna;
    w.okno = Razy(f, 67) + kWysokoscMaksymalna;
  }
  return w;
}
