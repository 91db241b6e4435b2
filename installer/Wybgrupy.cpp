#include "installer/Wybgrupy.h"

#include "common/Tekstowe.h"

std::string SprawdzNazweGrupy(const std::string& nazwa) {
  const std::string n = TrimBoth(nazwa);
  if (n.empty()) return "Nazwa grupy nie może być pusta.";
  // Folder names forbid the first nine; the brackets, parentheses and comma would end the
  // Program Manager command early; "&" cannot be written into the uninstall script, which would
  // then not find the group again.
  if (ContainsAnyOf(n, "\\/:*?\"<>|()[],&"))
    return "Nazwa grupy nie może zawierać znaków: \\ / : * ? \" < > | ( ) [ ] , &";
  if (n.back() == '.') return "Nazwa grupy nie może kończyć się kropką.";
  return std::string();
}
