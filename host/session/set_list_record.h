// The module's record of polygon-set settings as the host reads it, strictly, before handing it
// to the module: the module reads whatever it is given leniently and without a word, as a plug-in
// must, so that a damaged or foreign record would otherwise load as nothing at all.
//
// The record: a version (I4 256); a PluginDataLib block holding a count of parameter blocks and
// that many PluginDataParam blocks, each a name, a type and its values; the one parameter,
// "plist" of type PUSR, holds a count of sets and for each its name, enabled (I4), smoothing angle
// in radians (8 bytes, most significant first) and same-set-only (I4).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/streams/load_stream.h"

struct StoredSet {
    std::string name;
    int enabled = 0;
    double angleRadians = 0;
    int sameSetOnly = 0;
};

// How strictly a record is read. A flag other than 0 or 1 and a repeated set are refused only
// `asEdited`, in a settings file a person may have edited: the module keeps both (a flag read as
// on, the first of two sets used), and a block an object stores, which a host or another tool
// wrote, is read `asStored`, as the module reads it.
enum class StoredSetReading { asStored, asEdited };

// Reads the record at the stream's position; no string in it is longer than `longestText` bytes
// (the size of the stream's data is always enough). Throws std::runtime_error saying what is
// wrong, at the read that found it, when the module would lose or misread anything: an unknown
// version, a missing block, an unknown parameter, a count the record does not hold, a set cut
// short, a name longer than the module reads, an angle that is not finite or outside 0 to 360
// degrees (what a user may give). Reads `asStored`.
std::vector<StoredSet> ReadStoredSets(LoadStream &stream, std::size_t longestText);
// The same with a buffer for the texts, which must hold the longest text and its NUL (readers of
// many records pass one buffer to them all), read as `reading` says.
std::vector<StoredSet> ReadStoredSets(LoadStream &stream, std::vector<char> &buffer,
                                      StoredSetReading reading);

// Throws std::runtime_error naming the first set that no longer fits the binary form's 16-bit
// block size, counting the sets before it.
void CheckBinaryFit(const std::vector<StoredSet> &sets);

// The longest set name the module reads back whole.
inline constexpr std::size_t LongestStoredSetName = 510;
