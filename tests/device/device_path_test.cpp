#include <gtest/gtest.h>

#include "device/device_path.h"

TEST(ResolveDevicePath, NormalisesAgainstTheWorkingDirectory) {
    struct Case {
        const char* cwd;
        const char* path;
        const char* expected;
    } cases[] = {
        {"/", "/var/root/Media/Cydia/AutoInstall", "/var/root/Media/Cydia/AutoInstall"},
        {"/", "a/./b//c/..", "/a/b"},
        {"/", "/..", "/"},
        {"x", "y", "/x/y"},
        {"", "", "/"},
        {"/w", "", "/"},
        {"", "f", "/f"},
        {"/w/v", "../../../../f", "/f"},
        {"/w/", "./f/", "/w/f"},
        {"/w", "/abs//p/.", "/abs/p"},
        {"a/b", "..", "/a"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(apple::ResolveDevicePath(c.cwd, c.path), c.expected) << c.cwd << " + " << c.path;
    }
}
