#include "Matrix4.h"

#include <cmath>

namespace qiv {

namespace {

const double kRadiansPerDegree = 0.017453292519943295;

using Vector = std::array<double, 3>;

Vector cross(const Vector& a, const Vector& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vector normalised(const Vector& v) {
    const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0) {
        return v;
    }
    return {v[0] / length, v[1] / length, v[2] / length};
}

double dot(const Vector& a, const Vector& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace

Matrix4 Matrix4::identity() {
    return Matrix4({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
}

Matrix4 Matrix4::frustum(double left, double right, double bottom, double top, double nearPlane,
                         double farPlane) {
    Matrix4 m;
    m[0] = 2 * nearPlane / (right - left);
    m[5] = 2 * nearPlane / (top - bottom);
    m[8] = (right + left) / (right - left);
    m[9] = (top + bottom) / (top - bottom);
    m[10] = (nearPlane + farPlane) / (nearPlane - farPlane);
    m[11] = -1;
    m[14] = 2 * nearPlane * farPlane / (nearPlane - farPlane);
    return m;
}

Matrix4 Matrix4::lookAt(const Vector& eye, const Vector& centre, const Vector& up) {
    const Vector forward = normalised({centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]});
    const Vector side = normalised(cross(forward, up));
    const Vector upward = cross(side, forward);
    Matrix4 m = identity();
    for (int column = 0; column < 3; ++column) {
        m[column * 4 + 0] = side[column];
        m[column * 4 + 1] = upward[column];
        m[column * 4 + 2] = -forward[column];
    }
    m[12] = -dot(side, eye);
    m[13] = -dot(upward, eye);
    m[14] = dot(forward, eye);
    return m;
}

Matrix4 Matrix4::rotationX(double degrees) {
    const double angle = degrees * kRadiansPerDegree;
    Matrix4 m = identity();
    m[5] = std::cos(angle);
    m[6] = std::sin(angle);
    m[9] = -std::sin(angle);
    m[10] = std::cos(angle);
    return m;
}

Matrix4 Matrix4::rotationZ(double degrees) {
    const double angle = degrees * kRadiansPerDegree;
    Matrix4 m = identity();
    m[0] = std::cos(angle);
    m[1] = std::sin(angle);
    m[4] = -std::sin(angle);
    m[5] = std::cos(angle);
    return m;
}

Matrix4 Matrix4::operator*(const Matrix4& other) const {
    Matrix4 product;
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) {
                sum += at(row, k) * other.at(k, column);
            }
            product[column * 4 + row] = sum;
        }
    }
    return product;
}

std::array<double, 4> Matrix4::transform(const std::array<double, 4>& vector) const {
    std::array<double, 4> result{};
    for (int row = 0; row < 4; ++row) {
        for (int k = 0; k < 4; ++k) {
            result[row] += at(row, k) * vector[k];
        }
    }
    return result;
}

std::array<float, 16> Matrix4::toFloats() const {
    std::array<float, 16> values{};
    for (int i = 0; i < 16; ++i) {
        values[i] = static_cast<float>(m_values[i]);
    }
    return values;
}

}  // namespace qiv
