#pragma once
// The reminder window TfrmPrzypomnienie, its picture store TfrmObrazki and the warning sounds.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/win32/Form.h"
#include "worktime/OstrzegaczUtils.h"
#include "worktime/win32/Obrazki.h"

// What a reminder's buttons reach.
struct KontekstPrzypomnienia {
  HWND glowne = nullptr;                    // receives WM_FREE_FORM with window code 1
  std::function<void()> rozpocznijPrzerwe;  // "Przerwa": the break screen's start routine
};

// Non-modal, single instance; the main window frees it on the release message. It has no
// caption buttons: its own buttons (and Esc, once the person has clicked the window) close it. It
// never takes the keyboard: it shows above everything without activation, so typing in another
// program goes on there; a click makes it active, and from then on Enter and Space press its
// focused button.
class TfrmPrzypomnienie : public win::Form {
 public:
  explicit TfrmPrzypomnienie(KontekstPrzypomnienia kontekst);
  ~TfrmPrzypomnienie() override;

  // Puts the picture, the buttons of the mode and the message in place and shows the window
  // without activation, on the monitor that has the mouse pointer.
  void Pokaz(const TrescPrzypomnienia& tresc);

  void cmdOkClick();
  void cmdAnulujClick();
  void cmdPrzerwaClick();

  HWND imgObrazek() const { return imgObrazek_; }
  HWND labKomunikat() const { return labKomunikat_; }
  HWND cmdAnuluj() const { return cmdAnuluj_; }
  HWND cmdPrzerwa() const { return cmdPrzerwa_; }
  HWND cmdOk() const { return cmdOk_; }
  Obrazek PokazanyObrazek() const { return obrazek_; }

  static constexpr int kSzerokosc = 587, kWysokosc = 279;  // client area

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  bool OnClose() override { return true; }  // no way out but the buttons and Esc (Alt+F4 neither)

 private:
  void FormCreate();
  void Zwolnij();
  KontekstPrzypomnienia kontekst_;
  HWND imgObrazek_ = nullptr, labKomunikat_ = nullptr;
  HWND cmdAnuluj_ = nullptr, cmdPrzerwa_ = nullptr, cmdOk_ = nullptr;
  bool anuluj_ = false;  // the mode's buttons: Esc is "Anuluj" where it shows, otherwise "Ok"
  HBITMAP bitmapa_ = nullptr;  // copied from the picture store
  Obrazek obrazek_ = Obrazek::Brak;
  bool zwolnione_ = false;     // the release is posted once
};

// Shows a reminder of a mode when `okno` is empty; otherwise nothing happens. sekundy: the
// continuous work (mode 1) or the work today (mode 3). Returns whether a window was created.
bool PokazPrzypomnienie(std::unique_ptr<TfrmPrzypomnienie>& okno, TrybPrzypomnienia tryb, int32_t sekundy,
                        const KontekstPrzypomnienia& kontekst, const Losowanie& losuj = LosowanieSystemowe());

// Plays a sound file synchronously when it exists; a missing file is silently skipped.
// Returns whether the file was handed to the playback.
bool OdtworzDzwiek(const std::string& plik);
