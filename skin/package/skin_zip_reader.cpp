#include "skin/package/skin_zip_reader.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "skin/xml/skin_xml_text.h"

namespace {

constexpr uint32_t kEndSignature = 0x06054B50;
constexpr uint32_t kCentralSignature = 0x02014B50;
constexpr uint32_t kLocalSignature = 0x04034B50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kCentralSize = 46;
constexpr size_t kLocalSize = 30;
constexpr size_t kEndSearchSpan = 65535;
constexpr int kEncryptionHeader = 12;
// DEFLATE cannot expand data by more than about 1032:1.
constexpr uint64_t kMaxDeflateRatio = 1040;

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) { return uint32_t(Le16(p)) | uint32_t(Le16(p + 2)) << 16; }

// FILETIME counts 100 ns steps from 1601-01-01; Unix time from 1970.
constexpr uint64_t kUnixEpochAsFileTime = 116444736000000000ull;

uint64_t UnixToFileTime(uint32_t seconds) { return kUnixEpochAsFileTime + uint64_t(seconds) * 10000000ull; }

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

uint64_t DosToFileTime(uint16_t date, uint16_t time) {
    unsigned day = date & 0x1F, month = (date >> 5) & 0x0F;
    int64_t year = 1980 + (date >> 9);
    if (day == 0) day = 1;
    if (month == 0 || month > 12) month = 1;
    int64_t seconds = DaysFromCivil(year, month, day) * 86400 + int64_t(time >> 11) * 3600 +
                      int64_t((time >> 5) & 0x3F) * 60 + int64_t(time & 0x1F) * 2;
    return kUnixEpochAsFileTime + static_cast<uint64_t>(seconds) * 10000000ull;
}

// Windows file attributes from the external attributes, by host system.
uint32_t FileAttributes(uint16_t versionMadeBy, uint32_t external) {
    constexpr uint32_t kReadOnly = 0x01, kDirectory = 0x10, kNormal = 0x80;
    uint32_t attributes = external & 0xFF;
    unsigned host = versionMadeBy >> 8;
    if (host == 3 || host == 19) {  // Unix, OS X: st_mode in the high half
        uint32_t mode = external >> 16;
        if ((mode & 0170000) == 0040000) attributes |= kDirectory;
        if (mode != 0 && (mode & 0200) == 0) attributes |= kReadOnly;
    }
    attributes &= 0x37;  // read-only, hidden, system, directory, archive
    return attributes ? attributes : kNormal;
}

// Drops drive letters, leading separators and everything up to a parent
// reference, so that no name can point outside the package's own folder.
void SanitiseName(std::wstring& name) {
    static const wchar_t* const kParentRefs[] = {L"\\..\\", L"\\../", L"/../", L"/..\\"};
    for (;;) {
        if (name.size() >= 2 && name[1] == L':') {
            name.erase(0, 2);
            continue;
        }
        if (!name.empty() && (name[0] == L'\\' || name[0] == L'/')) {
            name.erase(0, 1);
            continue;
        }
        // A parent reference left at the front ("a/../../b" leaves "../b").
        if (name.size() >= 3 && name[0] == L'.' && name[1] == L'.' && (name[2] == L'\\' || name[2] == L'/')) {
            name.erase(0, 3);
            continue;
        }
        bool cut = false;
        for (const wchar_t* ref : kParentRefs) {
            size_t pos = name.find(ref);
            if (pos != std::wstring::npos) {
                name.erase(0, pos + 4);
                cut = true;
                break;
            }
        }
        if (!cut) return;
    }
}

// Traditional PKWARE encryption.
struct ZipCrypto {
    uint32_t keys[3] = {0x12345678, 0x23456789, 0x34567890};
    const z_crc_t* table = get_crc_table();

    uint32_t Crc(uint32_t crc, uint8_t b) const { return table[(crc ^ b) & 0xFF] ^ (crc >> 8); }
    void Update(uint8_t b) {
        keys[0] = Crc(keys[0], b);
        keys[1] = (keys[1] + (keys[0] & 0xFF)) * 134775813u + 1;
        keys[2] = Crc(keys[2], static_cast<uint8_t>(keys[1] >> 24));
    }
    uint8_t Decrypt(uint8_t c) {
        uint32_t temp = (keys[2] | 2) & 0xFFFF;
        uint8_t plain = c ^ static_cast<uint8_t>((temp * (temp ^ 1)) >> 8);
        Update(plain);
        return plain;
    }
};

}  // namespace

struct CSkinZipReader::CentralRecord {
    uint16_t versionMadeBy = 0;
    uint16_t flags = 0;
    uint16_t method = 0;
    uint16_t dosTime = 0;
    uint16_t dosDate = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint16_t nameLength = 0;
    uint16_t extraLength = 0;
    uint16_t commentLength = 0;
    uint32_t externalAttributes = 0;
    uint32_t localOffset = 0;
    size_t nameBytesLength = 0;
    uint8_t nameBytes[260] = {};
};

struct CSkinZipReader::OpenEntry {
    int index = -1;
    uint16_t method = 0;
    bool encrypted = false;
    // Encrypted data is decrypted into the buffer; plain data is read in
    // place from the memory source, which saves a copy of every byte.
    std::unique_ptr<uint8_t[]> buffer;
    const uint8_t* in = nullptr;
    size_t inPos = 0;
    size_t inLength = 0;
    z_stream zs{};
    bool inflating = false;
    bool streamEnded = false;
    uint64_t nextOffset = 0;
    uint64_t compressedRemaining = 0;
    uint64_t uncompressedRemaining = 0;
    uint32_t crc = 0;
    uint32_t expectedCrc = 0;
    ZipCrypto crypto;
    int headerToSkip = 0;
    uint8_t checkByte = 0;

    ~OpenEntry() {
        if (inflating) inflateEnd(&zs);
    }
};

std::unique_ptr<CSkinZipReader> CSkinZipReader::OpenMemory(const void* data, size_t size, const char* password) {
    if (!data || size == 0) return nullptr;
    std::unique_ptr<CSkinZipReader> reader(new CSkinZipReader(static_cast<const uint8_t*>(data), size, password));
    if (!reader->Open()) return nullptr;
    return reader;
}

CSkinZipReader::CSkinZipReader(const uint8_t* data, size_t size, const char* password)
    : data_(data), size_(size), current_(new CentralRecord), cached_(new SkinZipEntry) {
    if (password) {
        password_ = password;
        hasPassword_ = true;
    }
}

CSkinZipReader::~CSkinZipReader() { Close(); }

size_t CSkinZipReader::ReadSource(uint64_t offset, void* out, size_t length) const {
    if (closed_ || offset >= size_) return 0;
    size_t available = size_ - static_cast<size_t>(offset);
    size_t n = std::min(length, available);
    std::memcpy(out, data_ + offset, n);
    return n;
}

bool CSkinZipReader::Open() {
    // The end record is the signature nearest the end within the last 64 KiB.
    size_t span = std::min(size_, kEndSearchSpan);
    if (size_ < 4) return false;
    size_t lowest = size_ - span;
    size_t found = SIZE_MAX;
    for (size_t p = size_ - 4 + 1; p-- > lowest;) {
        if (Le32(data_ + p) == kEndSignature) {
            found = p;
            break;
        }
    }
    if (found == SIZE_MAX) return false;
    uint8_t rec[kEndRecordSize];
    if (ReadSource(found, rec, sizeof rec) != sizeof rec) return false;
    uint16_t disk = Le16(rec + 4), centralDisk = Le16(rec + 6);
    uint16_t entriesHere = Le16(rec + 8), entriesTotal = Le16(rec + 10);
    uint32_t centralSize = Le32(rec + 12), centralOffset = Le32(rec + 16);
    if (disk != 0 || centralDisk != 0 || entriesHere != entriesTotal) return false;
    uint64_t centralEnd = uint64_t(centralOffset) + centralSize;
    if (found < centralEnd) return false;
    prefix_ = found - static_cast<size_t>(centralEnd);
    entryCount_ = entriesTotal;
    centralOffset_ = prefix_ + uint64_t(centralOffset);
    centralSize_ = centralSize;
    // Position on the first record; a damaged one only makes entries unreadable.
    if (entryCount_ > 0) SeekRecord(0);
    return true;
}

bool CSkinZipReader::ReadCentralRecord(uint64_t offset, CentralRecord& r) const {
    uint8_t h[kCentralSize];
    if (ReadSource(offset, h, sizeof h) != sizeof h || Le32(h) != kCentralSignature) return false;
    r.versionMadeBy = Le16(h + 4);
    r.flags = Le16(h + 8);
    r.method = Le16(h + 10);
    r.dosTime = Le16(h + 12);
    r.dosDate = Le16(h + 14);
    r.crc = Le32(h + 16);
    r.compressedSize = Le32(h + 20);
    r.uncompressedSize = Le32(h + 24);
    r.nameLength = Le16(h + 28);
    r.extraLength = Le16(h + 30);
    r.commentLength = Le16(h + 32);
    r.externalAttributes = Le32(h + 38);
    r.localOffset = Le32(h + 42);
    size_t keep = std::min<size_t>(r.nameLength, sizeof r.nameBytes - 1);
    r.nameBytesLength = ReadSource(offset + kCentralSize, r.nameBytes, keep);
    if (r.nameBytesLength != keep) return false;
    r.nameBytes[keep] = 0;
    return true;
}

bool CSkinZipReader::SeekRecord(int index) {
    if (closed_ || index < 0 || static_cast<uint32_t>(index) >= entryCount_) return false;
    if (firstCorruptIndex_ >= 0 && index >= firstCorruptIndex_) return false;
    if (currentIndex_ < 0 || index < currentIndex_) {
        currentIndex_ = -1;
        if (!ReadCentralRecord(centralOffset_, *current_)) {
            firstCorruptIndex_ = 0;
            return false;
        }
        currentIndex_ = 0;
        currentOffset_ = centralOffset_;
    }
    while (currentIndex_ < index) {
        uint64_t next =
            currentOffset_ + kCentralSize + current_->nameLength + current_->extraLength + current_->commentLength;
        CentralRecord record;
        if (!ReadCentralRecord(next, record)) {
            firstCorruptIndex_ = currentIndex_ + 1;
            return false;
        }
        *current_ = record;
        currentOffset_ = next;
        ++currentIndex_;
    }
    return true;
}

bool CSkinZipReader::CheckLocalHeader(const CentralRecord& c, uint64_t* dataStart, uint64_t* localExtra,
                                      uint32_t* localExtraLength) const {
    uint64_t at = prefix_ + uint64_t(c.localOffset);
    uint8_t h[kLocalSize];
    if (ReadSource(at, h, sizeof h) != sizeof h || Le32(h) != kLocalSignature) return false;
    uint16_t flags = Le16(h + 6);
    uint16_t method = Le16(h + 8);
    if (method != c.method || (c.method != 0 && c.method != 8)) return false;
    if ((flags & 8) == 0) {
        if (Le32(h + 14) != c.crc || Le32(h + 18) != c.compressedSize || Le32(h + 22) != c.uncompressedSize)
            return false;
    }
    uint16_t nameLength = Le16(h + 26), extraLength = Le16(h + 28);
    if (nameLength != c.nameLength) return false;
    *localExtra = at + kLocalSize + nameLength;
    *localExtraLength = extraLength;
    *dataStart = at + kLocalSize + nameLength + extraLength;
    return true;
}

bool CSkinZipReader::GetEntry(int index, SkinZipEntry* entry) {
    if (!entry) return false;
    *entry = SkinZipEntry();
    if (closed_) return false;
    if (index == -1) {
        entry->index = static_cast<int32_t>(entryCount_);
        return true;
    }
    if (index < -1 || static_cast<uint32_t>(index) >= entryCount_) return false;
    if (index == cachedIndex_) {
        *entry = *cached_;
        return true;
    }
    if (!SeekRecord(index)) return false;
    const CentralRecord& c = *current_;
    uint64_t dataStart, extraAt;
    uint32_t extraLength;
    if (!CheckLocalHeader(c, &dataStart, &extraAt, &extraLength)) return false;

    skinxml::XmlString units = skinxml::DecodeUtf8(c.nameBytes, c.nameBytesLength, 259);
    std::wstring name = skinxml::ToWide(units.data(), units.size());
    SanitiseName(name);
    SkinZipEntry e;
    e.index = index;
    std::copy(name.begin(), name.end(), e.name);
    e.name[name.size()] = 0;
    e.attributes = FileAttributes(c.versionMadeBy, c.externalAttributes);
    e.accessTime = e.creationTime = e.modificationTime = DosToFileTime(c.dosDate, c.dosTime);
    // An extended-timestamp ("UT") field of the local header gives Unix times.
    std::vector<uint8_t> extra(extraLength);
    size_t got = extraLength ? ReadSource(extraAt, extra.data(), extraLength) : 0;
    for (size_t p = 0; p + 4 <= got;) {
        uint16_t tag = Le16(&extra[p]), len = Le16(&extra[p + 2]);
        size_t body = p + 4;
        if (body + len > got) break;
        if (tag == 0x5455 && len >= 1) {
            uint8_t which = extra[body];
            size_t q = body + 1;
            uint64_t* times[3] = {&e.modificationTime, &e.accessTime, &e.creationTime};
            for (int bit = 0; bit < 3; ++bit) {
                if ((which & (1 << bit)) && q + 4 <= body + len) {
                    *times[bit] = UnixToFileTime(Le32(&extra[q]));
                    q += 4;
                }
            }
        }
        p = body + len;
    }
    e.compressedSize = static_cast<int32_t>(c.compressedSize);
    e.uncompressedSize = static_cast<int32_t>(c.uncompressedSize);
    *entry = e;
    *cached_ = e;
    cachedIndex_ = index;
    return true;
}

bool CSkinZipReader::OpenEntryForReading(int index) {
    if (!SeekRecord(index)) return false;
    const CentralRecord& c = *current_;
    uint64_t dataStart, extraAt;
    uint32_t extraLength;
    if (!CheckLocalHeader(c, &dataStart, &extraAt, &extraLength)) return false;
    std::unique_ptr<OpenEntry> e(new OpenEntry);
    e->index = index;
    e->method = c.method;
    if (c.method == 8) {
        if (inflateInit2(&e->zs, -MAX_WBITS) != Z_OK) return false;
        e->inflating = true;
    }
    e->nextOffset = dataStart;
    e->compressedRemaining = c.compressedSize;
    e->uncompressedRemaining = c.uncompressedSize;
    e->expectedCrc = c.crc;
    if (c.flags & 1) {
        e->encrypted = true;
        for (char ch : password_) e->crypto.Update(static_cast<uint8_t>(ch));
        e->headerToSkip = kEncryptionHeader;
        e->checkByte = (c.flags & 8) ? static_cast<uint8_t>(c.dosTime >> 8) : static_cast<uint8_t>(c.crc >> 24);
    }
    open_ = std::move(e);
    return true;
}

// Reads the next block of compressed bytes into the input buffer,
// decrypting it. False when nothing could be read.
bool CSkinZipReader::Refill() {
    OpenEntry& e = *open_;
    if (closed_ || e.compressedRemaining == 0 || e.nextOffset >= size_) return false;
    size_t available = size_ - static_cast<size_t>(e.nextOffset);
    size_t got;
    if (e.encrypted) {
        if (!e.buffer) e.buffer.reset(new uint8_t[kBufferSize]);
        got = static_cast<size_t>(std::min<uint64_t>({kBufferSize, e.compressedRemaining, available}));
        std::memcpy(e.buffer.get(), data_ + e.nextOffset, got);
        for (size_t i = 0; i < got; ++i) e.buffer[i] = e.crypto.Decrypt(e.buffer[i]);
        e.in = e.buffer.get();
    } else {
        got = static_cast<size_t>(std::min<uint64_t>({UINT_MAX, e.compressedRemaining, available}));
        e.in = data_ + e.nextOffset;
    }
    e.nextOffset += got;
    e.compressedRemaining -= got;
    e.inPos = 0;
    e.inLength = got;
    return true;
}

// Delivers up to `length` bytes of the open entry; never closes it.
SkinZipResult CSkinZipReader::Pump(uint8_t* out, size_t length, size_t* delivered) {
    OpenEntry& e = *open_;
    size_t done = 0;
    SkinZipResult result = SkinZipResult::Failed;
    for (;;) {
        if (e.headerToSkip > 0) {
            if (e.inPos == e.inLength && !Refill()) break;
            uint8_t last = 0;
            while (e.headerToSkip > 0 && e.inPos < e.inLength) {
                last = e.in[e.inPos++];
                --e.headerToSkip;
            }
            if (e.headerToSkip == 0 && last != e.checkByte) {
                result = SkinZipResult::BadPassword;
                break;
            }
            continue;
        }
        if (e.uncompressedRemaining == 0 || e.streamEnded) {
            result = SkinZipResult::Complete;
            break;
        }
        if (done == length) {
            result = SkinZipResult::More;
            break;
        }
        if (e.inPos == e.inLength && e.compressedRemaining > 0 && !Refill()) break;
        size_t room = static_cast<size_t>(std::min<uint64_t>(length - done, e.uncompressedRemaining));
        size_t produced = 0;
        bool failed = false;
        if (e.method == 0) {
            produced = std::min(room, e.inLength - e.inPos);
            // Zero means the stored data ended before its stated size.
            failed = produced == 0;
            if (produced) std::memcpy(out + done, e.in + e.inPos, produced);
            e.inPos += produced;
        } else {
            uInt outRoom = static_cast<uInt>(std::min<size_t>(room, UINT_MAX));
            e.zs.next_in = const_cast<Bytef*>(e.in + e.inPos);
            e.zs.avail_in = static_cast<uInt>(e.inLength - e.inPos);
            e.zs.next_out = out + done;
            e.zs.avail_out = outRoom;
            int ret = inflate(&e.zs, Z_SYNC_FLUSH);
            size_t consumed = (e.inLength - e.inPos) - e.zs.avail_in;
            e.inPos += consumed;
            produced = outRoom - e.zs.avail_out;
            if (ret == Z_STREAM_END)
                e.streamEnded = true;
            else if (ret != Z_OK && ret != Z_BUF_ERROR)
                failed = true;
            else if (produced == 0 && consumed == 0)
                failed = true;  // no progress: the compressed data ran out
        }
        if (produced) e.crc = static_cast<uint32_t>(crc32(e.crc, out + done, static_cast<uInt>(produced)));
        done += produced;
        e.uncompressedRemaining -= produced;
        if (failed) break;
    }
    *delivered = done;
    return result;
}

SkinZipResult CSkinZipReader::ReadEntry(int index, void* buffer, size_t length, size_t* delivered) {
    if (delivered) *delivered = 0;
    if (closed_ || (!buffer && length > 0) || index < 0 || static_cast<uint32_t>(index) >= entryCount_)
        return SkinZipResult::Failed;
    if (open_ && open_->index != index) CloseEntry();
    if (!open_ && !OpenEntryForReading(index)) return SkinZipResult::Failed;
    size_t done = 0;
    SkinZipResult result = Pump(static_cast<uint8_t*>(buffer), length, &done);
    if (delivered) *delivered = done;
    if (result == SkinZipResult::Failed || result == SkinZipResult::BadPassword || done == 0) CloseEntry();
    return result;
}

bool CSkinZipReader::CloseEntry() {
    if (!open_) return true;
    bool ok = true;
    if (open_->uncompressedRemaining == 0 && open_->headerToSkip == 0) ok = open_->crc == open_->expectedCrc;
    open_.reset();
    return ok;
}

// After the stated size has been delivered, the data must end exactly
// there: stored data used up, the DEFLATE stream at its end marker.
bool CSkinZipReader::EntryEndsHere() {
    OpenEntry& e = *open_;
    if (e.method == 0) return e.compressedRemaining == 0 && e.inPos == e.inLength;
    uint8_t extra;
    while (!e.streamEnded) {
        if (e.inPos == e.inLength && e.compressedRemaining > 0 && !Refill()) return false;
        e.zs.next_in = const_cast<Bytef*>(e.in + e.inPos);
        e.zs.avail_in = static_cast<uInt>(e.inLength - e.inPos);
        e.zs.next_out = &extra;
        e.zs.avail_out = 1;
        int ret = inflate(&e.zs, Z_SYNC_FLUSH);
        size_t consumed = (e.inLength - e.inPos) - e.zs.avail_in;
        e.inPos += consumed;
        if (e.zs.avail_out == 0) return false;  // more data than stated
        if (ret == Z_STREAM_END) return true;
        if ((ret != Z_OK && ret != Z_BUF_ERROR) || consumed == 0) return false;
    }
    return true;
}

bool CSkinZipReader::ReadWholeEntry(int index, std::vector<uint8_t>& out) {
    out.clear();
    SkinZipEntry info;
    if (!GetEntry(index, &info) || !SeekRecord(index)) return false;
    const CentralRecord& c = *current_;
    uint64_t dataStart, extraAt;
    uint32_t extraLength;
    if (!CheckLocalHeader(c, &dataStart, &extraAt, &extraLength)) return false;
    // Refuse what cannot be true before allocating anything.
    uint64_t payload = c.compressedSize;
    if (c.flags & 1) {
        if (payload < kEncryptionHeader) return false;
        payload -= kEncryptionHeader;
    }
    if (c.uncompressedSize > kMaxEntrySize) return false;
    if (dataStart > size_ || c.compressedSize > size_ - dataStart) return false;
    if (c.method == 0 && payload != c.uncompressedSize) return false;
    if (c.method == 8 && c.uncompressedSize > payload * kMaxDeflateRatio + 1024) return false;

    CloseEntry();
    if (!OpenEntryForReading(index)) return false;
    std::vector<uint8_t> data(c.uncompressedSize);
    size_t got = 0;
    bool ok = Pump(data.data(), data.size(), &got) == SkinZipResult::Complete && got == data.size() && EntryEndsHere();
    ok = CloseEntry() && ok;
    if (!ok) return false;
    out.swap(data);
    return true;
}

void CSkinZipReader::Close() {
    open_.reset();
    closed_ = true;
    cachedIndex_ = -1;
    currentIndex_ = -1;
    password_.assign(password_.size(), '\0');
    password_.clear();
}
