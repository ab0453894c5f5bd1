#ifndef TOLKMAPS_TESTS_GLYPHTESTSUPPORT_H
#define TOLKMAPS_TESTS_GLYPHTESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "K7DataAdp.h"
#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataAsl.h"
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
#include "Log.h"

namespace glyphs {

// The label font as the view layer hands it to the engine (Debian's
// fonts-noto-cjk; face 0 of the collection is the Japanese one).
inline const char* const LABEL_FONT = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";
// A second face with scripts the label font lacks, as a fallback.
inline const char* const FALLBACK_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

inline _K7D_STR_COLOR rgba(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return {r, g, b, a}; }

// A label style group as the text atlas hands it over; every optional record
// is left out unless set.
struct Style {
    std::optional<uint16_t> size = 24;
    std::optional<_K7D_STR_COLOR> color = rgba(10, 20, 30, 255);
    std::optional<std::string> font = std::string(LABEL_FONT);
    std::optional<uint8_t> vertical;
    std::optional<uint8_t> position;
    std::optional<_K7D_STR_COLOR> plate;
    std::optional<std::pair<uint16_t, uint16_t>> margin;
    std::optional<float> radius;
    std::optional<float> lineWidth;
    std::optional<_K7D_STR_COLOR> lineColor;
    std::optional<uint8_t> rimWidth;
    std::optional<_K7D_STR_COLOR> rimColor;
    std::optional<float> spread;
    std::optional<float> limit;

    // A new group owned by the caller.
    K7DataCtg* build() const {
        auto* group = new K7DataCtg();
        add<K7DataAns>(*group, size);
        add<K7DataAnc>(*group, color);
        add<K7DataDtp>(*group, font);
        add<K7DataVtc>(*group, vertical);
        add<K7DataAdp>(*group, position);
        add<K7DataPyc>(*group, plate);
        if (margin) {
            auto* record = new K7DataMgn();
            record->editContents().x = margin->first;
            record->editContents().y = margin->second;
            group->addContents(record);
        }
        add<K7DataCnr>(*group, radius);
        add<K7DataLnw>(*group, lineWidth);
        add<K7DataLnc>(*group, lineColor);
        add<K7DataRmw>(*group, rimWidth);
        add<K7DataRmc>(*group, rimColor);
        add<K7DataAsp>(*group, spread);
        add<K7DataAsl>(*group, limit);
        return group;
    }

private:
    template <typename Record, typename Value>
    static void add(K7DataCtg& group, const std::optional<Value>& value) {
        if (!value) return;
        auto* record = new Record();
        record->editContents() = *value;
        group.addContents(record);
    }
};

// Writes every log line to standard output for one test and hands it back.
class LogCapture : public ::testing::Test {
protected:
    void startCapture() {
        Log::chkConsole = true;
        Log::chkFilterLevel = 1;
        ::testing::internal::CaptureStdout();
        m_capturing = true;
    }
    std::string stopCapture() {
        m_capturing = false;
        return ::testing::internal::GetCapturedStdout();
    }
    void TearDown() override {
        if (m_capturing) stopCapture();
        Log::chkConsole = false;
        Log::chkFilterLevel = 2;
    }

private:
    bool m_capturing = false;
};

}  // namespace glyphs

#endif
