// Normalisation of device (AFC) paths against a working directory.
#pragma once

#include <string>

namespace apple {

// The absolute, normalised form of `path` taken relative to `workingDirectory`:
// "." and empty components dropped, ".." removing the previous component and
// never climbing above "/". An empty working directory or path counts as "/".
std::string ResolveDevicePath(const std::string& workingDirectory, const std::string& path);

}  // namespace apple
