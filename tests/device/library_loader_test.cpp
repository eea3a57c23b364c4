// The library search and load decisions over a scripted system.
#include "device/library_loader.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace apple {
namespace {

class ScriptedSystem : public LoaderSystem {
public:
    std::map<std::wstring, std::wstring> registry;  // "key|value" -> data
    std::wstring windowsDirectory = L"C:\\windows";
    std::set<std::wstring> files;
    std::wstring path = L"C:\\windows\\system32";
    std::set<std::wstring> loadable;              // loads at once
    std::set<std::wstring> needsPreload;          // loads only after the dependency preload
    const std::wstring* preloadFolder = nullptr;  // where that preload must come from
    std::vector<std::wstring> existsQueries;
    std::vector<std::wstring> loads;

    bool ReadMachineString(const std::wstring& key, const std::wstring& value, std::wstring& out) override {
        auto it = registry.find(key + L"|" + value);
        if (it == registry.end()) return false;
        out = it->second;
        return true;
    }
    std::wstring WindowsDirectory() override { return windowsDirectory; }
    bool FileExists(const std::wstring& p) override {
        existsQueries.push_back(p);
        return files.count(p) != 0;
    }
    std::wstring GetPathVariable() override { return path; }
    void SetPathVariable(const std::wstring& value) override { path = value; }
    void* LoadLibraryAt(const std::wstring& p) override {
        loads.push_back(p);
        if (loadable.count(p)) return this;
        if (needsPreload.count(p) && preloadFolder && PreloadedFrom(*preloadFolder)) return this;
        return nullptr;
    }
    void* FindEntry(void*, const char*) override { return nullptr; }
    bool PreloadedFrom(const std::wstring& folder) const {
        for (const auto& l : loads) {
            if (l == folder + kDependencyNames.front()) return true;
        }
        return false;
    }
    int Count(const std::wstring& p) const {
        int n = 0;
        for (const auto& l : loads) n += l == p;
        return n;
    }
    void Register(const std::wstring& md, const std::wstring& installDir) {
        registry[std::wstring(kMobileDeviceKey) + L"|" + kMobileDeviceValue] = md;
        registry[std::wstring(kApplicationSupportKey) + L"|" + kApplicationSupportValue] = installDir;
    }
};

const std::wstring kMd = L"C:\\Apple\\MDS\\iTunesMobileDevice.dll";
const std::wstring kCfDir = L"C:\\Apple\\AAS\\";
const std::wstring kCf = kCfDir + L"CoreFoundation.dll";

TEST(LibraryLoader, RegisteredLibrariesGoInFrontOfPathInOrder) {
    ScriptedSystem sys;
    sys.Register(kMd, kCfDir);
    sys.loadable = {kMd, kCf};
    LibraryLocation where;
    ASSERT_TRUE(LocateLibraries(sys, where));
    EXPECT_EQ(where.mobileDevicePath, kMd);
    EXPECT_EQ(where.coreFoundationPath, kCf);
    EXPECT_EQ(where.searchList, L"C:\\Apple\\MDS\\;C:\\Apple\\AAS\\");
    EXPECT_TRUE(sys.existsQueries.empty()) << "no default folder is probed when registered";

    LoadedModules modules;
    ASSERT_TRUE(LoadLocatedLibraries(sys, where, modules));
    EXPECT_EQ(sys.path, L"C:\\Apple\\MDS\\;C:\\Apple\\AAS\\;C:\\windows\\system32");
    // CoreFoundation first, MobileDevice second, nothing else.
    EXPECT_EQ(sys.loads, (std::vector<std::wstring>{kCf, kMd}));
}

TEST(LibraryLoader, DefaultFoldersAreTriedOnTheWindowsDrive) {
    ScriptedSystem sys;
    sys.windowsDirectory = L"D:\\WINNT";
    LibraryLocation where;
    EXPECT_FALSE(LocateLibraries(sys, where));
    ASSERT_EQ(sys.existsQueries.size(), 2u) << "stops after MobileDevice is not found";
    EXPECT_EQ(sys.existsQueries[0],
              L"D:\\Program Files (x86)\\Common Files\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll");
    EXPECT_EQ(sys.existsQueries[1],
              L"D:\\Program Files\\Common Files\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll");

    // Found in the plain folder: CoreFoundation is then looked for the same way.
    sys.existsQueries.clear();
    sys.files = {L"D:\\Program Files\\Common Files\\Apple\\Mobile Device Support\\iTunesMobileDevice.dll",
                 L"D:\\Program Files (x86)\\Common Files\\Apple\\Apple Application Support\\CoreFoundation.dll"};
    ASSERT_TRUE(LocateLibraries(sys, where));
    EXPECT_EQ(where.coreFoundationPath,
              L"D:\\Program Files (x86)\\Common Files\\Apple\\Apple Application Support\\CoreFoundation.dll");
    EXPECT_EQ(where.searchList,
              L"D:\\Program Files\\Common Files\\Apple\\Mobile Device Support\\;"
              L"D:\\Program Files (x86)\\Common Files\\Apple\\Apple Application Support\\");
}

TEST(LibraryLoader, MissingCoreFoundationFailsTheSearch) {
    ScriptedSystem sys;
    sys.registry[std::wstring(kMobileDeviceKey) + L"|" + kMobileDeviceValue] = kMd;
    LibraryLocation where;
    EXPECT_FALSE(LocateLibraries(sys, where));
}

TEST(LibraryLoader, DependenciesArePreloadedFromCoreFoundationsFolderAtMostOnce) {
    // CoreFoundation needs the preload; MobileDevice still fails: no second preload.
    ScriptedSystem sys;
    sys.Register(kMd, kCfDir);
    sys.needsPreload = {kCf};
    sys.preloadFolder = &kCfDir;
    LibraryLocation where;
    ASSERT_TRUE(LocateLibraries(sys, where));
    LoadedModules modules;
    EXPECT_FALSE(LoadLocatedLibraries(sys, where, modules));
    EXPECT_EQ(sys.Count(kCf), 2);
    EXPECT_EQ(sys.Count(kMd), 1);
    EXPECT_EQ(sys.Count(kCfDir + L"ASL.dll"), 1);
    EXPECT_EQ(sys.loads.size(), 2u + kDependencyNames.size() + 1u);
    // The preload goes in the listed order.
    EXPECT_EQ(sys.loads[1], kCfDir + L"ASL.dll");
    EXPECT_EQ(sys.loads[10], kCfDir + L"SQLite3.dll");
}

TEST(LibraryLoader, MobileDeviceGetsThePreloadWhenCoreFoundationDidNotNeedIt) {
    ScriptedSystem sys;
    sys.Register(kMd, kCfDir);
    sys.loadable = {kCf};
    sys.needsPreload = {kMd};
    sys.preloadFolder = &kCfDir;  // from CoreFoundation's folder, not MobileDevice's
    LibraryLocation where;
    ASSERT_TRUE(LocateLibraries(sys, where));
    LoadedModules modules;
    EXPECT_TRUE(LoadLocatedLibraries(sys, where, modules));
    EXPECT_EQ(sys.Count(kMd), 2);
    EXPECT_EQ(sys.Count(kCfDir + L"libxml2.dll"), 1);
}

TEST(LibraryLoader, PathHelpers) {
    EXPECT_EQ(FolderOf(L"C:\\a\\b.dll"), L"C:\\a\\");
    EXPECT_EQ(FolderOf(L"b.dll"), L"");
    EXPECT_EQ(DriveOf(L"D:\\Windows"), L"D:");
    EXPECT_EQ(DriveOf(L"nodrive"), L"");
}

}  // namespace
}  // namespace apple
