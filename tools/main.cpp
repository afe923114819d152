// lumora-book: packs the book's source into the lesson containers, checks
// it, dumps containers back as source and shows the lesson key of a date.
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    return RunBookTool(args, std::cout, std::cerr);
}
