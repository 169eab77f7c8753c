// The "Head Path" tab with the real engine on Qt's offscreen platform: its
// panels, the playback cursor and the service order table.
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <memory>

#include "frontend/model/panel/parameters_panel.h"
#include "frontend/model/path/path_view.h"
#include "frontend/model/results/results_table.h"
#include "frontend/ui/head_path/head_path_tab.h"
#include "frontend/ui/head_path/path_runner.h"
#include "frontend/ui/head_path/service_order_model.h"
#include "frontend/ui/main_window/main_window_services.h"
#include "tests/frontend/ui/ui_test_support.h"

namespace trakvist {

class HeadPathTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void showsOnePanelPerAlgorithmNotExcluded();
  void stepMovesTheCursorToTheNextServe();
  void waitingMarksAreTheRequestsArrivedAndNotServed();
  void serviceOrderModelPassesTheTester();
  void legendStaysClearOfThePanels_data();
  void legendStaysClearOfThePanels();

 private:
  void RunTab();
  const PathRunOutcome& Outcome() const { return tab_->Runner()->Outcome(); }

  std::unique_ptr<TestProgramFolder> folder_;
  MainWindowServices services_;
  MainState state_;
  std::unique_ptr<HeadPathTab> tab_;
};

void HeadPathTest::init() {
  folder_ = std::make_unique<TestProgramFolder>();
  services_ = folder_->services();
  state_ = StartStateFor(services_);
  SetFieldText(&state_.panel, kRequestsParameter, "300");
  tab_ = std::make_unique<HeadPathTab>(&state_, services_.files);
  tab_->resize(1000, 700);
}

void HeadPathTest::cleanup() {
  tab_.reset();
  folder_.reset();
}

void HeadPathTest::RunTab() {
  QSignalSpy finished(tab_.get(), &HeadPathTab::RunFinished);
  tab_->Run();
  QVERIFY(finished.count() > 0 || finished.wait(kSoonMs));
  QVERIFY2(Outcome().picture.has_value(), Outcome().message.c_str());
}

void HeadPathTest::showsOnePanelPerAlgorithmNotExcluded() {
  state_.charts.exclusion.selected.fill(false);
  state_.charts.exclusion.selected[0] = true;  // FCFS
  state_.charts.exclusion.selected[4] = true;  // LOOK
  RunTab();
  QStringList expected;
  for (const AlgorithmPath& path : Outcome().path.algorithms) {
    if (path.algorithm != "FCFS" && path.algorithm != "LOOK") {
      expected << QString::fromStdString(path.algorithm);
    }
  }
  QVERIFY(expected.size() >= 5);
  QStringList shown;
  for (const PathPanel& panel : Outcome().picture->panels) {
    shown << QString::fromStdString(panel.path->algorithm);
    QVERIFY(panel.title.find(" \u2014 total seek ") != std::string::npos);
  }
  QCOMPARE(shown, expected);
  QCOMPARE(tab_->Renderer().PanelCount(), static_cast<int>(expected.size()));
}

void HeadPathTest::stepMovesTheCursorToTheNextServe() {
  RunTab();
  tab_->SetCursor(0);
  for (int step = 0; step < 3; ++step) {
    const std::int64_t from = tab_->CursorTu();
    std::int64_t next = Outcome().picture->last_tu + 1;
    for (const PathPanel& panel : Outcome().picture->panels) {
      for (const PathEvent& event : panel.path->events) {
        if (event.kind == PathEventKind::kServe && event.tu > from) next = std::min(next, event.tu);
      }
    }
    QVERIFY(next <= Outcome().picture->last_tu);
    QTest::mouseClick(ControlAs<QPushButton>(tab_.get(), QStringLiteral("HeadPathStep")),
                      Qt::LeftButton);
    QCOMPARE(tab_->CursorTu(), next);
  }
}

void HeadPathTest::waitingMarksAreTheRequestsArrivedAndNotServed() {
  RunTab();
  const std::int64_t at = Outcome().picture->last_tu / 3;
  tab_->SetCursor(at);
  bool some_waiting = false;
  for (int panel = 0; panel < tab_->Renderer().PanelCount(); ++panel) {
    std::vector<std::int64_t> expected;
    for (const PathEvent& event : Outcome().picture->panels[panel].path->events) {
      if (event.kind == PathEventKind::kServe && event.arrival <= at && event.tu > at) {
        expected.push_back(event.cylinder);
      }
    }
    std::optional<CursorMarks> marks = tab_->Renderer().Marks(panel);
    QVERIFY(marks.has_value());
    std::sort(expected.begin(), expected.end());
    std::sort(marks->waiting.begin(), marks->waiting.end());
    QCOMPARE(marks->waiting, expected);
    some_waiting = some_waiting || !expected.empty();
  }
  QVERIFY(some_waiting);
}

void HeadPathTest::serviceOrderModelPassesTheTester() {
  RunTab();
  auto* table = ControlAs<QTableView>(tab_.get(), QStringLiteral("HeadPathOrder"));
  auto* proxy = qobject_cast<QSortFilterProxyModel*>(table->model());
  QVERIFY(proxy != nullptr);
  QAbstractItemModelTester tester(proxy->sourceModel(),
                                  QAbstractItemModelTester::FailureReportingMode::QtTest);
  QCOMPARE(proxy->rowCount(), 300);
  table->sortByColumn(5, Qt::DescendingOrder);  // wait, longest first
  std::int64_t previous = proxy->index(0, 5).data().toLongLong();
  for (int row = 1; row < proxy->rowCount(); ++row) {
    const std::int64_t wait = proxy->index(row, 5).data().toLongLong();
    QVERIFY(wait <= previous);
    previous = wait;
    QCOMPARE(wait,
             proxy->index(row, 4).data().toLongLong() - proxy->index(row, 3).data().toLongLong());
  }
  static_cast<ServiceOrderModel*>(proxy->sourceModel())->SetRequests({});
  QCOMPARE(proxy->rowCount(), 0);
}

// The legend says what the marks mean in the grid's first free place, or
// in a strip under a full grid (six panels, FCFS excluded as by default);
// either way inside the picture and clear of every panel.
void HeadPathTest::legendStaysClearOfThePanels_data() {
  QTest::addColumn<QList<int>>("excluded");
  QTest::newRow("full grid") << QList<int>{0};
  QTest::newRow("free place") << QList<int>{0, 4};
}

void HeadPathTest::legendStaysClearOfThePanels() {
  QFETCH(QList<int>, excluded);
  state_.charts.exclusion.selected.fill(false);
  for (const int algorithm : excluded) state_.charts.exclusion.selected[algorithm] = true;
  RunTab();
  tab_->SetCursor(Outcome().picture->last_tu / 2);
  const HeadPathRenderer& renderer = tab_->Renderer();
  for (const QSizeF size : {QSizeF(900, 650), QSizeF(330, 250)}) {
    const QRectF area(QPointF(0, 0), size);
    const QRectF legend = renderer.LegendRect(area);
    QVERIFY(!legend.isEmpty());
    QVERIFY(area.contains(legend));
    for (int panel = 0; panel < renderer.PanelCount(); ++panel) {
      QVERIFY(!renderer.PanelRect(panel, area).intersects(legend));
    }
  }
}

}  // namespace trakvist

QTEST_MAIN(trakvist::HeadPathTest)
#include "head_path_test.moc"
