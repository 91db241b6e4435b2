// SendKeys.exe: presses keys system-wide through SendInput, for driving keyboard hooks from a
// separate process.
//
//   SendKeys <chord> [<chord> ...]
//
// A chord is one or more virtual-key codes joined by "+", each decimal or 0x-hexadecimal
// ("0x11+0x10+0x50" is Ctrl+Shift+P). The keys of a chord go down in order and come up in reverse
// order; chords are pressed one after another. A code prefixed by "v" goes down only, one
// prefixed by "^" comes up only; one prefixed by "u" is a character typed as itself (its
// Unicode code point, KEYEVENTF_UNICODE), down and up: "u0x105" types "ą" whatever the layout.
// Exit code 0, or 2 for a bad argument, 3 when input was refused.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

bool Extended(WORD vk) {
  switch (vk) {
    case VK_RMENU: case VK_RCONTROL: case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END:
    case VK_PRIOR: case VK_NEXT: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_DIVIDE: case VK_NUMLOCK: case VK_SNAPSHOT: case VK_LWIN: case VK_RWIN: case VK_APPS:
      return true;
    default:
      return false;
  }
}

INPUT Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (Extended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

INPUT Character(WORD code, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wScan = code;
  in.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
  return in;
}

bool ParseCharacter(const std::wstring& text, WORD& code) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  unsigned long value = std::wcstoul(text.c_str(), &end, 0);
  if (*end != 0 || value == 0 || value > 0xFFFF) return false;
  code = static_cast<WORD>(value);
  return true;
}

bool ParseCode(const std::wstring& text, WORD& vk) {
  if (text.empty()) return false;
  wchar_t* end = nullptr;
  unsigned long value = std::wcstoul(text.c_str(), &end, 0);
  if (*end != 0 || value == 0 || value > 0xFE) return false;
  vk = static_cast<WORD>(value);
  return true;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 2;
  std::vector<INPUT> inputs;
  for (int a = 1; a < argc; ++a) {
    std::wstring chord = argv[a];
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
      size_t plus = chord.find(L'+', start);
      std::wstring part = chord.substr(start, plus == std::wstring::npos ? std::wstring::npos : plus - start);
      if (!part.empty() && part[0] == L'u') {
        WORD code = 0;
        if (!ParseCharacter(part.substr(1), code)) {
          fwprintf(stderr, L"SendKeys: bad character '%ls'\n", part.c_str());
          return 2;
        }
        inputs.push_back(Character(code, false));
        inputs.push_back(Character(code, true));
        if (plus == std::wstring::npos) break;
        start = plus + 1;
        continue;
      }
      bool downOnly = !part.empty() && part[0] == L'v';
      bool upOnly = !part.empty() && part[0] == L'^';
      if (downOnly || upOnly) part.erase(0, 1);
      WORD vk = 0;
      if (!ParseCode(part, vk)) {
        fwprintf(stderr, L"SendKeys: bad key code '%ls'\n", part.c_str());
        return 2;
      }
      if (downOnly) inputs.push_back(Key(vk, false));
      else if (upOnly) inputs.push_back(Key(vk, true));
      else keys.push_back(vk);
      if (plus == std::wstring::npos) break;
      start = plus + 1;
    }
    for (WORD vk : keys) inputs.push_back(Key(vk, false));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) inputs.push_back(Key(*it, true));
  }
  // One event at a time: each returns once the low-level hooks have seen it.
  for (INPUT& in : inputs)
    if (SendInput(1, &in, sizeof in) != 1) return 3;
  return 0;
}
