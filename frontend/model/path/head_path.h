#ifndef TRAKVIST_FRONTEND_MODEL_PATH_HEAD_PATH_H_
#define TRAKVIST_FRONTEND_MODEL_PATH_HEAD_PATH_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trakvist {

// What the head does at one row of the engine's head-path log (-l:).
enum class PathEventKind { kStart, kMove, kArrive, kTurn, kServe, kEnd };

// One row of the log: at `tu` the head of one algorithm is on `cylinder`.
// A serve row names the request (its index in arrival order) and its
// arrival; its waiting time is tu - arrival.
struct PathEvent {
  std::int64_t tu = 0;
  std::int64_t cylinder = 0;
  PathEventKind kind = PathEventKind::kStart;
  std::int64_t request = -1;  // serve rows only
  std::int64_t arrival = -1;  // serve rows only
};

// The rows of one algorithm, in time order.
struct AlgorithmPath {
  std::string algorithm;
  std::vector<PathEvent> events;
};

// Every algorithm of the log, in the log's (the standard) order.
struct HeadPath {
  std::vector<AlgorithmPath> algorithms;
};

struct HeadPathRead {
  std::optional<HeadPath> path;
  std::string problem;  // without a path: the line and what is wrong with it
};

// Reads a head-path log: the header "algorithm,tu,cylinder,event,request,
// arrival", then rows of six fields. An algorithm's rows must be together
// and in time order, and every algorithm starts with a start row and ends
// with an end row. Anything else is refused with the line it is on.
HeadPathRead ReadHeadPath(std::string_view text);

// One served request, for the service order table.
struct ServedRequest {
  std::int64_t order = 0;  // 1 for the first request served
  std::int64_t request = 0;
  std::int64_t cylinder = 0;
  std::int64_t arrival = 0;
  std::int64_t served = 0;  // the TU its transfer began
  std::int64_t Wait() const { return served - arrival; }
};

// The requests of one algorithm in the order it served them.
std::vector<ServedRequest> ServiceOrder(const AlgorithmPath& path);

// Average of the waits of the served requests; 0 when none was served.
double AverageWait(const AlgorithmPath& path);

// The TU of the first serve after `tu` of any of `paths`, when there is one.
std::optional<std::int64_t> NextServe(const std::vector<const AlgorithmPath*>& paths,
                                      std::int64_t tu);

// Where the head is at `tu`: on the cylinder of the last row at or before
// it, or on the way between two rows (moving one cylinder per equal share of
// the time between them).
double HeadAt(const AlgorithmPath& path, std::int64_t tu);

// The requests waiting at `tu`: arrived (arrival <= tu) and not yet served
// (served > tu), in arrival order.
std::vector<ServedRequest> WaitingAt(const AlgorithmPath& path, std::int64_t tu);

// A point of a drawn path.
struct PathPoint {
  std::int64_t tu = 0;
  std::int64_t cylinder = 0;
};

// The path joined row to row, thinned for a drawing `columns` wide over the
// times [from, to]: within one column only the first, lowest, highest and
// last points are kept, so a path of a million rows draws as a few points
// per column and looks the same. The endpoints are always kept.
std::vector<PathPoint> ThinnedPath(const AlgorithmPath& path, std::int64_t from, std::int64_t to,
                                   int columns);

}  // namespace trakvist

#endif  // TRAKVIST_FRONTEND_MODEL_PATH_HEAD_PATH_H_
