// Running the real zentrel-cli from a test (check and convert alike), and reading trees back.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace cli_test {

namespace fs = std::filesystem;

inline std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void Write(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Every file below `root`: relative path -> bytes.
inline std::map<std::string, std::string> Tree(const fs::path& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).string()] = ReadAll(entry.path());
  return files;
}

inline std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs zentrel-cli with `args`; its output goes through files beside `scratch`. `prefix` runs it
// through another command (another user: "setpriv ..."). A run that hangs (on a pipe, say) is
// stopped after a minute and fails with status 124, rather than holding the whole test run.
inline CliRun RunCli(const std::vector<std::string>& args, const fs::path& scratch,
                     const std::string& prefix = "") {
  std::string command = "timeout 60 " + prefix + Quote(ZENTREL_CLI_PATH);
  for (const std::string& arg : args) command += " " + Quote(arg);
  const fs::path out = scratch.string() + ".out";
  const fs::path err = scratch.string() + ".err";
  command += " >" + Quote(out.string()) + " 2>" + Quote(err.string());
  CliRun run;
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadAll(out);
  run.err = ReadAll(err);
  fs::remove(out);
  fs::remove(err);
  return run;
}

// `text` with every "@" standing for `root`: test tables name paths before the tree exists.
inline std::string Rooted(std::string text, const fs::path& root) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, root.string());
  return text;
}

// A fresh folder for one test, removed with its content.
class TempTree {
 public:
  TempTree() {
    char pattern[] = "/tmp/zentrel-cli-test-XXXXXX";
    if (::mkdtemp(pattern)) root_ = pattern;
  }
  ~TempTree() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;
  const fs::path& root() const { return root_; }

 private:
  fs::path root_;
};

}  // namespace cli_test
