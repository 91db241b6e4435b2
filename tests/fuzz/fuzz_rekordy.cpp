// Every fixed-layout record read from arbitrary bytes (a damaged registry value or data file): the
// read never fails, writes back exactly the record's size, and what it writes reads back to the
// same bytes again (a second round trip changes nothing).
// Input: first byte chooses the record, the rest are its stored bytes (any length).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "documents/Archiwum.h"
#include "documents/OrganizatorDokumentow.h"
#include "platform/memory/Memory.h"
#include "settings/Globalne.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::memory::TestPlatform* platform = new platform::memory::TestPlatform();
  (void)platform;
  if (size == 0) return 0;
  const std::vector<uint8_t> bytes(data + 1, data + size);
  switch (data[0] % 7) {
    case 0: Sprawdz<WarningOptions>(bytes, "WarningOptions"); break;
    case 1: Sprawdz<OpcjePlikowTymczasowych>(bytes, "OpcjePlikowTymczasowych"); break;
    case 2: Sprawdz<OpcjeSchowka>(bytes, "OpcjeSchowka"); break;
    case 3: Sprawdz<TodayRecord>(bytes, "TodayRecord"); break;
    case 4: Sprawdz<LimitsRecord>(bytes, "LimitsRecord"); break;
    case 5: Sprawdz<ArchiveRecord>(bytes, "ArchiveRecord"); break;
    case 6: Sprawdz<DocumentRecord>(bytes, "DocumentRecord"); break;
  }
  return 0;
}
