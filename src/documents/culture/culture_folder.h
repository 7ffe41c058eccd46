#pragma once
// A sky culture on disk: which folder a path names, reading it whole before
// anything changes, and the files a save must write.
#include <string>
#include <vector>

#include "documents/culture/culture.h"
#include "files/careful_writer.h"
#include "files/read_failure.h"

namespace orvanta {

// Limits well above the largest shipped files (an index.json of 2 MB).
constexpr size_t kCultureFileLimit = 32u << 20;

// The folder of the culture a path names: the folder itself, or its
// index.json or constellationship.fab; "" when it names none.
std::string CultureFolderOf(const std::string& path);
// A folder that opens as a culture by its name alone: it holds one form.
// A folder of both forms is opened through the file of the form wanted.
bool HoldsOneCultureForm(const std::string& folder);

// Reads the culture at path (a folder or one of the two files). Which form
// it is follows from its files; a folder of both forms must be opened by one
// of them. On failure the reason starts with the file.
ReadFailure ReadCulture(const std::string& path, Culture& culture);

// The files a save writes: those whose text the changes alter, the main
// file (index.json or constellationship.fab) last.
std::vector<FolderFile> CultureChanges(const Culture& culture);

// Every file of a culture's folder, and of its subfolders one level down
// (illustrations/, po/), to be carried along to a copy.
std::vector<FolderFile> CultureFolderFiles(const std::string& folder, ReadFailure& failure);

// The culture as its folder would read with these files in place of its own:
// what a recovery file kept. On failure the reason starts with the file.
ReadFailure ReadCultureWith(const Culture& culture, const std::vector<FolderFile>& replaced, Culture& read);

// Every file of the culture as it now is, to be written to a new folder:
// the other files of its folder (pictures, translations), its own files as
// they were read, the model's changes and the pictures added since; the main
// file (index.json or constellationship.fab) last.
std::vector<FolderFile> WholeCultureFiles(const Culture& culture, ReadFailure& failure);

// The pictures added to illustrations that the culture still uses, read from
// where they come from, to be written into its folder.
std::vector<FolderFile> AddedPictures(const Culture& culture, ReadFailure& failure);

// After a save: what was written becomes what the culture was read from, so
// that the next save compares with it. The constellations keep their uids,
// which the undo history names.
void RebaseCulture(Culture& culture, const std::vector<FolderFile>& written);

}  // namespace orvanta
