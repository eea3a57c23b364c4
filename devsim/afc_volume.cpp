#include "devsim/afc_volume.h"

#include <algorithm>

namespace devsim {
namespace {

std::string Parent(const std::string& hostPath) {
    std::size_t slash = hostPath.find_last_of('/');
    return slash == std::string::npos ? std::string() : hostPath.substr(0, slash);
}

// Calls visit(hostPath) for root/a, root/a/b, ... of a normalised relative
// path, in order, until visit returns a result other than kAfcOk; returns
// that result, or kAfcOk after the whole path.
template <typename Visit>
int ForEachPrefix(const std::string& root, const std::string& relative, Visit visit) {
    std::string current = root;
    std::size_t pos = 0;
    while (pos < relative.size()) {
        std::size_t slash = relative.find('/', pos);
        if (slash == std::string::npos) slash = relative.size();
        current += '/';
        current.append(relative, pos, slash - pos);
        pos = slash + 1;
        if (int rc = visit(current); rc != kAfcOk) return rc;
    }
    return kAfcOk;
}

// Resolve's walk stops at the first name that does not exist yet.
constexpr int kStopWalk = -1;

}  // namespace

bool NormaliseAfcPath(const std::string& path, std::string* relative) {
    std::vector<std::string> kept;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        std::size_t slash = path.find('/', pos);
        if (slash == std::string::npos) slash = path.size();
        std::string part = path.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        for (char c : part) {
            auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || c == '\\' || c == ':') return false;
        }
        kept.push_back(part);
    }
    relative->clear();
    for (const std::string& part : kept) {
        if (!relative->empty()) *relative += '/';
        *relative += part;
    }
    return true;
}

AfcVolume::AfcVolume(std::string root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
    if (!host::Canonical(root_, &canonicalRoot_)) canonicalRoot_ = root_;
}

int AfcVolume::Resolve(const std::string& path, std::string* hostPath) {
    std::string relative;
    if (!NormaliseAfcPath(path, &relative)) return kAfcInvalidArg;
    // Every existing prefix must resolve inside the root, so no link can carry
    // a later name out of the volume. Each is resolved, not only those that
    // look like links: some hosts do not mark file links as such.
    int rc = ForEachPrefix(root_, relative, [&](const std::string& current) -> int {
        host::Info info = host::Stat(current);
        if (info.kind == host::Kind::None && !info.isLink) return kStopWalk;
        std::string target;
        if (!host::Canonical(current, &target) || !host::IsInside(canonicalRoot_, target)) {
            return kAfcPermissionDenied;
        }
        return kAfcOk;
    });
    if (rc != kAfcOk && rc != kStopWalk) return rc;
    *hostPath = relative.empty() ? root_ : root_ + "/" + relative;
    return kAfcOk;
}

int AfcVolume::Open(const std::string& path, std::uint64_t mode, std::uint64_t* ref) {
    struct ModeRule {
        std::uint64_t mode;
        unsigned flags;
        bool append;
    };
    using host::File;
    static const ModeRule kRules[] = {
        {kAfcReadOnly, File::kRead | File::kMustExist, false},
        {kAfcReadWrite, File::kRead | File::kWrite | File::kCreate, false},
        {kAfcWriteOnly, File::kWrite | File::kCreate | File::kTruncate, false},
        {kAfcReadWriteTrunc, File::kRead | File::kWrite | File::kCreate | File::kTruncate, false},
        {kAfcAppend, File::kWrite | File::kCreate, true},
        {kAfcReadAppend, File::kRead | File::kWrite | File::kCreate, true},
    };
    const ModeRule* rule = nullptr;
    for (const ModeRule& r : kRules) {
        if (r.mode == mode) rule = &r;
    }
    if (!rule || !ref) return kAfcInvalidArg;
    std::string hostPath;
    if (int rc = Resolve(path, &hostPath); rc != kAfcOk) return rc;
    if (hostPath == root_) return kAfcIsDirectory;
    host::Info info = host::Stat(hostPath);
    if (info.kind == host::Kind::Directory) return kAfcIsDirectory;
    unsigned flags = rule->flags;
    if (info.kind == host::Kind::None) {
        if (flags & File::kMustExist) return kAfcNotFound;
        if (host::Stat(Parent(hostPath)).kind != host::Kind::Directory) return kAfcNotFound;
        // A new file is created exclusively: a link to nowhere that the host does
        // not show must not be followed out of the volume.
        flags = (flags & ~(File::kCreate | File::kTruncate)) | File::kCreateNew;
    }
    OpenFile f;
    if (!f.file.Open(hostPath, flags)) return kAfcPermissionDenied;
    f.read = (rule->flags & File::kRead) != 0;
    f.write = (rule->flags & File::kWrite) != 0;
    f.append = rule->append;
    std::lock_guard<std::mutex> lock(mu_);
    *ref = nextRef_++;
    files_.emplace(*ref, std::move(f));
    return kAfcOk;
}

int AfcVolume::Read(std::uint64_t ref, void* buffer, std::uint32_t* length) {
    std::lock_guard<std::mutex> lock(mu_);
    auto it = files_.find(ref);
    if (it == files_.end() || !length || (!buffer && *length)) return kAfcInvalidArg;
    if (!it->second.read) return kAfcPermissionDenied;
    std::size_t done = 0;
    if (!it->second.file.ReadAt(it->second.position, buffer, *length, &done)) return kAfcIoError;
    it->second.position += done;
    *length = static_cast<std::uint32_t>(done);
    return kAfcOk;
}

int AfcVolume::Write(std::uint64_t ref, const void* buffer, std::uint32_t length) {
    std::lock_guard<std::mutex> lock(mu_);
    auto it = files_.find(ref);
    if (it == files_.end() || (!buffer && length)) return kAfcInvalidArg;
    OpenFile& f = it->second;
    if (!f.write) return kAfcPermissionDenied;
    if (f.append && !f.file.Size(&f.position)) return kAfcIoError;
    if (length && !f.file.WriteAt(f.position, buffer, length)) return kAfcIoError;
    f.position += length;
    return kAfcOk;
}

int AfcVolume::Seek(std::uint64_t ref, std::int64_t position, std::uint64_t whence) {
    std::lock_guard<std::mutex> lock(mu_);
    auto it = files_.find(ref);
    if (it == files_.end()) return kAfcInvalidArg;
    OpenFile& f = it->second;
    std::int64_t base = 0;
    if (whence == 1) {
        base = static_cast<std::int64_t>(f.position);
    } else if (whence == 2) {
        std::uint64_t size = 0;
        if (!f.file.Size(&size)) return kAfcIoError;
        base = static_cast<std::int64_t>(size);
    } else if (whence != 0) {
        return kAfcInvalidArg;
    }
    if ((position > 0 && base > INT64_MAX - position) || base + position < 0) return kAfcInvalidArg;
    f.position = static_cast<std::uint64_t>(base + position);
    return kAfcOk;
}

int AfcVolume::Close(std::uint64_t ref) {
    std::lock_guard<std::mutex> lock(mu_);
    return files_.erase(ref) ? kAfcOk : kAfcInvalidArg;
}

bool AfcVolume::IsOpen(std::uint64_t ref) {
    std::lock_guard<std::mutex> lock(mu_);
    return files_.count(ref) != 0;
}

void AfcVolume::CloseAll() {
    std::lock_guard<std::mutex> lock(mu_);
    files_.clear();
}

int AfcVolume::Remove(const std::string& path) {
    std::string hostPath;
    if (int rc = Resolve(path, &hostPath); rc != kAfcOk) return rc;
    if (hostPath == root_) return kAfcPermissionDenied;
    host::Info info = host::Stat(hostPath);
    if (info.kind == host::Kind::None && !info.isLink) return kAfcNotFound;
    if (info.kind == host::Kind::Directory) {
        std::vector<std::string> names;
        if (host::ListDir(hostPath, &names) && !names.empty() && !info.isLink) return kAfcDirNotEmpty;
        return host::RemoveDir(hostPath) || host::RemoveFile(hostPath) ? kAfcOk : kAfcIoError;
    }
    return host::RemoveFile(hostPath) ? kAfcOk : kAfcIoError;
}

int AfcVolume::Rename(const std::string& from, const std::string& to, bool replaceExisting) {
    std::string src, dst;
    if (int rc = Resolve(from, &src); rc != kAfcOk) return rc;
    if (int rc = Resolve(to, &dst); rc != kAfcOk) return rc;
    if (src == root_ || dst == root_) return kAfcPermissionDenied;
    host::Info s = host::Stat(src);
    if (s.kind == host::Kind::None && !s.isLink) return kAfcNotFound;
    if (src == dst) return kAfcOk;
    if (host::Stat(Parent(dst)).kind != host::Kind::Directory) return kAfcNotFound;
    host::Info d = host::Stat(dst);
    if (d.kind != host::Kind::None) {
        if (!replaceExisting) return kAfcExists;
        if (d.kind == host::Kind::Directory) return kAfcIsDirectory;
    }
    return host::Rename(src, dst, replaceExisting) ? kAfcOk : kAfcIoError;
}

int AfcVolume::MakeDirectory(const std::string& path) {
    std::string hostPath, relative;
    if (int rc = Resolve(path, &hostPath); rc != kAfcOk) return rc;
    NormaliseAfcPath(path, &relative);
    // Like a device's AFC service, every missing folder on the way is made in
    // turn; a file (or a link to nowhere) in the way fails the whole call.
    return ForEachPrefix(root_, relative, [](const std::string& current) -> int {
        host::Info info = host::Stat(current);
        if (info.kind == host::Kind::Directory) return kAfcOk;
        if (info.kind != host::Kind::None || info.isLink) return kAfcExists;
        // Made meanwhile by someone else counts as made.
        if (!host::MakeDir(current) && host::Stat(current).kind != host::Kind::Directory) return kAfcIoError;
        return kAfcOk;
    });
}

int AfcVolume::FileInfo(const std::string& path, std::vector<std::pair<std::string, std::string>>* out) {
    std::string hostPath;
    if (int rc = Resolve(path, &hostPath); rc != kAfcOk) return rc;
    host::Info info = host::Stat(hostPath);
    if (info.kind == host::Kind::None) return kAfcNotFound;
    const char* ifmt = info.isLink ? "S_IFLNK" : info.kind == host::Kind::Directory ? "S_IFDIR" : "S_IFREG";
    out->clear();
    out->emplace_back("st_size", std::to_string(info.size));
    out->emplace_back("st_blocks", std::to_string((info.size + 511) / 512));
    out->emplace_back("st_nlink", "1");
    out->emplace_back("st_ifmt", ifmt);
    out->emplace_back("st_mtime", std::to_string(info.mtimeNs));
    out->emplace_back("st_birthtime", std::to_string(info.mtimeNs));
    return kAfcOk;
}

int AfcVolume::List(const std::string& path, std::vector<std::string>* names) {
    std::string hostPath;
    if (int rc = Resolve(path, &hostPath); rc != kAfcOk) return rc;
    if (host::Stat(hostPath).kind != host::Kind::Directory) return kAfcNotFound;
    if (!host::ListDir(hostPath, names)) return kAfcIoError;
    std::sort(names->begin(), names->end());
    names->insert(names->begin(), {".", ".."});
    return kAfcOk;
}

}  // namespace devsim
