// The lumora-book commands. Each writes its results to `out`, its complaints
// to `err`, and returns the process exit status (0 success, 1 problems found,
// 2 wrong use).
#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

int CheckCommand(const std::filesystem::path& bookDir, std::ostream& out, std::ostream& err);
int PackCommand(const std::filesystem::path& bookDir, const std::filesystem::path& outDir,
                std::ostream& out, std::ostream& err);
// month 0: every month; day 0: every day of the month.
int DumpCommand(const std::filesystem::path& containerDir, int month, int day, std::ostream& out,
                std::ostream& err);
// An empty `date` means today.
int DateCommand(const std::string& date, std::ostream& out, std::ostream& err);

// Parses the command line (without the program name) and runs the command.
int RunBookTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
