#include "tools/velmora/apply_target.h"

#include <filesystem>
#include <stdexcept>

#include "host/formats/object_reader.h"
#include "tools/velmora/input_guard.h"

void CheckApplyTarget(const std::string &input, const std::string &output, bool inputIsLwo2) {
    std::string extension = ObjectExtension(output);
    if (!extension.empty() && extension != "lwo")
        throw OutputRefused(output + ": apply writes LWO2 objects, and ." + extension +
                            " names another format; give the output a .lwo name");
    std::error_code unknown;
    if (!std::filesystem::equivalent(input, output, unknown)) return;
    if (!inputIsLwo2)
        throw OutputRefused(output + ": this is the input " + input +
                            " itself, which apply only converts; give the LWO2 output "
                            "another name");
    // An edit replaces the file under the name it is written to: under another name of the same
    // file (a hard link), the input's own name would keep the object as it was.
    if (std::filesystem::canonical(input, unknown) != std::filesystem::canonical(output, unknown))
        throw OutputRefused(output + ": this is another name (a hard link) of the input " + input +
                            "; apply writes a new file under the name given, so " + input +
                            " would keep its old settings: give " + input +
                            " itself, or a new name");
}
