// Page "Ostrzeganie": how and how often Kalmo warns of a due break and of the end of the working
// day, the end-of-break sound, and the screen saver during breaks.
#include <windows.h>
#include <commdlg.h>

#include "common/WinTools.h"
#include "options/win32/Opcje.h"
#include "options/win32/Strony.h"

namespace {

enum : int { idPierwsza = 20 };  // each group: check, way list, frequency, file, browse
constexpr int kIdowNaGrupe = 5;
enum : int { oWlacz = 0, oSposob, oCzestotliwosc, oPlik, oPrzegladaj };
constexpr int idBlokujWygaszacz = 50;

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
  TStronaOstrzegania(HWND dialog, const RECT& obszar, KontekstOpcji& k) : TStronaOpcji(dialog, obszar, "Ostrzeganie", k) {
    int y = 4;
    for (int g = 0; g < 3; ++g) {
      const OpisGrupy& o = kGrupy[g];
      const int id = idPierwsza + g * kIdowNaGrupe;
      const int wys = o.zawszeDzwiek ? 62 : 96;
      Grupa(std::string("grp") + o.sufiks, "", 6, y, 592, wys);
      Wyboru(o.chb, id + oWlacz, o.podpis, 16, y - 1, 220, 17);
      int yf;
      if (!o.zawszeDzwiek) {
        Etykieta(std::string("labSposob") + o.sufiks, "Sposób ostrzegania: ", 18, y + 24, 140, 15);
        HWND c = win::CreateChild(Hwnd(), L"COMBOBOX", o.cmb, id + oSposob, "",
                                  WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                  S(18), S(y + 42), S(140), S(200));
        for (int i = 0; i < 3; ++i) SendMessageW(c, CB_ADDSTRING, 0, i);
        // The font set with the control resets the heights measured at creation.
        SendMessageW(c, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), S(30));
        SendMessageW(c, CB_SETITEMHEIGHT, 0, S(30));
        yf = y + 24;
      } else {
        yf = y + 22;
      }
      const int xf = o.zawszeDzwiek ? 18 : 180;
      Etykieta(std::string("labCzestotliwosc") + o.sufiks, "Częstotliwość przypomnień:", xf, yf, 160, 15);
      Etykieta(std::string("labCo") + o.sufiks, "co", xf, yf + 22, 16, 15);
      HWND tb = Pole(o.tbCzestotliwosc, id + oCzestotliwosc, xf + 20, yf + 19, 30, 21);
      SendMessageW(tb, EM_LIMITTEXT, 2, 0);
      Etykieta(std::string("labMinut") + o.sufiks, "minut", xf + 56, yf + 22, 40, 15);
      const int xp = o.zawszeDzwiek ? 190 : 352;
      Etykieta(std::string("labPlik") + o.sufiks, o.zawszeDzwiek ? "Plik wav:" : "Plik dźwiękowy (wav):", xp, yf, 200,
               15);
      Pole(o.tbPlik, id + oPlik, xp, yf + 19, o.zawszeDzwiek ? 366 : 204, 21);
      Przycisk(std::string("cmdPrzegladaj") + o.sufiks, id + oPrzegladaj, "...", 560, yf + 18,
               28, 23);
      y += wys + 10;
    }
    Wyboru("chbZablokujWygaszacz", idBlokujWygaszacz,
           "Nie zezwalaj na uruchomienie domyślnego wygaszacza podczas przerwy", 10, y + 2, 500, 17);
  }

  void Wczytaj() override {
    std::vector<uint8_t> b(WarningOptions::kRozmiar, 0);
    GetRegistryBinary(kKluczKalmo, wartosc::OpcjeOstrzegania, b.data(), static_cast<int>(b.size()));
    wMocy_ = WarningOptions::FromBytes(b);
    const StanOstrzegania s = StanZOpcji(wMocy_);
    const GrupaOstrzezenia* grupy[3] = {&s.przerwa, &s.koniecPracy, &s.koniecPrzerwy};
    for (int g = 0; g < 3; ++g) {
      const OpisGrupy& o = kGrupy[g];
      Zaznacz(Kontrolka(o.chb), grupy[g]->wlaczona);
      if (o.cmb) SendMessageW(Kontrolka(o.cmb), CB_SETCURSEL, std::min(grupy[g]->rodzaj, 2), 0);
      win::SetText(Kontrolka(o.tbCzestotliwosc), grupy[g]->czestotliwosc);
      win::SetText(Kontrolka(o.tbPlik), grupy[g]->plik);
      UstawGrupe(g);
    }
    Zaznacz(Kontrolka("chbZablokujWygaszacz"), s.blokujWygaszacz);
  }

  std::optional<std::string> Sprawdz() override {
    const std::string w = ZbudujOpcjeOstrzegania(wMocy_, Stan()).ostrzezenie;
    if (w.empty()) return std::nullopt;
    return w;
  }

  void Zapisz() override {
    wMocy_ = ZbudujOpcjeOstrzegania(wMocy_, Stan()).opcje;
    const auto b = wMocy_.ToBytes();
    SetRegistryBinary(kKluczKalmo, wartosc::OpcjeOstrzegania, b.data(), static_cast<int>(b.size()));
    if (kontekst_.ustawOpcjeOstrzegania) kontekst_.ustawOpcjeOstrzegania(wMocy_);
  }

 protected:
  void Polecenie(int id, int kod, HWND) override {
    if (id < idPierwsza || id >= idPierwsza + 3 * kIdowNaGrupe) return;
    const int g = (id - idPierwsza) / kIdowNaGrupe, o = (id - idPierwsza) % kIdowNaGrupe;
    if ((o == oWlacz && kod == BN_CLICKED) || (o == oSposob && kod == CBN_SELCHANGE)) UstawGrupe(g);
    if (o == oPrzegladaj && kod == BN_CLICKED) Przegladaj(Kontrolka(kGrupy[g].tbPlik));
  }

  bool Wymiar(MEASUREITEMSTRUCT* m) override {
    if (m->CtlType != ODT_COMBOBOX) return false;
    m->itemHeight = S(30);
    return true;
  }

  bool Rysuj(const DRAWITEMSTRUCT* d) override {
    if (d->CtlType != ODT_COMBOBOX) return false;
    RysujSposob(d);
    return true;
  }

 private:
  StanOstrzegania Stan() {
    StanOstrzegania s;
    GrupaOstrzezenia* grupy[3] = {&s.przerwa, &s.koniecPracy, &s.koniecPrzerwy};
    for (int g = 0; g < 3; ++g) {
      const OpisGrupy& o = kGrupy[g];
      grupy[g]->wlaczona = Zaznaczone(Kontrolka(o.chb));
      grupy[g]->rodzaj = o.cmb ? static_cast<int>(SendMessageW(Kontrolka(o.cmb), CB_GETCURSEL, 0, 0)) : 2;
      grupy[g]->czestotliwosc = win::GetText(Kontrolka(o.tbCzestotliwosc));
      grupy[g]->plik = win::GetText(Kontrolka(o.tbPlik));
    }
    s.blokujWygaszacz = Zaznaczone(Kontrolka("chbZablokujWygaszacz"));
    return s;
  }

  // The box switches the group's controls; the file line shows only with the sound.
  void UstawGrupe(int g) {
    const OpisGrupy& o = kGrupy[g];
    const bool wlaczona = Zaznaczone(Kontrolka(o.chb));
    const std::string s = o.sufiks;
    if (o.cmb) {
      EnableWindow(Kontrolka(o.cmb), wlaczona);
      EnableWindow(Kontrolka(o.tbCzestotliwosc), wlaczona);
      const bool dzwiek = SendMessageW(Kontrolka(o.cmb), CB_GETCURSEL, 0, 0) == 2;
      for (const std::string& n : {"labPlik" + s, std::string(o.tbPlik), "cmdPrzegladaj" + s})
        ShowWindow(Kontrolka(n), dzwiek ? SW_SHOW : SW_HIDE);
    } else {
      EnableWindow(Kontrolka(o.tbPlik), wlaczona);
    }
  }

  void Przegladaj(HWND pole) {
    std::wstring plik = win::Widen(win::GetText(pole));
    plik.resize(std::max<size_t>(plik.size() + 1, 1024));
    const std::wstring filtr = win::Widen("pliki dźwiękowe (*.wav)|*.wav|wszystkie pliki (*.*)|*.*|");
    std::wstring filtrNul = filtr;
    for (wchar_t& c : filtrNul)
      if (c == L'|') c = L'\0';
    const std::wstring tytul = win::Widen("Wskaż plik dźwiękowy");
    OPENFILENAMEW of{};
    of.lStructSize = sizeof(of);
    of.hwndOwner = GetAncestor(Hwnd(), GA_ROOT);
    of.lpstrFilter = filtrNul.c_str();
    of.nFilterIndex = 2;
    of.lpstrFile = plik.data();
    of.nMaxFile = static_cast<DWORD>(plik.size());
    of.lpstrTitle = tytul.c_str();
    of.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetOpenFileNameW(&of)) win::SetText(pole, win::Narrow(plik.c_str(), static_cast<int>(wcslen(plik.c_str()))));
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
    HGDIOBJ f = SelectObject(dc, TfrmOpcje::Czcionka());
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

  WarningOptions wMocy_;
};

}  // namespace

std::unique_ptr<TStronaOpcji> StronaOstrzegania(HWND dialog, const RECT& obszar, KontekstOpcji& kontekst) {
  return std::make_unique<TStronaOstrzegania>(dialog, obszar, kontekst);
}
