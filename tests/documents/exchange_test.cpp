// Figures travelling to other sky programs and back: the whole-sky example
// through every exchange format, its grouping by constellation, polylines and
// free points, folders written whole, and hand-written files with their
// malformed twins.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "documents/exchange/exchange.h"
#include "documents/figure_file.h"
#include "sky/star_finder.h"
#include "support/shipped_sky.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::ShippedSky;
using orvanta::testing::TempFolder;

namespace {

// The source tree, one up from the data folder.
const std::string kSourceDir = std::string(ORVANTA_DATA_DIR) + "/..";

using StarPair = std::pair<std::pair<int, int>, std::pair<int, int>>;

StarPair Unordered(const LineRecord& r) {
    const std::pair<int, int> a{r.ra1, r.dec1}, b{r.ra2, r.dec2};
    return a < b ? StarPair{a, b} : StarPair{b, a};
}

std::set<StarPair> PairsOf(const std::vector<LineRecord>& records) {
    std::set<StarPair> pairs;
    for (const LineRecord& r : records) pairs.insert(Unordered(r));
    return pairs;
}

std::vector<LineRecord> WholeSky() {
    std::vector<LineRecord> read;
    EXPECT_FALSE(ReadFigureRecords(kSourceDir + "/examples/whole-sky.con", read).failed);
    std::vector<LineRecord> lines;
    for (const LineRecord& r : read) lines.push_back({r.ra1, r.dec1, r.ra2, r.dec2});
    return lines;
}

LineRecord Between(const ShippedSky& sky, int32_t hip1, int32_t hip2) {
    const Star& a = sky.stars[*sky.identities.IndexOfHip(hip1)];
    const Star& b = sky.stars[*sky.identities.IndexOfHip(hip2)];
    return {static_cast<int16_t>(a.ra), static_cast<int16_t>(a.dec), static_cast<int16_t>(b.ra),
            static_cast<int16_t>(b.dec)};
}

nlohmann::json ReadJson(const std::string& path) { return nlohmann::json::parse(TempFolder::Read(path)); }

// Betelgeuse, Bellatrix, Mintaka, Alnilam, Alnitak, Rigel, Saiph.
constexpr int32_t kBetelgeuse = 27989, kBellatrix = 25336, kMintaka = 25930, kAlnilam = 26311, kAlnitak = 26727,
                  kRigel = 24436, kSaiph = 27366;

}  // namespace

TEST(Exchange, WholeSkyComesBackFromEveryFormatWithTheSameLines) {
    const ShippedSky& sky = ShippedSky::Get();
    const std::vector<LineRecord> whole = WholeSky();
    ASSERT_GT(whole.size(), 700u);
    TempFolder folder;
    const struct {
        ExchangeFormat format;
        const char* output;
    } cases[] = {{ExchangeFormat::Stellarium, "whole-sky"},
                 {ExchangeFormat::StellariumFab, "whole-sky-fab"},
                 {ExchangeFormat::GeoJson, "whole-sky.json"}};
    for (const auto& c : cases) {
        const ExportFailure exported = ExportFigure(c.format, whole, sky.Reference(), folder.File(c.output));
        ASSERT_FALSE(exported.failed) << exported.reason;
        EXPECT_EQ(exported.linesLeftOut, 0) << c.output;
        const ImportResult imported = ImportFigure(folder.File(c.output), sky.Reference());
        ASSERT_FALSE(imported.failure.failed) << imported.failure.reason;
        EXPECT_EQ(imported.skippedLines, 0) << c.output;
        EXPECT_EQ(imported.records.size(), whole.size()) << c.output;
        EXPECT_EQ(PairsOf(imported.records), PairsOf(whole)) << c.output;
    }
}

TEST(Exchange, WholeSkyIsGroupedAsItsSourceGroupsIt) {
    const ShippedSky& sky = ShippedSky::Get();
    // Made by tools/make_examples.py from the public source, with the designations
    // and the membership table of the data script rather than this program's reading of them.
    std::ifstream fixture(kSourceDir + "/tests/documents/whole_sky_groups.txt");
    std::map<StarPair, std::string> holder;
    std::map<StarPair, std::set<std::string>> drawnBy;
    for (std::string row; std::getline(fixture, row);) {
        if (row.empty() || row[0] == '#') continue;
        std::istringstream in(row);
        std::string field[6];
        for (std::string& f : field) std::getline(in, f, ',');
        const LineRecord r{static_cast<int16_t>(std::stoi(field[0])), static_cast<int16_t>(std::stoi(field[1])),
                           static_cast<int16_t>(std::stoi(field[2])), static_cast<int16_t>(std::stoi(field[3]))};
        holder[Unordered(r)] = field[5];
        std::istringstream figures(field[4]);
        for (std::string f; figures >> f;) drawnBy[Unordered(r)].insert(f);
    }
    const std::vector<LineRecord> whole = WholeSky();
    ASSERT_EQ(holder.size(), whole.size());

    // The index.json written holds each line under its constellation's id.
    TempFolder folder;
    ASSERT_FALSE(ExportFigure(ExchangeFormat::Stellarium, whole, sky.Reference(), folder.File("sky")).failed);
    const nlohmann::json index = ReadJson(folder.File("sky/index.json"));
    std::map<StarPair, std::string> exported;
    for (const auto& constellation : index["constellations"]) {
        const std::string id = constellation["id"];
        ASSERT_EQ(id.substr(0, 8), "CON sky ");
        for (const auto& polyline : constellation["lines"]) {
            for (size_t k = 1; k < polyline.size(); ++k)
                exported[Unordered(Between(sky, polyline[k - 1], polyline[k]))] = id.substr(8);
        }
    }
    ASSERT_EQ(exported.size(), whole.size());

    // The source's own figures put these lines where neither the stars' names
    // nor the boundaries do: Argo Navis is drawn across Carina, Puppis, Vela and
    // Pyxis as one ship, Serpens Cauda runs through nu and tau Ophiuchi, and
    // Eridanus starts at pi Ceti. Every other line is grouped as the source groups it.
    const struct {
        int32_t hip1, hip2;
        const char* drawnIn;
    } across[] = {{31685, 30438, "Car"},   // nu Puppis to Canopus
                  {38827, 39953, "Car"},   // chi Carinae to gamma2 Velorum
                  {39953, 42913, "Car"},   // gamma2 to delta Velorum
                  {39429, 39953, "Pup"},   // Naos to gamma2 Velorum
                  {39429, 42515, "Pyx"},   // Naos to beta Pyxidis
                  {88048, 88404, "Ser"},   // nu to tau Ophiuchi
                  {12770, 12843, "Eri"}};  // pi Ceti to tau1 Eridani
    std::map<StarPair, std::string> exceptions;
    for (const auto& line : across) exceptions[Unordered(Between(sky, line.hip1, line.hip2))] = line.drawnIn;
    ASSERT_EQ(exceptions.size(), std::size(across));
    for (const auto& [pair, group] : exported) {
        const std::string at = std::to_string(pair.first.first) + "," + std::to_string(pair.first.second);
        EXPECT_EQ(group, holder.at(pair)) << at;
        const auto exception = exceptions.find(pair);
        if (exception == exceptions.end()) {
            EXPECT_EQ(drawnBy.at(pair).count(group), 1u) << at << " exported in " << group;
        } else {
            EXPECT_EQ(drawnBy.at(pair), std::set<std::string>{exception->second}) << at;
            EXPECT_NE(group, exception->second) << at << ": no longer an exception";
        }
    }
}

TEST(Exchange, LinesGoToTheConstellationTheirStarsAreNamedIn) {
    const ShippedSky& sky = ShippedSky::Get();
    const StarFinder finder(sky.stars);
    // 77 and 78 Orionis lie in Monoceros, 1 and 2 Serpentis in Virgo, 44 Eridani
    // in Taurus, 47 Leonis Minoris in Ursa Major: the boundaries of 1930 left
    // them outside the constellations they are named in.
    // A free point halfway between 77 and 78 Orionis, in Monoceros too.
    const LineRecord ori77to78 = Between(sky, 30717, 30720);
    const LineRecord toFreePoint{ori77to78.ra1, ori77to78.dec1, static_cast<int16_t>((ori77to78.ra1 + ori77to78.ra2) / 2),
                                 static_cast<int16_t>((ori77to78.dec1 + ori77to78.dec2) / 2)};
    const SkyDirection freePoint = FromCatalogueUnits(toFreePoint.ra2, toFreePoint.dec2);
    ASSERT_FALSE(finder.Nearest(freePoint, kLineEndMatchDegrees));
    ASSERT_EQ(ConstellationAt(sky.bands, freePoint), "Mon");
    const struct {
        LineRecord line;
        const char* constellation;
    } cases[] = {
        {ori77to78, "Ori"},                   // both named in Orion, both lying in Monoceros
        {Between(sky, 73193, 73536), "Ser"},  // both named in Serpens, both lying in Virgo
        {Between(sky, 20884, 21139), "Eri"},  // 44 Eri lies in Taurus, 45 Eri in Eridanus
        {Between(sky, 53377, 53229), "LMi"},  // 47 LMi lies in Ursa Major, and so does the midpoint
        {Between(sky, 73193, 73620), "Vir"},  // 1 Ser and 110 Vir, both in Virgo: names differ, boundaries decide
        {Between(sky, 30717, 30545), "Mon"},  // HIP 30545 has no designation
        {toFreePoint, "Mon"},                 // nor has a free point
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConstellationOfLine(c.line, sky.Reference(), finder), c.constellation)
            << c.line.ra1 << "," << c.line.dec1 << " " << c.line.ra2 << "," << c.line.dec2;
    // And the export groups by it.
    TempFolder folder;
    ASSERT_FALSE(ExportFigure(ExchangeFormat::GeoJson, {cases[0].line}, sky.Reference(), folder.File("l.json")).failed);
    EXPECT_EQ(ReadJson(folder.File("l.json"))["features"][0]["id"], "Ori");
}

TEST(Exchange, CurrentStellariumFormNamesItselfAfterItsFolder) {
    const ShippedSky& sky = ShippedSky::Get();
    // Orion's belt and sword as one chain, a branch from Alnilam up to Betelgeuse.
    const std::vector<LineRecord> lines = {Between(sky, kMintaka, kAlnilam), Between(sky, kAlnilam, kAlnitak),
                                           Between(sky, kAlnitak, kSaiph), Between(sky, kAlnilam, kBetelgeuse)};
    TempFolder folder;
    const CultureDetails details{"My Orion", "A. Astronomer", "CC0"};
    ASSERT_FALSE(ExportFigure(ExchangeFormat::Stellarium, lines, sky.Reference(), folder.File("my-orion"), details).failed);
    const nlohmann::json index = ReadJson(folder.File("my-orion/index.json"));
    EXPECT_EQ(index["id"], "my-orion");
    ASSERT_EQ(index["constellations"].size(), 1u);
    const auto& orion = index["constellations"][0];
    EXPECT_EQ(orion["id"], "CON my-orion Ori");
    EXPECT_EQ(orion["common_name"]["english"], "The Hunter");
    // Alnilam has three lines: the chain starts at a loose end and the odd line out is its own polyline.
    std::multiset<std::vector<int>> polylines;
    for (const auto& p : orion["lines"]) polylines.insert(p.get<std::vector<int>>());
    const std::vector<int> chain = {kMintaka, kAlnilam, kAlnitak, kSaiph};
    const std::vector<int> reversed(chain.rbegin(), chain.rend());
    const std::vector<int> branch = {kAlnilam, kBetelgeuse}, branchBack = {kBetelgeuse, kAlnilam};
    EXPECT_EQ(polylines.size(), 2u);
    EXPECT_TRUE(polylines.count(chain) + polylines.count(reversed) == 1) << orion["lines"].dump();
    EXPECT_TRUE(polylines.count(branch) + polylines.count(branchBack) == 1) << orion["lines"].dump();

    const std::string description = TempFolder::Read(folder.File("my-orion/description.md"));
    size_t at = 0;
    for (const char* heading : {"# My Orion\n", "## Introduction\n", "## Description\n", "## Constellations\n",
                                "##### The Hunter\n", "## References\n", "## Authors\n", "A. Astronomer",
                                "## License\n", "CC0"}) {
        const size_t found = description.find(heading, at);
        EXPECT_NE(found, std::string::npos) << heading;
        at = found == std::string::npos ? at : found;
    }
}

TEST(Exchange, OlderStellariumFormPairsHipparcosNumbers) {
    const ShippedSky& sky = ShippedSky::Get();
    const std::vector<LineRecord> lines = {Between(sky, kBetelgeuse, kBellatrix), Between(sky, kRigel, kSaiph),
                                           Between(sky, 11767, 85822)};  // Polaris to delta UMi
    TempFolder folder;
    ASSERT_FALSE(ExportFigure(ExchangeFormat::StellariumFab, lines, sky.Reference(), folder.File("figs")).failed);
    EXPECT_EQ(TempFolder::Read(folder.File("figs/constellationship.fab")),
              "Ori 2 27989 25336 24436 27366\nUMi 1 11767 85822\n");
    EXPECT_EQ(TempFolder::Read(folder.File("figs/constellation_names.eng.fab")),
              "Ori\t\"The Hunter\"\t_(\"The Hunter\")\nUMi\t\"The Little Bear\"\t_(\"The Little Bear\")\n");
    const std::string info = TempFolder::Read(folder.File("figs/info.ini"));
    for (const char* line : {"[info]\n", "name = figs\n", "classification = personal\n", "boundaries = iau\n", "license = "})
        EXPECT_NE(info.find(line), std::string::npos) << line;
}

TEST(Exchange, FreePointsAndNearlyExactEnds) {
    const ShippedSky& sky = ShippedSky::Get();
    const Star& rigel = sky.stars[*sky.identities.IndexOfHip(kRigel)];
    // An end 0.03 degrees from Rigel is Rigel; a point in a starless patch of
    // Orion (5.5 h, -3 degrees, checked below) is free.
    const LineRecord nearRigel{static_cast<int16_t>(rigel.ra), static_cast<int16_t>(rigel.dec + 3), 5500, -300};
    const StarFinder finder(sky.stars);
    ASSERT_FALSE(finder.Nearest({5.5, -3}, kLineEndMatchDegrees));
    TempFolder folder;
    ASSERT_FALSE(ExportFigure(ExchangeFormat::Stellarium, {nearRigel}, sky.Reference(), folder.File("free")).failed);
    const nlohmann::json line = ReadJson(folder.File("free/index.json"))["constellations"][0]["lines"][0];
    EXPECT_EQ(line.dump(), "[24436,[5.5,-3.0]]");
    // Back in, Rigel lands on its catalogue place and the free point stays where it was.
    const ImportResult back = ImportFigure(folder.File("free"), sky.Reference());
    ASSERT_FALSE(back.failure.failed) << back.failure.reason;
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0], (LineRecord{static_cast<int16_t>(rigel.ra), static_cast<int16_t>(rigel.dec), 5500, -300}));
    // The older form cannot hold a point that is no star: the line is left out and counted.
    const ExportFailure fab = ExportFigure(ExchangeFormat::StellariumFab, {nearRigel}, sky.Reference(), folder.File("f2"));
    ASSERT_FALSE(fab.failed);
    EXPECT_EQ(fab.linesLeftOut, 1);
    EXPECT_EQ(TempFolder::Read(folder.File("f2/constellationship.fab")), "");
}

TEST(Exchange, GeoJsonLongitudeWrapsIntoHalfCircles) {
    const ShippedSky& sky = ShippedSky::Get();
    // Alpheratz (0.14 h) to beta Pegasi, Scheat (23.06 h, HIP 113881): the line crosses RA 0.
    TempFolder folder;
    ASSERT_FALSE(ExportFigure(ExchangeFormat::GeoJson, {Between(sky, 677, 113881)}, sky.Reference(),
                              folder.File("lines.json")).failed);
    const nlohmann::json collection = ReadJson(folder.File("lines.json"));
    EXPECT_EQ(collection["type"], "FeatureCollection");
    ASSERT_EQ(collection["features"].size(), 1u);
    const auto& feature = collection["features"][0];
    EXPECT_EQ(feature["id"], "Peg");  // the line's midpoint lies in Pegasus
    EXPECT_EQ(feature["geometry"]["type"], "MultiLineString");
    const auto& points = feature["geometry"]["coordinates"][0];
    const Star& scheat = sky.stars[*sky.identities.IndexOfHip(113881)];
    EXPECT_NEAR(points[0][0].get<double>(), 0.14 * 15, 0.1);
    EXPECT_NEAR(points[1][0].get<double>(), scheat.ra * 0.015 - 360, 1e-9);
    EXPECT_NEAR(points[1][1].get<double>(), scheat.dec / 100.0, 1e-9);
}

// A culture export writes the culture's own files and nothing else: into a
// new folder, a culture's folder of the same id or of the older form; a
// folder of other things only when allowed, and then beside them.
TEST(Exchange, ACultureFolderGetsItsOwnFilesAndNothingElseChanges) {
    const ShippedSky& sky = ShippedSky::Get();
    const std::vector<LineRecord> lines = {Between(sky, kBetelgeuse, kBellatrix)};
    TempFolder folder;
    ASSERT_FALSE(ExportFigure(ExchangeFormat::Stellarium, lines, sky.Reference(), folder.File("out")).failed);
    // Files of the culture that an export does not write (pictures, translations) stay.
    folder.Write("out/illustrations.png", "picture");
    ASSERT_FALSE(ExportFigure(ExchangeFormat::Stellarium, lines, sky.Reference(), folder.File("out")).failed);
    EXPECT_EQ(TempFolder::Read(folder.File("out/illustrations.png")), "picture");

    std::filesystem::create_directories(folder.File("mine"));
    std::filesystem::create_directories(folder.File("other"));
    folder.Write("mine/notes.txt", "");
    folder.Write("mine/photo.jpg", "");
    const ExportFailure refused = ExportFigure(ExchangeFormat::StellariumFab, lines, sky.Reference(), folder.File("mine"));
    EXPECT_TRUE(refused.failed);
    EXPECT_EQ(refused.foreignFiles, "notes.txt, photo.jpg");
    EXPECT_FALSE(std::filesystem::exists(folder.File("mine/info.ini")));
    ASSERT_FALSE(ExportFigure(ExchangeFormat::StellariumFab, lines, sky.Reference(), folder.File("mine"), {}, {}, true).failed);
    EXPECT_TRUE(std::filesystem::exists(folder.File("mine/notes.txt")));
    EXPECT_TRUE(std::filesystem::exists(folder.File("mine/constellationship.fab")));
    // Now a culture of the older form: no question the next time.
    EXPECT_FALSE(ExportFigure(ExchangeFormat::StellariumFab, lines, sky.Reference(), folder.File("mine")).failed);
    // An index.json of another culture is another culture's folder.
    folder.Write("other/index.json", R"({"id": "someone-else"})");
    EXPECT_EQ(ExportFigure(ExchangeFormat::Stellarium, lines, sky.Reference(), folder.File("other")).foreignFiles,
              "index.json");

    const struct {
        ExchangeFormat format;
        std::string output;
    } failures[] = {
        {ExchangeFormat::Stellarium, folder.File("no such folder/out")},  // parent missing
        {ExchangeFormat::Stellarium, folder.File("two words")},           // no valid id
        {ExchangeFormat::StellariumFab, folder.Write("a-file", "x")},     // a file in the way
        {ExchangeFormat::GeoJson, folder.File("out")},                    // a folder in the way
        {ExchangeFormat::Stellarium, "-"},                                // a folder cannot go to standard output
    };
    for (const auto& f : failures) EXPECT_TRUE(ExportFigure(f.format, lines, sky.Reference(), f.output).failed) << f.output;
    EXPECT_EQ(TempFolder::Read(folder.File("a-file")), "x");
    // A line beyond a pole is no place on the sky: refused, naming it.
    const ExportFailure offSky = ExportFigure(ExchangeFormat::GeoJson, {lines[0], {100, 200, 300, -32768}},
                                              sky.Reference(), folder.File("off.json"));
    EXPECT_TRUE(offSky.failed);
    EXPECT_NE(offSky.reason.find("line 2"), std::string::npos) << offSky.reason;
    EXPECT_NE(offSky.reason.find("-327.68"), std::string::npos) << offSky.reason;
}

TEST(Exchange, HandWrittenFilesAndTheirMalformedTwins) {
    const ShippedSky& sky = ShippedSky::Get();
    const std::set<StarPair> belt = PairsOf({Between(sky, kMintaka, kAlnilam), Between(sky, kAlnilam, kAlnitak)});
    const std::string geoBelt =
        R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":{"type":"MultiLineString",)"
        R"("coordinates":[[[83.0017,-0.2991],[84.0534,-1.2019],[85.1897,-1.9426]]]}}]})";
    const struct {
        const char* name;
        std::string text;
        int line;             // 0: the read succeeds; else the line named, -1 for an entry without a line
        const char* mention;  // what the failure, or a note of a success, must name
    } cases[] = {
        {"belt.fab", "# Orion's belt\nOri 2 25930 26311 26311 26727\n", 0, ""},
        // Read as Stellarium reads them: a byte-order mark, a record short of its count passed over,
        // numbers beyond the count ignored; each told in a note.
        {"belt.fab", "\xEF\xBB\xBF# belt\r\nOri 2 25930 26311 26311 26727\r\n", 0, ""},
        {"belt.fab", "Ori 2 25930 26311 26311 26727\nOri 2 25930 26311 26311\n", 0, "Ori"},
        {"belt.fab", "Ori 2 25930 26311 26311 26727 27989 26727\n", 0, "Ori"},
        {"belt.fab", "\nOri 2 25930 26311 26311 x26727\n", 2, "x26727"},
        {"belt.fab", "Ori 2 25930 26311 26311 200000\n", 1, "200000"},
        {"belt.fab", "Ori two 25930 26311\n", 1, "Ori two"},
        {"index.json", R"({"id":"t","constellations":[{"id":"CON t Ori","lines":[["thin",25930,26311,26727]]}]})", 0, ""},
        {"index.json", "{\"id\":\"t\",\n\"constellations\":[{\"id\":\"CON t Ori\",\"lines\":[[25930,26311", 2, "JSON"},
        {"index.json", R"({"id":"t","constellations":[{"id":"CON t Ori","lines":"25930 26311"}]})", -1, "CON t Ori"},
        {"index.json", R"({"id":"t","constellations":[{"id":"CON t Ori","lines":[[25930,1.5]]}]})", -1, "point 2"},
        {"index.json", R"({"id":"t","constellations":[{"id":"CON t Ori","lines":[[25930,-4]]}]})", -1, "-4"},
        {"index.json", R"({"id":"t","constellations":{"Ori":[]}})", -1, "constellations"},
        {"index.json", R"({"constellations":[{"lines":[[25930,[5.5,95]]]}]})", -1, "95"},
        {"index.json", R"({"id":"t","constellations":[{"id":"CON t Ori","lines":[[25930,1e99999]]}]})", -1, "1e99999"},
        {"lines.json", geoBelt, 0, ""},
        {"lines.json", geoBelt.substr(0, 120), 1, "JSON"},
        {"lines.json", R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":)"
                       R"({"type":"MultiLineString","coordinates":[[[83.0017,"-0.2991"]]]}}]})", -1, "Ori"},
        {"lines.json", R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":)"
                       R"({"type":"MultiLineString","coordinates":[[[83.0017,-95]]]}}]})", -1, "position 1"},
        {"lines.json", R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":)"
                       R"({"type":"Point","coordinates":[83.0017,-0.2991]}}]})", -1, "Point"},
    };
    for (const auto& c : cases) {
        const ImportResult result = ImportFigureText(c.text, c.name, sky.Reference());
        if (c.line == 0) {
            ASSERT_FALSE(result.failure.failed) << c.name << ": " << result.failure.reason;
            EXPECT_EQ(PairsOf(result.records), belt) << c.text;
            EXPECT_EQ(result.notes.empty(), std::string(c.mention).empty()) << c.text;
            for (const ReadNote& note : result.notes) EXPECT_NE(note.what.find(c.mention), std::string::npos) << note.what;
            continue;
        }
        EXPECT_TRUE(result.failure.failed) << c.text;
        EXPECT_TRUE(result.records.empty()) << c.text;
        EXPECT_EQ(result.failure.line, c.line < 0 ? 0 : c.line) << c.text << "\n" << result.failure.reason;
        EXPECT_EQ(result.failure.reason.rfind(std::string(c.name) + ": ", 0), 0u) << result.failure.reason;
        EXPECT_NE(result.failure.reason.find(c.mention), std::string::npos) << result.failure.reason;
    }
}

TEST(Exchange, StarsOutsideTheCatalogueAreSkippedAndCounted) {
    const ShippedSky& sky = ShippedSky::Get();
    // HIP 1 is a real star, but fainter than the catalogue goes; so is a position far from any star.
    const ImportResult fab = ImportFigureText("Ori 3 25930 26311 26311 1 1 26727\n", "x.fab", sky.Reference());
    ASSERT_FALSE(fab.failure.failed) << fab.failure.reason;
    EXPECT_EQ(fab.skippedLines, 2);
    EXPECT_EQ(PairsOf(fab.records), PairsOf({Between(sky, kMintaka, kAlnilam)}));
    const ImportResult geo = ImportFigureText(
        R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":{"type":"LineString",)"
        R"("coordinates":[[83.0017,-0.2991],[84.0534,-1.2019],[82.5,-3.0]]}}]})",
        "l.json", sky.Reference());
    ASSERT_FALSE(geo.failure.failed) << geo.failure.reason;
    EXPECT_EQ(geo.skippedLines, 1);
    EXPECT_EQ(geo.records.size(), 1u);
}

TEST(Exchange, UnreadableSourcesNameTheFileAndTheReason) {
    const ShippedSky& sky = ShippedSky::Get();
    TempFolder folder;
    std::filesystem::create_directory(folder.File("empty-culture"));
    // Larger than any exchange file could honestly be; sparse, so cheap to make.
    std::ofstream(folder.File("huge.fab")).close();
    std::filesystem::resize_file(folder.File("huge.fab"), 100u << 20);
    std::filesystem::create_directory(folder.File("culture"));
    folder.Write("culture/constellationship.fab", "Ori 1 25930 26311\n");
    const struct {
        std::string path;
        const char* mention;
    } cases[] = {{folder.File("empty-culture"), "neither index.json nor constellationship.fab"},
                 {folder.File("huge.fab"), "too large"},
                 {folder.File("missing.fab"), "missing.fab"}};
    for (const auto& c : cases) {
        const ImportResult result = ImportFigure(c.path, sky.Reference());
        EXPECT_TRUE(result.failure.failed) << c.path;
        EXPECT_EQ(result.failure.reason.rfind(c.path, 0), 0u) << result.failure.reason;
        EXPECT_NE(result.failure.reason.find(c.mention), std::string::npos) << result.failure.reason;
    }
    const ImportResult culture = ImportFigure(folder.File("culture"), sky.Reference());
    ASSERT_FALSE(culture.failure.failed) << culture.failure.reason;
    EXPECT_EQ(culture.records.size(), 1u);
}
