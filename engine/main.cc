// schedule: the disk-scheduling simulation engine.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/link_channel.h"
#include "engine/schedule_app.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  return schedule::RunSchedule(arguments, {stdin, stdout, stderr},
                               schedule::MakePlatformLinkChannel());
}
