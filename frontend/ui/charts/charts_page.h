#ifndef TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_PAGE_H_
#define TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_PAGE_H_

#include <array>

#include "frontend/model/chart/x_axis.h"
#include "frontend/model/panel/parameters.h"
#include "frontend/model/results/sweep_results.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QWidget;

namespace trakvist {

class ChartView;

// The controls of the "Charts" tab; the page owns them (Qt parents).
struct ChartsControls {
  QWidget* page = nullptr;

  ChartView* mchart = nullptr;
  QTreeWidget* ltable = nullptr;
  QGroupBox* frame9 = nullptr;  // "Content"
  QToolButton* picture1 = nullptr;

  QRadioButton* soption = nullptr;
  QRadioButton* woption = nullptr;
  QRadioButton* xwoption = nullptr;
  // The waiting-time statistics' buttons in metric order: `P50Option`,
  // `P90Option`, `P95Option`, `P99Option`, `SDOption`.
  std::array<QRadioButton*, kPercentileMetricCount> statistic_options{};
  QRadioButton* boption = nullptr;
  QRadioButton* loption = nullptr;
  QLabel* label8 = nullptr;  // "Exclude:"
  QListWidget* list1 = nullptr;

  QLabel* label9 = nullptr;  // "Title:"
  QLineEdit* title = nullptr;
  QCheckBox* ctitle = nullptr;
  QLabel* label10 = nullptr;  // "1 Time Unit = "
  QLineEdit* cunit = nullptr;
  QLabel* label14 = nullptr;  // "Y-aixs Units"
  QCheckBox* copy_tu = nullptr;
  QCheckBox* sr_check = nullptr;
  QCheckBox* showx = nullptr;

  QGroupBox* sim_param_frame = nullptr;  // "Simulation Parameters"
  QTabWidget* pg_tabs = nullptr;
  std::array<QWidget*, 2> pg{};
  std::array<QRadioButton*, kXAxisChoiceCount> coption{};
  std::array<QComboBox*, kParameterCount> cm{};
  std::array<QCheckBox*, kParameterCount> pcheck{};
  QLabel* formula_label = nullptr;
  QComboBox* formula = nullptr;

  QPushButton* copy_c = nullptr;
  QPushButton* save_chart = nullptr;  // "Save Chart…"
  QPushButton* publish = nullptr;
  QPushButton* export_results = nullptr;  // "Export Results…"
};

// The metric of statistic button `index` (0 for `P50Option`).
Metric StatisticMetric(int index);

// Lays out the "Charts" tab in `page` with every control captioned; the
// main window shows the model's state on it.
ChartsControls BuildChartsPage(QWidget* page);

// The pictures of `Picture1`: one while the table is shown, one while hidden.
void ShowPicture1(const ChartsControls& controls, bool table_visible);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_CHARTS_CHARTS_PAGE_H_
