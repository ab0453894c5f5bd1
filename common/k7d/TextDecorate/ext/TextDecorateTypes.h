#ifndef TOLKMAPS_K7D_TEXTDECORATETYPES_H
#define TOLKMAPS_K7D_TEXTDECORATETYPES_H

// How the lines of a text are aligned: to their start (left, or top of a
// vertical column), centred, or to their end. 0 means "as set up".
enum TEXT_ALIGNMENT {
    TEXT_ALIGNMENT_DEFAULT = 0,
    TEXT_ALIGNMENT_START = 1,
    TEXT_ALIGNMENT_CENTER = 2,
    TEXT_ALIGNMENT_END = 3,
};

// Where a label's text stands relative to its icons (the "adp" value).
enum ANNOTATIONPOS_TYPE {
    ANNOTATIONPOS_CENTER = 0,
    ANNOTATIONPOS_RIGHT = 1,
    ANNOTATIONPOS_LEFT = 2,
    ANNOTATIONPOS_TOP = 3,
    ANNOTATIONPOS_BOTTOM = 4,
};

// Character filter sets offered by TextFilter.
enum TEXT_FILTER {
    TEXT_FILTER_NONE = 0,
    TEXT_FILTER_CMDN = 1,
};

#endif
