#pragma once
// File-system seam. Paths are Windows paths in UTF-8 ("C:\Kalmo\All_arch.dat") on both builds;
// the in-memory implementation compares them without regard to letter case, as Windows does.
// Join paths with JoinPath so that the portable code reads the same everywhere.
#include <cstdint>
#include <functional>
#include <memory>
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
  uint32_t links = 1;       // names of the file (hard links); known on an opened entry only
};

enum class DriveKind { Unknown, NoRoot, Removable, Fixed, Remote, CdRom, RamDisk };

enum : uint32_t {
  kAttrReadOnly = 0x1, kAttrHidden = 0x2, kAttrSystem = 0x4, kAttrDirectory = 0x10,
  kAttrArchive = 0x20, kAttrReparsePoint = 0x400,
};

// Who owns a file or folder, as a program of one user sees it.
enum class FileOwner {
  Unknown,      // the file system keeps no owners, or the owner cannot be read
  CurrentUser,  // the user this program runs for
  System,       // the machine's own: Administrators, SYSTEM, TrustedInstaller
  OtherUser,    // anyone else
};

// Whom an entry of an access list speaks of.
enum class Trustee : uint8_t { Administrators, System, Users, CreatorOwner, CurrentUser };
// Rights of an entry.
enum : uint32_t { kRightFull = 0x1, kRightReadExecute = 0x2, kRightCreateFiles = 0x4 };
// Where an entry of a folder's list applies besides (or, with kInheritOnly, instead of) the
// folder itself: files and folders created in it later.
enum : uint8_t { kInheritNone = 0, kInheritFiles = 0x1, kInheritFolders = 0x2, kInheritOnly = 0x4 };

struct AccessEntry {
  Trustee who = Trustee::Administrators;
  uint32_t rights = 0;
  uint8_t inherit = kInheritNone;
  bool operator==(const AccessEntry&) const = default;
};

// A whole access list: nothing is inherited from the parent folder.
struct AccessList {
  std::optional<Trustee> owner;  // made the owner too, when given
  std::vector<AccessEntry> entries;
  bool operator==(const AccessList&) const = default;
};

// Folders of the user as the shell knows them (not the Shell Folders values of the registry,
// which the user can write).
enum class KnownFolder {
  Profile, Desktop, Documents, Downloads, Music, Pictures, Videos, Favorites, AppData, LocalAppData,
  StartMenu, Programs, Startup, Templates, SendTo, Recent,
};

// What a checked deletion may remove.
enum : uint32_t {
  kEntryFile = 0x1,      // a plain file
  kEntryFolder = 0x2,    // an empty folder
  kEntryLink = 0x4,      // a link or junction, removed as the link itself
  kEntryReadOnly = 0x8,  // a read-only file too (its attribute is cleared on the opened handle)
};

enum class DeleteOutcome {
  Deleted,
  Pending,  // marked for deletion, but the name stays until another program closes the file
  Refused,  // not what was asked for: another kind, a final path elsewhere, refused by the check
  Failed,   // missing, in use, access denied, a folder not empty (LastError says which)
};

// A folder held open: while held it cannot be renamed or removed, so no other folder or link can
// take its place.
class HeldFolder {
 public:
  virtual ~HeldFolder() = default;
  // The folder's path after every link and mount point on the way was resolved.
  virtual const std::string& FinalPath() const = 0;
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
  // Overwriting replaces the target in one step (a new file beside it, then a replacing move):
  // another name of the old file (a hard link) keeps its content.
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

  // ---- confinement: acting on what was checked ----

  // Opens the folder once, without following a link at its name; nullptr when it cannot be
  // opened or is itself a link or junction (where the file system reports one).
  virtual std::unique_ptr<HeldFolder> HoldFolder(const std::string& path) = 0;
  // Deletes folderFinal\name, where folderFinal is a final path (FinalPath, HoldFolder). The entry
  // is opened once by its exact name (trailing dots and spaces kept, no 8.3 expansion) without
  // following a link at the name, and goes only when it is of a kind allowed, when its final path
  // is folderFinal\name (letter case aside) and when `decide` (if set) accepts it as read on that
  // handle (attributes, times, links). Overwriting copies and rewrites replace a file instead.
  virtual DeleteOutcome DeleteEntry(const std::string& folderFinal, const std::string& name, uint32_t kinds,
                                    const std::function<bool(const DirEntry&)>& decide) = 0;
  // The path with its short (8.3) components in their long form; nullopt when it does not exist.
  virtual std::optional<std::string> LongPath(const std::string& path) = 0;
  virtual std::optional<std::string> KnownFolderPath(KnownFolder folder) = 0;

  // ---- ownership and access lists ----

  // Unknown for a missing file; OtherUser also for a file whose security this user may not read
  // (an owner always may).
  virtual FileOwner OwnerOf(const std::string& path) = 0;
  // Replaces the access list of a file or folder (opened without following a link at its name);
  // false when the file system keeps none or the call fails.
  virtual bool SetAccessList(const std::string& path, const AccessList& list) = 0;
  // A new folder in parent that only this user may use, named prefix + random characters that
  // nobody can guess; its full path, or nullopt.
  virtual std::optional<std::string> CreatePrivateDirectory(const std::string& parent, const std::string& prefix) = 0;
};

// "dir" + "\" + "name", without doubling a backslash already at the end of dir.
std::string JoinPath(const std::string& dir, const std::string& name);

}  // namespace platform
