#ifndef TOLKMAPS_RENDER_ENGINESTATUSTEXT_H
#define TOLKMAPS_RENDER_ENGINESTATUSTEXT_H

#include <string>

// The engine's status codes in words, for the tool's messages: start-up and
// login results and the frame's "still missing" answer.
class EngineStatusText {
public:
    static std::string describe(int status);
};

#endif
