// Page "Ostrzeganie": how and how often Kalmo warns of a due break and of the end of the working
// day, the end-of-break sound, the screen saver during breaks, and when a due reminder waits.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

#include "common/WinTools.h"
#include "options/win32/Strony.h"

namespace {

struct OpisGrupy {
  const char* chb;
  const char* podpis;
  const char* cmb;
  const char* tbCzestotliwosc;
  const char* tbPlik;
  const char* sufiks;  // of the other controls' names
  bool zawszeDzwiek;
};
constexpr OpisGrupy kGrupy[3] = {
    {"chbOstrzeganieNaPrzerwe", "Ostrzeganie gdy czas na przerwę: ", "cmbOstrzeganieNaPrzerwe",
     "tbCzestotliwoscPrzypomnienPrzerwa", "tbNaPrzerweWAV", "NaPrzerwe", false},
    {"chbOstrzeganieNaKoniecPracy", "Ostrzeganie gdy koniec pracy:", "cmbOstrzeganieKoniecPracy",
     "tbCzestotliwoscPrzypomnienKoniecPracy", "tbNaKoniecPracyWAV", "KoniecPracy", false},
    {"chbOstrzeganieNaKoniecPrzerwy", "Przypominanie gdy koniec przerwy: ", nullptr,
     "tbCzestotliwoscPrzypomnienKoniecPrzerwy", "tbKoniecPrzerwyWAV", "KoniecPrzerwy", true},
};
constexpr const char* kSposoby[3][2] = {{"Okno", "komunikatu"}, {"Migająca", "ikona"}, {"Sygnał", "dźwiękowy"}};

class TStronaOstrzegania : public TStronaOpcji {
 public:
  TStronaOstrzegania(HWND dialog, const RECT& obszar, DialogOpcji& o) : TStronaOpcji(dialog, obszar, "Ostrzeganie", o) {
    int y = 4;
    for (int g = 0; g < 3; ++g) y = DodajGrupe(g, y) + 4;
    chbZablokujWygaszacz_ = AddCheckBox("chbZablokujWygaszacz",
                                        "Nie zezwalaj na uruchomienie domyślnego wygaszacza podczas przerwy",
                                        {10, y - 1, 500, 17});
    DodajOdkladanie(y + 19);
  }

  void Wczytaj() override {
    const StanOstrzegania s = StanZOpcji(Szkic().ostrzeganie);
    const GrupaOstrzezenia* stany[3] = {&s.przerwa, &s.koniecPracy, &s.koniecPrzerwy};
    for (int g = 0; g < 3; ++g) {
      Grupa& k = grupy_[g];
      k.wlacz.SetChecked(stany[g]->wlaczona);
      if (k.sposob) k.sposob.Select(std::min(stany[g]->rodzaj, 2));
      k.czestotliwosc.SetText(stany[g]->czestotliwosc);
      k.plik.SetText(stany[g]->plik);
      UstawGrupe(g);
    }
    chbZablokujWygaszacz_.SetChecked(s.blokujWygaszacz);
    tbProgramyBezPrzerw_.SetText(PoleProgramowBezPrzerw(Szkic().programyBezPrzerw));
    spnMaksOdlozenie_.SetValue(std::clamp<int>(Szkic().maksOdlozenie, kZakresMaksOdlozenia.min, kZakresMaksOdlozenia.max));
  }

  std::optional<std::string> Sprawdz() override {
    const WynikOstrzegania w = ZbudujOpcjeOstrzegania(Szkic().ostrzeganie, Stan());
    if (!w.ostrzezenie.empty()) return w.ostrzezenie;
    Szkic().ostrzeganie = w.opcje;
    Szkic().programyBezPrzerw = ProgramyBezPrzerwZPola(tbProgramyBezPrzerw_.Text());
    Szkic().maksOdlozenie =
        spnMaksOdlozenie_.Value(kZakresMaksOdlozenia.min, kZakresMaksOdlozenia.max, Szkic().maksOdlozenie);
    return std::nullopt;
  }

 protected:
  void OnDpiApplied(int) override {
    for (const Grupa& k : grupy_)
      if (k.sposob) {
        k.sposob.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), S(30));
        k.sposob.Send(CB_SETITEMHEIGHT, 0, S(30));
      }
  }

  bool OnMeasureItem(MEASUREITEMSTRUCT& m) override {
    if (m.CtlType != ODT_COMBOBOX) return false;
    m.itemHeight = S(30);
    return true;
  }

  bool OnDrawItem(const DRAWITEMSTRUCT& d) override {
    if (d.CtlType != ODT_COMBOBOX) return false;
    RysujSposob(&d);
    return true;
  }

 private:
  // The controls of one group.
  struct Grupa {
    win::CheckBox wlacz;
    win::ComboBox sposob;  // none for the end of a break: always a sound
    win::Edit czestotliwosc, plik;
    std::vector<HWND> linijkaPliku;  // the file line's label, field and button
  };

  // One group's frame, check box, way list, frequency and file line; the group's bottom.
  int DodajGrupe(int g, int y) {
    const OpisGrupy& o = kGrupy[g];
    Grupa& k = grupy_[g];
    const int wys = o.zawszeDzwiek ? 62 : 82;
    const std::string s = o.sufiks;
    AddGroup("grp" + s, "", {6, y, 592, wys});
    k.wlacz = AddCheckBox(o.chb, o.podpis, {16, y - 1, 220, 17}, [this, g] { UstawGrupe(g); });
    int yf = y + 22;
    if (!o.zawszeDzwiek) {
      AddLabel("labSposob" + s, "Sposób ostrzegania: ", {18, y + 24, 140, 15});
      k.sposob = AddComboBox(o.cmb, {18, y + 42, 140, 200}, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED);
      for (int i = 0; i < 3; ++i) k.sposob.Send(CB_ADDSTRING, 0, i);
      // The font set with the control resets the heights measured at creation.
      k.sposob.Send(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), S(30));
      k.sposob.Send(CB_SETITEMHEIGHT, 0, S(30));
      OnNotification(k.sposob, [this, g](int kod) {
        if (kod == CBN_SELCHANGE) UstawGrupe(g);
      });
      yf = y + 24;
    }
    const int xf = o.zawszeDzwiek ? 18 : 180;
    AddLabel("labCzestotliwosc" + s, "Częstotliwość przypomnień:", {xf, yf, 160, 15});
    AddLabel("labCo" + s, "co", {xf, yf + 22, 16, 15});
    k.czestotliwosc = AddEdit(o.tbCzestotliwosc, {xf + 20, yf + 19, 30, 21});
    k.czestotliwosc.SetLimit(2);
    AddLabel("labMinut" + s, "minut", {xf + 56, yf + 22, 40, 15});
    const int xp = o.zawszeDzwiek ? 190 : 352;
    k.linijkaPliku.push_back(
        AddLabel("labPlik" + s, o.zawszeDzwiek ? "Plik wav:" : "Plik dźwiękowy (wav):", {xp, yf, 200, 15}).Hwnd());
    k.plik = AddEdit(o.tbPlik, {xp, yf + 19, o.zawszeDzwiek ? 366 : 204, 21});
    k.linijkaPliku.push_back(k.plik.Hwnd());
    const win::Button przegladaj =
        AddButton("cmdPrzegladaj" + s, "...", {560, yf + 18, 28, 23}, [this, g] { Przegladaj(grupy_[g].plik); });
    k.linijkaPliku.push_back(przegladaj.Hwnd());
    return y + wys;
  }

  // When a due reminder waits: the programs typed by name, and the longest wait.
  void DodajOdkladanie(int y) {
    AddGroup("grpOdkladanie", " Przypomnienie czeka: ", {6, y, 592, 62});
    AddLabel("labOdkladanie", "gdy trwa prezentacja, rozmowa, pełny ekran lub gdy na wierzchu jest program z listy:",
             {18, y + 17, 570, 15});
    tbProgramyBezPrzerw_ = AddEdit("tbProgramyBezPrzerw", {18, y + 34, 300, 21});
    tbProgramyBezPrzerw_.Send(EM_SETCUEBANNER, TRUE,
                              reinterpret_cast<LPARAM>(win::Widen("np. powerpnt.exe; vlc.exe").c_str()));
    AddHint(tbProgramyBezPrzerw_, "Nazwy plików programów, oddzielone średnikami");
    AddLabel("labNajdluzej", "najdłużej", {330, y + 37, 52, 15});
    spnMaksOdlozenie_ = AddSpinBox("spnMaksOdlozenie", {384, y + 34, 48, 21}, kZakresMaksOdlozenia.min,
                                   kZakresMaksOdlozenia.max, wartosc::kMaksOdlozenieDomyslne);
    AddLabel("labMinutOdlozenia", "minut (0 - nie czeka)", {438, y + 37, 150, 15});
  }

  StanOstrzegania Stan() const {
    StanOstrzegania s;
    GrupaOstrzezenia* stany[3] = {&s.przerwa, &s.koniecPracy, &s.koniecPrzerwy};
    for (int g = 0; g < 3; ++g) {
      const Grupa& k = grupy_[g];
      stany[g]->wlaczona = k.wlacz.Checked();
      stany[g]->rodzaj = k.sposob ? k.sposob.Selected() : 2;
      stany[g]->czestotliwosc = k.czestotliwosc.Text();
      stany[g]->plik = k.plik.Text();
    }
    s.blokujWygaszacz = chbZablokujWygaszacz_.Checked();
    return s;
  }

  // The box switches the group's controls; the file line shows only with the sound.
  void UstawGrupe(int g) {
    const Grupa& k = grupy_[g];
    const bool wlaczona = k.wlacz.Checked();
    if (k.sposob) {
      k.sposob.Enable(wlaczona);
      k.czestotliwosc.Enable(wlaczona);
      const bool dzwiek = k.sposob.Selected() == 2;
      for (HWND h : k.linijkaPliku) ShowWindow(h, dzwiek ? SW_SHOW : SW_HIDE);
    } else {
      k.plik.Enable(wlaczona);
    }
  }

  void Przegladaj(const win::Edit& pole) {
    std::wstring plik = win::Widen(pole.Text());
    plik.resize(std::max<size_t>(plik.size() + 1, 1024));
    std::wstring filtr = win::Widen("pliki dźwiękowe (*.wav)|*.wav|wszystkie pliki (*.*)|*.*|");
    for (wchar_t& c : filtr)
      if (c == L'|') c = L'\0';
    const std::wstring tytul = win::Widen("Wskaż plik dźwiękowy");
    OPENFILENAMEW of{};
    of.lStructSize = sizeof(of);
    of.hwndOwner = Okno();
    of.lpstrFilter = filtr.c_str();
    of.nFilterIndex = 2;
    of.lpstrFile = plik.data();
    of.nMaxFile = static_cast<DWORD>(plik.size());
    of.lpstrTitle = tytul.c_str();
    of.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameW(&of)) pole.SetText(win::Narrow(plik.c_str(), static_cast<int>(wcslen(plik.c_str()))));
  }

  void RysujSposob(const DRAWITEMSTRUCT* d) {
    HDC dc = d->hDC;
    const bool wybrany = (d->itemState & ODS_SELECTED) && !(d->itemState & ODS_COMBOBOXEDIT);
    const bool wylaczony = d->itemState & ODS_DISABLED;
    FillRect(dc, &d->rcItem, GetSysColorBrush(wybrany ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (d->itemID == static_cast<UINT>(-1) || d->itemID > 2) return;
    const int x = d->rcItem.left + S(3), y = d->rcItem.top + (d->rcItem.bottom - d->rcItem.top - S(24)) / 2;
    RysujObrazek(dc, static_cast<int>(d->itemID), x, y, S(24), wylaczony);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(wylaczony ? COLOR_GRAYTEXT : wybrany ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    HGDIOBJ f = SelectObject(dc, Font());
    const int h = (d->rcItem.bottom - d->rcItem.top) / 2;
    for (int i = 0; i < 2; ++i) {
      const std::wstring t = win::Widen(kSposoby[d->itemID][i]);
      TextOutW(dc, x + S(32), d->rcItem.top + i * h + (h - S(13)) / 2, t.c_str(), static_cast<int>(t.size()));
    }
    SelectObject(dc, f);
    if (d->itemState & ODS_FOCUS) DrawFocusRect(dc, &d->rcItem);
  }

  // Small pictures of the three ways: a message window, a flashing tray icon, a loudspeaker.
  static void RysujObrazek(HDC dc, int sposob, int x, int y, int r, bool szary) {
    auto kolor = [szary](COLORREF c) { return szary ? RGB(160, 160, 160) : c; };
    HGDIOBJ p = SelectObject(dc, GetStockObject(DC_PEN));
    HGDIOBJ b = SelectObject(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, kolor(RGB(0, 0, 0)));
    if (sposob == 0) {
      SetDCBrushColor(dc, RGB(255, 255, 255));
      Rectangle(dc, x, y + r / 8, x + r, y + r - r / 8);
      SetDCBrushColor(dc, kolor(RGB(0, 0, 128)));
      Rectangle(dc, x, y + r / 8, x + r, y + r / 8 + r / 5);
      SetDCPenColor(dc, kolor(RGB(96, 96, 96)));
      for (int i = 0; i < 3; ++i) {
        MoveToEx(dc, x + r / 6, y + r / 2 + i * r / 8, nullptr);
        LineTo(dc, x + r - r / 6 - (i == 2 ? r / 4 : 0), y + r / 2 + i * r / 8);
      }
    } else if (sposob == 1) {
      SetDCBrushColor(dc, kolor(RGB(255, 200, 0)));
      Ellipse(dc, x + r / 4, y + r / 4, x + r - r / 4, y + r - r / 4);
      SetDCPenColor(dc, kolor(RGB(230, 120, 0)));
      const int c = r / 2;
      const POINT rays[8][2] = {{{c, 0}, {c, r / 6}},         {{c, r}, {c, r - r / 6}},   {{0, c}, {r / 6, c}},
                                {{r, c}, {r - r / 6, c}},     {{r / 8, r / 8}, {r / 4, r / 4}},
                                {{r - r / 8, r / 8}, {r - r / 4, r / 4}}, {{r / 8, r - r / 8}, {r / 4, r - r / 4}},
                                {{r - r / 8, r - r / 8}, {r - r / 4, r - r / 4}}};
      for (const auto& ray : rays) {
        MoveToEx(dc, x + ray[0].x, y + ray[0].y, nullptr);
        LineTo(dc, x + ray[1].x, y + ray[1].y);
      }
    } else {
      SetDCBrushColor(dc, kolor(RGB(80, 80, 80)));
      const POINT glosnik[6] = {{x + r / 8, y + r * 3 / 8}, {x + r * 3 / 8, y + r * 3 / 8}, {x + r * 5 / 8, y + r / 8},
                                {x + r * 5 / 8, y + r * 7 / 8}, {x + r * 3 / 8, y + r * 5 / 8}, {x + r / 8, y + r * 5 / 8}};
      Polygon(dc, glosnik, 6);
      SelectObject(dc, GetStockObject(NULL_BRUSH));
      SetDCPenColor(dc, kolor(RGB(0, 90, 200)));
      Arc(dc, x + r / 2, y + r / 4, x + r * 7 / 8, y + r * 3 / 4, x + r, y + r / 4, x + r, y + r * 3 / 4);
      Arc(dc, x + r / 2 - r / 8, y + r / 8, x + r, y + r * 7 / 8, x + r + r / 8, y, x + r + r / 8, y + r);
    }
    SelectObject(dc, b);
    SelectObject(dc, p);
  }

  Grupa grupy_[3];
  win::CheckBox chbZablokujWygaszacz_;
  win::Edit tbProgramyBezPrzerw_;
  win::SpinBox spnMaksOdlozenie_;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaOstrzegania(HWND dialog, const RECT& obszar, DialogOpcji& opcje) {
  return std::make_unique<TStronaOstrzegania>(dialog, obszar, opcje);
}
