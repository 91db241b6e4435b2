// Scenes of the temporary-file cleanup: the chronicle window over an in-memory chronicle of three
// days, the file-kind dialog over a few registered file types, and the two days dialogs.
#include <windows.h>
#include <commctrl.h>

#include "cleanup/win32/CzasOprozniania.h"
#include "cleanup/win32/KronikaUsuwanychPlikow.h"
#include "cleanup/win32/RodzajPliku.h"
#include "common/Dyskowe.h"
#include "platform/Platform.h"
#include "tools/win32/Scenes.h"

namespace {

constexpr char kKronika[] = "C:\\Kalmo\\Scena_kronup.dat";

void Kronika() {
  platform::Fs().CreateDirectory("C:\\Kalmo");
  WriteTextLines(kKronika, {
      "C:\\Users\\jan\\AppData\\Local\\Temp\\~DF3A21.tmp#03.03.2026",
      "C:\\Users\\jan\\AppData\\Local\\Temp\\Instalator programu księgowego\\setup_log.txt#03.03.2026",
      "D:\\RECYCLED\\Dc12.doc#03.03.2026",
      "C:\\Users\\jan\\Documents\\Projekty\\Biuro rachunkowe 2026\\Sprawozdania kwartalne\\Zestawienie - Kopia.xls#05.03.2026",
      "C:\\Users\\jan\\AppData\\Local\\Temp\\wydruk#2.spl#05.03.2026",
      "C:\\Users\\jan\\AppData\\Local\\Temp\\Źródła\\ćwiczenie.bak#08.03.2026",
  });
}

void Rozszerzenia() {
  auto& reg = platform::Reg();
  const char* typy[][3] = {{".bak", "bakfile", "Kopia zapasowa"},
                           {".doc", "Word.Document", "Dokument programu Word"},
                           {".log", "txtfile", "Dokument tekstowy"},
                           {".tmp", "tmpfile", "Plik tymczasowy"},
                           {".txt", "txtfile", "Dokument tekstowy"},
                           {".xls", "Excel.Sheet", "Arkusz programu Excel"},
                           {".zip", "CompressedFolder", "Folder skompresowany (zip)"}};
  for (auto& t : typy) {
    reg.CreateKey(platform::Root::ClassesRoot, t[0]);
    reg.WriteString(platform::Root::ClassesRoot, t[0], "", t[1]);
    reg.CreateKey(platform::Root::ClassesRoot, t[1]);
    reg.WriteString(platform::Root::ClassesRoot, t[1], "", t[2]);
  }
}

const scenes::Registrar kKronikaScena("KronikaUsuwanychPlikow", [] {
  Kronika();
  PokazKronikeUsuwanychPlikow(nullptr, kKronika);
});

const scenes::Registrar kKronikaAlfabetycznie("KronikaUsuwanychPlikowAlfabetycznie", [] {
  Kronika();
  TfrmKronikaUsuwanychPlikow okno;
  if (!okno.Utworz(nullptr, kKronika)) return;
  HWND strony = win::FindControl(okno.Hwnd(), "strKronika");
  SendMessageW(strony, TCM_SETCURSEL, 1, 0);
  okno.strKronikaChange();
  okno.ShowModal(nullptr);
});

const scenes::Registrar kKronikaBrak("KronikaUsuwanychPlikowBrak", [] {
  platform::Fs().CreateDirectory("C:\\Kalmo");
  PokazKronikeUsuwanychPlikow(nullptr, kKronika);
});

const scenes::Registrar kRodzaj("RodzajPliku", [] {
  Rozszerzenia();
  PokazRodzajPliku(nullptr, "*.tmp", 7);
});

const scenes::Registrar kCzasKosz("CzasOproznianiaKosz", [] { PokazCzasOprozniania(nullptr, true, 21); });
const scenes::Registrar kCzasTemp("CzasOproznianiaTemp", [] { PokazCzasOprozniania(nullptr, false, 1); });

}  // namespace
