#pragma once
// The Constellations panel: a dock beside the map listing the open culture's
// constellations with their names and line counts, sortable and searchable;
// choosing one selects it on the map.
#include <QDockWidget>
#include <functional>
#include <optional>

#include "commands/window.h"

class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace orvanta {

class ConstellationPanel final : public QDockWidget {
public:
    explicit ConstellationPanel(QWidget* parent);
    // Column titles and the search field's hint, in the texts in use.
    void SetTexts(const QStringList& columns, const QString& search);
    void Show(const std::vector<ConstellationRow>& rows, std::optional<uint64_t> selected);
    QTableView* Table() const { return table_; }

    std::function<void(std::optional<uint64_t>)> onSelected;

private:
    void Select(std::optional<uint64_t> uid);

    QLineEdit* search_;
    QTableView* table_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* filter_;
    std::vector<ConstellationRow> rows_;
    bool showing_ = false;  // selections made while showing are ours, not the user's
};

}  // namespace orvanta
