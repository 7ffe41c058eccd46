#pragma once
// The dialogs with a form: a constellation's id and names, the names a
// culture gives a star, a choice from a list, a line of text with completion,
// and a report to read.
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "commands/window.h"

namespace orvanta {

// The labels of the culture dialogs, in the texts in use.
struct CultureDialogTexts {
    QString id, english, native, pronounce, description, add, remove;
};

std::optional<ConstellationNames> AskConstellationNamesDialog(QWidget* owner, const QString& title,
                                                              const ConstellationNames& now,
                                                              const CultureDialogTexts& texts);
std::optional<std::vector<StarNameFields>> AskStarNamesDialog(QWidget* owner, const QString& title,
                                                              const std::vector<StarNameFields>& names,
                                                              const CultureDialogTexts& texts);
std::optional<size_t> AskChoiceDialog(QWidget* owner, const QString& title, const QString& text,
                                      const std::vector<std::string>& options);
std::optional<std::string> AskTextDialog(QWidget* owner, const QString& title, const QString& prompt,
                                         const std::vector<std::string>& completions);
void ShowReportDialog(QWidget* owner, const QString& title, const QString& text);

}  // namespace orvanta
