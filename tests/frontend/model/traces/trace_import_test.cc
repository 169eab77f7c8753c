#include "frontend/model/traces/trace_import.h"

#include <gtest/gtest.h>

#include <sstream>

#include "frontend/model/requests/manual_scan.h"

namespace trakvist {
namespace {

// 1 ms per TU, 4096-byte blocks, 10 cylinders x 10 blocks x 2 heads = 200 blocks.
constexpr TraceDisk kDisk{0.001, 4096, 10, 10, 2};

constexpr std::string_view kBlkparse =
    "  8,0    0        1     0.000000000  100  Q   W 80 + 8 [a]\n"
    "  8,0    0        2     0.000100000  100  G   W 80 + 8 [a]\n"
    "  8,0    0        3     0.000400000  100  Q   R 1600 + 8 [a]\n"
    "  8,0    0        4     0.002600000  100  Q  WS 8 + 8 [a]\n"
    "  8,16   1        1     0.003000000  101  Q   R 88 + 8 [b]\n"
    "  8,0    0        5     0.003000000  100  Q FWS [a]\n"
    "  8,0    0        6     0.00x  100  Q   R 8 + 8 [a]\n"
    "  8,0    0        7     0.004000000  100  D   R 16 + 8 [a]\n"
    "  8,0    0        8     0.004100000    0  UT   N [swapper] 1\n"
    "CPU0 (sda):\n"
    " Reads Queued:           1,        4KiB\n";

// Timestamps in 100 ns; the last line is the earliest.
constexpr std::string_view kMsr =
    "Timestamp,Hostname,DiskNumber,Type,Offset,Size,ResponseTime\r\n"
    "128166372003061629,hm,1,Write,40960,4096,100\r\n"
    "128166372003071629,hm,1,Read,8192,4096,100\r\n"
    "128166372003061629,hm,0,Read,0,4096,100\r\n"
    "128166372003061629,hm,1,Read,18446744073709551615,4096,100\r\n"
    "128166372003051629,hm,1,Read,4096,512,100\r\n";

constexpr std::string_view kSpc =
    "0,80,4096,w,0.000000\n"
    "1,16,4096,r,0.001\n"
    "0,8,512,R,0.0026\n"
    "0,x,4096,r,0.5\n";

constexpr std::string_view kPlain =
    "# seconds block\n"
    "0.010 5\n"
    "0.000 7\n"
    "0.0051 9   # the same TU as the next\n"
    "bad line here\n"
    "0.0052 300\n";

TraceImportOptions With(TraceOperations operations, std::optional<std::string> device = {},
                        std::optional<std::int64_t> limit = {}, char event = 'Q') {
  TraceImportOptions options;
  options.operations = operations;
  options.device = std::move(device);
  options.limit = limit;
  options.blkparse_event = event;
  return options;
}

struct ConversionCase {
  std::string name;
  TraceFormat format;
  std::string_view trace;
  TraceImportOptions options;
  std::string requests_file;  // the blocks and markers worked out by hand
  std::int64_t damaged;
  std::int64_t other_operations;
  std::int64_t other_devices;
  std::int64_t beyond_capacity;
};

class TraceConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(TraceConversionTest, GivesTheBlocksAndTusWorkedOutByHand) {
  const ConversionCase& c = GetParam();
  std::istringstream in{std::string(c.trace)};
  const TraceImport import = ConvertTrace(in, c.format, kDisk, c.options);
  ASSERT_EQ(import.error, "");
  EXPECT_EQ(import.requests_file, c.requests_file);
  EXPECT_EQ(import.report.damaged_lines, c.damaged);
  EXPECT_EQ(import.report.other_operations, c.other_operations);
  EXPECT_EQ(import.report.other_devices, c.other_devices);
  EXPECT_EQ(import.report.beyond_capacity, c.beyond_capacity);
  // The front end's own scan of the file agrees on the count.
  const std::optional<RequestsFileText> parts = SplitRequestsFile(import.requests_file);
  ASSERT_TRUE(parts);
  EXPECT_TRUE(ConfigurationIsLba(parts->configuration_line));
  std::string_view requests = parts->requests;
  ASSERT_TRUE(requests.ends_with(" -1\r\n"));
  requests.remove_suffix(5);
  const std::optional<ManualScan> scan = ScanManualRequests(requests, 20);
  ASSERT_TRUE(scan);
  EXPECT_EQ(scan->count, import.report.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, TraceConversionTest,
    testing::Values(
        // 80 and 1600 sectors of 512 bytes are blocks 10 and 200 of 4096,
        // both in TU 0; 2.6 ms is TU 3, two TUs after the marker's own.
        ConversionCase{"blkparse", TraceFormat::kBlkparse, kBlkparse, {},
                       "1\r\n10 200\r\nt2 1 -1\r\n", 1, 1, 1, 1},
        ConversionCase{"blkparse_reads", TraceFormat::kBlkparse, kBlkparse,
                       With(TraceOperations::kReads), "1\r\n200 -1\r\n", 1, 3, 1, 1},
        ConversionCase{"blkparse_issued", TraceFormat::kBlkparse, kBlkparse,
                       With(TraceOperations::kBoth, {}, {}, 'D'), "1\r\n2 -1\r\n", 0, 0, 0, 0},
        ConversionCase{"blkparse_second_device", TraceFormat::kBlkparse, kBlkparse,
                       With(TraceOperations::kBoth, "8,16"), "1\r\n11 -1\r\n", 1, 0, 4, 0},
        // Sorted: -1 ms block 1, 0 ms block 10, +1 ms block 2; the byte
        // offset beyond the engine's blocks is left out.
        ConversionCase{"msr_out_of_order", TraceFormat::kMsr, kMsr, {},
                       "1\r\n1\r\nt0 10\r\nt0 2 -1\r\n", 0, 0, 1, 0},
        ConversionCase{"msr_writes", TraceFormat::kMsr, kMsr, With(TraceOperations::kWrites),
                       "1\r\n10 -1\r\n", 0, 3, 1, 0},
        ConversionCase{"spc", TraceFormat::kSpc, kSpc, {}, "1\r\n10\r\nt2 1 -1\r\n", 1, 0, 1, 0},
        ConversionCase{"spc_device", TraceFormat::kSpc, kSpc,
                       With(TraceOperations::kBoth, "1"), "1\r\n2 -1\r\n", 1, 0, 2, 0},
        // Plain blocks are the disk's own; 5.1 and 5.2 ms both round to TU 5.
        ConversionCase{"plain_out_of_order", TraceFormat::kPlain, kPlain, {},
                       "1\r\n7\r\nt4 9 300\r\nt4 5 -1\r\n", 1, 0, 0, 1},
        ConversionCase{"plain_limit", TraceFormat::kPlain, kPlain,
                       With(TraceOperations::kBoth, {}, 2), "1\r\n7\r\nt9 5 -1\r\n", 0, 0, 0,
                       0}),
    [](const testing::TestParamInfo<ConversionCase>& info) { return info.param.name; });

TEST(TraceReportTest, CountsWhatItKeptAndWhere) {
  std::istringstream in{std::string(kBlkparse)};
  const TraceReport report = ConvertTrace(in, TraceFormat::kBlkparse, kDisk, {}).report;
  EXPECT_EQ(report.devices, (std::vector<std::string>{"8,0", "8,16"}));
  EXPECT_EQ(report.device, "8,0");
  EXPECT_EQ(report.kept, 3);
  EXPECT_EQ(report.kept_reads, 1);
  EXPECT_EQ(report.kept_writes, 2);
  EXPECT_EQ(report.first_damaged_line, 7);
  EXPECT_EQ(report.span_tu, 3);
  EXPECT_DOUBLE_EQ(report.span_seconds, 0.0026);
  EXPECT_EQ(report.largest_block, 200);
  EXPECT_EQ(report.capacity_blocks, 200);
  EXPECT_EQ(TraceReportLines(report, kDisk),
            (std::vector<std::string>{
                "Format: blkparse",
                "Devices: 8,0 (kept), 8,16",
                "Requests kept: 3 (1 read, 2 writes)",
                "Skipped: 1 damaged line (the first is line 7), 1 of other operations, 1 on "
                "other devices",
                "Time span: 0.0026 s = 3 TU at 0.001 s per TU",
                "Largest block: 200",
                "1 request lies beyond the disk's 200 blocks (2 heads x 10 blocks per track x 10 "
                "cylinders): the engine cuts them to its last cylinder. A Total Number of "
                "Cylinders of 11 holds them all.",
            }));
}

TEST(TraceReportTest, LeavesOutWhatTheEngineCannotRead) {
  // 3,000,000 s is 3E9 TU, beyond the engine's 32-bit clock; block 2^31
  // beyond its request numbers.
  std::istringstream in("0 1\n3000000 2\n1 2147483648\n");
  const TraceImport import = ConvertTrace(in, TraceFormat::kPlain, kDisk, {});
  EXPECT_EQ(import.requests_file, "1\r\n1 -1\r\n");
  EXPECT_EQ(import.report.beyond_clock, 1);
  EXPECT_EQ(import.report.beyond_block_range, 1);
  EXPECT_EQ(import.report.kept, 1);
}

TEST(TraceImportTest, RefusesWhatItCannotConvert) {
  const struct {
    std::string trace;
    TraceDisk disk;
    std::string error;
  } cases[] = {
      {"0 1\n", TraceDisk{0, 512, 1, 1, 1},
       "Number of Seconds Per Time Unit must be greater than 0 to turn trace times into TU."},
      {"# nothing\n\nbroken\n", kDisk, "The trace holds no request to keep."},
  };
  for (const auto& c : cases) {
    std::istringstream in(c.trace);
    EXPECT_EQ(ConvertTrace(in, TraceFormat::kPlain, c.disk, {}).error, c.error) << c.trace;
  }
}

TEST(TraceFormatTest, DetectsEachFormatByItsContent) {
  const struct {
    std::string_view head;
    std::optional<TraceFormat> format;
  } cases[] = {
      {kBlkparse, TraceFormat::kBlkparse},
      {"  8,0    0        1     0.000000000     0  m   N cfq schedule\n", TraceFormat::kBlkparse},
      {kMsr, TraceFormat::kMsr},
      {kSpc, TraceFormat::kSpc},
      {kPlain, TraceFormat::kPlain},
      {"1\r\n10 20 t3 40 -1\r\n", std::nullopt},
      {std::string_view("\x7f" "ELF\0\1\2", 7), std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectTraceFormat(c.head), c.format) << c.head;
}

TEST(TraceFormatTest, TellsTracesFromRequestsFiles) {
  const struct {
    std::string_view head;
    std::optional<TraceFormat> format;
  } cases[] = {
      {kPlain, TraceFormat::kPlain},
      {"0.5 100\n", TraceFormat::kPlain},
      {kMsr, TraceFormat::kMsr},
      {kBlkparse, TraceFormat::kBlkparse},
      // Requests files: the configuration line is no trace line.
      {"1\r\n10 20\r\n30 40 -1\r\n", std::nullopt},
      {"\r\n10 20\r\n -1\r\n", std::nullopt},
      {"0\n5 7\n", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(DetectTraceFile(c.head), c.format) << c.head;
}

TEST(TraceFormatTest, NamesRoundTrip) {
  for (TraceFormat format : kTraceFormats) {
    EXPECT_EQ(TraceFormatNamed(TraceFormatName(format)), format);
  }
  EXPECT_EQ(TraceFormatNamed("SPC"), TraceFormat::kSpc);
  EXPECT_EQ(TraceFormatNamed("csv"), std::nullopt);
}

}  // namespace
}  // namespace trakvist
