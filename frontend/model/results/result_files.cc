#include "frontend/model/results/result_files.h"

#include <array>
#include <string>

#include "frontend/model/common/number_text.h"

namespace trakvist {
namespace {

// Takes the fields of one result file one after another, across line ends.
class FieldReader {
 public:
  explicit FieldReader(std::istream& in) : in_(in) {}

  void SkipLine() {
    for (int c = in_.get(); c != kEnd && c != '\n'; c = in_.get()) {
    }
  }

  // Whether nothing but blanks and line ends is left. Skips them, so blank
  // lines between rows are passed over.
  bool AtEnd() {
    for (int c = in_.peek(); c != kEnd; c = in_.peek()) {
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
      in_.get();
    }
    return true;
  }

  // The text up to the next comma or line end; the separator is consumed.
  // A file that has ended gives empty fields.
  std::string NextField() {
    std::string field;
    for (int c = in_.get(); c != kEnd; c = in_.get()) {
      if (c == ',' || c == '\n') break;
      if (c == '\r') {
        if (in_.peek() == '\n') in_.get();
        break;
      }
      field.push_back(static_cast<char>(c));
    }
    return field;
  }

 private:
  static constexpr int kEnd = std::istream::traits_type::eof();

  std::istream& in_;
};

constexpr std::array<Metric, 3> kFileMetrics = {Metric::kTotalSeekTime, Metric::kAverageWaitingTime,
                                                Metric::kMaximumWaitingTime};

}  // namespace

SweepResults ReadResultFiles(std::istream& seek_file, std::istream& avg_wait_file,
                             std::istream& max_wait_file, std::int32_t run_count) {
  SweepResults results(run_count);
  std::array<FieldReader, 3> files = {FieldReader(seek_file), FieldReader(avg_wait_file),
                                      FieldReader(max_wait_file)};
  for (FieldReader& file : files) file.SkipLine();
  for (std::int32_t run = 1; run <= results.RunCount(); ++run) {
    for (FieldReader& file : files) {
      if (file.AtEnd()) return results;
    }
    for (FieldReader& file : files) file.NextField();  // the unused first column
    for (int algorithm = 1; algorithm <= kAlgorithmCount; ++algorithm) {
      for (std::size_t f = 0; f < files.size(); ++f) {
        results.Set(kFileMetrics[f], algorithm, run, LeadingNumber(files[f].NextField()));
      }
    }
  }
  return results;
}

}  // namespace trakvist
