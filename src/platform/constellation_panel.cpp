// The Constellations panel beside the map.
#include "platform/constellation_panel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace orvanta {

namespace {
constexpr int kUidRole = Qt::UserRole + 1;
}

ConstellationPanel::ConstellationPanel(QWidget* parent) : QDockWidget(parent) {
    setObjectName("constellationPanel");
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    auto* inside = new QWidget(this);
    auto* layout = new QVBoxLayout(inside);
    layout->setContentsMargins(2, 2, 2, 2);
    search_ = new QLineEdit(inside);
    search_->setObjectName("constellationSearch");
    search_->setClearButtonEnabled(true);
    model_ = new QStandardItemModel(0, 4, this);
    filter_ = new QSortFilterProxyModel(this);
    filter_->setSourceModel(model_);
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    filter_->setFilterKeyColumn(-1);  // any column: an abbreviation, an English or a native name
    filter_->setSortRole(Qt::UserRole);
    table_ = new QTableView(inside);
    table_->setObjectName("constellationTable");
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    // The names share what the abbreviation and the count leave, cut short rather than scrolled.
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    // Sized to the rows in view: measuring every name of a culture of hundreds
    // of constellations would cost more than the whole map's redraw.
    header->setResizeContentsPrecision(0);
    // The culture's own order until the user sorts by a column.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setTextElideMode(Qt::ElideRight);
    table_->setWordWrap(false);
    layout->addWidget(search_);
    layout->addWidget(table_);
    setWidget(inside);
    connect(search_, &QLineEdit::textChanged, filter_, &QSortFilterProxyModel::setFilterFixedString);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (showing_ || !onSelected) return;
        if (!current.isValid()) return onSelected(std::nullopt);
        onSelected(filter_->data(filter_->index(current.row(), 0), kUidRole).toULongLong());
    });
}

void ConstellationPanel::SetTexts(const QStringList& columns, const QString& search) {
    model_->setHorizontalHeaderLabels(columns);
    search_->setPlaceholderText(search);
}

void ConstellationPanel::Show(const std::vector<ConstellationRow>& rows, std::optional<uint64_t> selected) {
    showing_ = true;
    // The rows are built again only when they changed: a selection alone keeps the list as the user sorted it.
    const bool same = rows.size() == rows_.size() &&
                      std::equal(rows.begin(), rows.end(), rows_.begin(), [](const auto& a, const auto& b) {
                          return a.uid == b.uid && a.abbreviation == b.abbreviation && a.english == b.english &&
                                 a.native == b.native && a.lines == b.lines;
                      });
    if (!same) {
        rows_ = rows;
        model_->removeRows(0, model_->rowCount());
        for (const ConstellationRow& row : rows) {
            QList<QStandardItem*> items;
            for (const std::string& text : {row.abbreviation, row.english, row.native}) {
                auto* item = new QStandardItem(QString::fromStdString(text));
                item->setData(QString::fromStdString(text).toCaseFolded(), Qt::UserRole);
                items << item;
            }
            auto* count = new QStandardItem(QString::number(row.lines));
            count->setData(static_cast<qulonglong>(row.lines), Qt::UserRole);
            items << count;
            items[0]->setData(static_cast<qulonglong>(row.uid), kUidRole);
            model_->appendRow(items);
        }
    }
    Select(selected);
    showing_ = false;
}

void ConstellationPanel::Select(std::optional<uint64_t> uid) {
    if (!uid) {
        table_->selectionModel()->clearSelection();
        table_->setCurrentIndex(QModelIndex());
        return;
    }
    for (int row = 0; row < filter_->rowCount(); ++row) {
        const QModelIndex index = filter_->index(row, 0);
        if (filter_->data(index, kUidRole).toULongLong() != *uid) continue;
        table_->setCurrentIndex(index);
        table_->selectRow(row);
        table_->scrollTo(index);
        return;
    }
}

}  // namespace orvanta
