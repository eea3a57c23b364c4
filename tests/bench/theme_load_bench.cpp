// Load time of the installer's theme: XML parse plus theme walk, and the
// theme walk alone, on the native build. Prints figures; not a test.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/xml/skin_xml_document.h"

namespace {

const uint8_t kEmptyZip[22] = {0x50, 0x4B, 0x05, 0x06};

const wchar_t* const kEntries[] = {
    L"skin/PromptBk.bmp",     L"skin/btn_close_nor.png", L"skin/btn_close_hit.png", L"skin/btn_close_down.png",
    L"skin/btn_min_down.png", L"skin/btn_min_nor.png",   L"skin/btn_min_hit.png",   L"skin/done.png",
    L"skin/done_s.png",       L"skin/install.png",       L"skin/install_s.png",     L"skin/warning.png",
    L"skin/warning_s.png",
};

std::unique_ptr<CSkinResourceManager> ManagerWithPictures() {
    auto manager = std::make_unique<CSkinResourceManager>();
    for (const wchar_t* entry : kEntries) {
        manager->AddImage(entry, CSkinDrawImage::FromPicture(tovane::Picture(), CSkinDrawImage::kTypePng));
    }
    return manager;
}

}  // namespace

int main(int argc, char** argv) {
    std::string path = argc > 1 ? argv[1] : TOVANE_SOURCE_DIR "/res/skin/skin.xml";
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    auto reader = CSkinZipReader::OpenMemory(kEmptyZip, sizeof kEmptyZip, nullptr);
    using Clock = std::chrono::steady_clock;
    const int rounds = 2000;

    double parseAndWalk = 0, walkOnly = 0;
    for (int i = 0; i < rounds; ++i) {
        auto manager = ManagerWithPictures();
        auto t0 = Clock::now();
        CSkinXmlDocument doc;
        doc.LoadUtf8(bytes.data(), bytes.size());
        auto t1 = Clock::now();
        manager->LoadTheme(doc, *reader);
        auto t2 = Clock::now();
        parseAndWalk += std::chrono::duration<double, std::micro>(t2 - t0).count();
        walkOnly += std::chrono::duration<double, std::micro>(t2 - t1).count();
        if (i == 0 && !manager->GetDescription(SkinDescClass::Button, L"standard.buttton")) {
            std::fprintf(stderr, "theme did not load\n");
            return 1;
        }
    }
    std::printf("installer theme (%zu bytes), %d rounds:\n", bytes.size(), rounds);
    std::printf("  parse + theme walk: %.1f us per load\n", parseAndWalk / rounds);
    std::printf("  theme walk alone:   %.1f us per load\n", walkOnly / rounds);
    return 0;
}
