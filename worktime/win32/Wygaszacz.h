#pragma once
// The break window TfrmWygaszacz: black, full screen, no pointer, showing how long the break has
// lasted; and the two routines that start and end a user break.
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "common/win32/Window.h"
#include "worktime/InfoSaver.h"
#include "worktime/OstrzegaczUtils.h"

// What a break needs: the accounting's day and its two commands, and the main window. The
// options pointer stays valid while the break window exists.
struct KontekstPrzerwy {
  std::function<StanDnia()> dzien;        // the break's length and limit, read every second
  std::function<void()> rozpocznij;       // the accounting enters the break
  std::function<void()> zakoncz;          // the accounting returns to work
  const WarningOptions* opcje = nullptr;  // read at each start and end (may be replaced)
  HWND glowne = nullptr;                  // receives WM_BACKGROUND_TASK and WM_FREE_FORM 4
  std::function<void()> zatrzymajMiganie;  // stops the tray icon's flashing
};

class TfrmWygaszacz;

// A black cover of one more monitor during a break: no border, no pointer, topmost, exactly its
// monitor's rectangle. A click, a key or a move there counts as on the break window itself.
class TZaslonaPrzerwy : public win::Window {
 public:
  TZaslonaPrzerwy(TfrmWygaszacz& przerwa, const platform::Rect& obszar);
  ~TZaslonaPrzerwy() override;
  const platform::Rect& Obszar() const { return obszar_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnKey(UINT msg, UINT key, LPARAM flags) override;
  bool OnMouse(UINT msg, POINT at, WPARAM keys) override;
  bool OnClose() override;

 private:
  TfrmWygaszacz& przerwa_;
  platform::Rect obszar_;
};

// The break window: on the monitor that has the pointer, with one TZaslonaPrzerwy over each other
// monitor; the covers follow the monitors (WM_DISPLAYCHANGE) and all close with the break.
class TfrmWygaszacz : public win::Window {
 public:
  explicit TfrmWygaszacz(const KontekstPrzerwy& kontekst);
  ~TfrmWygaszacz() override;

  // Shown by the deletion while it runs, hidden when it ends.
  void PokazUsuwaniePlikow(bool widoczna);

  void tmrWskaznikPrzerwyTimer();
  // A click or a key: end at once when long enough, else ask (or end when under a minute is left).
  void SprobujZakonczyc();
  // The end routine (also after "Tak").
  void ZakonczPrzerwe();

  // Input that reached a cover: a click or a key, and a move of the pointer (screen point).
  bool KlawiszLubKlik(UINT msg, UINT key);
  void RuchMyszy(POINT ekran);
  // The covers of the other monitors and the monitor of the break window itself.
  const std::vector<std::unique_ptr<TZaslonaPrzerwy>>& Zaslony() const { return zaslony_; }
  const platform::Rect& Monitor() const { return monitor_; }
  // The monitors changed: the covers follow (WM_DISPLAYCHANGE calls it).
  void MonitoryZmienione();

  HWND labCzasPrzerwy() const { return labCzasPrzerwy_; }
  HWND labUsuwaniePlikow() const { return labUsuwaniePlikow_; }
  bool TimerWlaczony() const { return timer_; }

  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kOkresTimera = 1000;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnTimer(UINT_PTR id) override;
  bool OnKey(UINT msg, UINT key, LPARAM flags) override;
  bool OnMouse(UINT msg, POINT at, WPARAM keys) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;
  bool OnClose() override;
  bool OnDpiChanged(int dpi, const RECT& suggested) override;

 private:
  friend void RozpocznijPrzerwe(std::unique_ptr<TfrmWygaszacz>& okno, const KontekstPrzerwy& kontekst);
  void FormCreate();
  void WlaczTimer(bool wlacz);
  void WypelnijEkran();
  // The break window on its monitor at that monitor's DPI, its labels and fonts with it.
  void PolozNa(const ZaslonaMonitora& m);
  void ZamknijZaslony();
  KontekstPrzerwy kontekst_;
  std::vector<std::unique_ptr<TZaslonaPrzerwy>> zaslony_;
  platform::Rect monitor_;
  int dpi_ = 96;
  int przesuniecie_ = 5;  // the time label's corner in design pixels: it drifts as the break goes on
  HWND labCzasPrzerwy_ = nullptr, labUsuwaniePlikow_ = nullptr;
  HBRUSH czarny_ = nullptr;
  bool timer_ = false;
  bool pytanie_ = false;  // the question is open: input is not a new attempt
  bool trwa_ = false;     // between the start and the end routine
  POINT pozycja_{};       // last pointer position seen
  bool znanaPozycja_ = false;
};

// The one routine that starts a break, for every trigger: screen saver off when the warning
// option says so, the accounting in a break, the window created when missing (reused otherwise),
// its label cleared, its timer on, shown full screen, the pointer hidden, the deletion of
// temporary files posted.
void RozpocznijPrzerwe(std::unique_ptr<TfrmWygaszacz>& okno, const KontekstPrzerwy& kontekst);
