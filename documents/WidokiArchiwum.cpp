#include "documents/WidokiArchiwum.h"

#include "common/DateTime.h"
#include "common/Komunika.h"
#include "common/TimeUtilities.h"
#include "platform/Platform.h"

namespace widoki {

std::vector<ArchiveRecord> RekordyArchiwum(const std::string& bytes) {
  std::vector<ArchiveRecord> out;
  const size_t n = bytes.size() / ArchiveRecord::kRozmiar;
  out.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data()) + i * ArchiveRecord::kRozmiar;
    out.push_back(ArchiveRecord::FromBytes(std::vector<uint8_t>(p, p + ArchiveRecord::kRozmiar)));
  }
  return out;
}

std::vector<ArchiveRecord> DayEntries(const std::vector<ArchiveRecord>& rekordy, const ArchiveRecord& dzis) {
  std::vector<ArchiveRecord> out;
  out.reserve(rekordy.size() + 1);
  for (const ArchiveRecord& r : rekordy)
    if (out.empty() || r.Date > out.back().Date) out.push_back(r);
  if (out.size() > kMaxDni - 1) out.erase(out.begin(), out.end() - static_cast<std::ptrdiff_t>(kMaxDni - 1));
  out.push_back(dzis);
  return out;
}

std::vector<MonthTotal> GrupujMiesiace(const std::vector<ArchiveRecord>& dni) {
  std::vector<MonthTotal> out;
  MonthTotal biezacy;
  for (const ArchiveRecord& d : dni) {
    const datetime::Parts p = datetime::Decode(d.Date);
    if (p.month != biezacy.Month || p.year != biezacy.Year) {
      if (biezacy.Month != 0) out.push_back(biezacy);
      biezacy = MonthTotal{};
      biezacy.Month = p.month;
      biezacy.Year = p.year;
    }
    biezacy.WorkSeconds += d.WorkSeconds;
    biezacy.ConnectionSeconds += d.ConnectionSeconds;
    biezacy.ChargeUnits += d.ChargeUnits;
    biezacy.ConnectionCount += d.ConnectionCount;
  }
  if (biezacy.Month != 0) out.push_back(biezacy);
  if (out.size() > kMaxMiesiecy) out.erase(out.begin(), out.end() - static_cast<std::ptrdiff_t>(kMaxMiesiecy));
  return out;
}

MonthGrid KomorkiMiesiaca(int rok, int miesiac, const std::vector<ArchiveRecord>& rekordy, double dzis,
                          int32_t dzisSekundy) {
  MonthGrid c;
  if (miesiac < 1 || miesiac > 12 || rok < 1 || rok > 9999) return c;
  int przes = datetime::DayOfWeek(datetime::EncodeDate(rok, miesiac, 1)) - 2;
  if (przes == -1) przes = 6;
  const int dni = IleDniMaMiesiac(miesiac, rok);
  c.offset = przes;
  c.rows = (przes + dni + 6) / 7;
  // Six week rows get lower rows so that the grid keeps its height (a month that starts on a
  // Saturday needs six rows too, not only one that starts on a Sunday).
  c.rowHeight = c.rows == 6 ? 43 : 52;
  for (int d = 1; d <= dni; ++d) c.cells[przes + d - 1].day = d;
  auto ustaw = [&](int dzien, int32_t s) {
    if (dzien >= 1 && dzien <= dni) c.cells[przes + dzien - 1].seconds = s;
  };
  for (const ArchiveRecord& r : rekordy) {
    const datetime::Parts p = datetime::Decode(r.Date);
    if (p.year == rok && p.month == miesiac) ustaw(p.day, r.WorkSeconds);
  }
  const datetime::Parts t = datetime::Decode(dzis);
  if (t.year == rok && t.month == miesiac) ustaw(t.day, dzisSekundy);
  return c;
}

std::vector<ArchiveRecord> WczytajRekordyArchiwum(const std::string& plik, const std::string& miejsce) {
  auto& fs = platform::Fs();
  if (!fs.FileExists(plik)) {
    PokazBlad(miejsce, "Brak pliku: " + plik);
    return {};
  }
  const auto bytes = fs.ReadFile(plik);
  if (!bytes) {
    PokazBlad(miejsce, "Nie można odczytać pliku: " + plik);
    return {};
  }
  return RekordyArchiwum(*bytes);
}

}  // namespace widoki
