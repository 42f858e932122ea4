// The main of the benchmarks: the program's commands in place, as the
// program's own start-up does, then the benchmarks the command line asks for.
#include <benchmark/benchmark.h>

#include "application/ProgramCommandsSetup.h"

int main(int argc, char** argv) {
  InstallProgramCommands();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
