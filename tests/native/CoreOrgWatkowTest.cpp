// Background tasks: the deletion's start conditions and states, posted messages, and the debug log.
#include <gtest/gtest.h>

#include "settings/Globalne.h"
#include "app/OrgWatkow.h"
#include "settings/Rejestr.h"
#include "settings/uDebugger.h"
#include "base/Cp1250.h"
#include "settings/Komunikaty.h"
#include "platform/memory/Memory.h"

using platform::Root;
using platform::memory::MakeDateTime;
using platform::memory::TestPlatform;

namespace {

constexpr const char* kKlucz = "\\Software\\Meltrax Software\\Kalmo\\2.0";

struct Poczta : PoczmistrzGlownej {
  std::vector<std::tuple<unsigned, uintptr_t, intptr_t>> wyslane;
  void Wyslij(unsigned m, uintptr_t w, intptr_t l) override { wyslane.emplace_back(m, w, l); }
};

struct Zadanie : ZadanieUsuwania {
  int* przerwania;
  explicit Zadanie(int* p) : przerwania(p) {}
  void Przerwij() override { ++*przerwania; }
};

struct Starter : StarterUsuwania {
  int uruchomienia = 0;
  int przerwania = 0;
  bool odmowa = false;
  std::unique_ptr<ZadanieUsuwania> Uruchom(TOrganizatorWatkow&) override {
    ++uruchomienia;
    if (odmowa) return nullptr;
    return std::make_unique<Zadanie>(&przerwania);
  }
};

struct OrgWatkowTest : ::testing::Test {
  TestPlatform tp;
  Poczta poczta;
  Starter starter;
  void SetUp() override { tp.registry.CreateKey(Root::CurrentUser, kKlucz); }
  void Opcje(bool on, double last) {
    OpcjePlikowTymczasowych o;
    o.usuwanie = on;
    o.kronika = true;
    o.ostatnieCzyszczenie = last;
    tp.registry.WriteBinary(Root::CurrentUser, kKlucz, "OpcjePlikowTymczasowych", o.ToBytes());
  }
};

}  // namespace

TEST_F(OrgWatkowTest, PostsItsMessagesToTheMainWindow) {
  TOrganizatorWatkow o(poczta, starter);
  o.WyslijZwolnienieFormularza(3);
  o.WyslijStart();
  o.WyslijStop();
  using T = std::tuple<unsigned, uintptr_t, intptr_t>;
  EXPECT_EQ(poczta.wyslane, (std::vector<T>{T{1724, 0, 3}, T{1725, 0, 0}, T{1725, 1, 0}}));
}

TEST_F(OrgWatkowTest, CleanupRunsOnlyTwoDaysAfterTheLastOne) {
  TOrganizatorWatkow o(poczta, starter);
  Opcje(true, MakeDateTime(2026, 3, 1, 23, 0));  // yesterday: 1 day
  o.RozpocznijUsuwanie();
  EXPECT_EQ(starter.uruchomienia, 0);
  Opcje(true, MakeDateTime(2026, 2, 28, 23, 59));  // two calendar days ago
  o.RozpocznijUsuwanie();
  EXPECT_EQ(starter.uruchomienia, 1);
  EXPECT_EQ(o.Zadania(), 1);
}

TEST_F(OrgWatkowTest, NeverCleanedAndSwitchedOff) {
  TOrganizatorWatkow o(poczta, starter);
  Opcje(false, 0);
  o.RozpocznijUsuwanie();
  EXPECT_EQ(starter.uruchomienia, 0);
  Opcje(true, 0);
  o.RozpocznijUsuwanie();
  EXPECT_EQ(starter.uruchomienia, 1);
  tp.registry.DeleteValue(Root::CurrentUser, kKlucz, "OpcjePlikowTymczasowych");
  TOrganizatorWatkow drugi(poczta, starter);
  drugi.RozpocznijUsuwanie();  // unreadable options: nothing starts
  EXPECT_EQ(starter.uruchomienia, 1);
}

TEST_F(OrgWatkowTest, StatesFollowTheEndNotification) {
  Opcje(true, 0);
  int konce = 0;
  {
    TOrganizatorWatkow o(poczta, starter);
    o.poZakonczeniuUsuwania = [&] { ++konce; };
    o.ZatrzymajUsuwanie();  // nothing runs: nothing to ask
    EXPECT_EQ(starter.przerwania, 0);
    o.RozpocznijUsuwanie();
    o.RozpocznijUsuwanie();
    EXPECT_EQ(starter.uruchomienia, 1);
    o.ZatrzymajUsuwanie();
    EXPECT_EQ(starter.przerwania, 1);
    EXPECT_TRUE(o.UsuwanieTrwa());
    o.UsuwanieZakonczone();
    EXPECT_FALSE(o.UsuwanieTrwa());
    EXPECT_EQ(konce, 1);
    o.RozpocznijUsuwanie();  // idle again: a new deletion may start
    EXPECT_EQ(starter.uruchomienia, 2);
  }
  EXPECT_EQ(starter.przerwania, 2);  // destroyed while deleting
  {
    TOrganizatorWatkow o(poczta, starter);
    o.RozpocznijUsuwanie();
    o.UsuwanieZakonczone();
  }
  EXPECT_EQ(starter.przerwania, 2);  // nothing ran at destruction
}

TEST_F(OrgWatkowTest, AThreadThatCouldNotStartLeavesTheOrganizerIdle) {
  Opcje(true, 0);
  starter.odmowa = true;
  TOrganizatorWatkow o(poczta, starter);
  o.RozpocznijUsuwanie();
  EXPECT_FALSE(o.UsuwanieTrwa());
  starter.odmowa = false;
  o.RozpocznijUsuwanie();
  EXPECT_TRUE(o.UsuwanieTrwa());
}

TEST(Debugger, DeletesTheOldLogAndWritesOnlyWhileOn) {
  TestPlatform tp;
  tp.files.AddFile("C:\\Kalmo\\debugg.obj", "old");
  TDebugger d;
  d.Log("różne", "przed folderem");  // no file yet: nothing
  d.UstawFolder("C:\\Kalmo");
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\debugg.obj"));
  tp.clock.now = MakeDateTime(2026, 3, 2, 9, 5, 7);
  d.Log("różne", "Uruchomienie programu Kalmo");
  d.Log("UOTA", "li_p = 2");
  const std::string expected = cp1250::FromUtf8(
      "różne#Uruchomienie programu Kalmo#02.03.2026 09:05:07\r\n"
      "UOTA#li_p = 2#02.03.2026 09:05:07\r\n");
  EXPECT_EQ(tp.files.ReadFile("C:\\Kalmo\\debugg.obj"), expected);
  d.Wylacz();
  d.Log("UOTA", "po wyłączeniu");
  EXPECT_EQ(tp.files.ReadFile("C:\\Kalmo\\debugg.obj"), expected);
}

TEST(FirstRunKey, AKeyThatCannotBeCreatedStopsTheCreation) {
  TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  tp.registry.lockedKeys.push_back(kKlucz);
  UtworzZmienneRejestrowe(UtworzNazwyPlikow("C:\\Kalmo", "Ewa"));
  ASSERT_EQ(tp.dialogs.shown.size(), 1u);
  EXPECT_EQ(tp.dialogs.shown[0].place, "TfrmGlowna.UtworzZmienneRejestrowe");
  EXPECT_EQ(tp.dialogs.shown[0].text, "Nie mogę otworzyć klucza.");
  EXPECT_FALSE(tp.files.FileExists("C:\\Kalmo\\Ewa_hotkey.dat"));
}
