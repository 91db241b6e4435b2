#include "settings/Rejestr.h"

#include <vector>

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Tekstowe.h"
#include "platform/Platform.h"

namespace {

constexpr platform::Root kRoot = platform::Root::CurrentUser;

void ZglosNieOtwartyKlucz(const char* miejsce, const std::string& nazwa) {
  PokazBlad(miejsce, Format("Nie mogę otworzyć klucza:  key = %d, subkey = %s, var = %s",
                            platform::RootAsSigned(kRoot), kKluczKalmo, nazwa.c_str()));
}

// The key's own listing decides, as Windows compares value names: letter case does not count.
bool NaLiscie(const std::vector<std::string>& nazwy, const std::string& nazwa) {
  const std::string szukana = LowerCasePL(nazwa);
  for (const std::string& n : nazwy)
    if (LowerCasePL(n) == szukana) return true;
  return false;
}

// Text lines of a data file: Windows-1250, every line ended by CR LF.
std::string Linie(std::initializer_list<const char*> linie) {
  std::string tekst;
  for (const char* l : linie) tekst += cp1250::FromUtf8(l) + "\r\n";
  return tekst;
}

}  // namespace

int32_t RejReadInteger(const std::string& nazwa, int32_t domyslna) {
  static const char* kMiejsce = "U:Rejestr P:RejReadInteger";
  return Guarded(kMiejsce, [&]() -> int32_t {
    auto& reg = platform::Reg();
    const auto nazwy = reg.ValueNames(kRoot, kKluczKalmo);
    if (!nazwy) {
      ZglosNieOtwartyKlucz(kMiejsce, nazwa);
      return 0;
    }
    if (!NaLiscie(*nazwy, nazwa) && !reg.WriteDword(kRoot, kKluczKalmo, nazwa, static_cast<uint32_t>(domyslna))) {
      PokazBlad(kMiejsce, kBladNierozpoznany);
      return domyslna;
    }
    const auto v = reg.ReadDword(kRoot, kKluczKalmo, nazwa);
    if (!v) {
      // Present but not an integer: kept aside once under name + "Uszkodzony", told once, and
      // the default takes its place.
      const std::string obok = nazwa + "Uszkodzony";
      if (!NaLiscie(*nazwy, obok)) reg.CopyValue(kRoot, kKluczKalmo, nazwa, obok);
      PokazBlad(kMiejsce, "Podana zmienna ma nieprawidłowy typ lub rozmiar! klucz: " + std::string(kKluczKalmo) +
                              ", varname: " + nazwa);
      reg.WriteDword(kRoot, kKluczKalmo, nazwa, static_cast<uint32_t>(domyslna));
      return domyslna;
    }
    return static_cast<int32_t>(*v);
  });
}

void RejWriteInteger(const std::string& nazwa, int32_t wartosc) {
  static const char* kMiejsce = "U:Rejestr P:RejWriteInteger";
  Guarded(kMiejsce, [&] {
    auto& reg = platform::Reg();
    if (!reg.KeyExists(kRoot, kKluczKalmo)) {
      ZglosNieOtwartyKlucz(kMiejsce, nazwa);
      return;
    }
    if (!reg.WriteDword(kRoot, kKluczKalmo, nazwa, static_cast<uint32_t>(wartosc))) PokazBlad(kMiejsce, kBladNierozpoznany);
  });
}

std::string RejReadString(const std::string& nazwa, const std::string& domyslna) {
  static const char* kMiejsce = "U:Rejestr P:RejReadString";
  return Guarded(kMiejsce, [&]() -> std::string {
    auto& reg = platform::Reg();
    const auto nazwy = reg.ValueNames(kRoot, kKluczKalmo);
    if (!nazwy) {
      ZglosNieOtwartyKlucz(kMiejsce, nazwa);
      return std::string();
    }
    if (!NaLiscie(*nazwy, nazwa) && !reg.WriteString(kRoot, kKluczKalmo, nazwa, domyslna)) {
      PokazBlad(kMiejsce, kBladNierozpoznany);
      return domyslna;
    }
    auto v = reg.ReadString(kRoot, kKluczKalmo, nazwa);
    if (!v) {
      PokazBlad(kMiejsce, kBladNierozpoznany);
      return domyslna;
    }
    return *v;
  });
}

void RejWriteString(const std::string& nazwa, const std::string& wartosc) {
  static const char* kMiejsce = "U:Rejestr P:RejWriteString";
  Guarded(kMiejsce, [&] {
    auto& reg = platform::Reg();
    if (!reg.KeyExists(kRoot, kKluczKalmo)) {
      ZglosNieOtwartyKlucz(kMiejsce, nazwa);
      return;
    }
    if (!reg.WriteString(kRoot, kKluczKalmo, nazwa, wartosc)) PokazBlad(kMiejsce, kBladNierozpoznany);
  });
}

bool RejKluczIstnieje() { return platform::Reg().KeyExists(kRoot, kKluczKalmo); }

bool RejZmiennaIstnieje(const std::string& nazwa) {
  const auto nazwy = platform::Reg().ValueNames(kRoot, kKluczKalmo);
  return nazwy && NaLiscie(*nazwy, nazwa);
}

void UtworzZmienneRejestrowe(const PlikiDanych& pliki) {
  static const char* kMiejsce = "TfrmGlowna.UtworzZmienneRejestrowe";
  Guarded(kMiejsce, [&] {
    auto& reg = platform::Reg();
    auto& fs = platform::Fs();
    if (!reg.CreateKey(kRoot, kKluczKalmo)) {
      PokazBlad(kMiejsce, "Nie mogę otworzyć klucza.");
      return;
    }
    // A step that fails stops the creation, as a raised failure would. A data file that is
    // already there belongs to a user whose settings were removed (or to this user on another
    // profile): the defaults are written only where no file exists.
    auto domyslnyPlik = [&fs](const std::string& plik, const std::string& tresc) {
      return fs.FileExists(plik) || fs.WriteFileReplacing(plik, tresc);
    };
    const bool zapisane =
        reg.WriteString(kRoot, kKluczKalmo, wartosc::Aktywnosc3D, kNie) &&
        reg.WriteBinary(kRoot, kKluczKalmo, wartosc::OpcjeOstrzegania, WarningOptions::PierwszeUruchomienie().ToBytes()) &&
        reg.WriteBinary(kRoot, kKluczKalmo, wartosc::OpcjeSchowka, OpcjeSchowka::PierwszeUruchomienie().ToBytes()) &&
        reg.WriteBinary(kRoot, kKluczKalmo, wartosc::OpcjePlikowTymczasowych,
                        OpcjePlikowTymczasowych::PierwszeUruchomienie().ToBytes()) &&
        domyslnyPlik(pliki.plikiTymczasowe,
                     Linie({"Katalog tymczasowy TEMP#T#*.*#1", "Katalogi kosza systemowego#K#*.*#30"})) &&
        domyslnyPlik(pliki.goraceKlawisze,
                     Linie({"Shift+Ctrl+P#Przerwa", "Ctrl+=#Wyświetla listę monitorowanych dokumentów",
                            "Ctrl+D#Wyświetla historię schowka", "Shift+Ctrl+I#Wyświetla informacje dnia"}));
    if (!zapisane) {
      PokazBlad(kMiejsce, kBladNierozpoznany);
      return;
    }
    if (fs.FileExists(pliki.skroty)) return;
    const auto windows = fs.WindowsDirectory();
    if (!windows || windows->empty()) return;
    const std::string mojeDokumenty = std::string(1, (*windows)[0]) + ":\\Moje dokumenty";
    if (!fs.DirectoryExists(mojeDokumenty)) return;
    if (!fs.WriteFileReplacing(pliki.skroty, cp1250::FromUtf8("Moje dokumenty#" + mojeDokumenty) + "\r\n"))
      PokazBlad(kMiejsce, kBladNierozpoznany);
  });
}
