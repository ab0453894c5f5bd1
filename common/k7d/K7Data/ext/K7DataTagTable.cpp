#include "K7DataTagTable.h"

#include <algorithm>
#include <sstream>

namespace {

// Each type code with the tags that carry it.
const std::pair<int32_t, const char*> g_tagsByCode[] = {
    {0, "und arf sic"},
    {1, "ctg lng pgg atg mkg mag"},
    {2, "inp oup ant ftn imb txt ten dcn ptp dfn qak ctt lvv dtp cln clv mcd dst exv scp arp dgp "
        "pup lgt qbx dtn anr lgp udp sat ocp lnp icp dcp cht erp"},
    {3, "lnc pyc anc rmc"},
    {4, "ims mgn"},
    {5, "ari"},
    {7, "ltn ofs"},
    {8, "cty imt vtc dts iti scl adp geo cdt opr nmt dft dfp lbc rmw cft"},
    {9, "ans icn rft vop clp cml imn htm ocs"},
    {10, "dtm dno"},
    {11, "aid oid fid sno"},
    {12, "dly dnm"},
    {13, "rid zid"},
    {14, "cnr asp asl lnw agl"},
    {15, "vrs"},
    {16, "dty"},
    {17, "clm"},
    {18, "upd dcd"},
    {19, "iml"},
    {20, "dfg"},
    {21, "ley"},
    {22, "iu1"},
    {23, "ii1"},
    {24, "iu2"},
    {25, "ii2"},
    {27, "pt2"},
    {28, "pt4"},
    {29, "pt8"},
    {30, "ln2"},
    {31, "ln4 gt4 dp4"},
    {32, "ln8"},
    {34, "py2"},
    {35, "py4"},
    {36, "py8"},
    {37, "tf2"},
    {38, "tf4"},
    {39, "tf8"},
};

std::map<std::string, int32_t> buildByName() {
    std::map<std::string, int32_t> table;
    for (const auto& [code, tags] : g_tagsByCode) {
        std::istringstream words(tags);
        std::string tag;
        while (words >> tag) table.emplace(tag, code);
    }
    return table;
}

std::vector<std::pair<uint32_t, int32_t>> buildByKey() {
    std::vector<std::pair<uint32_t, int32_t>> table;
    for (const auto& [tag, code] : K7DataTagTable::byName()) {
        table.emplace_back(K7DataTagTable::key(tag.c_str()), code);
    }
    std::sort(table.begin(), table.end());
    return table;
}

}  // namespace

int32_t K7DataTagTable::find(const char* tag) {
    const auto& table = byKey();
    const uint32_t wanted = key(tag);
    const auto found = std::lower_bound(table.begin(), table.end(), std::make_pair(wanted, INT32_MIN));
    return found != table.end() && found->first == wanted ? found->second : 0;
}

const std::map<std::string, int32_t>& K7DataTagTable::byName() {
    static const std::map<std::string, int32_t> table = buildByName();
    return table;
}

const std::vector<std::pair<uint32_t, int32_t>>& K7DataTagTable::byKey() {
    static const std::vector<std::pair<uint32_t, int32_t>> table = buildByKey();
    return table;
}
