// Stored layouts of Kalmo's records: every field at its offset, little-endian, short strings as
// a length byte and Windows-1250 characters.
#include <gtest/gtest.h>

#include "settings/Globalne.h"
#include "documents/Archiwum.h"
#include "documents/OrganizatorDokumentow.h"
#include "platform/memory/Memory.h"
#include "worktime/InfoSaver.h"

namespace {

int32_t I32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<int32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24);
}
std::string Str(const std::vector<uint8_t>& b, size_t at) { return std::string(b.begin() + at + 1, b.begin() + at + 1 + b[at]); }

}  // namespace

TEST(CoreRecords, WarningOptionsFirstRunBytes) {
  const auto b = WarningOptions::PierwszeUruchomienie().ToBytes();
  ASSERT_EQ(b.size(), 784u);
  EXPECT_EQ(b[0], 1);  // break warning on
  EXPECT_EQ(b[1], 0);  // message window
  EXPECT_EQ(I32(b, 4), 5);
  EXPECT_EQ(b[8], 0);  // no sound file
  EXPECT_EQ(b[260], 1);
  EXPECT_EQ(b[261], 0);
  EXPECT_EQ(I32(b, 264), 5);
  EXPECT_EQ(b[520], 0);  // end-of-break sound off
  EXPECT_EQ(I32(b, 524), 1);
  EXPECT_EQ(b[780], 1);  // screen saver off during a break
}

TEST(CoreRecords, WarningOptionsFieldsLandAtTheirOffsetsAndRoundTrip) {
  WarningOptions o;
  o.przerwa = {true, 2, 7, "C:\\Dźwięki\\gong.wav"};
  o.koniecPracy = {false, 1, -3, "koniec.wav"};
  o.koniecPrzerwy = {true, 2, 12, std::string(300, 'x')};
  o.wylaczWygaszaczWPrzerwie = false;
  const auto b = o.ToBytes();
  ASSERT_EQ(b.size(), 784u);
  EXPECT_EQ(b[1], 2);
  EXPECT_EQ(I32(b, 4), 7);
  EXPECT_EQ(Str(b, 8), "C:\\D\x9Fwi\xEAki\\gong.wav");  // ź and ę in Windows-1250
  EXPECT_EQ(b[260], 0);
  EXPECT_EQ(b[261], 1);
  EXPECT_EQ(I32(b, 264), -3);
  EXPECT_EQ(Str(b, 268), "koniec.wav");
  EXPECT_EQ(b[528], 250);  // cut to the field
  EXPECT_EQ(b[780], 0);

  const WarningOptions r = WarningOptions::FromBytes(b);
  EXPECT_EQ(r.przerwa.plikDzwieku, "C:\\Dźwięki\\gong.wav");
  EXPECT_EQ(r.koniecPracy.czestotliwosc, -3);
  EXPECT_FALSE(r.koniecPracy.wlaczone);
  EXPECT_EQ(r.koniecPrzerwy.plikDzwieku, std::string(250, 'x'));
  EXPECT_EQ(r.koniecPrzerwy.czestotliwosc, 12);
  EXPECT_FALSE(r.wylaczWygaszaczWPrzerwie);
}

TEST(CoreRecords, ShortStringWithALengthBeyondItsFieldIsCut) {
  std::vector<uint8_t> b(784, 'a');
  b[8] = 255;  // claims more than the 250 characters the field holds
  const WarningOptions r = WarningOptions::FromBytes(b);
  EXPECT_EQ(r.przerwa.plikDzwieku.size(), 250u);
  // A record shorter than its size reads as zero beyond its end.
  const WarningOptions krotki = WarningOptions::FromBytes(std::vector<uint8_t>(10, 1));
  EXPECT_EQ(krotki.koniecPracy.czestotliwosc, 0);
}

TEST(CoreRecords, TemporaryFileAndClipboardOptions) {
  const auto t = OpcjePlikowTymczasowych::PierwszeUruchomienie().ToBytes();
  EXPECT_EQ(t, (std::vector<uint8_t>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  OpcjePlikowTymczasowych o;
  o.ostatnieCzyszczenie = 46083.5;
  EXPECT_EQ(OpcjePlikowTymczasowych::FromBytes(o.ToBytes()).ostatnieCzyszczenie, 46083.5);
  EXPECT_EQ(o.ToBytes()[11], 0x40);  // high byte of the little-endian double

  const auto s = OpcjeSchowka::PierwszeUruchomienie().ToBytes();
  ASSERT_EQ(s.size(), 84u);
  EXPECT_EQ(Str(s, 0), "MS Sans Serif");
  EXPECT_EQ(I32(s, 52), 8);
  EXPECT_EQ(s[56], 0);
  EXPECT_EQ(I32(s, 60), 0);
  EXPECT_EQ(I32(s, 64), 100);
  EXPECT_EQ(I32(s, 68), 367);
  EXPECT_EQ(I32(s, 72), 10);
  EXPECT_EQ(s[76], 1);  // history active from the first run
  EXPECT_EQ(I32(s, 80), 0xFFFFFF);
  OpcjeSchowka c = OpcjeSchowka::PierwszeUruchomienie();
  c.czcionka = std::string(60, 'F');
  c.styl = OpcjeSchowka::StylPogrubiona | OpcjeSchowka::StylPrzekreslona;
  c.aktywny = false;
  const OpcjeSchowka r = OpcjeSchowka::FromBytes(c.ToBytes());
  EXPECT_EQ(r.czcionka, std::string(50, 'F'));
  EXPECT_EQ(r.styl, 9);
  EXPECT_FALSE(r.aktywny);
  EXPECT_EQ(r.szerokosc, 367);
}

TEST(CoreRecords, TodayAndLimitsRecords) {
  TodayRecord d;
  d.caMonitorowania = 1;
  d.caNieprzerwanejPracy = 2;
  d.caPrzerwy = 3;
  d.caPraca = -4;
  d.caPrzerwDzis = 5;
  d.dtZapisu = 2.25;
  d.Aktywnosc.fill(2);
  d.Aktywnosc[0] = 0;
  d.Aktywnosc[287] = 1;
  const auto b = d.ToBytes();
  ASSERT_EQ(b.size(), 316u);
  EXPECT_EQ(I32(b, 12), -4);
  EXPECT_EQ(I32(b, 16), 5);
  EXPECT_EQ(b[27], 0x40);  // 2.25 = 0x4002000000000000
  EXPECT_EQ(b[26], 0x02);
  EXPECT_EQ(b[28], 0);
  EXPECT_EQ(b[29], 2);
  EXPECT_EQ(b[315], 1);
  const TodayRecord r = TodayRecord::FromBytes(b);
  EXPECT_EQ(r.caPraca, -4);
  EXPECT_EQ(r.dtZapisu, 2.25);
  EXPECT_EQ(r.Aktywnosc, d.Aktywnosc);
  auto zle = b;
  zle[100] = 7;  // a slot value that cannot be
  EXPECT_EQ(TodayRecord::FromBytes(zle).Aktywnosc[72], 2);

  LimitsRecord l = LimitsRecord::Domyslne();
  l.Programy = "Word#Excel#Notatnik";
  const auto lb = l.ToBytes();
  ASSERT_EQ(lb.size(), 284u);
  EXPECT_EQ(I32(lb, 0), 21600);
  EXPECT_EQ(I32(lb, 4), 2700);
  EXPECT_EQ(I32(lb, 8), 900);
  EXPECT_EQ(I32(lb, 12), 10);
  EXPECT_EQ(I32(lb, 16), 120);
  EXPECT_EQ(I32(lb, 20), 4);
  EXPECT_EQ(Str(lb, 24), "Word#Excel#Notatnik");
  EXPECT_EQ(I32(lb, 276), 10);
  EXPECT_EQ(I32(lb, 280), 300);
  const LimitsRecord lr = LimitsRecord::FromBytes(lb);
  EXPECT_EQ(lr.Programy, "Word#Excel#Notatnik");
  EXPECT_EQ(lr.PrzerwaAwaryjna, 300);
}

TEST(CoreRecords, DocumentAndArchiveRecords) {
  DocumentRecord d;
  d.Name = "Word - Raport żółw.doc";
  d.Seconds = 610;
  d.LastSeen = 46083.25;
  const auto b = d.ToBytes();
  ASSERT_EQ(b.size(), 136u);
  EXPECT_EQ(b[0], 22);
  EXPECT_EQ(Str(b, 0), "Word - Raport \xBF\xF3\xB3w.doc");
  EXPECT_EQ(I32(b, 124), 610);
  const DocumentRecord r = DocumentRecord::FromBytes(b);
  EXPECT_EQ(r.Name, d.Name);
  EXPECT_EQ(r.LastSeen, 46083.25);

  ArchiveRecord a;
  a.Date = 46083.75;
  a.WorkSeconds = 3600;
  a.ConnectionSeconds = 7;
  a.ConnectionCount = 8;
  a.ChargeUnits = 9;
  const auto ab = a.ToBytes();
  ASSERT_EQ(ab.size(), 24u);
  EXPECT_EQ(I32(ab, 8), 3600);
  EXPECT_EQ(I32(ab, 12), 7);
  EXPECT_EQ(I32(ab, 16), 8);
  EXPECT_EQ(I32(ab, 20), 9);
  EXPECT_EQ(ArchiveRecord::FromBytes(ab).Date, 46083.75);
}

TEST(CoreRecords, DataFileNamesUseTheUserOrAll) {
  const PlikiDanych p = UtworzNazwyPlikow("C:\\Kalmo", "");
  EXPECT_EQ(p.archiwum, "C:\\Kalmo\\All_arch.dat");
  EXPECT_EQ(p.dokumenty, "C:\\Kalmo\\All_dok.dat");
  EXPECT_EQ(p.goraceKlawisze, "C:\\Kalmo\\All_hotkey.dat");
  EXPECT_EQ(p.zastrzezone, "C:\\Kalmo\\All_zast.dat");
  EXPECT_EQ(p.plikiTymczasowe, "C:\\Kalmo\\All_pltym.dat");
  EXPECT_EQ(p.kronika, "C:\\Kalmo\\All_kronup.dat");
  EXPECT_EQ(p.skroty, "C:\\Kalmo\\All_skroty.dat");
  EXPECT_EQ(UtworzNazwyPlikow("C:\\Kalmo", "Łucja").archiwum, "C:\\Kalmo\\Łucja_arch.dat");

  // The logon user's own name where Network\Logon names nobody (every NT-family Windows), so that
  // two users of one program folder keep apart; "All" only when no name is known at all.
  platform::memory::TestPlatform tp;
  EXPECT_EQ(UtworzNazwyPlikow("C:\\Kalmo").skroty, "C:\\Kalmo\\All_skroty.dat");
  tp.processes.userName = "Ewa";
  EXPECT_EQ(UtworzNazwyPlikow("C:\\Kalmo").archiwum, "C:\\Kalmo\\Ewa_arch.dat");
  tp.processes.userName = "Łucja";
  EXPECT_EQ(UtworzNazwyPlikow("C:\\Kalmo").archiwum, "C:\\Kalmo\\Łucja_arch.dat");
  tp.registry.CreateKey(platform::Root::LocalMachine, "Network\\Logon");
  tp.registry.WriteString(platform::Root::LocalMachine, "Network\\Logon", "USERNAME", "");
  EXPECT_EQ(UtworzNazwyPlikow("C:\\Kalmo").archiwum, "C:\\Kalmo\\Łucja_arch.dat");
  tp.registry.WriteString(platform::Root::LocalMachine, "Network\\Logon", "USERNAME", "Jan");
  EXPECT_EQ(UtworzNazwyPlikow("C:\\Kalmo").archiwum, "C:\\Kalmo\\Jan_arch.dat");

  EXPECT_EQ(FolderZeSciezki("C:\\Program Files\\Kalmo\\Kalmo.exe"), "C:\\Program Files\\Kalmo");
  EXPECT_EQ(FolderZeSciezki("C:\\Kalmo.exe"), "C:");
}
