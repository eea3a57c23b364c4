#include "skin/hostile_archives.h"

#include "skin/zip_builder.h"

namespace ziptest {
namespace {

std::vector<uint8_t> Pattern(size_t n, uint32_t seed = 1) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        v[i] = static_cast<uint8_t>("abcdefgh <>/=\"xyz"[(seed >> 24) % 17]);
    }
    return v;
}

Entry Make(const std::string& name, std::vector<uint8_t> data, uint16_t method = 8) {
    Entry e;
    e.name = name;
    e.data = std::move(data);
    e.method = method;
    return e;
}

std::vector<uint8_t> ZipSlipNames() {
    return Build({Make("../../evil.png", Pattern(40)), Make("c:\\x\\y.png", Pattern(40)),
                  Make("/abs/z.png", Pattern(40)), Make("a/../../b.png", Pattern(40))})
        .bytes;
}

std::vector<uint8_t> OverlappingEntries() {
    // Two central records share one local header and its data.
    Archive a = Build({Make("a.png", Pattern(3000)), Make("b.png", Pattern(10))});
    Put32(a.bytes, a.centralOffsets[1] + kCentralLocalOffset,
          Get32(a.bytes, a.centralOffsets[0] + kCentralLocalOffset));
    for (size_t f : {kCentralCrc, kCentralCompressed, kCentralUncompressed})
        Put32(a.bytes, a.centralOffsets[1] + f, Get32(a.bytes, a.centralOffsets[0] + f));
    return a.bytes;
}

std::vector<uint8_t> LocalOffsetPastEnd() {
    Archive a = Build({Make("a.xml", Pattern(100)), Make("b.png", Pattern(100))});
    Put32(a.bytes, a.centralOffsets[1] + kCentralLocalOffset, 0x7FFFFFF0u);
    return a.bytes;
}

std::vector<uint8_t> CountMismatch() {
    Archive a = Build({Make("a.xml", Pattern(100)), Make("b.png", Pattern(100))});
    Put16(a.bytes, a.endOffset + kEndEntriesHere, 5);
    Put16(a.bytes, a.endOffset + kEndEntriesTotal, 5);
    return a.bytes;
}

std::vector<uint8_t> RecordCountsDiffer() {
    Archive a = Build({Make("a.xml", Pattern(100))});
    Put16(a.bytes, a.endOffset + kEndEntriesHere, 2);
    return a.bytes;
}

std::vector<uint8_t> MultiDisk() {
    Archive a = Build({Make("a.xml", Pattern(100))});
    Put16(a.bytes, a.endOffset + kEndDisk, 1);
    return a.bytes;
}

std::vector<uint8_t> CentralDirectoryPastEndRecord() {
    Archive a = Build({Make("a.xml", Pattern(100))});
    Put32(a.bytes, a.endOffset + kEndCentralSize, 0x10000);
    return a.bytes;
}

std::vector<uint8_t> BombOverEntryCap() {
    // 65 MiB of zeros deflate to about 64 KiB; the entry is over the cap.
    return Build({Make("bomb.png", std::vector<uint8_t>((65u << 20), 0)), Make("ok.png", Pattern(50))}).bytes;
}

std::vector<uint8_t> StatedSizeTooLarge() {
    Archive a = Build({Make("a.png", Pattern(1000))});
    Put32(a.bytes, a.centralOffsets[0] + kCentralUncompressed, 2000);
    Put32(a.bytes, a.localOffsets[0] + kLocalUncompressed, 2000);
    return a.bytes;
}

std::vector<uint8_t> StatedSizeTooSmall() {
    Archive a = Build({Make("a.png", Pattern(1000))});
    Put32(a.bytes, a.centralOffsets[0] + kCentralUncompressed, 500);
    Put32(a.bytes, a.localOffsets[0] + kLocalUncompressed, 500);
    return a.bytes;
}

std::vector<uint8_t> StoredSizeTooLarge() {
    // A stored entry claiming 50 MiB with 10 bytes of data: refused unread.
    Archive a = Build({Make("a.bmp", Pattern(10), 0)});
    Put32(a.bytes, a.centralOffsets[0] + kCentralUncompressed, 50u << 20);
    Put32(a.bytes, a.localOffsets[0] + kLocalUncompressed, 50u << 20);
    return a.bytes;
}

std::vector<uint8_t> CrcMismatch() {
    Archive a = Build({Make("a.png", Pattern(500)), Make("b.bmp", Pattern(500), 0)});
    for (int i = 0; i < 2; ++i) {
        uint32_t bad = Get32(a.bytes, a.centralOffsets[i] + kCentralCrc) ^ 1;
        Put32(a.bytes, a.centralOffsets[i] + kCentralCrc, bad);
        Put32(a.bytes, a.localOffsets[i] + kLocalCrc, bad);
    }
    return a.bytes;
}

std::vector<uint8_t> CorruptDeflate() {
    Archive a = Build({Make("a.png", Pattern(5000))});
    size_t data = a.localOffsets[0] + 30 + 5;
    for (size_t i = 0; i < 8; ++i) a.bytes[data + i] = 0xFF;
    return a.bytes;
}

std::vector<uint8_t> DataPastEnd() {
    // The entry's compressed size runs past the end of the source.
    Archive a = Build({Make("a.png", Pattern(3000), 0)});
    size_t cut = a.localOffsets[0] + 30 + 5 + 1000;
    std::vector<uint8_t> tail(a.bytes.begin() + static_cast<long>(a.centralOffsets[0]), a.bytes.end());
    a.bytes.resize(cut);
    uint32_t centralAt = static_cast<uint32_t>(a.bytes.size());
    a.bytes.insert(a.bytes.end(), tail.begin(), tail.end());
    Put32(a.bytes, a.bytes.size() - 22 + kEndCentralOffset, centralAt);
    return a.bytes;
}

std::vector<uint8_t> EncryptedWithoutPassword() {
    Entry e = Make("secret.png", Pattern(300));
    e.password = "tovane";
    return Build({e, Make("plain.png", Pattern(300))}).bytes;
}

std::vector<uint8_t> UnknownMethod() {
    Archive a = Build({Make("a.png", Pattern(100), 0), Make("b.png", Pattern(100), 0)});
    Put16(a.bytes, a.centralOffsets[0] + kCentralMethod, 12);
    Put16(a.bytes, a.localOffsets[0] + kLocalMethod, 12);
    return a.bytes;
}

std::vector<uint8_t> LocalHeaderDisagrees() {
    Archive a = Build({Make("a.png", Pattern(100)), Make("b.png", Pattern(100))});
    Put32(a.bytes, a.localOffsets[0] + kLocalCompressed, 7);
    return a.bytes;
}

std::vector<uint8_t> BrokenCentralSignature() {
    Archive a = Build({Make("a.png", Pattern(10)), Make("b.png", Pattern(10)), Make("c.png", Pattern(10))});
    a.bytes[a.centralOffsets[1]] = 'X';
    return a.bytes;
}

std::vector<uint8_t> HugeCountTinyDirectory() {
    Archive a = Build({Make("a.png", Pattern(10))});
    Put16(a.bytes, a.endOffset + kEndEntriesHere, 0xFFFF);
    Put16(a.bytes, a.endOffset + kEndEntriesTotal, 0xFFFF);
    return a.bytes;
}

std::vector<uint8_t> LongName() { return Build({Make(std::string(300, 'n') + ".png", Pattern(10))}).bytes; }

std::vector<uint8_t> FakeEndRecordAtTail() {
    // A signature in the last bytes, too close to the end for a whole record.
    std::vector<uint8_t> b = Build({Make("a.png", Pattern(10))}).bytes;
    for (uint8_t c : {uint8_t('P'), uint8_t('K'), uint8_t(5), uint8_t(6), uint8_t(0), uint8_t(0)}) b.push_back(c);
    return b;
}

std::vector<uint8_t> NoEndRecord() { return Pattern(5000, 7); }

std::vector<uint8_t> TruncatedCentralDirectory() {
    Archive a = Build({Make("a.png", Pattern(10)), Make("b.png", Pattern(10))});
    // The second record's name runs into the end record: its signature is gone.
    std::vector<uint8_t> end(a.bytes.begin() + static_cast<long>(a.endOffset), a.bytes.end());
    a.bytes.resize(a.centralOffsets[1] + 20);
    size_t endAt = a.bytes.size();
    a.bytes.insert(a.bytes.end(), end.begin(), end.end());
    Put32(a.bytes, endAt + kEndCentralSize, static_cast<uint32_t>(endAt - a.centralOffsets[0]));
    return a.bytes;
}

}  // namespace

std::vector<uint8_t> SmallValidPackage() {
    std::vector<uint8_t> bmp = Bytes("BM");
    bmp.resize(70, 0);
    return Build({Make("skin.xml", Bytes("<?xml version=\"1.0\"?><doc><a x='1'/></doc>")), Make("skin/", {}, 0),
                  Make("skin/a.png", Pattern(64), 0), Make("skin/b.bmp", bmp)})
        .bytes;
}

const std::vector<HostileCase>& HostileCases() {
    static const std::vector<HostileCase> cases = {
        {"zip_slip_names", ZipSlipNames, nullptr, true, 4, "1111"},
        {"overlapping_entries", OverlappingEntries, nullptr, true, 2, "11"},
        {"local_offset_past_end", LocalOffsetPastEnd, nullptr, true, 2, "10"},
        {"count_mismatch", CountMismatch, nullptr, true, 5, "11000"},
        {"record_counts_differ", RecordCountsDiffer, nullptr, false, 0, ""},
        {"multi_disk", MultiDisk, nullptr, false, 0, ""},
        {"central_directory_past_end_record", CentralDirectoryPastEndRecord, nullptr, false, 0, ""},
        {"bomb_over_entry_cap", BombOverEntryCap, nullptr, true, 2, "01"},
        {"stated_size_too_large", StatedSizeTooLarge, nullptr, true, 1, "0"},
        {"stated_size_too_small", StatedSizeTooSmall, nullptr, true, 1, "0"},
        {"stored_size_too_large", StoredSizeTooLarge, nullptr, true, 1, "0"},
        {"crc_mismatch", CrcMismatch, nullptr, true, 2, "00"},
        {"corrupt_deflate", CorruptDeflate, nullptr, true, 1, "0"},
        {"data_past_end", DataPastEnd, nullptr, true, 1, "0"},
        {"encrypted_without_password", EncryptedWithoutPassword, nullptr, true, 2, "01"},
        {"encrypted_with_password", EncryptedWithoutPassword, "tovane", true, 2, "11"},
        {"encrypted_wrong_password", EncryptedWithoutPassword, "tovana", true, 2, "01"},
        {"unknown_method", UnknownMethod, nullptr, true, 2, "01"},
        {"local_header_disagrees", LocalHeaderDisagrees, nullptr, true, 2, "01"},
        {"broken_central_signature", BrokenCentralSignature, nullptr, true, 3, "100"},
        {"huge_count_tiny_directory", HugeCountTinyDirectory, nullptr, true, 0xFFFF, nullptr},
        {"long_name", LongName, nullptr, true, 1, "1"},
        {"fake_end_record_at_tail", FakeEndRecordAtTail, nullptr, false, 0, ""},
        {"no_end_record", NoEndRecord, nullptr, false, 0, ""},
        {"truncated_central_directory", TruncatedCentralDirectory, nullptr, true, 2, "10"},
    };
    return cases;
}

}  // namespace ziptest
