// Small GIF files put together byte by byte, for the cases no encoder
// writes: hostile lengths, codes and sizes. Pixel data is written as
// literal LZW codes (each index its own code), which any decoder reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace giftest {

struct Rgb {
    uint8_t r, g, b;
};

// LZW codes, LSB first, packed into bytes (no sub-block framing).
class CodeWriter {
public:
    void Put(int code, int bits);
    std::vector<uint8_t> Finish();

private:
    std::vector<uint8_t> bytes_;
    uint32_t buffer_ = 0;
    int count_ = 0;
};

// Literal LZW data for `indices`: a clear code, one literal per index with
// the code size a decoder's growing table calls for, the end code. With
// `clearEvery` > 0 a clear code follows every that many literals.
std::vector<uint8_t> LiteralLzw(const std::vector<uint8_t>& indices, int minCodeSize, int clearEvery = 0,
                                bool endCode = true);

struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
    std::vector<uint8_t> indices;  // width * height, row by row
    std::vector<Rgb> localTable;   // a power of two, 2 to 256 entries, or none
    int disposal = 0;
    int transparent = -1;
    bool graphicControl = true;
    int minCodeSize = 8;
    // Raw LZW bytes instead of the literal coding of `indices`.
    std::vector<uint8_t> rawLzw;
    bool useRaw = false;
};

class Builder {
public:
    Builder(int width, int height, std::vector<Rgb> globalTable = {}, int background = 0);
    Builder& Add(const Frame& frame);
    // Raw bytes appended as they are.
    Builder& Raw(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> Finish(bool trailer = true);

private:
    std::vector<uint8_t> out_;
};

// Appends `data` as sub-blocks of at most 255 bytes and the terminator.
void AppendSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data);

std::vector<uint8_t> ReadFile(const std::string& path);

}  // namespace giftest
