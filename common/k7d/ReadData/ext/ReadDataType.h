#ifndef TOLKMAPS_K7D_READDATATYPE_H
#define TOLKMAPS_K7D_READDATATYPE_H

// Kinds of data file, which choose the reader that a handle makes.
enum DATA_TYPE {
    DATA_TYPE_K7DATA = 0,
    DATA_TYPE_JSON = 1,
    DATA_TYPE_GDAL = 2,
    DATA_TYPE_MASTER = 4,
    DATA_TYPE_CMDN = 5,
    DATA_TYPE_HRL = 7,
    DATA_TYPE_K7BINARY = 8,
    DATA_TYPE_DESIGN = 12,
    DATA_TYPE_TEXTFILE = 13,
};

#endif
