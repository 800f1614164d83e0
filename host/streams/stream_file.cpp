#include "host/streams/stream_file.h"

#include <stdexcept>

#include "host/formats/file_bytes.h"
#include "host/streams/binary_stream.h"
#include "host/streams/text_stream.h"

namespace {

[[noreturn]] void Fail(const std::string &path, const std::string &problem) {
    throw std::runtime_error(path + ": " + problem);
}

}  // namespace

void WriteStreamFile(const std::string &path, const SaveStream &stream) {
    const std::vector<unsigned char> *bytes = nullptr;
    try {
        bytes = &stream.bytes();
    } catch (const std::exception &e) {
        Fail(path, e.what());
    }
    WriteFileAtomically(path, std::span(bytes->data(), bytes->size()));
}

std::vector<unsigned char> ReadStreamFile(const std::string &path) {
    return ReadFileBytes(path);
}

std::unique_ptr<SaveStream> MakeSaveStream(int ioMode) {
    if (ioMode == LWIO_ASCII) return std::make_unique<TextSaveStream>();
    return std::make_unique<BinarySaveStream>();
}

std::unique_ptr<LoadStream> MakeLoadStream(int ioMode, std::vector<unsigned char> bytes) {
    if (ioMode == LWIO_ASCII) return std::make_unique<TextLoadStream>(std::move(bytes));
    return std::make_unique<BinaryLoadStream>(std::move(bytes));
}

std::unique_ptr<LoadStream> OpenLoadStream(int ioMode, const std::string &path) {
    return MakeLoadStream(ioMode, ReadStreamFile(path));
}
