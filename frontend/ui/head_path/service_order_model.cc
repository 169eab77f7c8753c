#include "frontend/ui/head_path/service_order_model.h"

#include <array>

namespace trakvist {
namespace {

constexpr std::array<const char*, 6> kColumns = {"Order",   "Request", "Cylinder",
                                                 "Arrival", "Served",  "Wait"};

qlonglong Cell(const ServedRequest& request, int column) {
  switch (column) {
    case 0:
      return request.order;
    case 1:
      return request.request;
    case 2:
      return request.cylinder;
    case 3:
      return request.arrival;
    case 4:
      return request.served;
    default:
      return request.Wait();
  }
}

}  // namespace

void ServiceOrderModel::SetRequests(std::vector<ServedRequest> requests) {
  beginResetModel();
  requests_ = std::move(requests);
  endResetModel();
}

int ServiceOrderModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(requests_.size());
}

int ServiceOrderModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(kColumns.size());
}

QVariant ServiceOrderModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  return Cell(requests_[static_cast<std::size_t>(index.row())], index.column());
}

QVariant ServiceOrderModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (section < 0 || section >= columnCount()) return {};
  return QString::fromLatin1(kColumns[static_cast<std::size_t>(section)]);
}

}  // namespace trakvist
