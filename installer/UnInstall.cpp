#include "installer/UnInstall.h"

#include <exception>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Orgtekst.h"
#include "installer/Instal.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kSkryptDeinstalacji = "uninstall.cfg";

// A subdirectory that stays inside the program directory: relative, without "..".
bool PodkatalogBezpieczny(const std::string& podkatalog) {
  if (podkatalog.empty()) return true;
  if (podkatalog[0] == '\\' || podkatalog[0] == '/' || podkatalog.find(':') != std::string::npos) return false;
  std::string skladnik;
  for (size_t i = 0; i <= podkatalog.size(); ++i) {
    if (i == podkatalog.size() || podkatalog[i] == '\\' || podkatalog[i] == '/') {
      if (TrimBoth(skladnik) == "..") return false;
      skladnik.clear();
    } else {
      skladnik.push_back(podkatalog[i]);
    }
  }
  return true;
}

// "C:", "C:\" or "\": removing every file there is never what an uninstall means.
bool KorzenDysku(const std::string& katalog) {
  std::string k = katalog;
  while (!k.empty() && (k.back() == '\\' || k.back() == '/')) k.pop_back();
  return k.empty() || (k.size() == 2 && k[1] == ':');
}

}  // namespace

std::string ParametrDeinstalacji(const std::string& parametr) { return ReplaceChar(parametr, '#', ' '); }

TDeinstalator::TDeinstalator(std::string katalog, std::string nazwa)
    : katalog_(std::move(katalog)), nazwa_(std::move(nazwa)) {}

bool TDeinstalator::Odinstaluj() {
  const std::string skrypt = platform::JoinPath(katalog_, kSkryptDeinstalacji);
  if (!platform::Fs().FileExists(skrypt)) {
    Komunikat(Format("Brak informacji o deinstalacji programu: %s. Instalacja nie może być kontynuowana.",
                     nazwa_.c_str()),
              rkStop);
    return false;
  }
  TStringList linie;
  bool ok = ReadTextLines(skrypt, linie);
  for (size_t i = 0; ok && i < linie.size(); ++i) {
    const std::string linia = TrimBoth(linie[i]);
    if (linia.empty()) continue;
    try {
      ok = WykonajLinie(linia);
    } catch (const std::exception& e) {
      ShowMessage(e.what());
      ok = false;
    }
  }
  if (!ok) {
    Komunikat(Format("Deinstalacja programu %s nie przebiegła pomyślnie!", nazwa_.c_str()), rkStop);
    return false;
  }
  if (DeleteRegKey(platform::Root::LocalMachine, KluczDeinstalacji(nazwa_))) {
    Komunikat(Format("Deinstalacja programu %s przebiegła pomyślnie!", nazwa_.c_str()), rkInformacja);
    return true;
  }
  Komunikat(Format("Deinstalacja programu %s nie przebiegła pomyślnie!", nazwa_.c_str()), rkOstrzezenie);
  return false;
}

bool TDeinstalator::WykonajLinie(const std::string& linia) {
  if (!linia.empty() && linia[0] == '\'') return true;
  const std::string rozkaz = NthField(linia, 1, ' ');
  const std::string a1 = UnderscoresToSpaces(NthField(linia, 2, ' '));
  const std::string a2 = UnderscoresToSpaces(NthField(linia, 3, ' '));
  if (rozkaz == "RemoveDir") return RemoveDir(a1);
  if (rozkaz == "RemoveRegKey") return RemoveRegKey(a1);
  if (rozkaz == "RemoveItem") return RemoveItem(a1, a2);
  return false;
}

bool TDeinstalator::RemoveDir(const std::string& podkatalog) {
  const std::string katalog = podkatalog.empty() ? katalog_ : platform::JoinPath(katalog_, podkatalog);
  const std::string komunikat = "Nie można usunąć katalogu lub niektórych jego plików: " + katalog;
  if (!PodkatalogBezpieczny(podkatalog) || KorzenDysku(katalog)) {
    Komunikat(komunikat, rkOstrzezenie);
    return false;
  }
  platform::Files& fs = platform::Fs();
  if (!fs.DirectoryExists(katalog)) return true;
  if (const auto wpisy = fs.List(katalog, "*.*")) {
    for (const platform::DirEntry& wpis : *wpisy) {
      if (wpis.directory) continue;
      const std::string plik = platform::JoinPath(katalog, wpis.name);
      // A read-only file is still the program's own.
      if (wpis.attributes & platform::kAttrReadOnly) fs.SetAttributes(plik, wpis.attributes & ~platform::kAttrReadOnly);
      fs.DeleteFile(plik);
    }
  }
  if (!fs.RemoveDirectory(katalog)) {
    Komunikat(komunikat, rkOstrzezenie);
    return false;
  }
  return true;
}

bool TDeinstalator::RemoveRegKey(const std::string& klucz) {
  platform::Registry& reg = platform::Reg();
  // An empty path would name the whole user root; a key that is not there is already removed.
  const bool pusty = klucz.find_first_not_of("\\ ") == std::string::npos;
  if (!pusty && !reg.KeyExists(platform::Root::CurrentUser, klucz)) return true;
  if (pusty || !reg.DeleteKey(platform::Root::CurrentUser, klucz)) {
    Komunikat("Nie można usunąć klucza programu. Usuń go ręcznie.", rkOstrzezenie);
    return false;
  }
  return true;
}

bool TDeinstalator::RemoveItem(const std::string& folderGrupy, const std::string& plik) {
  const std::string folder =
      folderGrupy == "Startup" ? ShellFolder("Startup") : platform::JoinPath(ShellFolder("Start Menu"), folderGrupy);
  const std::string sciezka = platform::JoinPath(folder, plik);
  if (!plik.empty() && platform::Fs().FileExists(sciezka)) platform::Fs().DeleteFile(sciezka);
  // A program group left without icons would stay in the Start Menu as an empty folder; the
  // start-up folder is the system's and always stays.
  if (folderGrupy != "Startup" && !folderGrupy.empty()) {
    auto reszta = platform::Fs().List(folder, "*.*");
    if (reszta && reszta->empty()) platform::Fs().RemoveDirectory(folder);
  }
  return true;
}

int UruchomDeinstalacje(const std::string& parametr1, const std::string& parametr2, DeinstalatorOkno& okno) {
  TDeinstalator deinstalator(ParametrDeinstalacji(parametr1), ParametrDeinstalacji(parametr2));
  const std::string ikona = platform::JoinPath(deinstalator.katalog(), "icon.ico");
  bool uruchomiona = false, sukces = false;
  okno.Pokaz(deinstalator.nazwa(), platform::Fs().FileExists(ikona) ? ikona : std::string(), [&] {
    uruchomiona = true;
    sukces = deinstalator.Odinstaluj();
  });
  return !uruchomiona || sukces ? 0 : 1;
}
