#pragma once
// What the commands need of the main window. The Qt window implements it;
// tests drive the commands through a scripted one.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "map/map_canvas.h"
#include "map/pixels.h"
#include "sky/art_placement.h"

namespace orvanta {

enum class MenuItem {
    Open, Save, SaveAs, Import, Export, Print, Exit, Edit, Undo, Redo, View, Bounds,
    NamesNone, NamesAbbreviations, NamesLatin, NamesEnglish, StarColours, FaintStars, FindStar, Help, OnlineHelp, About,
    // Sky cultures
    NewCultureFromFigure, CheckCulture, InstallInStellarium, NewConstellation, EditNames, DeleteConstellation,
    MoveLine, NameStar, ConstellationsPanel, Asterisms,
    // Illustrations
    Illustrations, Brightness25, Brightness50, Brightness75, Brightness100, AddIllustration, RemoveIllustration
};

// The toolbar's commands, which also stand in the View menu.
enum class ToolbarCommand { MoveLeft, MoveUp, MoveDown, MoveRight, MoreStars, FewerStars, ZoomIn, ZoomOut };
constexpr ToolbarCommand kToolbarCommands[] = {ToolbarCommand::MoveLeft,  ToolbarCommand::MoveUp,
                                               ToolbarCommand::MoveDown,  ToolbarCommand::MoveRight,
                                               ToolbarCommand::MoreStars, ToolbarCommand::FewerStars,
                                               ToolbarCommand::ZoomIn,    ToolbarCommand::ZoomOut};

enum class MessageIcon { Information, Critical };

// One entry of a file dialog's type list: "Constellation shapes" and "*.con".
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

// A file dialog request, and the confirmations the dialog must ask.
struct FileDialogRequest {
    std::vector<FileFilter> filters;
    std::string title;
    std::string initialDirectory;
    std::string defaultFileName;
    std::string defaultExtension;  // "" for none
    bool fileMustExist = false;
    bool overwritePrompt = false;
    bool createPrompt = false;
    // A folder that is itself a document (a sky culture): entering it in the
    // dialog chooses it, as a file is chosen. None when empty.
    std::function<bool(const std::string&)> folderIsDocument;
};

// What Export can write: exchange formats for other programs, and pictures of the map.
enum class ExportChoice { StellariumCulture, StellariumFab, GeoJson, Svg, Png, PngDouble, Pdf };
constexpr int kExportChoiceCount = 7;

struct ExportRequest {
    std::string title;
    std::string initialDirectory;
    std::vector<std::string> choiceNames;  // by ExportChoice, each with its pattern
};

struct ExportTarget {
    std::string path;  // empty when cancelled
    ExportChoice choice = ExportChoice::StellariumCulture;
};

// A row of the Constellations panel.
struct ConstellationRow {
    uint64_t uid = 0;
    std::string abbreviation, english, native;
    size_t lines = 0;
};

// What Edit Names asks for.
struct ConstellationNames {
    std::string id, english, native, pronounce, description;
    bool operator==(const ConstellationNames&) const = default;
};

// One name of a star as Name Star edits it.
struct StarNameFields {
    std::string english, native, pronounce;
    bool operator==(const StarNameFields&) const = default;
};

// The illustration being placed as the map marks it: its anchors, and the
// handles that move, turn and scale it whole.
struct PictureMarks {
    std::vector<PixelPoint> anchors;
    std::vector<std::pair<PictureHandle, PixelPoint>> handles;
    bool operator==(const PictureMarks&) const = default;
};
constexpr double kPictureMarkReach = 7;  // pixels: how near a press must come to a mark to take it

class Window {
public:
    virtual ~Window() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // The permanent field at the right of the status bar: what is under the pointer.
    virtual void SetPointerReadout(const std::string& text) = 0;

    virtual int MapWidthPixels() const = 0;
    // The screen's height sets the map's scale, whatever the window's size.
    virtual int ScreenHeightPixels() const = 0;
    virtual void SetBackgroundBlack() = 0;

    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    virtual void SetMenuChecked(MenuItem item, bool checked) = 0;
    virtual void SetCommandEnabled(ToolbarCommand command, bool enabled) = 0;
    // The Open Recent menu: the files in order, the most recent first.
    virtual void ShowRecentFiles(const std::vector<std::string>& files) = 0;

    // The map's retained picture. EndMapPainting shows what was painted.
    virtual MapCanvas& BeginMapPainting() = 0;
    virtual void EndMapPainting() = 0;
    // Lines or selection markers over the map changed within area: repaint only there.
    virtual void OverlayChanged(const PixelRect& area) = 0;
    // A line appeared or vanished where given: a window may repaint just the
    // thin band along it rather than its whole bounding rectangle.
    virtual void OverlayLineChanged(const PixelLine& line) = 0;
    // The selection markers are to be shown, moved or hidden as the figure says.
    virtual void MarkersChanged() = 0;

    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // A question answered only by Yes (true) or No: Escape and closing it do not count.
    virtual bool AskYesNo(const std::string& text, const std::string& title) = 0;
    virtual std::string GetOpenFileName(const FileDialogRequest& request) = 0;  // "" on cancel
    virtual std::string GetSaveFileName(const FileDialogRequest& request) = 0;

    // One dialog for the format and the place of an export.
    virtual ExportTarget GetExportTarget(const ExportRequest& request) = 0;
    // Writes a picture of the map as shown; the reason when it could not be written.
    virtual std::string WritePicture(ExportChoice choice, const std::string& path) = 0;
    // Prints the map in print colours through the printing dialog.
    virtual void PrintMap() = 0;

    virtual void OpenUrl(const std::string& url) = 0;

    // A sky culture's figure: the lines of the selected constellation stand out.
    virtual void HighlightLines(const std::vector<bool>& highlighted) { (void)highlighted; }
    // The Constellations panel: the culture's constellations (none: no culture
    // is open) and the one selected.
    virtual void ShowConstellations(const std::vector<ConstellationRow>& rows, std::optional<uint64_t> selected) {
        (void)rows, (void)selected;
    }
    // Asks for a constellation's id and names; nullopt when cancelled.
    virtual std::optional<ConstellationNames> AskConstellationNames(const ConstellationNames& now, const std::string& title) {
        (void)now, (void)title;
        return std::nullopt;
    }
    // Asks for the names a culture gives a star; nullopt when cancelled.
    virtual std::optional<std::vector<StarNameFields>> AskStarNames(const std::string& star,
                                                                    const std::vector<StarNameFields>& names) {
        (void)star, (void)names;
        return std::nullopt;
    }
    // One of the options, or nullopt when cancelled.
    virtual std::optional<size_t> AskChoice(const std::string& title, const std::string& text,
                                            const std::vector<std::string>& options) {
        (void)title, (void)text, (void)options;
        return std::nullopt;
    }
    // A line of text, with the completions offered as it is typed; nullopt when cancelled.
    virtual std::optional<std::string> AskText(const std::string& title, const std::string& prompt,
                                               const std::vector<std::string>& completions) {
        (void)title, (void)prompt, (void)completions;
        return std::nullopt;
    }
    // A picture's bytes as PNG, for Stellarium 0.22's sake; nullopt when they cannot be read.
    virtual std::optional<std::string> PictureAsPng(std::string_view bytes) {
        (void)bytes;
        return std::nullopt;
    }
    // Makes the picture file at path ready to be drawn; the reason when it cannot be.
    virtual std::string PreparePicture(const std::string& path) {
        (void)path;
        return {};
    }
    // Makes many ready at once, ahead of asking for each.
    virtual void PreparePictures(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) PreparePicture(path);
    }
    // The anchors and handles of the illustration being placed, marked on the map; none takes them away.
    virtual void MarkPicture(const PictureMarks& marks) { (void)marks; }
    // The mark of a found star at a place of the map; nullopt takes it away.
    virtual void MarkStar(std::optional<PixelPoint> at) { (void)at; }
    // A longer text to read, such as what Check Culture found.
    virtual void ShowReport(const std::string& title, const std::string& text) { ShowMessage(text, title, MessageIcon::Information); }
    // Closes the window through the unsaved-changes guard and ends the program
    // with a failure status: the data it needs are gone.
    virtual void EndProgram() = 0;
};

}  // namespace orvanta
