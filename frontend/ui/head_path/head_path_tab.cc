#include "frontend/ui/head_path/head_path_tab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <climits>

#include "frontend/model/shell/main_actions.h"
#include "frontend/platform/clipboard.h"
#include "frontend/ui/charts/chart_saving.h"
#include "frontend/ui/common/message_box.h"
#include "frontend/ui/common/qt_text.h"
#include "frontend/ui/head_path/path_runner.h"
#include "frontend/ui/head_path/service_order_model.h"

namespace trakvist {
namespace {

constexpr int kTickMilliseconds = 40;

// The speed choices: how many seconds a playback of the whole run takes.
struct Speed {
  const char* caption;
  double seconds;
};
constexpr std::array<Speed, 4> kSpeeds = {{
    {"Slow (1 min)", 60},
    {"Normal (20 s)", 20},
    {"Fast (5 s)", 5},
    {"Very fast (1 s)", 1},
}};

// The picture Copy puts on the clipboard, as Save Picture writes a PNG.
constexpr QSize kCopySize(1600, 1000);
constexpr double kLayoutWidth = 1000;

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

}  // namespace

HeadPathCanvas::HeadPathCanvas(const HeadPathRenderer* renderer, QWidget* parent)
    : QWidget(parent), renderer_(renderer) {
  setObjectName(QStringLiteral("HeadPathView"));
  setMinimumSize(320, 240);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void HeadPathCanvas::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  renderer_->Render(&painter, QRectF(rect()));
}

HeadPathTab::HeadPathTab(MainState* state, FileAccess* files, QWidget* parent)
    : QWidget(parent), state_(state), files_(files), runner_(new PathRunner(this)) {
  setObjectName(QStringLiteral("HeadPathTab"));
  BuildControls();
  connect(runner_, &PathRunner::Finished, this, &HeadPathTab::ShowOutcome);
  playback_.setInterval(kTickMilliseconds);
  connect(&playback_, &QTimer::timeout, this, &HeadPathTab::PlayTick);
  ShowCursor();
}

HeadPathTab::~HeadPathTab() = default;

void HeadPathTab::BuildControls() {
  run_ = Button(QStringLiteral("Run"), QStringLiteral("HeadPathRun"), this);
  run_->setToolTip(QStringLiteral(
      "Runs the combination chosen on the Charts tab (or the first values of the fields) "
      "once and draws the head's path of every algorithm not excluded there"));
  play_ = Button(QStringLiteral("Play"), QStringLiteral("HeadPathPlay"), this);
  step_ = Button(QStringLiteral("Step"), QStringLiteral("HeadPathStep"), this);
  step_->setToolTip(QStringLiteral("Moves the cursor to the next request served"));
  copy_ = Button(QStringLiteral("Copy"), QStringLiteral("HeadPathCopy"), this);
  save_ = Button(QStringLiteral("Save Picture\u2026"), QStringLiteral("HeadPathSave"), this);
  speed_ = new QComboBox(this);
  speed_->setObjectName(QStringLiteral("HeadPathSpeed"));
  for (const Speed& speed : kSpeeds) speed_->addItem(QString::fromUtf8(speed.caption));
  speed_->setCurrentIndex(1);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName(QStringLiteral("HeadPathSlider"));
  time_ = new QLabel(this);
  time_->setObjectName(QStringLiteral("HeadPathTime"));
  time_->setMinimumWidth(150);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("HeadPathStatus"));
  status_->setWordWrap(true);
  canvas_ = new HeadPathCanvas(&renderer_, this);

  algorithm_ = new QComboBox(this);
  algorithm_->setObjectName(QStringLiteral("HeadPathAlgorithm"));
  order_ = new ServiceOrderModel(this);
  sorted_ = new QSortFilterProxyModel(this);
  sorted_->setSourceModel(order_);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("HeadPathOrder"));
  table_->setModel(sorted_);
  table_->setSortingEnabled(true);
  table_->sortByColumn(0, Qt::AscendingOrder);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->horizontalHeader()->setMinimumSectionSize(54);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(run_);
  buttons->addWidget(status_, 1);
  buttons->addWidget(copy_);
  buttons->addWidget(save_);
  auto* playback = new QHBoxLayout;
  playback->addWidget(play_);
  playback->addWidget(step_);
  playback->addWidget(speed_);
  playback->addWidget(slider_, 1);
  playback->addWidget(time_);

  auto* order_box = new QWidget(this);
  auto* order_layout = new QVBoxLayout(order_box);
  order_layout->setContentsMargins(0, 0, 0, 0);
  auto* order_label = new QLabel(QStringLiteral("Service order of"), order_box);
  order_layout->addWidget(order_label);
  order_layout->addWidget(algorithm_);
  order_layout->addWidget(table_, 1);
  order_box->setMinimumWidth(6 * 58 + 24);

  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(canvas_);
  splitter->addWidget(order_box);
  splitter->setStretchFactor(0, 4);
  splitter->setStretchFactor(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(splitter, 1);
  layout->addLayout(playback);

  connect(run_, &QPushButton::clicked, this, &HeadPathTab::Run);
  connect(play_, &QPushButton::clicked, this, &HeadPathTab::PlayPressed);
  connect(step_, &QPushButton::clicked, this, &HeadPathTab::Step);
  connect(copy_, &QPushButton::clicked, this, &HeadPathTab::CopyPicture);
  connect(save_, &QPushButton::clicked, this, &HeadPathTab::SavePicturePressed);
  connect(slider_, &QSlider::valueChanged, this, [this](int value) {
    if (value != CursorTu()) SetCursor(value);
  });
  connect(algorithm_, &QComboBox::currentIndexChanged, this, &HeadPathTab::ShowOrder);
}

void HeadPathTab::Run() {
  StopPlaying();
  run_->setEnabled(false);
  status_->setText(QStringLiteral("Running\u2026"));
  MainDialogs dialogs;
  dialogs.ask_yes_no = [this](std::string_view question) { return AskQuestion(this, question); };
  runner_->Start(state_, files_, dialogs);
}

void HeadPathTab::ShowOutcome() {
  run_->setEnabled(true);
  const PathRunOutcome& outcome = runner_->Outcome();
  const PathPicture* picture = outcome.picture ? &*outcome.picture : nullptr;
  renderer_.SetPicture(picture);
  renderer_.SetCursor(std::nullopt);
  const QSignalBlocker blocker(algorithm_);
  algorithm_->clear();
  if (picture != nullptr) {
    for (const PathPanel& panel : picture->panels) {
      algorithm_->addItem(ToQString(panel.path->algorithm));
    }
  }
  ShowOrder();
  status_->clear();
  if (!outcome.message.empty()) ShowMessage(this, outcome.message);
  SetCursor(0);
  emit RunFinished();
}

void HeadPathTab::ShowOrder() {
  const PathPicture* picture = runner_->Outcome().picture ? &*runner_->Outcome().picture : nullptr;
  const int index = algorithm_->currentIndex();
  if (picture == nullptr || index < 0 || index >= std::ssize(picture->panels)) {
    order_->SetRequests({});
    return;
  }
  order_->SetRequests(ServiceOrder(*picture->panels[index].path));
}

std::int64_t HeadPathTab::LastTu() const {
  const PathRunOutcome& outcome = runner_->Outcome();
  return outcome.picture ? outcome.picture->last_tu : 0;
}

std::int64_t HeadPathTab::CursorTu() const { return renderer_.Cursor().value_or(0); }

void HeadPathTab::SetCursor(std::int64_t tu) {
  const bool drawn = runner_->Outcome().picture.has_value();
  tu = std::clamp<std::int64_t>(tu, 0, LastTu());
  renderer_.SetCursor(drawn ? std::optional(tu) : std::nullopt);
  play_position_ = static_cast<double>(tu);
  ShowCursor();
}

void HeadPathTab::ShowCursor() {
  const bool drawn = runner_->Outcome().picture.has_value();
  for (QWidget* control :
       {static_cast<QWidget*>(play_), static_cast<QWidget*>(step_), static_cast<QWidget*>(slider_),
        static_cast<QWidget*>(copy_), static_cast<QWidget*>(save_)}) {
    control->setEnabled(drawn);
  }
  const QSignalBlocker blocker(slider_);
  slider_->setRange(0, static_cast<int>(std::min<std::int64_t>(LastTu(), INT_MAX)));
  slider_->setValue(static_cast<int>(std::min<std::int64_t>(CursorTu(), INT_MAX)));
  const double seconds = drawn ? runner_->Outcome().picture->seconds_per_tu : 0;
  const QString unit = seconds > 0 ? QStringLiteral(" s") : QStringLiteral(" TU");
  time_->setText(drawn ? ToQString(PathTimeText(CursorTu(), seconds)) + QStringLiteral(" of ") +
                             ToQString(PathTimeText(LastTu(), seconds)) + unit
                       : QString());
  canvas_->update();
}

void HeadPathTab::Step() {
  const PathRunOutcome& outcome = runner_->Outcome();
  if (!outcome.picture) return;
  std::vector<const AlgorithmPath*> paths;
  for (const PathPanel& panel : outcome.picture->panels) paths.push_back(panel.path);
  if (const std::optional<std::int64_t> next = NextServe(paths, CursorTu())) SetCursor(*next);
}

void HeadPathTab::PlayPressed() {
  if (playback_.isActive()) {
    StopPlaying();
    return;
  }
  if (CursorTu() >= LastTu()) SetCursor(0);
  play_->setText(QStringLiteral("Pause"));
  playback_.start();
}

void HeadPathTab::StopPlaying() {
  playback_.stop();
  play_->setText(QStringLiteral("Play"));
}

void HeadPathTab::PlayTick() {
  const double seconds =
      kSpeeds[static_cast<std::size_t>(std::max(0, speed_->currentIndex()))].seconds;
  const double per_tick = static_cast<double>(LastTu()) * kTickMilliseconds / 1000.0 / seconds;
  const double position = play_position_ + std::max(per_tick, 1e-3);
  SetCursor(static_cast<std::int64_t>(position));
  play_position_ = std::min(position, static_cast<double>(LastTu()));
  if (CursorTu() >= LastTu()) StopPlaying();
}

void HeadPathTab::CopyPicture() {
  QImage image(kCopySize, QImage::Format_ARGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    const double scale = kCopySize.width() / kLayoutWidth;
    painter.scale(scale, scale);
    renderer_.Render(&painter, QRectF(0, 0, kLayoutWidth, kCopySize.height() / scale));
  }
  QString titles;
  if (const auto& picture = runner_->Outcome().picture) {
    for (const PathPanel& panel : picture->panels) titles += ToQString(panel.title) + '\n';
  }
  CopyImageAndText(image, titles);
}

void HeadPathTab::SavePicturePressed() {
  SavePicture(
      this, [this](QPainter* painter, const QRectF& area) { renderer_.Render(painter, area); },
      "Head Path");
}

}  // namespace trakvist
