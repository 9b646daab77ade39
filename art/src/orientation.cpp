#include "orientation.h"

#include <cstring>

Pixels toFile(const Pixels& seen, Orientation orientation) {
    Pixels file = seen;
    for (int y = 0; y < seen.height; ++y) {
        const int fileRow = orientation == Orientation::Turned ? seen.height - 1 - y : y;
        for (int x = 0; x < seen.width; ++x) {
            const int fileColumn = seen.width - 1 - x;
            std::memcpy(
                &file.rgba[(static_cast<std::size_t>(fileRow) * seen.width + fileColumn) * 4],
                &seen.rgba[(static_cast<std::size_t>(y) * seen.width + x) * 4], 4);
        }
    }
    return file;
}

const char* describe(Orientation orientation) {
    return orientation == Orientation::Turned ? "file turned 180" : "file mirrored";
}
