#include "documents/Archiwum.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/TimeUtilities.h"

#include "settings/Globalne.h"
#include "platform/Platform.h"

namespace {

std::vector<ArchiveRecord> Rekordy(const std::string& bytes) {
  std::vector<ArchiveRecord> out;
  out.reserve(bytes.size() / ArchiveRecord::kRozmiar);
  for (size_t i = 0; i + ArchiveRecord::kRozmiar <= bytes.size(); i += ArchiveRecord::kRozmiar) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data()) + i;
    out.push_back(ArchiveRecord::FromBytes(std::vector<uint8_t>(p, p + ArchiveRecord::kRozmiar)));
  }
  return out;
}

// Files whose torn tail the user has been told of in this run: the statistics window, the modem
// update and the day's append all read the archive, and one message is enough. A file seen whole
// again is forgotten, so that a later tear is told as well.
std::set<std::string>& ZgloszoneOgony() {
  static std::set<std::string> zgloszone;
  return zgloszone;
}

// Tells the user once of a last record cut short (an interrupted write): the whole records before
// it are all kept, the fragment is skipped by the readers and replaced by the next day's append.
void SprawdzOgon(const std::string& file, size_t size, const char* place) {
  const size_t reszta = size % ArchiveRecord::kRozmiar;
  if (reszta == 0) {
    ZgloszoneOgony().erase(file);
    return;
  }
  if (!ZgloszoneOgony().insert(file).second) return;
  PokazBlad(place, "Plik archiwum " + file + " kończy się niepełnym zapisem dnia (bajtów: " +
                       std::to_string(reszta) + "), który pominięto. Zachowane pełne dni: " +
                       std::to_string(size / ArchiveRecord::kRozmiar) + ".");
}

// Saturating sum, so that a damaged record cannot wrap a total.
void Dodaj(int32_t& a, int64_t b) {
  a = static_cast<int32_t>(std::clamp<int64_t>(int64_t{a} + b, INT32_MIN, INT32_MAX));
}

}  // namespace

bool AppendDayToArchive(const std::string& file, double date, int32_t workSeconds) {
  auto& fs = platform::Fs();
  ArchiveRecord r;
  r.Date = date;
  r.WorkSeconds = workSeconds;
  const std::vector<uint8_t> rec = r.ToBytes();
  const std::string bytes(rec.begin(), rec.end());
  if (!fs.FileExists(file)) return fs.WriteFileReplacing(file, bytes);
  const auto st = fs.Stat(file);
  if (st && st->size % ArchiveRecord::kRozmiar == 0) {
    ZgloszoneOgony().erase(file);
    return fs.AppendFile(file, bytes);
  }
  // The record goes at the position of the record count, over a torn tail.
  const auto old = fs.ReadFile(file);
  if (!old) return false;
  SprawdzOgon(file, old->size(), "TInfoSaver.AppendDayToArchive");
  const size_t whole = old->size() / ArchiveRecord::kRozmiar * ArchiveRecord::kRozmiar;
  if (!fs.WriteFileReplacing(file, old->substr(0, whole) + bytes)) return false;
  ZgloszoneOgony().erase(file);
  return true;
}

bool DataDniaArchiwum(double data, double dzisDniaPracy) {
  // A date after the running day (a clock once set ahead, a damaged record) would hide every
  // later day behind it; one that is no number at all has no place among them.
  return std::isfinite(data) && datetime::DatePart(data) <= datetime::DatePart(dzisDniaPracy);
}

std::vector<ArchiveRecord> PrzepiszPlikArchiwum(const std::string& file, double dzisDniaPracy, int32_t pracaDzis,
                                                const std::function<ConnectionTotals()>& modem,
                                                std::vector<ArchiveRecord>* wszystkie) {
  auto& fs = platform::Fs();
  if (wszystkie) wszystkie->clear();
  if (!fs.FileExists(file)) {
    PokazBlad("TfrmStatystyka.PrzepiszPlikArchiwum", "Brak pliku: " + file);
    return {};
  }
  const ConnectionTotals dzis = modem ? modem() : ConnectionTotals{};
  std::vector<ArchiveRecord> dni;
  const auto bytes = fs.ReadFile(file);
  if (!bytes) {
    PokazBlad("TfrmStatystyka.PrzepiszPlikArchiwum", "Nie mogę odczytać pliku: " + file);
  } else {
    SprawdzOgon(file, bytes->size(), "TfrmStatystyka.PrzepiszPlikArchiwum");
    std::vector<ArchiveRecord> rekordy = Rekordy(*bytes);
    DodajPolaczenia(rekordy, dzis.niezapisane);
    dni.reserve(rekordy.size() + 1);
    for (const ArchiveRecord& r : rekordy)
      if (DataDniaArchiwum(r.Date, dzisDniaPracy) && (dni.empty() || r.Date > dni.back().Date)) dni.push_back(r);
    if (wszystkie) *wszystkie = std::move(rekordy);
  }
  ArchiveRecord teraz;
  teraz.Date = datetime::DatePart(dzisDniaPracy);
  teraz.WorkSeconds = pracaDzis;
  if (dzis.completed) {
    teraz.ConnectionSeconds = dzis.ConnectionSeconds;
    teraz.ConnectionCount = dzis.ConnectionCount;
    teraz.ChargeUnits = dzis.ChargeUnits;
  }
  dni.push_back(teraz);
  return dni;
}

std::vector<MonthTotal> GrupujMiesiace(const std::vector<ArchiveRecord>& dni) {
  std::vector<MonthTotal> miesiace;
  for (const ArchiveRecord& r : dni) {
    const datetime::Parts d = datetime::Decode(r.Date);
    if (miesiace.empty() || miesiace.back().Month != d.month || miesiace.back().Year != d.year) {
      MonthTotal m;
      m.Month = d.month;
      m.Year = d.year;
      miesiace.push_back(m);
    }
    MonthTotal& m = miesiace.back();
    Dodaj(m.WorkSeconds, r.WorkSeconds);
    Dodaj(m.ConnectionSeconds, r.ConnectionSeconds);
    Dodaj(m.ChargeUnits, r.ChargeUnits);
    Dodaj(m.ConnectionCount, r.ConnectionCount);
  }
  return miesiace;
}

MonthGrid WczytajCzasyPracyDlaMiesiaca(const std::string& file, double dataWMiesiacu, double dzisDniaPracy,
                                       int32_t pracaDzis, bool zglosBrakPliku) {
  MonthGrid g;
  const datetime::Parts m = datetime::Decode(dataWMiesiacu);
  int offset = datetime::DayOfWeek(datetime::EncodeDate(m.year, m.month, 1)) - 2;
  if (offset == -1) offset = 6;
  const int dni = IleDniMaMiesiac(m.month, m.year);
  g.offset = offset;
  g.rows = (offset + dni + 6) / 7;
  // Six week rows only fit at the lower height; every month that needs them gets it.
  g.rowHeight = g.rows > 5 ? 43 : 52;
  for (int d = 1; d <= dni; ++d) g.cells[offset + d - 1].day = d;
  auto seconds = [&](int day) -> int32_t& { return g.cells[offset + day - 1].seconds; };

  auto& fs = platform::Fs();
  if (!fs.FileExists(file)) {
    if (zglosBrakPliku) PokazBlad("TfrmStatystyka.WczytajCzasyPracyDlaMiesiaca", "Brak pliku: " + file);
    return g;
  }
  if (const auto bytes = fs.ReadFile(file)) {
    SprawdzOgon(file, bytes->size(), "TfrmStatystyka.WczytajCzasyPracyDlaMiesiaca");
    for (const ArchiveRecord& r : Rekordy(*bytes)) {
      const datetime::Parts d = datetime::Decode(r.Date);
      if (d.year == m.year && d.month == m.month && d.day >= 1 && d.day <= dni) seconds(d.day) = r.WorkSeconds;
    }
  } else {
    PokazBlad("TfrmStatystyka.WczytajCzasyPracyDlaMiesiaca", "Nie mogę odczytać pliku: " + file);
  }
  const datetime::Parts t = datetime::Decode(dzisDniaPracy);
  if (t.year == m.year && t.month == m.month) seconds(t.day) = pracaDzis;
  return g;
}

int32_t JednostkiTaryfowe(int32_t seconds) {
  if (seconds <= 0) return 0;
  return seconds / 180 + (seconds % 180 > 0 ? 1 : 0);
}

void AddConnection(int32_t seconds, ConnectionTotals& t) {
  Dodaj(t.ConnectionSeconds, seconds);
  Dodaj(t.ConnectionCount, 1);
  Dodaj(t.ChargeUnits, JednostkiTaryfowe(seconds));
}

void AddConnection(int32_t seconds, ArchiveRecord& r) {
  Dodaj(r.ConnectionSeconds, seconds);
  Dodaj(r.ConnectionCount, 1);
  Dodaj(r.ChargeUnits, JednostkiTaryfowe(seconds));
}

bool DodajPolaczenia(std::vector<ArchiveRecord>& rekordy, const std::vector<Polaczenie>& polaczenia) {
  bool zmiana = false;
  for (const Polaczenie& p : polaczenia) {
    const int32_t dzien = datetime::DatePart(p.start);
    for (ArchiveRecord& r : rekordy) {
      if (datetime::DatePart(r.Date) != dzien) continue;
      AddConnection(p.seconds, r);
      zmiana = true;
    }
  }
  return zmiana;
}

bool DopiszDoArchiwum(const std::string& file, const std::vector<Polaczenie>& polaczenia) {
  auto& fs = platform::Fs();
  if (!fs.FileExists(file)) {
    PokazBlad("TfrmStatystyka. UaktualnijArchiwumOPolaczeniaModemowe. DopiszDoArchiwum", "Brak pliku: " + file);
    return false;
  }
  if (polaczenia.empty()) return true;
  const auto bytes = fs.ReadFile(file);
  if (!bytes) return false;
  SprawdzOgon(file, bytes->size(), "TfrmStatystyka. UaktualnijArchiwumOPolaczeniaModemowe. DopiszDoArchiwum");
  std::vector<ArchiveRecord> rekordy = Rekordy(*bytes);
  if (!DodajPolaczenia(rekordy, polaczenia)) return true;
  std::string out;
  out.reserve(bytes->size());
  for (const ArchiveRecord& r : rekordy) {
    const auto b = r.ToBytes();
    out.append(b.begin(), b.end());
  }
  // A torn tail stays as it was; the append of the next day puts its record in its place.
  out += bytes->substr(rekordy.size() * ArchiveRecord::kRozmiar);
  return fs.WriteFileReplacing(file, out);
}

bool DopiszDoArchiwum(const std::string& file, int32_t seconds, double start) {
  return DopiszDoArchiwum(file, std::vector<Polaczenie>{{seconds, start}});
}
