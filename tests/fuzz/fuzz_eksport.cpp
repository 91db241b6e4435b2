// The export on arbitrary archive records and document records: every title and date the bytes
// make must come back, field for field, from a plain CSV reader of the files (";" between fields,
// CR LF between rows, quoted fields with doubled quotes), behind the byte-order mark and the
// heading; a title that begins as a formula comes back with its guarding apostrophe in front.
// Input: byte 0 is the number of archive records, then their 24-byte records, then 136-byte
// document records (a short last one is filled with zeros).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "documents/Eksport.h"
#include "documents/OrganizatorDokumentow.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

using Wiersz = std::vector<std::string>;

// A strict reader: a quote opens a field only at its start, closes it only before ";" or the
// row's end, and a CR outside quotes must begin the row's CR LF.
std::vector<Wiersz> Czytaj(const std::string& plik) {
  Check(plik.compare(0, 3, eksport::kBom) == 0, "no byte-order mark");
  std::vector<Wiersz> wiersze;
  Wiersz w;
  std::string pole;
  size_t i = 3;
  const size_t n = plik.size();
  while (i < n) {
    if (plik[i] == '"' && pole.empty()) {
      for (++i;; ++i) {
        Check(i < n, "a quoted field never ends");
        if (plik[i] != '"') {
          pole += plik[i];
        } else if (i + 1 < n && plik[i + 1] == '"') {
          pole += '"';
          ++i;
        } else {
          break;
        }
      }
      ++i;  // the closing quote
      Check(i < n && (plik[i] == ';' || plik[i] == '\r'), "text after a closing quote");
      continue;
    }
    if (plik[i] == ';') {
      w.push_back(pole);
      pole.clear();
      ++i;
    } else if (plik[i] == '\r') {
      Check(i + 1 < n && plik[i + 1] == '\n', "a CR outside quotes not ending a row");
      w.push_back(pole);
      pole.clear();
      wiersze.push_back(w);
      w.clear();
      i += 2;
    } else {
      Check(plik[i] != '\n' && plik[i] != '"', "a bare LF or quote outside quotes");
      pole += plik[i++];
    }
  }
  Check(w.empty() && pole.empty(), "the last row has no CR LF");
  return wiersze;
}

std::string Liczba(int64_t v) { return std::to_string(v); }

Wiersz Dzien(const ArchiveRecord& r) {
  return {eksport::Data(r.Date), Liczba(statystyka::Minuty(r.WorkSeconds)), Liczba(r.ConnectionCount),
          Liczba(statystyka::Minuty(r.ConnectionSeconds)), Liczba(r.ChargeUnits)};
}

std::string Tytul(const std::string& t) {
  const bool formula = !t.empty() && (t[0] == '=' || t[0] == '+' || t[0] == '-' || t[0] == '@' || t[0] == '\t' ||
                                      t[0] == '\r');
  return formula ? "'" + t : t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 40000) return 0;
  const std::string b(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t dlugosc = std::min(b.size(), size_t{data[0]} * ArchiveRecord::kRozmiar);
  DaneStatystyki d;
  for (size_t i = 0; i + ArchiveRecord::kRozmiar <= dlugosc; i += ArchiveRecord::kRozmiar)
    d.rekordy.push_back(ArchiveRecord::FromBytes(std::vector<uint8_t>(b.begin() + i, b.begin() + i + 24)));
  for (size_t i = dlugosc; i < b.size(); i += DocumentRecord::kRozmiar) {
    std::vector<uint8_t> r(b.begin() + i, b.begin() + std::min(b.size(), i + DocumentRecord::kRozmiar));
    r.resize(DocumentRecord::kRozmiar, 0);
    d.zrodlo.dokumenty.push_back(DocumentRecord::FromBytes(r));
  }
  if (!d.rekordy.empty()) d.dni.push_back(d.rekordy.back());  // some day as today's entry

  const eksport::PlikiCsv p = eksport::UtworzPliki(d);

  std::vector<Wiersz> dni = Czytaj(p.dni);
  Check(dni.size() == d.rekordy.size() + 2, "dni.csv: a row per record and today");
  Check(dni[0] == Wiersz{"data", "praca_min", "polaczenia", "polaczenia_min", "jednostki"}, "dni.csv: heading");
  for (size_t i = 0; i < d.rekordy.size(); ++i) Check(dni[i + 1] == Dzien(d.rekordy[i]), "dni.csv: a day's fields");

  std::vector<Wiersz> dok = Czytaj(p.dokumenty);
  Check(dok.size() == d.zrodlo.dokumenty.size() + 1, "dokumenty.csv: a row per document");
  for (size_t i = 0; i < d.zrodlo.dokumenty.size(); ++i) {
    const DocumentRecord& r = d.zrodlo.dokumenty[i];
    const Wiersz oczekiwany{Tytul(r.Name), Liczba(statystyka::Minuty(r.Seconds)),
                            r.LastSeen != 0 ? eksport::Data(r.LastSeen) : ""};
    Check(dok[i + 1] == oczekiwany, "dokumenty.csv: a document's fields");
  }

  std::vector<Wiersz> pol = Czytaj(p.polaczenia);
  size_t k = 1;
  for (const ArchiveRecord& r : d.rekordy) {
    if (r.ConnectionCount == 0 && r.ConnectionSeconds == 0 && r.ChargeUnits == 0) continue;
    Check(k < pol.size(), "polaczenia.csv: a day with connections is missing");
    Check(pol[k++] == Wiersz{eksport::Data(r.Date), Liczba(r.ConnectionCount), Liczba(statystyka::Minuty(r.ConnectionSeconds)),
                             Liczba(r.ChargeUnits)},
          "polaczenia.csv: a day's fields");
  }
  Check(k == pol.size(), "polaczenia.csv: a day without connections");
  return 0;
}
