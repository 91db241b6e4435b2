#include "installer/Zmienkat.h"

#include "common/Dyskowe.h"
#include "common/Orgtekst.h"
#include "common/Tekstowe.h"
#include "platform/Platform.h"

namespace {

TStringList Skladniki(const std::string& sciezka) { return Wyrazy(sciezka, "\\"); }

std::string Polacz(const TStringList& s, size_t od, size_t doWlacznie) {
  std::string wynik;
  for (size_t i = od; i <= doWlacznie && i < s.size(); ++i) {
    if (i > od) wynik += '\\';
    wynik += s[i];
  }
  return wynik;
}

bool JestKorzeniem(const std::string& s) {
  return (s.size() == 2 || (s.size() == 3 && s[2] == '\\')) && s[1] == ':';
}

char Wielka(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

PodzialSciezki PodzielSciezkeDocelowa(const std::string& sciezka) {
  if (platform::Fs().DirectoryExists(sciezka)) return {sciezka, std::string()};
  const TStringList s = Skladniki(sciezka);
  if (s.empty()) return {sciezka, std::string()};
  for (size_t k = s.size() - 1; k >= 1; --k) {
    std::string prefiks = Polacz(s, 0, k - 1);
    // "C:" alone names the current directory of the drive, not its root.
    const std::string sprawdzany = k == 1 ? prefiks + "\\" : prefiks;
    if (platform::Fs().DirectoryExists(sprawdzany)) return {prefiks + "\\", Polacz(s, k, s.size() - 1)};
  }
  // Not even the drive exists: the drive is still the shortest prefix there is.
  return {s[0] + "\\", Polacz(s, 1, s.size() - 1)};
}

std::string SciezkaWynikowa(const std::string& katalog, const std::string& tworzony) {
  std::string t = TrimBoth(tworzony);
  while (!t.empty() && t.front() == '\\') t.erase(t.begin());
  while (!t.empty() && t.back() == '\\') t.pop_back();
  std::string k = katalog;
  if (t.empty()) {
    if (JestKorzeniem(k)) return k.substr(0, 2) + "\\";
    while (k.size() > 3 && k.back() == '\\') k.pop_back();
    return k;
  }
  if (k.empty() || k.back() != '\\') k += '\\';
  return k + t;
}

std::string SprawdzSciezkeDocelowa(const std::string& sciezka) {
  const bool litera = sciezka.size() >= 3 && ((sciezka[0] >= 'A' && sciezka[0] <= 'Z') ||
                                               (sciezka[0] >= 'a' && sciezka[0] <= 'z')) &&
                      sciezka[1] == ':' && sciezka[2] == '\\';
  if (!litera) return "Katalog docelowy musi zaczynać się od litery dysku, na przykład C:\\Kalmo.";
  if (JestKorzeniem(sciezka))
    return "Programu nie można instalować w katalogu głównym dysku. Proszę podać podkatalog.";
  const std::string reszta = sciezka.substr(3);
  // "#" stands for a space in the uninstall command, so a path holding one could not be removed.
  if (ContainsAnyOf(reszta, "/:*?\"<>|#"))
    return "Nazwa katalogu nie może zawierać znaków: / : * ? \" < > | #";
  if (sciezka.size() > 200) return "Ścieżka katalogu docelowego jest za długa (najwyżej 200 znaków).";
  std::string skladnik;
  for (size_t i = 0; i <= reszta.size(); ++i) {
    if (i < reszta.size() && reszta[i] != '\\') {
      skladnik += reszta[i];
      continue;
    }
    if (skladnik.empty() || skladnik == "." || skladnik == ".." || skladnik.back() == ' ' ||
        skladnik.back() == '.' || skladnik.front() == ' ')
      return "Nieprawidłowa nazwa katalogu: \"" + skladnik + "\"";
    skladnik.clear();
  }
  return std::string();
}

std::vector<PozycjaKatalogu> PozycjeListyKatalogow(const std::string& katalog) {
  std::vector<PozycjaKatalogu> wynik;
  const TStringList s = Skladniki(katalog);
  if (s.empty()) return wynik;
  std::string sciezka = s[0] + "\\";
  wynik.push_back({sciezka, sciezka, 0, true});
  for (size_t i = 1; i < s.size(); ++i) {
    sciezka = platform::JoinPath(sciezka, s[i]);
    wynik.push_back({s[i], sciezka, static_cast<int>(i), true});
  }
  TStringList podkatalogi;
  ListSubdirs(sciezka, podkatalogi);
  for (const std::string& p : podkatalogi)
    wynik.push_back({p, platform::JoinPath(sciezka, p), static_cast<int>(s.size()), false});
  return wynik;
}

TZmianaKatalogu::TZmianaKatalogu(const std::string& sciezkaDocelowa)
    : stacjaDocelowa_(sciezkaDocelowa.empty() ? 'C' : Wielka(sciezkaDocelowa[0])), stacja_(stacjaDocelowa_) {
  PodzialSciezki p = PodzielSciezkeDocelowa(sciezkaDocelowa);
  katalog_ = katalogPoczatkowy_ = p.katalog;
  tworzony_ = p.tworzony;
}

bool TZmianaKatalogu::WybierzStacje(char litera) {
  litera = Wielka(litera);
  if (platform::Fs().DriveType(litera) != platform::DriveKind::Fixed) {
    // The list follows the drive box back, so that both show the same drive.
    if (stacja_ != stacjaDocelowa_) katalog_ = katalogPoczatkowy_;
    stacja_ = stacjaDocelowa_;
    return false;
  }
  if (litera != stacja_) {
    stacja_ = litera;
    katalog_ = std::string(1, litera) + ":\\";
  }
  return true;
}
