// Page "Schowek": whether the clipboard history is active, its window's size, font and colours,
// and its buffer.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "common/Dyskowe.h"
#include "common/WinTools.h"
#include "keyboard/GoraceKlawisze.h"
#include "options/win32/Strony.h"

namespace {

enum : int { idAktywny = 10, idHotkey, idIncW, idDecW, idIncH, idDecH, idCzcionka, idKolor, idBufor, idLista };
constexpr UINT_PTR kZegarRozmiaru = 1;
constexpr int kX = 20, kY = 80;  // top-left of the example, which shows the window at half its size

const char* const kPrzyklad[] = {"Przykładowy wygląd",           "schowka",
                                 "składający się z róznej długości linii", "zawierający nieistotny tekst",
                                 "długości nie mającej znaczenia", "nie za małej jednak..."};

class TStronaSchowka : public TStronaOpcji {
 public:
  TStronaSchowka(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Schowek", k) {
    Wyboru("chbSchowekAktywny", idAktywny, "Schowek jest aktywny", 12, 6, 300, 17);
    Etykieta("labGoracyKlawiszSchowka", "Gorący klawisz:", 30, 34, 96, 15);
    PoleKlawisza("hkSchowek", idHotkey, kZadanieSchowek, 130, 31, 170);
    Grupa("grpWygladSchowka", "Wygląd Schowka:", 6, 58, 592, 234);
    // The example list stands for the window itself (its edge for the window's frame).
    lista_ = win::CreateChild(Hwnd(), L"LISTBOX", "lstPrzykladSchowka", idLista, "",
                              WS_VISIBLE | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, S(kX), S(kY), 10, 10, WS_EX_CLIENTEDGE);
    for (const char* l : kPrzyklad) SendMessageW(lista_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::Widen(l).c_str()));
    Etykieta("labWielkosc", "Wielkość:", 352, 80, 100, 15);
    Etykieta("labSzerokosc", "szerokość", 352, 102, 80, 15);
    Przycisk("cmdDecWidth", idDecW, "-", 436, 98, 28, 23);
    Przycisk("cmdIncWidth", idIncW, "+", 468, 98, 28, 23);
    Etykieta("labWysokosc", "wysokość", 352, 130, 80, 15);
    Przycisk("cmdDecHeight", idDecH, "-", 436, 126, 28, 23);
    Przycisk("cmdIncHeight", idIncH, "+", 468, 126, 28, 23);
    Przycisk("cmdZmienCzcionke", idCzcionka, "Zmień czcionkę", 352, 166, 144, 26);
    Przycisk("cmdZmienKolor", idKolor, "Zmień kolor", 352, 198, 144, 26);
    Etykieta("labPolowa", "Przykład pokazuje okno schowka w połowie jego wielkości.", 352, 236, 236, 30);
    Etykieta("labBuforSchowka", "Wielkość bufora schowka w kilobajtach", 12, 306, 220, 15);
    Licznik("spnBuforSchowka", idBufor, 236, 303, 70, kZakresBuforaSchowka.min, kZakresBuforaSchowka.max, 10);
  }

  ~TStronaSchowka() override {
    if (czcionka_) DeleteObject(czcionka_);
    if (tlo_) DeleteObject(tlo_);
  }

  void Wczytaj() override {
    std::vector<uint8_t> b(OpcjeSchowka::kRozmiar, 0);
    GetRegistryBinary(kKluczKalmo, wartosc::OpcjeSchowka, b.data(), static_cast<int>(b.size()));
    o_ = OpcjeSchowka::FromBytes(b);
    o_.szerokosc = std::clamp<int32_t>(o_.szerokosc, 70, 600);
    o_.wysokosc = std::clamp<int32_t>(o_.wysokosc, 15, 230);
    Zaznacz(Kontrolka("chbSchowekAktywny"), o_.aktywny);
    win::SetText(Kontrolka("spnBuforSchowka"),
                 std::to_string(std::clamp<int32_t>(o_.buforKB, kZakresBuforaSchowka.min, kZakresBuforaSchowka.max)));
    PokazKlawisze();
    UstawPrzyklad();
    UstawDostepnosc();
  }

  void Zapisz() override {
    o_.aktywny = Zaznaczone(Kontrolka("chbSchowekAktywny"));
    o_.buforKB = WartoscLicznika(Kontrolka("spnBuforSchowka"), kZakresBuforaSchowka, o_.buforKB);
    o_.czcionka = bajty::CutToChars(o_.czcionka, 50);
    const auto b = o_.ToBytes();
    SetRegistryBinary(kKluczKalmo, wartosc::OpcjeSchowka, b.data(), static_cast<int>(b.size()));
    if (kontekst_.zastosujOpcjeSchowka) kontekst_.zastosujOpcjeSchowka(o_);
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (id == idBufor && kod == EN_KILLFOCUS)
      o_.buforKB = WartoscLicznika(Kontrolka("spnBuforSchowka"), kZakresBuforaSchowka, o_.buforKB);
    if (kod != BN_CLICKED) return;
    switch (id) {
      case idAktywny: UstawDostepnosc(); break;
      case idIncW: case idDecW: case idIncH: case idDecH: Krok(id); break;
      case idCzcionka: ZmienCzcionke(); break;
      case idKolor: ZmienKolor(); break;
    }
  }

  void Zegar(UINT_PTR id) override {
    if (id != kZegarRozmiaru) return;
    bool wcisniety = false;
    for (int b : {idIncW, idDecW, idIncH, idDecH})
      if (SendMessageW(GetDlgItem(Hwnd(), b), BM_GETSTATE, 0, 0) & BST_PUSHED) {
        Krok(b);
        wcisniety = true;
      }
    if (!wcisniety) KillTimer(Hwnd(), kZegarRozmiaru);
  }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_CTLCOLORLISTBOX:
        if (reinterpret_cast<HWND>(lp) == lista_) {
          HDC dc = reinterpret_cast<HDC>(wp);
          SetTextColor(dc, o_.kolorCzcionki & 0xFFFFFF);
          SetBkColor(dc, o_.kolorTla & 0xFFFFFF);
          return reinterpret_cast<LRESULT>(tlo_);
        }
        break;
      case WM_PARENTNOTIFY:
        // A size button held down keeps changing the example every 40 ms.
        if (LOWORD(wp) == WM_LBUTTONDOWN) SetTimer(Hwnd(), kZegarRozmiaru, 40, nullptr);
        break;
    }
    return TStronaOpcji::HandleMessage(msg, wp, lp);
  }

 private:
  void Krok(int id) {
    if (id == idIncW && o_.szerokosc < 600) o_.szerokosc += 2;
    if (id == idDecW && o_.szerokosc > 70) o_.szerokosc -= 2;
    if (id == idIncH && o_.wysokosc < 230) o_.wysokosc += 2;
    if (id == idDecH && o_.wysokosc > 15) o_.wysokosc -= 2;
    UstawPrzyklad();
  }

  void UstawPrzyklad() {
    const int w = S(o_.szerokosc / 2), h = S(o_.wysokosc / 2);
    SetWindowPos(lista_, nullptr, 0, 0, w + 4, h + 4, SWP_NOMOVE | SWP_NOZORDER);
    if (czcionka_) DeleteObject(czcionka_);
    LOGFONTW lf = Czcionka();
    czcionka_ = CreateFontIndirectW(&lf);
    win::SetFont(lista_, czcionka_, true);
    if (tlo_) DeleteObject(tlo_);
    tlo_ = CreateSolidBrush(o_.kolorTla & 0xFFFFFF);
    InvalidateRect(lista_, nullptr, TRUE);
    RECT r{S(kX) - 2, S(kY) - 2, S(kX + 304), S(kY + 120)};
    InvalidateRect(Hwnd(), &r, TRUE);
  }

  LOGFONTW Czcionka() const {
    LOGFONTW lf{};
    HDC dc = GetDC(nullptr);
    lf.lfHeight = -MulDiv(o_.rozmiarCzcionki > 0 ? o_.rozmiarCzcionki : 8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    ReleaseDC(nullptr, dc);
    lf.lfWeight = (o_.styl & OpcjeSchowka::StylPogrubiona) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (o_.styl & OpcjeSchowka::StylKursywa) != 0;
    lf.lfUnderline = (o_.styl & OpcjeSchowka::StylPodkreslona) != 0;
    lf.lfStrikeOut = (o_.styl & OpcjeSchowka::StylPrzekreslona) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring nazwa = win::Widen(o_.czcionka.empty() ? "MS Sans Serif" : o_.czcionka);
    wcsncpy(lf.lfFaceName, nazwa.c_str(), LF_FACESIZE - 1);
    return lf;
  }

  void ZmienCzcionke() {
    LOGFONTW lf = Czcionka();
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = GetAncestor(Hwnd(), GA_ROOT);
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    cf.rgbColors = o_.kolorCzcionki & 0xFFFFFF;
    if (!ChooseFontW(&cf)) return;
    o_.czcionka = win::Narrow(lf.lfFaceName, static_cast<int>(wcsnlen(lf.lfFaceName, LF_FACESIZE)));
    o_.rozmiarCzcionki = cf.iPointSize / 10;
    o_.styl = static_cast<uint8_t>((lf.lfWeight >= FW_BOLD ? OpcjeSchowka::StylPogrubiona : 0) |
                                   (lf.lfItalic ? OpcjeSchowka::StylKursywa : 0) |
                                   (lf.lfUnderline ? OpcjeSchowka::StylPodkreslona : 0) |
                                   (lf.lfStrikeOut ? OpcjeSchowka::StylPrzekreslona : 0));
    o_.kolorCzcionki = cf.rgbColors;
    UstawPrzyklad();
  }

  void ZmienKolor() {
    static COLORREF wlasne[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = GetAncestor(Hwnd(), GA_ROOT);
    cc.rgbResult = o_.kolorTla & 0xFFFFFF;
    cc.lpCustColors = wlasne;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return;
    o_.kolorTla = cc.rgbResult;
    UstawPrzyklad();
  }

  void UstawDostepnosc() {
    const bool tak = Zaznaczone(Kontrolka("chbSchowekAktywny"));
    if (!tak) SendMessageW(Kontrolka("hkSchowek"), HKM_SETHOTKEY, 0, 0);
    for (const char* n : {"labGoracyKlawiszSchowka", "hkSchowek", "cmdIncWidth", "cmdDecWidth", "cmdIncHeight", "cmdDecHeight",
                          "cmdZmienCzcionke", "cmdZmienKolor", "spnBuforSchowka", "spnBuforSchowkaStrzalki",
                          "labBuforSchowka", "lstPrzykladSchowka"})
      EnableWindow(Kontrolka(n), tak);
  }

  OpcjeSchowka o_;
  HWND lista_ = nullptr;
  HFONT czcionka_ = nullptr;
  HBRUSH tlo_ = nullptr;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaSchowka(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaSchowka>(dialog, obszar, kontekst);
}
