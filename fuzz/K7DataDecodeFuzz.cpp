// Feeds arbitrary bytes to the bounded record decoder. Whatever it accepts
// must encode to a record that decodes again and encodes to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "K7DataCtg.h"

namespace {

std::string encode(K7DataCtg& root) { return std::string(root.getBinary(), root.getSizeAll()); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    K7DataCtg root;
    if (!root.setBinaryBounded(reinterpret_cast<const char*>(data), size)) return 0;
    const std::string first = encode(root);
    K7DataCtg again;
    if (!again.setBinaryBounded(first.data(), first.size())) std::abort();
    if (encode(again) != first) std::abort();
    return 0;
}
