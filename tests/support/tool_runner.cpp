#include "support/tool_runner.h"

#include <sys/wait.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quorin::test {

namespace fs = std::filesystem;

namespace {

std::string quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int shell(const std::string& command) {
  const int raw = std::system(command.c_str());
  if (raw == -1 || !WIFEXITED(raw)) throw std::runtime_error("could not run: " + command);
  return WEXITSTATUS(raw);
}

}  // namespace

ToolDirectory::ToolDirectory() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("quorin-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

ToolDirectory::~ToolDirectory() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void ToolDirectory::write_file(const std::string& relative, const std::string& bytes) const {
  const fs::path target = path_ / relative;
  fs::create_directories(target.parent_path());
  std::ofstream out(target, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("could not write " + target.string());
}

void ToolDirectory::write_file(const std::string& relative,
                               const std::vector<uint8_t>& bytes) const {
  write_file(relative, std::string(bytes.begin(), bytes.end()));
}

std::string ToolDirectory::read_file(const std::string& relative) const {
  std::ifstream in(path_ / relative, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool ToolDirectory::exists(const std::string& relative) const {
  return fs::exists(fs::symlink_status(path_ / relative));
}

ToolRun ToolDirectory::run(const std::vector<std::string>& args) const {
  std::string command = "cd " + quote(path_.string()) + " && " + quote(QUORIN_DUMP_EXE);
  for (const std::string& arg : args)
    command += " " + quote(arg);
  const fs::path out = path_.parent_path() / (path_.filename().string() + ".out");
  const fs::path err = path_.parent_path() / (path_.filename().string() + ".err");
  const fs::path both = path_.parent_path() / (path_.filename().string() + ".both");
  auto slurp = [](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    fs::remove(file);
    return bytes.str();
  };
  // Once with the streams apart, once together to see their order. Scripts are rewritten the
  // same way both times.
  ToolRun result{};
  result.status = shell(command + " >" + quote(out.string()) + " 2>" + quote(err.string()));
  result.out = slurp(out);
  result.err = slurp(err);
  const int again = shell(command + " >" + quote(both.string()) + " 2>&1");
  result.console = slurp(both);
  if (again != result.status) throw std::runtime_error("the two runs ended differently");
  return result;
}

}  // namespace quorin::test
