#pragma once
// Registry seam: the program's view of the Windows registry.
// Key paths are UTF-8 with backslashes; a leading backslash is allowed and ignored.
// Value names compare without regard to letter case, as on Windows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The predefined roots, with the numeric handle values Windows gives them
// (messages print the root as a signed number: HKEY_CURRENT_USER is -2147483647).
enum class Root : uint32_t {
  ClassesRoot = 0x80000000u,
  CurrentUser = 0x80000001u,
  LocalMachine = 0x80000002u,
};

inline int32_t RootAsSigned(Root r) { return static_cast<int32_t>(static_cast<uint32_t>(r)); }

enum class ValueKind { String, Dword, Binary, Other, Qword };

class Registry {
 public:
  virtual ~Registry() = default;

  virtual bool KeyExists(Root root, const std::string& key) = 0;
  // Opens the key, creating it and any missing parents; false when that fails.
  virtual bool CreateKey(Root root, const std::string& key) = 0;
  // Deletes the key with everything below it; false when it does not exist or cannot go.
  virtual bool DeleteKey(Root root, const std::string& key) = 0;

  // nullopt when the key does not open.
  virtual std::optional<std::vector<std::string>> ValueNames(Root root, const std::string& key) = 0;
  virtual std::optional<std::vector<std::string>> SubkeyNames(Root root, const std::string& key) = 0;

  // nullopt when the key does not open, the value is missing or has another kind.
  // An empty name is the key's default value.
  virtual std::optional<std::string> ReadString(Root root, const std::string& key, const std::string& name) = 0;
  virtual std::optional<uint32_t> ReadDword(Root root, const std::string& key, const std::string& name) = 0;
  virtual std::optional<std::vector<uint8_t>> ReadBinary(Root root, const std::string& key, const std::string& name) = 0;

  // Write into an existing key (the key is not created); false when it does not open.
  virtual bool WriteString(Root root, const std::string& key, const std::string& name, const std::string& value) = 0;
  virtual bool WriteDword(Root root, const std::string& key, const std::string& name, uint32_t value) = 0;
  virtual bool WriteBinary(Root root, const std::string& key, const std::string& name, const std::vector<uint8_t>& data) = 0;
  virtual bool DeleteValue(Root root, const std::string& key, const std::string& name) = 0;
  // Copies a value under another name of the same key, of whatever kind, byte for byte.
  virtual bool CopyValue(Root root, const std::string& key, const std::string& from, const std::string& to) = 0;

  // 64-bit values (REG_QWORD: the system's own time stamps); nullopt as for ReadDword.
  virtual std::optional<uint64_t> ReadQword(Root, const std::string&, const std::string&) { return std::nullopt; }
  virtual bool WriteQword(Root, const std::string&, const std::string&, uint64_t) { return false; }
};

}  // namespace platform
