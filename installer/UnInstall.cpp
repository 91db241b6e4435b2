#include "installer/UnInstall.h"

#include <exception>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Orgtekst.h"
#include "installer/Granice.h"
#include "installer/Instal.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kSkryptDeinstalacji = "uninstall.cfg";

void Odmowa(const std::string& tekst) { Komunikat(tekst, rkOstrzezenie); }

}  // namespace

std::string ParametrDeinstalacji(const std::string& parametr) { return ReplaceChar(parametr, '#', ' '); }

TDeinstalator::TDeinstalator(std::string katalog, std::string nazwa)
    : katalog_(std::move(katalog)), nazwa_(std::move(nazwa)) {}

std::string TDeinstalator::PowodOdmowy() const {
  if (TrimBoth(nazwa_).empty())
    return "Nie podano nazwy programu do odinstalowania. Deinstalacja nie może się rozpocząć; nic nie zostało "
           "zmienione.";
  return std::string();
}

bool TDeinstalator::Odinstaluj() {
  // Without a name the uninstall entry would be the whole list of every program's entries.
  if (const std::string powod = PowodOdmowy(); !powod.empty()) {
    Komunikat(powod, rkStop);
    return false;
  }
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
  if (!SciezkaWewnatrz(podkatalog, true)) {
    Odmowa("Polecenie RemoveDir wskazuje katalog poza katalogiem programu: " + podkatalog);
    return false;
  }
  // The program folder is checked as it is named and as the command reaches it.
  for (const std::string& k : {katalog_, katalog}) {
    if (const std::string powod = PowodOchronyKatalogu(k); !powod.empty()) {
      Odmowa("Deinstalator nie usunie katalogu " + k + ": " + powod + ".");
      return false;
    }
  }
  const std::string komunikat = "Nie można usunąć katalogu lub niektórych jego plików: " + katalog;
  const std::string cel = KanonicznaSciezka(katalog);
  platform::Files& fs = platform::Fs();
  if (!fs.DirectoryExists(cel)) return true;
  if (const auto wpisy = fs.List(cel, "*.*")) {
    for (const platform::DirEntry& wpis : *wpisy) {
      if (wpis.directory) continue;
      const std::string plik = platform::JoinPath(cel, wpis.name);
      // A read-only file is still the program's own.
      if (wpis.attributes & platform::kAttrReadOnly) fs.SetAttributes(plik, wpis.attributes & ~platform::kAttrReadOnly);
      fs.DeleteFile(plik);
    }
  }
  if (!fs.RemoveDirectory(cel)) {
    Komunikat(komunikat, rkOstrzezenie);
    return false;
  }
  return true;
}

bool TDeinstalator::RemoveRegKey(const std::string& klucz) {
  if (!KluczProgramuUzytkownika(klucz)) {
    Odmowa("Polecenie RemoveRegKey może usunąć tylko klucz programu w HKEY_CURRENT_USER\\Software, a nie: " +
           (klucz.empty() ? std::string("(pusty)") : klucz));
    return false;
  }
  platform::Registry& reg = platform::Reg();
  // A key that is not there is already removed.
  if (!reg.KeyExists(platform::Root::CurrentUser, klucz)) return true;
  if (!reg.DeleteKey(platform::Root::CurrentUser, klucz)) {
    Komunikat("Nie można usunąć klucza programu. Usuń go ręcznie.", rkOstrzezenie);
    return false;
  }
  return true;
}

bool TDeinstalator::RemoveItem(const std::string& folderGrupy, const std::string& plik) {
  const bool autostart = folderGrupy == "Startup";
  if ((!autostart && !SciezkaWewnatrz(folderGrupy, false)) || !SciezkaWewnatrz(plik, true) ||
      plik.find_first_of("\\/") != std::string::npos) {
    Odmowa("Polecenie RemoveItem wskazuje plik poza grupą programu w menu Start: " + folderGrupy + " " + plik);
    return false;
  }
  const std::string folder =
      autostart ? ShellFolder("Startup") : platform::JoinPath(ShellFolder("Start Menu"), folderGrupy);
  const std::string sciezka = platform::JoinPath(folder, plik);
  if (!plik.empty() && platform::Fs().FileExists(sciezka)) platform::Fs().DeleteFile(sciezka);
  // A program group left without icons would stay in the Start Menu as an empty folder; the
  // start-up folder and the shell's own folders ("Programs") always stay.
  if (!autostart && PowodOchronyKatalogu(folder).empty()) {
    auto reszta = platform::Fs().List(folder, "*.*");
    if (reszta && reszta->empty()) platform::Fs().RemoveDirectory(folder);
  }
  return true;
}

int UruchomDeinstalacje(const std::string& parametr1, const std::string& parametr2, DeinstalatorOkno& okno) {
  TDeinstalator deinstalator(ParametrDeinstalacji(parametr1), ParametrDeinstalacji(parametr2));
  if (const std::string powod = deinstalator.PowodOdmowy(); !powod.empty()) {
    Komunikat(powod, rkStop);
    return 1;
  }
  const std::string ikona = platform::JoinPath(deinstalator.katalog(), "icon.ico");
  bool uruchomiona = false, sukces = false;
  okno.Pokaz(deinstalator.nazwa(), platform::Fs().FileExists(ikona) ? ikona : std::string(), [&] {
    uruchomiona = true;
    sukces = deinstalator.Odinstaluj();
  });
  return !uruchomiona || sukces ? 0 : 1;
}
