// The work-time archive and the modem connection log on arbitrary contents: the archive views, the
// day append over a torn tail and the modem update must neither crash nor lose a whole archive
// record, and a second modem update with the same clock changes nothing (each connection is counted
// once, and today's totals stay the same).
// Input: byte 0 chooses the work-day clock and the switch hour, bytes 1-2 give the archive's length,
// then the archive's bytes, then the modem log's bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/DateTime.h"
#include "documents/Archiwum.h"
#include "documents/Modem.h"
#include "platform/memory/Memory.h"

namespace {

constexpr const char* kArchiwum = "C:\\Kalmo\\A_arch.dat";
constexpr const char* kLog = "C:\\WINDOWS\\ModemLog.txt";

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

size_t Cale(const std::string& b) { return b.size() / ArchiveRecord::kRozmiar * ArchiveRecord::kRozmiar; }

// The record dates of the whole records: an update may add connections to a day, never drop,
// move or add a day.
std::string Daty(const std::string& b) {
  std::string out;
  for (size_t i = 0; i + ArchiveRecord::kRozmiar <= b.size(); i += ArchiveRecord::kRozmiar)
    out.append(b, i, sizeof(double));
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3 || size > 30000) return 0;
  platform::memory::TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  tp.files.AddDirectory("C:\\WINDOWS");
  tp.registry.CreateKey(platform::Root::CurrentUser, "\\Software\\Meltrax Software\\Kalmo\\2.0");
  const std::string modemy = std::string(kKluczModemow) + "\\0000";
  tp.registry.CreateKey(platform::Root::LocalMachine, modemy);
  tp.registry.WriteString(platform::Root::LocalMachine, modemy, "LoggingPath", kLog);

  const double teraz = datetime::Encode(2025, 3, 1 + data[0] % 28, data[0] % 24, 30);
  const int godzina = data[0] % 7;
  const size_t dlugosc = std::min<size_t>(size - 3, data[1] | (data[2] << 8));
  const std::string archiwum(reinterpret_cast<const char*>(data + 3), dlugosc);
  const std::string log(reinterpret_cast<const char*>(data + 3 + dlugosc), size - 3 - dlugosc);
  tp.files.AddFile(kArchiwum, archiwum);
  tp.files.AddFile(kLog, log);

  // The views read any bytes.
  const auto dni = PrzepiszPlikArchiwum(kArchiwum, teraz, 3600, nullptr);
  GrupujMiesiace(dni);
  WczytajCzasyPracyDlaMiesiaca(kArchiwum, teraz, teraz, 3600, true);

  // The modem update keeps every whole record in place and the torn tail as it was.
  StanDziennikaModemu stan;
  const ConnectionTotals pierwsze = UaktualnijArchiwumOPolaczeniaModemowe(kArchiwum, teraz, godzina, stan);
  const std::string poPierwszym = *tp.files.ReadFile(kArchiwum);
  Check(poPierwszym.size() == archiwum.size(), "the modem update changed the archive's size");
  Check(Daty(poPierwszym) == Daty(archiwum), "the modem update moved a day");
  Check(poPierwszym.substr(Cale(poPierwszym)) == archiwum.substr(Cale(archiwum)), "the torn tail changed");
  const std::string logPoPierwszym = *tp.files.ReadFile(kLog);

  const ConnectionTotals drugie = UaktualnijArchiwumOPolaczeniaModemowe(kArchiwum, teraz, godzina, stan);
  Check(*tp.files.ReadFile(kArchiwum) == poPierwszym, "a connection was counted twice");
  Check(*tp.files.ReadFile(kLog) == logPoPierwszym, "the second update rewrote the log again");
  Check(drugie.ConnectionCount == pierwsze.ConnectionCount && drugie.ConnectionSeconds == pierwsze.ConnectionSeconds,
        "today's totals changed between two updates");

  // The next day's record goes after the whole records, in place of a torn tail.
  Check(AppendDayToArchive(kArchiwum, teraz, 60), "append failed");
  const std::string poDopisaniu = *tp.files.ReadFile(kArchiwum);
  Check(poDopisaniu.size() == Cale(archiwum) + ArchiveRecord::kRozmiar, "append left a torn record");
  Check(poDopisaniu.compare(0, Cale(archiwum), poPierwszym, 0, Cale(archiwum)) == 0, "append changed a whole record");
  return 0;
}
