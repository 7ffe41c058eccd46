#pragma once
// The real main window, offscreen, in a program folder of its own with the
// shipped data, its dialogs answered by a scripted user.
#include <QAction>
#include <QTest>
#include <filesystem>
#include <memory>

#include "commands/startup.h"
#include "platform/main_window.h"
#include "sky/projection.h"
#include "support/scripted_window.h"
#include "support/temp_folder.h"

namespace orvanta::testing {

inline const LocalDateTime kViewTime{2026, 12, 5, 22, 0};

class ScriptedDialogs : public DialogResponder, public ScriptedUser {
public:
    std::vector<std::string> messages, questions;
    std::string url;

    void Message(const std::string& text, const std::string&, MessageIcon) override { messages.push_back(text); }
    bool YesNo(const std::string& text, const std::string&) override {
        questions.push_back(text);
        return Take(yesNoAnswers);
    }
    std::string OpenFileName(const FileDialogRequest&) override { return Take(openAnswers); }
    std::string SaveFileName(const FileDialogRequest&) override { return Take(saveAnswers); }
    ExportTarget ExportTargetFor(const ExportRequest&) override { return Take(exportAnswers); }
    void OpenUrl(const std::string& address) override { url = address; }
};

struct WindowSession {
    TempFolder folder;
    ProgramState state;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
    bool loaded = false;

    explicit WindowSession(const std::string& ini = "", bool withCatalogue = true) {
        for (const std::string name :
             {"cons.txt", "bounds.txt", "yale.dat", "star_ids.txt", "cons_bands.txt", "hipparcos.dat", "iau_edges.txt"})
            if (withCatalogue || name != "yale.dat")
                std::filesystem::copy_file(std::string(ORVANTA_DATA_DIR) + "/" + name, folder.File(name));
        if (!ini.empty()) folder.Write("orvanta.ini", ini);
        PrepareProgram(state, folder.Dir(), kViewTime, "");
        window = std::make_unique<MainWindow>(state);
        window->SetDialogResponder(&dialogs);
        loaded = window->Load(kViewTime);
        if (!loaded) return;
        window->resize(900, 700);
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
    }

    void Open(const std::string& path) {
        dialogs.openAnswers.push_back(path);
        window->Action(MenuItem::Open)->trigger();
    }
    // Opens a figure of no lines, the map drawn.
    void OpenEmpty() { Open(folder.Write("empty.con", "")); }

    // The place of a star in twips, as the map computed it.
    QPointF StarTwips(int index) const {
        const Star& star = state.catalog.stars[index];
        const auto p = ProjectCatalogueUnits(state.view, star.ra, star.dec);
        return p ? QPointF(p->x, p->y) : QPointF(-1e6, -1e6);
    }
    QPoint StarPixel(int index) const { return (StarTwips(index) / 15).toPoint(); }

    // The brightest stars that lie at least margin pixels inside the map.
    std::vector<int> VisibleStars(size_t wanted, int margin = 20) const {
        std::vector<int> found;
        const QRect inside = QRect(QPoint(), window->Surface()->size()).adjusted(margin + 1, margin + 1, -margin, -margin);
        for (int i = 0; i < static_cast<int>(state.catalog.stars.size()) && found.size() < wanted; ++i)
            if (inside.contains(StarPixel(i))) found.push_back(i);
        return found;
    }

    // A figure file's line between two stars.
    std::string Figure(int starA, int starB) const {
        const Star& a = state.catalog.stars[starA];
        const Star& b = state.catalog.stars[starB];
        return std::to_string(a.ra) + "," + std::to_string(a.dec) + "," + std::to_string(b.ra) + "," +
               std::to_string(b.dec) + "\r\n";
    }
    const orvanta::Figure& Lines() const { return state.document.figure; }
};

}  // namespace orvanta::testing
