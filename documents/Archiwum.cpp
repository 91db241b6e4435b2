#include "documents/Archiwum.h"

#include "settings/Globalne.h"
#include "platform/Platform.h"

bool AppendDayToArchive(const std::string& file, double date, int32_t workSeconds) {
  auto& fs = platform::Fs();
  ArchiveRecord r;
  r.Date = date;
  r.WorkSeconds = workSeconds;
  const std::vector<uint8_t> rec = r.ToBytes();
  const std::string bytes(rec.begin(), rec.end());
  if (!fs.FileExists(file)) return fs.WriteFileReplacing(file, bytes);
  const auto st = fs.Stat(file);
  if (st && st->size % ArchiveRecord::kRozmiar == 0) return fs.AppendFile(file, bytes);
  // The record goes at the position of the record count, over a torn tail.
  const auto old = fs.ReadFile(file);
  if (!old) return false;
  const size_t whole = old->size() / ArchiveRecord::kRozmiar * ArchiveRecord::kRozmiar;
  return fs.WriteFileReplacing(file, old->substr(0, whole) + bytes);
}
