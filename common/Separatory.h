#pragma once
// The splitting rule both word tokenizers share: a set of separator characters (NUL, LF and CR
// always, then up to nine of the caller's) and the walk that finds the words between them.
#include <cstdint>
#include <functional>
#include <string>

class ZbiorSeparatorow {
 public:
  // At most 9 characters; a longer string throws std::out_of_range and changes nothing.
  void Ustaw(const std::string& separators);
  bool Zawiera(char32_t c) const;

 private:
  char32_t znaki_[12] = {0, 10, 13};
  int32_t ile_ = 3;
};

// Calls word(start, end) for each word of text[0..length): start is its first character, end the
// index of the separator (or terminator) that ended it. Runs of separators count as one; leading
// and trailing ones are ignored.
void PodzielNaWyrazy(const std::u32string& text, int32_t length, const ZbiorSeparatorow& separatory,
                     const std::function<void(int32_t start, int32_t end)>& word);
