#include "app/track_list_model.h"

#include <algorithm>
#include <string_view>

#include "text/codepage.h"

namespace vx {
namespace {

constexpr int kPublishIntervalMs = 30;

// 舞曲名称, 试听地址, 下载状态, 1
constexpr std::string_view kColumnTitles[TrackListModel::kColumns] = {
    "\xCE\xE8\xC7\xFA\xC3\xFB\xB3\xC6",
    "\xCA\xD4\xCC\xFD\xB5\xD8\xD6\xB7",
    "\xCF\xC2\xD4\xD8\xD7\xB4\xCC\xAC",
    "1",
};

QString shown(std::string_view text) {
    return QString::fromStdString(cp936_to_utf8(text));
}

}  // namespace

TrackListModel::TrackListModel(QObject* parent) : QAbstractTableModel(parent) {
    publish_timer_.setSingleShot(true);
    publish_timer_.setInterval(kPublishIntervalMs);
    connect(&publish_timer_, &QTimer::timeout, this, &TrackListModel::publish_changes);
}

void TrackListModel::clear_rows() {
    beginResetModel();
    rows_.clear();
    published_rows_ = 0;
    changed_first_ = changed_last_ = -1;
    endResetModel();
}

int TrackListModel::append_row() {
    rows_.emplace_back();
    schedule_publish();
    return static_cast<int>(rows_.size()) - 1;
}

void TrackListModel::set_cell(int row, int column, const Text& text) {
    if (row < 0 || row >= stored_rows() || column < 0 || column >= kColumns) {
        return;
    }
    rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    if (row < published_rows_) {
        changed_first_ = changed_first_ < 0 ? row : std::min(changed_first_, row);
        changed_last_ = std::max(changed_last_, row);
    }
    schedule_publish();
}

Text TrackListModel::cell(int row, int column) const {
    if (row < 0 || row >= stored_rows() || column < 0 || column >= kColumns) {
        return {};
    }
    return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void TrackListModel::publish_changes() {
    if (changed_first_ >= 0) {
        emit dataChanged(index(changed_first_, 0), index(changed_last_, kColumns - 1));
        changed_first_ = changed_last_ = -1;
    }
    if (stored_rows() > published_rows_) {
        beginInsertRows(QModelIndex(), published_rows_, stored_rows() - 1);
        published_rows_ = stored_rows();
        endInsertRows();
    }
}

void TrackListModel::schedule_publish() {
    if (!publish_timer_.isActive()) {
        publish_timer_.start();
    }
}

int TrackListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published_rows_;
}

int TrackListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TrackListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= published_rows_) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return shown(cell(index.row(), index.column()));
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant TrackListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return shown(kColumnTitles[section]);
    }
    if (role == Qt::TextAlignmentRole) {
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

}  // namespace vx
