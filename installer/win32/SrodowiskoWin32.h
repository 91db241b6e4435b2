#pragma once
// The installer's system services on Windows: the version library, Program Manager over DDE and
// ini files.
#include "installer/Instal.h"

class TSrodowiskoWin32 : public InstalatorSrodowisko {
 public:
  TSrodowiskoWin32();
  ~TSrodowiskoWin32() override;
  TSrodowiskoWin32(const TSrodowiskoWin32&) = delete;
  TSrodowiskoWin32& operator=(const TSrodowiskoWin32&) = delete;

  std::string KatalogBiezacy() override;
  std::string FileVersion(const std::string& path) override;
  uint32_t WywolajVerInstallFile(uint32_t flags, const std::string& sourceName, const std::string& destName,
                          const std::string& sourceDir, const std::string& destDir,
                          std::string& tempFile) override;
  bool ProgManExecute(const std::string& command, bool wait) override;
  bool ZapiszDoIni(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;

 private:
  unsigned long ddeInstance_ = 0;  // DDEML instance of the two conversations
};
