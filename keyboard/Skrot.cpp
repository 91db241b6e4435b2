#include "keyboard/Skrot.h"

#include "base/Cp1250.h"
#include "common/Tekstowe.h"

std::string OdmowaStronyKodowej(const std::string& co, const std::string& tekst, const std::string& plik) {
  const std::string znak = cp1250::FirstUnmappable(tekst);
  if (znak.empty()) return {};
  return co + " zawiera znak „" + znak + "”, którego nie da się zapisać w " + plik +
         " (strona kodowa Windows-1250).";
}

std::optional<OdmowaSkrotu> SprawdzSkrot(const std::string& nazwa, const std::string& folder) {
  if (TrimBoth(nazwa).empty()) return OdmowaSkrotu{"Podaj nazwę skrótu.", false};
  if (nazwa.find('#') != std::string::npos) return OdmowaSkrotu{"Nazwa skrótu nie może zawierać znaku „#”.", false};
  if (std::string o = OdmowaStronyKodowej("Nazwa skrótu", nazwa, "pliku skrótów"); !o.empty())
    return OdmowaSkrotu{o, false};
  if (std::string o = OdmowaStronyKodowej("Lokalizacja folderu", folder, "pliku skrótów"); !o.empty())
    return OdmowaSkrotu{o, true};
  return std::nullopt;
}
