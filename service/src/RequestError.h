#ifndef TOLKMAPS_SERVICE_REQUESTERROR_H
#define TOLKMAPS_SERVICE_REQUESTERROR_H

#include <stdexcept>
#include <string>

// A request the service refuses: the HTTP status to answer and why.
class RequestError : public std::runtime_error {
public:
    RequestError(int status, const std::string& reason) : std::runtime_error(reason), m_status(status) {}
    int status() const { return m_status; }

private:
    int m_status;
};

#endif
