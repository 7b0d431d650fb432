// The tool's entry point: checks the command line, opens the ROM and runs DUMP_TEXT.
#pragma once

namespace quorin {

inline constexpr char kDumpTextKeyword[] = "DUMP_TEXT";

// Runs the tool on the process's arguments and console; returns the exit status (0 or -1).
int run_command_line(int argc, const char* const* argv);

}  // namespace quorin
