#ifndef TRAKVIST_FRONTEND_UI_HEAD_PATH_PATH_RUNNER_H_
#define TRAKVIST_FRONTEND_UI_HEAD_PATH_PATH_RUNNER_H_

#include <QObject>
#include <QTimer>
#include <memory>
#include <string>

#include "frontend/model/path/path_run.h"
#include "frontend/platform/process_engine_runner.h"

namespace trakvist {

// Runs the engine once on the combination the "Head Path" tab shows, with
// the head-path log, through an engine link of its own (so a sweep of the
// main window may run meanwhile), into a folder of the instance's
// temporary folder. Finished() is emitted when the run has ended, whether
// it drew a picture or not.
class PathRunner : public QObject {
  Q_OBJECT

 public:
  explicit PathRunner(QObject* parent = nullptr);
  ~PathRunner() override;

  // Starts the run; when it cannot start, Finished() follows at once with
  // the reason in the outcome's message. `state` and `files` must outlive
  // the run.
  void Start(MainState* state, FileAccess* files, const MainDialogs& dialogs);
  bool Running() const { return running_; }

  // The last run's outcome: the picture (pointing into the outcome's path)
  // or a message.
  const PathRunOutcome& Outcome() const { return *outcome_; }

 signals:
  void Finished();

 private:
  void Fail(std::string message);
  void Check();

  ProcessEngineRunner runner_;
  std::string link_error_;
  std::unique_ptr<RunMonitor> monitor_;
  QTimer elapsed_;
  QTimer retry_;
  FileAccess* files_ = nullptr;
  PathRunChoice choice_;
  std::string folder_;
  bool running_ = false;
  std::unique_ptr<PathRunOutcome> outcome_;
};

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_UI_HEAD_PATH_PATH_RUNNER_H_
