#ifndef TOLKMAPS_SERVICE_QUERYPARAMS_H
#define TOLKMAPS_SERVICE_QUERYPARAMS_H

#include <map>
#include <string>
#include <vector>

// Reading the decoded query parameters of a request. A parameter that is
// missing or given more often than allowed makes a RequestError (400).
class QueryParams {
public:
    using Params = std::multimap<std::string, std::string>;

    // The parameters of a request target ("/path?a=1&b=%20"), each
    // occurrence kept, names and values percent-decoded ('+' is a blank).
    // Throws RequestError (400) for a broken percent escape.
    static Params parse(const std::string& target);
    // The value of a parameter that must be given exactly once.
    static std::string single(const Params& params, const std::string& name);
    // Every value of a parameter that must be given between 1 and `most` times.
    static std::vector<std::string> several(const Params& params, const std::string& name,
                                            size_t most);
};

#endif
