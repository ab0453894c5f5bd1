#ifndef TOLKMAPS_DRAW_MATRIX4_H
#define TOLKMAPS_DRAW_MATRIX4_H

#include <array>

namespace qiv {

// A 4x4 matrix in double precision, column-major as GL expects it:
// element (row r, column c) is at index c * 4 + r. Value type, any thread.
class Matrix4 {
public:
    // The zero matrix.
    Matrix4() = default;
    explicit Matrix4(const std::array<double, 16>& values) : m_values(values) {}

    static Matrix4 identity();
    // The perspective frustum with the given clip planes (near and far > 0).
    static Matrix4 frustum(double left, double right, double bottom, double top, double nearPlane,
                           double farPlane);
    // The view from `eye` towards `centre` with `up` as the upward direction.
    static Matrix4 lookAt(const std::array<double, 3>& eye, const std::array<double, 3>& centre,
                          const std::array<double, 3>& up);
    // Counter-clockwise rotations by `degrees` about the x and the z axis.
    static Matrix4 rotationX(double degrees);
    static Matrix4 rotationZ(double degrees);

    Matrix4 operator*(const Matrix4& other) const;
    // The matrix applied to the column vector (x, y, z, w).
    std::array<double, 4> transform(const std::array<double, 4>& vector) const;

    double operator[](int index) const { return m_values[index]; }
    double& operator[](int index) { return m_values[index]; }
    // The values in single precision, for glUniformMatrix4fv.
    std::array<float, 16> toFloats() const;

private:
    double at(int row, int column) const { return m_values[column * 4 + row]; }

    std::array<double, 16> m_values{};
};

}  // namespace qiv

#endif
