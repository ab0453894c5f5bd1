#ifndef TOLKMAPS_COMMON_GLUTILITY_H
#define TOLKMAPS_COMMON_GLUTILITY_H

#include <string>
#include <vector>

#include "CoordTypes.h"

namespace qiv {

// Static helpers shared across the engine. The header carries no GL types so
// that model code may use the geometric helpers without a GL dependency
// (GL names and enums are plain unsigned here). The GL helpers need a current
// context on the calling thread; the others are stateless, any thread.
class GLUtility {
public:
    // Drains every pending GL error (glGetError until GL_NO_ERROR), so that the
    // next check starts clean. Each drained error is logged at debug level with
    // the operation and place given.
    static void checkGlError(const char* operation, int line = 0, const char* file = "");

    // The pieces of `s` between occurrences of `c`, in order. Consecutive
    // separators give empty pieces, a leading one an empty first piece; a
    // trailing separator adds no empty last piece; "" gives no piece.
    static std::vector<std::string> split(const std::string& s, char c);

    // Makes an RGBA image (4 bytes per pixel, rows top first) square with a
    // power-of-two side (padToPowerOfTwo of the larger side), the image in the
    // top-left corner and the rest zero. Sides above 1024, sizes below 1 and a
    // buffer shorter than width x height x 4 leave everything unchanged.
    // Answers whether the image now has the square power-of-two side.
    static bool convImagePowerOfTwo(std::vector<unsigned char>* rgba, int* width, int* height);

    // Intersection of segments AB and CD. False when they are parallel
    // (collinear overlaps included) or do not meet within both segments;
    // otherwise the crossing point is written to x and y when they are given.
    static bool CrossLine(const PointLF& a, const PointLF& b, const PointLF& c, const PointLF& d,
                          double* x, double* y);

    // Solves m * out = v for a 2 x 2 matrix m (row major) by Cramer's rule.
    // False, out untouched, when the determinant is 0.
    static bool calcMatrix(const double m[2][2], const double v[2], double out[2]);

    // -1 for n < 1; n when it is a power of two; otherwise the smallest power
    // of two that is at least 4 and greater than n.
    static int padToPowerOfTwo(int n);
    static bool isPowerOfTwo(int n);

    // Compiles one shader stage (GL_VERTEX_SHADER or GL_FRAGMENT_SHADER).
    // Answers the shader name, or 0 with the compiler's log written at error level.
    static unsigned loadShader(unsigned type, const char* source);

    // Compiles both stages and links them. Answers the program name, or 0 with
    // the reason logged. The shader objects are deleted in every case.
    static unsigned createProgram(const char* vertexSource, const char* fragmentSource);
};

}  // namespace qiv

#endif
