// The 3D maths the game uses: row-vector 4x4 matrices (a point is multiplied on the left, so in
// A x B, A applies first), the left-handed look-at and perspective matrices, planes, projection
// to the viewport, and bounding volumes.
#pragma once

#include <cstddef>

struct Vec2 {
    float x;
    float y;
};

struct Vec3 {
    float x;
    float y;
    float z;
};

// m[row][column].
struct Mat4 {
    float m[4][4];
};

struct Plane {
    float a;
    float b;
    float c;
    float d;
};

struct Viewport {
    float x;
    float y;
    float width;
    float height;
    float minZ;
    float maxZ;
};

Mat4 MatrixIdentity();
Mat4 MatrixTranslation(float x, float y, float z);
// Rotations by an angle in radians, as seen looking from the positive axis towards the origin
// in a left-handed frame.
Mat4 MatrixRotationX(float radians);
Mat4 MatrixRotationY(float radians);
Mat4 MatrixRotationZ(float radians);
// a x b: a applies first.
Mat4 MatrixMultiply(const Mat4& a, const Mat4& b);
// Left-handed view matrix looking from eye at target. A zero-length axis gives zero vectors,
// never NaN.
Mat4 MatrixLookAtLH(const Vec3& eye, const Vec3& target, const Vec3& up);
// Left-handed perspective with depth 0 at the near plane and 1 at the far plane.
Mat4 MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);

Vec3 TransformCoord(const Vec3& v, const Mat4& m);  // with the division by w
Vec3 Vec3Normalize(const Vec3& v);                  // zero stays zero
Vec3 Vec3Cross(const Vec3& a, const Vec3& b);
float Vec3Dot(const Vec3& a, const Vec3& b);

// Scales the plane so that (a, b, c) has unit length; a zero normal gives a zero plane.
Plane PlaneNormalize(const Plane& p);
// a x + b y + c z + d.
float PlaneDotCoord(const Plane& p, const Vec3& v);

// A world point through world, view and projection into viewport pixels (x, y) and depth (z).
Vec3 ProjectToViewport(const Vec3& v, const Viewport& viewport, const Mat4& projection,
                       const Mat4& view, const Mat4& world);

// Bounds of count positions, stride bytes apart. Both are zero for no positions.
void ComputeBoundingBox(const Vec3* first, size_t count, size_t stride, Vec3* min, Vec3* max);
// The sphere around the positions' mean: its radius is the largest distance from the mean.
void ComputeBoundingSphere(const Vec3* first, size_t count, size_t stride, Vec3* centre,
                           float* radius);
