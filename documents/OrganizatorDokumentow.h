#pragma once
// Monitored documents: their records in memory and in the "_dok.dat" file (flat 136-byte
// records, no header).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/Bajty.h"

struct DocumentRecord {
  static constexpr size_t kRozmiar = 136;
  static constexpr size_t kMaxNazwa = 120;
  std::string Name;  // UTF-8; stored as a short string of up to 120 Windows-1250 characters
  int32_t Seconds = 0;
  double LastSeen = 0;  // work-day time of the last tick that found the window; 0 = never

  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p.Tekst(0, kMaxNazwa, r.Name);
    p(124, r.Seconds);
    p(128, r.LastSeen);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  static DocumentRecord FromBytes(const std::vector<uint8_t>& b) { return bajty::Odczytaj<DocumentRecord>(b); }
};

// Raised by the organizer's file operations.
class ETArchiwumDokumentList : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TOrganizatorDokumentow {
 public:
  int Add(const DocumentRecord& r);  // returns the new index
  void Delete(int index);            // std::out_of_range for a bad index
  int32_t Count() const { return static_cast<int32_t>(rekordy_.size()); }
  DocumentRecord Get(int index) const;
  void Put(int index, const DocumentRecord& r);
  // First record whose name equals the text exactly, or -1.
  int IndexOf(const std::string& name) const;

  // Writes every record with a non-empty name, in list order, replacing the file in one step.
  void SaveToFile(const std::string& file) const;
  // Appends the file's records to the list (the list is not cleared). Whole records read before
  // a damaged tail stay in the list; the damage is still reported.
  void LoadFromFile(const std::string& file);

 private:
  std::vector<DocumentRecord> rekordy_;
};
