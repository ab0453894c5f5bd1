// tolkmaps-render: headless map snapshots to PNG through the whole engine.

#include <iostream>
#include <string>
#include <vector>

#include "RenderCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return RenderCommand::run(arguments, std::cout, std::cerr);
}
