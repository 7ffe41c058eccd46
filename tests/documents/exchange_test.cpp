// Figures travelling to other sky programs and back: the whole-sky example
// grouped by constellation and through every exchange format, polylines and
// free points, folders written whole, and hand-written files with their
// malformed twins.
#include <gtest/gtest.h>

#include <algorithm>
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

StarPair Unordered(const LineRecord& r) { return std::minmax(std::pair<int, int>{r.ra1, r.dec1}, {r.ra2, r.dec2}); }

std::set<StarPair> PairsOf(const std::vector<LineRecord>& records) {
    std::set<StarPair> pairs;
    for (const LineRecord& r : records) pairs.insert(Unordered(r));
    return pairs;
}

const SkyReference Sky() { return ShippedSky::Get().Reference(); }

const Star& StarOf(int32_t hip) { return ShippedSky::Get().stars[*ShippedSky::Get().identities.IndexOfHip(hip)]; }

LineRecord Between(int32_t hip1, int32_t hip2) {
    const Star &a = StarOf(hip1), &b = StarOf(hip2);
    return {int16_t(a.ra), int16_t(a.dec), int16_t(b.ra), int16_t(b.dec)};
}

ExportFailure Export(ExchangeFormat format, const std::vector<LineRecord>& lines, const std::string& output,
                     const CultureDetails& details = {}, bool othersAllowed = false) {
    return ExportFigure(format, lines, Sky(), output, details, {}, othersAllowed);
}

nlohmann::json ReadJson(const std::string& path) { return nlohmann::json::parse(TempFolder::Read(path)); }

constexpr int32_t kBetelgeuse = 27989, kBellatrix = 25336, kMintaka = 25930, kAlnilam = 26311, kAlnitak = 26727,
                  kRigel = 24436, kSaiph = 27366;

}  // namespace

TEST(Exchange, WholeSkyIsGroupedAsItsSourceGroupsItAndComesBackFromEveryFormat) {
    // Made by tools/make_examples.py from the public source, with the designations
    // and the membership table of the data script rather than this program's reading of them.
    std::ifstream fixture(kSourceDir + "/tests/documents/whole_sky_groups.txt");
    std::map<StarPair, std::string> holder;
    for (std::string row; std::getline(fixture, row);) {
        if (row.empty() || row[0] == '#') continue;
        std::istringstream in(row);
        std::string field[6];
        for (std::string& f : field) std::getline(in, f, ',');
        holder[Unordered({int16_t(std::stoi(field[0])), int16_t(std::stoi(field[1])), int16_t(std::stoi(field[2])),
                          int16_t(std::stoi(field[3]))})] = field[5];
    }
    std::vector<LineRecord> whole;
    ASSERT_FALSE(ReadFigureRecords(kSourceDir + "/examples/whole-sky.con", whole).failed);
    ASSERT_EQ(holder.size(), whole.size());
    ASSERT_GT(whole.size(), 700u);

    TempFolder folder;
    for (const auto& [format, output] : {std::pair{ExchangeFormat::Stellarium, "sky"}, {ExchangeFormat::StellariumFab, "fab"},
                                         {ExchangeFormat::GeoJson, "sky.json"}}) {
        const ExportFailure exported = Export(format, whole, folder.File(output));
        ASSERT_FALSE(exported.failed) << exported.reason;
        EXPECT_EQ(exported.linesLeftOut, 0) << output;
        const ImportResult imported = ImportFigure(folder.File(output), Sky());
        ASSERT_FALSE(imported.failure.failed) << imported.failure.reason;
        EXPECT_EQ(imported.skippedLines, 0) << output;
        EXPECT_EQ(imported.records.size(), whole.size()) << output;
        EXPECT_EQ(PairsOf(imported.records), PairsOf(whole)) << output;
    }
    // The index.json written holds each line under its constellation's id.
    size_t grouped = 0;
    const nlohmann::json index = ReadJson(folder.File("sky/index.json"));
    for (const auto& constellation : index["constellations"]) {
        const std::string id = constellation["id"];
        ASSERT_EQ(id.substr(0, 8), "CON sky ");
        for (const auto& polyline : constellation["lines"])
            for (size_t k = 1; k < polyline.size(); ++k, ++grouped) {
                const LineRecord line = Between(polyline[k - 1], polyline[k]);
                EXPECT_EQ(id.substr(8), holder[Unordered(line)]) << line.ra1 << "," << line.dec1;
            }
    }
    EXPECT_EQ(grouped, whole.size());
}

TEST(Exchange, LinesGoToTheConstellationTheirStarsAreNamedIn) {
    const StarFinder finder(ShippedSky::Get().stars);
    // 77 and 78 Orionis lie in Monoceros, 1 and 2 Serpentis in Virgo, 44 Eridani
    // in Taurus, 47 Leonis Minoris in Ursa Major: the boundaries of 1930 left
    // them outside the constellations they are named in.
    // A free point halfway between 77 and 78 Orionis, in Monoceros too.
    const LineRecord ori77to78 = Between(30717, 30720);
    const LineRecord toFreePoint{ori77to78.ra1, ori77to78.dec1, int16_t((ori77to78.ra1 + ori77to78.ra2) / 2),
                                 int16_t((ori77to78.dec1 + ori77to78.dec2) / 2)};
    const SkyDirection freePoint = FromCatalogueUnits(toFreePoint.ra2, toFreePoint.dec2);
    ASSERT_FALSE(finder.Nearest(freePoint, kLineEndMatchDegrees));
    ASSERT_EQ(ConstellationAt(ShippedSky::Get().bands, freePoint), "Mon");
    const std::pair<LineRecord, const char*> cases[] = {
        {ori77to78, "Ori"},              // both named in Orion, both lying in Monoceros
        {Between(73193, 73536), "Ser"},  // both named in Serpens, both lying in Virgo
        {Between(20884, 21139), "Eri"},  // 44 Eri lies in Taurus, 45 Eri in Eridanus
        {Between(53377, 53229), "LMi"},  // 47 LMi lies in Ursa Major, and so does the midpoint
        {Between(73193, 73620), "Vir"},  // 1 Ser and 110 Vir, both in Virgo: names differ, boundaries decide
        {Between(30717, 30545), "Mon"},  // HIP 30545 has no designation
        {toFreePoint, "Mon"},            // nor has a free point
    };
    for (const auto& [line, constellation] : cases)
        EXPECT_EQ(ConstellationOfLine(line, Sky(), finder), constellation) << line.ra1 << "," << line.dec1;
    // And the export groups by it.
    TempFolder folder;
    ASSERT_FALSE(Export(ExchangeFormat::GeoJson, {ori77to78}, folder.File("l.json")).failed);
    EXPECT_EQ(ReadJson(folder.File("l.json"))["features"][0]["id"], "Ori");
}

TEST(Exchange, CurrentStellariumFormNamesItselfAfterItsFolder) {
    // Orion's belt and sword as one chain, a branch from Alnilam up to Betelgeuse.
    const std::vector<LineRecord> lines = {Between(kMintaka, kAlnilam), Between(kAlnilam, kAlnitak),
                                           Between(kAlnitak, kSaiph), Between(kAlnilam, kBetelgeuse)};
    TempFolder folder;
    const CultureDetails details{"My Orion", "A. Astronomer", "CC0"};
    ASSERT_FALSE(Export(ExchangeFormat::Stellarium, lines, folder.File("my-orion"), details).failed);
    const nlohmann::json index = ReadJson(folder.File("my-orion/index.json"));
    EXPECT_EQ(index["id"], "my-orion");
    ASSERT_EQ(index["constellations"].size(), 1u);
    const auto& orion = index["constellations"][0];
    EXPECT_EQ(orion["id"], "CON my-orion Ori");
    EXPECT_EQ(orion["common_name"]["english"], "The Hunter");
    // Alnilam has three lines: the chain starts at a loose end and the odd line out is its own polyline.
    std::set<std::vector<int>> polylines;
    for (const auto& p : orion["lines"]) {
        std::vector<int> polyline = p.get<std::vector<int>>();
        if (polyline.front() > polyline.back()) std::reverse(polyline.begin(), polyline.end());
        polylines.insert(polyline);
    }
    EXPECT_EQ(polylines, (std::set<std::vector<int>>{{kAlnilam, kBetelgeuse}, {kMintaka, kAlnilam, kAlnitak, kSaiph}}))
        << orion["lines"].dump();
    const std::string description = TempFolder::Read(folder.File("my-orion/description.md"));
    size_t at = 0;
    for (const char* heading : {"# My Orion\n", "## Introduction\n", "## Description\n", "## Constellations\n",
                                "##### The Hunter\n", "## References\n", "## Authors\n", "A. Astronomer",
                                "## License\n", "CC0"}) {
        at = description.find(heading, at);
        ASSERT_NE(at, std::string::npos) << heading;
    }
}

TEST(Exchange, OlderStellariumFormPairsHipparcosNumbers) {
    const std::vector<LineRecord> lines = {Between(kBetelgeuse, kBellatrix), Between(kRigel, kSaiph),
                                           Between(11767, 85822)};  // Polaris to delta UMi
    TempFolder folder;
    ASSERT_FALSE(Export(ExchangeFormat::StellariumFab, lines, folder.File("figs")).failed);
    EXPECT_EQ(TempFolder::Read(folder.File("figs/constellationship.fab")),
              "Ori 2 27989 25336 24436 27366\nUMi 1 11767 85822\n");
    EXPECT_EQ(TempFolder::Read(folder.File("figs/constellation_names.eng.fab")),
              "Ori\t\"The Hunter\"\t_(\"The Hunter\")\nUMi\t\"The Little Bear\"\t_(\"The Little Bear\")\n");
    const std::string info = TempFolder::Read(folder.File("figs/info.ini"));
    for (const char* line : {"[info]\n", "name = figs\n", "classification = personal\n", "boundaries = iau\n", "license = "})
        EXPECT_NE(info.find(line), std::string::npos) << line;
}

TEST(Exchange, FreePointsAndNearlyExactEnds) {
    const Star& rigel = StarOf(kRigel);
    // An end 0.03 degrees from Rigel is Rigel; a point in a starless patch of
    // Orion (5.5 h, -3 degrees, checked below) is free.
    const LineRecord nearRigel{int16_t(rigel.ra), int16_t(rigel.dec + 3), 5500, -300};
    ASSERT_FALSE(StarFinder(ShippedSky::Get().stars).Nearest({5.5, -3}, kLineEndMatchDegrees));
    TempFolder folder;
    ASSERT_FALSE(Export(ExchangeFormat::Stellarium, {nearRigel}, folder.File("free")).failed);
    EXPECT_EQ(ReadJson(folder.File("free/index.json"))["constellations"][0]["lines"][0].dump(), "[24436,[5.5,-3.0]]");
    // Back in, Rigel lands on its catalogue place and the free point stays where it was.
    const ImportResult back = ImportFigure(folder.File("free"), Sky());
    ASSERT_FALSE(back.failure.failed) << back.failure.reason;
    EXPECT_EQ(back.records, (std::vector<LineRecord>{{int16_t(rigel.ra), int16_t(rigel.dec), 5500, -300}}));
    // The older form cannot hold a point that is no star: the line is left out and counted.
    const ExportFailure fab = Export(ExchangeFormat::StellariumFab, {nearRigel}, folder.File("f2"));
    ASSERT_FALSE(fab.failed);
    EXPECT_EQ(fab.linesLeftOut, 1);
    EXPECT_EQ(TempFolder::Read(folder.File("f2/constellationship.fab")), "");
}

TEST(Exchange, GeoJsonLongitudeWrapsIntoHalfCircles) {
    // Alpheratz (0.14 h) to beta Pegasi, Scheat (23.06 h, HIP 113881): the line crosses RA 0.
    TempFolder folder;
    ASSERT_FALSE(Export(ExchangeFormat::GeoJson, {Between(677, 113881)}, folder.File("lines.json")).failed);
    const nlohmann::json collection = ReadJson(folder.File("lines.json"));
    EXPECT_EQ(collection["type"], "FeatureCollection");
    ASSERT_EQ(collection["features"].size(), 1u);
    const auto& feature = collection["features"][0];
    EXPECT_EQ(feature["id"], "Peg");  // the line's midpoint lies in Pegasus
    EXPECT_EQ(feature["geometry"]["type"], "MultiLineString");
    const auto& points = feature["geometry"]["coordinates"][0];
    const Star& scheat = StarOf(113881);
    EXPECT_NEAR(points[0][0].get<double>(), 0.14 * 15, 0.1);
    EXPECT_NEAR(points[1][0].get<double>(), scheat.ra * 0.015 - 360, 1e-9);
    EXPECT_NEAR(points[1][1].get<double>(), scheat.dec / 100.0, 1e-9);
}

// A culture export writes the culture's own files and nothing else: into a
// new folder, a culture's folder of the same id or of the older form; a
// folder of other things only when allowed, and then beside them.
TEST(Exchange, ACultureFolderGetsItsOwnFilesAndNothingElseChanges) {
    const std::vector<LineRecord> lines = {Between(kBetelgeuse, kBellatrix)};
    TempFolder folder;
    ASSERT_FALSE(Export(ExchangeFormat::Stellarium, lines, folder.File("out")).failed);
    // Files of the culture that an export does not write (pictures, translations) stay.
    folder.Write("out/illustrations.png", "picture");
    ASSERT_FALSE(Export(ExchangeFormat::Stellarium, lines, folder.File("out")).failed);
    EXPECT_EQ(TempFolder::Read(folder.File("out/illustrations.png")), "picture");

    std::filesystem::create_directories(folder.File("mine"));
    folder.Write("mine/notes.txt", "");
    folder.Write("mine/photo.jpg", "");
    const ExportFailure refused = Export(ExchangeFormat::StellariumFab, lines, folder.File("mine"));
    EXPECT_TRUE(refused.failed);
    EXPECT_EQ(refused.foreignFiles, "notes.txt, photo.jpg");
    EXPECT_FALSE(std::filesystem::exists(folder.File("mine/info.ini")));
    ASSERT_FALSE(Export(ExchangeFormat::StellariumFab, lines, folder.File("mine"), {}, true).failed);
    EXPECT_TRUE(std::filesystem::exists(folder.File("mine/notes.txt")));
    // Now a culture of the older form: no question the next time.
    EXPECT_FALSE(Export(ExchangeFormat::StellariumFab, lines, folder.File("mine")).failed);
    // An index.json of another culture is another culture's folder.
    std::filesystem::create_directories(folder.File("other"));
    folder.Write("other/index.json", R"({"id": "someone-else"})");
    EXPECT_EQ(Export(ExchangeFormat::Stellarium, lines, folder.File("other")).foreignFiles, "index.json");

    const std::pair<ExchangeFormat, std::string> failures[] = {
        {ExchangeFormat::Stellarium, folder.File("no such folder/out")},  // parent missing
        {ExchangeFormat::Stellarium, folder.File("two words")},           // no valid id
        {ExchangeFormat::StellariumFab, folder.Write("a-file", "x")},     // a file in the way
        {ExchangeFormat::GeoJson, folder.File("out")},                    // a folder in the way
        {ExchangeFormat::Stellarium, "-"},                                // a folder cannot go to standard output
    };
    for (const auto& [format, output] : failures) EXPECT_TRUE(Export(format, lines, output).failed) << output;
    EXPECT_EQ(TempFolder::Read(folder.File("a-file")), "x");
}

TEST(Exchange, HandWrittenFilesAndTheirMalformedTwins) {
    const std::set<StarPair> belt = PairsOf({Between(kMintaka, kAlnilam), Between(kAlnilam, kAlnitak)});
    const std::string feature = R"({"type":"FeatureCollection","features":[{"type":"Feature","id":"Ori","geometry":)";
    const std::string geoBelt =
        feature + R"({"type":"MultiLineString","coordinates":[[[83.0017,-0.2991],[84.0534,-1.2019],[85.1897,-1.9426]]]}}]})";
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
        {"lines.json", feature + R"({"type":"MultiLineString","coordinates":[[[83.0017,"-0.2991"]]]}}]})", -1, "Ori"},
        {"lines.json", feature + R"({"type":"MultiLineString","coordinates":[[[83.0017,-95]]]}}]})", -1, "position 1"},
        {"lines.json", feature + R"({"type":"Point","coordinates":[83.0017,-0.2991]}}]})", -1, "Point"},
    };
    for (const auto& c : cases) {
        const ImportResult result = ImportFigureText(c.text, c.name, Sky());
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
    // HIP 1 is a real star, but fainter than the catalogue goes; so is a position
    // far from any star: their lines are skipped and counted.
    const ImportResult fab = ImportFigureText("Ori 3 25930 26311 26311 1 1 26727\n", "x.fab", Sky());
    EXPECT_EQ(fab.skippedLines, 2);
    EXPECT_EQ(PairsOf(fab.records), PairsOf({Between(kMintaka, kAlnilam)}));
    const ImportResult geo = ImportFigureText(
        feature + R"({"type":"LineString","coordinates":[[83.0017,-0.2991],[84.0534,-1.2019],[82.5,-3.0]]}}]})",
        "l.json", Sky());
    EXPECT_EQ(geo.skippedLines, 1);
    EXPECT_EQ(geo.records.size(), 1u);
}

TEST(Exchange, UnreadableSourcesNameTheFileAndTheReason) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("empty-culture"));
    // Larger than any exchange file could honestly be; sparse, so cheap to make.
    std::ofstream(folder.File("huge.fab")).close();
    std::filesystem::resize_file(folder.File("huge.fab"), 100u << 20);
    const std::pair<std::string, const char*> cases[] = {
        {folder.File("empty-culture"), "neither index.json nor constellationship.fab"},
        {folder.File("huge.fab"), "too large"},
        {folder.File("missing.fab"), "missing.fab"}};
    for (const auto& [path, mention] : cases) {
        const ImportResult result = ImportFigure(path, Sky());
        EXPECT_TRUE(result.failure.failed) << path;
        EXPECT_EQ(result.failure.reason.rfind(path, 0), 0u) << result.failure.reason;
        EXPECT_NE(result.failure.reason.find(mention), std::string::npos) << result.failure.reason;
    }
}
