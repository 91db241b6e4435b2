// Scenes of the installer's windows, filled as a real installation of Kalmo would fill them.
#include <windows.h>

#include "base/Cp1250.h"
#include "common/win32/Win32Dialogs.h"
#include "common/win32/Window.h"
#include "common/Komunika.h"
#include "installer/Granice.h"
#include "installer/Instal.h"
#include "installer/win32/Deinstalacja.h"
#include "installer/win32/Glowny.h"
#include "installer/win32/Inicjal.h"
#include "installer/win32/Licencja.h"
#include "installer/win32/Showprcs.h"
#include "installer/win32/Wybgrupy.h"
#include "installer/win32/Zmienkat.h"
#include "platform/memory/Memory.h"
#include "tools/win32/Scenes.h"

namespace {

platform::memory::MemoryFiles& Pliki() {
  return *dynamic_cast<platform::memory::MemoryFiles*>(platform::Current().files);
}

// The icon of a distribution made by dist/make-dist.sh, when there is one beside the build.
std::string IkonaDystrybucji() {
  wchar_t sciezka[MAX_PATH];
  GetModuleFileNameW(nullptr, sciezka, MAX_PATH);
  std::string katalog = win::Narrow(sciezka);
  katalog = katalog.substr(0, katalog.rfind('\\'));
  const std::string ikona = katalog + "\\..\\dist\\Kalmo\\icon.ico";
  return GetFileAttributesW(win::Widen(ikona).c_str()) != INVALID_FILE_ATTRIBUTES ? ikona : std::string();
}

void PetlaDo(HWND okno) {
  MSG msg;
  while (IsWindow(okno) && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(okno, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

void Glowne(bool brakMiejsca, bool grupa) {
  SetApplicationTitle("Instaluj");
  TStanInstalacji stan;
  stan.sciezkaDocelowa = "C:\\Kalmo";
  stan.nazwaGrupy = grupa ? "Kalmo" : kNieokreslone;
  stan.nazwaProgramu = "Kalmo";
  stan.wymaganeMiejsce = brakMiejsca ? 250 : 2.5;
  DaneOknaGlownego dane;
  dane.nazwaProgramu = "Kalmo - asystent komputerowy";
  dane.grupaDostepna = grupa;
  dane.nazwaGrupy = grupa ? "Kalmo" : "";
  dane.sciezkaDocelowa = "C:\\Kalmo";
  dane.wymaganeMiejsce = brakMiejsca ? "250.0 MB" : "2.5 MB";
  dane.dostepneMiejsce = brakMiejsca ? "112.4 MB" : "18432.7 MB";
  dane.brakMiejsca = brakMiejsca;
  dane.ikona = IkonaDystrybucji();
  dane.licencja = "C:\\Dystrybucja\\Licencja.txt";
  TfrmGlowna glowna;
  glowna.PokazOknoGlowne(stan, dane);
}

const scenes::Registrar kGlowny("InstalatorGlowny", [] { Glowne(false, true); });
const scenes::Registrar kBrakMiejsca("InstalatorGlownyBrakMiejsca", [] { Glowne(true, true); });
const scenes::Registrar kBezGrupy("InstalatorGlownyBezGrupy", [] { Glowne(false, false); });

const scenes::Registrar kStart("InstalatorStart", [] {
  TfrmInicjalizacja start;
  start.Pokaz();
  PetlaDo(start.Hwnd());
});

const scenes::Registrar kPostep("InstalatorPostep", [] {
  TStanInstalacji stan;
  TfrmShowProces postep;
  postep.Pokaz(stan, 13);
  postep.PokazPlik("KALMO.EX_", "c:\\users\\jan\\temp\\kalmo.exe");
  postep.UstawPozycje(8);
  PetlaDo(postep.Hwnd());
});

// A newer file already installed is kept, and the progress says so.
const scenes::Registrar kPostepUwaga("InstalatorPostepUwaga", [] {
  TStanInstalacji stan;
  TfrmShowProces postep;
  postep.Pokaz(stan, 13);
  postep.PokazPlik("HOOK.DL_", "c:\\users\\jan\\temp\\instaler-1\\hook.dll");
  postep.PokazUwage("Plik HOOK.dll w katalogu docelowym ma nowszą wersję (2.1.0.0) niż instalowana (2.0.2.0) i zostaje "
                    "bez zmian.");
  postep.UstawPozycje(9);
  PetlaDo(postep.Hwnd());
});

// "Instaluj" with a destination that holds the user's own files.
const scenes::Registrar kKatalogZajety("InstalatorKatalogZajety", [] {
  SetApplicationTitle("Instaluj");
  Pliki().AddFile("C:\\Dokumenty\\list.doc", "");
  Komunikat(SprawdzKatalogInstalacji("C:\\Dokumenty", "Kalmo"), rkOstrzezenie);
});

const scenes::Registrar kGrupa("InstalatorGrupa", [] {
  TfrmWyborGrupy okno;
  okno.Pokaz(nullptr, "Kalmo");
});

const scenes::Registrar kZmienKatalog("InstalatorZmienKatalog", [] {
  auto& pliki = Pliki();
  pliki.drives = {{'A', platform::DriveKind::Removable}, {'C', platform::DriveKind::Fixed},
                  {'D', platform::DriveKind::CdRom}, {'E', platform::DriveKind::Remote}};
  for (const char* k : {"C:\\Programy\\Gry", "C:\\Programy\\Narzędzia", "C:\\Programy\\Pakiet biurowy",
                        "C:\\Windows", "C:\\Moje dokumenty"})
    pliki.AddDirectory(k);
  TfrmZmienKatalog okno;
  okno.Pokaz(nullptr, "C:\\Programy\\Nowy\\Kalmo");
});

const scenes::Registrar kLicencja("InstalatorLicencja", [] {
  const char* tekst =
      "KALMO - ASYSTENT KOMPUTEROWY, wersja 2.02\r\nLicencja i ograniczona gwarancja\r\n\r\n"
      "1. Program Kalmo wolno instalować i używać na dowolnej liczbie komputerów, do użytku prywatnego i "
      "służbowego, bez opłat.\r\n\r\n"
      "2. Program wolno kopiować i przekazywać innym osobom wyłącznie w całości, razem z programem "
      "instalacyjnym i tym plikiem licencji, bez zmian i bez pobierania za to opłat.\r\n\r\n"
      "3. Program jest dostarczany w takim stanie, w jakim jest. Autorzy dołożyli starań, aby działał "
      "poprawnie, ale nie udzielają żadnej gwarancji, że będzie on odpowiadał potrzebom użytkownika ani że "
      "będzie działał bez błędów.\r\n";
  Pliki().AddFile("C:\\Dystrybucja\\Licencja.txt", cp1250::FromUtf8(tekst));
  TfrmLicencja okno;
  okno.Pokaz(nullptr, "C:\\Dystrybucja\\Licencja.txt");
});

const scenes::Registrar kDeinstalator("InstalatorDeinstalator", [] {
  TfrmDeinstalacja okno;
  okno.Pokaz("Kalmo", IkonaDystrybucji(), [] {});
});

}  // namespace
