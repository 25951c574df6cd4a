#pragma once

// The track list's store and its model for the view. Every change is stored
// at once; the view hears of new rows and changed cells in batches on a
// timer, because a view told of every single change repaints between them
// and thousands of rows would then take minutes.

#include <QAbstractTableModel>
#include <QTimer>
#include <array>
#include <vector>

#include "text/text.h"

namespace vx {

class TrackListModel final : public QAbstractTableModel {
    Q_OBJECT

  public:
    static constexpr int kColumns = 4;

    explicit TrackListModel(QObject* parent = nullptr);

    // The store, in code page 936. Reading a missing row gives the empty
    // text; writing one does nothing.
    void clear_rows();
    int append_row();
    void set_cell(int row, int column, const Text& text);
    Text cell(int row, int column) const;
    int stored_rows() const { return static_cast<int>(rows_.size()); }

    // Tells the view of everything stored since the last time.
    void publish_changes();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    void schedule_publish();

    std::vector<std::array<Text, kColumns>> rows_;
    int published_rows_ = 0;  // the rows the view knows of
    int changed_first_ = -1;  // changed cells among those, as a row range
    int changed_last_ = -1;
    QTimer publish_timer_;
};

}  // namespace vx
