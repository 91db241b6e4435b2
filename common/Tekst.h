#pragma once
// The painter's tokenizer: the same splitting as TOrganizatorTekstu, without spans; the last word
// ends with "@", and out-of-range questions are reported in the plain message box.
#include <cstdint>
#include <string>
#include <vector>

#include "common/Separatory.h"

namespace pisak {

class TOrganizatorTekstu {
 public:
  TOrganizatorTekstu();
  void UstawSeparatory(const std::string& separators);  // at most 9 characters, else std::out_of_range
  void UstawTekst(const std::string& text);
  void UstawTekst(const char* text);  // NUL-terminated
  int32_t LiczbaWyrazow() const;
  std::string DajWyraz(int32_t n) const;
  // The ending character of word n ("@" after the last word, and when n is out of range).
  std::string DajSeparator(int32_t n) const;
  std::string Wycinek(int32_t start, int32_t end) const;

 private:
  void Podziel();
  std::u32string text_;
  int32_t length_ = 0;
  ZbiorSeparatorow separatory_;
  std::vector<std::u32string> words_;  // word + its ending character ("@" at the end)
  std::vector<char32_t> endings_;       // the ending character of each word
};

}  // namespace pisak
