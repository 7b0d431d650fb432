#include "driver/command_line.h"

#include <cstdio>
#include <cstring>

#include "driver/context.h"
#include "driver/file_workspace.h"
#include "driver/job.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace quorin {

namespace {

// Console streams pass bytes unchanged, so every line break stays the CR LF the tool writes.
void use_binary_console() {
#ifdef _WIN32
  (void)_setmode(_fileno(stdout), _O_BINARY);
  (void)_setmode(_fileno(stderr), _O_BINARY);
#endif
}

// Static: the table and the window are far too large for the stack.
DumpContext g_context;

}  // namespace

int run_command_line(int argc, const char* const* argv) {
  use_binary_console();
  FileSink console(stdout, true);
  FileSink errors(stderr, true);
  if (argc < 2) return report_fatal(errors, kNoRomArgsMessage);
  std::FILE* rom_file = argc >= 3 ? open_readable_file(argv[2]) : nullptr;
  if (rom_file == nullptr) return report_fatal(errors, kNoRomFileMessage);
  if (std::strcmp(argv[1], kDumpTextKeyword) != 0) {
    (void)std::fclose(rom_file);
    return kExitSuccess;
  }

  FileRom rom(rom_file);
  FileWorkspace workspace;
  g_context.rom = &rom;
  g_context.console = &console;
  const int status = run_dump_text(g_context, workspace, errors);
  // The ROM was only read: closing it cannot lose anything.
  (void)std::fclose(rom_file);
  return status;
}

}  // namespace quorin
