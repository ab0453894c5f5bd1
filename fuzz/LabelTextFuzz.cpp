// Feeds arbitrary bytes, as label text from a tile, through the label filter
// and onto a plate drawn with the label font. The first byte picks the
// direction, position, spread and rim; the rest (at most 64 bytes, the length
// of a long place name) is the text. The plate must come out with exactly
// width x height RGBA pixels, and a text that fails the filter must come back
// unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "K7DataAdp.h"
#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataAsp.h"
#include "K7DataCnr.h"
#include "K7DataCtg.h"
#include "K7DataDtp.h"
#include "K7DataLnc.h"
#include "K7DataLnw.h"
#include "K7DataMgn.h"
#include "K7DataPyc.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "K7DataVtc.h"
#include "TextDecorate.h"
#include "TextFilter.h"

namespace {

const char* const kLabelFont = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";
constexpr size_t kMaxText = 64;

template <typename Record, typename Value>
void add(K7DataCtg& group, const Value& value) {
    auto* record = new Record();
    record->editContents() = value;
    group.addContents(record);
}

std::unique_ptr<K7DataCtg> styleFor(uint8_t options) {
    auto style = std::make_unique<K7DataCtg>();
    add<K7DataAns>(*style, uint16_t{12});
    add<K7DataAnc>(*style, _K7D_STR_COLOR{0, 0, 0, 255});
    add<K7DataDtp>(*style, std::string(kLabelFont));
    add<K7DataVtc>(*style, static_cast<uint8_t>(options & 1));
    add<K7DataAdp>(*style, static_cast<uint8_t>((options >> 1) & 7));
    add<K7DataPyc>(*style, _K7D_STR_COLOR{255, 255, 255, static_cast<uint8_t>(options & 0x10 ? 255 : 0)});
    auto* margin = new K7DataMgn();
    margin->editContents().x = 3;
    margin->editContents().y = 1;
    style->addContents(margin);
    add<K7DataCnr>(*style, 40.0f);
    add<K7DataLnw>(*style, 1.5f);
    add<K7DataLnc>(*style, _K7D_STR_COLOR{90, 90, 90, 255});
    add<K7DataRmw>(*style, static_cast<uint8_t>((options >> 5) & 1));
    add<K7DataRmc>(*style, _K7D_STR_COLOR{255, 255, 255, 200});
    if (options & 0x40) add<K7DataAsp>(*style, options & 0x80 ? 2.5f : 0.4f);
    return style;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string original(reinterpret_cast<const char*>(data) + 1, std::min(size - 1, kMaxText));

    TextFilter filter;
    filter.setInfo(TEXT_FILTER_CMDN);
    std::string text = original;
    if (!filter.convText(&text) && text != original) std::abort();

    const std::unique_ptr<K7DataCtg> style = styleFor(data[0]);
    TextDecorate plate;
    plate.setInfo(style.get());
    plate.setText(text);
    const std::vector<uint8_t>& pixels = plate.getData();
    if (plate.getWidth() > 0 && plate.getHeight() > 0 &&
        pixels.size() != static_cast<size_t>(plate.getWidth()) * plate.getHeight() * 4) {
        std::abort();
    }
    return 0;
}
