#ifndef TOLKMAPS_MODEL_TEXTATLASCREATOR_H
#define TOLKMAPS_MODEL_TEXTATLASCREATOR_H

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "K7D_STR_DFG.h"
#include "StringPairHash.h"
#include "TextAtlasInfo.h"

class K7DataBase;
class K7DataCtg;
class K7DataGroup;
class K7DataIu1;

namespace qiv {

class TextDesign;

// One atlas being made: owner name (the engine), design name and atlas key
// (the quad key, or quad key + "_" + floor for an indoor floor).
using AtlasInFlight = std::tuple<std::string, std::string, std::string>;

// Atlases being made by any text atlas manager, guarded by g_mutexAtlasList.
extern std::vector<AtlasInFlight> g_threadListAtlas;
extern std::mutex g_mutexAtlasList;
// Held while atlases are looked up in or stored into the atlas caches.
extern std::mutex g_mutexAtlasCache;
// Held for each rasterization of one text: the glyph renderer runs on one
// thread at a time.
extern std::mutex g_mutexCreateText;

// Makes the label atlas of one tile (or of one indoor floor of a tile): every
// label text is rasterized into an RGBA plate with the label style its design
// gives for the text's language, the plates are packed into atlas images and
// the atlas is stored in the memory atlas cache of (owner, design). Runs on a
// worker of the text atlas manager; one creator serves one task.
class TextAtlasCreator {
public:
    // Label images of one tile by the label's object id ("oid"), one entry per
    // text of the label in language order (null where a text failed).
    using LabelImages = std::map<uint64_t, std::vector<K7DataIu1*>>;

    // `records` holds the label records ("mag" groups) of a map tile, or the
    // floor groups of an indoor tile; the creator shares its ownership so the
    // records outlive the tile cache entry they were copied from. It may be
    // null for a creator that only rasterizes (createTexture).
    TextAtlasCreator(const std::string& name, const std::string& design, const std::string& key,
                     std::shared_ptr<K7DataGroup> records,
                     const std::map<std::string, std::string>& fontPath);
    TextAtlasCreator(const TextAtlasCreator&) = delete;
    TextAtlasCreator& operator=(const TextAtlasCreator&) = delete;

    // The atlas of a map tile; `languages` names the language of each label
    // text by its position.
    void create(const std::vector<std::string>& languages);
    // The atlas of one indoor floor, stored under the key quad key + "_" + floor.
    void createIndoor(int floor);

    // Rasterizes the texts of the label records into `images`; false when a
    // text that has a style could not be rasterized.
    bool text2image(const std::vector<K7DataBase*>& records, const std::vector<std::string>& languages,
                    LabelImages& images);
    // Rasterizes one text of label `oid` with the style of `category` for
    // `language`. 1 when an image was appended to images[oid], 0 when the
    // label has nothing to show in that language, -1 when rasterizing failed
    // (a null entry is appended then).
    int createText(uint64_t oid, const std::string& text, const std::string& category,
                   const K7D_STR_DFG& displayFlags, uint8_t vertical, uint8_t position,
                   const std::string& language, LabelImages& images);
    // Rasterizes `text` with the label style `decoration` (a style group as
    // TextDecorateDesign::rconvert gives it; its "dtp" is set to the font of
    // `language`) into `image` as 4-channel RGBA. False when the plate is
    // empty. Any thread; rasterizations are serialized.
    bool createTexture(const std::string& text, const std::string& language, K7DataCtg* decoration,
                       K7DataIu1& image);
    // Packs `images` and, unless an atlas is already cached under `key`,
    // stores it; then releases the in-flight entry and destroys the images.
    void createAtlas(LabelImages& images, const StringPair& key, bool success, bool indoor);

    // The language codes of a tile or floor: the texts of the first "ctg"
    // inside `header`, in order.
    static std::vector<std::string> languageCodes(K7DataGroup* header);

private:
    void labelToImages(K7DataGroup& label, const std::string& category,
                       const std::vector<std::string>& languages, LabelImages& images, bool& success);
    const TextDesign* findTextDesign(const std::string& category) const;
    K7DataCtg* makeStyle(const TextDesign& design, const std::string& language, uint8_t vertical,
                         uint8_t position) const;
    void storeAtlas(const StringPair& key, bool indoor, std::vector<_TextAtlasInfo>& infos,
                    std::vector<K7DataIu1*>& atlases) const;
    void releaseInFlight(const std::string& atlasKey) const;
    static void destroyImages(LabelImages& images);

    std::shared_ptr<K7DataGroup> m_records;
    std::string m_design;
    std::string m_key;
    std::map<std::string, std::string> m_fontPath;
    std::string m_name;
};

}  // namespace qiv

#endif
