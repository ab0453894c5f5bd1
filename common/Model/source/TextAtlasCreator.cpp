#include "TextAtlasCreator.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "AtlasImageCtrl.h"
#include "BaseDesign.h"
#include "CacheController.h"
#include "DesignController.h"
#include "DesignRecord.h"
#include "K7DataAdp.h"
#include "K7DataCtg.h"
#include "K7DataDfg.h"
#include "K7DataDtp.h"
#include "K7DataIu1.h"
#include "K7DataNumber.h"
#include "K7DataText.h"
#include "K7DataVtc.h"
#include "Log.h"
#include "TextDecorate.h"
#include "TextDesign.h"

namespace qiv {

std::vector<AtlasInFlight> g_threadListAtlas;
std::mutex g_mutexAtlasList;
std::mutex g_mutexAtlasCache;
std::mutex g_mutexCreateText;

namespace {

// The display-flag position of a design (1 to 5) names the flag that must be
// set for the label to show; 0 or none shows it always, above 5 never.
bool isDisplayed(const TextDesign& design, const K7D_STR_DFG& flags) {
    const std::optional<uint8_t>& position = design.getDisplayFlagPosition();
    if (!position || *position == 0) return true;
    if (*position > K7D_STR_DFG::COUNT) return false;
    return flags.flag[*position - 1];
}

std::vector<std::string> textsOf(K7DataGroup& texts) {
    std::vector<std::string> result;
    for (K7DataBase* child : texts.getContents()) {
        if (auto* text = dynamic_cast<K7DataText*>(child)) result.push_back(text->getContents());
    }
    return result;
}

}  // namespace

TextAtlasCreator::TextAtlasCreator(const std::string& name, const std::string& design,
                                   const std::string& key, std::shared_ptr<K7DataGroup> records,
                                   const std::map<std::string, std::string>& fontPath)
    : m_records(std::move(records)), m_design(design), m_key(key), m_fontPath(fontPath), m_name(name) {}

void TextAtlasCreator::create(const std::vector<std::string>& languages) {
    LabelImages images;
    bool success = true;
    if (m_records) success = text2image(m_records->getContents(), languages, images);
    createAtlas(images, {m_design, m_key}, success, false);
}

void TextAtlasCreator::createIndoor(int floor) {
    LabelImages images;
    bool success = true;
    if (m_records) {
        for (K7DataBase* child : m_records->getContents()) {
            auto* group = dynamic_cast<K7DataGroup*>(child);
            K7DataGroup* labels = group ? DesignRecord::child(*group, 2) : nullptr;
            if (!labels) continue;
            const std::vector<std::string> languages = languageCodes(DesignRecord::child(*group, 0));
            success = text2image(labels->getContents(), languages, images) && success;
        }
    }
    createAtlas(images, {m_design, m_key + "_" + std::to_string(floor)}, success, true);
}

std::vector<std::string> TextAtlasCreator::languageCodes(K7DataGroup* header) {
    K7DataGroup* codes = header ? DesignRecord::firstCategory(*header) : nullptr;
    return codes ? textsOf(*codes) : std::vector<std::string>();
}

bool TextAtlasCreator::text2image(const std::vector<K7DataBase*>& records,
                                  const std::vector<std::string>& languages, LabelImages& images) {
    bool success = true;
    for (K7DataBase* record : records) {
        auto* group = dynamic_cast<K7DataGroup*>(record);
        if (!group || group->getType() != "mag" || group->getContents().size() < 2) continue;
        K7DataGroup* labels = DesignRecord::firstCategory(*group);
        const auto category = DesignRecord::value<K7DataText>(*group, "dcn");
        if (!labels || !category) continue;
        for (K7DataBase* child : labels->getContents()) {
            if (auto* label = dynamic_cast<K7DataGroup*>(child)) {
                labelToImages(*label, *category, languages, images, success);
            }
        }
    }
    return success;
}

void TextAtlasCreator::labelToImages(K7DataGroup& label, const std::string& category,
                                     const std::vector<std::string>& languages, LabelImages& images,
                                     bool& success) {
    const auto oid = DesignRecord::value<K7DataNumber<uint64_t>>(label, "oid");
    const auto flags = DesignRecord::value<K7DataSimple<K7D_STR_DFG>>(label, "dfg");
    const auto vertical = DesignRecord::value<K7DataNumber<uint8_t>>(label, "vtc");
    const auto position = DesignRecord::value<K7DataNumber<uint8_t>>(label, "adp");
    K7DataGroup* textGroup = DesignRecord::firstCategory(label);
    if (!oid || !flags || !vertical || !position || !textGroup) return;

    std::vector<std::string> texts = textsOf(*textGroup);
    std::vector<std::string> textLanguages = languages;
    if (texts.empty()) {
        const auto sat = DesignRecord::value<K7DataText>(label, "sat");
        if (!sat) return;
        texts = {*sat};
        textLanguages = {TextDecorateDesign::DEFAULT_LANGUAGE};
    }
    const size_t count = std::min(texts.size(), textLanguages.size());
    for (size_t j = 0; j < count; ++j) {
        if (createText(*oid, texts[j], category, *flags, *vertical, *position, textLanguages[j], images) < 0) {
            success = false;
        }
    }
}

int TextAtlasCreator::createText(uint64_t oid, const std::string& text, const std::string& category,
                                 const K7D_STR_DFG& displayFlags, uint8_t vertical, uint8_t position,
                                 const std::string& language, LabelImages& images) {
    if (text.empty()) return 0;
    const TextDesign* design = findTextDesign(category);
    if (!design || !isDisplayed(*design, displayFlags)) return 0;
    if (!design->findDecoration(language) || m_fontPath.count(language) == 0) return 0;

    std::unique_ptr<K7DataCtg> style(makeStyle(*design, language, vertical, position));
    auto image = std::make_unique<K7DataIu1>();
    if (createTexture(text, language, style.get(), *image)) {
        images[oid].push_back(image.release());
        return 1;
    }
    K7D_LOG_WARNING("Label text could not be rasterized. oid:", oid, "text:", text);
    images[oid].push_back(nullptr);
    return -1;
}

const TextDesign* TextAtlasCreator::findTextDesign(const std::string& category) const {
    const auto level = static_cast<uint8_t>(std::min<size_t>(m_key.size(), std::numeric_limits<uint8_t>::max()));
    for (BaseDesign* design : DesignController::getDesign(m_design, level, category)) {
        if (design->getType() == BaseDesign::TEXT) return static_cast<const TextDesign*>(design);
    }
    return nullptr;
}

K7DataCtg* TextAtlasCreator::makeStyle(const TextDesign& design, const std::string& language,
                                       uint8_t vertical, uint8_t position) const {
    K7DataCtg* style = design.findDecoration(language)->rconvert();
    if (style->getContents("vtc").empty()) {
        auto* record = new K7DataVtc();
        record->editContents() = vertical;
        style->addContents(record);
    }
    if (style->getContents("adp").empty()) {
        auto* record = new K7DataAdp();
        record->editContents() = position;
        style->addContents(record);
    }
    return style;
}

bool TextAtlasCreator::createTexture(const std::string& text, const std::string& language,
                                     K7DataCtg* decoration, K7DataIu1& image) {
    const auto font = m_fontPath.find(language);
    if (!decoration || font == m_fontPath.end()) return false;
    if (auto* path = DesignRecord::first<K7DataText>(*decoration, "dtp")) {
        path->editContents() = font->second;
    } else {
        auto* record = new K7DataDtp();
        record->editContents() = font->second;
        decoration->addContents(record);
    }

    std::lock_guard<std::mutex> lock(g_mutexCreateText);
    TextDecorate decorate;
    decorate.setInfo(decoration);
    decorate.setText(text);
    const int width = decorate.getWidth();
    const int height = decorate.getHeight();
    constexpr int largest = std::numeric_limits<uint16_t>::max();
    if (width <= 0 || height <= 0 || width > largest || height > largest) return false;
    K7D_STR_IMPIXEL<uint8_t>& pixels = image.editContents();
    pixels.samplesPerPixel = 4;
    pixels.width = static_cast<uint16_t>(width);
    pixels.height = static_cast<uint16_t>(height);
    pixels.samples = decorate.getData();
    return pixels.samples.size() >= pixels.expectedSamples();
}

void TextAtlasCreator::createAtlas(LabelImages& images, const StringPair& key, bool success, bool indoor) {
    std::vector<_TextAtlasInfo> infos;
    std::vector<K7DataIu1*> atlases;
    AtlasImageCtrl packer;
    packer.makeAtlas(images, infos, atlases);
    // A text that failed fails again on every try: the atlas is stored with
    // the texts that did rasterize, so the tile's other labels still show
    // and the tile is not left in flight for good.
    if (!success) K7D_LOG_WARNING("Atlas stored without the label texts that failed. key:", key.second);
    storeAtlas(key, indoor, infos, atlases);
    releaseInFlight(key.second);
    for (K7DataIu1* atlas : atlases) delete atlas;
    destroyImages(images);
}

void TextAtlasCreator::storeAtlas(const StringPair& key, bool indoor, std::vector<_TextAtlasInfo>& infos,
                                  std::vector<K7DataIu1*>& atlases) const {
    std::vector<K7D_STR_IMPIXEL<uint8_t>> pixels;
    pixels.reserve(atlases.size());
    for (K7DataIu1* atlas : atlases) pixels.push_back(std::move(atlas->editContents()));

    std::lock_guard<std::mutex> lock(g_mutexAtlasCache);
    if (indoor) {
        if (!CacheController::existAtlasIndoor(key)) CacheController::putMemoryAtlasIndoor(key, &infos, &pixels);
    } else if (!CacheController::existAtlas(m_name, m_design, key)) {
        CacheController::putMemoryAtlas(m_name, m_design, key, &infos, &pixels);
    }
}

void TextAtlasCreator::releaseInFlight(const std::string& atlasKey) const {
    const AtlasInFlight entry{m_name, m_design, atlasKey};
    std::lock_guard<std::mutex> lock(g_mutexAtlasList);
    g_threadListAtlas.erase(std::remove(g_threadListAtlas.begin(), g_threadListAtlas.end(), entry),
                            g_threadListAtlas.end());
}

void TextAtlasCreator::destroyImages(LabelImages& images) {
    for (auto& [oid, list] : images) {
        for (K7DataIu1* image : list) delete image;
    }
    images.clear();
}

}  // namespace qiv
