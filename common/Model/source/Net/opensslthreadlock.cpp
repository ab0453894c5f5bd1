#include "opensslthreadlock.h"

#include <openssl/ssl.h>

#include <mutex>

namespace qiv {

namespace {

std::mutex g_setupMutex;
int g_setupCount = 0;

} // namespace

int thread_setup() {
    std::lock_guard<std::mutex> lock(g_setupMutex);
    if (g_setupCount == 0 && OPENSSL_init_ssl(0, nullptr) != 1) return 0;
    ++g_setupCount;
    return 1;
}

int thread_cleanup() {
    std::lock_guard<std::mutex> lock(g_setupMutex);
    if (g_setupCount == 0) return 0;
    --g_setupCount;
    return 1;
}

} // namespace qiv
