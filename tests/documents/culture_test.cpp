// Sky cultures as documents: both of Stellarium's forms read and saved back
// record by record, tolerant reading beside its strict refusals, undo across
// constellations, Check Culture's findings, conversion between the forms,
// and every culture Stellarium ships.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <tuple>

#include "documents/culture/culture_check.h"
#include "documents/culture/culture_convert.h"
#include "documents/culture/culture_edit.h"
#include "documents/culture/culture_folder.h"
#include "documents/culture/current_form.h"
#include "documents/culture/text_rows.h"
#include "files/quoted_field.h"
#include "support/temp_folder.h"

using namespace orvanta;
using orvanta::testing::TempFolder;

namespace {

using Files = std::map<std::string, std::string>;

// The head of a PNG of this size: all that a culture's reader and checker look at.
std::string PngHead(uint32_t width, uint32_t height) {
    std::string head("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (const uint32_t v : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) head += static_cast<char>((v >> shift) & 0xFF);
    return head + std::string("\x08\x02\0\0\0", 5);
}

// Unknown keys at every level, a point of every kind, names in several scripts.
Files Kanaka() {
    return {{"index.json", R"({
  "id": "kanaka",
  "x_review": {"by": "ʻIolani", "score": 2.50},
  "edges_type": "own",
  "edges_epoch": "J2000",
  "edges": ["001:002 M+ 05:30:00.0 +10:00:00 05:40:00.0 +10:00:00"],
  "asterisms": [{"id": "AST kanaka 1", "lines": [[27989, 26727, 26311]], "is_ray_helper": false}, {"id": "AST kanaka 2"}],
  "constellations": [
    {"id": "CON kanaka Hok", "lines": [["thin", 27989, 26727, 26311], [25336, "DSO:M45"]], "common_name": {"english": "Hook", "native": "Makaliʻi", "x_note" : 7}, "x_seen": true},
    {"id": "CON kanaka Pos",  "lines": [[[5.5, -1.25], [5.75, 2], 27989], ["bold", "4295806720", 26727]], "common_name": {"native": "大魚", "english": "Big Fish"}},
    {"id": "CON kanaka Ara", "lines": [[85792, 83081]], "common_name": {"english": "Altar", "native": "المجمرة"}}
  ],
  "common_names": {
    "HIP 27989": [{"english": "Betelgeuse", "native": "ʻAʻā"}],
    "NAME Venus": [{"english": "Venus", "native": "Hōkūloa"}],
    "M 45": [{"native": "昴", "english": "Pleiades", "x_era": "Han"}]
  }
}
)"},
            {"description.md", "# Kanaka\n\n## Introduction\n\nA people's stars.\n\n## Description\n\nThe hook.\n"}};
}

// A byte-order mark, CR LF beside LF, TABs, comments and references, as 0.22's files have them.
Files MadeUp() {
    return {{"info.ini", "[info]\r\nname = Made Up\r\nauthor = Someone\r\nboundaries = none\r\n"},
            {"constellationship.fab", "\xEF\xBB\xBF# lines of a made-up culture\r\nOri 3\t27989 26727  26727 26311\t26311 25336\r\n"
                                      "UMa 2 54061 53910 53910 58001\r\nAra\t1 85792 83081\n"},
            {"constellation_names.eng.fab",
             "Ori\t\"Orion\"\t_(\"Orion\") 1,2\r\nUMa\t\"Ursa Major\"\t_(\"Great Bear\")\r\nAra\t\"المجمرة\"\t_(\"Altar\")\r\n"},
            {"star_names.fab", "# star names\r\n 27989|_(\"Betelgeuse\") 1\r\n 27989|(\"ʻAʻā\")\r\n 54061|_(\"Dubhe\")\r\n"},
            {"constellationsart.fab", "Ori orion.png 10 20 27989 30 40 26727 50 60 25336\r\n"},
            {"orion.png", PngHead(100, 100)},
            {"asterism_lines.fab", "AST1 1 2 27989 26727 26727 26311\r\nRAY 0 1 54061 53910\r\nSKY 2 1 5.5 10 5.6 11\r\n"},
            {"description.en.utf8", "<h2>Made Up</h2>\n<p>Stars of nobody.</p>\n<p>Three figures.</p>\n"}};
}

CulturePolyline Stars(std::initializer_list<int32_t> hips) {
    CulturePolyline line;
    for (const int32_t hip : hips) line.push_back(CulturePoint::Star(hip));
    return line;
}

std::string MakeFolder(const TempFolder& tmp, const std::string& name, const Files& files) {
    std::filesystem::create_directory(tmp.File(name));
    for (const auto& [file, bytes] : files) tmp.Write(name + "/" + file, bytes);
    return tmp.File(name);
}

Culture Read(const std::string& folder) {
    Culture culture;
    const ReadFailure failure = ReadCulture(folder, culture);
    EXPECT_FALSE(failure.failed) << failure.reason;
    return culture;
}

uint64_t UidOf(const Culture& culture, const std::string& id) {
    for (const CultureConstellation& c : culture.constellations)
        if (c.id == id) return c.uid;
    ADD_FAILURE() << "no constellation " << id;
    return 0;
}

// A constellation that must be there: a test that finds it gone fails rather than crashes.
const CultureConstellation& At(const Culture& culture, uint64_t uid) {
    if (const CultureConstellation* c = culture.FindConstellation(uid)) return *c;
    throw std::runtime_error("no constellation " + std::to_string(uid));
}

template <typename Change>
void Edit(Culture& culture, const std::string& id, Change change) {
    ApplyCultureEdit(culture, EditOfConstellation(culture, UidOf(culture, id), change), true);
}

std::string NamedText(const Culture& culture) {
    std::string text;
    for (const NamedObject& o : culture.namedObjects) {
        text += o.key;
        for (const CultureName& name : o.names) text += " " + NameJson(name).dump();
        text += "\n";
    }
    return text;
}

// The model in the files' own terms, which a re-read must give again. The
// older form holds lines as pairs of stars, however they were drawn.
std::string Model(const Culture& culture) {
    std::string text;
    for (CultureConstellation c : culture.constellations) {
        if (culture.form == CultureForm::Older) {
            std::vector<CulturePolyline> pairs;
            for (const CulturePolyline& line : c.lines)
                for (size_t i = 1; i < line.size(); ++i) pairs.push_back({line[i - 1], line[i]});
            c.lines = pairs;
        }
        text += std::to_string(c.uid) + " " + ConstellationJson(c).dump() + "\n";
    }
    return text + NamedText(culture) + culture.fields.dump();
}

// Each constellation with lines: its abbreviation, names and star pairs in order.
std::vector<std::string> Figures(const Culture& culture) {
    std::vector<std::string> figures;
    for (const CultureConstellation& c : culture.constellations) {
        if (c.lines.empty()) continue;
        std::string text = c.Abbreviation() + (c.name ? " " + c.name->english + "/" + c.name->native : "") + ":";
        for (const CulturePolyline& polyline : c.lines) {
            const CulturePoint* previous = nullptr;
            for (const CulturePoint& point : polyline) {
                if (point.kind != CulturePoint::Kind::Star) continue;
                if (previous) text += " " + std::to_string(previous->hip) + "-" + std::to_string(point.hip);
                previous = &point;
            }
        }
        figures.push_back(text);
    }
    return figures;
}

// The rows of a file, each with its line end.
std::vector<std::string> Rows(const std::string& text) {
    std::vector<std::string> rows;
    for (size_t at = 0, end; at < text.size(); at = end) {
        end = std::min(text.find('\n', at), text.size() - 1) + 1;
        rows.push_back(text.substr(at, end - at));
    }
    return rows;
}

std::string EndOf(const std::string& row) {
    return row.size() >= 2 && row.compare(row.size() - 2, 2, "\r\n") == 0 ? "\r\n" : row.back() == '\n' ? "\n" : "";
}

// A save rewrites the rows of the records that changed and keeps every other byte.
void ExpectOnlyRowsChanged(const std::string& before, const std::string& after,
                           const std::function<bool(const std::string&)>& mayChange) {
    const std::vector<std::string> was = Rows(before), is = Rows(after);
    ASSERT_EQ(was.size(), is.size()) << after;
    for (size_t r = 0; r < was.size(); ++r) {
        EXPECT_EQ(EndOf(was[r]), EndOf(is[r])) << "row " << r + 1;
        EXPECT_TRUE(mayChange(was[r]) || was[r] == is[r]) << "row " << r + 1 << " was " << was[r] << " and is " << is[r];
    }
}

}  // namespace

TEST(CultureFiles, UnchangedSaveWritesNothingAndAnEditRewritesOnlyItsRecords) {
    struct Case {
        const char* name;
        Files files;
        std::function<void(Culture&)> edit;
        std::map<std::string, std::vector<std::string>> rewritten;  // the files written, and what their changed rows hold
    };
    const Case cases[] = {
        {"current", Kanaka(),
         [](Culture& c) {
             Edit(c, "CON kanaka Hok", [](CultureConstellation& k) { AddSegment(k, 26311, 25930); });
             std::vector<CultureName> names = c.namedObjects.at(1).names;
             names.at(0).pronounce = "ho-ku-lo-a";
             ApplyCultureEdit(c, SetNames(c, "NAME Venus", names), true);
         },
         {{"index.json", {"CON kanaka Hok", "NAME Venus"}}}},
        {"older", MadeUp(),
         [](Culture& c) {
             Edit(c, "UMa", [](CultureConstellation& k) { AddSegment(k, 58001, 59774); });
             Edit(c, "Ara", [](CultureConstellation& k) { k.id = "Tur";
                 k.name->english = "Censer"; });
             std::vector<CultureName> names = c.namedObjects.at(0).names;
             names.at(1).native = "ʻAʻā ʻula";
             ApplyCultureEdit(c, SetNames(c, "HIP 27989", names), true);
         },
         {{"constellationship.fab", {"UMa", "Ara"}}, {"constellation_names.eng.fab", {"Ara"}}, {"star_names.fab", {"27989"}}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TempFolder tmp;
        const std::string folder = MakeFolder(tmp, "culture", test.files);
        Culture culture = Read(folder);
        EXPECT_TRUE(culture.notes.empty());
        EXPECT_TRUE(CultureChanges(culture).empty());

        test.edit(culture);
        const std::vector<FolderFile> written = CultureChanges(culture);
        std::set<std::string> names;
        for (const FolderFile& file : written) {
            names.insert(file.name);
            ASSERT_TRUE(test.rewritten.count(file.name)) << file.name << " need not be written";
            ExpectOnlyRowsChanged(test.files.at(file.name), file.bytes, [&](const std::string& row) {
                const auto& held = test.rewritten.at(file.name);
                return std::any_of(held.begin(), held.end(),
                                   [&](const std::string& m) { return row.find(m) != std::string::npos; });
            });
            tmp.Write("culture/" + file.name, file.bytes);
        }
        EXPECT_EQ(names.size(), test.rewritten.size());
        EXPECT_EQ(Model(Read(folder)), Model(culture));
        // After the save the written files are what the next save compares with,
        // and what the model keeps without being read from it stays.
        RebaseCulture(culture, written);
        EXPECT_TRUE(CultureChanges(culture).empty());
        for (const char* kept : {"description.md", "description.en.utf8", "asterism_lines.fab"})
            EXPECT_EQ(culture.source.files.count(kept), test.files.count(kept)) << kept;
    }
}

TEST(CultureFiles, AsterismsOfBothFormsAreTakenForShowing) {
    // Stars joined in either form; the sky's points of a type 2 record and an asterism without lines are not.
    const std::pair<Files, std::vector<CulturePolyline>> cases[] = {
        {Kanaka(), {Stars({27989, 26727, 26311})}},
        {MadeUp(), {Stars({27989, 26727}), Stars({26727, 26311}), Stars({54061, 53910})}},
    };
    for (const auto& [files, expected] : cases) {
        TempFolder tmp;
        EXPECT_EQ(Read(MakeFolder(tmp, "culture", files)).asterisms, expected);
    }
}

TEST(CultureFiles, WhatStellariumReadsIsReadWithANote) {
    struct Case {
        const char* name;
        Files files;
        std::string shape;               // each constellation: id, segments, English name
        std::vector<std::string> notes;  // file:line
    };
    const Case cases[] = {
        {"count above the numbers: passed over whole",
         {{"constellationship.fab", "Ori 3 27989 26727 26727 26311\nUMa 1 54061 53910\n"}}, "UMa:1", {"constellationship.fab:1"}},
        {"count below the numbers: the count's worth", {{"constellationship.fab", "\nOri 1 27989 26727 26727 26311\n"}}, "Ori:1",
         {"constellationship.fab:2"}},
        {"byte-order marks",
         {{"constellationship.fab", "\xEF\xBB\xBFOri 1 27989 26727\r\n"},
          {"constellation_names.eng.fab", "\xEF\xBB\xBFOri\t\"Orion\"\t_(\"Orion\")\r\n"}},
         "Ori:1/Orion", {}},
        {"duplicate ids take their names in turn",
         {{"constellationship.fab", "Ori 1 1 2\nOri 2 3 4 4 5\n"},
          {"constellation_names.eng.fab", "Ori\t\"a\"\t_(\"First\")\nOri\t\"b\"\t_(\"Second\")\n"}},
         "Ori:1/First Ori:2/Second", {}},
        {"a name line not understood", {{"constellationship.fab", "Ori 1 1 2\n"}, {"constellation_names.eng.fab", "Ori Orion\n"}},
         "Ori:1", {"constellation_names.eng.fab:1"}},
        {"an illustration short of anchors",
         {{"constellationship.fab", "Ori 1 1 2\n"}, {"constellationsart.fab", "# art\nOri orion.png 1 1 1 2 2 2\n"}}, "Ori:1",
         {"constellationsart.fab:2"}},
        {"index.json with a byte-order mark",
         {{"index.json", "\xEF\xBB\xBF{\n  \"id\": \"k\",\n  \"constellations\": [\n    {\"id\": \"CON k A\", \"lines\": [[1, 2]]},\n"
                         "    {\"id\": \"CON k B\", \"lines\": [[3, 4]]}\n  ]\n}\n"}},
         "CON k A:1 CON k B:1", {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        TempFolder tmp;
        Culture culture = Read(MakeFolder(tmp, "c", test.files));
        std::string shape;
        for (const CultureConstellation& c : culture.constellations)
            shape += (shape.empty() ? "" : " ") + c.id + ":" + std::to_string(c.SegmentCount()) +
                     (c.name ? "/" + c.name->english : "");
        EXPECT_EQ(shape, test.shape);
        std::vector<std::string> notes;
        for (const ReadNote& note : culture.notes) notes.push_back(note.file + ":" + std::to_string(note.line));
        EXPECT_EQ(notes, test.notes);
        EXPECT_TRUE(CultureChanges(culture).empty());
        // What was passed over stays in its row through a save of another record.
        const std::string last = culture.constellations.back().id;
        Edit(culture, last, [](CultureConstellation& k) { AddSegment(k, 7, 8); });
        const std::vector<FolderFile> written = CultureChanges(culture);
        ASSERT_EQ(written.size(), 1u);
        ExpectOnlyRowsChanged(test.files.at(written[0].name), written[0].bytes,
                              [&](const std::string& row) { return row.find(last) != std::string::npos; });
    }
}

TEST(CultureFiles, MalformedInputIsRefusedAndTheCultureKeptAsItWas) {
    const auto index = [](const std::string& constellations) {
        return Files{{"index.json", "{\"id\": \"c\",\n \"constellations\": " + constellations + "}"}};
    };
    const std::string a = "{\"id\": \"CON c A\", \"lines\": ";
    const std::tuple<Files, std::vector<std::string>, int> cases[] = {  // the files, what the reason names, the line
        {{{"index.json", "[1, 2]"}}, {"index.json", "not a JSON object"}, 0},
        {index("{\"id\": \"CON c A\"}"), {"index.json", "\"constellations\" is not a list"}, 0},
        {index("[\"CON c A\"]"), {"index.json", "constellation 1 is not an object"}, 0},
        {index("[" + a + "[[1, 2]]}, {\"id\": 7}]"), {"index.json", "constellation 2", "\"id\" is not text"}, 0},
        {index("[" + a + "5}]"), {"constellation 1 (\"CON c A\")", "\"lines\" is not a list"}, 0},
        {index("[" + a + "[[1, 2], 3]}]"), {"constellation 1 (\"CON c A\")", "polyline 2 is not a list"}, 0},
        {index("[" + a + "[[1, 2]], \"common_name\": {\"english\": 5}}]"),
         {"constellation 1 (\"CON c A\")", "english", "not text"}, 0},
        {{{"index.json", "{\"constellations\": [], \"common_names\": {\"HIP 1\": {\"english\": \"a\"}}}"}},
         {"index.json", "common name \"HIP 1\" is not a list"}, 0},
        {{{"index.json", "{\"id\": \"c\",\n \"constellations\": [\n  {\"id\": \"CON c A\","}}, {"index.json", "not valid"}, 3},
        {{{"description.md", "# A\n"}}, {"neither index.json nor constellationship.fab"}, 0},
        {{{"index.json", "{}"}, {"constellationship.fab", ""}}, {"both forms"}, 0},
        {{{"constellationship.fab", "# c\nOri 1 27989 x26727\n"}}, {"constellationship.fab", "\"x26727\""}, 2},
        {{{"constellationship.fab", "Ori 1 27989 26727\nUMa two 1 2\n"}}, {"constellationship.fab", "UMa two"}, 2},
    };
    for (const auto& [files, said, line] : cases) {
        SCOPED_TRACE(files.begin()->second);
        TempFolder tmp;
        Culture culture;
        culture.id = "kept";
        culture.constellations.emplace_back().lines = {Stars({1, 2})};
        const std::string before = Model(culture);
        const ReadFailure failure = ReadCulture(MakeFolder(tmp, "c", files), culture);
        ASSERT_TRUE(failure.failed);
        for (const std::string& part : said) EXPECT_NE(failure.reason.find(part), std::string::npos) << failure.reason;
        EXPECT_EQ(failure.line, line) << failure.reason;
        EXPECT_EQ(culture.id, "kept");
        EXPECT_EQ(Model(culture), before);
    }
}

TEST(CultureEdits, UndoAndRedoAcrossConstellations) {
    TempFolder tmp;
    Culture culture = Read(MakeFolder(tmp, "kanaka", Kanaka()));
    const uint64_t hok = UidOf(culture, "CON kanaka Hok"), pos = UidOf(culture, "CON kanaka Pos");
    const uint64_t ara = UidOf(culture, "CON kanaka Ara");
    const std::function<CultureEdit(Culture&)> steps[] = {
        [&](Culture& c) { return EditOfConstellation(c, hok, [](auto& k) { AddSegment(k, 26311, 25930); }); },
        [&](Culture& c) {  // a line moved to another constellation, as one edit
            CultureEdit edit = EditOfConstellation(c, hok, [](auto& k) { RemoveSegment(k, 0, 0); });
            const CultureEdit to = EditOfConstellation(c, ara, [](auto& k) { AddSegment(k, 27989, 26727); });
            edit.constellations.insert(edit.constellations.end(), to.constellations.begin(), to.constellations.end());
            return edit;
        },
        [&](Culture& c) { return RemoveConstellation(c, pos); },
        [&](Culture& c) { return SetNames(c, "HIP 27989", {}); },
        [&](Culture& c) { return SetNames(c, "HIP 26727", {CultureName{"Alnitak", "", "", OrderedJson::object(), {}}}); },
        [&](Culture& c) {
            CultureConstellation fresh = ProvisionalConstellation(c);
            AddSegment(fresh, 1, 2);
            return AddConstellation(c, std::move(fresh));
        },
    };
    const auto state = [&] { return std::make_pair(culture.constellations, culture.namedObjects); };
    std::vector<decltype(state())> states{state()};
    std::vector<CultureEdit> edits;
    for (const auto& step : steps) {
        edits.push_back(step(culture));
        ASSERT_FALSE(edits.back().Empty());
        ApplyCultureEdit(culture, edits.back(), true);
        states.push_back(state());
    }
    // The segment taken from the start of Hok's first polyline leaves the rest with its marker.
    CulturePolyline rest = Stars({26727, 26311, 25930});
    rest.insert(rest.begin(), {CulturePoint::Kind::Marker, 0, "thin", 0, 0});
    EXPECT_EQ(At(culture, hok).lines[0], rest);
    EXPECT_EQ(At(culture, ara).lines.back(), Stars({27989, 26727}));

    for (size_t k = edits.size(); k-- > 0;) {
        ApplyCultureEdit(culture, edits[k], false);
        EXPECT_TRUE(state() == states[k]) << "undoing edit " << k + 1;
    }
    EXPECT_TRUE(CultureChanges(culture).empty());
    for (const CultureEdit& edit : edits) ApplyCultureEdit(culture, edit, true);
    EXPECT_TRUE(state() == states.back());
    EXPECT_EQ(At(culture, hok).id, "CON kanaka Hok");
    EXPECT_EQ(At(culture, ara).id, "CON kanaka Ara");
}

TEST(CultureCheck, EachFaultIsFoundWhereItIs) {
    const GuiStrings strings;
    const auto hipExists = [](int32_t hip) { return hip >= 1 && hip <= 100; };
    TempFolder tmp;
    std::filesystem::create_directory(tmp.File("kanaka"));
    tmp.Write("kanaka/hook.png", PngHead(10, 10));
    const auto clean = [&] {
        Culture c;
        c.folder = tmp.File("kanaka");
        c.id = "kanaka";
        c.source.files["description.md"] = "# Kanaka\n\n## Introduction\n\nA people's stars.\n\n## Description\n\nThe hook.\n";
        CultureConstellation& k = c.constellations.emplace_back();
        k.uid = 1;
        k.id = "CON kanaka Hok";
        k.name = CultureName{"Hook", "Makaliʻi", "", OrderedJson::object(), {}};
        k.lines = {Stars({1, 2}), Stars({2, 3})};
        k.art = CultureArt{"hook.png", 0, 0, {{5, 5, 1}, {6, 6, 2}, {7, 7, 3}}};
        return c;
    };
    const auto md = [](Culture& c) -> std::string& { return c.source.files["description.md"]; };
    const auto hok = [](Culture& c) -> CultureConstellation& { return c.constellations[0]; };
    const auto older = [&](Culture& c) {
        c.form = CultureForm::Older;
        hok(c).id = "Hok";
        c.source.files.clear();
    };
    const auto noLines = [&](Culture& c) {
        hok(c).lines.clear();
        hok(c).art.reset();
    };
    struct Case {
        const char* name;
        std::function<void(Culture&)> change;
        bool error;
        std::optional<TextKey> key;  // none: nothing to report
        std::vector<std::string> values;
        std::string where;
    };
    const Case cases[] = {
        {"clean", [](Culture&) {}, false, {}, {}, ""},
        {"id without CON", [&](Culture& c) { hok(c).id = "kanaka Hok"; }, true, TextKey::CheckIdPrefix, {"\"kanaka Hok\""},
         "constellation 1"},
        {"id of two parts", [&](Culture& c) { hok(c).id = "CON Hok"; }, true, TextKey::CheckIdParts, {"\"CON Hok\""},
         "constellation 1"},
        {"id of another culture", [&](Culture& c) { hok(c).id = "CON maori Hok"; }, false, TextKey::CheckIdMiddle,
         {"\"maori\"", "\"kanaka\""}, "constellation 1 (\"CON maori Hok\")"},
        {"folder not the id", [&](Culture& c) { c.id = "kanaka-2", hok(c).id = "CON kanaka-2 Hok"; }, true, TextKey::CheckCultureId,
         {"\"kanaka-2\"", "\"kanaka\""}, "index.json"},
        {"bad line entry", [&](Culture& c) { hok(c).lines[0].push_back({CulturePoint::Kind::Other, 0, "{\"a\":1}", 0, 0}); }, true,
         TextKey::CheckBadPoint, {QuoteField("{\"a\":1}")}, "constellation 1"},
        {"unknown star", [&](Culture& c) { hok(c).lines[1].push_back(CulturePoint::Star(500)); }, true, TextKey::CheckUnknownHip,
         {"500"}, "constellation 1"},
        {"no description", [&](Culture& c) { c.source.files.clear(); }, true, TextKey::CheckNoDescription, {}, "description.md"},
        {"misnamed section", [&](Culture& c) { md(c).replace(md(c).find("Description"), 11, "Stories"); }, true,
         TextKey::CheckSectionName, {"\"Stories\""}, "description.md"},
        {"two titles", [&](Culture& c) { md(c) += "\n# Again\n"; }, true, TextKey::CheckTitleCount, {"2"}, "description.md"},
        {"no section", [&](Culture& c) { md(c) = "# Kanaka\n\nStars.\n"; }, true, TextKey::CheckNoSections, {}, "description.md"},
        {"empty section", [&](Culture& c) { md(c) += "\n## References\n\n"; }, false, TextKey::CheckEmptySection,
         {"\"References\""}, "description.md"},
        {"duplicate ids", [&](Culture& c) { c.constellations.push_back(hok(c)); c.constellations[1].uid = 2; }, false,
         TextKey::CheckDuplicateId, {"\"CON kanaka Hok\"", "2"}, "constellations"},
        {"provisional name",
         [](Culture& c) {
             CultureConstellation fresh = ProvisionalConstellation(c);
             AddSegment(fresh, 1, 2);
             c.constellations.push_back(fresh);
         },
         false, TextKey::CheckProvisional, {"\"New 1\""}, "constellation 2 (\"CON kanaka New1\")"},
        {"no English name", [&](Culture& c) { hok(c).name->english.clear(); }, false, TextKey::CheckNoEnglish, {}, "constellation 1"},
        {"single-star line",
         [&](Culture& c) { hok(c).lines.push_back({{CulturePoint::Kind::Marker, 0, "bold", 0, 0}, CulturePoint::Star(4)}); }, false,
         TextKey::CheckSingleStar, {}, "constellation 1"},
        {"anchor not drawn", [&](Culture& c) { hok(c).art->anchors[2].hip = 50; }, false, TextKey::CheckAnchorNotDrawn, {"50"},
         "constellation 1"},
        {"a fourth anchor does not count", [&](Culture& c) { hok(c).art->anchors.push_back({8, 8, 60}); }, false, {}, {}, ""},
        {"picture missing", [&](Culture& c) { hok(c).art->file = "gone.png"; }, false, TextKey::CheckArtUnreadable,
         {"\"gone.png\""}, "constellation 1"},
        {"size not the picture's", [&](Culture& c) { hok(c).art->width = 20, hok(c).art->height = 10; }, false,
         TextKey::CheckArtSize, {"\"hook.png\"", "20 x 10", "10 x 10"}, "constellation 1"},
        {"anchor outside the picture", [&](Culture& c) { hok(c).art->anchors[1].x = 11; }, false, TextKey::CheckArtOutside,
         {"\"11, 6\"", "10 x 10"}, "constellation 1"},
        {"no lines", noLines, true, TextKey::CheckNoLines, {}, "constellation 1"},
        {"older form: no lines only warned of", [&](Culture& c) { older(c); noLines(c); }, false,
         TextKey::CheckNoLines, {}, "constellation 1 (\"Hok\")"},
        {"older form: no CON, no description.md", older, false, {}, {}, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        Culture culture = clean();
        test.change(culture);
        const std::vector<CheckFinding> findings = CheckCulture(culture, hipExists, strings);
        if (!test.key) {
            EXPECT_TRUE(findings.empty()) << CheckReport(findings, strings);
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << CheckReport(findings, strings);
        EXPECT_EQ(findings[0].error, test.error);
        EXPECT_EQ(findings[0].what, FillIn(Text(strings, *test.key), test.values));
        EXPECT_NE(findings[0].where.find(test.where), std::string::npos) << findings[0].where;
    }
    // Errors come first, whatever the order they were found in.
    Culture both = clean();
    both.constellations[0].lines.push_back(Stars({3}));
    both.constellations[0].lines.push_back(Stars({3, 500}));
    const std::vector<CheckFinding> findings = CheckCulture(both, hipExists, strings);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_TRUE(findings[0].error);
    const std::string report = CheckReport(findings, strings);
    EXPECT_EQ(report.substr(report.rfind('\n') + 1), FillIn(Text(strings, TextKey::CheckSummary), {"1", "1"}));
}

TEST(CultureConvert, JoinPairsJoinsOnlyAPairThatStartsWhereTheLastEnded) {
    const std::pair<std::vector<CulturePolyline>, std::vector<CulturePolyline>> cases[] = {
        {{}, {}},
        {{Stars({1, 2}), Stars({2, 3}), Stars({3, 4})}, {Stars({1, 2, 3, 4})}},
        {{Stars({1, 2}), Stars({3, 4}), Stars({4, 5})}, {Stars({1, 2}), Stars({3, 4, 5})}},
        {{Stars({1, 2}), Stars({1, 3})}, {Stars({1, 2}), Stars({1, 3})}},
        {{Stars({1, 2}), Stars({2, 1}), Stars({1, 1})}, {Stars({1, 2, 1, 1})}},
        {{Stars({1, 2, 3}), Stars({3, 4})}, {Stars({1, 2, 3, 4})}},
    };
    for (const auto& [pairs, joined] : cases) EXPECT_EQ(JoinPairs(pairs), joined);
}

TEST(CultureConvert, OlderToCurrentAndBackKeepsPairsAndNames) {
    TempFolder tmp;
    Files files = MadeUp();
    files["constellationship.fab"] += "Emp 0\n";  // no lines: the current form has no place for it
    const Culture older = Read(MakeFolder(tmp, "madeup", files));
    int lost = -1;
    const Culture current = ToCurrentForm(older, "madeup", {}, lost);
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(At(current, UidOf(older, "Ori")).lines, (std::vector<CulturePolyline>{Stars({27989, 26727, 26311, 25336})}));

    // Written as files of its form, it reads back and Stellarium's rules find nothing to say.
    std::filesystem::create_directory(tmp.File("new"));
    std::vector<FolderFile> written = CultureFiles(current);
    written.push_back({"illustrations/orion.png", files["orion.png"]});
    ASSERT_TRUE(WriteFilesIntoFolder(tmp.File("new/madeup"), written).written);
    const Culture reread = Read(tmp.File("new/madeup"));
    const auto findings = CheckCulture(reread, [](int32_t) { return true; }, GuiStrings{});
    EXPECT_TRUE(findings.empty()) << CheckReport(findings, GuiStrings{});

    const Culture back = ToOlderForm(reread, lost);
    EXPECT_EQ(lost, 0);
    EXPECT_EQ(Figures(back), Figures(older));
    EXPECT_EQ(NamedText(back), NamedText(older));
    EXPECT_EQ(back.constellations.at(0).art, older.constellations.at(0).art);

    // What the older form cannot hold is counted: a DSO, two positions and a Gaia star, not the markers.
    const Culture kanaka = ToOlderForm(Read(MakeFolder(tmp, "kanaka", Kanaka())), lost);
    EXPECT_EQ(lost, 4);
    EXPECT_EQ(Figures(kanaka),
              (std::vector<std::string>{"Hok Hook/Makaliʻi: 27989-26727 26727-26311", "Ara Altar/المجمرة: 85792-83081"}));
    ASSERT_EQ(kanaka.namedObjects.size(), 1u);  // the older form names stars only
    EXPECT_EQ(kanaka.namedObjects[0].key, "HIP 27989");
}

TEST(ShippedCultures, ReadSavedUnchangedAndCarriedThroughTheCurrentForm) {
    const std::filesystem::path root = "/usr/share/stellarium/skycultures";
    if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "stellarium-data is not installed";
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root))
        if (std::filesystem::exists(entry.path() / "constellationship.fab")) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    ASSERT_FALSE(names.empty());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Culture culture;
        const ReadFailure failure = ReadCulture((root / name).string(), culture);
        if (failure.failed) {
            ADD_FAILURE() << failure.reason << " (line " << failure.line << ")";
            continue;
        }
        EXPECT_TRUE(CultureChanges(culture).empty());

        int lost = 0;
        Culture reread;
        const ReadFailure again = ReadCurrentCulture(FormatCultureIndexJson(ToCurrentForm(culture, name, {}, lost)), "", reread);
        ASSERT_FALSE(again.failed) << again.reason;
        EXPECT_EQ(Figures(ToOlderForm(reread, lost)), Figures(culture));

        // One constellation's lines changed: its row alone is written anew.
        const auto first = std::find_if(culture.constellations.begin(), culture.constellations.end(),
                                        [](const CultureConstellation& c) { return !c.lines.empty(); });
        ASSERT_NE(first, culture.constellations.end());
        const std::string id = first->id;
        Edit(culture, id, [](CultureConstellation& c) { RemoveSegment(c, 0, 0); });
        const std::vector<FolderFile> written = CultureChanges(culture);
        ASSERT_EQ(written.size(), 1u);
        ExpectOnlyRowsChanged(culture.source.files.at("constellationship.fab"), written[0].bytes, [&](const std::string& row) {
            const std::vector<std::string> words = Words(row.substr(row.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0));
            return !words.empty() && words[0] == id;
        });
    }
}
