// Inputs far beyond what the program writes itself (a huge copied text, a rules line or a hotkey
// file edited by hand): handled without a crash, a hang or a cut file.
#include <gtest/gtest.h>

#include <string>

#include "cleanup/RegulyCzyszczenia.h"
#include "clipboard/Schowek.h"
#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "keyboard/GoraceKlawisze.h"
#include "options/Opcje.h"
#include "platform/memory/Memory.h"

using platform::memory::TestPlatform;

TEST(ZleDane, HugeTextsAreKeptWhole) {
  TestPlatform p;
  // Ten megabytes copied into a ten-megabyte history: kept whole, shown by its start.
  const std::string duzy(10 * 1024 * 1024, 'x');
  THistoriaSchowka h;
  h.UstawBuforKB(10 * 1024);
  ASSERT_TRUE(h.Dodaj("mały"));
  ASSERT_TRUE(h.Dodaj(duzy));
  ASSERT_FALSE(h.Pozycje().empty());
  EXPECT_EQ(h.Pozycje().back().tekst.size(), duzy.size());
  EXPECT_EQ(TekstPozycjiSchowka(duzy), std::string(THistoriaSchowka::kMaksPokazanych, 'x') + "...");
  EXPECT_LE(h.SumaZnakow(), h.LimitBufora());

  // A rules line of 100,000 characters reads, and is written back, to the last character.
  p.files.AddDirectory("C:\\Kalmo");
  const std::string folder = "C:\\" + std::string(100000, 'A');
  const std::string linia = folder + "#P#*.tmp#3";
  p.files.AddFile("C:\\Kalmo\\A_pltym.dat", linia + "\r\n");
  const auto reguly = WczytajReguly("C:\\Kalmo\\A_pltym.dat");
  ASSERT_TRUE(reguly && reguly->size() == 1u);
  EXPECT_EQ((*reguly)[0].folder, folder);
  ASSERT_TRUE(ZapiszReguly("C:\\Kalmo\\B_pltym.dat", *reguly));
  EXPECT_EQ(p.files.ReadFile("C:\\Kalmo\\B_pltym.dat"), linia + "\r\n");
}

namespace {

struct LiczacyHook : KeyHook {
  bool WlaczSledzenieKlawiatury(uintptr_t) override { return true; }
  void WylaczSledzenieKlawiatury() override {}
  void WyzerujTabliceKlawiszy() override { klawisze.clear(); }
  void DodajGoracyKlawisz(uint16_t shortcut) override { klawisze.push_back(shortcut); }
  bool AktywnoscLewegoAltu(bool) override { return true; }
  void DajPozycjeKaretki(PunktKaretki&) override {}
  std::vector<uint16_t> klawisze;
};

}  // namespace

TEST(ZleDane, AHotkeyFileOfTenThousandLinesGivesTheFirstFifteenAndStaysAsItIs) {
  TestPlatform p;
  p.files.AddDirectory("C:\\Kalmo");
  const std::string plik = "C:\\Kalmo\\A_hotkey.dat";
  std::string tresc;
  for (int i = 0; i < 10000; ++i)
    tresc += "Ctrl+F" + std::to_string(i % 24 + 1) + "#Wyświetla statystykę\r\n";
  tresc = cp1250::FromUtf8(tresc);
  p.files.AddFile(plik, tresc);

  LiczacyHook hook;
  THotKeys t(plik, hook);
  ASSERT_EQ(t.Ilosc(), 15);
  EXPECT_EQ(t.Rekord(15).Skrot, 0x4070 + 14);  // Ctrl+F15
  EXPECT_EQ(hook.klawisze.size(), 15u);
  EXPECT_EQ(t.ZnajdzHotkey(0x4070 + 15).Zadanie, 0);  // Ctrl+F16 came later in the file
  t.WczytajHotkeye();  // as after the options are applied
  EXPECT_EQ(t.Ilosc(), 15);
  ASSERT_EQ(p.dialogs.shown.size(), 1u);
  EXPECT_NE(p.dialogs.shown[0].text.find("Używanych jest pierwszych 15"), std::string::npos);
  EXPECT_EQ(*p.files.ReadFile(plik), tresc);

  // The options page shows the same fifteen bindings the program uses.
  TStringList linie;
  ASSERT_TRUE(ReadTextLines(plik, linie));
  const auto wiersze = WierszeKlawiszy(linie);
  ASSERT_EQ(wiersze.size(), 15u);
  EXPECT_EQ(wiersze[14], (WierszKlawisza{"Ctrl+F15", "Wyświetla statystykę"}));
  EXPECT_EQ(KlawiszZadania(wiersze, kZadanieStatystyka), "Ctrl+F15");
  EXPECT_TRUE(WierszeKlawiszy({"", "  ", "Ctrl+D#Wyświetla historię schowka"}).size() == 1u);
}
