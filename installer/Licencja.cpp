#include "installer/Licencja.h"

#include "base/Cp1250.h"

std::string TekstLicencji(const std::string& bajty) {
  const std::string tekst = cp1250::ToUtf8(bajty);
  std::string wynik;
  wynik.reserve(tekst.size() + tekst.size() / 16);
  for (size_t i = 0; i < tekst.size(); ++i) {
    const char c = tekst[i];
    if (c == '\r') {
      wynik += "\r\n";
      if (i + 1 < tekst.size() && tekst[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      wynik += "\r\n";
    } else if (c == '\0') {
      // The edit control would stop at a NUL and hide the rest of the text.
      wynik += ' ';
    } else {
      wynik += c;
    }
  }
  return wynik;
}
