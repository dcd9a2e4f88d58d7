#include "app/runcli.h"

#include <iostream>

int main(int argc, char **argv)
{
    return enkin::runCommandLine(argc, argv, std::cout, std::cerr);
}
