#pragma once
// The today-info window TfrmTodayInfo: the day's counters and the activity strip of five-minute
// slots with a blinking marker at the current time.
#include <windows.h>

#include <functional>
#include <memory>

#include "common/win32/Window.h"
#include "worktime/InfoSaver.h"
#include "worktime/OstrzegaczUtils.h"

// The day as the accounting has it now.
using ZrodloDnia = std::function<StanDnia()>;

class TfrmTodayInfo : public win::Window {
 public:
  // Creates the window hidden, reads Aktywnosc3D and fills the texts.
  TfrmTodayInfo(ZrodloDnia dzien, HWND glowne);
  ~TfrmTodayInfo() override;

  // Fills the texts, starts the blinking and shows the window in normal state.
  void Pokaz();
  // Writes Aktywnosc3D, stops the blinking, closes and posts the release (WM_FREE_FORM 0).
  void cmdZamknijClick();
  void mnuAktywnosc3DClick();
  void tmrMigaczTimer();
  void WypelnijTeksty();

  bool Widok3D() const { return trzyD_; }
  bool MigaczWlaczony() const { return timer_; }
  HWND labCaCzasPracy() const { return labCaCzasPracy_; }
  HWND labCzasFazy() const { return labCzasFazy_; }
  HWND pbAktywnosc() const { return pbAktywnosc_; }
  HWND cmdZamknij() const { return cmdZamknij_; }
  HMENU pumTablicaAktywnosci() const { return pum_; }

  static constexpr int kIdMnuAktywnosc3D = 101;
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kOkresMigacza = 500;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  void OnPaint(HDC dc, const RECT& dirty) override;
  bool OnClose() override;
  // Another monitor's DPI: the suggested rectangle, the controls made again at that scale.
  bool OnDpiChanged(int dpi, const RECT& suggested) override;

 private:
  void FormCreate();
  // The controls and the painted panel, frame and legend at the window's DPI.
  void UtworzKontrolki();
  void UtworzLegende();
  int S(int v) const { return win::Scale(v, dpi_); }
  // The strip is drawn at its design size and shown at the window's scale.
  void SkalujPasek(HDC dc) const;
  void PokazMenuPaska(POINT p);
  void Rysuj(HDC dc);
  void RysujZnacznik(HDC dc);
  void Ukryj();
  Rysunek Pasek(HDC dc) const;
  ZrodloDnia dzien_;
  HWND glowne_;
  HWND labCaCzasPracy_ = nullptr, labCzasFazy_ = nullptr, pbAktywnosc_ = nullptr, cmdZamknij_ = nullptr;
  HMENU pum_ = nullptr;
  bool trzyD_ = false;
  bool flaga_ = false;  // blink flag
  bool timer_ = false;
  bool zwolnione_ = false;  // "Zamknij" posted the release
  RECT panel_{}, ramka_{};
  RECT legenda_[4]{};
  int dpi_ = 96;
};

// The tray command and the hotkey task: create the window when missing, then show it.
void PokazTodayInfo(std::unique_ptr<TfrmTodayInfo>& okno, const ZrodloDnia& dzien, HWND glowne);
