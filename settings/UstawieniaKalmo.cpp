#include "settings/UstawieniaKalmo.h"

#include <optional>
#include <vector>

#include "settings/Rejestr.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/WinTools.h"
#include "platform/Platform.h"

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

}  // namespace

UstawieniaKalmo UstawieniaKalmo::Wczytaj() {
  UstawieniaKalmo u;
  if (auto b = Rekord(wartosc::Ustawienia, LimitsRecord::kRozmiar)) u.limity = LimitsRecord::FromBytes(*b);
  if (auto b = Rekord(wartosc::OpcjeOstrzegania, WarningOptions::kRozmiar)) u.ostrzeganie = WarningOptions::FromBytes(*b);
  if (auto b = Rekord(wartosc::OpcjeSchowka, OpcjeSchowka::kRozmiar)) u.schowek = OpcjeSchowka::FromBytes(*b);
  if (auto b = Rekord(wartosc::OpcjePlikowTymczasowych, OpcjePlikowTymczasowych::kRozmiar))
    u.plikiTymczasowe = OpcjePlikowTymczasowych::FromBytes(*b);
  u.aktywnosc3D = RejReadString(wartosc::Aktywnosc3D, kNie) == kTak;
  u.znakiFiltrujace = RejReadString(wartosc::ZnakiFiltrujace, "-[");
  u.lewyAlt = Tak(wartosc::LewyAlt);
  u.pauseKey = Tak(wartosc::PauseKey);
  u.rejestracjaPolaczen = Tak(wartosc::RejestracjaPolaczen);
  u.cenaPolaczeniaModemowego = RejReadInteger(wartosc::CenaPolaczeniaModemowego, 2318);
  return u;
}

bool UstawieniaKalmo::Zapisz() const {
  static const char* kMiejsce = "UstawieniaKalmo.Zapisz";
  if (!RejKluczIstnieje()) {
    PokazBlad(kMiejsce, "Nie mogę otworzyć klucza.");
    return false;
  }
  auto& reg = platform::Reg();
  OpcjePlikowTymczasowych pt = plikiTymczasowe;
  // A quiet read: a damaged value was reported, and kept aside, when the snapshot was read.
  if (auto b = reg.ReadBinary(kRoot, kKluczKalmo, wartosc::OpcjePlikowTymczasowych);
      b && b->size() == OpcjePlikowTymczasowych::kRozmiar)
    pt.ostatnieCzyszczenie = OpcjePlikowTymczasowych::FromBytes(*b).ostatnieCzyszczenie;
  const bool rekordy = reg.WriteBinary(kRoot, kKluczKalmo, wartosc::Ustawienia, limity.ToBytes()) &&
                       reg.WriteBinary(kRoot, kKluczKalmo, wartosc::OpcjeOstrzegania, ostrzeganie.ToBytes()) &&
                       reg.WriteBinary(kRoot, kKluczKalmo, wartosc::OpcjeSchowka, schowek.ToBytes()) &&
                       reg.WriteBinary(kRoot, kKluczKalmo, wartosc::OpcjePlikowTymczasowych, pt.ToBytes());
  RejWriteString(wartosc::Aktywnosc3D, aktywnosc3D ? kTak : kNie);
  RejWriteString(wartosc::ZnakiFiltrujace, znakiFiltrujace);
  RejWriteString(wartosc::LewyAlt, lewyAlt ? kTak : kNie);
  RejWriteString(wartosc::PauseKey, pauseKey ? kTak : kNie);
  RejWriteString(wartosc::RejestracjaPolaczen, rejestracjaPolaczen ? kTak : kNie);
  RejWriteInteger(wartosc::CenaPolaczeniaModemowego, cenaPolaczeniaModemowego);
  if (!rekordy) PokazBlad(kMiejsce, kBladNierozpoznany);
  return rekordy;
}
