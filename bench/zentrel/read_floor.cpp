// The floor for "zentrel-cli check": list one folder and open and read the first 1000 bytes of each
// file in it, nothing else. Prints the number of files read. Built a second time with GUESS defined,
// it also guesses each file's encoding: the floor plus the guesser, which shows how much of the
// check's cost is the guess and how much the rest of the engine.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#ifdef GUESS
#include "nkf32/guess.h"
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zentrel_read_floor FOLDER\n");
    return 2;
  }
  DIR* dir = opendir(argv[1]);
  if (dir == nullptr) return 1;
  const std::string prefix = std::string(argv[1]) + "/";
  unsigned char buffer[1000];
  unsigned long files = 0;
  unsigned long checksum = 0;  // keeps the reads from being optimised away
  while (const dirent* entry = readdir(dir)) {
    if (entry->d_name[0] == '.') continue;
    const int fd = open((prefix + entry->d_name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) checksum += buffer[got - 1];
#ifdef GUESS
    checksum += static_cast<unsigned>(
        nkf::GuessEncoding({buffer, static_cast<std::size_t>(got > 0 ? got : 0)}).encoding);
#endif
    close(fd);
    ++files;
  }
  closedir(dir);
  std::printf("%lu files (checksum %lu)\n", files, checksum);
  return 0;
}
