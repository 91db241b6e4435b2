#include "app/OrgWatkow.h"

#include "settings/Globalne.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "settings/Komunikaty.h"
#include "platform/Platform.h"

TOrganizatorWatkow::TOrganizatorWatkow(PoczmistrzGlownej& poczta, StarterUsuwania& starter)
    : poczta_(poczta), starter_(starter) {}

TOrganizatorWatkow::~TOrganizatorWatkow() {
  if (UsuwanieTrwa()) {
    zadania_ &= static_cast<uint8_t>(~ZadanieUsuwaniaPlikow);
    if (watek_) watek_->Przerwij();
  }
  watek_.reset();
}

void TOrganizatorWatkow::WyslijZwolnienieFormularza(uint8_t kodOkna) { poczta_.Wyslij(WM_FREE_FORM, 0, kodOkna); }

void TOrganizatorWatkow::WyslijStart() { poczta_.Wyslij(WM_BACKGROUND_TASK, 0, 0); }

void TOrganizatorWatkow::WyslijStop() { poczta_.Wyslij(WM_BACKGROUND_TASK, 1, 0); }

void TOrganizatorWatkow::RozpocznijUsuwanie() {
  if (zadania_ != 0) return;
  std::vector<uint8_t> bufor(OpcjePlikowTymczasowych::kRozmiar, 0);
  // An unreadable value leaves the buffer zero: deletion off.
  GetRegistryBinary(kKluczKalmo, wartosc::OpcjePlikowTymczasowych, bufor.data(), static_cast<int>(bufor.size()));
  const OpcjePlikowTymczasowych opcje = OpcjePlikowTymczasowych::FromBytes(bufor);
  if (!opcje.usuwanie) return;
  if (DaysBetween(platform::Time().Now(), opcje.ostatnieCzyszczenie) < 2) return;
  zadania_ |= ZadanieUsuwaniaPlikow;
  watek_.reset();  // the previous deletion has ended by now
  watek_ = starter_.Uruchom(*this);
  // A thread that could not be created must not leave the organizer "deleting" for ever.
  if (!watek_) zadania_ &= static_cast<uint8_t>(~ZadanieUsuwaniaPlikow);
}

void TOrganizatorWatkow::ZatrzymajUsuwanie() {
  if (UsuwanieTrwa() && watek_) watek_->Przerwij();
}

void TOrganizatorWatkow::UsuwanieZakonczone() {
  zadania_ &= static_cast<uint8_t>(~ZadanieUsuwaniaPlikow);
  if (poZakonczeniuUsuwania) poZakonczeniuUsuwania();
}
