// The program's commands handed down to the floors below the windows that
// carry them (services/ProgramCommands.h). The start-up calls this first, as
// does every program that runs the program's code without its start-up
// (the tests, the benchmarks).
#pragma once

void InstallProgramCommands();
