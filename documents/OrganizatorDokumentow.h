#pragma once
// Monitored documents: their records in memory and in the "_dok.dat" file (flat 136-byte
// records, no header).
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
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

// The key under which a title names a document: its stored form (Windows-1250 bytes, at most
// 120 characters) in lower case, a line break read as a blank. Not text for display.
std::string KluczDokumentu(const std::string& tytul);
// The same into a buffer (its storage is reused from tick to tick).
void KluczDokumentu(std::string_view tytul, std::string& klucz);
inline size_t HashKlucza(std::string_view klucz) { return std::hash<std::string_view>{}(klucz); }

// The later of two sightings; a date that is no number counts as never.
double PozniejszaData(double a, double b);

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
  // First record whose name has the key (KluczDokumentu), or -1; hash = HashKlucza(klucz).
  int IndexOfKey(std::string_view klucz) const { return IndexOfKey(klucz, HashKlucza(klucz)); }
  int IndexOfKey(std::string_view klucz, size_t hash) const;
  // Adds seconds (none when below zero) to a record and stamps it seen (the tick's crediting).
  void Zalicz(int index, int32_t sekundy, double kiedy);

  // Writes every record with a non-empty name, in list order, replacing the file in one step.
  void SaveToFile(const std::string& file) const;
  // Appends the file's records to the list (the list is not cleared). Whole records read before
  // a damaged tail stay in the list; the damage is still reported.
  void LoadFromFile(const std::string& file);
  // Appends the records held in a file's bytes; false when the bytes end in a partial record. A
  // record whose key the list holds already joins that record (seconds summed, the later
  // LastSeen kept) instead of being added.
  bool DodajZBajtow(const std::string& bytes);

 private:
  std::vector<DocumentRecord> rekordy_;
  std::vector<std::string> klucze_;  // KluczDokumentu of each record's name
  // Open-addressing table of (hash of the key, record index), at most half full; rebuilt at the
  // first look-up after a change. Index -1 marks an empty slot.
  mutable std::vector<std::pair<size_t, int>> indeks_;
  mutable bool indeksAktualny_ = false;
};
