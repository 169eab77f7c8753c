#include "frontend/platform/process_engine_runner.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
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

// Enough of an engine's error stream for its last line.
constexpr std::size_t kErrorTailBytes = 4096;
// A longer last line is cut to this many characters.
constexpr std::size_t kErrorLineLength = 500;

// The last line of `text` that holds more than blanks, without its line end.
std::string LastLine(std::string_view text) {
  const std::size_t end = text.find_last_not_of(" \t\r\n");
  if (end == std::string_view::npos) return "";
  text = text.substr(0, end + 1);
  const std::size_t start = text.find_last_of("\r\n");
  const std::string_view line = start == std::string_view::npos ? text : text.substr(start + 1);
  return std::string(line.substr(0, kErrorLineLength));
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
  reports.on_error_line = [monitor](EngineRunId run, const std::string& line) {
    monitor->OnEngineSaid(run, line);
  };
  return reports;
}

ProcessEngineRunner::ProcessEngineRunner() = default;

ProcessEngineRunner::~ProcessEngineRunner() {
  // Only reached during a run when the program quits abnormally: no engine
  // may outlive the window that would read its results.
  for (const std::unique_ptr<Link>& link : links_) {
    if (!link->current) continue;
    QProcess* process = link->current->process.get();
    process->disconnect();
    process->kill();
  }
  for (const std::unique_ptr<Link>& link : links_) {
    if (link->current) link->current->process->waitForFinished(kKillWaitMs);
    link->current.reset();
    link->notifier.reset();  // before the link closes its socket
  }
  retired_.clear();
}

std::error_code ProcessEngineRunner::OpenLink() {
  // The links of running engines stay theirs until they end.
  if (Running()) return std::make_error_code(std::errc::device_or_resource_busy);
  links_.clear();
  next_choice_ = 0;
  return OpenNextLink();
}

std::vector<std::int32_t> ProcessEngineRunner::LinkNumbersFor(int count) {
  while (std::ssize(links_) < count && !OpenNextLink()) {
  }
  std::vector<std::int32_t> numbers;
  for (const std::unique_ptr<Link>& link : links_) {
    if (std::ssize(numbers) >= count) break;
    numbers.push_back(link->number);
  }
  if (numbers.empty()) numbers.push_back(LinkNumber());
  return numbers;
}

// Opens one more link under the next free number.
std::error_code ProcessEngineRunner::OpenNextLink() {
  const std::int32_t first = static_cast<std::int32_t>(getpid() % kPidSpan);
  std::error_code error = std::make_error_code(std::errc::address_in_use);
  for (; next_choice_ <= kLinkChoices; ++next_choice_) {
    const std::int32_t number = first + next_choice_ * kPidSpan;
    auto link = std::make_unique<Link>();
    error = link->link.Open(number);
    if (!error) {
      ++next_choice_;
      link->number = number;
      link->notifier = std::make_unique<QSocketNotifier>(link->link.fd(), QSocketNotifier::Read);
      Link* opened = link.get();
      QObject::connect(opened->notifier.get(), &QSocketNotifier::activated, opened->notifier.get(),
                       [this, opened] { ReadLink(opened); });
      links_.push_back(std::move(link));
      return {};
    }
    if (error != std::errc::address_in_use) break;
  }
  return error;
}

bool ProcessEngineRunner::Running() const {
  return std::any_of(links_.begin(), links_.end(),
                     [](const std::unique_ptr<Link>& link) { return link->current.has_value(); });
}

// The link whose number the last -hw: argument names (the engine reads
// options in any case), the first one without such an argument; null when
// no link of ours has that number.
ProcessEngineRunner::Link* ProcessEngineRunner::LinkFor(const std::vector<std::string>& arguments) {
  std::optional<std::string_view> named;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument.size() >= 4 && argument[0] == '-' && (argument[1] | 0x20) == 'h' &&
        (argument[2] | 0x20) == 'w' && argument[3] == ':') {
      named = argument.substr(4);
    }
  }
  if (!named) return links_.empty() ? nullptr : links_.front().get();
  for (const std::unique_ptr<Link>& link : links_) {
    if (*named == std::to_string(link->number)) return link.get();
  }
  return nullptr;
}

EngineStart ProcessEngineRunner::Start(EngineRunId run, const std::vector<std::string>& arguments) {
  Link* link = LinkFor(arguments);
  if (link != nullptr && link->current) return {false, "another simulator is still running"};
  if (arguments.empty() || arguments[0].empty()) return {false, "no simulator program was named"};
  if (links_.empty()) return {false, "the link to the simulators is not open"};
  if (link == nullptr) return {false, "the simulator was given a link number of no link here"};
  if (std::optional<std::string> problem = ProgramProblem(arguments[0])) return {false, *problem};
  DeleteRetired();

  // Whatever a stray sender left on the link belongs to no run of ours.
  ReadLink(link);
  link->link.ForgetEngine();

  link->current.emplace(Current{run, MakeProcess(arguments)});
  QProcess* process = link->current->process.get();
  QObject::connect(process, &QProcess::finished, process, [this, link] { ProcessEnded(link); });
  QObject::connect(process, &QProcess::readyReadStandardError, process,
                   [this, link] { ReadErrors(link); });
  QObject::connect(process, &QProcess::errorOccurred, process,
                   [this, link](QProcess::ProcessError e) {
                     if (e == QProcess::FailedToStart) ProcessEnded(link);
                   });
  start_error_.reset();
  starting_ = link;
  process->start();
  starting_ = nullptr;
  if (!start_error_) return {true, ""};

  RetireProcess(link);
  return {false, *start_error_};
}

bool ProcessEngineRunner::PostStop(EngineRunId run, std::uint32_t thread_id) {
  for (const std::unique_ptr<Link>& link : links_) {
    if (link->current && link->current->run == run) return !link->link.PostStop(thread_id);
  }
  return false;
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
  // The error stream is read as it comes (see ReadErrors), so it never
  // fills either.
  process->setReadChannel(QProcess::StandardError);
  return process;
}

// Keeps the end of the engine's error stream, enough for its last line.
void ProcessEngineRunner::ReadErrors(Link* link) {
  if (!link->current) return;
  std::string& tail = link->current->error_tail;
  tail += link->current->process->readAllStandardError().toStdString();
  if (tail.size() > kErrorTailBytes) tail.erase(0, tail.size() - kErrorTailBytes);
}

void ProcessEngineRunner::ReadLink(Link* link) {
  while (std::optional<LinkMessage> message = link->link.Receive()) Report(link, *message);
}

void ProcessEngineRunner::Report(Link* link, const LinkMessage& message) {
  if (!link->current) {
    // A hello of no run of ours made the link follow its sender.
    if (message.message == kHelloMessage) link->link.ForgetEngine();
    return;
  }
  const EngineRunId run = link->current->run;
  if (message.message == kHelloMessage && reports_.on_hello) {
    reports_.on_hello(run, message.wparam);
  } else if (message.message == kProgressMessage && reports_.on_progress) {
    reports_.on_progress(run, message.wparam);
  }
}

void ProcessEngineRunner::ProcessEnded(Link* link) {
  if (!link->current) return;
  if (starting_ == link) {
    start_error_ = link->current->process->errorString().toStdString();
    return;
  }
  ReadLink(link);  // every message the engine sent before it went
  link->link.ForgetEngine();
  ReadErrors(link);
  const EngineRunId run = link->current->run;
  const std::string said = LastLine(link->current->error_tail);
  if (!said.empty() && reports_.on_error_line) reports_.on_error_line(run, said);
  QProcess* const ended = link->current->process.get();
  RetireProcess(link);
  QProcess* const outer = std::exchange(reporting_exit_, ended);
  if (reports_.on_exited) reports_.on_exited(run);
  reporting_exit_ = outer;
}

// A process whose exit is being reported is still delivering the signal
// that brought us here; it stays until a later start or the runner's end.
void ProcessEngineRunner::DeleteRetired() {
  std::erase_if(retired_, [this](const std::unique_ptr<QProcess>& process) {
    return process.get() != reporting_exit_;
  });
}

// The process may be delivering the signal that brought us here, so it is
// not deleted yet.
void ProcessEngineRunner::RetireProcess(Link* link) {
  link->current->process->disconnect();
  retired_.push_back(std::move(link->current->process));
  link->current.reset();
}

}  // namespace trakvist
