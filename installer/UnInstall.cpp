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

std::string Rodzic(const std::string& k) {
  const size_t u = k.find_last_of('\\');
  if (u == std::string::npos) return std::string();
  return u == 2 && k[1] == ':' ? k.substr(0, 3) : k.substr(0, u);
}

std::string Nazwa(const std::string& k) { return k.substr(k.find_last_of('\\') + 1); }

constexpr const char* kNicNieZmieniono = " Deinstalacja nie może się rozpocząć; nic nie zostało zmienione.";

}  // namespace

std::string ParametrDeinstalacji(const std::string& parametr) { return ReplaceChar(parametr, '#', ' '); }

TDeinstalator::TDeinstalator(std::string katalog, std::string nazwa)
    : katalog_(std::move(katalog)), nazwa_(std::move(nazwa)) {}

std::string TDeinstalator::PowodOdmowy() const {
  if (TrimBoth(nazwa_).empty())
    return "Nie podano nazwy programu do odinstalowania. Deinstalacja nie może się rozpocząć; nic nie zostało "
           "zmienione.";
  if (!NazwaProgramuPoprawna(nazwa_))
    return "Nieprawidłowa nazwa programu do odinstalowania: " + nazwa_ + "." + kNicNieZmieniono;
  // The command line is anybody's to write; the uninstall entry only an administrator's. The
  // folder given must be the one the program was installed to.
  const std::optional<std::string> zarejestrowany = KatalogZarejestrowany(nazwa_);
  if (!zarejestrowany)
    return "Program " + nazwa_ + " nie ma wpisu deinstalacji, który jednoznacznie wskazuje jego katalog." +
           kNicNieZmieniono;
  const std::string k = KanonicznaSciezka(katalog_);
  if (k.empty() || LowerCasePL(k) != LowerCasePL(*zarejestrowany))
    return "Katalog " + katalog_ + " nie jest katalogiem, w którym zainstalowano program " + nazwa_ + " (" +
           *zarejestrowany + ")." + kNicNieZmieniono;
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
  // The installer wrote the script as an administrator; one that another user owns was put there.
  if (platform::Fs().OwnerOf(skrypt) == platform::FileOwner::OtherUser) {
    Komunikat("Plik " + skrypt + " nie pochodzi od instalatora: jego właścicielem jest inny użytkownik." +
                  kNicNieZmieniono,
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
  // Held while its files go, so that no other folder can take its name; every deletion is then
  // bound to the folder's final path.
  std::unique_ptr<platform::HeldFolder> trzymany = fs.HoldFolder(cel);
  if (!trzymany || !ZgodnaSciezkaKoncowa(cel, trzymany->FinalPath())) {
    Odmowa("Deinstalator nie usunie katalogu " + katalog + ": prowadzi przez dowiązanie do innego miejsca.");
    return false;
  }
  const std::string koncowy = KanonicznaSciezka(trzymany->FinalPath());
  bool ok = true;
  if (const auto wpisy = fs.List(koncowy, "*")) {
    for (const platform::DirEntry& wpis : *wpisy) {
      // A link or junction goes as the link: what it leads to is not the program's.
      if (wpis.attributes & platform::kAttrReparsePoint) {
        ok = fs.DeleteEntry(koncowy, wpis.name, platform::kEntryLink, {}) == platform::DeleteOutcome::Deleted && ok;
        continue;
      }
      if (wpis.directory) continue;
      // A read-only file is still the program's own.
      ok = fs.DeleteEntry(koncowy, wpis.name, platform::kEntryFile | platform::kEntryReadOnly, {}) ==
               platform::DeleteOutcome::Deleted &&
           ok;
    }
  }
  trzymany.reset();
  if (!ok || fs.DeleteEntry(Rodzic(koncowy), Nazwa(koncowy), platform::kEntryFolder, {}) !=
                 platform::DeleteOutcome::Deleted) {
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
  // The folders as the shell knows them: the Shell Folders values are the user's to write.
  platform::Files& fs = platform::Fs();
  const std::optional<std::string> znany =
      fs.KnownFolderPath(autostart ? platform::KnownFolder::Startup : platform::KnownFolder::StartMenu);
  const std::string baza = znany ? KanonicznaSciezka(*znany) : std::string();
  if (baza.empty()) {
    Odmowa(std::string("Nie mogę ustalić folderu ") + (autostart ? "Autostart" : "menu Start") + " użytkownika.");
    return false;
  }
  const std::string folder = autostart ? baza : KanonicznaSciezka(platform::JoinPath(baza, folderGrupy));
  if (!fs.DirectoryExists(folder)) return true;
  const std::optional<std::string> koncowy = fs.FinalPath(folder);
  if (!koncowy || !ZgodnaSciezkaKoncowa(folder, *koncowy)) {
    Odmowa("Polecenie RemoveItem nie usunie ikony z folderu " + folder + ": prowadzi on przez dowiązanie do innego "
           "miejsca.");
    return false;
  }
  const std::string k = KanonicznaSciezka(*koncowy);
  if (!plik.empty() && fs.Stat(platform::JoinPath(k, plik))) {
    if (fs.DeleteEntry(k, plik, platform::kEntryFile | platform::kEntryLink | platform::kEntryReadOnly, {}) ==
        platform::DeleteOutcome::Refused) {
      Odmowa("Polecenie RemoveItem nie usunie " + platform::JoinPath(folder, plik) + ": to nie jest ikona programu.");
      return false;
    }
  }
  // A program group left without icons would stay in the Start Menu as an empty folder; the
  // start-up folder and the shell's own folders ("Programs") always stay.
  if (!autostart && PowodOchronyKatalogu(folder).empty()) {
    auto reszta = fs.List(k, "*");
    if (reszta && reszta->empty()) fs.DeleteEntry(Rodzic(k), Nazwa(k), platform::kEntryFolder, {});
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
