#pragma once
// What the commands need of the main window. The Qt window implements it;
// tests drive the commands through a scripted one.
#include <string>
#include <vector>

#include "map/map_canvas.h"
#include "map/pixels.h"

namespace orvanta {

enum class MenuItem {
    Open, Save, SaveAs, Import, Export, Print, Exit, Edit, Undo, Redo, View, Bounds,
    NamesNone, NamesAbbreviations, NamesLatin, NamesEnglish, StarColours, Help, OnlineHelp, About
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
    // Closes the window through the unsaved-changes guard and ends the program
    // with a failure status: the data it needs are gone.
    virtual void EndProgram() = 0;
};

}  // namespace orvanta
