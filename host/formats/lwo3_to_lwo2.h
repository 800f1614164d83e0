// Converts an LWO3 object to LWO2 by its bytes, so that a host which reads LWO2 gets the object as
// it was saved, not only what the scene model keeps of it.
//
// LWO3 lays its mesh chunks out as LWO2 does (TAGS, LAYR, PNTS, BBOX, VMAP, VMAD, VMPA, POLS,
// PTAG, DESC, TEXT, ICON): these are copied as they are, so every layer, point, polygon of every
// type, polygon tag of every type and vertex map comes across. Its surfaces differ: each is a
// FORM SURF whose chunks have 4-byte sizes. Each becomes an LWO2 SURF chunk with the same name and
// source, carrying every attribute chunk whose body LWO2 reads alike (colour, diffuse, smoothing,
// sides...) under a 2-byte size. An attribute's envelope refers to an LWO3 envelope form, which is
// not carried, so the attribute keeps its value and loses its animation. Everything else (node
// graphs, texture and shader layers, images, envelopes, chunks LWO2 has no equal of) is named in
// the losses.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct Lwo3Conversion {
    std::vector<std::uint8_t> bytes;  // a complete LWO2 object
    // One line per kind of content not carried, named for the user: top-level chunks and forms
    // with their counts, then one line per surface listing what it drops.
    std::vector<std::string> losses;
};

// Throws FormatError naming `filename`, the chunk and its byte offset when the bytes are not a
// readable LWO3 object.
Lwo3Conversion ConvertLwo3ToLwo2(std::span<const std::uint8_t> bytes, const std::string &filename);
