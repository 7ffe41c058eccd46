#pragma once
// What the command line asks for: the window (with a figure to open), help,
// the version, or one of the verbs that need no display.
#include <QStringList>
#include <string>

namespace orvanta {

struct CommandLine {
    enum class Verb { Window, Help, Version, Export, Import, Check, Mistake };
    Verb verb = Verb::Window;
    std::string text;    // the help, the version or what is wrong, to print
    std::string file;    // Window: the figure to open, if any
    std::string format;  // Export: stellarium, stellarium-fab, geojson, svg, png, pdf
    std::string input;   // Export: the figure or culture; Import: the source; Check: the culture
    std::string output;
    int scale = 1;       // png: 1 or 2
};

// The first argument is the program's name. Needs a Qt application object.
CommandLine ParseCommandLine(const QStringList& arguments);

// Runs the export or import verb; the exit status. Messages go to stderr.
// Pictures need a QGuiApplication; the exchange formats need no Qt at all.
// Whether the verb reads or writes pictures, and so needs Qt's image plugins loaded.
bool NeedsImages(const CommandLine& line);
int RunVerb(const CommandLine& line, const std::string& programFolder);

// Whether the verb draws a picture and so needs a (display-less) GUI application.
bool NeedsPainting(const CommandLine& line);

}  // namespace orvanta
