#pragma once
// Document monitoring: the monitored documents (the organizer and "_dok.dat"), the candidates
// waiting for the question, the declined titles ("_zast.dat") and the per-tick advance that
// credits open documents and offers new ones.
//
// Every comparison of a title with a stored document uses one key (KluczDokumentu): the title
// as it is stored in a record (Windows-1250, at most 120 characters), letter case ignored. So a
// title differing from a monitored one only in letter case, beyond character 120, or in a
// character the code page lacks, names the same document.
#include <cstdint>
#include <string>
#include <vector>

#include "common/Tekstowe.h"
#include "documents/OrganizatorDokumentow.h"
#include "platform/Desktop.h"

// Declined titles: at most 101, in the order declined, kept in "_zast.dat" (one per line).
class TListaOdrzuconych {
 public:
  static constexpr size_t kMaks = 101;
  explicit TListaOdrzuconych(std::string plik) : plik_(std::move(plik)) {}

  // Reads the file when it exists. A file that is there but cannot be read is reported once and
  // the list stays unloaded: nothing is saved over it until a later reading succeeds.
  void Wczytaj();
  void Add(const std::string& tytul);  // bounded, then saved
  bool Contains(const std::string& tytul) const;
  bool ContainsKey(const std::string& klucz) const;
  const TStringList& Lista() const { return lista_; }
  bool Wczytana() const { return wczytana_; }

 private:
  bool Czytaj(TStringList& wynik, bool& nieczytelny);
  void Zapisz();

  std::string plik_;
  TStringList lista_;
  std::vector<std::string> klucze_;  // KluczDokumentu of each entry
  bool wczytana_ = true;
  bool zgloszonoOdczyt_ = false;
  bool zgloszonoZapis_ = false;
};

// Everything of the document monitoring that the accounting owns.
class TDokumenty {
 public:
  TDokumenty(std::string plikDokumentow, std::string plikOdrzuconych);

  // Loading at start: the declined list, and the monitored documents when their file exists.
  void WczytajOdrzucone() { odrzucone_.Wczytaj(); }
  void WczytajDokumenty();
  // Saves the monitored documents (periodic save, end of the program). A list that could not be
  // read is read again first and never saved over its file while unreadable; a failed write
  // keeps the old file and is reported once.
  void ZapiszDokumenty();

  void DodajMonitorwanyDokument(const std::string& tytul);
  void UsunMonitorowanyDokument(const std::string& tytul);
  bool IsMonitoredDocument(const std::string& tytul) const;
  void UsunzListyTymczasowychDokumentow(const std::string& tytul);
  // Drops the candidate of the title quietly; false when there is none.
  bool UsunKandydata(const std::string& tytul);
  void AddDeclinedDocument(const std::string& tytul) { odrzucone_.Add(tytul); }
  bool IsDeclinedDocument(const std::string& tytul) const { return odrzucone_.Contains(tytul); }
  void NazwyMonitorowanychDokumentow(TStringList& lista) const;

  // One work tick: candidates, crediting of every monitored document whose window is open, and
  // the titles whose question is due (past czasPytania minutes) added to `pytania`. programy is
  // the "#"-separated list; znakiFiltrujace cleans the window titles.
  void AdvanceDocuments(int32_t step, const std::string& programy, int32_t czasPytania, double terazDniaPracy,
                        const std::string& znakiFiltrujace, std::vector<std::string>& pytania);

  TOrganizatorDokumentow& Organizator() { return organizator_; }
  const TOrganizatorDokumentow& Organizator() const { return organizator_; }
  TStringList& ListaTymczasowa() { return tymczasowe_; }
  const TStringList& ListaOdrzuconych() const { return odrzucone_.Lista(); }
  bool DokumentyWczytane() const { return wczytane_; }

 private:
  bool Czytaj(TOrganizatorDokumentow& cel);
  int IndeksKandydata(const std::string& klucz) const;

  std::string plik_;
  TOrganizatorDokumentow organizator_;
  TStringList tymczasowe_;
  TListaOdrzuconych odrzucone_;
  bool wczytane_ = true;
  bool zgloszonoOdczyt_ = false;
  bool zgloszonoZapis_ = false;
  // Working space of the advance, kept between ticks to spare allocations.
  // The tick's window list, its cleaned titles (tytulOkna_: each window's index among them, -1
  // when left out) with their keys and hashes; the last tick's are kept beside them.
  std::vector<platform::TopLevelWindow> okna_, poprzednieOkna_;
  std::vector<int> tytulOkna_, poprzedniTytulOkna_;
  TStringList tytuly_, poprzednieTytuly_;
  std::vector<std::string> kluczeTytulow_, poprzednieKlucze_;
  std::vector<size_t> hasheTytulow_, poprzednieHashe_;
  std::string znakiFiltru_;  // the filter the kept titles were cleaned with
  std::vector<std::string> kluczeKandydatow_;
  std::vector<bool> zaliczone_;
  std::string programy_;               // the programs setting last split
  TStringList nazwyProgramow_;         // its words

  bool Otwarty(const std::string& klucz) const;
  // The steps of a tick: the open windows' cleaned titles, the candidates counted (and asked
  // about), new candidates of the monitored programs.
  void CzytajOkna(const std::string& znaki);
  void PoliczKandydatow(int32_t step, int32_t czasPytania, std::vector<std::string>& pytania);
  void DodajKandydatow(const std::string& programy);
};
