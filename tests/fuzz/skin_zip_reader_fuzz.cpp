// Fuzz target: the skin package reader over an archive in memory. Walks
// every entry with GetEntry, reads each one whole and in small steps, then
// runs the whole package pass on a fresh resource manager.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/package/skin_zip_reader.h"
#include "skin/theme/skin_resource_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first byte picks a password, so encrypted entries get both paths.
    const char* password = size > 0 && (data[0] & 1) ? "tovane" : nullptr;
    if (auto reader = CSkinZipReader::OpenMemory(data, size, password)) {
        SkinZipEntry entry;
        reader->GetEntry(-1, &entry);
        int count = entry.index;
        std::vector<uint8_t> whole;
        uint8_t buffer[513];
        for (int i = 0; i < count; ++i) {
            reader->GetEntry(i, &entry);
            reader->ReadWholeEntry(i, whole);
            for (int steps = 0; steps < 4096 && reader->ReadEntry(i, buffer, sizeof buffer) == SkinZipResult::More;)
                ++steps;
            reader->CloseEntry();
        }
        // Going back to an earlier record restarts the directory walk.
        if (count > 1) reader->GetEntry(0, &entry);
        reader->Close();
    }
    CSkinResourceManager manager;
    manager.LoadFromMemory(data, size, password);
    return 0;
}
