// Runs the built tool in a fresh temporary working directory and collects what it did.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quorin::test {

struct ToolRun {
  int status;           // the process exit status as a POSIX caller sees it (0-255)
  std::string out;      // standard output
  std::string err;      // standard error
  std::string console;  // both streams through one pipe, in the order written
};

class ToolDirectory {
 public:
  ToolDirectory();
  ~ToolDirectory();
  ToolDirectory(const ToolDirectory&) = delete;
  ToolDirectory& operator=(const ToolDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // Writes bytes to a file below the directory, creating its parent directories.
  void write_file(const std::string& relative, const std::string& bytes) const;
  void write_file(const std::string& relative, const std::vector<uint8_t>& bytes) const;
  // The bytes of a file below the directory; empty when it does not exist.
  std::string read_file(const std::string& relative) const;
  bool exists(const std::string& relative) const;
  // Runs the tool here with the given arguments (each passed as one word).
  ToolRun run(const std::vector<std::string>& args) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quorin::test
