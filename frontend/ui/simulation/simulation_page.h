#ifndef TRAKVIST_FRONTEND_UI_SIMULATION_SIMULATION_PAGE_H_
#define TRAKVIST_FRONTEND_UI_SIMULATION_SIMULATION_PAGE_H_

#include <array>

#include "frontend/model/panel/parameters.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace trakvist {

class DiskTypeList;
class NumberEdit;
class UpDown;

// The controls of the "Simulation" tab. The page owns them (Qt parents);
// the main window reads and writes them through these pointers.
struct SimulationControls {
  QWidget* page = nullptr;  // `Bigframe`

  QGroupBox* frame1 = nullptr;  // "Disk Properties"
  QGroupBox* frame2 = nullptr;  // "Request Generation"
  QGroupBox* frame3 = nullptr;  // "S-LOOK Options"
  QGroupBox* frame4 = nullptr;  // "BO-PATH Options"
  QTabWidget* pg_disk = nullptr;
  std::array<QWidget*, 2> pg_d{};  // the two pages of the disk frame

  std::array<NumberEdit*, kParameterCount> cparam{};
  std::array<UpDown*, kParameterCount> up_down{};
  std::array<QLabel*, kParameterCount> cparam_label{};

  QRadioButton* option1 = nullptr;
  QRadioButton* option2 = nullptr;
  QRadioButton* option3 = nullptr;
  QComboBox* dist_list = nullptr;
  QCheckBox* rtimer = nullptr;
  QLineEdit* manual = nullptr;
  QToolButton* import_button = nullptr;  // `Import`
  QCheckBox* is_lba = nullptr;

  QLabel* slook_reset_label = nullptr;
  QComboBox* slook_reset = nullptr;
  QCheckBox* bopath_reset = nullptr;
  QCheckBox* bopath_swap = nullptr;

  QLabel* head_direction_label = nullptr;
  QComboBox* head_direction = nullptr;  // "Initial Head Direction": Up, Down

  DiskTypeList* disk_list = nullptr;
  QPushButton* custom_disk = nullptr;  // "Custom ...": opens the disk properties

  QCheckBox* skip_idle = nullptr;
  QCheckBox* ofcfs = nullptr;
  QCheckBox* disprog = nullptr;
  QLabel* parallel_runs_label = nullptr;
  QSpinBox* parallel_runs = nullptr;  // "Parallel runs": engines a sweep runs at once
  QCheckBox* percentiles = nullptr;  // "Waiting-time percentiles"
  QLabel* replications_label = nullptr;
  QSpinBox* replications = nullptr;  // "Replications": runs of each combination

  QComboBox* sim_list = nullptr;
  QToolButton* sim_refresh = nullptr;
  QToolButton* command1 = nullptr;  // About

  QPushButton* opens = nullptr;
  QPushButton* saves = nullptr;
  QPushButton* save_as = nullptr;
  QCheckBox* im_saved = nullptr;

  QPushButton* startb = nullptr;
  QPushButton* stopb = nullptr;
  QProgressBar* progress1 = nullptr;
  QLabel* ltime = nullptr;
  QTimer* timer2 = nullptr;  // the elapsed time, every second while a sweep runs
};

// Lays out the "Simulation" tab in `page` with every control captioned, but
// in no particular state: the main window shows the model's state on it.
SimulationControls BuildSimulationPage(QWidget* page);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_SIMULATION_SIMULATION_PAGE_H_
