#pragma once
// The break window TfrmWygaszacz: black, full screen, no pointer, showing how long the break has
// lasted; and the two routines that start and end a user break.
#include <windows.h>

#include <functional>
#include <memory>

#include "common/win32/Window.h"
#include "worktime/InfoSaver.h"

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

 private:
  friend void RozpocznijPrzerwe(std::unique_ptr<TfrmWygaszacz>& okno, const KontekstPrzerwy& kontekst);
  void FormCreate();
  void WlaczTimer(bool wlacz);
  void WypelnijEkran();
  KontekstPrzerwy kontekst_;
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
