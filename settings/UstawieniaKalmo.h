#pragma once
// Every setting Kalmo keeps in its settings key, as one snapshot: loaded whole, stored whole and
// applied to the running program by the core (TGlownaRdzen::ZastosujUstawienia). The options
// dialog edits a snapshot; today's running record (TodayInfo) and the statistics window's own
// options are not settings and stay with their owners.
#include <cstdint>
#include <string>

#include "settings/Globalne.h"

struct UstawieniaKalmo {
  LimitsRecord limity = LimitsRecord::Domyslne();                      // Ustawienia
  WarningOptions ostrzeganie = WarningOptions::PierwszeUruchomienie();  // OpcjeOstrzegania
  OpcjeSchowka schowek = OpcjeSchowka::PierwszeUruchomienie();          // OpcjeSchowka
  OpcjePlikowTymczasowych plikiTymczasowe = OpcjePlikowTymczasowych::PierwszeUruchomienie();
  bool aktywnosc3D = false;             // Aktywnosc3D
  std::string znakiFiltrujace = "-[";   // ZnakiFiltrujace
  bool lewyAlt = true;                  // LewyAlt
  bool pauseKey = true;                 // PauseKey
  bool rejestracjaPolaczen = true;      // RejestracjaPolaczen
  int32_t cenaPolaczeniaModemowego = 2318;  // CenaPolaczeniaModemowego, hundredths of a grosz

  // Reads every value. A missing or unreadable record gives its first-run values; a missing
  // single value is created with its default, as every reader of the key does.
  static UstawieniaKalmo Wczytaj();
  // Writes every value, creating the missing ones. The date of the last cleanup is the
  // cleanup's own: the stored one is kept, so a snapshot taken before a cleanup cannot turn it
  // back. False, after an error dialog, when the key does not open or a record is not written.
  bool Zapisz() const;
};
