#include "keyboard/GoracyKlawisz.h"

#include "keyboard/GoraceKlawisze.h"
#include "keyboard/Skrot.h"

namespace {
constexpr uint8_t kKontrolkaShift = 1, kKontrolkaCtrl = 2, kKontrolkaAlt = 4, kKontrolkaRozszerzony = 8;

// Keys of the navigation block and the keypad's "/", which share their scan codes with keypad keys:
// without the extended mark the control would name Ins "Num 0".
bool Rozszerzony(uint8_t vk) {
  return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E || vk == 0x6F || vk == 0x90;
}
}  // namespace

uint16_t SkrotZKontrolki(uint16_t wartosc) {
  const uint8_t vk = static_cast<uint8_t>(wartosc & 0xFF);
  if (vk == 0) return 0;
  const uint8_t mod = static_cast<uint8_t>(wartosc >> 8);
  uint16_t s = vk;
  if (mod & kKontrolkaShift) s |= kSkrotShift;
  if (mod & kKontrolkaCtrl) s |= kSkrotCtrl;
  if (mod & kKontrolkaAlt) s |= kSkrotAlt;
  return s;
}

uint16_t KontrolkaZeSkrotu(uint16_t skrot) {
  uint8_t mod = 0;
  if (skrot & kSkrotShift) mod |= kKontrolkaShift;
  if (skrot & kSkrotCtrl) mod |= kKontrolkaCtrl;
  if (skrot & kSkrotAlt) mod |= kKontrolkaAlt;
  if (Rozszerzony(static_cast<uint8_t>(skrot & 0xFF))) mod |= kKontrolkaRozszerzony;
  return static_cast<uint16_t>((mod << 8) | (skrot & 0xFF));
}

std::string NazwaPlikuProgramu(const std::string& sciezka) {
  const size_t p = sciezka.find_last_of("\\:");
  return p == std::string::npos ? sciezka : sciezka.substr(p + 1);
}

std::string FolderPlikuProgramu(const std::string& sciezka) {
  const size_t p = sciezka.rfind('\\');
  return p == std::string::npos ? std::string() : sciezka.substr(0, p);
}

std::string PokazywanyOpisZadania(const std::string& opis) {
  const std::string program = TekstWNawiasach(opis);
  if (program.empty()) return opis;
  const size_t open = opis.find('(');
  const size_t close = opis.rfind(')');
  return opis.substr(0, open + 1) + NazwaPlikuProgramu(program) + opis.substr(close);
}

std::string OpisZProgramem(const std::string& opis, const std::string& program) {
  return TrimBoth(BezNawiasow(opis)) + " (" + program + ")";
}

int PozycjaZadania(const TStringList& opisy, const std::string& pole) {
  const std::string szukany = TrimBoth(BezNawiasow(pole));
  for (size_t i = 0; i < opisy.size(); ++i)
    if (TrimBoth(BezNawiasow(opisy[i])) == szukany) return static_cast<int>(i);
  return -1;
}

std::string SprawdzGoracyKlawisz(uint16_t skrot, const std::string& opis) {
  if (ShortCutToText(skrot).empty()) return "Niepoprawny gorący klawisz - wybierz inny!";
  const uint8_t zadanie = OpisToZadanie(opis);
  if (zadanie == kZadanieBrak) return "Wybierz zadanie gorącego klawisza.";
  if (zadanie == kZadanieUruchom && TrimBoth(TekstWNawiasach(opis)).empty())
    return "Wybierz program, który ma uruchamiać ten gorący klawisz.";
  if (zadanie == kZadanieUruchom)
    return OdmowaStronyKodowej("Ścieżka programu", TekstWNawiasach(opis), "pliku gorących klawiszy");
  return {};
}
