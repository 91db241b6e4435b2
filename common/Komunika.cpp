#include "common/Komunika.h"

#include "platform/Platform.h"

namespace {

OdpowiedzKomunikatu g_answer = okOk;
std::string g_text;

OdpowiedzKomunikatu Show(const std::string& text, RodzajKomunikatu kind, platform::ButtonPage page) {
  g_text = text;
  g_answer = platform::Ui().MessageDialog(text, kind, page);
  return g_answer;
}

}  // namespace

void PokazBlad(const std::string& place, const std::string& text) { platform::Ui().ErrorDialog(place, text); }

void PokazBladGdy(bool condition, const std::string& place, const std::string& text) {
  if (condition) PokazBlad(place, text);
}

void Komunikat(const std::string& text, RodzajKomunikatu kind) { Show(text, kind, platform::ButtonPage::Stop); }

OdpowiedzKomunikatu KomunikatPytanie(const std::string& text, RodzajKomunikatu kind) {
  return Show(text, kind, platform::ButtonPage::Pytanie);
}

OdpowiedzKomunikatu KomunikatOstrzezenie(const std::string& text, RodzajKomunikatu kind) {
  return Show(text, kind, platform::ButtonPage::Ostrzezenie);
}

void ShowMessage(const std::string& text) { platform::Ui().PlainMessage(text); }

OdpowiedzKomunikatu OstatniaOdpowiedz() { return g_answer; }
const std::string& OstatniKomunikat() { return g_text; }
