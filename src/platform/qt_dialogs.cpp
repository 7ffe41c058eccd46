// Qt's dialogs for messages, questions, files and export.
#include "platform/qt_dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QUrl>

namespace orvanta {

namespace {

QString MessageText(const std::string& text) { return ToQString(text).replace("\r\n", "\n"); }

// The dialog's name filters: "Constellation shapes (*.con)".
QStringList NameFilters(const std::vector<FileFilter>& filters) {
    QStringList names;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns) patterns << ToQString(pattern);
        const QString description = ToQString(filter.description), list = "(" + patterns.join(' ') + ")";
        names << (description.endsWith(list) ? description : description + " " + list);
    }
    return names;
}

// A question that only Yes or No answers. A Yes/No message box would take
// Escape or its window's close button for No, and a No can lose the user's work.
class YesNoQuestion final : public QMessageBox {
public:
    YesNoQuestion(const QString& title, const QString& text, QWidget* owner)
        : QMessageBox(QMessageBox::Information, title, text, QMessageBox::Yes | QMessageBox::No, owner) {
        setDefaultButton(QMessageBox::Yes);
        setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) & ~Qt::WindowCloseButtonHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) return event->accept();
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// An open dialog where a folder that is itself a document (a sky culture),
// typed or chosen, is the answer: Qt's own would only browse into it.
class OpenDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    std::function<bool(const std::string&)> folderIsDocument;
    std::string folder;

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (folderIsDocument && !chosen.isEmpty() && QFileInfo(chosen.first()).isDir() &&
            folderIsDocument(chosen.first().toStdString())) {
            folder = chosen.first().toStdString();
            return QDialog::accept();
        }
        QFileDialog::accept();
    }
};

}  // namespace

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void QtDialogs::Message(const std::string& text, const std::string& title, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information, ToQString(title),
                    MessageText(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDialogs::YesNo(const std::string& text, const std::string& title) {
    YesNoQuestion box(ToQString(title), MessageText(text), owner_);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogs::OpenFileName(const FileDialogRequest& request) {
    OpenDialog dialog(owner_, ToQString(request.title), ToQString(request.initialDirectory));
    dialog.folderIsDocument = request.folderIsDocument;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(NameFilters(request.filters));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    if (!dialog.folder.empty()) return dialog.folder;
    if (dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

std::string QtDialogs::SaveFileName(const FileDialogRequest& request) {
    QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialDirectory));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(NameFilters(request.filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    if (!request.defaultFileName.empty()) dialog.selectFile(ToQString(request.defaultFileName));
    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString chosen = dialog.selectedFiles().first();
        if (!request.createPrompt || QFileInfo::exists(chosen)) return chosen.toStdString();
        // A new file is made only when the user says so; otherwise choose again.
        if (YesNo(chosen.toStdString() + "\n\n" + createPrompt_, request.title)) return chosen.toStdString();
    }
    return {};
}

ExportTarget QtDialogs::ExportTargetFor(const ExportRequest& request) {
    QFileDialog dialog(owner_, ToQString(request.title), ToQString(request.initialDirectory));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& name : request.choiceNames) filters << ToQString(name);
    dialog.setNameFilters(filters);
    // The name typed gets the ending of the chosen format; a sky culture is a folder and gets none.
    const auto suffixFor = [](const QString& filter) {
        const qsizetype star = filter.lastIndexOf("(*.");
        return star < 0 ? QString() : filter.mid(star + 3).chopped(1);
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, suffixFor](const QString& filter) { dialog.setDefaultSuffix(suffixFor(filter)); });
    dialog.setDefaultSuffix(suffixFor(filters.value(0)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const qsizetype choice = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    return {dialog.selectedFiles().first().toStdString(), static_cast<ExportChoice>(choice)};
}

void QtDialogs::OpenUrl(const std::string& url) { QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(url))); }

std::optional<ConstellationNames> QtDialogs::ConstellationNamesFor(const std::string& title, const ConstellationNames& now,
                                                                   const CultureDialogTexts& texts) {
    return AskConstellationNamesDialog(owner_, ToQString(title), now, texts);
}

std::optional<std::vector<StarNameFields>> QtDialogs::StarNamesFor(const std::string& title,
                                                                   const std::vector<StarNameFields>& names,
                                                                   const CultureDialogTexts& texts) {
    return AskStarNamesDialog(owner_, ToQString(title), names, texts);
}

std::optional<size_t> QtDialogs::Choice(const std::string& title, const std::string& text,
                                        const std::vector<std::string>& options) {
    return AskChoiceDialog(owner_, ToQString(title), ToQString(text), options);
}

std::optional<std::string> QtDialogs::TextFor(const std::string& title, const std::string& prompt,
                                              const std::vector<std::string>& completions) {
    return AskTextDialog(owner_, ToQString(title), ToQString(prompt), completions);
}

void QtDialogs::Report(const std::string& title, const std::string& text) {
    ShowReportDialog(owner_, ToQString(title), ToQString(text));
}

}  // namespace orvanta
