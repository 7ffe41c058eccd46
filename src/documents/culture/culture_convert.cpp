// Carrying a culture between Stellarium's two forms.
#include "documents/culture/culture_convert.h"

#include <regex>

#include "documents/culture/current_form.h"
#include "documents/culture/older_form.h"

namespace orvanta {

namespace {

std::string Field(const OrderedJson& fields, const char* key) {
    for (const auto& [name, value] : fields.items()) {
        std::string lower = name;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower == key && value.is_string()) return value.get<std::string>();
    }
    return {};
}

// HTML as plain paragraphs: tags go, entities the files use most become characters.
std::string PlainText(const std::string& html) {
    std::string text = std::regex_replace(html, std::regex("<(br|/p|/h[1-6]|/li|/tr)[^>]*>", std::regex::icase), "\n\n");
    text = std::regex_replace(text, std::regex("<li[^>]*>", std::regex::icase), "- ");
    text = std::regex_replace(text, std::regex("<[^>]*>"), "");
    const std::pair<const char*, const char*> entities[] = {{"&amp;", "&"},   {"&lt;", "<"},   {"&gt;", ">"},
                                                           {"&quot;", "\""}, {"&nbsp;", " "}, {"&rsquo;", "\u2019"}};
    for (const auto& [entity, character] : entities) text = std::regex_replace(text, std::regex(entity), character);
    // No run of more than one empty line, and no blanks at a line's ends.
    text = std::regex_replace(text, std::regex("[ \t]*\r?\n[ \t]*"), "\n");
    text = std::regex_replace(text, std::regex("\n{3,}"), "\n\n");
    const size_t first = text.find_first_not_of("\n "), last = text.find_last_not_of("\n ");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string OrNotStated(const std::string& text) { return text.empty() ? "Not stated." : text; }

// The text of a Markdown section, "" when the file has none of that title.
std::string Section(const std::string& markdown, const std::string& title) {
    const std::string heading = "## " + title;
    size_t at = markdown.find(heading + "\n");
    if (at == std::string::npos) at = markdown.find(heading + "\r\n");
    if (at == std::string::npos) return {};
    at = markdown.find('\n', at) + 1;
    size_t end = markdown.find("\n## ", at);
    std::string text = markdown.substr(at, end == std::string::npos ? std::string::npos : end - at);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    while (!text.empty() && (text.front() == '\n' || text.front() == '\r')) text.erase(0, 1);
    return text;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '&') out += "&amp;";
        else out += c;
    }
    return out;
}

}  // namespace

std::vector<CulturePolyline> JoinPairs(const std::vector<CulturePolyline>& pairs) {
    std::vector<CulturePolyline> lines;
    for (const CulturePolyline& pair : pairs) {
        if (pair.size() == 2 && !lines.empty() && lines.back().back() == pair.front())
            lines.back().push_back(pair.back());
        else
            lines.push_back(pair);
    }
    return lines;
}

std::string DescriptionMarkdownOf(const std::string& html, const Culture& older) {
    const std::string text = PlainText(html);
    const size_t paragraph = text.find("\n\n");
    const std::string introduction = paragraph == std::string::npos ? text : text.substr(0, paragraph);
    const std::string rest = paragraph == std::string::npos ? std::string() : text.substr(paragraph + 2);
    std::string md = "# " + OrNotStated(older.Name()) + "\n\n## Introduction\n\n" + OrNotStated(introduction) + "\n\n";
    md += "## Description\n\n" + OrNotStated(rest.empty() ? introduction : rest) + "\n\n";
    md += "## Authors\n\n" + OrNotStated(Field(older.fields, "author")) + "\n\n";
    md += "## License\n\n" + OrNotStated(Field(older.fields, "license")) + "\n";
    return md;
}

std::string DescriptionHtmlOf(const std::string& markdown) {
    std::string html;
    std::string title;
    const size_t titleAt = markdown.rfind("# ", 0) == 0 ? 0 : markdown.find("\n# ");
    if (titleAt != std::string::npos) {
        const size_t from = titleAt == 0 ? 2 : titleAt + 3;
        title = markdown.substr(from, markdown.find('\n', from) - from);
    }
    html += "<h2>" + Escaped(title) + "</h2>\n";
    for (const char* section : {"Introduction", "Description", "Constellations", "Extras", "References", "Authors", "License"}) {
        const std::string text = Section(markdown, section);
        if (text.empty()) continue;
        html += "<h3>" + std::string(section) + "</h3>\n";
        size_t at = 0;
        while (at < text.size()) {
            size_t end = text.find("\n\n", at);
            if (end == std::string::npos) end = text.size();
            const std::string paragraph = text.substr(at, end - at);
            if (!paragraph.empty()) html += "<p>" + Escaped(paragraph) + "</p>\n";
            at = end + 2;
        }
    }
    return html;
}

Culture ToCurrentForm(const Culture& older, const std::string& id, const std::vector<std::string>& iauEdges, int& lost) {
    lost = 0;
    Culture current;
    current.form = CultureForm::Current;
    current.id = id;
    current.title = older.Name();
    current.nextUid = older.nextUid;
    current.fields["id"] = id;
    const std::string region = Field(older.fields, "region");
    current.fields["region"] = region.empty() ? "World" : region;
    const std::string classification = Field(older.fields, "classification");
    current.fields["classification"] = OrderedJson::array({classification.empty() ? "traditional" : classification});
    current.fields["fallback_to_international_names"] = false;
    if (Field(older.fields, "boundaries") == "iau" && !iauEdges.empty()) {
        current.fields["edges_type"] = "iau";
        current.fields["edges_epoch"] = "B1875";
        current.fields["edges"] = iauEdges;
    }
    for (const CultureConstellation& c : older.constellations) {
        if (c.lines.empty()) {
            ++lost;
            continue;
        }
        CultureConstellation made;
        made.uid = c.uid;
        made.id = "CON " + id + " " + c.id;
        made.lines = JoinPairs(c.lines);
        made.name = c.name;
        if (c.art) {
            made.art = c.art;
            // The current form keeps pictures in illustrations/; one already in a folder stays where it is.
            if (c.art->file.find('/') == std::string::npos) made.art->file = "illustrations/" + c.art->file;
        }
        made.other = c.other;
        current.constellations.push_back(std::move(made));
    }
    current.namedObjects = older.namedObjects;
    const auto html = older.source.files.find("description.en.utf8");
    current.source.files["description.md"] =
        DescriptionMarkdownOf(html == older.source.files.end() ? std::string() : html->second, older);
    return current;
}

Culture ToOlderForm(const Culture& current, int& lost) {
    Culture older;
    older.form = CultureForm::Older;
    older.id = current.id;
    older.nextUid = current.nextUid;
    lost = 0;
    const auto md = current.source.files.find("description.md");
    const std::string markdown = md == current.source.files.end() ? std::string() : md->second;
    older.fields["name"] = current.Name();
    older.fields["author"] = Section(markdown, "Authors").empty() ? "Not stated" : Section(markdown, "Authors");
    std::string classification = "traditional";
    if (const auto c = current.fields.find("classification"); c != current.fields.end() && c->is_array() && !c->empty() &&
                                                               (*c)[0].is_string())
        classification = (*c)[0].get<std::string>();
    older.fields["classification"] = classification;
    older.fields["license"] = Section(markdown, "License").empty() ? "Not stated" : Section(markdown, "License");
    const auto edges = current.fields.find("edges_type");
    older.fields["boundaries"] = edges != current.fields.end() && edges->is_string() && edges->get<std::string>() == "iau"
                                     ? "iau"
                                     : "none";
    for (const CultureConstellation& c : current.constellations) {
        CultureConstellation made;
        made.uid = c.uid;
        made.id = c.Abbreviation();
        for (const CulturePolyline& polyline : c.lines) {
            CulturePolyline stars;
            for (const CulturePoint& point : polyline) {
                if (point.kind == CulturePoint::Kind::Star) stars.push_back(point);
                else if (point.kind != CulturePoint::Kind::Marker) ++lost;
            }
            if (stars.size() >= 2) made.lines.push_back(std::move(stars));
        }
        if (c.name) {
            made.name = c.name;
            made.name->other = OrderedJson::object();
            if (c.name->other.contains("references")) made.name->other["references"] = c.name->other["references"];
        }
        if (c.art) {
            made.art = c.art;
            made.art->file = made.art->file.substr(made.art->file.find_last_of('/') + 1);
        }
        older.constellations.push_back(std::move(made));
    }
    for (const NamedObject& o : current.namedObjects)
        if (o.key.rfind("HIP ", 0) == 0) older.namedObjects.push_back(o);
    older.source.files["description.en.utf8"] = DescriptionHtmlOf(markdown);
    return older;
}

std::vector<FolderFile> CultureFiles(const Culture& culture) {
    if (culture.form == CultureForm::Current) {
        const auto md = culture.source.files.find("description.md");
        return {{"description.md", md == culture.source.files.end() ? std::string() : md->second},
                {"index.json", FormatCultureIndexJson(culture)}};
    }
    std::vector<FolderFile> files = FormatOlderCulture(culture);
    const auto html = culture.source.files.find("description.en.utf8");
    files.insert(files.begin(), {"description.en.utf8", html == culture.source.files.end() ? std::string() : html->second});
    return files;
}

}  // namespace orvanta
