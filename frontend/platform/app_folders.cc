#include "frontend/platform/app_folders.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "frontend/model/common/utilities.h"

namespace trakvist {
namespace {

namespace fs = std::filesystem;

// Letters that mkdtemp puts after the prefix.
constexpr std::size_t kUniqueLength = 6;

std::string ErrorText(int error_number) { return std::strerror(error_number); }

int OpenFolder(const std::string& path) {
  return open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
}

// Waits for the lock on the base folder; other instances hold it only while
// they create or sweep. False where locks are not available.
bool LockBase(int fd) {
  int result;
  do {
    result = flock(fd, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

bool IsInstanceFolderName(const std::string& name) {
  return name.size() == kInstanceFolderPrefix.size() + kUniqueLength &&
         name.compare(0, kInstanceFolderPrefix.size(), kInstanceFolderPrefix) == 0;
}

// Removes the instance folders in `base` whose lock nobody holds: their
// instance has ended without removing them. A folder that cannot be locked
// for any other reason is left alone.
void RemoveAbandoned(const std::string& base) {
  std::error_code error;
  for (fs::directory_iterator it(base, error); !error && it != fs::directory_iterator();
       it.increment(error)) {
    std::error_code ignored;
    if (!IsInstanceFolderName(it->path().filename().string())) continue;
    if (!fs::is_directory(it->symlink_status(ignored))) continue;
    const int fd = OpenFolder(it->path().string());
    if (fd < 0) continue;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) fs::remove_all(it->path(), ignored);
    close(fd);
  }
}

}  // namespace

std::string FolderOfExecutable(std::string_view executable_path) {
  const fs::path parent = fs::path(executable_path).parent_path();
  return parent.empty() ? "./" : MakeAppFolder(parent.string());
}

std::string ProgramFolder() {
  std::error_code error;
  const fs::path executable = fs::read_symlink("/proc/self/exe", error);
  if (!error) return FolderOfExecutable(executable.string());
  if (QCoreApplication::instance() == nullptr) return "";
  return MakeAppFolder(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
}

bool IsWritableFolder(const std::string& folder) {
  std::error_code error;
  return fs::is_directory(folder, error) && access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string PerUserDataFolder() {
  const QString location =
      QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
  if (location.isEmpty() || location == "." || !QDir().mkpath(location)) return "";
  return MakeAppFolder(QFile::encodeName(location).toStdString());
}

std::string TemporaryFilesBase(const std::string& program_folder) {
  return IsWritableFolder(program_folder) ? MakeAppFolder(program_folder) : PerUserDataFolder();
}

std::unique_ptr<InstanceFolder> InstanceFolder::Create(const std::string& base,
                                                       std::string* error) {
  const std::string folder = MakeAppFolder(base);
  const int base_fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (base_fd < 0) {
    *error = "The folder " + folder + " cannot be opened: " + ErrorText(errno) + ".";
    return nullptr;
  }
  if (LockBase(base_fd)) RemoveAbandoned(folder);
  std::string path = folder + std::string(kInstanceFolderPrefix) + std::string(kUniqueLength, 'X');
  if (mkdtemp(path.data()) == nullptr) {
    *error = "No folder for the temporary files can be made in " + folder + ": " +
             ErrorText(errno) + ".";
    close(base_fd);
    return nullptr;
  }
  // Locked before the base is let go, so no sweep ever finds it free.
  const int lock = OpenFolder(path);
  if (lock >= 0) flock(lock, LOCK_EX | LOCK_NB);
  close(base_fd);
  return std::unique_ptr<InstanceFolder>(new InstanceFolder(path + "/", lock));
}

std::unique_ptr<InstanceFolder> InstanceFolder::ForProgram(const std::string& program_folder,
                                                           std::string* error) {
  if (IsWritableFolder(program_folder)) {
    if (std::unique_ptr<InstanceFolder> folder = Create(program_folder, error)) return folder;
  }
  const std::string per_user = PerUserDataFolder();
  if (per_user.empty()) {
    *error = "Neither the program folder " + MakeAppFolder(program_folder) +
             " nor a per-user data folder can take the temporary files.";
    return nullptr;
  }
  return Create(per_user, error);
}

InstanceFolder::~InstanceFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
  if (lock_ >= 0) close(lock_);
}

}  // namespace trakvist
