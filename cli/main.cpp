// keldar-cli: the service tool's functions for scripts and terminals.
#include <iostream>
#include <string>
#include <vector>

#include "command.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  keldar::cli::CommandIo io{std::cout, std::cerr, std::cin};
  return keldar::cli::RunCli(args, io);
}
