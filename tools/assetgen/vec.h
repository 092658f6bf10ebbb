// Small vector types and the generator's own trigonometry. The model's numbers come from
// these functions alone (plus IEEE square roots), so its bytes do not depend on a libm.
#pragma once

#include <cmath>

namespace assetgen {

constexpr double kPi = 3.14159265358979323846;

struct Vec2 {
    double x = 0, y = 0;
};

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalize(Vec3 a) {
    const double length = Length(a);
    return length > 0 ? a * (1.0 / length) : a;
}

inline double Lerp(double a, double b, double t) { return a + (b - a) * t; }
inline double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline double SmoothStep(double e0, double e1, double v) {
    const double t = Clamp((v - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Sine and cosine by range reduction to a quarter turn and Taylor series: exact to the last
// bits or so, and the same on every machine.
double Sin(double radians);
double Cos(double radians);
inline double Radians(double degrees) { return degrees * (kPi / 180.0); }

// e^x for the soft falloffs of the pictures, by halving and a series.
double Exp(double x);

}  // namespace assetgen
