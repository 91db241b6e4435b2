// NthField on arbitrary text and separator: the fields, joined again with the separator, give the
// text back; no field holds the separator; fields outside 1..count are empty; and where both
// splitting rules apply, the non-empty fields are exactly the tokenizer's words.
// Input: first byte = the separator character, then the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Cp1250.h"
#include "common/Orgtekst.h"
#include "common/Tekstowe.h"
#include "platform/memory/Memory.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

size_t Occurrences(const std::string& text, const std::string& sep) {
  size_t n = 0;
  for (size_t p = text.find(sep); p != std::string::npos; p = text.find(sep, p + sep.size())) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::memory::TestPlatform* platform = new platform::memory::TestPlatform();
  if (size == 0) return 0;
  const char c = static_cast<char>(data[0]);
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::string sep = cp1250::ToUtf8(std::string(1, c));
  const int count = static_cast<int>(Occurrences(text, sep)) + 1;

  std::vector<std::string> fields;
  for (int n = 1; n <= count; ++n) {
    fields.push_back(NthField(text, n, c));
    Check(fields.back().find(sep) == std::string::npos, "a field never holds the separator");
  }
  Check(JoinWithSeparator(fields, sep) == text, "fields joined give the text back");
  Check(NthField(text, count + 1, c).empty() && NthField(text, 0, c).empty() && NthField(text, -5, c).empty(),
        "fields outside the text are empty");

  // The tokenizer agrees on texts it can split the same way: ASCII separator, no line breaks or
  // NULs, valid UTF-8, no word longer than it stores.
  const bool comparable = static_cast<unsigned char>(c) < 0x80 && c != '\0' && c != '\n' && c != '\r' &&
                          text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos &&
                          utf8::Encode(utf8::Decode(text)) == text;
  if (comparable) {
    TOrganizatorTekstu t;
    t.UstawSeparatory(std::string(1, c));
    t.UstawTekst(text);
    std::vector<std::string> nonEmpty;
    for (const std::string& f : fields) {
      if (!f.empty()) nonEmpty.push_back(f);
    }
    bool fits = true;
    for (const std::string& f : nonEmpty) fits = fits && utf8::Length(f) <= 255;
    if (fits) {
      Check(t.LiczbaWyrazow() == static_cast<int32_t>(nonEmpty.size()), "word count = non-empty fields");
      for (size_t k = 0; k < nonEmpty.size(); ++k) {
        Check(t.DajWyraz(static_cast<int32_t>(k + 1)) == nonEmpty[k], "word = non-empty field");
      }
    }
  }
  platform->dialogs.shown.clear();
  return 0;
}
