#ifndef TOLKMAPS_K7D_AREAINFOBASE_H
#define TOLKMAPS_K7D_AREAINFOBASE_H

#include "CommonProc.h"

// Kinds of area that a reader may be asked to read.
enum AREA_TYPE {
    AREA_TYPE_NONE = 0,
    AREA_TYPE_PIXEL = 1,
    AREA_TYPE_CMDN = 2,
    AREA_TYPE_K7DATA = 3,
};

// Describes what part of a data set a reader is to read. Readers take it as
// an optional argument; the subclasses say which kind of area it is.
class AreaInfoBase : public CommonProc {
public:
    explicit AreaInfoBase(AREA_TYPE areaType = AREA_TYPE_NONE) : m_areaType(areaType) {}
    ~AreaInfoBase() override;

    AREA_TYPE getAreaType() const { return m_areaType; }

private:
    AREA_TYPE m_areaType;
};

#endif
