#pragma once
// One pass of the temporary-file cleanup, as the deletion thread runs it after its delay: the rules
// in file order, each folder with each of its mask and age pairs, old files deleted and written to
// the chronicle, the last-cleanup date moved on after each whole rule.
//
// The pass runs on a worker thread: it never shows a dialog itself (reports go to `zglos`, which
// hands them to the main thread) and checks `przerwano` after every file, pair and rule.
#include <cstdint>
#include <functional>
#include <string>

#include "cleanup/RegulyCzyszczenia.h"

struct KontekstCzyszczenia {
  std::string plikRegul;    // "_pltym.dat"
  std::string plikKroniki;  // "_kronup.dat"
  std::function<bool()> przerwano;  // a stop was requested
  std::function<void(const std::string& miejsce, const std::string& tekst)> zglos;
  std::function<void(const std::string& plik)> poUsunieciu;  // optional, after each deleted file
};

struct WynikCzyszczenia {
  int64_t zbadane = 0;   // files matched by a mask and looked at
  int64_t usuniete = 0;  // files deleted
  int64_t oczekujace = 0;  // marked for deletion but still open in another program (not chronicled)
  bool przerwany = false;
  bool tworzKronike = false;  // the options' chronicle byte, as the pass read it
};

// Steps after the delay: read the options (chronicle flag), the rules, and clean.
WynikCzyszczenia WykonajCzyszczenie(const KontekstCzyszczenia& kontekst);

// One folder with one pair. The folder is opened once without following a link at its name and
// held while it is cleaned; a folder that is a link, or whose final path is not the written one,
// is left alone. Every file is then opened by its exact name, deleted only when it is the file
// listed there, and dated again on the opened file. Recycle mode (rules of kind "K") dates files
// by creation, one day younger, and spares the bin's own files.
void WyczyscFolder(const std::string& folder, bool rekurencyjnie, bool trybKosza, const ParaMaski& para,
                   bool kronika, const KontekstCzyszczenia& kontekst, WynikCzyszczenia& wynik);

// The folders one rule names: the temporary folder, the recycle bins of the fixed drives, or the
// rule's own folder. Without reports (the worker thread may call it).
std::vector<std::string> FolderyReguly(const RegulaCzyszczenia& regula);

// Place of the pass's reports.
inline constexpr char kMiejsceCzyszczenia[] = "TDeleteTempFileThread.Execute";
