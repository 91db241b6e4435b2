#pragma once
// Text helpers of both programs. Positions are 1-based, lengths count characters (code points).
#include <optional>
#include <string>
#include <vector>

using TStringList = std::vector<std::string>;

std::string IntToStr0b(long long value, int width);
std::string IntToStrSpaces(long long value, int width);
std::string FirstChar(const std::string& s);
std::string LastChar(const std::string& s);
std::string UpperCasePL(const std::string& s);
std::string LowerCasePL(const std::string& s);
bool StartsWith(const std::string& s, const std::string& prefix);
int IndexOfStartingWith(const TStringList& list, const std::string& prefix, bool caseSensitive);
int IndexOfContaining(const std::string& fragment, const TStringList& list);
std::string JoinWithSeparator(const TStringList& list, const std::string& sep);
std::string AfterLastChar(const std::string& s, char c);
std::string TextBetween(const std::string& s, const std::string& open, const std::string& close);
std::string CutBetween(const std::string& s, const std::string& open, const std::string& close);
std::string CopyFromTo(const std::string& s, int from, int to);
std::string RemoveChar(const std::string& s, char c);
std::string ReplaceChar(const std::string& s, char oldChar, char newChar);
std::string UnderscoresToSpaces(const std::string& s);
std::string TabsToSpaces(const std::string& s);
bool ContainsAnyOf(const std::string& s, const std::string& chars);
void DeleteFirstChar(std::string& s);
void DeleteLastChar(std::string& s);
std::string DropLastChars(const std::string& s, int n);
void TrimAtNul(std::string& s);
std::string TrimRightWhite(const std::string& s);
std::string TrimLeftSpaces(const std::string& s);
std::string TrimBoth(const std::string& s);
bool IsNumber(const std::string& s);
bool IsDecimalNumber(const std::string& s);
// A whole decimal number with an optional sign and nothing else but surrounding blanks (spaces,
// tabs), of at most nine characters; none otherwise.
std::optional<long> CalaLiczba(const std::string& tekst);
