// Measures quorin-dump on the two benchmark ROMs of make_bench_rom and, in the same rounds, `cat`
// moving the same bytes, then prints the medians and their ratios against the targets.
//
// Usage: bench_runner QUORIN_DUMP MAKE_BENCH_ROM WORK_DIR
//
// Every command runs as a child process; its wall time is taken around fork and wait, its peak
// resident memory from the child's rusage. Files a command writes are removed before it runs (not
// timed) and the disk is synced, so every run creates its output anew on a quiet disk.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 5;  // timed runs per command, after one warm-up run
constexpr double kBytesPerMegabyte = 1e6;
constexpr double kKibPerMib = 1024.0;

constexpr double kWorstDiskTarget = 1.5;
constexpr double kWorstNullTarget = 1.5;
constexpr double kRealisticTarget = 2.0;
constexpr double kMemoryTargetMib = 8.0;

const char kScript[] = "text/script.txt";
const char kIntroScript[] = "text/script_intro.txt";
const char kRom[] = "bench.gb";
const char kDumpTable[] = "table/table_dump.txt";
const char kIntroTable[] = "table/table_intro.txt";
const char kCopy[] = "copy.txt";
const char kDevNull[] = "/dev/null";

struct Run {
  double seconds;
  long max_rss_kib;
};

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "bench_runner: %s\n", what.c_str());
  std::exit(1);
}

double now_seconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Runs argv in dir with standard output sent to out_path (created or truncated); fails the
// benchmark unless it exits with 0.
Run run(const std::vector<std::string>& argv, const fs::path& dir, const char* out_path) {
  std::vector<char*> args;
  for (const std::string& a : argv)
    args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const double start = now_seconds();
  const pid_t pid = fork();
  if (pid < 0) fail("fork failed");
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(126);
    const int out = open(out_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) _exit(126);
    close(out);
    execvp(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) fail("wait failed");
  }
  const double seconds = now_seconds() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) fail("command failed: " + argv[0]);
  return {seconds, usage.ru_maxrss};
}

void remove_file(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  if (error) fail("cannot remove " + path.string());
}

// One command measured over the rounds.
struct Series {
  std::vector<Run> runs;
  void add(const Run& r) { runs.push_back(r); }
  double median() const {
    std::vector<double> t;
    for (const Run& r : runs)
      t.push_back(r.seconds);
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
  }
  double peak_mib() const {
    long peak = 0;
    for (const Run& r : runs)
      peak = std::max(peak, r.max_rss_kib);
    return static_cast<double>(peak) / kKibPerMib;
  }
};

// Lays out dir as the tool's working directory for one kind of benchmark ROM.
void prepare(const fs::path& dir, const std::string& maker, const char* kind) {
  std::error_code error;
  fs::remove_all(dir, error);
  fs::create_directories(dir / "table");
  fs::create_directories(dir / "text");
  const fs::path rom = dir / kRom;
  const fs::path table = dir / kDumpTable;
  run({maker, kind, rom.string(), table.string()}, dir, kDevNull);
  fs::copy_file(table, dir / kIntroTable, fs::copy_options::overwrite_existing);
}

uintmax_t size_of(const fs::path& path) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  if (error) fail("cannot read the size of " + path.string());
  return size;
}

void print_time(const char* label, const Series& s, uintmax_t bytes) {
  const double t = s.median();
  std::printf("  %-36s %10.2f ms %10.0f MB/s   peak RSS %5.2f MiB\n", label, t * 1e3,
              static_cast<double>(bytes) / kBytesPerMegabyte / t, s.peak_mib());
}

// Other work on the machine skews the figures, the short realistic run most.
void print_load() {
  std::FILE* file = std::fopen("/proc/loadavg", "r");
  if (file == nullptr) return;
  double one_minute = 0;
  if (std::fscanf(file, "%lf", &one_minute) == 1)
    std::printf("(load average over the last minute: %.2f on %ld cores)\n", one_minute,
                sysconf(_SC_NPROCESSORS_ONLN));
  std::fclose(file);
}

int g_missed = 0;

void print_ratio(const char* label, const Series& tool, const Series& reference, double target) {
  const double ratio = tool.median() / reference.median();
  const bool met = ratio <= target;
  if (!met) ++g_missed;
  std::printf("  %-36s %10.2fx   target <= %.1fx: %s\n", label, ratio, target,
              met ? "met" : "MISSED");
}

void print_memory(const Series& tool) {
  const bool met = tool.peak_mib() <= kMemoryTargetMib;
  if (!met) ++g_missed;
  std::printf("  %-36s %8.2f MiB   target <= %.0f MiB: %s\n", "quorin-dump peak resident memory",
              tool.peak_mib(), kMemoryTargetMib, met ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_runner QUORIN_DUMP MAKE_BENCH_ROM WORK_DIR\n");
    return 2;
  }
  const std::string tool = fs::absolute(argv[1]).string();
  const std::string maker = fs::absolute(argv[2]).string();
  const fs::path work = fs::absolute(argv[3]);
  const std::vector<std::string> dump = {tool, "DUMP_TEXT", kRom};

  const fs::path realistic = work / "realistic";
  const fs::path worst = work / "worst";
  const fs::path worst_null = work / "worst-null";
  prepare(realistic, maker, "realistic");
  prepare(worst, maker, "worst");
  prepare(worst_null, maker, "worst");
  fs::create_symlink(kDevNull, worst_null / kScript);

  Series real_tool, real_cat, disk_tool, disk_cat, null_tool, null_cat;
  uintmax_t real_bytes = 0, worst_bytes = 0;
  for (int round = 0; round <= kRuns; ++round) {
    const bool timed = round > 0;

    remove_file(realistic / kScript);
    remove_file(realistic / kIntroScript);
    sync();
    const Run rt = run(dump, realistic, kDevNull);
    const Run rc = run({"cat", kRom}, realistic, kDevNull);
    const uintmax_t rb = size_of(realistic / kScript);
    if (round > 0 && rb != real_bytes) fail("the realistic script changed size between runs");
    real_bytes = rb;

    remove_file(worst / kScript);
    remove_file(worst / kIntroScript);
    sync();
    const Run dt = run(dump, worst, kDevNull);
    const uintmax_t wb = size_of(worst / kScript);
    if (round > 0 && wb != worst_bytes) fail("the worst-case script changed size between runs");
    worst_bytes = wb;
    remove_file(worst / kCopy);
    sync();
    const Run dc = run({"cat", kScript}, worst, kCopy);
    if (size_of(worst / kCopy) != worst_bytes) fail("cat copied a different number of bytes");

    remove_file(worst_null / kIntroScript);
    const Run nt = run(dump, worst_null, kDevNull);
    const Run nc = run({"cat", kScript}, worst, kDevNull);

    if (timed) {
      real_tool.add(rt);
      real_cat.add(rc);
      disk_tool.add(dt);
      disk_cat.add(dc);
      null_tool.add(nt);
      null_cat.add(nc);
    }
  }
  remove_file(worst / kCopy);

  const uintmax_t rom_bytes = size_of(realistic / kRom);
  std::printf("\nquorin-dump benchmark: median wall time of %d runs each, page cache warm\n",
              kRuns);
  std::printf("(MB = 10^6 bytes; MB/s counts the bytes each command moved)\n");
  print_load();
  std::printf("\n");

  std::printf("Realistic ROM: 3 banks of 800 short strings, %ju bytes of ROM\n", rom_bytes);
  std::printf("  script written: %ju bytes\n", real_bytes);
  print_time("quorin-dump, whole process", real_tool, real_bytes);
  print_time("cat ROM > /dev/null", real_cat, rom_bytes);
  print_ratio("quorin-dump / cat ROM", real_tool, real_cat, kRealisticTarget);
  print_memory(real_tool);

  std::printf("\nWorst case: 3 banks of 2048 pointers, strings running to the window's end\n");
  std::printf("  script written: %ju bytes\n", worst_bytes);
  print_time("quorin-dump, script on disk", disk_tool, worst_bytes);
  print_time("cat script > copy (same disk)", disk_cat, worst_bytes);
  print_ratio("quorin-dump / cat copy", disk_tool, disk_cat, kWorstDiskTarget);
  print_memory(disk_tool);
  print_time("quorin-dump, script -> /dev/null", null_tool, worst_bytes);
  print_time("cat script > /dev/null", null_cat, worst_bytes);
  print_ratio("quorin-dump / cat read", null_tool, null_cat, kWorstNullTarget);
  print_memory(null_tool);

  if (g_missed == 0) {
    std::printf("\nEvery target met.\n");
  } else {
    std::printf("\n%d target(s) missed.\n", g_missed);
  }
  return 0;
}
