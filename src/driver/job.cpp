#include "driver/job.h"

#include "driver/context.h"
#include "driver/script_header.h"
#include "io/text_line.h"
#include "rom/fixed_dump.h"
#include "rom/pointer_dump.h"

namespace quorin {

namespace {

struct Job {
  const char* table_path;
  const char* script_path;
  void (*write_header)(ScriptWriter&);
  void (*dump)(DumpState&);
};

constexpr Job kJobs[] = {
    {kDumpTablePath, kMainScriptPath, write_main_header, dump_pointer_banks},
    {kIntroTablePath, kIntroScriptPath, write_intro_header, dump_fixed_blocks},
};

}  // namespace

int report_fatal(ByteSink& errors, const char* message) {
  TextLine line{};
  line_text(line, message);
  // Nothing is left to report a failing error stream to; the status still tells.
  (void)send_line(errors, line);
  return kExitFailure;
}

namespace {

void report_unreadable_table(DumpContext& ctx, const char* path) {
  TextLine line{};
  line_text(line, "\nTable file not found: ");
  line_text(line, path);
  (void)send_line(*ctx.console, line);
}

}  // namespace

void load_table(DumpContext& ctx, Workspace& workspace, const char* path) {
  ByteSource* source = workspace.open_table(path);
  long got = source != nullptr ? source->read(ctx.read_buffer, kReadBufferSize) : -1;
  if (got < 0) {
    if (source != nullptr) workspace.close_table();
    report_unreadable_table(ctx, path);
    return;
  }
  // Only a table that can be read replaces the one in force.
  table_load_begin(ctx.loader, ctx.table);
  while (got > 0) {
    table_load_feed(ctx.loader, ctx.read_buffer, static_cast<size_t>(got));
    got = source->read(ctx.read_buffer, kReadBufferSize);
  }
  if (got < 0) {
    // The table is already replaced: it keeps the whole lines read, not the one cut short.
    report_unreadable_table(ctx, path);
  } else {
    table_load_end(ctx.loader);
  }
  workspace.close_table();
}

int run_dump_text(DumpContext& ctx, Workspace& workspace, ByteSink& errors) {
  for (const Job& job : kJobs) {
    load_table(ctx, workspace, job.table_path);
    ByteSink* sink = workspace.create_script(job.script_path);
    if (sink == nullptr) return report_fatal(errors, kNoTextDirMessage);
    script_begin(ctx.script, *sink);
    job.write_header(ctx.script);
    job.dump(ctx);
    const bool flushed = script_flush(ctx.script);
    const bool closed = workspace.close_script();
    if (!flushed || !closed) return report_fatal(errors, kWriteFailedMessage);
  }
  return kExitSuccess;
}

}  // namespace quorin
