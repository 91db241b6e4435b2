#include <vector>

#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Platform.h"

namespace platform::win32 {
namespace {

HKEY RootHandle(Root root) {
  switch (root) {
    case Root::ClassesRoot: return HKEY_CLASSES_ROOT;
    case Root::LocalMachine: return HKEY_LOCAL_MACHINE;
    case Root::CurrentUser: break;
  }
  return HKEY_CURRENT_USER;
}

std::wstring SubKey(const std::string& key) {
  size_t b = 0;
  while (b < key.size() && key[b] == '\\') ++b;
  size_t e = key.size();
  while (e > b && key[e - 1] == '\\') --e;
  return Widen(key.substr(b, e - b));
}

// An open key that closes itself.
class Key {
 public:
  Key(Root root, const std::string& key, REGSAM access) {
    if (RegOpenKeyExW(RootHandle(root), SubKey(key).c_str(), 0, access, &h_) != ERROR_SUCCESS) h_ = nullptr;
  }
  ~Key() {
    if (h_) RegCloseKey(h_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  explicit operator bool() const { return h_ != nullptr; }
  HKEY get() const { return h_; }

 private:
  HKEY h_ = nullptr;
};

// The raw data and type of a value; false when it is missing.
bool Query(HKEY key, const std::string& name, DWORD& type, std::vector<BYTE>& data) {
  std::wstring wname = Widen(name);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD size = static_cast<DWORD>(data.size());
    LSTATUS rc = RegQueryValueExW(key, wname.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size);
    if (rc == ERROR_SUCCESS && (!data.empty() || size == 0)) {
      data.resize(size);
      return true;
    }
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) return false;
    data.resize(size + 2);  // the value may grow between the two calls
  }
  return false;
}

// NtDeleteKey of ntdll: deletes the key of a handle, the one way to delete a link opened as itself.
using NtDeleteKeyFn = LONG(NTAPI*)(HANDLE);

NtDeleteKeyFn NtDeleteKeyCall() {
  static const NtDeleteKeyFn call =
      reinterpret_cast<NtDeleteKeyFn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
  return call;
}

// Deletes parent\name with everything below it, never following a registry link: each key is
// opened as itself (REG_OPTION_OPEN_LINK), a link is deleted as the link, and every key goes
// through the handle it was checked on, so a key swapped for a link meanwhile leads nowhere.
bool DeleteTreeNoLinks(HKEY parent, const std::wstring& name, int depth) {
  NtDeleteKeyFn deleteKey = NtDeleteKeyCall();
  if (!deleteKey || depth > 64) return false;
  HKEY h = nullptr;
  if (RegOpenKeyExW(parent, name.c_str(), REG_OPTION_OPEN_LINK, KEY_READ | DELETE, &h) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  const bool link =
      RegQueryValueExW(h, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS && type == REG_LINK;
  bool ok = true;
  if (!link) {
    std::vector<std::wstring> names;
    wchar_t buffer[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(h, i, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(buffer, length);
    }
    for (const std::wstring& sub : names) ok = DeleteTreeNoLinks(h, sub, depth + 1) && ok;
  }
  ok = ok && deleteKey(h) == 0;
  RegCloseKey(h);
  return ok;
}

class Win32Registry : public Registry {
 public:
  bool KeyExists(Root root, const std::string& key) override { return bool(Key(root, key, KEY_READ)); }

  bool CreateKey(Root root, const std::string& key) override {
    HKEY h = nullptr;
    LSTATUS rc = RegCreateKeyExW(RootHandle(root), SubKey(key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                 KEY_READ | KEY_WRITE, nullptr, &h, nullptr);
    if (rc != ERROR_SUCCESS) return false;
    RegCloseKey(h);
    return true;
  }

  bool DeleteKey(Root root, const std::string& key) override {
    std::wstring sub = SubKey(key);
    if (sub.empty() || !KeyExists(root, key)) return false;  // never a whole root
    return DeleteTreeNoLinks(RootHandle(root), sub, 0);
  }

  std::optional<std::vector<std::string>> ValueNames(Root root, const std::string& key) override {
    Key k(root, key, KEY_READ);
    if (!k) return std::nullopt;
    std::vector<std::string> names;
    std::vector<wchar_t> buffer(16384);  // the longest value name the registry allows
    for (DWORD i = 0;; ++i) {
      DWORD length = static_cast<DWORD>(buffer.size());
      LSTATUS rc = RegEnumValueW(k.get(), i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      if (rc != ERROR_SUCCESS) break;
      names.push_back(Narrow(buffer.data(), length));
    }
    return names;
  }

  std::optional<std::vector<std::string>> SubkeyNames(Root root, const std::string& key) override {
    Key k(root, key, KEY_READ);
    if (!k) return std::nullopt;
    std::vector<std::string> names;
    wchar_t buffer[256];  // the longest key name the registry allows, plus the NUL
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      LSTATUS rc = RegEnumKeyExW(k.get(), i, buffer, &length, nullptr, nullptr, nullptr, nullptr);
      if (rc != ERROR_SUCCESS) break;
      names.push_back(Narrow(buffer, length));
    }
    return names;
  }

  std::optional<std::string> ReadString(Root root, const std::string& key, const std::string& name) override {
    Key k(root, key, KEY_READ);
    if (!k) return std::nullopt;
    DWORD type = 0;
    std::vector<BYTE> data(256);
    if (!Query(k.get(), name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    // Stored strings end with one NUL (sometimes none, sometimes more): the text ends at the first.
    size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return Narrow(text);
  }

  std::optional<uint32_t> ReadDword(Root root, const std::string& key, const std::string& name) override {
    Key k(root, key, KEY_READ);
    if (!k) return std::nullopt;
    DWORD type = 0;
    std::vector<BYTE> data(4);
    if (!Query(k.get(), name, type, data) || type != REG_DWORD || data.size() != 4) return std::nullopt;
    return uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
  }

  std::optional<uint64_t> ReadQword(Root root, const std::string& key, const std::string& name) override {
    Key k(root, key, KEY_READ);
    if (!k) return std::nullopt;
    DWORD type = 0;
    std::vector<BYTE> data(8);
    if (!Query(k.get(), name, type, data) || type != REG_QWORD || data.size() != 8) return std::nullopt;
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | data[i];
    return v;
  }

  std::optional<std::vector<uint8_t>> ReadBinary(Root root, const std::string& key, const std::string& name) override {
    Key k(root, key, KEY_READ);
    if (!k) return std::nullopt;
    DWORD type = 0;
    std::vector<BYTE> data(1024);
    if (!Query(k.get(), name, type, data) || type != REG_BINARY) return std::nullopt;
    return std::vector<uint8_t>(data.begin(), data.end());
  }

  bool WriteString(Root root, const std::string& key, const std::string& name, const std::string& value) override {
    std::wstring text = Widen(value);
    return Set(root, key, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }

  bool WriteDword(Root root, const std::string& key, const std::string& name, uint32_t value) override {
    DWORD v = value;
    return Set(root, key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
  }

  bool WriteQword(Root root, const std::string& key, const std::string& name, uint64_t value) override {
    return Set(root, key, name, REG_QWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }

  bool WriteBinary(Root root, const std::string& key, const std::string& name,
                   const std::vector<uint8_t>& data) override {
    return Set(root, key, name, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
  }

  bool DeleteValue(Root root, const std::string& key, const std::string& name) override {
    Key k(root, key, KEY_SET_VALUE);
    if (!k) return false;
    return RegDeleteValueW(k.get(), Widen(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  bool CopyValue(Root root, const std::string& key, const std::string& from, const std::string& to) override {
    Key k(root, key, KEY_READ | KEY_SET_VALUE);
    if (!k) return false;
    DWORD type = 0;
    std::vector<BYTE> data(1024);
    if (!Query(k.get(), from, type, data)) return false;
    return RegSetValueExW(k.get(), Widen(to).c_str(), 0, type, data.data(), static_cast<DWORD>(data.size())) ==
           ERROR_SUCCESS;
  }

  bool Set(Root root, const std::string& key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
    Key k(root, key, KEY_SET_VALUE);
    if (!k) return false;
    return RegSetValueExW(k.get(), Widen(name).c_str(), 0, type, data, size) == ERROR_SUCCESS;
  }
};

}  // namespace

Registry& RealRegistry() {
  static Win32Registry registry;
  return registry;
}

}  // namespace platform::win32
