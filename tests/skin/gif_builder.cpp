#include "skin/gif_builder.h"

#include <algorithm>

#include "support/build_files.h"

namespace giftest {
namespace {

void Put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

// Table bits for `entries` colours: 2^(bits + 1) >= entries.
int TableBits(size_t entries) {
    int bits = 0;
    while ((size_t(2) << bits) < entries) ++bits;
    return bits;
}

void PutTable(std::vector<uint8_t>& out, const std::vector<Rgb>& table) {
    size_t n = size_t(2) << TableBits(table.size());
    for (size_t i = 0; i < n; ++i) {
        Rgb c = i < table.size() ? table[i] : Rgb{0, 0, 0};
        out.push_back(c.r);
        out.push_back(c.g);
        out.push_back(c.b);
    }
}

}  // namespace

void CodeWriter::Put(int code, int bits) {
    buffer_ |= static_cast<uint32_t>(code) << count_;
    count_ += bits;
    while (count_ >= 8) {
        bytes_.push_back(static_cast<uint8_t>(buffer_ & 0xFF));
        buffer_ >>= 8;
        count_ -= 8;
    }
}

std::vector<uint8_t> CodeWriter::Finish() {
    if (count_ > 0) bytes_.push_back(static_cast<uint8_t>(buffer_ & 0xFF));
    buffer_ = 0;
    count_ = 0;
    return std::move(bytes_);
}

std::vector<uint8_t> LiteralLzw(const std::vector<uint8_t>& indices, int minCodeSize, int clearEvery, bool endCode) {
    const int clear = 1 << minCodeSize;
    CodeWriter w;
    int size = minCodeSize + 1;
    int next = clear + 2;
    bool first = true;
    int sinceClear = 0;
    w.Put(clear, size);
    for (uint8_t index : indices) {
        if (clearEvery > 0 && sinceClear == clearEvery) {
            w.Put(clear, size);
            size = minCodeSize + 1;
            next = clear + 2;
            first = true;
            sinceClear = 0;
        }
        w.Put(index, size);
        ++sinceClear;
        // The decoder adds an entry for every code after the first.
        if (!first && next < 4096) {
            ++next;
            if (next == (1 << size) && size < 12) ++size;
        }
        first = false;
    }
    if (endCode) w.Put(clear + 1, size);
    return w.Finish();
}

void AppendSubBlocks(std::vector<uint8_t>& out, const std::vector<uint8_t>& data) {
    for (size_t at = 0; at < data.size(); at += 255) {
        size_t n = std::min<size_t>(255, data.size() - at);
        out.push_back(static_cast<uint8_t>(n));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                   data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    out.push_back(0);
}

Builder::Builder(int width, int height, std::vector<Rgb> globalTable, int background) {
    const char* signature = "GIF89a";
    out_.assign(signature, signature + 6);
    Put16(out_, width);
    Put16(out_, height);
    out_.push_back(globalTable.empty() ? 0 : static_cast<uint8_t>(0x80 | TableBits(globalTable.size())));
    out_.push_back(static_cast<uint8_t>(background));
    out_.push_back(0);
    if (!globalTable.empty()) PutTable(out_, globalTable);
}

Builder& Builder::Add(const Frame& f) {
    if (f.graphicControl) {
        out_.insert(out_.end(), {0x21, 0xF9, 4});
        out_.push_back(static_cast<uint8_t>(f.disposal << 2 | (f.transparent >= 0 ? 1 : 0)));
        Put16(out_, 10);
        out_.push_back(static_cast<uint8_t>(f.transparent >= 0 ? f.transparent : 0));
        out_.push_back(0);
    }
    out_.push_back(0x2C);
    Put16(out_, f.left);
    Put16(out_, f.top);
    Put16(out_, f.width);
    Put16(out_, f.height);
    out_.push_back(f.localTable.empty() ? 0 : static_cast<uint8_t>(0x80 | TableBits(f.localTable.size())));
    if (!f.localTable.empty()) PutTable(out_, f.localTable);
    out_.push_back(static_cast<uint8_t>(f.minCodeSize));
    AppendSubBlocks(out_, f.useRaw ? f.rawLzw : LiteralLzw(f.indices, f.minCodeSize < 2 ? 2 : f.minCodeSize, 200));
    return *this;
}

Builder& Builder::Raw(const std::vector<uint8_t>& bytes) {
    out_.insert(out_.end(), bytes.begin(), bytes.end());
    return *this;
}

std::vector<uint8_t> Builder::Finish(bool trailer) {
    if (trailer) out_.push_back(0x3B);
    return out_;
}

std::vector<uint8_t> ReadFile(const std::string& path) { return testing_support::ReadBuildFile(path); }

}  // namespace giftest
