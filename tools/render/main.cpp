// tolkmaps-render: headless map snapshots to PNG through the whole engine.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "RenderCommand.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = RenderCommand::run(arguments, std::cout, std::cerr);
    std::cout.flush();
    std::cerr.flush();
    // The kit's start-up keeps a process-wide worker that may still be
    // downloading the background map; the libraries' exit handlers would
    // tear TLS down under it. Everything of ours is closed by now.
    std::_Exit(status);
}
