#include "keyboard/GoraceKlawisze.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kMiejsceWykonaj = "TfrmGlowna.MyHotKeyMessageProc - WykonajHotkey";
constexpr int kMaksParametru = 255;
constexpr int kSwShowNormal = 1;

struct NazwaKlawisza {
  uint8_t vk;
  const char* nazwa;
};

// Keys with a name of their own; letters, digits and F1-F24 are generated. The OEM keys carry
// the characters of the Polish (programmer's) layout, which matches the US one.
constexpr NazwaKlawisza kNazwyKlawiszy[] = {
    {0x08, "BkSp"},     {0x09, "Tab"},       {0x0D, "Enter"},       {0x13, "Pause"},
    {0x14, "Caps Lock"}, {0x1B, "Esc"},      {0x20, "Space"},       {0x21, "PgUp"},
    {0x22, "PgDn"},     {0x23, "End"},       {0x24, "Home"},        {0x25, "Left"},
    {0x26, "Up"},       {0x27, "Right"},     {0x28, "Down"},        {0x2C, "Print Screen"},
    {0x2D, "Ins"},      {0x2E, "Del"},       {0x60, "Num 0"},       {0x61, "Num 1"},
    {0x62, "Num 2"},    {0x63, "Num 3"},     {0x64, "Num 4"},       {0x65, "Num 5"},
    {0x66, "Num 6"},    {0x67, "Num 7"},     {0x68, "Num 8"},       {0x69, "Num 9"},
    {0x6A, "Num *"},    {0x6B, "Num +"},     {0x6D, "Num -"},       {0x6E, "Num Del"},
    {0x6F, "Num /"},    {0x90, "Num Lock"},  {0x91, "Scroll Lock"}, {0xBA, ";"},
    {0xBB, "="},        {0xBC, ","},         {0xBD, "-"},           {0xBE, "."},
    {0xBF, "/"},        {0xC0, "`"},         {0xDB, "["},           {0xDC, "\\"},
    {0xDD, "]"},        {0xDE, "'"},
};

std::string NazwaKlawisza(uint8_t vk) {
  if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return std::string(1, static_cast<char>(vk));
  if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x6F);
  for (const auto& k : kNazwyKlawiszy)
    if (k.vk == vk) return k.nazwa;
  return {};
}

std::string BezSpacji(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != ' ') r += c;
  return r;
}

std::string MaleAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

// First n code points of a UTF-8 text.
std::string PierwszeZnaki(const std::string& s, int n) {
  size_t i = 0;
  for (int count = 0; i < s.size() && count < n; ++count) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return s.substr(0, i);
}

std::string ObetnijSpacje(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

std::string Wcudzyslowie(const std::string& s) {
  std::string w;
  w.reserve(s.size() + 2);
  w += '"';
  w += s;
  w += '"';
  return w;
}

// A path ending as programs do (".exe", ".com", ".bat", ".cmd"), in any letter case.
bool JestProgramem(const std::string& sciezka) {
  if (sciezka.size() < 4) return false;
  const std::string koniec = MaleAscii(sciezka.substr(sciezka.size() - 4));
  return koniec == ".exe" || koniec == ".com" || koniec == ".bat" || koniec == ".cmd";
}

// Positions of the first "(" and of the last ")" after it, or npos twice.
std::pair<size_t, size_t> Nawiasy(const std::string& text) {
  size_t open = text.find('(');
  if (open == std::string::npos) return {std::string::npos, std::string::npos};
  size_t close = text.rfind(')');
  if (close == std::string::npos || close < open) return {std::string::npos, std::string::npos};
  return {open, close};
}

}  // namespace

const std::array<OpisZadania, 7> kTabelaZadan = {{
    {kZadaniePrzerwa, "Przerwa"},
    {kZadanieInformacjeDnia, "Wyświetla informacje dnia"},
    {kZadanieStatystyka, "Wyświetla statystykę"},
    {kZadanieListaDokumentow, "Wyświetla listę monitorowanych dokumentów"},
    {kZadanieSchowek, "Wyświetla historię schowka"},
    {kZadanieListaSkrotow, "Wyświetla listę skrótów"},
    {kZadanieUruchom, "Uruchamia wybraną aplikację"},
}};

std::string ShortCutToText(uint16_t shortcut) {
  std::string name = NazwaKlawisza(static_cast<uint8_t>(shortcut & 0xFF));
  if (name.empty()) return {};
  std::string text;
  if (shortcut & kSkrotShift) text += "Shift+";
  if (shortcut & kSkrotCtrl) text += "Ctrl+";
  if (shortcut & kSkrotAlt) text += "Alt+";
  return text + name;
}

uint16_t TextToShortCut(const std::string& text) {
  std::string rest = MaleAscii(BezSpacji(text));
  uint16_t modifiers = 0;
  for (;;) {
    if (rest.rfind("shift+", 0) == 0) {
      modifiers |= kSkrotShift;
      rest.erase(0, 6);
    } else if (rest.rfind("ctrl+", 0) == 0) {
      modifiers |= kSkrotCtrl;
      rest.erase(0, 5);
    } else if (rest.rfind("alt+", 0) == 0) {
      modifiers |= kSkrotAlt;
      rest.erase(0, 4);
    } else {
      break;
    }
  }
  if (rest.empty()) return 0;
  for (int vk = 1; vk < 256; ++vk) {
    std::string name = NazwaKlawisza(static_cast<uint8_t>(vk));
    if (!name.empty() && MaleAscii(BezSpacji(name)) == rest) return static_cast<uint16_t>(vk | modifiers);
  }
  return 0;
}

std::string PoleSkrotu(const std::string& line) { return line.substr(0, line.find('#')); }

std::string PoleOpisu(const std::string& line) {
  size_t start = line.find('#');
  if (start == std::string::npos) return {};
  // A run of separators counts as one, as the word tokenizer reads these lines.
  start = line.find_first_not_of('#', start);
  if (start == std::string::npos) return {};
  std::string rest = line.substr(start);
  // A program path may hold "#": the parenthesised part is kept whole.
  size_t from = 0;
  auto [open, close] = Nawiasy(rest);
  size_t hash = rest.find('#');
  if (open != std::string::npos && hash != std::string::npos && hash > open && hash < close) from = close;
  return rest.substr(0, rest.find('#', from));
}

std::string TekstWNawiasach(const std::string& text) {
  auto [open, close] = Nawiasy(text);
  if (open == std::string::npos) return {};
  return text.substr(open + 1, close - open - 1);
}

std::string BezNawiasow(const std::string& text) {
  auto [open, close] = Nawiasy(text);
  if (open == std::string::npos) return text;
  return text.substr(0, open) + text.substr(close + 1);
}

uint8_t OpisToZadanie(const std::string& text) {
  const std::string opis = ObetnijSpacje(BezNawiasow(text));
  for (const auto& z : kTabelaZadan)
    if (opis == z.opis) return z.kod;
  return kZadanieBrak;
}

HotkeyRecord ParsujLinieHotkeya(const std::string& line) {
  HotkeyRecord r;
  r.Skrot = TextToShortCut(PoleSkrotu(line));
  const std::string opis = PoleOpisu(line);
  r.Zadanie = OpisToZadanie(opis);
  if (r.Zadanie == kZadanieUruchom) r.Parametr = PierwszeZnaki(TekstWNawiasach(opis), kMaksParametru);
  return r;
}

PolecenieProgramu PolecenieDlaProgramu(const std::string& parametr) {
  auto& fs = platform::Fs();
  PolecenieProgramu p{parametr, {}};
  std::string program;
  const std::string slowa = ObetnijSpacje(parametr);
  if (!slowa.empty() && slowa.front() == '"') {
    program = slowa.substr(1, slowa.find('"', 1) - 1);
  } else if (fs.FileExists(parametr)) {
    p.linia = Wcudzyslowie(parametr);
    program = parametr;
  } else {
    // The program is the first run of words that names a file as written; "C:\Program" does not
    // become "C:\Program.exe" here, as it would in Windows' own reading.
    for (size_t spacja = slowa.find(' '); spacja != std::string::npos && program.empty();
         spacja = slowa.find(' ', spacja + 1))
      if (fs.FileExists(slowa.substr(0, spacja))) program = slowa.substr(0, spacja);
    if (!program.empty()) {
      p.linia = Wcudzyslowie(program);
      p.linia.append(slowa, program.size(), std::string::npos);
    } else if (JestProgramem(slowa)) {
      // A program that is gone: started quoted, so that the message names it whole.
      p.linia = Wcudzyslowie(slowa);
      program = slowa;
    } else {
      program = slowa.substr(0, slowa.find(' '));
    }
  }
  const size_t ukosnik = program.rfind('\\');
  if (ukosnik == std::string::npos) return p;
  // "C:\a.exe" starts in "C:\", not in the drive's current folder "C:".
  std::string folder = program.substr(0, ukosnik);
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  if (fs.DirectoryExists(folder)) p.folder = folder;
  return p;
}

THotKeys::THotKeys(std::string hotkeyFile, KeyHook& hook) : file_(std::move(hotkeyFile)), hook_(hook) {
  WczytajHotkeye();
  ZarejestrujHotkeye();
}

void THotKeys::WczytajHotkeye() {
  if (!platform::Fs().FileExists(file_)) return;
  TStringList lines;
  if (!ReadTextLines(file_, lines)) return;
  rekordy_ = {};
  ilosc_ = 0;
  bool nadmiar = false;
  for (const auto& line : lines) {
    if (ObetnijSpacje(line).empty()) continue;
    if (ilosc_ == kMaksymalnieKlawiszy) {
      nadmiar = true;
      break;
    }
    rekordy_[ilosc_++] = ParsujLinieHotkeya(line);
  }
  if (nadmiar && !zgloszonoNadmiar_) {
    zgloszonoNadmiar_ = true;
    Komunikat("Plik gorących klawiszy zawiera więcej niż " + std::to_string(kMaksymalnieKlawiszy) +
                  " pozycji. Używanych jest pierwszych " + std::to_string(kMaksymalnieKlawiszy) +
                  ", pozostałe są pomijane.",
              rkOstrzezenie);
  }
}

void THotKeys::ZarejestrujHotkeye() {
  hook_.WyzerujTabliceKlawiszy();
  for (int i = 0; i < ilosc_; ++i)
    if (rekordy_[i].Skrot != 0) hook_.DodajGoracyKlawisz(rekordy_[i].Skrot);
}

HotkeyRecord THotKeys::ZnajdzHotkey(uint16_t shortcut) const {
  if (shortcut == 0) return {};
  for (int i = 0; i < ilosc_; ++i)
    if (rekordy_[i].Skrot == shortcut) return rekordy_[i];
  return {};
}

std::string THotKeys::ZadanieToOpis(uint8_t code) const {
  for (const auto& z : kTabelaZadan)
    if (z.kod == code) return z.opis;
  PokazBlad("THotKeys.ZadanieToOpis", "Nierozpoznane zadanie");
  return {};
}

std::string THotKeys::ZadanieToSkrot(uint8_t code) const {
  // A record whose key text named no key is not registered, so it does not hide a later binding.
  for (int i = 0; i < ilosc_; ++i)
    if (rekordy_[i].Zadanie == code && rekordy_[i].Skrot != 0) return ShortCutToText(rekordy_[i].Skrot);
  return {};
}

void THotKeys::WypelnijListeZadan(TStringList& list) const {
  list.clear();
  for (const auto& z : kTabelaZadan) list.push_back(z.opis);
}

void THotKeys::MyHotKeyMessageProc(uintptr_t wParam, uintptr_t lParam, WykonawcaHotkeyow& executor) {
  HotkeyRecord record = ZnajdzHotkey(static_cast<uint16_t>(wParam & 0xFFFF));
  if (record.Zadanie == kZadanieBrak) return;
  WykonajHotkey(record, lParam, executor);
}

void THotKeys::WykonajHotkey(const HotkeyRecord& record, uintptr_t focus, WykonawcaHotkeyow& executor) {
  switch (record.Zadanie) {
    case kZadaniePrzerwa:
      executor.RozpocznijPrzerwe();
      break;
    case kZadanieInformacjeDnia:
    case kZadanieStatystyka:
    case kZadanieListaDokumentow:
      executor.PokazOkno(record.Zadanie);
      break;
    case kZadanieUruchom: {
      const PolecenieProgramu polecenie = PolecenieDlaProgramu(record.Parametr);
      const uint32_t error = platform::Procs().RunIn(polecenie.linia, kSwShowNormal, polecenie.folder);
      if (error == 2)
        KomunikatOstrzezenie("Plik " + record.Parametr + " nie istnieje!", rkOstrzezenie);
      else if (error != 0)
        PokazBlad(kMiejsceWykonaj, "Błąd nr:" + std::to_string(error));
      break;
    }
    case kZadanieSchowek:
      executor.PokazSchowek(focus);
      break;
    case kZadanieListaSkrotow:
      executor.PokazListeSkrotow();
      break;
    default:
      PokazBlad(kMiejsceWykonaj, "Gorący klawisz bez rozkazu");
      break;
  }
}
