// Benchmark: reading every entry of a 50 MB skin package with
// CSkinZipReader beside a bare zlib raw-inflate loop over the same entries
// (data offsets and sizes taken from the archive writer, no checks). Prints
// the best of several runs and the ratios.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "skin/package/skin_zip_reader.h"
#include "skin/zip_builder.h"
#include "tests/bench/bench_timing.h"

namespace {

// Bitmap-like contents (smooth gradients with some noise) and theme-like
// text: they deflate to roughly a third and a tenth of their size.
std::vector<uint8_t> Content(size_t size, uint32_t seed, bool text) {
    std::vector<uint8_t> v(size);
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1664525u + 1013904223u;
        if (text) {
            v[i] = static_cast<uint8_t>("<item id=\"btn\" value=\"skin\\a.png\"/>\r\n"[(i + (seed >> 30)) % 38]);
        } else {
            size_t x = i / 3 % 509, y = i / 3 / 509;
            v[i] = static_cast<uint8_t>((x / 2 + y / 3 + (i % 3) * 40) + ((seed >> 28) & 0x03));
        }
    }
    return v;
}

}  // namespace

int main() {
    std::vector<ziptest::Entry> entries;
    size_t total = 0;
    for (int i = 0; total < (50u << 20); ++i) {
        ziptest::Entry e;
        bool text = i % 4 == 0;
        e.name = "skin/" + std::to_string(i) + (text ? ".xml" : ".bmp");
        e.data = Content(text ? 300000 : 1500000, static_cast<uint32_t>(i), text);
        e.method = i % 7 == 6 ? 0 : 8;
        total += e.data.size();
        entries.push_back(std::move(e));
    }
    ziptest::Archive archive = ziptest::Build(entries);
    const std::vector<uint8_t>& zip = archive.bytes;

    struct Item {
        size_t dataAt, compressed, size;
        bool deflated;
    };
    std::vector<Item> items;
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t at = archive.localOffsets[i];
        size_t nameLength = zip[at + 26] | zip[at + 27] << 8, extra = zip[at + 28] | zip[at + 29] << 8;
        items.push_back({at + 30 + nameLength + extra, ziptest::Get32(zip, at + 18), entries[i].data.size(),
                         entries[i].method == 8});
    }
    entries.clear();

    const int runs = 9;
    std::vector<std::vector<uint8_t>> outputs(items.size());
    for (size_t i = 0; i < items.size(); ++i) outputs[i].resize(items[i].size);

    auto bare = [&](bool withCrc) {
        for (size_t i = 0; i < items.size(); ++i) {
            const Item& it = items[i];
            uint8_t* out = outputs[i].data();
            if (it.deflated) {
                z_stream zs{};
                inflateInit2(&zs, -MAX_WBITS);
                zs.next_in = const_cast<Bytef*>(zip.data() + it.dataAt);
                zs.avail_in = static_cast<uInt>(it.compressed);
                zs.next_out = out;
                zs.avail_out = static_cast<uInt>(it.size);
                inflate(&zs, Z_FINISH);
                inflateEnd(&zs);
            } else {
                std::memcpy(out, zip.data() + it.dataAt, it.size);
            }
            if (withCrc) (void)crc32(0, out, static_cast<uInt>(it.size));
        }
    };
    auto wholeEntries = [&] {
        auto reader = CSkinZipReader::OpenMemory(zip.data(), zip.size(), nullptr);
        SkinZipEntry e;
        reader->GetEntry(-1, &e);
        size_t ok = 0;
        std::vector<uint8_t> data;
        for (int i = 0; i < e.index; ++i) ok += reader->ReadWholeEntry(i, data) ? 1 : 0;
        return ok;
    };
    // The same through the streaming interface into buffers allocated once.
    auto streamed = [&] {
        auto reader = CSkinZipReader::OpenMemory(zip.data(), zip.size(), nullptr);
        for (size_t i = 0; i < items.size(); ++i) {
            SkinZipEntry e;
            reader->GetEntry(static_cast<int>(i), &e);
            reader->ReadEntry(static_cast<int>(i), outputs[i].data(), outputs[i].size());
            reader->CloseEntry();
        }
    };
    // The four loops take turns so that all see the same machine load.
    double bareMs = 1e300, bareCrcMs = 1e300, ours = 1e300, oursStream = 1e300;
    size_t readOk = 0;
    for (int i = 0; i < runs; ++i) {
        bareMs = std::min(bareMs, BestMilliseconds(1, [&] { bare(false); }));
        bareCrcMs = std::min(bareCrcMs, BestMilliseconds(1, [&] { bare(true); }));
        ours = std::min(ours, BestMilliseconds(1, [&] { readOk = wholeEntries(); }));
        oursStream = std::min(oursStream, BestMilliseconds(1, streamed));
    }

    std::printf("archive: %.1f MB compressed, %.1f MB in %zu entries; read whole: %zu ok\n", zip.size() / 1048576.0,
                total / 1048576.0, items.size(), readOk);
    std::printf("bare zlib raw inflate loop:              %8.2f ms\n", bareMs);
    std::printf("bare zlib raw inflate loop + CRC-32:     %8.2f ms\n", bareCrcMs);
    std::printf("CSkinZipReader::ReadWholeEntry (all):    %8.2f ms  (allocates each entry, checks sizes, CRC)\n", ours);
    std::printf("CSkinZipReader::ReadEntry (all):         %8.2f ms  (buffers allocated once, CRC)\n", oursStream);
    std::printf("ratio ReadWholeEntry / bare inflate:       %.3f\n", ours / bareMs);
    std::printf("ratio ReadWholeEntry / bare inflate + CRC: %.3f\n", ours / bareCrcMs);
    std::printf("ratio ReadEntry / bare inflate + CRC:      %.3f\n", oursStream / bareCrcMs);
    return 0;
}
