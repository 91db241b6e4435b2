#include <algorithm>
#include <vector>

#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Platform.h"

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
    const std::string temp = path + ".new";
    {
      Handle h(CreateFileW(W(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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
    return ::CopyFileW(W(from).c_str(), W(to).c_str(), overwrite ? FALSE : TRUE) ? true : Fail();
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
};

}  // namespace

Files& RealFiles() {
  static Win32Files files;
  return files;
}

}  // namespace platform::win32
