#pragma once
// The message dialog "Komunikat": a picture, the formatted message text in a frame, and a page of
// buttons whose answer the dialog returns.
#include <memory>
#include <string>
#include <vector>

#include "common/UkladKomunikatu.h"
#include "common/win32/PisakControl.h"
#include "common/win32/Window.h"

class TfrmKomunikat : public win::Window {
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
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreate();
  void KlawiszClick(size_t index);
  void PokazPomoc();

  // The button notebook: a container window whose text is the page shown.
  class Notatnik : public win::Window {
   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  };

  // The frame around the message: an etched rectangle.
  class Ramka : public win::Window {
   protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  };

  int dpi_ = 96;
  HFONT font_ = nullptr;
  HWND strObrazki_ = nullptr;
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
