#include "EngineStatusText.h"

std::string EngineStatusText::describe(int status) {
    switch (status) {
        case 0:
            return "status 0: ready";
        case 1:
            return "status 1: the configuration could not be fetched from the configuration host "
                   "or was not accepted, or the account's division or the data versions are "
                   "unknown to the service (is the map service running there, and is the "
                   "certificate authority the right one?)";
        case 2:
            return "status 2: the global data could not be loaded from the service or the cache";
        case 3:
            return "status 3: the login failed (consumer key or secret refused, or the login "
                   "host could not be reached)";
        case 101:
            return "status 101: tiles or label atlases are still missing";
        default:
            return "status " + std::to_string(status) + ": unknown to this tool";
    }
}
