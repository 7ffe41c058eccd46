// Reading hipparcos.dat, and finding a star by its number.
#include "sky/hipparcos_catalogue.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "files/file_reading.h"
#include "sky/star_identities.h"

namespace orvanta {

namespace {

constexpr char kMagic[] = "ORVHIP01";
constexpr size_t kHeaderSize = 16, kRecordSize = 16;

int32_t Word(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return static_cast<int32_t>(value);
}

int16_t HalfWord(std::string_view bytes, size_t at) {
    return static_cast<int16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

}  // namespace

int32_t HipparcosStar::RaUnits() const {
    const int32_t units = static_cast<int32_t>(std::floor(raE4 / 10000.0 / 15.0 * 1000.0 + 0.5));
    return units >= 24000 ? 0 : units;
}

int32_t HipparcosStar::DecUnits() const { return static_cast<int32_t>(std::floor(decE4 / 10000.0 * 100.0 + 0.5)); }

const HipparcosStar* HipparcosCatalogue::Find(int32_t hip) const {
    if (hip < 0 || static_cast<size_t>(hip) >= indexOfHip_.size() || indexOfHip_[hip] < 0) return nullptr;
    return &stars_[static_cast<size_t>(indexOfHip_[hip])];
}

namespace {
int64_t PlaceKey(int32_t raUnits, int32_t decUnits) { return static_cast<int64_t>(raUnits) * 100000 + decUnits; }
}  // namespace

const HipparcosStar* HipparcosCatalogue::AtUnits(int32_t raUnits, int32_t decUnits) const {
    const auto found = std::lower_bound(byUnits_.begin(), byUnits_.end(), std::make_pair(PlaceKey(raUnits, decUnits), -1));
    if (found == byUnits_.end() || found->first != PlaceKey(raUnits, decUnits)) return nullptr;
    return &stars_[static_cast<size_t>(found->second)];
}

size_t HipparcosCatalogue::CountTo(int tenths) const {
    const auto past = std::upper_bound(stars_.begin(), stars_.end(), tenths * 10,
                                       [](int limit, const HipparcosStar& star) { return limit < star.magnitude; });
    return static_cast<size_t>(past - stars_.begin());
}

ReadFailure ParseHipparcos(std::string_view bytes, HipparcosCatalogue& catalogue) {
    if (bytes.size() < kHeaderSize || bytes.substr(0, 8) != std::string_view(kMagic, 8))
        return {true, 0, "it is not a Hipparcos star file of Orvanta"};
    const size_t count = static_cast<uint32_t>(Word(bytes, 8));
    if (count > (bytes.size() - kHeaderSize) / kRecordSize || bytes.size() != kHeaderSize + count * kRecordSize)
        return {true, 0, "the file is cut short or too long for the " + std::to_string(count) + " stars it announces"};
    HipparcosCatalogue read;
    read.stars_.reserve(count);
    read.indexOfHip_.assign(kHighestHipparcosNumber + 1, -1);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kHeaderSize + i * kRecordSize;
        const HipparcosStar star{Word(bytes, at), Word(bytes, at + 4), Word(bytes, at + 8), HalfWord(bytes, at + 12),
                                 HalfWord(bytes, at + 14)};
        const std::string where = "star " + std::to_string(i + 1);
        if (star.hip < 1 || star.hip > kHighestHipparcosNumber) return {true, 0, where + ": no Hipparcos number"};
        if (read.indexOfHip_[star.hip] >= 0) return {true, 0, where + ": HIP " + std::to_string(star.hip) + " again"};
        if (star.raE4 < 0 || star.raE4 >= 3600000 || std::abs(star.decE4) > 900000)
            return {true, 0, where + ": a position off the sky"};
        if (!read.stars_.empty() && star.magnitude < read.stars_.back().magnitude)
            return {true, 0, where + ": the stars are not sorted brightest first"};
        read.indexOfHip_[star.hip] = static_cast<int32_t>(read.stars_.size());
        read.stars_.push_back(star);
    }
    read.byUnits_.reserve(count);
    for (size_t i = 0; i < read.stars_.size(); ++i)
        read.byUnits_.emplace_back(PlaceKey(read.stars_[i].RaUnits(), read.stars_[i].DecUnits()), static_cast<int32_t>(i));
    // Brightest first within a place: the stars come brightest first, and the index breaks ties.
    std::sort(read.byUnits_.begin(), read.byUnits_.end());
    catalogue = std::move(read);
    return {};
}

ReadFailure LoadHipparcos(const std::string& path, HipparcosCatalogue& catalogue) {
    std::string bytes;
    if (auto failure = ReadWholeFile(path, bytes, kHipparcosFileLimit); failure.failed) return failure;
    return ParseHipparcos(bytes, catalogue);
}

}  // namespace orvanta
