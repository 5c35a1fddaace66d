// Whole-file reads and writes for the generator.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Writes the bytes, creating missing parent directories; throws on failure,
// so a build never reports success with a file missing or cut short.
void writeBytes(const std::string& path, const Bytes& bytes);
// Reads a whole file; empty when it cannot be read.
Bytes readBytes(const std::string& path);

// Little-endian appends, the byte order of TGA, BMP and WAV headers.
void put16(Bytes& out, uint32_t v);
void put32(Bytes& out, uint32_t v);
uint32_t get16(const Bytes& in, size_t at);
uint32_t get32(const Bytes& in, size_t at);
