// Every fixed-layout record read from arbitrary bytes (a damaged registry value or data file): the
// read never fails, writes back exactly the record's size, and what it writes reads back to the
// same bytes again (a second round trip changes nothing).
// The settings as a whole read any value stored under a record's name, of any kind: a value that
// is not the record is kept aside, unchanged, before the defaults are saved over it.
// Input: first byte chooses the record (and, for the settings, the value's name and kind), the
// rest are its stored bytes (any length).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "documents/Archiwum.h"
#include "documents/OrganizatorDokumentow.h"
#include "documents/Statystyka.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"
#include "settings/UstawieniaKalmo.h"

namespace {

template <class Rekord>
void Sprawdz(const std::vector<uint8_t>& bytes, const char* name) {
  const std::vector<uint8_t> first = Rekord::FromBytes(bytes).ToBytes();
  const std::vector<uint8_t> second = Rekord::FromBytes(first).ToBytes();
  if (first.size() != Rekord::kRozmiar || second != first) {
    std::fprintf(stderr, "%s does not round-trip\n", name);
    std::abort();
  }
}

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

// Any value under a settings record's name: read, then every setting stored. What was there is
// either still the value (it was the record) or kept aside under name + "Uszkodzony".
void Ustawienia(uint8_t wybor, const std::vector<uint8_t>& bytes) {
  using platform::Root;
  static const char* const kNazwy[] = {wartosc::Ustawienia, wartosc::OpcjeOstrzegania, wartosc::OpcjeSchowka,
                                       wartosc::OpcjePlikowTymczasowych};
  static const size_t kRozmiary[] = {LimitsRecord::kRozmiar, WarningOptions::kRozmiar, OpcjeSchowka::kRozmiar,
                                     OpcjePlikowTymczasowych::kRozmiar};
  platform::memory::TestPlatform tp;
  tp.registry.CreateKey(Root::CurrentUser, kKluczKalmo);
  const std::string nazwa = kNazwy[wybor % 4];
  const std::string tekst(bytes.begin(), bytes.end());
  const uint32_t liczba = bytes.size() >= 4 ? bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t{bytes[3]} << 24 : 0;
  switch (wybor / 4 % 3) {
    case 0: tp.registry.WriteBinary(Root::CurrentUser, kKluczKalmo, nazwa, bytes); break;
    case 1: tp.registry.WriteString(Root::CurrentUser, kKluczKalmo, nazwa, tekst); break;
    case 2: tp.registry.WriteDword(Root::CurrentUser, kKluczKalmo, nazwa, liczba); break;
  }
  UstawieniaKalmo::Wczytaj().Zapisz();
  const std::string obok = nazwa + "Uszkodzony";
  switch (wybor / 4 % 3) {
    case 0:
      // A value of the record's size is the record (stored back normalized).
      if (bytes.size() != kRozmiary[wybor % 4])
        Check(tp.registry.ReadBinary(Root::CurrentUser, kKluczKalmo, obok) == bytes, "a damaged record was saved over");
      break;
    case 1:
      Check(tp.registry.ReadString(Root::CurrentUser, kKluczKalmo, obok) == tekst, "a text in a record's place was lost");
      break;
    case 2:
      Check(tp.registry.ReadDword(Root::CurrentUser, kKluczKalmo, obok) == liczba, "a number in a record's place was lost");
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::memory::TestPlatform* platform = new platform::memory::TestPlatform();
  (void)platform;
  if (size == 0) return 0;
  const std::vector<uint8_t> bytes(data + 1, data + size);
  switch (data[0] % 9) {
    case 0: Sprawdz<WarningOptions>(bytes, "WarningOptions"); break;
    case 1: Sprawdz<OpcjePlikowTymczasowych>(bytes, "OpcjePlikowTymczasowych"); break;
    case 2: Sprawdz<OpcjeSchowka>(bytes, "OpcjeSchowka"); break;
    case 3: Sprawdz<TodayRecord>(bytes, "TodayRecord"); break;
    case 4: Sprawdz<LimitsRecord>(bytes, "LimitsRecord"); break;
    case 5: Sprawdz<ArchiveRecord>(bytes, "ArchiveRecord"); break;
    case 6: Sprawdz<DocumentRecord>(bytes, "DocumentRecord"); break;
    case 7: Sprawdz<StatisticsOptions>(bytes, "StatisticsOptions"); break;
    case 8: Ustawienia(data[0] / 9, bytes); break;
  }
  return 0;
}
