#include "support/tool_runner.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <process.h>
#include <windows.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace quorin::test {

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32

// The exit code's low byte: what a POSIX caller (also one that starts the tool under wine) sees.
constexpr DWORD kPosixStatusMask = 0xFF;

int process_id() {
  return _getpid();
}

std::wstring widen(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int wide = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  std::wstring result(static_cast<size_t>(wide), L'\0');
  if (wide == 0 || MultiByteToWideChar(CP_UTF8, 0, text.data(), size, result.data(), wide) != wide)
    throw std::runtime_error("argument is not UTF-8: " + text);
  return result;
}

// One word of a command line as the C runtime splits it back into argv: in quotes, with the
// backslashes before a quote (or before the closing quote) doubled.
std::wstring quote(const std::wstring& word) {
  std::wstring quoted = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : word) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L"\"";
}

// An inheritable handle that the child writes one stream to; closed when it goes.
class ChildFile {
 public:
  ChildFile(const fs::path& file, DWORD access, DWORD creation) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    handle_ = CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                          creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + file.string());
  }
  ChildFile(const ChildFile&) = delete;
  ChildFile& operator=(const ChildFile&) = delete;
  ~ChildFile() { CloseHandle(handle_); }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// Runs the tool in dir with args, its standard output to out and its standard error to err (one
// file, written in order, when both name the same); returns its exit status.
int run_tool(const fs::path& dir, const std::vector<std::string>& args, const fs::path& out,
             const fs::path& err) {
  std::wstring command = quote(fs::absolute(QUORIN_DUMP_EXE).wstring());
  for (const std::string& arg : args)
    command += L" " + quote(widen(arg));
  ChildFile input(L"NUL", GENERIC_READ, OPEN_EXISTING);
  ChildFile output(out, GENERIC_WRITE, CREATE_ALWAYS);
  std::unique_ptr<ChildFile> errors;
  if (err != out) errors = std::make_unique<ChildFile>(err, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input.get();
  startup.hStdOutput = output.get();
  startup.hStdError = errors != nullptr ? errors->get() : output.get();
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      dir.wstring().c_str(), &startup, &process))
    throw std::runtime_error(std::string("could not start ") + QUORIN_DUMP_EXE);
  DWORD code = 0;
  const bool ended = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                     GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (!ended) throw std::runtime_error(std::string("lost track of ") + QUORIN_DUMP_EXE);
  return static_cast<int>(code & kPosixStatusMask);
}

#else

int process_id() {
  return static_cast<int>(::getpid());
}

std::string quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs the tool in dir with args, its standard output to out and its standard error to err (one
// file, written in order, when both name the same); returns its exit status.
int run_tool(const fs::path& dir, const std::vector<std::string>& args, const fs::path& out,
             const fs::path& err) {
  std::string command = "cd " + quote(dir.string()) + " && " + quote(QUORIN_DUMP_EXE);
  for (const std::string& arg : args)
    command += " " + quote(arg);
  command += " >" + quote(out.string());
  command += err == out ? std::string(" 2>&1") : " 2>" + quote(err.string());
  const int raw = std::system(command.c_str());
  if (raw == -1 || !WIFEXITED(raw)) throw std::runtime_error("could not run: " + command);
  return WEXITSTATUS(raw);
}

#endif

}  // namespace

ToolDirectory::ToolDirectory() {
  static std::atomic<int> counter{0};
  path_ = fs::temp_directory_path() /
          ("quorin-test-" + std::to_string(process_id()) + "-" + std::to_string(counter++));
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
  const fs::path out = path_.parent_path() / (path_.filename().string() + ".out");
  const fs::path err = path_.parent_path() / (path_.filename().string() + ".err");
  const fs::path both = path_.parent_path() / (path_.filename().string() + ".both");
  auto slurp = [](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    in.close();
    fs::remove(file);
    return bytes.str();
  };
  // Once with the streams apart, once together to see their order. Scripts are rewritten the
  // same way both times.
  ToolRun result{};
  result.status = run_tool(path_, args, out, err);
  result.out = slurp(out);
  result.err = slurp(err);
  const int again = run_tool(path_, args, both, both);
  result.console = slurp(both);
  if (again != result.status) throw std::runtime_error("the two runs ended differently");
  return result;
}

}  // namespace quorin::test
