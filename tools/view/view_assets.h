// The page's files, built into the program: no request path ever reaches the file system.
#pragma once

#include <span>
#include <string_view>

struct ViewAsset {
    std::string_view path;  // as requested, e.g. "/view.js"
    std::string_view contentType;
    std::string_view bytes;
};

std::span<const ViewAsset> ViewAssets();
