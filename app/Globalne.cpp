#include "app/Globalne.h"

#include <cstring>

#include "common/Cp1250.h"
#include "common/WinTools.h"
#include "platform/Files.h"

namespace bajty {

namespace {
// Grows the buffer when a field would end past it, so that writers never overrun.
void Ensure(std::vector<uint8_t>& b, size_t end) {
  if (b.size() < end) b.resize(end, 0);
}
}  // namespace

void PutU8(std::vector<uint8_t>& b, size_t at, uint8_t v) {
  Ensure(b, at + 1);
  b[at] = v;
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  Ensure(b, at + 4);
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void PutI32(std::vector<uint8_t>& b, size_t at, int32_t v) { PutU32(b, at, static_cast<uint32_t>(v)); }

void PutF64(std::vector<uint8_t>& b, size_t at, double v) {
  uint64_t bits = 0;
  std::memcpy(&bits, &v, sizeof bits);
  Ensure(b, at + 8);
  for (int i = 0; i < 8; ++i) b[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}

void PutShortString(std::vector<uint8_t>& b, size_t at, size_t maxChars, const std::string& utf8) {
  std::string bytes = cp1250::FromUtf8(utf8);
  if (bytes.size() > maxChars) bytes.resize(maxChars);
  Ensure(b, at + 1 + maxChars);
  b[at] = static_cast<uint8_t>(bytes.size());
  for (size_t i = 0; i < maxChars; ++i) b[at + 1 + i] = i < bytes.size() ? static_cast<uint8_t>(bytes[i]) : 0;
}

uint8_t GetU8(const std::vector<uint8_t>& b, size_t at) { return at < b.size() ? b[at] : 0; }

uint32_t GetU32(const std::vector<uint8_t>& b, size_t at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(GetU8(b, at + i)) << (8 * i);
  return v;
}

int32_t GetI32(const std::vector<uint8_t>& b, size_t at) { return static_cast<int32_t>(GetU32(b, at)); }

double GetF64(const std::vector<uint8_t>& b, size_t at) {
  uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(GetU8(b, at + i)) << (8 * i);
  double v = 0;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

std::string GetShortString(const std::vector<uint8_t>& b, size_t at, size_t maxChars) {
  size_t n = GetU8(b, at);
  if (n > maxChars) n = maxChars;
  std::string bytes;
  for (size_t i = 0; i < n; ++i) bytes.push_back(static_cast<char>(GetU8(b, at + 1 + i)));
  return cp1250::ToUtf8(bytes);
}

std::string CutToChars(const std::string& text, size_t n) {
  std::u32string cps = utf8::Decode(text);
  if (cps.size() <= n) return text;
  cps.resize(n);
  return utf8::Encode(cps);
}

}  // namespace bajty

namespace {

constexpr size_t kMaxDzwiek = 250;

void PutWarning(std::vector<uint8_t>& b, size_t at, const OpcjeJednegoOstrzezenia& o) {
  bajty::PutU8(b, at, o.wlaczone ? 1 : 0);
  bajty::PutU8(b, at + 1, o.rodzaj);
  bajty::PutI32(b, at + 4, o.czestotliwosc);
  bajty::PutShortString(b, at + 8, kMaxDzwiek, o.plikDzwieku);
}

OpcjeJednegoOstrzezenia GetWarning(const std::vector<uint8_t>& b, size_t at) {
  OpcjeJednegoOstrzezenia o;
  o.wlaczone = bajty::GetU8(b, at) != 0;
  o.rodzaj = bajty::GetU8(b, at + 1);
  o.czestotliwosc = bajty::GetI32(b, at + 4);
  o.plikDzwieku = bajty::GetShortString(b, at + 8, kMaxDzwiek);
  return o;
}

}  // namespace

WarningOptions WarningOptions::PierwszeUruchomienie() {
  WarningOptions o;
  o.przerwa = {true, 0, 5, ""};
  o.koniecPracy = {true, 0, 5, ""};
  o.koniecPrzerwy = {false, 0, 1, ""};
  o.wylaczWygaszaczWPrzerwie = true;
  return o;
}

std::vector<uint8_t> WarningOptions::ToBytes() const {
  std::vector<uint8_t> b(kRozmiar, 0);
  PutWarning(b, 0, przerwa);
  PutWarning(b, 260, koniecPracy);
  PutWarning(b, 520, koniecPrzerwy);
  bajty::PutU8(b, 780, wylaczWygaszaczWPrzerwie ? 1 : 0);
  return b;
}

WarningOptions WarningOptions::FromBytes(const std::vector<uint8_t>& b) {
  WarningOptions o;
  o.przerwa = GetWarning(b, 0);
  o.koniecPracy = GetWarning(b, 260);
  o.koniecPrzerwy = GetWarning(b, 520);
  o.wylaczWygaszaczWPrzerwie = bajty::GetU8(b, 780) != 0;
  return o;
}

OpcjePlikowTymczasowych OpcjePlikowTymczasowych::PierwszeUruchomienie() {
  OpcjePlikowTymczasowych o;
  o.usuwanie = true;
  o.kronika = true;
  o.ostatnieCzyszczenie = 0;
  return o;
}

std::vector<uint8_t> OpcjePlikowTymczasowych::ToBytes() const {
  std::vector<uint8_t> b(kRozmiar, 0);
  bajty::PutU8(b, 0, usuwanie ? 1 : 0);
  bajty::PutU8(b, 1, kronika ? 1 : 0);
  bajty::PutF64(b, 4, ostatnieCzyszczenie);
  return b;
}

OpcjePlikowTymczasowych OpcjePlikowTymczasowych::FromBytes(const std::vector<uint8_t>& b) {
  OpcjePlikowTymczasowych o;
  o.usuwanie = bajty::GetU8(b, 0) != 0;
  o.kronika = bajty::GetU8(b, 1) != 0;
  o.ostatnieCzyszczenie = bajty::GetF64(b, 4);
  return o;
}

OpcjeSchowka OpcjeSchowka::PierwszeUruchomienie() {
  OpcjeSchowka o;
  o.czcionka = "MS Sans Serif";
  o.rozmiarCzcionki = 8;
  o.styl = 0;
  o.kolorCzcionki = 0;
  o.wysokosc = 100;
  o.szerokosc = 367;
  o.buforKB = 10;
  o.aktywny = true;
  o.kolorTla = 0xFFFFFF;
  return o;
}

std::vector<uint8_t> OpcjeSchowka::ToBytes() const {
  std::vector<uint8_t> b(kRozmiar, 0);
  bajty::PutShortString(b, 0, 50, czcionka);
  bajty::PutI32(b, 52, rozmiarCzcionki);
  bajty::PutU8(b, 56, styl);
  bajty::PutU32(b, 60, kolorCzcionki);
  bajty::PutI32(b, 64, wysokosc);
  bajty::PutI32(b, 68, szerokosc);
  bajty::PutI32(b, 72, buforKB);
  bajty::PutU8(b, 76, aktywny ? 1 : 0);
  bajty::PutU32(b, 80, kolorTla);
  return b;
}

OpcjeSchowka OpcjeSchowka::FromBytes(const std::vector<uint8_t>& b) {
  OpcjeSchowka o;
  o.czcionka = bajty::GetShortString(b, 0, 50);
  o.rozmiarCzcionki = bajty::GetI32(b, 52);
  o.styl = bajty::GetU8(b, 56);
  o.kolorCzcionki = bajty::GetU32(b, 60);
  o.wysokosc = bajty::GetI32(b, 64);
  o.szerokosc = bajty::GetI32(b, 68);
  o.buforKB = bajty::GetI32(b, 72);
  o.aktywny = bajty::GetU8(b, 76) != 0;
  o.kolorTla = bajty::GetU32(b, 80);
  return o;
}

PlikiDanych UtworzNazwyPlikow(const std::string& folder, const std::string& uzytkownik) {
  const std::string prefix = platform::JoinPath(folder, uzytkownik.empty() ? "All" : uzytkownik);
  PlikiDanych p;
  p.archiwum = prefix + "_arch.dat";
  p.dokumenty = prefix + "_dok.dat";
  p.goraceKlawisze = prefix + "_hotkey.dat";
  p.zastrzezone = prefix + "_zast.dat";
  p.plikiTymczasowe = prefix + "_pltym.dat";
  p.kronika = prefix + "_kronup.dat";
  p.skroty = prefix + "_skroty.dat";
  return p;
}

PlikiDanych UtworzNazwyPlikow(const std::string& folder) {
  return UtworzNazwyPlikow(folder, DajNazweUzytkownika());
}

std::string FolderZeSciezki(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}
