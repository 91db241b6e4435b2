#include "app/win32/IkonaZasobnika.h"

#include <shellapi.h>

#include "common/win32/Window.h"

namespace {
constexpr UINT kIconId = 1;
}

TNotifyIcon::~TNotifyIcon() {
  ZatrzymajAnimacje();
  Ukryj();
}

void TNotifyIcon::Utworz(HWND owner, UINT callbackMessage, UINT_PTR timerId, HICON icon, std::vector<HICON> frames) {
  owner_ = owner;
  message_ = callbackMessage;
  timer_ = timerId;
  icon_ = icon;
  current_ = icon;
  frames_ = std::move(frames);
}

NOTIFYICONDATAW TNotifyIcon::Dane(UINT flags) const {
  NOTIFYICONDATAW d{};
  d.cbSize = sizeof d;
  d.hWnd = owner_;
  d.uID = kIconId;
  d.uFlags = flags;
  d.uCallbackMessage = message_;
  d.hIcon = current_;
  std::wstring tip = win::Widen(hint_);
  lstrcpynW(d.szTip, tip.c_str(), static_cast<int>(sizeof d.szTip / sizeof d.szTip[0]));
  return d;
}

bool TNotifyIcon::Pokaz() {
  if (!owner_) return false;
  NOTIFYICONDATAW d = Dane(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  if (dodana_) return Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
  dodana_ = Shell_NotifyIconW(NIM_ADD, &d) != FALSE;
  return dodana_;
}

void TNotifyIcon::Przywroc() {
  if (!owner_) return;
  NOTIFYICONDATAW d = Dane(NIF_MESSAGE | NIF_ICON | NIF_TIP);
  // "TaskbarCreated" also reaches us when the tray did not lose our icon; then it is only updated.
  dodana_ = Shell_NotifyIconW(NIM_ADD, &d) != FALSE || Shell_NotifyIconW(NIM_MODIFY, &d) != FALSE;
}

void TNotifyIcon::Ukryj() {
  if (!dodana_) return;
  NOTIFYICONDATAW d = Dane(0);
  Shell_NotifyIconW(NIM_DELETE, &d);
  dodana_ = false;
}

void TNotifyIcon::UstawPodpowiedz(const std::string& hint) {
  if (hint == hint_) return;
  hint_ = hint;
  if (!dodana_) return;
  NOTIFYICONDATAW d = Dane(NIF_TIP);
  Shell_NotifyIconW(NIM_MODIFY, &d);
}

void TNotifyIcon::UstawIkone(HICON icon) {
  current_ = icon;
  if (!dodana_) return;
  NOTIFYICONDATAW d = Dane(NIF_ICON);
  Shell_NotifyIconW(NIM_MODIFY, &d);
}

void TNotifyIcon::UruchomAnimacje() {
  if (animacja_ || frames_.empty() || !owner_) return;
  animacja_ = true;
  frame_ = 0;
  UstawIkone(frames_[0]);
  SetTimer(owner_, timer_, kOkresKlatki, nullptr);
}

void TNotifyIcon::ZatrzymajAnimacje() {
  if (!animacja_) return;
  animacja_ = false;
  if (owner_) KillTimer(owner_, timer_);
  UstawIkone(icon_);
}

void TNotifyIcon::NastepnaKlatka() {
  if (!animacja_ || frames_.empty()) return;
  frame_ = (frame_ + 1) % frames_.size();
  UstawIkone(frames_[frame_]);
}
