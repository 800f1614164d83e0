// Writes the large and binary hostile inputs the command's tests feed it, at test time, so that
// none of them is kept in the repository:
//   many_corners.obj     one polygon of ten million corners
//   long_line.obj        a box quad after a comment line of 16 MiB
//   chunk_near_4g.lwo    an LWO2 whose PNTS chunk claims 0xFFFFFFF0 bytes
//   form_near_4g.lwo     an LWO2 whose FORM claims 0xFFFFFFFC bytes
//   deep.settings        a settings file of 100 000 nested blocks
//   long_name.settings   a settings file whose set name is 100 KiB long
//   random.settings      4 KiB of pseudo-random bytes
//   infinite_point.lwo   a triangle with a point at +inf
//   nan_point.lwo        a triangle with a point at NaN
//   fan.obj              200 000 triangles around one point, a low cone
//   fan_5000.obj         5 000 of them
//   grid.obj             a grid of 360 000 quads, long enough to write to be interrupted
//   huge.obj             a sparse file one byte beyond the most a file may hold
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <limits>
#include <numbers>
#include <random>
#include <string>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo2_writer.h"
#include "host/formats/obj_writer.h"
#include "host/scene/mesh_generators.h"

namespace {

void Put32(std::string &out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(value >> shift);
}

// A FORM LWO2 that claims `formSize` bytes, holding a PNTS chunk that claims `pointsSize` bytes
// and one point.
std::string Lwo2Claiming(std::uint32_t formSize, std::uint32_t pointsSize) {
    std::string out = "FORM";
    Put32(out, formSize);
    out += "LWO2PNTS";
    Put32(out, pointsSize);
    out.append(12, '\0');
    return out;
}

std::string ManyCorners() {
    constexpr int Corners = 10'000'000;
    std::string out = "v 0 0 0\nv 1 0 0\nv 0 1 0\ng Huge\nf";
    out.reserve(out.size() + 2 * static_cast<std::size_t>(Corners) + 1);
    for (int corner = 0; corner < Corners; ++corner)
        out += corner % 3 == 0 ? " 1" : corner % 3 == 1 ? " 2" : " 3";
    return out + "\n";
}

std::string LongLine() {
    return "# " + std::string(16 << 20, 'x') +
           "\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\ng Top\nf 1 2 3 4\n";
}

std::string DeepSettings() {
    constexpr int Depth = 100'000;
    std::string out = "VelmoraSettings 1\n";
    for (int level = 0; level < Depth; ++level) out += "{ Surface\n";
    for (int level = 0; level < Depth; ++level) out += "}\n";
    return out;
}

std::string LongNameSettings() {
    return "VelmoraSettings 1\n{ Surface\n  \"Box\"\n  256\n  { PluginDataLib\n    1\n"
           "    { PluginDataParam\n      \"plist\"\n      50555352\n      1\n      \"" +
           std::string(100 << 10, 'n') +
           "\"\n      1\n      3FC657184AE74487\n      0\n    }\n  }\n}\n";
}

std::string RandomBytes() {
    std::minstd_rand random(11);
    std::string out(4096, '\0');
    for (char &byte : out) byte = static_cast<char>(random());
    return out;
}

// A triangle of the box's surface whose second point is `far`.
void WriteTriangleWith(const std::string &path, float far) {
    MeshData mesh = MakeMesh({{0, 0, 0}, {far, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
    TagAll(mesh, {"Box", "Lid"});
    WriteLwo2(*MakeObjectFile(path, std::move(mesh)), path);
}

// `triangles` around one point, a low cone.
std::string Fan(int triangles) {
    std::string out = "v 0 0 0.2\n";
    for (int i = 0; i < triangles; ++i) {
        double angle = 2 * std::numbers::pi * i / triangles;
        out +=
            "v " + std::to_string(std::cos(angle)) + " " + std::to_string(std::sin(angle)) + " 0\n";
    }
    out += "g Fan\n";
    for (int i = 0; i < triangles; ++i)
        out +=
            "f 1 " + std::to_string(2 + i) + " " + std::to_string(2 + (i + 1) % triangles) + "\n";
    return out;
}

bool WriteSparse(const std::string &path, std::uintmax_t size) {
    std::error_code error;
    std::ofstream{path, std::ios::trunc};
    std::filesystem::resize_file(path, size, error);
    if (!error) return true;
    std::fprintf(stderr, "hostile_inputs: cannot write %s: %s\n", path.c_str(),
                 error.message().c_str());
    return false;
}

bool Write(const std::string &folder, const char *name, const std::string &bytes) {
    std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (file) return true;
    std::fprintf(stderr, "hostile_inputs: cannot write %s/%s\n", folder.c_str(), name);
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: hostile_inputs FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    bool written = Write(folder, "many_corners.obj", ManyCorners()) &&
                   Write(folder, "long_line.obj", LongLine()) &&
                   Write(folder, "chunk_near_4g.lwo", Lwo2Claiming(24, 0xFFFFFFF0u)) &&
                   Write(folder, "form_near_4g.lwo", Lwo2Claiming(0xFFFFFFFCu, 12)) &&
                   Write(folder, "deep.settings", DeepSettings()) &&
                   Write(folder, "long_name.settings", LongNameSettings()) &&
                   Write(folder, "random.settings", RandomBytes()) &&
                   Write(folder, "fan.obj", Fan(200'000)) &&
                   Write(folder, "fan_5000.obj", Fan(5000)) &&
                   WriteSparse(folder + "/huge.obj", MostFileBytes + 1);
    try {
        WriteTriangleWith(folder + "/infinite_point.lwo", std::numeric_limits<float>::infinity());
        WriteTriangleWith(folder + "/nan_point.lwo", std::numeric_limits<float>::quiet_NaN());
        written = written &&
                  Write(folder, "grid.obj",
                        ObjText(*MakeObjectFile("grid.obj", MakeGrid(600, 600, {"Grid", "Grid"}))));
    } catch (const std::exception &error) {
        std::fprintf(stderr, "hostile_inputs: %s\n", error.what());
        return 1;
    }
    return written ? 0 : 1;
}
