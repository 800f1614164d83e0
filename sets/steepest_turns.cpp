#include "sets/steepest_turns.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double TurnCovered(double edgeDegrees, double pointDegrees) {
    constexpr double MostShareOfStep = 1.5, MostDegrees = 84;
    return std::min({std::max(edgeDegrees, pointDegrees), MostShareOfStep * edgeDegrees,
                     std::max(edgeDegrees, MostDegrees)});
}

std::vector<double> SteepestTurnsAtPoints(const ModuleNeighbourhood &neighbourhood,
                                          const std::vector<int> &setOf, std::size_t sets) {
    const std::vector<geometry::Vec3> &normal = neighbourhood.normal;
    const geometry::PointPolygons &around = neighbourhood.around;
    // The steepest turn is the least dot product's.
    std::vector<double> leastDot(sets, 1);
    for (std::size_t point = 0; point + 1 < around.first.size(); ++point) {
        const int begin = around.first[point], end = around.first[point + 1];
        if (end - begin > MostPolygonsCompared) continue;
        for (int i = begin; i < end; ++i) {
            const int p = around.polygons[i], set = setOf[p];
            if (set < 0) continue;
            for (int j = i + 1; j < end; ++j) {
                const int q = around.polygons[j];
                if (setOf[q] == set)
                    leastDot[set] = std::min(leastDot[set], Dot(normal[p], normal[q]));
            }
        }
    }
    std::vector<double> degrees;
    for (double dot : leastDot)
        degrees.push_back(std::acos(std::clamp(dot, -1.0, 1.0)) * 180 / std::numbers::pi);
    return degrees;
}
