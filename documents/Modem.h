#pragma once
// The modem connection log: the system's modem driver is told to log into one file; the log's
// finished connections are added to the work-time archive by their working day and today's are
// totalled for the statistics.
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "common/Tekstowe.h"
#include "documents/Archiwum.h"

inline constexpr const char* kKluczModemow = "\\System\\CurrentControlSet\\Services\\Class\\Modem";
inline constexpr int32_t kDomyslnaCenaPolaczenia = 2318;  // hundredths of a grosz

// Switches every modem's log on, into "ModemLog.txt" of the Windows folder.
void EnableModemLogging();
// Appends the log path of every modem (duplicates included).
void ListModemLogPaths(TStringList& paths);
// Date and time at the start of a log line ("03-15-1999 14:05:09.31 ..."); nullopt when the
// line does not start with a real date and time.
std::optional<double> ParseModemLogTime(const std::string& line);

// What the update remembers for the running program: a failed rewrite of a log is reported once,
// and so is each log line that carries a marker but no readable time.
struct StanDziennikaModemu {
  bool zgloszonoZapis = false;
  std::set<std::string> zgloszoneLinie;
};
StanDziennikaModemu& StanDziennikaProgramu();

// A connection as the log names it: its start and hang-up times to the second. The update keeps
// the names of the connections it added to the archive while their lines are still in a log (a
// log that cannot be rewritten without administrator rights), so each is counted once.
std::string IdentyfikatorPolaczenia(double start, double koniec);

// Reads every distinct log, adds each connection that began on an earlier working day and was
// not counted before to the archive record of its day, rewrites each log with the lines still
// needed (today's connections, a connection still open, and every marker line whose time cannot
// be read, which is reported once) and returns today's totals. Connections belong to the working
// day of their start (godzinaPrzelaczenia). A log or archive that cannot be read gives totals
// marked not completed and changes nothing.
ConnectionTotals UaktualnijArchiwumOPolaczeniaModemowe(const std::string& archiwum, double terazDniaPracy,
                                                       int godzinaPrzelaczenia,
                                                       StanDziennikaModemu& stan = StanDziennikaProgramu());
// The same reading with nothing written (the archive, the logs and the settings stay as they
// are): today's totals, and in niezapisane the connections the update would add to the archive.
ConnectionTotals CzytajDziennikiModemu(double terazDniaPracy, int godzinaPrzelaczenia,
                                       StanDziennikaModemu& stan = StanDziennikaProgramu());

// Cost in złoty of charge units at a price in hundredths of a grosz per three-minute unit.
double KosztPolaczen(int32_t jednostki, int32_t cenaSetneGrosza);
