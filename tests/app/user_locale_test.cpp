// The installer under a user's locale, as the package pass sets it from the
// environment (the test runs under a German and under a Turkish one): the
// download percentage keeps its "." and every entry kind is still known.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "app/online_fetch.h"
#include "image/test_pictures.h"
#include "skin/picture/skin_gif_player.h"
#include "skin/theme/skin_resource_manager.h"
#include "skin/zip_builder.h"

namespace {

ziptest::Entry Make(const std::string& name, std::vector<uint8_t> data) {
    ziptest::Entry e;
    e.name = name;
    e.data = std::move(data);
    e.method = 8;
    return e;
}

// The language the test expects, from its environment ("de" or "tr").
std::string ExpectedLanguage() {
    const char* language = std::getenv("TOVANE_TEST_LANGUAGE");
    return language ? language : "";
}

bool UserLocaleIs(const std::string& language) {
    const char* name = std::setlocale(LC_ALL, nullptr);
    if (!name) return false;
    const std::string locale = name;
    // POSIX names ("tr_TR.UTF-8") and Windows ones ("Turkish_Turkey.1254").
    const std::string windows = language == "tr" ? "Turkish" : "German";
    return locale.rfind(language + "_", 0) == 0 || locale.rfind(windows, 0) == 0;
}

}  // namespace

TEST(UserLocale, PackagePassAndPercentageDoNotDependOnIt) {
    const std::vector<uint8_t> gif = ziptest::Bytes("GIF89a....");
    auto zip = ziptest::Build({Make("skin.xml", ziptest::Bytes("<theme/>")), Make("anim.gif", gif),
                               Make("icon.ico", pictest::MakeIcoDib32(6, 6, pictest::Pattern(6, 6))),
                               Make("pic.png", pictest::MakePng(2, 2, pictest::Pattern(2, 2)))})
                   .bytes;
    CSkinResourceManager manager;
    ASSERT_EQ(manager.LoadFromMemory(zip.data(), zip.size(), nullptr), 1);
    // The pass has switched to the user's locale: the one this run is about.
    ASSERT_TRUE(UserLocaleIs(ExpectedLanguage()))
        << "the user's locale is " << std::setlocale(LC_ALL, nullptr) << ", not " << ExpectedLanguage();

    // The ".gif" ending was recognised: the entry has its player.
    EXPECT_TRUE(manager.GetGifPlayer(L"anim.gif"));
    EXPECT_TRUE(manager.FindImage(L"icon.ico"));
    EXPECT_TRUE(manager.FindImage(L"pic.png"));

    EXPECT_EQ(DownloadProgressText(1234, 10000), L"正在下载:12.34%");
    EXPECT_EQ(DownloadProgressText(1, 3), L"正在下载:33.33%");
    EXPECT_EQ(DownloadProgressText(7ULL << 40, 7ULL << 40), L"正在下载:100.00%");
}
