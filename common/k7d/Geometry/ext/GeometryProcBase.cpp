#include "GeometryProcBase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <deque>
#include <iterator>
#include <limits>
#include <map>
#include <utility>

#include "Log.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
// Below this distance a point counts as lying on a line when measuring angles.
constexpr double kAngleTolerance = 2e-14;
constexpr double kSegmentTolerance = 1e-15;

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

GeoDataPoint pointAt(const GeoBaseLine& line, size_t i) { return GeoDataPoint(line.x(i), line.y(i)); }

// Truncation toward zero that stays defined for negative, huge and NaN values.
template <typename T>
T truncateTo(double value) {
    if (!(value > 0.0)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

bool boundsOf(const std::vector<GeoBasePoint>& points, GeoBaseBox& box) {
    if (points.empty()) {
        box.setBox(0.0, 0.0, 0.0, 0.0);
        return false;
    }
    double minX = points.front().x(), minY = points.front().y();
    double maxX = minX, maxY = minY;
    for (const GeoBasePoint& point : points) {
        minX = std::min(minX, point.x());
        minY = std::min(minY, point.y());
        maxX = std::max(maxX, point.x());
        maxY = std::max(maxY, point.y());
    }
    box.setBox(minX, minY, maxX, maxY);
    return true;
}

bool segmentsMeet(const GeoBaseLine& a, size_t i, const GeoBaseLine& b, size_t j) {
    return GeometryProcBase::intersects(a.x(i), a.y(i), a.x(i + 1), a.y(i + 1), b.x(j), b.y(j), b.x(j + 1),
                                        b.y(j + 1));
}

// Fraction of the way from lo to hi; 0 where the range has no extent.
double fractionIn(double value, double lo, double hi) { return hi == lo ? 0.0 : (value - lo) / (hi - lo); }

// A squared length too small to divide by: below the tolerance, and never 0
// whatever the tolerance.
bool tooShort(double squaredLength, double tolerance) {
    return squaredLength < tolerance || squaredLength == 0.0;
}

}  // namespace

double GeometryProcBase::distance(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

double GeometryProcBase::distance(double x1, double y1, double x2, double y2) {
    return distance(x2 - x1, y2 - y1);
}

double GeometryProcBase::distance(const GeoBasePoint& p1, const GeoBasePoint& p2) {
    return distance(p1.x(), p1.y(), p2.x(), p2.y());
}

double GeometryProcBase::distance(const GeoBasePoint& p1, const GeoBasePoint& p2, const GeoBasePoint& p3) {
    return distance(p1.x(), p1.y(), p2.x(), p2.y(), p3.x(), p3.y());
}

double GeometryProcBase::distance(double x1, double y1, double x2, double y2, double x3, double y3) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = distance(dx, dy);
    if (length == 0.0) return distance(x1, y1, x3, y3);
    return std::fabs(dx * (y3 - y1) - dy * (x3 - x1)) / length;
}

double GeometryProcBase::calcAngle(const GeoBasePoint& p1, const GeoBasePoint& p2, const GeoBasePoint& p3,
                                   bool inner) {
    return calcAngle(p1.x(), p1.y(), p2.x(), p2.y(), p3.x(), p3.y(), inner);
}

double GeometryProcBase::calcAngle(double x1, double y1, double x2, double y2, double x3, double y3,
                                   bool inner) {
    const double ux = x1 - x2, uy = y1 - y2, wx = x3 - x2, wy = y3 - y2;
    const double lengthU = distance(ux, uy), lengthW = distance(wx, wy);
    if (lengthU == 0.0 || lengthW == 0.0) return 0.0;
    const double turn = cross(ux, uy, wx, wy);
    if (std::fabs(turn) / lengthW < kAngleTolerance) return 0.0;
    if (std::fabs(turn) / lengthU < kAngleTolerance) return 0.0;
    if (distance(x1, y1, x3, y3, x2, y2) < kAngleTolerance) return 180.0;
    const double angle = std::acos((ux * wx + uy * wy) / (lengthW * lengthU)) * kDegreesPerRadian;
    if (std::isnan(angle)) return 0.0;
    if (inner || turn >= 0.0) return angle;
    return 360.0 - angle;
}

bool GeometryProcBase::checkClockwise(const GeoBaseLine& ring) {
    const size_t n = ring.getPtNum();
    if (n < 3) {
        K7D_LOG_DEBUG("Less Coordinates");
        return false;
    }
    const double x0 = ring.x(0), y0 = ring.y(0);
    double twiceArea = 0.0;
    for (size_t i = 0; i + 1 < n; ++i) {
        twiceArea += (x0 - ring.x(i)) * (y0 - ring.y(i + 1)) - (x0 - ring.x(i + 1)) * (y0 - ring.y(i));
    }
    return twiceArea < 0.0;
}

bool GeometryProcBase::checkConvex(const GeoBasePoly& poly) {
    const size_t n = poly.getPtNum(0);
    if (poly.getPolyNum() > 1 || n < 2) return false;
    const GeoBasePoly::Ring& ring = poly.getPoly().front();
    for (size_t i = 2; i < n; ++i) {
        if (calcAngle(ring[i - 2], ring[i - 1], ring[i]) > 180.0) return false;
    }
    return calcAngle(ring[n - 2], ring[0], ring[1]) <= 180.0;
}

bool GeometryProcBase::checkSame(const GeoBasePoint& p1, const GeoBasePoint& p2) {
    return checkSame(p1.x(), p1.y(), p2.x(), p2.y());
}

bool GeometryProcBase::checkSame(double x1, double y1, double x2, double y2) { return x1 == x2 && y1 == y2; }

bool GeometryProcBase::ptInBox(const GeoBasePoint& point, const GeoBaseBox& box) {
    return ptInBox(point.x(), point.y(), box.minX(), box.minY(), box.maxX(), box.maxY());
}

bool GeometryProcBase::ptInBox(double x, double y, double minX, double minY, double maxX, double maxY) {
    return minX <= x && x <= maxX && minY <= y && y <= maxY;
}

bool GeometryProcBase::bilineaWeight(const GeoBaseBox& box, const GeoBasePoint& point, double& w1, double& w2,
                                     double& w3, double& w4) {
    if (!ptInBox(point, box)) return false;
    const double u = 1.0 - fractionIn(point.x(), box.minX(), box.maxX());
    const double v = 1.0 - fractionIn(point.y(), box.minY(), box.maxY());
    w1 = u * v;
    w2 = (1.0 - u) * v;
    w3 = u * (1.0 - v);
    w4 = (1.0 - u) * (1.0 - v);
    return true;
}

bool GeometryProcBase::bilinea(const GeoBaseBox& box, const GeoBasePoint& point, double a, double b, double c,
                               double d, double& out) {
    double w1 = 0.0, w2 = 0.0, w3 = 0.0, w4 = 0.0;
    if (!bilineaWeight(box, point, w1, w2, w3, w4)) return false;
    out = w1 * a + w2 * b + w3 * c + w4 * d;
    return true;
}

bool GeometryProcBase::boxOverlay(double aMinX, double aMinY, double aMaxX, double aMaxY, double bMinX,
                                  double bMinY, double bMaxX, double bMaxY) {
    return !(aMinX > bMaxX || bMinX > aMaxX || aMinY > bMaxY || bMinY > aMaxY);
}

bool GeometryProcBase::boxOverlay(const GeoBaseBox& a, const GeoBaseBox& b) {
    return boxOverlay(a.minX(), a.minY(), a.maxX(), a.maxY(), b.minX(), b.minY(), b.maxX(), b.maxY());
}

int GeometryProcBase::boxInBox(const GeoBaseBox& a, const GeoBaseBox& b) {
    const auto inside = [](const GeoBaseBox& inner, const GeoBaseBox& outer) {
        return inner.minX() >= outer.minX() && inner.minY() >= outer.minY() && inner.maxX() <= outer.maxX() &&
               inner.maxY() <= outer.maxY();
    };
    if (!boxOverlay(a, b)) return 0;
    if (inside(a, b)) return 2;
    if (inside(b, a)) return 3;
    return 1;
}

void GeometryProcBase::rotatePoint(double angle, GeoBasePoint& point) {
    const double radius = distance(point.x(), point.y());
    const double theta = std::atan2(point.x(), point.y()) + angle * kRadiansPerDegree;
    point.setCoord(radius * std::cos(theta), radius * std::sin(theta));
}

void GeometryProcBase::rotateBoxCenter(const GeoBasePoint& center, unsigned w, unsigned h, double angle,
                                       GeoBasePoly& poly) {
    const double a = w * 0.5, b = h * 0.5;
    GeoBasePoint outline[5] = {{a, b}, {-a, b}, {-a, -b}, {a, -b}};
    for (size_t i = 0; i < 4; ++i) {
        rotatePoint(angle, outline[i]);
        outline[i].shiftCoord(center.x(), center.y());
    }
    outline[4] = outline[0];
    poly.addCoords(std::begin(outline), std::end(outline));
}

void GeometryProcBase::rotateBox(const GeoBasePoint& corner, unsigned w, unsigned h, double angle,
                                 GeoBasePoly& poly) {
    const double alpha = angle * kRadiansPerDegree;
    const double width = w, height = h;
    const double diagonal = distance(width, height);
    const double diagonalAlpha = alpha + std::atan2(height, width);
    const double heightAlpha = alpha + 90.0 * kRadiansPerDegree;
    const GeoBasePoint outline[5] = {
        corner,
        {corner.x() + height * std::cos(heightAlpha), corner.y() + height * std::sin(heightAlpha)},
        {corner.x() + diagonal * std::cos(diagonalAlpha), corner.y() + diagonal * std::sin(diagonalAlpha)},
        {corner.x() + width * std::cos(alpha), corner.y() + width * std::sin(alpha)},
        corner,
    };
    poly.addCoords(std::begin(outline), std::end(outline));
}

void GeometryProcBase::rotateBox(const GeoBaseBox& box, double angle, GeoBasePoly& poly) {
    rotateBox(GeoBasePoint(box.minX(), box.minY()), truncateTo<unsigned>(box.maxX() - box.minX()),
              truncateTo<unsigned>(box.maxY() - box.minY()), angle, poly);
}

bool GeometryProcBase::calcAB(const GeoBasePoint& p1, const GeoBasePoint& p2, double& a, double& b) {
    const double run = p1.x() - p2.x();
    if (run == 0.0) return false;
    a = (p1.y() - p2.y()) / run;
    b = (p1.x() * p2.y() - p2.x() * p1.y()) / run;
    return true;
}

bool GeometryProcBase::calcABC(const GeoBasePoint& p1, const GeoBasePoint& p2, double& a, double& b, double& c,
                               double tolerance) {
    const double dx = p2.x() - p1.x(), dy = p2.y() - p1.y();
    if (tooShort(dx * dx + dy * dy, tolerance)) return false;
    const double length = distance(dx, dy);
    a = -dy / length;
    b = dx / length;
    c = cross(p1.x(), p1.y(), p2.x(), p2.y()) / length;
    return true;
}

bool GeometryProcBase::setBox(const GeoBasePoly& poly, GeoBaseBox& box) {
    return boundsOf(poly.getPoly().front(), box);
}

bool GeometryProcBase::setBox(const GeoBaseLine& line, GeoBaseBox& box) { return boundsOf(line.getLine(), box); }

bool GeometryProcBase::calcInterPos(const GeoBasePoint& p1, const GeoBasePoint& p2, const GeoBasePoint& p3,
                                    const GeoBasePoint& p4, double tolerance, double& x, double& y) {
    const double dx1 = p2.x() - p1.x(), dy1 = p2.y() - p1.y();
    const double dx2 = p4.x() - p3.x(), dy2 = p4.y() - p3.y();
    if (tooShort(dx1 * dx1 + dy1 * dy1, tolerance) || tooShort(dx2 * dx2 + dy2 * dy2, tolerance)) return false;
    const double length1 = distance(dx1, dy1), length2 = distance(dx2, dy2);
    const double ux = dx1 / length1, uy = dy1 / length1, vx = dx2 / length2, vy = dy2 / length2;
    const double d = cross(ux, uy, vx, vy);
    if (std::fabs(d) < tolerance || d == 0.0) return false;
    const double cu = cross(p1.x(), p1.y(), p2.x(), p2.y()) / length1;
    const double cv = cross(p3.x(), p3.y(), p4.x(), p4.y()) / length2;
    x = (ux * cv - vx * cu) / d;
    y = (uy * cv - vy * cu) / d;
    return true;
}

bool GeometryProcBase::intersects(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                                  double y4) {
    if (std::min(x1, x2) > std::max(x3, x4) || std::min(x3, x4) > std::max(x1, x2)) return false;
    if (std::min(y1, y2) > std::max(y3, y4) || std::min(y3, y4) > std::max(y1, y2)) return false;
    return decideInterPos(x1, y1, x2, y2, x3, y3, x4, y4, kSegmentTolerance);
}

bool GeometryProcBase::decideInterPos(double x1, double y1, double x2, double y2, double x3, double y3,
                                      double x4, double y4, double tolerance) {
    if (checkSame(x1, y1, x2, y2) || checkSame(x3, y3, x4, y4)) return false;
    const double dx = x2 - x1, dy = y2 - y1;
    const double denominator = (x4 - x3) * dy - dx * (y4 - y3);
    if (std::fabs(denominator) < tolerance || denominator == 0.0) {
        return distance(x1, y1, x2, y2, x3, y3) == 0.0 && distance(x1, y1, x2, y2, x4, y4) == 0.0;
    }
    const double t = ((x4 - x3) * (y3 - y1) - (x3 - x1) * (y4 - y3)) / denominator;
    const double s = (dx * (y3 - y1) - (x3 - x1) * dy) / denominator;
    return 0.0 <= t && t <= 1.0 && 0.0 <= s && s <= 1.0;
}

bool GeometryProcBase::intersectsPoly(const GeoBaseLine& ring) {
    const size_t n = ring.getPtNum();
    if (n <= 4) return false;
    for (size_t i = 0; i + 4 <= n; ++i) {
        // The first and the last segment share the closing point.
        const size_t lastSegment = i == 0 ? n - 3 : n - 2;
        for (size_t j = i + 2; j <= lastSegment; ++j) {
            if (segmentsMeet(ring, i, ring, j)) return true;
        }
    }
    return false;
}

bool GeometryProcBase::intersects(const GeoBaseLine& a, const GeoBaseLine& b) {
    GeoBaseBox boxA, boxB;
    setBox(a, boxA);
    setBox(b, boxB);
    if (boxInBox(boxA, boxB) == 0) return false;
    for (size_t i = 0; i + 1 < a.getPtNum(); ++i) {
        for (size_t j = 0; j + 1 < b.getPtNum(); ++j) {
            if (segmentsMeet(a, i, b, j)) return true;
        }
    }
    return false;
}

namespace {

// End points of polylines: point -> (line index -> true where the line starts
// there, false where it ends there).
using EndKey = std::pair<double, double>;
using EndIndex = std::map<EndKey, std::map<size_t, bool>>;

EndKey frontKey(const GeoBaseLine& line) { return {line.x(0), line.y(0)}; }

EndKey backKey(const GeoBaseLine& line) {
    const size_t last = line.getPtNum() - 1;
    return {line.x(last), line.y(last)};
}

EndIndex indexEnds(const std::vector<GeoDataLine>& lines) {
    EndIndex index;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].getPtNum() == 0) continue;
        index[frontKey(lines[i])][i] = true;
        index[backKey(lines[i])][i] = false;
    }
    return index;
}

void unindexAt(EndIndex& index, const EndKey& key, size_t line) {
    const auto found = index.find(key);
    if (found == index.end()) return;
    found->second.erase(line);
    if (found->second.empty()) index.erase(found);
}

void unindex(EndIndex& index, const std::vector<GeoDataLine>& lines, size_t line) {
    unindexAt(index, frontKey(lines[line]), line);
    unindexAt(index, backKey(lines[line]), line);
}

// Appends `next` to `merged`, which ends where `next` starts (or ends when
// `startsThere` is false), without repeating the joint.
void appendAtJoint(GeoDataLine& merged, const GeoBaseLine& next, bool startsThere) {
    const std::vector<GeoBasePoint>& points = next.getLine();
    if (startsThere) {
        merged.addCoords(points.begin() + 1, points.end());
    } else {
        merged.addCoords(points.rbegin() + 1, points.rend());
    }
}

GeoDataLine growFrom(EndIndex& index, const std::vector<GeoDataLine>& lines, size_t first) {
    GeoDataLine merged = lines[first];
    unindex(index, lines, first);
    while (true) {
        const bool headOpen = index.count(frontKey(merged)) > 0;
        const bool tailOpen = index.count(backKey(merged)) > 0;
        if (!headOpen && !tailOpen) return merged;
        if (!tailOpen) merged.reverse();
        const auto next = *index.at(backKey(merged)).begin();
        appendAtJoint(merged, lines[next.first], next.second);
        unindex(index, lines, next.first);
    }
}

// The ring closed and turned clockwise.
GeoDataLine closedClockwise(const GeoBaseLine& ring) {
    GeoDataLine closed = ring;
    const size_t last = ring.getPtNum() - 1;
    if (!GeometryProcBase::checkSame(ring.x(0), ring.y(0), ring.x(last), ring.y(last))) {
        closed.addCoord(ring.x(0), ring.y(0));
    }
    if (!GeometryProcBase::checkClockwise(closed)) closed.reverse();
    return closed;
}

// Fan triangles of a closed convex ring from its first point.
void fanTriangles(const GeoBaseLine& piece, std::vector<GeoDataLine>& triangles) {
    for (size_t i = 1; i + 3 <= piece.getPtNum(); ++i) {
        GeoDataLine triangle;
        triangle.addCoord(piece.x(0), piece.y(0));
        triangle.addCoord(piece.x(i), piece.y(i));
        triangle.addCoord(piece.x(i + 1), piece.y(i + 1));
        triangles.push_back(triangle);
    }
}

// Neighbours of vertex k in a closed ring, the closing duplicate standing for point 0.
size_t previousVertex(size_t k, size_t n) { return k == 0 ? n - 2 : k - 1; }
size_t nextVertex(size_t k, size_t n) { return k == n - 1 ? 1 : k + 1; }
size_t sameVertex(size_t i, size_t n) { return i == n - 1 ? 0 : i; }

bool isCleanPiece(const GeoBaseLine& piece) {
    return GeometryProcBase::checkClockwise(piece) && !GeometryProcBase::intersectsPoly(piece);
}

// Corner k of a closed ring with its neighbours; the closing duplicate
// stands for point 0.
struct Corner {
    Corner(const GeoBaseLine& ring, size_t k)
        : index(k),
          previousIndex(previousVertex(k, ring.getPtNum())),
          nextIndex(nextVertex(k, ring.getPtNum())),
          vertex(pointAt(ring, k)),
          previous(pointAt(ring, previousIndex)),
          next(pointAt(ring, nextIndex)) {}

    // Whether vertex i is the corner or one of its neighbours.
    bool touches(size_t i, size_t n) const {
        const size_t same = sameVertex(i, n);
        return same == sameVertex(index, n) || same == sameVertex(previousIndex, n) ||
               same == sameVertex(nextIndex, n);
    }

    size_t index, previousIndex, nextIndex;
    GeoDataPoint vertex, previous, next;
};

// Vertices the reflex corner can be cut to, so that both pieces stay clockwise
// and simple, by their distance from the corner (in the order found).
std::multimap<double, size_t> splitCandidates(const GeoBaseLine& ring, const Corner& corner) {
    const size_t n = ring.getPtNum();
    const double concaveAngle = GeometryProcBase::calcAngle(corner.previous, corner.vertex, corner.next);
    std::multimap<double, size_t> candidates;
    for (size_t i = 0; i < n; ++i) {
        if (corner.touches(i, n)) continue;
        const double angle = GeometryProcBase::calcAngle(corner.previous, corner.vertex, pointAt(ring, i));
        if (angle == 0.0 || angle >= concaveAngle) continue;
        GeoDataLine first, second;
        GeometryProcBase::split(ring, corner.index, i, first, second);
        if (isCleanPiece(first) && isCleanPiece(second)) {
            candidates.emplace(GeometryProcBase::distance(corner.vertex, pointAt(ring, i)), i);
        }
    }
    return candidates;
}

// Among the nearest candidates the first that leaves no reflex angle at the
// corner on either side, else the first of them.
size_t pickSplitPos(const GeoBaseLine& ring, const Corner& corner, const std::multimap<double, size_t>& candidates) {
    const auto nearest = candidates.equal_range(candidates.begin()->first);
    for (auto it = nearest.first; it != nearest.second; ++it) {
        const GeoDataPoint candidate = pointAt(ring, it->second);
        if (GeometryProcBase::calcAngle(corner.previous, corner.vertex, candidate) < 180.0 &&
            GeometryProcBase::calcAngle(candidate, corner.vertex, corner.next) < 180.0) {
            return it->second;
        }
    }
    return nearest.first->second;
}

bool findSplitPos(const GeoBaseLine& ring, size_t k, size_t& m) {
    const Corner corner(ring, k);
    const std::multimap<double, size_t> candidates = splitCandidates(ring, corner);
    if (candidates.empty()) return false;
    m = pickSplitPos(ring, corner, candidates);
    return true;
}

// Cuts the first ring of the work list at its reflex vertex: the first piece
// takes its place, the second goes to the end. False when there is no cut.
bool splitFront(std::deque<GeoDataLine>& work, size_t concave) {
    size_t cut = 0;
    GeoDataLine first, second;
    if (!GeometryProcBase::getSplitPos(work.front(), concave, cut) ||
        !GeometryProcBase::split(work.front(), concave, cut, first, second)) {
        return false;
    }
    work.front() = first;
    work.push_back(second);
    return true;
}

}  // namespace

void GeometryProcBase::lineMerge(std::vector<GeoDataLine>& lines) {
    EndIndex index = indexEnds(lines);
    std::vector<GeoDataLine> merged;
    while (!index.empty()) {
        merged.push_back(growFrom(index, lines, index.begin()->second.begin()->first));
    }
    lines.swap(merged);
}

bool GeometryProcBase::triangulationLine(const GeoBaseLine& ring, std::vector<GeoDataLine>& triangles) {
    if (ring.getPtNum() < 3) return false;
    std::deque<GeoDataLine> work{closedClockwise(ring)};
    bool complete = true;
    while (!work.empty()) {
        const long concave = getConcavePos(work.front());
        if (concave < 0) {
            fanTriangles(work.front(), triangles);
            work.pop_front();
        } else if (!splitFront(work, static_cast<size_t>(concave))) {
            complete = false;
            work.pop_front();
        }
    }
    return complete;
}

long GeometryProcBase::getConcavePos(const GeoBaseLine& ring) {
    const size_t n = ring.getPtNum();
    if (n < 3) return -1;
    for (size_t k = 0; k + 1 < n; ++k) {
        const size_t previous = previousVertex(k, n);
        if (calcAngle(pointAt(ring, previous), pointAt(ring, k), pointAt(ring, k + 1)) > 180.0) {
            return static_cast<long>(k);
        }
    }
    return -1;
}

bool GeometryProcBase::getSplitPos(const GeoBaseLine& ring, size_t k, size_t& m) {
    const size_t n = ring.getPtNum();
    const bool found = n >= 3 && k < n && findSplitPos(ring, k, m);
    if (!found && n > 0) {
        K7D_LOG_ERROR("分割候補が見つかりませんでした", truncateTo<uint64_t>(ring.x(0)),
                      truncateTo<uint64_t>(ring.y(0)));
    }
    return found;
}

bool GeometryProcBase::split(const GeoBaseLine& ring, size_t k, size_t m, GeoDataLine& first, GeoDataLine& second) {
    const size_t lo = std::min(k, m), hi = std::max(k, m);
    if (lo == hi || hi >= ring.getPtNum()) return false;
    const std::vector<GeoBasePoint>& points = ring.getLine();
    const auto at = [&points](size_t i) { return points.begin() + static_cast<std::ptrdiff_t>(i); };
    first.setCoords(points.begin(), at(lo + 1));
    first.addCoords(at(hi), points.end());
    second.setCoords(at(lo), at(hi + 1));
    second.addCoord(points[lo].x(), points[lo].y());
    return true;
}

int GeometryProcBase::checkTriangle(GeoBaseLine& ring, size_t a, size_t b, size_t c) {
    const size_t n = ring.getPtNum();
    if (a >= n || b >= n || c >= n) return 0;
    const GeoDataPoint pa = pointAt(ring, a), pb = pointAt(ring, b), pc = pointAt(ring, c);
    if (checkSame(pa, pb) || checkSame(pc, pb)) {
        K7D_LOG_DEBUG("Same Point");
        ring.deleteCoord(b);
        return 1;
    }
    const double angle = calcAngle(pa, pb, pc);
    K7D_LOG_DEBUG("angle", angle);
    if (angle == 0.0 || angle == 180.0 || angle == 360.0) {
        K7D_LOG_DEBUG("Invalid Angle");
        ring.deleteCoord(b);
        return 1;
    }
    if (angle > 180.0) return 0;
    const GeoDataLine cutLine(std::vector<GeoBasePoint>{pa, pc});
    const std::vector<GeoBasePoint>& points = ring.getLine();
    GeoDataLine restLine(points.begin() + static_cast<std::ptrdiff_t>(c + 1), points.end());
    if (a > 1) restLine.addCoords(points.begin() + 1, points.begin() + static_cast<std::ptrdiff_t>(a));
    ring.deleteCoord(b);
    const char* refusal = nullptr;
    if (intersectsPoly(ring)) {
        refusal = "Self Intersect";
    } else if (intersects(cutLine, restLine)) {
        refusal = "Split Line Intersect";
    } else if (!checkClockwise(ring)) {
        refusal = "counter clockwise";
    }
    if (refusal == nullptr) return 2;
    K7D_LOG_DEBUG(refusal);
    ring.insertCoord(b, pb.x(), pb.y());
    return 0;
}
