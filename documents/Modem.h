#pragma once
// The modem connection log: the system's modem driver is told to log into one file; the log's
// finished connections are added to the work-time archive by their working day and today's are
// totalled for the statistics.
#include <cstdint>
#include <optional>
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

// What the update remembers for the running program: a failed rewrite of a log is reported once.
struct StanDziennikaModemu {
  bool zgloszonoZapis = false;
};
StanDziennikaModemu& StanDziennikaProgramu();

// Reads every distinct log, adds each connection that ended on an earlier working day to the
// archive record of its day (once: the hang-up time of the last one added is remembered, so a
// log that cannot be rewritten is not counted again), rewrites each log with the lines still
// needed (today's connections and a connection still open) and returns today's totals.
// Connections belong to the working day of their start (godzinaPrzelaczenia). A log or archive
// that cannot be read gives totals marked not completed and changes nothing.
ConnectionTotals UaktualnijArchiwumOPolaczeniaModemowe(const std::string& archiwum, double terazDniaPracy,
                                                       int godzinaPrzelaczenia,
                                                       StanDziennikaModemu& stan = StanDziennikaProgramu());

// Cost in złoty of charge units at a price in hundredths of a grosz per three-minute unit.
double KosztPolaczen(int32_t jednostki, int32_t cenaSetneGrosza);
