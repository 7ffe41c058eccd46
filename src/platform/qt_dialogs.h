#pragma once
// The window's modal dialogs: messages, questions, file dialogs, the export
// dialog and opening a page. One responder answers them all: Qt's dialogs
// for the user, a script in tests.
#include <QWidget>
#include <string>

#include "commands/window.h"
#include "platform/form_dialogs.h"

namespace orvanta {

class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    virtual void Message(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    // Only Yes (true) or No: Escape and the close button do not answer.
    virtual bool YesNo(const std::string& text, const std::string& title) = 0;
    virtual std::string OpenFileName(const FileDialogRequest& request) = 0;
    virtual std::string SaveFileName(const FileDialogRequest& request) = 0;
    virtual ExportTarget ExportTargetFor(const ExportRequest& request) = 0;
    virtual void OpenUrl(const std::string& url) = 0;
    // The culture dialogs; a responder that does not answer them cancels.
    virtual std::optional<ConstellationNames> ConstellationNamesFor(const std::string& title, const ConstellationNames& now,
                                                                    const CultureDialogTexts& texts) {
        (void)title, (void)now, (void)texts;
        return std::nullopt;
    }
    virtual std::optional<std::vector<StarNameFields>> StarNamesFor(const std::string& title,
                                                                    const std::vector<StarNameFields>& names,
                                                                    const CultureDialogTexts& texts) {
        (void)title, (void)names, (void)texts;
        return std::nullopt;
    }
    virtual std::optional<size_t> Choice(const std::string& title, const std::string& text,
                                         const std::vector<std::string>& options) {
        (void)title, (void)text, (void)options;
        return std::nullopt;
    }
    virtual std::optional<std::string> TextFor(const std::string& title, const std::string& prompt,
                                               const std::vector<std::string>& completions) {
        (void)title, (void)prompt, (void)completions;
        return std::nullopt;
    }
    virtual void Report(const std::string& title, const std::string& text) { Message(text, title, MessageIcon::Information); }
};

// Qt's own dialogs over the owner window.
class QtDialogs final : public DialogResponder {
public:
    // createPrompt: the question a save dialog asks before it makes a new file.
    QtDialogs(QWidget* owner, std::string createPrompt) : owner_(owner), createPrompt_(std::move(createPrompt)) {}

    void Message(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool YesNo(const std::string& text, const std::string& title) override;
    std::string OpenFileName(const FileDialogRequest& request) override;
    std::string SaveFileName(const FileDialogRequest& request) override;
    ExportTarget ExportTargetFor(const ExportRequest& request) override;
    void OpenUrl(const std::string& url) override;
    std::optional<ConstellationNames> ConstellationNamesFor(const std::string& title, const ConstellationNames& now,
                                                            const CultureDialogTexts& texts) override;
    std::optional<std::vector<StarNameFields>> StarNamesFor(const std::string& title,
                                                            const std::vector<StarNameFields>& names,
                                                            const CultureDialogTexts& texts) override;
    std::optional<size_t> Choice(const std::string& title, const std::string& text,
                                 const std::vector<std::string>& options) override;
    std::optional<std::string> TextFor(const std::string& title, const std::string& prompt,
                                       const std::vector<std::string>& completions) override;
    void Report(const std::string& title, const std::string& text) override;

private:
    QWidget* owner_;
    std::string createPrompt_;
};

QString ToQString(const std::string& text);

}  // namespace orvanta
