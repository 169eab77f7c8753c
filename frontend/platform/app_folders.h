#ifndef TRAKVIST_FRONTEND_PLATFORM_APP_FOLDERS_H_
#define TRAKVIST_FRONTEND_PLATFORM_APP_FOLDERS_H_

#include <memory>
#include <string>
#include <string_view>

namespace trakvist {

// Where the front end keeps its files.
//
// The program folder holds the engine programs, Disks.ini and the help
// files: it is the folder of the running program file. The temporary files
// of the sweeps go into a folder of each running instance's own, so that
// two instances running at once never take each other's results; that
// folder lies in the program folder when it is writable, else in the
// per-user data folder.

// The folder of the program file `executable_path`, ending in "/".
std::string FolderOfExecutable(std::string_view executable_path);

// The program folder of the running program, resolved through
// /proc/self/exe (so a start through a symbolic link, such as an installed
// bin/Trakvist, still finds the folder that holds the engines), ending in
// "/". Needs a QCoreApplication only when /proc is not mounted.
std::string ProgramFolder();

// Whether files can be created in `folder` (an existing folder).
bool IsWritableFolder(const std::string& folder);

// The per-user data folder of the application (QStandardPaths'
// AppLocalDataLocation), created if missing, ending in "/"; empty when it
// cannot be created. Needs a QCoreApplication.
std::string PerUserDataFolder();

// The folder in which the instance folders are made: the program folder
// when it is writable, else the per-user data folder. Empty when neither
// can be used.
std::string TemporaryFilesBase(const std::string& program_folder);

// The temporary folder of one running instance: a fresh folder
// ".trakvist-XXXXXX" inside the base, removed with everything in it when
// the object goes.
//
// Each live instance holds a lock on its folder; the kernel lets go of the
// lock when the process ends, however it ends. So a folder left by an
// instance that crashed is recognised by its free lock, and the next
// instance to start in the same base removes it. Creating and sweeping
// hold a lock on the base folder itself, so that a sweep never sees a
// folder whose owner has not yet locked it. Where locks are not available
// (some network file systems) nothing is swept: a folder is only ever
// removed when it is certainly abandoned.
class InstanceFolder {
 public:
  // Makes the instance folder inside `base` after removing the abandoned
  // ones there. Null when it cannot be made; `error` then says why.
  static std::unique_ptr<InstanceFolder> Create(const std::string& base, std::string* error);

  // Create() in TemporaryFilesBase(program_folder), falling back on the
  // per-user data folder when the program folder is writable by its
  // permissions yet refuses the folder (a read-only mount, say).
  static std::unique_ptr<InstanceFolder> ForProgram(const std::string& program_folder,
                                                    std::string* error);

  ~InstanceFolder();
  InstanceFolder(const InstanceFolder&) = delete;
  InstanceFolder& operator=(const InstanceFolder&) = delete;

  // The folder, ending in "/": SweepSetup::temporary_folder.
  const std::string& path() const { return path_; }

 private:
  InstanceFolder(std::string path, int lock) : path_(std::move(path)), lock_(lock) {}

  std::string path_;
  int lock_ = -1;  // the folder, open and locked while the instance lives
};

// The name every instance folder starts with.
inline constexpr std::string_view kInstanceFolderPrefix = ".trakvist-";

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_PLATFORM_APP_FOLDERS_H_
