// Checks that an OBJ file written by `velmora normals --format obj` from an OBJ object differs
// from that object only where it may: `vn` lines, and the normal indices of faces' corners.
// Prints the first other difference and fails.
// Usage: obj_normals_compare INPUT.obj OUTPUT.obj
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// A face's corner `v/t/n` or `v//n` without its normal index: `v/t` or `v`.
std::string WithoutNormal(const std::string &corner) {
    std::size_t first = corner.find('/');
    if (first == std::string::npos) return corner;
    std::size_t second = corner.find('/', first + 1);
    std::string kept = corner.substr(0, second);
    return kept.back() == '/' ? kept.substr(0, kept.size() - 1) : kept;
}

// The line with each face corner's normal index taken out; spacing and comments stay.
std::string Unnormalled(const std::string &line) {
    std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 2, "f ") != 0) return line;
    std::string result = line.substr(0, start + 1);
    std::size_t at = start + 1;
    while (at < line.size()) {
        std::size_t word = line.find_first_not_of(" \t\r", at);
        result += line.substr(at, word == std::string::npos ? std::string::npos : word - at);
        if (word == std::string::npos || line[word] == '#') {
            if (word != std::string::npos) result += line.substr(word);
            break;
        }
        std::size_t end = line.find_first_of(" \t\r", word);
        result += WithoutNormal(line.substr(word, end - word));
        at = end == std::string::npos ? line.size() : end;
    }
    return result;
}

bool IsNormal(const std::string &line) {
    std::size_t start = line.find_first_not_of(" \t");
    return start != std::string::npos && line.compare(start, 3, "vn ") == 0;
}

std::vector<std::string> KeptLines(const char *path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error(std::string("cannot open ") + path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        if (!IsNormal(line)) lines.push_back(Unnormalled(line));
    return lines;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::cerr << "usage: obj_normals_compare INPUT.obj OUTPUT.obj\n";
        return 2;
    }
    try {
        std::vector<std::string> input = KeptLines(argv[1]), output = KeptLines(argv[2]);
        for (std::size_t i = 0; i < std::max(input.size(), output.size()); ++i) {
            std::string a = i < input.size() ? input[i] : "(end)";
            std::string b = i < output.size() ? output[i] : "(end)";
            if (a == b) continue;
            std::cerr << "statement " << i + 1 << " (without vn lines) differs:\n  " << a << "\n  "
                      << b << "\n";
            return 1;
        }
    } catch (const std::exception &error) {
        std::cerr << "obj_normals_compare: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
