#include "documents/Eksport.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "base/DateTime.h"
#include "common/Komunika.h"
#include "documents/OrganizatorDokumentow.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"

namespace eksport {

namespace {

constexpr char kKoniecWiersza[] = "\r\n";

void DodajLiczbe(std::string& out, int64_t v) {
  char buf[24];
  const auto wynik = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, wynik.ptr);
}

// YYYY-MM-DD into ten characters; false when the date is not a finite number.
bool Data10(double data, char* buf) {
  if (!std::isfinite(data)) return false;
  const datetime::Parts p = datetime::Decode(data);  // years 1..9999
  const int cyfry[] = {p.year / 1000 % 10, p.year / 100 % 10, p.year / 10 % 10, p.year % 10, -1,
                       p.month / 10,       p.month % 10,      -1,                p.day / 10,  p.day % 10};
  for (int i = 0; i < 10; ++i) buf[i] = cyfry[i] < 0 ? '-' : static_cast<char>('0' + cyfry[i]);
  return true;
}

void DodajDate(std::string& out, double data) {
  char buf[10];
  if (Data10(data, buf)) out.append(buf, sizeof buf);
}

// polaczenia;polaczenia_min;jednostki and the line's end: the tail both day files share.
void DodajPolaczeniaDnia(std::string& out, const ArchiveRecord& r) {
  DodajLiczbe(out, r.ConnectionCount);
  out += ';';
  DodajLiczbe(out, statystyka::Minuty(r.ConnectionSeconds));
  out += ';';
  DodajLiczbe(out, r.ChargeUnits);
  out += kKoniecWiersza;
}

// data;praca_min;polaczenia;polaczenia_min;jednostki
void DodajDzien(std::string& out, const ArchiveRecord& r, const std::string_view data) {
  out += data;
  out += ';';
  DodajLiczbe(out, statystyka::Minuty(r.WorkSeconds));
  out += ';';
  DodajPolaczeniaDnia(out, r);
}

// data;polaczenia;polaczenia_min;jednostki
void DodajPolaczenia(std::string& out, const ArchiveRecord& r, const std::string_view data) {
  out += data;
  out += ';';
  DodajPolaczeniaDnia(out, r);
}

// The running day: the live entry the window shows, or made from the source when the archive
// could not be read at all.
ArchiveRecord Dzisiaj(const DaneStatystyki& d) {
  if (!d.dni.empty()) return d.dni.back();
  ArchiveRecord r;
  r.Date = datetime::DatePart(d.zrodlo.dzis);
  r.WorkSeconds = d.zrodlo.dzisSekundy;
  return r;
}

// Work-day time now under a rollover hour (moved back a day before that hour).
double TerazDniaPracy(int godzinaPrzelaczenia) {
  const double teraz = platform::Time().Now();
  return datetime::Decode(teraz).hour < godzinaPrzelaczenia ? teraz - 1.0 : teraz;
}

}  // namespace

namespace {

void DodajPoleTekstowe(std::string& out, const std::string& tekst) {
  const char pierwszy = tekst.empty() ? '\0' : tekst[0];
  const bool formula = pierwszy == '=' || pierwszy == '+' || pierwszy == '-' || pierwszy == '@' ||
                       pierwszy == '\t' || pierwszy == '\r';
  const bool cudzyslow = tekst.find_first_of(";\"\r\n") != std::string::npos;
  if (cudzyslow) out += '"';
  if (formula) out += '\'';
  if (!cudzyslow) {
    out += tekst;
    return;
  }
  for (char c : tekst) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace

std::string PoleTekstowe(const std::string& tekst) {
  std::string out;
  DodajPoleTekstowe(out, tekst);
  return out;
}

std::string Data(double data) {
  std::string out;
  DodajDate(out, data);
  return out;
}

PlikiCsv UtworzPliki(const DaneStatystyki& d) {
  PlikiCsv p;
  // Each record's date once, for both files that name it.
  std::vector<char> daty(d.rekordy.size() * 10);
  std::vector<uint8_t> dlugosci(d.rekordy.size());
  for (size_t i = 0; i < d.rekordy.size(); ++i) dlugosci[i] = Data10(d.rekordy[i].Date, &daty[i * 10]) ? 10 : 0;
  auto data = [&](size_t i) { return std::string_view(daty.data() + i * 10, dlugosci[i]); };

  p.dni.reserve((d.rekordy.size() + 2) * 32);
  p.dni.append(kBom).append(kNaglowekDni).append(kKoniecWiersza);
  for (size_t i = 0; i < d.rekordy.size(); ++i) DodajDzien(p.dni, d.rekordy[i], data(i));
  const ArchiveRecord dzis = Dzisiaj(d);
  DodajDzien(p.dni, dzis, Data(dzis.Date));

  p.dokumenty.reserve(d.zrodlo.dokumenty.size() * 48 + 64);
  p.dokumenty.append(kBom).append(kNaglowekDokumentow).append(kKoniecWiersza);
  for (const DocumentRecord& r : d.zrodlo.dokumenty) {
    DodajPoleTekstowe(p.dokumenty, r.Name);
    p.dokumenty += ';';
    DodajLiczbe(p.dokumenty, statystyka::Minuty(r.Seconds));
    p.dokumenty += ';';
    if (r.LastSeen != 0) DodajDate(p.dokumenty, r.LastSeen);
    p.dokumenty += kKoniecWiersza;
  }

  p.polaczenia.append(kBom).append(kNaglowekPolaczen).append(kKoniecWiersza);
  for (size_t i = 0; i < d.rekordy.size(); ++i) {
    const ArchiveRecord& r = d.rekordy[i];
    if (r.ConnectionCount != 0 || r.ConnectionSeconds != 0 || r.ChargeUnits != 0) DodajPolaczenia(p.polaczenia, r, data(i));
  }
  return p;
}

std::vector<std::string> ZapiszPliki(const PlikiCsv& pliki, const std::string& folder) {
  std::vector<std::string> nieZapisane;
  for (size_t i = 0; i < kPliki.size(); ++i)
    if (!nieZapisane.empty() || !platform::Fs().WriteFileReplacing(platform::JoinPath(folder, kPliki[i]), pliki.Tresc(i)))
      nieZapisane.push_back(kPliki[i]);
  return nieZapisane;
}

std::vector<std::string> IstniejacePliki(const std::string& folder) {
  std::vector<std::string> out;
  for (const char* p : kPliki)
    if (platform::Fs().FileExists(platform::JoinPath(folder, p))) out.push_back(p);
  return out;
}

bool ZrodloZZapisanych(const std::string& folderProgramu, ZrodloStatystyki& zrodlo, std::string& blad) {
  auto& fs = platform::Fs();
  auto& reg = platform::Reg();
  const PlikiDanych pliki = UtworzNazwyPlikow(folderProgramu);
  const bool klucz = reg.KeyExists(platform::Root::CurrentUser, kKluczKalmo);
  const bool archiwum = fs.FileExists(pliki.archiwum), dokumenty = fs.FileExists(pliki.dokumenty);
  if (!klucz && !archiwum && !dokumenty) {
    blad = "Brak danych programu Kalmo tego użytkownika: ani ustawień, ani plików " + pliki.archiwum + " i " +
           pliki.dokumenty + ".";
    return false;
  }
  if (archiwum && !fs.ReadFile(pliki.archiwum)) {
    blad = "Nie mogę odczytać pliku: " + pliki.archiwum;
    return false;
  }
  zrodlo = ZrodloStatystyki{};
  zrodlo.plikArchiwum = pliki.archiwum;

  LimitsRecord limity = LimitsRecord::Domyslne();
  if (const auto b = reg.ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::Ustawienia);
      b && b->size() == LimitsRecord::kRozmiar)
    limity = LimitsRecord::FromBytes(*b);
  zrodlo.godzinaPrzelaczenia = limity.GodzinaPrzelaczenia >= 0 && limity.GodzinaPrzelaczenia < 24 ? limity.GodzinaPrzelaczenia : 4;
  if (limity.caDziennyLimit > 0) zrodlo.limitSekund = limity.caDziennyLimit;

  // Today is the day of today's record, as the running program keeps it (saved every saving
  // period); the clock only when there is no record.
  TodayRecord dzis;
  bool maDzis = false;
  if (const auto b = reg.ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::TodayInfo);
      b && b->size() == TodayRecord::kRozmiar) {
    dzis = TodayRecord::FromBytes(*b);
    maDzis = std::isfinite(dzis.dtZapisu) && dzis.dtZapisu > 0;
  }
  zrodlo.dzis = maDzis ? dzis.dtZapisu : TerazDniaPracy(zrodlo.godzinaPrzelaczenia);
  zrodlo.dzisSekundy = maDzis ? dzis.caPraca : 0;

  if (dokumenty) {
    const auto bajty = fs.ReadFile(pliki.dokumenty);
    if (!bajty) {
      blad = "Nie mogę odczytać pliku: " + pliki.dokumenty;
      return false;
    }
    TOrganizatorDokumentow o;
    if (!o.DodajZBajtow(*bajty))
      PokazBlad("Kalmo /eksport", "Plik " + pliki.dokumenty + " kończy się niepełnym zapisem dokumentu, który pominięto.");
    zrodlo.dokumenty.reserve(o.Count());
    for (int i = 0; i < o.Count(); ++i) zrodlo.dokumenty.push_back(o.Get(i));
  }
  return true;
}

Wynik EksportujDoFolderu(const std::string& folderProgramu, const std::string& folder) {
  if (folder.empty()) return {1, "Podaj folder, do którego mają trafić pliki: Kalmo.exe /eksport <folder>"};
  ZrodloStatystyki zrodlo;
  std::string blad;
  if (!ZrodloZZapisanych(folderProgramu, zrodlo, blad)) return {2, blad};
  const PlikiCsv pliki = UtworzPliki(WczytajDaneStatystyki(std::move(zrodlo), true));
  auto& fs = platform::Fs();
  if (!fs.DirectoryExists(folder) && !fs.CreateDirectory(folder))
    return {3, "Nie mogę utworzyć folderu: " + folder};
  const std::vector<std::string> nie = ZapiszPliki(pliki, folder);
  if (!nie.empty()) return {3, "Nie mogę zapisać pliku: " + platform::JoinPath(folder, nie.front())};
  return {};
}

}  // namespace eksport
