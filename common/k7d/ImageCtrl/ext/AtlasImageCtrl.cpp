#include "AtlasImageCtrl.h"

#include <algorithm>

#include "K7DataIu1.h"
#include "Log.h"

namespace {

constexpr uint8_t kRgba = 4;

bool widerFirst(const _SORT_STR_SIZE& a, const _SORT_STR_SIZE& b) {
    return a.w != b.w ? a.w > b.w : a.h > b.h;
}

bool tallerFirst(const _SORT_STR_SIZE& a, const _SORT_STR_SIZE& b) {
    return a.h != b.h ? a.h > b.h : a.w > b.w;
}

// Takes the first entry of `list` that fits into w x h out of the list.
bool takeFitting(std::vector<_SORT_STR_SIZE>& list, uint16_t w, uint16_t h, _SORT_STR_SIZE& entry) {
    const auto fits = [w, h](const _SORT_STR_SIZE& candidate) { return candidate.w <= w && candidate.h <= h; };
    const auto found = std::find_if(list.begin(), list.end(), fits);
    if (found == list.end()) return false;
    entry = *found;
    list.erase(found);
    return true;
}

}  // namespace

void AtlasImageCtrl::makeAtlas(const ImageMap& images, std::vector<_TextAtlasInfo>& infos,
                               std::vector<K7DataIu1*>& atlases) {
    clearWorkingState();
    m_atlasNumber = static_cast<uint16_t>(atlases.size());
    preprocessing(images, infos);
    while (isExistsData()) {
        if (!packOneAtlas(infos, atlases)) break;
    }
    clearWorkingState();
}

void AtlasImageCtrl::preprocessing(const ImageMap& images, std::vector<_TextAtlasInfo>& infos) {
    for (const auto& [key, group] : images) {
        for (size_t index = 0; index < group.size(); ++index) {
            const K7DataIu1* image = group[index];
            if (image == nullptr) continue;
            const auto& contents = image->getContents();
            if (contents.width > MAX_IMAGE_SIDE || contents.height > MAX_IMAGE_SIDE) {
                K7D_LOG_ERROR("Image size beyond 1020.");
                continue;
            }
            if (!isPackable(*image)) {
                K7D_LOG_ERROR("Image is not whole RGBA:", key, index);
                continue;
            }
            _SORT_STR_SIZE entry;
            entry.w = static_cast<uint16_t>(contents.width + 2);
            entry.h = static_cast<uint16_t>(contents.height + 2);
            entry.key = key;
            entry.index = index;
            entry.image = image;
            entry.slot = infos.size();
            infos.emplace_back();
            (entry.w > entry.h ? m_wide : entry.w < entry.h ? m_tall : m_square).push_back(entry);
        }
    }
    std::stable_sort(m_wide.begin(), m_wide.end(), widerFirst);
    std::stable_sort(m_square.begin(), m_square.end(), widerFirst);
    std::stable_sort(m_tall.begin(), m_tall.end(), tallerFirst);
}

bool AtlasImageCtrl::isExistsData() const {
    if (!m_wide.empty() || !m_tall.empty() || !m_square.empty()) return true;
    K7D_LOG_INFO("Not processed Image is not exist.");
    return false;
}

std::vector<_PIXEL_STR_BOX> AtlasImageCtrl::getBlankBox(uint16_t x, uint16_t y, const _SORT_STR_SIZE& entry,
                                                        uint16_t availableW, uint16_t availableH) {
    std::vector<_PIXEL_STR_BOX> boxes;
    const bool tall = entry.w < entry.h;
    if (availableH >= entry.h + 2) {
        const uint16_t width = tall ? availableW : entry.w;
        if (width > 0) {
            boxes.push_back({x, static_cast<uint16_t>(y + entry.h + 1), width,
                             static_cast<uint16_t>(availableH - entry.h - 1)});
        }
    }
    if (availableW >= entry.w + 2) {
        const uint16_t height = tall ? entry.h : availableH;
        if (height >= 1) {
            boxes.push_back({static_cast<uint16_t>(x + entry.w + 1), y,
                             static_cast<uint16_t>(availableW - entry.w - 1), height});
        }
    }
    return boxes;
}

// Places the largest remaining images side by side along the top row, the
// atlas doubling as they arrive, and fills the space each one leaves below
// and to its right with smaller images. False when nothing could be placed.
bool AtlasImageCtrl::packOneAtlas(std::vector<_TextAtlasInfo>& infos, std::vector<K7DataIu1*>& atlases) {
    m_atlasSide = 0;
    m_rows.clear();
    uint16_t column = 0;
    _PIXEL_STR_BOX pending;
    _SORT_STR_SIZE entry;
    bool placed = false;
    while (pickFirst(entry)) {
        if (m_atlasSide == 0) m_atlasSide = 2;
        while (column + entry.w > m_atlasSide || entry.h > m_atlasSide) m_atlasSide *= 2;
        place(entry, column, 0, infos);
        pending.h = static_cast<uint16_t>(m_atlasSide - pending.y);
        putImageData(pending, infos);
        for (const _PIXEL_STR_BOX& box :
             getBlankBox(column, 0, entry, static_cast<uint16_t>(m_atlasSide - column), m_atlasSide)) {
            putImageData(box, infos);
        }
        pending = {0, static_cast<uint16_t>(m_atlasSide + 1), m_atlasSide, 0};
        column = static_cast<uint16_t>(m_atlasSide + 1);
        placed = true;
    }
    if (!placed) {
        K7D_LOG_ERROR("No image fits into a new atlas:", m_atlasNumber);
        return false;
    }
    atlases.push_back(setAtlasPixel());
    ++m_atlasNumber;
    return true;
}

// The first entry of the wide, tall or square list (in that order) that
// still fits to the right of the atlas's content.
bool AtlasImageCtrl::pickFirst(_SORT_STR_SIZE& entry) {
    for (std::vector<_SORT_STR_SIZE>* list : {&m_wide, &m_tall, &m_square}) {
        if (list->empty() || list->front().w + m_atlasSide >= MAX_ATLAS_SIDE) continue;
        entry = list->front();
        list->erase(list->begin());
        return true;
    }
    return false;
}

void AtlasImageCtrl::putImageData(const _PIXEL_STR_BOX& box, std::vector<_TextAtlasInfo>& infos) {
    if (m_wide.empty() && m_tall.empty() && m_square.empty()) return;
    putImageInfo(box, infos);
}

// Places the first image that fits at the box's corner, then fills the
// boxes it leaves free. A box taller than wide prefers tall images.
bool AtlasImageCtrl::putImageInfo(const _PIXEL_STR_BOX& box, std::vector<_TextAtlasInfo>& infos) {
    const bool tallBox = box.w < box.h;
    std::vector<_SORT_STR_SIZE>* first = tallBox ? &m_tall : &m_wide;
    std::vector<_SORT_STR_SIZE>* second = tallBox ? &m_wide : &m_tall;
    _SORT_STR_SIZE entry;
    for (std::vector<_SORT_STR_SIZE>* list : {first, second, &m_square}) {
        if (!takeFitting(*list, box.w, box.h, entry)) continue;
        place(entry, box.x, box.y, infos);
        for (const _PIXEL_STR_BOX& free : getBlankBox(box.x, box.y, entry, box.w, box.h)) {
            putImageData(free, infos);
        }
        return true;
    }
    return false;
}

void AtlasImageCtrl::place(const _SORT_STR_SIZE& entry, uint16_t x, uint16_t y, std::vector<_TextAtlasInfo>& infos) {
    _TextAtlasInfo& info = infos[entry.slot];
    info.key = entry.key;
    info.index = static_cast<uint16_t>(entry.index);
    info.x = x;
    info.y = y;
    info.w = entry.w;
    info.h = entry.h;
    info.atlas = m_atlasNumber;
    putPixelPosInfo(entry, x, y);
    replaceIml(info);
}

// Atlas row y repeats the image's first row, rows y + 1 ... y + n hold the
// image, row y + n + 1 repeats its last row.
void AtlasImageCtrl::putPixelPosInfo(const _SORT_STR_SIZE& entry, uint16_t x, uint16_t y) {
    const uint16_t height = entry.image->getContents().height;
    if (height == 0 || entry.image->getContents().width == 0) return;
    const size_t end = static_cast<size_t>(y) + height + 2;
    if (m_rows.size() < end) m_rows.resize(end);
    m_rows[y].push_back({entry.image, 0, x});
    for (uint16_t row = 0; row < height; ++row) m_rows[y + 1 + row].push_back({entry.image, row, x});
    m_rows[end - 1].push_back({entry.image, static_cast<uint16_t>(height - 1), x});
}

K7DataIu1* AtlasImageCtrl::setAtlasPixel() const {
    auto* atlas = new K7DataIu1();
    auto& pixels = atlas->editContents();
    pixels.samplesPerPixel = kRgba;
    pixels.width = m_atlasSide;
    pixels.height = m_atlasSide;
    pixels.samples.assign(static_cast<size_t>(m_atlasSide) * m_atlasSide * kRgba, 0);
    const size_t rows = std::min(m_rows.size(), static_cast<size_t>(m_atlasSide));
    for (size_t y = 0; y < rows; ++y) {
        for (const _PIXEL_STR_POSINFO& info : m_rows[y]) {
            const auto& image = info.image->getContents();
            if (static_cast<size_t>(info.x) + image.width + 2 > m_atlasSide) continue;
            const uint8_t* source = image.samples.data() + static_cast<size_t>(info.row) * image.width * kRgba;
            uint8_t* target = pixels.samples.data() + (y * m_atlasSide + info.x) * kRgba;
            const size_t rowBytes = static_cast<size_t>(image.width) * kRgba;
            std::copy(source, source + kRgba, target);
            std::copy(source, source + rowBytes, target + kRgba);
            std::copy(source + rowBytes - kRgba, source + rowBytes, target + kRgba + rowBytes);
        }
    }
    return atlas;
}

void AtlasImageCtrl::replaceIml(_TextAtlasInfo& info) {
    info.x = static_cast<uint16_t>(info.x + 1);
    info.y = static_cast<uint16_t>(info.y + 1);
    info.w = static_cast<uint16_t>(info.w - 2);
    info.h = static_cast<uint16_t>(info.h - 2);
}

bool AtlasImageCtrl::isPackable(const K7DataIu1& image) {
    const auto& contents = image.getContents();
    return contents.samplesPerPixel == kRgba && contents.samples.size() >= contents.expectedSamples();
}

void AtlasImageCtrl::clearWorkingState() {
    m_wide.clear();
    m_tall.clear();
    m_square.clear();
    m_rows.clear();
    m_atlasSide = 0;
    m_atlasNumber = 0;
}
