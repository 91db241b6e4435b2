// The folder-shortcut list and the hotkey dialog as windows: keys open the folder through the
// explorer command, the list fits its entries; the hotkey dialog gives the line of its choices.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "base/Cp1250.h"
#include "common/win32/Window.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/win32/GoracyKlawisz.h"
#include "keyboard/win32/ListaSkrotow.h"
#include "keyboard/win32/Skrot.h"
#include "platform/memory/Memory.h"
#include "tests/win/Driver.h"
#include "tests/win/ZmianaDpi.h"
#include "tests/win/WinTestSupport.h"

namespace {

const std::string kPlik = "C:\\Kalmo\\Jan_skroty.dat";

// Runs an action on the shown list from inside its modal loop (a thread timer of this thread).
std::function<void(HWND)> g_akcja;
void CALLBACK PoPokazaniu(HWND, UINT, UINT_PTR id, DWORD) {
  HWND okno = FindWindowW(L"TfrmListaSkrotow", nullptr);
  if (!okno || !IsWindowVisible(okno)) return;
  KillTimer(nullptr, id);
  g_akcja(okno);
}

int PokazListe(const std::function<void(HWND)>& akcja, std::function<void()> opcje = nullptr) {
  g_akcja = akcja;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, &PoPokazaniu);
  TfrmListaSkrotow lista(kPlik, std::move(opcje));
  const int wynik = lista.ShowModal(nullptr);
  KillTimer(nullptr, timer);  // a list that never opened leaves its timer
  return wynik;
}

// A key pressed and released in the list, as the keyboard gives it.
void Nacisnij(HWND lista, WPARAM klawisz) {
  PostMessageW(lista, WM_KEYDOWN, klawisz, 0);
  PostMessageW(lista, WM_KEYUP, klawisz, 0);
}

void ZapiszSkroty(platform::memory::TestPlatform& tp, int ile) {
  std::string plik;
  for (int i = 1; i <= ile; ++i)
    plik += cp1250::FromUtf8("Folder " + std::to_string(i) + "#C:\\Dane, " + std::to_string(i) + "\\Zdjęcia") + "\r\n";
  tp.files.AddDirectory("C:\\Kalmo");
  tp.files.AddFile(kPlik, plik);
}

}  // namespace

TEST(ListaSkrotowWin, KeysOpenTheirFolderInTheExplorer) {
  platform::memory::TestPlatform tp;
  ZapiszSkroty(tp, 12);
  // "B" opens the twelfth, on its release; the window closes.
  int wpisow = 0, wysokoscKlienta = 0, wysokoscWpisu = 0;
  PokazListe([&](HWND okno) {
    HWND lista = driver::FindChildByName(okno, "lstSkroty");
    wpisow = static_cast<int>(SendMessageW(lista, LB_GETCOUNT, 0, 0));
    wysokoscWpisu = static_cast<int>(SendMessageW(lista, LB_GETITEMHEIGHT, 0, 0));
    RECT r{};
    GetClientRect(okno, &r);
    wysokoscKlienta = r.bottom;
    Nacisnij(lista, 'B');
  });
  EXPECT_EQ(wpisow, 12);
  EXPECT_GE(wysokoscKlienta, 12 * wysokoscWpisu);  // every entry visible without scrolling
  ASSERT_EQ(tp.processes.started.size(), 1u);
  EXPECT_EQ(tp.processes.started[0].commandLine, "Explorer /e,\"C:\\Dane, 12\\Zdjęcia\"");
  EXPECT_EQ(tp.processes.started[0].showState, SW_RESTORE);

  // A key without an entry does nothing; nor does the release of a key pressed before the list
  // opened (the Enter that chose it in the tray menu, a hotkey's last key); Escape closes without
  // opening.
  bool otwartaPoZwolnieniu = false;
  PokazListe([&](HWND okno) {
    HWND lista = driver::FindChildByName(okno, "lstSkroty");
    SendMessageW(lista, WM_KEYUP, VK_RETURN, 0);
    SendMessageW(lista, WM_KEYUP, '2', 0);
    otwartaPoZwolnieniu = IsWindowVisible(okno) != FALSE;
    Nacisnij(lista, 'C');
    Nacisnij(lista, VK_ESCAPE);
  });
  EXPECT_TRUE(otwartaPoZwolnieniu);
  EXPECT_EQ(tp.processes.started.size(), 1u);

  // Enter opens the selected entry.
  PokazListe([&](HWND okno) {
    HWND lista = driver::FindChildByName(okno, "lstSkroty");
    SendMessageW(lista, LB_SETCURSEL, 2, 0);
    Nacisnij(lista, VK_RETURN);
  });
  ASSERT_EQ(tp.processes.started.size(), 2u);
  EXPECT_EQ(tp.processes.started[1].commandLine, "Explorer /e,\"C:\\Dane, 3\\Zdjęcia\"");

  // The pointer over the fifth entry selects it; a press opens it.
  int zaznaczony = -1;
  PokazListe([&](HWND okno) {
    HWND lista = driver::FindChildByName(okno, "lstSkroty");
    RECT r{};
    SendMessageW(lista, LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&r));
    const LPARAM punkt = MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2);
    SendMessageW(lista, WM_MOUSEMOVE, 0, punkt);
    zaznaczony = static_cast<int>(SendMessageW(lista, LB_GETCURSEL, 0, 0));
    PostMessageW(lista, WM_LBUTTONDOWN, MK_LBUTTON, punkt);
  });
  EXPECT_EQ(zaznaczony, 4);
  ASSERT_EQ(tp.processes.started.size(), 3u);
  EXPECT_EQ(tp.processes.started[2].commandLine, "Explorer /e,\"C:\\Dane, 5\\Zdjęcia\"");
}

TEST(ListaSkrotowWin, AListLongerThanTheScreenStaysOnIt) {
  platform::memory::TestPlatform tp;
  ZapiszSkroty(tp, 120);
  RECT okno{}, obszar{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &obszar, 0);
  PokazListe([&](HWND h) {
    GetWindowRect(h, &okno);
    Nacisnij(driver::FindChildByName(h, "lstSkroty"), VK_ESCAPE);
  });
  EXPECT_GE(okno.top, obszar.top);
  EXPECT_LE(okno.bottom, obszar.bottom);
  EXPECT_EQ(okno.right - okno.left, win::Scale(202, win::ScreenDpi()));
}

TEST(ListaSkrotowWin, AnEmptyListOffersTheOptionsInsteadOfAnEmptyWindow) {
  platform::memory::TestPlatform tp;
  tp.files.AddFile(kPlik, "\r\n");
  int opcji = 0;
  // "Nie": no window at all.
  tp.dialogs.answers.push_back(platform::okNie);
  EXPECT_EQ(PokazListe([](HWND) {}, [&] { ++opcji; }), IDCANCEL);
  EXPECT_EQ(opcji, 0);
  EXPECT_EQ(FindWindowW(L"TfrmListaSkrotow", nullptr), nullptr);
  ASSERT_EQ(tp.dialogs.Texts(),
            std::vector<std::string>{"Lista skrótów folderów jest pusta. Czy otworzyć opcje, aby dodać skróty?"});
  // "Tak": the options, and the shortcut added there is in the list that opens after them.
  int wpisow = 0;
  tp.dialogs.answers.push_back(platform::okTak);
  PokazListe(
      [&](HWND okno) {
        HWND lista = driver::FindChildByName(okno, "lstSkroty");
        wpisow = static_cast<int>(SendMessageW(lista, LB_GETCOUNT, 0, 0));
        Nacisnij(lista, VK_ESCAPE);
      },
      [&] {
        ++opcji;
        tp.files.AddFile(kPlik, "Dom#C:\\Dom\r\n");
      });
  EXPECT_EQ(opcji, 1);
  EXPECT_EQ(wpisow, 1);
}

TEST(GoracyKlawiszWin, OkGivesTheLineOfTheChosenKeyAndTask) {
  platform::memory::TestPlatform tp;
  std::string caption;
  {
    driver::Answerer answer(L"TfrmGoracyKlawisz", "Ok", [&](HWND dlg) {
      caption = driver::ReadText(dlg);
      HWND hk = driver::FindChildByName(dlg, "hkHotKey");
      SendMessageW(hk, HKM_SETHOTKEY, MAKEWORD('D', HOTKEYF_CONTROL | HOTKEYF_SHIFT), 0);
      SendMessageW(driver::FindChildByName(dlg, "cmbRozkazy"), CB_SETCURSEL, 4, 0);
    }, 1);
    EXPECT_EQ(NowyGoracyKlawisz(), "Shift+Ctrl+D#Wyświetla historię schowka");
  }
  EXPECT_EQ(caption, "Dodanie nowego gorącego klawisza");

  // Editing keeps the key, the task and the program path of the line; "Anuluj" gives nothing.
  const std::string linia = "Ctrl+=#Uruchamia wybraną aplikację (C:\\Program Files (x86)\\Gra\\gra.exe)";
  {
    driver::Answerer answer(L"TfrmGoracyKlawisz", "Ok", [&](HWND dlg) { caption = driver::ReadText(dlg); }, 1);
    EXPECT_EQ(EdytujGoracyKlawisz(linia), linia);
  }
  EXPECT_EQ(caption, "Edycja gorącego klawisza");
  {
    driver::Answerer answer(L"TfrmGoracyKlawisz", "Anuluj", 1);
    EXPECT_EQ(EdytujGoracyKlawisz(linia), "");
  }
  // A key that does not read leaves the field empty, not the new binding's Alt+A, so "Ok" asks.
  LRESULT klawisz = -1;
  bool otwarty = false;
  {
    driver::Answerer answer(L"TfrmGoracyKlawisz", "Anuluj", [&](HWND dlg) {
      klawisz = SendMessageW(driver::FindChildByName(dlg, "hkHotKey"), HKM_GETHOTKEY, 0, 0);
      SendMessageW(dlg, WM_COMMAND, IDOK, 0);
      otwarty = IsWindowVisible(dlg) != FALSE;
    }, 1);
    EXPECT_EQ(EdytujGoracyKlawisz("Ctrl+Coś#Przerwa"), "");
  }
  EXPECT_EQ(klawisz, 0);
  EXPECT_TRUE(otwarty);
  EXPECT_EQ(tp.dialogs.Texts(), std::vector<std::string>{"Niepoprawny gorący klawisz - wybierz inny!"});
}

TEST(GoracyKlawiszWin, AProgramLineWrittenByHandStartsWithItsArgumentsInTheProgramsFolder) {
  // The real platform: this test program, started again as a child that tells how it was started.
  wintest::Scratch s;
  const std::string znacznik = s.Path("znacznik.txt");
  const std::string program = wintest::SelfPath();
  const PolecenieProgramu p = PolecenieDlaProgramu(program + " --child " + znacznik + " jeden");
  ASSERT_EQ(p.folder, program.substr(0, program.rfind('\\')));
  EXPECT_EQ(platform::Procs().RunIn(p.linia, SW_SHOWMINNOACTIVE, p.folder), 0u);
  std::string tekst;
  for (int i = 0; i < 400 && ((tekst = wintest::Scratch::Get(znacznik)).empty() || tekst.back() != '\n'); ++i)
    Sleep(50);
  EXPECT_NE(tekst.find("folder=" + p.folder + "\r\n"), std::string::npos) << tekst;
  EXPECT_NE(tekst.find("args=jeden\r\n"), std::string::npos) << tekst;
}

TEST(SkrotWin, OkGivesTheFieldsAndRefusesWhatTheFileCannotHold) {
  platform::memory::TestPlatform tp;
  {
    RECT propozycja{}, poZmianie{};
    int czcionka = 0, czcionkaPo = 0, pole = 0, polePo = 0;
    driver::Answerer answer(L"TfrmSkrot", "OK", [&](HWND dlg) {
      // Moved to a monitor of 200 %: the proposed rectangle, fields and fonts twice as large.
      HWND nazwa = driver::FindChildByName(dlg, "tbNazwaSkrotu");
      czcionka = wintest::WysokoscCzcionki(nazwa);
      pole = wintest::Szerokosc(nazwa);
      propozycja = wintest::ZmienDpi(dlg, 96, 192);
      poZmianie = wintest::Prostokat(dlg);
      czcionkaPo = wintest::WysokoscCzcionki(nazwa);
      polePo = wintest::Szerokosc(nazwa);
      SetWindowTextW(driver::FindChildByName(dlg, "tbNazwaSkrotu"), L"Zdjęcia");
      SetWindowTextW(driver::FindChildByName(dlg, "tbLokalizacjaFolderu"), L"D:\\Dev\\C#\\A, B");
    }, 1);
    TfrmSkrot s;
    EXPECT_EQ(s.Pokaz(), IDOK);
    EXPECT_EQ(s.Nazwa, "Zdjęcia");
    EXPECT_EQ(s.Lokalizacja, "D:\\Dev\\C#\\A, B");  // a "#" in a folder is the folder's
    EXPECT_EQ(answer.Seen()[0].caption, "Nowy skrót");
    EXPECT_TRUE(EqualRect(&propozycja, &poZmianie));
    EXPECT_NEAR(czcionkaPo, 2 * czcionka, 1);  // points rounded to pixels at each DPI
    EXPECT_EQ(polePo, 2 * pole);
  }
  // A "#" in the name, a folder with a character Windows-1250 lacks: each refused with its
  // warning, and the dialog stays until it is cancelled.
  TfrmSkrot s;
  s.Nazwa = "Projekty";
  s.Lokalizacja = "C:\\Projekty";
  bool otwarty = false;
  driver::Answerer skrot(L"TfrmSkrot", "Anuluj", [&](HWND dlg) {
    SetWindowTextW(driver::FindChildByName(dlg, "tbNazwaSkrotu"), L"Projekty #2");
    SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    SetWindowTextW(driver::FindChildByName(dlg, "tbNazwaSkrotu"), L"Projekty");
    SetWindowTextW(driver::FindChildByName(dlg, "tbLokalizacjaFolderu"), L"C:\\Документы");
    SendMessageW(dlg, WM_COMMAND, IDOK, 0);
    otwarty = IsWindowVisible(dlg) != FALSE;
  }, 1);
  EXPECT_EQ(s.Pokaz(), IDCANCEL);
  EXPECT_TRUE(otwarty);
  EXPECT_EQ(skrot.Seen()[0].caption, "Edytowanie skrótu");
  EXPECT_EQ(skrot.Seen()[0].controls.at("tbNazwaSkrotu"), "Projekty");
  EXPECT_EQ(tp.dialogs.Texts(), (std::vector<std::string>{
                                    "Nazwa skrótu nie może zawierać znaku „#”.",
                                    "Lokalizacja folderu zawiera znak „Д”, którego nie da się zapisać w pliku skrótów "
                                    "(strona kodowa Windows-1250).",
                                }));
  EXPECT_EQ(s.Nazwa, "");
}
