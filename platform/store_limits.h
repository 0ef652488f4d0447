#pragma once
// The bounds of the configuration store, shared by everything that writes
// it and everything that reads it back: the tree, the REGEDIT4 reader, the
// store file's writer and reader, and the import. A change the writer would
// have to refuse is refused before it is applied, so the reader never meets
// a file of ours that it cannot load.
//
// Real settings take a few hundred keys, about 50 KB of text and paths a
// dozen levels deep; every bound below is far above that.

#include <cstddef>

namespace zelvor {

// Levels of a key path below its hive.
inline constexpr std::size_t kMaxKeyDepth = 512;
// Bytes of one key name (one part of a path) and of one value name.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
// Bytes of the data of one value.
inline constexpr std::size_t kMaxValueDataBytes = std::size_t{1} << 20;

// The store file (and the store's text held in memory). The writer refuses
// a change whose text would be larger; the reader takes nothing larger.
inline constexpr std::size_t kMaxStoreBytes = std::size_t{16} << 20;
// A REGEDIT4 text to import (backups, zelvorctl reg import).
inline constexpr std::size_t kMaxImportBytes = kMaxStoreBytes;
// One logical line of a REGEDIT4 text, continuation lines included.
inline constexpr std::size_t kMaxLineBytes = std::size_t{4} << 20;
// The reader gives every key and value it reads the whole path of its key;
// these copies, summed over a text, stay below this (a real text repeats
// short paths, about as many bytes as the text itself).
inline constexpr std::size_t kMaxRepeatedPathBytes = 4 * kMaxStoreBytes;

// The longest line the writer can produce must be one the reader takes: a
// key line at full depth, and a value line with the longest name (every
// character escaped) and the most data (as hex(N): bytes, three characters
// each).
inline constexpr std::size_t kLongestKeyLine = 2 + 18 + kMaxKeyDepth * (kMaxKeyNameLength + 1);
inline constexpr std::size_t kLongestValueLine = 2 + 2 * kMaxValueNameLength + 1 + 16 + 3 * kMaxValueDataBytes;
static_assert(kLongestKeyLine <= kMaxLineBytes);
static_assert(kLongestValueLine <= kMaxLineBytes);
static_assert(kMaxLineBytes <= kMaxStoreBytes);

}  // namespace zelvor
