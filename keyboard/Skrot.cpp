#include "keyboard/Skrot.h"

#include "common/Tekstowe.h"

std::string SprawdzSkrot(const std::string& nazwa, const std::string& folder) {
  if (TrimBoth(nazwa).empty()) return "Podaj nazwę skrótu.";
  if (nazwa.find('#') != std::string::npos || folder.find('#') != std::string::npos)
    return "Nazwa skrótu i lokalizacja folderu nie mogą zawierać znaku „#”.";
  return {};
}
