#pragma once
// The tray icon of the main window: icon, hint, callback message and the flashing animation.
// Explorer forgets every icon when it restarts; Przywroc puts ours back on "TaskbarCreated".
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

class TNotifyIcon {
 public:
  TNotifyIcon() = default;
  ~TNotifyIcon();
  TNotifyIcon(const TNotifyIcon&) = delete;
  TNotifyIcon& operator=(const TNotifyIcon&) = delete;

  // owner receives callbackMessage (lParam = the mouse message) and WM_TIMER with timerId.
  void Utworz(HWND owner, UINT callbackMessage, UINT_PTR timerId, HICON icon, std::vector<HICON> frames);
  bool Pokaz();      // NIM_ADD (and again after Explorer restarts)
  void Ukryj();      // NIM_DELETE
  void Przywroc();

  void UstawPodpowiedz(const std::string& hint);
  const std::string& Podpowiedz() const { return hint_; }

  // Flashing: frames of 200 ms over the frame list; stopping restores the normal icon.
  void UruchomAnimacje();
  void ZatrzymajAnimacje();
  bool Animacja() const { return animacja_; }
  HICON Biezaca() const { return current_; }  // the icon the tray shows now
  bool Dodana() const { return dodana_; }
  // Called from the owner's WM_TIMER with our timer id.
  void NastepnaKlatka();

  static constexpr UINT kOkresKlatki = 200;

 private:
  NOTIFYICONDATAW Dane(UINT flags) const;
  void UstawIkone(HICON icon);

  HWND owner_ = nullptr;
  UINT message_ = 0;
  UINT_PTR timer_ = 0;
  HICON icon_ = nullptr;
  HICON current_ = nullptr;
  std::vector<HICON> frames_;
  size_t frame_ = 0;
  std::string hint_;
  bool dodana_ = false;
  bool animacja_ = false;
};
