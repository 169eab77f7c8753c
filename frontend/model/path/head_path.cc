#include "frontend/model/path/head_path.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace trakvist {
namespace {

constexpr std::string_view kHeader = "algorithm,tu,cylinder,event,request,arrival";

constexpr std::array<std::pair<std::string_view, PathEventKind>, 6> kEventNames = {{
    {"start", PathEventKind::kStart},
    {"move", PathEventKind::kMove},
    {"arrive", PathEventKind::kArrive},
    {"turn", PathEventKind::kTurn},
    {"serve", PathEventKind::kServe},
    {"end", PathEventKind::kEnd},
}};

std::optional<std::int64_t> Whole(std::string_view text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

std::optional<PathEventKind> EventKind(std::string_view text) {
  for (const auto& [name, kind] : kEventNames) {
    if (name == text) return kind;
  }
  return std::nullopt;
}

// The six fields of a row, or nothing when it has another number of them.
std::optional<std::array<std::string_view, 6>> Fields(std::string_view line) {
  std::array<std::string_view, 6> fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::size_t comma = line.find(',');
    if ((comma == std::string_view::npos) != (i + 1 == fields.size())) return std::nullopt;
    fields[i] = line.substr(0, comma);
    line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
  }
  return fields;
}

// Reads one row into an event; the text says what is wrong otherwise.
std::string ReadEvent(const std::array<std::string_view, 6>& fields, PathEvent* event) {
  const std::optional<std::int64_t> tu = Whole(fields[1]);
  const std::optional<std::int64_t> cylinder = Whole(fields[2]);
  const std::optional<PathEventKind> kind = EventKind(fields[3]);
  if (!tu || !cylinder) return "the time and cylinder must be whole numbers";
  if (!kind) return "\"" + std::string(fields[3]) + "\" is no event of the log";
  *event = PathEvent{*tu, *cylinder, *kind};
  if (*kind != PathEventKind::kServe) {
    return fields[4].empty() && fields[5].empty() ? "" : "only a serve names a request";
  }
  const std::optional<std::int64_t> request = Whole(fields[4]);
  const std::optional<std::int64_t> arrival = Whole(fields[5]);
  if (!request || !arrival || *arrival > *tu) {
    return "a serve names its request and an arrival no later than itself";
  }
  event->request = *request;
  event->arrival = *arrival;
  return "";
}

// Whether `event` may follow the algorithm's rows so far.
std::string CheckOrder(const AlgorithmPath& path, const PathEvent& event) {
  if (path.events.empty()) return event.kind == PathEventKind::kStart ? "" : "it does not start";
  const PathEvent& last = path.events.back();
  if (last.kind == PathEventKind::kEnd) return "it goes on after its end";
  if (event.kind == PathEventKind::kStart) return "it starts twice";
  return event.tu < last.tu ? "its rows go back in time" : "";
}

std::string LineProblem(std::size_t line, std::string_view what) {
  return "line " + std::to_string(line) + " of the head-path log: " + std::string(what);
}

}  // namespace

HeadPathRead ReadHeadPath(std::string_view text) {
  HeadPath path;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (++number == 1) {
      if (line != kHeader) return {std::nullopt, LineProblem(1, "not the log's header")};
      continue;
    }
    const auto fields = Fields(line);
    if (!fields) return {std::nullopt, LineProblem(number, "a row has six fields")};
    PathEvent event;
    if (std::string problem = ReadEvent(*fields, &event); !problem.empty()) {
      return {std::nullopt, LineProblem(number, problem)};
    }
    const std::string_view algorithm = (*fields)[0];
    if (path.algorithms.empty() || path.algorithms.back().algorithm != algorithm) {
      for (const AlgorithmPath& earlier : path.algorithms) {
        if (earlier.algorithm == algorithm) {
          return {std::nullopt, LineProblem(number, "the rows of " + earlier.algorithm +
                                                         " are not together")};
        }
      }
      path.algorithms.push_back({std::string(algorithm), {}});
    }
    AlgorithmPath& current = path.algorithms.back();
    if (std::string problem = CheckOrder(current, event); !problem.empty()) {
      return {std::nullopt, LineProblem(number, current.algorithm + ": " + problem)};
    }
    current.events.push_back(event);
  }
  if (number == 0) return {std::nullopt, "the head-path log is empty"};
  for (const AlgorithmPath& algorithm : path.algorithms) {
    if (algorithm.events.back().kind != PathEventKind::kEnd) {
      return {std::nullopt, "the head-path log ends before the end of " + algorithm.algorithm};
    }
  }
  return {std::move(path), ""};
}

std::vector<ServedRequest> ServiceOrder(const AlgorithmPath& path) {
  std::vector<ServedRequest> order;
  for (const PathEvent& event : path.events) {
    if (event.kind != PathEventKind::kServe) continue;
    const auto position = static_cast<std::int64_t>(order.size()) + 1;
    order.push_back({position, event.request, event.cylinder, event.arrival, event.tu});
  }
  return order;
}

double AverageWait(const AlgorithmPath& path) {
  double total = 0;
  std::int64_t count = 0;
  for (const PathEvent& event : path.events) {
    if (event.kind != PathEventKind::kServe) continue;
    total += static_cast<double>(event.tu - event.arrival);
    ++count;
  }
  return count == 0 ? 0.0 : total / static_cast<double>(count);
}

std::optional<std::int64_t> NextServe(const std::vector<const AlgorithmPath*>& paths,
                                      std::int64_t tu) {
  std::optional<std::int64_t> next;
  for (const AlgorithmPath* path : paths) {
    const auto found = std::upper_bound(
        path->events.begin(), path->events.end(), tu,
        [](std::int64_t t, const PathEvent& event) { return t < event.tu; });
    const auto serve = std::find_if(found, path->events.end(), [](const PathEvent& event) {
      return event.kind == PathEventKind::kServe;
    });
    if (serve != path->events.end() && (!next || serve->tu < *next)) next = serve->tu;
  }
  return next;
}

double HeadAt(const AlgorithmPath& path, std::int64_t tu) {
  const std::vector<PathEvent>& events = path.events;
  if (events.empty()) return 0;
  const auto after = std::upper_bound(
      events.begin(), events.end(), tu,
      [](std::int64_t t, const PathEvent& event) { return t < event.tu; });
  if (after == events.begin()) return static_cast<double>(events.front().cylinder);
  const PathEvent& last = *(after - 1);
  if (after == events.end() || after->tu == last.tu) return static_cast<double>(last.cylinder);
  const double share = static_cast<double>(tu - last.tu) / static_cast<double>(after->tu - last.tu);
  return static_cast<double>(last.cylinder) +
         share * static_cast<double>(after->cylinder - last.cylinder);
}

std::vector<ServedRequest> WaitingAt(const AlgorithmPath& path, std::int64_t tu) {
  std::vector<ServedRequest> waiting;
  for (const ServedRequest& served : ServiceOrder(path)) {
    if (served.arrival <= tu && served.served > tu) waiting.push_back(served);
  }
  std::sort(waiting.begin(), waiting.end(), [](const ServedRequest& a, const ServedRequest& b) {
    return a.request < b.request;
  });
  return waiting;
}

std::vector<PathPoint> ThinnedPath(const AlgorithmPath& path, std::int64_t from, std::int64_t to,
                                   int columns) {
  std::vector<PathPoint> points;
  const std::vector<PathEvent>& events = path.events;
  if (events.empty()) return points;
  const double span = static_cast<double>(std::max<std::int64_t>(1, to - from));
  const auto column = [&](std::int64_t tu) {
    return static_cast<long long>(static_cast<double>(tu - from) / span * std::max(1, columns));
  };
  // The points of the current column: first, lowest, highest, last.
  std::size_t i = 0;
  while (i < events.size()) {
    const long long current = column(events[i].tu);
    std::size_t low = i;
    std::size_t high = i;
    std::size_t j = i;
    for (; j < events.size() && column(events[j].tu) == current; ++j) {
      if (events[j].cylinder < events[low].cylinder) low = j;
      if (events[j].cylinder > events[high].cylinder) high = j;
    }
    std::array<std::size_t, 4> kept = {i, std::min(low, high), std::max(low, high), j - 1};
    for (std::size_t k = 0; k < kept.size(); ++k) {
      if (k > 0 && kept[k] == kept[k - 1]) continue;
      points.push_back({events[kept[k]].tu, events[kept[k]].cylinder});
    }
    i = j;
  }
  return points;
}

}  // namespace trakvist
