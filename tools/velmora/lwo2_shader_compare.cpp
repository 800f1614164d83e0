// Checks an object `apply` edited against the original: equal chunk by chunk, but for the sizes
// and the data of one server's shader blocks of the surfaces named, and with --parts the PART
// polygon tags and the names added to the tags. Exit status 0 when so; else the first other
// difference is printed and the status is 1.
#include <iostream>

#include "host/formats/file_bytes.h"
#include "host/formats/lwo2_shader_compare_testing.h"

int main(int argc, char **argv) {
    bool partTags = argc > 1 && std::string(argv[1]) == "--parts";
    if (partTags) {
        --argc;
        ++argv;
    }
    if (argc < 4) {
        std::cerr << "usage: lwo2_shader_compare [--parts] ORIGINAL EDITED SERVER [SURFACE...]\n";
        return 2;
    }
    try {
        std::string difference =
            DifferenceBeyondShaderData(ReadFileBytes(argv[1]), ReadFileBytes(argv[2]), argv[3],
                                       std::vector<std::string>(argv + 4, argv + argc), partTags);
        if (!difference.empty()) {
            std::cerr << argv[2] << ": " << difference << "\n";
            return 1;
        }
    } catch (const std::exception &error) {
        std::cerr << "lwo2_shader_compare: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
