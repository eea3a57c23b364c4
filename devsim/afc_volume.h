// The file system of a simulated device as the AFC service exposes it: paths
// below the device's fs/ folder, open files with the AFC open modes, and the
// path operations. Portable; every path is contained in the volume's root.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "devsim/host_fs.h"

namespace devsim {

// AFC result codes as devices report them.
enum AfcStatus : int {
    kAfcOk = 0,
    kAfcUnknownError = 1,
    kAfcInvalidArg = 7,
    kAfcNotFound = 8,
    kAfcIsDirectory = 9,
    kAfcPermissionDenied = 10,
    kAfcNotConnected = 11,
    kAfcExists = 16,
    kAfcIoError = 20,
    kAfcDirNotEmpty = 33,
};

// AFCFileRefOpen modes.
enum AfcOpenMode : std::uint64_t {
    kAfcReadOnly = 1,        // must exist
    kAfcReadWrite = 2,       // create, no truncation
    kAfcWriteOnly = 3,       // create, truncate
    kAfcReadWriteTrunc = 4,  // create, truncate
    kAfcAppend = 5,          // write, create, append
    kAfcReadAppend = 6,      // read/write, create, append
};

// Lexically normalised AFC path, relative to the volume root ("" is the
// root): empty components and "." are dropped, ".." never climbs above the
// root. False for names a device cannot hold or the host would misread
// (backslash, colon, control characters).
bool NormaliseAfcPath(const std::string& path, std::string* relative);

class AfcVolume {
public:
    explicit AfcVolume(std::string root);

    int Open(const std::string& path, std::uint64_t mode, std::uint64_t* ref);
    int Read(std::uint64_t ref, void* buffer, std::uint32_t* length);
    int Write(std::uint64_t ref, const void* buffer, std::uint32_t length);
    int Seek(std::uint64_t ref, std::int64_t position, std::uint64_t whence);
    int Close(std::uint64_t ref);
    bool IsOpen(std::uint64_t ref);
    void CloseAll();

    int Remove(const std::string& path);
    int Rename(const std::string& from, const std::string& to, bool replaceExisting);
    int MakeDirectory(const std::string& path);  // missing parents are made too
    int FileInfo(const std::string& path, std::vector<std::pair<std::string, std::string>>* info);
    int List(const std::string& path, std::vector<std::string>* names);

    // The host path of an AFC path after containment checks.
    int Resolve(const std::string& path, std::string* hostPath);

private:
    struct OpenFile {
        host::File file;
        std::uint64_t position = 0;
        bool read = false, write = false, append = false;
    };

    std::mutex mu_;
    std::string root_;
    std::string canonicalRoot_;
    std::map<std::uint64_t, OpenFile> files_;
    std::uint64_t nextRef_ = 1;
};

}  // namespace devsim
