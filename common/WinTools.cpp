#include "common/WinTools.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Orgtekst.h"
#include "platform/Platform.h"

using platform::Reg;

namespace {

const char* const kKeyText = "Nie mogę otworzyć klucza: %s, var = %s";
const char* const kRootKeyText = "Nie mogę otworzyć klucza:  key = %d, subkey = %s, var = %s";
const char* const kModemKey = "\\System\\CurrentControlSet\\Services\\Class\\Modem";

std::string F(const char* name) { return std::string("U:WinTools F:") + name; }
std::string P(const char* name) { return std::string("U:WinTools P:") + name; }

std::string RootText(Root root, const std::string& key, const std::string& name) {
  return Format(kRootKeyText, static_cast<int>(platform::RootAsSigned(root)), key.c_str(), name.c_str());
}

std::string KeyText(const std::string& key, const std::string& name) {
  return Format(kKeyText, key.c_str(), name.c_str());
}

// Whether a name is among the names of a list, compared as Windows compares registry names.
bool HasName(const std::vector<std::string>& names, const std::string& name) {
  const std::string wanted = UpperCasePL(name);
  for (const std::string& n : names)
    if (UpperCasePL(n) == wanted) return true;
  return false;
}

// The value names of the key, or nullopt when it does not open.
std::optional<std::vector<std::string>> Names(Root root, const std::string& key) { return Reg().ValueNames(root, key); }

std::vector<uint8_t> Bytes(const void* buffer, int size) {
  const auto* p = static_cast<const uint8_t*>(buffer);
  return size > 0 && p ? std::vector<uint8_t>(p, p + size) : std::vector<uint8_t>();
}

// Blanks and control characters at both ends go, as the titles of windows carry them.
std::string TrimControls(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

// A window's title as a buffer of `buffer` characters returns it: cut at its first NUL and to
// buffer - 1 characters.
std::string CutTitle(std::string title, size_t buffer) {
  TrimAtNul(title);
  // No more bytes than the buffer holds characters: no need to count them.
  if (title.size() <= buffer - 1 || utf8::Length(title) <= buffer - 1) return title;
  std::u32string chars = utf8::Decode(title);
  if (chars.size() > buffer - 1) {
    chars.resize(buffer - 1);
    return utf8::Encode(chars);
  }
  return title;
}

// Writes a string value with the "exists" rule: only an existing value (mustExist) or only a
// new one (!mustExist).
template <class Missing, class Present>
void WriteStringChecked(const std::string& place, Root root, const std::string& key, const std::string& name,
                        const std::string& value, const std::string& keyText, Missing missing, Present present) {
  Guarded(place, [&] {
    auto names = Names(root, key);
    if (!names) {
      PokazBlad(place, keyText);
      return;
    }
    bool exists = HasName(*names, name);
    if (!exists && !missing(place)) return;
    if (exists && !present(place)) return;
    if (!Reg().WriteString(root, key, name, value)) PokazBlad(place, keyText);
  });
}

}  // namespace

std::string GetRegistryString(const std::string& key, const std::string& name) {
  const std::string place = F("GetRegistryString");
  return Guarded(place, [&]() -> std::string {
    if (!Names(Root::CurrentUser, key)) {
      PokazBlad(place, KeyText(key, name));
      return {};
    }
    return Reg().ReadString(Root::CurrentUser, key, name).value_or("");
  });
}

std::string GetRegistryStringFromKey(Root root, const std::string& key, const std::string& name) {
  const std::string place = F("GetRegistryStringFromKey");
  return Guarded(place, [&]() -> std::string {
    if (!Names(root, key)) {
      PokazBlad(place, RootText(root, key, name));
      return {};
    }
    return Reg().ReadString(root, key, name).value_or("");
  });
}

void SetRegistryString(const std::string& key, const std::string& name, const std::string& value) {
  WriteStringChecked(
      P("SetRegistryString"), Root::CurrentUser, key, name, value, KeyText(key, name),
      [&](const std::string& place) {
        PokazBlad(place, Format("Podana zmienna nie istnieje w kluczu! klucz: %s, varname: %s, value: %s", key.c_str(),
                                name.c_str(), value.c_str()));
        return false;
      },
      [](const std::string&) { return true; });
}

void SetRegistryStringInKey(Root root, const std::string& key, const std::string& name, const std::string& value) {
  WriteStringChecked(
      P("SetRegistryStringInKey"), root, key, name, value, RootText(root, key, name),
      [&](const std::string& place) {
        PokazBlad(place, Format("Podana zmienna nie istnieje w kluczu! klucz: %s, varname: %s, value: %s", key.c_str(),
                                name.c_str(), value.c_str()));
        return false;
      },
      [](const std::string&) { return true; });
}

void CreateRegistryStringInKey(Root root, const std::string& key, const std::string& name, const std::string& value) {
  WriteStringChecked(
      P("CreateRegistryStringInKey"), root, key, name, value, RootText(root, key, name),
      [](const std::string&) { return true; },
      [&](const std::string& place) {
        PokazBlad(place, Format("Podana zmienna (%s) już istnieje w kluczu!", name.c_str()));
        return false;
      });
}

bool GetRegistryBinary(const std::string& key, const std::string& name, void* buffer, int size) {
  const std::string place = P("GetRegistryBinary");
  return Guarded(place, [&] {
    auto names = Names(Root::CurrentUser, key);
    if (!names) {
      PokazBlad(place, Format("Nie mogę otworzyć klucza! klucz: %s, varname: %s", key.c_str(), name.c_str()));
      return false;
    }
    if (!HasName(*names, name)) {
      PokazBlad(place, Format("Podana zmienna nie istnieje w kluczu! klucz: %s, varname: %s", key.c_str(), name.c_str()));
      return false;
    }
    auto data = Reg().ReadBinary(Root::CurrentUser, key, name);
    // A record of another size or kind would fill the buffer with a different layout: the caller
    // keeps what it has.
    if (!data || size < 0 || data->size() != static_cast<size_t>(size)) {
      // The caller goes on with its defaults and will save them over this value: the damaged
      // value is kept aside first, once, under name + "Uszkodzony".
      const std::string obok = name + "Uszkodzony";
      if (!HasName(*names, obok)) Reg().CopyValue(Root::CurrentUser, key, name, obok);
      PokazBlad(place, Format("Podana zmienna ma nieprawidłowy typ lub rozmiar! klucz: %s, varname: %s", key.c_str(),
                              name.c_str()));
      return false;
    }
    if (size > 0) std::copy(data->begin(), data->end(), static_cast<uint8_t*>(buffer));
    return true;
  });
}

void SetRegistryBinary(const std::string& key, const std::string& name, const void* buffer, int size) {
  const std::string place = P("SetRegistryBinary");
  Guarded(place, [&] {
    auto names = Names(Root::CurrentUser, key);
    if (!names) {
      PokazBlad(place, KeyText(key, name));
      return;
    }
    if (!HasName(*names, name)) {
      PokazBlad(place, "Podana zmienna nie istnieje w kluczu:" + name);
      return;
    }
    if (!Reg().WriteBinary(Root::CurrentUser, key, name, Bytes(buffer, size))) PokazBlad(place, KeyText(key, name));
  });
}

void SetRegistryBinaryInKey(Root root, const std::string& key, const std::string& name, const void* buffer, int size) {
  const std::string place = P("SetRegistryBinary");
  Guarded(place, [&] {
    auto names = Names(root, key);
    if (!names) {
      PokazBlad(place, KeyText(key, name));
      return;
    }
    if (!HasName(*names, name)) {
      PokazBlad(place, Format("Podana zmienna: %s nie istnieje w kluczu: %s", name.c_str(), key.c_str()));
      return;
    }
    if (!Reg().WriteBinary(root, key, name, Bytes(buffer, size))) PokazBlad(place, KeyText(key, name));
  });
}

void CreateRegistryBinary(const std::string& key, const std::string& name, const void* buffer, int size) {
  const std::string place = P("CreateRegistryBinary");
  Guarded(place, [&] {
    if (!Reg().WriteBinary(Root::CurrentUser, key, name, Bytes(buffer, size))) PokazBlad(place, KeyText(key, name));
  });
}

void CreateRegistryBinaryInKey(Root root, const std::string& key, const std::string& name, const void* buffer,
                               int size) {
  const std::string place = P("CreateRegistryBinaryInKey");
  Guarded(place, [&] {
    if (!Reg().WriteBinary(root, key, name, Bytes(buffer, size))) PokazBlad(place, RootText(root, key, name));
  });
}

bool ZmiennaRejestrowaIstnieje(const std::string& key, const std::string& name) {
  const std::string place = F("ZmiennaRejestrowaIstnieje");
  return Guarded(place, [&] {
    auto names = Names(Root::CurrentUser, key);
    if (!names) {
      PokazBlad(place, KeyText(key, name));
      return false;
    }
    return HasName(*names, name);
  });
}

bool CzyZmiennaRejestrowaIstniejewKluczu(Root root, const std::string& key, const std::string& name) {
  const std::string place = F("CzyZmiennaRejestrowaIstniejewKluczu");
  return Guarded(place, [&] {
    auto names = Names(root, key);
    if (!names) {
      PokazBlad(place, RootText(root, key, name));
      return false;
    }
    return HasName(*names, name);
  });
}

int DajLiczbeModemow() {
  const std::string place = F("DajLiczbeModemow");
  return Guarded(place, [&] {
    // No modem class at all is the usual case and no fault; a class key that is there but
    // refuses to open is reported.
    std::string key = kModemKey;
    const size_t slash = key.find_last_of('\\');
    auto classes = Reg().SubkeyNames(Root::LocalMachine, key.substr(0, slash));
    if (!classes || !HasName(*classes, key.substr(slash + 1))) return 0;
    auto modems = Reg().SubkeyNames(Root::LocalMachine, key);
    if (!modems) {
      PokazBlad(place, Format("Nie mogę otworzyć klucza:  HKEY_LOCAL_MACHINE, subkey = %s", key.c_str()));
      return 0;
    }
    return static_cast<int>(modems->size());
  });
}

std::string DajOpisRozszerzenia(const std::string& extension) {
  const std::string place = F("DajOpisRozszerzenia");
  return Guarded(place, [&]() -> std::string {
    if (!Reg().KeyExists(Root::ClassesRoot, extension)) {
      PokazBlad(place, Format("Nie mogę otworzyć klucza:  HKEY_CLASSES_ROOT, subkey = %s, var = (Domyślna)",
                              extension.c_str()));
      return {};
    }
    std::string type = Reg().ReadString(Root::ClassesRoot, extension, "").value_or("");
    if (type.empty()) return {};
    return Reg().ReadString(Root::ClassesRoot, type, "").value_or("");
  });
}

void DajListeZarejestrowanychRozszerzen(TStringList& list) {
  Guarded(P("DajListeZarejestrowanychRozszerzen"), [&] {
    auto keys = Reg().SubkeyNames(Root::ClassesRoot, "");
    if (!keys) return;
    for (const std::string& k : *keys)
      if (!k.empty() && k[0] == '.') list.push_back(LowerCasePL(k));
  });
}

std::string DajNazweUzytkownika() {
  return Guarded(F("DajNazweUzytkownika"), [&]() -> std::string {
    if (!Reg().KeyExists(Root::LocalMachine, "Network\\Logon")) return "Unknown";
    return Reg().ReadString(Root::LocalMachine, "Network\\Logon", "USERNAME").value_or("");
  });
}

bool DajPlikIkonyDlaRozszerzenia(const std::string& extension, std::string& file, int& index) {
  return Guarded(F("DajPlikIkonyDlaRozszerzenia"), [&] {
    std::string type = Reg().ReadString(Root::ClassesRoot, extension, "").value_or("");
    if (type.empty()) return false;
    std::string icon = Reg().ReadString(Root::ClassesRoot, type + "\\DefaultIcon", "").value_or("");
    if (icon.empty()) return false;
    std::string name = icon;
    int number = 0;
    if (icon.find(',') != std::string::npos) {
      name = NthField(icon, 1, ',');
      std::string digits = NthField(icon, 2, ',');
      if (IsNumber(digits)) {
        errno = 0;
        long v = std::strtol(TrimControls(digits).c_str(), nullptr, 10);
        if (errno == 0 && v >= -2147483647L - 1 && v <= 2147483647L) number = static_cast<int>(v);
      }
    }
    name = TrimControls(name);
    // Paths with spaces are often stored in quotes.
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    if (name.empty()) return false;
    if (!platform::Fs().FileExists(name)) {
      auto system = platform::Fs().SystemDirectory();
      if (system) name = platform::JoinPath(*system, name);
    }
    file = name;
    index = number;
    return true;
  });
}

std::string WindowPositionText(const WindowPosition& p) {
  if (p.maximized) return "Max";
  return Format("%d#%d#%d#%d", p.left, p.top, p.width, p.height);
}

WindowPosition WindowPositionFromText(const std::string& text) {
  WindowPosition p;
  if (text == "Max") {
    p.maximized = true;
    return p;
  }
  TOrganizatorTekstu words;
  words.UstawSeparatory("#");
  words.UstawTekst(text);
  int* fields[] = {&p.left, &p.top, &p.width, &p.height};
  for (int i = 0; i < 4; ++i) {
    std::string w = words.DajWyraz(i + 1);
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(w.c_str(), &end, 10);
    if (w.empty() || *end != '\0' || errno != 0 || v < -2147483647L - 1 || v > 2147483647L) {
      // A damaged text leaves the window where it is rather than moving it to nowhere.
      return WindowPosition{false, 0, 0, 0, 0, false};
    }
    *fields[i] = static_cast<int>(v);
  }
  return p;
}

void ListWindowTitles(TStringList& list) {
  for (const platform::TopLevelWindow& w : platform::Desk().TopLevelWindows()) {
    std::string title = CutTitle(w.title, 201);
    if (!title.empty()) list.push_back(title);
  }
}

FiltrTytulowOkien::FiltrTytulowOkien(const std::string& filterChars) : znaki_(filterChars) {
  // The filter characters as a table, built once for all the titles.
  ascii_ = std::all_of(znaki_.begin(), znaki_.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii_)
    for (char c : znaki_) filtr_[static_cast<unsigned char>(c)] = true;
}

bool FiltrTytulowOkien::Przechodzi(const std::string& t) const {
  if (!ascii_) return ContainsAnyOf(t, znaki_);
  for (char c : t) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x80 && filtr_[u]) return true;
  }
  return false;
}

bool FiltrTytulowOkien::Oczysc(std::string& title) const {
  auto cutPair = [](std::string& t, char open, char close) {
    const size_t o = t.find(open);
    if (o == std::string::npos) return;
    const size_t c = t.find(close, o + 1);
    if (c != std::string::npos) t.erase(o, c - o + 1);
  };
  auto trim = [](std::string& t) {
    size_t e = t.size();
    while (e > 0 && static_cast<unsigned char>(t[e - 1]) <= ' ') --e;
    t.erase(e);
    size_t b = 0;
    while (b < t.size() && static_cast<unsigned char>(t[b]) <= ' ') ++b;
    t.erase(0, b);
  };
  title = CutTitle(std::move(title), 200);
  if (title.empty()) return false;
  cutPair(title, '(', ')');
  trim(title);
  if (!Przechodzi(title)) return false;
  if (title.find('-') != std::string::npos) {
    cutPair(title, '[', ']');
    trim(title);
  }
  return title.find("Eksploracja") == std::string::npos;
}

void ListFilteredWindowTitles(TStringList& list, const std::string& filterChars) {
  // Each title is cleaned in place in the string taken over from the window list.
  const FiltrTytulowOkien filtr(filterChars);
  for (platform::TopLevelWindow& w : platform::Desk().TopLevelWindows()) {
    if (w.popup) continue;
    std::string title = std::move(w.title);
    if (filtr.Oczysc(title)) list.push_back(std::move(title));
  }
}

bool IsWindowTitleOpen(const std::string& fragment) {
  TStringList titles;
  ListWindowTitles(titles);
  return IndexOfContaining(fragment, titles) >= 0;
}

bool ScreenSaverActive() { return platform::Desk().ScreenSaverActive().value_or(false); }

namespace {
// Set while a break holds the screen saver off, so that whatever ends the program in the middle
// of the break can give it back.
bool wygaszaczWylaczonyNaPrzerwe = false;
}  // namespace

void DisableScreenSaver(bool optionSwitchedOn) {
  if (!optionSwitchedOn) return;
  platform::Desk().SetScreenSaverActive(false);
  wygaszaczWylaczonyNaPrzerwe = true;
}

void EnableScreenSaver(bool optionSwitchedOn) {
  if (!optionSwitchedOn) return;
  platform::Desk().SetScreenSaverActive(true);
  wygaszaczWylaczonyNaPrzerwe = false;
}

void PrzywrocWygaszacz() {
  if (!wygaszaczWylaczonyNaPrzerwe) return;
  wygaszaczWylaczonyNaPrzerwe = false;
  platform::Desk().SetScreenSaverActive(true);
}

int ScreenSaverTimeout() { return platform::Desk().ScreenSaverTimeout().value_or(0); }

uint32_t RunProgram(const std::string& commandLine, int showState) {
  return platform::Procs().Run(commandLine, showState);
}
