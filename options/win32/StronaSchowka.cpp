// Page "Schowek": whether the clipboard history is active, its hotkey, its window's size, font and
// colours, and its buffer.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "common/Bajty.h"
#include "options/win32/PoleKlawisza.h"
#include "options/win32/Strony.h"

namespace {

constexpr UINT_PTR kZegarRozmiaru = 1;
constexpr int kX = 20, kY = 80;  // top-left of the example, which shows the window at half its size

const char* const kPrzyklad[] = {"Przykładowy wygląd",           "schowka",
                                 "składający się z róznej długości linii", "zawierający nieistotny tekst",
                                 "długości nie mającej znaczenia", "nie za małej jednak..."};

class TStronaSchowka : public TStronaOpcji {
 public:
  TStronaSchowka(HWND dialog, const RECT& obszar, DialogOpcji& o) : TStronaOpcji(dialog, obszar, "Schowek", o) {
    chbAktywny_ =
        AddCheckBox("chbSchowekAktywny", "Schowek jest aktywny", {12, 6, 300, 17}, [this] { UstawDostepnosc(); });
    AddLabel("labGoracyKlawiszSchowka", "Gorący klawisz:", {30, 34, 96, 15});
    hkSchowek_ = PoleKlawisza(AddControl(HOTKEY_CLASSW, "hkSchowek", "", {130, 31, 170, 21}, WS_VISIBLE | WS_TABSTOP,
                                         WS_EX_CLIENTEDGE),
                              kZadanieSchowek);
    AddGroup("grpWygladSchowka", "Wygląd Schowka:", {6, 58, 592, 234});
    // The example list stands for the window itself (its edge for the window's frame).
    lstPrzyklad_ = AddListBox("lstPrzykladSchowka", {kX, kY, 10, 10}, LBS_NOINTEGRALHEIGHT | LBS_NOSEL);
    for (const char* l : kPrzyklad) lstPrzyklad_.Add(l);
    AddLabel("labWielkosc", "Wielkość:", {352, 80, 100, 15});
    AddLabel("labSzerokosc", "szerokość", {352, 102, 80, 15});
    AddLabel("labWysokosc", "wysokość", {352, 130, 80, 15});
    struct Krok {
      const char* nazwa;
      const char* tekst;
      win::Box gdzie;
      int dx, dy;
    };
    for (const Krok& k : {Krok{"cmdDecWidth", "-", {436, 98, 28, 23}, -2, 0},
                          Krok{"cmdIncWidth", "+", {468, 98, 28, 23}, 2, 0},
                          Krok{"cmdDecHeight", "-", {436, 126, 28, 23}, 0, -2},
                          Krok{"cmdIncHeight", "+", {468, 126, 28, 23}, 0, 2}})
      kroki_.push_back({AddButton(k.nazwa, k.tekst, k.gdzie, [this, k] { Zmien(k.dx, k.dy); }), k.dx, k.dy});
    AddButton("cmdZmienCzcionke", "Zmień czcionkę", {352, 166, 144, 26}, [this] { cmdZmienCzcionkeClick(); });
    AddButton("cmdZmienKolor", "Zmień kolor", {352, 198, 144, 26}, [this] { cmdZmienKolorClick(); });
    AddLabel("labPolowa", "Przykład pokazuje okno schowka w połowie jego wielkości.", {352, 236, 236, 30});
    AddLabel("labBuforSchowka", "Wielkość bufora schowka w kilobajtach", {12, 306, 220, 15});
    spnBufor_ =
        AddSpinBox("spnBuforSchowka", {236, 303, 70, 21}, kZakresBuforaSchowka.min, kZakresBuforaSchowka.max, 10);
    OnNotification(spnBufor_, [this](int kod) {
      if (kod == EN_KILLFOCUS) Bufor();
    });
  }

  ~TStronaSchowka() override {
    if (czcionka_) DeleteObject(czcionka_);
    if (tlo_) DeleteObject(tlo_);
  }

  void Wczytaj() override {
    OpcjeSchowka& o = Szkic().schowek;
    o.szerokosc = std::clamp<int32_t>(o.szerokosc, 70, 600);
    o.wysokosc = std::clamp<int32_t>(o.wysokosc, 15, 230);
    chbAktywny_.SetChecked(o.aktywny);
    spnBufor_.SetValue(std::clamp<int32_t>(o.buforKB, kZakresBuforaSchowka.min, kZakresBuforaSchowka.max));
    UstawPrzyklad();
    UstawDostepnosc();
  }

  std::optional<std::string> Sprawdz() override {
    OpcjeSchowka& o = Szkic().schowek;
    o.aktywny = chbAktywny_.Checked();
    o.buforKB = Bufor();
    o.czcionka = bajty::CutToChars(o.czcionka, 50);
    return hkSchowek_.Sprawdz(Szkic().goraceKlawisze);
  }

 protected:
  void OnShow(bool widoczna) override {
    if (widoczna) hkSchowek_.Pokaz(Szkic().goraceKlawisze);
    else hkSchowek_.Przejmij(Szkic().goraceKlawisze);
  }

  // A size button held down keeps changing the example every 40 ms.
  bool OnTimer(UINT_PTR id) override {
    if (id != kZegarRozmiaru) return false;
    bool wcisniety = false;
    for (const KrokPrzycisku& k : kroki_)
      if (k.przycisk.Send(BM_GETSTATE) & BST_PUSHED) {
        Zmien(k.dx, k.dy);
        wcisniety = true;
      }
    if (!wcisniety) KillTimer(Hwnd(), kZegarRozmiaru);
    return true;
  }

  HBRUSH OnControlColor(HDC dc, HWND kontrolka) override {
    if (kontrolka != lstPrzyklad_.Hwnd()) return nullptr;
    SetTextColor(dc, Szkic().schowek.kolorCzcionki & 0xFFFFFF);
    SetBkColor(dc, Szkic().schowek.kolorTla & 0xFFFFFF);
    return tlo_;
  }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == WM_PARENTNOTIFY && LOWORD(wp) == WM_LBUTTONDOWN) SetTimer(Hwnd(), kZegarRozmiaru, 40, nullptr);
    return TStronaOpcji::HandleMessage(msg, wp, lp);
  }

 private:
  struct KrokPrzycisku {
    win::Button przycisk;
    int dx, dy;
  };

  // The typed buffer within its range; text that is no number keeps the draft's.
  int Bufor() {
    const Zakres& z = kZakresBuforaSchowka;
    return spnBufor_.Value(z.min, z.max, std::clamp<int32_t>(Szkic().schowek.buforKB, z.min, z.max));
  }

  void Zmien(int dx, int dy) {
    OpcjeSchowka& o = Szkic().schowek;
    o.szerokosc = std::clamp<int32_t>(o.szerokosc + dx, 70, 600);
    o.wysokosc = std::clamp<int32_t>(o.wysokosc + dy, 15, 230);
    UstawPrzyklad();
  }

  void UstawPrzyklad() {
    const OpcjeSchowka& o = Szkic().schowek;
    SetWindowPos(lstPrzyklad_.Hwnd(), nullptr, 0, 0, S(o.szerokosc / 2) + 4, S(o.wysokosc / 2) + 4,
                 SWP_NOMOVE | SWP_NOZORDER);
    if (czcionka_) DeleteObject(czcionka_);
    LOGFONTW lf = Czcionka();
    czcionka_ = CreateFontIndirectW(&lf);
    win::SetFont(lstPrzyklad_.Hwnd(), czcionka_, true);
    if (tlo_) DeleteObject(tlo_);
    tlo_ = CreateSolidBrush(o.kolorTla & 0xFFFFFF);
    InvalidateRect(lstPrzyklad_.Hwnd(), nullptr, TRUE);
    RECT r{S(kX) - 2, S(kY) - 2, S(kX + 304), S(kY + 120)};
    InvalidateRect(Hwnd(), &r, TRUE);
  }

  LOGFONTW Czcionka() const {
    const OpcjeSchowka& o = opcje_.Szkic().schowek;
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(o.rozmiarCzcionki > 0 ? o.rozmiarCzcionki : 8, Dpi(), 72);
    lf.lfWeight = (o.styl & OpcjeSchowka::StylPogrubiona) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (o.styl & OpcjeSchowka::StylKursywa) != 0;
    lf.lfUnderline = (o.styl & OpcjeSchowka::StylPodkreslona) != 0;
    lf.lfStrikeOut = (o.styl & OpcjeSchowka::StylPrzekreslona) != 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring nazwa = win::Widen(o.czcionka.empty() ? "MS Sans Serif" : o.czcionka);
    wcsncpy(lf.lfFaceName, nazwa.c_str(), LF_FACESIZE - 1);
    return lf;
  }

  void cmdZmienCzcionkeClick() {
    OpcjeSchowka& o = Szkic().schowek;
    LOGFONTW lf = Czcionka();
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = Okno();
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    cf.rgbColors = o.kolorCzcionki & 0xFFFFFF;
    if (!ChooseFontW(&cf)) return;
    o.czcionka = win::Narrow(lf.lfFaceName, static_cast<int>(wcsnlen(lf.lfFaceName, LF_FACESIZE)));
    o.rozmiarCzcionki = cf.iPointSize / 10;
    o.styl = static_cast<uint8_t>((lf.lfWeight >= FW_BOLD ? OpcjeSchowka::StylPogrubiona : 0) |
                                  (lf.lfItalic ? OpcjeSchowka::StylKursywa : 0) |
                                  (lf.lfUnderline ? OpcjeSchowka::StylPodkreslona : 0) |
                                  (lf.lfStrikeOut ? OpcjeSchowka::StylPrzekreslona : 0));
    o.kolorCzcionki = cf.rgbColors;
    UstawPrzyklad();
  }

  void cmdZmienKolorClick() {
    static COLORREF wlasne[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = Okno();
    cc.rgbResult = Szkic().schowek.kolorTla & 0xFFFFFF;
    cc.lpCustColors = wlasne;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&cc)) return;
    Szkic().schowek.kolorTla = cc.rgbResult;
    UstawPrzyklad();
  }

  void UstawDostepnosc() {
    const bool tak = chbAktywny_.Checked();
    hkSchowek_.Wlacz(tak, Szkic().goraceKlawisze);
    for (const char* n : {"labGoracyKlawiszSchowka", "cmdIncWidth", "cmdDecWidth", "cmdIncHeight", "cmdDecHeight",
                          "cmdZmienCzcionke", "cmdZmienKolor", "labBuforSchowka", "lstPrzykladSchowka"})
      EnableWindow(Find(n), tak);
    spnBufor_.Enable(tak);
  }

  win::CheckBox chbAktywny_;
  PoleKlawisza hkSchowek_;
  win::ListBox lstPrzyklad_;
  std::vector<KrokPrzycisku> kroki_;
  win::SpinBox spnBufor_;
  HFONT czcionka_ = nullptr;
  HBRUSH tlo_ = nullptr;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaSchowka(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaSchowka>(dialog, obszar, opcje);
}
