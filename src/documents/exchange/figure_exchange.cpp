// Between line records and the exchange model: grouping, polylines, resolving stars.
#include "documents/exchange/figure_exchange.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>
#include <tuple>

#include "documents/exchange/constellation_names.h"

namespace orvanta {

namespace {

constexpr size_t kMaxImportedLines = 32767;  // a figure's 16-bit line count

std::optional<std::pair<int16_t, int16_t>> ResolvePoint(const ExchangePoint& point, const SkyReference& sky,
                                                        const StarFinder& finder) {
    std::optional<size_t> star;
    switch (point.kind) {
        case PointKind::Hipparcos:
            star = sky.identities.IndexOfHip(point.hip);
            if (star && *star >= sky.stars.size()) star.reset();
            // A star fainter than yale.dat: its place from every Hipparcos star.
            if (!star && sky.hipparcos)
                if (const HipparcosStar* faint = sky.hipparcos->Find(point.hip))
                    return std::make_pair(static_cast<int16_t>(faint->RaUnits()), static_cast<int16_t>(faint->DecUnits()));
            break;
        case PointKind::Position:
            star = finder.Nearest(point.position, kImportMatchDegrees);
            break;
        case PointKind::FreePoint:
            star = finder.Nearest(point.position, kLineEndMatchDegrees);
            if (!star) {
                const long ra = std::lround(point.position.raHours * 1000) % 24000;
                return std::make_pair(static_cast<int16_t>(ra < 0 ? ra + 24000 : ra),
                                      static_cast<int16_t>(std::lround(point.position.decDegrees * 100)));
            }
            break;
    }
    if (!star) return std::nullopt;
    return std::make_pair(static_cast<int16_t>(sky.stars[*star].ra), static_cast<int16_t>(sky.stars[*star].dec));
}

// The constellation of the Bayer or Flamsteed designation of the star at a
// line end; empty for a free point or a star without either.
std::string DesignatedIn(int16_t ra, int16_t dec, const SkyReference& sky, const StarFinder& finder) {
    const auto star = finder.LineEnd(ra, dec);
    const StarIdentity* identity = star ? sky.identities.Of(*star) : nullptr;
    return identity ? identity->designatedIn : std::string();
}

}  // namespace

std::string ConstellationOfLine(const LineRecord& line, const SkyReference& sky, const StarFinder& finder) {
    // The boundaries came after the designations and left some stars of a
    // figure just outside it (54 Cet lies in Aries); the names still say whose they are.
    const std::string designated = DesignatedIn(line.ra1, line.dec1, sky, finder);
    if (!designated.empty() && designated == DesignatedIn(line.ra2, line.dec2, sky, finder)) return designated;
    const SkyDirection a = FromCatalogueUnits(line.ra1, line.dec1);
    const SkyDirection b = FromCatalogueUnits(line.ra2, line.dec2);
    std::string first = ConstellationAt(sky.bands, a);
    if (first == ConstellationAt(sky.bands, b)) return first;
    return ConstellationAt(sky.bands, Midpoint(a, b));
}

ExchangePoint ExportedEnd(int16_t ra, int16_t dec, const SkyReference& sky, const StarFinder& finder) {
    if (const auto star = finder.LineEnd(ra, dec)) {
        if (const StarIdentity* identity = sky.identities.Of(*star))
            return {PointKind::Hipparcos, identity->hip, FromCatalogueUnits(sky.stars[*star].ra, sky.stars[*star].dec)};
    }
    // A faint star: the brightest Hipparcos star whose place rounds to this one.
    if (const HipparcosStar* faint = sky.hipparcos ? sky.hipparcos->AtUnits(ra, dec) : nullptr)
        return {PointKind::Hipparcos, faint->hip, FromCatalogueUnits(ra, dec)};
    // Right ascension is a turn: a figure file may hold it beyond 24 hours or below 0.
    SkyDirection free = FromCatalogueUnits(ra, dec);
    free.raHours = std::fmod(free.raHours, 24.0);
    if (free.raHours < 0) free.raHours += 24;
    return {PointKind::FreePoint, 0, free};
}

std::vector<ConstellationFigure> GroupFigure(const std::vector<LineRecord>& lines, const SkyReference& sky,
                                             int& unplaced) {
    const StarFinder finder(sky.stars);
    std::vector<ConstellationFigure> byOrder(kConstellationOrder.size());
    unplaced = 0;
    for (const LineRecord& line : lines) {
        const int order = ConstellationOrderOf(ConstellationOfLine(line, sky, finder));
        if (order < 0) {
            ++unplaced;
            continue;
        }
        byOrder[order].abbreviation = kConstellationOrder[order];
        byOrder[order].lines.push_back(
            {ExportedEnd(line.ra1, line.dec1, sky, finder), ExportedEnd(line.ra2, line.dec2, sky, finder)});
    }
    std::vector<ConstellationFigure> figures;
    for (ConstellationFigure& figure : byOrder) {
        if (figure.lines.empty()) continue;
        figure.polylines = JoinIntoPolylines(figure.lines);
        figures.push_back(std::move(figure));
    }
    return figures;
}

std::vector<std::vector<ExchangePoint>> JoinIntoPolylines(const std::vector<ExchangeLine>& lines) {
    // Points numbered in order of first appearance, so the result does not depend on hashing.
    std::vector<ExchangePoint> points;
    auto numberOf = [&points](const ExchangePoint& p) {
        const auto found = std::find(points.begin(), points.end(), p);
        if (found != points.end()) return static_cast<size_t>(found - points.begin());
        points.push_back(p);
        return points.size() - 1;
    };
    std::vector<std::vector<std::pair<size_t, size_t>>> edges;  // per point: (other point, line)
    for (size_t k = 0; k < lines.size(); ++k) {
        const size_t a = numberOf(lines[k].from), b = numberOf(lines[k].to);
        edges.resize(points.size());
        edges[a].push_back({b, k});
        edges[b].push_back({a, k});
    }
    std::vector<bool> used(lines.size(), false);
    auto unusedAt = [&](size_t p) {
        return std::count_if(edges[p].begin(), edges[p].end(), [&](const auto& e) { return !used[e.second]; });
    };
    std::vector<std::vector<ExchangePoint>> polylines;
    // Loose ends first: a chain started in its middle would be cut in two.
    for (const bool looseEndsOnly : {true, false}) {
        for (size_t start = 0; start < points.size(); ++start) {
            while (unusedAt(start) > 0 && (!looseEndsOnly || unusedAt(start) % 2 == 1)) {
                std::vector<ExchangePoint> polyline{points[start]};
                size_t at = start;
                while (true) {
                    const auto next = std::find_if(edges[at].begin(), edges[at].end(),
                                                   [&](const auto& e) { return !used[e.second]; });
                    if (next == edges[at].end()) break;
                    used[next->second] = true;
                    at = next->first;
                    polyline.push_back(points[at]);
                }
                polylines.push_back(std::move(polyline));
            }
        }
    }
    return polylines;
}

void ResolveLines(const std::vector<ExchangeLine>& lines, const SkyReference& sky, ImportResult& result) {
    const StarFinder finder(sky.stars);
    std::set<std::tuple<int16_t, int16_t, int16_t, int16_t>> seen;
    for (const ExchangeLine& line : lines) {
        const auto a = ResolvePoint(line.from, sky, finder);
        const auto b = a ? ResolvePoint(line.to, sky, finder) : std::nullopt;
        if (!b) {
            ++result.skippedLines;
            continue;
        }
        if (*a == *b) continue;
        const auto key = std::min(*a, *b) == *a ? std::make_tuple(a->first, a->second, b->first, b->second)
                                                : std::make_tuple(b->first, b->second, a->first, a->second);
        if (!seen.insert(key).second) continue;
        if (result.records.size() == kMaxImportedLines) {
            result.failure = {true, 0, "a figure holds at most " + std::to_string(kMaxImportedLines) + " lines"};
            result.records.clear();
            return;
        }
        result.records.push_back({a->first, a->second, b->first, b->second});
    }
}

}  // namespace orvanta
