#include "frontend/platform/process_engine_runner.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <cstring>
#include <utility>

#include "frontend/model/runs/run_monitor.h"

namespace trakvist {
namespace {

// Process ids stay below 2^22 on Linux (the kernel's upper bound for
// pid_max), so the numbers pid + k * 2^22 never meet another instance's
// first choice, and all of them fit in 31 bits.
constexpr std::int32_t kPidSpan = 1 << 22;
constexpr std::int32_t kLinkChoices = (1 << 9) - 1;

// How long a runner destroyed during a run waits for the killed engine.
constexpr int kKillWaitMs = 2000;

// Why `program` cannot be run, or nothing when it looks fit to start.
std::optional<std::string> ProgramProblem(const std::string& program) {
  struct stat status {};
  if (stat(program.c_str(), &status) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return "the program " + program + " does not exist";
    return "the program " + program + " cannot be reached (" + std::strerror(errno) + ")";
  }
  if (S_ISDIR(status.st_mode)) return program + " is a folder, not a program";
  if (!S_ISREG(status.st_mode)) return program + " is not a program file";
  if (access(program.c_str(), X_OK) != 0) {
    return "the program " + program + " is not executable (" + std::strerror(errno) + ")";
  }
  return std::nullopt;
}

void Call(const std::function<void()>& function) {
  if (function) function();
}

}  // namespace

EngineReports ReportsTo(RunMonitor* monitor, std::function<void()> after) {
  EngineReports reports;
  reports.on_hello = [monitor, after](EngineRunId run, std::uint32_t thread_id) {
    monitor->OnHello(run, thread_id);
    Call(after);
  };
  reports.on_progress = [monitor, after](EngineRunId run, std::uint32_t count) {
    monitor->OnProgress(run, count);
    Call(after);
  };
  reports.on_exited = [monitor, after](EngineRunId run) {
    monitor->OnExited(run);
    Call(after);
  };
  return reports;
}

ProcessEngineRunner::ProcessEngineRunner() = default;

ProcessEngineRunner::~ProcessEngineRunner() {
  // Only reached during a run when the program quits abnormally: the
  // engine must not outlive the window that would read its results.
  if (current_) {
    QProcess* process = current_->process.get();
    process->disconnect();
    process->kill();
    process->waitForFinished(kKillWaitMs);
  }
  current_.reset();
  retired_.clear();
  notifier_.reset();  // before the link closes its socket
}

std::error_code ProcessEngineRunner::OpenLink() {
  notifier_.reset();
  link_number_ = -1;
  const std::int32_t first = static_cast<std::int32_t>(getpid() % kPidSpan);
  std::error_code error;
  for (std::int32_t k = 0; k <= kLinkChoices; ++k) {
    const std::int32_t number = first + k * kPidSpan;
    error = link_.Open(number);
    if (!error) {
      link_number_ = number;
      notifier_ = std::make_unique<QSocketNotifier>(link_.fd(), QSocketNotifier::Read);
      QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                       [this] { ReadLink(); });
      return {};
    }
    if (error != std::errc::address_in_use) break;
  }
  return error;
}

EngineStart ProcessEngineRunner::Start(EngineRunId run, const std::vector<std::string>& arguments) {
  if (current_) return {false, "another simulator is still running"};
  if (arguments.empty() || arguments[0].empty()) return {false, "no simulator program was named"};
  if (!link_.is_open()) return {false, "the link to the simulators is not open"};
  if (std::optional<std::string> problem = ProgramProblem(arguments[0])) return {false, *problem};
  DeleteRetired();

  // Whatever a stray sender left on the link belongs to no run of ours.
  ReadLink();
  link_.ForgetEngine();

  current_.emplace(Current{run, MakeProcess(arguments)});
  QProcess* process = current_->process.get();
  QObject::connect(process, &QProcess::finished, process, [this] { ProcessEnded(); });
  QObject::connect(process, &QProcess::errorOccurred, process, [this](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) ProcessEnded();
  });
  start_error_.reset();
  starting_ = true;
  process->start();
  starting_ = false;
  if (!start_error_) return {true, ""};

  RetireProcess();
  return {false, *start_error_};
}

bool ProcessEngineRunner::PostStop(EngineRunId run, std::uint32_t thread_id) {
  if (!current_ || current_->run != run) return false;
  return !link_.PostStop(thread_id);
}

std::unique_ptr<QProcess> ProcessEngineRunner::MakeProcess(
    const std::vector<std::string>& arguments) {
  auto process = std::make_unique<QProcess>();
  QString program = QString::fromStdString(arguments[0]);
  if (!program.contains('/')) program.prepend("./");  // never a search of PATH
  process->setProgram(program);
  QStringList rest;
  for (std::size_t i = 1; i < arguments.size(); ++i) rest << QString::fromStdString(arguments[i]);
  process->setArguments(rest);
  // No console: a prompt reads the end of input instead of waiting, and
  // output nobody reads can never fill a pipe and stall the engine.
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  return process;
}

void ProcessEngineRunner::ReadLink() {
  while (std::optional<LinkMessage> message = link_.Receive()) Report(*message);
}

void ProcessEngineRunner::Report(const LinkMessage& message) {
  if (!current_) {
    // A hello of no run of ours made the link follow its sender.
    if (message.message == kHelloMessage) link_.ForgetEngine();
    return;
  }
  const EngineRunId run = current_->run;
  if (message.message == kHelloMessage && reports_.on_hello) {
    reports_.on_hello(run, message.wparam);
  } else if (message.message == kProgressMessage && reports_.on_progress) {
    reports_.on_progress(run, message.wparam);
  }
}

void ProcessEngineRunner::ProcessEnded() {
  if (!current_) return;
  if (starting_) {
    start_error_ = current_->process->errorString().toStdString();
    return;
  }
  ReadLink();  // every message the engine sent before it went
  link_.ForgetEngine();
  const EngineRunId run = current_->run;
  RetireProcess();
  reporting_exit_ = true;
  if (reports_.on_exited) reports_.on_exited(run);
  reporting_exit_ = false;
}

// Within the exit report the last retired process is still delivering its
// signal; it stays until the next start or the runner's end.
void ProcessEngineRunner::DeleteRetired() {
  const std::ptrdiff_t keep = reporting_exit_ && !retired_.empty() ? 1 : 0;
  retired_.erase(retired_.begin(), retired_.end() - keep);
}

// The process may be delivering the signal that brought us here, so it is
// not deleted yet.
void ProcessEngineRunner::RetireProcess() {
  current_->process->disconnect();
  retired_.push_back(std::move(current_->process));
  current_.reset();
}

}  // namespace trakvist
