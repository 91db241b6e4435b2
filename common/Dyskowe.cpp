#include "common/Dyskowe.h"

#include <algorithm>
#include <optional>

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Orgtekst.h"
#include "platform/Platform.h"

using platform::Fs;
using platform::JoinPath;

namespace {

std::string Place(const char* kind, const char* name) { return std::string("U:Dyskowe ") + kind + ":" + name; }

// Sorted the way an NTFS listing comes: letter case ignored. Wine and FAT volumes list in no
// particular order, and the walk and the lists must not depend on that.
void SortNames(std::vector<platform::DirEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const platform::DirEntry& a, const platform::DirEntry& b) {
    return UpperCasePL(a.name) < UpperCasePL(b.name);
  });
}

std::optional<std::vector<platform::DirEntry>> SortedList(const std::string& dir, const std::string& mask) {
  auto entries = Fs().List(dir, mask);
  if (entries) SortNames(*entries);
  return entries;
}

std::string WithoutTrailingBackslash(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

// Lines of a text as byte ranges without their ends; a line ends with CR LF, LF or a lone CR.
struct Line {
  size_t begin, end;
};

std::vector<Line> Lines(const std::string& bytes) {
  std::vector<Line> lines;
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const size_t b = i;
    while (i < n && bytes[i] != '\r' && bytes[i] != '\n') ++i;
    lines.push_back({b, i});
    if (i < n && bytes[i] == '\r') {
      ++i;
      if (i < n && bytes[i] == '\n') ++i;
    } else if (i < n) {
      ++i;
    }
  }
  return lines;
}

void SplitLines(const std::string& bytes, TStringList& lines) {
  for (const Line& l : Lines(bytes)) lines.push_back(bytes.substr(l.begin, l.end - l.begin));
}

void WalkTree(const std::string& dir, const std::string& mask, TStringList& list) {
  ListFiles(dir, mask, list);
  auto entries = SortedList(dir, "*.*");
  if (!entries) return;
  for (const platform::DirEntry& e : *entries) {
    if (!e.directory || e.name.empty() || e.name[0] == '.') continue;
    // A junction or link may point back up the tree; following it would never end.
    if (e.attributes & platform::kAttrReparsePoint) continue;
    WalkTree(JoinPath(dir, e.name), mask, list);
  }
}

}  // namespace

std::string DajKatalogTemp() {
  const std::string place = Place("F", "DajKatalogTemp");
  return Guarded(place, [&]() -> std::string {
    auto temp = Fs().TempDirectory();
    if (!temp) {
      PokazBlad(place, "Błąd niezidentyfikowany." + std::to_string(Fs().LastError()));
      return {};
    }
    if (!Fs().DirectoryExists(*temp)) return {};
    return WithoutTrailingBackslash(*temp);
  });
}

std::string DajKatalogSystem() {
  auto dir = Fs().SystemDirectory();
  if (!dir || dir->empty()) {
    ShowMessage("U:Dyskowe F:DajKatalogSystem => Nie mogę znaleźć katalogu Winows\\system!");
    return {};
  }
  return *dir;
}

std::string DajKatalogWindows() {
  auto dir = Fs().WindowsDirectory();
  if (!dir || dir->empty()) {
    ShowMessage("U:Dyskowe F:DajKatalogWindows => Nie mogę znaleźć katalogu Windows!");
    return {};
  }
  return *dir;
}

std::string ListFixedDrives() {
  std::string letters;
  for (char c = 'A'; c <= 'Z'; ++c)
    if (Fs().DriveType(c) == platform::DriveKind::Fixed) letters += c;
  return letters;
}

void ListRecycledDirs(TStringList& list) {
  Guarded(Place("P", "ListRecycledDirs"), [&] {
    for (char c : ListFixedDrives()) {
      std::string dir = std::string(1, c) + ":\\RECYCLED";
      if (Fs().DirectoryExists(dir)) list.push_back(dir);
    }
  });
}

bool ListSubdirs(const std::string& directory, TStringList& list) {
  return Guarded(Place("F", "ListSubdirs"), [&] {
    if (!Fs().DirectoryExists(directory)) return false;
    auto entries = SortedList(directory, "*.*");
    if (!entries) return false;
    for (const platform::DirEntry& e : *entries)
      if (e.directory && !e.name.empty() && e.name[0] != '.') list.push_back(e.name);
    return true;
  });
}

bool ListFiles(const std::string& directory, const std::string& mask, TStringList& list) {
  return Guarded(Place("F", "ListFiles"), [&] {
    auto entries = SortedList(directory, mask);
    if (!entries) return false;
    bool found = false;
    for (const platform::DirEntry& e : *entries) {
      if (e.directory) continue;
      list.push_back(JoinPath(directory, e.name));
      found = true;
    }
    return found;
  });
}

void ListFilesTree(const std::string& directory, bool recursive, const std::string& mask, TStringList& list) {
  Guarded(Place("P", "ListFilesTree"), [&] {
    if (!Fs().DirectoryExists(directory)) return;
    if (recursive)
      WalkTree(directory, mask, list);
    else
      ListFiles(directory, mask, list);
  });
}

std::string ParentWithBackslash(const std::string& path) {
  if (path.size() < 2) return path;
  size_t k = path.find_last_of('\\', path.size() - 2);
  if (k == std::string::npos) return path;
  return path.substr(0, k + 1);
}

std::string ShortenPath(const std::string& path, int width) {
  const auto length = [](const std::string& s) { return static_cast<long long>(utf8::Length(s)); };
  if (length(path) <= width) return path;
  size_t slash = path.find_last_of('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  if (length(name) > width) {
    std::u32string chars = utf8::Decode(name);
    chars.resize(static_cast<size_t>(std::max(width - 3, 0)));
    return utf8::Encode(chars) + "...";
  }
  std::string candidate;
  for (;;) {
    std::string shorter = ParentWithBackslash(dir);
    if (shorter.size() >= dir.size()) break;
    dir = shorter;
    candidate = dir + "...\\" + name;
    if (length(candidate) <= width) return candidate;
  }
  // Nothing left to drop: an elided form that is no shorter than the path says less than it.
  if (candidate.empty() || length(candidate) >= length(path)) return path;
  return candidate;
}

double FileWriteTime(const std::string& file) {
  return Guarded(Place("F", "FileWriteTime"), [&] {
    auto st = Fs().Stat(file);
    return st ? st->writeTime : 0.0;
  });
}

double FileCreateTime(const std::string& file) {
  return Guarded(Place("F", "FileCreateTime"), [&] {
    auto st = Fs().Stat(file);
    return st ? st->createTime : 0.0;
  });
}

int CountLines(const std::string& file) {
  return Guarded(Place("F", "CountLines"), [&] {
    if (!Fs().FileExists(file)) return -1;
    auto bytes = Fs().ReadFile(file);
    if (!bytes) return -1;
    TStringList lines;
    SplitLines(*bytes, lines);
    return static_cast<int>(lines.size());
  });
}

bool TrimTextFileToLastLines(const std::string& file, int maxLines) {
  const std::string place = Place("F", "TrimTextFileToLastLines");
  return Guarded(place, [&] {
    if (!Fs().FileExists(file)) return false;
    auto bytes = Fs().ReadFile(file);
    if (!bytes) {
      PokazBlad(place, "Nie mogę odczytać pliku: " + file);
      return false;
    }
    const std::vector<Line> lines = Lines(*bytes);
    const size_t keep = static_cast<size_t>(std::max(maxLines, 0));
    if (lines.size() <= keep) return true;  // nothing to drop: the file stays as it is
    const std::string tail = keep == 0 ? std::string() : bytes->substr(lines[lines.size() - keep].begin);
    // The kept lines go to a copy beside the file, which then replaces the file in one step:
    // at every moment either the old or the new content is on the disk.
    const size_t slash = file.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
    const std::string temp = JoinPath(folder, "TempFile.txt");
    if (UpperCasePL(temp) == UpperCasePL(file)) {
      if (Fs().WriteFileReplacing(file, tail)) return true;
      PokazBlad(place, "Nie mogę zapisać pliku: " + file);
      return false;
    }
    if (!Fs().WriteFileReplacing(temp, tail) || !Fs().MoveReplacing(temp, file)) {
      Fs().DeleteFile(temp);
      PokazBlad(place, "Nie mogę zapisać pliku: " + file);
      return false;
    }
    return true;
  });
}

bool CreatePath(const std::string& path) {
  return Guarded(Place("F", "CreatePath"), [&] {
    TOrganizatorTekstu words;
    words.UstawSeparatory("\\");
    words.UstawTekst(path);
    const int32_t n = words.LiczbaWyrazow();
    if (n < 2) return false;
    for (int32_t i = 2; i <= n; ++i) {
      std::string prefix = words.DajWyrazy(1, i);
      if (Fs().DirectoryExists(prefix)) continue;
      if (!Fs().CreateDirectory(prefix)) return false;
    }
    return true;
  });
}

bool CopyFilesFromList(const std::string& sourceDir, const std::string& targetDir, const TStringList& names) {
  return Guarded(Place("F", "CopyFilesFromList"), [&] {
    for (const std::string& name : names)
      if (!Fs().CopyFile(JoinPath(sourceDir, name), JoinPath(targetDir, name), true)) return false;
    return true;
  });
}

bool DeleteFilesFromList(const std::string& directory, const TStringList& names) {
  return Guarded(Place("F", "DeleteFilesFromList"), [&] {
    for (const std::string& name : names)
      if (!Fs().DeleteFile(JoinPath(directory, name))) return false;
    return true;
  });
}

bool DeleteAllFilesInDir(const std::string& directory) {
  return Guarded(Place("F", "DeleteAllFilesInDir"), [&] {
    auto entries = Fs().List(directory, "*.*");
    if (!entries) return false;
    bool all = true;
    for (const platform::DirEntry& e : *entries)
      if (!e.directory && !Fs().DeleteFile(JoinPath(directory, e.name))) all = false;
    return all;
  });
}

double FreeMBDiscSpace(char driveLetter) {
  const char lower = (driveLetter >= 'A' && driveLetter <= 'Z') ? static_cast<char>(driveLetter - 'A' + 'a') : driveLetter;
  if (lower < 'b' || lower > 'y')
    ShowMessage(std::string("U: Dyskowe F: FreeMBDiscSpace => nieprawidłowa nazwa napędu: ") + driveLetter);
  auto bytes = Fs().FreeBytes(driveLetter);
  if (!bytes) {
    ShowMessage(std::string("U: Dyskowe F: FreeMBDiscSpace => Zła nazwa napędu: ") + driveLetter);
    return 0;
  }
  // Tenths of a megabyte, rounded down, in integers so that no rounding can push a value up.
  const uint64_t mb = 1024 * 1024;
  const uint64_t tenths = *bytes / mb * 10 + (*bytes % mb) * 10 / mb;
  return static_cast<double>(tenths) / 10.0;
}

bool ReadTextLines(const std::string& file, TStringList& lines) {
  auto bytes = Fs().ReadFile(file);
  lines.clear();
  if (!bytes) return false;
  SplitLines(*bytes, lines);
  for (std::string& line : lines) line = cp1250::ToUtf8(line);
  return true;
}

bool WriteTextLines(const std::string& file, const TStringList& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += cp1250::FromUtf8(line) + "\r\n";
  return Fs().WriteFileReplacing(file, bytes);
}

bool AppendTextLine(const std::string& file, const std::string& line) {
  return Fs().AppendFile(file, cp1250::FromUtf8(line) + "\r\n");
}
