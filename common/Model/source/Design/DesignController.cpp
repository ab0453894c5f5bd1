#include "DesignController.h"

#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "DesignObject.h"
#include "K7DataCtg.h"
#include "K7DataDfn.h"
#include "K7DataPyc.h"
#include "Log.h"
#include "ReadDataDesign.h"

namespace qiv {

std::unordered_map<std::string, DesignObject*> DesignController::m_design;
std::unordered_map<std::string, DesignObject*> DesignController::m_userDesign;
const std::vector<BaseDesign*> DesignController::not_found;

namespace {

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// A set name that stays inside the design directory as a file name.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

void destroyAll(std::unordered_map<std::string, DesignObject*>& sets) {
    for (auto& set : sets) delete set.second;
    sets.clear();
}

void store(std::unordered_map<std::string, DesignObject*>& sets, DesignObject* set) {
    DesignObject*& slot = sets[set->getName()];
    delete slot;
    slot = set;
}

}  // namespace

DesignController::~DesignController() { clear(); }

void DesignController::createDesign(K7DataCtg* global, const std::string& designDirectory) {
    clear();
    if (global == nullptr) {
        K7D_LOG_ERROR("no global data, no design sets");
        return;
    }
    for (K7DataBase* child : global->getContents()) {
        auto set = std::make_unique<DesignObject>();
        if (set->convert(dynamic_cast<K7DataGroup*>(child))) store(m_design, set.release());
    }
    if (!designDirectory.empty()) readUserDesigns(designDirectory);
}

void DesignController::readUserDesigns(const std::string& designDirectory) {
    for (const auto& builtIn : m_design) {
        if (!isPlainFileName(builtIn.first)) continue;
        const std::string path = designDirectory + "/" + builtIn.first;
        if (!isRegularFile(path)) continue;
        std::unique_ptr<K7DataCtg> designs(readUserDesign(path));
        if (!designs) {
            K7D_LOG_WARNING("design table refused, built-in designs kept:", path);
            continue;
        }
        if (DesignObject* set = makeUserSet(*builtIn.second, designs.release())) store(m_userDesign, set);
    }
}

DesignObject* DesignController::makeUserSet(const DesignObject& builtIn, K7DataCtg* designs) {
    K7DataCtg tree;
    auto* header = new K7DataCtg();
    auto* name = new K7DataDfn();
    name->editContents() = builtIn.getName();
    header->addContents(name);
    auto* background = new K7DataPyc();
    background->editContents() = builtIn.getBackgroundColor();
    header->addContents(background);
    tree.addContents(header);
    tree.addContents(new K7DataCtg());
    tree.addContents(designs);
    auto set = std::make_unique<DesignObject>();
    return set->convert(&tree) ? set.release() : nullptr;
}

const std::vector<BaseDesign*>& DesignController::getDesign(const std::string& setName, uint8_t scaleLevel,
                                                            const std::string& name) {
    auto set = m_userDesign.find(setName);
    if (set == m_userDesign.end()) {
        set = m_design.find(setName);
        if (set == m_design.end()) return not_found;
    }
    const std::vector<BaseDesign*>& designs = set->second->getDesign(scaleLevel, name);
    return designs.empty() ? not_found : designs;
}

std::vector<std::string> DesignController::getDesignFileList() {
    std::vector<std::string> names;
    for (const auto& set : m_design) names.push_back(set.first);
    std::sort(names.begin(), names.end());
    return names;
}

K7DataCtg* DesignController::readUserDesign(const std::string& path) { return ReadDataDesign::readTable(path); }

void DesignController::clear() {
    destroyAll(m_userDesign);
    destroyAll(m_design);
}

}  // namespace qiv
