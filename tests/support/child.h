// A second run of the test program itself, started to be killed at a chosen moment: the
// crash trials run their calls in it, the same way on both systems.
#pragma once

#include <chrono>
#include <string>

namespace zettest {

// The job handed to a child run through the environment, or empty in the parent.
std::string childJob();

// Starts this program again with `job` as its childJob(); true when it started.
bool startChild(const std::string& job);

// Kills the child started last, without warning (SIGKILL, TerminateProcess), after `delay`,
// and waits for it to end; at once when it already ended.
void killChild(std::chrono::microseconds delay);

// Waits for the child started last to end by itself.
void waitChild();

} // namespace zettest
