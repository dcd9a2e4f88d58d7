#include "app/runcli.h"

#include <csignal>
#include <iostream>

int main(int argc, char **argv)
{
    // A reader that goes away is reported as a failed write, not by a silent death by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    return enkin::runCommandLine(argc, argv, std::cout, std::cerr);
}
