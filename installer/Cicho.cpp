#include "installer/Cicho.h"

#include <cmath>
#include <cstdio>

#include "common/Dyskowe.h"
#include "common/Tekstowe.h"
#include "installer/Granice.h"
#include "installer/Wybgrupy.h"
#include "installer/Zmienkat.h"
#include "platform/Platform.h"

namespace {

bool Przelacznik(const std::string& parametr, const std::string& nazwa, std::string* wartosc) {
  const std::string p = LowerCasePL(parametr);
  if (!wartosc) return p == nazwa;
  if (p.rfind(nazwa + "=", 0) != 0) return false;
  *wartosc = TrimBoth(parametr.substr(nazwa.size() + 1));
  return true;
}

// "hh:mm:ss" of a date-time.
std::string Godzina(double teraz) {
  long long sekundy = std::llround((teraz - std::floor(teraz)) * 86400.0);
  if (sekundy >= 86400) sekundy = 86399;
  char bufor[32];
  std::snprintf(bufor, sizeof bufor, "%02lld:%02lld:%02lld", sekundy / 3600, sekundy / 60 % 60, sekundy % 60);
  return bufor;
}

const char* Rodzaj(platform::RodzajKomunikatu kind) {
  switch (kind) {
    case platform::rkInformacja: return "informacja";
    case platform::rkPytanie: return "pytanie";
    case platform::rkOstrzezenie: return "ostrzeżenie";
    case platform::rkStop: return "stop";
  }
  return "komunikat";
}

// Restores the dialogs the run found.
class PodmianaDialogow {
 public:
  explicit PodmianaDialogow(platform::Dialogs& dialogi) {
    platform::Services s = platform::Current();
    poprzednie_ = s.dialogs;
    s.dialogs = &dialogi;
    platform::Install(s);
  }
  ~PodmianaDialogow() {
    platform::Services s = platform::Current();
    s.dialogs = poprzednie_;
    platform::Install(s);
  }
  PodmianaDialogow(const PodmianaDialogow&) = delete;
  PodmianaDialogow& operator=(const PodmianaDialogow&) = delete;

 private:
  platform::Dialogs* poprzednie_ = nullptr;
};

int Zainstaluj(const ParametryCiche& parametry, InstalatorSrodowisko& srodowisko, TDziennik& dziennik) {
  TOknaCiche okna(dziennik, parametry);
  TInstalator instalator(srodowisko, okna);
  dziennik.Zapisz("Instalacja bez okien z katalogu " + srodowisko.KatalogBiezacy() +
                  (parametry.katalog.empty() ? std::string() : ", katalog docelowy " + parametry.katalog) +
                  (parametry.grupa.empty() ? std::string() : ", grupa " + parametry.grupa) + ".");
  const WynikInstalacji wynik = instalator.Uruchom();
  if (!okna.pokazaneGlowne() && (!parametry.katalog.empty() || !parametry.grupa.empty()))
    dziennik.Zapisz("Skrypt nie pokazuje okna instalatora (brak rozkazu show): /katalog i /grupa nie zostały użyte.");
  return wynik;
}

int Odinstaluj(const ParametryCiche& parametry, TDziennik& dziennik) {
  if (parametry.pozostale.size() != 2) {
    dziennik.Zapisz("Nieprawidłowe parametry: deinstalacja bez okien wymaga katalogu programu i jego nazwy.");
    return 1;
  }
  dziennik.Zapisz("Deinstalacja bez okien programu " + ParametrDeinstalacji(parametry.pozostale[1]) +
                  " z katalogu " + ParametrDeinstalacji(parametry.pozostale[0]) + ".");
  TOknoDeinstalacjiCiche okno;
  return UruchomDeinstalacje(parametry.pozostale[0], parametry.pozostale[1], okno);
}

}  // namespace

ParametryCiche CzytajParametryCiche(const std::vector<std::string>& parametry) {
  ParametryCiche p;
  for (const std::string& parametr : parametry) {
    std::string wartosc;
    if (Przelacznik(parametr, "/cicho", nullptr)) {
      p.cicho = true;
    } else if (Przelacznik(parametr, "/katalog", &wartosc)) {
      p.katalog = wartosc;
      if (wartosc.empty()) p.blad = "Parametr /katalog= nie podaje katalogu.";
    } else if (Przelacznik(parametr, "/grupa", &wartosc)) {
      p.grupa = wartosc;
      if (wartosc.empty()) p.blad = "Parametr /grupa= nie podaje grupy.";
    } else if (!parametr.empty() && parametr[0] == '/') {
      p.blad = "Nieznany parametr: " + parametr;
    } else {
      p.pozostale.push_back(parametr);
    }
  }
  if (p.blad.empty() && !p.cicho && (!p.katalog.empty() || !p.grupa.empty()))
    p.blad = "Parametry /katalog i /grupa działają tylko z parametrem /cicho.";
  if (p.blad.empty() && p.cicho && !p.pozostale.empty() && (!p.katalog.empty() || !p.grupa.empty()))
    p.blad = "Parametry /katalog i /grupa dotyczą tylko instalacji.";
  if (p.blad.empty() && !p.katalog.empty()) {
    if (const std::string powod = SprawdzSciezkeDocelowa(p.katalog); !powod.empty()) p.blad = powod;
  }
  if (p.blad.empty() && !p.grupa.empty()) {
    if (const std::string powod = SprawdzNazweGrupy(p.grupa); !powod.empty()) p.blad = powod;
  }
  return p;
}

PolecenieProgMan RozbierzPolecenieProgMan(const std::string& polecenie) {
  PolecenieProgMan p;
  std::string t = TrimBoth(polecenie);
  while (!t.empty() && (t.back() == '\r' || t.back() == '\n')) t.pop_back();
  auto argument = [&](const std::string& nazwa, std::string& wynik) {
    const std::string poczatek = "[" + nazwa + "(";
    if (t.size() < poczatek.size() + 2 || LowerCasePL(t.substr(0, poczatek.size())) != LowerCasePL(poczatek) ||
        t.compare(t.size() - 2, 2, ")]") != 0)
      return false;
    wynik = t.substr(poczatek.size(), t.size() - poczatek.size() - 2);
    return true;
  };
  std::string a;
  if (argument("CreateGroup", a)) {
    p.rodzaj = PolecenieProgMan::UtworzGrupe;
    p.grupa = TrimBoth(a);
  } else if (argument("AddItem", a) && a.find(',') != std::string::npos) {
    p.rodzaj = PolecenieProgMan::DodajIkone;
    p.plik = TrimBoth(a.substr(0, a.find(',')));
    p.tytul = TrimBoth(a.substr(a.find(',') + 1));
  }
  return p;
}

std::string PlikDziennika() {
  platform::Files& fs = platform::Fs();
  if (const auto windows = fs.WindowsDirectory(); windows && !windows->empty())
    return platform::JoinPath(*windows, "Instaler.log");
  const auto temp = fs.TempDirectory();
  return platform::JoinPath(temp.value_or(std::string()), "Instaler.log");
}

void TDziennik::Zapisz(const std::string& tekst) {
  platform::Clock& zegar = platform::Time();
  const double teraz = zegar.Now();
  AppendTextLine(plik_, zegar.ShortDate(teraz) + " " + Godzina(teraz) + "  " + tekst);
}

void TDialogiCiche::ErrorDialog(const std::string& place, const std::string& text) {
  dziennik_.Zapisz("[błąd] " + place + ": " + text);
}

platform::OdpowiedzKomunikatu TDialogiCiche::MessageDialog(const std::string& text, platform::RodzajKomunikatu kind,
                                                           platform::ButtonPage page) {
  // Nobody waits for an answer: a question is answered "Nie" (no retry, no abort of a run that
  // goes on by itself), a request for the next disk "Anuluj".
  platform::OdpowiedzKomunikatu odpowiedz = platform::okOk;
  std::string opis;
  if (page == platform::ButtonPage::Pytanie) {
    odpowiedz = platform::okNie;
    opis = " -> Nie";
  } else if (page == platform::ButtonPage::Ostrzezenie) {
    odpowiedz = platform::okAnuluj;
    opis = " -> Anuluj";
  }
  dziennik_.Zapisz(std::string("[") + Rodzaj(kind) + "] " + text + opis);
  return odpowiedz;
}

void TDialogiCiche::PlainMessage(const std::string& text) { dziennik_.Zapisz("[komunikat] " + text); }

WynikOknaGlownego TOknaCiche::PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& dane) {
  pokazaneGlowne_ = true;
  if (!parametry_.katalog.empty()) stan.sciezkaDocelowa = parametry_.katalog;
  if (!parametry_.grupa.empty()) {
    if (dane.grupaDostepna) stan.nazwaGrupy = parametry_.grupa;
    else dziennik_.Zapisz("Skrypt nie tworzy grupy programu: /grupa nie została użyta.");
  }
  const std::string blad = dane.sprawdzKatalog ? dane.sprawdzKatalog(stan.sciezkaDocelowa) : std::string();
  if (!blad.empty()) {
    dziennik_.Zapisz("[odmowa] " + blad);
    return WynikOknaGlownego::Anuluj;
  }
  dziennik_.Zapisz("Instaluję program " + dane.nazwaProgramu + " w katalogu " + stan.sciezkaDocelowa +
                   (dane.grupaDostepna ? ", grupa " + stan.nazwaGrupy : std::string()) + "; wymagane miejsce " +
                   dane.wymaganeMiejsce + ", dostępne " + dane.dostepneMiejsce + ".");
  return WynikOknaGlownego::Instaluj;
}

void TOknaCiche::PokazPlik(const std::string& zrodlowy, const std::string& docelowy) {
  dziennik_.Zapisz("Plik " + zrodlowy + " -> " + docelowy);
}

void TOknaCiche::PokazUwage(const std::string& tekst) { dziennik_.Zapisz("[uwaga] " + tekst); }

int UruchomCicho(const ParametryCiche& parametry, InstalatorSrodowisko& srodowisko) {
  TDziennik dziennik(PlikDziennika());
  TDialogiCiche dialogi(dziennik);
  PodmianaDialogow podmiana(dialogi);
  int kod = 1;
  if (!parametry.blad.empty()) {
    dziennik.Zapisz("[odmowa] " + parametry.blad);
  } else {
    try {
      kod = parametry.pozostale.empty() ? Zainstaluj(parametry, srodowisko, dziennik) : Odinstaluj(parametry, dziennik);
    } catch (const std::exception& e) {
      dziennik.Zapisz(std::string("[błąd] ") + e.what());
      kod = wiWyjatek;
    }
  }
  dziennik.Zapisz("Koniec, kod wyjścia " + std::to_string(kod) + (kod == 0 ? " (powodzenie)." : " (niepowodzenie)."));
  return kod;
}
