#include "tools/velmora/apply_target.h"

#include <filesystem>
#include <stdexcept>

#include "host/formats/object_reader.h"

void CheckApplyTarget(const std::string &input, const std::string &output, bool inputIsLwo2) {
    std::string extension = ObjectExtension(output);
    if (!extension.empty() && extension != "lwo")
        throw std::runtime_error(output + ": apply writes LWO2 objects, and ." + extension +
                                 " names another format; give the output a .lwo name");
    std::error_code unknown;
    if (!inputIsLwo2 && std::filesystem::equivalent(input, output, unknown))
        throw std::runtime_error(output + ": this is the input " + input +
                                 " itself, which apply only converts; give the LWO2 output "
                                 "another name");
}
