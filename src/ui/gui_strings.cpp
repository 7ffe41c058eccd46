// The built-in English texts, and the texts of orvanta.ini by key.
#include "ui/gui_strings.h"

#include "ui/profile_file.h"

namespace orvanta {

namespace {

constexpr int kTableSize = 600;  // past the highest key

const char* const kEnglishNames =
    "Andromeda,The Air Pump,The Bird of Paradise,The Water Carrier,The Eagle,The Altar,The Ram,"
    "The Charioteer,The Herdsman,The Chisel,The Giraffe,The Crab,The Hunting Dogs,The Greater Dog,"
    "The Lesser Dog,The Sea Goat,The Keel,Cassiopeia,The Centaur,Cepheus,The Whale,The Chameleon,"
    "The Compasses,The Dove,Berenice's Hair,The Southern Crown,The Northern Crown,The Crow,The Cup,"
    "The Southern Cross,The Swan,The Dolphin,The Goldfish,The Dragon,The Little Horse,The River,"
    "The Furnace,The Twins,The Crane,Hercules,The Pendulum Clock,The Water Snake,"
    "The Lesser Water Snake,The Indian,The Lizard,The Lion,The Lesser Lion,The Hare,The Scales,"
    "The Wolf,The Lynx,The Lyre,The Table,The Microscope,The Unicorn,The Fly,The Level,The Octant,"
    "The Serpent Holder,The Hunter,The Peacock,The Winged Horse,Perseus,The Phoenix,"
    "The Painter's Easel,The Fishes,The Southern Fish,The Stern,The Compass,The Net,The Arrow,"
    "The Archer,The Scorpion,The Sculptor,The Shield,The Serpent's Head,The Serpent's Tail,"
    "The Sextant,The Bull,The Telescope,The Triangle,The Southern Triangle,The Toucan,The Great Bear,"
    "The Little Bear,The Sails,The Virgin,The Flying Fish,The Fox";

struct BuiltIn {
    TextKey key;
    const char* text;
    bool ours;  // a key of our own: a translation that lacks it shows the English text
};

const BuiltIn kBuiltInTexts[] = {
    {TextKey::Title, "Orvanta", false},
    {TextKey::DataLoadError, "Loading Data Error. Check Destination of Application.", false},
    {TextKey::FigureUnreadable, "This figure file could not be read, so the figure shown has not changed.", true},
    {TextKey::ReadingStoppedAt, "Reading stopped at line", true},
    {TextKey::ConstellationsMenu, "Constellations", false},
    {TextKey::Open, "Open...", false},
    {TextKey::Save, "Save", false},
    {TextKey::SaveAs, "Save As...", false},
    {TextKey::Exit, "Exit", false},
    {TextKey::ViewMenu, "View", false},
    {TextKey::Bounds, "Bounds", false},
    {TextKey::Names, "Names", false},
    {TextKey::NamesNone, "None", false},
    {TextKey::NamesAbbreviations, "Abbrev.", false},
    {TextKey::NamesLatin, "Latin", false},
    {TextKey::NamesEnglish, "English", false},
    {TextKey::StarColours, "Star Colours", false},
    {TextKey::HelpMenu, "Help", false},
    {TextKey::OnlineHelp, "On-line Help", false},
    {TextKey::About, "About...", false},
    {TextKey::AboutNotice, "Draws constellation figures over the sky of the moment. Free software.", true},
    {TextKey::OpenTitle, "Open file...", false},
    {TextKey::FigureFilter, "Constellation shapes", false},
    {TextKey::Warning, "Warning", false},
    {TextKey::SaveQuestion, "Do you want to save this document?", false},
    {TextKey::SaveAsTitle, "Save file as...", false},
    {TextKey::SaveFailed, "The figure could not be saved. It is still open and marked as changed: "
                          "use Save As to keep it elsewhere.", true},
    {TextKey::SaveFailedUnchanged, "The figure could not be saved there. It is still open as it was, and its own "
                                   "file has not changed.", true},
    {TextKey::CreatePrompt, "This file does not exist yet. Do you want to create it?", true},
    {TextKey::MoveLeft, "Move Left", false},
    {TextKey::MoveUp, "Move Up", false},
    {TextKey::MoveDown, "Move Down", false},
    {TextKey::MoveRight, "Move Right", false},
    {TextKey::MoreStars, "More stars", false},
    {TextKey::FewerStars, "Fewer stars", false},
    {TextKey::ZoomIn, "Zoom +", false},
    {TextKey::ZoomOut, "Zoom -", false},
    {TextKey::EnglishNames, kEnglishNames, false},
    {TextKey::HintIdle, "Click on star by left mouse button to create new line, use Shift + left mouse button for "
                        "selecting current lines.", false},
    {TextKey::HintDrawing, "Click on star by left mouse button to create new line, use right mouse button to cancel "
                           "this process.", false},
    {TextKey::HintSelected, "Selected line can be deleted only (press Del) - no other possibilities are available. "
                            "The only way to change current lines is its deleting and creating the new ones.", false},
    {TextKey::EditMenu, "Edit", true},
    {TextKey::Undo, "Undo", true},
    {TextKey::Redo, "Redo", true},
    {TextKey::Untitled, "Untitled", true},
    {TextKey::PointerPosition, "RA %1  Dec %2   Alt %3  Az %4", true},
    {TextKey::PointerStar, "mag %1", true},
    {TextKey::RecentFilesMenu, "Open Recent", true},
    {TextKey::RecentFileGone, "This file no longer exists. It has been taken off the list of recent files.", true},
    {TextKey::ChangedOnDisk, "Another program has changed this file since Orvanta read it. Do you want to replace "
                             "its contents with the figure shown?", true},
    {TextKey::TranslationRefused, "The translation file could not be used, so the built-in English texts are "
                                  "shown.", true},
    {TextKey::Export, "Export...", true},
    {TextKey::Import, "Import...", true},
    {TextKey::Print, "Print...", true},
    {TextKey::ExportTitle, "Export figure", true},
    {TextKey::ImportTitle, "Import figure", true},
    {TextKey::ExportStellarium, "Stellarium sky culture, 24.x and later (folder)", true},
    {TextKey::ExportStellariumFab, "Stellarium sky culture, 0.22 and 23.x (folder)", true},
    {TextKey::ExportGeoJson, "GeoJSON lines for web sky maps (*.json)", true},
    {TextKey::ExportSvg, "SVG picture (*.svg)", true},
    {TextKey::ExportPng, "PNG picture (*.png)", true},
    {TextKey::ExportPngDouble, "PNG picture, twice the size (*.png)", true},
    {TextKey::ExportPdf, "PDF document (*.pdf)", true},
    {TextKey::ExportFailed, "The figure could not be exported.", true},
    {TextKey::ExportLinesLeftOut, "%1 lines could not be written in this form: an end of theirs is on no star of "
                                  "the catalogue.", true},
    {TextKey::ImportFailed, "This file could not be imported, so the figure shown has not changed.", true},
    {TextKey::ImportLinesSkipped, "%1 lines were skipped: their stars are not in the catalogue.", true},
    {TextKey::ImportFilter, "Sky cultures and web sky maps (*.fab *.json)", true},
    {TextKey::RecoveryFolderUnwritable, "Unsaved changes cannot be kept for recovery: Orvanta may not write in %1. "
                                        "To make it possible, run:\n\n%2", true},
    {TextKey::InterruptedSaveFinished, "Orvanta was stopped while it saved this file, after the new contents were "
                                       "written. The copy of the old contents it kept has been removed.", true},
    {TextKey::InterruptedSaveRestored, "Orvanta was stopped while it saved this file. The file has been put back as "
                                       "it was before that save.", true},
    {TextKey::InterruptedSaveKeptAside, "Orvanta was stopped while it saved this file, and the file could not be put "
                                        "back. Its old contents are kept in %1.", true},
    {TextKey::ExportIntoOtherFiles, "This folder holds files that are not a sky culture's: %1. Do you want to write "
                                    "the sky culture's own files into it? Nothing else in it will change.", true},
    {TextKey::ImportNoLines, "No line could be read from this file, so the figure shown has not changed.", true},
    {TextKey::CultureFilter, "Sky cultures (index.json constellationship.fab)", true},
    {TextKey::CultureUnreadable, "This sky culture could not be read, so the figure shown has not changed.", true},
    {TextKey::NewCultureFromFigure, "New Culture from Figure...", true},
    {TextKey::CheckCulture, "Check Culture", true},
    {TextKey::InstallInStellarium, "Install in Stellarium", true},
    {TextKey::NewConstellation, "New Constellation...", true},
    {TextKey::EditNames, "Edit Names...", true},
    {TextKey::DeleteConstellation, "Delete Constellation", true},
    {TextKey::MoveLine, "Move Line to Constellation...", true},
    {TextKey::NameStar, "Name Star...", true},
    {TextKey::ConstellationsPanel, "Constellations Panel", true},
    {TextKey::NativeColumn, "Native", true},
    {TextKey::LinesColumn, "Lines", true},
    {TextKey::SearchField, "Search", true},
    {TextKey::NamesTitle, "Constellation names", true},
    {TextKey::IdField, "Id", true},
    {TextKey::PronunciationField, "Pronunciation", true},
    {TextKey::DescriptionField, "Description", true},
    {TextKey::StarNamesTitle, "Names of %1", true},
    {TextKey::AddName, "Add", true},
    {TextKey::RemoveName, "Remove", true},
    {TextKey::MoveLineText, "Move the selected line to the constellation:", true},
    {TextKey::CheckNothing, "Stellarium would accept this culture as it is, and there is nothing to look at.", true},
    {TextKey::CheckSummary, "%1 errors (Stellarium would refuse these) and %2 warnings (a careful author would look at these).", true},
    {TextKey::CultureIdFollows, "A sky culture's id is its folder's name: the copy gets the id %1. Do you want to go on?", true},
    {TextKey::InstallReplace, "Stellarium already has a sky culture %1. Do you want to replace its files with this culture's?", true},
    {TextKey::Installed, "The sky culture is installed in %1. Stellarium shows it after a restart, in its list of sky cultures.", true},
    {TextKey::NoStarThere, "There is no star under the pointer to name.", true},
    {TextKey::CultureLinesUnplaced, "%1 lines of this culture join stars or objects the catalogue does not hold: they are kept, but not shown.", true},
    {TextKey::CultureSaveFailed, "The sky culture could not be saved. It is still open and marked as changed.", true},
    {TextKey::AsterismsItem, "Asterisms", true},
    {TextKey::CheckErrorLabel, "Error", true},
    {TextKey::CheckWarningLabel, "Warning", true},
    {TextKey::CheckIdPrefix, "the id %1 does not start with \"CON \"", true},
    {TextKey::CheckCultureId, "the culture's id %1 is not its folder's name %2", true},
    {TextKey::CheckBadPoint, "%1 is neither a Hipparcos number, a marker, a DSO: reference nor a point", true},
    {TextKey::CheckUnknownHip, "the Hipparcos number %1 does not exist", true},
    {TextKey::CheckNoDescription, "there is no description.md", true},
    {TextKey::CheckTitleCount, "description.md needs one title line starting with \"# \"; it has %1", true},
    {TextKey::CheckSectionName, "the section %1 is not one Stellarium knows (Introduction, Description, Constellations, Extras, References, Authors, License)", true},
    {TextKey::CheckNoSections, "description.md has no section", true},
    {TextKey::CheckDuplicateId, "the id %1 is used %2 times", true},
    {TextKey::CheckIdMiddle, "the id's middle part %1 is not the culture's id %2", true},
    {TextKey::CheckNoEnglish, "it has no English name", true},
    {TextKey::CheckProvisional, "its provisional name %1 is still to be replaced", true},
    {TextKey::CheckAnchorNotDrawn, "its illustration's anchor star HIP %1 is on none of its lines", true},
    {TextKey::CheckSingleStar, "a line of a single star", true},
    {TextKey::CheckNoLines, "it has no lines: Stellarium leaves it out", true},
    {TextKey::CheckEmptySection, "the section %1 is empty", true},
    {TextKey::CheckIdParts, "the id %1 does not have three parts", true},
    {TextKey::FaintStars, "Faint Stars", true},
    {TextKey::FindStar, "Find Star...", true},
    {TextKey::FindStarPrompt, "A star's name, its Bayer or Flamsteed designation (alpha Ori, 58 Ori) or its Hipparcos number:", true},
    {TextKey::FindStarNotFound, "No star is known by %1.", true},
    {TextKey::FindStarBelow, "%1 is below the drawn horizon: altitude %2, azimuth %3.", true},
    {TextKey::FindStarShown, "%1: altitude %2, azimuth %3.", true},
    {TextKey::PointerHip, "HIP %1", true},
    {TextKey::CheckArtUnreadable, "its illustration %1 is missing or cannot be read", true},
    {TextKey::CheckArtSize, "its illustration %1 is given the size %2, but it is %3", true},
    {TextKey::CheckArtOutside, "its illustration's anchor at %1 lies outside the %2 picture", true},
    {TextKey::CheckArtUnknownStar, "its illustration's anchor star HIP %1 does not exist", true},
    {TextKey::CheckArtCollinear, "its illustration's three anchors lie on one line of the picture", true},
    {TextKey::CheckArtOneCircle, "its illustration's three anchor stars lie on one great circle", true},
    {TextKey::CheckArtMirrored, "its illustration is placed mirrored: Stellarium does not show it", true},
    {TextKey::PicturesUnreadable, "These illustrations cannot be shown; the culture keeps them as they are:", true},
    {TextKey::Illustrations, "Illustrations", true},
    {TextKey::IllustrationBrightness, "Illustration Brightness", true},
    {TextKey::AddIllustration, "Add Illustration...", true},
    {TextKey::RemoveIllustration, "Remove Illustration", true},
    {TextKey::AnchorNoStar, "There is no star under the anchor: it stays where it was.", true},
    {TextKey::PictureFilter, "Pictures", true},
    {TextKey::PictureNotPlaced, "The illustration of %1 cannot be placed: %2", true},
    {TextKey::ImportReadAsStellarium, "These records were read as Stellarium reads them:", true},
    {TextKey::PictureNoStars, "Not every anchor has a star under it: the picture stays where it was.", true},
    {TextKey::RecoveryOffer, "Orvanta ended before the changes to %1 (made at %2) were saved. Do you want to "
                             "restore them?", true},
};

constexpr size_t kTextLength = 255, kNamesLength = 2000;  // the profile reader's buffer sizes

const BuiltIn* FindBuiltIn(TextKey key) {
    for (const BuiltIn& entry : kBuiltInTexts)
        if (entry.key == key) return &entry;
    return nullptr;
}

// The file's texts by key number, mapped once after each read of the file.
const std::vector<std::string>* TextsFromFile(const GuiStrings& strings) {
    if (strings.iniPath.empty()) return nullptr;
    const ProfileTable* table = strings.iniFile.Table(strings.iniPath);
    if (!table) return nullptr;
    if (strings.mappedRevision != strings.iniFile.Revision()) {
        strings.fromFile.assign(kTableSize, std::string());
        for (const BuiltIn& entry : kBuiltInTexts) {
            const std::string number = std::to_string(static_cast<int>(entry.key));
            const size_t length = entry.key == TextKey::EnglishNames ? kNamesLength : kTextLength;
            ProfileValue(table->Find("GUI_Strings", number), entry.ours ? entry.text : "",
                         strings.fromFile[static_cast<size_t>(entry.key)], length);
        }
        strings.mappedRevision = strings.iniFile.Revision();
    }
    return &strings.fromFile;
}

}  // namespace

std::string Text(const GuiStrings& strings, TextKey key) {
    if (const std::vector<std::string>* texts = TextsFromFile(strings)) return (*texts)[static_cast<size_t>(key)];
    const BuiltIn* builtIn = FindBuiltIn(key);
    return builtIn ? builtIn->text : std::string();
}

std::string GuiStringsFileRefusal(const GuiStrings& strings) {
    if (strings.iniPath.empty()) return {};
    strings.iniFile.Table(strings.iniPath);
    return strings.iniFile.Refusal();
}

std::string FillIn(std::string pattern, const std::vector<std::string>& values) {
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < values.size()) {
            out += values[next - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string EnglishConstellationNames(const GuiStrings& strings) { return Text(strings, TextKey::EnglishNames); }

}  // namespace orvanta
