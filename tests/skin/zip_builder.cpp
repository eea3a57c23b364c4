#include "skin/zip_builder.h"

#include <zlib.h>

namespace ziptest {

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, static_cast<uint16_t>(v));
    Put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}
uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

namespace {
void Append16(std::vector<uint8_t>& b, uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}
void Append32(std::vector<uint8_t>& b, uint32_t v) {
    Append16(b, static_cast<uint16_t>(v));
    Append16(b, static_cast<uint16_t>(v >> 16));
}

struct Crypto {
    uint32_t k[3] = {0x12345678, 0x23456789, 0x34567890};
    static uint32_t Crc(uint32_t c, uint8_t b) { return get_crc_table()[(c ^ b) & 0xFF] ^ (c >> 8); }
    void Update(uint8_t b) {
        k[0] = Crc(k[0], b);
        k[1] = (k[1] + (k[0] & 0xFF)) * 134775813u + 1;
        k[2] = Crc(k[2], static_cast<uint8_t>(k[1] >> 24));
    }
    uint8_t Encrypt(uint8_t plain) {
        uint32_t t = (k[2] | 2) & 0xFFFF;
        uint8_t c = plain ^ static_cast<uint8_t>((t * (t ^ 1)) >> 8);
        Update(plain);
        return c;
    }
};
}  // namespace

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

uint32_t Crc32(const std::vector<uint8_t>& data) {
    return static_cast<uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data, int level) {
    z_stream zs{};
    deflateInit2(&zs, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&zs, static_cast<uLong>(data.size())) + 16);
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = static_cast<uInt>(data.size());
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    deflate(&zs, Z_FINISH);
    out.resize(zs.total_out);
    deflateEnd(&zs);
    return out;
}

Archive Build(const std::vector<Entry>& entries, const std::vector<uint8_t>& prefix, const std::string& comment) {
    Archive a;
    std::vector<uint8_t>& b = a.bytes;
    b = prefix;
    struct Done {
        uint32_t crc, compressed, uncompressed;
        uint16_t flags;
    };
    std::vector<Done> done;
    for (const Entry& e : entries) {
        uint32_t crc = Crc32(e.data);
        std::vector<uint8_t> payload = e.method == 8 ? Deflate(e.data) : e.data;
        uint16_t flags = 0;
        if (e.dataDescriptor) flags |= 8;
        if (!e.password.empty()) {
            flags |= 1;
            Crypto c;
            for (char ch : e.password) c.Update(static_cast<uint8_t>(ch));
            std::vector<uint8_t> enc;
            uint32_t seed = crc ^ 0x5EED;
            for (int i = 0; i < 11; ++i) {
                seed = seed * 1103515245u + 12345u;
                enc.push_back(c.Encrypt(static_cast<uint8_t>(seed >> 16)));
            }
            enc.push_back(
                c.Encrypt(e.dataDescriptor ? static_cast<uint8_t>(e.dosTime >> 8) : static_cast<uint8_t>(crc >> 24)));
            for (uint8_t p : payload) enc.push_back(c.Encrypt(p));
            payload.swap(enc);
        }
        Done d{crc, static_cast<uint32_t>(payload.size()), static_cast<uint32_t>(e.data.size()), flags};
        a.localOffsets.push_back(b.size());
        Append32(b, 0x04034B50);
        Append16(b, 20);
        Append16(b, flags);
        Append16(b, e.method);
        Append16(b, e.dosTime);
        Append16(b, e.dosDate);
        Append32(b, e.dataDescriptor ? 0 : crc);
        Append32(b, e.dataDescriptor ? 0 : d.compressed);
        Append32(b, e.dataDescriptor ? 0 : d.uncompressed);
        Append16(b, static_cast<uint16_t>(e.name.size()));
        Append16(b, 0);
        b.insert(b.end(), e.name.begin(), e.name.end());
        b.insert(b.end(), payload.begin(), payload.end());
        if (e.dataDescriptor) {
            Append32(b, 0x08074B50);
            Append32(b, crc);
            Append32(b, d.compressed);
            Append32(b, d.uncompressed);
        }
        done.push_back(d);
    }
    size_t centralStart = b.size();
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        const Done& d = done[i];
        a.centralOffsets.push_back(b.size());
        Append32(b, 0x02014B50);
        Append16(b, 20);
        Append16(b, 20);
        Append16(b, d.flags);
        Append16(b, e.method);
        Append16(b, e.dosTime);
        Append16(b, e.dosDate);
        Append32(b, d.crc);
        Append32(b, d.compressed);
        Append32(b, d.uncompressed);
        Append16(b, static_cast<uint16_t>(e.name.size()));
        Append16(b, 0);
        Append16(b, 0);
        Append16(b, 0);
        Append16(b, 0);
        Append32(b, (!e.name.empty() && e.name.back() == '/') ? 0x10 : 0x20);
        Append32(b, static_cast<uint32_t>(a.localOffsets[i] - prefix.size()));
        b.insert(b.end(), e.name.begin(), e.name.end());
    }
    size_t centralSize = b.size() - centralStart;
    a.endOffset = b.size();
    Append32(b, 0x06054B50);
    Append16(b, 0);
    Append16(b, 0);
    Append16(b, static_cast<uint16_t>(entries.size()));
    Append16(b, static_cast<uint16_t>(entries.size()));
    Append32(b, static_cast<uint32_t>(centralSize));
    Append32(b, static_cast<uint32_t>(centralStart - prefix.size()));
    Append16(b, static_cast<uint16_t>(comment.size()));
    b.insert(b.end(), comment.begin(), comment.end());
    return a;
}

}  // namespace ziptest
