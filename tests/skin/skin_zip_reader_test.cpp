#include <gtest/gtest.h>

#include "support/build_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "skin/hostile_archives.h"
#include "skin/package/skin_zip_reader.h"
#include "skin/zip_builder.h"

using ziptest::Build;
using ziptest::Bytes;
using ziptest::Entry;

namespace {

Entry Make(const std::string& name, const std::string& text, uint16_t method = 8) {
    Entry e;
    e.name = name;
    e.data = Bytes(text);
    e.method = method;
    return e;
}

std::string Text(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

std::string LongText(size_t n) {
    std::string s;
    for (size_t i = 0; s.size() < n; ++i) s += "<item id=\"" + std::to_string(i * 7919 % 1000) + "\"/>\n";
    s.resize(n);
    return s;
}

using testing_support::ReadBuildFile;

}  // namespace

// Known answers from another implementation: archives that Info-ZIP's
// "zip -P" encrypted at test time, deflated, stored and streamed (sizes and
// CRC after the data), decrypt to the files they were made from.
TEST(SkinZipReader, DecryptsWhatInfoZipEncrypted) {
    const std::string dir = TOVANE_INFOZIP_DIR;
    const std::vector<uint8_t> theme = ReadBuildFile(dir + "/theme.xml");
    const std::vector<uint8_t> picture = ReadBuildFile(dir + "/picture.bin");
    ASSERT_FALSE(theme.empty());
    ASSERT_EQ(picture.size(), 70001u);
    struct Case {
        const char* archive;
        std::vector<const std::vector<uint8_t>*> contents;
    };
    for (const Case& c : {Case{"deflated.zip", {&theme, &picture}}, Case{"stored.zip", {&theme, &picture}},
                          Case{"streamed.zip", {&theme}}}) {
        SCOPED_TRACE(c.archive);
        const std::vector<uint8_t> bytes = ReadBuildFile(dir + "/" + c.archive);
        auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), "tovane-secret");
        ASSERT_TRUE(reader);
        for (size_t i = 0; i < c.contents.size(); ++i) {
            std::vector<uint8_t> data;
            ASSERT_TRUE(reader->ReadWholeEntry(static_cast<int>(i), data));
            EXPECT_TRUE(data == *c.contents[i]) << "entry " << i << " decrypts to other bytes";
        }
        // Without the password, or with another, nothing is delivered as the
        // entry (a wrong password may pass the check byte by chance; the
        // data then fails its checks).
        for (const char* password : {static_cast<const char*>(nullptr), "tovane-secreT"}) {
            auto other = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), password);
            ASSERT_TRUE(other);
            std::vector<uint8_t> data;
            EXPECT_FALSE(other->ReadWholeEntry(0, data));
        }
    }
}

TEST(SkinZipReader, HostileArchivesHaveExactOutcomes) {
    for (const ziptest::HostileCase& c : ziptest::HostileCases()) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> bytes = c.make();
        auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), c.password);
        ASSERT_EQ(reader != nullptr, c.opens);
        if (!reader) continue;
        SkinZipEntry count;
        ASSERT_TRUE(reader->GetEntry(-1, &count));
        ASSERT_EQ(count.index, c.count);
        std::string expected = c.readable ? c.readable : "1" + std::string(static_cast<size_t>(c.count) - 1, '0');
        std::string readable;
        std::vector<uint8_t> data;
        for (int i = 0; i < c.count; ++i) readable += reader->ReadWholeEntry(i, data) ? '1' : '0';
        EXPECT_EQ(readable, expected);
        // Reading every entry in small steps never fails worse than a result code.
        uint8_t buffer[777];
        for (int i = 0; i < c.count; ++i) {
            SkinZipEntry e;
            reader->GetEntry(i, &e);
            for (int step = 0; step < 100000 && reader->ReadEntry(i, buffer, sizeof buffer) == SkinZipResult::More;)
                ++step;
        }
    }
}

TEST(SkinZipReader, NamesAreSanitised) {
    auto bytes = ziptest::HostileCases()[0].make();  // zip_slip_names
    auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
    ASSERT_TRUE(reader);
    const wchar_t* expected[] = {L"evil.png", L"x\\y.png", L"abs/z.png", L"b.png"};
    for (int i = 0; i < 4; ++i) {
        SkinZipEntry e;
        ASSERT_TRUE(reader->GetEntry(i, &e));
        EXPECT_EQ(std::wstring(e.name), expected[i]);
        EXPECT_EQ(e.index, i);
    }
    auto longName = Build({Make(std::string(300, 'n') + ".png", "x")}).bytes;
    reader = CSkinZipReader::OpenMemory(longName.data(), longName.size(), nullptr);
    SkinZipEntry e;
    ASSERT_TRUE(reader->GetEntry(0, &e));
    EXPECT_EQ(std::wstring(e.name), std::wstring(259, L'n'));

    auto kept = Build({Make("Skin/PromptBk.BMP", "x"), Make("\xE5\xAE\x8B.png", "y")}).bytes;
    reader = CSkinZipReader::OpenMemory(kept.data(), kept.size(), nullptr);
    ASSERT_TRUE(reader->GetEntry(0, &e));
    EXPECT_EQ(std::wstring(e.name), L"Skin/PromptBk.BMP");
    ASSERT_TRUE(reader->GetEntry(1, &e));
    EXPECT_EQ(std::wstring(e.name), std::wstring(1, wchar_t(0x5B8B)) + L".png");
}

TEST(SkinZipReader, EntryRecords) {
    Entry dir = Make("skin/", "", 0);
    auto bytes = Build({Make("a.xml", "hello hello hello"), dir}).bytes;
    auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
    ASSERT_TRUE(reader);
    SkinZipEntry e;
    ASSERT_TRUE(reader->GetEntry(-1, &e));
    EXPECT_EQ(e.index, 2);
    EXPECT_EQ(e.name[0], 0);
    EXPECT_EQ(e.uncompressedSize, 0);
    EXPECT_EQ(e.modificationTime, 0u);

    ASSERT_TRUE(reader->GetEntry(0, &e));
    EXPECT_EQ(e.uncompressedSize, 17);
    EXPECT_GT(e.compressedSize, 0);
    EXPECT_EQ(e.attributes, 0x20u);
    // 2025-01-01 12:00:00 as a FILETIME.
    EXPECT_EQ(e.modificationTime, 133802064000000000ull);
    ASSERT_TRUE(reader->GetEntry(1, &e));
    EXPECT_EQ(e.attributes, 0x10u);
    EXPECT_EQ(std::wstring(e.name), L"skin/");

    for (int bad : {-2, 2, 1000}) {
        SkinZipEntry out;
        out.uncompressedSize = 5;
        out.name[0] = L'x';
        EXPECT_FALSE(reader->GetEntry(bad, &out));
        EXPECT_EQ(out.name[0], 0);
        EXPECT_EQ(out.uncompressedSize, 0);
    }
}

TEST(SkinZipReader, ReadsInStepsAndInAnyOrder) {
    std::string big = LongText(100000), small = "small stored text";
    auto bytes = Build({Make("big.xml", big), Make("small.txt", small, 0), Make("big2.bin", big, 0)}).bytes;
    auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
    ASSERT_TRUE(reader);
    for (int i : {2, 0, 1, 0}) {
        std::string got;
        char buffer[1000];
        size_t n = 0;
        SkinZipResult r;
        while ((r = reader->ReadEntry(i, buffer, sizeof buffer, &n)) == SkinZipResult::More) got.append(buffer, n);
        ASSERT_EQ(r, SkinZipResult::Complete);
        got.append(buffer, n);
        EXPECT_EQ(got, i == 1 ? small : big);
        EXPECT_TRUE(reader->CloseEntry());
    }
    std::vector<uint8_t> whole;
    ASSERT_TRUE(reader->ReadWholeEntry(0, whole));
    EXPECT_EQ(Text(whole), big);
    // After Close every call fails.
    reader->Close();
    SkinZipEntry e;
    EXPECT_FALSE(reader->GetEntry(0, &e));
    EXPECT_EQ(reader->ReadEntry(0, whole.data(), 10), SkinZipResult::Failed);
}

TEST(SkinZipReader, DataInFrontAndLongComments) {
    std::vector<uint8_t> prefix(100);
    for (size_t i = 0; i < prefix.size(); ++i) prefix[i] = static_cast<uint8_t>(i * 31);
    auto bytes = Build({Make("a.png", "front"), Make("b.png", "back", 0)}, prefix, std::string(2000, 'c')).bytes;
    auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->PrefixBytes(), 100u);
    std::vector<uint8_t> data;
    ASSERT_TRUE(reader->ReadWholeEntry(1, data));
    EXPECT_EQ(Text(data), "back");
    ASSERT_TRUE(reader->ReadWholeEntry(0, data));
    EXPECT_EQ(Text(data), "front");

    // The longest comment puts the end record beyond the 64 KiB searched.
    auto tooFar = Build({Make("a.png", "x")}, {}, std::string(65535, 'c')).bytes;
    EXPECT_FALSE(CSkinZipReader::OpenMemory(tooFar.data(), tooFar.size(), nullptr));
    auto justIn = Build({Make("a.png", "x")}, {}, std::string(65535 - 22, 'c')).bytes;
    EXPECT_TRUE(CSkinZipReader::OpenMemory(justIn.data(), justIn.size(), nullptr));

    EXPECT_FALSE(CSkinZipReader::OpenMemory(bytes.data(), 0, nullptr));
    EXPECT_FALSE(CSkinZipReader::OpenMemory(nullptr, 10, nullptr));
}

TEST(SkinZipReader, EncryptedEntries) {
    for (bool descriptor : {false, true}) {
        SCOPED_TRACE(descriptor);
        Entry e = Make("secret.xml", LongText(5000));
        e.password = "pass";
        e.dataDescriptor = descriptor;
        Entry stored = e;
        stored.method = 0;
        stored.name = "stored.bin";
        auto bytes = Build({e, stored}).bytes;

        auto none = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
        char buffer[100];
        EXPECT_EQ(none->ReadEntry(0, buffer, sizeof buffer), SkinZipResult::BadPassword);
        EXPECT_EQ(none->ReadEntry(1, buffer, sizeof buffer), SkinZipResult::BadPassword);

        auto good = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), "pass");
        std::vector<uint8_t> data;
        ASSERT_TRUE(good->ReadWholeEntry(0, data));
        EXPECT_EQ(Text(data), LongText(5000));
        ASSERT_TRUE(good->ReadWholeEntry(1, data));
        EXPECT_EQ(Text(data), LongText(5000));
    }
}

TEST(SkinZipReader, CrcIsCheckedWhenTheEntryCloses) {
    auto bytes = ziptest::HostileCases()[11].make();  // crc_mismatch
    auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
    std::vector<uint8_t> buffer(600);
    size_t n = 0;
    // The reads themselves succeed; only closing after the last byte tells.
    EXPECT_EQ(reader->ReadEntry(0, buffer.data(), buffer.size(), &n), SkinZipResult::Complete);
    EXPECT_EQ(n, 500u);
    EXPECT_FALSE(reader->CloseEntry());
    std::vector<uint8_t> data{1, 2, 3};
    EXPECT_FALSE(reader->ReadWholeEntry(0, data));
    EXPECT_TRUE(data.empty());
}

TEST(SkinZipReader, EmptyEntries) {
    Entry emptyDeflated = Make("e.xml", "");
    auto bytes = Build({Make("skin/", "", 0), emptyDeflated}).bytes;
    auto reader = CSkinZipReader::OpenMemory(bytes.data(), bytes.size(), nullptr);
    std::vector<uint8_t> data{1};
    EXPECT_TRUE(reader->ReadWholeEntry(0, data));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(reader->ReadWholeEntry(1, data));
    EXPECT_TRUE(data.empty());
}

TEST(SkinZipReader, ExtractsEntriesToFiles) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() /
                   ("skin_zip_extract_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    std::string big = LongText(50000);
    auto archive = Build({Make("a.xml", big), Make("b.bin", "stored", 0), Make("c.png", LongText(3000))});
    // Damage c.png's CRC: extracting it must leave nothing behind.
    for (size_t at : {archive.centralOffsets[2] + ziptest::kCentralCrc, archive.localOffsets[2] + ziptest::kLocalCrc})
        ziptest::Put32(archive.bytes, at, ziptest::Get32(archive.bytes, at) ^ 1);
    auto reader = CSkinZipReader::OpenMemory(archive.bytes.data(), archive.bytes.size(), nullptr);
    ASSERT_TRUE(reader);
    auto read = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    fs::path a = dir / "deep" / "er" / "a.xml";
    ASSERT_TRUE(reader->ExtractEntry(0, a.wstring()));
    EXPECT_EQ(read(a), big);
    ASSERT_TRUE(reader->ExtractEntry(1, (dir / "b.bin").wstring()));
    EXPECT_EQ(read(dir / "b.bin"), "stored");
    EXPECT_FALSE(reader->ExtractEntry(2, (dir / "c.png").wstring()));
    EXPECT_FALSE(fs::exists(dir / "c.png"));
    EXPECT_FALSE(reader->ExtractEntry(3, (dir / "d").wstring()));
    fs::remove_all(dir);
}
