#include "IconAtlas.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "K7DataCtg.h"
#include "K7DataIcn.h"
#include "K7DataIml.h"
#include "K7DataIu1.h"
#include "Log.h"

bool IconAtlas::pack(const std::vector<IconImage>& images) {
    m_side = 0;
    m_placements.clear();
    m_pixels.clear();
    std::map<uint16_t, const IconImage*> byNumber;
    for (const IconImage& image : images) {
        if (!byNumber.emplace(image.getNumber(), &image).second) {
            K7D_LOG_WARNING("icon number given twice, first image kept:", image.getNumber());
        }
    }
    std::vector<const IconImage*> ordered;
    for (const auto& entry : byNumber) ordered.push_back(entry.second);
    std::vector<const IconImage*> byHeight = ordered;
    std::stable_sort(byHeight.begin(), byHeight.end(), [](const IconImage* a, const IconImage* b) {
        return a->getHeight() > b->getHeight();
    });
    for (uint32_t side = MIN_SIDE; side <= IconImage::MAX_SIDE; side *= 2) {
        if (place(byHeight, static_cast<uint16_t>(side))) {
            paint(ordered);
            return true;
        }
    }
    K7D_LOG_ERROR("icons do not fit one atlas:", ordered.size());
    m_placements.clear();
    return false;
}

bool IconAtlas::place(const std::vector<const IconImage*>& byHeight, uint16_t side) {
    m_placements.clear();
    uint32_t x = PADDING;
    uint32_t y = PADDING;
    uint32_t shelfHeight = 0;
    for (const IconImage* image : byHeight) {
        if (x + image->getWidth() + PADDING > side) {
            y += shelfHeight + PADDING;
            x = PADDING;
            shelfHeight = 0;
        }
        if (x + image->getWidth() + PADDING > side || y + image->getHeight() + PADDING > side) return false;
        m_placements.push_back({image->getNumber(), static_cast<uint16_t>(x), static_cast<uint16_t>(y),
                                image->getWidth(), image->getHeight()});
        x += image->getWidth() + PADDING;
        shelfHeight = std::max<uint32_t>(shelfHeight, image->getHeight());
    }
    m_side = side;
    std::sort(m_placements.begin(), m_placements.end(),
              [](const Placement& a, const Placement& b) { return a.number < b.number; });
    return true;
}

void IconAtlas::paint(const std::vector<const IconImage*>& images) {
    m_pixels.assign(static_cast<size_t>(m_side) * m_side * 4, 0);
    for (size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = *images[i];
        const Placement& at = m_placements[i];
        const size_t rowBytes = static_cast<size_t>(image.getWidth()) * 4;
        for (uint16_t row = 0; row < image.getHeight(); ++row) {
            std::memcpy(&m_pixels[((static_cast<size_t>(at.y) + row) * m_side + at.x) * 4],
                        &image.getPixels()[row * rowBytes], rowBytes);
        }
    }
}

K7DataCtg* IconAtlas::makeRecord() const {
    auto* atlas = new K7DataCtg();
    auto* image = new K7DataIu1();
    image->editContents().samplesPerPixel = 4;
    image->editContents().width = m_side;
    image->editContents().height = m_side;
    image->editContents().samples = m_pixels;
    atlas->addContents(image);
    auto* entries = new K7DataCtg();
    for (const Placement& placement : m_placements) {
        auto* entry = new K7DataCtg();
        auto* number = new K7DataIcn();
        number->editContents() = placement.number;
        entry->addContents(number);
        auto* place = new K7DataIml();
        place->editContents() = {placement.x, placement.y, placement.width, placement.height};
        entry->addContents(place);
        entries->addContents(entry);
    }
    atlas->addContents(entries);
    return atlas;
}
