#include "TileBytes.h"

#include "K7DataCtg.h"
#include "K7DataQak.h"

std::string tileBytes(const std::string& quadKey) {
    K7DataCtg tile;
    auto* head = new K7DataCtg();
    auto* key = new K7DataQak();
    key->editContents() = quadKey;
    head->addContents(key);
    tile.addContents(head);
    const char* binary = tile.getBinary();
    return std::string(binary, tile.getSizeAll());
}
