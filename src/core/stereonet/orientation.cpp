#include "core/stereonet/orientation.h"

#include <cmath>
#include <numbers>

namespace quorel {

namespace {

constexpr double radiansPerDegree = std::numbers::pi / 180.0;

Vector3 scaled(Vector3 v, double s)
{
    return {v.x * s, v.y * s, v.z * s};
}

Vector3 plus(Vector3 a, Vector3 b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

Vector3 cross(Vector3 a, Vector3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3 normalised(Vector3 v)
{
    const double length = std::sqrt(dot(v, v));
    return length > 0 ? scaled(v, 1 / length) : v;
}

} // namespace

double wrapDegrees(double degrees)
{
    double r = std::fmod(degrees, 360.0);
    if (r < 0)
        r += 360.0;
    return r >= 360.0 ? 0.0 : r + 0.0; // + 0.0: never -0
}

double sinDegrees(double degrees)
{
    const double r = wrapDegrees(degrees);
    if (r == 0 || r == 180)
        return 0;
    if (r == 90)
        return 1;
    if (r == 270)
        return -1;
    return std::sin(r * radiansPerDegree);
}

double cosDegrees(double degrees)
{
    return sinDegrees(degrees + 90);
}

Vector3 unitVector(Direction direction)
{
    const double horizontal = cosDegrees(direction.plunge);
    return {horizontal * sinDegrees(direction.trend), horizontal * cosDegrees(direction.trend),
            -sinDegrees(direction.plunge)};
}

std::optional<Direction> directionOf(Vector3 v, bool axis)
{
    const double length = std::sqrt(dot(v, v));
    if (!(length > 0) || !std::isfinite(length))
        return std::nullopt;
    v = scaled(v, 1 / length);
    if (v.z > 0)
        v = scaled(v, -1);
    const double horizontal = std::hypot(v.x, v.y);
    const double plunge = std::atan2(-v.z, horizontal) / radiansPerDegree;
    if (horizontal == 0)
        return Direction {0, 90};
    double trend = wrapDegrees(std::atan2(v.x, v.y) / radiansPerDegree);
    // A horizontal axis points both ways: name the end in the first half circle.
    if (axis && std::abs(v.z) < 1e-12 && trend >= 180)
        trend -= 180;
    return Direction {trend, plunge};
}

double dipDirectionOf(double azimuth, AzimuthMeaning meaning)
{
    return meaning == AzimuthMeaning::Strike ? wrapDegrees(azimuth + 90) : wrapDegrees(azimuth);
}

Direction plottedDirection(double azimuth, double dip, AzimuthMeaning meaning)
{
    if (meaning == AzimuthMeaning::Trend)
        return {wrapDegrees(azimuth), dip};
    return {wrapDegrees(dipDirectionOf(azimuth, meaning) + 180), 90 - dip};
}

NetPoint project(Vector3 v, NetKind net)
{
    if (v.z > 0)
        v = scaled(v, -1);
    // Schmidt: r = sqrt(2) sin(theta / 2) = sqrt(1 + z), and the horizontal part of the vector
    // is sqrt(1 - z^2) long, so the place is the horizontal part over sqrt(1 - z). Wulff:
    // r = tan(theta / 2) = sqrt(1 - z^2) / (1 - z). Neither divides by zero in the lower
    // hemisphere.
    const double scale = net == NetKind::Schmidt ? 1 / std::sqrt(1 - v.z) : 1 / (1 - v.z);
    return {v.x * scale, v.y * scale};
}

NetPoint project(Direction direction, NetKind net)
{
    return project(unitVector(direction), net);
}

Vector3 netVector(NetPoint point, NetKind net)
{
    double r2 = point.x * point.x + point.y * point.y;
    if (r2 > 1) {
        const double r = std::sqrt(r2);
        point = {point.x / r, point.y / r};
        r2 = 1;
    }
    if (net == NetKind::Schmidt) {
        const double s = std::sqrt(2 - r2);
        return {point.x * s, point.y * s, r2 - 1};
    }
    const double s = 2 / (1 + r2);
    return {point.x * s, point.y * s, (r2 - 1) / (1 + r2)};
}

std::vector<NetPoint> greatCircle(double dipDirection, double dip, NetKind net)
{
    // The lines of the plane: the strike (right-hand rule, 90 degrees anticlockwise of the dip
    // direction) turned through the dip line to the opposite end of the strike.
    const Vector3 strike = unitVector({dipDirection - 90, 0});
    const Vector3 down = unitVector({dipDirection, dip});
    std::vector<NetPoint> points;
    points.reserve(181);
    for (int a = 0; a <= 180; ++a)
        points.push_back(
            project(plus(scaled(strike, cosDegrees(a)), scaled(down, sinDegrees(a))), net));
    return points;
}

std::vector<std::vector<NetPoint>> smallCircle(Direction axis, double radius, NetKind net)
{
    const Vector3 centre = unitVector(axis);
    // Two unit vectors across the axis.
    const Vector3 helper = std::abs(centre.z) < 0.9 ? Vector3 {0, 0, 1} : Vector3 {1, 0, 0};
    const Vector3 u = normalised(cross(centre, helper));
    const Vector3 w = cross(centre, u);
    std::vector<std::vector<NetPoint>> pieces(1);
    bool lastUpper = false;
    for (int t = 0; t <= 360; ++t) {
        const Vector3 v = plus(
            scaled(centre, cosDegrees(radius)),
            scaled(plus(scaled(u, cosDegrees(t)), scaled(w, sinDegrees(t))), sinDegrees(radius)));
        const bool upper = v.z > 0;
        if (t > 0 && upper != lastUpper && !pieces.back().empty())
            pieces.emplace_back();
        pieces.back().push_back(project(v, net));
        lastUpper = upper;
    }
    return pieces;
}

} // namespace quorel
