#include "cli/RunCli.h"

int main(int argc, char* argv[]) { return voltaryn::cli::RunCli(argc, argv); }
