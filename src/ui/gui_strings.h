#pragma once
// Every user-visible text, by its key: the file orvanta.ini names the keys by
// their numbers in its GUI_Strings section.
#include <string>
#include <vector>

#include "ui/profile_file.h"

namespace orvanta {

enum class TextKey : int {
    Title = 100,
    DataLoadError = 105,
    FigureUnreadable = 106,
    ReadingStoppedAt = 107,
    ConstellationsMenu = 110,
    Open = 112,
    Save = 114,
    SaveAs = 116,
    Exit = 118,
    ViewMenu = 120,
    Bounds = 122,
    Names = 124,
    NamesNone = 126,
    NamesAbbreviations = 128,
    NamesLatin = 130,
    NamesEnglish = 132,
    StarColours = 140,
    HelpMenu = 150,
    OnlineHelp = 151,
    About = 152,
    AboutNotice = 154,
    OpenTitle = 160,
    FigureFilter = 162,
    Warning = 164,
    SaveQuestion = 166,
    SaveAsTitle = 168,
    SaveFailed = 170,
    CreatePrompt = 172,
    MoveLeft = 180,
    MoveUp = 181,
    MoveDown = 182,
    MoveRight = 183,
    MoreStars = 185,
    FewerStars = 186,
    ZoomIn = 188,
    ZoomOut = 189,
    EnglishNames = 200,
    HintIdle = 210,
    HintDrawing = 212,
    HintSelected = 214,
    EditMenu = 220,
    Undo = 222,
    Redo = 224,
    Untitled = 226,
    PointerPosition = 230,
    PointerStar = 232,
    RecentFilesMenu = 234,
    RecentFileGone = 236,
    ChangedOnDisk = 238,
    TranslationRefused = 240,
    RecoveryOffer = 242,
    Export = 244,
    Import = 246,
    Print = 248,
    ExportTitle = 250,
    ImportTitle = 252,
    ExportStellarium = 254,
    ExportStellariumFab = 256,
    ExportGeoJson = 258,
    ExportSvg = 260,
    ExportPng = 262,
    ExportPngDouble = 264,
    ExportPdf = 266,
    ExportFailed = 268,
    ExportLinesLeftOut = 270,
    ImportFailed = 272,
    ImportLinesSkipped = 274,
    ImportFilter = 276,
    RecoveryFolderUnwritable = 278,
    InterruptedSaveFinished = 280,
    InterruptedSaveRestored = 282,
    InterruptedSaveKeptAside = 284,
    ExportIntoOtherFiles = 286,
    ImportNoLines = 288,
    SaveFailedUnchanged = 290,
    CultureFilter = 292,
    CultureUnreadable = 294,
    NewCultureFromFigure = 296,
    CheckCulture = 298,
    InstallInStellarium = 300,
    NewConstellation = 302,
    EditNames = 304,
    DeleteConstellation = 306,
    MoveLine = 308,
    NameStar = 310,
    ConstellationsPanel = 312,
    NativeColumn = 316,
    LinesColumn = 318,
    SearchField = 320,
    NamesTitle = 322,
    IdField = 324,
    PronunciationField = 326,
    DescriptionField = 328,
    StarNamesTitle = 330,
    AddName = 332,
    RemoveName = 334,
    MoveLineText = 336,
    CheckNothing = 340,
    CheckSummary = 342,
    CultureIdFollows = 344,
    InstallReplace = 346,
    Installed = 348,
    NoStarThere = 350,
    CultureLinesUnplaced = 354,
    CultureSaveFailed = 356,
    AsterismsItem = 358,
    CheckErrorLabel = 360,
    CheckWarningLabel = 362,
    CheckIdPrefix = 364,
    CheckCultureId = 366,
    CheckBadPoint = 368,
    CheckUnknownHip = 370,
    CheckNoDescription = 372,
    CheckTitleCount = 374,
    CheckSectionName = 376,
    CheckNoSections = 378,
    CheckDuplicateId = 380,
    CheckIdMiddle = 382,
    CheckNoEnglish = 384,
    CheckProvisional = 386,
    CheckAnchorNotDrawn = 388,
    CheckSingleStar = 390,
    CheckNoLines = 392,
    CheckEmptySection = 394,
    CheckIdParts = 396,
    FaintStars = 398,
    FindStar = 400,
    FindStarPrompt = 402,
    FindStarNotFound = 404,
    FindStarBelow = 406,
    FindStarShown = 408,
    PointerHip = 410,
    CheckArtUnreadable = 412,
    CheckArtSize = 414,
    CheckArtOutside = 416,
    CheckArtUnknownStar = 418,
    CheckArtCollinear = 420,
    CheckArtOneCircle = 422,
    CheckArtMirrored = 424,
    PicturesUnreadable = 426,
    Illustrations = 428,
    IllustrationBrightness = 430,
    AddIllustration = 432,
    RemoveIllustration = 434,
    AnchorNoStar = 436,
    PictureFilter = 438,
    PictureNotPlaced = 440,
    ImportReadAsStellarium = 442,
    PictureNoStars = 444,
};

// The texts in use: orvanta.ini's GUI_Strings section when there is one,
// else the built-in English table. The file's decimal keys are mapped to
// text keys once each time the file is read; a file changed on disk is read
// again at the next look-up, so later texts follow it.
struct GuiStrings {
    std::string iniPath;  // the translation file in use, or empty

    // Cache of the file's texts; look-ups fill it.
    mutable ProfileFile iniFile;
    mutable uint64_t mappedRevision = 0;
    mutable std::vector<std::string> fromFile;  // by key number
};

// The text of a key. With orvanta.ini in use, a key it lacks is empty, except
// for the keys of our own, which keep their English text. A value is cut to
// 254 characters (the English constellation names to 1999), as the profile
// reader always cut them. When orvanta.ini is refused (unreadable, not a
// file, too large) the built-in English texts are used, as without the file.
std::string Text(const GuiStrings& strings, TextKey key);

// The pattern with %1 to %9 replaced by the values, so that a translation
// may put them in another order.
std::string FillIn(std::string pattern, const std::vector<std::string>& values);

// Why orvanta.ini was refused, for the window to show; empty when there is no
// such file to use or it was read.
std::string GuiStringsFileRefusal(const GuiStrings& strings);

// The English constellation names, comma-separated in table order.
std::string EnglishConstellationNames(const GuiStrings& strings);

}  // namespace orvanta
