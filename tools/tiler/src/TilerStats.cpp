#include "TilerStats.h"

#include <iomanip>

int64_t TilerStats::tiles() const {
    int64_t total = 0;
    for (const auto& level : tilesPerLevel) total += level.second;
    return total;
}

int64_t TilerStats::tileBytes() const {
    int64_t total = 0;
    for (const auto& level : bytesPerLevel) total += level.second;
    return total;
}

void TilerStats::print(std::ostream& out) const {
    const double seconds = cutSeconds + writeSeconds;
    out << "features: " << featuresRead << " read, " << featuresUsed << " used";
    if (cutSeconds > 0) out << ", " << std::fixed << std::setprecision(0) << featuresRead / cutSeconds << " features/s";
    out << "\n";
    for (const auto& layer : layers) {
        out << "  " << std::setw(7) << layer.features << " features in " << std::fixed << std::setprecision(1)
            << std::setw(6) << layer.seconds << " s: " << layer.layer << "\n";
    }
    for (const auto& reason : dropped) out << "  dropped " << reason.second << ": " << reason.first << "\n";
    out << "tiles per level:\n";
    for (const auto& level : tilesPerLevel) {
        out << "  level " << std::setw(2) << level.first << ": " << std::setw(7) << level.second << " tiles, "
            << std::setw(10) << bytesPerLevel.at(level.first) << " bytes\n";
    }
    out << "tiles: " << tiles() << ", " << tileBytes() << " bytes";
    if (seconds > 0) out << ", " << std::fixed << std::setprecision(0) << tiles() / seconds << " tiles/s";
    out << "\n";
    out << "background map: " << backgroundTiles << " tiles, " << backgroundBytes << " bytes\n";
    out << "global data: " << globalDataBytes << " bytes\n";
    out << "store: " << storeBytes << " bytes\n";
    out << "time: " << std::fixed << std::setprecision(1) << seconds << " s (cutting " << cutSeconds
        << " s, encoding and writing " << writeSeconds << " s)\n";
}
