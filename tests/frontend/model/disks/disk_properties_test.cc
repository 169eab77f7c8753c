#include "frontend/model/disks/disk_properties.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

namespace trakvist {
namespace {

// The example disk whose conversion gives the panel's start values.
DiskType ExampleDisk() {
  DiskType disk;
  disk.name = "Example";
  disk.cylinders = disk.logical_cylinders = 1000;
  disk.blocks_per_track = disk.logical_blocks_per_track = 600;
  disk.heads = disk.logical_heads = 4;
  disk.full_seek_time = 10;
  disk.rotational_speed = 5000;
  disk.settle_time = 6;
  return disk;
}

DiskProperties WindowWith(const DiskType& disk) {
  DiskProperties window = StartDiskProperties();
  LoadDiskIntoFields(&window, disk);
  return window;
}

// Texts of the disk-derived parameter fields 8, 9, 10, 12, 13, 14, 15.
std::array<std::string, 7> DiskFields(const ParametersPanel& panel) {
  return {panel.cparam[8].text,  panel.cparam[9].text,  panel.cparam[10].text,
          panel.cparam[12].text, panel.cparam[13].text, panel.cparam[14].text,
          panel.cparam[15].text};
}

TEST(DiskPropertiesTest, ScientificDisplayKeepsTwelveDecimalsAtMost) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {60.0 / 2880000.0, "2.083333333333E-5"},
      {1.7e-6, "1.7E-6"},
      {1e-5, "1E-5"},
      {12345, "1.2345E+4"},
      {1, "1E+0"},
      {0, "0E+0"},
      {-2.5e-3, "-2.5E-3"},
      {9.9999999999999e-6, "1E-5"},  // rounding carries into the exponent
      {1.23456789012345e100, "1.234567890123E+100"},
  };
  for (const Case& c : cases) EXPECT_EQ(ScientificText(c.value), c.text) << c.value;
}

TEST(DiskPropertiesTest, CapacityHasTwoDecimals) {
  EXPECT_EQ(WindowWith(ExampleDisk()).pcapa, "1171.88 MB");  // 1000 x 600 x 4 x 512 B
  EXPECT_EQ(CapacityText(0), "0.00 MB");
  EXPECT_EQ(CapacityText(std::numeric_limits<double>::infinity()), "N/A");
}

TEST(DiskPropertiesTest, FieldsShowTheirUnits) {
  const DiskProperties window = WindowWith(ExampleDisk());
  EXPECT_EQ(window.dparam[0], "1000");
  EXPECT_EQ(window.dparam[6], "10 ms");
  EXPECT_EQ(window.dparam[9], "5000 RPM");
  EXPECT_EQ(window.dparam[10], "6 ms");  // settle time before bytes per block
  EXPECT_EQ(window.dparam[11], "512 B");
  EXPECT_EQ(window.dparam[12], "2048 KB");
  EXPECT_EQ(window.latu_text, "N/A");
  EXPECT_EQ(window.tuer_text, "N/A");
}

// 7200 RPM, 400 blocks per track, a full seek of 17 ms over 10000
// cylinders and a settle time of 6 ms: the figures of a record's defaults.
TEST(DiskPropertiesTest, DefaultRecordConvertsWithTheShorterTimeAsOneTu) {
  const DiskType disk;
  DiskProperties window = WindowWith(disk);
  EXPECT_EQ(window.bt_text, "2.083333333333E-5 s");
  EXPECT_EQ(window.cst_text, "1.7E-6 s");
  EXPECT_EQ(window.tu, "1.7E-06 s");
  ParametersPanel panel = StartParametersPanel();
  ApplyDiskPropToSimPage(window, disk, &panel);
  // Block time 12.25 TU rounds to 12; settle 6 / 0.0017 = 3529.4 TU.
  EXPECT_EQ(DiskFields(panel),
            (std::array<std::string, 7>{"12", "1", "10000", "1.7E-06", "400", "3529", "2"}));

  SelectCstMethod(&window, CstMethod::kAverageSeek);  // twice 8 ms
  EXPECT_EQ(window.cst_text, "1.6E-6 s");
  EXPECT_EQ(window.tu, "1.6E-06 s");
}

TEST(DiskPropertiesTest, ExampleDiskGivesThePanelsStartValues) {
  const DiskType disk = ExampleDisk();
  const DiskProperties window = WindowWith(disk);
  EXPECT_EQ(window.tu, "1E-05 s");
  ParametersPanel panel = StartParametersPanel();
  ApplyDiskPropToSimPage(window, disk, &panel);
  EXPECT_EQ(DiskFields(panel),
            (std::array<std::string, 7>{"2", "1", "1000", "1E-05", "600", "600", "4"}));
}

TEST(DiskPropertiesTest, ConversionRoundsHalvesToEven) {
  DiskType disk;
  disk.rotational_speed = 24;  // BT = 60 / 24 = 2.5 s
  disk.blocks_per_track = 1;
  disk.cylinders = 1;  // CST = 3500 ms / 1000 = 3.5 s
  disk.full_seek_time = 3500;
  disk.settle_time = 4500;  // 4.5 TU
  DiskProperties window = WindowWith(disk);
  SetSmintu(&window, false);
  SetTuText(&window, "1");
  ParametersPanel panel = StartParametersPanel();
  ApplyDiskPropToSimPage(window, disk, &panel);
  EXPECT_EQ(panel.cparam[8].text, "2");
  EXPECT_EQ(panel.cparam[9].text, "4");
  EXPECT_EQ(panel.cparam[12].text, "1");
  EXPECT_EQ(panel.cparam[14].text, "4");
}

TEST(DiskPropertiesTest, UndefinedValuesAreNotAvailableAndNotWritten) {
  struct Case {
    const char* what;
    DiskType disk;
    const char* bt;
    const char* cst;
    std::array<std::string, 7> fields;  // 8, 9, 10, 12, 13, 14, 15
  };
  DiskType no_speed = ExampleDisk();
  no_speed.rotational_speed = 0;
  DiskType no_blocks = ExampleDisk();
  no_blocks.blocks_per_track = 0;
  DiskType no_cylinders = ExampleDisk();
  no_cylinders.cylinders = 0;
  DiskType backwards = ExampleDisk();
  backwards.rotational_speed = -5000;
  const Case cases[] = {
      // TU = CST = 1E-05 s; the block time field keeps its text.
      {"no speed", no_speed, "N/A", "1E-5 s", {"2", "1", "1000", "1E-05", "600", "600", "4"}},
      {"no blocks", no_blocks, "N/A", "1E-5 s", {"2", "1", "1000", "1E-05", "0", "600", "4"}},
      {"negative speed",
       backwards,
       "N/A",
       "1E-5 s",
       {"2", "1", "1000", "1E-05", "600", "600", "4"}},
      // TU = BT = 2E-05 s.
      {"no cylinders", no_cylinders, "2E-5 s", "N/A", {"1", "1", "0", "2E-05", "600", "300", "4"}},
  };
  for (const Case& c : cases) {
    const DiskProperties window = WindowWith(c.disk);
    EXPECT_EQ(window.bt_text, c.bt) << c.what;
    EXPECT_EQ(window.cst_text, c.cst) << c.what;
    ParametersPanel panel = StartParametersPanel();
    ApplyDiskPropToSimPage(window, c.disk, &panel);
    EXPECT_EQ(DiskFields(panel), c.fields) << c.what;
  }
}

TEST(DiskPropertiesTest, ZeroTuWritesOnlyTheGeometry) {
  DiskType disk = ExampleDisk();
  disk.cylinders = 2000;
  DiskProperties window = WindowWith(disk);
  SetSmintu(&window, false);
  SetTuText(&window, "0");
  ParametersPanel panel = StartParametersPanel();
  ApplyDiskPropToSimPage(window, disk, &panel);
  EXPECT_EQ(DiskFields(panel),
            (std::array<std::string, 7>{"2", "1", "2000", "0.00001", "600", "600", "4"}));

  // With neither time available the TU stays as it was.
  DiskType nothing = ExampleDisk();
  nothing.rotational_speed = 0;
  nothing.cylinders = 0;
  window = StartDiskProperties();
  LoadDiskIntoFields(&window, ExampleDisk());
  LoadDiskIntoFields(&window, nothing);
  EXPECT_EQ(window.tu, "1E-05 s");
}

TEST(DiskPropertiesTest, LogicalGeometryDrivesTheDerivedValuesAndTheConversion) {
  DiskType disk = ExampleDisk();
  disk.logical_cylinders = 500;
  disk.logical_blocks_per_track = 300;
  disk.logical_heads = 16;
  DiskProperties window = WindowWith(disk);
  window.disk_list2_text = "Example";
  SelectGeometry(&window, DiskGeometry::kLogical);
  EXPECT_EQ(window.disk_list2_text, "Example");  // a choice, not an edit
  EXPECT_EQ(window.bt_text, "4E-5 s");           // 60 / (5000 x 300)
  EXPECT_EQ(window.cst_text, "2E-5 s");          // 10 ms / (1000 x 500)
  EXPECT_EQ(window.lcapa, "1171.88 MB");
  ParametersPanel panel = StartParametersPanel();
  ApplyDiskPropToSimPage(window, disk, &panel);
  EXPECT_EQ(DiskFields(panel),
            (std::array<std::string, 7>{"2", "1", "500", "2E-05", "300", "300", "16"}));
}

TEST(DiskPropertiesTest, EditingAFieldMakesTheDiskCustom) {
  DiskProperties window = WindowWith(ExampleDisk());
  window.disk_list2_text = "Example";
  SetDparamText(&window, 6, "20");
  EXPECT_EQ(window.dparam[6], "20 ms");
  EXPECT_EQ(window.disk_list2_text, "Custom ...");
  EXPECT_EQ(window.cst_text, "2E-5 s");
  EXPECT_EQ(window.tu, "2E-05 s");    // BT and CST are now equal
  SetDparamText(&window, 9, "fast");  // no number reads as 0
  EXPECT_EQ(window.dparam[9], "0 RPM");
  EXPECT_EQ(window.bt_text, "N/A");
}

TEST(DiskPropertiesTest, TuChoiceLocksOrFreesTheTuField) {
  DiskProperties window = WindowWith(ExampleDisk());
  EXPECT_TRUE(window.smintu);
  EXPECT_TRUE(window.tu_locked);
  EXPECT_FALSE(window.tu_spinner_enabled);
  EXPECT_EQ(window.tu_color, ColorRole::kButtonFace);
  TU_UpDown_Click(&window, SpinDirection::kUp);
  EXPECT_EQ(window.tu, "1E-05 s");

  SetSmintu(&window, false);
  EXPECT_FALSE(window.tu_locked);
  EXPECT_EQ(window.tu_color, ColorRole::kWindow);
  SetTuText(&window, "3e-6");
  EXPECT_EQ(window.tu, "3E-06 s");
  SetDparamText(&window, 6, "20");  // the TU no longer follows the figures
  EXPECT_EQ(window.tu, "3E-06 s");
  TU_UpDown_Click(&window, SpinDirection::kDown);
  EXPECT_EQ(window.tu, "0 s");
  TU_UpDown_Click(&window, SpinDirection::kUp);
  EXPECT_EQ(window.tu, "1 s");

  window.slatu = true;
  EXPECT_TRUE(SLATU_Click(&window));  // ask, and clear the box again
  EXPECT_FALSE(window.slatu);
  EXPECT_FALSE(SLATU_Click(&window));
  window.slatu = true;
  SetSmintu(&window, true);
  EXPECT_FALSE(window.slatu);
  EXPECT_EQ(window.tu, "2E-05 s");
}

TEST(DiskPropertiesTest, SpinnersStepByOneWithinRange) {
  DiskProperties window = WindowWith(ExampleDisk());
  SetDparamText(&window, 10, "6.5");
  Dparam_UpDown_Click(&window, 10, SpinDirection::kUp);
  EXPECT_EQ(window.dparam[10], "7.5 ms");
  SetDparamText(&window, 8, "0.5");
  Dparam_UpDown_Click(&window, 8, SpinDirection::kDown);
  EXPECT_EQ(window.dparam[8], "0 ms");
}

TEST(DiskPropertiesTest, StoringRoundsWholeFiguresAndKeepsRealOnes) {
  const DiskType disk = ExampleDisk();
  DiskProperties window = WindowWith(disk);
  DiskType stored;
  stored.name = "Kept";
  StoreFieldsIntoDisk(window, &stored);
  DiskType expected = disk;
  expected.name = "Kept";
  EXPECT_EQ(stored, expected);

  SetDparamText(&window, 0, "1000.5");  // halves go to the even neighbour
  SetDparamText(&window, 1, "1001.5");
  SetDparamText(&window, 7, "8.25");
  SetDparamText(&window, 10, "2.5");    // settle time
  SetDparamText(&window, 11, "511.5");  // bytes per block
  StoreFieldsIntoDisk(window, &stored);
  EXPECT_EQ(stored.cylinders, 1000);
  EXPECT_EQ(stored.blocks_per_track, 1002);
  EXPECT_EQ(stored.average_seek_time, 8.25);
  EXPECT_EQ(stored.settle_time, 2.5);
  EXPECT_EQ(stored.bytes_per_block, 512);
}

}  // namespace
}  // namespace trakvist
