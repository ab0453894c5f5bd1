#ifndef TOLKMAPS_MODEL_DESIGNCONTROLLER_H
#define TOLKMAPS_MODEL_DESIGNCONTROLLER_H

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class K7DataCtg;

namespace qiv {

class BaseDesign;
class DesignObject;

// The process's design sets, built once at start-up from the global data
// (one set group per child) and, where the application's design directory
// holds a design table named exactly like a set, from that table instead.
// Lookups afterwards need no lock: nothing changes until the next
// createDesign, which must not run while frames are being built.
class DesignController {
public:
    ~DesignController();

    // Rebuilds every set from `global` (may be null: no sets) and the design
    // tables in `designDirectory` (empty: none). A table that cannot be read
    // leaves the set with its built-in designs.
    static void createDesign(K7DataCtg* global, const std::string& designDirectory);
    // The designs of a set for exactly that scale level and design name, in
    // table order, or the empty not_found. A set replaced by a design table
    // is answered from the table alone. The reference stays valid until the
    // next createDesign or clear.
    static const std::vector<BaseDesign*>& getDesign(const std::string& setName, uint8_t scaleLevel,
                                                     const std::string& name);
    // The names of the sets from the global data, in ascending order.
    static std::vector<std::string> getDesignFileList();
    // Reads one design table (lines ended by "\r\n"); a new tree owned by the
    // caller, or null when the table cannot be read or has a bad row.
    static K7DataCtg* readUserDesign(const std::string& path);
    // Destroys every set.
    static void clear();

private:
    static void readUserDesigns(const std::string& designDirectory);
    static DesignObject* makeUserSet(const DesignObject& builtIn, K7DataCtg* designs);

    static std::unordered_map<std::string, DesignObject*> m_design;
    static std::unordered_map<std::string, DesignObject*> m_userDesign;
    static const std::vector<BaseDesign*> not_found;
};

}  // namespace qiv

#endif
