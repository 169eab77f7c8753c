#ifndef TRAKVIST_FRONTEND_UI_HEAD_PATH_SERVICE_ORDER_MODEL_H_
#define TRAKVIST_FRONTEND_UI_HEAD_PATH_SERVICE_ORDER_MODEL_H_

#include <QAbstractTableModel>
#include <vector>

#include "frontend/model/path/head_path.h"

namespace trakvist {

// The service order of one algorithm as a table: order, request, cylinder,
// arrival, served, wait. Cells hold numbers, so a sort proxy sorts them as
// numbers.
class ServiceOrderModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  void SetRequests(std::vector<ServedRequest> requests);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<ServedRequest> requests_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_HEAD_PATH_SERVICE_ORDER_MODEL_H_
