#include "platform/memory/Memory.h"

#include <algorithm>

#include "base/Cp1250.h"
#include "base/DateTime.h"

namespace platform::memory {

std::string FoldCase(const std::string& s) {
  std::u32string u = utf8::Decode(s);
  for (char32_t& c : u) {
    if (c >= U'a' && c <= U'z') c = c - U'a' + U'A';
    static const std::u32string lower = U"ąćęłńóśźż";
    static const std::u32string upper = U"ĄĆĘŁŃÓŚŹŻ";
    size_t k = lower.find(c);
    if (k != std::u32string::npos) c = upper[k];
  }
  return utf8::Encode(u);
}

namespace {

// What a listing or a look at one entry tells of a node.
template <class Node>
DirEntry EntryOf(const Node& n) {
  DirEntry e;
  e.name = n.name;
  e.directory = n.directory;
  e.attributes = n.attributes;
  e.size = n.bytes.size();
  e.writeTime = n.writeTime;
  e.createTime = n.createTime;
  return e;
}

std::string TrimSlashes(const std::string& key) {
  size_t b = 0, e = key.size();
  while (b < e && key[b] == '\\') ++b;
  while (e > b && key[e - 1] == '\\') --e;
  return key.substr(b, e - b);
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : path) {
    if (c == '\\') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur.push_back(c);
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

}  // namespace

// ---- registry ----

std::string MemoryRegistry::Path(Root root, const std::string& key) const {
  std::string p = std::to_string(static_cast<uint32_t>(root));
  for (const std::string& part : SplitPath(key)) {
    p += '\\';
    p += FoldCase(part);
  }
  return p;
}

std::string MemoryRegistry::Resolve(const std::string& path, bool ownName) const {
  std::string p = path;
  // The first link on the way is replaced by its target, then the walk starts again; a bound
  // stops a loop of links.
  for (int round = 0; round < 32; ++round) {
    bool replaced = false;
    for (size_t k = p.find('\\'); k != std::string::npos;) {
      const size_t next = p.find('\\', k + 1);
      const size_t end = next == std::string::npos ? p.size() : next;
      if (next == std::string::npos && ownName) break;
      auto it = keys_.find(p.substr(0, end));
      if (it != keys_.end() && !it->second.link.empty()) {
        p = it->second.link + p.substr(end);
        replaced = true;
        break;
      }
      k = next;
    }
    if (!replaced) break;
  }
  return p;
}

MemoryRegistry::Key* MemoryRegistry::Open(Root root, const std::string& key) {
  std::string p = Resolve(Path(root, key), false);
  for (const std::string& locked : lockedKeys)
    if (Path(root, locked) == p) return nullptr;
  auto it = keys_.find(p);
  if (it != keys_.end()) return &it->second;
  // Roots always exist.
  if (TrimSlashes(key).empty()) return &keys_[p];
  return nullptr;
}

void MemoryRegistry::AddLink(Root root, const std::string& key, Root targetRoot, const std::string& targetKey) {
  CreateKey(targetRoot, targetKey);
  CreateKey(root, key);
  keys_[Resolve(Path(root, key), true)].link = Resolve(Path(targetRoot, targetKey), false);
}

bool MemoryRegistry::KeyExists(Root root, const std::string& key) { return Open(root, key) != nullptr; }

bool MemoryRegistry::CreateKey(Root root, const std::string& key) {
  std::string p = std::to_string(static_cast<uint32_t>(root));
  for (const std::string& part : SplitPath(key)) {
    p = Resolve(p + '\\' + FoldCase(part), false);
    Key& k = keys_[p];
    if (k.name.empty()) k.name = part;
  }
  return Open(root, key) != nullptr;
}

bool MemoryRegistry::DeleteKey(Root root, const std::string& key) {
  if (TrimSlashes(key).empty() || !Open(root, key)) return false;
  // The key's own name is not followed: a link there goes as the link, and a link below it is
  // removed with the tree, never the key it leads to.
  const std::string p = Resolve(Path(root, key), true);
  for (const std::string& k : undeletableKeys)
    if (Path(root, k) == p) return false;
  for (auto it = keys_.begin(); it != keys_.end();) {
    if (it->first == p || it->first.rfind(p + "\\", 0) == 0) it = keys_.erase(it);
    else ++it;
  }
  return true;
}

std::optional<std::vector<std::string>> MemoryRegistry::ValueNames(Root root, const std::string& key) {
  Key* k = Open(root, key);
  if (!k) return std::nullopt;
  std::vector<std::string> names;
  for (auto& [folded, v] : k->values) names.push_back(v.name);
  return names;
}

std::optional<std::vector<std::string>> MemoryRegistry::SubkeyNames(Root root, const std::string& key) {
  if (!Open(root, key)) return std::nullopt;
  std::string p = Resolve(Path(root, key), false) + "\\";
  std::vector<std::string> names;
  for (auto& [path, k] : keys_)
    if (path.rfind(p, 0) == 0 && path.find('\\', p.size()) == std::string::npos) names.push_back(k.name);
  return names;
}

const MemoryRegistry::Value* MemoryRegistry::Find(Root root, const std::string& key, const std::string& name) {
  Key* k = Open(root, key);
  if (!k) return nullptr;
  auto it = k->values.find(FoldCase(name));
  return it == k->values.end() ? nullptr : &it->second;
}

std::optional<std::string> MemoryRegistry::ReadString(Root root, const std::string& key, const std::string& name) {
  const Value* v = Find(root, key, name);
  if (!v || v->kind != ValueKind::String) return std::nullopt;
  return std::string(v->data.begin(), v->data.end());
}

std::optional<uint32_t> MemoryRegistry::ReadDword(Root root, const std::string& key, const std::string& name) {
  const Value* v = Find(root, key, name);
  if (!v || v->kind != ValueKind::Dword || v->data.size() != 4) return std::nullopt;
  return uint32_t(v->data[0]) | uint32_t(v->data[1]) << 8 | uint32_t(v->data[2]) << 16 | uint32_t(v->data[3]) << 24;
}

std::optional<std::vector<uint8_t>> MemoryRegistry::ReadBinary(Root root, const std::string& key, const std::string& name) {
  const Value* v = Find(root, key, name);
  if (!v || v->kind != ValueKind::Binary) return std::nullopt;
  return v->data;
}

bool MemoryRegistry::Write(Root root, const std::string& key, const std::string& name, ValueKind kind,
                           std::vector<uint8_t> data) {
  Key* k = Open(root, key);
  if (!k) return false;
  Value& v = k->values[FoldCase(name)];
  if (v.name.empty()) v.name = name;
  v.kind = kind;
  v.data = std::move(data);
  return true;
}

bool MemoryRegistry::WriteString(Root root, const std::string& key, const std::string& name, const std::string& value) {
  return Write(root, key, name, ValueKind::String, std::vector<uint8_t>(value.begin(), value.end()));
}

bool MemoryRegistry::WriteDword(Root root, const std::string& key, const std::string& name, uint32_t value) {
  return Write(root, key, name, ValueKind::Dword,
               {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

std::optional<uint64_t> MemoryRegistry::ReadQword(Root root, const std::string& key, const std::string& name) {
  const Value* v = Find(root, key, name);
  if (!v || v->kind != ValueKind::Qword || v->data.size() != 8) return std::nullopt;
  uint64_t r = 0;
  for (int i = 7; i >= 0; --i) r = r << 8 | v->data[i];
  return r;
}

bool MemoryRegistry::WriteQword(Root root, const std::string& key, const std::string& name, uint64_t value) {
  std::vector<uint8_t> data(8);
  for (int i = 0; i < 8; ++i) data[i] = static_cast<uint8_t>(value >> (8 * i));
  return Write(root, key, name, ValueKind::Qword, std::move(data));
}

bool MemoryRegistry::WriteBinary(Root root, const std::string& key, const std::string& name,
                                 const std::vector<uint8_t>& data) {
  return Write(root, key, name, ValueKind::Binary, data);
}

bool MemoryRegistry::DeleteValue(Root root, const std::string& key, const std::string& name) {
  Key* k = Open(root, key);
  return k && k->values.erase(FoldCase(name)) > 0;
}

bool MemoryRegistry::CopyValue(Root root, const std::string& key, const std::string& from, const std::string& to) {
  const Value* v = Find(root, key, from);
  if (!v) return false;
  const Value copy = *v;
  return Write(root, key, to, copy.kind, copy.data);
}

// ---- files ----

namespace {

// The form a path is stored under. As in Win32, trailing dots and spaces of a name are dropped
// ("report.docx." is "report.docx") unless the path begins with "\\?\", which keeps it exact.
std::string CleanPath(const std::string& path) {
  std::string p = path;
  std::replace(p.begin(), p.end(), '/', '\\');
  if (p.rfind("\\\\?\\", 0) == 0) {
    p = p.substr(4);
    if (p.rfind("UNC\\", 0) == 0) p = "\\" + p.substr(3);
  } else {
    std::string wynik, czesc;
    for (size_t i = 0; i <= p.size(); ++i) {
      if (i < p.size() && p[i] != '\\') {
        czesc += p[i];
        continue;
      }
      if (czesc != "." && czesc != "..")
        while (!czesc.empty() && (czesc.back() == '.' || czesc.back() == ' ')) czesc.pop_back();
      wynik += czesc;
      if (i < p.size()) wynik += '\\';
      czesc.clear();
    }
    p = wynik;
  }
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  if (p.size() == 2 && p[1] == ':') p += '\\';
  return p;
}

std::string NormalPath(const std::string& path) { return FoldCase(CleanPath(path)); }

std::string ParentOf(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  size_t k = p.find_last_of('\\');
  if (k == std::string::npos) return "";
  if (k == 2) return p.substr(0, 3);
  return p.substr(0, k);
}

std::string NameOf(const std::string& path) {
  std::string p = path;
  while (p.size() > 3 && p.back() == '\\') p.pop_back();
  size_t k = p.find_last_of('\\');
  return k == std::string::npos ? p : p.substr(k + 1);
}

// Windows wildcard match: '*' any run, '?' one character; "*.*" matches every name.
bool MaskMatches(const std::u32string& mask, size_t mi, const std::u32string& name, size_t ni) {
  while (mi < mask.size()) {
    char32_t m = mask[mi];
    if (m == U'*') {
      while (mi < mask.size() && mask[mi] == U'*') ++mi;
      if (mi == mask.size()) return true;
      for (size_t k = ni; k <= name.size(); ++k)
        if (MaskMatches(mask, mi, name, k)) return true;
      return false;
    }
    if (ni == name.size()) {
      // A trailing ".*" or "." matches a name without extension.
      return mask.substr(mi) == U".*" || mask.substr(mi) == U".";
    }
    if (m != U'?' && m != name[ni]) return false;
    ++mi;
    ++ni;
  }
  return ni == name.size();
}

}  // namespace

MemoryFiles::MemoryFiles() { AddDirectory("C:\\"); }

std::string MemoryFiles::Resolve(const std::string& path) {
  std::string p = NormalPath(path);
  // The first link on the way is replaced by its target, then the walk starts again; a bound
  // stops a loop of links.
  for (int round = 0; round < 32; ++round) {
    bool replaced = false;
    for (size_t pos = 3;;) {
      const size_t k = p.find('\\', pos);
      const size_t end = k == std::string::npos ? p.size() : k;
      if (end > 3) {
        auto it = nodes_.find(p.substr(0, end));
        if (it != nodes_.end() && !it->second.linkTarget.empty()) {
          p = NormalPath(it->second.linkTarget) + p.substr(end);
          replaced = true;
          break;
        }
      }
      if (k == std::string::npos) break;
      pos = k + 1;
    }
    if (!replaced) break;
  }
  return p;
}

MemoryFiles::Node* MemoryFiles::Find(const std::string& path) {
  auto it = nodes_.find(Resolve(path));
  return it == nodes_.end() ? nullptr : &it->second;
}

bool MemoryFiles::ParentExists(const std::string& path) {
  std::string parent = ParentOf(path);
  Node* n = parent.empty() ? nullptr : Find(parent);
  return n && n->directory;
}

bool MemoryFiles::WriteFails(const std::string& path) {
  for (const std::string& f : failingWrites)
    if (NormalPath(f) == NormalPath(path)) return true;
  return false;
}

void MemoryFiles::AddDirectory(const std::string& path) {
  std::string parent = ParentOf(path);
  if (!parent.empty() && NormalPath(parent) != NormalPath(path) && !Find(parent)) AddDirectory(parent);
  Node& n = nodes_[NormalPath(path)];
  if (!n.directory && n.owner.empty()) n.owner = currentUser;
  n.directory = true;
  n.name = NameOf(CleanPath(path));
  n.attributes = kAttrDirectory;
}

void MemoryFiles::AddLink(const std::string& path, const std::string& target, bool reparse, bool opensAsTarget) {
  if (!Find(ParentOf(path))) AddDirectory(ParentOf(path));
  Node* cel = Find(target);
  Node n = cel ? *cel : Node{};
  if (!cel) n.directory = true;
  n.name = NameOf(CleanPath(path));
  n.bytes.clear();
  n.attributes = (n.directory ? static_cast<uint32_t>(kAttrDirectory) : 0u) |
                 (reparse ? static_cast<uint32_t>(kAttrReparsePoint) : 0u);
  n.linkTarget = target;
  n.owner = currentUser;
  n.hardLinks = 0;
  n.opensAsTarget = opensAsTarget;
  nodes_[NormalPath(path)] = n;
}

void MemoryFiles::AddHardLink(const std::string& path, const std::string& existing) {
  Node* n = Find(existing);
  if (!n || n->directory) return;
  if (n->hardLinks == 0) n->hardLinks = nextHardLinkGroup_++;
  Node copy = *n;
  copy.name = NameOf(CleanPath(path));
  if (!Find(ParentOf(path))) AddDirectory(ParentOf(path));
  nodes_[JoinPath(Resolve(ParentOf(path)), FoldCase(NameOf(CleanPath(path))))] = copy;
}

void MemoryFiles::ForEachName(Node& node, const std::function<void(Node&)>& change) {
  if (node.hardLinks == 0) {
    change(node);
    return;
  }
  const int group = node.hardLinks;
  for (auto& [path, other] : nodes_)
    if (other.hardLinks == group) change(other);
}

bool MemoryFiles::SwapForLink(const std::string& path, const std::string& target, bool reparse, bool opensAsTarget) {
  const std::string from = JoinPath(Resolve(ParentOf(path)), FoldCase(NameOf(CleanPath(path))));
  for (const std::string& h : held_)
    if (h == from || h.rfind(from + "\\", 0) == 0) return false;
  std::map<std::string, Node> moved;
  for (auto it = nodes_.begin(); it != nodes_.end();) {
    if (it->first == from || it->first.rfind(from + "\\", 0) == 0) {
      moved[from + "~" + it->first.substr(from.size())] = it->second;
      it = nodes_.erase(it);
    } else {
      ++it;
    }
  }
  for (auto& [p, n] : moved) nodes_[p] = n;
  AddLink(path, target, reparse, opensAsTarget);
  return true;
}

void MemoryFiles::SetOwner(const std::string& path, const std::string& owner) {
  if (Node* n = Find(path)) n->owner = owner;
}

void MemoryFiles::SetOpenElsewhere(const std::string& path, bool open) {
  if (Node* n = Find(path)) n->openElsewhere = open;
}

const AccessList* MemoryFiles::AccessListOf(const std::string& path) const {
  auto it = accessLists_.find(NormalPath(path));
  return it == accessLists_.end() ? nullptr : &it->second;
}

bool MemoryFiles::Held(const std::string& normalPath) const { return held_.count(normalPath) > 0; }

void MemoryFiles::AddFile(const std::string& path, const std::string& bytes, double writeTime, double createTime) {
  if (!Find(ParentOf(path))) AddDirectory(ParentOf(path));
  Node& n = nodes_[NormalPath(path)];
  n = Node{};
  n.owner = currentUser;
  n.directory = false;
  n.name = NameOf(CleanPath(path));
  n.bytes = bytes;
  n.attributes = kAttrArchive;
  n.writeTime = writeTime;
  n.createTime = createTime;
}

bool MemoryFiles::FileExists(const std::string& path) {
  Node* n = Find(path);
  return n && !n->directory;
}

bool MemoryFiles::DirectoryExists(const std::string& path) {
  Node* n = Find(path);
  return n && n->directory;
}

std::optional<std::vector<DirEntry>> MemoryFiles::List(const std::string& dir, const std::string& mask) {
  if (!DirectoryExists(dir)) { lastError = 3; return std::nullopt; }
  std::string prefix = Resolve(dir);
  if (prefix.back() != '\\') prefix += '\\';
  std::u32string m = utf8::Decode(FoldCase(mask));
  std::vector<DirEntry> out;
  for (auto& [path, node] : nodes_) {
    if (path.size() <= prefix.size() || path.rfind(prefix, 0) != 0) continue;
    if (path.find('\\', prefix.size()) != std::string::npos) continue;
    if (!MaskMatches(m, 0, utf8::Decode(FoldCase(node.name)), 0)) continue;
    out.push_back(EntryOf(node));
  }
  return out;
}

std::optional<DirEntry> MemoryFiles::Stat(const std::string& path) {
  Node* n = Find(path);
  // A reparse point answers for itself, as GetFileAttributesEx does; a link of the host file
  // system (no reparse point) is followed, as under Wine.
  auto own = nodes_.find(JoinPath(Resolve(ParentOf(path)), FoldCase(NameOf(CleanPath(path)))));
  if (own != nodes_.end() && (own->second.attributes & kAttrReparsePoint)) n = &own->second;
  if (!n) { lastError = 2; return std::nullopt; }
  return EntryOf(*n);
}

std::optional<std::string> MemoryFiles::ReadFile(const std::string& path) {
  Node* n = Find(path);
  if (!n || n->directory) { lastError = 2; return std::nullopt; }
  for (const std::string& f : failingReads)
    if (NormalPath(f) == NormalPath(path)) { lastError = 32; return std::nullopt; }
  return n->bytes;
}

bool MemoryFiles::WriteFileReplacing(const std::string& path, const std::string& bytes) {
  Node* n = Find(path);
  if (WriteFails(path) || !ParentExists(path) || (n && (n->directory || (n->attributes & kAttrReadOnly)))) {
    lastError = 5;
    return false;
  }
  bool existed = n != nullptr;
  double created = existed ? n->createTime : now;
  AddFile(path, bytes, now, created);
  return true;
}

bool MemoryFiles::AppendFile(const std::string& path, const std::string& bytes) {
  Node* n = Find(path);
  if (WriteFails(path) || !ParentExists(path) || (n && (n->directory || (n->attributes & kAttrReadOnly)))) {
    lastError = 5;
    return false;
  }
  if (!n) {
    AddFile(path, bytes, now, now);
  } else {
    // In place: every name of the file sees it.
    ForEachName(*n, [&](Node& x) {
      x.bytes += bytes;
      x.writeTime = now;
    });
  }
  return true;
}

bool MemoryFiles::DeleteFile(const std::string& path) {
  Node* n = Find(path);
  if (!n || n->directory) { lastError = 2; return false; }
  if ((n->attributes & kAttrReadOnly) || WriteFails(path)) { lastError = 5; return false; }
  nodes_.erase(Resolve(path));
  return true;
}

std::optional<std::string> MemoryFiles::FinalPath(const std::string& path) {
  if (!Find(path)) { lastError = 2; return std::nullopt; }
  return Resolve(path);
}

bool MemoryFiles::DeleteFileInside(const std::string& path, const std::string& folderFinalPath) {
  // The file's own name is not followed: a link there is checked (and refused) as itself.
  const std::string parent = Resolve(ParentOf(path));
  const std::string own = JoinPath(parent, FoldCase(NameOf(CleanPath(path))));
  auto it = nodes_.find(own);
  if (it == nodes_.end()) { lastError = 2; return false; }
  std::string folder = NormalPath(folderFinalPath);
  if (folder.back() != '\\') folder += '\\';
  if (it->second.directory || !it->second.linkTarget.empty() || own.rfind(folder, 0) != 0) { lastError = 5; return false; }
  if ((it->second.attributes & kAttrReadOnly) || WriteFails(path)) { lastError = 5; return false; }
  nodes_.erase(it);
  return true;
}

bool MemoryFiles::MoveReplacing(const std::string& from, const std::string& to) {
  Node* src = Find(from);
  if (!src || src->directory) { lastError = 2; return false; }
  Node* dst = Find(to);
  if (WriteFails(to) || !ParentExists(to) || (dst && (dst->directory || (dst->attributes & kAttrReadOnly)))) {
    lastError = 5;
    return false;
  }
  Node moved = *src;
  nodes_.erase(Resolve(from));
  moved.name = NameOf(CleanPath(to));
  nodes_[NormalPath(to)] = moved;
  return true;
}

bool MemoryFiles::CopyFile(const std::string& from, const std::string& to, bool overwrite) {
  Node* src = Find(from);
  if (!src || src->directory) { lastError = 2; return false; }
  Node* dst = Find(to);
  if (dst && !overwrite) { lastError = 80; return false; }
  if (WriteFails(to) || !ParentExists(to) || (dst && (dst->directory || (dst->attributes & kAttrReadOnly)))) {
    lastError = 5;
    return false;
  }
  // Replaced, not written into: another name of the old target keeps its content.
  Node copy = *src;
  copy.name = NameOf(CleanPath(to));
  copy.hardLinks = 0;
  copy.owner = currentUser;
  copy.openElsewhere = false;
  nodes_[NormalPath(to)] = copy;
  return true;
}

bool MemoryFiles::CreateDirectory(const std::string& path) {
  if (Find(path) || !ParentExists(path)) { lastError = 183; return false; }
  AddDirectory(path);
  return true;
}

bool MemoryFiles::RemoveDirectory(const std::string& path) {
  Node* n = Find(path);
  if (!n || !n->directory) { lastError = 2; return false; }
  std::string prefix = NormalPath(path) + "\\";
  for (auto& [p, node] : nodes_)
    if (p.rfind(prefix, 0) == 0) { lastError = 145; return false; }
  if (Held(NormalPath(path))) { lastError = 32; return false; }
  nodes_.erase(NormalPath(path));
  return true;
}

bool MemoryFiles::SetAttributes(const std::string& path, uint32_t attributes) {
  Node* n = Find(path);
  if (!n) { lastError = 2; return false; }
  // Attributes belong to the file, so every name of it changes.
  ForEachName(*n, [&](Node& x) { x.attributes = attributes | (x.directory ? static_cast<uint32_t>(kAttrDirectory) : 0u); });
  return true;
}

DriveKind MemoryFiles::DriveType(char letter) {
  auto it = drives.find(static_cast<char>(toupper(static_cast<unsigned char>(letter))));
  return it == drives.end() ? DriveKind::NoRoot : it->second;
}

std::optional<uint64_t> MemoryFiles::FreeBytes(char letter) {
  auto it = freeBytes.find(static_cast<char>(toupper(static_cast<unsigned char>(letter))));
  if (it == freeBytes.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> MemoryFiles::ShortPath(const std::string& path) {
  if (!Find(path)) { lastError = 2; return std::nullopt; }
  return path;
}

// ---- confinement ----

class MemoryHeldFolder : public HeldFolder {
 public:
  MemoryHeldFolder(MemoryFiles& files, std::string key, std::string final)
      : files_(files), key_(std::move(key)), final_(std::move(final)) {
    files_.held_.insert(key_);
  }
  ~MemoryHeldFolder() override { files_.held_.erase(files_.held_.find(key_)); }
  const std::string& FinalPath() const override { return final_; }

 private:
  MemoryFiles& files_;
  std::string key_, final_;
};

std::unique_ptr<HeldFolder> MemoryFiles::HoldFolder(const std::string& path) {
  // The name itself is not followed: a link reported as a reparse point is refused; a link of the
  // host file system (no reparse point) is followed, as under Wine, and shows in the final path.
  const std::string own = JoinPath(Resolve(ParentOf(path)), FoldCase(NameOf(NormalPath(path))));
  auto it = nodes_.find(NormalPath(path).size() == 3 ? NormalPath(path) : own);
  if (it == nodes_.end()) { lastError = 2; return nullptr; }
  if ((it->second.attributes & kAttrReparsePoint) && !it->second.opensAsTarget) { lastError = 5; return nullptr; }
  const std::string final = Resolve(path);
  auto target = nodes_.find(final);
  if (target == nodes_.end() || !target->second.directory) { lastError = 267; return nullptr; }
  return std::make_unique<MemoryHeldFolder>(*this, final, final);
}

DeleteOutcome MemoryFiles::DeleteEntry(const std::string& folderFinal, const std::string& name, uint32_t kinds,
                                       const std::function<bool(const DirEntry&)>& decide) {
  if (beforeDelete) beforeDelete(folderFinal, name);
  // The exact name (no trailing dots dropped) under the folder as it is now: a link swapped in on
  // the way is followed, as opening a path follows it, and shows in the final path.
  const std::string expected = JoinPath(NormalPath("\\\\?\\" + folderFinal), FoldCase(name));
  const std::string own = JoinPath(Resolve(folderFinal), FoldCase(name));
  auto it = nodes_.find(own);
  if (name.empty() || name.find('\\') != std::string::npos || it == nodes_.end()) { lastError = 2; return DeleteOutcome::Failed; }
  Node* n = &it->second;
  std::string final = own;
  const bool link = !n->linkTarget.empty() && (n->attributes & kAttrReparsePoint) && !n->opensAsTarget;
  if (!n->linkTarget.empty() && !link) {
    // A host link opens as its target.
    final = Resolve(own);
    auto t = nodes_.find(final);
    if (t == nodes_.end()) { lastError = 2; return DeleteOutcome::Failed; }
    n = &t->second;
  }
  if (final != expected) { lastError = 5; return DeleteOutcome::Refused; }
  const uint32_t kind = link ? kEntryLink : (n->directory ? kEntryFolder : kEntryFile);
  if (!(kinds & kind)) { lastError = 5; return DeleteOutcome::Refused; }
  DirEntry e = EntryOf(*n);
  e.links = 1;
  if (n->hardLinks)
    e.links = static_cast<uint32_t>(std::count_if(nodes_.begin(), nodes_.end(),
                                                  [&](const auto& x) { return x.second.hardLinks == n->hardLinks; }));
  if (decide && !decide(e)) { lastError = 5; return DeleteOutcome::Refused; }
  if (kind == kEntryFolder) {
    for (auto& [p, x] : nodes_)
      if (p.rfind(final + "\\", 0) == 0) { lastError = 145; return DeleteOutcome::Failed; }
    if (Held(final)) { lastError = 32; return DeleteOutcome::Failed; }
  }
  if (kind == kEntryFile && (n->attributes & kAttrReadOnly)) {
    // Clearing the attribute of a file with other names would change theirs too.
    if (!(kinds & kEntryReadOnly) || e.links > 1) { lastError = 5; return DeleteOutcome::Failed; }
  }
  if (WriteFails(final)) { lastError = 5; return DeleteOutcome::Failed; }
  if (n->openElsewhere) return DeleteOutcome::Pending;
  nodes_.erase(final);
  return DeleteOutcome::Deleted;
}

std::optional<std::string> MemoryFiles::LongPath(const std::string& path) {
  if (!Find(path)) { lastError = 2; return std::nullopt; }
  return path;
}

std::optional<std::string> MemoryFiles::KnownFolderPath(KnownFolder folder) {
  auto it = knownFolders.find(folder);
  if (it == knownFolders.end()) { lastError = 2; return std::nullopt; }
  return it->second;
}

FileOwner MemoryFiles::OwnerOf(const std::string& path) {
  Node* n = Find(path);
  if (!n) { lastError = 2; return FileOwner::Unknown; }
  if (n->owner.empty()) return FileOwner::Unknown;
  if (FoldCase(n->owner) == FoldCase(currentUser)) return FileOwner::CurrentUser;
  for (const char* s : {"Administrators", "SYSTEM", "TrustedInstaller"})
    if (FoldCase(n->owner) == FoldCase(s)) return FileOwner::System;
  return FileOwner::OtherUser;
}

bool MemoryFiles::SetAccessList(const std::string& path, const AccessList& list) {
  auto it = nodes_.find(JoinPath(Resolve(ParentOf(path)), FoldCase(NameOf(NormalPath(path)))));
  if (it == nodes_.end()) { lastError = 2; return false; }
  if ((it->second.attributes & kAttrReparsePoint) && !it->second.opensAsTarget) { lastError = 5; return false; }
  if (it->second.opensAsTarget) {
    it = nodes_.find(Resolve(path));
    if (it == nodes_.end()) { lastError = 2; return false; }
  }
  if (list.owner) {
    switch (*list.owner) {
      case Trustee::Administrators: it->second.owner = "Administrators"; break;
      case Trustee::System: it->second.owner = "SYSTEM"; break;
      default: it->second.owner = currentUser; break;
    }
  }
  accessLists_[it->first] = list;
  return true;
}

std::optional<std::string> MemoryFiles::CreatePrivateDirectory(const std::string& parent, const std::string& prefix) {
  Node* p = Find(parent);
  if (!p || !p->directory) { lastError = 3; return std::nullopt; }
  static const char kHex[] = "0123456789abcdef";
  for (int attempt = 0; attempt < 16; ++attempt) {
    std::string name = prefix;
    uint64_t r = random_();
    for (int i = 0; i < 16; ++i, r >>= 4) name += kHex[r & 15];
    const std::string path = JoinPath(parent, name);
    if (Find(path)) continue;
    AddDirectory(path);
    accessLists_[NormalPath(path)] = {Trustee::CurrentUser, {{Trustee::CurrentUser, kRightFull, kInheritFiles | kInheritFolders}}};
    return path;
  }
  lastError = 183;
  return std::nullopt;
}

// ---- dialogs ----

void RecordingDialogs::ErrorDialog(const std::string& place, const std::string& text) {
  shown.push_back({Shown::Error, place, text});
}

OdpowiedzKomunikatu RecordingDialogs::MessageDialog(const std::string& text, RodzajKomunikatu kind, ButtonPage page) {
  shown.push_back({Shown::Message, "", text, kind, page});
  if (!answers.empty()) {
    OdpowiedzKomunikatu a = answers.front();
    answers.pop_front();
    return a;
  }
  return page == ButtonPage::Pytanie ? okTak : okOk;
}

void RecordingDialogs::PlainMessage(const std::string& text) { shown.push_back({Shown::Plain, "", text}); }

std::vector<std::string> RecordingDialogs::Texts() const {
  std::vector<std::string> out;
  for (const Shown& s : shown) out.push_back(s.text);
  return out;
}

// ---- the whole set ----

TestPlatform::TestPlatform() {
  clock.now = datetime::Encode(2026, 3, 2, 10, 0, 0);
  files.now = clock.now;
  previous_ = Install({&registry, &clock, &desktop, &files, &processes, &dialogs});
}

TestPlatform::~TestPlatform() { Install(previous_); }

double MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  return datetime::Encode(year, month, day, hour, minute, second);
}

}  // namespace platform::memory
