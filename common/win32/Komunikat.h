#pragma once
// The message dialog "Komunikat": a picture, the formatted message text in a frame, and a page of
// buttons whose answer the dialog returns.
#include <string>
#include <vector>

#include "common/UkladKomunikatu.h"
#include "common/win32/Form.h"
#include "common/win32/PisakControl.h"

class TfrmKomunikat : public win::Form {
 public:
  static constexpr const wchar_t* kClassName = L"TfrmKomunikat";

  TfrmKomunikat();
  ~TfrmKomunikat() override;

  void UstawObrazek(platform::RodzajKomunikatu kind);
  void UstawKlawisze(platform::ButtonPage page);
  // Gives the text to the painter and fits the dialog's height to it.
  void UstawTekst(const std::string& text);
  // Help topic of the "Pomoc" button (page InformacjaH).
  void UstawSlowoPomocy(const std::string& keyword) { helpKeyword_ = keyword; }
  // Modal; the answer of the button pressed.
  platform::OdpowiedzKomunikatu Pokaz();

  // Height the painter reported for the text (96 dpi) and the resulting sizes.
  int WymaganaWysokosc() const { return required_; }
  const WysokosciKomunikatu& Wysokosci() const { return heights_; }

 protected:
  // DM_GETDEFID (which button Enter presses) and WM_ACTIVATE (the focus kept on a button).
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnClose() override;
  bool OnDrawItem(const DRAWITEMSTRUCT& d) override;
  HBRUSH OnControlColor(HDC dc, HWND control) override;

 private:
  void FormCreate();
  void KlawiszClick(size_t index);
  void KlawiszPowiadamia(size_t index, int code);
  // Esc and the close box: the last button that closes (Nie, Anuluj, or the only Ok).
  void Zrezygnuj();
  void PokazPomoc();

  // The button notebook: a page whose text names the page of buttons it shows.
  class Notatnik : public win::Form {
   public:
    bool Utworz(HWND dialog, const RECT& area);
    HWND Klawisz(const KlawiszKomunikatu& klawisz, int id, win::Box at, bool isDefault);
  };

  // The frame around the message: an etched rectangle the mouse passes through.
  class Ramka : public win::Window {
   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void OnPaint(HDC dc, const RECT& dirty) override;
  };

  win::Control strObrazki_;
  Ramka belRamka_;
  win::PisakControl pisKomunikat_;
  Notatnik strKlawisze_;
  std::vector<HWND> buttons_;
  std::vector<KlawiszKomunikatu> page_;
  platform::RodzajKomunikatu kind_ = platform::rkInformacja;
  platform::OdpowiedzKomunikatu answer_ = platform::okOk;
  std::string helpKeyword_;
  int required_ = 0;
  WysokosciKomunikatu heights_;
};
