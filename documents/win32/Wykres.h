#pragma once
// The bar chart control (window class "TWykres"): paints the layout of documents/Wykres.h with
// GDI, reports the bar under the pointer, zooms into a dragged rectangle when allowed (on the
// button's release; Esc or a lost capture cancels the drag), pans with the right button held,
// offers its "Gradient" menu on a right click without moving, and copies itself to the clipboard
// as a bitmap with its numbers as tab-separated text. It takes the focus (a dotted mark shows
// it): the arrows move a bar, Page Up and Page Down a view, Home and End go to the first and the
// last points, "+" and "-" zoom where zooming is allowed, Ctrl+C copies; the wheel scrolls. It
// draws on the system's window colours with the user's decimal separator. WM_GETTEXT gives the
// chart's title.
#include <windows.h>

#include <functional>
#include <string>

#include "common/win32/Window.h"
#include "documents/Wykres.h"

// The user's decimal separator (the locale's), "," when it cannot be read.
std::string SeparatorDziesietny();
// A system colour as a chart colour.
wykres::Kolor KolorSystemowy(int indeks);
// Puts a bitmap (the clipboard owns it afterwards) and a text on the clipboard; false, with the
// bitmap freed, when the clipboard cannot be opened (another program holds it).
bool KopiujObrazITekst(HWND wlasciciel, HBITMAP obraz, const std::string& tekst);
// Tells the user a copy failed.
void ZglosNieudaneKopiowanie();
// The focus mark of a control that draws itself: a dotted frame inside its edge.
void RysujZnacznikFokusu(HDC dc, HWND okno);

// Executes drawing operations on a DC with fonts of the given face.
void RysujOperacje(HDC dc, const wykres::Rysunek& ops, const wchar_t* kroj);
// The same through a bitmap of w x h pixels, copied to the DC at once (no flicker).
void RysujBuforowane(HDC dc, int w, int h, const wykres::Rysunek& ops, const wchar_t* kroj);
// Operations laid out at 96 dpi, drawn at `dpi` through a bitmap of w x h pixels: shapes and
// texts scaled together, so that a layout of fixed cells keeps its text inside them.
void RysujBuforowane(HDC dc, int w, int h, const wykres::Rysunek& ops, const wchar_t* kroj, int dpi);

class TWykres : public win::Window {
 public:
  TWykres(HWND rodzic, const std::string& nazwa, int id);
  ~TWykres() override;

  // New data; the view goes back to the last points unless zachowajWidok.
  void UstawDane(const wykres::Dane& d, bool zachowajWidok = false);
  const wykres::Dane& Dane() const { return dane_; }
  const wykres::Widok& Widok() const { return widok_; }
  void UstawWidok(const wykres::Widok& w);
  // Shifts the category axis by procent of its visible range.
  void Przesun(double procent);
  // The background gradient, shown as the check mark of the "Gradient" menu.
  void UstawGradient(bool wlaczony);
  bool Gradient() const { return dane_.gradient; }
  void UstawAktywnosc(int seria, bool aktywna);
  void PozwolPowiekszanie(bool tak) { powiekszanie_ = tak; }
  // The layout at the control's present size.
  const wykres::Uklad& Uklad();

  // Called with the bar under the pointer (series and point index), or (-1, -1) elsewhere.
  std::function<void(int, int)> naRuchMyszy;

  // The pop-up menu of a right click, and its one command: the gradient on or off.
  HMENU MenuGradientu() const { return menu_; }
  void mnuGradientClick();
  static constexpr UINT kMnuGradient = 200;

  // The chart as a bitmap of the control's size (the caller owns it).
  HBITMAP Bitmapa();
  // The picture and the numbers (wykres::TekstTabeli) to the clipboard; false when it is held.
  bool KopiujDoSchowka();
  // The keyboard's and the wheel's moves of the view.
  void PrzesunOPunkty(double punkty);
  void Przybliz(bool blizej);  // only where zooming is allowed
  bool Przeciaga() const { return ciagnie_; }

 protected:
  // The background (never erased: the paint covers it all), the pointer leaving, the dialog
  // code and the context menu; the rest goes to the typed handlers.
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnPaint(HDC dc, const RECT& dirty) override;
  bool OnMouse(UINT msg, POINT at, WPARAM keys) override;
  bool OnKey(UINT msg, UINT key, LPARAM flags) override;
  bool OnTimer(UINT_PTR id) override;

 private:
  // The window colours and the separator, taken again when the system's change.
  void KoloryISeparator();
  // The zoom rectangle leaves: zoomed into (powieksz) or dropped.
  void KoniecPrzeciagania(bool powieksz);
  int kolko_ = 0;  // wheel delta not yet turned into a move
  void Przelicz();
  void RuchMyszy(POINT p, WPARAM klawisze);
  void PokazMenu(POINT ekran);
  // Zooming moves to the new view in a few quick frames.
  void Animuj(const wykres::Widok& cel);
  void KrokAnimacji();
  static constexpr UINT_PTR kTimerAnimacji = 1;
  static constexpr int kKlatek = 6;
  wykres::Widok animOd_, animCel_, animDo_;
  int klatka_ = 0;
  void Ramka(POINT p);
  HMENU menu_ = nullptr;
  wykres::Dane dane_;
  wykres::Widok widok_;
  wykres::Uklad uklad_;
  bool ukladAktualny_ = false;
  int szer_ = 0, wys_ = 0;
  bool powiekszanie_ = false;
  bool ciagnie_ = false, ramkaWidoczna_ = false;
  POINT start_{}, ostatni_{};
  bool przesuwa_ = false, przesunieto_ = false;
  int ostatniX_ = 0;
  bool sledzi_ = false;
};
