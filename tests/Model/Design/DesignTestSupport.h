#ifndef TOLKMAPS_TESTS_DESIGNTESTSUPPORT_H
#define TOLKMAPS_TESTS_DESIGNTESTSUPPORT_H

#include <initializer_list>
#include <string>

#include "K7DataAnc.h"
#include "K7DataAns.h"
#include "K7DataAtg.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataDfn.h"
#include "K7DataFtn.h"
#include "K7DataIcn.h"
#include "K7DataLgt.h"
#include "K7DataLnc.h"
#include "K7DataLng.h"
#include "K7DataLnw.h"
#include "K7DataPgg.h"
#include "K7DataPyc.h"
#include "K7DataScl.h"

// Builders of design set trees as the global data carries them.
namespace design_test {

template <typename Record, typename Value>
Record* record(const Value& value) {
    auto* result = new Record();
    result->editContents() = value;
    return result;
}

template <typename Group = K7DataCtg>
Group* groupOf(std::initializer_list<K7DataBase*> children) {
    auto* group = new Group();
    for (K7DataBase* child : children) group->addContents(child);
    return group;
}

inline K7DataLng* line(const std::string& name, uint8_t level, float width,
                       const _K7D_STR_COLOR& color = {1, 2, 3, 255}) {
    return groupOf<K7DataLng>({record<K7DataDcn>(name), record<K7DataScl>(level), record<K7DataLnw>(width),
                               record<K7DataLnc>(color)});
}

inline K7DataPgg* area(const std::string& name, uint8_t level, const _K7D_STR_COLOR& color) {
    return groupOf<K7DataPgg>({record<K7DataDcn>(name), record<K7DataScl>(level), record<K7DataPyc>(color)});
}

// A label style with the three required records, in `language` unless empty.
inline K7DataCtg* decoration(const std::string& language, uint16_t size = 14) {
    K7DataCtg* group = groupOf({record<K7DataFtn>(std::string("NotoSansCJKjp-Bold")),
                                record<K7DataAnc>(_K7D_STR_COLOR{0, 0, 0, 255}), record<K7DataAns>(size)});
    if (!language.empty()) group->addContents(record<K7DataLgt>(language));
    return group;
}

inline K7DataAtg* point(const std::string& name, uint8_t level, std::initializer_list<K7DataBase*> decorations,
                        int icon = -1) {
    K7DataAtg* group = groupOf<K7DataAtg>({record<K7DataDcn>(name), record<K7DataScl>(level)});
    if (icon >= 0) group->addContents(record<K7DataIcn>(static_cast<uint16_t>(icon)));
    group->addContents(groupOf(decorations));
    return group;
}

// A set group: header, empty icons, designs [0] lines and areas, [1] points.
inline K7DataCtg* designSet(const std::string& name, const _K7D_STR_COLOR& background,
                            std::initializer_list<K7DataBase*> linesAndAreas,
                            std::initializer_list<K7DataBase*> points) {
    return groupOf({groupOf({record<K7DataDfn>(name), record<K7DataPyc>(background)}), groupOf({}),
                    groupOf({groupOf(linesAndAreas), groupOf(points)})});
}

}  // namespace design_test

#endif
