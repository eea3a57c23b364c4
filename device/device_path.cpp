#include "device/device_path.h"

#include <vector>

namespace apple {

std::string ResolveDevicePath(const std::string& workingDirectory, const std::string& path) {
    std::string cwd = workingDirectory.empty() ? "/" : workingDirectory;
    std::string rel = path.empty() ? "/" : path;
    std::string text;
    if (rel[0] == '/') {
        text = rel;
    } else if (cwd[0] == '/') {
        text = cwd + "/" + rel;
    } else {
        text = "/" + cwd + "/" + rel;
    }
    std::vector<std::string> kept;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t slash = text.find('/', pos);
        if (slash == std::string::npos) slash = text.size();
        std::string part = text.substr(pos, slash - pos);
        pos = slash + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (!kept.empty()) kept.pop_back();
            continue;
        }
        kept.push_back(std::move(part));
    }
    std::string result = "/";
    for (const std::string& part : kept) result += part + "/";
    if (result.size() > 1) result.pop_back();
    return result;
}

}  // namespace apple
