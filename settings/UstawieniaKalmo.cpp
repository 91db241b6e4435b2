#include "settings/UstawieniaKalmo.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "common/Orgtekst.h"
#include "common/WinTools.h"
#include "platform/Platform.h"
#include "settings/Komunikaty.h"
#include "settings/Rejestr.h"

namespace {

constexpr platform::Root kRoot = platform::Root::CurrentUser;

// A record as stored, when it is there at its full size. A value of another size or kind is
// reported and kept aside by GetRegistryBinary before first-run values can be saved over it; a
// missing value is no fault.
std::optional<std::vector<uint8_t>> Rekord(const char* nazwa, size_t rozmiar) {
  if (!CzyZmiennaRejestrowaIstniejewKluczu(kRoot, kKluczKalmo, nazwa)) return std::nullopt;
  std::vector<uint8_t> b(rozmiar);
  if (!GetRegistryBinary(kKluczKalmo, nazwa, b.data(), static_cast<int>(rozmiar))) return std::nullopt;
  return b;
}

bool Tak(const char* nazwa) { return RejReadString(nazwa, kTak) == kTak; }

bool CzyPusta(const std::string& linia) { return linia.find_first_not_of(' ') == std::string::npos; }

// What one Zapisz collects: the parts asked for, what was stored and what was not.
class Zapis {
 public:
  Zapis(uint32_t czesci, WynikZapisuUstawien& wynik) : czesci_(czesci), wynik_(wynik) {}

  void operator()(CzescUstawien c, const std::string& opis, const std::function<bool()>& zapisz) {
    if (!(czesci_ & static_cast<uint32_t>(c))) return;
    if (zapisz()) wynik_.zapisane |= static_cast<uint32_t>(c);
    else wynik_.bledy.push_back({c, opis});
  }

  // A list is written only when what it would write changed, and never over a file that could
  // not be read (its lines were then never seen).
  void Lista(CzescUstawien c, const char* nazwa, const ListaZPliku& l, TStringList (*postac)(const TStringList&)) {
    const TStringList nowe = postac(l.linie);
    const bool bezZmian = l.plik.empty() || nowe == postac(l.wczytane);
    const std::string opis = std::string(nazwa) + ": " + l.plik + (l.czytelna ? "" : " (nie dał się odczytać)");
    (*this)(c, opis, [&] { return bezZmian || (l.czytelna && WriteTextLines(l.plik, nowe)); });
  }

 private:
  uint32_t czesci_;
  WynikZapisuUstawien& wynik_;
};

TStringList TakJakSa(const TStringList& linie) { return linie; }

}  // namespace

ListaZPliku ListaZPliku::Wczytaj(const std::string& plik) {
  ListaZPliku l;
  l.plik = plik;
  if (plik.empty() || !platform::Fs().FileExists(plik)) return l;
  l.czytelna = ReadTextLines(plik, l.wczytane);
  l.linie = l.wczytane;
  return l;
}

UstawieniaKalmo UstawieniaKalmo::Wczytaj(const PlikiDanych& pliki) {
  UstawieniaKalmo u;
  if (auto b = Rekord(wartosc::Ustawienia, LimitsRecord::kRozmiar)) u.limity = LimitsRecord::FromBytes(*b);
  u.programy = RozdzielProgramy(u.limity.Programy);
  if (auto b = Rekord(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar)) u.ostrzeganie = WarningOptions::FromBytes(*b);
  if (auto b = Rekord(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar)) u.schowek = OpcjeSchowka::FromBytes(*b);
  if (auto b = Rekord(wartosc::OpcjePlikowTymczasowych, OpcjePlikowTymczasowych::kRozmiar))
    u.plikiTymczasowe = OpcjePlikowTymczasowych::FromBytes(*b);
  u.znakiFiltrujace = RejReadString(wartosc::ZnakiFiltrujace, "-[");
  u.lewyAlt = Tak(wartosc::LewyAlt);
  u.pauseKey = Tak(wartosc::PauseKey);
  u.rejestracjaPolaczen = Tak(wartosc::RejestracjaPolaczen);
  u.cenaPolaczeniaModemowego = RejReadInteger(wartosc::CenaPolaczeniaModemowego, 2318);
  u.czasBezczynnosci = RejReadInteger(wartosc::CzasBezczynnosci, wartosc::kCzasBezczynnosciDomyslny);
  u.programyBezPrzerw = WczytajProgramyBezPrzerw();
  u.maksOdlozenie = WczytajMaksOdlozenie();
  u.goraceKlawisze = ListaZPliku::Wczytaj(pliki.goraceKlawisze);
  u.skroty = ListaZPliku::Wczytaj(pliki.skroty);
  u.regulyCzyszczenia = ListaZPliku::Wczytaj(pliki.plikiTymczasowe);
  return u;
}

std::optional<LimitsRecord> UstawieniaKalmo::Limity() const {
  const std::optional<std::string> p = PolaczProgramy(programy);
  if (!p) return std::nullopt;
  LimitsRecord l = limity;
  l.Programy = *p;
  return l;
}

WynikZapisuUstawien UstawieniaKalmo::Zapisz(uint32_t czesci) const {
  WynikZapisuUstawien wynik;
  Zapis zapis(czesci, wynik);
  auto& reg = platform::Reg();
  auto binarna = [&reg](const char* nazwa, const std::vector<uint8_t>& b) {
    return reg.WriteBinary(kRoot, kKluczKalmo, nazwa, b);
  };
  auto takNie = [&reg](const char* nazwa, bool tak) {
    return reg.WriteString(kRoot, kKluczKalmo, nazwa, tak ? kTak : kNie);
  };

  const std::optional<LimitsRecord> l = Limity();
  const std::string limity = "ustawienia czasu pracy (Ustawienia)";
  zapis(CzescUstawien::Limity, l ? limity : limity + ": zbyt dużo monitorowanych programów",
        [&] { return l && binarna(wartosc::Ustawienia, l->ToBytes()); });
  zapis(CzescUstawien::Ostrzeganie, "opcje ostrzegania (OpcjeOstrzegania)",
        [&] { return binarna(wartosc::OpcjeOstrzegania, ostrzeganie.ToBytes()); });
  zapis(CzescUstawien::Schowek, "opcje schowka (OpcjeSchowka)",
        [&] { return binarna(wartosc::OpcjeSchowka, schowek.ToBytes()); });
  zapis(CzescUstawien::PlikiTymczasowe, "opcje plików tymczasowych (OpcjePlikowTymczasowych)", [&] {
    OpcjePlikowTymczasowych pt = plikiTymczasowe;
    // A quiet read: a damaged value was reported, and kept aside, when the draft was read.
    if (auto b = reg.ReadBinary(kRoot, kKluczKalmo, wartosc::OpcjePlikowTymczasowych);
        b && b->size() == OpcjePlikowTymczasowych::kRozmiar)
      pt.ostatnieCzyszczenie = OpcjePlikowTymczasowych::FromBytes(*b).ostatnieCzyszczenie;
    return binarna(wartosc::OpcjePlikowTymczasowych, pt.ToBytes());
  });
  zapis(CzescUstawien::ZnakiFiltrujace, "znaki filtrujące (ZnakiFiltrujace)",
        [&] { return reg.WriteString(kRoot, kKluczKalmo, wartosc::ZnakiFiltrujace, znakiFiltrujace); });
  zapis(CzescUstawien::LewyAlt, "lewy Alt (LewyAlt)", [&] { return takNie(wartosc::LewyAlt, lewyAlt); });
  zapis(CzescUstawien::PauseKey, "przerwa klawiszem PAUSE (PauseKey)",
        [&] { return takNie(wartosc::PauseKey, pauseKey); });
  zapis(CzescUstawien::RejestracjaPolaczen, "rejestrowanie połączeń (RejestracjaPolaczen)",
        [&] { return takNie(wartosc::RejestracjaPolaczen, rejestracjaPolaczen); });
  zapis(CzescUstawien::CenaPolaczenia, "cena połączenia (CenaPolaczeniaModemowego)", [&] {
    return reg.WriteDword(kRoot, kKluczKalmo, wartosc::CenaPolaczeniaModemowego,
                          static_cast<uint32_t>(cenaPolaczeniaModemowego));
  });
  zapis(CzescUstawien::CzasBezczynnosci, "przerwa po bezczynności (CzasBezczynnosci)", [&] {
    return reg.WriteDword(kRoot, kKluczKalmo, wartosc::CzasBezczynnosci, static_cast<uint32_t>(czasBezczynnosci));
  });
  zapis(CzescUstawien::ProgramyBezPrzerw, "programy bez przerw (ProgramyBezPrzerw)", [&] {
    std::string lista;
    for (const std::string& n : programyBezPrzerw) lista += (lista.empty() ? "" : "#") + n;
    return reg.WriteString(kRoot, kKluczKalmo, wartosc::ProgramyBezPrzerw, lista);
  });
  zapis(CzescUstawien::MaksOdlozenie, "najdłuższe odłożenie przerwy (MaksOdlozenie)", [&] {
    return reg.WriteDword(kRoot, kKluczKalmo, wartosc::MaksOdlozenie, static_cast<uint32_t>(maksOdlozenie));
  });
  zapis.Lista(CzescUstawien::GoraceKlawisze, "plik gorących klawiszy", goraceKlawisze, LinieHotkeyowDoZapisu);
  zapis.Lista(CzescUstawien::Skroty, "plik skrótów", skroty, TakJakSa);
  zapis.Lista(CzescUstawien::RegulyCzyszczenia, "plik reguł usuwania", regulyCzyszczenia, TakJakSa);
  return wynik;
}

TStringList WczytajProgramyBezPrzerw() {
  auto& reg = platform::Reg();
  if (CzyZmiennaRejestrowaIstniejewKluczu(kRoot, kKluczKalmo, wartosc::ProgramyBezPrzerw) &&
      !reg.ReadString(kRoot, kKluczKalmo, wartosc::ProgramyBezPrzerw)) {
    const std::string obok = std::string(wartosc::ProgramyBezPrzerw) + "Uszkodzony";
    if (!CzyZmiennaRejestrowaIstniejewKluczu(kRoot, kKluczKalmo, obok.c_str()))
      reg.CopyValue(kRoot, kKluczKalmo, wartosc::ProgramyBezPrzerw, obok);
    PokazBlad("U:UstawieniaKalmo F:WczytajProgramyBezPrzerw",
              "Podana zmienna ma nieprawidłowy typ lub rozmiar! klucz: " + std::string(kKluczKalmo) +
                  ", varname: " + wartosc::ProgramyBezPrzerw);
    reg.WriteString(kRoot, kKluczKalmo, wartosc::ProgramyBezPrzerw, "");
    return {};
  }
  TStringList nazwy;
  for (const std::string& n : RozdzielProgramy(RejReadString(wartosc::ProgramyBezPrzerw, "")))
    if (!TrimBoth(n).empty()) nazwy.push_back(TrimBoth(n));
  return nazwy;
}

int32_t WczytajMaksOdlozenie() {
  const int32_t m = RejReadInteger(wartosc::MaksOdlozenie, wartosc::kMaksOdlozenieDomyslne);
  return std::clamp(m, 0, wartosc::kMaksOdlozenieNajwiecej);
}

TStringList LinieHotkeyowDoZapisu(const TStringList& linie) {
  TStringList zapis;
  for (const std::string& l : linie)
    if (!CzyPusta(l) && zapis.size() < static_cast<size_t>(kMaksymalnieHotkeyow)) zapis.push_back(l);
  return zapis;
}

TStringList RozdzielProgramy(const std::string& programy) { return Wyrazy(programy, "#"); }

std::optional<std::string> PolaczProgramy(const TStringList& nazwy) {
  std::string wynik;
  for (size_t i = 0; i < nazwy.size(); ++i) wynik += (i ? "#" : "") + nazwy[i];
  if (utf8::Length(wynik) > LimitsRecord::kMaxProgramy) return std::nullopt;
  return wynik;
}
