#include "engine/manual_requests.h"

#include <cstdlib>

namespace schedule {

namespace {

constexpr int kConfigLineLength = 99;

// Reads one character, dropping carriage returns that end a line.
int GetChar(std::FILE* in) {
  int c = std::fgetc(in);
  if (c == '\r') {
    int next = std::fgetc(in);
    if (next == '\n') return next;
    if (next != EOF) std::ungetc(next, in);
  }
  return c;
}

// Reads the configuration line: the rest of the current line, of which the
// first 99 characters count.
std::string ReadConfigLine(std::FILE* in) {
  std::string line;
  for (int c = GetChar(in); c != EOF && c != '\n'; c = GetChar(in)) {
    if (line.size() < kConfigLineLength) line.push_back(static_cast<char>(c));
  }
  return line;
}

void Prompt(const ManualSource& source, int64_t t) {
  // The running time is shown as the 32-bit number it is in the list.
  std::fprintf(source.out, "Enter requests for t=%d (-1=stop): ",
               static_cast<int32_t>(static_cast<uint32_t>(t)));
  std::fflush(source.out);
}

class ListReader {
 public:
  ListReader(const ManualSource& source, ManualList* list) : source_(source), list_(list) {}

  ManualReadResult Read();

 private:
  bool ReadMarker(ManualReadResult* result);
  bool ReadRequest(ManualReadResult* result, bool* ended);
  bool ToCylinder(int32_t number, ManualReadResult* result, int32_t* cylinder) const;

  const ManualSource& source_;
  ManualList* list_;
  int64_t t_ = 0;  // the sum of the markers read so far
};

ManualReadResult ListReader::Read() {
  ManualReadResult result;
  for (;;) {
    int c = GetChar(source_.in);
    if (c == EOF) return result;
    if (c == ' ' || c == '\t' || c == '\r') continue;
    if (c == '\n') {
      if (source_.console) Prompt(source_, t_);
    } else if (c == ',') {
      list_->entries.push_back(-2);
      t_ += 1;
    } else if (c == 't') {
      if (!ReadMarker(&result)) return result;
    } else if (c == ':' && list_->lba) {
      result.ok = false;
      result.lba_with_blocks = true;
      return result;
    } else {
      std::ungetc(c, source_.in);
      bool ended = false;
      if (!ReadRequest(&result, &ended) || ended) return result;
    }
  }
}

bool ListReader::ReadMarker(ManualReadResult* result) {
  int n = 0;
  if (std::fscanf(source_.in, "%d", &n) != 1 || n < 0) {
    result->ok = false;
    result->error = "a time marker 't' must be followed by a whole number of 0 or more";
    return false;
  }
  list_->entries.push_back(-n - 1);
  t_ += n;
  return true;
}

bool ListReader::ReadRequest(ManualReadResult* result, bool* ended) {
  int number = 0;
  if (std::fscanf(source_.in, "%d", &number) != 1) {
    int c = GetChar(source_.in);
    result->ok = false;
    result->error =
        std::string("unexpected character '") + static_cast<char>(c) + "' in the request list";
    return false;
  }
  if (number == -1) {
    *ended = true;
    return true;
  }
  if (number < 0) {
    result->ok = false;
    result->error = "request " + std::to_string(number) + " is negative";
    return false;
  }
  int next = GetChar(source_.in);
  if (next == ':') {
    if (list_->lba) {
      result->ok = false;
      result->lba_with_blocks = true;
      return false;
    }
    int block = 0;
    if (std::fscanf(source_.in, "%d", &block) != 1) {
      result->ok = false;
      result->error = "a block number must follow ':' in the request list";
      return false;
    }
  } else if (next != EOF) {
    std::ungetc(next, source_.in);
  }
  int32_t cylinder = number;
  if (!ToCylinder(number, result, &cylinder)) return false;
  list_->entries.push_back(cylinder);
  ++list_->request_count;
  return true;
}

bool ListReader::ToCylinder(int32_t number, ManualReadResult* result, int32_t* cylinder) const {
  if (!list_->lba) return true;
  int64_t per_cylinder = int64_t{source_.heads} * source_.blocks_per_track;
  if (per_cylinder <= 0) {
    result->ok = false;
    result->error = "LBA requests need heads and blocks per track above 0";
    return false;
  }
  *cylinder = static_cast<int32_t>(number / per_cylinder);
  return true;
}

}  // namespace

ManualReadResult ReadManualRequests(const ManualSource& source, ManualList* list) {
  std::fputs("Enter configuration line or press ENTER to skip: ", source.out);
  std::fflush(source.out);
  int c = GetChar(source.in);
  if (c != '\n' && c != EOF) std::ungetc(c, source.in);
  std::string config = ReadConfigLine(source.in);
  short lba = 0;
  if (std::sscanf(config.c_str(), "%hd", &lba) == 1 && lba != 0) {
    list->lba = true;
    std::fputs("\nManual requests using LBA...\n", source.out);
  }
  Prompt(source, 0);
  ManualReadResult result = ListReader(source, list).Read();
  if (result.ok) {
    std::fprintf(source.out, "\nTotal number of requests=%d\n\n", list->request_count);
  }
  return result;
}

ManualArrivals::ManualArrivals(std::vector<int32_t> entries) {
  entries_.reserve(entries.size() + 2);
  entries_.push_back(-1);  // the implicit marker of value 0 before the list
  entries_.insert(entries_.end(), entries.begin(), entries.end());
  entries_.push_back(-1);  // the end entry
}

int32_t ManualArrivals::Count() {
  const size_t end = entries_.size() - 1;
  if (entries_[cursor_] < -1) {
    ++entries_[cursor_];  // a marker with waiting time left
    return 0;
  }
  if (cursor_ == end) return 0;
  ++cursor_;
  if (entries_[cursor_] < 0) return 0;  // another marker: nothing arrives
  next_request_ = cursor_;
  while (cursor_ < end && entries_[cursor_] >= 0) ++cursor_;
  return static_cast<int32_t>(cursor_ - next_request_);
}

// A marker of value n (entry -(n + 1)) puts n + 1 ticks between the batches
// around it, so a batch arrives in the sum of (n + 1) over the markers before
// it: Count() reaches the same ticks by counting every marker down.
bool ManualArrivals::NextBatch(uint64_t* tick, int32_t* count) {
  const size_t end = entries_.size() - 1;
  while (batch_cursor_ < end && entries_[batch_cursor_] < 0) {
    batch_tick_ += static_cast<uint64_t>(-int64_t{entries_[batch_cursor_]});
    ++batch_cursor_;
  }
  if (batch_cursor_ >= end) return false;
  next_request_ = batch_cursor_;
  while (batch_cursor_ < end && entries_[batch_cursor_] >= 0) ++batch_cursor_;
  *tick = batch_tick_;
  *count = static_cast<int32_t>(batch_cursor_ - next_request_);
  return true;
}

}  // namespace schedule
