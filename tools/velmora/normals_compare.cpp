// Compares two normals exports: the same lines and text fields, numbers within a tolerance. The
// Windows build's output is checked against the native one this way, since x87 and SSE
// arithmetic may differ in the last bits.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Fields(const std::string &line) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
    return fields;
}

bool SameField(const std::string &a, const std::string &b, double tolerance) {
    if (a == b) return true;
    char *endA = nullptr, *endB = nullptr;
    double x = std::strtod(a.c_str(), &endA), y = std::strtod(b.c_str(), &endB);
    return *endA == '\0' && *endB == '\0' && std::fabs(x - y) <= tolerance;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 4) {
        std::cerr << "usage: normals_compare EXPECTED.csv ACTUAL.csv TOLERANCE\n";
        return 2;
    }
    std::ifstream expected(argv[1]), actual(argv[2]);
    if (!expected || !actual) {
        std::cerr << "normals_compare: cannot read " << (expected ? argv[2] : argv[1]) << "\n";
        return 2;
    }
    double tolerance = std::atof(argv[3]);
    std::string want, got;
    for (int line = 1;; ++line) {
        bool moreWanted = static_cast<bool>(std::getline(expected, want));
        bool moreGot = static_cast<bool>(std::getline(actual, got));
        if (!moreWanted && !moreGot) return 0;
        std::vector<std::string> a = Fields(moreWanted ? want : ""), b = Fields(moreGot ? got : "");
        bool same = moreWanted == moreGot && a.size() == b.size();
        for (std::size_t i = 0; same && i < a.size(); ++i) same = SameField(a[i], b[i], tolerance);
        if (!same) {
            std::cerr << "line " << line << " differs:\n  expected: " << want
                      << "\n  actual:   " << got << "\n";
            return 1;
        }
    }
}
