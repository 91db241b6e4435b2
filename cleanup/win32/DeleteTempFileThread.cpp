#include "cleanup/win32/DeleteTempFileThread.h"

#include <exception>
#include <memory>
#include <mutex>
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

namespace {
// The mailbox of reports, shared by every deletion thread of the process and the main thread.
std::mutex& Zamek() {
  static std::mutex m;
  return m;
}
std::vector<TDeleteTempFileThread::Zgloszenie>& Skrzynka() {
  static std::vector<TDeleteTempFileThread::Zgloszenie> s;
  return s;
}
}  // namespace

std::vector<TDeleteTempFileThread::Zgloszenie> TDeleteTempFileThread::Odbierz() {
  std::lock_guard<std::mutex> lock(Zamek());
  return std::exchange(Skrzynka(), {});
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
    {
      std::lock_guard<std::mutex> lock(Zamek());
      Skrzynka().push_back({miejsce, tekst});
    }
    Wyslij(powiadomienia_.zgloszenie);
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
