// The job sequence of DUMP_TEXT: the pointer-table script, then the intro script. The working
// directory is reached through a Workspace, so the whole job also runs in memory.
#pragma once

#include "io/byte_io.h"

namespace quorin {

struct DumpContext;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = -1;

inline constexpr char kDumpTablePath[] = "table//table_dump.txt";
inline constexpr char kIntroTablePath[] = "table//table_intro.txt";
inline constexpr char kMainScriptPath[] = "text//script.txt";
inline constexpr char kIntroScriptPath[] = "text//script_intro.txt";

inline constexpr char kNoRomArgsMessage[] = "ERROR - no ROM args\n";
inline constexpr char kNoRomFileMessage[] = "ERROR - no ROM file\n";
inline constexpr char kNoTextDirMessage[] = "ERROR - no TEXT dir\n";
inline constexpr char kWriteFailedMessage[] = "ERROR - TEXT write failed\n";

// The files of the working directory: table files in, scripts out. One of each open at a time.
class Workspace {
 public:
  virtual ~Workspace() = default;
  // Opens the table file at path for reading; nullptr when it cannot be opened.
  virtual ByteSource* open_table(const char* path) = 0;
  // Closes the table file opened last.
  virtual void close_table() = 0;
  // Creates or truncates the script at path; nullptr when it cannot be created.
  virtual ByteSink* create_script(const char* path) = 0;
  // Closes the script created last; false when its bytes could not all be written out.
  virtual bool close_script() = 0;
};

// Replaces the character table with the table file at path. A file that cannot be opened or read
// leaves the table as it was and shows "\nTable file not found: <path>" on the console; a read
// error after the first block shows the same, and the table keeps the whole lines read before it.
void load_table(DumpContext& ctx, Workspace& workspace, const char* path);

// Runs both jobs; ctx.rom and ctx.console must be set. Fatal errors go to `errors`. Returns the
// exit status: 0, or -1 when a script cannot be created or written.
int run_dump_text(DumpContext& ctx, Workspace& workspace, ByteSink& errors);

// Writes a fatal error message and returns the failure status.
int report_fatal(ByteSink& errors, const char* message);

}  // namespace quorin
