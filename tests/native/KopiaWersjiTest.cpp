// Version comparison and the versioned copy's reactions to the version library's results.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <stdexcept>

#include "installer/Instal.h"
#include "platform/memory/Memory.h"

using platform::memory::FoldCase;
using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;
using testing::ElementsAre;

namespace {

// A version library that answers from a script and records its calls.
class SkryptowanaUsluga : public InstalatorSrodowisko {
 public:
  explicit SkryptowanaUsluga(TestPlatform& p) : p_(p) {}
  std::string KatalogBiezacy() override { return "A:"; }
  std::string FileVersion(const std::string& path) override {
    if (rzucWersja) throw std::runtime_error("x");
    auto it = wersje.find(FoldCase(path));
    return it == wersje.end() ? std::string() : it->second;
  }
  uint32_t WywolajVerInstallFile(uint32_t flags, const std::string& sourceName, const std::string& destName,
                          const std::string& sourceDir, const std::string& destDir, std::string& tempFile) override {
    flagi.push_back(flags);
    katalogi.push_back(sourceDir + "|" + destDir + "|" + sourceName + "|" + destName);
    // The target's attributes at the moment of the call.
    auto st = p_.files.Stat(destDir + destName);
    atrybuty.push_back(st ? st->attributes : 0xFFFFFFFFu);
    uint32_t r = wyniki.empty() ? 0 : wyniki.front();
    if (!wyniki.empty()) wyniki.pop_front();
    if (r & kVifTempFile) {
      tempFile = "VIF" + std::to_string(flagi.size()) + ".TMP";
      p_.files.AddFile(destDir + tempFile, "t");
    }
    return r;
  }
  bool ProgManExecute(const std::string&, bool) override { return true; }
  bool ZapiszDoIni(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return true;
  }

  std::map<std::string, std::string> wersje;
  std::deque<uint32_t> wyniki;
  std::vector<uint32_t> flagi;
  std::vector<std::string> katalogi;
  std::vector<uint32_t> atrybuty;
  bool rzucWersja = false;

 private:
  TestPlatform& p_;
};

class KopiaWersjiTest : public testing::Test {
 protected:
  KopiaWersjiTest() : usluga(p) {
    p.files.AddFile("A:\\KALMO.EX_", "src");
    p.files.AddDirectory("C:\\TEMP");
  }
  bool Kopiuj() { return CopyFileVer(usluga, "A:", "C:\\TEMP", "KALMO.EX_", "KALMO.exe"); }
  void Wersje(const std::string& zrodlo, const std::string& cel) {
    usluga.wersje[FoldCase("A:\\KALMO.EX_")] = zrodlo;
    usluga.wersje[FoldCase("C:\\TEMP\\KALMO.exe")] = cel;
  }

  TestPlatform p;
  SkryptowanaUsluga usluga;
};

}  // namespace

TEST(PorownajWersje, ComponentsCompareAsNumbers) {
  EXPECT_EQ(PorownajWersje("10.0", "2.0"), 1);
  EXPECT_EQ(PorownajWersje("2.0", "10.0"), -1);
  EXPECT_EQ(PorownajWersje("2.0.2.0", "2.0.2.0"), 0);
  EXPECT_EQ(PorownajWersje("2.0", "2.0.0"), 0);
  EXPECT_EQ(PorownajWersje("2.0.1", "2.0"), 1);
  EXPECT_EQ(PorownajWersje("1.02", "1.2"), 0);
  EXPECT_EQ(PorownajWersje("1, 0, 0, 12", "1.0.0.9"), 1);
  EXPECT_EQ(PorownajWersje("99999999999999999999.1", "99999999999999999998.9"), 1);
  EXPECT_EQ(PorownajWersje("2.0b", "2.0a"), 1);
  EXPECT_EQ(PorownajWersje("", ""), 0);
}

TEST_F(KopiaWersjiTest, AbsentTargetIsInstalledWithoutFlags) {
  usluga.wersje[FoldCase("A:\\KALMO.EX_")] = "2.0";
  EXPECT_TRUE(Kopiuj());
  EXPECT_THAT(usluga.flagi, ElementsAre(0u));
  // Both directories reach the service with their trailing backslash.
  EXPECT_THAT(usluga.katalogi, ElementsAre("A:\\|C:\\TEMP\\|KALMO.EX_|KALMO.exe"));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(KopiaWersjiTest, SameOrNewerInstalledVersionIsKeptWithoutCallingTheService) {
  Wersje("2.0.2.0", "2.0.2.0");
  EXPECT_TRUE(Kopiuj());
  Wersje("2.0", "10.0");
  EXPECT_TRUE(Kopiuj());
  EXPECT_TRUE(usluga.flagi.empty());
  // Numbers, not text: 10.0 replaces 2.0.
  Wersje("10.0", "2.0");
  EXPECT_TRUE(Kopiuj());
  EXPECT_EQ(usluga.flagi.size(), 1u);
  // One side without a version: the service decides.
  Wersje("", "3.0");
  EXPECT_TRUE(Kopiuj());
  EXPECT_EQ(usluga.flagi.size(), 2u);
}

TEST_F(KopiaWersjiTest, OlderSourceReportedByTheServiceIsSuccess) {
  usluga.wyniki = {kVifSrcOld | kVifMismatch | kVifTempFile};
  EXPECT_TRUE(Kopiuj());
  EXPECT_TRUE(p.dialogs.shown.empty());
  // The temporary copy it left is gone.
  EXPECT_FALSE(p.files.FileExists("C:\\TEMP\\VIF1.TMP"));
}

TEST_F(KopiaWersjiTest, DifferentLanguageIsForcedAndSucceedsWhateverTheSecondCallSays) {
  usluga.wyniki = {kVifDiffLang | kVifMismatch | kVifTempFile, kVifCannotCreate};
  EXPECT_TRUE(Kopiuj());
  EXPECT_THAT(usluga.flagi, ElementsAre(0u, static_cast<uint32_t>(kViffForceInstall)));
  EXPECT_FALSE(p.files.FileExists("C:\\TEMP\\VIF1.TMP"));
  EXPECT_TRUE(p.dialogs.shown.empty());
}

TEST_F(KopiaWersjiTest, WriteProtectedTargetLosesReadOnlyAndArchiveThenIsInstalledAgain) {
  p.files.AddFile("C:\\TEMP\\KALMO.exe", "old");
  p.files.SetAttributes("C:\\TEMP\\KALMO.exe", platform::kAttrReadOnly | platform::kAttrArchive | platform::kAttrHidden);
  usluga.wyniki = {kVifWriteProt, 0};
  EXPECT_TRUE(Kopiuj());
  ASSERT_EQ(usluga.atrybuty.size(), 2u);
  EXPECT_EQ(usluga.atrybuty[1], static_cast<uint32_t>(platform::kAttrHidden));
  EXPECT_THAT(usluga.flagi, ElementsAre(0u, 0u));

  usluga.wyniki = {kVifWriteProt, kVifWriteProt};
  EXPECT_FALSE(Kopiuj());
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre());
}

TEST_F(KopiaWersjiTest, FileInUseWarnsWithTheTargetName) {
  for (uint32_t bit : {kVifFileInUse, kVifAccessViolation, kVifSharingViolation}) {
    p.dialogs.shown.clear();
    usluga.wyniki = {bit | kVifTempFile};
    EXPECT_FALSE(Kopiuj());
    ASSERT_EQ(p.dialogs.shown.size(), 1u);
    EXPECT_EQ(p.dialogs.shown[0].text,
              "KALMO.exe jest w użyciu. Proszę zamknąć wszystkie aplikacje i ponownie uruchomić program instalacyjny.");
    EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkOstrzezenie);
  }
  EXPECT_FALSE(p.files.FileExists("C:\\TEMP\\VIF1.TMP"));
}

TEST_F(KopiaWersjiTest, UnreadableSourceAndOtherFailuresStop) {
  usluga.wyniki = {kVifCannotReadSrc};
  EXPECT_FALSE(Kopiuj());
  usluga.wyniki = {kVifOutOfSpace};
  EXPECT_FALSE(Kopiuj());
  EXPECT_THAT(p.dialogs.Texts(), ElementsAre("Nie można odczytać pliku: KALMO.exe Prawdopodobnie plik jest uszkodzony.",
                                             "KALMO.exenie może być zainstalowany."));
  EXPECT_EQ(p.dialogs.shown[0].picture, platform::rkStop);
  EXPECT_EQ(p.dialogs.shown[1].picture, platform::rkStop);
}

TEST_F(KopiaWersjiTest, MissingSourceAndTargetDirectoryOnlyInform) {
  p.files.DeleteFile("A:\\KALMO.EX_");
  p.files.RemoveDirectory("C:\\TEMP");
  EXPECT_TRUE(Kopiuj());  // the (scripted) service still answers 0
  ASSERT_EQ(p.dialogs.shown.size(), 2u);
  EXPECT_EQ(p.dialogs.shown[0].kind, RecordingDialogs::Shown::Error);
  EXPECT_EQ(p.dialogs.shown[0].place, "U:Instal F:CopyFileVer");
  EXPECT_EQ(p.dialogs.shown[0].text, "Plik źródłowy nie istnieje: KALMO.EX_");
  EXPECT_EQ(p.dialogs.shown[1].text, "Katalog docelowy nie istnieje:C:\\TEMP");
  EXPECT_EQ(usluga.flagi.size(), 1u);
}

TEST_F(KopiaWersjiTest, ExceptionIsReportedAndGivesFailure) {
  usluga.rzucWersja = true;
  EXPECT_FALSE(Kopiuj());
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_EQ(p.dialogs.shown[0].place, "U:Instal F:CopyFileVer");
  EXPECT_EQ(p.dialogs.shown[0].text, "Błąd nie rozpoznany");
  EXPECT_TRUE(usluga.flagi.empty());
}
