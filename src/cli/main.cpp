#include "cli/RunCli.h"

#include <cstdlib>
#include <exception>
#include <iostream>

int main(int argc, char* argv[])
{
    try {
        return voltaryn::cli::RunCli(argc, argv);
    } catch (const std::exception& error) {
        // A fault of the program itself: said, rather than ended by std::terminate.
        std::cerr << "voltaryn-cli: internal error: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}
