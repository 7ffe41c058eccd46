// Reading a culture's folder, and what a save of it writes.
#include "documents/culture/culture_folder.h"

#include <algorithm>

#include "documents/culture/culture_convert.h"
#include "documents/culture/current_form.h"
#include "documents/culture/older_form.h"
#include "files/file_reading.h"

namespace orvanta {

namespace {

std::string Trimmed(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string LastPart(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::string FolderPart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Reads a file of the folder when it is there; a file there that cannot be read is a failure.
bool ReadIfThere(const std::string& folder, const std::string& name, std::map<std::string, std::string>& files,
                 ReadFailure& failure) {
    const std::string path = folder + "/" + name;
    if (!Exists(path)) return true;
    std::string text;
    if (auto read = ReadWholeFile(path, text, kCultureFileLimit); read.failed) {
        failure = {true, 0, name + ": " + read.reason};
        return false;
    }
    files[name] = std::move(text);
    return true;
}

}  // namespace

std::string CultureFolderOf(const std::string& path) {
    const std::string trimmed = Trimmed(path);
    const std::string name = LastPart(trimmed);
    if ((name == "index.json" || name == "constellationship.fab") && IsRegularFile(trimmed)) return FolderPart(trimmed);
    if (IsRegularFile(trimmed + "/index.json") || IsRegularFile(trimmed + "/constellationship.fab")) return trimmed;
    return {};
}

bool HoldsOneCultureForm(const std::string& folder) {
    return IsRegularFile(folder + "/index.json") != IsRegularFile(folder + "/constellationship.fab");
}

ReadFailure ReadCulture(const std::string& path, Culture& culture) {
    const std::string trimmed = Trimmed(path);
    const std::string named = LastPart(trimmed);
    const bool fileNamed = named == "index.json" || named == "constellationship.fab";
    const std::string folder = fileNamed ? FolderPart(trimmed) : trimmed;
    const bool current = IsRegularFile(folder + "/index.json"), older = IsRegularFile(folder + "/constellationship.fab");
    if (!current && !older) return {true, 0, "the folder holds neither index.json nor constellationship.fab"};
    if (current && older && !fileNamed)
        return {true, 0, "the folder holds a culture in both forms; open its index.json or its constellationship.fab"};
    const bool readCurrent = fileNamed ? named == "index.json" : current;
    Culture read;
    read.folder = folder;
    read.id = LastPart(folder == "." ? std::string() : folder);
    ReadFailure failure;
    std::map<std::string, std::string> files;
    if (readCurrent) {
        if (!ReadIfThere(folder, "index.json", files, failure) || !ReadIfThere(folder, "description.md", files, failure))
            return failure;
        if (auto bad = ReadCurrentCulture(files["index.json"], files["description.md"], read); bad.failed) return bad;
        if (files.count("description.md")) read.source.files["description.md"] = files["description.md"];
    } else {
        for (const char* name : kOlderFormFiles)
            if (!ReadIfThere(folder, name, files, failure)) return failure;
        if (auto bad = ReadOlderCulture(files, read); bad.failed) return bad;
        // The description, for a conversion to the current form.
        std::map<std::string, std::string> description;
        if (!ReadIfThere(folder, "description.en.utf8", description, failure)) return failure;
        for (auto& [name, text] : description) read.source.files[name] = std::move(text);
    }
    culture = std::move(read);
    return {};
}

std::vector<FolderFile> CultureChanges(const Culture& culture) {
    return culture.form == CultureForm::Current ? CurrentCultureChanges(culture) : OlderCultureChanges(culture);
}

std::vector<FolderFile> CultureFolderFiles(const std::string& folder, ReadFailure& failure) {
    std::vector<FolderFile> files;
    for (const std::string& name : NamesInFolder(folder)) {
        const std::string path = folder + "/" + name;
        std::vector<std::string> inside{name};
        if (!IsRegularFile(path)) {
            inside.clear();
            for (const std::string& sub : NamesInFolder(path))
                if (IsRegularFile(path + "/" + sub)) inside.push_back(name + "/" + sub);
        }
        for (const std::string& relative : inside) {
            std::string bytes;
            if (auto read = ReadWholeFile(folder + "/" + relative, bytes, kCultureFileLimit); read.failed) {
                failure = {true, 0, relative + ": " + read.reason};
                return {};
            }
            files.push_back({relative, std::move(bytes)});
        }
    }
    return files;
}

std::vector<FolderFile> WholeCultureFiles(const Culture& culture, ReadFailure& failure) {
    std::vector<FolderFile> files;
    if (!culture.folder.empty()) files = CultureFolderFiles(culture.folder, failure);
    if (failure.failed) return {};
    const auto put = [&files](FolderFile file) {
        std::erase_if(files, [&](const FolderFile& f) { return f.name == file.name; });
        files.push_back(std::move(file));
    };
    // What the model was read from counts, whatever the folder holds now.
    for (const auto& [name, bytes] : culture.source.files) put({name, bytes});
    for (FolderFile& changed : CultureChanges(culture)) put(std::move(changed));
    for (FolderFile& picture : AddedPictures(culture, failure)) put(std::move(picture));
    if (failure.failed) return {};
    const std::string main = culture.form == CultureForm::Current ? "index.json" : "constellationship.fab";
    // A culture made in memory has no files yet: all of them afresh.
    if (std::none_of(files.begin(), files.end(), [&](const FolderFile& f) { return f.name == main; }))
        for (FolderFile& file : CultureFiles(culture)) put(std::move(file));
    std::stable_partition(files.begin(), files.end(), [&](const FolderFile& f) { return f.name != main; });
    return files;
}

std::vector<FolderFile> AddedPictures(const Culture& culture, ReadFailure& failure) {
    std::vector<FolderFile> files;
    for (const auto& added : culture.addedPictures) {
        const std::string& name = added.first;  // a plain name: lambdas may not capture bindings before C++20 in clang 14
        const std::string& from = added.second;
        const bool used = std::any_of(culture.constellations.begin(), culture.constellations.end(),
                                      [&](const CultureConstellation& c) { return c.art && c.art->file == name; });
        if (!used) continue;
        std::string bytes;
        if (auto read = ReadWholeFile(from, bytes, kCultureFileLimit); read.failed) {
            failure = {true, 0, from + ": " + read.reason};
            return {};
        }
        files.push_back({name, std::move(bytes)});
    }
    return files;
}

ReadFailure ReadCultureWith(const Culture& culture, const std::vector<FolderFile>& replaced, Culture& read) {
    std::map<std::string, std::string> files = culture.source.files;
    for (const FolderFile& file : replaced) files[file.name] = file.bytes;
    Culture fresh;
    fresh.folder = culture.folder;
    fresh.id = culture.id;
    const ReadFailure failure = culture.form == CultureForm::Current
                                    ? ReadCurrentCulture(files["index.json"], files["description.md"], fresh)
                                    : ReadOlderCulture(files, fresh);
    if (!failure.failed) read = std::move(fresh);
    return failure;
}

void RebaseCulture(Culture& culture, const std::vector<FolderFile>& written) {
    std::map<std::string, std::string> files = culture.source.files;
    for (const FolderFile& file : written) files[file.name] = file.bytes;
    Culture fresh;
    const ReadFailure failure = ReadCultureWith(culture, written, fresh);
    bool same = !failure.failed && fresh.constellations.size() == culture.constellations.size();
    for (size_t i = 0; same && i < fresh.constellations.size(); ++i) same = fresh.constellations[i].id == culture.constellations[i].id;
    if (!same) {
        // What was written cannot be read back as the model: compare the next save with the model itself.
        culture.source.files = files;
        culture.KeepAsRead();
        return;
    }
    std::map<std::string, std::string> renamed;
    for (size_t i = 0; i < fresh.constellations.size(); ++i) {
        renamed["c" + std::to_string(fresh.constellations[i].uid)] = "c" + std::to_string(culture.constellations[i].uid);
        fresh.source.constellations[i].uid = culture.constellations[i].uid;
    }
    for (auto& [name, owners] : fresh.source.rowOwners)
        for (std::string& owner : owners)
            if (const auto found = renamed.find(owner); found != renamed.end()) owner = found->second;
    // The files the model keeps but is not read from (the description) stay as they were.
    for (const auto& [name, bytes] : files) fresh.source.files.try_emplace(name, bytes);
    culture.source = std::move(fresh.source);
    culture.notes = std::move(fresh.notes);
}

}  // namespace orvanta
