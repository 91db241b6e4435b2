#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>
#include <knownfolders.h>

#include <algorithm>
#include <vector>

#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Platform.h"

// RtlGenRandom of advapi32, under its exported name.
extern "C" BOOLEAN WINAPI SystemFunction036(PVOID buffer, ULONG length);

namespace platform::win32 {
namespace {

thread_local uint32_t t_lastError = 0;

// Records the failing call's error code and gives false (or the empty result) back.
bool Fail() {
  t_lastError = GetLastError();
  return false;
}

std::wstring W(const std::string& path) {
  std::wstring w = Widen(path);
  for (wchar_t& c : w)
    if (c == L'/') c = L'\\';
  return w;
}

std::string NameOf(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  size_t k = p.find_last_of('\\');
  return k == std::string::npos ? p : p.substr(k + 1);
}

uint64_t Size(DWORD high, DWORD low) { return (uint64_t(high) << 32) | low; }

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (ok()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool ok() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  // Closes now and reports whether closing succeeded (buffered data reached the file).
  bool Close() {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return CloseHandle(h) != FALSE;
  }

 private:
  HANDLE h_;
};

bool WriteAll(HANDLE h, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// One directory entry from either a find record or a file's attribute data (same fields).
template <class FindOrAttributeData>
DirEntry Entry(std::string name, const FindOrAttributeData& d) {
  DirEntry e;
  e.name = std::move(name);
  e.directory = (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  e.attributes = d.dwFileAttributes;
  e.size = Size(d.nFileSizeHigh, d.nFileSizeLow);
  e.writeTime = FileTimeToLocalDateTime(d.ftLastWriteTime);
  e.createTime = FileTimeToLocalDateTime(d.ftCreationTime);
  return e;
}

std::optional<std::string> DirectoryCall(UINT (WINAPI* call)(LPWSTR, UINT)) {
  wchar_t buffer[MAX_PATH + 1];
  UINT n = call(buffer, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) {
    Fail();
    return std::nullopt;
  }
  return Narrow(buffer, n);
}

// A missing file or a plain writable one; false (access denied) for a directory or a read-only file.
bool Replaceable(const std::string& path) {
  DWORD a = GetFileAttributesW(W(path).c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
    t_lastError = ERROR_ACCESS_DENIED;
    return false;
  }
  return true;
}

// "\\?\C:\x" -> "C:\x", "\\?\UNC\srv\x" -> "\\srv\x".
std::wstring WithoutLongPrefix(std::wstring p) {
  if (p.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\" + p.substr(7);
  if (p.rfind(L"\\\\?\\", 0) == 0) return p.substr(4);
  return p;
}

std::optional<std::wstring> FinalPathOf(HANDLE h) {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) {
      Fail();
      return std::nullopt;
    }
    if (n < buffer.size()) return WithoutLongPrefix(std::wstring(buffer.data(), n));
    buffer.resize(n + 1);
  }
}

// The same path, letters compared without regard to case.
bool SamePath(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() &&
         CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
             CSTR_EQUAL;
}

// The "\\?\" form of a full path: the name is taken exactly as written (trailing dots and spaces
// kept, nothing expanded or shortened).
std::wstring Exact(const std::string& path) {
  std::wstring w = W(path);
  if (w.rfind(L"\\\\?\\", 0) == 0) return w;
  if (w.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + w.substr(2);
  return L"\\\\?\\" + w;
}

// Characters nobody can guess, for names that must not be taken in advance.
std::string RandomHex(int bytes) {
  std::vector<unsigned char> b(static_cast<size_t>(bytes));
  if (!SystemFunction036(b.data(), static_cast<ULONG>(b.size()))) {
    // Never without randomness: the tick count and the address space still differ per call.
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    for (size_t i = 0; i < b.size(); ++i) b[i] = static_cast<unsigned char>((t.QuadPart >> (8 * (i % 8))) ^ (i * 131));
  }
  static const char kHex[] = "0123456789abcdef";
  std::string s;
  for (unsigned char c : b) {
    s += kHex[c >> 4];
    s += kHex[c & 15];
  }
  return s;
}

// A name beside the file for a new copy that replaces it: created only when it does not exist yet,
// so nothing placed there in advance is written into.
std::string BesideName(const std::string& path) { return path + "." + RandomHex(4) + ".new"; }

// The SID of the user this process runs for.
std::vector<BYTE> UserSid() {
  std::vector<BYTE> sid;
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return sid;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) {
    PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
    sid.assign(static_cast<BYTE*>(user), static_cast<BYTE*>(user) + GetLengthSid(user));
  }
  CloseHandle(token);
  return sid;
}

std::vector<BYTE> WellKnownSid(WELL_KNOWN_SID_TYPE type) {
  std::vector<BYTE> sid(SECURITY_MAX_SID_SIZE);
  DWORD size = static_cast<DWORD>(sid.size());
  if (!CreateWellKnownSid(type, nullptr, sid.data(), &size)) return {};
  sid.resize(size);
  return sid;
}

std::vector<BYTE> TrusteeSid(Trustee who) {
  switch (who) {
    case Trustee::Administrators: return WellKnownSid(WinBuiltinAdministratorsSid);
    case Trustee::System: return WellKnownSid(WinLocalSystemSid);
    case Trustee::Users: return WellKnownSid(WinBuiltinUsersSid);
    case Trustee::CreatorOwner: return WellKnownSid(WinCreatorOwnerSid);
    case Trustee::CurrentUser: break;
  }
  return UserSid();
}

DWORD Rights(uint32_t rights) {
  DWORD r = 0;
  if (rights & kRightFull) r |= FILE_ALL_ACCESS;
  if (rights & kRightReadExecute) r |= FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
  if (rights & kRightCreateFiles) r |= FILE_ADD_FILE | SYNCHRONIZE;
  return r;
}

DWORD Inheritance(uint8_t inherit) {
  DWORD i = 0;
  if (inherit & kInheritFiles) i |= OBJECT_INHERIT_ACE;
  if (inherit & kInheritFolders) i |= CONTAINER_INHERIT_ACE;
  if (inherit & kInheritOnly) i |= INHERIT_ONLY_ACE;
  return i;
}

// An access list of the entries given (LocalFree it), or nullptr.
PACL BuildAcl(const std::vector<AccessEntry>& entries) {
  std::vector<std::vector<BYTE>> sids;
  std::vector<EXPLICIT_ACCESSW> list;
  sids.reserve(entries.size());
  for (const AccessEntry& e : entries) {
    sids.push_back(TrusteeSid(e.who));
    if (sids.back().empty()) return nullptr;
    EXPLICIT_ACCESSW a{};
    a.grfAccessPermissions = Rights(e.rights);
    a.grfAccessMode = GRANT_ACCESS;
    a.grfInheritance = Inheritance(e.inherit);
    a.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    a.Trustee.TrusteeType = TRUSTEE_IS_UNKNOWN;
    a.Trustee.ptstrName = reinterpret_cast<LPWSTR>(sids.back().data());
    list.push_back(a);
  }
  PACL acl = nullptr;
  const DWORD rc = SetEntriesInAclW(static_cast<ULONG>(list.size()), list.data(), nullptr, &acl);
  if (rc != ERROR_SUCCESS) {
    t_lastError = rc;
    return nullptr;
  }
  return acl;
}

// The entry opened (h, whose final path is `final`) is the one named `expected`. Wine reports a
// name's trailing dots and spaces away ("report.docx." as "report.docx"); such a final path is
// taken only when the name it gives is another file or none, never the same file reached through
// a link at the exact name.
bool OpenedAsNamed(HANDLE h, const std::wstring& final, const std::wstring& expected) {
  if (SamePath(final, expected)) return true;
  std::wstring bare = expected;
  while (!bare.empty() && (bare.back() == L'.' || bare.back() == L' ')) bare.pop_back();
  if (bare.size() == expected.size() || bare.empty() || bare.back() == L'\\' || !SamePath(final, bare)) return false;
  Handle other(CreateFileW(Exact(Narrow(bare)).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!other.ok()) return GetLastError() == ERROR_FILE_NOT_FOUND;
  BY_HANDLE_FILE_INFORMATION a, b;
  if (!GetFileInformationByHandle(h, &a) || !GetFileInformationByHandle(other.get(), &b)) return false;
  return a.dwVolumeSerialNumber != b.dwVolumeSerialNumber || a.nFileIndexHigh != b.nFileIndexHigh ||
         a.nFileIndexLow != b.nFileIndexLow;
}

class Win32HeldFolder : public HeldFolder {
 public:
  Win32HeldFolder(HANDLE h, std::string final) : h_(h), final_(std::move(final)) {}
  ~Win32HeldFolder() override { CloseHandle(h_); }
  const std::string& FinalPath() const override { return final_; }

 private:
  HANDLE h_;
  std::string final_;
};

// path lies below folder (both final paths), letters compared without regard to case.
bool Inside(const std::wstring& path, std::wstring folder) {
  if (folder.empty()) return false;
  if (folder.back() != L'\\') folder += L'\\';
  if (path.size() <= folder.size()) return false;
  return CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                              static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

class Win32Files : public Files {
 public:
  bool FileExists(const std::string& path) override {
    DWORD a = GetFileAttributesW(W(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return Fail();
    return (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool DirectoryExists(const std::string& path) override {
    DWORD a = GetFileAttributesW(W(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return Fail();
    return (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  std::optional<std::vector<DirEntry>> List(const std::string& dir, const std::string& mask) override {
    if (!DirectoryExists(dir)) return std::nullopt;
    std::vector<DirEntry> out;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(W(JoinPath(dir, mask)).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) {
      DWORD e = GetLastError();
      if (e == ERROR_FILE_NOT_FOUND || e == ERROR_NO_MORE_FILES) return out;  // nothing matches
      t_lastError = e;
      return std::nullopt;
    }
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      out.push_back(Entry(Narrow(name), fd));
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return out;
  }

  bool HasSubdirectory(const std::string& dir) override {
    WIN32_FIND_DATAW fd;
    // Directories only where the file system can filter them, without short names; ends at the
    // first one.
    HANDLE h = FindFirstFileExW(W(JoinPath(dir, "*")).c_str(), FindExInfoBasic, &fd, FindExSearchLimitToDirectories,
                                nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return Fail();
    bool found = false;
    do {
      const std::wstring name = fd.cFileName;
      found = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..";
    } while (!found && FindNextFileW(h, &fd));
    FindClose(h);
    return found;
  }

  std::optional<DirEntry> Stat(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(W(path).c_str(), GetFileExInfoStandard, &data)) {
      Fail();
      return std::nullopt;
    }
    return Entry(NameOf(path), data);
  }

  std::optional<std::string> ReadFile(const std::string& path) override {
    Handle h(CreateFileW(W(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok()) {
      Fail();
      return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
      DWORD n = 0;
      if (!::ReadFile(h.get(), buffer, sizeof buffer, &n, nullptr)) {
        Fail();
        return std::nullopt;
      }
      if (n == 0) break;
      bytes.append(buffer, n);
    }
    return bytes;
  }

  bool WriteFileReplacing(const std::string& path, const std::string& bytes) override {
    // A target that cannot be replaced (directory, read-only) fails before anything is written.
    if (!Replaceable(path)) return false;
    const std::string temp = BesideName(path);
    {
      Handle h(CreateFileW(W(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!h.ok()) return Fail();
      bool ok = WriteAll(h.get(), bytes) && FlushFileBuffers(h.get());
      if (!ok) {
        Fail();
        h.Close();
        ::DeleteFileW(W(temp).c_str());
        return false;
      }
      if (!h.Close()) {
        Fail();
        ::DeleteFileW(W(temp).c_str());
        return false;
      }
    }
    if (!MoveFileExW(W(temp).c_str(), W(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail();
      ::DeleteFileW(W(temp).c_str());
      return false;
    }
    return true;
  }

  bool AppendFile(const std::string& path, const std::string& bytes) override {
    Handle h(CreateFileW(W(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.ok()) return Fail();
    if (!WriteAll(h.get(), bytes)) return Fail();
    if (!h.Close()) return Fail();
    return true;
  }

  bool DeleteFile(const std::string& path) override {
    return ::DeleteFileW(W(path).c_str()) ? true : Fail();
  }

  std::optional<std::string> FinalPath(const std::string& path) override {
    Handle h(CreateFileW(W(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.ok()) {
      Fail();
      return std::nullopt;
    }
    auto final = FinalPathOf(h.get());
    if (!final) return std::nullopt;
    return Narrow(*final);
  }

  bool DeleteFileInside(const std::string& path, const std::string& folderFinalPath) override {
    // No FILE_FLAG_BACKUP_SEMANTICS: a folder does not open. FILE_FLAG_OPEN_REPARSE_POINT: a link
    // at the name opens as itself instead of being followed (where the file system reports it).
    Handle h(CreateFileW(W(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h.ok()) return Fail();
    // A link opened as itself has its own name as final path: inside, it is removed alone (never
    // its target); a name that leads elsewhere fails the check below.
    auto final = FinalPathOf(h.get());
    if (!final) return false;
    if (!Inside(*final, W(folderFinalPath))) {
      t_lastError = ERROR_ACCESS_DENIED;
      return false;
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &disposition, sizeof disposition)) return Fail();
    return h.Close() ? true : Fail();
  }

  bool MoveReplacing(const std::string& from, const std::string& to) override {
    // Windows refuses to replace a read-only file; Wine would replace it. Keep Windows' rule.
    if (!Replaceable(to)) return false;
    return MoveFileExW(W(from).c_str(), W(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? true
                                                                                                           : Fail();
  }

  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    if (!overwrite || GetFileAttributesW(W(to).c_str()) == INVALID_FILE_ATTRIBUTES)
      return ::CopyFileW(W(from).c_str(), W(to).c_str(), TRUE) ? true : Fail();
    // Copying onto the old file would write through every other name it has (a hard link placed
    // there): the copy goes beside it and then replaces the name in one step.
    if (!Replaceable(to)) return false;
    const std::string temp = BesideName(to);
    if (!::CopyFileW(W(from).c_str(), W(temp).c_str(), TRUE)) return Fail();
    if (!MoveFileExW(W(temp).c_str(), W(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      Fail();
      ::DeleteFileW(W(temp).c_str());
      return false;
    }
    return true;
  }

  bool CreateDirectory(const std::string& path) override {
    return ::CreateDirectoryW(W(path).c_str(), nullptr) ? true : Fail();
  }

  bool RemoveDirectory(const std::string& path) override {
    return ::RemoveDirectoryW(W(path).c_str()) ? true : Fail();
  }

  bool SetAttributes(const std::string& path, uint32_t attributes) override {
    // Directory is not a settable attribute; an empty set means "normal".
    DWORD a = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY);
    return SetFileAttributesW(W(path).c_str(), a ? a : FILE_ATTRIBUTE_NORMAL) ? true : Fail();
  }

  std::optional<std::string> TempDirectory() override {
    wchar_t buffer[MAX_PATH + 2];
    DWORD n = GetTempPathW(MAX_PATH + 2, buffer);
    if (n == 0 || n > MAX_PATH + 1) {
      Fail();
      return std::nullopt;
    }
    return Narrow(buffer, n);
  }

  std::optional<std::string> WindowsDirectory() override { return DirectoryCall(GetWindowsDirectoryW); }
  std::optional<std::string> SystemDirectory() override { return DirectoryCall(GetSystemDirectoryW); }

  std::string ExecutablePath() override {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) return {};
      if (n < buffer.size()) return Narrow(buffer.data(), n);
      buffer.resize(buffer.size() * 2);
    }
  }

  DriveKind DriveType(char letter) override {
    wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    switch (GetDriveTypeW(root)) {
      case DRIVE_NO_ROOT_DIR: return DriveKind::NoRoot;
      case DRIVE_REMOVABLE: return DriveKind::Removable;
      case DRIVE_FIXED: return DriveKind::Fixed;
      case DRIVE_REMOTE: return DriveKind::Remote;
      case DRIVE_CDROM: return DriveKind::CdRom;
      case DRIVE_RAMDISK: return DriveKind::RamDisk;
      default: return DriveKind::Unknown;
    }
  }

  std::optional<uint64_t> FreeBytes(char letter) override {
    wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExW(root, &available, &total, &free)) {
      Fail();
      return std::nullopt;
    }
    return available.QuadPart;
  }

  std::optional<std::string> ShortPath(const std::string& path) override {
    std::wstring w = W(path);
    DWORD n = GetShortPathNameW(w.c_str(), nullptr, 0);
    if (n == 0) {
      Fail();
      return std::nullopt;
    }
    std::vector<wchar_t> buffer(n + 1);
    n = GetShortPathNameW(w.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0 || n >= buffer.size()) {
      Fail();
      return std::nullopt;
    }
    return Narrow(buffer.data(), n);
  }

  uint32_t LastError() override { return t_lastError; }

  std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) override {
    // Shared for reading and writing, never for deletion: while held the folder can be neither
    // renamed nor removed, so nothing else takes its name.
    HANDLE h = CreateFileW(W(path).c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      Fail();
      return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info;
    std::optional<std::wstring> final;
    if (!GetFileInformationByHandle(h, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(final = FinalPathOf(h))) {
      t_lastError = ERROR_ACCESS_DENIED;
      CloseHandle(h);
      return nullptr;
    }
    return std::make_unique<Win32HeldFolder>(h, Narrow(*final));
  }

  DeleteOutcome DeleteEntry(const std::string& folderFinal, const std::string& name, uint32_t kinds,
                            const std::function<bool(const DirEntry&)>& decide) override {
    if (name.empty() || name == "." || name == ".." || name.find_first_of("\\/") != std::string::npos) {
      t_lastError = ERROR_INVALID_NAME;
      return DeleteOutcome::Refused;
    }
    const std::string path = JoinPath(folderFinal, name);
    const std::wstring exact = Exact(path);
    const DWORD access = DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE | ((kinds & kEntryReadOnly) ? FILE_WRITE_ATTRIBUTES : 0);
    Handle h(CreateFileW(exact.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h.ok()) {
      Fail();
      return DeleteOutcome::Failed;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h.get(), &info)) {
      Fail();
      return DeleteOutcome::Failed;
    }
    const DWORD a = info.dwFileAttributes;
    const uint32_t kind = (a & FILE_ATTRIBUTE_REPARSE_POINT) ? kEntryLink
                          : (a & FILE_ATTRIBUTE_DIRECTORY)   ? kEntryFolder
                                                             : kEntryFile;
    // What was opened must be the entry named: not another kind, and not reached through a link
    // on the way (a link at the name opens as itself where the file system allows it; one that is
    // followed shows its target as the final path).
    const auto final = FinalPathOf(h.get());
    if (!(kinds & kind) || !final || !OpenedAsNamed(h.get(), *final, WithoutLongPrefix(W(path)))) {
      t_lastError = ERROR_ACCESS_DENIED;
      return DeleteOutcome::Refused;
    }
    DirEntry e = Entry(name, info);
    e.links = info.nNumberOfLinks;
    if (decide && !decide(e)) {
      t_lastError = ERROR_ACCESS_DENIED;
      return DeleteOutcome::Refused;
    }
    const bool readOnly = kind == kEntryFile && (a & FILE_ATTRIBUTE_READONLY);
    if (readOnly) {
      // The attribute belongs to the file: with another name it would change there too.
      if (!(kinds & kEntryReadOnly) || info.nNumberOfLinks > 1) {
        t_lastError = ERROR_ACCESS_DENIED;
        return DeleteOutcome::Failed;
      }
      FILE_BASIC_INFO basic{};
      basic.FileAttributes = (a & ~FILE_ATTRIBUTE_READONLY) ? (a & ~FILE_ATTRIBUTE_READONLY) : FILE_ATTRIBUTE_NORMAL;
      if (!SetFileInformationByHandle(h.get(), FileBasicInfo, &basic, sizeof basic)) {
        Fail();
        return DeleteOutcome::Failed;
      }
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(h.get(), FileDispositionInfo, &disposition, sizeof disposition)) {
      Fail();
      if (readOnly) {
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = a;
        SetFileInformationByHandle(h.get(), FileBasicInfo, &basic, sizeof basic);
      }
      return DeleteOutcome::Failed;
    }
    if (!h.Close()) {
      Fail();
      return DeleteOutcome::Failed;
    }
    // Still there: another program holds it open, and the name goes only when that one closes it.
    if (GetFileAttributesW(exact.c_str()) != INVALID_FILE_ATTRIBUTES) return DeleteOutcome::Pending;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? DeleteOutcome::Deleted
                                                                          : DeleteOutcome::Pending;
  }

  std::optional<std::string> LongPath(const std::string& path) override {
    std::wstring w = W(path);
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (;;) {
      const DWORD n = GetLongPathNameW(w.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
      if (n == 0) {
        Fail();
        return std::nullopt;
      }
      if (n < buffer.size()) return Narrow(buffer.data(), n);
      buffer.resize(n + 1);
    }
  }

  std::optional<std::string> KnownFolderPath(KnownFolder folder) override {
    const KNOWNFOLDERID* id = nullptr;
    switch (folder) {
      case KnownFolder::Profile: id = &FOLDERID_Profile; break;
      case KnownFolder::Desktop: id = &FOLDERID_Desktop; break;
      case KnownFolder::Documents: id = &FOLDERID_Documents; break;
      case KnownFolder::Downloads: id = &FOLDERID_Downloads; break;
      case KnownFolder::Music: id = &FOLDERID_Music; break;
      case KnownFolder::Pictures: id = &FOLDERID_Pictures; break;
      case KnownFolder::Videos: id = &FOLDERID_Videos; break;
      case KnownFolder::Favorites: id = &FOLDERID_Favorites; break;
      case KnownFolder::AppData: id = &FOLDERID_RoamingAppData; break;
      case KnownFolder::LocalAppData: id = &FOLDERID_LocalAppData; break;
      case KnownFolder::StartMenu: id = &FOLDERID_StartMenu; break;
      case KnownFolder::Programs: id = &FOLDERID_Programs; break;
      case KnownFolder::Startup: id = &FOLDERID_Startup; break;
      case KnownFolder::Templates: id = &FOLDERID_Templates; break;
      case KnownFolder::SendTo: id = &FOLDERID_SendTo; break;
      case KnownFolder::Recent: id = &FOLDERID_Recent; break;
    }
    PWSTR p = nullptr;
    const HRESULT hr = SHGetKnownFolderPath(*id, KF_FLAG_DONT_VERIFY, nullptr, &p);
    std::optional<std::string> result;
    if (SUCCEEDED(hr) && p) result = Narrow(p);
    else t_lastError = static_cast<uint32_t>(hr);
    CoTaskMemFree(p);
    return result;
  }

  FileOwner OwnerOf(const std::string& path) override {
    Handle h(CreateFileW(W(path).c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.ok()) {
      Fail();
      // An owner may always read a file's security: one this user may not is another's.
      return t_lastError == ERROR_ACCESS_DENIED ? FileOwner::OtherUser : FileOwner::Unknown;
    }
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    const DWORD rc = GetSecurityInfo(h.get(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                                     nullptr, &sd);
    FileOwner result = FileOwner::Unknown;
    if (rc == ERROR_SUCCESS && owner && IsValidSid(owner)) {
      std::vector<BYTE> user = UserSid();
      PSID trustedInstaller = nullptr;
      ConvertStringSidToSidW(L"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", &trustedInstaller);
      if (!user.empty() && EqualSid(owner, user.data())) result = FileOwner::CurrentUser;
      else if (IsWellKnownSid(owner, WinBuiltinAdministratorsSid) || IsWellKnownSid(owner, WinLocalSystemSid) ||
               (trustedInstaller && EqualSid(owner, trustedInstaller)))
        result = FileOwner::System;
      else result = FileOwner::OtherUser;
      if (trustedInstaller) LocalFree(trustedInstaller);
    } else {
      t_lastError = rc;
    }
    if (sd) LocalFree(sd);
    return result;
  }

  bool SetAccessList(const std::string& path, const AccessList& list) override {
    Handle h(CreateFileW(W(path).c_str(), READ_CONTROL | WRITE_DAC | (list.owner ? WRITE_OWNER : 0),
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!h.ok()) return Fail();
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h.get(), &info)) return Fail();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      t_lastError = ERROR_ACCESS_DENIED;
      return false;
    }
    PACL acl = BuildAcl(list.entries);
    if (!acl) return false;
    std::vector<BYTE> owner = list.owner ? TrusteeSid(*list.owner) : std::vector<BYTE>();
    SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION;
    if (!owner.empty()) what |= OWNER_SECURITY_INFORMATION;
    const DWORD rc = SetSecurityInfo(h.get(), SE_FILE_OBJECT, what, owner.empty() ? nullptr : owner.data(), nullptr,
                                     acl, nullptr);
    LocalFree(acl);
    if (rc != ERROR_SUCCESS) {
      t_lastError = rc;
      return false;
    }
    return true;
  }

  std::optional<std::string> CreatePrivateDirectory(const std::string& parent, const std::string& prefix) override {
    std::vector<BYTE> user = UserSid();
    PACL acl = BuildAcl({{Trustee::CurrentUser, kRightFull, kInheritFiles | kInheritFolders}});
    if (user.empty() || !acl) {
      if (acl) LocalFree(acl);
      t_lastError = ERROR_ACCESS_DENIED;
      return std::nullopt;
    }
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorOwner(&sd, user.data(), FALSE);
    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
    SetSecurityDescriptorControl(&sd, SE_DACL_PROTECTED, SE_DACL_PROTECTED);
    SECURITY_ATTRIBUTES sa{sizeof sa, &sd, FALSE};
    std::optional<std::string> result;
    for (int attempt = 0; attempt < 16 && !result; ++attempt) {
      const std::string path = JoinPath(parent, prefix + RandomHex(8));
      if (::CreateDirectoryW(W(path).c_str(), &sa)) result = path;
      else if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!result) Fail();
    LocalFree(acl);
    return result;
  }
};

}  // namespace

Files& RealFiles() {
  static Win32Files files;
  return files;
}

}  // namespace platform::win32
