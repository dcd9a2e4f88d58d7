#include "app/runcli.h"

#include <csignal>
#include <iostream>

int main(int argc, char **argv)
{
    // A reader that goes away shows as a write failing with EPIPE, which ends the run quietly; a
    // SIGPIPE would kill the process instead.
    std::signal(SIGPIPE, SIG_IGN);
    return enkin::runCommandLine(argc, argv, std::cout, std::cerr);
}
