#include "installer/win32/IkonaProgramu.h"

#include "common/win32/Window.h"

TIkonaProgramu::~TIkonaProgramu() {
  if (ikona_) DestroyIcon(ikona_);
}

void TIkonaProgramu::Pokaz(HWND kontrolka, const std::string& plik, int rozmiar) {
  if (!kontrolka) return;
  HICON ikona = plik.empty() ? nullptr
                             : static_cast<HICON>(LoadImageW(nullptr, win::Widen(plik).c_str(), IMAGE_ICON, rozmiar,
                                                             rozmiar, LR_LOADFROMFILE));
  if (!ikona) {
    SendMessageW(kontrolka, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_APPLICATION)), 0);
    return;
  }
  SendMessageW(kontrolka, STM_SETICON, reinterpret_cast<WPARAM>(ikona), 0);
  if (ikona_) DestroyIcon(ikona_);
  ikona_ = ikona;
}
