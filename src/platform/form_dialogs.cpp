// The form dialogs, built from Qt's form, table and completer widgets.
#include "platform/form_dialogs.h"

#include <QCompleter>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/qt_dialogs.h"

namespace orvanta {

namespace {

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

std::string Trimmed(const QString& text) { return text.trimmed().toStdString(); }

}  // namespace

std::optional<ConstellationNames> AskConstellationNamesDialog(QWidget* owner, const QString& title,
                                                              const ConstellationNames& now,
                                                              const CultureDialogTexts& texts) {
    QDialog dialog(owner);
    dialog.setObjectName("constellationNamesDialog");
    dialog.setWindowTitle(title);
    auto* form = new QFormLayout;
    const auto field = [&](const char* name, const QString& label, const std::string& value) {
        auto* edit = new QLineEdit(ToQString(value), &dialog);
        edit->setObjectName(name);
        form->addRow(label, edit);
        return edit;
    };
    QLineEdit* id = field("idField", texts.id, now.id);
    QLineEdit* english = field("englishField", texts.english, now.english);
    QLineEdit* native = field("nativeField", texts.native, now.native);
    QLineEdit* pronounce = field("pronounceField", texts.pronounce, now.pronounce);
    auto* description = new QPlainTextEdit(ToQString(now.description), &dialog);
    description->setObjectName("descriptionField");
    description->setTabChangesFocus(true);
    form->addRow(texts.description, description);
    QDialogButtonBox* buttons = OkCancel(dialog);
    // A constellation needs an id: OK waits for one.
    const auto allow = [&] { buttons->button(QDialogButtonBox::Ok)->setEnabled(!id->text().trimmed().isEmpty()); };
    QObject::connect(id, &QLineEdit::textChanged, &dialog, allow);
    allow();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog.resize(480, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ConstellationNames{Trimmed(id->text()), Trimmed(english->text()), Trimmed(native->text()),
                              Trimmed(pronounce->text()), description->toPlainText().toStdString()};
}

std::optional<std::vector<StarNameFields>> AskStarNamesDialog(QWidget* owner, const QString& title,
                                                              const std::vector<StarNameFields>& names,
                                                              const CultureDialogTexts& texts) {
    QDialog dialog(owner);
    dialog.setObjectName("starNamesDialog");
    dialog.setWindowTitle(title);
    auto* table = new QTableWidget(static_cast<int>(names.size()), 3, &dialog);
    table->setObjectName("starNamesTable");
    table->setHorizontalHeaderLabels({texts.english, texts.native, texts.pronounce});
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->hide();
    for (int row = 0; row < static_cast<int>(names.size()); ++row) {
        const StarNameFields& n = names[static_cast<size_t>(row)];
        table->setItem(row, 0, new QTableWidgetItem(ToQString(n.english)));
        table->setItem(row, 1, new QTableWidgetItem(ToQString(n.native)));
        table->setItem(row, 2, new QTableWidgetItem(ToQString(n.pronounce)));
    }
    auto* add = new QPushButton(texts.add, &dialog);
    add->setObjectName("addNameButton");
    auto* remove = new QPushButton(texts.remove, &dialog);
    remove->setObjectName("removeNameButton");
    QObject::connect(add, &QPushButton::clicked, &dialog, [table] {
        const int row = table->rowCount();
        table->insertRow(row);
        for (int column = 0; column < 3; ++column) table->setItem(row, column, new QTableWidgetItem);
        table->setCurrentCell(row, 0);
        table->editItem(table->item(row, 0));
    });
    QObject::connect(remove, &QPushButton::clicked, &dialog, [table] {
        if (table->currentRow() >= 0) table->removeRow(table->currentRow());
    });
    auto* row = new QHBoxLayout;
    row->addWidget(add);
    row->addWidget(remove);
    row->addStretch();
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addLayout(row);
    layout->addWidget(OkCancel(dialog));
    dialog.resize(520, 260);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    std::vector<StarNameFields> result;
    for (int r = 0; r < table->rowCount(); ++r) {
        const auto text = [&](int column) { return table->item(r, column) ? Trimmed(table->item(r, column)->text()) : ""; };
        // A row without a name is no name.
        if (text(0).empty() && text(1).empty()) continue;
        result.push_back({text(0), text(1), text(2)});
    }
    return result;
}

std::optional<size_t> AskChoiceDialog(QWidget* owner, const QString& title, const QString& text,
                                      const std::vector<std::string>& options) {
    QStringList items;
    for (const std::string& option : options) items << ToQString(option);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(owner, title, text, items, 0, false, &ok);
    if (!ok) return std::nullopt;
    const qsizetype index = items.indexOf(chosen);
    return index < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(index));
}

std::optional<std::string> AskTextDialog(QWidget* owner, const QString& title, const QString& prompt,
                                         const std::vector<std::string>& completions) {
    QDialog dialog(owner);
    dialog.setObjectName("textDialog");
    dialog.setWindowTitle(title);
    auto* label = new QLabel(prompt, &dialog);
    label->setWordWrap(true);
    auto* field = new QLineEdit(&dialog);
    field->setObjectName("textField");
    QStringList words;
    for (const std::string& word : completions) words << ToQString(word);
    // Any part of a name completes it: "geuse" finds Betelgeuse.
    auto* completer = new QCompleter(words, &dialog);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    field->setCompleter(completer);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(field);
    layout->addWidget(OkCancel(dialog));
    dialog.resize(420, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return field->text().trimmed().toStdString();
}

void ShowReportDialog(QWidget* owner, const QString& title, const QString& text) {
    QDialog dialog(owner);
    dialog.setObjectName("reportDialog");
    dialog.setWindowTitle(title);
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(view);
    layout->addWidget(buttons);
    dialog.resize(640, 420);
    dialog.exec();
}

}  // namespace orvanta
