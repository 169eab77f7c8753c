#include "engine/usage.h"

namespace schedule {

namespace {

// The help entries, each printed as one string, in this order. The texts,
// spelling and spacing included, are the program's documented usage screen.
constexpr const char* kHelpEntries[] = {
    "   -w:waittime_file     Specifies an output csv file for waiting time results.\n",
    "   -s:seek_file         Specifies an output csv file for seek time results.\n",
    "   -xw:maxwait_file     Specifies an output csv file for maximum waiting time\n"
    "                        results.\n",
    "   -cw:column           A value that will be writen to the first column of\n"
    "                        the next row in <waittime_file>.\n",
    "   -cs:column           A value that will be writen to the first column of\n"
    "                        the next row in <seek_file>.\n",
    "   -cx:column           A value that will be writen to the first column of\n"
    "                        the next row in <maxwait_file>.\n",
    "   -d                   Disable adding column labels in new or empty files.\n",
    "   -in:infile           Specifies an input file. The program will take it's\n"
    "                        input from this file instead of asking the user.\n",
    "   -b:blocktime         Single block transfer time (in time units)\n",
    "   -e:seektime          Head's single cylinder movement time (in time units)\n",
    "   -st:settle           Head settle time.\n",
    "   -m:cylinders         Total number of cylinders in hard disk.\n",
    "   -bpt:bpt             Number of blocks per track. RLATENCY should be defined.\n",
    "   -hd:heads            Number of heads.\n",
    "   -r:seed              Randomization seed. Ensures that same requests are\n"
    "                        generated on each run. If omitted, The timer is used\n"
    "                        which results in truly random request generation.\n",
    "   -t:total             Total number of requests to be generated.\n",
    "   -n:MNRPTU            Maximum number of requests per time unit.\n",
    "   -a:rate              Requests arrival rate per second. Used for Poisson"
    "                              Distribution. If used -p and -n are ignored.\n",
    "   -tu:time             Seconds per time unit. Used for Poisson Distribution."
    "                           If used -p and -n are ignored.\n",
    "   -p:probability       Prbability of whether to generate requests or not\n"
    "                        in each time unit.\n",
    "   -i:head              Head's initial position. (cylinder number).\n",
    "   -f:factor            S-LOOK waisted time factor.\n",
    "   -wc:constant         S-LOOK waisted time constant\n",
    "   -rw:(1/2/3)          Should be 1, 2 or 3. SLOOK waisted time resting method\n"
    "                          1. Extremes: Reset on every min/max\n"
    "                          2. Ping Pong: Reset on min if the previous reset is\n"
    "                             max and reset on max if previous reset is min\n"
    "                          3. Empty Queue: Reset when request queue is empty\n",
    "   -o:threshold         BO-PATH waisted time threshold.\n",
    "   -x:maxdepth\t        BO-PATH maximum A* depth (Min=1).\n",
    "   -mt:(1/2)            Should be 1 or 2. Rotational Latency method for\n"
    "                        dealing with requests on the same cylinder.\n",
    "   -hw:hwnd             (For system use). Window handle of calling process.\n",
    "   -c:chunk             (For system use). Number of messages to collect\n"
    "                        before sending a chunked progress message.\n",
    "   -id                  Skip idle simulation time to improve performance.\n"
    "                        Idle time is when all heads of all algorithms \n"
    "                        are not doing any thing. Usefull for very low request\n"
    "                        probabilities.",
};

}  // namespace

void PrintUsage(std::FILE* out) {
  std::fputs("schedule " SCHEDULE_VERSION
             " - disk scheduling simulator (FCFS, SSTF, SCAN, C-SCAN, LOOK, C-LOOK, S-LOOK)\n",
             out);
  std::fputs(
      "Usage:  schedule [-w:waittime_file -cw:column] [-s:seek_file -cs:column] "
      "[-xw:maxwait_file -cx:column] [-d] [-in:infile] [-b:blocktime] [-e:seektime] "
      "[-st:settle] [-m:cylinders] [-bpt:bpt] [-r:seed] [-t:total] [-n:MNRPTU] "
      "[-a:rate -tu:time] [-p:probability] [-i:head] [-f:factor] [-rw:y/n] "
      "[-o:threshold] [-x:maxdepth] [-mt:(1/2)] [-hw:hwnd [-c:chunk]] [-id]\n\n",
      out);
  for (const char* entry : kHelpEntries) std::fputs(entry, out);
}

}  // namespace schedule
