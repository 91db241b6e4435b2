#pragma once
// The settings store: single string and integer values of Kalmo's settings key, and the
// settings and data files created on the very first run.
#include <cstdint>
#include <string>

#include "settings/Globalne.h"

// Missing values are created with the default first. When the key does not open: error dialog,
// 0 or empty text, nothing written.
int32_t RejReadInteger(const std::string& nazwa, int32_t domyslna);
void RejWriteInteger(const std::string& nazwa, int32_t wartosc);
std::string RejReadString(const std::string& nazwa, const std::string& domyslna);
void RejWriteString(const std::string& nazwa, const std::string& wartosc);
// Whether the settings key opens (false on the very first run).
bool RejKluczIstnieje();
// Whether the key lists the value, letter case ignored.
bool RejZmiennaIstnieje(const std::string& nazwa);

// First run: creates the key, Aktywnosc3D, OpcjeOstrzegania, OpcjeSchowka,
// OpcjePlikowTymczasowych, the cleanup rules, the hotkeys and (when the folder exists) the
// "Moje dokumenty" shortcut.
void UtworzZmienneRejestrowe(const PlikiDanych& pliki);
