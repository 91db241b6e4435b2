// Scenes of the statistics window: its four pages over a year of archive data with some dial-up
// connections and a dozen monitored documents, each with the keyboard's focus on its chart or
// grid; the grid also in a month of six weeks with days of up to 24 hours.
#include <windows.h>

#include "base/DateTime.h"
#include "documents/Statystyka.h"
#include "documents/win32/Statystyka.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"
#include "tools/win32/Scenes.h"

namespace {

constexpr char kArchiwum[] = "C:\\Kalmo\\Scena_arch.dat";

// Working days from 15 March 2023 to 14 March 2024 (weekends mostly free), each with its work
// time from a fixed sequence; every fifth day has connections.
ZrodloStatystyki Rok() {
  platform::Fs().CreateDirectory("C:\\Kalmo");
  platform::Reg().CreateKey(platform::Root::CurrentUser, kKluczKalmo);
  std::string bajty;
  uint32_t los = 12345;
  auto nastepny = [&los](int zakres) {
    los = los * 1103515245u + 12345u;
    return static_cast<int>((los >> 16) % static_cast<uint32_t>(zakres));
  };
  const double od = datetime::EncodeDate(2023, 3, 15), doDnia = datetime::EncodeDate(2024, 3, 14);
  int n = 0;
  for (double d = od; d <= doDnia; d += 1) {
    const int dzien = datetime::DayOfWeek(d);
    if ((dzien == 1 || dzien == 7) && nastepny(4) != 0) continue;
    ArchiveRecord r;
    r.Date = d + 0.75;
    r.WorkSeconds = 3 * 3600 + nastepny(7 * 3600);
    if (++n % 5 == 0) {
      r.ConnectionSeconds = 300 + nastepny(3000);
      r.ConnectionCount = 1 + nastepny(3);
      r.ChargeUnits = r.ConnectionSeconds / 180 + 1;
    }
    const auto b = r.ToBytes();
    bajty.append(b.begin(), b.end());
  }
  platform::Fs().WriteFileReplacing(kArchiwum, bajty);

  ZrodloStatystyki z;
  z.plikArchiwum = kArchiwum;
  z.dzis = datetime::EncodeDate(2024, 3, 15);
  z.dzisSekundy = 4 * 3600 + 25 * 60;
  z.limitSekund = 6 * 3600;
  const char* nazwy[] = {"Word - Raport roczny.doc", "Excel - Budżet 2024.xls", "Word - List do klienta.doc",
                         "Notatnik - zadania.txt", "Excel - Faktury.xls", "Word - Umowa najmu.doc",
                         "Word - Oferta.doc", "Excel - Wykaz godzin.xls", "Word - Sprawozdanie.doc",
                         "Notatnik - pomysły.txt", "Word - Protokół.doc", "Excel - Magazyn.xls"};
  int i = 0;
  for (const char* nazwa : nazwy) {
    DocumentRecord r;
    r.Name = nazwa;
    r.Seconds = (3 + (i * 7) % 40) * 3600 + (i * 13 % 60) * 60;
    r.LastSeen = datetime::EncodeDate(2024, 3, 1 + i);
    z.dokumenty.push_back(r);
    ++i;
  }
  return z;
}

// Long days in October 2023 (a month of six week rows): later records of a day win in the grid.
void DlugieDni() {
  std::string bajty = *platform::Fs().ReadFile(kArchiwum);
  const int godziny[] = {24, 16, 11, 9, 24, 13, 20};
  for (int i = 0; i < 7; ++i) {
    ArchiveRecord r;
    r.Date = datetime::EncodeDate(2023, 10, 2 + i * 4) + 0.75;
    r.WorkSeconds = godziny[i] * 3600 - (i * 7 % 50) * 60;
    const auto b = r.ToBytes();
    bajty.append(b.begin(), b.end());
  }
  platform::Fs().WriteFileReplacing(kArchiwum, bajty);
}

void Strona(int strona, bool najmniejsze = false, bool szescTygodni = false) {
  ZrodloStatystyki z = Rok();
  if (szescTygodni) DlugieDni();
  TfrmStatystyka okno(z);
  okno.FormShow();
  if (najmniejsze) SetWindowPos(okno.Hwnd(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);  // to the minimum
  okno.UstawStrone(strona);
  if (szescTygodni) okno.Grafik().PokazMiesiac(datetime::EncodeDate(2023, 10, 1));
  if (strona == 3)
    for (int i : {0, 2, 3, 5, 6, 8, 10}) okno.Dokumenty().UstawZaznaczenie(i, true);
  if (strona == 0) okno.Dziennie().WykresMouseMove(0, static_cast<int>(okno.DayEntries().size()) - 2);
  if (strona == 2) okno.Miesiecznie().WykresMouseMove(0, 2);
  if (strona == 3) okno.Dokumenty().WykresMouseMove(0, 1);
  okno.ShowModal(nullptr);
}

const scenes::Registrar kDziennie("StatystykaDziennie", [] { Strona(0); });
const scenes::Registrar kGrafik("StatystykaGrafik", [] { Strona(1); });
const scenes::Registrar kMiesiecznie("StatystykaMiesiecznie", [] { Strona(2); });
const scenes::Registrar kDokumenty("StatystykaDokumenty", [] { Strona(3); });
const scenes::Registrar kMale("StatystykaDokumentyNajmniejsze", [] { Strona(3, true); });
const scenes::Registrar kSzesc("StatystykaGrafikSzescTygodni", [] { Strona(1, false, true); });

}  // namespace
