// Browser command lines built from hostile registry text and targets: the
// builder must not crash, must keep to the command-line limit, must put the
// program first in quotes, must write no control character, and must carry
// the target whole. (How the started program splits the command is tested
// under Wine against the system's own splitter, link_rules_test.)
//
// Input: the registry command and the target, separated by the first
// newline. Bytes are code units; 0xFF takes the next two bytes as one
// 16-bit unit, so the seeds stay readable and wide characters are reachable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ui/link_rules.h"

namespace {

std::wstring Decode(const std::uint8_t* data, std::size_t size) {
    std::wstring out;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && i + 2 < size) {
            out += static_cast<wchar_t>(data[i + 1] | (data[i + 2] << 8));
            i += 2;
        } else {
            out += static_cast<wchar_t>(data[i]);
        }
    }
    return out;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring input = Decode(data, size);
    const std::size_t split = input.find(L'\n');
    const std::wstring registered = input.substr(0, split);
    const std::wstring target = split == std::wstring::npos ? L"http://bbs.tovane.com" : input.substr(split + 1);

    const auto command = link_rules::BuildBrowserCommand(registered, target);
    if (!command) return 0;
    Check(link_rules::IsSafeWebTarget(target));
    Check(command->size() <= link_rules::kMaxCommandLine);
    Check(!command->empty() && (*command)[0] == L'"');
    for (wchar_t c : *command) Check(c == L'\t' || (c >= 0x20 && c != 0x7F));

    // The target arrives whole: it holds no quote, so quoting can only add
    // backslashes after its own, never cut it.
    Check(command->find(target) != std::wstring::npos);

    // The same target without blanks is accepted as well.
    std::wstring solid = target;
    for (wchar_t& c : solid) {
        if (c == L' ' || c == L'\t') c = L'x';
    }
    Check(link_rules::BuildBrowserCommand(registered, solid).has_value());
    return 0;
}
