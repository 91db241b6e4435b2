#include "documents/Modem.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/Orgtekst.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"
#include "settings/Rejestr.h"

namespace {

constexpr const char* kStart = "Connection established";
constexpr const char* kKoniec = "Hanging up the modem";
constexpr const char* kInicjalizacja = "Initializing modem";

std::string KluczModemu(int i) { return std::string(kKluczModemow) + "\\" + IntToStr0b(i, 4); }

// A whole number 0..65535 made of digits only.
std::optional<int> Liczba(const std::string& s) {
  if (s.empty() || s.size() > 5) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  const int v = std::atoi(s.c_str());
  if (v > 65535) return std::nullopt;
  return v;
}

struct Wpis {
  size_t start = 0, koniec = 0;  // line numbers
  double t1 = 0, t2 = 0;
};

struct Dziennik {
  std::string sciezka;
  std::vector<std::string> linie;
  std::vector<Wpis> polaczenia;
  std::optional<size_t> otwarte;  // start line of a connection with no hang-up yet
};

double WczytajZnacznik() {
  const std::string t = RejReadString(wartosc::OstatniePolaczenieModemowe, "0");
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(t.c_str(), &end);
  return (errno == 0 && end && *end == '\0') ? v : 0;
}

void ZapiszZnacznik(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.9f", v);
  RejWriteString(wartosc::OstatniePolaczenieModemowe, buf);
}

std::vector<std::string> Linie(const std::string& tekst) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < tekst.size()) {
    size_t end = tekst.find('\n', start);
    if (end == std::string::npos) end = tekst.size();
    std::string l = tekst.substr(start, end - start);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out.push_back(std::move(l));
    start = end + 1;
  }
  return out;
}

// Every line parsed before anything is written: a marker line whose time does not parse is an
// ordinary line.
void Przeczytaj(Dziennik& d) {
  std::optional<size_t> start;
  std::optional<double> t1;
  for (size_t i = 0; i < d.linie.size(); ++i) {
    const std::string& l = d.linie[i];
    if (l.find(kInicjalizacja) != std::string::npos) start.reset();
    if (l.find(kStart) != std::string::npos) {
      if (const auto t = ParseModemLogTime(l)) {
        start = i;
        t1 = t;
      }
      continue;
    }
    if (l.find(kKoniec) != std::string::npos && start) {
      if (const auto t2 = ParseModemLogTime(l)) {
        d.polaczenia.push_back({*start, i, *t1, *t2});
        start.reset();
      }
    }
  }
  d.otwarte = start;
}

}  // namespace

void EnableModemLogging() {
  const auto windows = platform::Fs().WindowsDirectory();
  if (!windows) return;
  const std::string sciezka = platform::JoinPath(*windows, "ModemLog.txt");
  const int n = DajLiczbeModemow();
  const uint8_t wlaczony = 1;
  for (int i = 0; i < n; ++i) {
    const std::string klucz = KluczModemu(i);
    if (!CzyZmiennaRejestrowaIstniejewKluczu(Root::LocalMachine, klucz, "Logging"))
      CreateRegistryBinaryInKey(Root::LocalMachine, klucz, "Logging", &wlaczony, 1);
    else
      SetRegistryBinaryInKey(Root::LocalMachine, klucz, "Logging", &wlaczony, 1);
    if (!CzyZmiennaRejestrowaIstniejewKluczu(Root::LocalMachine, klucz, "LoggingPath"))
      CreateRegistryStringInKey(Root::LocalMachine, klucz, "LoggingPath", sciezka);
    else
      SetRegistryStringInKey(Root::LocalMachine, klucz, "LoggingPath", sciezka);
  }
}

void ListModemLogPaths(TStringList& paths) {
  const int n = DajLiczbeModemow();
  for (int i = 0; i < n; ++i) paths.push_back(GetRegistryStringFromKey(Root::LocalMachine, KluczModemu(i), "LoggingPath"));
}

std::optional<double> ParseModemLogTime(const std::string& line) {
  const std::string d = NthField(line, 1, ' ');
  const auto mies = Liczba(NthField(d, 1, '-'));
  const auto dzien = Liczba(NthField(d, 2, '-'));
  const auto rok = Liczba(NthField(d, 3, '-'));
  const std::string t = NthField(NthField(line, 2, ' '), 1, '.');
  const auto g = Liczba(NthField(t, 1, ':'));
  const auto m = Liczba(NthField(t, 2, ':'));
  const auto s = Liczba(NthField(t, 3, ':'));
  if (!mies || !dzien || !rok || !g || !m || !s || !NthField(d, 4, '-').empty() || !NthField(t, 4, ':').empty())
    return std::nullopt;
  if (*mies < 1 || *mies > 12 || *rok < 1 || *dzien < 1 || *dzien > IleDniMaMiesiac(*mies, *rok)) return std::nullopt;
  if (*g > 23 || *m > 59 || *s > 59) return std::nullopt;
  return datetime::Encode(*rok, *mies, *dzien, *g, *m, *s);
}

StanDziennikaModemu& StanDziennikaProgramu() {
  static StanDziennikaModemu stan;
  return stan;
}

ConnectionTotals UaktualnijArchiwumOPolaczeniaModemowe(const std::string& archiwum, double terazDniaPracy,
                                                       int godzinaPrzelaczenia, StanDziennikaModemu& stan) {
  ConnectionTotals dzis;
  auto& fs = platform::Fs();

  // Several modems logging into one file: the file is read once.
  TStringList sciezki;
  ListModemLogPaths(sciezki);
  std::vector<Dziennik> dzienniki;
  for (const std::string& s : sciezki) {
    if (s.empty() || !fs.FileExists(s)) continue;
    const std::string klucz = UpperCasePL(s);
    if (std::any_of(dzienniki.begin(), dzienniki.end(), [&](const Dziennik& d) { return UpperCasePL(d.sciezka) == klucz; }))
      continue;
    const auto tekst = fs.ReadFile(s);
    if (!tekst) return dzis;  // not completed
    Dziennik d;
    d.sciezka = s;
    d.linie = Linie(cp1250::ToUtf8(*tekst));
    Przeczytaj(d);
    dzienniki.push_back(std::move(d));
  }

  const int32_t dzien = datetime::DatePart(terazDniaPracy);
  const double znacznik = WczytajZnacznik();
  double nowyZnacznik = znacznik;
  std::vector<Polaczenie> doArchiwum;
  std::vector<std::vector<bool>> zostaje;
  for (const Dziennik& d : dzienniki) {
    std::vector<bool> z(d.linie.size(), false);
    for (const Wpis& w : d.polaczenia) {
      // Saturated: a hang-up logged years after its start must not wrap the duration.
      const int32_t sekundy = static_cast<int32_t>(std::min<int64_t>(std::max(SecondsBetween(w.t2, w.t1), 0) + 15ll, INT32_MAX));
      const double start = datetime::Decode(w.t1).hour < godzinaPrzelaczenia ? w.t1 - 1.0 : w.t1;
      const int32_t jego = datetime::DatePart(start);
      if (jego >= dzien) {
        // Today's connections stay in the log until their day has its archive record.
        z[w.start] = z[w.koniec] = true;
        if (jego == dzien) AddConnection(sekundy, dzis);
      } else if (w.t2 > znacznik) {
        doArchiwum.push_back({sekundy, start});
        nowyZnacznik = std::max(nowyZnacznik, w.t2);
      }
    }
    if (d.otwarte) z[*d.otwarte] = true;  // counted once, when it ends
    zostaje.push_back(std::move(z));
  }

  if (!doArchiwum.empty()) {
    if (!fs.FileExists(archiwum) || !DopiszDoArchiwum(archiwum, doArchiwum)) return dzis;
    ZapiszZnacznik(nowyZnacznik);
  }

  for (size_t k = 0; k < dzienniki.size(); ++k) {
    const Dziennik& d = dzienniki[k];
    std::string tekst;
    size_t zostalo = 0;
    for (size_t i = 0; i < d.linie.size(); ++i) {
      if (!zostaje[k][i]) continue;
      tekst += cp1250::FromUtf8(d.linie[i]) + "\r\n";
      ++zostalo;
    }
    if (zostalo == d.linie.size()) continue;  // nothing to drop
    if (!fs.WriteFileReplacing(d.sciezka, tekst) && !stan.zgloszonoZapis) {
      stan.zgloszonoZapis = true;
      PokazBlad("TfrmStatystyka.UaktualnijArchiwumOPolaczeniaModemowe",
                "Nie mogę zapisać dziennika modemu: " + d.sciezka +
                    ". Połączenia zostały policzone i nie zostaną policzone ponownie.");
    }
  }
  dzis.completed = true;
  return dzis;
}

double KosztPolaczen(int32_t jednostki, int32_t cenaSetneGrosza) {
  return jednostki * (cenaSetneGrosza / 100.0) / 100.0;
}
