#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "Matrix4.h"

using namespace qiv;

namespace {

using Vec4 = std::array<double, 4>;

}  // namespace

TEST(Matrix4Test, LookAtPutsTheEyeAtTheOriginFacingDownTheNegativeZAxis) {
    const Matrix4 view = Matrix4::lookAt({3, -4, 5}, {1, 2, -1}, {0, 0, 1});
    const Vec4 eye = view.transform({3, -4, 5, 1});
    const Vec4 centre = view.transform({1, 2, -1, 1});
    const double distance = std::sqrt(4.0 + 36.0 + 36.0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(eye[i], 0.0, 1e-9);
    }
    EXPECT_NEAR(centre[0], 0.0, 1e-9);
    EXPECT_NEAR(centre[1], 0.0, 1e-9);
    EXPECT_NEAR(centre[2], -distance, 1e-9);
}

TEST(Matrix4Test, ProductAppliesTheRightFactorFirst) {
    // Turn a quarter about z, then tilt a quarter about x: x goes to y, then to z.
    const Matrix4 both = Matrix4::rotationX(90) * Matrix4::rotationZ(90);
    const Vec4 moved = both.transform({1, 0, 0, 1});
    EXPECT_NEAR(moved[0], 0.0, 1e-12);
    EXPECT_NEAR(moved[1], 0.0, 1e-12);
    EXPECT_NEAR(moved[2], 1.0, 1e-12);
}
