// For tests of the writers: everything a writer puts into a stream, as text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

template <typename Write>
std::string Written(Write write) {
    std::FILE *file = std::tmpfile();
    write(file);
    std::string text(static_cast<std::size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    EXPECT_EQ(std::fread(text.data(), 1, text.size(), file), text.size());
    std::fclose(file);
    return text;
}
