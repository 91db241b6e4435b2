// Inputs far beyond what the program writes itself (a huge copied text, a rules line edited by
// hand): handled whole, without a crash, a hang or a cut.
#include <gtest/gtest.h>

#include <string>

#include "cleanup/RegulyCzyszczenia.h"
#include "clipboard/Schowek.h"
#include "common/Dyskowe.h"
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
