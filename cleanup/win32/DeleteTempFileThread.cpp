#include "cleanup/win32/DeleteTempFileThread.h"

#include <exception>
#include <memory>
#include <utility>

TDeleteTempFileThread::TDeleteTempFileThread(std::string plikRegul, std::string plikKroniki,
                                             Powiadomienia powiadomienia, DWORD opoznienieMs)
    : plikRegul_(std::move(plikRegul)),
      plikKroniki_(std::move(plikKroniki)),
      powiadomienia_(powiadomienia),
      opoznienieMs_(opoznienieMs),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TDeleteTempFileThread::~TDeleteTempFileThread() {
  if (watek_) {
    bezKonca_ = true;
    Terminate();
    WaitForSingleObject(watek_, INFINITE);
    CloseHandle(watek_);
  }
  if (stop_) CloseHandle(stop_);
}

bool TDeleteTempFileThread::Uruchom() {
  if (watek_ || !stop_) return false;
  watek_ = CreateThread(nullptr, 0, &TDeleteTempFileThread::Execute, this, 0, nullptr);
  return watek_ != nullptr;
}

void TDeleteTempFileThread::Terminate() {
  terminated_ = true;
  if (stop_) SetEvent(stop_);
}

bool TDeleteTempFileThread::WaitFor(DWORD ms) {
  return !watek_ || WaitForSingleObject(watek_, ms) == WAIT_OBJECT_0;
}

TDeleteTempFileThread::Zgloszenie TDeleteTempFileThread::Odbierz(LPARAM lParam) {
  std::unique_ptr<Zgloszenie> z(reinterpret_cast<Zgloszenie*>(lParam));
  return z ? std::move(*z) : Zgloszenie{};
}

void TDeleteTempFileThread::Wyslij(UINT message, LPARAM lParam) {
  if (message && powiadomienia_.okno) PostMessageW(powiadomienia_.okno, message, 0, lParam);
}

DWORD WINAPI TDeleteTempFileThread::Execute(void* self) {
  static_cast<TDeleteTempFileThread*>(self)->Wykonaj();
  return 0;
}

void TDeleteTempFileThread::Wykonaj() {
  // The delay ends early only on a stop request; then no file is touched.
  if (WaitForSingleObject(stop_, opoznienieMs_) != WAIT_TIMEOUT || terminated_) {
    if (!bezKonca_) Wyslij(powiadomienia_.koniec);
    return;
  }
  Wyslij(powiadomienia_.etykieta);

  KontekstCzyszczenia k;
  k.plikRegul = plikRegul_;
  k.plikKroniki = plikKroniki_;
  k.przerwano = [this] { return terminated_.load(); };
  k.zglos = [this](const std::string& miejsce, const std::string& tekst) {
    if (terminated_ || !powiadomienia_.okno || !powiadomienia_.zgloszenie) return;
    auto z = std::make_unique<Zgloszenie>(Zgloszenie{miejsce, tekst});
    if (PostMessageW(powiadomienia_.okno, powiadomienia_.zgloszenie, 0, reinterpret_cast<LPARAM>(z.get())))
      z.release();  // the main window owns it now
  };
  k.poUsunieciu = [this](const std::string& plik) {
    if (poUsunieciuPliku) poUsunieciuPliku(plik);
  };
  try {
    wynik_ = WykonajCzyszczenie(k);
  } catch (...) {
    // WykonajCzyszczenie reports its own failures; nothing may leave the thread.
  }
  if (!bezKonca_) Wyslij(powiadomienia_.koniec);
}
