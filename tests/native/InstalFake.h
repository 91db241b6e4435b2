#pragma once
// Fakes of the installer's own services and windows over the in-memory platform, for the
// interpreter tests and the script fuzzer: nothing here waits for a user.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/Komunika.h"
#include "installer/Instal.h"
#include "installer/UnInstall.h"
#include "platform/memory/Memory.h"

namespace instaltest {

using platform::memory::FoldCase;
using platform::memory::TestPlatform;

class FakeSrodowisko : public InstalatorSrodowisko {
 public:
  explicit FakeSrodowisko(TestPlatform& p) : p_(p) {}

  std::string KatalogBiezacy() override { return biezacy; }

  std::string FileVersion(const std::string& path) override {
    auto it = wersje.find(FoldCase(path));
    return it == wersje.end() ? std::string() : it->second;
  }

  struct Wywolanie {
    uint32_t flags;
    std::string src, dst, srcDir, dstDir;
  };
  uint32_t WywolajVerInstallFile(uint32_t flags, const std::string& sourceName, const std::string& destName,
                          const std::string& sourceDir, const std::string& destDir, std::string& tempFile) override {
    wywolania.push_back({flags, sourceName, destName, sourceDir, destDir});
    if (rzuc) throw std::runtime_error("boom");
    uint32_t r = 0;
    if (!wyniki.empty()) {
      r = wyniki.front();
      wyniki.pop_front();
    }
    if (przedKopia) przedKopia();
    if (r == 0) {
      // The service expands the distribution file into place.
      auto bytes = p_.files.ReadFile(sourceDir + sourceName);
      if (!bytes) return kVifCannotReadSrc;
      p_.files.AddFile(destDir + destName, "expanded:" + *bytes);
    }
    if (r & kVifTempFile) {
      tempFile = "VER" + std::to_string(wywolania.size()) + ".tmp";
      p_.files.AddFile(destDir + tempFile, "tmp");
    }
    return r;
  }

  bool ProgManExecute(const std::string& command, bool wait) override {
    dde.push_back(command + (wait ? "|wait" : "|nowait"));
    return ddeOk;
  }

  struct Ini {
    std::string file, section, key, value;
  };
  bool ZapiszDoIni(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    ini.push_back({file, section, key, value});
    return iniOk;
  }

  std::string biezacy = "A:";
  std::map<std::string, std::string> wersje;  // folded path -> version
  std::vector<Wywolanie> wywolania;
  std::deque<uint32_t> wyniki;
  bool rzuc = false;
  std::vector<std::string> dde;
  bool ddeOk = true;
  std::vector<Ini> ini;
  bool iniOk = true;
  std::function<void()> przedKopia;  // called as each file is staged

 private:
  TestPlatform& p_;
};

class FakeOkna : public InstalatorOkna {
 public:
  void PokazOknoStartowe() override { zdarzenia.push_back("start"); }
  void ZamknijOknoStartowe() override { zdarzenia.push_back("start-close"); }
  // As the real window: "Instaluj" is taken only for a destination the check lets through; the
  // user then picks again (wOknieGlownym runs once per try).
  WynikOknaGlownego PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& d) override {
    zdarzenia.push_back("main");
    dane = d;
    for (int proba = 0; proba < 5; ++proba) {
      if (wOknieGlownym) wOknieGlownym(stan);
      if (wynikGlownego == WynikOknaGlownego::Anuluj) return wynikGlownego;
      const std::string blad = d.sprawdzKatalog ? d.sprawdzKatalog(stan.sciezkaDocelowa) : std::string();
      if (blad.empty()) return wynikGlownego;
      Komunikat(blad, rkOstrzezenie);
    }
    return WynikOknaGlownego::Anuluj;
  }
  void PokazPostep(TStanInstalacji& stan, int maksimum) override {
    zdarzenia.push_back("progress:" + std::to_string(maksimum));
    stanPostepu = &stan;
  }
  void UstawPostep(int pozycja) override { pozycje.push_back(pozycja); }
  void PokazPlik(const std::string& zrodlowy, const std::string& docelowy) override {
    pliki.push_back(zrodlowy + " -> " + docelowy);
  }
  void PokazUwage(const std::string& tekst) override { uwagi.push_back(tekst); }
  void ZamknijPostep() override { zdarzenia.push_back("progress-close"); }
  void ObsluzKomunikaty() override {
    ++pompowania;
    if (przyPompowaniu) przyPompowaniu(pompowania);
  }

  std::vector<std::string> zdarzenia;
  DaneOknaGlownego dane;
  WynikOknaGlownego wynikGlownego = WynikOknaGlownego::Instaluj;
  std::function<void(TStanInstalacji&)> wOknieGlownym;
  std::function<void(int)> przyPompowaniu;
  TStanInstalacji* stanPostepu = nullptr;
  std::vector<int> pozycje;
  std::vector<std::string> pliki;
  std::vector<std::string> uwagi;
  int pompowania = 0;
};

// The uninstall window: "Odinstaluj" is pressed at once unless told otherwise.
class FakeOkno : public DeinstalatorOkno {
 public:
  void Pokaz(const std::string& nazwa, const std::string& ik, const std::function<void()>& odinstaluj) override {
    pokazana = nazwa;
    ikona = ik;
    if (nacisnijOdinstaluj) odinstaluj();
  }
  bool nacisnijOdinstaluj = true;
  std::string pokazana, ikona;
};

}  // namespace instaltest
