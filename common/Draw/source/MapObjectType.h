#ifndef TOLKMAPS_DRAW_MAPOBJECTTYPE_H
#define TOLKMAPS_DRAW_MAPOBJECTTYPE_H

namespace qiv {

// Kind of a drawable object; also keys its drawer and its shader program.
// The values are fixed: objects, drawers and programs compare them as integers.
enum MapObjectType : int {
    POLYLINE_OBJECT = 1,                  // plain polyline, indexed GL lines
    POLYGON_OBJECT = 2,                   // filled polygon (triangles)
    TEXTURED_POLYGON_OBJECT = 3,          // textured triangles (ground overlays)
    TEXTURED_PATTERN_POLYGON_OBJECT = 4,  // polygon filled with a repeated icon
    GROUND_OVERLAY_OBJECT = 5,            // application ground overlay
    ICON_TEXT_OBJECT = 7,                 // label: icons and a text
    POINT_SPRITE_OBJECT = 9,              // single point sprite
    ATLAS_POINT_SPRITE_OBJECT = 10,       // point sprites cut from an atlas texture
    POLYGON_LINE_OBJECT = 12,             // extruded, antialiased line
    LINE_JOIN_OBJECT = 13,                // round line-join sprites
    CIRCLE_OBJECT = 14,                   // circle with per-vertex colours
    UNDEFINED_OBJECT = 15,                // no kind set
};

}  // namespace qiv

#endif
