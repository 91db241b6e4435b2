#include "documents/Archiwum.h"

#include "app/Globalne.h"
#include "platform/Platform.h"

std::vector<uint8_t> ArchiveRecord::ToBytes() const {
  std::vector<uint8_t> b(kRozmiar, 0);
  bajty::PutF64(b, 0, Date);
  bajty::PutI32(b, 8, WorkSeconds);
  bajty::PutI32(b, 12, ConnectionSeconds);
  bajty::PutI32(b, 16, ConnectionCount);
  bajty::PutI32(b, 20, ChargeUnits);
  return b;
}

ArchiveRecord ArchiveRecord::FromBytes(const std::vector<uint8_t>& b) {
  ArchiveRecord r;
  r.Date = bajty::GetF64(b, 0);
  r.WorkSeconds = bajty::GetI32(b, 8);
  r.ConnectionSeconds = bajty::GetI32(b, 12);
  r.ConnectionCount = bajty::GetI32(b, 16);
  r.ChargeUnits = bajty::GetI32(b, 20);
  return r;
}

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
