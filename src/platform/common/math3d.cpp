// The 3D maths.
#include "platform/common/math3d.h"

#include <cmath>
#include <cstdint>

namespace {

const Vec3& PositionAt(const Vec3* first, size_t i, size_t stride) {
    return *reinterpret_cast<const Vec3*>(reinterpret_cast<const uint8_t*>(first) + i * stride);
}

}  // namespace

Mat4 MatrixIdentity() {
    Mat4 r{};
    for (int i = 0; i < 4; ++i) {
        r.m[i][i] = 1.0f;
    }
    return r;
}

Mat4 MatrixTranslation(float x, float y, float z) {
    Mat4 r = MatrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

Mat4 MatrixRotationX(float radians) {
    Mat4 r = MatrixIdentity();
    float c = std::cos(radians);
    float s = std::sin(radians);
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

Mat4 MatrixRotationY(float radians) {
    Mat4 r = MatrixIdentity();
    float c = std::cos(radians);
    float s = std::sin(radians);
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

Mat4 MatrixRotationZ(float radians) {
    Mat4 r = MatrixIdentity();
    float c = std::cos(radians);
    float s = std::sin(radians);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

Mat4 MatrixMultiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a.m[i][k] * b.m[k][j];
            }
            r.m[i][j] = sum;
        }
    }
    return r;
}

Vec3 Vec3Normalize(const Vec3& v) {
    float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f) {
        return Vec3{0.0f, 0.0f, 0.0f};
    }
    return Vec3{v.x / length, v.y / length, v.z / length};
}

Vec3 Vec3Cross(const Vec3& a, const Vec3& b) {
    return Vec3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Vec3Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Mat4 MatrixLookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up) {
    Vec3 zAxis = Vec3Normalize(Vec3{target.x - eye.x, target.y - eye.y, target.z - eye.z});
    Vec3 xAxis = Vec3Normalize(Vec3Cross(up, zAxis));
    Vec3 yAxis = Vec3Cross(zAxis, xAxis);
    Mat4 r = MatrixIdentity();
    r.m[0][0] = xAxis.x;
    r.m[1][0] = xAxis.y;
    r.m[2][0] = xAxis.z;
    r.m[0][1] = yAxis.x;
    r.m[1][1] = yAxis.y;
    r.m[2][1] = yAxis.z;
    r.m[0][2] = zAxis.x;
    r.m[1][2] = zAxis.y;
    r.m[2][2] = zAxis.z;
    r.m[3][0] = -Vec3Dot(xAxis, eye);
    r.m[3][1] = -Vec3Dot(yAxis, eye);
    r.m[3][2] = -Vec3Dot(zAxis, eye);
    return r;
}

Mat4 MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    Mat4 r{};
    float yScale = 1.0f / std::tan(fovY / 2.0f);
    float xScale = yScale / aspect;
    r.m[0][0] = xScale;
    r.m[1][1] = yScale;
    r.m[2][2] = zFar / (zFar - zNear);
    r.m[2][3] = 1.0f;
    r.m[3][2] = -zNear * zFar / (zFar - zNear);
    return r;
}

Vec3 TransformCoord(const Vec3& v, const Mat4& m) {
    float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
    float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
    float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
    float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    if (w == 0.0f) {
        return Vec3{0.0f, 0.0f, 0.0f};
    }
    return Vec3{x / w, y / w, z / w};
}

Plane PlaneNormalize(const Plane& p) {
    float length = std::sqrt(p.a * p.a + p.b * p.b + p.c * p.c);
    if (length == 0.0f) {
        return Plane{0.0f, 0.0f, 0.0f, 0.0f};
    }
    return Plane{p.a / length, p.b / length, p.c / length, p.d / length};
}

float PlaneDotCoord(const Plane& p, const Vec3& v) {
    return p.a * v.x + p.b * v.y + p.c * v.z + p.d;
}

Vec3 ProjectToViewport(const Vec3& v, const Viewport& viewport, const Mat4& projection,
                       const Mat4& view, const Mat4& world) {
    Mat4 m = MatrixMultiply(MatrixMultiply(world, view), projection);
    Vec3 ndc = TransformCoord(v, m);
    return Vec3{viewport.x + (1.0f + ndc.x) * viewport.width / 2.0f,
                viewport.y + (1.0f - ndc.y) * viewport.height / 2.0f,
                viewport.minZ + ndc.z * (viewport.maxZ - viewport.minZ)};
}

void ComputeBoundingBox(const Vec3* first, size_t count, size_t stride, Vec3* min, Vec3* max) {
    if (count == 0) {
        *min = Vec3{0.0f, 0.0f, 0.0f};
        *max = *min;
        return;
    }
    *min = PositionAt(first, 0, stride);
    *max = *min;
    for (size_t i = 1; i < count; ++i) {
        const Vec3& p = PositionAt(first, i, stride);
        min->x = std::fmin(min->x, p.x);
        min->y = std::fmin(min->y, p.y);
        min->z = std::fmin(min->z, p.z);
        max->x = std::fmax(max->x, p.x);
        max->y = std::fmax(max->y, p.y);
        max->z = std::fmax(max->z, p.z);
    }
}

void ComputeBoundingSphere(const Vec3* first, size_t count, size_t stride, Vec3* centre,
                           float* radius) {
    *centre = Vec3{0.0f, 0.0f, 0.0f};
    *radius = 0.0f;
    if (count == 0) {
        return;
    }
    double sx = 0;
    double sy = 0;
    double sz = 0;
    for (size_t i = 0; i < count; ++i) {
        const Vec3& p = PositionAt(first, i, stride);
        sx += p.x;
        sy += p.y;
        sz += p.z;
    }
    *centre = Vec3{static_cast<float>(sx / count), static_cast<float>(sy / count),
                   static_cast<float>(sz / count)};
    float largest = 0.0f;
    for (size_t i = 0; i < count; ++i) {
        const Vec3& p = PositionAt(first, i, stride);
        float dx = p.x - centre->x;
        float dy = p.y - centre->y;
        float dz = p.z - centre->z;
        largest = std::fmax(largest, dx * dx + dy * dy + dz * dz);
    }
    *radius = std::sqrt(largest);
}
