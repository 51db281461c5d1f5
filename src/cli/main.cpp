#include "cli/RunCli.h"
#include "store/StoreAddress.h"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    // The arguments are read from a copy: the ones in argv are what the process list shows.
    const std::vector<std::string> arguments(argv, argv + argc);
    if (voltaryn::store::BlankArgumentPasswords(argc, argv))
        std::cerr << "voltaryn-cli: " << voltaryn::store::kPasswordInArgumentsWarning << '\n';
    std::vector<const char*> copy;
    copy.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        copy.push_back(argument.c_str());
    copy.push_back(nullptr);
    try {
        return voltaryn::cli::RunCli(argc, copy.data());
    } catch (const std::exception& error) {
        // A fault of the program itself: said, rather than ended by std::terminate.
        std::cerr << "voltaryn-cli: internal error: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
}
