#include "cli/RunCli.h"

#include <iostream>

int main(int argc, char* argv[]) { return voltaryn::cli::RunCli(argc, argv, std::cout, std::cerr); }
