// The main window's tray menu helpers and the tray icon, in this process under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/Glowna.h"
#include "app/win32/Glowna.h"
#include "app/win32/IkonaZasobnika.h"

namespace {

TEST(MenuGlowne, ItemsStandInOrderWithSeparatorsAndFollowCaptionsAndState) {
  HMENU m = UtworzMenuGlowne();
  ASSERT_NE(m, nullptr);
  ASSERT_EQ(GetMenuItemCount(m), 13);
  // -1: the pause submenu.
  const int order[] = {mnuPomoc, mnuOProgramie, 0, mnuListaDokumentow, mnuListaSkrotow, mnuInformacjeDnia,
                       mnuStatystyka, mnuOpcje, mnuPrzerwa, -1, mnuWznow, 0, mnuKoniec};
  for (int i = 0; i < 13; ++i) {
    MENUITEMINFOW mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
    ASSERT_TRUE(GetMenuItemInfoW(m, i, TRUE, &mi));
    if (order[i] == 0) EXPECT_TRUE(mi.fType & MFT_SEPARATOR) << i;
    else if (order[i] == -1) EXPECT_NE(mi.hSubMenu, nullptr) << i;
    else EXPECT_EQ(static_cast<int>(mi.wID), order[i]) << i;
  }
  HMENU pauza = GetSubMenu(m, 9);
  ASSERT_EQ(GetMenuItemCount(pauza), 4);
  EXPECT_EQ(PodpisPozycji(pauza, mnuWstrzymaj30), "30 minut");
  EXPECT_EQ(PodpisPozycji(pauza, mnuWstrzymajDoJutra), "do jutra");
  EXPECT_EQ(PodpisPozycji(m, mnuWznow), "Wznów przypomnienia");
  EXPECT_EQ(PodpisPozycji(m, mnuOProgramie), "O programie...");
  EXPECT_EQ(PodpisPozycji(m, mnuListaSkrotow), "Lista skrótów...");

  PodpisyMenu p;
  p.listaDokumentow = "Lista dokumentów...    (Ctrl+=)";
  p.listaSkrotow = "Lista Skrótów...    (Alt+S)";
  p.informacjeDnia = "Informacje dnia...";
  p.statystyka = "Statystyka...    (Ctrl+F12)";
  p.opcje = "Opcje...";
  p.przerwa = "Przerwa    (Shift+Ctrl+P)";
  UstawPodpisyMenu(m, p);
  EXPECT_EQ(PodpisPozycji(m, mnuListaDokumentow), p.listaDokumentow);
  EXPECT_EQ(PodpisPozycji(m, mnuListaSkrotow), p.listaSkrotow);
  EXPECT_EQ(PodpisPozycji(m, mnuStatystyka), p.statystyka);
  EXPECT_EQ(PodpisPozycji(m, mnuPrzerwa), p.przerwa);
  EXPECT_EQ(PodpisPozycji(m, mnuKoniec), "Koniec");  // items without a hotkey keep theirs

  StanMenu s;
  s.informacjeDnia = false;
  s.oProgramie = false;
  UstawStanMenu(m, s);
  auto grayed = [m](int id) { return (GetMenuState(m, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
  EXPECT_TRUE(grayed(mnuInformacjeDnia));
  EXPECT_TRUE(grayed(mnuOProgramie));
  EXPECT_TRUE(grayed(mnuWznow));  // no pause runs
  EXPECT_FALSE(grayed(mnuStatystyka));
  EXPECT_FALSE(grayed(mnuPrzerwa));
  s = StanMenu{};
  s.wznow = true;
  UstawStanMenu(m, s);
  EXPECT_FALSE(grayed(mnuWznow));
  EXPECT_FALSE(grayed(mnuInformacjeDnia));
  EXPECT_FALSE(grayed(mnuOProgramie));
  DestroyMenu(m);
}

TEST(IkonaZasobnika, FlashingRunsOverTheFramesAndStoppingRestoresTheIcon) {
  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
  ASSERT_NE(owner, nullptr);
  HICON normal = LoadIconW(nullptr, IDI_APPLICATION);
  HICON a = LoadIconW(nullptr, IDI_WARNING);
  HICON b = LoadIconW(nullptr, IDI_ERROR);
  {
    TNotifyIcon icon;
    icon.Utworz(owner, WM_APP + 1, 7, normal, {a, b});
    icon.UstawPodpowiedz("Kalmo");
    ASSERT_TRUE(icon.Pokaz());
    EXPECT_EQ(icon.Biezaca(), normal);

    icon.ZatrzymajAnimacje();  // not running: nothing changes
    EXPECT_EQ(icon.Biezaca(), normal);
    icon.UruchomAnimacje();
    EXPECT_TRUE(icon.Animacja());
    EXPECT_EQ(icon.Biezaca(), a);
    icon.NastepnaKlatka();
    EXPECT_EQ(icon.Biezaca(), b);
    icon.NastepnaKlatka();
    EXPECT_EQ(icon.Biezaca(), a);
    icon.UruchomAnimacje();  // a second warning does not restart the cycle
    EXPECT_EQ(icon.Biezaca(), a);
    icon.ZatrzymajAnimacje();
    EXPECT_FALSE(icon.Animacja());
    EXPECT_EQ(icon.Biezaca(), normal);
    icon.NastepnaKlatka();  // a late timer message after the stop
    EXPECT_EQ(icon.Biezaca(), normal);

    // A hint longer than the tray holds is cut, not refused.
    icon.UstawPodpowiedz(std::string(300, 'x'));
    EXPECT_EQ(icon.Podpowiedz().size(), 300u);
    icon.Przywroc();  // as after "TaskbarCreated"
    EXPECT_TRUE(icon.Dodana());
    icon.Ukryj();
    EXPECT_FALSE(icon.Dodana());
  }
  DestroyWindow(owner);
}

}  // namespace
