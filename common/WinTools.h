#pragma once
// Typed registry access with the program's failure convention, file-type descriptions, the user
// name, window titles and the screen-saver helpers. Functions without a root work under
// HKEY_CURRENT_USER. Every function reports through the error dialog and returns its neutral result.
#include <cstdint>
#include <string>
#include <vector>

#include "common/Tekstowe.h"
#include "platform/Registry.h"

using platform::Root;

std::string GetRegistryString(const std::string& key, const std::string& name);
std::string GetRegistryStringFromKey(Root root, const std::string& key, const std::string& name);
void SetRegistryString(const std::string& key, const std::string& name, const std::string& value);
void SetRegistryStringInKey(Root root, const std::string& key, const std::string& name, const std::string& value);
void CreateRegistryStringInKey(Root root, const std::string& key, const std::string& name, const std::string& value);
// Binary records: size bytes are read into / written from buffer. Reading gives false (buffer
// unchanged) when the key or the value is missing.
bool GetRegistryBinary(const std::string& key, const std::string& name, void* buffer, int size);
void SetRegistryBinary(const std::string& key, const std::string& name, const void* buffer, int size);
void SetRegistryBinaryInKey(Root root, const std::string& key, const std::string& name, const void* buffer, int size);
void CreateRegistryBinary(const std::string& key, const std::string& name, const void* buffer, int size);
void CreateRegistryBinaryInKey(Root root, const std::string& key, const std::string& name, const void* buffer, int size);
bool ZmiennaRejestrowaIstnieje(const std::string& key, const std::string& name);
bool CzyZmiennaRejestrowaIstniejewKluczu(Root root, const std::string& key, const std::string& name);
int DajLiczbeModemow();
std::string DajOpisRozszerzenia(const std::string& extension);
void DajListeZarejestrowanychRozszerzen(TStringList& list);
std::string DajNazweUzytkownika();

// The file and icon index that "\DefaultIcon" names for an extension's file type; false when any
// step fails. A file that does not exist is looked for in the system directory.
bool DajPlikIkonyDlaRozszerzenia(const std::string& extension, std::string& file, int& index);

// Window position text: "Max", or left#top#width#height.
struct WindowPosition {
  bool maximized = false;
  int left = 0, top = 0, width = 0, height = 0;
  bool valid = true;  // false when the text was neither "Max" nor four whole numbers
};
std::string WindowPositionText(const WindowPosition& p);
WindowPosition WindowPositionFromText(const std::string& text);

// Top-level window titles.
void ListWindowTitles(TStringList& list);
// Non-pop-up windows, cleaned of "(...)" (and "[...]" when the title has "-"), kept when they
// contain one of the filter characters; titles with "Eksploracja" are dropped.
void ListFilteredWindowTitles(TStringList& list, const std::string& filterChars);
// The same cleaning and filtering for one non-pop-up window's title at a time, the filter
// characters prepared once (for callers that keep titles from tick to tick).
class FiltrTytulowOkien {
 public:
  explicit FiltrTytulowOkien(const std::string& filterChars);
  // Cleans the title in place; false when the window is left out of the list.
  bool Oczysc(std::string& title) const;

 private:
  bool Przechodzi(const std::string& title) const;
  std::string znaki_;
  bool ascii_ = true;
  bool filtr_[128] = {};
};
bool IsWindowTitleOpen(const std::string& fragment);

bool ScreenSaverActive();
// Act only when the warning options switch the system screen saver off during a break.
void DisableScreenSaver(bool optionSwitchedOn);
void EnableScreenSaver(bool optionSwitchedOn);
// Switches the screen saver back on when a break switched it off and has not ended (the program
// ends during the break); otherwise nothing.
void PrzywrocWygaszacz();
int ScreenSaverTimeout();

uint32_t RunProgram(const std::string& commandLine, int showState);
