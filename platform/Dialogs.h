#pragma once
// User-facing dialogs: the error dialog, the message dialog and the plain system message box.
// The Win32 implementation shows the real windows; tests install a recording one.
#include <cstdint>
#include <string>

namespace platform {

// Picture of the message dialog.
enum RodzajKomunikatu : uint8_t { rkInformacja = 0, rkPytanie = 1, rkOstrzezenie = 2, rkStop = 3 };
// Answer of the message dialog.
enum OdpowiedzKomunikatu : uint8_t { okTak = 0, okNie = 1, okOk = 2, okAnuluj = 3 };
// Button page of the message dialog.
enum class ButtonPage { Pytanie, Informacja, Ostrzezenie, Stop, InformacjaH };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Error dialog: returns when the user continues; "Zatrzymaj porgram" ends the process.
  virtual void ErrorDialog(const std::string& place, const std::string& text) = 0;
  virtual OdpowiedzKomunikatu MessageDialog(const std::string& text, RodzajKomunikatu kind, ButtonPage page) = 0;
  // The plain system message box (texts of the form "place => text").
  virtual void PlainMessage(const std::string& text) = 0;
};

}  // namespace platform
