#include "frontend/model/runs/command_line.h"

#include <array>

#include "frontend/model/common/number_text.h"
#include "frontend/model/panel/parameters.h"

namespace trakvist {
namespace {

// The parameters passed on every line, in their order there.
constexpr std::array<int, 11> kAlwaysPassed = {kWaistedTimeConstantParameter,
                                               kWaistedTimeFactorParameter,
                                               kThresholdParameter,
                                               kDepthParameter,
                                               kBlockTimeParameter,
                                               kBlocksPerTrackParameter,
                                               kCylinderSeekParameter,
                                               kSettleTimeParameter,
                                               kCylindersParameter,
                                               kInitialHeadParameter,
                                               kHeadsParameter};

// Builds the argument list fragment by fragment.
class Arguments {
 public:
  Arguments(const RunSettings& settings, const CombinationValues& values)
      : settings_(settings), values_(values) {}

  void Add(std::string text, bool quoted = false) { list_.push_back({std::move(text), quoted}); }

  // The parameter's option followed by its value as number text.
  void AddParameter(int index, bool quoted = false) {
    Add(std::string(EngineOption(index, settings_.dist_list)) + NumberText(values_[index]), quoted);
  }

  void AddFlag(const char* option, bool set) { Add(std::string(option) + (set ? "y" : "n")); }

  std::vector<EngineArgument> Take() { return std::move(list_); }

 private:
  const RunSettings& settings_;
  const CombinationValues& values_;
  std::vector<EngineArgument> list_;
};

// The request distribution: the Poisson rate and time unit, or the maximum
// per time unit and the probability.
void AddDistribution(const RunSettings& settings, Arguments* args) {
  if (settings.dist_list == kPoissonIndex) {
    args->AddParameter(kDistributionParameter1);
    args->Add("-n:0");
    args->AddParameter(kSecondsPerTuParameter, /*quoted=*/true);
  } else {
    args->AddParameter(kDistributionParameter1);
    args->AddParameter(kDistributionParameter2, /*quoted=*/true);
  }
}

void AddResultFiles(const TemporaryFiles& files, Arguments* args) {
  args->Add("-w:" + files.avg_wait, /*quoted=*/true);
  args->Add("-s:" + files.seek, /*quoted=*/true);
  args->Add("-xw:" + files.max_wait, /*quoted=*/true);
}

}  // namespace

RunSettings RunSettingsFromPanel(const ParametersPanel& panel) {
  RunSettings settings;
  settings.source = panel.source;
  settings.dist_list = panel.dist_list;
  settings.rtimer = panel.rtimer;
  settings.skip_idle = panel.skip_idle;
  settings.slook_reset = panel.slook_reset;
  settings.bopath_reset = panel.bopath_reset;
  settings.bopath_swap = panel.bopath_swap;
  settings.ofcfs = panel.ofcfs;
  settings.head_down = panel.head_down;
  settings.percentiles = panel.percentiles;
  settings.disprog = panel.disprog;
  return settings;
}

std::vector<EngineArgument> EngineArguments(const RunSettings& settings,
                                            const CombinationValues& values,
                                            const EngineTarget& target) {
  Arguments args(settings, values);
  args.AddParameter(kRequestsParameter);
  AddDistribution(settings, &args);
  if (!settings.rtimer) args.AddParameter(kSeedParameter);
  for (int index : kAlwaysPassed) args.AddParameter(index);
  args.Add("-rw:" + std::to_string(settings.slook_reset + 1));
  args.AddFlag("-rb:", settings.bopath_reset);
  args.AddFlag("-rs:", settings.bopath_swap);
  AddResultFiles(target.files, &args);
  args.Add("-hw:" + std::to_string(target.link));
  if (!settings.disprog) args.Add("-c:" + std::to_string(target.chunk));
  // A total of 0 makes the engine read its requests from the file.
  if (values[kRequestsParameter] == 0) args.Add("-in:" + target.requests_file, /*quoted=*/true);
  if (settings.ofcfs) args.Add("-FCFS");
  if (settings.skip_idle) args.Add("-id");
  if (settings.head_down) args.Add("-u:0");
  if (settings.percentiles) args.Add("-q:" + target.files.percentiles, /*quoted=*/true);
  return args.Take();
}

std::string CommandLineText(const std::string& program,
                            const std::vector<EngineArgument>& arguments) {
  std::string line = "\"" + program + "\"";
  for (const EngineArgument& argument : arguments) {
    line += ' ';
    line += argument.quoted ? "\"" + argument.text + "\"" : argument.text;
  }
  return line;
}

std::vector<std::string> ArgumentList(const std::string& program,
                                      const std::vector<EngineArgument>& arguments) {
  std::vector<std::string> list = {program};
  for (const EngineArgument& argument : arguments) list.push_back(argument.text);
  return list;
}

}  // namespace trakvist
