#pragma once
// File-system seam. Paths are Windows paths in UTF-8 ("C:\Kalmo\All_arch.dat") on both builds;
// the in-memory implementation compares them without regard to letter case, as Windows does.
// Join paths with JoinPath so that the portable code reads the same everywhere.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// <windows.h> turns DeleteFile, CopyFile, CreateDirectory and RemoveDirectory into macros for
// their ...W functions, which would rename the methods below in Win32 units only and make them
// differ from the portable units' (a direct call then fails to link). The seam keeps its own
// names everywhere; Win32 code calls the W functions by their full names.
#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef CopyFile
#undef CopyFile
#endif
#ifdef CreateDirectory
#undef CreateDirectory
#endif
#ifdef RemoveDirectory
#undef RemoveDirectory
#endif

namespace platform {

struct DirEntry {
  std::string name;  // file name only
  bool directory = false;
  uint32_t attributes = 0;  // FILE_ATTRIBUTE_* bits
  uint64_t size = 0;
  double writeTime = 0;     // local date-time
  double createTime = 0;    // local date-time
};

enum class DriveKind { Unknown, NoRoot, Removable, Fixed, Remote, CdRom, RamDisk };

enum : uint32_t {
  kAttrReadOnly = 0x1, kAttrHidden = 0x2, kAttrSystem = 0x4, kAttrDirectory = 0x10,
  kAttrArchive = 0x20, kAttrReparsePoint = 0x400,
};

class Files {
 public:
  virtual ~Files() = default;

  virtual bool FileExists(const std::string& path) = 0;       // a file, not a directory
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Entries of the directory matching the mask ("*.*", "*.tmp", "a?c.txt"), "." and ".." left out.
  virtual std::optional<std::vector<DirEntry>> List(const std::string& dir, const std::string& mask) = 0;
  virtual std::optional<DirEntry> Stat(const std::string& path) = 0;
  // Whether the directory holds a subdirectory. An implementation stops at the first one, so a
  // large folder is not listed whole; false when there is none or the directory cannot be read.
  virtual bool HasSubdirectory(const std::string& dir) {
    const std::optional<std::vector<DirEntry>> entries = List(dir, "*");
    if (entries)
      for (const DirEntry& e : *entries)
        if (e.directory) return true;
    return false;
  }

  virtual std::optional<std::string> ReadFile(const std::string& path) = 0;  // bytes
  // Writes the whole file through a new file beside it that replaces the old one in one step,
  // so that a failure never leaves a truncated file.
  virtual bool WriteFileReplacing(const std::string& path, const std::string& bytes) = 0;
  // Appends bytes, creating the file when missing.
  virtual bool AppendFile(const std::string& path, const std::string& bytes) = 0;

  virtual bool DeleteFile(const std::string& path) = 0;
  // The path after every link, junction and mount point on the way has been resolved; nullopt
  // when it cannot be told (missing, access denied).
  virtual std::optional<std::string> FinalPath(const std::string& path) = 0;
  // Deletes a file only when its own final path lies inside the folder whose final path is given
  // (as FinalPath returned it). The file is opened once, without following a link at its own name,
  // checked and deleted through that handle, so a link swapped in meanwhile cannot redirect the
  // deletion. False (nothing deleted) when the check fails or cannot be made.
  virtual bool DeleteFileInside(const std::string& path, const std::string& folderFinalPath) = 0;
  // Moves a file, replacing the target in one step.
  virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
  virtual bool CopyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
  virtual bool CreateDirectory(const std::string& path) = 0;  // one level
  virtual bool RemoveDirectory(const std::string& path) = 0;  // empty directory
  virtual bool SetAttributes(const std::string& path, uint32_t attributes) = 0;

  virtual std::optional<std::string> TempDirectory() = 0;     // with its trailing backslash
  virtual std::optional<std::string> WindowsDirectory() = 0;
  virtual std::optional<std::string> SystemDirectory() = 0;
  virtual std::string ExecutablePath() = 0;                  // full path of the running program
  virtual DriveKind DriveType(char letter) = 0;
  virtual std::optional<uint64_t> FreeBytes(char letter) = 0;  // nullopt when unreadable
  virtual std::optional<std::string> ShortPath(const std::string& path) = 0;
  // Last system error code of the most recent failing call (for messages).
  virtual uint32_t LastError() = 0;
};

// "dir" + "\" + "name", without doubling a backslash already at the end of dir.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace platform
