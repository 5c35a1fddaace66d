#include "files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

void writeBytes(const std::string& path, const Bytes& bytes)
{
    std::filesystem::path target(path);
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put16(Bytes& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(Bytes& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

uint32_t get16(const Bytes& in, size_t at)
{
    return at + 2 <= in.size() ? uint32_t(in[at]) | uint32_t(in[at + 1]) << 8 : 0;
}

uint32_t get32(const Bytes& in, size_t at)
{
    return get16(in, at) | get16(in, at + 2) << 16;
}
