#ifndef TOLKMAPS_SERVICE_HTTPDATE_H
#define TOLKMAPS_SERVICE_HTTPDATE_H

#include <ctime>
#include <string>

// The HTTP date form "Sun, 06 Nov 1994 08:49:37 GMT", independent of the locale.
class HttpDate {
public:
    static std::string format(time_t time);
};

#endif
