#include "documents/OrganizatorDokumentow.h"

#include "platform/Platform.h"

int TOrganizatorDokumentow::Add(const DocumentRecord& r) {
  rekordy_.push_back(r);
  return static_cast<int>(rekordy_.size()) - 1;
}

void TOrganizatorDokumentow::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Delete");
  rekordy_.erase(rekordy_.begin() + index);
}

DocumentRecord TOrganizatorDokumentow::Get(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Get");
  return rekordy_[index];
}

void TOrganizatorDokumentow::Put(int index, const DocumentRecord& r) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Put");
  rekordy_[index] = r;
}

int TOrganizatorDokumentow::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < rekordy_.size(); ++i)
    if (rekordy_[i].Name == name) return static_cast<int>(i);
  return -1;
}

void TOrganizatorDokumentow::SaveToFile(const std::string& file) const {
  std::string bytes;
  for (const DocumentRecord& r : rekordy_) {
    const std::vector<uint8_t> b = r.ToBytes();
    if (b[0] == 0) continue;  // empty name
    bytes.append(b.begin(), b.end());
  }
  if (!platform::Fs().WriteFileReplacing(file, bytes))
    throw ETArchiwumDokumentList("SaveToFile: Błąd w czasie zapisywania listy!");
}

void TOrganizatorDokumentow::LoadFromFile(const std::string& file) {
  auto& fs = platform::Fs();
  if (!fs.FileExists(file)) throw ETArchiwumDokumentList("LoadFromFile: plik nie istnieje: " + file);
  const auto bytes = fs.ReadFile(file);
  if (!bytes) throw ETArchiwumDokumentList("LoadFromFile: Błąd w czasie wczytywania listy");
  const size_t n = bytes->size() / DocumentRecord::kRozmiar;
  for (size_t i = 0; i < n; ++i) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes->data()) + i * DocumentRecord::kRozmiar;
    rekordy_.push_back(DocumentRecord::FromBytes(std::vector<uint8_t>(p, p + DocumentRecord::kRozmiar)));
  }
  if (bytes->size() % DocumentRecord::kRozmiar != 0)
    throw ETArchiwumDokumentList("LoadFromFile: Błąd w czasie wczytywania listy");
}
