#include "common/Separatory.h"

#include <stdexcept>

#include "base/Cp1250.h"

void ZbiorSeparatorow::Ustaw(const std::string& separators) {
  const std::u32string chars = utf8::Decode(separators);
  if (chars.size() > 9) {
    throw std::out_of_range("TOrganizatorTekstu.UstawSeparatory: more than 9 separators");
  }
  for (size_t k = 0; k < chars.size(); ++k) znaki_[3 + k] = chars[k];
  ile_ = 3 + static_cast<int32_t>(chars.size());
}

bool ZbiorSeparatorow::Zawiera(char32_t c) const {
  for (int32_t k = 0; k < ile_; ++k) {
    if (znaki_[k] == c) return true;
  }
  return false;
}

void PodzielNaWyrazy(const std::u32string& text, int32_t length, const ZbiorSeparatorow& separatory,
                     const std::function<void(int32_t, int32_t)>& word) {
  int32_t i = 0;
  for (;;) {
    while (i < length && separatory.Zawiera(text[i])) ++i;
    if (i >= length) return;
    const int32_t start = i;
    while (i < length && !separatory.Zawiera(text[i])) ++i;
    word(start, i);
    if (i >= length) return;
  }
}
