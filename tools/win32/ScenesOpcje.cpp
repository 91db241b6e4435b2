// Scenes of the options dialog (each page), the advanced options and the two small dialogs, over
// settings a user would have after some weeks of use.
#include <windows.h>

#include "common/Dyskowe.h"
#include "common/WinTools.h"
#include "options/Opcje.h"
#include "options/win32/FolderSelection.h"
#include "options/win32/GetString.h"
#include "options/win32/Opcje.h"
#include "options/win32/OpcjeZaawansowane.h"
#include "platform/Platform.h"
#include "settings/Rejestr.h"
#include "tools/win32/Scenes.h"
#include "settings/UstawieniaKalmo.h"

namespace {

const PlikiDanych& Pliki() {
  static const PlikiDanych p = UtworzNazwyPlikow("C:\\Kalmo", "Scena");
  return p;
}

// The settings a user would have: the first run, a few programs, a sound, shortcuts and rules.
void Ustawienia() {
  platform::Fs().CreateDirectory("C:\\Kalmo");
  platform::Fs().CreateDirectory("C:\\Moje dokumenty");
  platform::Fs().CreateDirectory("C:\\Moje dokumenty\\Raporty");
  platform::Fs().CreateDirectory("C:\\Projekty");
  UtworzZmienneRejestrowe(Pliki());
  LimitsRecord l = LimitsRecord::Domyslne();
  l.Programy = "Microsoft Word#Excel#Notatnik#Delphi";
  const auto b = l.ToBytes();
  CreateRegistryBinary(kKluczKalmo, wartosc::Ustawienia, b.data(), static_cast<int>(b.size()));
  WarningOptions w = WarningOptions::PierwszeUruchomienie();
  w.koniecPracy.rodzaj = 2;
  w.koniecPracy.plikDzwieku = "C:\\Windows\\Media\\tada.wav";
  const auto bw = w.ToBytes();
  SetRegistryBinary(kKluczKalmo, wartosc::OpcjeOstrzegania, bw.data(), static_cast<int>(bw.size()));
  WriteTextLines(Pliki().skroty, {"Moje dokumenty#C:\\Moje dokumenty", "Raporty#C:\\Moje dokumenty\\Raporty",
                                  "Projekty#C:\\Projekty", "Aplikacja#C:\\Projekty\\C#\\Aplikacja"});
  WriteTextLines(Pliki().plikiTymczasowe, {"Katalog tymczasowy TEMP#T#*.*#1", "Katalogi kosza systemowego#K#*.*#30",
                                           "C:\\Projekty#P#*.bak#7#*.~*#1"});
}

void Opcje(const char* strona) {
  Ustawienia();
  OtwarcieOpcji o;
  o.strona = strona;
  o.folderProgramu = "C:\\Kalmo";
  o.plikKroniki = Pliki().kronika;
  o.zastosuj = [](const UstawieniaKalmo& u, uint32_t czesci) { return u.Zapisz(czesci); };
  PokazOknoOpcji(nullptr, UstawieniaKalmo::Wczytaj(Pliki()), o);
}

const scenes::Registrar k1("Opcje1Intensywnosc", [] { Opcje("Intensywność pracy"); });
const scenes::Registrar k2("Opcje2Ostrzeganie", [] { Opcje("Ostrzeganie"); });
const scenes::Registrar k3("Opcje3Przypominanie", [] { Opcje("Przypominanie"); });
const scenes::Registrar k4("Opcje4Klawiatura", [] { Opcje("Klawiatura"); });
const scenes::Registrar k5("Opcje5Schowek", [] { Opcje("Schowek"); });
const scenes::Registrar k6("Opcje6PlikiTymczasowe", [] { Opcje("Pliki Tymczasowe"); });
const scenes::Registrar k7("Opcje7Skroty", [] { Opcje("Skróty"); });
const scenes::Registrar k8("Opcje8Modem", [] { Opcje("Modem"); });

const scenes::Registrar kZaawansowane("OpcjeZaawansowane", [] {
  Ustawienia();
  TfrmOpcjeZaawansowane okno(nullptr, UstawieniaKalmo::Wczytaj(), nullptr);
  okno.Pokaz();
});

const scenes::Registrar kGetString("GetString", [] { PobierzTekst(nullptr, kPytanieONazweProgramu); });

const scenes::Registrar kFolder("FolderSelection", [] {
  Ustawienia();
  WybierzFolder(nullptr, "c:\\moje dokumenty\\raporty", true);
});

}  // namespace
