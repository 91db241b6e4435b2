#pragma once
// The word tokenizer: splits a text into numbered words at any of a set of separator characters;
// runs of separators collapse, so empty fields vanish. NUL, LF and CR always separate.
// Characters are Unicode code points (the text is UTF-8 outside).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "common/Separatory.h"

class TOrganizatorTekstu {
 public:
  TOrganizatorTekstu();

  // At most 9 characters; a longer string throws std::out_of_range and changes nothing.
  void UstawSeparatory(const std::string& separators);
  void UstawTekst(const std::string& text);

  int32_t LiczbaWyrazow() const;
  // Word n (1-based) without its ending character; empty beyond the last word.
  std::string DajWyraz(int32_t n) const;
  // The exact text from the first character of word `first` to the last of word `last`.
  std::string DajWyrazy(int32_t first, int32_t last) const;
  // Raw characters start..end (0-based, inclusive) of the text.
  std::string DajWycinek(int32_t start, int32_t end) const;

 private:
  void Podziel();

  std::u32string text_;  // the text, followed by its terminating NUL
  int32_t length_ = 0;
  ZbiorSeparatorow separatory_;
  std::vector<std::u32string> words_;  // word + its ending character
  std::vector<std::pair<int32_t, int32_t>> spans_;
};

// Every word of a text split at any of the separators (at most 9), in order.
std::vector<std::string> Wyrazy(const std::string& text, const std::string& separators);

// Field n (1-based) of text between single occurrences of c; empty fields are kept.
std::string NthField(const std::string& text, int n, char c);
