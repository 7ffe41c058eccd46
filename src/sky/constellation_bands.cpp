// Which IAU constellation holds a position, and precession to B1875.
#include "sky/constellation_bands.h"

#include <cmath>

#include "files/quoted_field.h"
#include "sky/record_lines.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kArcsecondsToPole = 324000;
constexpr double kArcsecondsToRadians = 4.84813681109536e-6;
// Julian centuries from J2000.0 (JD 2451545.0) back to B1875.0 (JD 2405889.258550475).
constexpr double kCenturiesToB1875 = (2405889.258550475 - 2451545.0) / 36525.0;
}  // namespace

ReadFailure ParseConstellationBands(const std::string& text, ConstellationBands& bands) {
    std::vector<RecordLine> records;
    if (auto failure = SplitRecordLines(text, 4, records); failure.failed) return failure;
    ConstellationBands read;
    for (const RecordLine& record : records) {
        const auto& f = record.fields;
        std::string reason;
        const auto raLow = WholeNumberField(f[0], 0, kSecondsPerDay, std::nullopt, reason);
        const auto raHigh = raLow ? WholeNumberField(f[1], 0, kSecondsPerDay, std::nullopt, reason) : std::nullopt;
        const auto decLow =
            raHigh ? WholeNumberField(f[2], -kArcsecondsToPole, kArcsecondsToPole, std::nullopt, reason) : std::nullopt;
        if (!decLow) return {true, record.line, reason};
        if (*raLow >= *raHigh) return {true, record.line, "the band ends before it starts"};
        if (f[3].size() != 3) return {true, record.line, QuoteField(f[3]) + " is not a constellation abbreviation"};
        // The search takes the first band from the north, so the order carries the meaning.
        if (!read.rows.empty() && *decLow > read.rows.back().decLow)
            return {true, record.line, "the bands are not sorted from north to south"};
        read.rows.push_back({static_cast<int32_t>(*raLow), static_cast<int32_t>(*raHigh), static_cast<int32_t>(*decLow),
                             f[3]});
    }
    if (read.rows.empty()) return {true, 0, "the file holds no bands"};
    bands = std::move(read);
    return {};
}

ReadFailure LoadConstellationBands(const std::string& path, ConstellationBands& bands) {
    std::string text;
    if (auto failure = ReadWholeFile(path, text, 64u << 20); failure.failed) return failure;
    return ParseConstellationBands(text, bands);
}

SkyDirection PrecessJ2000ToB1875(SkyDirection j2000) {
    // Lieske et al. (1977) angles, the IAU 1976 model; t is negative here.
    const double t = kCenturiesToB1875;
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) * kArcsecondsToRadians;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) * kArcsecondsToRadians;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) * kArcsecondsToRadians;
    const double cz = std::cos(zeta), sz = std::sin(zeta);
    const double cZ = std::cos(z), sZ = std::sin(z);
    const double ct = std::cos(theta), st = std::sin(theta);
    const SkyVector v = UnitVector(j2000);
    return DirectionOf({(cz * ct * cZ - sz * sZ) * v.x + (-sz * ct * cZ - cz * sZ) * v.y + (-st * cZ) * v.z,
                        (cz * ct * sZ + sz * cZ) * v.x + (-sz * ct * sZ + cz * cZ) * v.y + (-st * sZ) * v.z,
                        (cz * st) * v.x + (-sz * st) * v.y + ct * v.z});
}

std::string ConstellationAt(const ConstellationBands& bands, SkyDirection j2000) {
    const SkyDirection b1875 = PrecessJ2000ToB1875(j2000);
    const double ra = b1875.raHours * 3600;
    const double dec = b1875.decDegrees * 3600;
    for (const ConstellationBand& band : bands.rows)
        if (dec >= band.decLow && ra >= band.raLow && ra < band.raHigh) return band.abbreviation;
    return {};
}

}  // namespace orvanta
