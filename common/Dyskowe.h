#pragma once
// Special directories, directory walks, file lists, text-file trimming and disk space.
#include <cstdint>
#include <string>

#include "common/Tekstowe.h"

std::string DajKatalogTemp();
std::string DajKatalogSystem();
std::string DajKatalogWindows();
std::string ListFixedDrives();
void ListRecycledDirs(TStringList& list);
bool ListSubdirs(const std::string& directory, TStringList& list);
bool ListFiles(const std::string& directory, const std::string& mask, TStringList& list);
void ListFilesTree(const std::string& directory, bool recursive, const std::string& mask, TStringList& list);
std::string ParentWithBackslash(const std::string& path);
std::string ShortenPath(const std::string& path, int width);
double FileWriteTime(const std::string& file);
double FileCreateTime(const std::string& file);
int CountLines(const std::string& file);
// Keeps the file's last maxLines lines; the new content replaces the file in one step.
bool TrimTextFileToLastLines(const std::string& file, int maxLines);

// Installer helpers.
bool CreatePath(const std::string& path);
bool CopyFilesFromList(const std::string& sourceDir, const std::string& targetDir, const TStringList& names);
bool DeleteFilesFromList(const std::string& directory, const TStringList& names);
bool DeleteAllFilesInDir(const std::string& directory);
double FreeMBDiscSpace(char driveLetter);

// Text data files: Windows-1250 bytes with CR LF line ends, read into and written from UTF-8 lines.
bool ReadTextLines(const std::string& file, TStringList& lines);
bool WriteTextLines(const std::string& file, const TStringList& lines);
bool AppendTextLine(const std::string& file, const std::string& line);
